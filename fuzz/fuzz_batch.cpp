// Fuzz target: a user's file through the batch layer, written in every format and encoding
// and read back.
//
// Byte 0 holds the settings: bit 0 forward, bits 1-2 the work type (modulo 3), bit 3
// 共通仮設費をみない, bit 4 an extra amount in the net, bit 5 one without overheads, bit 6 the
// separator ',' instead of '.', bit 7 a ".tsv" file name (else the format is guessed). The
// rest is the file's bytes. Reading may refuse them with InputError only; every row is
// computed; each output is refused only for a character Shift-JIS lacks, at its place, and
// otherwise reads back as the same rows.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batch.h"
#include "fuzz_support.h"

using namespace costbatch;
using zanvoro_fuzz::Fail;

namespace {

// Rows beyond this are only read: computing thousands of searches per input would starve the
// fuzzer of inputs.
constexpr std::size_t kMaxRows = 200;

constexpr std::array kEncodings = {Encoding::Utf8, Encoding::Utf8Bom, Encoding::Cp932,
                                   Encoding::Utf16Le, Encoding::Utf16Be};

bool IsAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

std::size_t Characters(std::string_view utf8) {
    std::size_t n = 0;
    for (char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return n;
}

// A cell as it reads back from a format: TSV has no tabs or line breaks inside a cell.
std::string AsWritten(std::string_view cell, Format format) {
    std::string out(cell);
    if (format == Format::Tsv)
        for (char& c : out)
            if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return out;
}

template <class F>
auto Refusing(std::string_view what, F&& f) -> std::optional<decltype(f())> {
    try {
        return f();
    } catch (const InputError&) {
        return std::nullopt;
    } catch (const std::exception& e) {
        Fail(std::string(what) + " threw something other than InputError", e.what());
    } catch (...) {
        Fail(std::string(what) + " threw a non-exception");
    }
}

using Rows = std::vector<std::vector<std::string>>;

// Every output cell of the batch, the caption row first.
Rows OutputRows(const Batch& batch, const std::vector<RowResult>& results) {
    Rows rows{batch.captions()};
    for (std::size_t r = 0; r < results.size(); ++r) {
        rows.emplace_back();
        for (std::size_t c = 0; c < batch.captions().size(); ++c)
            rows.back().push_back(batch.cell(r, results[r], c));
    }
    return rows;
}

// The writer's bytes, or the refusal's message (prefixed "!").
std::string Write(const Batch& batch, const std::vector<RowResult>& results, Format format,
                  Encoding encoding) {
    std::string bytes;
    try {
        TableWriter out(format, encoding, [&](std::string_view piece) { bytes += piece; });
        out.captions(batch);
        for (std::size_t r = 0; r < results.size(); ++r) out.row(batch, r, results[r]);
        out.finish();
    } catch (const OutputError& e) {
        return "!" + std::string(e.what());
    } catch (const std::exception& e) {
        Fail("the writer threw something other than OutputError", e.what());
    }
    return bytes;
}

void CheckRefusal(const Rows& rows, Encoding encoding, const std::string& message) {
    if (encoding != Encoding::Cp932) Fail("a refused output in a Unicode encoding", message);
    // The first cell, row by row, that the encoding lacks a character of.
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            if (Writable(rows[r][c], encoding)) continue;
            const std::string place =
                " (" + std::to_string(r + 1) + " 行目 " + std::to_string(c + 1) + " 列目)";
            if (!message.ends_with(place) || message.find(" で書けません") == std::string::npos)
                Fail("refused at another place than " + place, message);
            return;
        }
    Fail("refused with every cell writable", message);
}

void CheckReadBack(const Rows& rows, const std::string& bytes, Format format, Encoding encoding,
                   const std::string& utf8) {
    Encoding found{};
    const auto text = Refusing("reading an output", [&] { return DecodeText(bytes, &found); });
    if (!text) Fail("an output does not read back", bytes.substr(0, 200));
    // Shift-JIS bytes may happen to be UTF-8 too, and its look-alikes read back as others.
    const bool exact = encoding != Encoding::Cp932;
    if (exact && *text != utf8) Fail("an output reads back as other text");
    if (encoding == Encoding::Cp932 && found != Encoding::Cp932 && !IsAscii(utf8)) return;
    if (exact && found != encoding && !(encoding == Encoding::Utf8 && found == Encoding::Utf8))
        Fail("an output reads back as another encoding");
    if (GuessFormat("", *text) != format) Fail("an output's format is not recognised");
    const auto table = Refusing("parsing an output", [&] { return ParseTable(*text, format); });
    if (!table) Fail("an output does not parse");
    if (table->rows() != rows.size())
        Fail("an output reads back with another row count",
             std::to_string(table->rows()) + " vs " + std::to_string(rows.size()));
    const std::size_t figuresFrom = rows[0].size() - costmodel::captions::kFigures.size() - 1;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (table->columns(r) != rows[r].size()) Fail("a row reads back with another width");
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            // Shift-JIS keeps every character, if maybe as a look-alike.
            if (!exact && Characters(table->cell(r, c)) != Characters(rows[r][c]))
                Fail("a character was lost in Shift-JIS", rows[r][c]);
            if (!exact && (r == 0 || c < figuresFrom || c + 1 == rows[r].size())) continue;
            if (table->cell(r, c) != AsWritten(rows[r][c], format))
                Fail("a cell reads back otherwise", rows[r][c]);
        }
    }
}

// A search's output, read again as its input, finds the same figures for the rows it found.
void CheckSearchAgain(const Batch& batch, const std::vector<RowResult>& results,
                      const std::string& csv, const Settings& settings) {
    const auto again = Refusing("reading an output as input", [&] {
        return Batch(ParseTable(csv, Format::Csv), settings);
    });
    if (!again) Fail("an output is refused as input");
    if (again->size() != batch.size() || again->direction() != Direction::Reverse)
        Fail("an output read as input has other rows or another direction");
    for (std::size_t r = 0; r < results.size(); ++r) {
        if (!results[r].ok) continue;
        const RowResult second = again->compute(r);
        if (!second.ok) Fail("a found row fails when read again", second.message);
        for (std::size_t f = 0; f < costmodel::captions::kFigures.size(); ++f)
            if (costmodel::ResultText(second.values, f) != costmodel::ResultText(results[r].values, f))
                Fail("a found row finds other figures when read again");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const unsigned flags = data[0];
    costmodel::SetDecimalSeparator((flags & 0x40) != 0 ? ',' : '.');
    Settings settings;
    settings.direction = (flags & 1) != 0 ? Direction::Forward : Direction::Reverse;
    settings.work = static_cast<costmodel::WorkType>(((flags >> 1) & 3) % 3);
    settings.noCommonTemp = (flags & 8) != 0;
    settings.extraInNet = (flags & 0x10) != 0;
    settings.extraInNetText = "12.5";
    settings.extraNoOverhead = (flags & 0x20) != 0;
    settings.extraNoOverheadText = "1E3";
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

    const auto text = Refusing("DecodeText", [&] { return DecodeText(bytes); });
    if (!text) return 0;
    const Format format = GuessFormat((flags & 0x80) != 0 ? "in.tsv" : "", *text);
    const auto table = Refusing("ParseTable", [&] { return ParseTable(*text, format); });
    if (!table) return 0;
    const auto batch = Refusing("Batch", [&] { return Batch(*table, settings); });
    if (!batch || batch->size() > kMaxRows) return 0;

    std::vector<RowResult> results;
    for (std::size_t r = 0; r < batch->size(); ++r) {
        try {
            results.push_back(batch->compute(r));
        } catch (const std::exception& e) {
            Fail("a row's calculation threw", e.what());
        }
        if (results.back().ok != results.back().message.empty())
            Fail("a row's outcome and message disagree", results.back().message);
    }
    const Rows rows = OutputRows(*batch, results);

    for (const Format out : {Format::Csv, Format::Tsv}) {
        // The copy's layout (Batch::appendRow) and the writer's agree.
        std::string utf8;
        batch->appendCaptions(utf8, out);
        for (std::size_t r = 0; r < results.size(); ++r) batch->appendRow(utf8, r, results[r], out);
        for (const Encoding encoding : kEncodings) {
            const std::string written = Write(*batch, results, out, encoding);
            if (written.starts_with("!")) {
                CheckRefusal(rows, encoding, written.substr(1));
                continue;
            }
            if (encoding == Encoding::Utf8 && written != utf8)
                Fail("the writer and a batch row lay out rows differently");
            CheckReadBack(rows, written, out, encoding, utf8);
        }
        if (out == Format::Csv && batch->direction() == Direction::Reverse)
            CheckSearchAgain(*batch, results, utf8, settings);
    }
    return 0;
}
