// The computer's search takes nothing from the heap once the program has started.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "ai/search.h"
#include "rules/notation.h"
#include "tests/support/allocation_counter.h"
#include "tools/commands.h"

namespace zarvo {
namespace {

int pumps = 0;

TEST(Allocation, SearchingUsesNoHeap) {
    // The search's lists were made before main; nothing has been searched yet.
    set_event_hook([] { ++pumps; });
    struct Game {
        char variant;
        char side;
        Board board;
    };
    std::vector<Game> games;
    for (const cli::BenchPosition& p : cli::bench_positions()) {
        games.push_back({p.variant, p.side, *parse_pos(p.pos)});
    }
    MoveString chosen;
    // Every computer move of the bench set at Easy and Medium, and a made-up move searched
    // from each position.
    const auto search_all = [&] {
        long moves = 0;
        for (int budget : {moves_per_level[0], moves_per_level[1]}) {
            for (const Game& g : games) {
                variant = g.variant;
                table = g.board;
                computer_play(g.side, budget, chosen);
                moves += chosen.empty() ? 0 : 1;
                evaluate_move(g.board, g.side, g.side, "a1a2", 5, kRootDepth);
            }
        }
        return moves;
    };
    const long before = testing::allocation_count.load();
    EXPECT_EQ(search_all(), static_cast<long>(2 * games.size()));
    // Lists far beyond the usual size (over ten thousand moves by sixteen kings) grow, once.
    EXPECT_LE(testing::allocation_count.load() - before, 6);
    const long again = testing::allocation_count.load();
    search_all();
    EXPECT_EQ(testing::allocation_count.load() - again, 0);
    EXPECT_GT(pumps, 0);
    set_event_hook(nullptr);
}

}  // namespace
}  // namespace zarvo
