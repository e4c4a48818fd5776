// The two calculating windows and the About box as data: every control with its place, font
// and colour, the tab orders, keys and menus.
#include <array>
#include <string>

#include "CalculatingForm.h"
#include "model/captions.h"

namespace forms {
namespace {

namespace captions = costmodel::captions;
using K = ControlKind;
using C = Colour;

// What differs between the two windows' common controls.
struct Design {
    std::string_view inputCaption;  // Label1
    int inputCaptionWidth;
    std::string_view product;  // the credit line's first word
    Rect credit;               // Label29
    int expensesHeight;        // GroupBox1
    int firstCheckRow;         // CheckBox1's top; the others follow `checkRowStep` apart
    int checkRowStep;
    int editGap;  // an extra amount's edit below its check box
};

// Each amount with its box, the caption above it and "万円" beside it.
struct AmountRow {
    std::string_view box;
    Point at;
    bool bold;
    std::string_view caption;
    std::size_t figure;  // its caption's place in captions::kFigures
    int captionWidth;
    Colour captionColour;
    std::string_view unit;
};
constexpr AmountRow kAmounts[] = {
    {"SText12", {8, 104}, false, "Label23", 11, 95, C::Red, "Label24"},
    {"SText13", {160, 104}, false, "Label25", 12, 64, C::Black, "Label26"},
    {"SText6", {8, 168}, false, "Label2", 9, 64, C::WindowText, "Label21"},
    {"SText7", {160, 168}, false, "Label3", 10, 48, C::WindowText, "Label22"},
    {"SText9", {8, 232}, false, "Label4", 6, 64, C::WindowText, "Label19"},
    {"SText3", {160, 232}, false, "Label5", 7, 80, C::WindowText, "Label20"},
    {"SText10", {8, 296}, false, "Label9", 3, 64, C::WindowText, "Label17"},
    {"SText2", {160, 296}, false, "Label10", 4, 80, C::WindowText, "Label18"},
    {"SText4", {8, 360}, true, "Label12", 0, 80, C::Red, "Label15"},
    {"SText1", {160, 360}, false, "Label13", 1, 80, C::WindowText, "Label16"},
};

// Each rate beside the amount it governs: a result box in the main window, an edit in the
// calculator, with the "％" beside it.
struct RateRow {
    int top;  // its "％" label's; a rate edit stands 4 pixels higher
    std::string_view unit;
    std::string_view box;
    std::string_view edit;
};
constexpr RateRow kRates[] = {
    {216, "Label8", "SText8", "Edit4"},
    {280, "Label11", "SText11", "Edit5"},
    {344, "Label14", "SText5", "Edit6"},
};

constexpr int kWorkGroup = 1;
constexpr int kRateModeGroup = 2;

Control Make(std::string_view name, K kind, std::string_view parent, std::string_view caption,
             Rect at, Font font, Colour colour) {
    Control c;
    c.name = name;
    c.kind = kind;
    c.parent = parent;
    c.caption = caption;
    c.at = at;
    c.font = font;
    c.colour = colour;
    return c;
}

void AddInput(Window& w, const Design& d) {
    w.controls.push_back(Make("Label1", K::Label, "", d.inputCaption, {8, 8, d.inputCaptionWidth, 16},
                              {16}, C::Blue));
    w.controls.push_back(Make("Edit1", K::Edit, "", "0", {8, 32, 169, 27}, {19, true}, C::WindowText));
    w.controls.push_back(Make("Label6", K::Label, "", captions::kYen, {184, 40, 32, 16}, {16},
                              C::WindowText));
    // The buttons belong to the area itself and are drawn over the frame, made before them.
    w.controls.push_back(
        Make("RadioGroup1", K::CaptionFrame, "", captions::kWork, {224, 8, 273, 57}, {16}, C::Blue));
    constexpr std::array<Rect, 3> at = {{{240, 32, 89, 17}, {352, 32, 57, 17}, {432, 32, 57, 17}}};
    for (std::size_t i = 0; i < 3; ++i) {
        Control rb = Make("rb" + std::to_string(i + 1), K::RadioButton, "",
                          captions::kWorkNames[i].name, at[i], {16}, C::WindowText);
        rb.group = kWorkGroup;
        rb.checked = i == 0;
        w.controls.push_back(rb);
    }
}

void AddAmounts(Window& w) {
    for (const AmountRow& a : kAmounts) {
        w.controls.push_back(Make(a.caption, K::Label, "", captions::kFigures[a.figure],
                                  {a.at.x, a.at.y - 16, a.captionWidth, 16}, {16}, a.captionColour));
        w.controls.push_back(
            Make(a.box, K::ResultBox, "", "0", {a.at.x, a.at.y, 80, 17}, {16, a.bold}, C::WindowText));
        w.controls.push_back(Make(a.unit, K::Label, "", captions::kYen, {a.at.x + 80, a.at.y, 26, 13},
                                  {13}, C::WindowText));
    }
    w.controls.push_back(Make("Label7", K::Label, "", "５％", {280, 152, 22, 13}, {13}, C::WindowText));
    for (const RateRow& r : kRates)
        w.controls.push_back(Make(r.unit, K::Label, "", captions::kPercent, {290, r.top, 13, 13}, {13},
                                  C::WindowText));
}

void AddExpenses(Window& w, const Design& d) {
    w.controls.push_back(Make("GroupBox1", K::CaptionFrame, "", captions::kExpenses,
                              {328, 88, 169, d.expensesHeight}, {16}, C::Blue));
    const std::string_view g = "GroupBox1";
    const int row1 = d.firstCheckRow, row2 = row1 + d.checkRowStep, row3 = row2 + d.checkRowStep;
    const int gap = d.editGap;
    const auto extra = [&](std::string_view box, std::string_view caption, std::string_view edit,
                           std::string_view unit, int row) {
        w.controls.push_back(Make(box, K::CheckBox, g, caption, {8, row, 153, 17}, {12}, C::Black));
        w.controls.push_back(Make(edit, K::Edit, g, "0", {48, row + gap, 73, 24}, {16, true}, C::Black));
        w.controls.push_back(
            Make(unit, K::Label, g, captions::kYen, {120, row + gap + 8, 26, 13}, {13}, C::Black));
    };
    extra("CheckBox1", captions::kExtraInNet, "Edit2", "Label27", row1);
    extra("CheckBox2", captions::kExtraNoOverhead, "Edit3", "Label28", row2);
    w.controls.push_back(
        Make("CheckBox3", K::CheckBox, g, captions::kNoCommonTemp, {8, row3, 137, 17}, {12}, C::Black));
}

void AddBottom(Window& w, const Design& d) {
    const std::string credit = std::string(d.product) + "　　for  " + std::string(kMakerCredit) +
                               "    Ver  " + std::string(kVersion) + " ";
    w.controls.push_back(Make("Label29", K::Label, "", credit, d.credit, {12, false, true}, C::Teal));
    w.controls.push_back(
        Make("Button2", K::PushButton, "", "クリア", {8, 408, 105, 41}, {16}, C::WindowText));
    w.controls.push_back(Make("Button1", K::PushButton, "", "計　        　算", {128, 408, 249, 41},
                              {16}, C::WindowText));
}

// The keys and the result area's menu both windows have.
void AddCommands(Window& w) {
    w.keys = {{Key::Escape, false, Command::None},
              {Key::C, true, Command::CopyBreakdown},
              {Key::P, true, Command::Print},
              {Key::B, true, Command::OpenBatch}};
    w.resultMenu = {{"内訳をコピー", Command::CopyBreakdown, false},
                    {"印刷…", Command::Print, true},
                    {"PDFとして保存…", Command::SavePdf, false},
                    {"一括計算…", Command::OpenBatch, true}};
    w.defaultButton = "Button1";
}

}  // namespace

Window MainForm::Describe() {
    Window w;
    w.name = "Form1";
    w.title = "Zanvoro!Pro";
    w.client = w.extent = {508, 462};
    w.position = {279, 139};
    w.border = Border::FixedSingle;
    w.background = C::Light3D;
    w.font = {16};
    const Design d{captions::kTarget, 127, "Zanvoro！Pro", {80, 392, 343, 12}, 249, 48, 72, 24};
    AddInput(w, d);
    AddAmounts(w);
    for (const RateRow& r : kRates)
        w.controls.push_back(Make(r.box, K::ResultBox, "", "0", {240, r.top, 50, 17}, {16}, C::WindowText));
    AddExpenses(w, d);
    AddBottom(w, d);
    Control exit = Make("BitBtn1", K::PushButton, "", "終了(&C)", {392, 408, 105, 41}, {16},
                        C::WindowText);
    exit.picture = Picture::Door;
    w.controls.push_back(exit);

    w.tabOrders = {{"SText1", "SText2", "SText3", "Button1", "Edit1", "SText6", "SText7", "SText8",
                    "SText9", "SText10", "SText11", "SText4", "SText5", "RadioGroup1", "rb1", "rb2",
                    "rb3", "BitBtn1", "Button2", "SText12", "SText13", "GroupBox1"},
                   {"CheckBox1", "CheckBox2", "CheckBox3", "Edit2", "Edit3"}};
    w.menuBar = {{"N1", "ファイル", Command::None,
                  {{"N3", "Pelmaroを呼ぶ", Command::ShowCalculator, {}},
                   {"N4", "-", Command::None, {}},
                   {"Exit1", "終了", Command::Close, {}}}},
                 {"N2", "ヘルプ", Command::None, {{"N5", "バージョン情報", Command::ShowAbout, {}}}}};
    AddCommands(w);
    w.defaultFramed = {"Button1"};
    w.firstFocus = "Button1";
    return w;
}

Window CalculatorForm::Describe() {
    Window w;
    w.name = "Form3";
    w.title = "Pelmaro!";
    w.client = {508, 458};
    w.extent = {497, 449};
    w.position = {508, 213};
    w.border = Border::Sizeable;
    w.background = C::ButtonFace;
    w.font = {12};
    const Design d{captions::kDirectTarget, 112, "Pelmaro！", {88, 392, 326, 12}, 289, 32, 64, 16};
    AddInput(w, d);
    AddAmounts(w);
    AddExpenses(w, d);
    AddBottom(w, d);
    for (const RateRow& r : kRates)
        w.controls.push_back(
            Make(r.edit, K::Edit, "", "0", {240, r.top - 4, 50, 20}, {16}, C::WindowText));
    // Disabled by their initial state, not by a handler.
    for (Control& c : w.controls)
        if (c.name == "Edit2" || c.name == "Edit3") c.enabled = false;
    Control automatic = Make("RadioButton1", K::RadioButton, "GroupBox1", "経費率　自動入力",
                             {8, 216, 113, 17}, {12}, C::Black);
    automatic.group = kRateModeGroup;
    automatic.checked = true;
    Control manual = Make("RadioButton2", K::RadioButton, "GroupBox1", "経費率　手動入力",
                          {8, 264, 113, 17}, {12}, C::Black);
    manual.group = kRateModeGroup;
    w.controls.push_back(automatic);
    w.controls.push_back(manual);
    w.controls.push_back(
        Make("OKButton", K::PushButton, "", "閉じる", {391, 404, 106, 45}, {16}, C::WindowText));

    w.tabOrders = {{"RadioGroup1", "Edit1", "rb1", "rb2", "rb3", "SText12", "SText13", "SText6",
                    "SText7", "SText9", "SText3", "SText10", "SText2", "SText4", "SText1",
                    "GroupBox1", "Button2", "Button1", "OKButton", "Edit4", "Edit5", "Edit6"},
                   {"CheckBox1", "CheckBox2", "CheckBox3", "Edit2", "Edit3", "RadioButton1",
                    "RadioButton2"}};
    AddCommands(w);
    // Both are default buttons; Enter goes to Button1, the first of them.
    w.defaultFramed = {"Button1", "OKButton"};
    w.firstFocus = "Edit1";
    return w;
}

Window DescribeAboutBox() {
    Window w;
    w.name = "AboutBox";
    w.title = "ﾊﾞｰｼﾞｮﾝ情報";
    w.client = w.extent = {298, 213};
    w.centred = true;
    w.border = Border::DialogFrame;
    w.background = C::ButtonFace;
    w.font = {12};
    const Font font{12};
    w.controls.push_back(Make("Panel1", K::BevelPanel, "", "", {8, 8, 281, 161}, font, C::WindowText));
    Control icon = Make("ProgramIcon", K::Picture, "Panel1", "", {24, 16, 32, 32}, font, C::WindowText);
    icon.picture = Picture::ProgramIcon;
    w.controls.push_back(icon);
    const std::string product = "Zanvoro! Pro";
    w.controls.push_back(
        Make("ProductName", K::Label, "Panel1", product, {88, 16, 108, 12}, font, C::WindowText));
    w.controls.push_back(Make("Version", K::Label, "Panel1", "Version " + std::string(kVersion),
                              {96, 32, 71, 12}, font, C::WindowText));
    w.controls.push_back(
        Make("Label1", K::Label, "Panel1", "悪用厳禁 !", {96, 56, 93, 19}, {19, true}, C::Red));
    w.controls.push_back(Make("Copyright", K::Label, "Panel1",
                              "Copyright (C) 2003  " + std::string(kMakerCredit), {8, 80, 235, 12},
                              font, C::WindowText));
    Control contact = Make("Label3", K::Label, "Panel1", "ご意見・ご要望は開発チームまで",
                           {80, 96, 113, 12}, font, C::WindowText);
    contact.wraps = true;
    w.controls.push_back(contact);
    Control site = Make("Label2", K::Label, "Panel1", "zanvoro.example", {80, 136, 116, 12}, font,
                        C::WindowText);
    site.wraps = true;
    w.controls.push_back(site);
    w.controls.push_back(Make("OKButton", K::PushButton, "", "OK", {111, 180, 75, 25}, font, C::WindowText));
    w.tabOrders = {{"Panel1", "OKButton"}};
    w.keys = {{Key::Escape, false, Command::None}};
    w.defaultButton = "OKButton";
    w.defaultFramed = {"OKButton"};
    w.firstFocus = "OKButton";
    return w;
}

}  // namespace forms
