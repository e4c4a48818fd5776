// The batch window's files, whatever face asks for them: what is read and written, the
// choices the file dialogs offer and what a choice means, and the error a file gives.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "BatchRows.h"
#include "batch/batch.h"

namespace forms {

namespace batchfiles {
inline constexpr std::string_view kOpenTitle = "開く";
inline constexpr std::string_view kSaveTitle = "保存";
inline constexpr std::string_view kSaveName = "一括計算.csv";
// What went wrong with a file, after its name.
inline constexpr std::string_view kCannotOpen = "を開けません";
inline constexpr std::string_view kCannotRead = "を読めません";
inline constexpr std::string_view kCannotSave = "に保存できません";
}  // namespace batchfiles

// One entry of a file dialog's type list: its name and its patterns, space-separated.
struct FileFilter {
    std::string_view name;
    std::string_view patterns;
    // "CSV (UTF-8) (*.csv)", as a file dialog lists it.
    std::string Label() const;
};

// What 開く… lists: tables, then every file.
const std::vector<FileFilter>& OpenFilters();

// What 保存… lists, in order, and what each writes.
struct SaveChoice {
    FileFilter filter;
    costbatch::Format format;
    costbatch::Encoding encoding;
};
const std::vector<SaveChoice>& SaveChoices();

// The file a save writes: the name's extension says the format where it names one, the
// choice the rest (an extension added when the name has none of ours). A CSV file has the
// byte order mark by which spreadsheets know UTF-8, unless Shift-JIS was chosen; a TSV file
// is plain text, as copied.
struct SaveTarget {
    std::string path;
    costbatch::Format format;
    costbatch::Encoding encoding;
};
SaveTarget ResolveSave(std::string path, std::size_t choice);

// A file's name and the system's reason, for a message the error box completes.
std::runtime_error FileError(std::string_view fileName, std::string_view what,
                             std::string_view reason);

// A file's rows from its bytes, the encoding and format recognised; InputError naming the
// file when it is refused.
costbatch::Table ReadTable(std::string_view fileName, std::string_view bytes);

// Every row, captions first, through `out`, finished.
void WriteRows(const BatchRows& rows, costbatch::TableWriter& out);

}  // namespace forms
