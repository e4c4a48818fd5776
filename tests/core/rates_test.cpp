// The rate table and staged evaluation.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "model/cascade.h"
#include "model/costmodel.h"
#include "extended_support.h"
#include "separator_guard.h"

using namespace costmodel;

namespace {

constexpr WorkType kRoad = WorkType::RoadMaintenance;
constexpr WorkType kNew = WorkType::NewBuilding;
constexpr WorkType kRenovation = WorkType::Renovation;

CostBreakdown evaluated(WorkType w, double direct, bool noCommonTemp = false,
                        double extraInNet = 0, double extraNoOverhead = 0) {
    CostBreakdown b;
    b.DirectCost = direct;
    b.ExtraInNet = extraInNet;
    b.ExtraNoOverhead = extraNoOverhead;
    EvaluateCosts(b, w, noCommonTemp);
    return b;
}

TEST(EvaluateCosts, WorkedValues) {
    struct Case {
        WorkType w;
        double direct, ct, site, general, total;
    } const cases[] = {
        {kRoad, 100, 21.21, 27.14, 14.38, 185.1},    {kRoad, 1000, 18.52, 26.30, 13.15, 1778.4},
        {kRoad, 5000, 12.06, 23.99, 11.43, 8128.4},  {kNew, 1000, 3.90, 17.74, 10.84, 1423.7},
        {kNew, 10000, 3.67, 12.71, 9.29, 13408.6},   {kRenovation, 1000, 3.27, 15.53, 10.86, 1388.8},
        {kRenovation, 5000, 2.61, 10.93, 9.79, 6560.9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.w) << " " << c.direct);
        const CostBreakdown b = evaluated(c.w, c.direct);
        EXPECT_EQ(b.CommonTempRate, c.ct);
        EXPECT_EQ(b.SiteMgmtRate, c.site);
        EXPECT_EQ(b.GeneralMgmtRate, c.general);
        EXPECT_EQ(b.TotalCost, c.total);
    }
}

TEST(RateFor, ThresholdsTakeTheRightSide) {
    const RuleSet& road = RulesFor(kRoad);
    struct Case {
        const RateRule* rule;
        double base, rate;
    } const cases[] = {
        {&road.CommonTemp, 600, 21.21},     {&road.CommonTemp, 601, 21.20},
        {&road.CommonTemp, 10000, 10.03},   {&road.CommonTemp, 10001, 10.03},
        {&road.CommonTemp, 0, 21.21},       {&road.CommonTemp, -50, 21.21},
        {&road.SiteMgmt, 700, 27.14},       {&road.SiteMgmt, 10000.1, 23.18},
        {&road.GeneralMgmt, 500, 14.38},    {&road.GeneralMgmt, 300001, 7.22},
        {&RulesFor(kNew).CommonTemp, 300, 4.03},
        {&RulesFor(kRenovation).SiteMgmt, 1e9, 7.42},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.base);
        EXPECT_EQ(RateFor(*c.rule, c.base), c.rate);
    }
}

// Every constant of the rules and the cascade is the extended value nearest to its decimal.
// The decimals the rule texts show are the values the model computes with.
TEST(RateRules, ConstantsAreTheNearestExtendedValues) {
    std::vector<RateConstant> constants = {{detail::kPercent, "0.01"}, {detail::kTaxRate, "0.05"}};
    for (WorkType w : {kRoad, kNew, kRenovation})
        for (const RateRule* r : {&RulesFor(w).CommonTemp, &RulesFor(w).SiteMgmt,
                                  &RulesFor(w).GeneralMgmt})
            constants.insert(constants.end(),
                             {r->UnitFactor, r->Formula.Coefficient, r->Formula.Exponent});
    for (const RateConstant& c : constants) {
        const std::string decimal(c.Text);
        EXPECT_TRUE(c.Bits == costmodel::decimals::NearestBits(decimal)) << decimal;
    }
}

TEST(RuleText, NamesTheRegionAndRedoesTheFormula) {
    const RuleSet &road = RulesFor(kRoad), &building = RulesFor(kNew);
    struct Case {
        const RateRule* rule;
        double base;
        RateRegion region;
        const char* text;
    } const cases[] = {
        {&road.CommonTemp, 600, RateRegion::FixedLow, "600 万円以下 固定"},
        {&road.CommonTemp, 9801, RateRegion::Formula, "1351.9 × (9801 × 10000)^−0.2662"},
        {&road.CommonTemp, 10000.1, RateRegion::FixedHigh, "10000 万円超 固定"},
        {&road.GeneralMgmt, 12345.6, RateRegion::Formula,
         "31.63531 − 2.57651 × log10(12345.6 × 10000)"},
        {&building.SiteMgmt, 300.1, RateRegion::Formula, "67.75 × (300.1 × 10)^−0.1449"},
        {&building.GeneralMgmt, 200000, RateRegion::Formula,
         "17.286 − 1.577 × log10(200000 × 10)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RegionFor(*c.rule, c.base), c.region) << c.text;
        EXPECT_EQ(RuleText(*c.rule, c.base), c.text);
    }
    // With the comma the user reads numbers with, the table's decimals follow it.
    const SeparatorGuard comma(',');
    EXPECT_EQ(RuleText(road.CommonTemp, 9801.5), "1351,9 × (9801,5 × 10000)^−0,2662");
}

TEST(RateBases, EachRateOnItsOwnAmount) {
    const CostBreakdown b = evaluated(kRoad, 9801);
    const auto bases = RateBases(b, kRoad, false);
    EXPECT_EQ(bases[0].Base, b.DirectCost);
    EXPECT_EQ(bases[1].Base, b.NetCost);
    EXPECT_EQ(bases[2].Base, b.WorkCost);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(bases[i].Rule, RuleText(*std::array{&RulesFor(kRoad).CommonTemp,
                                                      &RulesFor(kRoad).SiteMgmt,
                                                      &RulesFor(kRoad).GeneralMgmt}[i],
                                          bases[i].Base));
    EXPECT_EQ(RateBases(b, kRoad, true)[0].Rule, "共通仮設費をみない");
}

// Every fixed rate is the rule's own formula at the adjacent threshold, rounded.
TEST(RateFor, FixedRatesContinueTheFormula) {
    for (WorkType w : {kRoad, kNew, kRenovation}) {
        const RuleSet& set = RulesFor(w);
        for (const RateRule* rule : {&set.CommonTemp, &set.SiteMgmt, &set.GeneralMgmt}) {
            const RateRule formulaOnly{-1e300, 0, 1e300, 0, rule->UnitFactor, rule->Formula};
            EXPECT_EQ(RateFor(formulaOnly, rule->Lower), rule->LowerRate);
            EXPECT_EQ(RateFor(formulaOnly, rule->Upper), rule->UpperRate);
        }
    }
}

// The fast search rests on every rate falling (never rising) as its base grows. Walk each
// rule's rounding steps: find each step by bisection over doubles, then check the rates of
// the doubles around it, where a non-monotone power or logarithm would show.
TEST(RateFor, NeverRisesWithItsBase) {
    for (WorkType w : {kRoad, kNew, kRenovation}) {
        const RuleSet& set = RulesFor(w);
        for (const RateRule* rule : {&set.CommonTemp, &set.SiteMgmt, &set.GeneralMgmt}) {
            SCOPED_TRACE(testing::Message() << static_cast<int>(w) << " L=" << rule->Lower);
            double base = rule->Lower;
            double rate = RateFor(*rule, base);
            int steps = 0;
            while (base < rule->Upper * 1.01) {
                // Next base where the rate changes: double the stride until it does.
                double hi = base + 0.1;
                while (RateFor(*rule, hi) == rate && hi < rule->Upper * 1.01) hi += (hi - base);
                if (RateFor(*rule, hi) == rate) break;
                double lo = base;
                while (std::nextafter(lo, hi) < hi) {
                    const double mid = lo + (hi - lo) / 2;
                    if (mid <= lo || mid >= hi) break;
                    (RateFor(*rule, mid) == rate ? lo : hi) = mid;
                }
                double x = lo;
                for (int i = 0; i < 64; ++i) x = std::nextafter(x, 0.0);
                double previous = RateFor(*rule, x);
                for (int i = 0; i < 128; ++i) {
                    x = std::nextafter(x, 1e300);
                    const double r = RateFor(*rule, x);
                    ASSERT_LE(r, previous) << "at base " << x;
                    previous = r;
                }
                EXPECT_LT(RateFor(*rule, hi), rate);
                base = hi;
                rate = RateFor(*rule, hi);
                ++steps;
            }
            EXPECT_GT(steps, 10);
            EXPECT_EQ(rate, rule->UpperRate);
        }
    }
}

TEST(EvaluateCosts, NoCommonTempCost) {
    for (WorkType w : {kRoad, kNew, kRenovation}) {
        CostBreakdown b;
        b.CommonTempRate = 55;  // left by an earlier calculation
        b.DirectCost = 1234.56;
        EvaluateCosts(b, w, true);
        EXPECT_EQ(b.CommonTempRate, 0);
        EXPECT_EQ(b.CommonTempCost, 0);
        EXPECT_EQ(b.NetCost, 1234.6);
        EXPECT_EQ(b.SiteMgmtRate, RateFor(RulesFor(w).SiteMgmt, 1234.6));
    }
}

TEST(EvaluateCosts, ZeroAndNegativeDirectCostTakeTheLowerRates) {
    for (double direct : {0.0, -100.0}) {
        const CostBreakdown b = evaluated(kRoad, direct);
        EXPECT_EQ(b.CommonTempRate, 21.21);
        EXPECT_EQ(b.SiteMgmtRate, 27.14);
        EXPECT_EQ(b.GeneralMgmtRate, 14.38);
        EXPECT_EQ(b.TotalCost, direct == 0 ? 0 : -185.1);
    }
}

TEST(EvaluateCosts, ExtraInNetMovesTheSiteRateBand) {
    // 500 alone keeps the net cost in the fixed band; the extra moves it into the formula.
    EXPECT_EQ(evaluated(kRoad, 500).SiteMgmtRate, 27.14);
    const CostBreakdown b = evaluated(kRoad, 500, false, 5000);
    EXPECT_EQ(b.CommonTempRate, 21.21);
    EXPECT_EQ(b.SiteMgmtRate, RateFor(RulesFor(kRoad).SiteMgmt, b.NetCost));
    EXPECT_LT(b.SiteMgmtRate, 27.14);
}

TEST(EvaluateCosts, RefreshesAfterEachStageWithUndeterminedRatesAtZero) {
    CostBreakdown b;
    b.DirectCost = 1000;
    b.SiteMgmtRate = 1e9;  // left by a manual calculation
    b.GeneralMgmtRate = 1e9;
    std::vector<CostBreakdown> seen;
    EvaluateCosts(b, kRoad, false, [&](const CostBreakdown& s) { seen.push_back(s); });
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].CommonTempRate, 18.52);
    EXPECT_EQ(seen[0].SiteMgmtRate, 0);
    EXPECT_EQ(seen[0].GeneralMgmtRate, 0);
    EXPECT_EQ(seen[1].SiteMgmtRate, 26.3);
    EXPECT_EQ(seen[1].GeneralMgmtRate, 0);
    EXPECT_EQ(seen[2], b);
    EXPECT_EQ(b.TotalCost, 1778.4);  // the leftover rates never mattered
}

TEST(EvaluateCosts, RangeErrorKeepsTheStagesBefore) {
    CostBreakdown b;
    b.DirectCost = 150000000;  // fails in the last cascade, at the construction price
    int refreshes = 0;
    EXPECT_THROW(EvaluateCosts(b, kRoad, false, [&](const CostBreakdown&) { ++refreshes; }),
                 InvalidOperationError);
    EXPECT_EQ(refreshes, 2);
    EXPECT_EQ(b.GeneralMgmtRate, 7.22);
    EXPECT_EQ(b.WorkCost, 203302431);
}

TEST(EvaluateWithManualRates, UsesTheTypedRatesUnrounded) {
    CostBreakdown b;
    b.DirectCost = 100;
    int refreshes = 0;
    EvaluateWithManualRates(b, "10", "20", "10", [&](const CostBreakdown&) { ++refreshes; });
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(b.TotalCost, 152.5);
    EXPECT_EQ(b.CommonCostsTotal, 45.2);

    EvaluateWithManualRates(b, "10.555", "0", "0");
    EXPECT_EQ(b.CommonTempRate, 10.555);
    EXPECT_EQ(b.CommonTempCost, 10.6);
}

TEST(EvaluateWithManualRates, BadRateStopsAfterStoringTheOnesBefore) {
    CostBreakdown b;
    b.DirectCost = 100;
    b.SiteMgmtRate = 8;
    b.GeneralMgmtRate = 3;
    b.TotalCost = 77;
    EXPECT_THROW(EvaluateWithManualRates(b, "12", "x", "5"), ConversionError);
    EXPECT_EQ(b.CommonTempRate, 12);
    EXPECT_EQ(b.SiteMgmtRate, 8);
    EXPECT_EQ(b.GeneralMgmtRate, 3);
    EXPECT_EQ(b.TotalCost, 77);  // no cascade
}

}  // namespace
