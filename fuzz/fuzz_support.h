// What the fuzz targets judge outcomes by: a second reader of field texts, a second display
// writer, and the checks built on them.
#pragma once

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "text/errors.h"
#include "text/numbertext.h"

namespace zanvoro_fuzz {

[[noreturn]] inline void Fail(std::string_view what, std::string_view detail = {}) {
    std::fprintf(stderr, "\n*** %.*s\n*** %.*s\n", static_cast<int>(what.size()), what.data(),
                 static_cast<int>(detail.size() > 400 ? 400 : detail.size()), detail.data());
    std::abort();
}

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A well-formed field text, reduced to what its value depends on.
struct Reading {
    bool negative = false;
    std::string significant;  // every mantissa digit, leading zeros dropped
    std::int64_t scale = 0;   // the exponent minus the number of fraction digits
};

// The exponent digits, as a value that stops growing past 9999.
inline int SaturatedValue(std::string_view digits) {
    int v = 0;
    for (char c : digits) v = std::min(v * 10 + (c - '0'), 9999);
    return v;
}

// Reads the field grammar by spans rather than by a running cursor, so that it shares no
// code with the reader it checks. Nothing when the text is not well formed.
inline std::optional<Reading> ReadReference(std::string_view t, char separator) {
    const auto take = [&t](auto pred) {
        std::size_t k = 0;
        while (k < t.size() && pred(t[k])) ++k;
        const std::string_view span = t.substr(0, k);
        t.remove_prefix(k);
        return span;
    };
    const auto takeOne = [&t](std::string_view set) -> char {
        if (t.empty() || set.find(t[0]) == std::string_view::npos) return 0;
        const char c = t[0];
        t.remove_prefix(1);
        return c;
    };
    const auto isSpace = [](char c) { return c == ' '; };
    const auto isDigit = [](char c) { return IsDigit(c); };

    take(isSpace);
    const char sign = takeOne("+-");
    const std::string_view whole = take(isDigit);
    const bool hasSeparator = takeOne(std::string_view(&separator, 1)) != 0;
    const std::string_view fraction = hasSeparator ? take(isDigit) : std::string_view();
    if (whole.empty() && !hasSeparator) return std::nullopt;

    int exponent = 0;
    if (takeOne("Ee")) {
        const char exponentSign = takeOne("+-");
        const std::string_view digits = take(isDigit);
        // Digits are read while the value so far is below 500; all of them are read exactly
        // when every digit but the last leaves it below.
        if (!digits.empty() && SaturatedValue(digits.substr(0, digits.size() - 1)) >= 500)
            return std::nullopt;
        exponent = SaturatedValue(digits);
        if (exponentSign == '-') exponent = -exponent;
    }
    take(isSpace);
    if (!t.empty()) return std::nullopt;

    Reading r;
    r.negative = sign == '-';
    r.significant = std::string(whole) + std::string(fraction);
    r.significant.erase(0, r.significant.find_first_not_of('0'));
    r.scale = exponent - static_cast<std::int64_t>(fraction.size());
    return r;
}

// What a reading may give: which outcomes are allowed (several near a range edge, where the
// extended arithmetic's rounding decides) and, for a value, roughly which.
struct Expectation {
    bool value = false, overflow = false, notANumber = false;
    bool exactZero = false;
    bool negative = false;
    double approx = 0;  // correctly rounded, unsigned
    double tolerance = 0;  // relative
};

enum class Band { Below, Near, Above };

inline Band Compare(long double log10Value, long double log10Edge, long double tolerance) {
    if (log10Value < log10Edge - tolerance) return Band::Below;
    if (log10Value > log10Edge + tolerance) return Band::Above;
    return Band::Near;
}

inline Expectation Expect(const std::optional<Reading>& r) {
    Expectation e;
    if (!r) {
        e.notANumber = true;
        return e;
    }
    e.negative = r->negative;
    if (r->significant.empty()) {
        e.value = e.exactZero = true;
        return e;
    }
    const std::size_t n = r->significant.size();
    // Each digit and each scaling step rounds once to 64 bits; the double rounds once more.
    e.tolerance = std::ldexp(1.0, -51) + static_cast<double>(n + 16) * std::ldexp(1.0, -62);
    const long double logTolerance = e.tolerance / std::log(10.0L) + 1e-13L;

    // log10 of the digits read as one integer.
    const std::string lead = "0." + r->significant.substr(0, 40);
    const long double digitsLog =
        std::log10(std::strtold(lead.c_str(), nullptr)) + static_cast<long double>(n);
    const long double extendedEdge = std::log10(LDBL_MAX);
    const long double doubleEdge =
        std::log10(std::ldexp(1.0L, 1024) - std::ldexp(1.0L, 970));  // rounds to infinity

    const Band digitsBand = Compare(digitsLog, extendedEdge, logTolerance);
    if (digitsBand == Band::Above) {
        e.notANumber = true;
        return e;
    }
    if (digitsBand == Band::Near) e.notANumber = true;
    if (r->scale <= -5120) {
        e.value = e.exactZero = true;
        return e;
    }
    const long double valueLog = digitsLog + static_cast<long double>(r->scale);
    const Band extendedBand = Compare(valueLog, extendedEdge, logTolerance);
    const Band doubleBand = Compare(valueLog, doubleEdge, logTolerance);
    if (extendedBand != Band::Below) e.notANumber = true;
    if (extendedBand != Band::Above && doubleBand != Band::Below) e.overflow = true;
    if (doubleBand != Band::Above) {
        e.value = true;
        const std::string exact = r->significant + "e" + std::to_string(r->scale);
        e.approx = std::strtod(exact.c_str(), nullptr);
    }
    return e;
}

// The display text by another route: 18 digits from printf, cut to 15 in integer arithmetic.
inline std::string ReferenceDisplay(double x, char separator) {
    if (x == 0) return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17e", std::fabs(x));  // d.ddddddddddddddddde±x
    std::uint64_t d18 = static_cast<std::uint64_t>(buf[0] - '0');
    for (int k = 2; k < 19; ++k) d18 = d18 * 10 + static_cast<std::uint64_t>(buf[k] - '0');
    int e10 = std::atoi(buf + 20);
    std::uint64_t d15 = d18 / 1000 + (d18 % 1000 >= 500 ? 1 : 0);
    if (d15 == 1000000000000000ULL) {
        d15 /= 10;
        ++e10;
    }
    while (d15 % 10 == 0) d15 /= 10;
    const std::string digits = std::to_string(d15);
    const int k = static_cast<int>(digits.size());
    const int point = e10 + 1;  // digits before the decimal point
    std::string out = x < 0 ? "-" : "";
    if (point > 15 || point < -3) {
        out += digits.substr(0, 1);
        if (k > 1) out += separator + digits.substr(1);
        return out + "E" + std::to_string(e10);
    }
    const auto count = [](int n) { return static_cast<std::size_t>(n); };
    if (point <= 0) return out + "0" + separator + std::string(count(-point), '0') + digits;
    if (k <= point) return out + digits + std::string(count(point - k), '0');
    return out + digits.substr(0, count(point)) + separator + digits.substr(count(point));
}

// The display of a finite value: as the reference writes it, and it reads back to about the
// value and to the same text. Only values whose display rounds past the largest double
// (1.79769313486232E308) read back as the overflow error.
inline void CheckDisplay(double x) {
    using namespace costmodel;
    if (!std::isfinite(x)) Fail("CheckDisplay on a value that is not finite");
    std::string text;
    try {
        text = NumberToText(x);
    } catch (...) {
        Fail("NumberToText threw");
    }
    const std::string expected = ReferenceDisplay(x, DecimalSeparator());
    if (text != expected) Fail("NumberToText differs from the reference", text + " vs " + expected);

    const std::string top = std::string("1") + DecimalSeparator() + "79769313486232E308";
    const bool roundsPastTop = text == top || text == "-" + top;
    double back = 0;
    try {
        back = TextToNumber(text);
    } catch (const OverflowError&) {
        if (!roundsPastTop) Fail("a display text reads back as overflow", text);
        return;
    } catch (...) {
        Fail("a display text does not read back", text);
    }
    if (roundsPastTop) Fail("a display past the largest double read back", text);
    // Half a unit of the 15th digit is at most 5e-15 of the value; reading adds half an ulp.
    if (!(std::fabs(back - x) <= 5.15e-15 * std::fabs(x) + DBL_TRUE_MIN))
        Fail("a display text reads back too far from its value", text);
    if (NumberToText(back) != text) Fail("a display text does not show again as itself", text);
}

// The message of a conversion error for the whole text, checked also without the library's
// own formatter where the answer is plain: shorter than 4066 bytes it always fits, and an
// ASCII text of 4066 bytes or more never does.
inline void CheckNotANumberMessage(std::string_view message, std::string_view text) {
    using namespace costmodel;
    if (message != NotANumberMessage(text)) Fail("conversion error with another message", text);
    const std::string quoted = "'" + std::string(text) + "' は浮動小数点数ではありません";
    bool ascii = true;
    for (char c : text) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (text.size() < 4066 && message != quoted) Fail("message does not quote the text", text);
    if (ascii && text.size() >= 4066 && message != kMessageTooLong)
        Fail("overlong text without the too-long message", text);
    if (message != quoted && message != kMessageTooLong) Fail("unknown message form", message);
    if (CompleteMessage(message) != std::string(message) + ".")
        Fail("message not completed with a full stop", message);
}

}  // namespace zanvoro_fuzz
