// The batch window's table model: cells from the batch layer, figures computed in slices.
#include "BatchTableModel.h"

#include <QBrush>
#include <QColor>

#include <algorithm>
#include <climits>

#include "WindowLook.h"

namespace zanvoro {

namespace {

using Clock = std::chrono::steady_clock;

// A cell of millions of characters would be laid out anew on every paint: the table shows
// its start, copy and save write it whole.
constexpr qsizetype kShownCharacters = 1000;

// Captions of the columns that hold words rather than amounts.
bool IsTextCaption(const std::string& caption) {
    return caption == costmodel::captions::kWork || caption == costmodel::captions::kNoCommonTemp ||
           caption == costmodel::captions::kResult;
}

const costbatch::RowResult& PendingResult() {
    static const costbatch::RowResult pending;
    return pending;
}

const costbatch::RowResult& CancelledResult() {
    static const costbatch::RowResult cancelled{false, {}, "取消"};
    return cancelled;
}

QString ToQString(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

}  // namespace

BatchTableModel::~BatchTableModel() = default;

void BatchTableModel::setBatch(std::unique_ptr<costbatch::Batch> batch) {
    beginResetModel();
    batch_ = std::move(batch);
    results_.clear();
    results_.shrink_to_fit();
    if (batch_) results_.reserve(batch_->size());
    failed_ = 0;
    cancelled_ = false;
    leftAligned_.clear();
    if (batch_)
        for (const std::string& caption : batch_->captions())
            leftAligned_.push_back(IsTextCaption(caption));
    endResetModel();
}

bool BatchTableModel::computeFor(std::chrono::milliseconds budget) {
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
    if (row > from && columnCount() > 0)
        emit dataChanged(index(int(std::min<std::size_t>(from, INT_MAX)), 0),
                         index(int(std::min<std::size_t>(row - 1, INT_MAX)), columnCount() - 1));
    return row == total;
}

void BatchTableModel::cancel() {
    if (!batch_ || cancelled_ || results_.size() == batch_->size()) return;
    cancelled_ = true;
    if (columnCount() > 0 && rowCount() > int(results_.size()))
        emit dataChanged(index(int(results_.size()), 0), index(rowCount() - 1, columnCount() - 1));
}

std::size_t BatchTableModel::size() const { return batch_ ? batch_->size() : 0; }

const costbatch::RowResult& BatchTableModel::resultOf(std::size_t row) const {
    if (row < results_.size()) return results_[row];
    return cancelled_ ? CancelledResult() : PendingResult();
}

std::string BatchTableModel::cell(std::size_t row, std::size_t column) const {
    return batch_->cell(row, resultOf(row), column);
}

void BatchTableModel::appendCaptions(std::string& out, const std::vector<std::size_t>& columns,
                                     costbatch::Format format) const {
    if (columns.empty()) return batch_->appendCaptions(out, format);
    std::vector<std::string> cells;
    cells.reserve(columns.size());
    for (std::size_t c : columns) cells.push_back(batch_->captions().at(c));
    costbatch::AppendRow(out, cells, format);
}

void BatchTableModel::appendRows(std::string& out, std::size_t from, std::size_t to,
                                 const std::vector<std::size_t>& columns,
                                 costbatch::Format format) const {
    std::vector<std::string> cells(columns.size());
    for (std::size_t row = from; row < to; ++row) {
        if (columns.empty()) {
            batch_->appendRow(out, row, resultOf(row), format);
            continue;
        }
        for (std::size_t i = 0; i < columns.size(); ++i) cells[i] = cell(row, columns[i]);
        costbatch::AppendRow(out, cells, format);
    }
}

int BatchTableModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return int(std::min<std::size_t>(size(), INT_MAX));
}

int BatchTableModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid() || !batch_) return 0;
    return int(batch_->captions().size());
}

QVariant BatchTableModel::data(const QModelIndex& index, int role) const {
    if (!batch_ || !index.isValid()) return {};
    const auto row = std::size_t(index.row());
    switch (role) {
        case Qt::DisplayRole: {
            QString text = ToQString(cell(row, std::size_t(index.column())));
            if (text.size() > kShownCharacters) text = text.left(kShownCharacters) + u'…';
            return text;
        }
        case Qt::TextAlignmentRole:
            return int(
                (leftAligned_.at(std::size_t(index.column())) ? Qt::AlignLeft : Qt::AlignRight) |
                Qt::AlignVCenter);
        case Qt::ToolTipRole:
            // A failed row's message, wherever the pointer is on the row.
            if (row < results_.size() && !results_[row].ok)
                return ToQString(results_[row].message).left(kShownCharacters);
            return {};
        case Qt::ForegroundRole:
            // 結果 is always the last column.
            if (index.column() != columnCount() - 1) return {};
            if (row < results_.size()) return results_[row].ok ? QVariant() : QBrush(kRed);
            return QBrush(QColor(0x69, 0x69, 0x69));
        default:
            return {};
    }
}

QVariant BatchTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && batch_ && section >= 0 && section < columnCount()) {
        const std::string& caption = batch_->captions()[std::size_t(section)];
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole) return ToQString(caption);
        // A column that rode along without a caption is read by its place.
        if (role == Qt::AccessibleTextRole)
            return caption.empty() ? QStringLiteral("%1 列目").arg(section + 1)
                                   : ToQString(caption);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

}  // namespace zanvoro
