// Times a table through the batch layer against the same rows' calculations alone.
#include <benchmark/benchmark.h>

#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "batch/batch.h"

using namespace costmodel;

namespace {

constexpr int kRows = 20000;
constexpr std::string_view kWorkNames[] = {"道路維持", "新営", "改修"};

// Budgets as a season's list holds them: 100 to 200,000 万円, to one decimal, all three
// categories; the same rows every run.
struct Rows {
    std::vector<std::string> amounts;
    std::vector<WorkType> works;
    std::string csv;
};

const Rows& RowsFor(costbatch::Direction direction) {
    static Rows rows[2];
    Rows& r = rows[direction == costbatch::Direction::Forward];
    if (!r.amounts.empty()) return r;
    std::mt19937 random(15);
    std::uniform_int_distribution<int> whole(100, 200000), tenth(0, 9);
    r.csv = direction == costbatch::Direction::Reverse ? "希望工事費 (税込),工事種類\r\n"
                                                       : "希望直接工事費,工事種類\r\n";
    for (int i = 0; i < kRows; ++i) {
        r.amounts.push_back(std::to_string(whole(random)) + "." + std::to_string(tenth(random)));
        r.works.push_back(static_cast<WorkType>(i % 3));
        r.csv += r.amounts.back() + "," + std::string(kWorkNames[i % 3]) + "\r\n";
    }
    return r;
}

costbatch::Direction DirectionOf(const benchmark::State& state) {
    return state.range(0) == 0 ? costbatch::Direction::Reverse : costbatch::Direction::Forward;
}

// Processor time, so that the ratio holds on a machine other work shares.
double SecondsSince(std::clock_t start) {
    return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

// The reference: each row's core calls as the windows make them, inputs already split, up to
// the thirteen texts the windows show.
void CalculateAlone(costbatch::Direction direction, const Rows& rows) {
    for (std::size_t i = 0; i < rows.amounts.size(); ++i) {
        if (direction == costbatch::Direction::Reverse) {
            SearchInput in;
            in.target = rows.amounts[i];
            in.workType = rows.works[i];
            CostBreakdown search;
            InitSearchState(search);
            benchmark::DoNotOptimize(FormatResults(ReverseSearch(search, in)));
        } else {
            ForwardInput in;
            in.directCost = rows.amounts[i];
            in.workType = rows.works[i];
            CostBreakdown b;
            ForwardCalculate(b, in, {});
            benchmark::DoNotOptimize(FormatResults(b));
        }
    }
}

// The command's road: decode, parse, recognise, compute, format and write every row.
void ReadComputeWrite(const std::string& csv) {
    const std::string text = costbatch::DecodeText(csv);
    const costbatch::Batch batch(costbatch::ParseTable(text, costbatch::Format::Csv), {});
    std::string out;
    batch.appendCaptions(out, costbatch::Format::Csv);
    for (std::size_t row = 0; row < batch.size(); ++row)
        batch.appendRow(out, row, batch.compute(row), costbatch::Format::Csv);
    benchmark::DoNotOptimize(out.data());
}

void BM_CalculationsAlone(benchmark::State& state) {
    const costbatch::Direction direction = DirectionOf(state);
    const Rows& rows = RowsFor(direction);
    for (auto _ : state) CalculateAlone(direction, rows);
    state.SetItemsProcessed(state.iterations() * kRows);
}

// Reports ratio: its time over the calculations alone, timed in turn with it (untimed by
// the library) in every iteration.
void BM_ReadComputeWrite(benchmark::State& state) {
    const costbatch::Direction direction = DirectionOf(state);
    const Rows& rows = RowsFor(direction);
    double alone = 0, whole = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::clock_t start = std::clock();
        CalculateAlone(direction, rows);
        alone += SecondsSince(start);
        state.ResumeTiming();
        start = std::clock();
        ReadComputeWrite(rows.csv);
        whole += SecondsSince(start);
    }
    state.counters["ratio"] = whole / alone;
    state.SetItemsProcessed(state.iterations() * kRows);
}

}  // namespace

// Direction 0 is the reverse search, 1 the forward calculation.
BENCHMARK(BM_CalculationsAlone)
    ->DenseRange(0, 1)
    ->ArgName("forward")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadComputeWrite)
    ->DenseRange(0, 1)
    ->ArgName("forward")
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
