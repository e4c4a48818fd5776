// Fuzz target: arbitrary field texts and check states through both calculations.
//
// Byte 0 holds the check states: bit 0 CheckBox1, bit 1 CheckBox2, bit 2 CheckBox3, bits 3-4
// the work type (modulo 3), bit 5 the separator ',' instead of '.'. The rest is split at
// '\n' into Edit1 … Edit6 (the last takes what remains). Each input runs the forward
// calculation in automatic and in manual mode, each from a zero and from a used breakdown,
// and the reverse search; every outcome must be a result or one of the system's errors.
#include <time.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/calculations.h"
#include "fuzz_support.h"

using namespace costmodel;
using namespace zanvoro_fuzz;

namespace {

// CPU time, so a busy machine does not look like a slow search.
constexpr double kSearchCpuLimitSeconds = 0.050;
// Searches decided within this many steps are also run as the literal step loop.
constexpr int kLiteralSteps = 32;

double ThreadCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// One conversion of a click: a field text into a field of the breakdown, or a constant 0
// for an unchecked box.
struct Read {
    double CostBreakdown::*destination;
    std::optional<std::string_view> text;
};

enum class Kind { None, Conversion, Overflow, InvalidOperation };

struct Outcome {
    Kind kind = Kind::None;
    std::string message;
};

// Runs f, turning the system's errors into an outcome; anything else stops the fuzzer.
template <class F>
Outcome Run(F&& f) {
    try {
        f();
        return {};
    } catch (const ConversionError& e) {
        return {Kind::Conversion, e.message()};
    } catch (const OverflowError& e) {
        return {Kind::Overflow, e.message()};
    } catch (const InvalidOperationError& e) {
        return {Kind::InvalidOperation, e.message()};
    } catch (const std::exception& e) {
        Fail("a calculation raised an error not of the system", e.what());
    } catch (...) {
        Fail("a calculation raised a non-exception");
    }
}

// The reads in click order up to the first that fails: the state they leave in start, and
// the failure, if any.
struct ReadsResult {
    CostBreakdown state;
    Outcome failure;
};

ReadsResult ApplyReads(CostBreakdown start, const std::vector<Read>& reads) {
    for (const Read& r : reads) {
        double value = 0;
        if (r.text) {
            const Outcome o = Run([&] { value = TextToNumber(*r.text); });
            if (o.kind != Kind::None) {
                if (o.kind == Kind::Conversion) CheckNotANumberMessage(o.message, *r.text);
                return {start, o};
            }
        }
        start.*r.destination = value;
    }
    return {start, {}};
}

bool AllFinite(const CostBreakdown& b) {
    for (double v : {b.GeneralMgmtRate, b.SiteMgmtRate, b.CommonTempRate, b.TotalCost,
                     b.TargetCost, b.CommonCostsTotal, b.DirectCost, b.ConsumptionTax, b.NetCost,
                     b.WorkCost, b.WorkPrice, b.CommonTempCost, b.SiteMgmtCost, b.GeneralMgmtCost,
                     b.ExtraInNet, b.ExtraNoOverhead})
        if (!std::isfinite(v)) return false;
    return true;
}

void CheckMessage(const Outcome& o) {
    if (o.kind == Kind::Overflow && o.message != kOverflowMessage)
        Fail("overflow error with another message", o.message);
    if (o.kind == Kind::InvalidOperation && o.message != kInvalidOperationMessage)
        Fail("invalid-operation error with another message", o.message);
}

CostBreakdown UsedBreakdown() {
    CostBreakdown b;
    double v = 1234.5;
    for (double* f : {&b.GeneralMgmtRate, &b.SiteMgmtRate, &b.CommonTempRate, &b.TotalCost,
                      &b.TargetCost, &b.CommonCostsTotal, &b.DirectCost, &b.ConsumptionTax,
                      &b.NetCost, &b.WorkCost, &b.WorkPrice, &b.CommonTempCost,
                      &b.SiteMgmtCost, &b.GeneralMgmtCost, &b.ExtraInNet, &b.ExtraNoOverhead})
        *f = v += 11.1;
    return b;
}

std::optional<std::string_view> Used(const ExtraAmount& extra) {
    return extra.used ? std::optional(extra.text) : std::nullopt;
}

void CheckForward(const ForwardInput& in) {
    std::vector<Read> reads = {
        {&CostBreakdown::ExtraInNet, Used(in.extraInNet)},
        {&CostBreakdown::ExtraNoOverhead, Used(in.extraNoOverhead)},
        {&CostBreakdown::DirectCost, in.directCost},
    };
    if (in.typedRates) {
        reads.push_back({&CostBreakdown::CommonTempRate, in.typedRates->commonTemp});
        reads.push_back({&CostBreakdown::SiteMgmtRate, in.typedRates->siteMgmt});
        reads.push_back({&CostBreakdown::GeneralMgmtRate, in.typedRates->generalMgmt});
    }
    const int refreshes = in.typedRates ? 1 : 3;

    std::optional<CostBreakdown> firstResult;
    for (const CostBreakdown& start : {CostBreakdown{}, UsedBreakdown()}) {
        const ReadsResult expected = ApplyReads(start, reads);
        CostBreakdown b = start;
        int shown = 0;
        const Outcome o = Run([&] {
            ForwardCalculate(b, in, [&](const CostBreakdown& s) {
                if (!AllFinite(s)) Fail("forward refresh with a value that is not finite");
                ++shown;
            });
        });
        CheckMessage(o);
        if (!AllFinite(b)) Fail("forward calculation left a value that is not finite");
        if (expected.failure.kind != Kind::None) {
            // A bad field stops the click there; fields read before it keep their new values.
            if (o.kind != expected.failure.kind || o.message != expected.failure.message)
                Fail("forward calculation failed otherwise than its first bad field",
                     o.message);
            if (!(b == expected.state)) Fail("forward state after a bad field");
            if (shown != 0) Fail("forward refresh after a bad field");
            continue;
        }
        if (o.kind == Kind::Conversion || o.kind == Kind::Overflow)
            Fail("forward conversion error with every field a number", o.message);
        if (o.kind == Kind::InvalidOperation) {
            if (shown >= refreshes) Fail("forward failure after its last refresh");
            continue;
        }
        if (shown != refreshes) Fail("forward calculation with a wrong number of refreshes");
        for (const Read& r : reads)
            if (b.*r.destination != expected.state.*r.destination)
                Fail("forward calculation did not keep a value it read");
        // The result does not depend on what the breakdown held before.
        CostBreakdown comparable = b;
        comparable.TargetCost = 0;
        if (firstResult && !(comparable == *firstResult))
            Fail("forward result depends on the breakdown's earlier values");
        firstResult = comparable;
        for (double v : {b.DirectCost, b.CommonTempCost, b.CommonTempRate, b.NetCost,
                         b.SiteMgmtCost, b.SiteMgmtRate, b.WorkCost, b.GeneralMgmtCost,
                         b.GeneralMgmtRate, b.WorkPrice, b.ConsumptionTax, b.TotalCost,
                         b.CommonCostsTotal})
            CheckDisplay(v);
    }
}

// The estimate the literal step loop evaluates at one direct cost.
CostBreakdown EvaluateAt(double directCost, const CostBreakdown& read, WorkType work,
                         bool noCommonTemp) {
    CostBreakdown b;
    b.TargetCost = read.TargetCost;
    b.DirectCost = directCost;
    b.ExtraInNet = read.ExtraInNet;
    b.ExtraNoOverhead = read.ExtraNoOverhead;
    EvaluateCosts(b, work, noCommonTemp);
    return b;
}

// The literal loop's outcome when it is decided within kLiteralSteps steps.
std::optional<std::pair<Outcome, CostBreakdown>> ShortLiteralSearch(const CostBreakdown& read,
                                                                    WorkType work,
                                                                    bool noCommonTemp) {
    double p = kSearchStart;
    if (0.0 < read.TargetCost) {
        for (int step = 0;; ++step, p += 1) {
            if (step == kLiteralSteps) return std::nullopt;
            CostBreakdown b;
            const Outcome o = Run([&] { b = EvaluateAt(p, read, work, noCommonTemp); });
            if (o.kind != Kind::None) return std::pair{o, CostBreakdown{}};
            if (!(b.TotalCost < read.TargetCost)) {
                p += 1;
                break;
            }
        }
    }
    CostBreakdown b;
    const Outcome o = Run([&] { b = EvaluateAt(p, read, work, noCommonTemp); });
    return std::pair{o, b};
}

void CheckSearch(const SearchInput& in) {
    const std::vector<Read> reads = {
        {&CostBreakdown::ExtraInNet, Used(in.extraInNet)},
        {&CostBreakdown::ExtraNoOverhead, Used(in.extraNoOverhead)},
        {&CostBreakdown::TargetCost, in.target},
    };
    CostBreakdown start;
    InitSearchState(start);
    const ReadsResult expected = ApplyReads(start, reads);

    CostBreakdown state = start;
    CostBreakdown found;
    const double cpuStart = ThreadCpuSeconds();
    const Outcome o = Run([&] { found = ReverseSearch(state, in); });
    const double cpu = ThreadCpuSeconds() - cpuStart;
    if (cpu > kSearchCpuLimitSeconds)
        Fail("reverse search took too long", std::to_string(cpu * 1e3) + " ms CPU");
    CheckMessage(o);

    if (expected.failure.kind != Kind::None) {
        if (o.kind != expected.failure.kind || o.message != expected.failure.message)
            Fail("search failed otherwise than its first bad field", o.message);
        if (!(state == expected.state)) Fail("search state after a bad field");
        return;
    }
    if (o.kind == Kind::Conversion || o.kind == Kind::Overflow)
        Fail("search conversion error with every field a number", o.message);

    // Every search, finished or failed, leaves the reset state for the next click.
    CostBreakdown reset = expected.state;
    ResetSearchState(reset);
    if (!(state == reset)) Fail("search did not leave the reset state");

    const CostBreakdown& read = expected.state;
    const auto literal = ShortLiteralSearch(read, in.workType, in.noCommonTemp);
    if (literal) {
        if (literal->first.kind != o.kind) Fail("search and literal loop end differently");
        if (o.kind == Kind::None && !(found == literal->second))
            Fail("search differs from the literal loop", NumberToText(found.DirectCost));
    }
    if (o.kind != Kind::None) return;
    if (!AllFinite(found)) Fail("search result with a value that is not finite");

    // Far searches: the answer evaluates as found, the step before it reaches the target and
    // the one before that does not.
    const double p = found.DirectCost;
    if (!literal) {
        if (!(p == std::floor(p) && p >= kSearchStart + kLiteralSteps + 1))
            Fail("far search off the grid", NumberToText(p));
        if (!(EvaluateAt(p, read, in.workType, in.noCommonTemp) == found))
            Fail("search result is not the estimate at its direct cost", NumberToText(p));
        if (EvaluateAt(p - 1, read, in.workType, in.noCommonTemp).TotalCost < read.TargetCost)
            Fail("search stopped before the target", NumberToText(p));
        if (!(EvaluateAt(p - 2, read, in.workType, in.noCommonTemp).TotalCost < read.TargetCost))
            Fail("search went past the first direct cost that reaches", NumberToText(p));
    }
    for (double v : {found.DirectCost, found.CommonTempCost, found.CommonTempRate,
                     found.NetCost, found.SiteMgmtCost, found.SiteMgmtRate, found.WorkCost,
                     found.GeneralMgmtCost, found.GeneralMgmtRate, found.WorkPrice,
                     found.ConsumptionTax, found.TotalCost, found.CommonCostsTotal})
        CheckDisplay(v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const unsigned flags = data[0];
    SetDecimalSeparator((flags & 0x20) != 0 ? ',' : '.');
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::array<std::string_view, 6> edit{};
    for (std::size_t k = 0; k < edit.size(); ++k) {
        const std::size_t cut = k + 1 < edit.size() ? rest.find('\n') : std::string_view::npos;
        edit[k] = rest.substr(0, cut);
        if (cut == std::string_view::npos) break;
        rest.remove_prefix(cut + 1);
    }

    const bool box1 = flags & 1, box2 = flags & 2, box3 = flags & 4;
    const auto work = static_cast<WorkType>(((flags >> 3) & 3) % 3);

    const ExtraAmount inNet{box1, edit[1]}, noOverhead{box2, edit[2]};
    ForwardInput forward{edit[0], work, inNet, noOverhead, box3, std::nullopt};
    CheckForward(forward);
    forward.typedRates = TypedRates{edit[5], edit[4], edit[3]};
    CheckForward(forward);

    CheckSearch(SearchInput{edit[0], work, inNet, noOverhead, box3});
    return 0;
}
