// The reverse search's slowest target, swept the same way by every benchmark that reports it.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

#include "text/errors.h"

namespace bench {

// ~10,000 targets of every size up to past the top of the model's range (failing searches
// included); each is timed three times and its fastest run kept, so a preempted run is not
// counted. Sets the counters searches, worst_us and worst_target.
template <class Search>
void SweepForSlowestTarget(benchmark::State& state, Search&& search) {
    double worst = 0, worstTarget = 0, searches = 0;
    for (auto _ : state) {
        for (double t = 0.5; t < 2.2e8; t *= 1.002) {
            double fastest = 1e300;
            for (int run = 0; run < 3; ++run) {
                const auto start = std::chrono::steady_clock::now();
                try {
                    benchmark::DoNotOptimize(search(t));
                } catch (const costmodel::InvalidOperationError&) {
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

}  // namespace bench
