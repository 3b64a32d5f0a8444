#include "ai/evaluate.h"

namespace zarvo {

namespace {

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

}  // namespace

int fast_evaluate(const Board& board, char side) {
    const char enemy = opponent(side);
    int score = kEvenScore;
    for (int square = 0; square < 64; ++square) {
        const char piece = board[square];
        // Most squares are empty; leaves are scored by the hundred thousand per move.
        if (piece == kEmpty) {
            continue;
        }
        if (piece == side) {
            score += kKingValue;
        } else if (piece == enemy) {
            score -= kKingValue;
        } else if (to_upper(piece) == side) {
            score += man_value(piece, square);
        } else if (to_upper(piece) == enemy) {
            score -= man_value(piece, square);
        }
    }
    return score;
}

}  // namespace zarvo
