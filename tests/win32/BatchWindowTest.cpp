// The batch window under Wine, through its own controls: pasted rows as the windows compute
// them, cancelling, files written and read back, and files that fail.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Drive.h"
#include "ErrorBox.h"
#include "Shell.h"
#include "TableFiles.h"
#include "TestControls.h"
#include "Text.h"

namespace {

using zanvoro::win32::BatchWindow;
using zanvoro::win32::TextOf;
using zanvoro::win32::Wide;
using win32test::App;
using win32test::Press;
using win32test::WhileModal;

void Finish(const BatchWindow& batch) {
    while (batch.form().Computing()) zanvoro::win32::PumpMessage();
}

std::wstring Cell(const BatchWindow& batch, std::size_t row, std::size_t column) {
    wchar_t text[1100] = {};
    LVITEMW item{};
    item.iSubItem = static_cast<int>(column + 1);
    item.pszText = text;
    item.cchTextMax = 1100;
    SendMessageW(batch.control("Grid1"), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

// The text of the error box shown while `act` runs, closed at once; empty when none came.
std::wstring gBoxText;
void CALLBACK CloseErrorBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = win32test::ShownOfThisThread(L"#32770");
    if (!box) return;
    gBoxText = TextOf(GetDlgItem(box, 0xFFFF));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    KillTimer(nullptr, timer);
}
std::wstring ErrorBoxDuring(const std::function<void()>& act) {
    gBoxText.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseErrorBox);
    zanvoro::win32::RunHandler(act);
    KillTimer(nullptr, timer);
    return gBoxText;
}

// From the modal calculator window, Ctrl+B opens the batch window modal in its turn, with
// the calculator's direction; closed, the calculator takes input again.
TEST(Win32Batch, OpensModallyOverTheCalculator) {
    zanvoro::win32::FormWindow& calculator = App().calculatorWindow();
    bool shown = false, calculatorEnabled = true;
    auto direction = costbatch::Direction::Reverse;
    WhileModal([&] {
        WhileModal([&] {
            const BatchWindow& batch = App().batchWindow();
            shown = IsWindowVisible(batch.frame());
            calculatorEnabled = IsWindowEnabled(calculator.frame());
            direction = batch.form().Settings().direction;
            PostMessageW(batch.frame(), WM_CLOSE, 0, 0);
        });
        SetFocus(calculator.control("Edit1"));
        Press('B', true);
        EXPECT_TRUE(IsWindowEnabled(calculator.frame()));
        PostMessageW(calculator.frame(), WM_CLOSE, 0, 0);
    });
    HMENU file = GetSubMenu(GetMenu(App().mainWindow().frame()), 0);
    SendMessageW(App().mainWindow().frame(), WM_COMMAND, GetMenuItemID(file, 0), 0);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(calculatorEnabled);
    EXPECT_EQ(direction, costbatch::Direction::Forward);
}

// Ten thousand amounts from a spreadsheet, two of them refused, through Ctrl+B from the
// window and Ctrl+V in the batch window: every cell as the window's own calculation shows it.
TEST(Win32Batch, PastedRowsAreTheWindowsFigures) {
    const struct {
        costbatch::Direction direction;
        std::function<std::unique_ptr<forms::CalculatingForm>()> window;
    } runs[] = {
        {costbatch::Direction::Reverse,
         [] {
             auto main = std::make_unique<forms::MainForm>();
             main->FormCreate();
             return main;
         }},
        {costbatch::Direction::Forward, [] { return std::make_unique<forms::CalculatorForm>(); }},
    };
    SetForegroundWindow(App().mainWindow().frame());
    SetFocus(App().mainWindow().control("Edit1"));
    Press('B', true);
    BatchWindow& batch = App().batchWindow();
    ASSERT_TRUE(IsWindowVisible(batch.frame()));
    std::vector<std::string> amounts;
    for (int i = 0; i < 10'000; ++i)
        amounts.push_back(i == 17 ? "abc" : i == 4242 ? "-5" : std::to_string(10 + i * 7.3));
    std::string pasted;
    for (const std::string& a : amounts) pasted += a + "\r\n";

    for (const auto& run : runs) {
        SCOPED_TRACE(static_cast<int>(run.direction));
        costbatch::Settings settings;
        settings.direction = run.direction;
        batch.TakeSettingsFrom(settings);
        ASSERT_TRUE(win32test::SetClipboard(Wide(pasted)));
        SetFocus(batch.control("Grid1"));
        Press('V', true);
        Finish(batch);
        ASSERT_EQ(batch.form().Rows().Size(), amounts.size());
        const std::size_t result = batch.form().Rows().Columns() - 1;
        for (std::size_t row = 0; row < amounts.size(); ++row) {
            std::unique_ptr<forms::CalculatingForm> window = run.window();
            window->TextTyped(window->id("Edit1"), amounts[row]);
            std::wstring message;
            try {
                window->Button1Click();
            } catch (const std::exception& e) {
                message = Wide(forms::ErrorBoxFor(e).message);
            }
            ASSERT_EQ(Cell(batch, row, result), message) << row;
            for (std::size_t f = 0; f < window->figures().size(); ++f)
                ASSERT_EQ(Cell(batch, row, f + 1),
                          message.empty() ? Wide(window->state(window->figures()[f].value).text)
                                          : L"")
                    << row << " " << f;
        }
    }
}

// Esc gives up on the rows not yet computed; those computed stay, and the window says so.
TEST(Win32Batch, EscapeCancels) {
    BatchWindow& batch = App().batchWindow();
    std::string pasted;
    for (int i = 0; i < 300'000; ++i) pasted += std::to_string(100 + i) + "\n";
    ASSERT_TRUE(win32test::SetClipboard(Wide(pasted)));
    SendMessageW(batch.control("Button1"), BM_CLICK, 0, 0);
    ASSERT_TRUE(batch.form().Computing());
    EXPECT_TRUE(IsWindowVisible(batch.control("Button5")));
    SetFocus(batch.control("Grid1"));
    Press(VK_ESCAPE);
    const forms::BatchRows& rows = batch.form().Rows();
    EXPECT_FALSE(batch.form().Computing());
    EXPECT_LT(rows.Computed(), rows.Size());
    EXPECT_FALSE(IsWindowVisible(batch.control("Button5")));
    EXPECT_EQ(TextOf(batch.control("Label3")).rfind(L"取消: 300,000 行のうち ", 0), 0u);
    EXPECT_EQ(Cell(batch, rows.Size() - 1, rows.Columns() - 1), L"取消");
}

// Ctrl+C in the table copies the rows selected with the captions, or every row when none is.
TEST(Win32Batch, CopiesTheSelectedRowsOrAll) {
    BatchWindow& batch = App().batchWindow();
    batch.PasteText("15448\nabc\n2000\n100\n");
    Finish(batch);
    const forms::BatchRows& rows = batch.form().Rows();
    const std::size_t last = rows.Columns() - 1;
    const std::vector<std::vector<forms::CellRange>> rowsSelected = {
        {}, {{1, 2, 0, last}}, {{0, 0, 0, last}, {3, 3, 0, last}}};
    HWND grid = batch.control("Grid1");
    for (const auto& ranges : rowsSelected) {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED;
        SendMessageW(grid, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
        state.state = LVIS_SELECTED;
        for (const forms::CellRange& r : ranges)
            for (std::size_t row = r.top; row <= r.bottom; ++row)
                SendMessageW(grid, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
        SetFocus(grid);
        Press('C', true);
        EXPECT_EQ(win32test::Clipboard(), Wide(forms::SelectionText(rows, ranges))) << ranges.size();
    }
}

std::wstring TempPath(const wchar_t* name) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + name;
}

std::wstring Everything(const BatchWindow& batch) {
    return Wide(forms::SelectionText(batch.form().Rows(), {}));
}

// Each format the save dialog offers writes what reads back as the same rows.
TEST(Win32Batch, SavedFilesReadBack) {
    BatchWindow& batch = App().batchWindow();
    batch.PasteText("工事種類\t希望工事費 (税込)\n道路維持\t15448\n改修\t2000\n新営\tx\n");
    Finish(batch);
    const std::wstring shown = Everything(batch);
    const struct {
        std::size_t choice;
        const wchar_t* name;
        const char* start;
    } rows[] = {{0, L"batch-utf8", "\xEF\xBB\xBF" "工事種類,"},
                {1, L"batch-sjis", "\x8D\x48\x8E\x96\x8E\xED\x97\xDE,"},
                {2, L"batch-tsv.txt", "工事種類\t"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.choice);
        const forms::SaveTarget target =
            forms::ResolveSave(zanvoro::win32::Utf8(TempPath(r.name)), r.choice);
        batch.SaveFile(Wide(target.path), target.format, target.encoding);
        std::FILE* file = _wfopen(Wide(target.path).c_str(), L"rb");
        ASSERT_NE(file, nullptr);
        std::string start(std::string_view(r.start).size(), '\0');
        start.resize(std::fread(start.data(), 1, start.size(), file));
        std::fclose(file);
        EXPECT_EQ(start, r.start);
        batch.PasteText("1\n");
        Finish(batch);
        batch.OpenFile(Wide(target.path));
        Finish(batch);
        EXPECT_EQ(Everything(batch), shown);
        DeleteFileW(Wide(target.path).c_str());
    }
}

// A file that cannot be read or written: the error box, and the rows and files as they were.
TEST(Win32Batch, FailingFilesChangeNothing) {
    BatchWindow& batch = App().batchWindow();
    // A character Shift-JIS lacks: its save fails after the rows before it were written.
    batch.PasteText("15448\n\xF0\x9F\x98\x80\n");
    Finish(batch);
    const std::wstring before = Everything(batch), status = TextOf(batch.control("Label3"));
    const std::wstring bad = TempPath(L"batch-bad.csv");
    std::FILE* file = _wfopen(bad.c_str(), L"wb");
    std::fputs("\"open quote\n", file);
    std::fclose(file);
    const struct {
        std::function<void()> act;
        const wchar_t* message;  // its start
    } rows[] = {
        {[&] { batch.OpenFile(TempPath(L"no-such-file.csv")); }, L"'no-such-file.csv' を開けません ("},
        {[&] { batch.OpenFile(bad); }, L"batch-bad.csv: "},
        {[&] {
             batch.SaveFile(L"Z:\\no\\such\\folder\\out.csv", costbatch::Format::Csv,
                            costbatch::Encoding::Utf8Bom);
         },
         L"'out.csv' に保存できません ("},
        {[&] { batch.SaveFile(bad, costbatch::Format::Csv, costbatch::Encoding::Cp932); },
         L"'batch-bad.csv' に保存できません ("},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(zanvoro::win32::Utf8(r.message));
        const std::wstring message = ErrorBoxDuring(r.act);
        EXPECT_EQ(message.rfind(r.message, 0), 0u) << zanvoro::win32::Utf8(message);
    }
    EXPECT_EQ(Everything(batch), before);
    EXPECT_EQ(TextOf(batch.control("Label3")), status);
    file = _wfopen(bad.c_str(), L"rb");
    char kept[32] = {};
    EXPECT_EQ(std::fread(kept, 1, sizeof kept - 1, file), 12u);
    std::fclose(file);
    EXPECT_STREQ(kept, "\"open quote\n");
    DeleteFileW(bad.c_str());
}

}  // namespace
