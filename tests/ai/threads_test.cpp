// Searches on more than one thread: two budgeted searches at once, and two Experts at once, give
// the answers they give one after the other, and the search thread hands back each answer once,
// drops those it was told to stop, hands back the Expert's move when hurried, and can always be
// stopped. Run under ThreadSanitizer by the test command.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "ai/budget_search.h"
#include "ai/expert_search.h"
#include "ai/level.h"
#include "ai/search_thread.h"
#include "rules/movegen.h"
#include "rules/notation.h"
#include "tools/cli.h"

namespace zarvo {
namespace {

// A search's answer and its work, for comparing runs.
struct Answer {
    std::optional<Move> move;
    std::uint64_t moves_searched;
    bool operator==(const Answer&) const = default;
};

// Plays the computer's move in every bench position at Medium with a draw source of its own
// (the C library's generator is one per process).
std::vector<Answer> search_bench(unsigned salt) {
    BudgetSearch search;
    std::vector<Answer> answers;
    unsigned draws = salt;
    const RandomDraw draw = [&] { return static_cast<int>(draws++ * 2654435761u >> 8); };
    for (const cli::BenchPosition& p : cli::bench_positions()) {
        search.reset_stats();
        draws = salt;
        const std::optional<Move> move = search.choose_move({*parse_pos(p.pos), p.variant}, p.side,
                                                            budget_of(Level::Medium), draw);
        answers.push_back({move, search.stats().moves_searched});
    }
    return answers;
}

TEST(Threads, TwoSearchesAtOnceAnswerAsOneAfterTheOther) {
    const std::vector<Answer> first = search_bench(1);
    const std::vector<Answer> second = search_bench(2);
    std::vector<Answer> first_again;
    std::vector<Answer> second_again;
    std::thread a([&] { first_again = search_bench(1); });
    std::thread b([&] { second_again = search_bench(2); });
    a.join();
    b.join();
    EXPECT_EQ(first_again, first);
    EXPECT_EQ(second_again, second);
}

// The Expert's move, score and work at a fixed depth in every third bench position.
std::vector<std::string> expert_bench() {
    ExpertSearch search(1);
    std::vector<std::string> answers;
    const auto positions = cli::bench_positions();
    for (std::size_t i = 0; i < positions.size(); i += 3) {
        const cli::BenchPosition& p = positions[i];
        search.new_game();
        const std::optional<Move> move =
            search.choose_move({*parse_pos(p.pos), p.variant}, p.side, ExpertLimits::to_depth(5));
        answers.push_back(format_move(move.value()) + ' ' + std::to_string(search.stats().score) +
                          ' ' + std::to_string(search.stats().nodes));
    }
    return answers;
}

TEST(Threads, TwoExpertsAtOnceAnswerAsOneAfterTheOther) {
    const std::vector<std::string> alone = expert_bench();
    std::vector<std::string> a_answers;
    std::vector<std::string> b_answers;
    std::thread a([&] { a_answers = expert_bench(); });
    std::thread b([&] { b_answers = expert_bench(); });
    a.join();
    b.join();
    EXPECT_EQ(a_answers, alone);
    EXPECT_EQ(b_answers, alone);
}

// Waits for the search thread's signals on the test's thread.
class Waiter {
  public:
    void notify() {
        const std::lock_guard lock(mutex_);
        ++signals_;
        ready_.notify_all();
    }
    // Waits until `count` signals have come in all.
    bool wait_for(int count) {
        std::unique_lock lock(mutex_);
        return ready_.wait_for(lock, std::chrono::seconds(30), [&] { return signals_ >= count; });
    }
    int signals() {
        const std::lock_guard lock(mutex_);
        return signals_;
    }

  private:
    std::mutex mutex_;
    std::condition_variable ready_;
    int signals_ = 0;
};

// A job that runs until it is stopped, saying when it has begun.
SearchThread::Job endless(Waiter& started) {
    return [&started](std::stop_token stop) -> std::optional<Move> {
        started.notify();
        while (!stop.stop_requested()) {
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
        return Move::step(0, 1);
    };
}

TEST(Threads, TheSearchThreadHandsBackEachAnswerOnce) {
    Waiter ready;
    SearchThread thread([&] { ready.notify(); });
    EXPECT_FALSE(thread.take_result());
    const Position start = starting_position(Variant::Turkish);
    BudgetSearch search;
    const std::uint64_t job = thread.start([&](std::stop_token stop) {
        return search.choose_move(start, Side::Red, budget_of(Level::Hard), c_library_draw, stop);
    });
    ASSERT_TRUE(ready.wait_for(1));
    const std::optional<SearchResult> result = thread.take_result();
    ASSERT_TRUE(result);
    EXPECT_EQ(result->job, job);
    ASSERT_TRUE(result->move);
    EXPECT_EQ(result->move->size(), 2u);
    EXPECT_FALSE(thread.take_result());
    EXPECT_FALSE(thread.busy());
}

TEST(Threads, AStoppedOrOvertakenSearchAnswersNothing) {
    Waiter ready;
    Waiter started;
    SearchThread thread([&] { ready.notify(); });
    thread.start(endless(started));
    ASSERT_TRUE(started.wait_for(1));
    EXPECT_TRUE(thread.busy());
    thread.stop();
    EXPECT_FALSE(thread.busy());
    EXPECT_FALSE(thread.take_result());

    // A new search stops the one running; only the newer answers.
    thread.start(endless(started));
    ASSERT_TRUE(started.wait_for(2));
    const std::uint64_t newer =
        thread.start([](std::stop_token) -> std::optional<Move> { return std::nullopt; });
    ASSERT_TRUE(ready.wait_for(1));
    const std::optional<SearchResult> result = thread.take_result();
    ASSERT_TRUE(result);
    EXPECT_EQ(result->job, newer);
    EXPECT_FALSE(result->move);
    EXPECT_EQ(ready.signals(), 1);
}

TEST(Threads, AHurriedExpertHandsBackItsBestMoveSoFar) {
    Waiter ready;
    Waiter started;
    SearchThread thread([&] { ready.notify(); });
    const Position start = starting_position(Variant::Greek);
    ExpertSearch search(1);
    // No limit: only the hurry ends it.
    const std::uint64_t job = thread.start([&](std::stop_token stop) {
        started.notify();
        return search.choose_move(start, Side::Red, {}, stop);
    });
    ASSERT_TRUE(started.wait_for(1));
    thread.hurry();
    ASSERT_TRUE(ready.wait_for(1));
    const std::optional<SearchResult> result = thread.take_result();
    ASSERT_TRUE(result);
    EXPECT_EQ(result->job, job);
    ASSERT_TRUE(result->move);
    EXPECT_TRUE(is_legal(start, Side::Red, *result->move));
    // Hurrying an idle thread does nothing.
    thread.hurry();
    EXPECT_FALSE(thread.busy());
    EXPECT_FALSE(thread.take_result());
}

TEST(Threads, LeavingStopsARunningSearch) {
    Waiter started;
    const auto begun = std::chrono::steady_clock::now();
    {
        SearchThread thread([] {});
        thread.start(endless(started));
        ASSERT_TRUE(started.wait_for(1));
    }
    // Reaching here at all shows the worker was stopped and joined.
    EXPECT_LT(std::chrono::steady_clock::now() - begun, std::chrono::seconds(30));
}

}  // namespace
}  // namespace zarvo
