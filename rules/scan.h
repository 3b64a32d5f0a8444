// Walking a side's pieces and plain moves in the order the move list gives them, without
// writing any text: the move generator lists them this way, and the computer's search scores
// quiet positions this way.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "rules/board.h"

namespace zarvo {

// The neighbour of each square in each direction, or -1 off the board.
inline constexpr auto kNeighbour = [] {
    std::array<std::array<std::int8_t, 4>, 64> table{};
    for (int square = 0; square < 64; ++square) {
        for (int d = 0; d < 4; ++d) {
            const int r = row_of(square) + dj[d];
            const int c = column_of(square) + di[d];
            table[square][d] = static_cast<std::int8_t>(on_board(r, c) ? square_index(r, c) : -1);
        }
    }
    return table;
}();

// The square next to `square` in `direction`, or -1 off the board.
constexpr int neighbour(int square, int direction) {
    return kNeighbour[square][direction];
}

static_assert(std::endian::native == std::endian::little,
              "the scan reads a rank's eight squares as one little-endian word");

// 0x80 in each byte of `word` that equals `value`, 0 in every other byte (memory order: the
// first square in the lowest byte).
constexpr std::uint64_t bytes_equal(std::uint64_t word, char value) {
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    const std::uint64_t x = word ^ (0x0101010101010101ULL * static_cast<unsigned char>(value));
    // A byte of x is zero exactly when neither its low seven bits nor its top bit are set.
    return ~(((x & kLow7) + kLow7) | x | kLow7);
}

// The pieces of `side` (its kings and men) as bits in scan order: bit 8c + r stands for the
// square of column c and row r, so the bits run file by file, rank 8 to rank 1 within a file.
inline std::uint64_t pieces_in_scan_order(const Board& board, char side) {
    const char man = man_of(side);
    std::uint64_t mine = 0;
    for (int row = 0; row < 8; ++row) {
        std::uint64_t squares = 0;
        std::memcpy(&squares, board.data() + row * 8, 8);
        // Bit 8c of `own` is set when column c of this row holds one of the side's pieces;
        // shifted by the row, it lands on bit 8c + r.
        const std::uint64_t own = (bytes_equal(squares, side) | bytes_equal(squares, man)) >> 7;
        mine |= own << row;
    }
    return mine;
}

// The square of a bit of pieces_in_scan_order.
constexpr int scan_square(int bit) {
    return square_index(bit % 8, bit / 8);
}

// The direction in which a man of this code may not move: toward its own side.
constexpr int backward_of(char man) {
    return man == kRedMan ? 1 : 2;
}

// Whether a man on `square` has a capture: an enemy piece next to it (not behind it, not on the
// edge it would jump toward) with an empty square beyond.
inline bool man_may_capture(const Board& board, int square, char side, int backward) {
    for (int d = 0; d < 4; ++d) {
        const int q = neighbour(square, d);
        if (d == backward || q < 0 || board[q] == kEmpty || to_upper(board[q]) == side) {
            continue;
        }
        const int landing = neighbour(q, d);
        if (landing >= 0 && board[landing] == kEmpty) {
            return true;
        }
    }
    return false;
}

// Whether a king on `square` has a capture: along some line, past empty squares, an enemy
// piece with an empty square right behind it.
inline bool king_may_capture(const Board& board, int square, char side) {
    for (int d = 0; d < 4; ++d) {
        int q = neighbour(square, d);
        while (q >= 0 && board[q] == kEmpty) {
            q = neighbour(q, d);
        }
        if (q < 0 || to_upper(board[q]) == side) {
            continue;
        }
        const int landing = neighbour(q, d);
        if (landing >= 0 && board[landing] == kEmpty) {
            return true;
        }
    }
    return false;
}

// Calls step(from, to) for each plain move of `side` ('O' or 'X'), in the order the move list
// gives them, and returns whether any piece of the side can capture. When none can, these are
// the side's legal moves in either variant. With `stop_at_capture`, the walk ends at the first
// piece that can capture, for callers that want quiet positions only.
template <class Step>
bool visit_plain_moves(const Board& board, char side, Step&& step, bool stop_at_capture = false) {
    bool capture = false;
    for (std::uint64_t mine = pieces_in_scan_order(board, side); mine != 0; mine &= mine - 1) {
        const int square = scan_square(std::countr_zero(mine));
        const char piece = board[square];
        if (piece == side) {
            if (!capture && king_may_capture(board, square, side)) {
                capture = true;
                if (stop_at_capture) {
                    return true;
                }
            }
            for (int d = 0; d < 4; ++d) {
                for (int t = neighbour(square, d); t >= 0 && board[t] == kEmpty;
                     t = neighbour(t, d)) {
                    step(square, t);
                }
            }
        } else {
            const int backward = backward_of(piece);
            if (!capture && man_may_capture(board, square, side, backward)) {
                capture = true;
                if (stop_at_capture) {
                    return true;
                }
            }
            for (int d = 0; d < 4; ++d) {
                const int t = neighbour(square, d);
                if (d != backward && t >= 0 && board[t] == kEmpty) {
                    step(square, t);
                }
            }
        }
    }
    return capture;
}

}  // namespace zarvo
