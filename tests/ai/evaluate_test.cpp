// The static score: the worked examples, the weights by square, and the invariants the search
// relies on.
#include <gtest/gtest.h>

#include <random>

#include "ai/evaluate.h"
#include "rules/movegen.h"
#include "rules/play.h"
#include "tests/rules/test_boards.h"

namespace zarvo {
namespace {

using namespace testing;

TEST(Evaluate, WorkedExamples) {
    // Red king on d4, red men on a7 and f7, blue men on e2 and h5.
    const Board b = board_with({{"d4", 'O'}, {"a7", 'o'}, {"f7", 'o'}, {"e2", 'x'}, {"h5", 'x'}});
    EXPECT_EQ(static_score(b, kRed), 5108);
    EXPECT_EQ(static_score(b, kBlue), 4892);
    EXPECT_EQ(static_score(empty_board(), kRed), 5000);
    // A side without pieces still gets a plain score.
    EXPECT_EQ(static_score(board_with({{"c6", 'O'}}), kRed), 5100);
    EXPECT_EQ(static_score(board_with({{"c6", 'O'}}), kBlue), 4900);
    // A man one step from crowning is worth 8 more; on its own back rows it gets nothing; the
    // edge files are worth 15, a king 100 anywhere.
    EXPECT_EQ(static_score(board_with({{"c7", 'o'}}), kRed), 5020);
    EXPECT_EQ(static_score(board_with({{"c2", 'o'}}), kRed), 5012);
    EXPECT_EQ(static_score(board_with({{"f2", 'x'}}), kBlue), 5020);
    EXPECT_EQ(static_score(board_with({{"c7", 'x'}}), kBlue), 5012);
    EXPECT_EQ(static_score(board_with({{"a7", 'o'}}), kRed), 5023);
    EXPECT_EQ(static_score(board_with({{"h2", 'x'}}), kBlue), 5023);
    EXPECT_EQ(static_score(board_with({{"h4", 'O'}, {"a1", 'X'}, {"c3", '?'}}), kRed), 5000);
}

TEST(Evaluate, TheStartAndEveryFirstMoveAreEven) {
    for (Variant v : {kGreek, kTurkish}) {
        const Position start = starting_position(v);
        EXPECT_EQ(static_score(start.squares, kRed), 5000);
        MoveList list;
        ASSERT_EQ(generate_moves(start, kRed, list, Landings::Distinct), 8);
        for (const Move& m : list) {
            Position after = start;
            play_move(after, m);
            EXPECT_EQ(static_score(after.squares, kRed), 5000) << format_move(m);
            EXPECT_EQ(static_score(after.squares, kBlue), 5000) << format_move(m);
        }
    }
}

TEST(Evaluate, TheTwoSidesMakeTenThousandAndStayWithinSixteenKings) {
    std::mt19937 rng(5);
    const char codes[] = {' ', ' ', ' ', 'o', 'O', 'x', 'X', '#'};
    for (int trial = 0; trial < 5000; ++trial) {
        Board b = empty_board();
        int red = 0;
        int blue = 0;
        for (int square = 0; square < 64; ++square) {
            const char piece = codes[rng() % sizeof codes];
            // At most 16 pieces a side, as in any game.
            if ((belongs_to(piece, kRed) && red == 16) ||
                (belongs_to(piece, kBlue) && blue == 16)) {
                continue;
            }
            red += belongs_to(piece, kRed) ? 1 : 0;
            blue += belongs_to(piece, kBlue) ? 1 : 0;
            b[square] = piece;
        }
        const int for_red = static_score(b, kRed);
        ASSERT_EQ(for_red + static_score(b, kBlue), 10000);
        ASSERT_LE(std::abs(for_red - 5000), 1600);
        // The lead is the sum of what each square adds to it.
        int lead = 0;
        for (int square = 0; square < 64; ++square) {
            lead += red_lead_of(b[square], square);
        }
        ASSERT_EQ(red_lead(b), lead);
    }
    Board kings = empty_board();
    for (int square = 0; square < 16; ++square) {
        kings[square] = 'X';
    }
    EXPECT_EQ(static_score(kings, kBlue), 6600);
}

}  // namespace
}  // namespace zarvo
