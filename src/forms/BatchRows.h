// The batch window's rows: one per input row, its figures computed a slice at a time.
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Description.h"
#include "batch/batch.h"

namespace forms {

// Selected cells: rows top..bottom and columns left..right, both ends included.
struct CellRange {
    std::size_t top = 0;
    std::size_t bottom = 0;
    std::size_t left = 0;
    std::size_t right = 0;
};

// Shows a costbatch::Batch: the inputs at once, each row's figures once computed. Rows past
// those computed are pending while computing goes on, and cancelled once it is given up.
class BatchRows {
public:
    // What a face's table hears as the rows change under it.
    class Observer {
    public:
        virtual void RowsReplacing() = 0;
        virtual void RowsReplaced() = 0;
        virtual void RowsComputed(std::size_t from, std::size_t to) = 0;  // [from, to)

    protected:
        ~Observer() = default;
    };

    BatchRows() = default;
    BatchRows(const BatchRows&) = delete;
    BatchRows& operator=(const BatchRows&) = delete;

    void SetObserver(Observer* observer) { observer_ = observer; }

    // Replaces the table; nothing is computed yet.
    void SetBatch(std::unique_ptr<costbatch::Batch> batch);
    // Computes rows until all are done or `budget` has passed; true when all are done.
    bool ComputeFor(std::chrono::milliseconds budget);
    // Gives up on the rows not yet computed; they keep their inputs and show as cancelled.
    void Cancel();

    std::size_t Size() const;
    std::size_t Columns() const;
    std::size_t Computed() const { return results_.size(); }
    std::size_t Failed() const { return failed_; }
    bool Cancelled() const { return cancelled_; }
    bool Computing() const { return !cancelled_ && Computed() < Size(); }

    const std::string& Caption(std::size_t column) const;
    // The column's name read aloud: its caption, or its place when it has none.
    std::string ColumnName(std::size_t column) const;
    // A column of words (left-aligned), not of amounts.
    bool IsText(std::size_t column) const { return textColumns_.at(column); }

    // Output cell (row, column) as copy and save write it, and as the table shows it: a cell
    // of millions of characters would be laid out anew on every paint, so only its start.
    std::string Cell(std::size_t row, std::size_t column) const;
    std::string ShownCell(std::size_t row, std::size_t column) const;
    // A failed row's message, wherever the pointer is on the row; empty otherwise.
    std::string Tip(std::size_t row) const;
    // 結果 (the last column) is red on a failed row and grey until the row is computed.
    std::optional<Colour> CellColour(std::size_t row, std::size_t column) const;

    // The caption row, then rows [from, to), of `columns` (every column when empty) in
    // `format`, appended to out, as copy and save write them.
    void AppendCaptions(std::string& out, const std::vector<std::size_t>& columns,
                        costbatch::Format format) const;
    void AppendRows(std::string& out, std::size_t from, std::size_t to,
                    const std::vector<std::size_t>& columns, costbatch::Format format) const;

private:
    const costbatch::RowResult& ResultOf(std::size_t row) const;

    std::unique_ptr<costbatch::Batch> batch_;
    std::vector<costbatch::RowResult> results_;  // rows [0, Computed())
    std::vector<bool> textColumns_;
    std::size_t failed_ = 0;
    bool cancelled_ = false;
    Observer* observer_ = nullptr;
};

// A spreadsheet's copy, tab-separated: the caption row, then the rows and columns that hold a
// selected cell, or every cell when none is selected.
std::string SelectionText(const BatchRows& rows, const std::vector<CellRange>& selection);

// The first `characters` characters of UTF-8 text.
std::string_view Leading(std::string_view utf8, std::size_t characters);

}  // namespace forms
