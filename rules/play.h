// Carrying out a move: the steps, the pieces they capture, and crowning.
#pragma once

#include <algorithm>
#include <cstdint>

#include "rules/board.h"
#include "rules/move.h"

namespace zarvo {

// The squares that one step from `from` to `to` clears behind the moving piece, as bits by square
// index: in the Greek variant the one square right behind the landing (where a captured piece
// stands), in the Turkish variant every square strictly between the two. For a plain move these
// squares are already empty.
constexpr std::uint64_t captured_span(int from, int to, Variant variant) {
    const int r1 = row_of(from);
    const int c1 = column_of(from);
    const int r2 = row_of(to);
    const int c2 = column_of(to);
    if (variant == Variant::Greek) {
        const int r = r2 > r1 ? r2 - 1 : (r2 < r1 ? r2 + 1 : r2);
        const int c = c2 > c1 ? c2 - 1 : (c2 < c1 ? c2 + 1 : c2);
        const int square = square_index(r, c);
        // A one-square step clears its own start square, which the piece has just left.
        return square == from ? 0 : std::uint64_t{1} << square;
    }
    std::uint64_t span = 0;
    if (c1 == c2) {
        for (int r = std::min(r1, r2) + 1; r < std::max(r1, r2); ++r) {
            span |= std::uint64_t{1} << square_index(r, c1);
        }
    } else {
        for (int c = std::min(c1, c2) + 1; c < std::max(c1, c2); ++c) {
            span |= std::uint64_t{1} << square_index(r1, c);
        }
    }
    return span;
}

// Plays a well-formed move (see is_well_formed) on a position: the piece travels step by step,
// each step removing what it jumps, and a man that ends on its crowning row is crowned.
void play_move(Position& position, const Move& move);

}  // namespace zarvo
