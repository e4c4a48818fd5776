// Rounding, the rate table, the cascade and staged evaluation of one estimate.
#include "costmodel.h"

#include <cmath>

#include "cascade.h"

namespace costmodel {

namespace {

constexpr long double kRoadUnit = 10000.0L;  // 万円 to yen
constexpr long double kBuildingUnit = 10.0L;  // 万円 to thousands of yen

constexpr RateFormula power(long double coefficient, long double exponent) {
    return {FormulaKind::Power, coefficient, exponent};
}
constexpr RateFormula log10Line(long double intercept, long double slope) {
    return {FormulaKind::Log10, intercept, slope};
}

constexpr RateRule kBuildingGeneralMgmt{300, 11.80, 200000, 7.35, kBuildingUnit,
                                        log10Line(17.286L, -1.577L)};

constexpr RuleSet kRules[] = {
    // RoadMaintenance
    {{600, 21.21, 10000, 10.03, kRoadUnit, power(1351.9L, -0.2662L)},
     {700, 27.14, 10000, 23.18, kRoadUnit, power(69.1L, -0.0593L)},
     {500, 14.38, 300000, 7.22, kRoadUnit, log10Line(31.63531L, -2.57651L)}},
    // NewBuilding
    {{300, 4.03, 300000, 3.34, kBuildingUnit, power(5.02L, -0.0273L)},
     {300, 21.24, 300000, 7.81, kBuildingUnit, power(67.75L, -0.1449L)},
     kBuildingGeneralMgmt},
    // Renovation
    {{300, 3.88, 30000, 2.03, kBuildingUnit, power(11.93L, -0.1404L)},
     {300, 20.37, 30000, 7.42, kBuildingUnit, power(117.91L, -0.2193L)},
     kBuildingGeneralMgmt},
};

long double powerOfTen(int exponent) {
    long double p = 1.0L;
    for (int i = 0; i < exponent; ++i) p *= 10.0L;
    return p;
}

}  // namespace

const RuleSet& RulesFor(WorkType workType) { return kRules[static_cast<int>(workType)]; }

namespace detail {

bool TryRoundoff(int digit, long double x, long double& result) {
    // Beyond 10^27 a power of ten is no longer exact in extended, and the powers are built
    // by a loop; no caller needs more than two decimals.
    if (digit < -kRoundoffDigitLimit || digit > kRoundoffDigitLimit) return false;
    // 10^-Digit: exact for the digits the calculator uses.
    const long double scale = digit == -1   ? 10.0L
                              : digit == -2 ? 100.0L
                              : digit < 0   ? powerOfTen(-digit)
                                            : 1.0L / powerOfTen(digit);
    if (digit != 0) x *= scale;
    const long double y = x + 0.5L;
    // The floor fits 32 bits exactly when y does; checked first (NaN fails too).
    if (!(y >= -2147483648.0L && y < 2147483648.0L)) return false;
    // Floor without floorl or an integer conversion, both of which switch the x87 rounding
    // mode and dominate the search's time: adding 1.5 × 2^63 leaves one unit per ulp, so
    // the round trip gives the nearest integer exactly.
    constexpr long double kShift = 0x1.8p63L;
    long double r = (y + kShift) - kShift;
    if (r > y) r -= 1.0L;
    result = digit != 0 ? r / scale : r;
    return true;
}

}  // namespace detail

long double Roundoff(int Digit, long double X) {
    long double result;
    if (!detail::TryRoundoff(Digit, X, result))
        throw InvalidOperationError(std::string(kInvalidOperationMessage));
    return result;
}

void ComputeAmounts(CostBreakdown& breakdown) { detail::cascade(breakdown); }

double RateFor(const RateRule& rule, double base) {
    if (!(base > rule.Lower)) return rule.LowerRate;
    if (base > rule.Upper) return rule.UpperRate;
    const long double x = static_cast<long double>(base) * rule.UnitFactor;
    const RateFormula& f = rule.Formula;
    const long double rate = f.Kind == FormulaKind::Power
                                 ? f.Coefficient * std::exp(f.Exponent * std::log(x))
                                 : f.Coefficient + f.Exponent * std::log10(x);
    return static_cast<double>(Roundoff(-2, rate));
}

void EvaluateCosts(CostBreakdown& breakdown, WorkType workType, bool noCommonTemp,
                   const ShowResultsFn& showResults) {
    detail::evaluateStaged(breakdown, RulesFor(workType), noCommonTemp, [&] {
        if (showResults) showResults(breakdown);
    });
}

void EvaluateWithManualRates(CostBreakdown& breakdown, std::string_view edit6,
                             std::string_view edit5, std::string_view edit4,
                             const ShowResultsFn& showResults) {
    breakdown.CommonTempRate = TextToNumber(edit6);
    breakdown.SiteMgmtRate = TextToNumber(edit5);
    breakdown.GeneralMgmtRate = TextToNumber(edit4);
    ComputeAmounts(breakdown);
    if (showResults) showResults(breakdown);
}

}  // namespace costmodel
