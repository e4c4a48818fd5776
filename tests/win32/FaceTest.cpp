// The Win32 windows as another program would see them: places, texts, fonts and colours
// through the windows' own messages, a search and an error through the real controls, and
// the main window disabled under the calculator window.
#include <gtest/gtest.h>
#include <process.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "Application.h"
#include "Drive.h"
#include "Shell.h"
#include "TestControls.h"
#include "Text.h"
#include "layout_table.h"

namespace {

using zanvoro::win32::Application;
using zanvoro::win32::FormWindow;
using zanvoro::win32::TextOf;
using zanvoro::win32::Wide;
using win32test::App;
using win32test::Press;
using win32test::ShownOfThisThread;
using win32test::Type;
using win32test::WhileModal;

// The screen's dpi a run was started for (ScaledAbove96Dpi); 0 when not told.
int TestDpi() {
    wchar_t value[8] = {};
    return GetEnvironmentVariableW(L"ZANVORO_TEST_DPI", value, 8) ? _wtoi(value) : 0;
}

// The rows against the controls of `window`, all of it in screen pixels from its client area.
void CheckRows(FormWindow& window, const std::vector<layout::Row>& rows) {
    if (TestDpi()) {
        ASSERT_EQ(window.scaled(96), TestDpi());
    }
    POINT origin{0, 0};
    ClientToScreen(window.area(), &origin);
    HDC dc = CreateCompatibleDC(nullptr);
    for (const layout::Row& r : rows) {
        SCOPED_TRACE(r.name);
        HWND h = window.control(r.name);
        ASSERT_NE(h, nullptr);
        int left = r.left, top = r.top;
        if (std::string(r.parent) != "ClientArea") {
            const auto& frame = window.description().control(r.parent).at;
            left += frame.left;
            top += frame.top;
        }
        RECT at;
        GetWindowRect(h, &at);
        EXPECT_EQ(at.left - origin.x, window.scaled(left));
        EXPECT_EQ(at.top - origin.y, window.scaled(top));
        // Labels are sized to their texts: in this metric-compatible font the table's size,
        // give or take the pixel of the descent.
        const bool label = window.description().control(r.name).kind == forms::ControlKind::Label;
        const int slack = label ? window.scaled(1) : 0;
        const int width = at.right - at.left, height = at.bottom - at.top;
        EXPECT_GE(width, window.scaled(r.width));
        EXPECT_LE(width, window.scaled(r.width) + slack);
        EXPECT_GE(height, window.scaled(r.height));
        EXPECT_LE(height, window.scaled(r.height) + slack);

        wchar_t text[256] = {};
        SendMessageW(h, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
        EXPECT_EQ(std::wstring(text), Wide(r.text));

        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)), sizeof font, &font);
        const std::string style = r.style;
        EXPECT_EQ(font.lfHeight, -window.scaled(r.pixels));
        EXPECT_EQ(font.lfWeight >= FW_BOLD, style.find('b') != std::string::npos);
        EXPECT_EQ(font.lfItalic != 0, style.find('i') != std::string::npos);
        EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
        EXPECT_EQ(std::wstring(font.lfFaceName), L"ＭＳ Ｐゴシック");

        SendMessageW(window.area(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(h));
        EXPECT_EQ(GetTextColor(dc), win32test::ColourRef(r.colour));
    }
    DeleteDC(dc);
}

TEST(Win32Face, ControlsFollowTheLayoutTable) {
    CheckRows(App().mainWindow(), layout::SharedRows());
    CheckRows(App().mainWindow(), layout::MainRows());
    CheckRows(App().calculatorWindow(), layout::SharedRows());
    CheckRows(App().calculatorWindow(), layout::CalculatorRows());
}

// At 144 dpi every place, size and font height is the table's times 1.5: the layout test
// again, in a run of this program started with the user's dpi at 144 (Wine reads it when a
// program starts), which then checks that its windows were made for that dpi.
TEST(Win32Face, ScaledAbove96Dpi) {
    if (TestDpi()) GTEST_SKIP() << "the run at another dpi itself";
    const wchar_t* desktop = L"Control Panel\\Desktop";
    DWORD before = 0, size = sizeof before, dpi = 144;
    const bool had = RegGetValueW(HKEY_CURRENT_USER, desktop, L"LogPixels", RRF_RT_REG_DWORD,
                                  nullptr, &before, &size) == ERROR_SUCCESS;
    RegSetKeyValueW(HKEY_CURRENT_USER, desktop, L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
    SetEnvironmentVariableW(L"ZANVORO_TEST_DPI", L"144");
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const intptr_t exitCode =
        _wspawnl(_P_WAIT, self, L"win32_tests", L"--gtest_filter=*.ControlsFollowTheLayoutTable", nullptr);
    // The prefix as it was, for every program started after.
    SetEnvironmentVariableW(L"ZANVORO_TEST_DPI", nullptr);
    if (had)
        RegSetKeyValueW(HKEY_CURRENT_USER, desktop, L"LogPixels", REG_DWORD, &before, sizeof before);
    else
        RegDeleteKeyValueW(HKEY_CURRENT_USER, desktop, L"LogPixels");
    EXPECT_EQ(exitCode, 0);
}

TEST(Win32Face, SearchAndErrorThroughTheControls) {
    FormWindow& w = App().mainWindow();
    Type(w.control("Edit1"), L"15448");
    SendMessageW(w.control("Button1"), BM_CLICK, 0, 0);
    EXPECT_EQ(TextOf(w.control("SText4")), L"9801");
    EXPECT_EQ(TextOf(w.control("SText12")), L"15447.4");

    std::wstring title, message;
    WhileModal([&] {
        HWND box = ShownOfThisThread(L"#32770");
        if (!box) return;
        title = TextOf(box);
        message = TextOf(GetDlgItem(box, 0xFFFF));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    Type(w.control("Edit1"), L"abc");
    SendMessageW(w.control("Button1"), BM_CLICK, 0, 0);
    EXPECT_EQ(title, L"Zanvoro!");
    EXPECT_EQ(message, L"'abc' は浮動小数点数ではありません.");
    EXPECT_EQ(TextOf(w.control("SText4")), L"9801");
}

// The user's decimal separator, changed while the program runs, shows in the next results.
TEST(Win32Face, SeparatorReadAgainOnSettingsChange) {
    FormWindow& w = App().mainWindow();
    wchar_t original[8] = {};
    ASSERT_GT(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, original, 8), 0);
    const auto totalWith = [&](const wchar_t* separator) {
        SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator);
        SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"intl"),
                            SMTO_ABORTIFHUNG, 5000, nullptr);
        Type(w.control("Edit1"), L"15448");
        SendMessageW(w.control("Button1"), BM_CLICK, 0, 0);
        return TextOf(w.control("SText12"));
    };
    EXPECT_EQ(totalWith(L","), L"15447,4");
    EXPECT_EQ(totalWith(original), L"15447.4");
}

// A paste far beyond what a message may quote: the error box comes at once, not after a
// hang. Ten thousand digits, not the ten million Windows' own edit takes: Wine's edit spends
// quadratic time in WM_SETTEXT (100,000 characters: 12 s), before any code of ours runs.
TEST(Win32Face, HugePasteAnsweredAtOnce) {
    FormWindow& w = App().mainWindow();
    Type(w.control("Edit1"), std::wstring(10'000, L'7').c_str());
    const auto start = std::chrono::steady_clock::now();
    std::chrono::steady_clock::duration took{};
    std::wstring message;
    WhileModal([&] {
        took = std::chrono::steady_clock::now() - start;
        if (HWND box = ShownOfThisThread(L"#32770")) {
            message = TextOf(GetDlgItem(box, 0xFFFF));
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
    });
    SendMessageW(w.control("Button1"), BM_CLICK, 0, 0);
    EXPECT_EQ(message, L"結果が 4096 文字以上あります.");
    RecordProperty("milliseconds",
                   static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(took).count()));
    EXPECT_LT(took, std::chrono::seconds(5));  // Wine's first message box itself takes ~2 s
    Type(w.control("Edit1"), L"0");
}

// The start request: maximized, or minimized without taking the activation; any other
// request shows the main window normal.
TEST(Win32Face, StartRequestHonoured) {
    struct Row {
        int show;
        bool zoomed, iconic;
    };
    const Row rows[] = {{SW_SHOWMAXIMIZED, true, false},
                        {SW_SHOWMINNOACTIVE, false, true},
                        {SW_MINIMIZE, false, false},
                        {SW_HIDE, false, false}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.show);
        Application app(GetModuleHandleW(nullptr));
        app.Start(r.show);
        HWND h = app.mainWindow().frame();
        EXPECT_TRUE(IsWindowVisible(h));
        EXPECT_EQ(IsZoomed(h) != FALSE, r.zoomed);
        EXPECT_EQ(IsIconic(h) != FALSE, r.iconic);
        if (r.iconic) {
            EXPECT_NE(GetActiveWindow(), h);
        }
    }
}

std::string FocusName(FormWindow& w) {
    for (const forms::Control& c : w.description().controls)
        if (w.control(c.name) == GetFocus()) return c.name;
    return "?";
}

// Tab visits the main window's tab stops in the table's order, the disabled edits skipped,
// and Enter in an edit presses 計算.
TEST(Win32Face, TabAndEnterThroughTheLoop) {
    FormWindow& w = App().mainWindow();
    SetForegroundWindow(w.frame());
    SetFocus(w.control("Button1"));
    std::vector<std::string> visited{FocusName(w)};
    for (std::size_t i = 1; i < layout::MainTabWalk().size(); ++i) {
        Press(VK_TAB);
        visited.push_back(FocusName(w));
    }
    EXPECT_EQ(visited, std::vector<std::string>(layout::MainTabWalk().begin(),
                                                layout::MainTabWalk().end()));

    // Enter shows what a click on 計算 shows.
    Type(w.control("Edit1"), L"100");
    SendMessageW(w.control("Button1"), BM_CLICK, 0, 0);
    const std::wstring clicked = TextOf(w.control("SText12"));
    SendMessageW(w.control("Button2"), BM_CLICK, 0, 0);
    ASSERT_EQ(TextOf(w.control("SText12")), L"0");
    Type(w.control("Edit1"), L"100");
    SetFocus(w.control("Edit1"));
    Press(VK_RETURN);
    EXPECT_EQ(TextOf(w.control("SText12")), clicked);
}

TEST(Win32Face, CalculatorWindowIsModal) {
    FormWindow& main = App().mainWindow();
    FormWindow& calculator = App().calculatorWindow();
    bool mainEnabled = true, shown = false;
    WhileModal([&] {
        mainEnabled = IsWindowEnabled(main.frame());
        shown = IsWindowVisible(calculator.frame());
        PostMessageW(calculator.frame(), WM_CLOSE, 0, 0);
    });
    HMENU file = GetSubMenu(GetMenu(main.frame()), 0);
    SendMessageW(main.frame(), WM_COMMAND, GetMenuItemID(file, 0), 0);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(mainEnabled);
    EXPECT_TRUE(IsWindowEnabled(main.frame()));
    EXPECT_FALSE(IsWindowVisible(calculator.frame()));
}

// In a calculator window made smaller than its controls, each control of these kinds that
// takes the focus scrolls into sight.
TEST(Win32Face, FocusScrollsIntoView) {
    const forms::ControlKind scrolled[] = {forms::ControlKind::Edit, forms::ControlKind::PushButton};
    FormWindow& main = App().mainWindow();
    FormWindow& calculator = App().calculatorWindow();
    std::vector<std::string> hidden;
    WhileModal([&] {
        RECT before;
        GetWindowRect(calculator.frame(), &before);
        // Room for the widest control, a quarter of the rest.
        SetWindowPos(calculator.frame(), nullptr, 0, 0, 320, 160, SWP_NOMOVE | SWP_NOZORDER);
        RECT view;
        GetClientRect(calculator.frame(), &view);
        MapWindowPoints(calculator.frame(), nullptr, reinterpret_cast<POINT*>(&view), 2);
        for (const forms::Control& c : calculator.description().controls) {
            HWND h = calculator.control(c.name);
            if (std::find(std::begin(scrolled), std::end(scrolled), c.kind) == std::end(scrolled) ||
                !IsWindowEnabled(h))
                continue;
            SetFocus(h);
            RECT at, seen;
            GetWindowRect(h, &at);
            if (!IntersectRect(&seen, &at, &view) || !EqualRect(&seen, &at)) hidden.push_back(c.name);
        }
        SetWindowPos(calculator.frame(), nullptr, 0, 0, before.right - before.left,
                     before.bottom - before.top, SWP_NOMOVE | SWP_NOZORDER);
        PostMessageW(calculator.frame(), WM_CLOSE, 0, 0);
    });
    HMENU file = GetSubMenu(GetMenu(main.frame()), 0);
    SendMessageW(main.frame(), WM_COMMAND, GetMenuItemID(file, 0), 0);
    EXPECT_EQ(hidden, std::vector<std::string>{});
}

}  // namespace
