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

#include "BatchTableModel.h"

using namespace Qt::StringLiterals;

namespace zanvoro {

namespace {

const QString kCsvFilter = u"CSV (UTF-8) (*.csv)"_s;
const QString kSjisFilter = u"CSV (Shift-JIS) (*.csv)"_s;
const QString kTsvFilter = u"TSV (UTF-8) (*.tsv *.txt)"_s;

std::string Utf8(const QString& text) { return text.toStdString(); }

// A file's name and the system's reason, for a message the error box completes.
std::runtime_error FileError(const QString& path, const char* what, const QString& reason) {
    return std::runtime_error(
        Utf8(u"'%1' %2 (%3)"_s.arg(QFileInfo(path).fileName(), QString::fromUtf8(what), reason)));
}

// Where the file dialogs open: the folder of the last file, for the life of the program.
QString& LastFolder() {
    static QString folder;
    return folder;
}

}  // namespace

costbatch::Table ReadTableFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw FileError(path, "を開けません", file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw FileError(path, "を読めません", file.errorString());
    const std::string name = Utf8(QFileInfo(path).fileName());
    try {
        const std::string text =
            costbatch::DecodeText(std::string_view(bytes.constData(), std::size_t(bytes.size())));
        return costbatch::ParseTable(text, costbatch::GuessFormat(name, text));
    } catch (const costbatch::InputError& e) {
        // Which file was refused, as the user chose it.
        throw costbatch::InputError(name + ": " + e.message());
    }
}

void WriteTableFile(const forms::BatchRows& rows, const QString& path, costbatch::Format format,
                    costbatch::Encoding encoding) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw FileError(path, "に保存できません", file.errorString());
    costbatch::TableWriter out(format, encoding, [&](std::string_view bytes) {
        if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
            throw FileError(path, "に保存できません", file.errorString());
    });
    try {
        const std::size_t columns = rows.Columns();
        for (std::size_t c = 0; c < columns; ++c) out.cell(rows.Caption(c));
        out.endRow();
        for (std::size_t row = 0; row < rows.Size(); ++row) {
            for (std::size_t c = 0; c < columns; ++c) out.cell(rows.Cell(row, c));
            out.endRow();
        }
        out.finish();
    } catch (const costbatch::OutputError& e) {
        // QSaveFile drops what it had: no file appears.
        throw FileError(path, "に保存できません", QString::fromStdString(e.message()));
    }
    // Nothing reaches the file's name until everything is written.
    if (!file.commit()) throw FileError(path, "に保存できません", file.errorString());
}

QString ChooseOpenFile(QWidget* parent) {
    QString path = QFileDialog::getOpenFileName(
        parent, u"開く"_s, LastFolder(), u"表 (*.csv *.tsv *.txt);;すべてのファイル (*)"_s);
    if (!path.isEmpty()) LastFolder() = QFileInfo(path).absolutePath();
    return path;
}

std::optional<SaveTarget> ChooseSaveFile(QWidget* parent) {
    QString filter = kCsvFilter;
    QString path = QFileDialog::getSaveFileName(
        parent, u"保存"_s, QDir(LastFolder()).filePath(u"一括計算.csv"_s),
        QStringList{kCsvFilter, kSjisFilter, kTsvFilter}.join(u";;"_s), &filter);
    if (path.isEmpty()) return std::nullopt;
    // The name's extension says the format where it names one; the filter says the rest.
    const QString suffix = QFileInfo(path).suffix().toLower();
    auto format = filter == kTsvFilter ? costbatch::Format::Tsv : costbatch::Format::Csv;
    if (suffix == u"tsv"_s || suffix == u"txt"_s)
        format = costbatch::Format::Tsv;
    else if (suffix == u"csv"_s)
        format = costbatch::Format::Csv;
    else
        path += format == costbatch::Format::Tsv ? u".tsv"_s : u".csv"_s;
    LastFolder() = QFileInfo(path).absolutePath();
    // A CSV file has the byte order mark by which spreadsheets know UTF-8; a TSV file is
    // plain text, as copied.
    const auto encoding = filter == kSjisFilter              ? costbatch::Encoding::Cp932
                          : format == costbatch::Format::Tsv ? costbatch::Encoding::Utf8
                                                             : costbatch::Encoding::Utf8Bom;
    return SaveTarget{path, format, encoding};
}

}  // namespace zanvoro
