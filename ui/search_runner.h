// The computer's searches for the window: its moves and the player's hints, each run on a thread
// of its own and its answer handed back on the main loop, so that the window repaints and answers
// while the computer thinks.
#pragma once

#include <glibmm/dispatcher.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "ai/budget_search.h"
#include "ai/expert_search.h"
#include "ai/search_thread.h"
#include "game/game.h"

namespace zarvo {

// What the search under way is for.
enum class SearchPurpose : std::uint8_t { Nothing, ComputerMove, Hint };

// Runs one search at a time for the window and tells it the answer.
class SearchRunner {
  public:
    // `answered` runs on the main loop with what the search was for and the move it found
    // (nothing: the side has none); a search stopped or replaced never answers.
    explicit SearchRunner(std::function<void(SearchPurpose, const std::optional<Move>&)> answered);
    ~SearchRunner();
    SearchRunner(const SearchRunner&) = delete;
    SearchRunner& operator=(const SearchRunner&) = delete;

    // Starts the search `turn` asks for; one under way is dropped first.
    void start(const ComputerTurn& turn, SearchPurpose purpose);
    // Drops the search under way, if any, and waits until the thread is idle.
    void stop();
    // "Move now": the search under way stops and answers with the best move it has. Only the
    // Expert has one to give; a budgeted search stopped early would answer as if it passed.
    void hurry();

    SearchPurpose purpose() const { return purpose_; }

  private:
    // Chooses the search for a turn, by its level, and starts it on the thread; returns its job.
    // The one place that decides how the computer thinks.
    std::uint64_t launch(const ComputerTurn& turn);
    // The thread has an answer: hand it on, unless it answers a search since dropped.
    void collect();

    std::function<void(SearchPurpose, const std::optional<Move>&)> answered_;
    // The searches, used only on the search thread. The Expert's table is taken only once the
    // Expert is first asked, for a hint or a move.
    BudgetSearch budget_search_;
    std::unique_ptr<ExpertSearch> expert_search_;
    // Wakes the main loop when the search thread has an answer.
    Glib::Dispatcher ready_;
    // Declared after what its searches use, so that it is stopped and joined first.
    SearchThread thread_{[this] { ready_.emit(); }};
    std::uint64_t job_ = 0;
    SearchPurpose purpose_ = SearchPurpose::Nothing;
};

}  // namespace zarvo
