// The batch window's files: reading, writing in pieces, the dialogs.
#include "BatchFiles.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

#include <algorithm>
#include <stdexcept>
#include <utility>
#include <vector>

#include "TableFiles.h"

using namespace Qt::StringLiterals;

namespace zanvoro {

namespace {

std::string Utf8(const QString& text) { return text.toStdString(); }

QString Text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

std::runtime_error FileError(const QString& path, std::string_view what, const QString& reason) {
    return forms::FileError(Utf8(QFileInfo(path).fileName()), what, Utf8(reason));
}

// Where the file dialogs open: the folder of the last file, for the life of the program.
QString& LastFolder() {
    static QString folder;
    return folder;
}

}  // namespace

costbatch::Table ReadTableFile(const QString& path) {
    namespace files = forms::batchfiles;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw FileError(path, files::kCannotOpen, file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileError(path, files::kCannotRead, file.errorString());
    return forms::ReadTable(Utf8(QFileInfo(path).fileName()),
                            std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

void WriteTableFile(const forms::BatchRows& rows, const QString& path, costbatch::Format format,
                    costbatch::Encoding encoding) {
    const std::string_view cannot = forms::batchfiles::kCannotSave;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) throw FileError(path, cannot, file.errorString());
    costbatch::TableWriter out(format, encoding, [&](std::string_view bytes) {
        if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
            throw FileError(path, cannot, file.errorString());
    });
    try {
        forms::WriteRows(rows, out);
    } catch (const costbatch::OutputError& e) {
        // QSaveFile drops what it had: no file appears.
        throw FileError(path, cannot, QString::fromStdString(e.message()));
    }
    // Nothing reaches the file's name until everything is written.
    if (!file.commit()) throw FileError(path, cannot, file.errorString());
}

QString ChooseOpenFile(QWidget* parent) {
    QStringList filters;
    for (const forms::FileFilter& f : forms::OpenFilters()) filters << Text(f.Label());
    QString path = QFileDialog::getOpenFileName(parent, Text(forms::batchfiles::kOpenTitle),
                                                LastFolder(), filters.join(u";;"_s));
    if (!path.isEmpty()) LastFolder() = QFileInfo(path).absolutePath();
    return path;
}

std::optional<SaveTarget> ChooseSaveFile(QWidget* parent) {
    QStringList filters;
    for (const forms::SaveChoice& c : forms::SaveChoices()) filters << Text(c.filter.Label());
    QString filter = filters.front();
    const QString path = QFileDialog::getSaveFileName(
        parent, Text(forms::batchfiles::kSaveTitle),
        QDir(LastFolder()).filePath(Text(forms::batchfiles::kSaveName)), filters.join(u";;"_s),
        &filter);
    if (path.isEmpty()) return std::nullopt;
    const forms::SaveTarget target =
        forms::ResolveSave(Utf8(path), std::size_t(std::max<qsizetype>(0, filters.indexOf(filter))));
    const QString written = Text(target.path);
    LastFolder() = QFileInfo(written).absolutePath();
    return SaveTarget{written, target.format, target.encoding};
}

}  // namespace zanvoro
