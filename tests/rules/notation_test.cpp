// Move strings, move lists, fixed path storage and the POS text.
#include <gtest/gtest.h>

#include <vector>

#include "rules/notation.h"

namespace zarvo {
namespace {

TEST(Notation, MoveStringEndsAtCommaOrEnd) {
    EXPECT_EQ(move_at(",c3c4,d3d4").size(), 0u);
    EXPECT_EQ(move_at("c3c4,d3d4"), "c3c4");
    EXPECT_EQ(move_at("c3c5c7"), "c3c5c7");
    std::vector<std::string_view> entries;
    for (std::string_view m : MoveEntries(",c3c4,d3d4")) {
        entries.push_back(m);
    }
    EXPECT_EQ(entries, (std::vector<std::string_view>{"c3c4", "d3d4"}));
    EXPECT_EQ(MoveEntries("").begin(), MoveEntries("").end());
    EXPECT_EQ(count_moves(",c3c4"), 1u);
    EXPECT_EQ(std::string_view(",c3c4").size(), 5u);
    EXPECT_EQ(count_moves(""), 0u);
}

TEST(Notation, WellFormedMoves) {
    for (const char* good : {"c3c4", "d1d6", "c3c5c7", "a1a5e5", "a1a4d4d1a1", "h8b8"}) {
        EXPECT_TRUE(is_well_formed_move(good)) << good;
    }
    for (const char* bad :
         {"", "c3", "c3c", "c3c4c", "c3d4", "c3c3", "c3c9", "i3i4", "c3 c4", "C3C4", "c0c1"}) {
        EXPECT_FALSE(is_well_formed_move(bad)) << bad;
    }
}

TEST(Notation, MoveStringHoldsTheLongestPathAndRefusesMore) {
    MoveString m;
    EXPECT_TRUE(m.empty());
    for (std::size_t i = 0; i < kMaxPathSquares; ++i) {
        ASSERT_TRUE(m.push_square(static_cast<int>(i)));
    }
    EXPECT_FALSE(m.push_square(5));
    EXPECT_EQ(m.squares(), kMaxPathSquares);
    EXPECT_EQ(m.view().size(), 2 * kMaxPathSquares);
    EXPECT_EQ(m.c_str()[2 * kMaxPathSquares], '\0');
    EXPECT_TRUE(m.contains(63));
    m.pop_square();
    EXPECT_FALSE(m.contains(63));
    m.clear();
    m.pop_square();
    EXPECT_TRUE(m.empty());
    EXPECT_EQ(MoveString::from("c3c5c7").view(), "c3c5c7");
    EXPECT_EQ(MoveString::from(std::string(200, 'a')).view(), "");
}

TEST(Notation, MoveListAppendsEntries) {
    MoveList list;
    EXPECT_GE(list.capacity(), MoveList::kInitialCapacity);
    list.append("c3", 36);
    list.append("c3c5", 2);
    EXPECT_EQ(list.text(), ",c3e4,c3c5c8");
    EXPECT_EQ(std::string(list.c_str()), ",c3e4,c3c5c8");
    list.clear();
    EXPECT_TRUE(list.empty());
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
    EXPECT_EQ((*b)[3], 'X');
    EXPECT_EQ((*b)[35], 'O');
    EXPECT_EQ((*b)[56], 'o');
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
