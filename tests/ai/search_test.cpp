// The computer's move at the budgeted levels: scores of wins and losses, the choice among equal
// moves, the moves it must play, the boards it is given, and stopping.
#include <gtest/gtest.h>

#include <cstdlib>
#include <stop_token>
#include <string>
#include <vector>

#include "ai/budget_search.h"
#include "ai/level.h"
#include "rules/movegen.h"
#include "rules/play.h"
#include "tests/rules/test_boards.h"

namespace zarvo {
namespace {

using namespace testing;

// The score of every root move, as choose_move searches them.
std::vector<int> root_scores(const Position& p, Side side, int budget) {
    BudgetSearch search;
    MoveList list;
    const int n = generate_moves(p, side, list, Landings::Distinct);
    std::vector<int> scores;
    for (const Move& m : list) {
        scores.push_back(search.score_move(p, side, side, m, budget / n, kRootDepth));
    }
    return scores;
}

// The computer's move as text ("" for none); `after` gets the position with it played.
std::string play_computer(const Position& p, Side side, int budget, Position* after = nullptr,
                          const RandomDraw& draw = c_library_draw) {
    BudgetSearch search;
    const std::optional<Move> chosen = search.choose_move(p, side, budget, draw);
    if (after != nullptr) {
        *after = p;
        if (chosen) {
            play_move(*after, *chosen);
        }
    }
    return chosen ? format_move(*chosen) : std::string();
}

// A draw source that counts its draws and must never be asked.
struct NoDraws {
    int* draws;
    int operator()() const {
        ++*draws;
        return 0;
    }
};

TEST(BudgetSearch, AMoveThatLeavesTheHumanNoMoveWinsAtOnce) {
    const Board b = board_with({{"d5", 'x'}, {"d4", 'o'}});
    for (Variant v : {kGreek, kTurkish}) {
        for (int budget : kLevelBudgets) {
            const std::vector<int> scores = root_scores({b, v}, kBlue, budget);
            if (v == kGreek && budget == 10000) {
                EXPECT_EQ(scores, (std::vector<int>{5080, 5080, 10000}));  // d5c5, d5e5, d5d3
            }
            EXPECT_EQ(scores.back(), 10000);
            Position after;
            EXPECT_EQ(play_computer({b, v}, kBlue, budget, &after), "d5d3");
            EXPECT_EQ(after.squares, board_with({{"d3", 'x'}}));
        }
    }
    // Three moves and a budget of 2: each gets 0, so even the winning capture is a leaf.
    EXPECT_EQ(root_scores({b, kGreek}, kBlue, 2), (std::vector<int>{5000, 5000, 5012}));
}

TEST(BudgetSearch, AMoveThatLetsTheHumanTakeTheLastPieceScoresOne) {
    // Blue's only man on a5; after a5a4 the red man on a3 captures it.
    const Board b = board_with({{"a5", 'x'}, {"a3", 'o'}});
    for (Variant v : {kGreek, kTurkish}) {
        EXPECT_EQ(root_scores({b, v}, kBlue, 10000), (std::vector<int>{1, 4997}));
        EXPECT_EQ(play_computer({b, v}, kBlue, 10000), "a5b5");
        // The reply that takes it wins at once one half-move down: 9 + 9990.
        Position after_a4{b, v};
        play_move(after_a4, path("a5a4"));
        BudgetSearch search;
        EXPECT_EQ(search.score_move(after_a4, kRed, kBlue, path("a3a5"), 100, 9), 9999);
    }
}

TEST(BudgetSearch, OneMoveIsPlayedWhateverItScoresAndNoMoveIsNone) {
    int draws = 0;
    // Turkish: the capture d5d3 is compulsory, and d2 then takes the capturing man.
    const Position forced{board_with({{"d5", 'x'}, {"d4", 'o'}, {"d2", 'o'}, {"d1", 'o'}}),
                          kTurkish};
    EXPECT_EQ(root_scores(forced, kBlue, 2000), (std::vector<int>{1}));
    EXPECT_EQ(play_computer(forced, kBlue, 2000, nullptr, NoDraws{&draws}), "d5d3");
    // A red man hemmed in by blue men has a piece but no move; on the empty board blue has no
    // pieces at all.
    const Board blocked =
        board_with({{"a4", 'x'}, {"a3", 'x'}, {"b2", 'x'}, {"c2", 'x'}, {"a2", 'o'}});
    for (Variant v : {kGreek, kTurkish}) {
        EXPECT_EQ(play_computer({blocked, v}, kRed, 10000, nullptr, NoDraws{&draws}), "");
        EXPECT_EQ(play_computer({empty_board(), v}, kBlue, 10000, nullptr, NoDraws{&draws}), "");
    }
    EXPECT_EQ(draws, 0) << "a single move or none draws no number";
}

TEST(BudgetSearch, EqualBestMovesAreSettledByOneInThreeDrawsInListOrder) {
    // From the start with budget 100 the edge moves a3a4, b3b4, g3g4 and h3h4 score 5003, the
    // centre moves 5000. The first tied move stands until a later one draws a multiple of 3.
    const Position start = starting_position(kGreek);
    ASSERT_EQ(root_scores(start, kRed, 100),
              (std::vector<int>{5003, 5003, 5000, 5000, 5000, 5000, 5003, 5003}));
    const char* tied[] = {"b3b4", "g3g4", "h3h4"};
    for (int pattern = 0; pattern < 8; ++pattern) {
        std::vector<int> draws;
        std::string expected = "a3a4";
        for (int i = 0; i < 3; ++i) {
            const bool wins = (pattern >> i) & 1;
            draws.push_back(wins ? 3 * (i + 1) : 3 * i + 1);
            if (wins) {
                expected = tied[i];
            }
        }
        std::size_t next = 0;
        const RandomDraw scripted = [&] { return draws.at(next++); };
        EXPECT_EQ(play_computer(start, kRed, 100, nullptr, scripted), expected) << pattern;
        EXPECT_EQ(next, 3u) << "one draw for each tie after the first, none for the centre";
    }
    // Through the C library: the same seed makes the same choice.
    for (unsigned seed : {0u, 7u, 254u}) {
        std::srand(seed);
        const std::string first = play_computer(start, kRed, 100);
        std::srand(seed);
        EXPECT_EQ(play_computer(start, kRed, 100), first);
    }
}

TEST(BudgetSearch, TheLongestCapturePathIsReturnedWhole) {
    for (const LongCapture& c : kSixteenCaptures) {
        const Position p = pos_of(c.pos, c.variant);
        std::srand(1);
        Position after;
        const std::string chosen = play_computer(p, kRed, 10000, &after);
        EXPECT_EQ(chosen.size(), 34u);
        EXPECT_EQ(winner_by_pieces(after.squares), Winner::Red);
        if (c.variant == kGreek) {
            // The Greek position has one such path among 148 moves.
            EXPECT_EQ(chosen, c.path);
        }
    }
}

TEST(BudgetSearch, ABoardWhereEveryMoveScoresMinusOneOrLessPlaysTheFirstMove) {
    // Only a board no game reaches can hold sixty kings against one man.
    const Position p =
        pos_of("XXX.XXXX/XX.o.XXX/XXXXXXXX/XXXXXXXX/XXXXXXXX/XXXXXXXX/XXXXXXXX/XXXXXXXX", kGreek);
    EXPECT_EQ(root_scores(p, kRed, 1), (std::vector<int>{-980, -900, -980}));
    EXPECT_EQ(root_scores(p, kRed, 100), (std::vector<int>{-1, -1, -1}));
    int draws = 0;
    for (int budget : {1, 100}) {
        EXPECT_EQ(play_computer(p, kRed, budget, nullptr, NoDraws{&draws}), "d7c7");
    }
    EXPECT_EQ(draws, 0);
}

TEST(BudgetSearch, AHumansMoveWithBudgetZeroIsStillAnswered) {
    // Red (the computer) answers blue's c6c5 from the start; each answer is scored statically.
    const Position start = starting_position(kGreek);
    BudgetSearch search;
    const int score = search.score_move(start, kBlue, kRed, path("c6c5"), 0, 9);
    Position after = start;
    play_move(after, path("c6c5"));
    MoveList replies;
    const int n = generate_moves(after, kRed, replies, Landings::Distinct);
    int best = -1;
    for (const Move& r : replies) {
        Position answered = after;
        play_move(answered, r);
        best = std::max(best, static_score(answered.squares, kRed));
    }
    EXPECT_EQ(score, 10000 - best);
    // The computer's own move with budget 0 is a leaf.
    EXPECT_EQ(search.score_move(start, kRed, kRed, path("c3c4"), 0, kRootDepth), 5000);
    search.reset_stats();
    search.score_move(start, kBlue, kRed, path("c6c5"), 0, 9);
    EXPECT_EQ(search.stats().moves_searched, 1u + static_cast<unsigned>(n));
    EXPECT_EQ(search.stats().static_evaluations, static_cast<unsigned>(n));
}

TEST(BudgetSearch, ScoresOfRealGamesStayBetweenOneAndTenThousand) {
    // Positions from games the computer plays against itself at a small budget.
    for (Variant v : {kGreek, kTurkish}) {
        std::srand(17);
        Position p = starting_position(v);
        Side side = kRed;
        MoveList list;
        BudgetSearch search;
        for (int ply = 0; ply < 80 && !winner_by_pieces(p.squares); ++ply) {
            const int n = generate_moves(p, side, list, Landings::Distinct);
            for (const Move& m : list) {
                const int s = search.score_move(p, side, side, m, 300 / n, kRootDepth);
                ASSERT_GE(s, 1) << format_pos(p.squares) << ' ' << format_move(m);
                ASSERT_LE(s, 10000) << format_pos(p.squares) << ' ' << format_move(m);
                // Only a move that leaves the opponent without a move scores 10000.
                Position after = p;
                play_move(after, m);
                if (300 / n > 0) {
                    ASSERT_EQ(s == 10000,
                              count_legal_moves(after, opponent(side), Landings::Distinct) == 0);
                }
            }
            const std::optional<Move> chosen = search.choose_move(p, side, 300);
            ASSERT_EQ(chosen.has_value(), n > 0);
            if (chosen) {
                ASSERT_TRUE(is_legal(p, side, *chosen)) << format_move(*chosen);
                play_move(p, *chosen);
            }
            side = opponent(side);
        }
    }
}

TEST(BudgetSearch, AStopRequestEndsTheSearchSoonAndAnswersNothing) {
    // A forced capture with the whole Hard budget on its one root move: the stop request is
    // looked at within it, never more than the interval apart (give or take the few moves down
    // to a leaf and one sweep of leaf replies, which is counted at once).
    const Position forced =
        pos_of("......../xxxx..xx/.x.x..x./o...x.../.......x/o..ooo.o/ooo.o..o/........", kTurkish);
    BudgetSearch search;
    std::vector<std::uint64_t> marks;
    search.on_stop_check = [&] { marks.push_back(search.stats().moves_searched); };
    ASSERT_TRUE(search.choose_move(forced, kRed, 10000));
    const std::uint64_t total = search.stats().moves_searched;
    EXPECT_GT(total, 8 * kStopCheckInterval);
    constexpr std::uint64_t kSlack = kRootDepth + 1 + 200;
    std::uint64_t last = 0;
    for (std::uint64_t mark : marks) {
        EXPECT_LE(mark - last, kStopCheckInterval + kSlack);
        last = mark;
    }
    EXPECT_EQ(marks.back(), total);

    // Asked to stop at the third look, it gives up there.
    std::stop_source stop;
    marks.clear();
    search.reset_stats();
    search.on_stop_check = [&] {
        marks.push_back(search.stats().moves_searched);
        if (marks.size() == 3) {
            stop.request_stop();
        }
    };
    EXPECT_FALSE(search.choose_move(forced, kRed, 10000, c_library_draw, stop.get_token()));
    // The third look unwinds the root move; the root looks once more and gives up.
    EXPECT_EQ(marks.size(), 4u);
    EXPECT_LT(search.stats().moves_searched, total / 2);
    // The next search is not stopped by the old request.
    search.on_stop_check = nullptr;
    EXPECT_TRUE(search.choose_move(forced, kRed, 100));
}

}  // namespace
}  // namespace zarvo
