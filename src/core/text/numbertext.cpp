// Field text to number and back, with the one process-wide decimal separator.
#include "text/numbertext.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "text/errors.h"
#include "text/numberreader.h"
#include "platform/platform.h"

namespace costmodel {

namespace {

char gSeparator = '.';

[[noreturn]] void NotANumber(std::string_view text) {
    throw ConversionError(NotANumberMessage(text));
}

}  // namespace

char DecimalSeparator() { return gSeparator; }
void SetDecimalSeparator(char separator) { gSeparator = separator; }
void SetDecimalSeparatorFrom(std::string_view s) { gSeparator = s.size() == 1 ? s[0] : '.'; }

void LoadDecimalSeparatorFromEnvironment() {
    SetDecimalSeparatorFrom(platform::UserDecimalSeparator());
}

std::span<const ExtendedBits> ScaleUnits() { return detail::kUnits; }
std::span<const ExtendedBits> ScaleThirtyTwos() { return detail::kThirtyTwos; }
std::span<const ExtendedBits> ScaleFiveTwelves() { return detail::kFiveTwelves; }

double TextToNumber(std::string_view text) {
    [[maybe_unused]] const PrecisionGuard guard;
    const Extended value = detail::ReadExtended<Extended>(text, gSeparator, NotANumber);
    const double result = value.ToDouble();
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
        if (detail::IsDigit(sci[k])) digits += sci[k];
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
