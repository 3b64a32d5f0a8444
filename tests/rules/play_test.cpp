// Applying moves: steps, captures in both variants, and crowning.
#include <gtest/gtest.h>

#include "rules/play.h"
#include "tests/rules/test_boards.h"

namespace zarvo {
namespace {

using namespace testing;

// Plays a move in a variant and returns the board.
Board after(const Board& b, std::string_view move, Variant v) {
    Position p{b, v};
    const Move m = path(move);
    EXPECT_TRUE(is_well_formed(m)) << move;
    play_move(p, m);
    return p.squares;
}

TEST(PlayMove, PlainAndManCapturesInBothVariants) {
    for (Variant v : {kGreek, kTurkish}) {
        Board expected = starting_board();
        expected[sq("c3")] = ' ';
        expected[sq("c4")] = 'o';
        EXPECT_EQ(after(starting_board(), "c3c4", v), expected);

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
    EXPECT_EQ(after(board_with({{"a1", 'O'}, {"a4", 'x'}}), "a1a5", kGreek),
              board_with({{"a5", 'O'}}));
}

TEST(PlayMove, TurkishKingClearsItsWholeSpan) {
    EXPECT_EQ(after(board_with({{"a1", 'O'}, {"a3", 'x'}, {"c5", 'x'}}), "a1a5e5", kTurkish),
              board_with({{"e5", 'O'}}));
    EXPECT_EQ(after(board_with({{"h8", 'X'}, {"e8", 'o'}}), "h8b8", kTurkish),
              board_with({{"b8", 'X'}}));
    // A path that returns to its start square ends with the king there.
    EXPECT_EQ(after(board_with({{"a1", 'O'}, {"a3", 'x'}, {"c4", 'x'}, {"d3", 'x'}, {"b1", 'X'}}),
                    "a1a4d4d1a1", kTurkish),
              board_with({{"a1", 'O'}}));
}

TEST(PlayMove, CrowningOnlyForMenOnTheFarRank) {
    EXPECT_EQ(after(board_with({{"c7", 'O'}}), "c7c8", kGreek), board_with({{"c8", 'O'}}));
    EXPECT_EQ(after(board_with({{"c7", 'x'}}), "c7c6", kGreek), board_with({{"c6", 'x'}}));
    EXPECT_EQ(after(board_with({{"c2", 'x'}}), "c2c1", kTurkish), board_with({{"c1", 'X'}}));
    // A red man on rank 1 is not crowned: its far rank is rank 8.
    EXPECT_EQ(after(board_with({{"c2", 'o'}}), "c2d2", kTurkish), board_with({{"d2", 'o'}}));
}

}  // namespace
}  // namespace zarvo
