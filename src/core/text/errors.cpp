// Error messages and their completion, with lengths counted the way the user's code page sees them.
#include "text/errors.h"

#include <cstdint>

#include "platform/platform.h"
#include "platform/utf8.h"

namespace costmodel {

namespace {

// Longest message the display takes, in Shift-JIS bytes.
constexpr std::size_t kMessageLimit = 4096;

// Without the converter: ASCII and half-width katakana are one byte, anything else two.
std::size_t EstimatedShiftJisLength(std::string_view text, std::size_t limit) {
    std::size_t total = 0;
    while (!text.empty() && total <= limit) {
        char32_t cp = 0;
        const std::size_t n = Utf8SequenceLength(text, &cp);
        if (n == 0) {
            total += 1;
            text.remove_prefix(1);
            continue;
        }
        total += (cp < 0x80 || (cp >= 0xFF61 && cp <= 0xFF9F)) ? 1 : 2;
        text.remove_prefix(n);
    }
    return total;
}

// First Shift-JIS byte of the one character ch.
unsigned char FirstShiftJisByte(std::string_view ch) {
    const auto b0 = static_cast<unsigned char>(ch[0]);
    if (b0 < 0x80) return b0;
    // '?' also without the converter: every non-ASCII lead byte of Shift-JIS is above '.'.
    unsigned char first = '?';
    platform::EncodeShiftJis(ch, [&](std::string_view bytes) {
        first = static_cast<unsigned char>(bytes[0]);
        return false;
    });
    return first;
}

}  // namespace

std::size_t ShiftJisLength(std::string_view utf8Text, std::size_t limit) {
    std::size_t total = 0;
    const bool converted = platform::EncodeShiftJis(utf8Text, [&](std::string_view bytes) {
        total += bytes.size();
        return total <= limit;
    });
    return converted ? total : EstimatedShiftJisLength(utf8Text, limit);
}

std::string NotANumberMessage(std::string_view utf8Text) {
    const std::size_t placeholder = kNotANumberFormat.find("%s");
    static const std::size_t fixedLength = ShiftJisLength(kNotANumberFormat) - 2;
    if (ShiftJisLength(utf8Text, kMessageLimit - fixedLength) > kMessageLimit - fixedLength)
        return std::string(kMessageTooLong);

    std::string message;
    message.reserve(kNotANumberFormat.size() + utf8Text.size());
    message.append(kNotANumberFormat.substr(0, placeholder));
    message.append(utf8Text);
    message.append(kNotANumberFormat.substr(placeholder + 2));
    return message;
}

std::string CompleteMessage(std::string_view utf8Message) {
    std::string message(utf8Message);
    if (message.empty()) return message;

    // The last character whole: back over up to three continuation bytes to a lead byte that
    // spans exactly to the end; otherwise the last byte stands alone.
    const auto isContinuation = [](char b) {
        return (static_cast<unsigned char>(b) & 0xC0) == 0x80;
    };
    const std::size_t size = utf8Message.size();
    std::string_view last = utf8Message.substr(size - 1);
    if (isContinuation(last[0])) {
        for (std::size_t back = 2; back <= 4 && back <= size; ++back) {
            const std::string_view candidate = utf8Message.substr(size - back);
            if (isContinuation(candidate[0])) continue;
            if (Utf8SequenceLength(candidate) == back) last = candidate;
            break;
        }
    }
    if (FirstShiftJisByte(last) > 0x2E) message += '.';
    return message;
}

}  // namespace costmodel
