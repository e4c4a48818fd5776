// The copy text, the sheet's content and the spoken captions of an estimate.
#include "Report.h"

#include <algorithm>
#include <ctime>

namespace forms {
namespace {

// A text as one spreadsheet cell: nothing in it may start a new column or row.
std::string Cell(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return text;
}

void AppendRow(std::string& out, const std::vector<std::string>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i != 0) out += '\t';
        out += Cell(cells[i]);
    }
    out += '\n';
}

constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";

// The length of a white-space character at the start of `s`, 0 for none: ASCII space and
// controls, the no-break space and the ideographic space.
std::size_t SpaceAt(std::string_view s) {
    if (s.empty()) return 0;
    const char c = s.front();
    if (c == ' ' || (c >= '\t' && c <= '\r')) return 1;
    if (s.starts_with("\xC2\xA0")) return 2;
    if (s.starts_with(kIdeographicSpace)) return 3;
    return 0;
}

bool NonAscii(char c) { return static_cast<unsigned char>(c) >= 0x80; }

}  // namespace

Date Date::Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::string DateText(const Date& date) {
    return std::to_string(date.year) + "年" + std::to_string(date.month) + "月" +
           std::to_string(date.day) + "日";
}

const ReportFigure* FigureShownBy(const Report& report, ControlId control) {
    for (const ReportFigure& figure : report.figures)
        if (std::find(figure.controls.begin(), figure.controls.end(), control) != figure.controls.end())
            return &figure;
    return nullptr;
}

std::string ClipboardText(const Report& report) {
    std::string text = Cell(report.title) + '\n';
    for (const ReportLine& line : report.inputs) {
        if (line.typed.empty())
            AppendRow(text, {line.caption, line.value, line.unit});
        else
            AppendRow(text, {line.caption, line.value, line.unit, "入力: " + line.typed});
    }
    text += '\n';
    for (const ReportFigure& f : report.figures) {
        if (f.rate && !f.rule.empty())
            AppendRow(text, {f.caption, f.value, f.unit, std::string(kBaseCaption), f.base, "万円",
                             std::string(kRuleCaption), f.rule});
        else
            AppendRow(text, {f.caption, f.value, f.unit});
    }
    return text;
}

Sheet SheetOf(const Report& report, std::string_view programVersion) {
    Sheet sheet;
    sheet.title = report.title;
    sheet.subtitle = "工事費内訳";
    sheet.dated = "作成日　" + DateText(report.date);
    sheet.inputsHeading = "入力";
    sheet.inputs = report.inputs;
    sheet.figuresHeading = "内訳";
    sheet.columns = {"項目", "金額", "単位", "率", "単位"};
    const auto& figures = report.figures;
    for (std::size_t i = 0; i < figures.size(); ++i) {
        const ReportFigure& f = figures[i];
        const bool hasRate = i + 1 < figures.size() && figures[i + 1].rate;
        if (f.rate && i > 0 && !figures[i - 1].rate) continue;  // shown with its amount
        Sheet::Row row;
        row.caption = f.caption;
        if (f.rate) {
            row.rate = f.value;
            row.rateUnit = f.unit;
        } else {
            row.amount = f.value;
            row.amountUnit = f.unit;
            if (hasRate) {
                row.rate = figures[i + 1].value;
                row.rateUnit = figures[i + 1].unit;
            }
        }
        // A rate's basis on a line of its own: the formula is too wide for a column.
        const ReportFigure* rate = f.rate ? &f : hasRate ? &figures[i + 1] : nullptr;
        if (rate && !rate->rule.empty())
            row.basis = "　　" + std::string(kBaseCaption) + "　" + rate->base + " 万円　　" +
                        std::string(kRuleCaption) + "　" + rate->rule;
        sheet.rows.push_back(std::move(row));
    }
    sheet.footerLeft = std::string(kAppTitle) + "  バージョン " + std::string(programVersion);
    sheet.footerRight = DateText(report.date);
    return sheet;
}

std::string TypedNote(const ReportLine& line) {
    return line.typed.empty() ? std::string() : "（入力 " + line.typed + "）";
}

std::string NotWrittenMessage(std::string_view where) {
    return "'" + std::string(where) + "' に書き込めません";
}

std::string DescribedName(const Window& window, ControlId control) {
    const Control& c = window.controls.at(control);
    if (c.kind == ControlKind::PushButton) return SpokenCaption(c.caption);
    if (c.picture == Picture::ProgramIcon) return std::string(kAppTitle);
    if (c.kind == ControlKind::BevelPanel)
        for (const Control& inner : window.controls)
            if (inner.parent == c.name && inner.kind == ControlKind::Label) return inner.caption;
    // An edit's own text is its value, never its name.
    if (c.kind == ControlKind::Edit)
        for (const std::vector<std::string>& order : window.tabOrders)
            for (std::size_t i = 1; i < order.size(); ++i)
                if (order[i] == c.name && window.control(order[i - 1]).kind == ControlKind::CheckBox)
                    return SpokenCaption(window.control(order[i - 1]).caption);
    return {};
}

std::string PlainCaption(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        out += text[i];
    }
    return out;
}

std::string SpokenCaption(std::string_view caption) {
    // Without an accelerator in brackets, "(&C)": one character, ASCII or not, after '&'.
    std::string text;
    for (std::size_t i = 0; i < caption.size();) {
        if (caption.substr(i).starts_with("(&") && i + 2 < caption.size() &&
            caption[i + 2] != '&') {
            std::size_t end = i + 3;
            while (end < caption.size() && (static_cast<unsigned char>(caption[end]) & 0xC0) == 0x80)
                ++end;
            if (end < caption.size() && caption[end] == ')') {
                i = end + 1;
                continue;
            }
        }
        text += caption[i++];
    }
    const std::string plain = PlainCaption(text);
    // Runs of white space as one space, none at the ends.
    std::string simple;
    std::string_view rest = plain;
    bool pending = false;
    while (!rest.empty()) {
        if (const std::size_t n = SpaceAt(rest)) {
            pending = !simple.empty();
            rest.remove_prefix(n);
            continue;
        }
        if (pending) simple += ' ';
        pending = false;
        simple += rest.front();
        rest.remove_prefix(1);
    }
    // Japanese is read without spaces: a space between two non-ASCII characters only spaces
    // the caption out.
    std::string spoken;
    spoken.reserve(simple.size());
    for (std::size_t i = 0; i < simple.size(); ++i) {
        const bool between =
            i > 0 && i + 1 < simple.size() && NonAscii(simple[i - 1]) && NonAscii(simple[i + 1]);
        if (simple[i] == ' ' && between) continue;
        spoken += simple[i];
    }
    return spoken;
}

}  // namespace forms
