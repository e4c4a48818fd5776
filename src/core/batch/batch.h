// Many estimates at once: reading a table of inputs, one row's calculation, the output table.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/calculations.h"
#include "model/captions.h"
#include "text/errors.h"

namespace costbatch {

// 希望工事費 (税込) → 内訳 (the main window's search) or 希望直接工事費 → 内訳 (the
// calculator window's forward calculation).
enum class Direction { Reverse, Forward };
enum class Format { Csv, Tsv };
// The UTF-16 forms are what spreadsheets save as Unicode text: with their byte order mark.
enum class Encoding { Utf8, Utf8Bom, Cp932, Utf16Le, Utf16Be };

// What separates a format's cells, and what ends its rows.
constexpr char Delimiter(Format format) { return format == Format::Csv ? ',' : '\t'; }
constexpr std::string_view LineEnd(Format format) { return format == Format::Csv ? "\r\n" : "\n"; }

// An input that cannot be read at all (a file's bytes, an unclosed quote, an unknown caption,
// no rows): the whole input is refused with this message (UTF-8, Japanese, no full stop).
class InputError : public costmodel::MessageError {
public:
    using costmodel::MessageError::MessageError;
};

// An output that cannot be written: a character its encoding lacks, no converter for the
// encoding, or a sink that takes no more. Same message style as InputError.
class OutputError : public costmodel::MessageError {
public:
    using costmodel::MessageError::MessageError;
};

// What a row takes when it has no column of its own for it: the batch window's controls or
// the command's flags. Texts are field texts, read by TextToNumber when used.
struct Settings {
    Direction direction = Direction::Reverse;
    costmodel::WorkType work = costmodel::WorkType::RoadMaintenance;
    bool extraInNet = false;  // 直工だけに含まない金額
    std::string extraInNetText = "0";
    bool extraNoOverhead = false;  // 全経費を掛けない金額
    std::string extraNoOverheadText = "0";
    bool noCommonTemp = false;  // 共通仮設費をみない
};

// Cells of text, held compactly (one buffer, offsets): a million rows fit in little memory.
class Table {
public:
    std::size_t rows() const;
    std::size_t columns(std::size_t row) const;
    // Empty for a column past the row's end.
    std::string_view cell(std::size_t row, std::size_t column) const;
    void reserve(std::size_t rows, std::size_t bytes);

    // Building a row piece by piece: text into the open cell, then the cell, then the row
    // (or dropping the row's cells again).
    void appendToCell(std::string_view text);
    void endCell();
    void endRow();
    void discardRow();

private:
    std::string text_;
    std::vector<std::uint64_t> cellEnds_;  // end offset of each cell in text_
    std::vector<std::uint64_t> rowEnds_;   // end index of each row in cellEnds_
};

// File bytes to UTF-8: a UTF-8 BOM is dropped; valid UTF-8 stays; UTF-16 with its BOM (LE or
// BE) is converted; anything else is read as Shift-JIS (CP932). Throws InputError when the
// bytes are none of these (for UTF-16: a lone surrogate or an odd byte count).
std::string DecodeText(std::string_view bytes, Encoding* found = nullptr);
// UTF-8 to the bytes of an encoding (Utf8Bom and the UTF-16 forms put their BOM first).
// Throws OutputError naming the first character the encoding lacks, or when the system has
// no converter for it: nothing is ever replaced.
std::string EncodeText(std::string_view utf8, Encoding encoding);
// Whether every character of utf8 can be written in the encoding (false also without a
// converter).
bool Writable(std::string_view utf8, Encoding encoding);

// The format of a file by its name (.csv; .tsv or .tab), else by its first line (a tab: TSV).
Format GuessFormat(std::string_view fileName, std::string_view utf8Text);

// Rows of delimited text as a spreadsheet writes them: quoted cells ("" for a quote, line
// breaks inside quotes), CRLF or LF, a last line with or without its line end, empty lines
// skipped. Throws InputError for a quote left open at the end, naming its line.
Table ParseTable(std::string_view utf8Text, Format format);

// One cell as the format writes it: CSV quotes a cell holding a comma, quote or line break;
// TSV turns tabs and line breaks into spaces, so a cell cannot shift the columns. A whole row
// joins its cells by the format's Delimiter and ends in its LineEnd.
void AppendCell(std::string& out, std::string_view text, Format format);
void AppendRow(std::string& out, const std::vector<std::string>& cells, Format format);

// The outcome of one row: the estimate, or the message the error box would show (completed
// with its full stop).
struct RowResult {
    bool ok = false;
    costmodel::CostBreakdown values;
    std::string message;
};

// An input table with its columns recognised: the caption row (when the first row has one),
// the direction it implies, and for each data row its output cells.
class Batch {
public:
    // Throws InputError for an empty table or a caption row with an unknown caption.
    Batch(Table input, const Settings& settings);

    Direction direction() const;
    bool hasCaptionRow() const;
    std::size_t size() const;  // data rows

    // The output caption row: the input columns as read (less the typed rates), the thirteen
    // figures (a typed rate's column is its figure's), then 結果.
    const std::vector<std::string>& captions() const;

    // Row i's calculation, exactly as the windows make it (fresh state each row); never throws
    // for a row's own fault.
    RowResult compute(std::size_t row) const;

    // Output cell `column` of row i with its result: an input as read, a figure as the window
    // shows it (empty when the row failed), or the message.
    std::string cell(std::size_t row, const RowResult& result, std::size_t column) const;
    // Row i's output row (or the caption row) in a format, appended to out.
    void appendRow(std::string& out, std::size_t row, const RowResult& result,
                   Format format) const;
    void appendCaptions(std::string& out, Format format) const;

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    // The input columns of a row's settings (kNone: from Settings) and of the typed rates.
    struct Columns {
        std::size_t amount = 0;
        std::size_t work = kNone;
        std::size_t extraInNet = kNone;
        std::size_t extraNoOverhead = kNone;
        std::size_t noCommonTemp = kNone;
        std::size_t commonTempRate = kNone;  // Edit6
        std::size_t siteMgmtRate = kNone;    // Edit5
        std::size_t generalMgmtRate = kNone; // Edit4
    };

    void readCaptionRow();
    std::string_view inputCell(std::size_t row, std::size_t column) const;
    void computeRow(std::size_t row, RowResult& result) const;
    // The output column's typed rate shown on a failed row, or kNone.
    std::size_t typedRateColumn(std::size_t figure) const;

    Table input_;
    Settings settings_;
    Direction direction_;
    bool hasCaptionRow_ = false;
    std::size_t width_ = 0;  // columns a data row may have: the first row's
    Columns columns_;
    std::vector<std::size_t> kept_;  // input columns copied to the output, in order
    std::vector<std::string> captions_;
};

// Rows written out in an encoding, a large piece at a time, to a sink that takes the bytes
// (and throws to stop): the BOM only first, and a character the encoding lacks refused with
// OutputError naming it, its row and its column (the first row written is row 1).
class TableWriter {
public:
    using Sink = std::function<void(std::string_view bytes)>;
    TableWriter(Format format, Encoding encoding, Sink sink);

    void cell(std::string_view text);
    void endRow();
    void row(const std::vector<std::string>& cells);
    void captions(const Batch& batch);
    void row(const Batch& batch, std::size_t row, const RowResult& result);
    // Writes what is still held; the output is complete only once this has returned.
    void finish();

private:
    void flush();

    Format format_;
    Encoding encoding_;
    Sink sink_;
    bool started_ = false;  // the BOM, if any, has gone out
    std::string text_;      // rows not yet written, as UTF-8
    // Where each held cell starts in text_, and each held row in cellStarts_: a refused
    // character's place.
    std::vector<std::size_t> cellStarts_;
    std::vector<std::size_t> rowStarts_;
    std::size_t openRow_ = 0;     // where the open row starts in cellStarts_
    std::size_t rowsBefore_ = 0;  // rows written before those held
    std::string bytes_;           // the held rows encoded
};

}  // namespace costbatch
