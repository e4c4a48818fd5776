// Fuzz target: arbitrary bytes as a field text, read, shown and read again.
//
// Byte 0 picks the decimal separator (',' when it is ',' or odd, else '.'); the rest is the text. When there
// are eight bytes after it, they are also shown as the bit pattern of a double.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "fuzz_support.h"

using namespace costmodel;
using namespace zanvoro_fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    SetDecimalSeparator(data[0] == ',' || (data[0] & 1) != 0 ? ',' : '.');
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

    const Expectation e = Expect(ReadReference(text, DecimalSeparator()));
    try {
        const double x = TextToNumber(text);
        if (!e.value) Fail("read a value from a text that has none", text);
        if (!std::isfinite(x)) Fail("read a value that is not finite", text);
        if (std::signbit(x) != e.negative)
            Fail("value with the wrong sign", text);
        if (e.exactZero && x != 0) Fail("digits that are all zero, or scaled away, read as not 0", text);
        if (!e.exactZero && !(std::fabs(std::fabs(x) - e.approx) <=
                              e.tolerance * e.approx + DBL_TRUE_MIN))
            Fail("value too far from the decimal it writes", text);
        CheckDisplay(x);
    } catch (const ConversionError& error) {
        if (!e.notANumber) Fail("conversion error for a number", text);
        CheckNotANumberMessage(error.message(), text);
    } catch (const OverflowError& error) {
        if (!e.overflow) Fail("overflow error for a text that should not overflow", text);
        if (error.message() != kOverflowMessage)
            Fail("overflow error with another message", error.message());
        if (CompleteMessage(error.message()) != std::string(kOverflowMessage) + ".")
            Fail("overflow message not completed with a full stop");
    } catch (...) {
        Fail("TextToNumber raised something other than its two errors", text);
    }

    // The message helpers take any bytes.
    const std::string completed = CompleteMessage(text);
    if (completed != text && completed != std::string(text) + ".")
        Fail("CompleteMessage changed more than a full stop", text);
    if (ShiftJisLength(text) > text.size()) Fail("Shift-JIS longer than UTF-8", text);

    if (text.size() >= 8) {
        double raw;
        std::memcpy(&raw, text.data(), sizeof raw);
        if (std::isfinite(raw)) CheckDisplay(raw);
    }
    return 0;
}
