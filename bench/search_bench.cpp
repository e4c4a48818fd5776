// Times the reverse search: the fast search and the literal step loop side by side.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>

#include "literal_search.h"

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

// The slowest of many thousands of targets of every size up to past the top of the model's
// range (failing searches included): the figure the window's responsiveness rests on. Each
// target is timed three times and its fastest run kept, so a preempted run is not counted.
void BM_FastSearchWorstCase(benchmark::State& state) {
    const WorkType w = workOf(state);
    double worst = 0, worstTarget = 0, searches = 0;
    for (auto _ : state) {
        for (double t = 0.5; t < 2.2e8; t *= 1.002) {
            double fastest = 1e300;
            for (int run = 0; run < 3; ++run) {
                const auto start = std::chrono::steady_clock::now();
                try {
                    benchmark::DoNotOptimize(FindEstimate(t, w, false, 0, 0));
                } catch (const InvalidOperationError&) {
                }
                const std::chrono::duration<double, std::micro> took =
                    std::chrono::steady_clock::now() - start;
                fastest = std::min(fastest, took.count());
            }
            if (fastest > worst) {
                worst = fastest;
                worstTarget = t;
            }
            ++searches;
        }
    }
    state.counters["searches"] = searches;
    state.counters["worst_us"] = worst;
    state.counters["worst_target"] = worstTarget;
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
