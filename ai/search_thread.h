// A thread of its own for the computer's searches, so that the window never waits for one: a
// search is started, runs there, and its answer is collected once the thread says it is ready.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>

#include "rules/move.h"

namespace zarvo {

// What a search hands back: the job it answers and the move it chose (nothing: no move).
struct SearchResult {
    std::uint64_t job = 0;
    std::optional<Move> move;
};

// Runs one search at a time on a worker thread. Start, stop and collect are called from one
// thread (the game's); `on_ready` runs on the worker each time an answer is ready to collect, and
// should only wake the game's thread (a Glib::Dispatcher, a condition variable).
class SearchThread {
  public:
    // A search: it may run long, and should end soon after its stop token is requested.
    using Job = std::function<std::optional<Move>(std::stop_token)>;

    explicit SearchThread(std::function<void()> on_ready);
    ~SearchThread();
    SearchThread(const SearchThread&) = delete;
    SearchThread& operator=(const SearchThread&) = delete;

    // Starts a search and returns its job number. A search still running is stopped first, and
    // its answer is never handed back.
    std::uint64_t start(Job job);

    // Asks the running search, if any, to stop, and waits until the worker is idle; its answer
    // is dropped.
    void stop();

    // "Move now": asks the running search, if any, to stop and hand back what it has, as it does
    // when it ends on its own. Meant for the Expert, which answers a stop request with its best
    // move so far; a budgeted search stopped early answers nothing, which would read as a pass.
    void hurry();

    // The answer of the last search started, once it is ready; each answer is handed back once.
    std::optional<SearchResult> take_result();

    // Whether a search is running or waiting to run.
    bool busy() const;

  private:
    void run(std::stop_token thread_stop);

    std::function<void()> on_ready_;
    mutable std::mutex mutex_;
    std::condition_variable_any wake_;
    std::condition_variable idle_;
    std::optional<Job> pending_;
    std::uint64_t pending_number_ = 0;
    bool running_ = false;
    std::uint64_t running_number_ = 0;
    std::stop_source running_stop_;
    std::uint64_t last_started_ = 0;
    // The search asked to hurry, whose answer counts although it was stopped.
    std::uint64_t hurried_ = 0;
    std::optional<SearchResult> result_;
    // Declared last: the worker starts once everything it uses exists, and is joined first.
    std::jthread worker_;
};

}  // namespace zarvo
