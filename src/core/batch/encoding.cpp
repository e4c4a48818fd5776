// File bytes to UTF-8 and back, and the format a file is in.
#include <string>

#include "batch/batch.h"
#include "platform/platform.h"
#include "platform/utf8.h"

namespace costbatch {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// Where the first byte that is not well-formed UTF-8 is, or npos.
std::size_t FirstNonUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t n = costmodel::Utf8SequenceLength(text.substr(i, 4));
        if (n == 0) return i;
        i += n;
    }
    return std::string_view::npos;
}

std::string LowerExtension(std::string_view fileName) {
    const std::size_t dot = fileName.find_last_of('.');
    const std::size_t slash = fileName.find_last_of("/\\");
    if (dot == std::string_view::npos || (slash != std::string_view::npos && slash > dot))
        return {};
    std::string ext(fileName.substr(dot + 1));
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return ext;
}

}  // namespace

std::string DecodeText(std::string_view bytes, Encoding* found) {
    const bool bom = bytes.substr(0, kBom.size()) == kBom;
    if (bom) bytes.remove_prefix(kBom.size());
    const std::size_t bad = FirstNonUtf8(bytes);
    if (bad == std::string_view::npos) {
        if (found) *found = bom ? Encoding::Utf8Bom : Encoding::Utf8;
        return std::string(bytes);
    }
    if (bom)
        throw InputError("UTF-8 として読めないバイトがあります (" +
                         std::to_string(bad + kBom.size() + 1) + " バイト目)");
    std::string utf8;
    utf8.reserve(bytes.size() + bytes.size() / 2);
    std::size_t at = 0;
    switch (costmodel::platform::DecodeShiftJis(bytes, utf8, &at)) {
    case costmodel::platform::DecodeStatus::Done:
        if (found) *found = Encoding::Cp932;
        return utf8;
    case costmodel::platform::DecodeStatus::Invalid:
        throw InputError("文字コードが UTF-8 でも Shift-JIS でもありません (" +
                         std::to_string(at + 1) + " バイト目)");
    case costmodel::platform::DecodeStatus::NoConverter:
        break;
    }
    throw InputError("Shift-JIS を読む変換がこのシステムにありません");
}

std::string EncodeText(std::string_view utf8, Encoding encoding) {
    switch (encoding) {
    case Encoding::Utf8:
        return std::string(utf8);
    case Encoding::Utf8Bom:
        return std::string(kBom) + std::string(utf8);
    case Encoding::Cp932:
        break;
    }
    std::string out;
    out.reserve(utf8.size());
    const bool converted = costmodel::platform::EncodeShiftJis(utf8, [&](std::string_view bytes) {
        out.append(bytes);
        return true;
    });
    if (!converted) throw InputError("Shift-JIS に書く変換がこのシステムにありません");
    return out;
}

Format GuessFormat(std::string_view fileName, std::string_view utf8Text) {
    const std::string ext = LowerExtension(fileName);
    if (ext == "csv") return Format::Csv;
    if (ext == "tsv" || ext == "tab") return Format::Tsv;
    const std::string_view firstLine = utf8Text.substr(0, utf8Text.find_first_of("\r\n"));
    return firstLine.find(Delimiter(Format::Tsv)) != std::string_view::npos ? Format::Tsv
                                                                        : Format::Csv;
}

}  // namespace costbatch
