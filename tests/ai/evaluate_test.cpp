// The static score: the worked examples, the weight of every piece on every square, and the
// invariants the search relies on.
#include <gtest/gtest.h>

#include <random>

#include "ai/evaluate.h"
#include "rules/movegen.h"
#include "rules/play.h"
#include "tests/rules/test_boards.h"

namespace zarvo {
namespace {

using testing::board_with;
using testing::sq;

TEST(Evaluate, WorkedExamples) {
    // Red king on d4, red men on a7 and f7, blue men on e2 and h5.
    const Board b = board_with({{"d4", 'O'}, {"a7", 'o'}, {"f7", 'o'}, {"e2", 'x'}, {"h5", 'x'}});
    EXPECT_EQ(fast_evaluate(b, 'O'), 5108);
    EXPECT_EQ(fast_evaluate(b, 'X'), 4892);

    EXPECT_EQ(fast_evaluate(empty_board(), 'O'), 5000);
    EXPECT_EQ(fast_evaluate(empty_board(), 'X'), 5000);
    // A side without pieces still gets a plain score.
    EXPECT_EQ(fast_evaluate(board_with({{"c6", 'O'}}), 'O'), 5100);
    EXPECT_EQ(fast_evaluate(board_with({{"c6", 'O'}}), 'X'), 4900);
}

TEST(Evaluate, TheStartAndEveryFirstMoveAreEven) {
    const Board start = starting_board();
    EXPECT_EQ(fast_evaluate(start, 'O'), 5000);
    EXPECT_EQ(fast_evaluate(start, 'X'), 5000);
    for (char v : {0, 1}) {
        testing::VariantScope scope(v);
        MoveList list;
        ASSERT_EQ(generate_moves(start, 'O', list, 1), 8);
        for (std::string_view m : list.entries()) {
            Board after = start;
            ASSERT_TRUE(play_move(after, m));
            EXPECT_EQ(fast_evaluate(after, 'O'), 5000) << m;
            EXPECT_EQ(fast_evaluate(after, 'X'), 5000) << m;
        }
    }
}

// What one piece alone on a square counts for red, by the rules of the game.
int expected_for_red(char piece, int square) {
    const int column = column_of(square);
    const int row = row_of(square);
    const int file_weight = (column == 0 || column == 7) ? 15 : 12;
    switch (piece) {
        case 'O':
            return 100;
        case 'X':
            return -100;
        case 'o':
            return file_weight + (row == 1 ? 8 : 0);
        case 'x':
            return -(file_weight + (row == 6 ? 8 : 0));
        default:
            return 0;
    }
}

TEST(Evaluate, EveryPieceOnEverySquare) {
    for (int square = 0; square < 64; ++square) {
        for (char piece : {'o', 'O', 'x', 'X', '?', 'z', '\0'}) {
            Board b = empty_board();
            b[square] = piece;
            EXPECT_EQ(fast_evaluate(b, 'O'), 5000 + expected_for_red(piece, square))
                << piece << " on " << square;
            EXPECT_EQ(fast_evaluate(b, 'X'), 5000 - expected_for_red(piece, square))
                << piece << " on " << square;
        }
    }
    // A man one step from crowning is worth 8 more; on its own back rows it gets nothing.
    const int red_on_7 = fast_evaluate(board_with({{"c7", 'o'}}), 'O');
    const int red_on_6 = fast_evaluate(board_with({{"c6", 'o'}}), 'O');
    EXPECT_EQ(red_on_7 - red_on_6, 8);
    EXPECT_EQ(fast_evaluate(board_with({{"c7", 'o'}}), 'X') -
                  fast_evaluate(board_with({{"c6", 'o'}}), 'X'),
              -8);
    EXPECT_EQ(fast_evaluate(board_with({{"f2", 'x'}}), 'X') -
                  fast_evaluate(board_with({{"f3", 'x'}}), 'X'),
              8);
    EXPECT_EQ(fast_evaluate(board_with({{"c2", 'o'}}), 'O'), 5012);
    EXPECT_EQ(fast_evaluate(board_with({{"c7", 'x'}}), 'X'), 5012);
    EXPECT_EQ(fast_evaluate(board_with({{"a7", 'o'}}), 'O'), 5023);
    EXPECT_EQ(fast_evaluate(board_with({{"h2", 'x'}}), 'X'), 5023);
}

TEST(Evaluate, ScoresAddUpSquareBySquareAndTheTwoSidesMakeTenThousand) {
    std::mt19937 rng(5);
    const char codes[] = {' ', ' ', ' ', 'o', 'O', 'x', 'X', '#'};
    for (int trial = 0; trial < 5000; ++trial) {
        Board b = empty_board();
        int red = 0;
        int blue = 0;
        int expected = 5000;
        for (int square = 0; square < 64; ++square) {
            const char piece = codes[rng() % sizeof codes];
            // At most 16 pieces a side, as in any game.
            if ((to_upper(piece) == 'O' && red == 16) || (to_upper(piece) == 'X' && blue == 16)) {
                continue;
            }
            red += to_upper(piece) == 'O' ? 1 : 0;
            blue += to_upper(piece) == 'X' ? 1 : 0;
            b[square] = piece;
            expected += expected_for_red(piece, square);
        }
        const int for_red = fast_evaluate(b, 'O');
        ASSERT_EQ(for_red, expected);
        ASSERT_EQ(for_red + fast_evaluate(b, 'X'), 10000);
        ASSERT_LE(std::abs(for_red - 5000), 1600);
    }
    // Sixteen kings against nothing is the most a side can have.
    Board kings = empty_board();
    for (int square = 0; square < 16; ++square) {
        kings[square] = 'X';
    }
    EXPECT_EQ(fast_evaluate(kings, 'X'), 6600);
    EXPECT_EQ(fast_evaluate(kings, 'O'), 3400);
}

}  // namespace
}  // namespace zarvo
