// The batch layer: delimited text, encodings, caption rows and the rows' messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "batch/batch.h"

using costbatch::Format;
using Rows = std::vector<std::vector<std::string>>;

namespace {

Rows RowsOf(const costbatch::Table& t) {
    Rows rows(t.rows());
    for (std::size_t r = 0; r < t.rows(); ++r)
        for (std::size_t c = 0; c < t.columns(r); ++c) rows[r].emplace_back(t.cell(r, c));
    return rows;
}

struct ParseCase {
    const char* name;
    std::string text;
    Format format;
    Rows rows;
};

TEST(BatchTable, ReadsWhatSpreadsheetsWrite) {
    const std::string nul("a\0b", 3);
    const ParseCase cases[] = {
        {"plain", "1,2\r\n3,4\r\n", Format::Csv, {{"1", "2"}, {"3", "4"}}},
        {"no last line end, LF", "1,2\n3", Format::Csv, {{"1", "2"}, {"3"}}},
        {"lone CR", "1\r2", Format::Csv, {{"1"}, {"2"}}},
        {"quotes", "\"a,b\",\"say \"\"hi\"\"\",\"\"\n", Format::Csv, {{"a,b", "say \"hi\"", ""}}},
        {"line break in quotes", "\"x\r\ny\",2\n", Format::Csv, {{"x\r\ny", "2"}}},
        {"after a closing quote", "\"a\"b,c\n", Format::Csv, {{"ab", "c"}}},
        {"blank and delimiter-only lines", "\n1\n\r\n,,\n\"\"\n2", Format::Csv, {{"1"}, {""}, {"2"}}},
        {"spaces kept", "  12  , x\n", Format::Csv, {{"  12  ", " x"}}},
        {"tsv", "a,b\t\"c\td\"\t\n", Format::Tsv, {{"a,b", "c\td", ""}}},
        {"nul", nul + ",1", Format::Csv, {{nul, "1"}}},
    };
    for (const ParseCase& c : cases)
        EXPECT_EQ(RowsOf(costbatch::ParseTable(c.text, c.format)), c.rows) << c.name;

    // Written and read again, every cell comes back whole, in either format.
    const std::vector<std::string> cells = {"a,b", "\"q\"", "x\ny", "", "t\tu", "\"lead"};
    for (Format f : {Format::Csv, Format::Tsv}) {
        std::string written;
        costbatch::AppendRow(written, cells, f);
        const Rows back = RowsOf(costbatch::ParseTable(written, f));
        ASSERT_EQ(back.size(), 1u);
        EXPECT_EQ(back[0][0], "a,b");
        EXPECT_EQ(back[0][1], "\"q\"");
        EXPECT_EQ(back[0][5], "\"lead");
        EXPECT_EQ(back[0][2], f == Format::Csv ? "x\ny" : "x y");
    }

    const std::string big(5'000'000, '7');
    EXPECT_EQ(costbatch::ParseTable("\"" + big + "\"\n1", Format::Csv).cell(0, 0).size(), big.size());
    // The line an open quote started on, line breaks inside earlier quotes counted.
    for (const auto& [text, line] : {std::pair{"a\n\"b\nc\n\"\"d", 2},
                                     std::pair{"\"x\r\ny\"\r\n\r1\n\"z", 5}}) {
        try {
            costbatch::ParseTable(text, Format::Csv);
            ADD_FAILURE() << "an open quote was accepted: " << text;
        } catch (const costbatch::InputError& e) {
            EXPECT_EQ(std::string(e.what()), "引用符が閉じていません (" + std::to_string(line) +
                                                 " 行目で開いたまま)");
        }
    }
}

TEST(BatchText, EncodingsAndFormatsAreRecognised) {
    costbatch::Encoding found{};
    EXPECT_EQ(costbatch::DecodeText("\xEF\xBB\xBF工事", &found), "工事");
    EXPECT_EQ(found, costbatch::Encoding::Utf8Bom);
    EXPECT_EQ(costbatch::DecodeText("\x8D\x48\x8E\x96,\xB6\xC5", &found), "工事,ｶﾅ");
    EXPECT_EQ(found, costbatch::Encoding::Cp932);
    EXPECT_THROW(costbatch::DecodeText("\x8D"), costbatch::InputError);
    EXPECT_EQ(costbatch::EncodeText("工事?", costbatch::Encoding::Cp932), "\x8D\x48\x8E\x96?");
    try {
        costbatch::EncodeText("工事😀", costbatch::Encoding::Cp932);
        ADD_FAILURE() << "a character Shift-JIS lacks was replaced";
    } catch (const costbatch::OutputError& e) {
        EXPECT_EQ(std::string(e.what()), "'😀' は Shift-JIS で書けません");
    }
    EXPECT_EQ(costbatch::EncodeText("a", costbatch::Encoding::Utf8Bom), "\xEF\xBB\xBF" "a");

    EXPECT_EQ(costbatch::GuessFormat("x.TSV", "a,b"), Format::Tsv);
    EXPECT_EQ(costbatch::GuessFormat("x.csv", "a\tb"), Format::Csv);
    EXPECT_EQ(costbatch::GuessFormat("x.txt", "a\tb\nc,d"), Format::Tsv);
    EXPECT_EQ(costbatch::GuessFormat("", "a,b\nc\td"), Format::Csv);
}

struct DecodeCase {
    const char* name;
    std::string bytes;
    std::string text;  // or the InputError's message
};

TEST(BatchText, Utf16ReadsAsItsUtf8Twin) {
    using std::string_literals::operator""s;
    const std::string utf8 = "希望工事費 (税込)\t工事種類\r\n1😀\t新営\r\n";
    const DecodeCase cases[] = {
        {"LE", costbatch::EncodeText(utf8, costbatch::Encoding::Utf16Le), utf8},
        {"BE", costbatch::EncodeText(utf8, costbatch::Encoding::Utf16Be), utf8},
        {"LE by hand", "\xFF\xFE" "a\0\t\0=\xD8\0\xDE"s, "a\t😀"},
        {"odd", "\xFF\xFE" "a\0b"s, "UTF-16 のバイト数が奇数です (5 バイト)"},
        {"lone low", "\xFE\xFF\0a\xDC\0"s, "UTF-16 として読めないバイトがあります (5 バイト目)"},
        {"high at end", "\xFF\xFE" "a\0\0\xD8"s, "UTF-16 として読めないバイトがあります (5 バイト目)"},
        {"high, no low", "\xFF\xFE\0\xD8" "a\0"s, "UTF-16 として読めないバイトがあります (3 バイト目)"},
    };
    for (const DecodeCase& c : cases) {
        std::string text;
        try {
            text = costbatch::DecodeText(c.bytes);
        } catch (const costbatch::InputError& e) {
            text = e.what();
        }
        EXPECT_EQ(text, c.text) << c.name;
    }
    const std::string decoded = costbatch::DecodeText(cases[0].bytes);
    EXPECT_EQ(costbatch::GuessFormat("", decoded), Format::Tsv);
    EXPECT_EQ(RowsOf(costbatch::ParseTable(decoded, Format::Tsv)),
              (Rows{{"希望工事費 (税込)", "工事種類"}, {"1😀", "新営"}}));
}

// What a writer in each encoding gives for rows: its bytes, or the refusal's message.
TEST(BatchText, WriterRefusesWhatTheEncodingLacks) {
    using costbatch::Encoding;
    struct Case {
        Encoding encoding;
        std::vector<std::vector<std::string>> rows;
        std::string written;
    };
    const Case cases[] = {
        {Encoding::Utf8Bom, {{"a", "b"}, {"€"}}, "\xEF\xBB\xBF" "a,b\r\n€\r\n"},
        {Encoding::Cp932, {{"工事", "?"}}, "\x8D\x48\x8E\x96,?\r\n"},
        {Encoding::Cp932, {{"x"}, {"1", "2"}, {"a", "5€", "€"}},
         "'€' は Shift-JIS で書けません (3 行目 2 列目)"},
        {Encoding::Cp932, {{"\"q,😀\""}}, "'😀' は Shift-JIS で書けません (1 行目 1 列目)"},
        // A tag character: the converters drop it without a '?'.
        {Encoding::Cp932, {{"a\xF3\xA0\x81\x81"}},
         "'\xF3\xA0\x81\x81' は Shift-JIS で書けません (1 行目 1 列目)"},
        {Encoding::Utf16Le, {{"a"}}, std::string("\xFF\xFE" "a\0\r\0\n\0", 8)},
        {Encoding::Utf16Be, {{"a", "\xFF"}}, "UTF-8 でないバイト 0xFF は書けません (1 行目 2 列目)"},
    };
    for (const Case& c : cases) {
        std::string written;
        try {
            costbatch::TableWriter out(Format::Csv, c.encoding,
                                       [&](std::string_view bytes) { written += bytes; });
            for (const auto& row : c.rows) out.row(row);
            out.finish();
        } catch (const costbatch::OutputError& e) {
            EXPECT_EQ(written, "") << "written before a refusal";
            written = e.what();
        }
        EXPECT_EQ(written, c.written);
    }
    EXPECT_FALSE(costbatch::Writable("a€", Encoding::Cp932));
    EXPECT_TRUE(costbatch::Writable("工事?", Encoding::Cp932));
}

struct BatchCase {
    const char* text;
    std::string captions;  // joined by |, or the InputError's message
    std::vector<std::string> results;  // each row's 結果, "ok" for an empty one
};

TEST(Batch, CaptionsAndRowMessages) {
    const BatchCase cases[] = {
        {"1000,x\n-1", "希望工事費 (税込)||" "FIGURES", {"ok", "ok"}},
        {" 工事種類 ,希望直接工事費,一般管理費率,共通仮設費率\n　改修　,100,,\n改修,100,10,\n道路,1,,\n"
         "改修,1,,,9",
         "工事種類|希望直接工事費|FIGURES",
         {"ok", "'' は浮動小数点数ではありません.", "工事種類 '道路' は 道路維持, 新営, 改修 のどれかです.",
          "列が多すぎます (5 列, 見出しは 4 列)"}},
        {"希望工事費 (税込),共通仮設費をみない,直工だけに含まない金額,結果,工事費 (概算)\n1,はい,なし,x,y\n"
         "1,x,,,\n1,,a,,",
         "希望工事費 (税込)|共通仮設費をみない|直工だけに含まない金額|FIGURES",
         {"ok", "共通仮設費をみない 'x' は はい か いいえ です.", "'a' は浮動小数点数ではありません."}},
        {"", "入力に行がありません", {}},
        {"工事種類,件名\n", "不明な見出し '件名' (2 列目)", {}},
        {"工事種類,直接工事費,工事種類", "見出し '工事種類' が 2 つあります (1 列目と 3 列目)", {}},
        {"希望工事費 (税込),希望直接工事費",
         "希望工事費 (税込) と 希望直接工事費 は一つの表に一緒に置けません", {}},
        {"工事種類\n改修", "金額の列がありません (見出し 希望工事費 (税込) か 希望直接工事費)", {}},
    };
    std::string figures;
    for (std::string_view f : costmodel::captions::kFigures) figures += std::string(f) + "|";
    figures += "結果";
    for (const BatchCase& c : cases) {
        std::string captions;
        std::vector<std::string> results;
        try {
            const costbatch::Batch batch(costbatch::ParseTable(c.text, Format::Csv), {});
            for (const std::string& caption : batch.captions())
                captions += (captions.empty() ? "" : "|") + caption;
            for (std::size_t row = 0; row < batch.size(); ++row) {
                const costbatch::RowResult r = batch.compute(row);
                EXPECT_EQ(r.ok, r.message.empty()) << c.text;
                EXPECT_EQ(batch.cell(row, r, batch.captions().size() - 1), r.message);
                results.push_back(r.ok ? "ok" : r.message);
            }
        } catch (const costbatch::InputError& e) {
            captions = e.what();
        }
        std::string want = c.captions;
        if (const auto at = want.find("FIGURES"); at != std::string::npos) want.replace(at, 7, figures);
        EXPECT_EQ(captions, want) << c.text;
        EXPECT_EQ(results, c.results) << c.text;
    }
}

TEST(Batch, OutputCellsAndRowsAgree) {
    // A typed rate's column is its figure: the rate used, or the typed text when the row fails.
    const costbatch::Batch batch(
        costbatch::ParseTable("希望直接工事費,共通仮設費率,現場管理費率,一般管理費率\n100,10,20,10\n"
                              "100,5.50,x,1\n",
                              Format::Csv),
        {});
    std::string out;
    batch.appendCaptions(out, Format::Csv);
    for (std::size_t row = 0; row < batch.size(); ++row) {
        const costbatch::RowResult r = batch.compute(row);
        std::string line;
        batch.appendRow(line, row, r, Format::Csv);
        const costbatch::Table back = costbatch::ParseTable(line, Format::Csv);
        for (std::size_t c = 0; c < batch.captions().size(); ++c)
            EXPECT_EQ(back.cell(0, c), batch.cell(row, r, c));
        out += line;
    }
    EXPECT_EQ(out.substr(out.find("\r\n") + 2),
              "100,100,10,10,110,22,20,132,13.2,10,145.2,7.3,152.5,45.2,\r\n"
              "100,,,5.50,,,x,,,1,,,,,'x' は浮動小数点数ではありません.\r\n");
}

}  // namespace
