// Field text to number and back, with the one process-wide decimal separator.
#include "numbertext.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

#include "errors.h"
#include "platform.h"

namespace costmodel {

namespace {

char gSeparator = '.';

// Each entry is the long double nearest to its power of ten (checked against strtold).
constexpr long double kUnits[32] = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,  1e10L,
    1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L, 1e20L, 1e21L,
    1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L, 1e28L, 1e29L, 1e30L, 1e31L};
constexpr long double kThirtyTwos[15] = {1e32L,  1e64L,  1e96L,  1e128L, 1e160L,
                                          1e192L, 1e224L, 1e256L, 1e288L, 1e320L,
                                          1e352L, 1e384L, 1e416L, 1e448L, 1e480L};
constexpr long double kFiveTwelves[9] = {1e512L,  1e1024L, 1e1536L, 1e2048L, 1e2560L,
                                         1e3072L, 1e3584L, 1e4096L, 1e4608L};

// An exponent is read only up to this value; so at most 4999 can be written.
constexpr int kExponentReadLimit = 500;
// Scaling down by this much or more leaves nothing of any extended value.
constexpr std::int64_t kVanishingScale = 5120;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

[[noreturn]] void NotANumber(std::string_view text) {
    throw ConversionError(NotANumberMessage(text));
}

void AppendDigit(long double& acc, char c, std::string_view text) {
    // Leading zeros leave nothing to round, and a long pasted run of them stays cheap.
    if (acc == 0.0L) {
        acc = static_cast<long double>(c - '0');
        return;
    }
    // Two roundings, as the x87 does them: the product, then the sum.
    acc = acc * 10.0L;
    acc = acc + static_cast<long double>(c - '0');
    // Past the extended range no later character can make the text a number: say so now
    // rather than read on through a megabyte paste.
    if (acc > std::numeric_limits<long double>::max()) NotANumber(text);
}

}  // namespace

char DecimalSeparator() { return gSeparator; }
void SetDecimalSeparator(char separator) { gSeparator = separator; }
void SetDecimalSeparatorFrom(std::string_view s) { gSeparator = s.size() == 1 ? s[0] : '.'; }

void LoadDecimalSeparatorFromEnvironment() {
    SetDecimalSeparatorFrom(platform::UserDecimalSeparator());
}

std::span<const long double> ScaleUnits() { return kUnits; }
std::span<const long double> ScaleThirtyTwos() { return kThirtyTwos; }
std::span<const long double> ScaleFiveTwelves() { return kFiveTwelves; }

double TextToNumber(std::string_view text) {
    const char separator = gSeparator;
    const std::size_t end = text.size();
    std::size_t i = 0;

    while (i < end && text[i] == ' ') ++i;

    bool negative = false;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    long double acc = 0.0L;
    bool mantissaSeen = false;
    std::uint64_t fractionDigits = 0;  // texts can be longer than any int
    for (; i < end && IsDigit(text[i]); ++i) {
        AppendDigit(acc, text[i], text);
        mantissaSeen = true;
    }
    if (i < end && text[i] == separator) {
        ++i;
        mantissaSeen = true;
        for (; i < end && IsDigit(text[i]); ++i) {
            AppendDigit(acc, text[i], text);
            ++fractionDigits;
        }
    }
    if (!mantissaSeen) NotANumber(text);

    int exponent = 0;
    if (i < end && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        bool exponentNegative = false;
        if (i < end && (text[i] == '+' || text[i] == '-')) {
            exponentNegative = text[i] == '-';
            ++i;
        }
        for (; i < end && IsDigit(text[i]) && exponent < kExponentReadLimit; ++i)
            exponent = exponent * 10 + (text[i] - '0');
        if (exponentNegative) exponent = -exponent;
    }

    while (i < end && text[i] == ' ') ++i;
    if (i != end) NotANumber(text);

    // Any fraction count this large scales below the vanishing point whatever the exponent.
    const std::int64_t n =
        fractionDigits >= static_cast<std::uint64_t>(kVanishingScale + 5000)
            ? -kVanishingScale
            : static_cast<std::int64_t>(exponent) - static_cast<std::int64_t>(fractionDigits);

    if (n <= -kVanishingScale) {
        acc = 0.0L;
    } else if (n != 0) {
        const std::int64_t magnitude = n < 0 ? -n : n;
        const long double unit = kUnits[magnitude % 32];
        const std::int64_t b = (magnitude / 32) % 16;
        const std::int64_t c = magnitude / 512;
        if (n > 0) {
            acc = acc * unit;
            if (b > 0) acc = acc * kThirtyTwos[b - 1];
            if (c > 0) acc = acc * kFiveTwelves[c - 1];
        } else {
            acc = acc / unit;
            if (b > 0) acc = acc / kThirtyTwos[b - 1];
            if (c > 0) acc = acc / kFiveTwelves[c - 1];
        }
        if (std::isinf(acc)) NotANumber(text);
    }

    if (negative) acc = -acc;

    const double result = static_cast<double>(acc);
    if (std::isinf(result)) throw OverflowError(std::string(kOverflowMessage));
    return result;
}

std::string NumberToText(double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0.0) return "0";

    // 18 significant digits, correctly rounded, independent of the C locale: d.ddd…e±x.
    char buf[64];
    const auto conv =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 17);
    const std::string_view sci(buf, static_cast<std::size_t>(conv.ptr - buf));
    const std::size_t ePos = sci.find('e');
    std::string digits;
    digits.reserve(18);
    for (std::size_t k = 0; k < ePos; ++k)
        if (IsDigit(sci[k])) digits += sci[k];
    std::size_t expStart = ePos + 1;
    if (sci[expStart] == '+') ++expStart;
    int e10 = 0;
    std::from_chars(sci.data() + expStart, sci.data() + sci.size(), e10);

    // Down to 15 digits, half up on the 16th; a carry out of the top makes a new leading 1.
    const bool roundUp = digits[15] >= '5';
    digits.resize(15);
    if (roundUp) {
        std::size_t k = 15;  // one past the digit to raise
        while (k > 0 && digits[k - 1] == '9') digits[--k] = '0';
        if (k > 0) {
            ++digits[k - 1];
        } else {
            digits.insert(digits.begin(), '1');
            digits.pop_back();
            ++e10;
        }
    }
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    const int E = e10 + 1;  // 10^(E-1) <= rounded magnitude < 10^E
    const int k = static_cast<int>(digits.size());
    const char separator = gSeparator;
    std::string out;
    if (value < 0) out += '-';
    if (E >= -3 && E <= 15) {
        if (E <= 0) {
            out += '0';
            out += separator;
            out.append(static_cast<std::size_t>(-E), '0');
            out += digits;
        } else if (k <= E) {
            out += digits;
            out.append(static_cast<std::size_t>(E - k), '0');
        } else {
            out.append(digits, 0, static_cast<std::size_t>(E));
            out += separator;
            out.append(digits, static_cast<std::size_t>(E));
        }
    } else {
        out += digits[0];
        if (k > 1) {
            out += separator;
            out.append(digits, 1);
        }
        out += 'E';
        out += std::to_string(E - 1);
    }
    return out;
}

}  // namespace costmodel
