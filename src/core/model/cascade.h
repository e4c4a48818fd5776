// The one cascade and staged evaluation, generic over exact values and certified bounds and
// over the extended arithmetic (the library's Extended; tests and benchmarks use both).
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <type_traits>

#include "model/costmodel.h"

namespace costmodel::detail {

inline constexpr ExtendedBits kPercent{0x3FF8, 0xA3D70A3D70A3D70Au};  // 0.01
inline constexpr ExtendedBits kTaxRate{0x3FFA, 0xCCCCCCCCCCCCCCCDu};  // 0.05

template <class X>
X PowerOfTen(int exponent) {
    X p(1);
    for (int i = 0; i < exponent; ++i) p = p * X(10);
    return p;
}

// Rounding half up without throwing; false when the value leaves the 32-bit range.
template <class X>
bool TryRoundoffIn(int digit, X x, X& result) {
    // Beyond 10^27 a power of ten is no longer exact in extended, and the powers are built
    // by a loop; no caller needs more than two decimals.
    if (digit < -kRoundoffDigitLimit || digit > kRoundoffDigitLimit) return false;
    // 10^-Digit: exact for the digits the calculator uses.
    const X scale = digit == -1   ? X(10)
                    : digit == -2 ? X(100)
                    : digit < 0   ? PowerOfTen<X>(-digit)
                                  : X(1) / PowerOfTen<X>(digit);
    if (digit != 0) x = x * scale;
    const X y = x + X(0.5);
    // The floor fits 32 bits exactly when y does; checked first (NaN fails too).
    if (!(y >= X(-2147483648.0) && y < X(2147483648.0))) return false;
    const X r = FloorOfSmall(y);
    result = digit != 0 ? r / scale : r;
    return true;
}

// The library's own instantiation.
bool TryRoundoff(int digit, Extended x, Extended& result);

template <class X>
X RoundoffIn(int digit, X x) {
    X result;
    if (!TryRoundoffIn(digit, x, result))
        throw InvalidOperationError(std::string(kInvalidOperationMessage));
    return result;
}

// In software the logarithms are MPFR's and slow, and only the hundredths they round to
// are ever seen: the formula in doubles decides those unless it lands within 1e-7 of a
// rounding edge, ten million times its own error. Only then does the extended path run.
template <class X>
std::optional<double> QuickRate(const RateRule& rule, double base) {
    const RateFormula& f = rule.Formula;
    const double x = base * X::FromBits(rule.UnitFactor.Bits).ToDouble();
    const double c = X::FromBits(f.Coefficient.Bits).ToDouble();
    const double e = X::FromBits(f.Exponent.Bits).ToDouble();
    const double rate = f.Kind == FormulaKind::Power ? c * std::exp(e * std::log(x))
                                                     : c + e * std::log10(x);
    const double scaled = rate * 100 + 0.5;
    if (!(scaled > -1e9 && scaled < 1e9)) return std::nullopt;
    const double floor = std::floor(scaled);
    if (scaled - floor < 1e-7 || floor + 1 - scaled < 1e-7) return std::nullopt;
    return (X(static_cast<std::int64_t>(floor)) / X(100)).ToDouble();
}

// The formula's rate in extended, every step rounded, as the x87 computes it.
template <class X>
double FormulaRate(const RateRule& rule, double base) {
    const X x = X(base) * X::FromBits(rule.UnitFactor.Bits);
    const RateFormula& f = rule.Formula;
    const X c = X::FromBits(f.Coefficient.Bits), e = X::FromBits(f.Exponent.Bits);
    const X rate = f.Kind == FormulaKind::Power ? c * Exp(e * Log(x)) : c + e * Log10(x);
    return RoundoffIn(-2, rate).ToDouble();
}

template <class X>
double RateIn(const RateRule& rule, double base) {
    switch (RegionFor(rule, base)) {
        case RateRegion::FixedLow: return rule.LowerRate;
        case RateRegion::FixedHigh: return rule.UpperRate;
        case RateRegion::Formula: break;
    }
    if constexpr (std::is_same_v<X, SoftExtended>) {
        if (const std::optional<double> quick = QuickRate<X>(rule, base)) return *quick;
    }
    return FormulaRate<X>(rule, base);
}

// --- Exact values: what the windows compute ---

template <class X>
X Widen(double x) {
    return X(x);
}
template <class X>
double Store(X x) {
    return x.ToDouble();
}
template <class X>
X RoundTenth(X x) {
    return RoundoffIn(-1, x);
}
template <class X>
double RateOf(const RateRule& rule, double base) {
    return RateIn<X>(rule, base);
}

// --- Bounds: every value a block of direct costs can give lies within [Lo, Hi] ---
// Rounded IEEE operations and Roundoff are monotone in each argument, so evaluating the
// corners encloses every exact result; OutOfRange marks a bound Roundoff could not hold.

template <class X>
struct XBounds {
    X Lo, Hi;
    bool OutOfRange = false;
};

struct Bounds {
    double Lo = 0, Hi = 0;
    bool OutOfRange = false;
};

template <class X>
XBounds<X> Widen(Bounds b) {
    return {X(b.Lo), X(b.Hi), b.OutOfRange};
}
template <class X>
Bounds Store(XBounds<X> b) {
    return {b.Lo.ToDouble(), b.Hi.ToDouble(), b.OutOfRange};
}

template <class X>
XBounds<X> operator+(XBounds<X> a, XBounds<X> b) {
    return {a.Lo + b.Lo, a.Hi + b.Hi, a.OutOfRange || b.OutOfRange};
}

template <class X>
XBounds<X> operator*(XBounds<X> a, XBounds<X> b) {
    const X c1 = a.Lo * b.Lo, c2 = a.Lo * b.Hi, c3 = a.Hi * b.Lo, c4 = a.Hi * b.Hi;
    const X lo12 = c1 < c2 ? c1 : c2, lo34 = c3 < c4 ? c3 : c4;
    const X hi12 = c1 < c2 ? c2 : c1, hi34 = c3 < c4 ? c4 : c3;
    return {lo12 < lo34 ? lo12 : lo34, hi12 < hi34 ? hi34 : hi12, a.OutOfRange || b.OutOfRange};
}

template <class X>
XBounds<X> operator*(XBounds<X> a, X k) {
    const X x = a.Lo * k, y = a.Hi * k;
    return {x < y ? x : y, x < y ? y : x, a.OutOfRange};
}
template <class X>
XBounds<X> operator*(X k, XBounds<X> a) {
    const X x = k * a.Lo, y = k * a.Hi;
    return {x < y ? x : y, x < y ? y : x, a.OutOfRange};
}

template <class X>
XBounds<X> RoundTenth(XBounds<X> b) {
    XBounds<X> r = b;
    if (!TryRoundoffIn(-1, b.Lo, r.Lo) || !TryRoundoffIn(-1, b.Hi, r.Hi)) r.OutOfRange = true;
    return r;
}

// Formula rates fall as their base grows, so the bounds swap ends.
template <class X>
Bounds RateOf(const RateRule& rule, Bounds base) {
    if (base.OutOfRange) return {0, 0, true};
    return {RateIn<X>(rule, base.Hi), RateIn<X>(rule, base.Lo), false};
}

// Same field names as CostBreakdown, so one template serves both.
struct BoundsBreakdown {
    Bounds GeneralMgmtRate, SiteMgmtRate, CommonTempRate, TotalCost, CommonCostsTotal,
        DirectCost, ConsumptionTax, NetCost, WorkCost, WorkPrice, CommonTempCost, SiteMgmtCost,
        GeneralMgmtCost, ExtraInNet, ExtraNoOverhead;
};

template <class X, class B>
void Cascade(B& b) {
    const X percent = X::FromBits(kPercent), taxRate = X::FromBits(kTaxRate);
    auto w = [](auto field) { return Widen<X>(field); };
    b.CommonTempCost = Store(RoundTenth(w(b.DirectCost) * w(b.CommonTempRate) * percent));
    b.NetCost = Store(RoundTenth(w(b.DirectCost) + w(b.CommonTempCost)) + w(b.ExtraInNet));
    b.SiteMgmtCost = Store(RoundTenth(w(b.NetCost) * w(b.SiteMgmtRate) * percent));
    b.WorkCost = Store(RoundTenth(w(b.NetCost) + w(b.SiteMgmtCost)));
    b.GeneralMgmtCost = Store(RoundTenth(w(b.WorkCost) * w(b.GeneralMgmtRate) * percent));
    b.WorkPrice = Store(RoundTenth(w(b.WorkCost) + w(b.GeneralMgmtCost)));
    b.ConsumptionTax = Store(RoundTenth(taxRate * w(b.WorkPrice)));
    b.TotalCost = Store(RoundTenth(w(b.WorkPrice) + w(b.ConsumptionTax)) + w(b.ExtraNoOverhead));
    b.CommonCostsTotal = Store(w(b.GeneralMgmtCost) + w(b.SiteMgmtCost) + w(b.CommonTempCost));
}

// Rates not yet determined count as 0, so rates left by an earlier calculation never
// reach a cascade.
template <class X, class B, class Show>
void EvaluateStaged(B& b, const RuleSet& rules, bool noCommonTemp, Show&& show) {
    using Field = decltype(b.CommonTempRate);
    b.SiteMgmtRate = Field{};
    b.GeneralMgmtRate = Field{};
    b.CommonTempRate = noCommonTemp ? Field{} : RateOf<X>(rules.CommonTemp, b.DirectCost);
    Cascade<X>(b);
    show();
    b.SiteMgmtRate = RateOf<X>(rules.SiteMgmt, b.NetCost);
    Cascade<X>(b);
    show();
    b.GeneralMgmtRate = RateOf<X>(rules.GeneralMgmt, b.WorkCost);
    Cascade<X>(b);
    show();
}

}  // namespace costmodel::detail
