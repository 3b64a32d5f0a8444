// Move generation speed: perft from fixed positions, reported as nodes per second.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <numeric>

#include "rules/notation.h"
#include "rules/perft.h"

namespace {

// Runs perft to `depth` and reports the total of nodes over every depth.
void run_perft(benchmark::State& state, char v, const char* pos, char side, int depth, char prune) {
    zarvo::variant = v;
    const zarvo::Board board = *zarvo::parse_pos(pos);
    std::uint64_t nodes = 0;
    for (auto _ : state) {
        const auto counts = zarvo::perft(board, side, depth, prune);
        nodes = std::accumulate(counts.begin(), counts.end(), std::uint64_t{0});
        benchmark::DoNotOptimize(nodes);
    }
    state.counters["nodes"] = static_cast<double>(nodes);
    state.counters["nodes/s"] =
        benchmark::Counter(static_cast<double>(nodes) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}

// The published Turkish figures: 10,782,382 sequences of seven half-moves from the start.
void BM_TurkishStartPerft7(benchmark::State& state) {
    run_perft(state, 1, "start", 'O', 7, 0);
}
BENCHMARK(BM_TurkishStartPerft7)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Greek variant, three kings a side among men: long king slides and optional capture chains.
void BM_GreekKingsPerft5(benchmark::State& state) {
    run_perft(state, 0, "..O...../.x..x.../....X.../X......O/......../..o..X../.x..o.../....O...",
              'O', 5, 1);
}
BENCHMARK(BM_GreekKingsPerft5)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Greek variant from the start, as the computer lists moves.
void BM_GreekStartPerft7(benchmark::State& state) {
    run_perft(state, 0, "start", 'O', 7, 1);
}
BENCHMARK(BM_GreekStartPerft7)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
