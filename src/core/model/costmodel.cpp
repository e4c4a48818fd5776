// Rounding, the rate table, the cascade and staged evaluation of one estimate.
#include "model/costmodel.h"

#include "model/cascade.h"
#include "model/captions.h"

namespace costmodel {

namespace {

constexpr RateConstant kRoadUnit{{0x400C, 0x9C40000000000000u}, "10000"};     // 万円 to yen
constexpr RateConstant kBuildingUnit{{0x4002, 0xA000000000000000u}, "10"};  // 万円 to 1000 yen

constexpr RateFormula power(RateConstant coefficient, RateConstant exponent) {
    return {FormulaKind::Power, coefficient, exponent};
}
constexpr RateFormula log10Line(RateConstant intercept, RateConstant slope) {
    return {FormulaKind::Log10, intercept, slope};
}

constexpr RateRule kBuildingGeneralMgmt{
    300, 11.80, 200000, 7.35, kBuildingUnit,
    log10Line({{0x4003, 0x8A49BA5E353F7CEEu}, "17.286"},
              {{0xBFFF, 0xC9DB22D0E5604189u}, "-1.577"})};

constexpr RuleSet kRules[] = {
    // RoadMaintenance
    {{600, 21.21, 10000, 10.03, kRoadUnit,
      power({{0x4009, 0xA8FCCCCCCCCCCCCDu}, "1351.9"},
            {{0xBFFD, 0x884B5DCC63F14120u}, "-0.2662"})},
     {700, 27.14, 10000, 23.18, kRoadUnit,
      power({{0x4005, 0x8A33333333333333u}, "69.1"},
            {{0xBFFA, 0xF2E48E8A71DE69ADu}, "-0.0593"})},
     {500, 14.38, 300000, 7.22, kRoadUnit,
      log10Line({{0x4003, 0xFD151D68C692F6E8u}, "31.63531"},
                {{0xC000, 0xA4E58A32F4491299u}, "-2.57651"})}},
    // NewBuilding
    {{300, 4.03, 300000, 3.34, kBuildingUnit,
      power({{0x4001, 0xA0A3D70A3D70A3D7u}, "5.02"},
            {{0xBFF9, 0xDFA43FE5C91D14E4u}, "-0.0273"})},
     {300, 21.24, 300000, 7.81, kBuildingUnit,
      power({{0x4005, 0x8780000000000000u}, "67.75"},
            {{0xBFFC, 0x9460AA64C2F837B5u}, "-0.1449"})},
     kBuildingGeneralMgmt},
    // Renovation
    {{300, 3.88, 30000, 2.03, kBuildingUnit,
      power({{0x4002, 0xBEE147AE147AE148u}, "11.93"},
            {{0xBFFC, 0x8FC504816F0068DCu}, "-0.1404"})},
     {300, 20.37, 30000, 7.42, kBuildingUnit,
      power({{0x4005, 0xEBD1EB851EB851ECu}, "117.91"},
            {{0xBFFC, 0xE0902DE00D1B7176u}, "-0.2193"})},
     kBuildingGeneralMgmt},
};

}  // namespace

const RuleSet& RulesFor(WorkType workType) { return kRules[static_cast<int>(workType)]; }

namespace detail {

bool TryRoundoff(int digit, Extended x, Extended& result) {
    return TryRoundoffIn(digit, x, result);
}

}  // namespace detail

Extended Roundoff(int Digit, Extended X) {
    [[maybe_unused]] const PrecisionGuard guard;
    return detail::RoundoffIn(Digit, X);
}

void ComputeAmounts(CostBreakdown& breakdown) {
    [[maybe_unused]] const PrecisionGuard guard;
    detail::Cascade<Extended>(breakdown);
}

double RateFor(const RateRule& rule, double base) {
    [[maybe_unused]] const PrecisionGuard guard;
    return detail::RateIn<Extended>(rule, base);
}

void EvaluateCosts(CostBreakdown& breakdown, WorkType workType, bool noCommonTemp,
                   const ShowResultsFn& showResults) {
    [[maybe_unused]] const PrecisionGuard guard;
    detail::EvaluateStaged<Extended>(breakdown, RulesFor(workType), noCommonTemp, [&] {
        if (showResults) showResults(breakdown);
    });
}

namespace {

// A table decimal with the separator the user reads numbers with.
std::string Shown(std::string_view decimal) {
    std::string text(decimal);
    for (char& c : text)
        if (c == '.') c = DecimalSeparator();
    return text;
}

}  // namespace

std::string RuleText(const RateRule& rule, double base) {
    switch (RegionFor(rule, base)) {
        case RateRegion::FixedLow: return NumberToText(rule.Lower) + " 万円以下 固定";
        case RateRegion::FixedHigh: return NumberToText(rule.Upper) + " 万円超 固定";
        case RateRegion::Formula: break;
    }
    const RateFormula& f = rule.Formula;
    const std::string x = "(" + NumberToText(base) + " × " + Shown(rule.UnitFactor.Text) + ")";
    // The tables write a negative constant with a minus sign, not a hyphen.
    const bool negative = f.Exponent.Text.starts_with('-');
    const std::string magnitude = Shown(f.Exponent.Text.substr(negative ? 1 : 0));
    if (f.Kind == FormulaKind::Power)
        return Shown(f.Coefficient.Text) + " × " + x + "^" + (negative ? "−" : "") + magnitude;
    return Shown(f.Coefficient.Text) + (negative ? " − " : " + ") + magnitude + " × log10" + x;
}

std::array<RateBasis, 3> RateBases(const CostBreakdown& b, WorkType workType, bool noCommonTemp) {
    const RuleSet& rules = RulesFor(workType);
    return {RateBasis{b.DirectCost, noCommonTemp ? std::string(captions::kNoCommonTemp)
                                                 : RuleText(rules.CommonTemp, b.DirectCost)},
            RateBasis{b.NetCost, RuleText(rules.SiteMgmt, b.NetCost)},
            RateBasis{b.WorkCost, RuleText(rules.GeneralMgmt, b.WorkCost)}};
}

void EvaluateWithManualRates(CostBreakdown& breakdown, std::string_view commonTempRate,
                             std::string_view siteMgmtRate, std::string_view generalMgmtRate,
                             const ShowResultsFn& showResults) {
    breakdown.CommonTempRate = TextToNumber(commonTempRate);
    breakdown.SiteMgmtRate = TextToNumber(siteMgmtRate);
    breakdown.GeneralMgmtRate = TextToNumber(generalMgmtRate);
    ComputeAmounts(breakdown);
    if (showResults) showResults(breakdown);
}

}  // namespace costmodel
