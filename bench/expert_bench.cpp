// The Expert's search speed: fixed-depth searches from the start and a middlegame of each
// variant, reported as positions searched per second.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "ai/expert_search.h"
#include "rules/notation.h"

namespace {

using zarvo::Side;
using zarvo::Variant;

// Searches `pos` to `depth` with a new table each time and reports the positions searched.
void run_search(benchmark::State& state, Variant variant, const char* pos, Side side, int depth) {
    const zarvo::Position position{*zarvo::parse_pos(pos), variant};
    zarvo::ExpertSearch search;
    std::uint64_t nodes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        search.new_game();
        state.ResumeTiming();
        benchmark::DoNotOptimize(
            search.choose_move(position, side, zarvo::ExpertLimits::to_depth(depth)));
        nodes = search.stats().nodes;
    }
    state.counters["nodes"] = static_cast<double>(nodes);
    state.counters["nodes/s"] =
        benchmark::Counter(static_cast<double>(nodes) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}

void BM_GreekStartDepth10(benchmark::State& state) {
    run_search(state, Variant::Greek, "start", Side::Red, 10);
}
BENCHMARK(BM_GreekStartDepth10)->Unit(benchmark::kMillisecond);

void BM_TurkishStartDepth9(benchmark::State& state) {
    run_search(state, Variant::Turkish, "start", Side::Red, 9);
}
BENCHMARK(BM_TurkishStartDepth9)->Unit(benchmark::kMillisecond);

// A Greek middlegame with a king each.
void BM_GreekKingsDepth8(benchmark::State& state) {
    run_search(state, Variant::Greek,
               ".O....../x....xx./xxx..x.x/x......x/o...o.oo/o...o..o/o.o.o.X./........", Side::Red,
               8);
}
BENCHMARK(BM_GreekKingsDepth8)->Unit(benchmark::kMillisecond);

// A Turkish middlegame, twelve men a side.
void BM_TurkishMiddlegameDepth9(benchmark::State& state) {
    run_search(state, Variant::Turkish,
               "......../xx.xx..x/x.x.x..x/..x....x/o.x...oo/o.ooo..o/.oooo.../........", Side::Red,
               9);
}
BENCHMARK(BM_TurkishMiddlegameDepth9)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
