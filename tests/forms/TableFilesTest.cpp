// What a save writes: the name's extension over the chosen type, the encoding by the choice.
#include <gtest/gtest.h>

#include "TableFiles.h"

namespace {

using costbatch::Encoding;
using costbatch::Format;

TEST(TableFiles, SaveTargetFromNameAndChoice) {
    const struct {
        const char* path;
        std::size_t choice;  // CSV UTF-8, CSV Shift-JIS, TSV
        const char* written;
        Format format;
        Encoding encoding;
    } rows[] = {
        {"/d/a.csv", 0, "/d/a.csv", Format::Csv, Encoding::Utf8Bom},
        {"/d/a", 0, "/d/a.csv", Format::Csv, Encoding::Utf8Bom},
        {"/d/a.TSV", 0, "/d/a.TSV", Format::Tsv, Encoding::Utf8},
        {"/d/a", 1, "/d/a.csv", Format::Csv, Encoding::Cp932},
        {"/d/a.txt", 1, "/d/a.txt", Format::Tsv, Encoding::Cp932},
        {"/d/a", 2, "/d/a.tsv", Format::Tsv, Encoding::Utf8},
        {"/d/a.csv", 2, "/d/a.csv", Format::Csv, Encoding::Utf8Bom},
        {"C:\\d.x\\a", 2, "C:\\d.x\\a.tsv", Format::Tsv, Encoding::Utf8},
        {"/d/a.xls", 0, "/d/a.xls.csv", Format::Csv, Encoding::Utf8Bom},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.path);
        const forms::SaveTarget t = forms::ResolveSave(r.path, r.choice);
        EXPECT_EQ(t.path, r.written);
        EXPECT_EQ(t.format, r.format);
        EXPECT_EQ(t.encoding, r.encoding);
    }
}

}  // namespace
