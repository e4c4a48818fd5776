// Recognising one well-formed UTF-8 sequence, shared by the message code and the code page converters.
#pragma once

#include <cstddef>
#include <string_view>

namespace costmodel {

// Length of the well-formed UTF-8 sequence that starts s, or 0 if s does not start with one
// (stray continuation, overlong form, surrogate, beyond U+10FFFF, cut short).
inline std::size_t Utf8SequenceLength(std::string_view s, char32_t* codePoint = nullptr) {
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

}  // namespace costmodel
