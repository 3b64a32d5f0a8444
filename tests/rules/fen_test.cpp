// Positions as FEN: the exact text written, what the reader tolerates and refuses, and round trips
// over positions from play.
#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "rules/fen.h"
#include "tests/rules/test_boards.h"

namespace zarvo {
namespace {

using namespace zarvo::testing;

Fen read_ok(std::string_view text) {
    const auto read = read_fen(text);
    EXPECT_TRUE(std::holds_alternative<Fen>(read)) << text;
    return std::holds_alternative<Fen>(read) ? std::get<Fen>(read) : Fen{};
}

std::string refusal(std::string_view text) {
    const auto read = read_fen(text);
    return std::holds_alternative<FenError>(read) ? std::get<FenError>(read).message.text()
                                                  : "accepted";
}

TEST(Fen, WritesRedAsWhiteSquareBySquareFromA1) {
    const Board b = board_with({{"c4", 'O'},
                                {"b2", 'o'},
                                {"a2", 'o'},
                                {"h8", 'X'},
                                {"f7", 'x'},
                                {"g7", 'x'},
                                {"a1", 'X'}});
    EXPECT_EQ(format_fen(b, kRed), "W:Wa2,b2,Kc4:BKa1,f7,g7,Kh8");
    EXPECT_EQ(format_fen(board_with({{"d5", 'x'}}), kBlue), "B:W:Bd5");
    EXPECT_EQ(format_fen(starting_board(), kRed),
              "W:Wa2,b2,c2,d2,e2,f2,g2,h2,a3,b3,c3,d3,e3,f3,g3,h3"
              ":Ba6,b6,c6,d6,e6,f6,g6,h6,a7,b7,c7,d7,e7,f7,g7,h7");
}

TEST(Fen, ReadsListsInEitherOrderWithSpacesAndEmptyLists) {
    const Fen fen = read_ok(" B : Bf7, Kh8 ,g7 :W Kc4,a2,b2 ");
    EXPECT_EQ(fen.side_to_move, kBlue);
    EXPECT_EQ(
        fen.squares,
        board_with({{"c4", 'O'}, {"a2", 'o'}, {"b2", 'o'}, {"h8", 'X'}, {"f7", 'x'}, {"g7", 'x'}}));
    EXPECT_EQ(read_ok("W:W:Bd5").squares, board_with({{"d5", 'x'}}));
    EXPECT_EQ(read_ok("W:Wd5:B ").squares, board_with({{"d5", 'o'}}));
    // A blue man on rank 8 and a red man on rank 1 stand on their own home rows.
    EXPECT_EQ(read_ok("W:Wa1:Bh8").squares, board_with({{"a1", 'o'}, {"h8", 'x'}}));
}

TEST(Fen, RefusesWhatIsNoPosition) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "a FEN is the side to move and two lists, joined by ':'"},
        {"W:Wa2", "a FEN is the side to move and two lists, joined by ':'"},
        {"W:Wa2:Bb7:Wc3", "a FEN is the side to move and two lists, joined by ':'"},
        {"R:Wa2:Bb7", "the side to move must be W or B, not 'R'"},
        {"W:Wa2:Wb7", "the lists must be one of W and one of B, not 'Wb7'"},
        {"W:Xa2:Bb7", "the lists must be one of W and one of B, not 'Xa2'"},
        {"W:Wa9:Bb7", "'a9' is not a square"},
        {"W:W12:Bb7", "'12' is not a square"},
        {"W:Wa2,,b2:Bb7", "'' is not a square"},
        {"W:Wa2,kb2:Bb7", "'kb2' is not a square"},
        {"W:Wa2,Ka2:Bb7", "a2 is named twice"},
        {"W:Wa2:Bb7,Ka2", "a2 is named twice"},
        {"W:Wa8:Bb7", "a red man on a8, its crowning row"},
        {"B:WKa8:Bc1", "a blue man on c1, its crowning row"},
        {"W:W:B", "the board has no piece on it"},
    };
    for (const auto& [text, why] : cases) {
        EXPECT_EQ(refusal(text), why) << text;
    }
}

TEST(Fen, PositionsFromPlayRoundTrip) {
    int kings = 0;
    for (const Variant variant : {kGreek, kTurkish}) {
        for (const Situation& s : random_game_positions(variant, 11, 40, 120, 3)) {
            const std::string text = format_fen(s.position.squares, s.side);
            const Fen fen = read_ok(text);
            ASSERT_EQ(fen.squares, s.position.squares) << text;
            ASSERT_EQ(fen.side_to_move, s.side) << text;
            kings += text.find('K') != std::string::npos;
        }
    }
    EXPECT_GT(kings, 50);
}

}  // namespace
}  // namespace zarvo
