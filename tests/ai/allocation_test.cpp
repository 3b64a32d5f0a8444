// The computer's search takes nothing from the heap once its lists have reached their size.
#include <gtest/gtest.h>

#include <vector>

#include "ai/budget_search.h"
#include "ai/level.h"
#include "rules/notation.h"
#include "tests/support/allocation_counter.h"
#include "tools/cli.h"

namespace zarvo {
namespace {

TEST(Allocation, SearchingUsesNoHeap) {
    std::vector<std::pair<Position, Side>> positions;
    for (const cli::BenchPosition& p : cli::bench_positions()) {
        positions.push_back({{*parse_pos(p.pos), p.variant}, p.side});
    }
    BudgetSearch search;
    // Every computer move of the bench set at Easy and Medium, and one move searched on its own
    // from each position.
    const auto search_all = [&] {
        long moves = 0;
        for (Level level : {Level::Easy, Level::Medium}) {
            for (const auto& [position, side] : positions) {
                moves += search.choose_move(position, side, budget_of(level)) ? 1 : 0;
                search.score_move(position, side, side, Move::step(56, 48), 5, kRootDepth);
            }
        }
        return moves;
    };
    const long before = testing::allocation_count.load();
    EXPECT_EQ(search_all(), static_cast<long>(2 * positions.size()));
    // Lists far beyond the usual size (over ten thousand moves by sixteen kings) grow, once.
    EXPECT_LE(testing::allocation_count.load() - before, 12);
    const long again = testing::allocation_count.load();
    search_all();
    EXPECT_EQ(testing::allocation_count.load() - again, 0);
}

}  // namespace
}  // namespace zarvo
