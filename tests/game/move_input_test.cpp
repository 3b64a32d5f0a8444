// Move input: the click geometry, how a path is built, taken back and played, and that every
// legal move of every position can be entered by clicking its squares.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "game/move_input.h"
#include "game/state.h"
#include "rules/movegen.h"
#include "rules/play.h"
#include "tests/game/game_fixture.h"

namespace zarvo {
namespace {

using testing::click_path;
using testing::click_square;
using testing::GameTest;
using testing::pos;
using testing::sq;

class ClickGeometryTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        human_to_move(empty_board(), 2, 0);
        // A red king on every square, so that any square clicked starts a path.
        table.fill(kRedKing);
        table[sq("h8")] = kBlueMan;
    }
    // The path after one click on a fresh turn ("" when it was ignored).
    std::string square_clicked(double x, double y) {
        newmove.clear();
        get_mouse(x, y);
        return std::string(newmove.view());
    }
};

TEST_F(ClickGeometryTest, EdgesOfTheSquaresAndTheMargin) {
    EXPECT_EQ(square_clicked(30, 30), "a8");
    EXPECT_EQ(square_clicked(53.99, 53.99), "a8");
    EXPECT_EQ(square_clicked(54, 30), "b8");
    EXPECT_EQ(square_clicked(30, 54), "a7");
    EXPECT_EQ(square_clicked(221, 221), "h1");
    EXPECT_EQ(square_clicked(221.9, 100), "h6");
    EXPECT_EQ(square_clicked(197.5, 198), "g1");
    for (double margin : {0.0, 5.0, 6.0, 29.0, 29.99, 222.0, 230.0, 251.0}) {
        EXPECT_EQ(square_clicked(margin, 100), "") << margin;
        EXPECT_EQ(square_clicked(100, margin), "") << margin;
    }
    EXPECT_EQ(square_clicked(-1, -1), "");
    EXPECT_EQ(square_clicked(1000, 1000), "");
}

TEST_F(ClickGeometryTest, TheBoardIsUpsideDownWhenTheComputerMovesFirst) {
    first_player = 1;
    table.fill(kBlueKing);
    EXPECT_EQ(square_clicked(30, 30), "a1");
    EXPECT_EQ(square_clicked(40, 221), "a8");
    EXPECT_EQ(square_clicked(221, 30), "h1");
    EXPECT_EQ(square_clicked(60, 60), "b2");
}

TEST_F(ClickGeometryTest, EveryPixelOfEverySquareSelectsThatSquare) {
    for (char first : {1, 2}) {
        first_player = first;
        table.fill(first == 1 ? kBlueMan : kRedMan);
        for (int y = 0; y < kAreaSize; ++y) {
            for (int x = 0; x < kAreaSize; ++x) {
                const std::string got = square_clicked(x, y);
                const bool inside = x >= 30 && x <= 221 && y >= 30 && y <= 221;
                if (!inside) {
                    ASSERT_EQ(got, "") << x << "," << y;
                    continue;
                }
                ASSERT_EQ(got.size(), 2u) << x << "," << y;
                const Pixel origin = square_origin(sq(got), first);
                ASSERT_TRUE(x >= origin.x && x < origin.x + 24 && y >= origin.y &&
                            y < origin.y + 24)
                    << got << " at " << x << "," << y;
            }
        }
    }
}

class PathTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        // Red men on c3 and f2 against blue men on c4, c6, e5 and h7 (Greek: c3 may take c4 and
        // then c6, or stop after c4).
        human_to_move(
            pos("......../.......x/..x...../....x.../..x...../..o...../.....o../........"), 2, 0);
        lastmove = MoveString::from("h8h7");
    }
};

TEST_F(PathTest, APathStartsOnlyOnOneOfTheHumansPieces) {
    const int redraws = view.redraws;
    click_square("d3");  // empty
    click_square("c4");  // enemy
    EXPECT_TRUE(newmove.empty());
    EXPECT_EQ(lastmove.view(), "h8h7");
    EXPECT_EQ(view.redraws, redraws);

    click_square("c3");
    EXPECT_EQ(newmove.view(), "c3");
    EXPECT_TRUE(lastmove.empty());
    EXPECT_EQ(view.redraws, redraws + 1);
}

TEST_F(PathTest, LandingSquaresAreAppendedAndEnemiesAndRepeatsIgnored) {
    click_path("c3c5");
    EXPECT_EQ(newmove.view(), "c3c5");
    const int redraws = view.redraws;
    click_square("c4");  // the captured piece is never named
    click_square("c5");  // a double click adds the square once
    EXPECT_EQ(newmove.view(), "c3c5");
    EXPECT_EQ(view.redraws, redraws);
    click_square("c7");
    EXPECT_EQ(newmove.view(), "c3c5c7");
    // An empty square that leads nowhere is still taken: the rules judge the path at "Play".
    click_square("a1");
    EXPECT_EQ(newmove.view(), "c3c5c7a1");
}

TEST_F(PathTest, AnotherOwnPieceRestartsThePath) {
    click_path("c3c5");
    click_square("f2");
    EXPECT_EQ(newmove.view(), "f2");
    click_square("f2");
    EXPECT_EQ(newmove.view(), "f2");
}

TEST_F(PathTest, CancelTakesBackOneSquareAtATime) {
    click_path("c3c5c7");
    cancel_button();
    EXPECT_EQ(newmove.view(), "c3c5");
    cancel_button();
    cancel_button();
    EXPECT_TRUE(newmove.empty());
    const int redraws = view.redraws;
    cancel_button();
    EXPECT_EQ(view.redraws, redraws);
    // With the path empty, a path must start again on one of the human's pieces.
    click_square("c5");
    EXPECT_TRUE(newmove.empty());
    EXPECT_TRUE(lastmove.empty());  // not restored
}

TEST_F(PathTest, PlayDiscardsAnIllegalPathWithoutAWord) {
    for (std::string_view path : {"c3", "c3d3d4", "f2f4", "c3c5c7a1"}) {
        const Board before = table;
        click_path(path);
        const int redraws = view.redraws;
        play_button();
        EXPECT_TRUE(newmove.empty()) << path;
        EXPECT_EQ(status, kHumanToMove);
        EXPECT_EQ(table, before);
        EXPECT_EQ(view.redraws, redraws + 1);
        EXPECT_TRUE(view.texts.empty());
    }
    const int redraws = view.redraws;
    play_button();  // nothing to play
    EXPECT_EQ(view.redraws, redraws);
}

TEST_F(PathTest, TurkishCapturesStoppedShortAreIllegal) {
    variant = 1;
    click_path("c3c5");
    play_button();
    EXPECT_TRUE(newmove.empty());
    EXPECT_EQ(status, kHumanToMove);
    click_path("c3c5c7");
    play_button();
    EXPECT_EQ(table[sq("c7")], kRedMan);
    EXPECT_EQ(table[sq("c4")], kEmpty);
    EXPECT_EQ(table[sq("c6")], kEmpty);
}

TEST_F(PathTest, PlayAppliesALegalPathAndTheComputerAnswers) {
    const Board before = table;
    click_path("c3c5");
    view.on_pump = [&] {
        // Until the computer answers, the human's move is marked twice.
        EXPECT_EQ(lastmove.view(), "c3c5");
        EXPECT_EQ(newmove.view(), "c3c5");
        EXPECT_EQ(status, kComputerToMove);
        Board expected = before;
        play_move(expected, "c3c5");
        EXPECT_EQ(table, expected);
    };
    play_button();
    EXPECT_EQ(view.pumps, 1);
    EXPECT_EQ(view.texts, (std::vector<std::string>{"Computer plays...", "You play..."}));
    EXPECT_EQ(status, kHumanToMove);
    EXPECT_TRUE(newmove.empty());
    EXPECT_FALSE(lastmove.empty());
}

TEST_F(PathTest, NothingActsOutsideTheHumansTurn) {
    for (int s : {kNoGame, kComputerToMove}) {
        status = s;
        newmove = MoveString::from("c3c5");
        const int redraws = view.redraws;
        click_square("f2");
        cancel_button();
        play_button();
        EXPECT_EQ(newmove.view(), "c3c5");
        EXPECT_EQ(lastmove.view(), "h8h7");
        EXPECT_EQ(view.redraws, redraws);
        EXPECT_EQ(status, s);
    }
}

TEST_F(GameTest, AtStartUpNothingOnTheBoardResponds) {
    get_mouse(40, 40);
    cancel_button();
    play_button();
    EXPECT_EQ(view.redraws, 0);
    EXPECT_TRUE(newmove.empty());
    EXPECT_EQ(status, kNoGame);
}

TEST_F(GameTest, TheWholeFirstTurnByClicks) {
    new_game();
    click_path("c3c4");
    play_button();
    EXPECT_EQ(view.texts,
              (std::vector<std::string>{"You play...", "Computer plays...", "You play..."}));
    EXPECT_EQ(table[sq("c4")], kRedMan);
    EXPECT_EQ(table[sq("c3")], kEmpty);
    Board after_human = starting_board();
    play_move(after_human, "c3c4");
    EXPECT_EQ(check_legal(after_human, kBlue, lastmove.view()), 1);
    Board expected = after_human;
    play_move(expected, lastmove.view());
    EXPECT_EQ(table, expected);
}

class PathMendTest : public GameTest {};

TEST_F(PathMendTest, ATurkishKingReturnsToItsStartSquare) {
    // Red king on a1; blue men on a3, c4 and d3; blue king on b1. Every Turkish move takes all
    // four pieces, and two of them end on a1, the square the king left.
    human_to_move(pos("......../......../......../......../..x...../x..x..../......../OX......"), 2,
                  1);
    ASSERT_EQ(check_if_can_play(table, kRed), 3);
    click_path("a1a4d4d1a1");
    EXPECT_EQ(newmove.view(), "a1a4d4d1a1");
    // Where the path leads to no legal move, the start square restarts it as before.
    newmove = MoveString::from("a1a2");
    click_square("a1");
    EXPECT_EQ(newmove.view(), "a1");

    newmove.clear();
    click_path("a1a4d4d1a1");
    const Board before = table;
    play_button();
    EXPECT_EQ(lastmove.view(), "a1a4d4d1a1");
    EXPECT_EQ(view.texts, (std::vector<std::string>{"You win !"}));
    Board expected = before;
    play_move(expected, "a1a4d4d1a1");
    EXPECT_EQ(table, expected);
    EXPECT_EQ(table[sq("a1")], kRedKing);
}

TEST_F(PathMendTest, TheLongestCapturePathOfSeventeenSquaresIsEnteredAndKept) {
    // A red king on a1 snakes through sixteen blue pieces and ends on a1 again.
    const Board snake =
        pos("......../.x.x.x../......x./.x.x.x../x......./.x.x.x../x.....x./OX.X.X..");
    for (char v : {0, 1}) {
        human_to_move(snake, 2, v);
        constexpr std::string_view kSnake = "a1c1e1g1g3e3c3a3a5c5e5g5g7e7c7a7a1";
        ASSERT_EQ(kSnake.size(), 34u);
        ASSERT_EQ(check_legal(table, kRed, kSnake), 1) << int(v);
        click_path(kSnake);
        EXPECT_EQ(newmove.view(), kSnake);
        view.texts.clear();
        play_button();
        EXPECT_EQ(lastmove.view(), kSnake);
        EXPECT_EQ(view.texts, (std::vector<std::string>{"You win !"}));
        int blue = 0;
        int red = 0;
        EXPECT_EQ(check_winner(table, blue, red), 'O');
        EXPECT_EQ(table[sq("a1")], kRedKing);
    }
}

// A random position with a few men and kings of both sides.
Board random_position(std::mt19937& rng) {
    Board b = empty_board();
    const char codes[] = {kRedMan, kRedKing, kBlueMan, kBlueKing};
    const int pieces = 4 + static_cast<int>(rng() % 14);
    for (int i = 0; i < pieces; ++i) {
        b[rng() % 64] = codes[rng() % 4];
    }
    return b;
}

TEST_F(PathMendTest, EveryLegalMoveCanBeClickedInBothVariantsAndBothWaysUp) {
    std::mt19937 rng(2024);
    int moves_tried = 0;
    int revisiting_paths = 0;
    int long_paths = 0;
    MoveList legal;
    for (int n = 0; n < 3000; ++n) {
        const Board b = n < 2 ? starting_board() : random_position(rng);
        const char v = static_cast<char>(n % 2);
        const char first = static_cast<char>(1 + (n / 2) % 2);
        human_to_move(b, first, v);
        generate_moves(table, human_side(), legal, 0);
        for (std::string_view move : legal.entries()) {
            newmove.clear();
            lastmove = MoveString::from("a1a2");
            click_path(move);
            ASSERT_EQ(newmove.view(), move) << format_pos(b) << " variant " << int(v);
            ASSERT_EQ(table, b);
            ++moves_tried;
            const MoveString m = MoveString::from(move);
            for (std::size_t i = 0; i < m.squares(); ++i) {
                for (std::size_t j = 0; j < i; ++j) {
                    if (m.square(i) == m.square(j)) {
                        ++revisiting_paths;
                        i = m.squares();
                        break;
                    }
                }
            }
            long_paths += m.squares() > 4 ? 1 : 0;
        }
    }
    // The positions must have reached the paths that the plain click rules could not enter.
    EXPECT_GT(moves_tried, 20000);
    EXPECT_GT(revisiting_paths, 20);
    EXPECT_GT(long_paths, 100);
}

}  // namespace
}  // namespace zarvo
