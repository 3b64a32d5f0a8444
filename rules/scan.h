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

// The three directions of a red man (backward 1) and of a blue man (backward 2), in order.
inline constexpr std::array<int, 3> kRedManDirections{0, 2, 3};
inline constexpr std::array<int, 3> kBlueManDirections{0, 1, 3};

// The directions of a man whose backward direction is `backward` (1 or 2).
constexpr const std::array<int, 3>& man_directions(int backward) {
    return backward == 1 ? kRedManDirections : kBlueManDirections;
}

// Whether a man on `square` has a capture: an enemy piece next to it (not behind it, not on the
// edge it would jump toward) with an empty square beyond.
inline bool man_may_capture(const Board& board, int square, char side, int backward) {
    for (int d : man_directions(backward)) {
        const int q = neighbour(square, d);
        if (q < 0 || board[q] == kEmpty || to_upper(board[q]) == side) {
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
// the side's legal moves in either variant.
template <class Step>
bool visit_plain_moves(const Board& board, char side, Step&& step) {
    bool capture = false;
    for (std::uint64_t mine = pieces_in_scan_order(board, side); mine != 0; mine &= mine - 1) {
        const int square = scan_square(std::countr_zero(mine));
        const char piece = board[square];
        if (piece == side) {
            capture = capture || king_may_capture(board, square, side);
            for (int d = 0; d < 4; ++d) {
                for (int t = neighbour(square, d); t >= 0 && board[t] == kEmpty;
                     t = neighbour(t, d)) {
                    step(square, t);
                }
            }
        } else {
            const int backward = backward_of(piece);
            capture = capture || man_may_capture(board, square, side, backward);
            for (int d : man_directions(backward)) {
                const int t = neighbour(square, d);
                if (t >= 0 && board[t] == kEmpty) {
                    step(square, t);
                }
            }
        }
    }
    return capture;
}

// Searches the capture paths that continue from `from`, where the moving piece stands on
// `board`, depth first: each path is reported before its own continuations, jumps by
// direction 0 to 3 and landings nearest first. `reach` is 1 for a man and 6 for a king;
// directions `excluded1` and `excluded2` (or -1) are not tried. The sink hears of each path:
//   sink.found(landing, victim, victim_piece)  one more path, ending with this jump;
//   sink.enter(landing, victim, victim_piece)  its continuations are about to be searched
//                                              (false: not searched);
//   sink.leave()                               they have been.
// Returns the number of paths reported.
template <class Sink>
int visit_capture_paths(Sink& sink, int from, const Board& board, int reach, int excluded1,
                        int excluded2, char prune) {
    const char mover = board[from];
    const char mover_side = to_upper(mover);
    const int max_landing = variant == 0 ? 1 : reach;
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
            // A man that reaches its crowning row ends its chain there.
            const int landing_row = row_of(landing);
            if ((mover == kRedMan && landing_row == 0) || (mover == kBlueMan && landing_row == 7)) {
                continue;
            }
            if (!sink.enter(landing, victim, victim_piece)) {
                continue;
            }
            // The captured piece leaves at once, so it is never jumped twice.
            Board next = board;
            next[victim] = kEmpty;
            next[from] = kEmpty;
            next[landing] = mover;
            // A man keeps its backward direction barred; a king may not turn straight back.
            const int next_excluded1 = reach == 1 ? excluded1 : opposite(d);
            const int next_excluded2 = (k != 1 && prune != 0) ? d : -1;
            found += visit_capture_paths(sink, landing, next, reach, next_excluded1, next_excluded2,
                                         prune);
            sink.leave();
        }
    }
    return found;
}

// Calls captures(square, reach, excluded) for each piece of `side` that can capture, in scan
// order: reach 6 and no excluded direction for a king, reach 1 and its backward direction for a
// man.
template <class Captures>
void visit_capturing_pieces(const Board& board, char side, Captures&& captures) {
    for (std::uint64_t mine = pieces_in_scan_order(board, side); mine != 0; mine &= mine - 1) {
        const int square = scan_square(std::countr_zero(mine));
        const char piece = board[square];
        if (piece == side) {
            if (king_may_capture(board, square, side)) {
                captures(square, 6, -1);
            }
        } else if (man_may_capture(board, square, side, backward_of(piece))) {
            captures(square, 1, backward_of(piece));
        }
    }
}

}  // namespace zarvo
