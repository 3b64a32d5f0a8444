// The computer's move: scores of wins and losses, the choice among equal moves, the moves it
// must play, the boards it is given, and the events it lets through while it thinks.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "ai/search.h"
#include "rules/movegen.h"
#include "rules/play.h"
#include "tests/rules/test_boards.h"

namespace zarvo {
namespace {

using testing::board_with;
using testing::VariantScope;

// The score of every root move, as computer_play searches them.
std::vector<int> root_scores(const Board& b, char side, int budget) {
    MoveList list;
    const int n = generate_moves(b, side, list, 1);
    const std::string moves(list.text());
    std::vector<int> scores;
    for (std::string_view m : MoveEntries(moves)) {
        scores.push_back(evaluate_move(b, side, side, m, budget / n, kRootDepth));
    }
    return scores;
}

// Plays the computer's move on a copy of `b` and returns the move; `after` gets the board.
std::string play_computer(const Board& b, char side, int budget, Board* after = nullptr) {
    table = b;
    MoveString chosen;
    computer_play(side, budget, chosen);
    if (after != nullptr) {
        *after = table;
    }
    return std::string(chosen.view());
}

class Search : public ::testing::Test {
  protected:
    void SetUp() override {
        set_event_hook(nullptr);
        saved_ = table;
    }
    void TearDown() override {
        set_event_hook(nullptr);
        table = saved_;
    }

  private:
    Board saved_{};
};

TEST_F(Search, AMoveThatLeavesTheHumanNoMoveWinsAtOnce) {
    // Blue man on d5, red man on d4, blue to move: the capture d5d3 takes red's last piece.
    const Board b = board_with({{"d5", 'x'}, {"d4", 'o'}});
    for (char v : {0, 1}) {
        VariantScope scope(v);
        for (int budget : moves_per_level) {
            const std::vector<int> scores = root_scores(b, 'X', budget);
            if (v == 0 && budget == 10000) {
                ASSERT_EQ(scores.size(), 3u);  // d5c5, d5e5, d5d3
                EXPECT_EQ(scores[0], 5080);
                EXPECT_EQ(scores[1], 5080);
            }
            EXPECT_EQ(scores.back(), 10000);
            Board after{};
            EXPECT_EQ(play_computer(b, 'X', budget, &after), "d5d3");
            EXPECT_EQ(after, board_with({{"d3", 'x'}}));
        }
    }
}

TEST_F(Search, ARootMoveWithoutBudgetIsScoredStaticallyEvenWhenItWins) {
    // Three moves and a budget of 2: each gets 0, so even the winning capture is a leaf.
    VariantScope scope(0);
    const Board b = board_with({{"d5", 'x'}, {"d4", 'o'}});
    EXPECT_EQ(root_scores(b, 'X', 2), (std::vector<int>{5000, 5000, 5012}));
    EXPECT_EQ(play_computer(b, 'X', 2), "d5d3");
}

TEST_F(Search, AMoveThatLetsTheHumanTakeTheLastPieceScoresOne) {
    // Blue's only man on a5; after a5a4 the red man on a3 captures it.
    const Board b = board_with({{"a5", 'x'}, {"a3", 'o'}});
    for (char v : {0, 1}) {
        VariantScope scope(v);
        EXPECT_EQ(root_scores(b, 'X', 10000), (std::vector<int>{1, 4997}));
        EXPECT_EQ(play_computer(b, 'X', 10000), "a5b5");
        // The reply that takes it wins at once one half-move down: 9 + 9990.
        Board after_a4 = b;
        play_move(after_a4, "a5a4");
        EXPECT_EQ(evaluate_move(after_a4, 'O', 'X', "a3a5", 100, 9), 9999);
    }
}

TEST_F(Search, TheOnlyLegalMoveIsPlayedWhateverItScores) {
    // Turkish: the capture d5d3 is compulsory, and d2 then takes the capturing man.
    VariantScope scope(1);
    const Board b = board_with({{"d5", 'x'}, {"d4", 'o'}, {"d2", 'o'}, {"d1", 'o'}});
    EXPECT_EQ(root_scores(b, 'X', 2000), (std::vector<int>{1}));
    std::srand(9);
    const int next = std::rand();
    std::srand(9);
    Board after{};
    EXPECT_EQ(play_computer(b, 'X', 2000, &after), "d5d3");
    EXPECT_EQ(after, board_with({{"d3", 'x'}, {"d2", 'o'}, {"d1", 'o'}}));
    EXPECT_EQ(std::rand(), next) << "a single move draws no random number";
}

TEST_F(Search, NoLegalMoveLeavesTheResultEmptyAndTheBoardAsItWas) {
    // A red man on a2 hemmed in by blue men: red has a piece but no move. On the empty board
    // blue has no pieces at all.
    const Board blocked =
        board_with({{"a4", 'x'}, {"a3", 'x'}, {"b2", 'x'}, {"c2", 'x'}, {"a2", 'o'}});
    static int pumps;
    pumps = 0;
    set_event_hook([] { ++pumps; });
    for (char v : {0, 1}) {
        VariantScope scope(v);
        for (const auto& [b, side] : {std::pair{blocked, 'O'}, std::pair{empty_board(), 'X'}}) {
            ASSERT_EQ(check_if_can_play(b, side), 0);
            std::srand(3);
            const int first = std::rand();
            std::srand(3);
            table = b;
            MoveString chosen = MoveString::from("junk");
            computer_play(side, 10000, chosen);
            EXPECT_TRUE(chosen.empty());
            EXPECT_EQ(table, b);
            EXPECT_EQ(std::rand(), first) << "no random number is drawn";
        }
    }
    EXPECT_EQ(pumps, 0);
}

TEST_F(Search, EqualBestMovesAreSettledByOneInThreeDrawsInListOrder) {
    // From the start with budget 100, the edge moves a3a4, b3b4, g3g4 and h3h4 score 5003 and
    // the four in the centre 5000.
    VariantScope scope(0);
    const Board start = starting_board();
    ASSERT_EQ(root_scores(start, 'O', 100),
              (std::vector<int>{5003, 5003, 5000, 5000, 5000, 5000, 5003, 5003}));
    const char* moves[] = {"a3a4", "b3b4", "c3c4", "d3d4", "e3e4", "f3f4", "g3g4", "h3h4"};
    std::vector<int> times_chosen(8, 0);
    for (unsigned seed = 0; seed < 255; ++seed) {
        // b3b4, g3g4 and h3h4 each draw once; the centre moves, scoring less, never do.
        std::srand(seed);
        int expected = 0;
        for (int entry : {1, 6, 7}) {
            if (std::rand() % 3 == 0) {
                expected = entry;
            }
        }
        const int after_draws = std::rand();
        std::srand(seed);
        const std::string chosen = play_computer(start, 'O', 100);
        EXPECT_EQ(chosen, moves[expected]) << "seed " << seed;
        EXPECT_EQ(std::rand(), after_draws) << "seed " << seed;
        ++times_chosen[static_cast<std::size_t>(expected)];
        // The same seed makes the same choice.
        std::srand(seed);
        EXPECT_EQ(play_computer(start, 'O', 100), chosen);
    }
    // The first of the four is kept most often, and every tied move gets its turn.
    EXPECT_GT(times_chosen[0], times_chosen[1]);
    EXPECT_GT(times_chosen[7], 0);
    EXPECT_GT(times_chosen[6], 0);
    EXPECT_GT(times_chosen[1], 0);
    EXPECT_EQ(times_chosen[2] + times_chosen[3] + times_chosen[4] + times_chosen[5], 0);
}

TEST_F(Search, TheLongestCapturePathIsReturnedWhole) {
    for (const testing::LongCapture& c : testing::kSixteenCaptures) {
        VariantScope scope(c.variant);
        const Board b = *parse_pos(c.pos);
        std::srand(1);
        Board after{};
        const std::string chosen = play_computer(b, 'O', 10000, &after);
        EXPECT_EQ(chosen.size(), 34u);
        int blue = 0;
        int red = 0;
        EXPECT_EQ(check_winner(after, blue, red), 'O');
        if (c.variant == 0) {
            // The Greek position has one such path among 148 moves.
            EXPECT_EQ(chosen, c.path);
        }
        Board replay = b;
        ASSERT_TRUE(play_move(replay, chosen));
        EXPECT_EQ(replay, after);
    }
}

TEST_F(Search, ABoardWhereEveryMoveScoresMinusOneOrLessPlaysTheFirstMove) {
    // Only a damaged saved game can hold sixty kings against one man.
    VariantScope scope(0);
    const Board b =
        *parse_pos("XXX.XXXX/XX.o.XXX/XXXXXXXX/XXXXXXXX/XXXXXXXX/XXXXXXXX/XXXXXXXX/XXXXXXXX");
    EXPECT_EQ(root_scores(b, 'O', 1), (std::vector<int>{-980, -900, -980}));
    EXPECT_EQ(root_scores(b, 'O', 100), (std::vector<int>{-1, -1, -1}));
    for (int budget : {1, 100}) {
        std::srand(2);
        const int first = std::rand();
        std::srand(2);
        Board after{};
        EXPECT_EQ(play_computer(b, 'O', budget, &after), "d7c7");
        EXPECT_EQ(after[testing::sq("c7")], 'o');
        EXPECT_EQ(std::rand(), first);
    }
}

TEST_F(Search, AHumansMoveWithBudgetZeroIsStillAnswered) {
    VariantScope scope(0);
    // Red (the computer) answers blue's c6c5 from the start; each answer is scored statically.
    Board b = starting_board();
    const int score = evaluate_move(b, 'X', 'O', "c6c5", 0, 9);
    play_move(b, "c6c5");
    MoveList replies;
    generate_moves(b, 'O', replies, 1);
    int best = -1;
    for (std::string_view r : replies.entries()) {
        Board after = b;
        play_move(after, r);
        best = std::max(best, fast_evaluate(after, 'O'));
    }
    EXPECT_EQ(score, 10000 - best);
    // The computer's own move with budget 0 is a leaf.
    EXPECT_EQ(evaluate_move(starting_board(), 'O', 'O', "c3c4", 0, kRootDepth), 5000);
    reset_search_stats();
    evaluate_move(starting_board(), 'X', 'O', "c6c5", 0, 9);
    EXPECT_EQ(search_stats().moves_searched,
              1u + static_cast<unsigned>(count_moves(replies.text())));
    EXPECT_EQ(search_stats().static_evaluations, count_moves(replies.text()));
}

TEST_F(Search, ScoresOfRealGamesStayBetweenOneAndTenThousand) {
    // Positions from games the computer plays against itself at a small budget.
    for (char v : {0, 1}) {
        VariantScope scope(v);
        std::srand(17);
        Board b = starting_board();
        char side = 'O';
        MoveList list;
        for (int ply = 0; ply < 80; ++ply) {
            int blue = 0;
            int red = 0;
            if (check_winner(b, blue, red) != 0) {
                break;
            }
            const int n = generate_moves(b, side, list, 1);
            const std::string moves(list.text());
            int i = 0;
            for (std::string_view m : MoveEntries(moves)) {
                const int s = evaluate_move(b, side, side, m, 300 / n, kRootDepth);
                ASSERT_GE(s, 1) << format_pos(b) << ' ' << m;
                ASSERT_LE(s, 10000) << format_pos(b) << ' ' << m;
                // Only a move that leaves the opponent without a move scores 10000.
                Board after = b;
                play_move(after, m);
                if (300 / n > 0) {
                    ASSERT_EQ(s == 10000, check_if_can_play(after, opponent(side)) == 0) << m;
                }
                ++i;
            }
            table = b;
            MoveString chosen;
            computer_play(side, 300, chosen);
            if (n > 0) {
                ASSERT_FALSE(chosen.empty());
                ASSERT_EQ(check_legal(b, side, chosen.view()), 1) << chosen.view();
            }
            b = table;
            side = opponent(side);
        }
    }
}

TEST_F(Search, LeavesScoreAsTheBoardAfterTheMoveWould) {
    // Leaves are scored from the squares a move touches; over positions of real games, every
    // listed move, and a few strings no list holds, that must give the score of the board
    // with the move played.
    const char* odd[] = {"", "a1", "a1b2", "a1a1", "a1a2a", "z9a1", "h8h1", "d4d8a8", "e5e5e6"};
    for (char v : {0, 1}) {
        VariantScope scope(v);
        std::srand(23);
        Board b = starting_board();
        char side = 'O';
        MoveList list;
        for (int ply = 0; ply < 150; ++ply) {
            for (char prune : {0, 1}) {
                generate_moves(b, side, list, prune);
                std::string moves(list.text());
                for (const char* m : odd) {
                    moves += ',';
                    moves += m;
                }
                for (std::string_view m : MoveEntries(moves)) {
                    Board after = b;
                    play_move(after, m);
                    for (char scored : {'O', 'X'}) {
                        ASSERT_EQ(evaluate_move(b, scored, scored, m, 0, kRootDepth),
                                  fast_evaluate(after, scored))
                            << format_pos(b) << ' ' << m;
                    }
                }
            }
            // A move of the other side with budget 0: each reply is a leaf of the search.
            const int n = generate_moves(b, side, list, 1);
            if (n == 0) {
                break;
            }
            const std::string moves(list.text());
            for (std::string_view m : MoveEntries(moves)) {
                Board after = b;
                play_move(after, m);
                MoveList replies;
                int best = -1;
                if (generate_moves(after, opponent(side), replies, 1) == 0) {
                    continue;
                }
                for (std::string_view r : replies.entries()) {
                    Board answered = after;
                    play_move(answered, r);
                    best = std::max(best, fast_evaluate(answered, opponent(side)));
                }
                ASSERT_EQ(evaluate_move(b, side, opponent(side), m, 0, 9), 10000 - best)
                    << format_pos(b) << ' ' << m;
            }
            table = b;
            MoveString chosen;
            computer_play(side, 200, chosen);
            b = table;
            side = opponent(side);
        }
    }
}

// Moves searched at each call of the event hook, and what the hook saw.
std::vector<std::uint64_t> pump_marks;
Board table_seen_at_pumps{};
bool table_changed_during_search = false;

TEST_F(Search, EventsAreHandledAfterEveryRootMoveAndWithinLongOnes) {
    VariantScope scope(1);
    const Board start = starting_board();
    set_event_hook([] { pump_marks.push_back(search_stats().moves_searched); });

    // A small search: one call after each of the eight root moves.
    pump_marks.clear();
    reset_search_stats();
    play_computer(start, 'O', 100);
    EXPECT_EQ(pump_marks.size(), 8u);

    // A forced capture with the whole Hard budget on its one root move: the window is served
    // within it, never more than the interval apart, give or take the few moves down to a leaf
    // and one sweep of leaf replies, which is counted at once.
    pump_marks.clear();
    reset_search_stats();
    const Board forced =
        *parse_pos("......../xxxx..xx/.x.x..x./o...x.../.......x/o..ooo.o/ooo.o..o/........");
    play_computer(forced, 'O', 10000);
    const std::uint64_t total = search_stats().moves_searched;
    EXPECT_GT(total, 8 * kPumpInterval);
    constexpr std::uint64_t kSlack = kRootDepth + 1 + 200;
    EXPECT_GE(pump_marks.size(), total / (kPumpInterval + kSlack));
    std::uint64_t last = 0;
    for (std::uint64_t mark : pump_marks) {
        EXPECT_LE(mark - last, kPumpInterval + kSlack);
        last = mark;
    }
    EXPECT_EQ(pump_marks.back(), total);
}

TEST_F(Search, WhatTheEventsDoCannotDisturbTheSearch) {
    // The hook lists moves and tests paths, as a redraw or a click would, and looks at the
    // table: the choice and the work are those of a search without events, and the table
    // shows the position before the computer's move until the search ends.
    VariantScope scope(0);
    const Board b =
        *parse_pos(".O....../x....xx./xxx..x.x/x......x/o...o.oo/o...o..o/o.o.o.X./........");
    std::srand(4);
    reset_search_stats();
    Board quiet_after{};
    const std::string quiet = play_computer(b, 'O', 10000, &quiet_after);
    const std::uint64_t quiet_moves = search_stats().moves_searched;

    table_seen_at_pumps = b;
    table_changed_during_search = false;
    set_event_hook([] {
        MoveList list;
        generate_moves(starting_board(), 'X', list, 0);
        check_legal(starting_board(), 'O', "c3c4");
        check_if_can_play(table, 'X');
        table_changed_during_search |= table != table_seen_at_pumps;
    });
    std::srand(4);
    reset_search_stats();
    Board after{};
    EXPECT_EQ(play_computer(b, 'O', 10000, &after), quiet);
    EXPECT_EQ(after, quiet_after);
    EXPECT_EQ(search_stats().moves_searched, quiet_moves);
    EXPECT_GT(search_stats().pumps, 0u);
    EXPECT_FALSE(table_changed_during_search);
}

}  // namespace
}  // namespace zarvo
