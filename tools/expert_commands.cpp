// The Expert on the command line: its analysis of a position (analyse --engine expert) and
// matches between the computer's levels (match).
#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <cmath>
#include <condition_variable>
#include <filesystem>
#include <iomanip>
#include <memory>
#include <mutex>
#include <ostream>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "ai/expert_search.h"
#include "game/pdn.h"
#include "rules/movegen.h"
#include "rules/notation.h"
#include "tools/cli.h"
#include "tools/match.h"

namespace zarvo::cli {

namespace {

// The longest thinking time and the deepest search the analysis takes.
constexpr int kLongestAnalysisMs = 3600000;

// A score as the analysis prints it: hundredths of a man, or a forced end in half-moves.
std::string score_text(int score) {
    if (is_decided(score)) {
        return (score > 0 ? "win " : "loss ") + std::to_string(plies_to_end(score));
    }
    return std::to_string(score);
}

// The text options of match, as given.
struct MatchOptions {
    std::string first;
    std::string second;
    std::string games;
    std::string variant = "both";
    std::string seed = "1";
    std::string jobs = "1";
    std::string tune;
    std::string pdn;
};

const char* variant_name(Variant variant) {
    return variant == Variant::Greek ? "greek" : "turkish";
}

const char* ending_text(Ending ending) {
    switch (ending) {
        case Ending::NoPieces:
            return "no pieces left";
        case Ending::NoMoves:
            return "neither side can move";
        case Ending::Repetition:
            return "third repetition";
        case Ending::PlyLimit:
            break;
    }
    return "ply limit";
}

// One game of the match as planned: its variant, opening and colours.
struct PlannedGame {
    Variant variant;
    std::size_t opening;
    bool first_is_red;
};

// The line printed for one game.
std::string game_line(std::size_t number, const PlannedGame& plan, const MatchGame& game,
                      const Player& first, const Player& second) {
    const std::string red = plan.first_is_red ? first.name() : second.name();
    const std::string blue = plan.first_is_red ? second.name() : first.name();
    const char* result = !game.winner ? "1/2-1/2" : (*game.winner == Side::Red ? "1-0" : "0-1");
    std::ostringstream line;
    line << "game " << number << ' ' << variant_name(plan.variant) << " opening "
         << plan.opening + 1 << ": " << red << " (red) - " << blue << " (blue) " << result << ", "
         << ending_text(game.ending) << ", " << game.plies << " plies";
    return line.str();
}

// The summary line of a tally: "A vs B: W-D-L, score P %, Elo D ± E" and the mean times.
std::string summary_line(const Tally& tally, const Player& first, const Player& second) {
    const EloEstimate elo = elo_of(tally);
    const auto mean_ms = [](std::chrono::nanoseconds total, int moves) {
        return moves == 0 ? 0.0 : std::chrono::duration<double, std::milli>(total).count() / moves;
    };
    std::ostringstream line;
    line << std::fixed << std::setprecision(1) << first.name() << " vs " << second.name() << ": "
         << tally.wins << '-' << tally.draws << '-' << tally.losses << ", score "
         << 100 * tally.score() << " %, Elo " << std::showpos << std::lround(elo.difference)
         << std::noshowpos << " \u00b1 " << std::lround(elo.margin) << std::setprecision(1)
         << ", mean time per move " << first.name() << ' '
         << mean_ms(tally.first_time, tally.first_moves) << " ms, " << second.name() << ' '
         << mean_ms(tally.second_time, tally.second_moves) << " ms";
    return line.str();
}

// Writes every game of a match in one PDN file, each with its number as its round and the
// players as the command line names them; a file that cannot be written is reported on
// standard error with exit status 1.
void write_match_records(const std::string& path, const std::vector<PlannedGame>& plan,
                         const std::vector<std::optional<MatchGame>>& results, const Player& first,
                         const Player& second, Output& output) {
    const auto today = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
    std::string text;
    for (std::size_t i = 0; i < plan.size(); ++i) {
        PdnRoster roster;
        roster.event = "Zarvo match";
        roster.round = std::to_string(i + 1);
        roster.date = pdn_date(std::chrono::year_month_day(today));
        roster.red_player = plan[i].first_is_red ? first.name() : second.name();
        roster.blue_player = plan[i].first_is_red ? second.name() : first.name();
        text += (i == 0 ? "" : "\n") + write_pdn(roster, results[i]->record);
    }
    if (!write_pdn_text(path, text)) {
        // TRANSLATORS: {1} is the file named with --pdn.
        output.err << Message(N_("cannot write the file '{1}'"), {escaped(path)}).text(translate)
                   << '\n';
        output.status = 1;
    }
}

// Plays the match, `jobs` games at a time, printing each game's line in order as soon as it and
// those before it are over, then the summaries.
void run_match(const MatchOptions& o, Output& output) {
    Player first = parse_player(o.first);
    const Player second = parse_player(o.second);
    if (!o.tune.empty()) {
        if (first.level != Level::Expert) {
            // TRANSLATORS: {1} is the first player as the command line names it: easy, medium
            // or hard.
            throw UsageError(Message(N_("--tune changes the weights of an Expert, and A is {1}"),
                                     {first.name()}));
        }
        tune_weights(first, o.tune);
    }
    const int games = o.games.empty() ? 100 : parse_integer("games", o.games, 1, 100000);
    const int seed = parse_integer("seed", o.seed, 0, INT_MAX);
    const int jobs = parse_integer("jobs", o.jobs, 1, 16);
    // A record file that could never be written is refused before the games, not after them.
    if (!o.pdn.empty()) {
        const std::filesystem::path folder = std::filesystem::path(o.pdn).parent_path();
        std::error_code error;
        if (!std::filesystem::is_directory(folder.empty() ? "." : folder, error)) {
            throw UsageError(Message(N_("cannot write the file '{1}'"), {escaped(o.pdn)}));
        }
    }
    std::vector<Variant> variants;
    if (o.variant == "both") {
        variants = {Variant::Greek, Variant::Turkish};
    } else {
        variants = {parse_variant(o.variant)};
    }

    // Each opening twice, the first player red and then blue, in turn through the set.
    const std::size_t openings = match_openings().size();
    std::vector<PlannedGame> plan;
    for (const Variant variant : variants) {
        for (int g = 0; g < games; ++g) {
            plan.push_back({variant, static_cast<std::size_t>(g / 2) % openings, g % 2 == 0});
        }
    }

    std::vector<std::optional<MatchGame>> results(plan.size());
    std::mutex mutex;
    std::condition_variable done;
    std::atomic<std::size_t> next{0};
    const auto worker = [&] {
        for (std::size_t i = next++; i < plan.size(); i = next++) {
            const PlannedGame& p = plan[i];
            MatchGame r = play_game(first, second, p.variant, match_openings()[p.opening],
                                    p.first_is_red, static_cast<std::uint64_t>(seed) * 100003 + i);
            const std::lock_guard lock(mutex);
            results[i] = std::move(r);
            done.notify_all();
        }
    };
    std::vector<std::jthread> threads;
    for (int j = 1; j < jobs; ++j) {
        threads.emplace_back(worker);
    }
    std::jthread own(worker);

    std::vector<Tally> per_variant(variants.size());
    Tally all;
    for (std::size_t i = 0; i < plan.size(); ++i) {
        std::unique_lock lock(mutex);
        done.wait(lock, [&] { return results[i].has_value(); });
        // Once in place, a game's result is never touched again.
        const MatchGame& r = *results[i];
        lock.unlock();
        output.out << game_line(i + 1, plan[i], r, first, second) << std::endl;
        per_variant[static_cast<std::size_t>(
                        std::find(variants.begin(), variants.end(), plan[i].variant) -
                        variants.begin())]
            .add(r);
        all.add(r);
    }
    if (variants.size() > 1) {
        for (std::size_t v = 0; v < variants.size(); ++v) {
            output.out << variant_name(variants[v]) << ": "
                       << summary_line(per_variant[v], first, second) << '\n';
        }
    }
    output.out << summary_line(all, first, second) << '\n';
    if (!o.pdn.empty()) {
        write_match_records(o.pdn, plan, results, first, second, output);
    }
}

}  // namespace

void run_expert_analysis(const ExpertAnalysis& o, Output& output) {
    if (o.engine != "expert") {
        // TRANSLATORS: {1} is what was given instead; expert is typed as it is.
        throw UsageError(Message(N_("--engine must be expert, not '{1}'"), {escaped(o.engine)}));
    }
    const Variant variant = parse_variant(o.variant);
    const Side side = parse_side(o.side, o.fen);
    const Position position{parse_position(o.pos, o.fen), variant};
    if (o.time.empty() == o.depth.empty()) {
        throw UsageError(_("give either --time MS or --depth D with --engine expert"));
    }
    ExpertLimits limits =
        o.time.empty() ? ExpertLimits::to_depth(parse_integer("depth", o.depth, 1, kExpertMaxDepth))
                       : ExpertLimits::thinking_time(std::chrono::milliseconds(
                             parse_integer("time", o.time, 1, kLongestAnalysisMs)));
    limits.single_move_at_once = false;
    ExpertSearch search;
    std::ostream& out = output.out;
    const std::optional<Move> best =
        search.choose_move(position, side, limits, {}, {}, [&out](const ExpertIteration& it) {
            const double seconds = std::chrono::duration<double>(it.elapsed).count();
            out << "depth " << it.depth << " score " << score_text(it.score) << " nodes "
                << it.nodes << " nps "
                << static_cast<std::uint64_t>(seconds > 0 ? static_cast<double>(it.nodes) / seconds
                                                          : 0.0)
                << " pv";
            for (const Move& move : it.pv) {
                out << ' ' << format_move(move);
            }
            out << std::endl;
        });
    out << "bestmove " << (best ? format_move(*best) : std::string("none")) << '\n';
}

void run_expert_bench(const std::string& engine, const std::string& time, Output& output) {
    if (engine != "expert") {
        // TRANSLATORS: {1} is what was given instead; expert is typed as it is.
        throw UsageError(Message(N_("--engine must be expert, not '{1}'"), {escaped(engine)}));
    }
    const int ms = time.empty() ? 1000 : parse_integer("time", time, 1, kLongestAnalysisMs);
    // The start and the middlegames of the bench set, three of each variant.
    constexpr std::size_t kPositions[] = {0, 2, 3, 5, 17, 19, 20, 21};
    const std::span<const BenchPosition> bench = bench_positions();
    std::ostream& out = output.out;
    out << "Expert, " << ms << " ms a move\n";
    std::uint64_t nodes = 0;
    double seconds = 0;
    for (const std::size_t i : kPositions) {
        const BenchPosition& p = bench[i];
        ExpertSearch search;
        ExpertLimits limits = ExpertLimits::thinking_time(std::chrono::milliseconds(ms));
        limits.single_move_at_once = false;
        search.choose_move({*parse_pos(p.pos), p.variant}, p.side, limits);
        const ExpertStats& s = search.stats();
        const double took = std::chrono::duration<double>(s.elapsed).count();
        nodes += s.nodes;
        seconds += took;
        out << "  " << std::left << std::setw(44) << p.what << std::right << " depth "
            << std::setw(2) << s.depth << "  nodes " << std::setw(9) << s.nodes << "  nps "
            << static_cast<std::uint64_t>(took > 0 ? static_cast<double>(s.nodes) / took : 0.0)
            << '\n';
    }
    out << "  nodes per second  "
        << static_cast<std::uint64_t>(seconds > 0 ? static_cast<double>(nodes) / seconds : 0.0)
        << '\n';
}

void add_match_command(CLI::App& app, Output& output) {
    const auto o = std::make_shared<MatchOptions>();
    CLI::App* match = app.add_subcommand("match", _("Games between two of the computer's levels"));
    match->footer(
        // TRANSLATORS: the indented line is what match prints, which stays in English; the player
        // names (easy, medium, hard, expert, expert:MS) and the weights' names are typed as they
        // are.
        // xgettext:no-c-format
        _("A and B are easy, medium, hard, expert (one second a move) or expert:MS (MS\n"
          "milliseconds a move, 1 to 600000). Plays N games (100 by default) in each\n"
          "variant asked for (both by default) from a fixed set of openings, each opening\n"
          "twice with the colours swapped; a game is drawn at the third repetition of a\n"
          "position or after 200 plies. The budgeted levels break ties with draws from\n"
          "the seed S (1 by default); J games are played at once (1 by default). Prints\n"
          "one line per game, then for each variant and for the whole match\n"
          "  A vs B: W-D-L, score P %, Elo D \u00b1 E, mean time per move A X ms, B Y ms\n"
          "from A's side (E is the half-width of a 95 % interval). --tune changes the\n"
          "weights of A, an Expert, for tuning by self-play: greek_king, turkish_king,\n"
          "home_guard, free_path, mobility, king_freedom, boxed_king, trade_down (each in\n"
          "hundredths of a man), advance_opening, advance_ending (a percentage of the\n"
          "table); A is then named with a '*'."));
    match->add_option("A", o->first, _("the first player"))->required();
    match->add_option("B", o->second, _("the second player"))->required();
    match->add_option("--games", o->games, _("games per variant"));
    match->add_option("--variant", o->variant, _("greek, turkish or both"));
    match->add_option("--seed", o->seed, _("0 to 2147483647"));
    match->add_option("--jobs", o->jobs, _("games played at once, 1 to 16"));
    match->add_option("--tune", o->tune,
                      _("NAME=VALUE,...: A (an Expert) plays with these weights changed, as in "
                        "self-play tuning"));
    match->add_option("--pdn", o->pdn, _("FILE: every game written there as a PDN record"));
    match->callback([o, &output] { run_match(*o, output); });
}

}  // namespace zarvo::cli
