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

// Where the CP932 character at bytes[at] ends: a lead byte takes the byte after it.
std::size_t ShiftJisCharEnd(std::string_view bytes, std::size_t at) {
    const auto b = static_cast<unsigned char>(bytes[at]);
    const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    return lead && at + 1 < bytes.size() ? at + 2 : at + 1;
}

// Wide characters of a piece of CP932; 0 when the piece is not valid CP932.
int WideOf(std::string_view piece, wchar_t* wide, int room) {
    return MultiByteToWideChar(kShiftJisCodePage, MB_ERR_INVALID_CHARS, piece.data(),
                               static_cast<int>(piece.size()), wide, room);
}

}  // namespace

DecodeStatus DecodeShiftJis(std::string_view bytes, std::string& utf8, std::size_t* errorOffset) {
    if (!IsValidCodePage(kShiftJisCodePage)) return DecodeStatus::NoConverter;
    // Pieces end on character boundaries, so the API's int lengths hold any input.
    constexpr std::size_t kPiece = 4096;
    wchar_t wide[kPiece];
    char out[kPiece * 3];
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t end = at;
        while (end < bytes.size() && end - at < kPiece - 1) end = ShiftJisCharEnd(bytes, end);
        const std::string_view piece = bytes.substr(at, end - at);
        const int units = WideOf(piece, wide, static_cast<int>(kPiece));
        if (units <= 0) {
            // Find the first character that does not convert; what precedes it is kept.
            std::size_t c = at;
            wchar_t one[2];
            while (c < end) {
                const std::size_t next = ShiftJisCharEnd(bytes, c);
                if (WideOf(bytes.substr(c, next - c), one, 2) <= 0) break;
                c = next;
            }
            if (c > at) DecodeShiftJis(bytes.substr(at, c - at), utf8, nullptr);
            if (errorOffset) *errorOffset = c;
            return DecodeStatus::Invalid;
        }
        const int n = WideCharToMultiByte(CP_UTF8, 0, wide, units, out, static_cast<int>(sizeof out),
                                          nullptr, nullptr);
        if (n > 0) utf8.append(out, static_cast<std::size_t>(n));
        at = end;
    }
    return DecodeStatus::Done;
}

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
