// The batch window's rows: cells from the batch layer, figures computed in slices.
#include "BatchRows.h"

#include <algorithm>
#include <utility>

#include "BatchForm.h"

namespace forms {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kShownCharacters = 1000;

bool IsTextCaption(std::string_view caption) {
    return caption == costmodel::captions::kWork || caption == costmodel::captions::kNoCommonTemp ||
           caption == costmodel::captions::kResult;
}

const costbatch::RowResult& PendingResult() {
    static const costbatch::RowResult pending;
    return pending;
}

const costbatch::RowResult& CancelledResult() {
    static const costbatch::RowResult cancelled{false, {}, std::string(batchtext::kCancel)};
    return cancelled;
}

}  // namespace

std::string_view Leading(std::string_view utf8, std::size_t characters) {
    std::size_t at = 0;
    for (; at < utf8.size(); ++at) {
        // Each character starts at a byte that is not a continuation byte.
        if ((static_cast<unsigned char>(utf8[at]) & 0xC0) != 0x80) {
            if (characters == 0) break;
            --characters;
        }
    }
    return utf8.substr(0, at);
}

void BatchRows::SetBatch(std::unique_ptr<costbatch::Batch> batch) {
    if (observer_) observer_->RowsReplacing();
    batch_ = std::move(batch);
    results_.clear();
    results_.shrink_to_fit();
    if (batch_) results_.reserve(batch_->size());
    failed_ = 0;
    cancelled_ = false;
    textColumns_.clear();
    if (batch_)
        for (const std::string& caption : batch_->captions())
            textColumns_.push_back(IsTextCaption(caption));
    if (observer_) observer_->RowsReplaced();
}

bool BatchRows::ComputeFor(std::chrono::milliseconds budget) {
    if (!batch_ || cancelled_) return true;
    const std::size_t from = results_.size(), total = batch_->size();
    const Clock::time_point until = Clock::now() + budget;
    std::size_t row = from;
    while (row < total) {
        results_.push_back(batch_->compute(row));
        if (!results_.back().ok) ++failed_;
        // The clock is read once every few rows: a row takes microseconds.
        if (++row % 32 == 0 && Clock::now() >= until) break;
    }
    if (row > from && observer_) observer_->RowsComputed(from, row);
    return row == total;
}

void BatchRows::Cancel() {
    if (!Computing()) return;
    cancelled_ = true;
    if (observer_) observer_->RowsComputed(results_.size(), Size());
}

std::size_t BatchRows::Size() const { return batch_ ? batch_->size() : 0; }

std::size_t BatchRows::Columns() const { return batch_ ? batch_->captions().size() : 0; }

const std::string& BatchRows::Caption(std::size_t column) const {
    return batch_->captions().at(column);
}

std::string BatchRows::ColumnName(std::size_t column) const {
    const std::string& name = Caption(column);
    return name.empty() ? std::to_string(column + 1) + " 列目" : name;
}

const costbatch::RowResult& BatchRows::ResultOf(std::size_t row) const {
    if (row < results_.size()) return results_[row];
    return cancelled_ ? CancelledResult() : PendingResult();
}

std::string BatchRows::Cell(std::size_t row, std::size_t column) const {
    return batch_->cell(row, ResultOf(row), column);
}

std::string BatchRows::ShownCell(std::size_t row, std::size_t column) const {
    std::string text = Cell(row, column);
    const std::size_t shown = Leading(text, kShownCharacters).size();
    if (shown < text.size()) text.replace(shown, std::string::npos, "…");
    return text;
}

std::string BatchRows::Tip(std::size_t row) const {
    if (row >= results_.size() || results_[row].ok) return {};
    return std::string(Leading(results_[row].message, kShownCharacters));
}

std::optional<Colour> BatchRows::CellColour(std::size_t row, std::size_t column) const {
    if (column + 1 != Columns()) return std::nullopt;
    if (row >= results_.size()) return Colour::Grey;
    return results_[row].ok ? std::nullopt : std::optional(Colour::Red);
}

void BatchRows::AppendCaptions(std::string& out, const std::vector<std::size_t>& columns,
                               costbatch::Format format) const {
    if (columns.empty()) return batch_->appendCaptions(out, format);
    std::vector<std::string> cells;
    cells.reserve(columns.size());
    for (std::size_t c : columns) cells.push_back(Caption(c));
    costbatch::AppendRow(out, cells, format);
}

void BatchRows::AppendRows(std::string& out, std::size_t from, std::size_t to,
                           const std::vector<std::size_t>& columns,
                           costbatch::Format format) const {
    std::vector<std::string> cells(columns.size());
    for (std::size_t row = from; row < to; ++row) {
        if (columns.empty()) {
            batch_->appendRow(out, row, ResultOf(row), format);
            continue;
        }
        for (std::size_t i = 0; i < columns.size(); ++i) cells[i] = Cell(row, columns[i]);
        costbatch::AppendRow(out, cells, format);
    }
}

std::string SelectionText(const BatchRows& rows, const std::vector<CellRange>& selection) {
    std::vector<std::pair<std::size_t, std::size_t>> spans;  // [from, to)
    std::vector<std::size_t> columns;                        // empty: all
    if (selection.empty()) {
        spans.emplace_back(0, rows.Size());
    } else {
        std::vector<bool> used(rows.Columns(), false);
        for (const CellRange& range : selection) {
            spans.emplace_back(range.top, range.bottom + 1);
            for (std::size_t c = range.left; c <= range.right && c < used.size(); ++c)
                used[c] = true;
        }
        if (std::find(used.begin(), used.end(), false) != used.end())
            for (std::size_t c = 0; c < used.size(); ++c)
                if (used[c]) columns.push_back(c);
        // Each row once, in order, however the ranges overlap.
        std::sort(spans.begin(), spans.end());
        std::vector<std::pair<std::size_t, std::size_t>> merged;
        for (const auto& s : spans)
            if (!merged.empty() && s.first <= merged.back().second)
                merged.back().second = std::max(merged.back().second, s.second);
            else
                merged.push_back(s);
        spans = std::move(merged);
    }
    std::string text;
    rows.AppendCaptions(text, columns, costbatch::Format::Tsv);
    for (const auto& [from, to] : spans)
        rows.AppendRows(text, from, std::min(to, rows.Size()), columns, costbatch::Format::Tsv);
    return text;
}

}  // namespace forms
