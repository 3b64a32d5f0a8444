// The Expert: won endings converted within their length, a capture it takes, a move losing
// material it avoids, the same answers for the same inputs, repetitions, stopping at once on
// request or at its deadline, and the keys it knows positions by.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "ai/expert_eval.h"
#include "ai/expert_search.h"
#include "ai/transposition_table.h"
#include "ai/zobrist.h"
#include "rules/movegen.h"
#include "rules/play.h"
#include "tests/rules/test_boards.h"

namespace zarvo {
namespace {

using namespace testing;

// Whether `winner` takes every enemy piece within `plies` half-moves from `p` with `to_move` to
// move, whatever the other side plays: an exhaustive search of the rules alone.
bool wins_within(const Position& p, Side to_move, Side winner, int plies) {
    const PieceCounts counts = count_pieces(p.squares);
    if ((winner == kRed ? counts.blue : counts.red) == 0) {
        return true;
    }
    if (plies == 0) {
        return false;
    }
    MoveList list;
    if (generate_moves(p, to_move, list, Landings::Distinct) == 0) {
        return wins_within(p, opponent(to_move), winner, plies - 1);
    }
    for (const Move& m : list) {
        Position next = p;
        play_move(next, m);
        const bool won = wins_within(next, opponent(to_move), winner, plies - 1);
        if (won == (to_move == winner)) {
            return won;
        }
    }
    return to_move != winner;
}

// The material of `side` less its opponent's, a king three men, after the best play of both
// sides for `plies` half-moves (a side that cannot move stands as it is).
int material_after(const Position& p, Side side, int plies) {
    MoveList list;
    if (plies == 0 || generate_moves(p, side, list, Landings::Distinct) == 0) {
        int lead = 0;
        for (char c : p.squares) {
            lead += c == kRedMan     ? 1
                    : c == kRedKing  ? 3
                    : c == kBlueMan  ? -1
                    : c == kBlueKing ? -3
                                     : 0;
        }
        return side == kRed ? lead : -lead;
    }
    int best = -1000;
    for (const Move& m : list) {
        Position next = p;
        play_move(next, m);
        best = std::max(best, -material_after(next, opponent(side), plies - 1));
    }
    return best;
}

// The Expert's move at a fixed depth from a new player.
Move expert_move(const Position& p, Side side, int depth) {
    ExpertSearch search(1);
    return search.choose_move(p, side, ExpertLimits::to_depth(depth)).value();
}

TEST(Expert, ConvertsWonEndingsWithinTheirLength) {
    // A red king and man against a lone blue man: red takes it within nine half-moves whatever
    // blue plays, but not within seven (shown by the exhaustive search). The Expert, playing
    // both sides, ends the game within the nine.
    const struct {
        const char* pos;
        Variant variant;
    } endings[] = {
        {"......../.x....../......../......../...o..../......../......../.......O", kGreek},
        {"......../..x...../......../......../......../...o..../......../O.......", kTurkish},
    };
    for (const auto& [pos, variant] : endings) {
        Position p = pos_of(pos, variant);
        ASSERT_TRUE(wins_within(p, kRed, kRed, 9)) << pos;
        ASSERT_FALSE(wins_within(p, kRed, kRed, 7)) << pos;
        ExpertSearch red(1);
        ExpertSearch blue(1);
        red.choose_move(p, kRed, ExpertLimits::to_depth(10));
        EXPECT_EQ(red.stats().score, kExpertWin - 9) << pos;
        Side side = kRed;
        int plies = 0;
        while (!winner_by_pieces(p.squares) && plies < 9) {
            const std::optional<Move> m =
                (side == kRed ? red : blue).choose_move(p, side, ExpertLimits::to_depth(10));
            if (m) {
                play_move(p, *m);
            }
            side = opponent(side);
            ++plies;
        }
        EXPECT_EQ(winner_by_pieces(p.squares), Winner::Red) << pos << " after " << plies;
    }
}

TEST(Expert, TakesTheWholeCaptureChainThatWinsMaterial) {
    // Greek captures are optional and a chain may stop after any jump: the king takes both men.
    const Position p =
        pos_of("......../......xx/......../..x...../x......./......../......../O.......", kGreek);
    for (int depth = 1; depth <= 6; ++depth) {
        EXPECT_EQ(expert_move(p, kRed, depth), path("a1a5d5")) << depth;
    }
}

TEST(Expert, AvoidsAMoveThatLosesAManWithinThreeHalfMoves) {
    // Each first move keeps the men even at the first look, but loses one against the best
    // replies; the Expert searching three half-moves plays a move that keeps them even.
    const struct {
        const char* pos;
        Variant variant;
        const char* losing;
    } cases[] = {
        {"......../xxxx.xxx/xxxxxxxx/....x.../.o..oo../oo.o..oo/oooooooo/........", kGreek, "e4d4"},
        {"......../xx.xxxxx/x.x....x/.xx....x/......../o.o.o.oo/.o.....o/........", kTurkish,
         "g3g4"},
    };
    for (const auto& [pos, variant, losing] : cases) {
        const Position p = pos_of(pos, variant);
        const int before = material_after(p, kRed, 0);
        Position after_losing = p;
        play_move(after_losing, path(losing));
        ASSERT_EQ(-material_after(after_losing, kBlue, 3), before - 1) << pos;
        const Move chosen = expert_move(p, kRed, 3);
        Position after = p;
        play_move(after, chosen);
        EXPECT_GE(-material_after(after, kBlue, 3), before) << pos << ' ' << format_move(chosen);
    }
}

TEST(Expert, TheSameInputsGiveTheSameAnswer) {
    for (Variant v : {kGreek, kTurkish}) {
        for (const Situation& s : random_game_positions(v, 11, 2, 40, 13)) {
            const auto run = [&](ExpertSearch& search) {
                std::vector<std::string> lines;
                const std::optional<Move> m =
                    search.choose_move(s.position, s.side, ExpertLimits::to_depth(6), {}, {},
                                       [&](const ExpertIteration& it) {
                                           std::string line = std::to_string(it.score) + ' ' +
                                                              std::to_string(it.nodes);
                                           for (const Move& move : it.pv) {
                                               line += ' ' + format_move(move);
                                           }
                                           lines.push_back(line);
                                       });
                lines.push_back(m ? format_move(*m) : "none");
                return lines;
            };
            ExpertSearch first(1);
            ExpertSearch second(1);
            const std::vector<std::string> answer = run(first);
            EXPECT_EQ(run(second), answer);
            first.new_game();
            EXPECT_EQ(run(first), answer);
        }
    }
}

TEST(Expert, PlaysASingleMoveAtOnceAndNoMoveWhenThereIsNone) {
    const Position forced =
        pos_of("......../xxxx..xx/.x.x..x./o...x.../.......x/o..ooo.o/ooo.o..o/........", kTurkish);
    ExpertSearch search(1);
    EXPECT_EQ(search.choose_move(forced, kRed, ExpertLimits::to_depth(20)), path("h3h5"));
    EXPECT_EQ(search.stats().nodes, 0u);
    const Position walled = {
        board_with({{"a4", 'x'}, {"a3", 'x'}, {"b2", 'x'}, {"c2", 'x'}, {"a2", 'o'}}), kGreek};
    EXPECT_FALSE(search.choose_move(walled, kRed, ExpertLimits::to_depth(5)));
}

TEST(Expert, ARepeatedPositionIsADraw) {
    // A lone red king in its corner, where nothing can take it, against two blue kings: the
    // Expert is lost on material, unless a move brings back a position of the game.
    const Position p = {board_with({{"a1", 'O'}, {"f6", 'X'}, {"g5", 'X'}}), kTurkish};
    ExpertSearch search(1);
    search.choose_move(p, kRed, ExpertLimits::to_depth(4));
    EXPECT_LT(search.stats().score, -100);
    Position after = p;
    play_move(after, path("a1b1"));
    const std::uint64_t earlier[] = {position_key(after, kBlue), position_key(p, kRed)};
    EXPECT_EQ(search.choose_move(p, kRed, ExpertLimits::to_depth(4), {}, earlier), path("a1b1"));
    EXPECT_LT(std::abs(search.stats().score), 50);
}

TEST(Expert, StopsOnRequestOrAtItsDeadlineWithALegalMove) {
    const Position p =
        pos_of("......../x.xx...O/xx....x./......../o...o.../o....o.o/o..x...o/........", kTurkish);
    ExpertSearch search(1);
    const auto legal = [&](const std::optional<Move>& m) { return m && is_legal(p, kRed, *m); };
    EXPECT_TRUE(legal(
        search.choose_move(p, kRed, ExpertLimits::thinking_time(std::chrono::milliseconds(30)))));
    std::stop_source stop;
    std::jthread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        stop.request_stop();
    });
    // No limit but the request: the search would otherwise go on to its deepest iteration.
    EXPECT_TRUE(legal(search.choose_move(p, kRed, {}, stop.get_token())));
    EXPECT_GE(search.stats().depth, 1);
    // A request made before the search starts still gets a move.
    EXPECT_TRUE(legal(search.choose_move(p, kRed, {}, stop.get_token())));
}

TEST(Expert, TheEvaluationIsTheSameForEitherColourAndEitherWing) {
    const ExpertEval eval;
    for (Variant v : {kGreek, kTurkish}) {
        for (const Situation& s : random_game_positions(v, 3, 20, 150, 7)) {
            // Colours swapped and the board turned: red's men become blue's, rank 2 rank 7.
            Board swapped;
            Board mirrored;
            for (int square = 0; square < 64; ++square) {
                const char c = s.position[square_index(7 - row_of(square), column_of(square))];
                swapped[static_cast<std::size_t>(square)] = c == kRedMan     ? kBlueMan
                                                            : c == kBlueMan  ? kRedMan
                                                            : c == kRedKing  ? kBlueKing
                                                            : c == kBlueKing ? kRedKing
                                                                             : c;
                mirrored[static_cast<std::size_t>(square)] =
                    s.position[square_index(row_of(square), 7 - column_of(square))];
            }
            const int score = eval.evaluate(PieceBits::of(s.position.squares), s.side, v);
            EXPECT_EQ(eval.evaluate(PieceBits::of(swapped), opponent(s.side), v), score)
                << format_pos(s.position.squares);
            EXPECT_EQ(eval.evaluate(PieceBits::of(mirrored), s.side, v), score)
                << format_pos(s.position.squares);
        }
    }
}

TEST(Expert, TheTableKeepsTheDeepestSearchAndTheLatest) {
    TranspositionTable table(1);
    const auto entry = [](std::uint64_t key, int depth, int score) {
        TableEntry e;
        e.key = key;
        e.depth = static_cast<std::int8_t>(depth);
        e.score = static_cast<std::int16_t>(score);
        return e;
    };
    // Three keys that share a bucket (the same low bits).
    const std::uint64_t a = 5 + (std::uint64_t{1} << 40);
    const std::uint64_t b = 5 + (std::uint64_t{2} << 40);
    const std::uint64_t c = 5 + (std::uint64_t{3} << 40);
    table.store(entry(a, 9, 10));
    table.store(entry(b, 3, 20));
    table.store(entry(c, 4, 30));
    ASSERT_TRUE(table.probe(a));
    EXPECT_EQ(table.probe(a)->score, 10);
    EXPECT_FALSE(table.probe(b));
    EXPECT_EQ(table.probe(c)->score, 30);
    // A deeper search takes the deepest slot and the former holder moves to the latest.
    table.store(entry(b, 12, 40));
    EXPECT_EQ(table.probe(b)->score, 40);
    EXPECT_EQ(table.probe(a)->score, 10);
    EXPECT_FALSE(table.probe(c));
    // In a later search the old entries give way to any new one; clearing forgets them all.
    table.new_search();
    table.store(entry(c, 1, 50));
    EXPECT_EQ(table.probe(c)->score, 50);
    table.clear();
    EXPECT_FALSE(table.probe(a) || table.probe(b) || table.probe(c));
}

TEST(Expert, KeysFollowMovesAndTellSidesAndVariantsApart) {
    MoveList list;
    for (Variant v : {kGreek, kTurkish}) {
        for (const Situation& s : random_game_positions(v, 5, 20, 120, 3)) {
            const std::uint64_t key = position_key(s.position, s.side);
            EXPECT_NE(key, position_key(s.position, opponent(s.side)));
            EXPECT_NE(key,
                      position_key({s.position.squares, v == kGreek ? kTurkish : kGreek}, s.side));
            generate_moves(s.position, s.side, list, Landings::Distinct);
            for (const Move& m : list) {
                Position after = s.position;
                play_move(after, m);
                ASSERT_EQ(key_after(s.position, key, m), position_key(after, opponent(s.side)))
                    << format_pos(s.position.squares) << ' ' << format_move(m);
            }
        }
    }
}

}  // namespace
}  // namespace zarvo
