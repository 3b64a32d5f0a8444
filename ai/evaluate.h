// The static judgement of a position that the game's three levels make: material, with a small
// weight for where a man stands.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "rules/board.h"

namespace zarvo {

// The score of an even position.
inline constexpr int kEvenScore = 5000;

// The scores of the two sides always add up to this, so one side's score turns into the other's
// as kScoreSum minus it.
inline constexpr int kScoreSum = 10000;

// What a king counts, on any square.
inline constexpr int kKingValue = 100;

// The static score of `board` for `side`: 5000 plus the side's pieces minus the opponent's, a
// king 100, a man 12 (15 on file a or h) and 8 more on the row before its crowning row. Reads
// nothing but the board.
int static_score(const Board& board, Side side);

// Red's material less blue's: the score for red less 5000, and 5000 less the score for blue.
int red_lead(const Board& board);

// What a man counts where it stands: more on the edge files, where it cannot be captured
// sideways, and more again one step from crowning.
constexpr int man_value(char man, int square) {
    const int column = column_of(square);
    const int row = row_of(square);
    int value = (column == 0 || column == 7) ? 15 : 12;
    if ((man == kRedMan && row == 1) || (man == kBlueMan && row == 6)) {
        value += 8;
    }
    return value;
}

namespace detail {

// Rows of kLeadTable: a square holding nothing that counts, a red king, a blue king, a red man,
// a blue man.
constexpr std::array<std::uint8_t, 256> make_piece_rows() {
    std::array<std::uint8_t, 256> rows{};
    rows[static_cast<unsigned char>(kRedKing)] = 1;
    rows[static_cast<unsigned char>(kBlueKing)] = 2;
    rows[static_cast<unsigned char>(kRedMan)] = 3;
    rows[static_cast<unsigned char>(kBlueMan)] = 4;
    return rows;
}
inline constexpr std::array<std::uint8_t, 256> kPieceRows = make_piece_rows();

constexpr std::array<std::array<std::int16_t, 64>, 5> make_lead_table() {
    std::array<std::array<std::int16_t, 64>, 5> t{};
    for (int square = 0; square < 64; ++square) {
        const auto sq = static_cast<std::size_t>(square);
        t[1][sq] = kKingValue;
        t[2][sq] = -kKingValue;
        t[3][sq] = static_cast<std::int16_t>(man_value(kRedMan, square));
        t[4][sq] = static_cast<std::int16_t>(-man_value(kBlueMan, square));
    }
    return t;
}
inline constexpr std::array<std::array<std::int16_t, 64>, 5> kLeadTable = make_lead_table();

}  // namespace detail

// What one square holding `piece` adds to red's lead. Looked up rather than branched on: the
// search asks for it for every square a leaf's move touches.
constexpr int red_lead_of(char piece, int square) {
    return detail::kLeadTable[detail::kPieceRows[static_cast<unsigned char>(piece)]]
                             [static_cast<std::size_t>(square)];
}

// A side's score from red's lead.
constexpr int score_from_lead(int lead, Side side) {
    return side == Side::Red ? kEvenScore + lead : kEvenScore - lead;
}

}  // namespace zarvo
