// Move strings, comma lists, the notation players read and the POS text.
#include <gtest/gtest.h>

#include "rules/notation.h"
#include "tests/rules/test_boards.h"

namespace zarvo {
namespace {

using namespace testing;

TEST(Notation, MoveStringsRoundTripAndRefuseAnythingElse) {
    for (const char* text : {"c3", "c3c4", "d1d6", "c3c5c7", "a1a4d4d1a1", "c3d4"}) {
        const std::optional<Move> move = parse_move(text);
        ASSERT_TRUE(move) << text;
        EXPECT_EQ(format_move(*move), text);
    }
    for (const char* bad : {"", "c", "c3c", "c3 c4", "C3C4", "c0c1", "c3c9", "i3i4", "c3c4,d3d4"}) {
        EXPECT_FALSE(parse_move(bad)) << bad;
    }
    EXPECT_FALSE(parse_move(std::string(2 * kMaxPathSquares + 2, 'a')));
}

TEST(Notation, WellFormedMoves) {
    for (const char* good : {"c3c4", "d1d6", "c3c5c7", "a1a5e5", "a1a4d4d1a1", "h8b8"}) {
        EXPECT_TRUE(is_well_formed(path(good))) << good;
    }
    for (const char* bad : {"c3", "c3d4", "c3c3", "c3c4c4", "c3c4d5"}) {
        EXPECT_FALSE(is_well_formed(path(bad))) << bad;
    }
}

TEST(Notation, PathsHoldTheLongestAndRefuseMore) {
    std::string every_square;
    for (int i = 0; i < 64; ++i) {
        every_square += format_move(Move{i});
    }
    Move m = path(every_square);
    EXPECT_FALSE(m.push(5));
    EXPECT_EQ(m.size(), kMaxPathSquares);
    EXPECT_TRUE(m.contains(63));
    m.pop();
    EXPECT_FALSE(m.contains(63));
    EXPECT_TRUE(path("c3c5c7").starts_with(path("c3c5")));
    EXPECT_FALSE(path("c3c5").starts_with(path("c3c5c7")));
}

TEST(Notation, CommaListsAndPlayersNotation) {
    MoveList list;
    EXPECT_EQ(format_move_list(list), "");
    list.push_step(sq("c3"), sq("c4"));
    list.push_extended(path("c3c5"), sq("c7"));
    EXPECT_EQ(format_move_list(list), ",c3c4,c3c5c7");

    const Position men{board_with({{"c3", 'o'}, {"c4", 'x'}, {"c6", 'x'}}), kGreek};
    EXPECT_EQ(describe_move(men, path("c3c5c7")), "c3xc5xc7");
    EXPECT_EQ(describe_move(men, path("c3d3")), "c3-d3");
    // A king's capture from afar and a long slide differ only by what lies between.
    const Position king{board_with({{"a1", 'O'}, {"a3", 'x'}}), kTurkish};
    EXPECT_EQ(describe_move(king, path("a1a5")), "a1xa5");
    EXPECT_EQ(describe_move(king, path("a1d1")), "a1-d1");
}

TEST(Notation, PositionText) {
    const auto start = parse_pos("start");
    ASSERT_TRUE(start);
    EXPECT_EQ(*start, starting_board());
    const std::string text = format_pos(*start);
    EXPECT_EQ(text, "......../xxxxxxxx/xxxxxxxx/......../......../oooooooo/oooooooo/........");
    EXPECT_EQ(parse_pos(text), start);
    const auto b =
        parse_pos("...X..../......../......../......../...O..../......../......../o.......");
    ASSERT_TRUE(b);
    EXPECT_EQ(*b, board_with({{"d8", 'X'}, {"d4", 'O'}, {"a1", 'o'}}));
    for (const char* bad :
         {"", "begin", "......../......../",
          "........|......../......../......../......../......../......../........",
          "......../......../......../......../......../......../......../.......",
          "......../......../......../......../......../......../......../.........",
          "......../......../......../......../......../......../......../.......z",
          "......../......../......../......../......../......../......../....... "}) {
        EXPECT_FALSE(parse_pos(bad)) << bad;
    }
}

}  // namespace
}  // namespace zarvo
