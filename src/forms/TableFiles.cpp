// The batch window's files: the dialogs' choices, reading, writing.
#include "TableFiles.h"

#include <utility>

namespace forms {

std::string FileFilter::Label() const {
    return std::string(name) + " (" + std::string(patterns) + ")";
}

const std::vector<FileFilter>& OpenFilters() {
    static const std::vector<FileFilter> filters{{"表", "*.csv *.tsv *.txt"},
                                                 {"すべてのファイル", "*"}};
    return filters;
}

const std::vector<SaveChoice>& SaveChoices() {
    using costbatch::Encoding;
    using costbatch::Format;
    static const std::vector<SaveChoice> choices{
        {{"CSV (UTF-8)", "*.csv"}, Format::Csv, Encoding::Utf8Bom},
        {{"CSV (Shift-JIS)", "*.csv"}, Format::Csv, Encoding::Cp932},
        {{"TSV (UTF-8)", "*.tsv *.txt"}, Format::Tsv, Encoding::Utf8},
    };
    return choices;
}

namespace {

std::string_view NameOf(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string LowerSuffix(std::string_view path) {
    const std::string_view name = NameOf(path);
    const std::size_t dot = name.rfind('.');
    std::string suffix(dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1));
    for (char& c : suffix)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return suffix;
}

}  // namespace

SaveTarget ResolveSave(std::string path, std::size_t choice) {
    const SaveChoice& chosen = SaveChoices().at(choice);
    const std::string suffix = LowerSuffix(path);
    costbatch::Format format = chosen.format;
    if (suffix == "tsv" || suffix == "txt")
        format = costbatch::Format::Tsv;
    else if (suffix == "csv")
        format = costbatch::Format::Csv;
    else
        path += format == costbatch::Format::Tsv ? ".tsv" : ".csv";
    const costbatch::Encoding encoding =
        chosen.encoding == costbatch::Encoding::Cp932 ? costbatch::Encoding::Cp932
        : format == costbatch::Format::Tsv            ? costbatch::Encoding::Utf8
                                                      : costbatch::Encoding::Utf8Bom;
    return {std::move(path), format, encoding};
}

std::runtime_error FileError(std::string_view fileName, std::string_view what,
                             std::string_view reason) {
    return std::runtime_error("'" + std::string(NameOf(fileName)) + "' " + std::string(what) +
                              " (" + std::string(reason) + ")");
}

costbatch::Table ReadTable(std::string_view fileName, std::string_view bytes) {
    const std::string name(NameOf(fileName));
    try {
        const std::string text = costbatch::DecodeText(bytes);
        return costbatch::ParseTable(text, costbatch::GuessFormat(name, text));
    } catch (const costbatch::InputError& e) {
        // Which file was refused, as the user chose it.
        throw costbatch::InputError(name + ": " + e.message());
    }
}

void WriteRows(const BatchRows& rows, costbatch::TableWriter& out) {
    const std::size_t columns = rows.Columns();
    for (std::size_t c = 0; c < columns; ++c) out.cell(rows.Caption(c));
    out.endRow();
    for (std::size_t row = 0; row < rows.Size(); ++row) {
        for (std::size_t c = 0; c < columns; ++c) out.cell(rows.Cell(row, c));
        out.endRow();
    }
    out.finish();
}

}  // namespace forms
