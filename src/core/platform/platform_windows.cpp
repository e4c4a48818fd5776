// The platform layer on Windows: code page 932 and the user's locale through the Win32 API.
#include "platform/platform.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/utf8.h"

namespace costmodel::platform {

namespace {

constexpr UINT kShiftJisCodePage = 932;

// Characters the code page holds under another code point, which the iconv of other systems
// (and Windows' own best fit) still converts: wave dash, minus sign, em dash, double vertical
// line, cent, pound, not, yen and overline. Best fit stays off for everything else, since it
// turns many characters into lookalikes ("«" into two bytes, a soft hyphen into "-").
struct Alias {
    char32_t codePoint;
    const char* bytes;
};
constexpr Alias kAliases[] = {
    {0x301C, "\x81\x60"}, {0x2212, "\x81\x7C"}, {0x2014, "\x81\x5C"}, {0x2016, "\x81\x61"},
    {0x00A2, "\x81\x91"}, {0x00A3, "\x81\x92"}, {0x00AC, "\x81\xCA"}, {0x00A5, "\x5C"},
    {0x203E, "\x7E"},
};

// CP932 bytes of one code point into out (room for two); 0 when the code page lacks it.
int ShiftJisOf(char32_t cp, char* out) {
    for (const Alias& a : kAliases) {
        if (a.codePoint != cp) continue;
        int n = 0;
        for (; a.bytes[n] != '\0'; ++n) out[n] = a.bytes[n];
        return n;
    }
    wchar_t wide[2];
    int units = 1;
    if (cp >= 0x10000) {
        wide[0] = static_cast<wchar_t>(0xD800 + ((cp - 0x10000) >> 10));
        wide[1] = static_cast<wchar_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        units = 2;
    } else {
        wide[0] = static_cast<wchar_t>(cp);
    }
    char bytes[8];
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(kShiftJisCodePage, WC_NO_BEST_FIT_CHARS, wide, units, bytes,
                                      sizeof bytes, nullptr, &usedDefault);
    if (n <= 0 || n > 2 || usedDefault) return 0;
    for (int k = 0; k < n; ++k) out[k] = bytes[k];
    return n;
}

}  // namespace

bool EncodeShiftJis(std::string_view utf8Text, const ByteSink& sink) {
    if (!IsValidCodePage(kShiftJisCodePage)) return false;
    char out[1024];
    std::size_t used = 0;
    while (!utf8Text.empty()) {
        if (used + 2 > sizeof out) {
            if (!sink(std::string_view(out, used))) return true;
            used = 0;
        }
        char32_t cp = 0;
        const std::size_t n = Utf8SequenceLength(utf8Text, &cp);
        utf8Text.remove_prefix(n != 0 ? n : 1);
        if (n == 0) {
            out[used++] = '?';
        } else if (cp >= 0xE0000 && cp <= 0xE007F) {
            // Tag characters only qualify the emoji before them; iconv drops them too.
        } else if (cp < 0x80) {
            out[used++] = static_cast<char>(cp);  // CP932 keeps ASCII as it is
        } else {
            const int count = ShiftJisOf(cp, out + used);
            if (count == 0) out[used++] = '?';
            used += static_cast<std::size_t>(count);
        }
    }
    if (used != 0) sink(std::string_view(out, used));
    return true;
}

std::string UserDecimalSeparator() {
    // The symbol is at most three characters; a longer one gives "" and so the default.
    wchar_t symbol[8];
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, symbol, 8);
    if (length <= 1) return {};
    char utf8[32];
    const int n = WideCharToMultiByte(CP_UTF8, 0, symbol, length - 1, utf8, sizeof utf8,
                                      nullptr, nullptr);
    return n > 0 ? std::string(utf8, static_cast<std::size_t>(n)) : std::string();
}

}  // namespace costmodel::platform
