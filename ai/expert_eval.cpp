#include "ai/expert_eval.h"

#include <algorithm>
#include <bit>

namespace zarvo {

namespace {

// The rank a man of each side starts its rows from, as a row of the board: rank 2 for red, rank 7
// for blue.
constexpr int kRedHomeRow = 6;
constexpr int kBlueHomeRow = 1;
constexpr std::uint64_t row_bits(int row) {
    return std::uint64_t{0xFF} << (8 * row);
}

// A full board: the blend of opening and ending weights is by the pieces left out of this many.
constexpr int kFullBoard = 32;

// The square that a square of red's mirrors for blue: the same file, the rank seen from the other
// side.
constexpr int mirrored(int square) {
    return square_index(7 - row_of(square), column_of(square));
}

// The plain moves of a side's men, counted for all of them at once.
int men_moves(const PieceBits& bits, Side side) {
    const std::uint64_t men = bits.men(side);
    const std::uint64_t ahead = side == Side::Red ? men >> 8 : men << 8;
    return count_bits(ahead & bits.empty) + count_bits(shifted(men, kTowardFileA) & bits.empty) +
           count_bits(shifted(men, kTowardFileH) & bits.empty);
}

// The squares one king can slide to.
int king_moves(const PieceBits& bits, int square) {
    int n = 0;
    for (int d = 0; d < 4; ++d) {
        for (int t = neighbour(square, d); t >= 0 && (bits.empty & square_bit(t)) != 0;
             t = neighbour(t, d)) {
            ++n;
        }
    }
    return n;
}

}  // namespace

ExpertEval::ExpertEval(const ExpertWeights& weights) : weights_(weights) {
    for (int square = 0; square < 64; ++square) {
        const auto s = static_cast<std::size_t>(square);
        const int row = row_of(square);
        const int column = column_of(square);
        const auto advanced = static_cast<std::size_t>(7 - row);
        red_man_opening_[s] = 100 + weights.advance_opening[advanced];
        red_man_ending_[s] = 100 + weights.advance_ending[advanced];
        for (int r = row - 1; r >= 0; --r) {
            red_file_ahead_[s] |= square_bit(square_index(r, column));
            for (int c = std::max(0, column - 1); c <= std::min(7, column + 1); ++c) {
                red_corridor_[s] |= square_bit(square_index(r, c));
            }
        }
    }
    for (int square = 0; square < 64; ++square) {
        const auto s = static_cast<std::size_t>(square);
        const auto m = static_cast<std::size_t>(mirrored(square));
        for (std::uint64_t b = red_file_ahead_[m]; b != 0; b &= b - 1) {
            blue_file_ahead_[s] |= square_bit(mirrored(std::countr_zero(b)));
        }
        for (std::uint64_t b = red_corridor_[m]; b != 0; b &= b - 1) {
            blue_corridor_[s] |= square_bit(mirrored(std::countr_zero(b)));
        }
    }
}

int ExpertEval::red_lead(const PieceBits& bits, Variant variant) const {
    const ExpertWeights& w = weights_;
    const int red_men = count_bits(bits.red_men);
    const int blue_men = count_bits(bits.blue_men);
    const int red_kings = count_bits(bits.red_kings);
    const int blue_kings = count_bits(bits.blue_kings);
    const int pieces = std::min(kFullBoard, red_men + blue_men + red_kings + blue_kings);
    const int ending = kFullBoard - pieces;
    const int king = variant == Variant::Greek ? w.greek_king : w.turkish_king;
    const std::uint64_t occupied = bits.pieces(Side::Red) | bits.pieces(Side::Blue);

    const int material = 100 * (red_men - blue_men) + king * (red_kings - blue_kings);
    int lead = material;
    if (pieces > 0) {
        lead += material * w.trade_down / (100 * pieces);
    }

    // The men, by how far they have come, and those with a free path to crowning.
    int men_opening = 0;
    int men_ending = 0;
    int free_paths = 0;
    for (std::uint64_t men = bits.red_men; men != 0; men &= men - 1) {
        const auto s = static_cast<std::size_t>(std::countr_zero(men));
        men_opening += red_man_opening_[s];
        men_ending += red_man_ending_[s];
        if ((red_file_ahead_[s] & occupied) == 0 && (red_corridor_[s] & bits.blue_men) == 0) {
            const int to_go = row_of(static_cast<int>(s));
            free_paths += (blue_kings > 0 ? w.free_path / 2 : w.free_path) * (8 - to_go) / 7;
        }
    }
    for (std::uint64_t men = bits.blue_men; men != 0; men &= men - 1) {
        const int square = std::countr_zero(men);
        const auto m = static_cast<std::size_t>(mirrored(square));
        const auto s = static_cast<std::size_t>(square);
        men_opening -= red_man_opening_[m];
        men_ending -= red_man_ending_[m];
        if ((blue_file_ahead_[s] & occupied) == 0 && (blue_corridor_[s] & bits.red_men) == 0) {
            const int to_go = 7 - row_of(square);
            free_paths -= (red_kings > 0 ? w.free_path / 2 : w.free_path) * (8 - to_go) / 7;
        }
    }
    // The men's value above 100 each: material already counted them once.
    lead += (men_opening * pieces + men_ending * ending) / kFullBoard - 100 * (red_men - blue_men);
    lead += free_paths;

    // The home rank guards the crowning row while the other side has men to crown.
    const int red_guards = blue_men > 0 ? count_bits(bits.red_men & row_bits(kRedHomeRow)) : 0;
    const int blue_guards = red_men > 0 ? count_bits(bits.blue_men & row_bits(kBlueHomeRow)) : 0;
    lead += w.home_guard * (red_guards - blue_guards) * pieces / kFullBoard;

    // Mobility, and the freedom of the kings, which counts for more as the board empties.
    int mobility = men_moves(bits, Side::Red) - men_moves(bits, Side::Blue);
    int freedom = 0;
    int boxed = 0;
    for (std::uint64_t kings = bits.red_kings; kings != 0; kings &= kings - 1) {
        const int n = king_moves(bits, std::countr_zero(kings));
        mobility += n;
        freedom += n;
        boxed += n == 0 ? 1 : 0;
    }
    for (std::uint64_t kings = bits.blue_kings; kings != 0; kings &= kings - 1) {
        const int n = king_moves(bits, std::countr_zero(kings));
        mobility -= n;
        freedom -= n;
        boxed -= n == 0 ? 1 : 0;
    }
    lead += w.mobility * mobility + w.king_freedom * freedom * ending / kFullBoard -
            w.boxed_king * boxed;

    // Kings alone against as many kings cannot be made to win: such a lead is mostly noise.
    if (red_men == 0 && blue_men == 0 && red_kings == blue_kings) {
        lead /= 8;
    }
    return lead;
}

int ExpertEval::evaluate(const PieceBits& bits, Side to_move, Variant variant) const {
    const int lead = red_lead(bits, variant);
    return to_move == Side::Red ? lead : -lead;
}

}  // namespace zarvo
