// The batch window's table model: the layer's rows as Qt's views read them.
#include "BatchTableModel.h"

#include <QBrush>

#include <algorithm>
#include <climits>

#include "FormLook.h"

namespace zanvoro {

namespace {

QString ToQString(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

int Clamped(std::size_t n) { return int(std::min<std::size_t>(n, INT_MAX)); }

}  // namespace

BatchTableModel::BatchTableModel(forms::BatchRows& rows, QObject* parent)
    : QAbstractTableModel(parent), rows_(rows) {
    rows_.SetObserver(this);
}

BatchTableModel::~BatchTableModel() { rows_.SetObserver(nullptr); }

void BatchTableModel::RowsReplacing() { beginResetModel(); }

void BatchTableModel::RowsReplaced() { endResetModel(); }

void BatchTableModel::RowsComputed(std::size_t from, std::size_t to) {
    if (from < to && from < std::size_t(rowCount()) && columnCount() > 0)
        emit dataChanged(index(Clamped(from), 0), index(Clamped(to - 1), columnCount() - 1));
}

int BatchTableModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return Clamped(rows_.Size());
}

int BatchTableModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return int(rows_.Columns());
}

QVariant BatchTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const auto row = std::size_t(index.row()), column = std::size_t(index.column());
    switch (role) {
        case Qt::DisplayRole:
            return ToQString(rows_.ShownCell(row, column));
        case Qt::TextAlignmentRole:
            return int((rows_.IsText(column) ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
        case Qt::ToolTipRole: {
            const std::string tip = rows_.Tip(row);
            return tip.empty() ? QVariant() : QVariant(ToQString(tip));
        }
        case Qt::ForegroundRole:
            if (const auto colour = rows_.CellColour(row, column)) return QBrush(ColourOf(*colour));
            return {};
        default:
            return {};
    }
}

QVariant BatchTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && section >= 0 && section < columnCount()) {
        const auto column = std::size_t(section);
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
            return ToQString(rows_.Caption(column));
        if (role == Qt::AccessibleTextRole) return ToQString(rows_.ColumnName(column));
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

}  // namespace zanvoro
