// The turn cycle: new games, the computer's turn, passes of either side, the end of a game, the
// commands refused while the computer thinks, and quitting in the middle of its turn.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ai/search.h"
#include "game/controller.h"
#include "game/move_input.h"
#include "game/state.h"
#include "rules/movegen.h"
#include "rules/play.h"
#include "tests/game/game_fixture.h"

namespace zarvo {
namespace {

using testing::GameTest;
using testing::pos;
using testing::sq;

using Texts = std::vector<std::string>;

// Red men on ranks 3 and 4 face blue men on ranks 5 and 6: no piece of either side can move.
constexpr std::string_view kLocked =
    "......../......../xxxxxxxx/xxxxxxxx/oooooooo/oooooooo/......../........";

// Whether `after` is `before` with one legal move of `side` played, the move being `move`.
void expect_played(const Board& before, char side, std::string_view move, const Board& after) {
    ASSERT_FALSE(move.empty());
    EXPECT_EQ(check_legal(before, side, move), 1) << move;
    Board expected = before;
    ASSERT_TRUE(play_move(expected, move));
    EXPECT_EQ(after, expected) << move;
}

class NewGameTest : public GameTest {};

TEST_F(NewGameTest, HumanFirstWaitsForTheHumanOnTheStartingPosition) {
    lastmove = MoveString::from("a1a2");
    newmove = MoveString::from("b2");
    new_game();
    EXPECT_EQ(table, starting_board());
    EXPECT_EQ(status, kHumanToMove);
    EXPECT_EQ(view.texts, (Texts{"You play..."}));
    EXPECT_EQ(view.pumps, 0);
    EXPECT_TRUE(lastmove.empty());
    EXPECT_TRUE(newmove.empty());
    EXPECT_GE(view.redraws, 1);
    EXPECT_EQ(human_side(), kRed);
}

TEST_F(NewGameTest, ComputerFirstOpensAsRedAndItsMoveIsMarked) {
    new_first_player = 1;
    bool pumped_before_search = false;
    view.on_pump = [&] {
        // The status line and the position before the computer's move are on screen.
        pumped_before_search = true;
        EXPECT_EQ(status, kComputerToMove);
        EXPECT_EQ(table, starting_board());
        EXPECT_EQ(view.last_text(), "Computer plays...");
    };
    new_game();
    EXPECT_TRUE(pumped_before_search);
    EXPECT_EQ(view.pumps, 1);
    EXPECT_EQ(view.texts, (Texts{"Computer plays...", "You play..."}));
    EXPECT_EQ(status, kHumanToMove);
    EXPECT_EQ(human_side(), kBlue);
    expect_played(starting_board(), kRed, lastmove.view(), table);
    EXPECT_TRUE(newmove.empty());
    EXPECT_GE(view.redraws, 2);
}

TEST_F(NewGameTest, StagedSettingsTakeEffectOnlyAtTheNextNewGame) {
    new_game();
    new_first_player = 1;
    new_selected_level = 3;
    new_variant = 1;
    EXPECT_EQ(first_player, 2);
    EXPECT_EQ(selected_level, 1);
    EXPECT_EQ(variant, 0);
    // Moves of the game in play still follow its own variant and colours.
    testing::click_path("c3c4");
    play_button();
    EXPECT_EQ(first_player, 2);
    EXPECT_EQ(variant, 0);

    new_selected_level = 1;  // keeps the computer's first move quick
    new_game();
    EXPECT_EQ(first_player, 1);
    EXPECT_EQ(selected_level, 1);
    EXPECT_EQ(variant, 1);
    EXPECT_EQ(status, kHumanToMove);
}

TEST_F(NewGameTest, EveryGameCommandIsRefusedWhileTheComputerThinks) {
    new_first_player = 1;
    view.on_pump = [&] {
        const Board before = table;
        const int texts = static_cast<int>(view.texts.size());
        const int redraws = view.redraws;
        new_game();
        testing::click_square("a3");
        get_mouse(40, 40);
        cancel_button();
        play_button();
        EXPECT_EQ(table, before);
        EXPECT_EQ(status, kComputerToMove);
        EXPECT_TRUE(newmove.empty());
        EXPECT_EQ(static_cast<int>(view.texts.size()), texts);
        EXPECT_EQ(view.redraws, redraws);
    };
    new_game();
    // One computer move only: the refused new game started nothing inside the first.
    EXPECT_EQ(view.pumps, 1);
    EXPECT_EQ(status, kHumanToMove);
    expect_played(starting_board(), kRed, lastmove.view(), table);
}

TEST_F(NewGameTest, ALevelOutsideEasyToHardStillSearches) {
    for (char level : {0, 4, 100}) {
        human_to_move(starting_board(), 1, 0);
        status = kComputerToMove;
        selected_level = level;
        main_loop();
        EXPECT_EQ(status, kHumanToMove);
        expect_played(starting_board(), kRed, lastmove.view(), table);
    }
}

class PassTest : public GameTest {};

TEST_F(PassTest, HumanWithoutMoveLetsTheComputerMoveAgainAtOnce) {
    // The red men are locked in, except that the blue man on b3 has one move: b3b2. After it
    // a3b3 (and more) frees the human.
    const Board locked_but_one =
        pos("......../......../xxxxxxxx/xxxxxxxx/oooooooo/oxoooooo/......../........");
    for (char v : {0, 1}) {
        human_to_move(locked_but_one, 2, v);
        view.texts.clear();
        main_loop();
        EXPECT_EQ(view.texts, (Texts{"You play...", "Computer plays...", "You play..."}));
        EXPECT_EQ(status, kHumanToMove);
        EXPECT_EQ(lastmove.view(), "b3b2");
        expect_played(locked_but_one, kBlue, "b3b2", table);
        EXPECT_GT(check_if_can_play(table, kRed), 0);
    }
}

TEST_F(PassTest, ComputerWithoutMovePassesAndLeavesNoMarker) {
    // Red (the computer, moving first) has only a man on a2, hemmed in by blue men.
    const Board red_stuck =
        pos("......../......../......../......../x......./x......./oxx...../........");
    ASSERT_EQ(check_if_can_play(red_stuck, kRed), 0);
    for (char v : {0, 1}) {
        human_to_move(red_stuck, 1, v);
        status = kComputerToMove;
        lastmove = MoveString::from("a5a4");
        view.texts.clear();
        main_loop();
        EXPECT_EQ(view.texts, (Texts{"Computer plays...", "You play..."}));
        EXPECT_EQ(status, kHumanToMove);
        EXPECT_TRUE(lastmove.empty());
        EXPECT_EQ(table, red_stuck);
    }
}

TEST_F(PassTest, NeitherSideAbleToMoveEndsWithNoWinner) {
    const Board locked = pos(kLocked);
    for (char v : {0, 1}) {
        for (char first : {1, 2}) {
            for (int turn : {kHumanToMove, kComputerToMove}) {
                human_to_move(locked, first, v);
                status = turn;
                view.texts.clear();
                main_loop();
                EXPECT_EQ(view.last_text(), "No winner !");
                EXPECT_EQ(status, kNoGame);
                EXPECT_EQ(table, locked);
                EXPECT_LE(view.pumps, 2);
                view.pumps = 0;
            }
        }
    }
}

TEST_F(PassTest, ALongRunOfComputerMovesAndPassesKeepsTheStackFlat) {
    // The red men can never move and can never be taken; a blue king roams ranks 7 and 8 for
    // ever. The turn cycle must go round in one frame, not call itself for every turn.
    human_to_move(pos("X......./......../xxxxxxxx/xxxxxxxx/oooooooo/oooooooo/......../........"), 2,
                  0);
    std::vector<const void*> frames;
    view.on_pump = [&] {
        frames.push_back(__builtin_frame_address(0));
        EXPECT_EQ(check_if_can_play(table, kRed), 0);
        if (frames.size() == 300) {
            view.close();
        }
    };
    main_loop();
    ASSERT_EQ(frames.size(), 300u);
    for (const void* frame : frames) {
        EXPECT_EQ(frame, frames.front());
    }
    EXPECT_EQ(view.redraws_after_closing, 0);
    EXPECT_EQ(view.texts_after_closing, 0);
}

class EndOfGameTest : public GameTest {};

TEST_F(EndOfGameTest, MessageFollowsTheWinnerAndWhoPlaysWhichColour) {
    struct Case {
        int result;
        char first;
        const char* text;
    };
    for (const Case& c : {Case{1, 1, "No winner !"}, Case{1, 2, "No winner !"},
                          Case{'O', 2, "You win !"}, Case{'X', 1, "You win !"},
                          Case{'X', 2, "Computer wins !"}, Case{'O', 1, "Computer wins !"}}) {
        first_player = c.first;
        status = kHumanToMove;
        end_of_game(c.result);
        EXPECT_EQ(view.last_text(), c.text) << c.result << " " << int(c.first);
        EXPECT_EQ(status, kNoGame);
    }
}

TEST_F(EndOfGameTest, HumanTakesTheLastEnemyPieceAndNothingActsAfterwards) {
    const Board last_blue =
        pos("......../......../......../......../..x...../..o...../......../........");
    human_to_move(last_blue, 2, 0);
    testing::click_path("c3c5");
    play_button();
    EXPECT_EQ(view.texts, (Texts{"You win !"}));
    EXPECT_EQ(status, kNoGame);
    EXPECT_EQ(lastmove.view(), "c3c5");
    EXPECT_EQ(view.pumps, 0);
    expect_played(last_blue, kRed, "c3c5", table);

    // The final position stays on screen; clicks, "Cancel" and "Play" do nothing now.
    const Board final_position = table;
    const int redraws = view.redraws;
    testing::click_square("c5");
    testing::click_square("c6");
    cancel_button();
    play_button();
    EXPECT_EQ(table, final_position);
    EXPECT_EQ(newmove.view(), "c3c5");
    EXPECT_EQ(lastmove.view(), "c3c5");
    EXPECT_EQ(view.redraws, redraws);
}

TEST_F(EndOfGameTest, ComputerTakesTheLastPieceOfTheHuman) {
    // Turkish rules force blue's only capture, d5d3, which takes red's last man.
    const Board last_red =
        pos("......../......../......../...x..../...o..../......../......../........");
    human_to_move(last_red, 2, 1);
    status = kComputerToMove;
    main_loop();
    EXPECT_EQ(view.texts, (Texts{"Computer plays...", "Computer wins !"}));
    EXPECT_EQ(status, kNoGame);
    EXPECT_EQ(lastmove.view(), "d5d3");
    expect_played(last_red, kBlue, "d5d3", table);
}

TEST_F(EndOfGameTest, ABoardWithoutPiecesEndsAtOnceWithNoWinner) {
    for (int turn : {kHumanToMove, kComputerToMove}) {
        human_to_move(empty_board(), 2, 0);
        status = turn;
        main_loop();
        EXPECT_EQ(view.last_text(), "No winner !");
        EXPECT_EQ(status, kNoGame);
        EXPECT_EQ(view.pumps, 0);
    }
}

class QuitTest : public GameTest {};

TEST_F(QuitTest, ClosingBeforeTheSearchStopsTheTurnCycle) {
    new_first_player = 1;
    view.on_pump = [&] { view.close(); };
    new_game();
    EXPECT_EQ(view.pumps, 1);
    EXPECT_EQ(table, starting_board());
    EXPECT_EQ(view.redraws_after_closing, 0);
    EXPECT_EQ(view.texts_after_closing, 0);
}

testing::RecordingView* closing_view = nullptr;
int hook_calls = 0;

TEST_F(QuitTest, ClosingDuringTheSearchStopsAfterTheComputersMove) {
    // The red men can never move, so without the close the computer would move for ever.
    const Board roaming =
        pos("X......./......../xxxxxxxx/xxxxxxxx/oooooooo/oooooooo/......../........");
    human_to_move(roaming, 2, 0);
    closing_view = &view;
    hook_calls = 0;
    set_event_hook([] {
        ++hook_calls;
        closing_view->close();
    });
    // Should the search never handle events, stop the endless game all the same.
    view.on_pump = [&] {
        if (view.pumps == 3) {
            view.close();
        }
    };
    main_loop();
    EXPECT_GE(hook_calls, 1);
    EXPECT_EQ(view.pumps, 1);
    expect_played(roaming, kBlue, lastmove.view(), table);
    EXPECT_EQ(view.redraws_after_closing, 0);
    EXPECT_EQ(view.texts_after_closing, 0);
}

}  // namespace
}  // namespace zarvo
