// Reads zanvoro-batch's output back and checks every row against the windows' own core calls.
// Usage: batch_readback INPUT OUTPUT [--direct] [--category N] [--no-common-temp]
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "batch/batch.h"

using namespace costmodel;

namespace {

costbatch::Table Load(const char* path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    const std::string text = costbatch::DecodeText(bytes.str());
    return costbatch::ParseTable(text, costbatch::GuessFormat(path, text));
}

std::size_t ColumnOf(const costbatch::Table& t, std::string_view caption) {
    for (std::size_t c = 0; c < t.columns(0); ++c)
        if (t.cell(0, c) == caption) return c;
    return static_cast<std::size_t>(-1);
}

// What the windows show for one input row: the thirteen texts, or the completed message of
// what their core calls raise; empty texts and "fault" for a setting they have no control for.
struct Expected {
    ResultTexts figures;
    std::string message;
};

Expected Compute(const costbatch::Table& in, std::size_t row, bool captioned, bool forward,
                 WorkType work, bool noCommonTemp) {
    const auto get = [&](std::string_view caption) {
        return captioned ? in.cell(row, ColumnOf(in, caption)) : std::string_view();
    };
    const std::string_view amountCaption = forward ? "希望直接工事費" : "希望工事費 (税込)";
    const std::string_view amount = in.cell(row, captioned ? ColumnOf(in, amountCaption) : 0);
    if (in.columns(row) > in.columns(0)) return {{}, "fault"};
    if (captioned) {
        const std::string_view w = get("工事種類");
        if (w == "道路維持") work = WorkType::RoadMaintenance;
        else if (w == "新営") work = WorkType::NewBuilding;
        else if (w == "改修") work = WorkType::Renovation;
        else return {{}, "fault"};
        const std::string_view n = get("共通仮設費をみない");
        if (!n.empty() && n != "はい" && n != "いいえ") return {{}, "fault"};
        noCommonTemp = n == "はい";
    }
    const std::string_view e2 = get("直工だけに含まない金額"), e3 = get("全経費を掛けない金額");
    try {
        if (!forward) {
            SearchInput s{amount, work, {!e2.empty() && e2 != "なし", e2},
                          {!e3.empty() && e3 != "なし", e3}, noCommonTemp};
            CostBreakdown state;
            InitSearchState(state);
            return {FormatResults(ReverseSearch(state, s)), ""};
        }
        ForwardInput f{amount, work, {!e2.empty() && e2 != "なし", e2},
                       {!e3.empty() && e3 != "なし", e3}, noCommonTemp, std::nullopt};
        const TypedRates typed{get("共通仮設費率"), get("現場管理費率"), get("一般管理費率")};
        if (!typed.commonTemp.empty() || !typed.siteMgmt.empty() || !typed.generalMgmt.empty())
            f.typedRates = typed;
        CostBreakdown b;
        ForwardCalculate(b, f, {});
        return {FormatResults(b), ""};
    } catch (const CostModelError& error) {
        return {{}, CompleteMessage(error.message())};
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    bool forward = false, noCommonTemp = false;
    WorkType work = WorkType::RoadMaintenance;
    for (int i = 3; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--direct") forward = true;
        if (a == "--no-common-temp") noCommonTemp = true;
        if (a == "--category" && i + 1 < argc) work = static_cast<WorkType>(std::stoi(argv[++i]));
    }
    const costbatch::Table in = Load(argv[1]), out = Load(argv[2]);
    const bool captioned = ColumnOf(in, "希望工事費 (税込)") != static_cast<std::size_t>(-1) ||
                           ColumnOf(in, "希望直接工事費") != static_cast<std::size_t>(-1);
    forward = captioned ? ColumnOf(in, "希望直接工事費") != static_cast<std::size_t>(-1) : forward;
    const std::size_t first = captioned ? 1 : 0;
    int failures = 0;
    if (out.rows() != in.rows() - first + 1) {
        std::cerr << "rows: " << out.rows() - 1 << " written, " << in.rows() - first << " read\n";
        return 1;
    }
    const std::size_t resultAt = ColumnOf(out, costmodel::captions::kResult);
    for (std::size_t row = first; row < in.rows(); ++row) {
        const Expected want = Compute(in, row, captioned, forward, work, noCommonTemp);
        const std::size_t o = row - first + 1;
        const std::string_view message = out.cell(o, resultAt);
        bool same = want.message == "fault" ? !message.empty() : message == want.message;
        for (std::size_t f = 0; f < 13; ++f) {
            const std::string_view shown =
                out.cell(o, ColumnOf(out, costmodel::captions::kFigures[f]));
            // A failed row keeps its typed rates; every other figure is empty.
            const bool typedRate = forward && !want.message.empty() && (f == 2 || f == 5 || f == 8);
            same = same && (typedRate || shown == want.figures[f]);
        }
        if (!same) {
            ++failures;
            std::cerr << "row " << row + 1 << ": '" << message << "', wanted '" << want.message
                      << "' and " << want.figures[11] << "\n";
        }
    }
    std::cout << in.rows() - first << " rows checked, " << failures << " differ\n";
    return failures == 0 ? 0 : 1;
}
