// What the window asks of a game's record: the position after each turn (the move list shows
// it), a pasted position read into a record to open, and the roster a saved record names.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "game/pasted_position.h"
#include "game/roster.h"
#include "rules/notation.h"

namespace zarvo {
namespace {

TEST(RecordTest, EachTurnEndsWhereTheNextBeginsAndAPassLeavesThePosition) {
    // Red takes c5 with c4xc6; a turn with no move (a pass) leaves the position as it stood.
    Position start{*parse_pos("......../......../......../..x...../..o...../......../......../"
                              "........"),
                   Variant::Greek};
    GameRecord record{start, Side::Red, {}, GameResult::Unfinished};
    record.turns.push_back({Side::Red, start, *parse_move("c4c6")});
    const Position taken = record.turns[0].after();
    EXPECT_EQ(format_pos(taken.squares),
              "......../......../..o...../......../......../......../......../........");
    record.turns.push_back({Side::Blue, taken, std::nullopt});
    EXPECT_EQ(record.turns[1].after(), taken);
    EXPECT_EQ(record.end(), taken);
    EXPECT_EQ(record.side_to_move(), Side::Red);
}

TEST(RecordTest, APastedFenOrPosBecomesARecordInTheStagedVariant) {
    const auto fen = pasted_record("B:Wa2,Kc4:Bf7", Variant::Turkish);
    ASSERT_TRUE(fen);
    EXPECT_EQ(fen->start.variant, Variant::Turkish);
    EXPECT_EQ(fen->first_side, Side::Blue);
    EXPECT_EQ(format_pos(fen->start.squares),
              "......../.....x../......../......../..O...../......../o......./........");
    EXPECT_TRUE(fen->turns.empty());
    EXPECT_EQ(fen->result, GameResult::Unfinished);

    // A POS names no side: red is to move.
    const auto pos = pasted_record("start", Variant::Greek);
    ASSERT_TRUE(pos);
    EXPECT_EQ(pos->start, starting_position(Variant::Greek));
    EXPECT_EQ(pos->first_side, Side::Red);

    for (const char* text : {"", "hello", "W:Wa8", "W:Wa2,a2:Bb7", "oooooooo/"}) {
        EXPECT_FALSE(pasted_record(text, Variant::Greek)) << text;
    }
}

// A translator that marks what it was handed, to show each name is asked in the player's
// language.
const char* marked(const char* english) {
    return std::strcmp(english, "You") == 0 ? "Siz" : english;
}

TEST(RecordTest, TheRosterNamesThePlayersByColourAndLevel) {
    const GameSettings human_first{FirstPlayer::Human, Level::Hard, Variant::Greek};
    const PdnRoster red = game_roster(human_first, false, "2024.03.09");
    EXPECT_EQ(red.red_player, "You");
    EXPECT_EQ(red.blue_player, "Zarvo (Hard)");
    EXPECT_EQ(red.date, "2024.03.09");

    const GameSettings computer_first{FirstPlayer::Computer, Level::Expert, Variant::Turkish};
    const PdnRoster blue = game_roster(computer_first, false, "", marked);
    EXPECT_EQ(blue.red_player, "Zarvo (Expert)");
    EXPECT_EQ(blue.blue_player, "Siz");
    EXPECT_EQ(blue.date, PdnRoster{}.date) << "an unknown day stays unknown";

    for (const Level level : {Level::Easy, Level::Medium}) {
        const PdnRoster r = game_roster({FirstPlayer::Human, level, Variant::Greek}, false, "");
        EXPECT_EQ(r.blue_player, level == Level::Easy ? "Zarvo (Easy)" : "Zarvo (Medium)");
    }
    const PdnRoster people = game_roster(computer_first, true, "");
    EXPECT_EQ(people.red_player, "Red player");
    EXPECT_EQ(people.blue_player, "Blue player");
    EXPECT_EQ(people.event, "Zarvo game");
}

}  // namespace
}  // namespace zarvo
