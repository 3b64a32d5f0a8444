// zarvo-cli analyse, best and the bench set, run as a player or a script would run them.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "rules/movegen.h"
#include "rules/notation.h"
#include "tools/cli.h"

namespace zarvo::cli {
namespace {

// Runs zarvo-cli with these arguments and returns what it printed; it must succeed.
std::string run(std::string_view name, const std::vector<const char*>& args) {
    std::vector<std::string> all{std::string(name)};
    all.insert(all.end(), args.begin(), args.end());
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(run_cli(all, out, err), 0) << err.str();
    return out.str();
}

// The lines of a text.
std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        out.push_back(line);
    }
    return out;
}

const char* const kWinAtOnce =
    "......../......../......../...x..../...o..../......../......../........";

TEST(Cli, AnalyseScoresEveryMoveInListOrder) {
    EXPECT_EQ(
        run("analyse", {"--variant", "greek", "--side", "O", "--budget", "100", "--pos", "start"}),
        "a3a4 5003\nb3b4 5003\nc3c4 5000\nd3d4 5000\ne3e4 5000\nf3f4 5000\ng3g4 5003\n"
        "h3h4 5003\n");
    EXPECT_EQ(
        run("analyse", {"--variant", "greek", "--side", "X", "--level", "3", "--pos", kWinAtOnce}),
        "d5c5 5080\nd5e5 5080\nd5d3 10000\n");
    // More moves than the budget: every move gets 0 and is scored as it stands.
    EXPECT_EQ(
        run("analyse", {"--variant", "greek", "--side", "X", "--budget", "2", "--pos", kWinAtOnce}),
        "d5c5 5000\nd5e5 5000\nd5d3 5012\n");
    EXPECT_EQ(run("analyse",
                  {"--variant", "turkish", "--side", "X", "--level", "1", "--pos", kWinAtOnce}),
              "d5d3 10000\n");
    // No move, no line.
    EXPECT_EQ(run("analyse", {"--variant", "turkish", "--side", "O", "--level", "2", "--pos",
                              "......../......../......../......../......../......../......../"
                              "......X."}),
              "");
}

TEST(Cli, BestPlaysOneOfTheTopScoredMovesAndASeedRepeatsIt) {
    const std::string pos =
        "......../xx.xx..x/x.x.x..x/..x....x/o.x...oo/o.ooo..o/.oooo.../........";
    for (const char* variant : {"greek", "turkish"}) {
        const std::vector<std::string> scored =
            lines(run("analyse",
                      {"--variant", variant, "--side", "O", "--level", "1", "--pos", pos.c_str()}));
        int top = 0;
        for (const std::string& line : scored) {
            top = std::max(top, std::stoi(line.substr(line.find(' ') + 1)));
        }
        std::set<std::string> chosen;
        for (const char* seed : {"0", "1", "2", "3", "4", "5", "6", "7", "254"}) {
            const std::vector<const char*> args = {"--variant", variant,    "--side", "O",
                                                   "--level",   "1",        "--seed", seed,
                                                   "--pos",     pos.c_str()};
            const std::string move = run("best", args);
            ASSERT_FALSE(move.empty());
            EXPECT_EQ(move.back(), '\n');
            const std::string bare = move.substr(0, move.size() - 1);
            EXPECT_NE(std::find(scored.begin(), scored.end(), bare + ' ' + std::to_string(top)),
                      scored.end())
                << variant << ' ' << bare;
            EXPECT_EQ(run("best", args), move);
            chosen.insert(bare);
        }
    }
    // All eight first moves tie at budget 0 (each is scored as it stands): the seeds differ.
    std::set<std::string> openings;
    for (const char* seed : {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}) {
        openings.insert(run("best", {"--variant", "greek", "--side", "O", "--budget", "0", "--seed",
                                     seed, "--pos", "start"}));
    }
    EXPECT_GT(openings.size(), 2u);
    EXPECT_EQ(
        run("best", {"--variant", "greek", "--side", "O", "--level", "3", "--seed", "1", "--pos",
                     "......../......../......../......../......../......../"
                     "......../......X."}),
        "\n");
    EXPECT_EQ(run("best", {"--variant", "greek", "--side", "X", "--level", "3", "--seed", "1",
                           "--pos", kWinAtOnce}),
              "d5d3\n");
}

TEST(Cli, TheBenchSetCoversBothVariantsAndEveryKindOfPosition) {
    const auto positions = bench_positions();
    EXPECT_GE(positions.size(), 30u);
    int per_variant[2] = {0, 0};
    int greek_with_kings_and_many_moves = 0;
    int forced = 0;
    int endings_with_kings = 0;
    MoveList list;
    for (const BenchPosition& p : positions) {
        const auto board = parse_pos(p.pos);
        ASSERT_TRUE(board) << p.pos;
        ++per_variant[static_cast<int>(p.variant)];
        const int n = generate_moves({*board, p.variant}, p.side, list, Landings::Distinct);
        EXPECT_GT(n, 0) << p.what;
        int kings = 0;
        int pieces = 0;
        for (char c : *board) {
            kings += (c == 'O' || c == 'X') ? 1 : 0;
            pieces += c != ' ' ? 1 : 0;
        }
        greek_with_kings_and_many_moves +=
            (p.variant == Variant::Greek && kings >= 3 && n >= 30) ? 1 : 0;
        forced += n == 1 ? 1 : 0;
        endings_with_kings += (kings >= 1 && pieces <= 10) ? 1 : 0;
    }
    EXPECT_GE(per_variant[0], 12);
    EXPECT_GE(per_variant[1], 12);
    EXPECT_GE(greek_with_kings_and_many_moves, 3);
    EXPECT_GE(forced, 3);
    EXPECT_GE(endings_with_kings, 6);
}

}  // namespace
}  // namespace zarvo::cli
