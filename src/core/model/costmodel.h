// The estimate record, rounding, the amount cascade, the rate table and staged evaluation.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "text/errors.h"
#include "extended/extended.h"
#include "text/numbertext.h"

namespace costmodel {

// One estimate. Amounts in 万円, rates in percent. The first fourteen fields are the block
// the calculations reset together; the order is the storage order.
struct CostBreakdown {
    double GeneralMgmtRate = 0;
    double SiteMgmtRate = 0;
    double CommonTempRate = 0;
    double TotalCost = 0;
    double TargetCost = 0;
    double CommonCostsTotal = 0;
    double DirectCost = 0;
    double ConsumptionTax = 0;
    double NetCost = 0;
    double WorkCost = 0;
    double WorkPrice = 0;
    double CommonTempCost = 0;
    double SiteMgmtCost = 0;
    double GeneralMgmtCost = 0;
    double ExtraInNet = 0;
    double ExtraNoOverhead = 0;

    bool operator==(const CostBreakdown&) const = default;
};

enum class WorkType { RoadMaintenance, NewBuilding, Renovation };

enum class FormulaKind {
    Power,  // Coefficient × x^Exponent, as exp(Exponent × ln x)
    Log10,  // Coefficient + Exponent × log10(x)
};

// A constant of the rate table: the decimal the published tables state, and the bits of the
// extended value nearest to it, which the model computes with. A test holds them together.
struct RateConstant {
    ExtendedBits Bits;
    std::string_view Text;
};

struct RateFormula {
    FormulaKind Kind;
    RateConstant Coefficient;
    RateConstant Exponent;
};

// A fixed rate at or below Lower, a fixed rate above Upper, the formula of
// base × UnitFactor in between, rounded to hundredths.
struct RateRule {
    double Lower;
    double LowerRate;
    double Upper;
    double UpperRate;
    RateConstant UnitFactor;
    RateFormula Formula;
};

struct RuleSet {
    RateRule CommonTemp;   // on DirectCost
    RateRule SiteMgmt;     // on NetCost
    RateRule GeneralMgmt;  // on WorkCost
};

const RuleSet& RulesFor(WorkType workType);

// Digit ranges over -kRoundoffDigitLimit..kRoundoffDigitLimit; any other Digit is the
// invalid-operation error, like a value that does not fit.
inline constexpr int kRoundoffDigitLimit = 27;

// Rounds half up to -Digit decimals through a signed 32-bit integer; throws
// InvalidOperationError when the scaled value does not fit.
Extended Roundoff(int Digit, Extended X);

// The cascade: every amount from DirectCost, the three rates and the two extras.
void ComputeAmounts(CostBreakdown& breakdown);

// The rule's rate for a base amount in 万円.
double RateFor(const RateRule& rule, double base);

// Which part of its rule gives a base's rate, and the text that lets a checker redo it:
// "600 万円以下 固定", "10000 万円超 固定", or the formula with its constants and the base,
// "1351.9 × (9801 × 10000)^−0.2662" or "31.63531 − 2.57651 × log10(9801 × 10000)".
// Numbers in the text use the process's decimal separator.
enum class RateRegion { FixedLow, Formula, FixedHigh };
constexpr RateRegion RegionFor(const RateRule& rule, double base) {
    if (!(base > rule.Lower)) return RateRegion::FixedLow;
    return base > rule.Upper ? RateRegion::FixedHigh : RateRegion::Formula;
}
std::string RuleText(const RateRule& rule, double base);

// The amount each rate of an automatic estimate applies to (対象額) and its RuleText (適用),
// in the order common temporary, site management, general management. With noCommonTemp
// the common temporary rate has no rule: its text is "共通仮設費をみない".
struct RateBasis {
    double Base = 0;
    std::string Rule;
};
std::array<RateBasis, 3> RateBases(const CostBreakdown& breakdown, WorkType workType,
                                   bool noCommonTemp);

// Told after each stage, so a window can refresh its fields.
using ShowResultsFn = std::function<void(const CostBreakdown&)>;

// The three rates stage by stage from the table, each followed by the cascade.
void EvaluateCosts(CostBreakdown& breakdown, WorkType workType, bool noCommonTemp,
                   const ShowResultsFn& showResults = {});

// Manual rates, read in this order: common temporary, site management, general
// management; each stored as soon as it is read.
void EvaluateWithManualRates(CostBreakdown& breakdown, std::string_view commonTempRate,
                             std::string_view siteMgmtRate, std::string_view generalMgmtRate,
                             const ShowResultsFn& showResults = {});

}  // namespace costmodel
