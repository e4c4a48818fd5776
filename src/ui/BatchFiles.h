// Tables in and out of the batch window: files, the file dialogs, and a selection's text.
#pragma once

#include <QString>

#include <optional>
#include <string>

#include "batch/batch.h"

class QItemSelection;
class QWidget;

namespace zanvoro {

class BatchTableModel;

// A file's rows, its encoding and format recognised. Throws, naming the file, when it cannot
// be read or is refused.
costbatch::Table ReadTableFile(const QString& path);

// Every row of `model` into a file, whole or not at all: written beside it and renamed only
// once complete. Throws, naming the file, when it cannot be written, a character the
// encoding lacks included.
void WriteTableFile(const BatchTableModel& model, const QString& path, costbatch::Format format,
                    costbatch::Encoding encoding);

// A spreadsheet's copy, tab-separated: the caption row, then the rows and columns that hold a
// selected cell, or every cell when none is selected.
std::string SelectionText(const BatchTableModel& model, const QItemSelection& selection);

// The file dialogs, opening in the folder last used. Empty when the user cancels.
QString ChooseOpenFile(QWidget* parent);
struct SaveTarget {
    QString path;
    costbatch::Format format;
    costbatch::Encoding encoding;
};
std::optional<SaveTarget> ChooseSaveFile(QWidget* parent);

}  // namespace zanvoro
