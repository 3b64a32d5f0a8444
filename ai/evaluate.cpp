#include "ai/evaluate.h"

#include <cstdint>

namespace zarvo {

namespace {

// The value of a red man and of a blue man on every square.
struct ManTables {
    std::array<std::int16_t, 64> red{};
    std::array<std::int16_t, 64> blue{};
};

constexpr ManTables make_man_tables() {
    ManTables t;
    for (int square = 0; square < 64; ++square) {
        t.red[square] = static_cast<std::int16_t>(man_value(kRedMan, square));
        t.blue[square] = static_cast<std::int16_t>(man_value(kBlueMan, square));
    }
    return t;
}

constexpr ManTables kMen = make_man_tables();

}  // namespace

// Written without branches so that the compiler can weigh many squares at once: leaves are
// scored by the million in one move at Hard.
int red_lead(const Board& board) {
    int lead = 0;
    for (int square = 0; square < 64; ++square) {
        const char piece = board[square];
        lead += (piece == kRedKing) * kKingValue - (piece == kBlueKing) * kKingValue +
                (piece == kRedMan) * kMen.red[square] - (piece == kBlueMan) * kMen.blue[square];
    }
    return lead;
}

namespace {

// The score square by square, for any side letter.
int evaluate_square_by_square(const Board& board, char side) {
    const char enemy = opponent(side);
    int score = kEvenScore;
    for (int square = 0; square < 64; ++square) {
        const char piece = board[square];
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

}  // namespace

int fast_evaluate(const Board& board, char side) {
    // Every square counts the same for one side as against the other, so the two scores are
    // mirror images around 5000.
    if (side == kRed) {
        return kEvenScore + red_lead(board);
    }
    if (side == kBlue) {
        return kEvenScore - red_lead(board);
    }
    return evaluate_square_by_square(board, side);
}

}  // namespace zarvo
