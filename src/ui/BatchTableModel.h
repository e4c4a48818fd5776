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

    std::size_t computed() const { return rows_.Computed(); }

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
