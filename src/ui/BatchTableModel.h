// The batch window's table: one row per input row, its figures computed a slice at a time.
#pragma once

#include <QAbstractTableModel>
#include <QString>

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "batch/batch.h"

namespace zanvoro {

// Shows a costbatch::Batch: the inputs at once, each row's figures once computed. Rows past
// those computed are pending while computing goes on, and cancelled once it is given up.
class BatchTableModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;
    ~BatchTableModel() override;

    // Replaces the table; nothing is computed yet.
    void setBatch(std::unique_ptr<costbatch::Batch> batch);

    // Computes rows until all are done or `budget` has passed; true when all are done.
    bool computeFor(std::chrono::milliseconds budget);
    // Gives up on the rows not yet computed; they keep their inputs and show as cancelled.
    void cancel();

    std::size_t size() const;
    std::size_t computed() const { return results_.size(); }
    std::size_t failed() const { return failed_; }
    bool cancelled() const { return cancelled_; }

    // Output cell (row, column) as copy and save write it.
    std::string cell(std::size_t row, std::size_t column) const;
    // The caption row, then rows [from, to), of `columns` (every column when empty) in
    // `format`, appended to out, as copy and save write them.
    void appendCaptions(std::string& out, const std::vector<std::size_t>& columns,
                        costbatch::Format format) const;
    void appendRows(std::string& out, std::size_t from, std::size_t to,
                    const std::vector<std::size_t>& columns, costbatch::Format format) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    const costbatch::RowResult& resultOf(std::size_t row) const;

    std::unique_ptr<costbatch::Batch> batch_;
    std::vector<costbatch::RowResult> results_;  // rows [0, computed())
    std::vector<bool> leftAligned_;              // per column: a text, not an amount
    std::size_t failed_ = 0;
    bool cancelled_ = false;
};

}  // namespace zanvoro
