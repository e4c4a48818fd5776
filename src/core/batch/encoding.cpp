// File bytes to UTF-8 and back, the format a file is in, and tables written out in pieces.
#include <algorithm>
#include <string>

#include "batch/batch.h"
#include "platform/platform.h"
#include "platform/utf8.h"

namespace costbatch {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kBom16Le = "\xFF\xFE";
constexpr std::string_view kBom16Be = "\xFE\xFF";
constexpr std::size_t kNowhere = std::string_view::npos;

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

std::string_view BomOf(Encoding encoding) {
    switch (encoding) {
    case Encoding::Utf8Bom: return kBom;
    case Encoding::Utf16Le: return kBom16Le;
    case Encoding::Utf16Be: return kBom16Be;
    case Encoding::Utf8:
    case Encoding::Cp932: break;
    }
    return {};
}

void AppendUtf8(std::string& out, char32_t cp) {
    const auto byte = [&](char32_t b) { out += static_cast<char>(b); };
    if (cp < 0x80) {
        byte(cp);
    } else if (cp < 0x800) {
        byte(0xC0 | (cp >> 6));
        byte(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        byte(0xE0 | (cp >> 12));
        byte(0x80 | ((cp >> 6) & 0x3F));
        byte(0x80 | (cp & 0x3F));
    } else {
        byte(0xF0 | (cp >> 18));
        byte(0x80 | ((cp >> 12) & 0x3F));
        byte(0x80 | ((cp >> 6) & 0x3F));
        byte(0x80 | (cp & 0x3F));
    }
}

// UTF-16 units after their BOM (`skipped` bytes into the file, for the messages) to UTF-8.
std::string DecodeUtf16(std::string_view bytes, bool bigEndian, std::size_t skipped) {
    if (bytes.size() % 2 != 0)
        throw InputError("UTF-16 のバイト数が奇数です (" + std::to_string(bytes.size() + skipped) +
                         " バイト)");
    const auto unit = [&](std::size_t at) -> char32_t {
        const auto b0 = static_cast<unsigned char>(bytes[at]);
        const auto b1 = static_cast<unsigned char>(bytes[at + 1]);
        return bigEndian ? (char32_t{b0} << 8 | b1) : (char32_t{b1} << 8 | b0);
    };
    std::string utf8;
    utf8.reserve(bytes.size() + bytes.size() / 2);
    for (std::size_t at = 0; at < bytes.size(); at += 2) {
        char32_t cp = unit(at);
        if (cp >= 0xD800 && cp <= 0xDFFF) {
            const char32_t low = cp <= 0xDBFF && at + 2 < bytes.size() ? unit(at + 2) : 0;
            if (low < 0xDC00 || low > 0xDFFF)
                throw InputError("UTF-16 として読めないバイトがあります (" +
                                 std::to_string(at + skipped + 1) + " バイト目)");
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
            at += 2;
        }
        AppendUtf8(utf8, cp);
    }
    return utf8;
}

const char* NameOf(Encoding encoding) {
    switch (encoding) {
    case Encoding::Cp932: return "Shift-JIS";
    case Encoding::Utf16Le:
    case Encoding::Utf16Be: return "UTF-16";
    case Encoding::Utf8:
    case Encoding::Utf8Bom: break;
    }
    return "UTF-8";
}

// The character at utf8[at] that the encoding lacks, named for a message.
std::string Unwritable(std::string_view utf8, std::size_t at, Encoding encoding) {
    const std::size_t n = costmodel::Utf8SequenceLength(utf8.substr(at, 4));
    if (n == 0) {
        constexpr char kHex[] = "0123456789ABCDEF";
        const auto b = static_cast<unsigned char>(utf8[at]);
        return std::string("UTF-8 でないバイト 0x") + kHex[b >> 4] + kHex[b & 15] +
               " は書けません";
    }
    return "'" + std::string(utf8.substr(at, n)) + "' は " + NameOf(encoding) + " で書けません";
}

// Tag characters (U+E0000-E007F), which the converters drop without a '?': all begin so.
bool HasTagCharacters(std::string_view utf8) {
    return utf8.find("\xF3\xA0\x80") != std::string_view::npos ||
           utf8.find("\xF3\xA0\x81") != std::string_view::npos;
}

void AppendShiftJis(std::string_view utf8, std::string& out) {
    const bool converted = costmodel::platform::EncodeShiftJis(utf8, [&](std::string_view bytes) {
        out.append(bytes);
        return true;
    });
    if (!converted) throw OutputError("Shift-JIS に書く変換がこのシステムにありません");
}

// The first character of utf8 that Shift-JIS lacks (or no UTF-8 at all), one at a time:
// only once a whole piece has shown it may hold one.
std::size_t FirstNotShiftJis(std::string_view utf8) {
    std::string one;
    for (std::size_t at = 0; at < utf8.size();) {
        if (static_cast<unsigned char>(utf8[at]) < 0x80) {
            ++at;
            continue;
        }
        const std::size_t n = costmodel::Utf8SequenceLength(utf8.substr(at, 4));
        if (n == 0) return at;
        one.clear();
        AppendShiftJis(utf8.substr(at, n), one);
        if (one.empty() || one.find('?') != std::string::npos) return at;
        at += n;
    }
    return kNowhere;
}

// utf8 in the encoding, without its BOM, appended to out; the offset of the first character
// the encoding lacks (out then incomplete), or npos.
std::size_t AppendEncoded(std::string_view utf8, Encoding encoding, std::string& out) {
    switch (encoding) {
    case Encoding::Utf8:
    case Encoding::Utf8Bom:
        out.append(utf8);
        return kNowhere;
    case Encoding::Cp932: {
        // The converter puts '?' for what it lacks, and '?' is never part of a double-byte
        // character: more of them out than in means a character was replaced.
        const std::size_t from = out.size();
        AppendShiftJis(utf8, out);
        const auto replaced = std::count(out.begin() + static_cast<std::ptrdiff_t>(from),
                                         out.end(), '?');
        return replaced == std::count(utf8.begin(), utf8.end(), '?') && !HasTagCharacters(utf8)
                   ? kNowhere
                   : FirstNotShiftJis(utf8);
    }
    case Encoding::Utf16Le:
    case Encoding::Utf16Be:
        break;
    }
    const bool bigEndian = encoding == Encoding::Utf16Be;
    const auto unit = [&](char32_t u) {
        const auto hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    };
    out.reserve(out.size() + utf8.size() * 2);
    for (std::size_t at = 0; at < utf8.size();) {
        char32_t cp = 0;
        const std::size_t n = costmodel::Utf8SequenceLength(utf8.substr(at, 4), &cp);
        if (n == 0) return at;
        if (cp >= 0x10000) {
            unit(0xD800 + ((cp - 0x10000) >> 10));
            unit(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            unit(cp);
        }
        at += n;
    }
    return kNowhere;
}

// Output pieces of about this size: the whole output never sits in memory at once.
constexpr std::size_t kPiece = 1 << 20;

}  // namespace

std::string DecodeText(std::string_view bytes, Encoding* found) {
    for (const Encoding utf16 : {Encoding::Utf16Le, Encoding::Utf16Be}) {
        const std::string_view bom = BomOf(utf16);
        if (!bytes.starts_with(bom)) continue;
        std::string utf8 = DecodeUtf16(bytes.substr(bom.size()), utf16 == Encoding::Utf16Be,
                                       bom.size());
        if (found) *found = utf16;
        return utf8;
    }
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
    std::string out(BomOf(encoding));
    if (const std::size_t at = AppendEncoded(utf8, encoding, out); at != kNowhere)
        throw OutputError(Unwritable(utf8, at, encoding));
    return out;
}

bool Writable(std::string_view utf8, Encoding encoding) {
    if (encoding == Encoding::Utf8 || encoding == Encoding::Utf8Bom) return true;
    if (encoding != Encoding::Cp932) return FirstNonUtf8(utf8) == kNowhere;
    // Counted, not kept: this may see a whole input.
    std::size_t replaced = 0;
    const bool converted = costmodel::platform::EncodeShiftJis(utf8, [&](std::string_view bytes) {
        replaced += static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '?'));
        return true;
    });
    return converted && !HasTagCharacters(utf8) &&
           replaced == static_cast<std::size_t>(std::count(utf8.begin(), utf8.end(), '?'));
}

Format GuessFormat(std::string_view fileName, std::string_view utf8Text) {
    const std::string ext = LowerExtension(fileName);
    if (ext == "csv") return Format::Csv;
    if (ext == "tsv" || ext == "tab") return Format::Tsv;
    const std::string_view firstLine = utf8Text.substr(0, utf8Text.find_first_of("\r\n"));
    return firstLine.find(Delimiter(Format::Tsv)) != std::string_view::npos ? Format::Tsv
                                                                        : Format::Csv;
}

TableWriter::TableWriter(Format format, Encoding encoding, Sink sink)
    : format_(format), encoding_(encoding), sink_(std::move(sink)) {}

void TableWriter::cell(std::string_view text) {
    if (cellStarts_.size() > openRow_) text_ += Delimiter(format_);
    cellStarts_.push_back(text_.size());
    AppendCell(text_, text, format_);
}

void TableWriter::endRow() {
    rowStarts_.push_back(openRow_);
    openRow_ = cellStarts_.size();
    text_ += LineEnd(format_);
    if (text_.size() >= kPiece) flush();
}

void TableWriter::row(const std::vector<std::string>& cells) {
    for (const std::string& text : cells) cell(text);
    endRow();
}

void TableWriter::captions(const Batch& batch) { row(batch.captions()); }

void TableWriter::row(const Batch& batch, std::size_t row, const RowResult& result) {
    for (std::size_t c = 0; c < batch.captions().size(); ++c) cell(batch.cell(row, result, c));
    endRow();
}

void TableWriter::finish() {
    if (cellStarts_.size() > openRow_) endRow();
    flush();
    if (!started_) sink_(BomOf(encoding_));
    started_ = true;
}

void TableWriter::flush() {
    if (text_.empty()) return;
    const bool asIs = encoding_ == Encoding::Utf8 || (started_ && encoding_ == Encoding::Utf8Bom);
    if (asIs) {
        sink_(text_);
    } else {
        bytes_.assign(started_ ? std::string_view() : BomOf(encoding_));
        if (const std::size_t at = AppendEncoded(text_, encoding_, bytes_); at != kNowhere) {
            // Its place: the held cell it is in, and that cell's row.
            const std::size_t cellIndex = static_cast<std::size_t>(
                std::upper_bound(cellStarts_.begin(), cellStarts_.end(), at) -
                cellStarts_.begin() - 1);
            const std::size_t rowIndex = static_cast<std::size_t>(
                std::upper_bound(rowStarts_.begin(), rowStarts_.end(), cellIndex) -
                rowStarts_.begin() - 1);
            throw OutputError(Unwritable(text_, at, encoding_) + " (" +
                              std::to_string(rowsBefore_ + rowIndex + 1) + " 行目 " +
                              std::to_string(cellIndex - rowStarts_[rowIndex] + 1) + " 列目)");
        }
        sink_(bytes_);
    }
    started_ = true;
    rowsBefore_ += rowStarts_.size();
    text_.clear();
    cellStarts_.clear();
    rowStarts_.clear();
    openRow_ = 0;
}

}  // namespace costbatch
