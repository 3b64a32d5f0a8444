// Move generation speed: perft from fixed positions, reported as nodes per second.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <numeric>

#include "rules/notation.h"
#include "rules/perft.h"

namespace {

using zarvo::Landings;
using zarvo::Side;
using zarvo::Variant;

// Runs perft to `depth` and reports the total of nodes over every depth.
void run_perft(benchmark::State& state, Variant variant, const char* pos, Side side, int depth,
               Landings landings) {
    const zarvo::Position position{*zarvo::parse_pos(pos), variant};
    std::uint64_t nodes = 0;
    std::uint64_t last_ply = 0;
    for (auto _ : state) {
        const auto counts = zarvo::perft(position, side, depth, landings);
        nodes = std::accumulate(counts.begin(), counts.end(), std::uint64_t{0});
        last_ply = counts.back();
        benchmark::DoNotOptimize(nodes);
    }
    state.counters["nodes"] = static_cast<double>(nodes);
    state.counters["last ply"] = static_cast<double>(last_ply);
    state.counters["nodes/s"] =
        benchmark::Counter(static_cast<double>(nodes) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}

// The published Turkish figures: 123,290,300 sequences of eight half-moves from the start.
void BM_TurkishStartPerft8(benchmark::State& state) {
    run_perft(state, Variant::Turkish, "start", Side::Red, 8, Landings::Every);
}
BENCHMARK(BM_TurkishStartPerft8)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// Greek variant, three kings a side among men: long king slides and optional capture chains.
void BM_GreekKingsPerft5(benchmark::State& state) {
    run_perft(state, Variant::Greek,
              "..O...../.x..x.../....X.../X......O/......../..o..X../.x..o.../....O...", Side::Red,
              5, Landings::Distinct);
}
BENCHMARK(BM_GreekKingsPerft5)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Greek variant from the start, as the computer lists moves.
void BM_GreekStartPerft8(benchmark::State& state) {
    run_perft(state, Variant::Greek, "start", Side::Red, 8, Landings::Distinct);
}
BENCHMARK(BM_GreekStartPerft8)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
