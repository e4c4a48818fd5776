// Times the reverse search: the fast search and the literal step loop side by side.
#include <benchmark/benchmark.h>

#include <cmath>

#include "literal_search.h"
#include "worst_case.h"

using namespace costmodel;

namespace {

WorkType workOf(const benchmark::State& state) { return static_cast<WorkType>(state.range(0)); }
double targetOf(const benchmark::State& state) { return static_cast<double>(state.range(1)); }

void BM_FastSearch(benchmark::State& state) {
    const WorkType w = workOf(state);
    const double target = targetOf(state);
    for (auto _ : state) benchmark::DoNotOptimize(FindEstimate(target, w, false, 0, 0));
}

void BM_LiteralLoop(benchmark::State& state) {
    const WorkType w = workOf(state);
    const double target = targetOf(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(reference::LiteralSearch(target, w, false, 0, 0));
}

// The slowest target: the figure the window's responsiveness rests on.
void BM_FastSearchWorstCase(benchmark::State& state) {
    const WorkType w = workOf(state);
    bench::SweepForSlowestTarget(state, [w](double t) { return FindEstimate(t, w, false, 0, 0); });
}

void sideBySide(benchmark::internal::Benchmark* b) {
    for (int w = 0; w < 3; ++w)
        for (long t : {1000L, 10000L, 100000L, 1000000L}) b->Args({w, t});
    b->ArgNames({"work", "target"})->Unit(benchmark::kMicrosecond);
}

void fastOnly(benchmark::internal::Benchmark* b) {
    for (int w = 0; w < 3; ++w)
        for (long t : {10000000L, 100000000L, 200000000L}) b->Args({w, t});
    b->ArgNames({"work", "target"})->Unit(benchmark::kMicrosecond);
}

}  // namespace

BENCHMARK(BM_FastSearch)->Apply(sideBySide);
BENCHMARK(BM_LiteralLoop)->Apply(sideBySide);
BENCHMARK(BM_FastSearch)->Apply(fastOnly);
BENCHMARK(BM_FastSearchWorstCase)
    ->DenseRange(0, 2)
    ->ArgName("work")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
