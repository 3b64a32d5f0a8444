// The board's indexing, the starting position and the piece count that decides a game.
#include <gtest/gtest.h>

#include "rules/board.h"
#include "tests/rules/test_boards.h"

namespace zarvo {
namespace {

using testing::board_with;
using testing::sq;

TEST(Board, SquareNamesAndIndexes) {
    EXPECT_EQ(sq("a8"), 0);
    EXPECT_EQ(sq("h8"), 7);
    EXPECT_EQ(sq("e4"), 36);
    EXPECT_EQ(sq("a1"), 56);
    EXPECT_EQ(sq("h1"), 63);
    EXPECT_EQ(square_name(36), (SquareName{'e', '4'}));
    for (int i = 0; i < 64; ++i) {
        const SquareName n = square_name(i);
        EXPECT_EQ(parse_square(n[0], n[1]), i);
    }
    EXPECT_FALSE(parse_square('i', '1'));
    EXPECT_FALSE(parse_square('a', '9'));
    EXPECT_FALSE(parse_square('a', '0'));
    EXPECT_FALSE(parse_square('A', '1'));
}

TEST(Board, DirectionsAndOpposites) {
    EXPECT_EQ(opposite(0), 3);
    EXPECT_EQ(opposite(1), 2);
    for (int d = 0; d < 4; ++d) {
        EXPECT_EQ(di[d] + di[opposite(d)], 0);
        EXPECT_EQ(dj[d] + dj[opposite(d)], 0);
        EXPECT_EQ(std::abs(di[d]) + std::abs(dj[d]), 1);
    }
    EXPECT_EQ(opponent('X'), 'O');
    EXPECT_EQ(opponent('O'), 'X');
}

TEST(Board, StartingPosition) {
    create_table();
    int men = 0;
    for (int i = 0; i < 64; ++i) {
        const int row = row_of(i);
        const char expected = (row == 1 || row == 2) ? 'x' : (row == 5 || row == 6) ? 'o' : ' ';
        EXPECT_EQ(table[i], expected) << i;
        men += table[i] != ' ';
    }
    EXPECT_EQ(men, 32);
    int blue = -1;
    int red = -1;
    EXPECT_EQ(check_winner(table, blue, red), 0);
    EXPECT_EQ(blue, 16);
    EXPECT_EQ(red, 16);
}

TEST(Board, WinnerByPiecesAlone) {
    int blue = -1;
    int red = -1;
    EXPECT_EQ(check_winner(board_with({{"a1", 'x'}, {"c5", 'X'}}), blue, red), 'X');
    EXPECT_EQ(blue, 2);
    EXPECT_EQ(red, 0);
    EXPECT_EQ(check_winner(board_with({{"a1", 'o'}, {"b2", 'O'}, {"b3", 'o'}}), blue, red), 'O');
    EXPECT_EQ(red, 3);
    EXPECT_EQ(check_winner(empty_board(), blue, red), 1);
    EXPECT_EQ(blue, 0);
    EXPECT_EQ(red, 0);
    EXPECT_EQ(check_winner(board_with({{"d4", 'O'}, {"h7", 'x'}}), blue, red), 0);
    // Bytes that are no piece count for nobody.
    Board odd = empty_board();
    odd[3] = 'z';
    odd[4] = '\0';
    EXPECT_EQ(check_winner(odd, blue, red), 1);
}

}  // namespace
}  // namespace zarvo
