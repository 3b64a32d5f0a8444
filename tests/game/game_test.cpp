// The game and its turn controller: new games, the computer's turn, passes, the end of a game,
// how the human's path is built, taken back and played, and the record of the moves.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "tests/game/game_fixture.h"

namespace zarvo {
namespace {

using namespace testing;

constexpr Variant kGreek = Variant::Greek;
constexpr Variant kTurkish = Variant::Turkish;

// The square index of a name such as "e4".
int sq(std::string_view name) {
    return *parse_square(name[0], name[1]);
}

TEST_F(GameTest, HumanFirstWaitsForTheHumanOnTheStartingPosition) {
    game.new_game();
    EXPECT_EQ(game.position(), starting_position(kGreek));
    EXPECT_EQ(game.turn(), Turn::Human);
    EXPECT_EQ(view.texts, (Texts{"You play..."}));
    EXPECT_EQ(view.computer_turns, 0);
    EXPECT_TRUE(game.last_move().empty());
    EXPECT_TRUE(game.pending_path().empty());
    EXPECT_GE(view.redraws, 1);
    EXPECT_EQ(game.human_side(), Side::Red);
}

TEST_F(GameTest, ComputerFirstOpensAsRedAndItsMoveIsMarked) {
    game.stage_settings({FirstPlayer::Computer, Level::Easy, kGreek});
    game.new_game();
    // The status line and the position before the computer's move are on screen while it
    // thinks.
    EXPECT_EQ(view.texts, (Texts{"Computer plays..."}));
    EXPECT_EQ(view.computer_turns, 1);
    EXPECT_TRUE(game.computer_thinking());
    EXPECT_EQ(game.position(), starting_position(kGreek));
    answer_computer();
    EXPECT_EQ(view.texts, (Texts{"Computer plays...", "You play..."}));
    EXPECT_EQ(game.turn(), Turn::Human);
    EXPECT_EQ(game.human_side(), Side::Blue);
    expect_played(starting_position(kGreek), Side::Red, last(), game.position());
    EXPECT_TRUE(game.pending_path().empty());
    ASSERT_EQ(game.record().turns.size(), 1u);
    EXPECT_EQ(game.record().turns[0].side, Side::Red);
    EXPECT_EQ(game.record().turns[0].move, game.last_move());
}

TEST_F(GameTest, StagedSettingsTakeEffectOnlyAtTheNextNewGame) {
    game.new_game();
    game.stage_settings({FirstPlayer::Computer, Level::Hard, kTurkish});
    EXPECT_EQ(game.settings(), GameSettings{});
    // Moves of the game in play still follow its own variant and colours.
    click_path("c3c4");
    game.play();
    EXPECT_EQ(game.settings(), GameSettings{});
    EXPECT_EQ(game.position().variant, kGreek);
    answer_computer();

    game.stage_settings({FirstPlayer::Computer, Level::Easy, kTurkish});
    game.new_game();
    EXPECT_EQ(game.settings(), (GameSettings{FirstPlayer::Computer, Level::Easy, kTurkish}));
    EXPECT_EQ(game.position(), starting_position(kTurkish));
    EXPECT_TRUE(game.computer_thinking());
}

TEST_F(GameTest, EveryGameCommandIsRefusedWhileTheComputerThinks) {
    game.stage_settings({FirstPlayer::Computer, Level::Easy, kGreek});
    game.new_game();
    const Position before = game.position();
    const int texts = static_cast<int>(view.texts.size());
    const int redraws = view.redraws;
    game.stage_settings({FirstPlayer::Human, Level::Hard, kTurkish});
    game.new_game();
    game.resume({{}, empty_board()});
    game.click_square(sq("a3"));
    game.cancel();
    game.play();
    EXPECT_EQ(game.position(), before);
    EXPECT_TRUE(game.computer_thinking());
    EXPECT_TRUE(game.pending_path().empty());
    EXPECT_EQ(static_cast<int>(view.texts.size()), texts);
    EXPECT_EQ(view.redraws, redraws);
    EXPECT_EQ(view.computer_turns, 1);
    EXPECT_EQ(game.staged_settings().level, Level::Easy);
    EXPECT_FALSE(game.can_save());
}

TEST_F(GameTest, AHumanWithoutAMoveLetsTheComputerMoveAgainAtOnce) {
    // The red men are locked in, except that the blue man on b3 has one move: b3b2. After it
    // a3b3 (and more) frees the human.
    for (Variant v : {kGreek, kTurkish}) {
        human_to_move("......../......../xxxxxxxx/xxxxxxxx/oooooooo/oxoooooo/......../........",
                      FirstPlayer::Human, v);
        EXPECT_EQ(view.texts, (Texts{}));
        EXPECT_TRUE(game.computer_thinking());
        answer_computer();
        EXPECT_EQ(view.texts, (Texts{"You play..."}));
        EXPECT_EQ(last(), "b3b2");
        // The pass is in the record, before the computer's move.
        ASSERT_EQ(game.record().turns.size(), 2u);
        EXPECT_FALSE(game.record().turns[0].move);
        EXPECT_EQ(game.record().turns[1].side, Side::Blue);
    }
}

TEST_F(GameTest, AComputerWithoutAMovePassesAndLeavesNoMarker) {
    // The human plays blue; after a5a4 the red man on a2 is hemmed in.
    human_to_move("......../......../......../x......./......../x......./oxx...../........",
                  FirstPlayer::Computer, kGreek);
    click_path("a5a4");
    game.play();
    EXPECT_EQ(last(), "a5a4");
    const Position before_pass = game.position();
    answer_computer();
    EXPECT_EQ(view.texts, (Texts{"Computer plays...", "You play..."}));
    EXPECT_EQ(game.turn(), Turn::Human);
    EXPECT_TRUE(game.last_move().empty());
    EXPECT_EQ(game.position(), before_pass);
    EXPECT_FALSE(game.record().turns.back().move);
}

TEST_F(GameTest, NeitherSideAbleToMoveEndsWithNoWinner) {
    const Board locked =
        *parse_pos("......../......../xxxxxxxx/xxxxxxxx/oooooooo/oooooooo/......../........");
    for (Variant v : {kGreek, kTurkish}) {
        for (FirstPlayer first : {FirstPlayer::Computer, FirstPlayer::Human}) {
            game.resume({{first, Level::Easy, v}, locked});
            EXPECT_EQ(view.last_text(), "No winner !");
            EXPECT_EQ(game.turn(), Turn::None);
            EXPECT_EQ(view.computer_turns, 0);
        }
    }
}

TEST_F(GameTest, TheOutcomeFollowsTheWinnerAndWhoPlaysWhichColour) {
    struct Case {
        const char* pos;
        FirstPlayer first;
        const char* text;
    };
    const Case cases[] = {
        {"......../......../......../......../......../......../......../........",
         FirstPlayer::Human, "No winner !"},
        {"......../......../......../......../...o..../......../......../........",
         FirstPlayer::Human, "You win !"},
        {"......../......../......../......../...x..../......../......../........",
         FirstPlayer::Computer, "You win !"},
        {"......../......../......../......../...x..../......../......../........",
         FirstPlayer::Human, "Computer wins !"},
        {"......../......../......../......../...O..../......../......../........",
         FirstPlayer::Computer, "Computer wins !"},
    };
    for (const Case& c : cases) {
        game.resume({{c.first, Level::Easy, kGreek}, *parse_pos(c.pos)});
        EXPECT_EQ(view.last_text(), c.text) << c.pos;
        EXPECT_EQ(game.turn(), Turn::None);
    }
}

TEST_F(GameTest, TheHumanTakesTheLastEnemyPieceAndNothingActsAfterwards) {
    human_to_move("......../......../......../......../..x...../..o...../......../........",
                  FirstPlayer::Human, kGreek);
    const Position before = game.position();
    click_path("c3c5");
    game.play();
    EXPECT_EQ(view.texts, (Texts{"You win !"}));
    EXPECT_EQ(game.turn(), Turn::None);
    EXPECT_EQ(last(), "c3c5");
    EXPECT_EQ(view.computer_turns, 0);
    expect_played(before, Side::Red, "c3c5", game.position());

    // The final position stays on screen; clicks, "Cancel" and "Play" do nothing now.
    const Position final_position = game.position();
    const int redraws = view.redraws;
    click_path("c5c6");
    game.cancel();
    game.play();
    EXPECT_EQ(game.position(), final_position);
    EXPECT_EQ(pending(), "c3c5");
    EXPECT_EQ(view.redraws, redraws);
    EXPECT_FALSE(game.can_save());
}

TEST_F(GameTest, TheComputerTakesTheLastPieceOfTheHuman) {
    // After d3d4 the Turkish rules force blue's only capture, d5d3, which takes red's last man.
    human_to_move("......../......../......../...x..../......../...o..../......../........",
                  FirstPlayer::Human, kTurkish);
    click_path("d3d4");
    game.play();
    answer_computer();
    EXPECT_EQ(view.texts, (Texts{"Computer plays...", "Computer wins !"}));
    EXPECT_EQ(game.turn(), Turn::None);
    EXPECT_EQ(last(), "d5d3");
}

class PathTest : public GameTest {
  protected:
    void SetUp() override {
        // Red men on c3 and f2 against blue men on c4, c6, e5 and h7 (Greek: c3 may take c4 and
        // then c6, or stop after c4). The computer's last move h8h7 is marked.
        human_to_move("......../.......x/..x...../....x.../..x...../..o...../.....o../........",
                      FirstPlayer::Human, kGreek);
        click_path("c3");
        game.cancel();
        ASSERT_TRUE(game.last_move().empty());
    }
};

TEST_F(PathTest, APathStartsOnlyOnOneOfTheHumansPiecesAndGrowsByLandings) {
    const int redraws = view.redraws;
    click_path("d3c4");  // empty, enemy
    EXPECT_TRUE(game.pending_path().empty());
    EXPECT_EQ(view.redraws, redraws);
    click_path("c3c5");
    EXPECT_EQ(pending(), "c3c5");
    click_path("c4c5");  // the captured piece is never named; a double click adds once
    EXPECT_EQ(pending(), "c3c5");
    click_path("c7a1");  // a square that leads nowhere is still taken: "Play" judges the path
    EXPECT_EQ(pending(), "c3c5c7a1");
    click_path("f2f2");  // another own piece restarts the path
    EXPECT_EQ(pending(), "f2");
}

TEST_F(PathTest, CancelTakesBackOneSquareAtATime) {
    click_path("c3c5c7");
    game.cancel();
    EXPECT_EQ(pending(), "c3c5");
    game.cancel();
    game.cancel();
    EXPECT_TRUE(game.pending_path().empty());
    const int redraws = view.redraws;
    game.cancel();
    EXPECT_EQ(view.redraws, redraws);
    // With the path empty, a path must start again on one of the human's pieces.
    click_path("c5");
    EXPECT_TRUE(game.pending_path().empty());
}

TEST_F(PathTest, EscapeClearsThePathOnlyOnAPersonsTurn) {
    click_path("c3c5c7");
    game.clear_path();
    EXPECT_TRUE(game.pending_path().empty());
    // While the computer thinks, the path is the move it answers and stays; clearing it must
    // come back at once rather than wait for a turn that cannot come while it is called.
    click_path("f2g2");
    game.play();
    ASSERT_TRUE(game.computer_thinking());
    const int redraws = view.redraws;
    game.clear_path();
    EXPECT_EQ(pending(), "f2g2");
    EXPECT_EQ(view.redraws, redraws);
    answer_computer();
    EXPECT_EQ(game.turn(), Turn::Human);
}

TEST_F(PathTest, PlayDiscardsAnIllegalPathWithoutAWord) {
    for (std::string_view path : {"c3", "c3d3d4", "f2f4", "c3c5c7a1"}) {
        const Position before = game.position();
        click_path(path);
        const int redraws = view.redraws;
        game.play();
        EXPECT_TRUE(game.pending_path().empty()) << path;
        EXPECT_EQ(game.turn(), Turn::Human);
        EXPECT_EQ(game.position(), before);
        EXPECT_EQ(view.redraws, redraws + 1);
        EXPECT_TRUE(view.texts.empty());
    }
    const int redraws = view.redraws;
    game.play();  // nothing to play
    EXPECT_EQ(view.redraws, redraws);
}

TEST_F(PathTest, PlayAppliesALegalPathAndTheComputerAnswers) {
    const Position before = game.position();
    click_path("c3c5");
    game.play();
    // Until the computer answers, the human's move is marked twice.
    EXPECT_EQ(last(), "c3c5");
    EXPECT_EQ(pending(), "c3c5");
    EXPECT_TRUE(game.computer_thinking());
    expect_played(before, Side::Red, "c3c5", game.position());
    answer_computer();
    EXPECT_EQ(view.texts, (Texts{"Computer plays...", "You play..."}));
    EXPECT_TRUE(game.pending_path().empty());
    EXPECT_FALSE(game.last_move().empty());
    ASSERT_EQ(game.record().turns.size(), 2u);
    EXPECT_EQ(game.record().turns[0].before, before);
    EXPECT_EQ(format_move(*game.record().turns[0].move), "c3c5");
}

TEST_F(GameTest, TurkishCapturesStoppedShortAreIllegal) {
    human_to_move("......../.......x/..x...../....x.../..x...../..o...../.....o../........",
                  FirstPlayer::Human, kTurkish);
    click_path("c3c5");
    game.play();
    EXPECT_TRUE(game.pending_path().empty());
    EXPECT_EQ(game.turn(), Turn::Human);
    click_path("c3c5c7");
    game.play();
    EXPECT_EQ(game.position()[sq("c7")], kRedMan);
}

TEST_F(GameTest, AtStartUpNothingOnTheBoardResponds) {
    game.click_square(sq("a8"));
    game.cancel();
    game.play();
    EXPECT_EQ(view.redraws, 0);
    EXPECT_TRUE(game.pending_path().empty());
    EXPECT_EQ(game.turn(), Turn::None);
    EXPECT_EQ(game.position().squares, empty_board());
}

TEST_F(GameTest, ATurkishKingReturnsToItsStartSquare) {
    // Red king on a1; blue men on a3, c4 and d3; blue king on b1. Every Turkish move takes all
    // four pieces, and two of them end on a1, the square the king left.
    human_to_move("......../......../......../......../..x...../x..x..../......../OX......",
                  FirstPlayer::Human, kTurkish);
    click_path("a1a4d4d1a1");
    EXPECT_EQ(pending(), "a1a4d4d1a1");
    game.play();
    EXPECT_EQ(last(), "a1a4d4d1a1");
    EXPECT_EQ(view.texts, (Texts{"You win !"}));
    EXPECT_EQ(game.position()[sq("a1")], kRedKing);
    // Where the path leads to no legal move, the start square restarts it as before.
    human_to_move("......../......../......../......../..x...../x..x..../......../OX......",
                  FirstPlayer::Human, kTurkish);
    click_path("a1a2a1");
    EXPECT_EQ(pending(), "a1");
}

TEST_F(GameTest, TheLongestCapturePathOfSeventeenSquaresIsEnteredAndKept) {
    // A red king on a1 snakes through sixteen blue pieces and ends on a1 again.
    constexpr std::string_view kSnake = "a1c1e1g1g3e3c3a3a5c5e5g5g7e7c7a7a1";
    for (Variant v : {kGreek, kTurkish}) {
        human_to_move("......../.x.x.x../......x./.x.x.x../x......./.x.x.x../x.....x./OX.X.X..",
                      FirstPlayer::Human, v);
        click_path(kSnake);
        EXPECT_EQ(pending(), kSnake);
        game.play();
        EXPECT_EQ(last(), kSnake);
        EXPECT_EQ(view.texts, (Texts{"You win !"}));
        EXPECT_EQ(game.position()[sq("a1")], kRedKing);
    }
}

TEST_F(GameTest, EveryLegalMoveCanBeClickedInBothVariantsAndBothWaysUp) {
    std::mt19937 rng(2024);
    int moves_tried = 0;
    int revisiting_paths = 0;
    int long_paths = 0;
    MoveList legal;
    const char codes[] = {kRedMan, kRedKing, kBlueMan, kBlueKing};
    for (int n = 0; n < 3000; ++n) {
        Board b = starting_board();
        if (n >= 2) {
            b = empty_board();
            const int pieces = 4 + static_cast<int>(rng() % 14);
            for (int i = 0; i < pieces; ++i) {
                b[rng() % 64] = codes[rng() % 4];
            }
        }
        const Variant v = n % 2 ? kTurkish : kGreek;
        const FirstPlayer first = (n / 2) % 2 ? FirstPlayer::Human : FirstPlayer::Computer;
        game.resume({{first, Level::Easy, v}, b});
        if (game.turn() != Turn::Human) {
            continue;
        }
        generate_moves(game.position(), game.human_side(), legal, Landings::Every);
        for (const Move& move : legal) {
            click_path(format_move(move));
            ASSERT_EQ(game.pending_path(), move) << format_pos(b) << " variant " << int(v);
            ++moves_tried;
            const auto squares = move.squares();
            for (std::size_t i = 1; i < squares.size(); ++i) {
                if (std::find(squares.begin(), squares.begin() + i, squares[i]) !=
                    squares.begin() + i) {
                    ++revisiting_paths;
                    break;
                }
            }
            long_paths += move.size() > 4 ? 1 : 0;
            while (!game.pending_path().empty()) {
                game.cancel();
            }
        }
    }
    // The positions must have reached the paths that the plain click rules could not enter.
    EXPECT_GT(moves_tried, 15000);
    EXPECT_GT(revisiting_paths, 20);
    EXPECT_GT(long_paths, 100);
}

}  // namespace
}  // namespace zarvo

namespace zarvo {
namespace {

using namespace testing;

TEST_F(GameTest, TakeBackUndoesTheReplyAndTheMoveBeforeItAndReplayPlaysThemAgain) {
    // Greek: red takes c4 and c6 with c3c5c7; the computer answers.
    human_to_move("......../.......x/..x...../....x.../..x...../..o...../.....o../........",
                  FirstPlayer::Human, Variant::Greek);
    const Position before = game.position();
    EXPECT_FALSE(game.can_take_back());
    click_path("c3c5c7");
    game.play();
    EXPECT_FALSE(game.can_take_back()) << "not while the computer thinks";
    answer_computer();
    const Position after_reply = game.position();
    const Move reply = game.last_move();
    ASSERT_TRUE(game.can_take_back());
    EXPECT_FALSE(game.can_replay());

    game.take_back();
    EXPECT_EQ(game.position(), before);
    EXPECT_EQ(game.turn(), Turn::Human);
    EXPECT_TRUE(game.record().turns.empty());
    EXPECT_TRUE(game.last_move().empty());
    EXPECT_EQ(view.last_text(), "You play...");
    ASSERT_TRUE(game.can_replay());

    const int searches = view.computer_turns;
    game.replay();
    EXPECT_EQ(game.position(), after_reply);
    EXPECT_EQ(game.last_move(), reply);
    EXPECT_EQ(game.record().turns.size(), 2u);
    EXPECT_EQ(view.computer_turns, searches) << "replaying searches nothing";
    EXPECT_FALSE(game.can_replay());

    // A new move forgets what could be replayed.
    game.take_back();
    click_path("f2f3");
    game.play();
    answer_computer();
    EXPECT_FALSE(game.can_replay());
}

TEST_F(GameTest, TakingBackAfterTheEndResumesTheGame) {
    human_to_move("......../......../......../......../..x...../..o...../......../........",
                  FirstPlayer::Human, Variant::Greek);
    click_path("c3c5");
    game.play();
    ASSERT_EQ(view.last_text(), "You win !");
    ASSERT_TRUE(game.can_take_back());
    game.take_back();
    EXPECT_EQ(game.turn(), Turn::Human);
    EXPECT_EQ(view.last_text(), "You play...");
    game.replay();
    EXPECT_EQ(view.last_text(), "You win !");
    EXPECT_EQ(game.outcome(), Winner::Red);
}

TEST_F(GameTest, TwoPlayersEnterBothSidesAndTakeBackOneMoveAtATime) {
    game.set_two_players(true);
    game.stage_settings({FirstPlayer::Computer, Level::Easy, Variant::Greek});
    game.new_game();
    EXPECT_FALSE(game.board_turned()) << "drawn as when the human plays red";
    EXPECT_EQ(view.last_text(), "Red plays...");
    click_path("c3c4");
    game.play();
    EXPECT_EQ(view.last_text(), "Blue plays...");
    click_path("c6c5");
    game.play();
    EXPECT_EQ(view.computer_turns, 0);
    game.take_back();
    EXPECT_EQ(game.side_to_move(), Side::Blue);
    EXPECT_EQ(game.record().turns.size(), 1u);
    // Back to one person: the computer (red, since it opens) is not to move; blue is the human.
    game.set_two_players(false);
    EXPECT_EQ(game.turn(), Turn::Human);
    game.take_back();
    EXPECT_FALSE(game.can_take_back()) << "red's move was the computer's";
}

TEST_F(GameTest, TheThirdTimeAPositionStandsWithTheSameSideToMoveEndsTheGame) {
    // Two kings go to and fro: a1-b1, h8-g8, b1-a1, g8-h8 brings the start back.
    game.set_two_players(true);
    human_to_move(".......X/......../......../......../......../......../......../O.......",
                  FirstPlayer::Human, Variant::Turkish);
    for (int round = 0; round < 2; ++round) {
        ASSERT_EQ(game.turn(), Turn::Human) << round;
        for (const char* path : {"a1b1", "h8g8", "b1a1", "g8h8"}) {
            click_path(path);
            game.play();
        }
    }
    EXPECT_EQ(game.turn(), Turn::None);
    EXPECT_EQ(view.last_text(), "No winner !");
    EXPECT_EQ(game.outcome(), Winner::Nobody);
}

TEST_F(GameTest, LegalMovesShownAndCompleteMovesPlayedAtOnce) {
    // Turkish: the capture c3c5c7 is compulsory, so only c3 can move, and after c3 only c5.
    human_to_move("......../.......x/..x...../....x.../..x...../..o...../.....o../........",
                  FirstPlayer::Human, Variant::Turkish);
    EXPECT_EQ(game.movable_pieces(), square_bit(sq("c3")));
    click_path("c3");
    EXPECT_EQ(game.path_continuations(), square_bit(sq("c5")));
    click_path("c5");
    EXPECT_EQ(game.path_continuations(), square_bit(sq("c7")));
    // With the option on, the last square of a whole move plays it.
    game.set_play_complete_moves(true);
    click_path("c7");
    EXPECT_TRUE(game.computer_thinking());
    EXPECT_EQ(last(), "c3c5c7");
    EXPECT_EQ(game.movable_pieces(), 0u);
}

}  // namespace
}  // namespace zarvo

namespace zarvo {
namespace {

using namespace testing;

TEST_F(GameTest, AnOpenedRecordBecomesTheGameAndAFinishedOneShowsItsResult) {
    // Turkish, blue to move after red's c3c4: the human takes blue against the computer.
    GameRecord record;
    record.start = starting_position(Variant::Turkish);
    record.turns.push_back({Side::Red, record.start, *parse_move("c3c4")});
    game.stage_settings({FirstPlayer::Human, Level::Hard, Variant::Greek});
    game.open(record);
    EXPECT_EQ(game.turn(), Turn::Human);
    EXPECT_EQ(game.human_side(), Side::Blue);
    EXPECT_EQ(game.settings(),
              (GameSettings{FirstPlayer::Computer, Level::Hard, Variant::Turkish}));
    EXPECT_EQ(game.staged_settings(), game.settings());
    EXPECT_EQ(game.position(), record.end());
    EXPECT_EQ(last(), "c3c4");
    EXPECT_EQ(game.record().turns, record.turns);
    EXPECT_FALSE(game.can_take_back()) << "red's move is the computer's now";

    record.result = GameResult::BlueWins;
    game.open(record);
    EXPECT_EQ(game.turn(), Turn::None);
    EXPECT_EQ(view.last_text(), "You win !");
    EXPECT_EQ(game.record().result, GameResult::BlueWins);
}

}  // namespace
}  // namespace zarvo
