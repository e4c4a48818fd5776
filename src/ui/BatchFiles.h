// Tables in and out of the batch window: files and the file dialogs.
#pragma once

#include <QString>

#include <optional>
#include <string>

#include "BatchRows.h"
#include "batch/batch.h"

class QWidget;

namespace zanvoro {



// A file's rows, its encoding and format recognised. Throws, naming the file, when it cannot
// be read or is refused.
costbatch::Table ReadTableFile(const QString& path);

// Every row of `model` into a file, whole or not at all: written beside it and renamed only
// once complete. Throws, naming the file, when it cannot be written, a character the
// encoding lacks included.
void WriteTableFile(const forms::BatchRows& rows, const QString& path, costbatch::Format format,
                    costbatch::Encoding encoding);

// The file dialogs, opening in the folder last used. Empty when the user cancels.
QString ChooseOpenFile(QWidget* parent);
struct SaveTarget {
    QString path;
    costbatch::Format format;
    costbatch::Encoding encoding;
};
std::optional<SaveTarget> ChooseSaveFile(QWidget* parent);

}  // namespace zanvoro
