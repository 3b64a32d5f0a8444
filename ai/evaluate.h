// The static judgement of a position: material, with a small weight for where a man stands.
#pragma once

#include "rules/board.h"

namespace zarvo {

// The score of an even position.
inline constexpr int kEvenScore = 5000;

// The scores of the two sides always add up to this, so one side's score turns into the
// other's as kScoreSum minus it.
inline constexpr int kScoreSum = 10000;

// What a king counts, on any square.
inline constexpr int kKingValue = 100;

// The static score of `board` for `side` ('O' or 'X'): 5000 plus the evaluated side's pieces
// minus the opponent's, a king 100, a man 12 (15 on file a or h) and 8 more on the row before
// its crowning row. Reads nothing but the board.
int fast_evaluate(const Board& board, char side);

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

// What one square holding `piece` adds to red's lead.
constexpr int red_lead_of(char piece, int square) {
    switch (piece) {
        case kRedKing:
            return kKingValue;
        case kBlueKing:
            return -kKingValue;
        case kRedMan:
            return man_value(kRedMan, square);
        case kBlueMan:
            return -man_value(kBlueMan, square);
        default:
            return 0;
    }
}

}  // namespace zarvo
