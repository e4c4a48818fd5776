// The calculating windows without a display: their description against the layout table,
// their handlers, and what is said about their estimate.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BatchForm.h"
#include "CalculatingForm.h"
#include "ErrorBox.h"
#include "Report.h"
#include "layout_table.h"

namespace {

forms::Colour ColourOf(layout::Colour c) {
    switch (c) {
    case layout::Colour::Blue: return forms::Colour::Blue;
    case layout::Colour::Red: return forms::Colour::Red;
    case layout::Colour::Teal: return forms::Colour::Teal;
    case layout::Colour::Black: return forms::Colour::Black;
    case layout::Colour::WindowText: break;
    }
    return forms::Colour::WindowText;
}

void CheckRows(const forms::Window& window, const std::vector<layout::Row>& rows) {
    for (const layout::Row& r : rows) {
        SCOPED_TRACE(r.name);
        const forms::ControlId id = window.find(r.name);
        ASSERT_NE(id, forms::kNoControl);
        const forms::Control& c = window.controls[id];
        EXPECT_EQ(c.parent.empty() ? std::string("ClientArea") : c.parent, r.parent);
        EXPECT_EQ(c.at, (forms::Rect{r.left, r.top, r.width, r.height}));
        EXPECT_EQ(c.caption, r.text);
        const std::string style = r.style;
        EXPECT_EQ(c.font, (forms::Font{r.pixels, style.find('b') != std::string::npos,
                                       style.find('i') != std::string::npos}));
        EXPECT_EQ(c.colour, ColourOf(r.colour));
    }
}

TEST(CalculatingForm, DescriptionsFollowTheLayoutTable) {
    CheckRows(forms::MainForm::Describe(), layout::SharedRows());
    CheckRows(forms::MainForm::Describe(), layout::MainRows());
    CheckRows(forms::CalculatorForm::Describe(), layout::SharedRows());
    CheckRows(forms::CalculatorForm::Describe(), layout::CalculatorRows());
    CheckRows(forms::DescribeAboutBox(), layout::AboutRows());
}

// Every name a tab order lists is a control of the window, and every control that takes
// the focus is listed once.
TEST(CalculatingForm, TabOrdersListEveryFocusableControlOnce) {
    for (const forms::Window& w : {forms::MainForm::Describe(), forms::CalculatorForm::Describe(),
                                   forms::DescribeAboutBox()}) {
        SCOPED_TRACE(w.name);
        std::vector<int> listed(w.controls.size(), 0);
        for (const auto& order : w.tabOrders)
            for (const std::string& name : order) {
                ASSERT_NE(w.find(name), forms::kNoControl) << name;
                ++listed[w.find(name)];
            }
        for (forms::ControlId i = 0; i < w.controls.size(); ++i)
            if (w.controls[i].takesFocus()) {
                EXPECT_EQ(listed[i], 1) << w.controls[i].name;
            }
    }
}

// One user's session: what is typed and checked, then 計算, then what the window shows.
struct Session {
    const char* what;
    bool calculator;
    const char* amount;
    const char* work;      // rb1, rb2, rb3
    const char* extra;     // Edit3 with CheckBox2 checked; null: unchecked
    bool manual;           // the calculator's typed rates (10, 20, 10)
    const char* directCost;  // SText4 afterwards
    const char* total;       // SText12
    const char* copied;      // the copy's rows for the amount and the first rate
};

const Session kSessions[] = {
    {"target 0 finds the start", false, "0", "rb1", nullptr, false, "10", "18.5",
     "希望工事費 (税込)\t0\t万円\n工事種類\t道路維持\t\n"},
    {"reference search", false, "15448", "rb1", nullptr, false, "9801", "15447.4",
     "直接工事費\t9801\t万円\n"},
    {"forward, typed rates", true, "100", "rb3", "20", true, "100", "172.5",
     "共通仮設費率\t10\t％\t対象額\t100\t万円\t適用\t手動入力\n"},
};

class Sessions : public testing::TestWithParam<Session> {};

TEST_P(Sessions, FiguresAndCopyFollowTheCalculation) {
    const Session& s = GetParam();
    std::unique_ptr<forms::CalculatingForm> form;
    if (s.calculator)
        form = std::make_unique<forms::CalculatorForm>();
    else {
        auto main = std::make_unique<forms::MainForm>();
        main->FormCreate();
        form = std::move(main);
    }
    std::vector<forms::ControlId> changed;
    int beeps = 0;
    form->setListener([&](forms::ControlId id) { changed.push_back(id); });
    form->setBeep([&] { ++beeps; });
    form->TextTyped(form->id("Edit1"), s.amount);
    form->SetChecked(form->id(s.work), true);
    if (s.extra) {
        form->SetChecked(form->id("CheckBox2"), true);
        form->TextTyped(form->id("Edit3"), s.extra);
    }
    if (s.manual) {
        form->SetChecked(form->id("RadioButton2"), true);
        for (const char* rate : {"Edit4", "Edit5", "Edit6"}) form->TextTyped(form->id(rate), "10");
        form->TextTyped(form->id("Edit5"), "20");
    }
    EXPECT_EQ(form->state("Edit3").enabled, s.extra != nullptr);
    form->Button1Click();
    EXPECT_EQ(form->state("SText4").text, s.directCost);
    EXPECT_EQ(form->state("SText12").text, s.total);
    EXPECT_EQ(beeps, s.calculator ? 0 : 1);
    // Exactly one work category checked, the others told they are not.
    int checked = 0;
    for (const char* rb : {"rb1", "rb2", "rb3"}) checked += form->state(rb).checked;
    EXPECT_EQ(checked, 1);
    const std::string copy = forms::ClipboardText(form->ReportShown());
    EXPECT_NE(copy.find(s.copied), std::string::npos) << copy;

    // クリア: every figure "0", the extra's box unchecked and its edit disabled again; the
    // work category stays.
    form->Button2Click();
    for (const forms::Figure& f : form->figures()) EXPECT_EQ(form->state(f.value).text, "0");
    EXPECT_FALSE(form->state("CheckBox2").checked);
    EXPECT_FALSE(form->state("Edit3").enabled);
    EXPECT_EQ(form->state("Edit3").text, "0");
    EXPECT_TRUE(form->state(s.work).checked);
}

INSTANTIATE_TEST_SUITE_P(Windows, Sessions, testing::ValuesIn(kSessions));

TEST(CalculatingForm, AFailedCalculationKeepsTheFiguresShown) {
    forms::MainForm form;
    form.FormCreate();
    form.TextTyped(form.id("Edit1"), "185.1");
    form.Button1Click();
    form.TextTyped(form.id("Edit1"), "abc");
    EXPECT_THROW(form.Button1Click(), costmodel::ConversionError);
    EXPECT_EQ(form.state("SText4").text, "101");
    // The copy still names the input the figures came from.
    EXPECT_NE(forms::ClipboardText(form.ReportShown()).find("希望工事費 (税込)\t185.1\t万円\n"),
              std::string::npos);
}

TEST(CalculatingForm, ScreenReaderNamesFollowTheState) {
    forms::MainForm form;
    form.FormCreate();
    form.TextTyped(form.id("Edit1"), "15448");
    form.Button1Click();
    const struct {
        const char* control;
        const char* name;
    } names[] = {{"Button1", "計算"},
                 {"BitBtn1", "終了"},
                 {"Edit1", "希望工事費 (税込)"},
                 {"Edit2", "直工だけに含まない金額"},
                 {"SText4", "直接工事費 9801 万円"},
                 {"SText12", "工事費 (概算) 15447.4 万円"},
                 {"Edit3", "全経費を掛けない金額"},
                 {"Label23", ""}};
    for (const auto& n : names) EXPECT_EQ(form.AccessibleName(form.id(n.control)), n.name) << n.control;
}

TEST(Report, SpokenCaptions) {
    const struct {
        const char* caption;
        const char* spoken;
    } rows[] = {{"計　        　算", "計算"},
                {"終了(&C)", "終了"},
                {"&OK", "OK"},
                {"希望工事費 (税込)", "希望工事費 (税込)"},
                {"経費率　自動入力", "経費率自動入力"},
                {"  A  B ", "A B"}};
    for (const auto& r : rows) EXPECT_EQ(forms::SpokenCaption(r.caption), r.spoken) << r.caption;
}

TEST(Report, DescribedNames) {
    const forms::Window about = forms::DescribeAboutBox(), batch = forms::BatchWindow();
    const struct {
        const forms::Window* window;
        const char* control;
        const char* name;
    } names[] = {{&about, "Panel1", "Zanvoro! Pro"},  {&about, "ProgramIcon", "Zanvoro!"},
                 {&about, "OKButton", "OK"},          {&about, "Version", ""},
                 {&batch, "Edit2", "直工だけに含まない金額"}, {&batch, "Edit3", "全経費を掛けない金額"},
                 {&batch, "Button1", "貼り付け"},     {&batch, "Label1", ""}};
    for (const auto& n : names)
        EXPECT_EQ(forms::DescribedName(*n.window, n.window->find(n.control)), n.name) << n.control;
}

}  // namespace

namespace {

// The error box shows every message whole, NUL bytes included, with its full stop.
TEST(ErrorBox, ShowsTheWholeCompletedMessage) {
    using namespace std::string_literals;
    const std::string nul = "不明な見出し '見出\0し' (2 列目)"s;
    const struct {
        std::exception_ptr error;
        std::string shown;
    } rows[] = {
        {std::make_exception_ptr(costmodel::ConversionError(nul + "です")), nul + "です."},
        {std::make_exception_ptr(costbatch::InputError(nul)), nul},
        {std::make_exception_ptr(std::runtime_error("disk full")), "disk full."},
    };
    for (const auto& row : rows) {
        try {
            std::rethrow_exception(row.error);
        } catch (const std::exception& e) {
            const forms::ErrorBox box = forms::ErrorBoxFor(e);
            EXPECT_EQ(box.title, "Zanvoro!");
            EXPECT_EQ(box.message, row.shown);
        }
    }
}

}  // namespace
