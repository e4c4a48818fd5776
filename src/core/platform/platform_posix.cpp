// The platform layer on POSIX systems: iconv for Shift-JIS, the locale database for the separator.
#include "platform/platform.h"

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <cerrno>

#include "platform/utf8.h"

namespace costmodel::platform {

namespace {

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

    void encode(std::string_view text, const ByteSink& sink) {
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
            if (outLeft != sizeof out && !sink(std::string_view(out, sizeof out - outLeft))) return;
            if (r != static_cast<std::size_t>(-1)) continue;
            if (err == E2BIG && inLeft < before) continue;
            // EILSEQ / EINVAL: skip what stopped it, one character if it is one, else one byte.
            const std::size_t n = Utf8SequenceLength(std::string_view(in, inLeft));
            const std::size_t skip = n != 0 ? n : 1;
            in += skip;
            inLeft -= skip;
            if (!sink("?")) return;
        }
    }

private:
    iconv_t cd_;
};

// CP932 to UTF-8 through iconv, one per thread like the encoder.
class ShiftJisDecoder {
public:
    ShiftJisDecoder() : cd_(iconv_open("UTF-8", "CP932")) {}
    ~ShiftJisDecoder() {
        if (usable()) iconv_close(cd_);
    }
    ShiftJisDecoder(const ShiftJisDecoder&) = delete;
    ShiftJisDecoder& operator=(const ShiftJisDecoder&) = delete;

    bool usable() const { return cd_ != reinterpret_cast<iconv_t>(-1); }  // NOLINT(performance-no-int-to-ptr)

    DecodeStatus decode(std::string_view bytes, std::string& utf8, std::size_t* errorOffset) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(bytes.data());
        std::size_t inLeft = bytes.size();
        char out[16384];
        while (inLeft > 0) {
            char* o = out;
            std::size_t outLeft = sizeof out;
            const std::size_t r = iconv(cd_, &in, &inLeft, &o, &outLeft);
            const int err = errno;
            utf8.append(out, sizeof out - outLeft);
            if (r != static_cast<std::size_t>(-1) || err == E2BIG) continue;
            // EILSEQ, or EINVAL for a lead byte cut off by the end.
            if (errorOffset) *errorOffset = static_cast<std::size_t>(in - bytes.data());
            return DecodeStatus::Invalid;
        }
        return DecodeStatus::Done;
    }

private:
    iconv_t cd_;
};

}  // namespace

DecodeStatus DecodeShiftJis(std::string_view bytes, std::string& utf8, std::size_t* errorOffset) {
    thread_local ShiftJisDecoder decoder;
    if (!decoder.usable()) return DecodeStatus::NoConverter;
    return decoder.decode(bytes, utf8, errorOffset);
}

bool EncodeShiftJis(std::string_view utf8Text, const ByteSink& sink) {
    thread_local ShiftJisEncoder encoder;
    if (!encoder.usable()) return false;
    encoder.encode(utf8Text, sink);
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
