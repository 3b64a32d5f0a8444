// analyse, best and bench: the computer player seen from the command line.
#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <iomanip>
#include <ostream>
#include <string>
#include <vector>

#include "ai/search.h"
#include "rules/movegen.h"
#include "rules/notation.h"
#include "tools/commands.h"

namespace zarvo::cli {

namespace {

// The levels as the game's menus name them.
constexpr std::string_view kLevelNames[] = {"Easy", "Medium", "Hard"};

// The search budget: a level's, or one given outright; exactly one of the two.
int budget_of(const Options& opts) {
    const bool level = opts.has("level");
    if (level == opts.has("budget")) {
        throw UsageError("give either --level 1|2|3 or --budget N");
    }
    if (level) {
        return moves_per_level[static_cast<std::size_t>(opts.integer("level", 1, 3) - 1)];
    }
    return opts.integer("budget", 0, INT_MAX);
}

// Prints every root move with the score the computer gives it.
int run_analyse(const Options& opts, std::ostream& out, std::ostream&) {
    variant = opts.variant();
    const char side = opts.side();
    const int budget = budget_of(opts);
    const Board board = opts.pos();
    // The search's own lists are in use below the root, so the root list is kept here.
    static MoveList root;
    const int n = generate_moves(board, side, root, 1);
    for (std::string_view move : root.entries()) {
        out << move << ' ' << evaluate_move(board, side, side, move, budget / n, kRootDepth)
            << '\n';
    }
    return 0;
}

// Prints the move the computer plays after the random generator is seeded.
int run_best(const Options& opts, std::ostream& out, std::ostream&) {
    variant = opts.variant();
    const char side = opts.side();
    const int budget = budget_of(opts);
    const int seed = opts.integer("seed", 0, INT_MAX);
    table = opts.pos();
    std::srand(static_cast<unsigned>(seed));
    MoveString chosen;
    computer_play(side, budget, chosen);
    out << chosen.view() << '\n';
    return 0;
}

}  // namespace

std::span<const BenchPosition> bench_positions() {
    // Openings, middlegames and endings of both variants, positions with several kings and
    // many moves, and forced captures; several come from games the computer played itself.
    static constexpr BenchPosition kPositions[] = {
        {0, 'O', "start", "Greek opening, red to move"},
        {0, 'X', "......../xxxxxxxx/xxxxxxxx/......../...o..../ooo.oooo/oooooooo/........",
         "Greek opening after d3d4"},
        {0, 'O', "......../xxxxxxxx/.xxx.xxx/x..x..../..oo...o/oo..ooo./oooooooo/........",
         "Greek early middlegame, 16 men a side"},
        {0, 'O', "......../xx.xxx.x/x..x.x.x/xxo...../o.....o./oo...o../o.oooo.o/........",
         "Greek middlegame, 12 men a side"},
        {0, 'O', ".......X/xxxxx.x./x.xx...x/x....x.x/o......o/o.oo..oo/o.oo...o/........",
         "Greek middlegame, a blue king on h8"},
        {0, 'O', ".O....../x....xx./xxx..x.x/x......x/o...o.oo/o...o..o/o.o.o.X./........",
         "Greek middlegame, a king each"},
        {0, 'O', "......../.x.x.x../x.xx...x/.......x/...o..../......../.......X/.X......",
         "Greek ending, a lone red man against ten"},
        {0, 'O', "......../x......./x......./....xxx./.......x/......../......X./X.XX...O",
         "Greek ending, a red king against four kings and men"},
        {0, 'O', "......../......../..X...../......../....o.../.O....../......x./........",
         "Greek ending, a king and a man each"},
        {0, 'X', "......../......../xx.....O/x......x/o......./o......./o.X...../.......X",
         "Greek, kings on both sides, 28 moves"},
        {0, 'X', ".....O../x.x...../x..x.x../o..xx.x./o......./o..x...o/o.X....o/...X....",
         "Greek, three kings, 38 moves"},
        {0, 'X', ".......O/......../xx....../x......x/o......./o.X...../o...X.../........",
         "Greek, three kings, 31 moves"},
        {0, 'O', ".......O/x.x...../x......O/xx....../o...o.o./o.o....o/ooo..o.o/........",
         "Greek, two red kings among men, 36 moves"},
        {0, 'X', "..X...../.x....x./....O.../x......./...X..o./.O....../o.....O./.....X..",
         "Greek, three kings a side, 49 moves"},
        {0, 'O', ".OO.OO../O.....O./.x.X.x.O/x.x.X.X./.x.X.x.O/X.X.X.X./.x...x.O/OOOOOOO.",
         "Greek, sixteen red kings: more moves than any budget"},
        {0, 'O', ".x.x..../.x.x.x.x/x.x...../...x..../......xx/xx..x.../.x...Ox./........",
         "Greek, a red king with a sixteen-piece capture chain"},
        {0, 'O', "....X.../xxx...../x.x.x..x/x......./o......./o..x..../x......x/........",
         "Greek ending, two red men against a king and men"},
        {1, 'O', "start", "Turkish opening, red to move"},
        {1, 'X', "......../xxxxxxxx/xxxxxxxx/......../...o..../ooo.oooo/oooooooo/........",
         "Turkish opening after d3d4"},
        {1, 'O', "......../xxxx.xxx/x.xxxxxx/.x..x.../..o..oo./oo.oo..o/oooooooo/........",
         "Turkish early middlegame"},
        {1, 'O', "......../xx.xx..x/x.x.x..x/..x....x/o.x...oo/o.ooo..o/.oooo.../........",
         "Turkish middlegame, 12 men a side"},
        {1, 'O', "......../x.xx...O/xx....x./......../o...o.../o....o.o/o..x...o/........",
         "Turkish middlegame, a red king on h7"},
        {1, 'O', "......../xxxx..xx/.x.x..x./o...x.../.......x/o..ooo.o/ooo.o..o/........",
         "Turkish forced capture, one legal move"},
        {1, 'O', "......../xxxxx.xx/x.x..x.x/.x..ox.x/o..x...o/ooo.o.oo/.ooooo.o/........",
         "Turkish forced capture, 15 men a side"},
        {1, 'O', "......../.x....xx/x..x..xx/x.O...x./.......o/....oooo/ooooo.o./........",
         "Turkish forced capture by a king"},
        {1, 'O', "......../......../.x....../x......./......../o...x.../oO....../.......X",
         "Turkish ending, a king each"},
        {1, 'O', "......../.......x/.......x/X.....Xx/.......o/.......o/.....o../........",
         "Turkish ending, two blue kings against men"},
        {1, 'O', "......../x......x/.......x/......../Xx..x..o/......o./......../........",
         "Turkish ending, two red men against a king and men"},
        {1, 'X', "...X..../......x./.......x/.......x/......o./..o....o/X......./........",
         "Turkish, two blue kings, 34 moves"},
        {1, 'O', "......O./O......./.......o/.x....../....o.../....o.../..o...../O.......",
         "Turkish, three red kings, 49 moves"},
        {1, 'X', "......../....X.x./x..o..../.......x/.....o../.......X/X......./........",
         "Turkish, three blue kings, 40 moves"},
        {1, 'O', "......../......../......../......O./o......o/o......./oo....../.....X..",
         "Turkish ending, a king and men against a king"},
        {1, 'O', "..x.O.x./x...x.xx/....xxx./x..x...x/....xx../...x..../.x....../........",
         "Turkish, a red king's sixteen-piece captures"},
        {1, 'O', "......../...x..../......../..O...../......../......../.X....../........",
         "Turkish ending, a king against a king and a man"},
    };
    return kPositions;
}

namespace {

using Clock = std::chrono::steady_clock;

// When the event hook last ran during a bench search, and the longest wait for it so far.
Clock::time_point last_pump;
Clock::duration longest_wait{};

// Notes that the window is served again at `now`.
void note_wait(Clock::time_point now) {
    longest_wait = std::max(longest_wait, now - last_pump);
    last_pump = now;
}

// The bench's event hook: no window, only the time.
void record_pump() {
    note_wait(Clock::now());
}

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
    double longest_between_pumps_ms = 0;
};

// Plays the computer's move in every bench position at one level, timing each search and the
// waits between two calls of the event hook.
BenchLevel run_bench_level(int level) {
    BenchLevel result;
    const int budget = moves_per_level[static_cast<std::size_t>(level - 1)];
    const std::span<const BenchPosition> positions = bench_positions();
    std::vector<Clock::duration> times;
    const char saved_variant = variant;
    const Board saved_table = table;
    set_event_hook(record_pump);
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const BenchPosition& p = positions[i];
        variant = p.variant;
        table = *parse_pos(p.pos);
        // Ties are drawn from rand(); a fixed seed keeps the chosen moves the same every run.
        std::srand(1);
        reset_search_stats();
        MoveString chosen;
        longest_wait = {};
        const Clock::time_point start = Clock::now();
        last_pump = start;
        computer_play(p.side, budget, chosen);
        const Clock::time_point end = Clock::now();
        note_wait(end);
        const Clock::duration took = end - start;
        times.push_back(took);
        if (took >= times[result.slowest]) {
            result.slowest = i;
        }
        result.moves_searched += search_stats().moves_searched;
        result.static_evaluations += search_stats().static_evaluations;
        result.longest_between_pumps_ms =
            std::max(result.longest_between_pumps_ms, milliseconds(longest_wait));
        result.total_ms += milliseconds(took);
    }
    set_event_hook(nullptr);
    variant = saved_variant;
    table = saved_table;
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
int run_bench(const Options& opts, std::ostream& out, std::ostream&) {
    int first = 1;
    int last = 3;
    if (opts.has("level")) {
        first = last = opts.integer("level", 1, 3);
    }
    std::uint64_t signature = 0;
    const std::span<const BenchPosition> positions = bench_positions();
    out << std::fixed << std::setprecision(2);
    for (int level = first; level <= last; ++level) {
        const BenchLevel r = run_bench_level(level);
        const BenchPosition& slowest = positions[r.slowest];
        out << "Level " << level << ' ' << kLevelNames[level - 1] << " (budget "
            << moves_per_level[static_cast<std::size_t>(level - 1)] << ")\n"
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
            << "  longest between pumps  " << r.longest_between_pumps_ms << " ms\n";
        signature += r.moves_searched;
    }
    out << "Bench: " << signature << '\n';
    return 0;
}

constexpr std::string_view kAnalyseOptions[] = {"variant", "side", "level", "budget", "pos"};
constexpr std::string_view kBestOptions[] = {"variant", "side", "level", "budget", "seed", "pos"};
constexpr std::string_view kBenchOptions[] = {"level"};

constexpr Command kCommands[] = {
    {"analyse", kAnalyseOptions, run_analyse},
    {"best", kBestOptions, run_best},
    {"bench", kBenchOptions, run_bench},
};

}  // namespace

std::span<const Command> ai_commands() {
    return kCommands;
}

}  // namespace zarvo::cli
