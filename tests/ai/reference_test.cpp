// The search against a plain reference written straight from the rules: every reply played on a
// fresh copy of the board, every leaf scored by evaluating the whole board. The search's
// shortcuts (leaves scored from the squares a move touches, leaf replies scored in one sweep)
// must give the same score for every move.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "ai/search.h"
#include "rules/movegen.h"
#include "rules/play.h"
#include "tests/rules/test_boards.h"

namespace zarvo {
namespace {

using testing::VariantScope;

// The budgeted negamax, as plainly as it can be written.
int reference_score(const Board& before, char side, char root_side, std::string_view move,
                    int budget, int depth) {
    Board after = before;
    play_move(after, move);
    if (depth == 0 || (budget == 0 && side == root_side)) {
        return fast_evaluate(after, side);
    }
    MoveList list;
    const int n = generate_moves(after, opponent(side), list, 1);
    if (n == 0) {
        return depth + 9990;
    }
    int best = -1;
    const std::string replies(list.text());
    for (std::string_view reply : MoveEntries(replies)) {
        best = std::max(
            best, reference_score(after, opponent(side), root_side, reply, budget / n, depth - 1));
    }
    return 10000 - best;
}

TEST(ReferenceSearch, EveryRootMoveScoresTheSame) {
    set_event_hook(nullptr);
    int compared = 0;
    for (char v : {0, 1}) {
        for (const auto& [board, side, unused] :
             testing::random_game_positions(v, 40u + static_cast<unsigned>(v), 6, 90, 9)) {
            VariantScope scope(v);
            MoveList root;
            const int n = generate_moves(board, side, root, 1);
            const std::string moves(root.text());
            for (int budget : {0, 30, 400}) {
                for (std::string_view m : MoveEntries(moves)) {
                    ASSERT_EQ(evaluate_move(board, side, side, m, budget / n, kRootDepth),
                              reference_score(board, side, side, m, budget / n, kRootDepth))
                        << "variant " << int(v) << " budget " << budget << " move " << m;
                    ++compared;
                }
            }
        }
    }
    EXPECT_GT(compared, 500);
}

}  // namespace
}  // namespace zarvo
