// Times the software extended arithmetic against the x87 in one run: one staged evaluation,
// reading a field text, and the reverse search's slowest target.
#include <benchmark/benchmark.h>

#include <string>

#include "model/cascade.h"
#include "text/numberreader.h"
#include "model/search_impl.h"
#include "worst_case.h"

using namespace costmodel;

namespace {

WorkType workOf(const benchmark::State& state) { return static_cast<WorkType>(state.range(0)); }

// Direct costs across every rate band, so each evaluation takes all three formulas or more.
template <class X>
void BM_EvaluateCosts(benchmark::State& state) {
    const RuleSet& rules = RulesFor(workOf(state));
    double direct = 250;
    for (auto _ : state) {
        CostBreakdown b;
        b.DirectCost = direct;
        detail::EvaluateStaged<X>(b, rules, false, [] {});
        benchmark::DoNotOptimize(b);
        direct = direct < 150000 ? direct * 1.01 + 0.1 : 250;
    }
}

// One formula rate through the full extended path: in software, MPFR's logarithms.
template <class X>
void BM_FormulaRate(benchmark::State& state) {
    const RateRule& rule = RulesFor(WorkType::RoadMaintenance).CommonTemp;
    double base = 601;
    for (auto _ : state) {
        benchmark::DoNotOptimize(detail::FormulaRate<X>(rule, base));
        base = base < 9999 ? base + 1.3 : 601;
    }
}

template <class X>
void BM_TextToNumber(benchmark::State& state) {
    const std::string texts[] = {"12345.6", "1000", "0.05", " 21.21 ", "987654.3", "1.5e3"};
    std::size_t k = 0;
    for (auto _ : state) {
        const X v = detail::ReadExtended<X>(texts[k], '.', [](std::string_view) {});
        benchmark::DoNotOptimize(v.ToDouble());
        k = k + 1 < std::size(texts) ? k + 1 : 0;
    }
}

// The slowest target, as BM_FastSearchWorstCase of search_bench sweeps it.
template <class X>
void BM_SearchWorstCase(benchmark::State& state) {
    const WorkType w = workOf(state);
    bench::SweepForSlowestTarget(
        state, [w](double t) { return detail::FindEstimateIn<X>(t, w, false, 0, 0); });
}

}  // namespace

#ifdef ZANVORO_HAVE_X87_LONG_DOUBLE
BENCHMARK(BM_EvaluateCosts<NativeExtended>)->DenseRange(0, 2)->ArgName("work");
#endif
BENCHMARK(BM_EvaluateCosts<SoftExtended>)->DenseRange(0, 2)->ArgName("work");
#ifdef ZANVORO_HAVE_X87_LONG_DOUBLE
BENCHMARK(BM_FormulaRate<NativeExtended>);
#endif
BENCHMARK(BM_FormulaRate<SoftExtended>);
#ifdef ZANVORO_HAVE_X87_LONG_DOUBLE
BENCHMARK(BM_TextToNumber<NativeExtended>);
#endif
BENCHMARK(BM_TextToNumber<SoftExtended>);
#ifdef ZANVORO_HAVE_X87_LONG_DOUBLE
BENCHMARK(BM_SearchWorstCase<NativeExtended>)
    ->DenseRange(0, 2)
    ->ArgName("work")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
#endif
BENCHMARK(BM_SearchWorstCase<SoftExtended>)
    ->DenseRange(0, 2)
    ->ArgName("work")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
