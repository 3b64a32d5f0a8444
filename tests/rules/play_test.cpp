// Applying moves: steps, captures in both variants, crowning, and refusal of malformed moves.
#include <gtest/gtest.h>

#include "rules/play.h"
#include "tests/rules/test_boards.h"

namespace zarvo {
namespace {

using testing::board_with;
using testing::VariantScope;

// Applies a move in a variant and returns the board.
Board after(Board b, std::string_view move, char v) {
    VariantScope scope(v);
    EXPECT_TRUE(play_move(b, move)) << move;
    return b;
}

TEST(PlayMove, PlainAndManCapturesInBothVariants) {
    for (char v : {0, 1}) {
        Board start = starting_board();
        Board expected = start;
        expected[testing::sq("c3")] = ' ';
        expected[testing::sq("c4")] = 'o';
        EXPECT_EQ(after(start, "c3c4", v), expected);

        EXPECT_EQ(after(board_with({{"c3", 'o'}, {"c4", 'x'}}), "c3c5", v),
                  board_with({{"c5", 'o'}}));
        EXPECT_EQ(after(board_with({{"c3", 'o'}, {"c4", 'x'}, {"c6", 'x'}}), "c3c5c7", v),
                  board_with({{"c7", 'o'}}));
        EXPECT_EQ(after(board_with({{"c6", 'o'}, {"c7", 'x'}}), "c6c8", v),
                  board_with({{"c8", 'O'}}));
        EXPECT_EQ(after(board_with({{"f3", 'x'}, {"f2", 'o'}}), "f3f1", v),
                  board_with({{"f1", 'X'}}));
        EXPECT_EQ(after(board_with({{"d1", 'O'}, {"h8", 'x'}}), "d1d6", v),
                  board_with({{"d6", 'O'}, {"h8", 'x'}}));
    }
}

TEST(PlayMove, GreekKingCapturesTheSquareBehindItsLanding) {
    EXPECT_EQ(after(board_with({{"a1", 'O'}, {"a4", 'x'}}), "a1a5", 0), board_with({{"a5", 'O'}}));
}

TEST(PlayMove, TurkishKingClearsItsWholeSpan) {
    EXPECT_EQ(after(board_with({{"a1", 'O'}, {"a3", 'x'}, {"c5", 'x'}}), "a1a5e5", 1),
              board_with({{"e5", 'O'}}));
    EXPECT_EQ(after(board_with({{"h8", 'X'}, {"e8", 'o'}}), "h8b8", 1), board_with({{"b8", 'X'}}));
}

TEST(PlayMove, StopsAtTheCommaOfTheNextEntry) {
    const std::string_view list = ",c3c5,c3c5c7";
    EXPECT_EQ(after(board_with({{"c3", 'o'}, {"c4", 'x'}, {"c6", 'x'}}), list.substr(1), 0),
              board_with({{"c5", 'o'}, {"c6", 'x'}}));
}

TEST(PlayMove, CrowningOnlyForMenOnTheFarRank) {
    EXPECT_EQ(after(board_with({{"c7", 'O'}}), "c7c8", 0), board_with({{"c8", 'O'}}));
    EXPECT_EQ(after(board_with({{"c7", 'x'}}), "c7c6", 0), board_with({{"c6", 'x'}}));
    EXPECT_EQ(after(board_with({{"c2", 'x'}}), "c2c1", 1), board_with({{"c1", 'X'}}));
    // A red man on rank 1 is not crowned: its far rank is rank 8.
    EXPECT_EQ(after(board_with({{"c2", 'o'}}), "c2d2", 1), board_with({{"d2", 'o'}}));
}

TEST(PlayMove, MalformedMovesLeaveTheBoardAlone) {
    for (char v : {0, 1}) {
        VariantScope scope(v);
        for (const char* bad :
             {"", "c3", "c3c", "c3d4", "c3c3", "c3c9", "z3z4", "c3c4c", "c3c4d5", "c3c4c4"}) {
            Board b = starting_board();
            EXPECT_FALSE(play_move(b, bad)) << bad;
            EXPECT_EQ(b, starting_board()) << bad;
        }
    }
}

}  // namespace
}  // namespace zarvo
