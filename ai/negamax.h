// The budgeted negamax that scores one move, written once for any tree of positions: the real
// positions of a game, or a model tree with a set number of moves in every position.
#pragma once

#include <optional>

#include "ai/evaluate.h"
#include "rules/board.h"

namespace zarvo {

// Remaining depth of a root move; each half-move below it has one less, down to 0.
inline constexpr int kRootDepth = 10;

// A move after which the opponent cannot move scores this plus its remaining depth, so a quicker
// win scores higher: 10000 for a root move, down to 9991.
inline constexpr int kWinBase = 9990;

// Whether the position after a move is scored statically rather than searched: at the last
// depth, or once the budget is spent and it was the computer (the root side) that moved. A move
// of the other side is always answered, so every static score is the computer's.
constexpr bool is_leaf(int budget, int depth, bool root_side_moved) {
    return depth == 0 || (budget == 0 && root_side_moved);
}

// The budget of each reply in a position with `replies` moves: an even share, rounded down.
constexpr int reply_budget(int budget, int replies) {
    return budget / replies;
}

// The score of `move`, played by `side` from `before`, for the side that played it. `Tree`
// supplies the positions:
//   play(depth, before, move)   the position after the move, kept for this depth;
//   score_leaf(depth, before, move, side)
//                               the static score of the position after the move for the side
//                               that made it (the position need not be built);
//   list(depth, after, side)    lists the side's replies for this depth, returns the count;
//   replies(depth)              walks that list in its order;
//   keep_going()                asked after each reply has been scored; false abandons the
//                               search, whose scores are then meaningless;
//   leaf_replies(depth, after, side, budget)  (optional) when every reply of `side` would be a
//                               leaf with this budget, the best of their static scores, at
//                               least -1, standing for listing and scoring them; otherwise
//                               nothing.
template <class Tree>
int score_move(Tree& tree, const typename Tree::Position& before, Side side, Side root_side,
               const typename Tree::Move& move, int budget, int depth) {
    // The leaf test needs nothing from the position, so a leaf is scored before (or without)
    // building it.
    if (is_leaf(budget, depth, side == root_side)) {
        return tree.score_leaf(depth, before, move, side);
    }
    const typename Tree::Position& after = tree.play(depth, before, move);
    const Side reply_side = opponent(side);
    // The computer's replies may all be leaves; a tree may then score them without listing them.
    if constexpr (requires { tree.leaf_replies(depth, after, reply_side, budget); }) {
        if (reply_side == root_side) {
            if (const std::optional<int> best =
                    tree.leaf_replies(depth, after, reply_side, budget)) {
                return kScoreSum - *best;
            }
        }
    }
    const int n = tree.list(depth, after, reply_side);
    if (n == 0) {
        return depth + kWinBase;
    }
    const int share = reply_budget(budget, n);
    int best = -1;
    for (const auto& reply : tree.replies(depth)) {
        const int v = score_move(tree, after, reply_side, root_side, reply, share, depth - 1);
        // Strictly greater: of equal replies the earlier one stands, with no chance involved.
        if (v > best) {
            best = v;
        }
        if (!tree.keep_going()) {
            break;
        }
    }
    return kScoreSum - best;
}

}  // namespace zarvo
