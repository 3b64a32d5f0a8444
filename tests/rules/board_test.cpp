// The board's indexing, the starting position and the piece count that decides a game.
#include <gtest/gtest.h>

#include "rules/board.h"
#include "tests/rules/test_boards.h"

namespace zarvo {
namespace {

using namespace testing;

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
    for (const char* bad : {"i1", "a9", "a0", "A1"}) {
        EXPECT_FALSE(parse_square(bad[0], bad[1])) << bad;
    }
}

TEST(Board, NeighboursFollowTheFourDirections) {
    EXPECT_EQ(neighbour(sq("e4"), kTowardFileA), sq("d4"));
    EXPECT_EQ(neighbour(sq("e4"), kTowardRank1), sq("e3"));
    EXPECT_EQ(neighbour(sq("e4"), kTowardRank8), sq("e5"));
    EXPECT_EQ(neighbour(sq("e4"), kTowardFileH), sq("f4"));
    EXPECT_EQ(neighbour(sq("a1"), kTowardFileA), -1);
    EXPECT_EQ(neighbour(sq("a1"), kTowardRank1), -1);
    EXPECT_EQ(neighbour(sq("h8"), kTowardRank8), -1);
    EXPECT_EQ(neighbour(sq("h8"), kTowardFileH), -1);
    EXPECT_EQ(opposite(kTowardFileA), kTowardFileH);
    EXPECT_EQ(opposite(kTowardRank1), kTowardRank8);
}

TEST(Board, StartingPosition) {
    const Board start = starting_board();
    for (int i = 0; i < 64; ++i) {
        const int row = row_of(i);
        const char expected = (row == 1 || row == 2) ? 'x' : (row == 5 || row == 6) ? 'o' : ' ';
        EXPECT_EQ(start[i], expected) << i;
    }
    const PieceCounts counts = count_pieces(start);
    EXPECT_EQ(counts.red, 16);
    EXPECT_EQ(counts.blue, 16);
    EXPECT_FALSE(winner_by_pieces(start));
}

TEST(Board, WinnerByPiecesAlone) {
    EXPECT_EQ(winner_by_pieces(board_with({{"a1", 'x'}, {"c5", 'X'}})), Winner::Blue);
    EXPECT_EQ(winner_by_pieces(board_with({{"a1", 'o'}, {"b2", 'O'}, {"b3", 'o'}})), Winner::Red);
    EXPECT_EQ(winner_by_pieces(empty_board()), Winner::Nobody);
    EXPECT_FALSE(winner_by_pieces(board_with({{"d4", 'O'}, {"h7", 'x'}})));
    // Bytes that are no piece count for nobody.
    Board odd = empty_board();
    odd[3] = 'z';
    odd[4] = '\0';
    EXPECT_EQ(winner_by_pieces(odd), Winner::Nobody);
    EXPECT_EQ(count_pieces(board_with({{"a1", 'o'}, {"b2", 'O'}, {"h8", 'X'}})).red, 2);
}

}  // namespace
}  // namespace zarvo
