// A position's pieces as sets of squares, one bit per square index: a compact form in which the
// moves of a side are counted quickly and a move is applied with a few bit operations.
#pragma once

#include <cstdint>

#include "rules/board.h"
#include "rules/move.h"

namespace zarvo {

// The bit of one square.
constexpr std::uint64_t square_bit(int square) {
    return std::uint64_t{1} << square;
}

// Every square's neighbour in a direction, as bits: squares pushed off the board are dropped.
constexpr std::uint64_t shifted(std::uint64_t bits, int direction) {
    constexpr std::uint64_t kFileA = 0x0101010101010101ULL;
    constexpr std::uint64_t kFileH = kFileA << 7;
    switch (direction) {
        case kTowardFileA:
            return (bits >> 1) & ~kFileH;
        case kTowardRank1:
            return bits << 8;
        case kTowardRank8:
            return bits >> 8;
        default:
            return (bits << 1) & ~kFileA;
    }
}

// The pieces of both sides and the empty squares. A square in none of the sets holds a byte that
// is no piece (only fuzzing makes one); it blocks like an enemy piece for either side.
struct PieceBits {
    std::uint64_t red_men = 0;
    std::uint64_t red_kings = 0;
    std::uint64_t blue_men = 0;
    std::uint64_t blue_kings = 0;
    std::uint64_t empty = 0;

    static PieceBits of(const Board& board);

    constexpr std::uint64_t men(Side side) const { return side == Side::Red ? red_men : blue_men; }
    constexpr std::uint64_t kings(Side side) const {
        return side == Side::Red ? red_kings : blue_kings;
    }
    constexpr std::uint64_t pieces(Side side) const { return men(side) | kings(side); }

    // The pieces after a well-formed move of `side`, as play_move leaves them: every square the
    // path leaves, crosses or clears is empty, and the last one holds the piece, crowned when a
    // man ends on its crowning row.
    PieceBits after(const Move& move, Side side, Variant variant) const;
};

}  // namespace zarvo
