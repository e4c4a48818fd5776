// What leaves a Win32 window with its estimate: the clipboard, the result area's menu, the
// printed sheet (drawn into a metafile) and the names a screen reader gets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Application.h"
#include "Shell.h"
#include "Sheet.h"
#include "TestControls.h"
#include "Text.h"
#include "Drive.h"

namespace {

using zanvoro::win32::FormWindow;
using zanvoro::win32::TextOf;
using zanvoro::win32::Wide;
using win32test::Clipboard;
using win32test::Crlf;
using win32test::ReadName;

using win32test::App;

FormWindow& Calculated(const wchar_t* typed) {
    FormWindow& w = App().mainWindow();
    SendMessageW(w.control("Edit1"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed));
    SendMessageW(w.control("Button1"), BM_CLICK, 0, 0);
    return w;
}

// Ctrl and `key` through the program's loop, the focus in Edit1.
void CtrlKey(FormWindow& w, WPARAM key) {
    SetFocus(w.control("Edit1"));
    win32test::Press(key, true);
}

// The program is shared with the other window tests: each leaves the main window cleared.
class Win32Report : public testing::Test {
protected:
    void TearDown() override {
        SendMessageW(App().mainWindow().control("Button2"), BM_CLICK, 0, 0);
    }
};

// Ctrl+C: the selection of an edit that has one, else the layer's breakdown with CRLF rows.
TEST_F(Win32Report, CtrlCCopiesTheBreakdownOrTheSelection) {
    FormWindow& w = Calculated(L"015448");
    const std::string layer = forms::ClipboardText(w.form()->ReportShown());
    ASSERT_NE(layer.find("\t対象額\t"), std::string::npos);
    ASSERT_NE(layer.find("\t適用\t"), std::string::npos);
    struct Row {
        int from, to;
        std::wstring copied;
    };
    const Row rows[] = {{0, 3, L"015"}, {2, 2, Crlf(layer)}};
    for (const Row& r : rows) {
        SendMessageW(w.control("Edit1"), EM_SETSEL, r.from, r.to);
        CtrlKey(w, 'C');
        EXPECT_EQ(Clipboard(), r.copied);
    }
}

// The sheet's texts, as a metafile records them, in the reading order of the layer's sheet.
TEST_F(Win32Report, SheetDrawsTheLayersCellsInOrder) {
    const forms::Sheet sheet = forms::SheetOf(Calculated(L"015448").form()->ReportShown(), "1.0.0");
    std::vector<std::string> expected{sheet.title, sheet.subtitle, sheet.dated, sheet.inputsHeading};
    for (const forms::ReportLine& l : sheet.inputs)
        expected.insert(expected.end(), {l.caption, l.value, forms::TypedNote(l), l.unit});
    expected.push_back(sheet.figuresHeading);
    expected.insert(expected.end(), sheet.columns.begin(), sheet.columns.end());
    for (const forms::Sheet::Row& r : sheet.rows)
        expected.insert(expected.end(), {r.caption, r.amount, r.amountUnit, r.rate, r.rateUnit, r.basis});
    expected.insert(expected.end(), {sheet.footerLeft, sheet.footerRight});
    std::erase(expected, std::string());

    // A4 inside its margins, at the screen's resolution.
    HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    zanvoro::win32::DrawSheet(dc, {0, 0, MulDiv(1700, dpi, 254), MulDiv(2620, dpi, 254)}, sheet);
    HENHMETAFILE file = CloseEnhMetaFile(dc);
    std::vector<std::string> drawn;
    EnumEnhMetaFile(
        nullptr, file,
        [](HDC, HANDLETABLE*, const ENHMETARECORD* r, int, LPARAM out) -> int {
            if (r->iType != EMR_EXTTEXTOUTW) return 1;
            const auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(r);
            const auto* chars = reinterpret_cast<const wchar_t*>(
                reinterpret_cast<const BYTE*>(r) + text->emrtext.offString);
            if (text->emrtext.nChars > 0)
                reinterpret_cast<std::vector<std::string>*>(out)->push_back(
                    zanvoro::win32::Utf8({chars, text->emrtext.nChars}));
            return 1;
        },
        &drawn, nullptr);
    DeleteEnhMetaFile(file);
    EXPECT_EQ(drawn, expected);
}

std::vector<std::wstring> gEntries;
void CALLBACK ReadMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND window = win32test::ShownOfThisThread(L"#32768");
    if (!window) return;  // not open yet: the next tick
    KillTimer(nullptr, timer);
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        gEntries.push_back(state & MF_SEPARATOR ? L"-"
                                                : (state & MF_GRAYED ? L"(grey)" : L"") + std::wstring(text));
    }
    // The first entry chosen from the keyboard.
    PostMessageW(window, WM_KEYDOWN, VK_DOWN, 1);
    PostMessageW(window, WM_KEYDOWN, VK_RETURN, 1);
}

std::vector<std::wstring> gBoxes;
void CALLBACK CloseBoxes(HWND, UINT, UINT_PTR, DWORD) {
    if (HWND box = win32test::ShownOfThisThread(L"#32770")) {
        gBoxes.push_back(TextOf(box));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
}

// Ctrl+P opens the system's print dialog: under Wine, which has no printer, its word on that
// alone, no error box of ours.
TEST_F(Win32Report, CtrlPOpensThePrintDialog) {
    FormWindow& w = Calculated(L"15448");
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, CloseBoxes);
    CtrlKey(w, 'P');
    KillTimer(nullptr, timer);
    ASSERT_EQ(gBoxes.size(), 1u);
    EXPECT_NE(gBoxes[0], L"Zanvoro!");
}

// A right click on a result box: its figure's コピー enabled, then the description's entries
// with their keys; コピー puts the figure on the clipboard.
TEST_F(Win32Report, ResultMenuOverABox) {
    FormWindow& w = Calculated(L"15448");
    RECT box;
    GetWindowRect(w.control("SText4"), &box);
    SetTimer(nullptr, 0, 50, ReadMenu);
    SendMessageW(w.area(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(w.area()),
                 MAKELPARAM(box.left + 4, box.top + 4));
    EXPECT_EQ(gEntries, (std::vector<std::wstring>{L"コピー", L"内訳をコピー\tCtrl+C", L"-",
                                                   L"印刷…\tCtrl+P", L"PDFとして保存…", L"-",
                                                   L"一括計算…\tCtrl+B"}));
    EXPECT_EQ(Clipboard(), TextOf(w.control("SText4")));
}

// Each control as a screen reader gets it through MSAA: the window layer's name, a result
// box's with the value it shows now; in the About box the panel and the icon too.
TEST_F(Win32Report, ControlsReadByTheLayersNames) {
    for (const wchar_t* typed : {L"15448", L"100"}) {
        FormWindow& w = Calculated(typed);
        for (const char* name : {"Button1", "Edit1", "CheckBox1", "Edit2", "SText4", "SText8"})
            EXPECT_EQ(ReadName(w.control(name)), Wide(w.form()->AccessibleName(w.form()->id(name))))
                << name;
    }
    FormWindow& about = App().aboutBox();
    about.MakeControls();
    for (const char* name : {"Panel1", "ProgramIcon", "OKButton"})
        EXPECT_EQ(ReadName(about.control(name)),
                  Wide(forms::DescribedName(about.description(), about.description().find(name))))
            << name;
}

}  // namespace
