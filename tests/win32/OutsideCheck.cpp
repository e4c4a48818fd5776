// The real zanvoro.exe as another program sees it: started with CreateProcessW, its windows
// found by title, its controls by where the layout table puts them, driven only through
// messages and read back through messages, window rectangles and the screen's pixels.
// Usage: win32_outside <path of zanvoro.exe> [GoogleTest flags]
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <future>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "BatchForm.h"
#include "CalculatingForm.h"
#include "ErrorBox.h"
#include "FormWindow.h"
#include "Report.h"
#include "TestControls.h"
#include "Text.h"
#include "layout_table.h"
#include "literal_search.h"
#include "model/calculations.h"
#include "model/captions.h"
#include "text/errors.h"
#include "text/numbertext.h"

namespace {

using win32test::Type;
using zanvoro::win32::Wide;

std::wstring gProgramPath;

template <class Done>
bool WaitFor(Done done, int milliseconds = 10'000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        Sleep(10);
    }
    return true;
}

// WM_GETTEXT asks the control itself, in its own process; GetWindowText would not ask an edit.
std::wstring Text(HWND h) {
    wchar_t text[512] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(h, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                        &length);
    return {text, length};
}

std::wstring ClassOf(HWND h) {
    wchar_t name[64] = {};
    GetClassNameW(h, name, 64);
    return name;
}

// Waits until the program has handled the click: a click that opens a modal box is posted.
void Click(HWND button) {
    DWORD_PTR ignored = 0;
    ASSERT_NE(SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, 30'000, &ignored), 0);
}

void PostKey(HWND to, WPARAM key, bool system = false) {
    PostMessageW(to, system ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1);
    PostMessageW(to, system ? WM_SYSKEYUP : WM_KEYUP, key, 1u | (3u << 30));
}

// Ctrl and `key` posted to `to` until `done`: the program's accelerators read Ctrl from its
// thread's key state, which this thread shares while the two are attached.
template <class Done>
bool CtrlKey(HWND to, WPARAM key, Done done) {
    const DWORD program = GetWindowThreadProcessId(to, nullptr);
    AttachThreadInput(GetCurrentThreadId(), program, TRUE);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostKey(to, key);
    const bool seen = WaitFor(done);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    AttachThreadInput(GetCurrentThreadId(), program, FALSE);
    return seen;
}

int Dpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}
int Scaled(int pixels) { return MulDiv(pixels, Dpi(), 96); }

// The program, started once for all the checks, ended by closing its main window.
class Program : public testing::Environment {
public:
    void SetUp() override {
        STARTUPINFOW start{};
        start.cb = sizeof start;
        std::wstring command = L"\"" + gProgramPath + L"\"";
        ASSERT_TRUE(CreateProcessW(gProgramPath.c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                                   nullptr, nullptr, &start, &process_))
            << "cannot start " << zanvoro::win32::Utf8(gProgramPath) << ": " << GetLastError();
        WaitForInputIdle(process_.hProcess, 30'000);
    }
    void TearDown() override {
        if (HWND main = Window(Wide(forms::MainForm::Describe().title)))
            PostMessageW(main, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.hProcess, 10'000) != WAIT_OBJECT_0) {
            ADD_FAILURE() << "the program did not end when its main window closed";
            TerminateProcess(process_.hProcess, 1);
        }
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }

    // The program's visible top-level window with this title (and class, when given), waited
    // for up to `milliseconds`.
    HWND Window(const std::wstring& title, const std::wstring& cls = {},
                int milliseconds = 10'000) const {
        struct Search {
            DWORD pid;
            const std::wstring *title, *cls;
            HWND found = nullptr;
        } search{process_.dwProcessId, &title, &cls};
        WaitFor([&] {
            EnumWindows(
                [](HWND h, LPARAM l) -> BOOL {
                    auto& s = *reinterpret_cast<Search*>(l);
                    DWORD pid = 0;
                    GetWindowThreadProcessId(h, &pid);
                    if (pid != s.pid || !IsWindowVisible(h)) return TRUE;
                    if (!s.cls->empty() && ClassOf(h) != *s.cls) return TRUE;
                    wchar_t text[128] = {};
                    GetWindowTextW(h, text, 128);
                    if (!s.title->empty() && *s.title != text) return TRUE;
                    s.found = h;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        }, milliseconds);
        return search.found;
    }
    HANDLE process() const { return process_.hProcess; }

    HWND Focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(process_.dwThreadId, &info);
        return info.hwndFocus;
    }

private:
    PROCESS_INFORMATION process_{};
};
Program* gProgram = nullptr;

// One window of the program as its description and the table's rows give it; each control
// is the one child whose top-left corner is where the table puts it in the client area.
class Seen {
public:
    Seen(const forms::Window& description, std::vector<layout::Row> rows)
        : d_(description), rows_(std::move(rows)), frame_(gProgram->Window(Wide(d_.title))) {}

    HWND frame() const { return frame_; }
    const forms::Window& description() const { return d_; }
    const std::vector<layout::Row>& rows() const { return rows_; }

    // Where the row's control is, from the client area's corner, at the screen's dpi.
    RECT Place(const layout::Row& r) const {
        POINT at{r.left, r.top};
        for (const layout::Row& p : rows_)
            if (std::string_view(p.name) == r.parent) at = {at.x + p.left, at.y + p.top};
        return {Scaled(at.x), Scaled(at.y), Scaled(at.x + r.width), Scaled(at.y + r.height)};
    }
    // Screen rectangles, from the client area's corner.
    RECT Relative(HWND h) const {
        RECT r;
        GetWindowRect(h, &r);
        POINT origin{0, 0};
        ClientToScreen(frame_, &origin);
        OffsetRect(&r, -origin.x, -origin.y);
        return r;
    }

    HWND operator()(std::string_view name) const {
        const RECT want = Place(Row(name));
        std::vector<HWND> at;
        for (HWND h : Children()) {
            const RECT r = Relative(h);
            if (r.left == want.left && r.top == want.top) at.push_back(h);
        }
        if (at.size() != 1) ADD_FAILURE() << at.size() << " controls where " << name << " should be";
        return at.size() == 1 ? at.front() : nullptr;
    }
    // The row whose place is the control's corner.
    std::string NameOf(HWND h) const {
        const RECT r = Relative(h);
        for (const layout::Row& row : rows_)
            if (Place(row).left == r.left && Place(row).top == r.top) return row.name;
        return "?";
    }
    const layout::Row& Row(std::string_view name) const {
        for (const layout::Row& r : rows_)
            if (name == r.name) return r;
        throw std::logic_error("no row " + std::string(name));
    }

private:
    std::vector<HWND> Children() const {
        std::vector<HWND> all;
        EnumChildWindows(
            frame_,
            [](HWND h, LPARAM l) -> BOOL {
                reinterpret_cast<std::vector<HWND>*>(l)->push_back(h);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&all));
        return all;
    }

    forms::Window d_;
    std::vector<layout::Row> rows_;
    HWND frame_;
};

std::vector<layout::Row> Joined(const std::vector<layout::Row>& a, const std::vector<layout::Row>& b) {
    std::vector<layout::Row> rows = a;
    rows.insert(rows.end(), b.begin(), b.end());
    return rows;
}

// --- Fonts, from the pixels ---
// Under Wine 8 a control of another process answers WM_GETFONT with nothing (the send
// fails, no error set), so there is no handle for GetObjectW to read. The font is checked
// by its ink instead: the text as the screen shows it in the control, against the same text
// drawn here in the table's font; size, weight, slant and face each change the ink's box.

class Bitmap {
public:
    Bitmap(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_),
                                   nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~Bitmap() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;
    HDC dc() const { return dc_; }
    DWORD At(int x, int y) const { return bits_[y * width_ + x] & 0xFFFFFF; }

    // The size of what differs from the commonest colour inside `r`.
    SIZE Ink(const RECT& r) const {
        GdiFlush();
        std::map<DWORD, int> counts;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) ++counts[At(x, y)];
        if (counts.empty()) return {0, 0};
        const DWORD background =
            std::max_element(counts.begin(), counts.end(),
                             [](const auto& a, const auto& b) { return a.second < b.second; })
                ->first;
        RECT ink{r.right, r.bottom, r.left, r.top};
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (At(x, y) != background)
                    ink = {std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y),
                           std::max<LONG>(ink.right, x + 1), std::max<LONG>(ink.bottom, y + 1)};
        return {std::max<LONG>(0, ink.right - ink.left), std::max<LONG>(0, ink.bottom - ink.top)};
    }
    // The background of the text, to draw the expected text on the same.
    DWORD Commonest() const {
        std::map<DWORD, int> counts;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) ++counts[At(x, y)];
        return std::max_element(counts.begin(), counts.end(),
                                [](const auto& a, const auto& b) { return a.second < b.second; })
            ->first;
    }

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    DWORD* bits_ = nullptr;
};

HFONT TableFont(const layout::Row& r) {
    const std::string style = r.style;
    return CreateFontW(-Scaled(r.pixels), 0, 0, 0,
                       style.find('b') != std::string::npos ? FW_BOLD : FW_NORMAL,
                       style.find('i') != std::string::npos, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, Wide(forms::kFontFamily).c_str());
}

// The text's size in the table's font, wrapped at `wrapWidth` when not zero.
SIZE Measured(const layout::Row& r, const std::wstring& text, int wrapWidth) {
    Bitmap b(1, 1);
    HFONT font = TableFont(r);
    HGDIOBJ old = SelectObject(b.dc(), font);
    RECT box{0, 0, wrapWidth, 0};
    DrawTextW(b.dc(), text.c_str(), static_cast<int>(text.size()), &box,
              DT_CALCRECT | DT_NOPREFIX | (wrapWidth ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(b.dc(), old);
    DeleteObject(font);
    return {box.right, box.bottom};
}

// The ink of the control's text on the screen (inside `inset`, from its window rectangle)
// and of the same text drawn here in the table's font on the same background.
void CheckInk(HWND h, const layout::Row& r, const RECT& inset, int wrapWidth,
              bool widthToo = true) {
    RECT at;
    GetWindowRect(h, &at);
    const int width = at.right - at.left, height = at.bottom - at.top;
    const std::wstring text = Text(h);
    const SIZE room = Measured(r, text, wrapWidth);
    SIZE seen{}, expected{};
    // A window just shown may not have painted yet: the screen is read until it shows the
    // text as drawn here, or for a second.
    WaitFor(
        [&] {
            Bitmap shown(width, height);
            HDC screen = GetDC(nullptr);
            BitBlt(shown.dc(), 0, 0, width, height, screen, at.left, at.top, SRCCOPY);
            ReleaseDC(nullptr, screen);
            seen = shown.Ink({inset.left, inset.top, width - inset.right, height - inset.bottom});

            Bitmap drawn(room.cx + 8, room.cy + 8);
            const DWORD background = shown.Commonest();  // as the DIB holds it: blue lowest
            HBRUSH brush = CreateSolidBrush(
                RGB(GetBValue(background), GetGValue(background), GetRValue(background)));
            RECT all{0, 0, room.cx + 8, room.cy + 8};
            FillRect(drawn.dc(), &all, brush);
            DeleteObject(brush);
            HFONT font = TableFont(r);
            HGDIOBJ old = SelectObject(drawn.dc(), font);
            SetTextColor(drawn.dc(), win32test::ColourRef(r.colour));
            SetBkMode(drawn.dc(), TRANSPARENT);
            RECT box{4, 4, 4 + room.cx, 4 + room.cy};
            DrawTextW(drawn.dc(), text.c_str(), static_cast<int>(text.size()), &box,
                      DT_NOPREFIX | (wrapWidth ? DT_WORDBREAK : DT_SINGLELINE));
            SelectObject(drawn.dc(), old);
            DeleteObject(font);
            expected = drawn.Ink(all);
            return (seen.cx == expected.cx || !widthToo) && seen.cy == expected.cy;
        },
        1000);
    EXPECT_GT(expected.cx, 0);
    if (widthToo) {
        EXPECT_EQ(seen.cx, expected.cx) << "ink width";
    }
    EXPECT_EQ(seen.cy, expected.cy) << "ink height";
}

// An edit places its characters through the system's shaping, a pixel off DrawText's here
// and there: its ink's height, and where the edit itself puts its last character against
// the table font's advance before it; and the whole text's advance inside the margins.
void CheckEdit(HWND h, const layout::Row& r) {
    CheckInk(h, r, {2, 2, 2, 2}, 0, false);  // inside the sunken edge
    const std::wstring text = Text(h);
    if (text.empty()) return;
    const auto x = [&](std::size_t index) {
        DWORD_PTR at = 0;
        SendMessageTimeoutW(h, EM_POSFROMCHAR, index, 0, SMTO_ABORTIFHUNG, 5000, &at);
        return static_cast<short>(LOWORD(at));
    };
    const std::size_t last = text.size() - 1;
    EXPECT_EQ(x(last) - x(0), Measured(r, text.substr(0, last), 0).cx) << "advance";
    DWORD_PTR margins = 0;
    SendMessageTimeoutW(h, EM_GETMARGINS, 0, 0, SMTO_ABORTIFHUNG, 5000, &margins);
    RECT client;
    GetClientRect(h, &client);
    EXPECT_LE(x(0) + Measured(r, text, 0).cx, client.right - HIWORD(margins)) << "cut off";
}

// --- 1: places, sizes, captions and fonts ---

// The text's ink, away from what else the control draws: a result box's sunken edge, a
// check mark and the edit below that overlaps a check box's foot in the calculator window;
// a focused control's caret or selection would add to it, and a button's focus frame. A
// button's caption stays clear of its 3-pixel border; one with a picture or an underlined
// key draws too much besides to tell.
void CheckFont(HWND h, const layout::Row& r, forms::ControlKind kind, int wrapWidth) {
    if (h == gProgram->Focus()) return;
    using K = forms::ControlKind;
    switch (kind) {
    case K::Label: CheckInk(h, r, {0, 0, 0, 0}, wrapWidth); break;
    case K::ResultBox: CheckInk(h, r, {1, 1, 1, 1}, 0); break;
    case K::Edit: CheckEdit(h, r); break;
    case K::CheckBox:
    case K::RadioButton: CheckInk(h, r, {Scaled(15), 0, 0, Scaled(2)}, 0); break;
    case K::PushButton:
        if (std::string_view(r.text).find('&') == std::string_view::npos)
            CheckInk(h, r, {4, 4, 4, 4}, 0);
        break;
    case K::CaptionFrame: {
        // The caption's band over the frame's line, from 8 pixels in.
        RECT at;
        GetWindowRect(h, &at);
        const SIZE text = Measured(r, Wide(r.text), 0);
        const int left = Scaled(8), right = left + text.cx + Scaled(4);
        CheckInk(h, r, {left, 0, at.right - at.left - right, at.bottom - at.top - text.cy}, 0);
        break;
    }
    default: break;
    }
}

void CheckLayout(const Seen& w) {
    for (const layout::Row& r : w.rows()) {
        SCOPED_TRACE(r.name);
        const HWND h = w(r.name);
        if (!h) continue;
        const forms::ControlKind kind = w.description().control(r.name).kind;
        using K = forms::ControlKind;
        const wchar_t* cls = kind == K::Edit                                   ? L"Edit"
                             : kind == K::PushButton || kind == K::CheckBox ||
                                       kind == K::RadioButton                  ? L"Button"
                                                                               : L"Static";
        EXPECT_EQ(CompareStringOrdinal(ClassOf(h).c_str(), -1, cls, -1, TRUE), CSTR_EQUAL)
            << zanvoro::win32::Utf8(ClassOf(h));
        EXPECT_EQ(Text(h), Wide(r.text));

        // A label grows to its text where the table's size is too small for it.
        const bool wraps = (GetWindowLongPtrW(h, GWL_STYLE) & SS_TYPEMASK) == SS_LEFT;
        const RECT place = w.Place(r);
        SIZE size{place.right - place.left, place.bottom - place.top};
        if (kind == K::Label) {
            const SIZE text = Measured(r, Wide(r.text), wraps ? size.cx : 0);
            size = {std::max(size.cx, text.cx), std::max(size.cy, text.cy)};
        }
        const RECT at = w.Relative(h);
        EXPECT_EQ(at.right - at.left, size.cx);
        EXPECT_EQ(at.bottom - at.top, size.cy);

        CheckFont(h, r, kind, wraps ? size.cx : 0);
    }
}

// Each control as a screen reader in another process reads it: by the layer's name where it
// gives one, else by the system's (a label by its text); none without a name, and no two
// alike in role and name but labels, whose units repeat. An extra amount's edit shares its
// check box's name, as the Qt face's does: the role tells them apart.
using Controls = std::vector<std::pair<forms::ControlId, HWND>>;
template <class LayerName>
void CheckNames(const forms::Window& d, const Controls& controls, LayerName layerName) {
    std::map<std::pair<long, std::wstring>, std::string> named;
    for (const auto& [id, h] : controls) {
        const std::string& name = d.controls[id].name;
        SCOPED_TRACE(name);
        const win32test::Spoken read = win32test::ReadAloud(h);
        const std::wstring layer = Wide(layerName(id));
        EXPECT_EQ(read.name, layer.empty() ? Text(h) : layer);
        EXPECT_FALSE(read.name.empty());
        if (d.controls[id].kind == forms::ControlKind::Label) continue;
        const auto [first, fresh] = named.try_emplace({read.role, read.name}, name);
        EXPECT_TRUE(fresh) << "read as " << first->second << " is";
    }
}
template <class LayerName>
void CheckNames(const Seen& w, LayerName layerName) {
    Controls controls;
    for (const layout::Row& r : w.rows()) controls.emplace_back(w.description().find(r.name), w(r.name));
    CheckNames(w.description(), controls, layerName);
}

Seen MainWindow() { return Seen(forms::MainForm::Describe(), Joined(layout::SharedRows(), layout::MainRows())); }
Seen CalculatorWindow() {
    return Seen(forms::CalculatorForm::Describe(), Joined(layout::SharedRows(), layout::CalculatorRows()));
}

// Opens a menu's first item from the keyboard: F10, `rights` times Right, Enter to open the
// menu and Enter on the item. The keys go to the frame, not to the focus: once the calculator
// window has closed, Wine still tells other processes (GetGUIThreadInfo, GetForegroundWindow)
// that its hidden edit has the focus, while the program and the keyboard's keys have the main
// window's control.
void OpenFromMenu(const Seen& main, int rights) {
    PostKey(main.frame(), VK_F10, true);
    for (int i = 0; i < rights; ++i) PostKey(main.frame(), VK_RIGHT);
    PostKey(main.frame(), VK_RETURN);
    PostKey(main.frame(), VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowEnabled(main.frame()); }));
}

TEST(Outside, MainWindowFollowsTheLayoutTable) {
    const Seen main = MainWindow();
    ASSERT_NE(main.frame(), nullptr);
    CheckLayout(main);
}

// Tab walks the table's tab stops through the program's own loop; Enter in Edit1 runs 計算.
TEST(Outside, TabAndEnterInTheMainWindow) {
    const Seen main = MainWindow();
    std::vector<std::string> visited{main.NameOf(gProgram->Focus())};
    for (std::size_t i = 1; i < layout::MainTabWalk().size(); ++i) {
        const HWND before = gProgram->Focus();
        PostKey(before, VK_TAB);
        WaitFor([&] { return gProgram->Focus() != before; }, 3000);
        visited.push_back(main.NameOf(gProgram->Focus()));
    }
    EXPECT_EQ(visited, std::vector<std::string>(layout::MainTabWalk().begin(), layout::MainTabWalk().end()));

    PostKey(gProgram->Focus(), VK_TAB);
    ASSERT_TRUE(WaitFor([&] { return gProgram->Focus() == main("Edit1"); }));
    Type(main("Edit1"), L"185.1");
    PostKey(main("Edit1"), VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return Text(main("SText12")) == L"186.9"; }))
        << zanvoro::win32::Utf8(Text(main("SText12")));
}

// Every figure a window shows against the texts of `expected`, the core's formatting of it,
// in its control's font.
void CheckFigures(const Seen& w, const forms::CalculatingForm& form,
                  const costmodel::CostBreakdown& expected) {
    const costmodel::ResultTexts texts = costmodel::FormatResults(expected);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const forms::Control& c = form.description().controls[form.figures()[i].value];
        SCOPED_TRACE(c.name);
        const HWND h = w(c.name);
        EXPECT_EQ(Text(h), Wide(texts[i]));
        CheckFont(h, w.Row(c.name), c.kind, 0);
    }
}

// --- 2: the worked searches ---

struct Search {
    const char* target;
    const char* work;  // rb1 road maintenance, rb2 new building, rb3 renovation
    costmodel::WorkType type;
    const char* extraInNet;       // CheckBox1 and Edit2; null: unchecked
    const char* extraNoOverhead;  // CheckBox2 and Edit3
    bool noCommonTemp;            // CheckBox3
    const char* directCost;       // SText4, as worked out by hand
    const char* total;            // SText12
};

TEST(Outside, WorkedSearchesBitForBit) {
    using W = costmodel::WorkType;
    const Search searches[] = {
        {"0", "rb1", W::RoadMaintenance, nullptr, nullptr, false, "10", "18.5"},
        {"5", "rb1", W::RoadMaintenance, nullptr, nullptr, false, "11", "20.3"},
        {"185.1", "rb1", W::RoadMaintenance, nullptr, nullptr, false, "101", "186.9"},
        {"1000", "rb1", W::RoadMaintenance, nullptr, nullptr, false, "545", "1003.5"},
        {"1000", "rb1", W::RoadMaintenance, nullptr, nullptr, true, "660", "1002.6"},
        {"1000", "rb1", W::RoadMaintenance, "10", "20", false, "525", "1002.2"},
        {"10000", "rb2", W::NewBuilding, nullptr, nullptr, false, "7405", "10000.5"},
        {"5000", "rb3", W::Renovation, nullptr, nullptr, false, "3778", "5001.8"},
        {"15448", "rb1", W::RoadMaintenance, nullptr, nullptr, false, "9801", "15447.4"},
    };
    const Seen main = MainWindow();
    const forms::MainForm form;
    for (const Search& s : searches) {
        SCOPED_TRACE(std::string(s.target) + " " + s.work);
        Click(main("Button2"));
        Click(main(s.work));
        if (s.extraInNet) {
            Click(main("CheckBox1"));
            Type(main("Edit2"), Wide(s.extraInNet).c_str());
        }
        if (s.extraNoOverhead) {
            Click(main("CheckBox2"));
            Type(main("Edit3"), Wide(s.extraNoOverhead).c_str());
        }
        if (s.noCommonTemp) Click(main("CheckBox3"));
        Type(main("Edit1"), Wide(s.target).c_str());
        Click(main("Button1"));

        const auto amount = [](const char* text) { return text ? costmodel::TextToNumber(text) : 0.0; };
        CheckFigures(main, form,
                     costmodel::reference::LiteralSearch(amount(s.target), s.type, s.noCommonTemp,
                                                         amount(s.extraInNet),
                                                         amount(s.extraNoOverhead)));
        EXPECT_EQ(Text(main("SText4")), Wide(s.directCost));
        EXPECT_EQ(Text(main("SText12")), Wide(s.total));
    }
    Click(main("Button2"));
}

// Ctrl+C after a search: the layer's breakdown, rates with their basis, on the clipboard as
// another program pastes it; and every control read by the layer's name for that state.
TEST(Outside, CopyAndScreenReaderNamesAfterASearch) {
    const struct {
        const char* target;
        const char* work;
        const char* extraInNet;
    } rows[] = {{"015448", "rb1", nullptr}, {"5000", "rb3", "10"}};
    const Seen main = MainWindow();
    for (const auto& r : rows) {
        SCOPED_TRACE(r.target);
        forms::MainForm form;
        form.FormCreate();
        const auto both = [&](const char* name) {
            Click(main(name));
            form.SetChecked(form.id(name), true);
        };
        Click(main("Button2"));
        both(r.work);
        if (r.extraInNet) {
            both("CheckBox1");
            Type(main("Edit2"), Wide(r.extraInNet).c_str());
            form.TextTyped(form.id("Edit2"), r.extraInNet);
        }
        Type(main("Edit1"), Wide(r.target).c_str());
        form.TextTyped(form.id("Edit1"), r.target);
        Click(main("Button1"));
        form.Button1Click();

        const std::string layer = forms::ClipboardText(form.ReportShown());
        std::size_t bases = 0;
        for (std::size_t at = 0; (at = layer.find("\t対象額\t", at)) != std::string::npos; ++at) ++bases;
        EXPECT_EQ(bases, 3u) << layer;
        const DWORD before = GetClipboardSequenceNumber();
        EXPECT_TRUE(CtrlKey(main.frame(), 'C', [&] { return GetClipboardSequenceNumber() != before; }));
        EXPECT_EQ(win32test::Clipboard(), win32test::Crlf(layer));
        CheckNames(main, [&](forms::ControlId id) { return form.AccessibleName(id); });
    }
    Click(main("Button2"));
}

// --- 3: the error box ---

// 計算 on a text that is no number: the one error box, found as another program finds it,
// closed by a message; the window is usable again.
void CheckNotANumber(const Seen& w, const char* text) {
    SCOPED_TRACE(text);
    Type(w("Edit1"), Wide(text).c_str());
    PostMessageW(w("Button1"), BM_CLICK, 0, 0);
    const forms::ErrorBox expected =
        forms::ErrorBoxFor(costmodel::ConversionError(costmodel::NotANumberMessage(text)));
    const HWND box = gProgram->Window(Wide(expected.title), L"#32770");
    ASSERT_NE(box, nullptr) << "no error box";
    EXPECT_EQ(Text(GetDlgItem(box, 0xFFFF)), Wide(expected.message));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }));
    EXPECT_TRUE(IsWindowEnabled(w.frame()));
    Click(w("Button2"));
}

TEST(Outside, ErrorBoxOfTheMainWindow) { CheckNotANumber(MainWindow(), "abc"); }

// --- 4: the calculator window ---

struct Forward {
    const char* directCost;
    const char* work;
    costmodel::WorkType type;
    const char* rates[3];  // typed into the common temporary, site and general rates' edits;
                           // null: the rates by rule
};

TEST(Outside, CalculatorWindowOverTheDisabledMainWindow) {
    const Seen main = MainWindow();
    OpenFromMenu(main, 0);
    const Seen calculator = CalculatorWindow();
    ASSERT_NE(calculator.frame(), nullptr);
    EXPECT_FALSE(IsWindowEnabled(main.frame()));
    CheckLayout(calculator);

    using W = costmodel::WorkType;
    const Forward rows[] = {
        {"100", "rb1", W::RoadMaintenance, {}},
        {"7405", "rb2", W::NewBuilding, {}},
        {"3778", "rb3", W::Renovation, {"12.5", "20", "9.75"}},
        {"545", "rb1", W::RoadMaintenance, {"10", "20", "10"}},
    };
    forms::CalculatorForm form;
    constexpr std::size_t kRates[] = {costmodel::captions::kCommonTempRateFigure,
                                      costmodel::captions::kSiteMgmtRateFigure,
                                      costmodel::captions::kGeneralMgmtRateFigure};
    for (const Forward& f : rows) {
        SCOPED_TRACE(std::string(f.directCost) + " " + f.work);
        Click(calculator("Button2"));
        Click(calculator(f.rates[0] ? "RadioButton2" : "RadioButton1"));
        Click(calculator(f.work));
        Type(calculator("Edit1"), Wide(f.directCost).c_str());
        costmodel::ForwardInput input;
        input.directCost = f.directCost;
        input.workType = f.type;
        if (f.rates[0]) {
            for (std::size_t i = 0; i < 3; ++i) {
                const auto& edit = form.description().controls[form.figures()[kRates[i]].value];
                Type(calculator(edit.name), Wide(f.rates[i]).c_str());
            }
            input.typedRates = costmodel::TypedRates{f.rates[0], f.rates[1], f.rates[2]};
        }
        Click(calculator("Button1"));
        costmodel::CostBreakdown expected;
        costmodel::ForwardCalculate(expected, input, {});
        CheckFigures(calculator, form, expected);

        // The same in the layer here, for the names a screen reader reads.
        form.Button2Click();
        form.SetChecked(form.id(f.rates[0] ? "RadioButton2" : "RadioButton1"), true);
        form.SetChecked(form.id(f.work), true);
        form.TextTyped(form.id("Edit1"), f.directCost);
        for (std::size_t i = 0; f.rates[0] && i < 3; ++i)
            form.TextTyped(form.figures()[kRates[i]].value, f.rates[i]);
        form.Button1Click();
        CheckNames(calculator, [&](forms::ControlId id) { return form.AccessibleName(id); });
    }
    Click(calculator("RadioButton1"));
    CheckNotANumber(calculator, "x1");

    PostMessageW(calculator.frame(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(calculator.frame()); }));
    EXPECT_TRUE(IsWindowEnabled(main.frame()));
}

TEST(Outside, AboutBoxFollowsTheLayoutTable) {
    const Seen main = MainWindow();
    OpenFromMenu(main, 1);
    const Seen about(forms::DescribeAboutBox(), layout::AboutRows());
    ASSERT_NE(about.frame(), nullptr);
    CheckLayout(about);
    CheckNames(about, [&](forms::ControlId id) { return forms::DescribedName(about.description(), id); });
    Click(about("OKButton"));
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(about.frame()); }));
    EXPECT_TRUE(IsWindowEnabled(main.frame()));
}

// --- 5: the batch window ---

// Cells of a row of the program's list view, read through one block in the program's memory
// (a list view's messages carry pointers, which the system does not carry to another process):
// one write, a message a cell, one read.
class ListRow {
public:
    ListRow(HWND list, std::vector<int> columns)
        : list_(list), slots_(columns.size()),
          at_(static_cast<Slot*>(VirtualAllocEx(gProgram->process(), nullptr,
                                                sizeof(Slot) * slots_.size(),
                                                MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))) {
        for (std::size_t c = 0; c < slots_.size(); ++c) {
            slots_[c].item.iSubItem = columns[c];
            slots_[c].item.cchTextMax = static_cast<int>(std::size(slots_[c].text));
            slots_[c].item.pszText = at_[c].text;
        }
        lengths_.resize(slots_.size());
    }
    ~ListRow() { VirtualFreeEx(gProgram->process(), at_, 0, MEM_RELEASE); }
    ListRow(const ListRow&) = delete;
    ListRow& operator=(const ListRow&) = delete;

    std::vector<std::wstring> operator()(int row) {
        const HANDLE process = gProgram->process();
        std::vector<Slot> fresh = slots_;
        WriteProcessMemory(process, at_, fresh.data(), sizeof(Slot) * fresh.size(), nullptr);
        for (std::size_t c = 0; c < fresh.size(); ++c)
            SendMessageTimeoutW(list_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                reinterpret_cast<LPARAM>(&at_[c].item), SMTO_ABORTIFHUNG, 5000,
                                &lengths_[c]);
        ReadProcessMemory(process, at_, fresh.data(), sizeof(Slot) * fresh.size(), nullptr);
        std::vector<std::wstring> cells;
        for (std::size_t c = 0; c < fresh.size(); ++c)
            cells.emplace_back(fresh[c].text,
                               std::min<std::size_t>(lengths_[c], std::size(fresh[c].text)));
        return cells;
    }

private:
    struct Slot {
        LVITEMW item{};
        wchar_t text[64] = {};
    };
    HWND list_;
    std::vector<Slot> slots_;
    Slot* at_;
    std::vector<DWORD_PTR> lengths_;
};

// One row of the pasted table: the amount and the four settings' cells.
struct BatchRow {
    std::string target;
    costmodel::WorkType work;
    const char* extraInNet;  // null: なし
    const char* extraNoOverhead;
    bool noCommonTemp;
};

// 2,000 searches as a spreadsheet copies them: targets from 1 to 10,000 万円 by equal ratios
// (the reference steps once per 万円, so the top costs most), three at 100,000; the work
// types in turn, and under them each combination of the options in turn.
std::vector<BatchRow> BatchRows() {
    constexpr int kRows = 2000;
    const char* const extras[][2] = {
        {nullptr, nullptr}, {"12.5", nullptr}, {nullptr, "30"}, {"7", "5"}};
    std::vector<BatchRow> rows;
    for (int i = 0; i < kRows; ++i) {
        const double target =
            i >= kRows - 3 ? 1e5 : std::round(std::pow(1e4, i / (kRows - 4.0)) * 10) / 10;
        const auto& extra = extras[(i / 3) % 4];
        rows.push_back({costmodel::NumberToText(target), costmodel::captions::kWorkNames[i % 3].work,
                        extra[0], extra[1], (i / 12) % 2 == 1});
    }
    return rows;
}

std::string PastedTable(const std::vector<BatchRow>& rows) {
    namespace c = costmodel::captions;
    std::string text;
    const auto row = [&](const std::vector<std::string_view>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i)
            (text += cells[i]) += i + 1 < cells.size() ? "\t" : "\r\n";
    };
    row({c::kTarget, c::kWork, c::kExtraInNet, c::kExtraNoOverhead, c::kNoCommonTemp});
    for (const BatchRow& r : rows)
        row({r.target, c::NameOf(r.work), r.extraInNet ? r.extraInNet : "なし",
             r.extraNoOverhead ? r.extraNoOverhead : "なし", r.noCommonTemp ? "はい" : "いいえ"});
    return text;
}

// Ctrl+B from the main window, Ctrl+V of a spreadsheet's copy; every figure of every row as
// the list shows it against the literal search's, formatted by the core; the status line as
// the window layer words it.
TEST(Outside, BatchWindowComputesAPastedTable) {
    const Seen main = MainWindow();
    const std::wstring title = Wide(forms::batchtext::kTitle);
    ASSERT_TRUE(CtrlKey(main.frame(), 'B', [&] { return gProgram->Window(title, {}, 0) != nullptr; }));
    const HWND batch = gProgram->Window(title);

    const std::vector<BatchRow> rows = BatchRows();
    const std::string table = PastedTable(rows);
    forms::BatchForm layer;
    layer.Paste(table);
    while (layer.ComputeSlice()) {
    }
    ASSERT_TRUE(win32test::SetClipboard(Wide(table)));
    const HWND list = FindWindowExW(batch, nullptr, WC_LISTVIEWW, nullptr);
    const HWND bar = FindWindowExW(batch, nullptr, PROGRESS_CLASSW, nullptr);
    const auto count = [&] { return static_cast<std::size_t>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); };
    ASSERT_TRUE(CtrlKey(batch, 'V', [&] { return count() == rows.size(); }));
    // Done: the bar hidden, the status line the layer's.
    const std::wstring status = Wide(layer.Progress().status);
    EXPECT_TRUE(WaitFor(
        [&] { return !IsWindowVisible(bar) && FindWindowExW(batch, nullptr, L"Static", status.c_str()); },
        30'000))
        << layer.Progress().status;

    // Each row's amount as read, its thirteen figures and an empty 結果, after the row number
    // and the five settings' cells; the references worked out meanwhile.
    auto references = std::async(std::launch::async, [&] {
        std::vector<std::vector<std::wstring>> all;
        for (const BatchRow& r : rows) {
            const auto amount = [](const char* t) { return t ? costmodel::TextToNumber(t) : 0.0; };
            std::vector<std::wstring> want{Wide(r.target)};
            const costmodel::CostBreakdown reference = costmodel::reference::LiteralSearch(
                costmodel::TextToNumber(r.target), r.work, r.noCommonTemp, amount(r.extraInNet),
                amount(r.extraNoOverhead));
            for (const std::string& figure : costmodel::FormatResults(reference))
                want.push_back(Wide(figure));
            want.emplace_back();
            all.push_back(std::move(want));
        }
        return all;
    });
    std::vector<int> columns{1};
    for (int c = 6; c < 6 + 14; ++c) columns.push_back(c);
    ListRow row(list, columns);
    std::vector<std::vector<std::wstring>> seen;
    for (std::size_t i = 0; i < rows.size(); ++i) seen.push_back(row(static_cast<int>(i)));
    const auto want = references.get();
    std::size_t wrong = 0;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (seen[i] != want[i] && ++wrong <= 3)
            ADD_FAILURE() << "row " << i + 1 << ": " << testing::PrintToString(seen[i]);
    EXPECT_EQ(wrong, 0u);

    // Its controls in the order the face makes them, which is the order of its children.
    const forms::Window d = forms::BatchWindow();
    Controls controls;
    HWND child = GetWindow(batch, GW_CHILD);
    for (const forms::ControlId id : zanvoro::win32::CreationOrder(d)) {
        controls.emplace_back(id, child);
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr) << "more children than controls";
    CheckNames(d, controls, [&](forms::ControlId id) { return forms::DescribedName(d, id); });
    PostMessageW(batch, WM_CLOSE, 0, 0);
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <zanvoro.exe> [GoogleTest flags]\n", argv[0]);
        return 2;
    }
    gProgramPath = Wide(argv[1]);
    // Screen readers' objects come from the program through COM.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    // The program reads its separator from the same user settings.
    costmodel::LoadDecimalSeparatorFromEnvironment();
    gProgram = new Program;
    testing::AddGlobalTestEnvironment(gProgram);  // owned by GoogleTest from here
    return RUN_ALL_TESTS();
}
