// Reading field texts into doubles and writing doubles for display.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale>
#include <random>
#include <string>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

#include "text/errors.h"
#include "text/numbertext.h"
#include "extended_support.h"
#include "separator_guard.h"

using namespace costmodel;

namespace {

enum class Outcome { Value, NotANumber, Overflow };

struct ReadCase {
    std::string text;
    Outcome outcome;
    double value = 0;
};

constexpr Outcome V = Outcome::Value;
constexpr Outcome NaN = Outcome::NotANumber;
constexpr Outcome Ovf = Outcome::Overflow;

std::string WithSeparator(std::string text, char separator) {
    for (char& c : text)
        if (c == '.') c = separator;
    return text;
}

void ExpectRead(const ReadCase& c) {
    SCOPED_TRACE("text \"" + c.text.substr(0, 60) + "\" (" + std::to_string(c.text.size()) +
                 " bytes)");
    switch (c.outcome) {
        case Outcome::Value: {
            const double got = TextToNumber(c.text);
            EXPECT_EQ(got, c.value);
            EXPECT_EQ(std::signbit(got), std::signbit(c.value));
            break;
        }
        case Outcome::NotANumber:
            EXPECT_THROW(TextToNumber(c.text), ConversionError);
            break;
        case Outcome::Overflow:
            EXPECT_THROW(TextToNumber(c.text), OverflowError);
            break;
    }
}

// Texts written with "." standing for the separator in force.
const ReadCase kReadRows[] = {
    {"21.21", V, 21.21},  {"  12  ", V, 12},      {"  -5", V, -5},     {"+5", V, 5},
    {"-3.5", V, -3.5},    {".5", V, 0.5},         {"+.5", V, 0.5},     {"5.", V, 5},
    {".", V, 0},          {"-0", V, -0.0},        {"-.", V, -0.0},     {"007", V, 7},
    {"1e3", V, 1000},     {"1E+3", V, 1000},      {"1000E0", V, 1000}, {"2.5e-3", V, 0.0025},
    {"1E", V, 1},         {"1e+", V, 1},          {"1e-", V, 1},       {"1E-400", V, 0},
    {"0E4999", V, 0},     {"1E400", Ovf},         {"1E0499", Ovf},     {"1E0000500", Ovf},
    {"1E4932", Ovf},      {"1E4933", NaN},        {"1E4990", NaN},     {"1E5000", NaN},
    {"1E-5000", NaN},     {"", NaN},              {"   ", NaN},        {"+", NaN},
    {"-", NaN},           {"e", NaN},             {"E5", NaN},         {"1 000", NaN},
    {"- 5", NaN},         {"1 E5", NaN},          {"1E 5", NaN},       {"\t12", NaN},
    {"１２", NaN},        {"12円", NaN},          {"1.2.3", NaN},      {"1e5.5", NaN},
    {"0x10", NaN},        {"INF", NaN},
    // Beyond the table: signs, blanks and exponents at their edges.
    {"+-1", NaN},         {"--1", NaN},           {"1e+-3", NaN},      {"1e3 x", NaN},
    {"　12", NaN},        {"12　", NaN},          {"12\t", NaN},       {"1ee3", NaN},
    {"-0e5", V, -0.0},    {"-0.000", V, -0.0},    {"123.456e-2", V, 1.23456},
    {"1e-0000499", V, 0}, {"1E-4999", V, 0},      {"0e-99999", NaN},   {"1e50000", NaN},
    {".e5", V, 0},        {"5.e1", V, 50},        {"  .  ", V, 0},     {"1E499", Ovf},
    {std::string("1\0", 2), NaN},                 {"\xff", NaN},       {"1\xff", NaN},
    // Near the double limits: subnormals and the overflow boundary.
    {"1.7976931348623157e308", V, DBL_MAX},       {"1.7976931348623158e308", V, DBL_MAX},
    {"1.797693134862316e308", Ovf},               {"-1e309", Ovf},
    {"2.2250738585072014e-308", V, DBL_MIN},      {"-2.2250738585072014e-308", V, -DBL_MIN},
    {"4.9406564584124654e-324", V, 4.9406564584124654e-324},
    {"3e-324", V, 4.9406564584124654e-324},       {"2e-324", V, 0},
    {"-3e-324", V, -4.9406564584124654e-324},     {"-2e-324", V, -0.0},
    {"1e-310", V, 1e-310},
    // The largest double is displayed with a digit more than it can be read back with.
    {"1.79769313486232E308", Ovf},
};

TEST(TextToNumber, ReadsTheTableWithAFullStop) {
    for (const auto& c : kReadRows) ExpectRead(c);
    ExpectRead({"1,000", NaN});
    ExpectRead({"1,5", NaN});
}

TEST(TextToNumber, ReadsTheTableWithAComma) {
    SeparatorGuard comma(',');
    for (const auto& c : kReadRows) {
        ReadCase moved = c;
        moved.text = WithSeparator(c.text, ',');
        ExpectRead(moved);
    }
    const ReadCase commaRows[] = {{"21,21", V, 21.21}, {"21.21", NaN}, {"1.000", NaN},
                                  {"1,000", V, 1},     {",5", V, 0.5}, {"1,2,3", NaN},
                                  {".", NaN}};
    for (const auto& c : commaRows) ExpectRead(c);
}

// The accumulator and the scaling round in extended precision, then once more to a double:
// these texts land one unit away from the correctly rounded double (worked out exactly, step
// by step, outside this program).
TEST(TextToNumber, RoundsInExtendedPrecisionThenToDouble) {
    const ReadCase rows[] = {
        {"375151271015572805e6", V, 0x1.3dc3f6f0a02c6p+78},
        {"2909762365736509e22", V, 0x1.5e3ff9bcf60bap+124},
        {"8847446078321051.499521871", V, 0x1.f6eb490aaf19cp+52},
        {"592314789409832147337675.57", V, 0x1.f5b5cbd9f7f5ep+78},
        {"81345e301", V, 0x1.288c543c6f03cp+1016},
        {"798017691e267", V, 0x1.70c9a84af4ap+916},
        {"18446744073709551617", V, 0x1p64},  // 2^64 + 1: beyond the 64-bit significand
    };
    for (const auto& c : rows) ExpectRead(c);
}

TEST(TextToNumber, LongDigitRuns) {
    const std::string z400(400, '0');
    const ReadCase rows[] = {
        {std::string(300, '0') + "7", V, 7},
        {"0." + z400 + "1", V, 0},
        {"0." + std::string(322, '0') + "5", V, 0x1.4p-1071},  // 5e-323, a subnormal
        {"1" + z400, Ovf},
        {"1" + z400 + "e-395", V, 1e5},
        {"1" + std::string(4932, '0'), Ovf},
        {"1" + std::string(4933, '0'), NaN},
        // The digits count as one integer, so a long fraction leaves the range too.
        {"1." + std::string(5000, '0'), NaN},
        {"0." + std::string(5000, '3'), NaN},
        // Fraction counts past 16 bits and past the scaling tables.
        {"0." + std::string(70000, '0') + "1", V, 0},
        {"0." + std::string(65535, '0') + "12345", V, 0},
        {"-0." + std::string(5200, '0') + "1", V, -0.0},
        {"0." + std::string(5200, '0') + "1e4999", V, 1e-202},
        {"0." + std::string(10200, '0') + "1e4999", V, 0},
        {std::string(1'000'000, ' ') + "1" + std::string(1'000'000, ' '), V, 1},
        // A pasted column: decided at the first digit past the range, or read through cheaply.
        {std::string(10'000'000, '7') + "\t", NaN},
        {std::string(10'000'000, '0') + "3", V, 3},
    };
    for (const auto& c : rows) ExpectRead(c);
    // Thousands of significant digits still make a value when the fraction scales them down.
    EXPECT_EQ(NumberToText(TextToNumber("0." + std::string(4000, '3'))), "0.333333333333333");
}

TEST(TextToNumber, ErrorMessages) {
    const auto messageOf = [](const std::string& text) -> std::string {
        try {
            TextToNumber(text);
        } catch (const CostModelError& e) {
            return e.what();
        }
        return "(no error)";
    };
    EXPECT_EQ(messageOf("abc"), "'abc' は浮動小数点数ではありません");
    EXPECT_EQ(messageOf(""), "'' は浮動小数点数ではありません");
    EXPECT_EQ(messageOf("  1,5 "), "'  1,5 ' は浮動小数点数ではありません");
    EXPECT_EQ(messageOf("1E400"), "浮動小数点数のｵｰﾊﾞｰﾌﾛｰ");
    EXPECT_EQ(messageOf("1E4999"), "'1E4999' は浮動小数点数ではありません");
    EXPECT_EQ(messageOf(std::string(4065, '9') + "x"), "結果が 4096 文字以上あります");
    EXPECT_EQ(messageOf(std::string(4064, '9') + "x"),
              "'" + std::string(4064, '9') + "x' は浮動小数点数ではありません");
    // A long text that is a number needs no message.
    EXPECT_EQ(TextToNumber(std::string(5000, ' ') + "2.5"), 2.5);
}

// The same text read with strtod: the extended arithmetic may land one unit away, no more.
TEST(TextToNumber, StaysWithinOneUnitOfTheCorrectlyRoundedValue) {
    std::mt19937_64 rng(20240611);
    std::uniform_int_distribution<int> digitCount(1, 40), digit(0, 9), exponent(-340, 310);
    for (int i = 0; i < 20000; ++i) {
        std::string digits;
        const int n = digitCount(rng);
        for (int k = 0; k < n; ++k) digits += static_cast<char>('0' + digit(rng));
        const std::size_t point = std::uniform_int_distribution<std::size_t>(0, digits.size())(rng);
        const std::string text = digits.substr(0, point) + "." + digits.substr(point) + "e" +
                                 std::to_string(exponent(rng));
        const double expected = std::strtod(text.c_str(), nullptr);
        if (std::isinf(expected)) continue;
        double got;
        try {
            got = TextToNumber(text);
        } catch (const OverflowError&) {
            EXPECT_EQ(expected, DBL_MAX) << text;  // only a value at the edge may tip over
            continue;
        }
        EXPECT_TRUE(got == expected || std::nextafter(got, expected) == expected) << text;
    }
}

TEST(TextToNumber, ArbitraryBytesGiveAValueOrAnError) {
    std::string alphabet = "0123456789.,+-eE \t\xff\x80";
    alphabet += '\0';
    std::mt19937 rng(7);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1), length(0, 24);
    for (int i = 0; i < 100000; ++i) {
        std::string text;
        for (std::size_t k = length(rng); k > 0; --k) text += alphabet[pick(rng)];
        try {
            EXPECT_TRUE(std::isfinite(TextToNumber(text))) << text;
        } catch (const ConversionError&) {
        } catch (const OverflowError&) {
        }
    }
}

TEST(ScaleTables, AreTheNearestExtendedValues) {
    const auto check = [](std::span<const ExtendedBits> table, int first, int step) {
        for (std::size_t k = 0; k < table.size(); ++k) {
            const int power = first + step * static_cast<int>(k);
            const std::string text = "1e" + std::to_string(power);
            EXPECT_TRUE(table[k] == costmodel::decimals::NearestBits(text)) << text;
        }
    };
    ASSERT_EQ(ScaleUnits().size(), 32u);
    ASSERT_EQ(ScaleThirtyTwos().size(), 15u);
    ASSERT_EQ(ScaleFiveTwelves().size(), 9u);
    check(ScaleUnits(), 0, 1);
    check(ScaleThirtyTwos(), 32, 32);
    check(ScaleFiveTwelves(), 512, 512);
}

struct ShowCase {
    double value;
    const char* text;
};

const ShowCase kShowRows[] = {
    {0.0, "0"},
    {-0.0, "0"},
    {10, "10"},
    {21.21, "21.21"},
    {1234.5, "1234.5"},
    {-3.5, "-3.5"},
    {0.1 + 0.2, "0.3"},
    {1.0 / 3.0, "0.333333333333333"},
    {2.0 / 3.0, "0.666666666666667"},
    {123456789.123456789, "123456789.123457"},
    {123456789012345.6, "123456789012346"},
    {999999999999999, "999999999999999"},
    {999999999999999.5, "1E15"},
    {1e14, "100000000000000"},
    {1e15, "1E15"},
    {1e16, "1E16"},
    {1.2345678901234567e19, "1.23456789012346E19"},
    {0.0001, "0.0001"},
    {0.00012345, "0.00012345"},
    {0.00001, "1E-5"},
    {-0.00009999, "-9.999E-5"},
    {1.5e-7, "1.5E-7"},
    {1e100, "1E100"},
    {DBL_MAX, "1.79769313486232E308"},
    {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
    {std::nextafter(0.0001, 0.0), "0.0001"},
    // 18 digits first: ...2627|499|7 becomes ...2627|500, which then rounds the 15th digit up.
    {0x1.25b55e5a9f4ecp+2, "4.58919485902628"},
    {0x1.3ffa5368eb2aep+3, "9.9993073510353"},
    {1.5e14, "150000000000000"},
    {-1e-300, "-1E-300"},
    {0.05, "0.05"},
    {-123.25, "-123.25"},
};

TEST(NumberToText, ShowsTheTableWithAFullStop) {
    for (const auto& c : kShowRows) EXPECT_EQ(NumberToText(c.value), c.text) << c.text;
}

TEST(NumberToText, ShowsTheTableWithAComma) {
    SeparatorGuard comma(',');
    for (const auto& c : kShowRows)
        EXPECT_EQ(NumberToText(c.value), WithSeparator(c.text, ',')) << c.text;
    EXPECT_EQ(NumberToText(21.21), "21,21");
}

// What a field shows reads back to a value that shows the same.
TEST(NumberToText, DisplayReadsBackToTheSameDisplay) {
    std::mt19937_64 rng(99);
    for (int i = 0; i < 20000; ++i) {
        const double x = std::bit_cast<double>(rng());
        if (!std::isfinite(x) || std::fabs(x) > 1.7976931348623e308) continue;
        const std::string shown = NumberToText(x);
        EXPECT_EQ(NumberToText(TextToNumber(shown)), shown) << std::hexfloat << x;
    }
}

TEST(DecimalSeparator, TakesOneByteOrFallsBackToFullStop) {
    SeparatorGuard restore('.');
    const std::pair<const char*, char> rows[] = {
        {",", ','}, {".", '.'}, {"", '.'}, {",,", '.'}, {"٫", '.'}, {"'", '\''}};
    for (const auto& [from, expected] : rows) {
        SetDecimalSeparator('#');
        SetDecimalSeparatorFrom(from);
        EXPECT_EQ(DecimalSeparator(), expected) << from;
    }
}

#ifdef _WIN32
// The user's decimal symbol as Windows itself writes 1.5 in the user's number format: what
// stands between the 1 and the 5, or '.' where that is not one ASCII character.
char SeparatorWindowsWrites() {
    wchar_t text[32];
    if (GetNumberFormatEx(LOCALE_NAME_USER_DEFAULT, 0, L"1.5", nullptr, text, 32) == 0) return 0;
    const std::wstring written(text);
    const std::size_t five = written.find(L'5');
    if (five == std::wstring::npos || written.find(L'1') != 0) return 0;
    const std::wstring symbol = written.substr(1, five - 1);
    return symbol.size() == 1 && symbol[0] < 0x80 ? static_cast<char>(symbol[0]) : '.';
}
#else
// The separator read with LC_ALL set to locale; LC_ALL is restored after.
char SeparatorUnder(const char* locale) {
    const char* saved = std::getenv("LC_ALL");
    const std::string savedValue = saved ? saved : "";
    setenv("LC_ALL", locale, 1);
    SetDecimalSeparator('#');
    LoadDecimalSeparatorFromEnvironment();
    if (saved) setenv("LC_ALL", savedValue.c_str(), 1);
    else unsetenv("LC_ALL");
    return DecimalSeparator();
}
#endif

TEST(DecimalSeparator, ComesFromTheUserLocaleWithoutTouchingTheProcessLocale) {
    SeparatorGuard restore('.');
    const std::string processLocale = std::setlocale(LC_NUMERIC, nullptr);
#ifdef _WIN32
    // The user's default locale is a setting of the system, not of the environment.
    SetDecimalSeparator('#');
    LoadDecimalSeparatorFromEnvironment();
    EXPECT_EQ(DecimalSeparator(), SeparatorWindowsWrites());
#else
    EXPECT_EQ(SeparatorUnder("C"), '.');
    EXPECT_EQ(SeparatorUnder("xx_NOWHERE.UTF-8"), '.');  // not installed
#endif
    EXPECT_EQ(std::setlocale(LC_NUMERIC, nullptr), processLocale);
}

#ifndef _WIN32
TEST(DecimalSeparator, IsTheCommaOfACommaLocale) {
    const char* const comma = "de_DE.UTF-8";  // generated by scripts/test.sh
    const bool installed = [comma] {
        try {
            return std::locale(comma).name() == comma;
        } catch (const std::runtime_error&) {
            return false;
        }
    }();
    if (!installed) GTEST_SKIP() << comma << " is not installed";
    SeparatorGuard restore('.');
    const std::string processLocale = std::setlocale(LC_NUMERIC, nullptr);
    EXPECT_EQ(SeparatorUnder(comma), ',');
    EXPECT_EQ(std::setlocale(LC_NUMERIC, nullptr), processLocale);
}
#endif

}  // namespace
