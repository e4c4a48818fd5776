// What leaves the program with a window's estimate: the copy text, the sheet's lines and
// cells, and the words a screen reader says. Built from a window's state, never read back
// from its controls.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Description.h"

namespace forms {

// A caption with its value and its unit ("万円", "％", or empty for a choice). An amount
// reads as the number taken from it; `typed` holds the text as typed where that differs
// ("015448" read as 15448).
struct ReportLine {
    std::string caption;
    std::string value;
    std::string unit;
    std::string typed;
    friend bool operator==(const ReportLine&, const ReportLine&) = default;
};

// One figure of the breakdown. A rate belongs to the amount right before it.
struct ReportFigure {
    std::string caption;
    std::string value;
    std::string unit;
    bool rate = false;
    // A rate's basis: the amount it applies to as shown (対象額) and the rule (適用); empty
    // before any calculation.
    std::string base;
    std::string rule;
    std::vector<ControlId> controls;  // the window's controls that show it: value, labels
};

struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
    static Date Today();
};

struct Report {
    std::string title;  // the window's title
    Date date;          // the day the sheet is dated
    std::vector<ReportLine> inputs;     // cost typed, work category, options, extra amounts
    std::vector<ReportFigure> figures;  // in build-up order, each rate after its amount
};

// The figure that `control` shows as value, caption or unit, if it shows one.
const ReportFigure* FigureShownBy(const Report& report, ControlId control);

inline constexpr std::string_view kBaseCaption = "対象額";
inline constexpr std::string_view kRuleCaption = "適用";

// Tab-separated rows with LF line ends, as spreadsheets take them: the title, one row per
// input (caption, amount read, unit, and "入力: " with the typed text where it differs), an
// empty row, then one row per figure (caption, value as shown, unit; a rate with a basis
// also 対象額, the amount, 万円, 適用 and the rule, each in a cell of its own). Tabs and line
// breaks inside a text become spaces so that they cannot shift the columns.
std::string ClipboardText(const Report& report);

// The one-page sheet as lines and cells; a face draws it in its own way.
struct Sheet {
    std::string title;     // the window's title
    std::string subtitle;  // 工事費内訳
    std::string dated;     // 作成日　…
    std::string inputsHeading;
    std::vector<ReportLine> inputs;
    std::string figuresHeading;
    std::vector<std::string> columns;  // 項目, 金額, 単位, 率, 単位
    struct Row {
        std::string caption;
        std::string amount, amountUnit;  // empty on a rate of its own row
        std::string rate, rateUnit;      // empty where no rate goes with the amount
        std::string basis;               // the rate's 対象額 and 適用 line; empty before any
    };
    std::vector<Row> rows;
    std::string footerLeft;   // program and version
    std::string footerRight;  // the date
};
Sheet SheetOf(const Report& report, std::string_view programVersion);

// Where the sheet puts its parts on A4 portrait, on every face.
namespace sheetlayout {
// Millimetres of paper left free: left, top, right, foot.
inline constexpr std::array<int, 4> kMargins{20, 20, 20, 15};
// The inputs' table spans this share of the width (percent), in columns of these shares.
inline constexpr int kInputsWidth = 70;
inline constexpr std::array<int, 3> kInputColumns{55, 33, 12};
// The figures' table spans the width: caption, amount, unit, rate, unit.
inline constexpr std::array<int, 5> kFigureColumns{34, 26, 10, 20, 10};
// Colours as 0xRRGGBB: the tables' rules, the figures' heading row, the footer.
inline constexpr std::uint32_t kRule = 0x808080;
inline constexpr std::uint32_t kHeadingShade = 0xE8E8E8;
inline constexpr std::uint32_t kFooter = 0x404040;
}  // namespace sheetlayout
// The sheet's small line under an input's value: "（入力 015448）", empty where the text
// typed is the value.
std::string TypedNote(const ReportLine& line);

// The error of a sheet that could not be written to `where` (a file or a printer).
std::string NotWrittenMessage(std::string_view where);

// "2026年12月9日".
std::string DateText(const Date& date);

// A button caption without its accelerator mark ("終了(&C)" reads "終了(C)").
std::string PlainCaption(std::string_view text);
// A caption as it is read aloud: without its accelerator ("終了(&C)" reads 終了) and
// without the spaces that only spread it out ("計　        　算" reads 計算).
std::string SpokenCaption(std::string_view caption);
// What a screen reader says of a control of a window whose captions stay as described (the
// About box, the batch window): a button by its spoken caption, a panel by the first text it
// holds, the program's icon by the program's title, an edit by the check box right before it
// in its tab order, which turns it on; empty where the control's own text says it.
std::string DescribedName(const Window& window, ControlId control);

}  // namespace forms
