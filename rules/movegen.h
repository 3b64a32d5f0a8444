// The legal moves of a side in either variant: plain moves, capture paths, the Turkish rule of
// the greatest capture, and the legality test of a player's path.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

#include "rules/board.h"
#include "rules/capture_paths.h"
#include "rules/move.h"
#include "rules/piece_bits.h"

namespace zarvo {

// Lists the legal moves of `side` into `list` (replacing what it held) and returns how many
// there are. Plain moves come first, piece by piece in scan order (file a to h, and rank 8 to 1
// within a file), a king's by direction and nearest first. In the Greek variant every capture
// path follows, each before its own continuations; in the Turkish variant, when any capture
// exists, the greatest captures replace everything.
int generate_moves(const Position& position, Side side, MoveList& list, Landings landings);

// The same, for a caller that already holds the position's pieces as bits.
int generate_moves(const Position& position, const PieceBits& bits, Side side, MoveList& list,
                   Landings landings);

// The number of legal moves generate_moves would list, found without writing them.
int count_legal_moves(const Position& position, Side side, Landings landings);

// The same count from a position's pieces as bits, or kKingCaptures when one of the side's kings
// can capture (its paths are then walked on the board by count_legal_moves). Kings that cannot
// capture make the count the same for either kind of landing list. (A plain int rather than an
// optional: perft calls this for every node of its last ply.)
inline constexpr int kKingCaptures = -1;
int count_moves_unless_a_king_captures(const PieceBits& bits, Side side, Variant variant);

// Whether `move` is exactly one whole legal move of `side` (every landing choice counted).
bool is_legal(const Position& position, Side side, const Move& move);

// The Turkish rule of the greatest capture, applied to capture paths as they are found: only the
// paths that take the most pieces stay legal.
class GreatestCapture {
  public:
    enum class Verdict : std::uint8_t { Shorter, AsLong, Longer };

    // Judges one more path that takes `captures` pieces against every path judged before it: a
    // longer one drops them all.
    constexpr Verdict judge(std::size_t captures) {
        if (captures > most_) {
            most_ = captures;
            return Verdict::Longer;
        }
        return captures == most_ ? Verdict::AsLong : Verdict::Shorter;
    }

  private:
    std::size_t most_ = 0;
};

// Bits by square index (8 r + c) rearranged into scan order (8 c + r), so that they run file by
// file, rank 8 to rank 1 within a file: the transpose of the 8 x 8 matrix of bits.
constexpr std::uint64_t in_scan_order(std::uint64_t x) {
    std::uint64_t t = 0x0F0F0F0F00000000ULL & (x ^ (x << 28));
    x ^= t ^ (t >> 28);
    t = 0x3333000033330000ULL & (x ^ (x << 14));
    x ^= t ^ (t >> 14);
    t = 0x5500550055005500ULL & (x ^ (x << 7));
    x ^= t ^ (t >> 7);
    return x;
}

// The square of a bit of pieces_in_scan_order.
constexpr int scan_square(int bit) {
    return square_index(bit % 8, bit / 8);
}

// The men of `side` that can jump: an enemy piece next to them (not behind them) with an empty
// square beyond. All men are tested at once, a direction at a time.
constexpr std::uint64_t capturing_men(const PieceBits& bits, Side side) {
    const std::uint64_t men = bits.men(side);
    const std::uint64_t empty = bits.empty;
    const std::uint64_t enemy = ~(bits.pieces(side) | empty);
    // For each direction a man may jump in: the squares two steps back from an empty square,
    // across an enemy piece. Red jumps up the board (to lower square numbers), blue down.
    const std::uint64_t ahead =
        side == Side::Red ? (((empty << 8) & enemy) << 8) : (((empty >> 8) & enemy) >> 8);
    const std::uint64_t to_file_a = shifted(shifted(empty, kTowardFileH) & enemy, kTowardFileH);
    const std::uint64_t to_file_h = shifted(shifted(empty, kTowardFileA) & enemy, kTowardFileA);
    return men & (ahead | to_file_a | to_file_h);
}

// Whether the king of `side` on `square` can capture: along some line, past empty squares, an
// enemy piece with an empty square right behind it.
constexpr bool king_can_capture(const PieceBits& bits, int square, Side side) {
    const std::uint64_t enemy = ~(bits.pieces(side) | bits.empty);
    for (int d = 0; d < 4; ++d) {
        int q = neighbour(square, d);
        while (q >= 0 && (bits.empty & square_bit(q)) != 0) {
            q = neighbour(q, d);
        }
        if (q < 0 || (enemy & square_bit(q)) == 0) {
            continue;
        }
        const int landing = neighbour(q, d);
        if (landing >= 0 && (bits.empty & square_bit(landing)) != 0) {
            return true;
        }
    }
    return false;
}

// The pieces of `side` that can capture, as bits by square index.
constexpr std::uint64_t capturing_pieces(const PieceBits& bits, Side side) {
    std::uint64_t capturing = capturing_men(bits, side);
    for (std::uint64_t kings = bits.kings(side); kings != 0; kings &= kings - 1) {
        const int square = std::countr_zero(kings);
        if (king_can_capture(bits, square, side)) {
            capturing |= square_bit(square);
        }
    }
    return capturing;
}

// Calls step(from, to) for each plain move of `side` (whose pieces `bits` holds), in the order the
// move list gives them: piece by piece in scan order, a man's by direction, a king's by direction
// and nearest first.
template <class Step>
void visit_plain_moves(const Board& board, const PieceBits& bits, Side side, Step&& step) {
    const char king = king_of(side);
    for (std::uint64_t mine = in_scan_order(bits.pieces(side)); mine != 0; mine &= mine - 1) {
        const int square = scan_square(std::countr_zero(mine));
        const char piece = board[square];
        if (piece == king) {
            for (int d = 0; d < 4; ++d) {
                for (int t = neighbour(square, d); t >= 0 && board[t] == kEmpty;
                     t = neighbour(t, d)) {
                    step(square, t);
                }
            }
        } else {
            const int backward = backward_of(piece);
            for (int d = 0; d < 4; ++d) {
                const int t = neighbour(square, d);
                if (d != backward && t >= 0 && board[t] == kEmpty) {
                    step(square, t);
                }
            }
        }
    }
}

// Calls captures(square, reach, excluded) for each piece of `side` among `capturing` (bits by
// square index), in scan order: a king with its long reach and no direction excluded, a man with
// reach one and its backward direction excluded.
template <class Captures>
void visit_capturing_pieces(const Board& board, Side side, std::uint64_t capturing,
                            Captures&& captures) {
    const char king = king_of(side);
    for (std::uint64_t mine = in_scan_order(capturing); mine != 0; mine &= mine - 1) {
        const int square = scan_square(std::countr_zero(mine));
        const char piece = board[square];
        if (piece == king) {
            captures(square, kKingReach, kNoDirection);
        } else {
            captures(square, kManReach, backward_of(piece));
        }
    }
}

}  // namespace zarvo
