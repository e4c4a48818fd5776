// Error message texts, their Shift-JIS lengths and the full stop added before display.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "text/errors.h"
#include "text/numbertext.h"

using namespace costmodel;

namespace {

std::string Repeat(std::string_view piece, std::size_t times) {
    std::string s;
    for (std::size_t k = 0; k < times; ++k) s += piece;
    return s;
}

TEST(ShiftJisLength, CountsBytesOfTheJapaneseCodePage) {
    const std::pair<std::string, std::size_t> rows[] = {
        {"", 0},
        {"abc", 3},
        {std::string("a\0b", 3), 3},
        {"ｱｲｳ", 3},                       // half-width katakana: one byte each
        {"あいう", 6},                    // kana and kanji: two
        {"１２。", 6},                    // full-width digits and full stop
        {"　", 2},                        // ideographic space
        {"浮動小数点数のｵｰﾊﾞｰﾌﾛｰ", 22},
        {"①髙～", 6},                     // characters only the Windows code page has
        {"€😀", 2},                       // not in the code page: one '?' each
        {"〜−—‖¢£¬¥‾", 16},               // JIS forms the code page holds under other code points
        {"🏴\U000E0067\U000E007F", 1},   // tag characters have no bytes of their own
        {"\xff\xfe", 2},                  // bytes that are not UTF-8
        {"a\xe3\x81", 3},                 // a character cut short
        {"\xc0\xaf", 2},                  // an overlong '/'
        {"\xed\xa0\x80", 3},              // a lone surrogate
    };
    for (const auto& [text, expected] : rows) EXPECT_EQ(ShiftJisLength(text), expected) << text;
}

TEST(ShiftJisLength, CopesWithArbitraryBytes) {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> byte(0, 255), length(0, 40);
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        for (int k = length(rng); k > 0; --k) text += static_cast<char>(byte(rng));
        // Shift-JIS never needs more bytes than UTF-8 for the same characters.
        EXPECT_LE(ShiftJisLength(text), text.size());
        const std::string completed = CompleteMessage(text);
        EXPECT_EQ(completed.substr(0, text.size()), text);
    }
}

TEST(NotANumberMessage, QuotesTheWholeTextUnchanged) {
    const std::pair<std::string, std::string> rows[] = {
        {"abc", "'abc' は浮動小数点数ではありません"},
        {"", "'' は浮動小数点数ではありません"},
        {"  1 2  ", "'  1 2  ' は浮動小数点数ではありません"},
        {"%s%d'", "'%s%d'' は浮動小数点数ではありません"},
        {"１２円", "'１２円' は浮動小数点数ではありません"},
    };
    for (const auto& [text, expected] : rows) EXPECT_EQ(NotANumberMessage(text), expected);
}

// The message may hold 4096 Shift-JIS bytes: 31 of its own, so 4065 of the text.
TEST(NotANumberMessage, TooLongWhenTheTextReaches4066ShiftJisBytes) {
    const struct {
        const char* what;
        std::string fits, tooLong;
    } rows[] = {
        {"ASCII", std::string(4065, 'x'), std::string(4066, 'x')},
        {"full-width", Repeat("あ", 2032) + "ｱ", Repeat("あ", 2033)},
        {"half-width katakana", Repeat("ｱ", 4065), Repeat("ｱ", 4066)},
        {"outside the code page", Repeat("😀", 4065), Repeat("😀", 4066)},
    };
    const std::string tooLong = "結果が 4096 文字以上あります";
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_EQ(ShiftJisLength(NotANumberMessage(r.fits)), 4096u);
        EXPECT_EQ(NotANumberMessage(r.fits), "'" + r.fits + "' は浮動小数点数ではありません");
        EXPECT_EQ(NotANumberMessage(r.tooLong), tooLong);
    }
    EXPECT_EQ(NotANumberMessage(std::string(100000, '1')), tooLong);
    EXPECT_EQ(NotANumberMessage(Repeat("\xff", 10'000'000)), tooLong);
    EXPECT_GT(ShiftJisLength(Repeat("あ", 10'000'000), 4065), 4065u);
}

TEST(CompleteMessage, AppendsAFullStopAfterAnythingAboveFullStop) {
    const std::pair<std::string, std::string> rows[] = {
        {"", ""},
        {"'abc' は浮動小数点数ではありません", "'abc' は浮動小数点数ではありません."},
        {"'' は浮動小数点数ではありません", "'' は浮動小数点数ではありません."},
        {"結果が 4096 文字以上あります", "結果が 4096 文字以上あります."},
        {"浮動小数点数のｵｰﾊﾞｰﾌﾛｰ", "浮動小数点数のｵｰﾊﾞｰﾌﾛｰ."},
        {"不正な浮動小数点数演算命令", "不正な浮動小数点数演算命令."},
        {"0 による浮動小数点数除算", "0 による浮動小数点数除算."},
        {"done.", "done."},
        {"(see above)", "(see above)"},
        {"stop!", "stop!"},
        {"trailing ", "trailing "},
        {"tab\t", "tab\t"},
        {std::string("nul\0", 4), std::string("nul\0", 4)},
        {"a-", "a-"},
        {"a/", "a/."},  // 0x2F is the first byte that gets one
        {"abc", "abc."},
        {"x\x7f", "x\x7f."},
        {"終わり。", "終わり。."},  // an ideographic full stop is a Japanese character
        {"€", "€."},                // outside the code page, shown as '?'
        {"bad\xff", "bad\xff."},
        {"cut\xe3\x81", "cut\xe3\x81."},
        {"\x80", "\x80."},
    };
    for (const auto& [message, expected] : rows) EXPECT_EQ(CompleteMessage(message), expected);
}

// A pasted text can hold a NUL byte; the message the user reads must still quote all of it.
TEST(ConversionError, KeepsTheWholeTextPastANulByte) {
    const std::string text("12\0abc", 6);
    try {
        TextToNumber(text);
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_EQ(e.message(), "'" + text + "' は浮動小数点数ではありません");
        EXPECT_EQ(CompleteMessage(e.message()), e.message() + ".");
    }
}

}  // namespace
