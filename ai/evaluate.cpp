#include "ai/evaluate.h"

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
        t.red[static_cast<std::size_t>(square)] =
            static_cast<std::int16_t>(man_value(kRedMan, square));
        t.blue[static_cast<std::size_t>(square)] =
            static_cast<std::int16_t>(man_value(kBlueMan, square));
    }
    return t;
}

constexpr ManTables kMen = make_man_tables();

}  // namespace

// Every square counts the same for one side as against the other, so the two sides' scores are
// mirror images around 5000. Written without branches so that the compiler can weigh many squares
// at once.
int red_lead(const Board& board) {
    int lead = 0;
    for (std::size_t square = 0; square < 64; ++square) {
        const char piece = board[square];
        lead += (piece == kRedKing) * kKingValue - (piece == kBlueKing) * kKingValue +
                (piece == kRedMan) * kMen.red[square] - (piece == kBlueMan) * kMen.blue[square];
    }
    return lead;
}

int static_score(const Board& board, Side side) {
    return score_from_lead(red_lead(board), side);
}

}  // namespace zarvo
