// The two calculations a window asks for: forward from a direct cost, reverse from a total.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "model/costmodel.h"

namespace costmodel {

// The thirteen result texts, in writing order: DirectCost, CommonTempCost, CommonTempRate,
// NetCost, SiteMgmtCost, SiteMgmtRate, WorkCost, GeneralMgmtCost, GeneralMgmtRate,
// WorkPrice, ConsumptionTax, TotalCost, CommonCostsTotal.
using ResultTexts = std::array<std::string, 13>;
ResultTexts FormatResults(const CostBreakdown& breakdown);
// Text `index` of those alone (0 to 12).
std::string ResultText(const CostBreakdown& breakdown, std::size_t index);

// Sets the fourteen fields of the reset block to zero, then DirectCost to directCost.
void ResetBlock(CostBreakdown& breakdown, double directCost);

// --- Forward calculation (the calculator window) ---

// An extra amount: its field text, read only while its box is checked.
struct ExtraAmount {
    bool used = false;
    std::string_view text;
};

// The rates typed by hand, each a field text.
struct TypedRates {
    std::string_view commonTemp;
    std::string_view siteMgmt;
    std::string_view generalMgmt;
};

struct ForwardInput {
    std::string_view directCost;
    WorkType workType = WorkType::RoadMaintenance;
    ExtraAmount extraInNet;       // in the net cost, without the common temporary cost
    ExtraAmount extraNoOverhead;  // without any overhead
    bool noCommonTemp = false;    // automatic rates only
    // Manual rates when present, else the work category's rules.
    std::optional<TypedRates> typedRates;
};

// Updates the breakdown in place, so a failure leaves what was stored before it;
// showResults is told after each completed refresh.
void ForwardCalculate(CostBreakdown& breakdown, const ForwardInput& input,
                      const ShowResultsFn& showResults);

void ClearForward(CostBreakdown& breakdown);

// --- Reverse search (the main window) ---

inline constexpr double kSearchStart = 10.0;

struct SearchInput {
    std::string_view target;  // desired total, tax included
    WorkType workType = WorkType::RoadMaintenance;
    ExtraAmount extraInNet;
    ExtraAmount extraNoOverhead;
    bool noCommonTemp = false;
};

// The state a new main window starts with, and the one every search and clear leaves.
void InitSearchState(CostBreakdown& state);
void ResetSearchState(CostBreakdown& state);

// The estimate one step past the first direct cost on the grid 10, 11, 12, … whose total
// reaches the target (the estimate at 10 for a target of 0 or less). Throws
// InvalidOperationError exactly when stepping the grid would leave the model's range first.
CostBreakdown FindEstimate(double target, WorkType workType, bool noCommonTemp,
                           double extraInNet, double extraNoOverhead);

// The main window's search: reads the fields into the state, finds the estimate and
// resets the state, also when the search fails. Returns the estimate to show.
CostBreakdown ReverseSearch(CostBreakdown& state, const SearchInput& input);

}  // namespace costmodel
