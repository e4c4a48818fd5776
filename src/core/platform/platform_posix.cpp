// The platform layer on POSIX systems: iconv for Shift-JIS, the locale database for the separator.
#include "platform/platform.h"

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <cerrno>

#include "platform/utf8.h"

namespace costmodel::platform {

namespace {

// One iconv descriptor; one per thread and direction, as descriptors are not shareable.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (usable()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // iconv_open's failure value is (iconv_t)-1 by its contract.
    bool usable() const { return cd_ != reinterpret_cast<iconv_t>(-1); }  // NOLINT(performance-no-int-to-ptr)

    // Hands sink the converted text piece by piece while it returns true. Where the input
    // does not convert, stuck is told the rest of it and says how many bytes to skip (0:
    // stop). Returns how much of text was read.
    template <class Sink, class Stuck>
    std::size_t convert(std::string_view text, Sink&& sink, Stuck&& stuck) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(text.data());
        std::size_t inLeft = text.size();
        char out[4096];
        while (inLeft > 0) {
            char* o = out;
            std::size_t outLeft = sizeof out;
            const std::size_t before = inLeft;
            const std::size_t r = iconv(cd_, &in, &inLeft, &o, &outLeft);
            const int err = errno;
            if (outLeft != sizeof out && !sink(std::string_view(out, sizeof out - outLeft))) break;
            if (r != static_cast<std::size_t>(-1)) continue;
            if (err == E2BIG && inLeft < before) continue;
            // EILSEQ, or EINVAL for a sequence cut off by the end.
            const std::size_t skip = stuck(std::string_view(in, inLeft));
            if (skip == 0) break;
            in += skip;
            inLeft -= skip;
        }
        return static_cast<std::size_t>(in - text.data());
    }

private:
    iconv_t cd_;
};

}  // namespace

DecodeStatus DecodeShiftJis(std::string_view bytes, std::string& utf8, std::size_t* errorOffset) {
    thread_local Converter decoder("UTF-8", "CP932");
    if (!decoder.usable()) return DecodeStatus::NoConverter;
    bool invalid = false;
    const std::size_t read = decoder.convert(
        bytes,
        [&](std::string_view piece) {
            utf8.append(piece);
            return true;
        },
        [&](std::string_view) {
            invalid = true;
            return std::size_t{0};
        });
    if (!invalid) return DecodeStatus::Done;
    if (errorOffset) *errorOffset = read;
    return DecodeStatus::Invalid;
}

bool EncodeShiftJis(std::string_view utf8Text, const ByteSink& sink) {
    thread_local Converter encoder("CP932", "UTF-8");
    if (!encoder.usable()) return false;
    bool open = true;
    encoder.convert(
        utf8Text,
        [&](std::string_view piece) { return open = sink(piece); },
        [&](std::string_view rest) {
            // One '?' for the character that stopped it, or for one stray byte.
            const std::size_t n = Utf8SequenceLength(rest);
            open = sink("?");
            return open ? (n != 0 ? n : 1) : 0;
        });
    return true;
}

std::string UserDecimalSeparator() {
    // A locale object of our own: Qt owns the process locale, and the radix must not follow it.
    locale_t numeric = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (numeric == static_cast<locale_t>(nullptr)) return {};
    const char* radix = nl_langinfo_l(RADIXCHAR, numeric);
    std::string separator = radix != nullptr ? radix : "";
    freelocale(numeric);
    return separator;
}

}  // namespace costmodel::platform
