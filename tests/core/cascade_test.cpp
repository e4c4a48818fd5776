// Rounding and the amount cascade.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/costmodel.h"
#include "extended_support.h"

using namespace costmodel;
using costmodel::decimals::Ext;

namespace {

struct RoundCase {
    int digit;
    const char* x;  // the extended value nearest to it
    double expected;
};

TEST(Roundoff, RoundsHalfUpOnTheBinaryValue) {
    const RoundCase cases[] = {
        {-1, "0.25", 0.3},   {-1, "-0.25", -0.2},  {0, "2.5", 3.0},
        {0, "-2.5", -2.0},   {-2, "2.125", 2.13},  {-1, "0.05", 0.1},
        {-1, "-0.05", 0.0},  {0, "-0.5", 0.0},     {0, "0.49999999999999999", 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.x);
        // Results are what a field stores: the double nearest the tenths or hundredths.
        EXPECT_EQ(Roundoff(c.digit, Ext(c.x)).ToDouble(), c.expected);
    }
    // Values that were doubles first: 2.675 lies below the half-way point, 123.45 above it.
    EXPECT_EQ(Roundoff(-2, Extended(2.675)).ToDouble(), 2.67);
    EXPECT_EQ(Roundoff(-1, Extended(123.45)).ToDouble(), 123.5);
}

TEST(Roundoff, FailsOutsideTheSigned32BitRange) {
    // Tenths: the scaled value must floor into -2^31 .. 2^31-1.
    EXPECT_NO_THROW(Roundoff(-1, Ext("214748364.7")));
    EXPECT_NO_THROW(Roundoff(-1, Ext("214748364.74")));
    EXPECT_THROW(Roundoff(-1, Ext("214748364.75")), InvalidOperationError);
    EXPECT_NO_THROW(Roundoff(-1, Ext("-214748364.8")));
    EXPECT_NO_THROW(Roundoff(-1, Ext("-214748364.85")));
    EXPECT_THROW(Roundoff(-1, Ext("-214748364.86")), InvalidOperationError);
    EXPECT_NO_THROW(Roundoff(0, Ext("2147483647.49")));
    EXPECT_THROW(Roundoff(0, Ext("2147483647.5")), InvalidOperationError);
    EXPECT_THROW(Roundoff(-2, Ext("21474836.48")), InvalidOperationError);
    EXPECT_THROW(Roundoff(-1, Extended(std::numeric_limits<double>::infinity())),
                 InvalidOperationError);
    EXPECT_THROW(Roundoff(-1, Extended(std::numeric_limits<double>::quiet_NaN())),
                 InvalidOperationError);
    // Every Digit has an answer, and past the limit it is the error, not a hang or a wrap.
    EXPECT_EQ(Roundoff(-kRoundoffDigitLimit, Ext("1.5e-27")).ToDouble(), 2e-27);
    EXPECT_EQ(Roundoff(kRoundoffDigitLimit, Ext("-1e26")).ToDouble(), 0.0);
    for (const int digit : {-kRoundoffDigitLimit - 1, kRoundoffDigitLimit + 1,
                            std::numeric_limits<int>::min(), std::numeric_limits<int>::max()})
        EXPECT_THROW(Roundoff(digit, Ext("0.0")), InvalidOperationError) << digit;
    try {
        Roundoff(-1, Ext("1e300"));
        FAIL();
    } catch (const InvalidOperationError& e) {
        EXPECT_STREQ(e.what(), "不正な浮動小数点数演算命令");
    }
}

CostBreakdown withRates(double direct, double ct, double sm, double gm) {
    CostBreakdown b;
    b.DirectCost = direct;
    b.CommonTempRate = ct;
    b.SiteMgmtRate = sm;
    b.GeneralMgmtRate = gm;
    return b;
}

// CommonTempCost, NetCost, SiteMgmtCost, WorkCost, GeneralMgmtCost, WorkPrice,
// ConsumptionTax, TotalCost, CommonCostsTotal
struct Amounts {
    double ct, net, site, work, general, price, tax, total, common;
};

void expectAmounts(const CostBreakdown& b, const Amounts& a) {
    EXPECT_EQ(b.CommonTempCost, a.ct);
    EXPECT_EQ(b.NetCost, a.net);
    EXPECT_EQ(b.SiteMgmtCost, a.site);
    EXPECT_EQ(b.WorkCost, a.work);
    EXPECT_EQ(b.GeneralMgmtCost, a.general);
    EXPECT_EQ(b.WorkPrice, a.price);
    EXPECT_EQ(b.ConsumptionTax, a.tax);
    EXPECT_EQ(b.TotalCost, a.total);
    EXPECT_EQ(b.CommonCostsTotal, a.common);
}

TEST(ComputeAmounts, WorkedExamples) {
    struct Case {
        const char* name;
        CostBreakdown in;
        Amounts out;
    };
    CostBreakdown extraInNet = withRates(100, 21.21, 27.14, 14.38);
    extraInNet.ExtraInNet = 10;
    CostBreakdown extraNoOverhead = withRates(100, 21.21, 27.14, 14.38);
    extraNoOverhead.ExtraNoOverhead = 50;
    const Case cases[] = {
        {"rates of the first band", withRates(100, 21.21, 27.14, 14.38),
         {21.2, 121.2, 32.9, 154.1, 22.2, 176.3, 8.8, 185.1, 22.2 + 32.9 + 21.2}},
        {"no rates", withRates(123.4, 0, 0, 0), {0, 123.4, 0, 123.4, 0, 123.4, 6.2, 129.6, 0}},
        {"extra in net", extraInNet,
         {21.2, 131.2, 35.6, 166.8, 24, 190.8, 9.5, 200.3, 24 + 35.6 + 21.2}},
        {"extra without overheads", extraNoOverhead,
         {21.2, 121.2, 32.9, 154.1, 22.2, 176.3, 8.8, 235.1, 22.2 + 32.9 + 21.2}},
        {"negative direct cost", withRates(-100, 21.21, 27.14, 14.38),
         {-21.2, -121.2, -32.9, -154.1, -22.2, -176.3, -8.8, -185.1, -22.2 - 32.9 - 21.2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CostBreakdown b = c.in;
        ComputeAmounts(b);
        expectAmounts(b, c.out);
        EXPECT_EQ(b.DirectCost, c.in.DirectCost);
        EXPECT_EQ(b.CommonTempRate, c.in.CommonTempRate);
    }
}

TEST(ComputeAmounts, CommonCostsTotalIsThePlainSum) {
    CostBreakdown b = withRates(100, 0.1, 0.2, 0);  // CommonTempCost 0.1, SiteMgmtCost 0.2
    ComputeAmounts(b);
    EXPECT_EQ(b.CommonTempCost, 0.1);
    EXPECT_EQ(b.SiteMgmtCost, 0.2);
    EXPECT_EQ(b.CommonCostsTotal, 0.1 + 0.2);  // not rounded to tenths
    EXPECT_NE(b.CommonCostsTotal, 0.3);
    EXPECT_EQ(NumberToText(b.CommonCostsTotal), "0.3");
}

TEST(ComputeAmounts, RangeErrorKeepsTheFieldsWrittenBefore) {
    CostBreakdown b = withRates(300000000, 0, 27.14, 14.38);
    b.CommonTempCost = 7;  // overwritten by step 1
    b.NetCost = 7;         // its rounding fails: must stay
    b.WorkCost = 7;        // written after the failing step: must stay
    EXPECT_THROW(ComputeAmounts(b), InvalidOperationError);
    EXPECT_EQ(b.CommonTempCost, 0);
    EXPECT_EQ(b.NetCost, 7);
    EXPECT_EQ(b.WorkCost, 7);

    CostBreakdown c = withRates(150000000, 10.03, 23.18, 7.22);  // fails at WorkPrice
    c.WorkPrice = 7;
    EXPECT_THROW(ComputeAmounts(c), InvalidOperationError);
    EXPECT_EQ(c.CommonTempCost, 15045000);
    EXPECT_EQ(c.NetCost, 165045000);
    EXPECT_EQ(c.SiteMgmtCost, 38257431);
    EXPECT_EQ(c.WorkCost, 203302431);
    EXPECT_EQ(c.GeneralMgmtCost, 14678435.5);
    EXPECT_EQ(c.WorkPrice, 7);
}

TEST(ComputeAmounts, DependsOnlyOnItsInputs) {
    CostBreakdown a = withRates(4321.7, 12.34, 23.45, 9.87);
    a.ExtraInNet = -3.3;
    a.ExtraNoOverhead = 1.1;
    CostBreakdown b = a;
    b.TotalCost = 1e9;
    b.NetCost = -5;
    b.CommonCostsTotal = 42;
    ComputeAmounts(a);
    ComputeAmounts(b);
    EXPECT_EQ(a, b);
    ComputeAmounts(b);
    EXPECT_EQ(a, b);
}

}  // namespace
