// The batch window's table: a Qt view of the window layer's rows.
#pragma once

#include <QAbstractTableModel>

#include <cstddef>
#include <string>
#include <vector>

#include "BatchRows.h"

namespace zanvoro {

// Shows forms::BatchRows as they change; every cell and its look is theirs.
class BatchTableModel final : public QAbstractTableModel, private forms::BatchRows::Observer {
    Q_OBJECT

public:
    BatchTableModel(forms::BatchRows& rows, QObject* parent);
    ~BatchTableModel() override;

    std::size_t size() const { return rows_.Size(); }
    std::size_t computed() const { return rows_.Computed(); }

    // As copy and save write them: see forms::BatchRows.
    void appendCaptions(std::string& out, const std::vector<std::size_t>& columns,
                        costbatch::Format format) const {
        rows_.AppendCaptions(out, columns, format);
    }
    void appendRows(std::string& out, std::size_t from, std::size_t to,
                    const std::vector<std::size_t>& columns, costbatch::Format format) const {
        rows_.AppendRows(out, from, to, columns, format);
    }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    void RowsReplacing() override;
    void RowsReplaced() override;
    void RowsComputed(std::size_t from, std::size_t to) override;

    forms::BatchRows& rows_;
};

}  // namespace zanvoro
