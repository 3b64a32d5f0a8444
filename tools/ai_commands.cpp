// analyse, best and bench: the computer player seen from the command line.
#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <iomanip>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "ai/budget_search.h"
#include "ai/level.h"
#include "rules/movegen.h"
#include "rules/notation.h"
#include "tools/cli.h"

namespace zarvo::cli {

namespace {

// The levels as the game's menus name them.
constexpr std::string_view kLevelNames[] = {"Easy", "Medium", "Hard"};

// The texts of the options the computer player's commands take.
struct AiOptions {
    std::string variant;
    std::string side;
    std::string level;
    std::string budget;
    std::string seed;
    std::string pos;
    std::string fen;
    // The Expert's analysis only.
    std::string engine;
    std::string time;
    std::string depth;
};

// The search budget: a level's, or one given outright; exactly one of the two.
int budget_of_options(const AiOptions& o) {
    const bool level = !o.level.empty();
    if (level == !o.budget.empty()) {
        throw UsageError(_("give either --level 1|2|3 or --budget N"));
    }
    if (level) {
        return budget_of(static_cast<Level>(parse_integer("level", o.level, 1, 3)));
    }
    return parse_integer("budget", o.budget, 0, INT_MAX);
}

// Prints every root move with the score the computer gives it, or the Expert's analysis.
void run_analyse(const AiOptions& o, Output& output) {
    if (!o.engine.empty()) {
        if (!o.level.empty() || !o.budget.empty()) {
            throw UsageError(_("--engine expert takes --time or --depth, not --level or --budget"));
        }
        run_expert_analysis({o.engine, o.time, o.depth, o.variant, o.side, o.pos, o.fen}, output);
        return;
    }
    if (!o.time.empty() || !o.depth.empty()) {
        throw UsageError(_("--time and --depth go with --engine expert"));
    }
    const Variant variant = parse_variant(o.variant);
    const Side side = parse_side(o.side, o.fen);
    const int budget = budget_of_options(o);
    const Position position{parse_position(o.pos, o.fen), variant};
    MoveList root;
    const int n = generate_moves(position, side, root, Landings::Distinct);
    BudgetSearch search;
    for (const Move& move : root) {
        output.out << format_move(move) << ' '
                   << search.score_move(position, side, side, move, budget / n, kRootDepth) << '\n';
    }
}

// Prints the move the computer plays after the random generator is seeded.
void run_best(const AiOptions& o, Output& output) {
    const Variant variant = parse_variant(o.variant);
    const Side side = parse_side(o.side, o.fen);
    const int budget = budget_of_options(o);
    const int seed = parse_integer("seed", o.seed, 0, INT_MAX);
    const Position position{parse_position(o.pos, o.fen), variant};
    std::srand(static_cast<unsigned>(seed));
    BudgetSearch search;
    const std::optional<Move> chosen = search.choose_move(position, side, budget);
    output.out << (chosen ? format_move(*chosen) : std::string()) << '\n';
}

using Clock = std::chrono::steady_clock;

// A duration in milliseconds.
double milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// The figures of one level over the whole bench set.
struct BenchLevel {
    std::size_t positions = 0;
    std::uint64_t moves_searched = 0;
    std::uint64_t static_evaluations = 0;
    double median_ms = 0;
    double max_ms = 0;
    double total_ms = 0;
    std::size_t slowest = 0;
    double longest_between_checks_ms = 0;
};

// Plays the computer's move in every bench position at one level, timing each search and the
// gaps between two looks at the stop request (how long a stop may wait).
BenchLevel run_bench_level(int level) {
    BenchLevel result;
    const int budget = budget_of(static_cast<Level>(level));
    const std::span<const BenchPosition> positions = bench_positions();
    std::vector<Clock::duration> times;
    BudgetSearch search;
    Clock::time_point last_check;
    Clock::duration longest_gap{};
    search.on_stop_check = [&] {
        const Clock::time_point now = Clock::now();
        longest_gap = std::max(longest_gap, now - last_check);
        last_check = now;
    };
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const BenchPosition& p = positions[i];
        const Position position{*parse_pos(p.pos), p.variant};
        // Ties are drawn from rand(); a fixed seed keeps the chosen moves the same every run.
        std::srand(1);
        search.reset_stats();
        longest_gap = {};
        const Clock::time_point start = Clock::now();
        last_check = start;
        search.choose_move(position, p.side, budget);
        const Clock::time_point end = Clock::now();
        longest_gap = std::max(longest_gap, end - last_check);
        const Clock::duration took = end - start;
        times.push_back(took);
        if (took >= times[result.slowest]) {
            result.slowest = i;
        }
        result.moves_searched += search.stats().moves_searched;
        result.static_evaluations += search.stats().static_evaluations;
        result.longest_between_checks_ms =
            std::max(result.longest_between_checks_ms, milliseconds(longest_gap));
        result.total_ms += milliseconds(took);
    }
    result.positions = positions.size();
    std::vector<Clock::duration> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    if (!sorted.empty()) {
        const std::size_t n = sorted.size();
        result.median_ms =
            n % 2 == 1 ? milliseconds(sorted[n / 2])
                       : (milliseconds(sorted[n / 2 - 1]) + milliseconds(sorted[n / 2])) / 2;
        result.max_ms = milliseconds(sorted.back());
    }
    return result;
}

// Prints the bench figures of each level asked for, then the signature.
void run_bench(const std::string& level_text, Output& output) {
    int first = 1;
    int last = 3;
    if (!level_text.empty()) {
        first = last = parse_integer("level", level_text, 1, 3);
    }
    std::uint64_t signature = 0;
    const std::span<const BenchPosition> positions = bench_positions();
    std::ostream& out = output.out;
    out << std::fixed << std::setprecision(2);
    for (int level = first; level <= last; ++level) {
        const BenchLevel r = run_bench_level(level);
        const BenchPosition& slowest = positions[r.slowest];
        out << "Level " << level << ' ' << kLevelNames[level - 1] << " (budget "
            << budget_of(static_cast<Level>(level)) << ")\n"
            << "  positions              " << r.positions << '\n'
            << "  moves searched         " << r.moves_searched << '\n'
            << "  static evaluations     " << r.static_evaluations << '\n'
            << "  median time per move   " << r.median_ms << " ms\n"
            << "  maximum time per move  " << r.max_ms << " ms (position " << r.slowest + 1 << ": "
            << slowest.what << ")\n"
            << "  nodes per second       "
            << static_cast<std::uint64_t>(r.total_ms > 0 ? static_cast<double>(r.moves_searched) /
                                                               (r.total_ms / 1000.0)
                                                         : 0.0)
            << '\n'
            << "  longest between pumps  " << r.longest_between_checks_ms << " ms\n";
        signature += r.moves_searched;
    }
    out << "Bench: " << signature << '\n';
}

}  // namespace

std::span<const BenchPosition> bench_positions() {
    // Openings, middlegames and endings of both variants, positions with several kings and
    // many moves, and forced captures; several come from games the computer played itself.
    static constexpr BenchPosition kPositions[] = {
        {Variant::Greek, Side::Red, "start", "Greek opening, red to move"},
        {Variant::Greek, Side::Blue,
         "......../xxxxxxxx/xxxxxxxx/......../...o..../ooo.oooo/oooooooo/........",
         "Greek opening after d3d4"},
        {Variant::Greek, Side::Red,
         "......../xxxxxxxx/.xxx.xxx/x..x..../..oo...o/oo..ooo./oooooooo/........",
         "Greek early middlegame, 16 men a side"},
        {Variant::Greek, Side::Red,
         "......../xx.xxx.x/x..x.x.x/xxo...../o.....o./oo...o../o.oooo.o/........",
         "Greek middlegame, 12 men a side"},
        {Variant::Greek, Side::Red,
         ".......X/xxxxx.x./x.xx...x/x....x.x/o......o/o.oo..oo/o.oo...o/........",
         "Greek middlegame, a blue king on h8"},
        {Variant::Greek, Side::Red,
         ".O....../x....xx./xxx..x.x/x......x/o...o.oo/o...o..o/o.o.o.X./........",
         "Greek middlegame, a king each"},
        {Variant::Greek, Side::Red,
         "......../.x.x.x../x.xx...x/.......x/...o..../......../.......X/.X......",
         "Greek ending, a lone red man against ten"},
        {Variant::Greek, Side::Red,
         "......../x......./x......./....xxx./.......x/......../......X./X.XX...O",
         "Greek ending, a red king against four kings and men"},
        {Variant::Greek, Side::Red,
         "......../......../..X...../......../....o.../.O....../......x./........",
         "Greek ending, a king and a man each"},
        {Variant::Greek, Side::Blue,
         "......../......../xx.....O/x......x/o......./o......./o.X...../.......X",
         "Greek, kings on both sides, 28 moves"},
        {Variant::Greek, Side::Blue,
         ".....O../x.x...../x..x.x../o..xx.x./o......./o..x...o/o.X....o/...X....",
         "Greek, three kings, 38 moves"},
        {Variant::Greek, Side::Blue,
         ".......O/......../xx....../x......x/o......./o.X...../o...X.../........",
         "Greek, three kings, 31 moves"},
        {Variant::Greek, Side::Red,
         ".......O/x.x...../x......O/xx....../o...o.o./o.o....o/ooo..o.o/........",
         "Greek, two red kings among men, 36 moves"},
        {Variant::Greek, Side::Blue,
         "..X...../.x....x./....O.../x......./...X..o./.O....../o.....O./.....X..",
         "Greek, three kings a side, 49 moves"},
        {Variant::Greek, Side::Red,
         ".OO.OO../O.....O./.x.X.x.O/x.x.X.X./.x.X.x.O/X.X.X.X./.x...x.O/OOOOOOO.",
         "Greek, sixteen red kings: more moves than any budget"},
        {Variant::Greek, Side::Red,
         ".x.x..../.x.x.x.x/x.x...../...x..../......xx/xx..x.../.x...Ox./........",
         "Greek, a red king with a sixteen-piece capture chain"},
        {Variant::Greek, Side::Red,
         "....X.../xxx...../x.x.x..x/x......./o......./o..x..../x......x/........",
         "Greek ending, two red men against a king and men"},
        {Variant::Turkish, Side::Red, "start", "Turkish opening, red to move"},
        {Variant::Turkish, Side::Blue,
         "......../xxxxxxxx/xxxxxxxx/......../...o..../ooo.oooo/oooooooo/........",
         "Turkish opening after d3d4"},
        {Variant::Turkish, Side::Red,
         "......../xxxx.xxx/x.xxxxxx/.x..x.../..o..oo./oo.oo..o/oooooooo/........",
         "Turkish early middlegame"},
        {Variant::Turkish, Side::Red,
         "......../xx.xx..x/x.x.x..x/..x....x/o.x...oo/o.ooo..o/.oooo.../........",
         "Turkish middlegame, 12 men a side"},
        {Variant::Turkish, Side::Red,
         "......../x.xx...O/xx....x./......../o...o.../o....o.o/o..x...o/........",
         "Turkish middlegame, a red king on h7"},
        {Variant::Turkish, Side::Red,
         "......../xxxx..xx/.x.x..x./o...x.../.......x/o..ooo.o/ooo.o..o/........",
         "Turkish forced capture, one legal move"},
        {Variant::Turkish, Side::Red,
         "......../xxxxx.xx/x.x..x.x/.x..ox.x/o..x...o/ooo.o.oo/.ooooo.o/........",
         "Turkish forced capture, 15 men a side"},
        {Variant::Turkish, Side::Red,
         "......../.x....xx/x..x..xx/x.O...x./.......o/....oooo/ooooo.o./........",
         "Turkish forced capture by a king"},
        {Variant::Turkish, Side::Red,
         "......../......../.x....../x......./......../o...x.../oO....../.......X",
         "Turkish ending, a king each"},
        {Variant::Turkish, Side::Red,
         "......../.......x/.......x/X.....Xx/.......o/.......o/.....o../........",
         "Turkish ending, two blue kings against men"},
        {Variant::Turkish, Side::Red,
         "......../x......x/.......x/......../Xx..x..o/......o./......../........",
         "Turkish ending, two red men against a king and men"},
        {Variant::Turkish, Side::Blue,
         "...X..../......x./.......x/.......x/......o./..o....o/X......./........",
         "Turkish, two blue kings, 34 moves"},
        {Variant::Turkish, Side::Red,
         "......O./O......./.......o/.x....../....o.../....o.../..o...../O.......",
         "Turkish, three red kings, 49 moves"},
        {Variant::Turkish, Side::Blue,
         "......../....X.x./x..o..../.......x/.....o../.......X/X......./........",
         "Turkish, three blue kings, 40 moves"},
        {Variant::Turkish, Side::Red,
         "......../......../......../......O./o......o/o......./oo....../.....X..",
         "Turkish ending, a king and men against a king"},
        {Variant::Turkish, Side::Red,
         "..x.O.x./x...x.xx/....xxx./x..x...x/....xx../...x..../.x....../........",
         "Turkish, a red king's sixteen-piece captures"},
        {Variant::Turkish, Side::Red,
         "......../...x..../......../..O...../......../......../.X....../........",
         "Turkish ending, a king against a king and a man"},
    };
    return kPositions;
}

void add_ai_commands(CLI::App& app, Output& output) {
    const auto o = std::make_shared<AiOptions>();
    const auto add_search_options = [&](CLI::App* command) {
        command->add_option("--variant", o->variant, _("greek or turkish"))->required();
        command->add_option("--side", o->side, _("O or X (with --fen, the FEN's side to move)"));
        command->add_option("--level", o->level, _("1 Easy, 2 Medium, 3 Hard"));
        command->add_option("--budget", o->budget, _("the search budget itself"));
    };

    CLI::App* analyse = app.add_subcommand("analyse", _("The computer's score for each move"));
    analyse->footer(
        // TRANSLATORS: the quoted lines ("MOVE SCORE", "depth D score S ...", "win N", "loss N",
        // "bestmove MOVE", "bestmove none") are what analyse prints, which stays in English; the
        // capitals stand for values.
        _("Prints \"MOVE SCORE\" for each of the side's moves, in the order of its move\n"
          "list: the computer's score for the move, searched with the budget shared evenly\n"
          "among the moves (10000 wins at once, 5000 is even, 1 loses at once). Give\n"
          "--level or --budget.\n"
          "With --engine expert and --time MS or --depth D instead, the Expert searches\n"
          "deeper and deeper and prints, for each depth completed,\n"
          "  depth D score S nodes N nps R pv MOVE MOVE ...\n"
          "(S from the side to move's view in hundredths of a man, or \"win N\" / \"loss N\"\n"
          "when the game ends by force in N half-moves), then \"bestmove MOVE\" (\"bestmove\n"
          "none\" when the side has no move)."));
    add_search_options(analyse);
    add_position_options(analyse, o->pos, o->fen);
    analyse->add_option("--engine", o->engine, _("expert: the Expert's analysis"));
    analyse->add_option("--time", o->time, _("the Expert's thinking time in milliseconds"));
    analyse->add_option("--depth", o->depth, _("the depth the Expert searches to"));
    analyse->callback([o, &output] { run_analyse(*o, output); });

    CLI::App* best = app.add_subcommand("best", _("The move the computer plays"));
    best->footer(
        _("Seeds the random generator with S (0 to 2147483647) and prints the move the\n"
          "computer plays, ties broken as in the game (an empty line when it has none).\n"
          "Give --level or --budget."));
    add_search_options(best);
    best->add_option("--seed", o->seed, _("0 to 2147483647"))->required();
    add_position_options(best, o->pos, o->fen);
    best->callback([o, &output] { run_best(*o, output); });

    CLI::App* bench =
        app.add_subcommand("bench", _("Times the computer's search on fixed positions"));
    bench->footer(
        // TRANSLATORS: "Bench: N" is a line bench prints, which stays in English.
        _("Plays the computer's move in a fixed set of positions at each level (or at the\n"
          "one given) and prints, per level, the moves searched, the positions scored\n"
          "statically, the median and slowest time per move, nodes per second and the\n"
          "longest wait between two looks at a stop request; then \"Bench: N\", the moves\n"
          "searched at all levels run, which changes whenever the search does.\n"
          "With --engine expert, the Expert thinks for MS milliseconds (--time, 1000 by\n"
          "default) from the start and from three middlegames of each variant, and prints\n"
          "for each the depth it completed, its nodes and nodes per second, then the\n"
          "nodes per second over all of them."));
    bench->add_option("--level", o->level, _("1, 2 or 3"));
    bench->add_option("--engine", o->engine, _("expert: the Expert's depth and speed instead"));
    bench->add_option("--time", o->time, _("the Expert's thinking time in milliseconds (1000)"));
    bench->callback([o, &output] {
        if (!o->engine.empty()) {
            if (!o->level.empty()) {
                throw UsageError(_("--engine expert takes --time, not --level"));
            }
            run_expert_bench(o->engine, o->time, output);
            return;
        }
        if (!o->time.empty()) {
            throw UsageError(_("--time goes with --engine expert"));
        }
        run_bench(o->level, output);
    });
}

}  // namespace zarvo::cli
