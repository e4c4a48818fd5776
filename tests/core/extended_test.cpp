// SoftExtended against the x87 itself: operations, conversions, rates, reading, estimates.
// ZANVORO_DIFF_SCALE=n runs n times as many random cases.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>

#include "model/cascade.h"
#include "extended/extended.h"
#include "text/numberreader.h"
#include "model/search_impl.h"
#include "uniform_double.h"

#ifdef ZANVORO_HAVE_X87_LONG_DOUBLE

using namespace costmodel;
using Soft = SoftExtended;
using Native = NativeExtended;

namespace {

long scaled(long n) {
    const char* s = std::getenv("ZANVORO_DIFF_SCALE");
    return n * std::max(1L, s != nullptr ? std::atol(s) : 1L);
}

// Equal bits; NaNs need only agree on being NaN with the same significand.
bool same(ExtendedBits a, ExtendedBits b) {
    const bool nanA = Soft::FromBits(a).IsNaN(), nanB = Soft::FromBits(b).IsNaN();
    return nanA || nanB ? nanA && nanB && a.significand == b.significand : a == b;
}

std::string show(ExtendedBits b) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04X:%016llX", b.signExponent,
                  static_cast<unsigned long long>(b.significand));
    return buf;
}

// Operands weighted towards what breaks arithmetic: exponents at the edges of the range and
// where products and quotients turn denormal, short significands (rounding ties), denormals,
// near neighbours (cancellation, ties in sums), zeros, infinities and NaNs.
class Operands {
public:
    explicit Operands(unsigned seed) : rng_(seed) {}

    ExtendedBits next() {
        const auto sign = static_cast<std::uint16_t>(bit() ? 0x8000 : 0);
        std::uint64_t m = rng_() | kTop;
        int field;
        switch (pick(12)) {
            case 0: field = pick(0x7FFE) + 1; break;
            case 1: field = 1 + pick(70); break;
            case 2: field = 0x7FFE - pick(70); break;
            case 3: field = 0x3FFF - 8192 + pick(140) - 70; break;
            case 4: field = 0x3FFF + 8192 + pick(140) - 70; break;
            case 5:
                field = 0;
                m >>= 1 + pick(63);
                break;  // denormal
            case 6: {   // few significant bits: products and sums land on ties
                const int k = 1 + pick(40);
                m = ((rng_() >> (64 - k)) | (std::uint64_t{1} << (k - 1))) << (64 - k);
                field = 0x3FFF + pick(80) - 40;
                break;
            }
            case 7: return near();
            case 8: {
                const auto special = static_cast<std::uint16_t>(sign | 0x7FFF);
                if (pick(3) == 0) return {sign, 0};
                if (pick(2) == 0) return {special, kTop};
                return {special, kTop | (std::uint64_t{1} << 62) | (rng_() >> 2)};
            }
            default: field = 0x3FFF + pick(130) - 65; break;
        }
        last_ = {static_cast<std::uint16_t>(sign | field), m};
        return last_;
    }

private:
    static constexpr std::uint64_t kTop = std::uint64_t{1} << 63;
    bool bit() { return (rng_() & 1) != 0; }
    int pick(int n) { return static_cast<int>(rng_() % static_cast<std::uint64_t>(n)); }
    // The last operand's exponent give or take a few, with a nearby significand.
    ExtendedBits near() {
        const int field = last_.signExponent & 0x7FFF;
        if (field == 0 || field == 0x7FFF) return last_;
        const int f = std::clamp(field + pick(7) - 3, 1, 0x7FFE);
        const std::uint64_t m =
            (last_.significand + (rng_() >> pick(64)) - (rng_() >> pick(64))) | kTop;
        return {static_cast<std::uint16_t>((bit() ? 0x8000 : 0) | f), m};
    }

    std::mt19937_64 rng_;
    ExtendedBits last_{0x3FFF, kTop};
};

TEST(SoftExtended, ArithmeticAndComparisonsAreTheX87s) {
    struct Op {
        const char* name;
        std::function<Soft(Soft, Soft)> soft;
        std::function<Native(Native, Native)> native;
    };
    const Op ops[] = {
        {"+", [](Soft a, Soft b) { return a + b; }, [](Native a, Native b) { return a + b; }},
        {"-", [](Soft a, Soft b) { return a - b; }, [](Native a, Native b) { return a - b; }},
        {"*", [](Soft a, Soft b) { return a * b; }, [](Native a, Native b) { return a * b; }},
        {"/", [](Soft a, Soft b) { return a / b; }, [](Native a, Native b) { return a / b; }},
    };
    const long n = scaled(1 << 21);
    for (const Op& op : ops) {
        Operands gen(11);
        long failures = 0;
        for (long i = 0; i < n && failures < 10; ++i) {
            const ExtendedBits a = gen.next(), b = gen.next();
            const Soft sa = Soft::FromBits(a), sb = Soft::FromBits(b);
            const Native na = Native::FromBits(a), nb = Native::FromBits(b);
            const ExtendedBits got = op.soft(sa, sb).Bits(), want = op.native(na, nb).Bits();
            const bool cmp = (sa < sb) == (na < nb) && (sa <= sb) == (na <= nb) &&
                             (sa == sb) == (na == nb) && (sa != sb) == (na != nb) &&
                             (sa > sb) == (na > nb) && (sa >= sb) == (na >= nb);
            if (!same(got, want) || !cmp) {
                ++failures;
                ADD_FAILURE() << show(a) << ' ' << op.name << ' ' << show(b) << ": soft "
                              << show(got) << ", x87 " << show(want) << (cmp ? "" : ", comparison");
            }
        }
    }
}

TEST(SoftExtended, ConversionsAndFloorAreTheX87s) {
    std::mt19937_64 rng(5);
    Operands gen(6);
    const long n = scaled(1 << 20);
    long failures = 0;
    for (long i = 0; i < n && failures < 10; ++i) {
        // Any double, subnormals, infinities and NaNs included, and extended values around
        // the double range and its subnormals.
        std::uint64_t raw = rng();
        if (i % 4 == 0) raw &= ~(std::uint64_t{0x7FF} << 52);     // subnormal
        if (i % 16 == 1) raw |= std::uint64_t{0x7FF} << 52;       // NaN
        if (i % 32 == 1) raw &= ~((std::uint64_t{1} << 52) - 1);  // infinity
        const auto d = std::bit_cast<double>(raw);
        ExtendedBits e = gen.next();
        if (i % 2 == 0 && (e.signExponent & 0x7FFF) != 0x7FFF && (e.signExponent & 0x7FFF) != 0)
            e.signExponent = static_cast<std::uint16_t>(
                (e.signExponent & 0x8000) | (0x3FFF - 1100 + static_cast<int>(rng() % 2200)));
        const Soft se = Soft::FromBits(e);
        const Native ne = Native::FromBits(e);
        const double sd = se.ToDouble(), nd = ne.ToDouble();
        const bool toDouble =
            std::isnan(sd) ? std::isnan(nd)
                           : std::bit_cast<std::uint64_t>(sd) == std::bit_cast<std::uint64_t>(nd);
        const bool fromDouble = same(Soft(d).Bits(), Native(d).Bits());
        const auto i64 = static_cast<std::int64_t>(rng() >> (rng() % 64)) * (i % 3 == 0 ? -1 : 1);
        const bool fromInt = Soft(i64).Bits() == Native(i64).Bits();
        // Floor where Roundoff takes it, and beyond.
        e.signExponent = static_cast<std::uint16_t>((e.signExponent & 0x8000) |
                                                    (0x3FFF - 3 + static_cast<int>(rng() % 70)));
        e.significand |= std::uint64_t{1} << 63;
        const bool floor =
            Native::FromBits(Floor(Soft::FromBits(e)).Bits()) == Floor(Native::FromBits(e));
        if (!(toDouble && fromDouble && fromInt && floor)) {
            ++failures;
            ADD_FAILURE() << show(e) << " / " << d << " / " << i64 << ": to double " << toDouble
                          << ", from double " << fromDouble << ", from int " << fromInt
                          << ", floor " << floor;
        }
    }
}

// MPFR's results are correctly rounded; the C library's x87 ones are within an ulp of them.
TEST(SoftExtended, LogarithmsAndExponentialAreWithinAnUlpOfTheX87s) {
    std::mt19937_64 rng(3);
    const auto ulps = [](Native a, Native b) {
        const long double x = a.ToLongDouble(), y = b.ToLongDouble();
        if (x == y) return 0.0L;
        return std::fabs(x - y) / (std::nextafterl(std::fabs(x), HUGE_VALL) - std::fabs(x));
    };
    const long n = scaled(100000);
    for (long i = 0; i < n; ++i) {
        const ExtendedBits x{static_cast<std::uint16_t>(0x3FFF - 40 + static_cast<int>(rng() % 80)),
                             rng() | (std::uint64_t{1} << 63)};
        const Soft s = Soft::FromBits(x);
        const Native v = Native::FromBits(x);
        ASSERT_LE(ulps(Native::FromBits(Log(s).Bits()), Log(v)), 1) << show(x);
        ASSERT_LE(ulps(Native::FromBits(Log10(s).Bits()), Log10(v)), 1) << show(x);
        const Soft small =
            Soft::FromBits({static_cast<std::uint16_t>(x.signExponent - 34), x.significand});
        ASSERT_LE(ulps(Native::FromBits(Exp(small).Bits()), Exp(Native::FromBits(small.Bits()))), 1)
            << show(small.Bits());
    }
}

// Every tenth of every formula band: the shown rate is the x87's, through the quick path
// and, on a sample, through the full extended one.
TEST(SoftExtended, EveryFormulaRateIsTheX87s) {
    for (WorkType w : {WorkType::RoadMaintenance, WorkType::NewBuilding, WorkType::Renovation}) {
        const RuleSet& set = RulesFor(w);
        for (const RateRule* rule : {&set.CommonTemp, &set.SiteMgmt, &set.GeneralMgmt}) {
            if (w == WorkType::Renovation && rule == &set.GeneralMgmt) continue;  // shared
            long failures = 0;
            const auto first = static_cast<long>(rule->Lower * 10) + 1;
            const auto last = static_cast<long>(rule->Upper * 10);
            for (long tenths = first; tenths <= last && failures < 10; ++tenths) {
                const double base = static_cast<double>(tenths) / 10;
                const double want = detail::RateIn<Native>(*rule, base);
                const bool quick = detail::RateIn<Soft>(*rule, base) == want;
                const bool full =
                    tenths % 29 != 0 || detail::FormulaRate<Soft>(*rule, base) == want;
                if (!quick || !full) {
                    ++failures;
                    ADD_FAILURE() << static_cast<int>(w) << " L=" << rule->Lower << " base " << base
                                  << (quick ? "" : " quick") << (full ? "" : " full");
                }
            }
        }
    }
}

TEST(SoftExtended, ReadsEveryFieldTextAsTheX87) {
    std::mt19937_64 rng(9);
    const auto pick = [&](int k) {
        return static_cast<int>(rng() % static_cast<std::uint64_t>(k));
    };
    // Whether the text is a number, and its value.
    const auto attempt = [](auto tag, const std::string& text) -> std::pair<bool, ExtendedBits> {
        using X = decltype(tag);
        try {
            const X v = detail::ReadExtended<X>(
                text, '.', [](std::string_view) { throw std::invalid_argument("not a number"); });
            return {true, v.Bits()};
        } catch (const std::invalid_argument&) {
            return {false, {}};
        }
    };
    const long n = scaled(300000);
    for (long i = 0; i < n; ++i) {
        std::string text(static_cast<std::size_t>(pick(3)), ' ');
        if (pick(3) == 0) text += "+-"[pick(2)];
        const int digits = pick(4) == 0 ? pick(60) : pick(22);
        for (int k = 0; k < digits; ++k)
            text += static_cast<char>('0' + (k == 0 && pick(4) == 0 ? 0 : pick(10)));
        if (pick(2) == 0) {
            text += '.';
            for (int k = pick(25); k > 0; --k) text += static_cast<char>('0' + pick(10));
        }
        if (pick(2) == 0) {
            text += "eE"[pick(2)];
            if (pick(2) == 0) text += "+-"[pick(2)];
            text += std::to_string(pick(3) == 0 ? pick(5200) : pick(400));
        }
        if (pick(20) == 0) text += "x";
        const auto soft = attempt(Soft{}, text), native = attempt(Native{}, text);
        ASSERT_EQ(soft.first, native.first) << text;
        ASSERT_TRUE(same(soft.second, native.second))
            << text << ": soft " << show(soft.second) << ", x87 " << show(native.second);
    }
}

// Whole estimates and searches, rates from the table and by hand.
TEST(SoftExtended, EstimatesAndSearchesAreTheX87s) {
    std::mt19937_64 rng(4);
    testsupport::UniformDouble amount(-100, 4e5), rate(0, 40);
    for (long i = 0; i < scaled(20000); ++i) {
        const auto w = static_cast<WorkType>(i % 3);
        CostBreakdown s, x;
        s.DirectCost = x.DirectCost = std::round(amount(rng) * 10) / 10;
        s.ExtraInNet = x.ExtraInNet = i % 4 == 0 ? amount(rng) : 0;
        s.ExtraNoOverhead = x.ExtraNoOverhead = i % 5 == 0 ? amount(rng) : 0;
        detail::EvaluateStaged<Soft>(s, RulesFor(w), i % 7 == 0, [] {});
        detail::EvaluateStaged<Native>(x, RulesFor(w), i % 7 == 0, [] {});
        ASSERT_EQ(s, x) << s.DirectCost;
        s.CommonTempRate = x.CommonTempRate = rate(rng);
        s.SiteMgmtRate = x.SiteMgmtRate = rate(rng);
        s.GeneralMgmtRate = x.GeneralMgmtRate = rate(rng);
        detail::Cascade<Soft>(s);
        detail::Cascade<Native>(x);
        ASSERT_EQ(s, x) << s.DirectCost;
    }
    for (double target = 0.5; target < 2.2e8; target *= 1.37) {
        for (const auto w :
             {WorkType::RoadMaintenance, WorkType::NewBuilding, WorkType::Renovation}) {
            const auto find = [&](auto tag) {
                try {
                    return detail::FindEstimateIn<decltype(tag)>(target, w, false, 0, 0);
                } catch (const InvalidOperationError&) {
                    return CostBreakdown{};
                }
            };
            ASSERT_EQ(find(Soft{}), find(Native{})) << target;
        }
    }
}

}  // namespace

#endif
