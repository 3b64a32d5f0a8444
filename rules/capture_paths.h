// The capture-path walk: every sequence of jumps a piece can make from a square, found depth
// first, and the quick tests of whether a piece can capture at all.
#pragma once

#include "rules/board.h"
#include "rules/crowning.h"

namespace zarvo {

// How far a capture search looks along a line: a man only at its neighbour, a king as far as a
// capturable piece can stand (it must have a square behind it on the board).
inline constexpr int kManReach = 1;
inline constexpr int kKingReach = 6;

// Which of a Turkish king's capture paths are listed. Every landing choice: each square behind
// each captured piece starts its own continuations (the human's paths are checked against
// these). Distinct continuations: a king that landed beyond the first square behind its capture
// does not jump on along the same line, since from the first square it meets the same pieces with
// the same landings (the computer searches these). The greatest capture is the same either way.
enum class Landings : std::uint8_t { Every = 0, Distinct = 1 };

// No direction excluded.
inline constexpr int kNoDirection = -1;

// The direction in which a man of this code never moves: toward its own side.
constexpr int backward_of(char man) {
    return man == kRedMan ? kTowardRank1 : kTowardRank8;
}

// Searches the capture paths that continue from `from`, where the moving piece stands on
// `board`, depth first: each path is reported before its own continuations, jumps by direction
// 0 to 3 and landings nearest first. A captured piece leaves the board at once, so it is never
// jumped twice and its square may be crossed later; a man's chain ends on its crowning row; a
// king never turns straight back. `reach` is kManReach or kKingReach; directions `excluded1` and
// `excluded2` (or kNoDirection) are not tried. The sink hears of each path:
//   sink.found(landing, victim, victim_piece)  one more path, ending with this jump;
//   sink.enter(landing, victim, victim_piece)  its continuations are about to be searched
//                                              (false: they are not);
//   sink.leave()                               they have been.
// Returns the number of paths reported.
template <class Sink>
int visit_capture_paths(Sink& sink, int from, const Board& board, Variant variant, int reach,
                        int excluded1, int excluded2, Landings landings) {
    const char mover = board[from];
    const char mover_side = to_upper(mover);
    const int max_landing = variant == Variant::Greek ? 1 : reach;
    int found = 0;

    for (int d = 0; d < 4; ++d) {
        if (d == excluded1 || d == excluded2) {
            continue;
        }
        // Look along the line for the first piece, within reach. A piece on the edge toward
        // which the line leads has nothing behind it and cannot be jumped.
        int victim = -1;
        for (int j = 1, q = neighbour(from, d); j <= reach && q >= 0 && neighbour(q, d) >= 0;
             ++j, q = neighbour(q, d)) {
            const char piece = board[q];
            if (piece == kEmpty) {
                continue;
            }
            if (to_upper(piece) != mover_side) {
                victim = q;
            }
            break;
        }
        if (victim < 0) {
            continue;
        }
        const char victim_piece = board[victim];
        // Land on each empty square behind it, nearest first.
        int k = 1;
        for (int landing = neighbour(victim, d); k <= max_landing && landing >= 0;
             ++k, landing = neighbour(landing, d)) {
            if (board[landing] != kEmpty) {
                break;
            }
            sink.found(landing, victim, victim_piece);
            ++found;
            if (on_crowning_row(mover, landing) || !sink.enter(landing, victim, victim_piece)) {
                continue;
            }
            Board next = board;
            next[victim] = kEmpty;
            next[from] = kEmpty;
            next[landing] = mover;
            // A man keeps its backward direction barred; a king may not turn straight back.
            const int next_excluded1 = reach == kManReach ? excluded1 : opposite(d);
            const int next_excluded2 =
                (k != 1 && landings == Landings::Distinct) ? d : kNoDirection;
            found += visit_capture_paths(sink, landing, next, variant, reach, next_excluded1,
                                         next_excluded2, landings);
            sink.leave();
        }
    }
    return found;
}

}  // namespace zarvo
