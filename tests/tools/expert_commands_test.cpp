// zarvo-cli analyse --engine expert and match, run as a player or a script would run them.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "game/pdn.h"
#include "rules/movegen.h"
#include "rules/notation.h"
#include "rules/play.h"
#include "tools/cli.h"
#include "tools/match.h"

namespace zarvo::cli {
namespace {

// The lines zarvo-cli prints with these arguments; it must succeed.
std::vector<std::string> run_lines(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(run_cli(args, out, err), 0) << err.str();
    std::vector<std::string> lines;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> analyse(const char* variant, const char* side, const char* pos,
                                 const char* limit, const char* value) {
    return run_lines({"analyse", "--engine", "expert", limit, value, "--variant", variant, "--side",
                      side, "--pos", pos});
}

const std::regex kIteration(
    R"(depth (\d+) score (-?\d+|win \d+|loss \d+) nodes (\d+) nps \d+ pv((?: (?:[a-h][1-8])+)+))");

TEST(ExpertCli, AnalysePrintsEachIterationWithALegalLineThenTheMove) {
    for (const char* variant : {"greek", "turkish"}) {
        const std::vector<std::string> lines = analyse(variant, "O", "start", "--depth", "5");
        ASSERT_EQ(lines.size(), 6u);
        std::uint64_t nodes = 0;
        std::string first_move;
        for (int d = 1; d <= 5; ++d) {
            std::smatch m;
            const std::string& line = lines[static_cast<std::size_t>(d - 1)];
            ASSERT_TRUE(std::regex_match(line, m, kIteration)) << line;
            EXPECT_EQ(std::stoi(m[1]), d);
            EXPECT_GE(std::stoull(m[3]), nodes);
            nodes = std::stoull(m[3]);
            // The line is played out move by move from the position, the sides in turn.
            Position p = starting_position(parse_variant(variant));
            Side side = Side::Red;
            std::istringstream pv(m[4]);
            std::string text;
            pv >> first_move;
            for (std::optional<Move> move = parse_move(first_move); move && pv.good();
                 move = (pv >> text) ? parse_move(text) : std::nullopt) {
                ASSERT_TRUE(is_legal(p, side, *move)) << line;
                play_move(p, *move);
                side = opponent(side);
            }
        }
        EXPECT_EQ(lines.back(), "bestmove " + first_move);
    }
}

TEST(ExpertCli, AnalyseNamesForcedEndsAndPositionsWithoutMoves) {
    // A red king and man against a lone man: red wins in nine half-moves, and blue, to move after
    // red's first, loses in eight.
    const char* won = "......../.x....../......../......../...o..../......../......../.......O";
    std::vector<std::string> lines = analyse("greek", "O", won, "--depth", "10");
    ASSERT_GE(lines.size(), 2u);
    EXPECT_NE(lines[lines.size() - 2].find(" score win 9 "), std::string::npos);
    const char* after = "......../.x....../......../...o..../......../......../......../.......O";
    lines = analyse("greek", "X", after, "--depth", "10");
    ASSERT_GE(lines.size(), 2u);
    EXPECT_NE(lines[lines.size() - 2].find(" score loss 8 "), std::string::npos);
    EXPECT_EQ(analyse("turkish", "O",
                      "......../......../......../......../......../......../......../......X.",
                      "--time", "50"),
              std::vector<std::string>{"bestmove none"});
    // A thinking time gives at least the first iteration.
    lines = analyse("turkish", "X", "start", "--time", "50");
    ASSERT_GE(lines.size(), 2u);
    EXPECT_TRUE(std::regex_match(lines[0], kIteration)) << lines[0];
    EXPECT_EQ(lines.back().rfind("bestmove ", 0), 0u);
}

TEST(ExpertCli, TheExpertBenchPrintsDepthAndSpeedOfEightPositions) {
    const std::vector<std::string> lines =
        run_lines({"bench", "--engine", "expert", "--time", "20"});
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0], "Expert, 20 ms a move");
    const std::regex position(R"(  (Greek|Turkish) .* depth +\d+  nodes +\d+  nps \d+)");
    for (std::size_t i = 1; i <= 8; ++i) {
        EXPECT_TRUE(std::regex_match(lines[i], position)) << lines[i];
    }
    EXPECT_TRUE(std::regex_match(lines[9], std::regex(R"(  nodes per second  \d+)"))) << lines[9];
}

TEST(ExpertCli, MatchPrintsEachGameAndTheTallyAndRepeatsForASeed) {
    const std::vector<std::string> args = {"match", "easy",   "medium", "--games",
                                           "3",     "--seed", "7",      "--variant"};
    std::vector<std::string> both = args;
    both.push_back("both");
    const std::vector<std::string> lines = run_lines(both);
    ASSERT_EQ(lines.size(), 6u + 3u);
    const std::regex game(
        R"(game (\d) (greek|turkish) opening (\d): (easy|medium) \(red\) - (easy|medium) \(blue\) )"
        R"((1-0|0-1|1/2-1/2), (no pieces left|neither side can move|third repetition|ply limit), )"
        R"((\d+) plies)");
    int wins = 0;
    for (int i = 0; i < 6; ++i) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(lines[static_cast<std::size_t>(i)], m, game))
            << lines[static_cast<std::size_t>(i)];
        EXPECT_EQ(std::stoi(m[1]), i + 1);
        EXPECT_EQ(m[2].str(), i < 3 ? "greek" : "turkish");
        // Each opening twice, the colours swapped.
        EXPECT_EQ(std::stoi(m[3]), i % 3 / 2 + 1);
        EXPECT_EQ(m[4].str(), i % 3 % 2 == 0 ? "easy" : "medium");
        EXPECT_NE(m[4].str(), m[5].str());
        EXPECT_LE(std::stoi(m[8]), kMatchPlyLimit);
        wins += (m[6] == "1-0") == (m[4] == "easy") && m[6] != "1/2-1/2" ? 1 : 0;
    }
    const std::regex tally(
        R"((greek: |turkish: |)easy vs medium: (\d+)-(\d+)-(\d+), score \d+\.\d %, )"
        R"(Elo [+-]\d+ ± \d+, mean time per move easy \d+\.\d ms, medium \d+\.\d ms)");
    for (std::size_t i = 6; i < 9; ++i) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(lines[i], m, tally)) << lines[i];
        EXPECT_EQ(std::stoi(m[2]) + std::stoi(m[3]) + std::stoi(m[4]), i == 8 ? 6 : 3);
    }
    std::smatch m;
    std::regex_match(lines[8], m, tally);
    EXPECT_EQ(std::stoi(m[2]), wins);
    // The budgeted levels' games repeat for a seed, and two at a time change nothing.
    const std::filesystem::path records =
        std::filesystem::path(::testing::TempDir()) / "zarvo-match.pdn";
    both.insert(both.end(), {"--jobs", "2", "--pdn", records.string()});
    const std::vector<std::string> again = run_lines(both);
    EXPECT_EQ(std::vector<std::string>(again.begin(), again.begin() + 6),
              std::vector<std::string>(lines.begin(), lines.begin() + 6));

    // The record file holds every game as its line tells it: players, result and length.
    const auto read = read_pdn_file(records);
    ASSERT_TRUE(std::holds_alternative<std::vector<PdnGame>>(read));
    const std::vector<PdnGame>& games = std::get<std::vector<PdnGame>>(read);
    ASSERT_EQ(games.size(), 6u);
    for (std::size_t i = 0; i < 6; ++i) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(lines[i], m, game));
        EXPECT_EQ(games[i].tag("Round"), std::to_string(i + 1));
        EXPECT_EQ(games[i].tag("White"), m[4].str());
        EXPECT_EQ(games[i].tag("Black"), m[5].str());
        EXPECT_EQ(result_text(games[i].record.result), m[6].str());
        EXPECT_EQ(games[i].record.turns.size(), std::stoul(m[8]));
        EXPECT_EQ(games[i].record.start.variant, i < 3 ? Variant::Greek : Variant::Turkish);
    }
    std::filesystem::remove(records);
}

TEST(ExpertCli, TheOpeningsAreLegalQuietAndDistinct) {
    std::vector<Board> seen;
    for (const Opening& opening : match_openings()) {
        for (Variant v : {Variant::Greek, Variant::Turkish}) {
            Position p = starting_position(v);
            Side side = Side::Red;
            for (const char* text : opening.moves) {
                const std::optional<Move> move = parse_move(text);
                ASSERT_TRUE(move && is_legal(p, side, *move) && !is_capture(p, *move)) << text;
                play_move(p, *move);
                side = opponent(side);
            }
            if (v == Variant::Greek) {
                Board mirrored;
                for (int square = 0; square < 64; ++square) {
                    mirrored[static_cast<std::size_t>(square)] =
                        p[square_index(row_of(square), 7 - column_of(square))];
                }
                EXPECT_EQ(std::count(seen.begin(), seen.end(), p.squares), 0);
                EXPECT_EQ(std::count(seen.begin(), seen.end(), mirrored), 0);
                seen.push_back(p.squares);
            }
        }
    }
    EXPECT_EQ(seen.size(), 50u);
}

TEST(ExpertCli, PlayersAreNamedAsGivenAndTunedByName) {
    EXPECT_EQ(parse_player("expert").name(), "expert:1000");
    EXPECT_EQ(parse_player("hard").level, Level::Hard);
    Player tuned = parse_player("expert:50");
    tune_weights(tuned, "turkish_king=350,advance_ending=50,mobility=0");
    EXPECT_EQ(tuned.name(), "expert:50*");
    EXPECT_EQ(tuned.weights.turkish_king, 350);
    EXPECT_EQ(tuned.weights.mobility, 0);
    EXPECT_EQ(tuned.weights.advance_ending[6], kExpertWeights.advance_ending[6] / 2);
    EXPECT_EQ(tuned.weights.greek_king, kExpertWeights.greek_king);
}

TEST(ExpertCli, EloFollowsTheShareOfThePoints) {
    EXPECT_EQ(elo_of(Tally{5, 0, 5}).difference, 0.0);
    // 75 %: 400 log10(3).
    const EloEstimate three_to_one = elo_of(Tally{30, 0, 10});
    EXPECT_NEAR(three_to_one.difference, 190.85, 0.01);
    EXPECT_GT(three_to_one.margin, 0);
    EXPECT_LT(elo_of(Tally{300, 0, 100}).margin, three_to_one.margin);
    EXPECT_LT(elo_of(Tally{0, 2, 8}).difference, 0);
}

}  // namespace
}  // namespace zarvo::cli
