// The search against a plain reference written straight from the rules: every reply played on a
// fresh copy of the position, every leaf scored by evaluating the whole board. The search's
// shortcuts (leaves scored from the squares a move touches, leaf replies scored in one sweep)
// must give the same score for every move.
#include <gtest/gtest.h>

#include "ai/budget_search.h"
#include "rules/movegen.h"
#include "rules/play.h"
#include "tests/rules/test_boards.h"

namespace zarvo {
namespace {

using namespace testing;

// The budgeted negamax, as plainly as it can be written.
int reference_score(const Position& before, Side side, Side root_side, const Move& move, int budget,
                    int depth) {
    Position after = before;
    play_move(after, move);
    if (depth == 0 || (budget == 0 && side == root_side)) {
        return static_score(after.squares, side);
    }
    MoveList list;
    const int n = generate_moves(after, opponent(side), list, Landings::Distinct);
    if (n == 0) {
        return depth + 9990;
    }
    int best = -1;
    for (const Move& reply : list) {
        best = std::max(
            best, reference_score(after, opponent(side), root_side, reply, budget / n, depth - 1));
    }
    return 10000 - best;
}

TEST(ReferenceSearch, EveryRootMoveScoresTheSame) {
    int compared = 0;
    BudgetSearch search;
    for (Variant v : {kGreek, kTurkish}) {
        for (const auto& [p, side] :
             random_game_positions(v, 40u + static_cast<unsigned>(v), 6, 90, 9)) {
            MoveList root;
            const int n = generate_moves(p, side, root, Landings::Distinct);
            for (int budget : {0, 30, 400}) {
                for (const Move& m : root) {
                    ASSERT_EQ(search.score_move(p, side, side, m, budget / n, kRootDepth),
                              reference_score(p, side, side, m, budget / n, kRootDepth))
                        << "variant " << int(v) << " budget " << budget << " move "
                        << format_move(m);
                    ++compared;
                }
            }
        }
    }
    EXPECT_GT(compared, 500);
}

}  // namespace
}  // namespace zarvo
