// The one cascade and staged evaluation, generic over exact values and certified bounds.
#pragma once

#include "costmodel.h"

namespace costmodel::detail {

inline constexpr long double kPercent = 0.01L;
inline constexpr long double kTaxRate = 0.05L;

// Rounding to tenths without throwing; false when the value leaves the 32-bit range.
bool TryRoundoff(int digit, long double x, long double& result);

// --- Exact values: what the windows compute ---

inline long double widen(double x) { return x; }
inline double store(long double x) { return static_cast<double>(x); }
inline long double round1(long double x) { return Roundoff(-1, x); }
inline double rateOf(const RateRule& rule, double base) { return RateFor(rule, base); }

// --- Bounds: every value a block of direct costs can give lies within [lo, hi] ---
// Rounded IEEE operations and Roundoff are monotone in each argument, so evaluating the
// corners encloses every exact result; OutOfRange marks a bound Roundoff could not hold.

struct XBounds {
    long double lo = 0, hi = 0;
    bool OutOfRange = false;
};

struct Bounds {
    double lo = 0, hi = 0;
    bool OutOfRange = false;
};

inline XBounds widen(Bounds b) { return {b.lo, b.hi, b.OutOfRange}; }
inline Bounds store(XBounds b) {
    return {static_cast<double>(b.lo), static_cast<double>(b.hi), b.OutOfRange};
}

inline XBounds operator+(XBounds a, XBounds b) {
    return {a.lo + b.lo, a.hi + b.hi, a.OutOfRange || b.OutOfRange};
}

inline XBounds operator*(XBounds a, XBounds b) {
    const long double c1 = a.lo * b.lo, c2 = a.lo * b.hi, c3 = a.hi * b.lo, c4 = a.hi * b.hi;
    const long double lo12 = c1 < c2 ? c1 : c2, lo34 = c3 < c4 ? c3 : c4;
    const long double hi12 = c1 < c2 ? c2 : c1, hi34 = c3 < c4 ? c4 : c3;
    return {lo12 < lo34 ? lo12 : lo34, hi12 < hi34 ? hi34 : hi12, a.OutOfRange || b.OutOfRange};
}

inline XBounds operator*(XBounds a, long double k) {
    const long double x = a.lo * k, y = a.hi * k;
    return {x < y ? x : y, x < y ? y : x, a.OutOfRange};
}
inline XBounds operator*(long double k, XBounds a) {
    const long double x = k * a.lo, y = k * a.hi;
    return {x < y ? x : y, x < y ? y : x, a.OutOfRange};
}

inline XBounds round1(XBounds b) {
    XBounds r = b;
    if (!TryRoundoff(-1, b.lo, r.lo) || !TryRoundoff(-1, b.hi, r.hi)) r.OutOfRange = true;
    return r;
}

// Formula rates fall as their base grows, so the bounds swap ends.
inline Bounds rateOf(const RateRule& rule, Bounds base) {
    if (base.OutOfRange) return {0, 0, true};
    return {RateFor(rule, base.hi), RateFor(rule, base.lo), false};
}

// Same field names as CostBreakdown, so one template serves both.
struct BoundsBreakdown {
    Bounds GeneralMgmtRate, SiteMgmtRate, CommonTempRate, TotalCost, CommonCostsTotal,
        DirectCost, ConsumptionTax, NetCost, WorkCost, WorkPrice, CommonTempCost, SiteMgmtCost,
        GeneralMgmtCost, ExtraInNet, ExtraNoOverhead;
};

template <class B>
void cascade(B& b) {
    b.CommonTempCost = store(round1(widen(b.DirectCost) * widen(b.CommonTempRate) * kPercent));
    b.NetCost = store(round1(widen(b.DirectCost) + widen(b.CommonTempCost)) + widen(b.ExtraInNet));
    b.SiteMgmtCost = store(round1(widen(b.NetCost) * widen(b.SiteMgmtRate) * kPercent));
    b.WorkCost = store(round1(widen(b.NetCost) + widen(b.SiteMgmtCost)));
    b.GeneralMgmtCost = store(round1(widen(b.WorkCost) * widen(b.GeneralMgmtRate) * kPercent));
    b.WorkPrice = store(round1(widen(b.WorkCost) + widen(b.GeneralMgmtCost)));
    b.ConsumptionTax = store(round1(kTaxRate * widen(b.WorkPrice)));
    b.TotalCost =
        store(round1(widen(b.WorkPrice) + widen(b.ConsumptionTax)) + widen(b.ExtraNoOverhead));
    b.CommonCostsTotal =
        store(widen(b.GeneralMgmtCost) + widen(b.SiteMgmtCost) + widen(b.CommonTempCost));
}

// Rates not yet determined count as 0, so rates left by an earlier calculation never
// reach a cascade.
template <class B, class Show>
void evaluateStaged(B& b, const RuleSet& rules, bool noCommonTemp, Show&& show) {
    using Field = decltype(b.CommonTempRate);
    b.SiteMgmtRate = Field{};
    b.GeneralMgmtRate = Field{};
    b.CommonTempRate = noCommonTemp ? Field{} : rateOf(rules.CommonTemp, b.DirectCost);
    cascade(b);
    show();
    b.SiteMgmtRate = rateOf(rules.SiteMgmt, b.NetCost);
    cascade(b);
    show();
    b.GeneralMgmtRate = rateOf(rules.GeneralMgmt, b.WorkCost);
    cascade(b);
    show();
}

}  // namespace costmodel::detail
