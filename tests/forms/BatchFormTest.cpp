// The batch window's rules, as any face shows them.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "BatchForm.h"

using costbatch::Direction;
using forms::BatchForm;

namespace {

// Every slice ends after its first 32 rows: computing stops where the test says.
constexpr std::chrono::milliseconds kNoTime{0};

std::string Lines(const std::string& line, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out += line + "\n";
    return out;
}

struct StatusCase {
    std::string pasted;  // empty: nothing
    int slices;          // after the first; -1: to the end
    bool cancel;
    std::string status;
    bool running;
    std::size_t done;  // the progress bar's value while running
};

TEST(BatchForm, StatusInEachState) {
    const StatusCase cases[] = {
        {"", 0, false, "表を貼り付けるか (Ctrl+V)、CSV・TSV ファイルを開いてください", false, 0},
        {Lines("100", 1000), 0, false, "計算中… 32 / 1,000 行", true, 32},
        {Lines("100", 1000), 2, false, "計算中… 96 / 1,000 行", true, 96},
        {Lines("100", 1000), 1, true, "取消: 1,000 行のうち 64 行を計算しました", false, 0},
        {Lines("x", 40) + Lines("100", 960), 0, true,
         "取消: 1,000 行のうち 32 行を計算しました、うちエラー 32 行", false, 0},
        {"100\nabc\n200\n", -1, false, "3 行、うちエラー 1 行", false, 0},
        {Lines("100", 1234), -1, true, "1,234 行", false, 0},
    };
    for (const StatusCase& c : cases) {
        SCOPED_TRACE(c.status);
        BatchForm form(kNoTime);
        if (!c.pasted.empty()) form.Paste(c.pasted);
        for (int i = 0; c.slices < 0 ? form.Computing() : i < c.slices; ++i) form.ComputeSlice();
        if (c.cancel) form.Cancel();
        const forms::BatchProgress p = form.Progress();
        EXPECT_EQ(p.status, c.status);
        EXPECT_EQ(p.progressVisible, c.running);
        EXPECT_EQ(p.cancelVisible, c.running);
        if (c.running) {
            EXPECT_EQ(p.progressValue, c.done);
            EXPECT_EQ(p.progressMaximum, 1000u);
        }
        const bool saved = !c.pasted.empty() && !c.running;
        EXPECT_EQ(p.saveEnabled, saved);
        EXPECT_EQ(p.copyEnabled, saved);
    }
}

// What a face is asked to show after each event, in order.
struct Recorder final : forms::BatchView {
    std::string said;
    void ShowSettings() override { said += "settings "; }
    void FitColumns() override { said += "columns "; }
    void Slicing(bool on) override { said += on ? "slicing " : "idle "; }
    void ShowProgress() override { said += "progress "; }
};

TEST(BatchForm, TellsTheFaceWhatToShow) {
    const struct {
        const char* event;
        int rows;  // pasted before the face looks; the first 32 are computed at once
        std::function<void(BatchForm&)> run;
        std::string said;
    } cases[] = {
        {"a paste", 0, [](BatchForm& f) { f.Paste(Lines("100", 1000)); },
         "settings columns slicing progress "},
        {"a slice", 1000, [](BatchForm& f) { f.ComputeSlice(); }, "progress "},
        {"the last slice", 40, [](BatchForm& f) { f.ComputeSlice(); }, "idle progress "},
        {"cancel", 1000, [](BatchForm& f) { f.Cancel(); }, "idle progress "},
        {"the same settings", 1000, [](BatchForm& f) { f.TakeSettings(f.Settings()); }, "settings "},
        {"other settings", 1000, [](BatchForm& f) { f.TakeSettings({Direction::Forward}); },
         "settings columns slicing progress "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.event);
        BatchForm form(kNoTime);
        if (c.rows > 0) form.Paste(Lines("100", c.rows));
        Recorder view;
        form.SetView(&view);
        c.run(form);
        EXPECT_EQ(view.said, c.said);
    }
}

// Given up: the rows computed keep their figures, the others say so in grey; nothing more
// is computed.
TEST(BatchForm, CancelKeepsComputedRows) {
    BatchForm form(kNoTime);
    form.Paste(Lines("1000", 100));
    form.Cancel();
    const forms::BatchRows& rows = form.Rows();
    const std::size_t result = rows.Columns() - 1;
    EXPECT_FALSE(form.ComputeSlice());
    EXPECT_EQ(rows.Computed(), 32u);
    EXPECT_EQ(rows.Cell(31, result), "");
    EXPECT_FALSE(rows.Cell(31, result - 1).empty());
    EXPECT_EQ(rows.Cell(32, 0), "1000");
    EXPECT_EQ(rows.Cell(32, result), "取消");
    EXPECT_EQ(rows.CellColour(32, result), forms::Colour::Grey);
    EXPECT_EQ(rows.CellColour(31, result), std::nullopt);
}

// Texts count only where their box is checked; every other setting always does.
TEST(BatchForm, SameSettingsAndRecomputing) {
    struct Case {
        void (*change)(BatchForm&);
        bool same;  // as the settings before
        bool recomputed;
    };
    const Case cases[] = {
        {[](BatchForm& f) { f.SetExtraInNetText("5"); }, true, false},
        {[](BatchForm& f) { f.SetExtraNoOverheadText("5"); }, true, false},
        {[](BatchForm& f) { f.SetExtraInNet(true); }, false, true},
        {[](BatchForm& f) { f.SetExtraNoOverhead(true); }, false, true},
        {[](BatchForm& f) { f.SetNoCommonTemp(true); }, false, true},
        {[](BatchForm& f) { f.SetWork(costmodel::WorkType::Renovation); }, false, true},
        {[](BatchForm& f) { f.SetDirection(Direction::Forward); }, false, true},
        {[](BatchForm& f) {
             f.SetExtraInNet(true);
             f.ApplySettings();
             f.SetExtraInNetText("7");
         },
         false, true},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        BatchForm form;
        form.Paste("100\n");
        const costbatch::Settings before = form.Settings();
        cases[i].change(form);
        EXPECT_EQ(forms::SameSettings(before, form.Settings()), cases[i].same);
        EXPECT_EQ(form.ApplySettings(), cases[i].recomputed);
        EXPECT_FALSE(form.ApplySettings());
    }
    BatchForm empty;
    EXPECT_FALSE(empty.TakeSettings({Direction::Forward}));
    EXPECT_EQ(empty.Settings().direction, Direction::Forward);
    EXPECT_THROW(empty.Paste("\"100\n"), costbatch::InputError);
    EXPECT_FALSE(empty.HasRows());
}

// A caption row names the direction and holds it; without one the settings do.
TEST(BatchForm, CaptionRowDecidesTheDirection) {
    struct Case {
        const char* pasted;
        Direction taken;  // from a calculating window afterwards
        Direction shown;
        bool enabled;
    };
    const Case cases[] = {
        {"希望直接工事費\n100\n", Direction::Reverse, Direction::Forward, false},
        {"希望工事費 (税込)\t工事種類\n100\t新営\n", Direction::Forward, Direction::Reverse, false},
        {"100\n", Direction::Forward, Direction::Forward, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pasted);
        BatchForm form;
        form.Paste(c.pasted);
        costbatch::Settings taken;
        taken.direction = c.taken;
        form.TakeSettings(taken);
        EXPECT_EQ(form.Settings().direction, c.shown);
        EXPECT_EQ(form.DirectionEnabled(), c.enabled);
        EXPECT_EQ(form.DirectionTip(),
                  c.enabled ? "" : "向きは表の見出し行 (金額の列) で決まります");
    }
    EXPECT_EQ(forms::batchtext::DirectionCaption(Direction::Reverse), "希望工事費 (税込) → 内訳");
    EXPECT_EQ(forms::batchtext::DirectionCaption(Direction::Forward), "希望直接工事費 → 内訳");
}

// The rows and columns that hold a selected cell, each once and in order, under their
// captions.
TEST(BatchForm, SelectionText) {
    struct Case {
        std::vector<forms::CellRange> ranges;
        std::string text;
    };
    const Case cases[] = {
        {{{0, 0, 0, 0}, {2, 2, 0, 0}}, "希望工事費 (税込)\n100\n300\n"},
        {{{1, 2, 0, 0}, {0, 1, 0, 0}}, "希望工事費 (税込)\n100\n200\n300\n"},
        {{{2, 2, 1, 1}, {0, 0, 0, 0}}, "希望工事費 (税込)\t\n100\ta\n300\tc\n"},
    };
    BatchForm form;
    form.Paste("100\ta\n200\tb\n300\tc\n");
    for (const Case& c : cases) EXPECT_EQ(forms::SelectionText(form.Rows(), c.ranges), c.text);
    const std::string all = forms::SelectionText(form.Rows(), {});
    EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 4);
    EXPECT_EQ(std::count(all.begin(), all.end(), '\t'), 4 * 15);
    EXPECT_EQ(form.Rows().ColumnName(1), "2 列目");
}

// The face finds every control the tab orders and first focus name.
TEST(BatchForm, DescriptionNamesItsControls) {
    const forms::Window window = forms::BatchWindow();
    for (const std::vector<std::string>& order : window.tabOrders)
        for (const std::string& name : order) EXPECT_NE(window.find(name), forms::kNoControl) << name;
    EXPECT_NE(window.find(window.firstFocus), forms::kNoControl);
}

}  // namespace
