// Error messages and their completion, with lengths counted the way the user's code page sees them.
#include "errors.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>

namespace costmodel {

namespace {

// Longest message the display takes, in Shift-JIS bytes.
constexpr std::size_t kMessageLimit = 4096;

// Length of the well-formed UTF-8 sequence that starts s, or 0 if s does not start with one
// (stray continuation, overlong form, surrogate, beyond U+10FFFF, cut short).
std::size_t Utf8SequenceLength(std::string_view s, char32_t* codePoint = nullptr) {
    if (s.empty()) return 0;
    const auto b0 = static_cast<unsigned char>(s[0]);
    std::size_t len;
    char32_t cp;
    char32_t min;
    if (b0 < 0x80) {
        if (codePoint) *codePoint = b0;
        return 1;
    }
    if ((b0 & 0xE0) == 0xC0) {
        len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (s.size() < len) return 0;
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[k]);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    if (codePoint) *codePoint = cp;
    return len;
}

// UTF-8 to CP932 through iconv; one per thread, as iconv descriptors are not shareable.
class ShiftJisEncoder {
public:
    ShiftJisEncoder() : cd_(iconv_open("CP932", "UTF-8")) {}
    ~ShiftJisEncoder() {
        if (usable()) iconv_close(cd_);
    }
    ShiftJisEncoder(const ShiftJisEncoder&) = delete;
    ShiftJisEncoder& operator=(const ShiftJisEncoder&) = delete;

    // iconv_open's failure value is (iconv_t)-1 by its contract.
    bool usable() const { return cd_ != reinterpret_cast<iconv_t>(-1); }  // NOLINT(performance-no-int-to-ptr)

    // Calls sink(bytes, count) with the CP932 form of text, piece by piece, until the sink
    // returns false. A character CP932 lacks and every byte that is not UTF-8 come out as
    // '?', as the system's conversion would put them.
    template <typename Sink>
    void encode(std::string_view text, Sink&& sink) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(text.data());
        std::size_t inLeft = text.size();
        char out[1024];
        while (inLeft > 0) {
            char* o = out;
            std::size_t outLeft = sizeof out;
            const std::size_t before = inLeft;
            const std::size_t r = iconv(cd_, &in, &inLeft, &o, &outLeft);
            const int err = errno;
            if (outLeft != sizeof out && !sink(out, sizeof out - outLeft)) return;
            if (r != static_cast<std::size_t>(-1)) continue;
            if (err == E2BIG && inLeft < before) continue;
            // EILSEQ / EINVAL: skip what stopped it, one character if it is one, else one byte.
            const std::size_t n = Utf8SequenceLength(std::string_view(in, inLeft));
            const std::size_t skip = n != 0 ? n : 1;
            in += skip;
            inLeft -= skip;
            if (!sink("?", 1)) return;
        }
    }

private:
    iconv_t cd_;
};

ShiftJisEncoder& Encoder() {
    thread_local ShiftJisEncoder encoder;
    return encoder;
}

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
    ShiftJisEncoder& enc = Encoder();
    if (!enc.usable()) return '?';  // every non-ASCII lead byte of Shift-JIS is above '.'
    unsigned char first = 0;
    bool have = false;
    enc.encode(ch, [&](const char* bytes, std::size_t) {
        first = static_cast<unsigned char>(bytes[0]);
        have = true;
        return false;
    });
    return have ? first : '?';
}

}  // namespace

std::size_t ShiftJisLength(std::string_view utf8Text, std::size_t limit) {
    ShiftJisEncoder& enc = Encoder();
    if (!enc.usable()) return EstimatedShiftJisLength(utf8Text, limit);
    std::size_t total = 0;
    enc.encode(utf8Text, [&](const char*, std::size_t count) {
        total += count;
        return total <= limit;
    });
    return total;
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
