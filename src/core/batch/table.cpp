// The compact table of cells, and delimited text read into it and written from it.
#include <algorithm>
#include <string>

#include "batch/batch.h"

namespace costbatch {

namespace {

// Line breaks in a piece of text: CRLF, LF or a lone CR each count once.
std::size_t LineBreaks(std::string_view text) {
    std::size_t breaks = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            ++breaks;
    return breaks;
}

}  // namespace

std::size_t Table::rows() const { return rowEnds_.size(); }

std::size_t Table::columns(std::size_t row) const {
    const std::uint64_t first = row == 0 ? 0 : rowEnds_[row - 1];
    return static_cast<std::size_t>(rowEnds_[row] - first);
}

std::string_view Table::cell(std::size_t row, std::size_t column) const {
    if (column >= columns(row)) return {};
    const std::size_t index = static_cast<std::size_t>(row == 0 ? 0 : rowEnds_[row - 1]) + column;
    const std::size_t begin = index == 0 ? 0 : static_cast<std::size_t>(cellEnds_[index - 1]);
    const std::size_t end = static_cast<std::size_t>(cellEnds_[index]);
    return std::string_view(text_).substr(begin, end - begin);
}

void Table::reserve(std::size_t rows, std::size_t bytes) {
    rowEnds_.reserve(rows);
    cellEnds_.reserve(rows);
    text_.reserve(bytes);
}

void Table::appendToCell(std::string_view text) { text_.append(text); }

void Table::endCell() { cellEnds_.push_back(text_.size()); }

void Table::endRow() { rowEnds_.push_back(cellEnds_.size()); }

void Table::discardRow() {
    const std::uint64_t firstCell = rowEnds_.empty() ? 0 : rowEnds_.back();
    cellEnds_.resize(static_cast<std::size_t>(firstCell));
    text_.resize(firstCell == 0 ? 0 : static_cast<std::size_t>(cellEnds_.back()));
}

// Written by hand: the CSV libraries Debian packages trim spaces from cells (an amount's
// spaces are part of its text) and exist for none of the cross targets.
Table ParseTable(std::string_view text, Format format) {
    const char delimiter = Delimiter(format);
    const auto isEnd = [&](char c) { return c == delimiter || c == '\r' || c == '\n'; };
    Table table;
    table.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1,
                  text.size());
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        bool blank = true;  // only empty, unquoted cells so far
        for (;;) {
            if (i < n && text[i] == '"') {
                blank = false;
                const std::size_t openedAt = i;
                ++i;
                for (;;) {
                    const std::size_t quote = text.find('"', i);
                    // Its line counted only here: a row ends at a line break the same way.
                    if (quote == std::string_view::npos)
                        throw InputError(
                            "引用符が閉じていません (" +
                            std::to_string(LineBreaks(text.substr(0, openedAt)) + 1) +
                            " 行目で開いたまま)");
                    table.appendToCell(text.substr(i, quote - i));
                    i = quote + 1;
                    if (i < n && text[i] == '"') {
                        table.appendToCell("\"");
                        ++i;
                        continue;
                    }
                    break;
                }
            }
            // An unquoted cell, or what follows a closing quote: taken as it stands.
            std::size_t end = i;
            while (end < n && !isEnd(text[end])) ++end;
            if (end > i) blank = false;
            table.appendToCell(text.substr(i, end - i));
            table.endCell();
            i = end;
            if (i < n && text[i] == delimiter) {
                ++i;
                continue;
            }
            break;
        }
        if (i < n) {
            if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
            ++i;
        }
        // A line of nothing, or of delimiters only, is no row.
        if (blank) table.discardRow();
        else table.endRow();
    }
    return table;
}

void AppendCell(std::string& out, std::string_view text, Format format) {
    if (format == Format::Tsv) {
        // A quote first would open a quoted cell when read again: quote the cell then.
        const bool quoted = !text.empty() && text.front() == '"';
        if (quoted) out += '"';
        for (char c : text) {
            if (c == '\t' || c == '\r' || c == '\n') out += ' ';
            else if (c == '"' && quoted) out += "\"\"";
            else out += c;
        }
        if (quoted) out += '"';
        return;
    }
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out.append(text);
        return;
    }
    out += '"';
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

void AppendRow(std::string& out, const std::vector<std::string>& cells, Format format) {
    for (std::size_t c = 0; c < cells.size(); ++c) {
        if (c != 0) out += Delimiter(format);
        AppendCell(out, cells[c], format);
    }
    out += LineEnd(format);
}

}  // namespace costbatch
