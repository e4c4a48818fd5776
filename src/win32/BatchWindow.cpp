// The batch window on Win32: its controls from the description, laid out in the layer's bands,
// tables in by paste and file, out by copy and save, computing in slices on a timer.
#include "BatchWindow.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <array>
#include <climits>
#include <optional>
#include <stdexcept>
#include <utility>

#include "AccessibleNames.h"
#include "Clipboard.h"
#include "FormWindow.h"
#include "Look.h"
#include "Shell.h"
#include "SystemDll.h"
#include "TableFiles.h"
#include "Text.h"

namespace zanvoro::win32 {

namespace {

constexpr wchar_t kFrameClass[] = L"ZanvoroBatch";
constexpr int kFirstControlId = 1000;
constexpr UINT_PTR kSliceTimer = 1, kSettleTimer = 2;
// The menu's entries; zero is no choice.
enum MenuChoice : UINT { kMenuPaste = 1, kMenuCopy, kMenuOpen, kMenuSave };

namespace text = forms::batchtext;
namespace layout = forms::batchlayout;
namespace captions = costmodel::captions;
using K = forms::ControlKind;

int Clamped(std::size_t n) { return static_cast<int>(std::min<std::size_t>(n, INT_MAX)); }

// The system's reason for the last failure, as it words it.
std::string LastReason() {
    const DWORD code = GetLastError();
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    std::wstring reason = n ? std::wstring(buffer, n) : L"error " + std::to_wstring(code);
    if (buffer) LocalFree(buffer);
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' ||
                               reason.back() == L' ' || reason.back() == L'.'))
        reason.pop_back();
    return Utf8(reason);
}

costbatch::Table ReadTableFile(const std::wstring& path) {
    namespace files = forms::batchfiles;
    const std::string name = Utf8(path);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw forms::FileError(name, files::kCannotOpen, LastReason());
    std::string bytes;
    LARGE_INTEGER size{};
    bool read = GetFileSizeEx(file, &size) != FALSE;
    if (read) {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        for (std::size_t at = 0; read && at < bytes.size();) {
            DWORD got = 0;
            const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - at, 1u << 30));
            read = ReadFile(file, bytes.data() + at, ask, &got, nullptr) && got > 0;
            at += got;
        }
    }
    const std::string reason = read ? std::string() : LastReason();
    CloseHandle(file);
    if (!read) throw forms::FileError(name, files::kCannotRead, reason);
    return forms::ReadTable(name, bytes);
}

// Written beside the file and renamed only once complete, so that a file is whole or untouched.
void WriteTableFile(const forms::BatchRows& rows, const std::wstring& path,
                    costbatch::Format format, costbatch::Encoding encoding) {
    const std::string name = Utf8(path);
    const std::string_view cannot = forms::batchfiles::kCannotSave;
    const std::wstring partial = path + L".partial";
    HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw forms::FileError(name, cannot, LastReason());
    const auto drop = [&] {
        CloseHandle(file);
        DeleteFileW(partial.c_str());
    };
    try {
        costbatch::TableWriter out(format, encoding, [&](std::string_view bytes) {
            while (!bytes.empty()) {
                DWORD put = 0;
                const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
                if (!WriteFile(file, bytes.data(), ask, &put, nullptr) || put == 0)
                    throw forms::FileError(name, cannot, LastReason());
                bytes.remove_prefix(put);
            }
        });
        forms::WriteRows(rows, out);
    } catch (const costbatch::OutputError& e) {
        drop();
        throw forms::FileError(name, cannot, e.message());
    } catch (...) {
        drop();
        throw;
    }
    CloseHandle(file);
    if (!MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        const std::string reason = LastReason();
        DeleteFileW(partial.c_str());
        throw forms::FileError(name, cannot, reason);
    }
}

// A file dialog's list: "name (patterns)" and the patterns, ';'-separated, each ended by a
// NUL, the list by another.
std::wstring DialogFilter(const std::vector<forms::FileFilter>& filters) {
    std::wstring out;
    for (const forms::FileFilter& f : filters) {
        out += Wide(f.Label()) + L'\0';
        std::wstring patterns = Wide(f.patterns);
        std::replace(patterns.begin(), patterns.end(), L' ', L';');
        out += (patterns == L"*" ? L"*.*" : patterns) + L'\0';
    }
    return out + L'\0';
}

struct ChosenFile {
    std::wstring path;
    std::size_t filter;  // the list's entry, from 0
};

// The open or save dialog, in the folder of the last file chosen; none when cancelled.
std::optional<ChosenFile> AskForFile(HWND owner, bool save,
                                     const std::vector<forms::FileFilter>& filters) {
    static std::wstring lastFolder;
    namespace files = forms::batchfiles;
    const std::wstring filter = DialogFilter(filters);
    const std::wstring title = Wide(save ? files::kSaveTitle : files::kOpenTitle);
    std::wstring path = save ? Wide(files::kSaveName) : std::wstring();
    path.resize(MAX_PATH * 4, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path.data();
    ofn.nMaxFile = static_cast<DWORD>(path.size());
    ofn.lpstrInitialDir = lastFolder.empty() ? nullptr : lastFolder.c_str();
    ofn.lpstrTitle = title.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
                (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    const auto ask = save ? Later<decltype(GetSaveFileNameW)>(L"comdlg32.dll", "GetSaveFileNameW")
                          : Later<decltype(GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
    if (!ask(&ofn)) return std::nullopt;
    path.resize(wcslen(path.c_str()));
    lastFolder = path.substr(0, ofn.nFileOffset);
    return ChosenFile{path, ofn.nFilterIndex > 0 ? ofn.nFilterIndex - 1u : 0u};
}

SIZE TextSize(HWND h, HFONT font, std::string_view utf8) {
    HDC dc = GetDC(h);
    HGDIOBJ old = SelectObject(dc, font);
    const std::wstring text = Wide(utf8.empty() ? std::string_view("国") : utf8);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(h, dc);
    return size;
}

}  // namespace

BatchWindow::BatchWindow(HINSTANCE instance) : d_(forms::BatchWindow()), instance_(instance) {
    Register(instance);
    dpi_ = ScreenDpi();
    RECT outer{0, 0, scaled(d_.client.width), scaled(d_.client.height)};
    AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, 0);
    // No owner among the other windows: it goes behind them as any window does.
    frame_ = CreateWindowExW(0, kFrameClass, Wide(d_.title).c_str(),
                             WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                             outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                             instance, this);
    if (!frame_) throw std::runtime_error("CreateWindowExW");
    SetProgramIcons(frame_, instance);
    Later<decltype(DragAcceptFiles)>(L"shell32.dll", "DragAcceptFiles")(frame_, TRUE);
    form_.Rows().SetObserver(this);
    MakeControls();
    ShowSettings();
    ShowProgress();
    Layout();
    form_.SetView(this);
}

BatchWindow::~BatchWindow() {
    form_.Rows().SetObserver(nullptr);
    form_.SetView(nullptr);
    if (frame_) {
        KillTimer(frame_, kSliceTimer);
        KillTimer(frame_, kSettleTimer);
        SetWindowLongPtrW(frame_, GWLP_USERDATA, 0);
        DestroyWindow(frame_);  // the tips, which it owns, with it
    }
}

void BatchWindow::Register(HINSTANCE instance) {
    static bool registered = false;
    if (registered) return;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS |
                                                       ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW frame{};
    frame.cbSize = sizeof frame;
    frame.lpfnWndProc = Proc;
    frame.hInstance = instance;
    frame.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    frame.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    frame.lpszClassName = kFrameClass;
    if (!RegisterClassExW(&frame)) throw std::runtime_error("RegisterClassExW");
    registered = true;
}

bool BatchWindow::IsFrame(HWND window) {
    wchar_t name[32];
    return GetClassNameW(window, name, 32) && std::wstring_view(name) == kFrameClass;
}

HWND BatchWindow::control(std::string_view name) const {
    const forms::ControlId id = d_.find(name);
    return id < controls_.size() ? controls_[id] : nullptr;
}

HFONT BatchWindow::FontOf(const forms::Font& font) { return fonts_.Get(font, dpi_); }

void BatchWindow::MakeControls() {
    controls_.assign(d_.controls.size(), nullptr);
    int lastGroup = 0;
    for (const forms::ControlId id : CreationOrder(d_)) {
        const forms::Control& c = d_.controls[id];
        const wchar_t* cls = L"STATIC";
        DWORD style = WS_CHILD | WS_VISIBLE, ex = 0;
        switch (c.kind) {
        case K::Label: style |= SS_NOPREFIX | SS_LEFTNOWORDWRAP | SS_CENTERIMAGE; break;
        case K::Edit:
            cls = L"EDIT";
            style |= WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
            ex = WS_EX_CLIENTEDGE;
            break;
        case K::RadioButton:
            cls = L"BUTTON";
            style |= BS_AUTORADIOBUTTON | (c.checked ? WS_TABSTOP : 0);
            if (c.group != lastGroup) style |= WS_GROUP;
            break;
        case K::CheckBox: cls = L"BUTTON"; style |= BS_AUTOCHECKBOX | WS_TABSTOP; break;
        case K::PushButton: cls = L"BUTTON"; style |= BS_PUSHBUTTON | WS_TABSTOP; break;
        // Drawn here: a themed group box ignores the caption's colour.
        case K::CaptionFrame: style |= SS_OWNERDRAW | SS_NOPREFIX; break;
        case K::Table:
            // Rows asked for only as they are seen.
            cls = WC_LISTVIEWW;
            style |= WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS;
            ex = WS_EX_CLIENTEDGE;
            break;
        case K::ProgressBar: cls = PROGRESS_CLASSW; break;
        case K::ResultBox:
        case K::BevelPanel:
        case K::Picture: throw std::logic_error("not in this window: " + c.name);
        }
        if (c.kind != K::RadioButton && lastGroup != 0) style |= WS_GROUP;
        lastGroup = c.kind == K::RadioButton ? c.group : 0;
        if (!c.enabled) style |= WS_DISABLED;
        // A table's and a progress bar's caption shows nowhere: it is the name they are read by.
        HWND h = CreateWindowExW(ex, cls, Wide(c.caption).c_str(), style, 0, 0,
                                 0, 0, frame_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + id)),
                                 instance_, nullptr);
        if (!h) throw std::runtime_error("CreateWindowExW " + c.name);
        controls_[id] = h;
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(c.font)), FALSE);
        if (c.kind == K::Edit) SendMessageW(h, EM_SETLIMITTEXT, 0, 0);
        if (c.kind == K::RadioButton || c.kind == K::CheckBox)
            SendMessageW(h, BM_SETCHECK, c.checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    HWND grid = Control("Grid1");
    SendMessageW(grid, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER | LVS_EX_INFOTIP);
    // Rows as high as the Qt face's, the font's height and 6: a list takes its row height
    // from its images, which it destroys with itself.
    const int rowHeight = TextSize(grid, FontOf(d_.control("Grid1").font), {}).cy + scaled(6);
    SendMessageW(grid, LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(ImageList_Create(1, rowHeight, ILC_COLOR, 0, 0)));
    MakeTips();
    // Named as the Qt face names them; the system's name of an edit would be the frame's.
    names_ = std::make_unique<AccessibleNames>();
    for (forms::ControlId id = 0; id < controls_.size(); ++id)
        names_->Name(controls_[id], forms::DescribedName(d_, id));
}

void BatchWindow::MakeTips() {
    tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                            WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_NOFADE | TTS_NOANIMATE,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, frame_,
                            nullptr, instance_, nullptr);
    if (!tips_) return;
    // In the window's font: the system's tooltip font may have no Japanese.
    SendMessageW(tips_, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(d_.font)), FALSE);
    const std::pair<const char*, std::string_view> tips[] = {{"Button1", text::kPasteTip},
                                                             {"Button2", text::kOpenTip},
                                                             {"Button3", text::kSaveTip},
                                                             {"Button4", text::kCopyTip},
                                                             {"Button5", text::kCancelTip}};
    for (const auto& [name, tip] : tips) {
        std::wstring wide = Wide(tip);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = frame_;
        tool.uId = reinterpret_cast<UINT_PTR>(Control(name));
        tool.lpszText = wide.data();
        SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    // The direction's frame by its place: disabled, it gets no mouse of its own.
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = frame_;
    tool.uId = 1;
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, scaled(600));
}

// The layer's three bands over a status line, each control as large as its text needs.
void BatchWindow::Layout() {
    RECT client;
    GetClientRect(frame_, &client);
    const int margin = scaled(layout::kMargin), spacing = scaled(layout::kSpacing);
    const int side = scaled(layout::kFrameSide), bottom = scaled(layout::kFrameBottom);
    const int check = GetSystemMetrics(SM_CXMENUCHECK) + scaled(6);
    const auto size = [&](const char* name) {
        const forms::Control& c = d_.control(name);
        const SIZE text = TextSize(frame_, FontOf(c.font), c.caption);
        const bool button = c.kind == K::RadioButton || c.kind == K::CheckBox;
        return SIZE{text.cx + (button ? check + scaled(2) : 0), text.cy + (button ? scaled(4) : 0)};
    };
    const auto place = [&](const char* name, int x, int y, int w, int h) {
        MoveWindow(Control(name), x, y, w, h, TRUE);
    };
    const auto top = [&](const char* frame) {
        return TextSize(frame_, FontOf(d_.control(frame).font), {}).cy + scaled(2);
    };

    // Directions, one over the other.
    const SIZE r1 = size("RadioButton1"), r2 = size("RadioButton2");
    const int directionsWidth = side + std::max(r1.cx, r2.cx) + side;
    const int directionsHeight = top("GroupBox1") + r1.cy + spacing + r2.cy + bottom;
    // Work categories side by side, as high as they need.
    const std::array<SIZE, 3> works{size("rb1"), size("rb2"), size("rb3")};
    int worksWidth = 2 * side + 2 * spacing;
    for (const SIZE& s : works) worksWidth += s.cx;
    const int worksHeight = top("RadioGroup1") + works[0].cy + bottom;
    // Expenses: box, edit and unit in two rows, then a box across.
    const SIZE c1 = size("CheckBox1"), c2 = size("CheckBox2"), c3 = size("CheckBox3");
    const SIZE unit = size("Label1");
    const int edit = scaled(layout::kExtraEdit.width), editHeight = scaled(layout::kExtraEdit.height);
    const int boxes = std::max(c1.cx, c2.cx);
    const int rowHeight = std::max<int>(c1.cy, editHeight);
    const int expensesWidth =
        2 * side + std::max<int>(boxes + spacing + edit + spacing + unit.cx, c3.cx);
    const int expensesHeight = top("GroupBox2") + 2 * (rowHeight + spacing) + c3.cy + bottom;
    const int band = std::max({directionsHeight, worksHeight, expensesHeight});

    int x = margin, y = margin;
    place("GroupBox1", x, y, directionsWidth, band);
    int inner = y + top("GroupBox1");
    place("RadioButton1", x + side, inner, r1.cx, r1.cy);
    place("RadioButton2", x + side, inner + r1.cy + spacing, r2.cx, r2.cy);
    x += directionsWidth + spacing;
    place("RadioGroup1", x, y, worksWidth, worksHeight);
    int across = x + side;
    inner = y + top("RadioGroup1");
    for (std::size_t i = 0; i < works.size(); ++i) {
        place(("rb" + std::to_string(i + 1)).c_str(), across, inner, works[i].cx, works[i].cy);
        across += works[i].cx + spacing;
    }
    x += worksWidth + spacing;
    place("GroupBox2", x, y, expensesWidth, band);
    inner = y + top("GroupBox2");
    const char* rows[][3] = {{"CheckBox1", "Edit2", "Label1"}, {"CheckBox2", "Edit3", "Label2"}};
    for (const auto& row : rows) {
        const SIZE box = size(row[0]);
        place(row[0], x + side, inner + (rowHeight - box.cy) / 2, box.cx, box.cy);
        place(row[1], x + side + boxes + spacing, inner + (rowHeight - editHeight) / 2, edit,
              editHeight);
        place(row[2], x + side + boxes + spacing + edit + spacing, inner, unit.cx, rowHeight);
        inner += rowHeight + spacing;
    }
    place("CheckBox3", x + side, inner, c3.cx, c3.cy);

    // Commands in a row.
    y += band + spacing;
    const int commandHeight = scaled(layout::kCommand.height);
    const auto commandWidth = [&](const char* name) {
        return std::max<int>(scaled(layout::kCommand.width), size(name).cx + scaled(16));
    };
    x = margin;
    for (const char* name : {"Button1", "Button2", "Button3", "Button4"}) {
        place(name, x, y, commandWidth(name), commandHeight);
        x += commandWidth(name) + spacing;
    }
    // The status line at the foot; the table takes what is left between.
    y += commandHeight + spacing;
    // No smaller than the bands need, with a few rows of the table, as the Qt face's layout.
    minimum_ = {2 * margin + directionsWidth + worksWidth + expensesWidth + 2 * spacing,
                y + scaled(80) + spacing + commandHeight + margin};
    const int statusTop = client.bottom - margin - commandHeight;
    place("Grid1", margin, y, std::max<int>(0, client.right - 2 * margin),
          std::max(0, statusTop - spacing - y));
    int right = client.right - margin;
    if (IsWindowVisible(Control("Button5"))) {
        right -= commandWidth("Button5");
        place("Button5", right, statusTop, commandWidth("Button5"), commandHeight);
        right -= spacing;
    }
    if (IsWindowVisible(Control("ProgressBar1"))) {
        right -= scaled(layout::kProgressWidth);
        place("ProgressBar1", right, statusTop, scaled(layout::kProgressWidth), commandHeight);
        right -= spacing;
    }
    place("Label3", margin, statusTop, std::max<int>(0, right - margin), commandHeight);

    if (tips_) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = frame_;
        tool.uId = 1;
        GetWindowRect(Control("GroupBox1"), &tool.rect);
        MapWindowPoints(nullptr, frame_, reinterpret_cast<POINT*>(&tool.rect), 2);
        SendMessageW(tips_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void BatchWindow::TakeSettingsFrom(const costbatch::Settings& settings) {
    form_.TakeSettings(settings);
}

void BatchWindow::Show(HWND opener) {
    if (!placed_ && opener) {
        // Beside the opener's corner, moved just enough to be wholly on its screen.
        RECT from, own;
        GetWindowRect(opener, &from);
        GetWindowRect(frame_, &own);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(opener, MONITOR_DEFAULTTOPRIMARY), &monitor);
        const RECT& work = monitor.rcWork;
        const LONG x = std::max(work.left, std::min<LONG>(from.left + scaled(40),
                                                          work.right - (own.right - own.left)));
        const LONG y = std::max(work.top, std::min<LONG>(from.top + scaled(40),
                                                         work.bottom - (own.bottom - own.top)));
        SetWindowPos(frame_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(frame_, SW_SHOW);
    SetForegroundWindow(frame_);
    if (!placed_) SetFocus(control(d_.firstFocus));
    placed_ = true;
}

void BatchWindow::PasteText(std::string_view utf8) { form_.Paste(utf8); }

void BatchWindow::OpenFile(const std::wstring& path) { form_.Load(ReadTableFile(path)); }

void BatchWindow::SaveFile(const std::wstring& path, costbatch::Format format,
                           costbatch::Encoding encoding) {
    WriteTableFile(form_.Rows(), path, format, encoding);
}

void BatchWindow::CopySelection() {
    if (!form_.HasRows()) return;
    // The list selects whole rows: each run of them is one range of every column.
    std::vector<forms::CellRange> ranges;
    const std::size_t last = form_.Rows().Columns() - 1;
    HWND grid = Control("Grid1");
    // Every row selected is the whole table, without asking a million times.
    const auto selected = static_cast<std::size_t>(SendMessageW(grid, LVM_GETSELECTEDCOUNT, 0, 0));
    for (int row = -1; selected < form_.Rows().Size() &&
         (row = static_cast<int>(SendMessageW(grid, LVM_GETNEXTITEM, static_cast<WPARAM>(row),
                                              LVNI_SELECTED))) >= 0;) {
        const auto at = static_cast<std::size_t>(row);
        if (!ranges.empty() && ranges.back().bottom + 1 == at)
            ranges.back().bottom = at;
        else
            ranges.push_back({at, at, 0, last});
    }
    PutClipboardText(frame_, Wide(forms::SelectionText(form_.Rows(), ranges)));
}

void BatchWindow::Button1Click() { PasteText(Utf8(ClipboardText(frame_))); }

void BatchWindow::Button2Click() {
    if (const auto chosen = AskForFile(frame_, false, forms::OpenFilters())) OpenFile(chosen->path);
}

void BatchWindow::Button3Click() {
    std::vector<forms::FileFilter> filters;
    for (const forms::SaveChoice& c : forms::SaveChoices()) filters.push_back(c.filter);
    if (const auto chosen = AskForFile(frame_, true, filters)) {
        const forms::SaveTarget target = forms::ResolveSave(Utf8(chosen->path), chosen->filter);
        SaveFile(Wide(target.path), target.format, target.encoding);
    }
}

void BatchWindow::Button4Click() { CopySelection(); }

void BatchWindow::Button5Click() { form_.Cancel(); }

void BatchWindow::Slicing(bool on) {
    if (on)
        SetTimer(frame_, kSliceTimer, USER_TIMER_MINIMUM, nullptr);
    else
        KillTimer(frame_, kSliceTimer);
}

// The controls as the layer holds the settings; an edit already so stays untouched, so that
// typing keeps its place.
void BatchWindow::ShowSettings() {
    const costbatch::Settings& s = form_.Settings();
    showingSettings_ = true;
    const auto check = [this](const char* name, bool on) {
        HWND h = Control(name);
        SendMessageW(h, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
        if (d_.control(name).kind == K::RadioButton) {
            // Tab reaches a radio group at its checked button.
            const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
            SetWindowLongPtrW(h, GWL_STYLE, on ? style | WS_TABSTOP : style & ~WS_TABSTOP);
        }
    };
    check("RadioButton1", s.direction == costbatch::Direction::Reverse);
    check("RadioButton2", s.direction == costbatch::Direction::Forward);
    for (std::size_t i = 0; i < captions::kWorkNames.size(); ++i)
        check(("rb" + std::to_string(i + 1)).c_str(), captions::kWorkNames[i].work == s.work);
    for (const auto& [name, value] : {std::pair{"Edit2", &s.extraInNetText},
                                      std::pair{"Edit3", &s.extraNoOverheadText}}) {
        const std::wstring wide = Wide(*value);
        if (TextOf(Control(name)) != wide) SetWindowTextW(Control(name), wide.c_str());
    }
    check("CheckBox1", s.extraInNet);
    check("CheckBox2", s.extraNoOverhead);
    check("CheckBox3", s.noCommonTemp);
    showingSettings_ = false;
    ShowEnabling();
}

void BatchWindow::ShowEnabling() {
    EnableWindow(Control("Edit2"), form_.ExtraInNetEditable());
    EnableWindow(Control("Edit3"), form_.ExtraNoOverheadEditable());
    for (const char* name : {"GroupBox1", "RadioButton1", "RadioButton2"})
        EnableWindow(Control(name), form_.DirectionEnabled());
    if (tips_) {
        std::wstring tip = Wide(form_.DirectionTip());
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = frame_;
        tool.uId = 1;
        tool.lpszText = tip.data();
        SendMessageW(tips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void BatchWindow::ShowProgress() {
    const forms::BatchProgress p = form_.Progress();
    HWND bar = Control("ProgressBar1"), cancel = Control("Button5");
    // 取消 goes when computing ends; the keyboard goes on in the table.
    if (!p.cancelVisible && GetFocus() == cancel) SetFocus(Control("Grid1"));
    const bool relayout = (IsWindowVisible(bar) != FALSE) != p.progressVisible ||
                          (IsWindowVisible(cancel) != FALSE) != p.cancelVisible;
    ShowWindow(bar, p.progressVisible ? SW_SHOWNA : SW_HIDE);
    ShowWindow(cancel, p.cancelVisible ? SW_SHOWNA : SW_HIDE);
    if (p.progressVisible) {
        SendMessageW(bar, PBM_SETRANGE32, 0, Clamped(p.progressMaximum));
        SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(Clamped(p.progressValue)), 0);
    }
    EnableWindow(Control("Button3"), p.saveEnabled);
    EnableWindow(Control("Button4"), p.copyEnabled);
    const std::wstring status = Wide(p.status);
    if (TextOf(Control("Label3")) != status) SetWindowTextW(Control("Label3"), status.c_str());
    if (relayout && IsWindowVisible(frame_)) Layout();
}

void BatchWindow::RowsReplaced() {
    HWND grid = Control("Grid1");
    SendMessageW(grid, WM_SETREDRAW, FALSE, 0);
    SendMessageW(grid, LVM_SETITEMCOUNT, 0, 0);
    while (SendMessageW(grid, LVM_DELETECOLUMN, 0, 0)) {
    }
    const forms::BatchRows& rows = form_.Rows();
    // The row numbers first, then the table's own columns.
    for (std::size_t c = 0; c <= rows.Columns(); ++c) {
        std::wstring caption = c == 0 ? std::wstring() : Wide(rows.Caption(c - 1));
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
        column.fmt = c == 0 || rows.IsText(c - 1) ? LVCFMT_LEFT : LVCFMT_RIGHT;
        column.cx = scaled(60);
        column.pszText = caption.data();
        SendMessageW(grid, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    SendMessageW(grid, LVM_SETITEMCOUNT, rows.Size(), 0);
    SendMessageW(grid, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(grid, nullptr, TRUE);
}

void BatchWindow::RowsComputed(std::size_t from, std::size_t to) {
    // Only the rows in sight are drawn again; the others ask when they come into it.
    HWND grid = Control("Grid1");
    const auto first = static_cast<std::size_t>(SendMessageW(grid, LVM_GETTOPINDEX, 0, 0));
    const auto page = static_cast<std::size_t>(SendMessageW(grid, LVM_GETCOUNTPERPAGE, 0, 0)) + 1;
    from = std::max(from, first);
    to = std::min(to, first + page);
    if (from < to)
        SendMessageW(grid, LVM_REDRAWITEMS, from, static_cast<LPARAM>(to - 1));
}

void BatchWindow::FitColumns() {
    HWND grid = Control("Grid1");
    HFONT font = FontOf(d_.control("Grid1").font);
    HDC dc = GetDC(grid);
    HGDIOBJ old = SelectObject(dc, font);
    const forms::TextWidth width = [dc](std::string_view utf8) {
        const std::wstring text = Wide(utf8);
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    };
    const forms::BatchRows& rows = form_.Rows();
    int used = width(std::to_string(rows.Size())) + scaled(16);
    SendMessageW(grid, LVM_SETCOLUMNWIDTH, 0, used);
    std::vector<int> widths = forms::ColumnWidths(rows, width, width);
    // The last column takes the room left, as the Qt face stretches it; measured by hand,
    // since the list's own fitting would ask for every row.
    RECT inside;
    GetClientRect(grid, &inside);
    for (std::size_t c = 0; c + 1 < widths.size(); ++c) used += widths[c];
    if (!widths.empty()) widths.back() = std::max<int>(widths.back(), inside.right - used);
    // Drawn once, not once for each column.
    SendMessageW(grid, WM_SETREDRAW, FALSE, 0);
    for (std::size_t c = 0; c < widths.size(); ++c)
        SendMessageW(grid, LVM_SETCOLUMNWIDTH, c + 1, widths[c]);
    SendMessageW(grid, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(grid, nullptr, TRUE);
    SelectObject(dc, old);
    ReleaseDC(grid, dc);
}

bool BatchWindow::FocusInEdit() const {
    HWND focus = GetFocus();
    return focus == control("Edit2") || focus == control("Edit3");
}

// The window's own keys, before the focused control's; true when one was used.
bool BatchWindow::Key(WPARAM key) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (key == VK_ESCAPE && !ctrl) {
        if (form_.Computing()) Button5Click();
        return true;
    }
    if (!ctrl) return false;
    // In an edit, copy and paste are the edit's own.
    switch (key) {
    case 'V':
        if (FocusInEdit()) return false;
        Button1Click();
        return true;
    case 'C':
        if (FocusInEdit()) return false;
        if (form_.Progress().copyEnabled) CopySelection();
        return true;
    case 'O': Button2Click(); return true;
    case 'S':
        if (form_.Progress().saveEnabled) Button3Click();
        return true;
    case 'A':
        if (GetFocus() != Control("Grid1")) return false;
        {
            LVITEMW all{};
            all.stateMask = all.state = LVIS_SELECTED;
            SendMessageW(Control("Grid1"), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(&all));
        }
        return true;
    default: return false;
    }
}

void BatchWindow::GridMenu(POINT at) {
    HMENU menu = CreatePopupMenu();
    const forms::BatchProgress p = form_.Progress();
    const auto entry = [menu](UINT id, std::string_view caption, std::string_view key, bool on) {
        AppendMenuW(menu, MF_STRING | (on ? 0 : MF_GRAYED), id,
                    Wide(text::MenuEntry(caption, key)).c_str());
    };
    entry(kMenuPaste, text::kPaste, "Ctrl+V", true);
    entry(kMenuCopy, text::kCopy, "Ctrl+C", p.copyEnabled);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    entry(kMenuOpen, text::kOpen, "Ctrl+O", true);
    entry(kMenuSave, text::kSave, "Ctrl+S", p.saveEnabled);
    if (at.x == -1 && at.y == -1) {
        // From the keyboard: at the table's corner.
        RECT r;
        GetWindowRect(Control("Grid1"), &r);
        at = {r.left + scaled(8), r.top + scaled(8)};
    }
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(
        menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, frame_, nullptr));
    DestroyMenu(menu);
    switch (chosen) {
    case kMenuPaste: Button1Click(); break;
    case kMenuCopy: CopySelection(); break;
    case kMenuOpen: Button2Click(); break;
    case kMenuSave: Button3Click(); break;
    default: break;
    }
}

void BatchWindow::Command(int id, WORD code) {
    const auto control = static_cast<forms::ControlId>(id - kFirstControlId);
    if (id < kFirstControlId || control >= d_.controls.size() || showingSettings_) return;
    const forms::Control& c = d_.controls[control];
    HWND h = controls_[control];
    const bool on = SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED;
    // Each control tells the layer what it now holds: a choice takes effect at once, typing
    // once it pauses.
    if (c.kind == K::Edit && code == EN_CHANGE) {
        if (c.name == "Edit2")
            form_.SetExtraInNetText(Utf8(TextOf(h)));
        else
            form_.SetExtraNoOverheadText(Utf8(TextOf(h)));
        SetTimer(frame_, kSettleTimer, static_cast<UINT>(forms::BatchForm::kTypingPause.count()),
                 nullptr);
        return;
    }
    if (code != BN_CLICKED) return;
    if (c.kind == K::PushButton) {
        if (c.name == "Button1") Button1Click();
        if (c.name == "Button2") Button2Click();
        if (c.name == "Button3") Button3Click();
        if (c.name == "Button4") Button4Click();
        if (c.name == "Button5") Button5Click();
        return;
    }
    if (c.kind == K::RadioButton && on) {
        if (c.name == "RadioButton1") form_.SetDirection(costbatch::Direction::Reverse);
        if (c.name == "RadioButton2") form_.SetDirection(costbatch::Direction::Forward);
        for (std::size_t i = 0; i < captions::kWorkNames.size(); ++i)
            if (c.name == "rb" + std::to_string(i + 1)) form_.SetWork(captions::kWorkNames[i].work);
    } else if (c.kind == K::CheckBox) {
        if (c.name == "CheckBox1") form_.SetExtraInNet(on);
        if (c.name == "CheckBox2") form_.SetExtraNoOverhead(on);
        if (c.name == "CheckBox3") form_.SetNoCommonTemp(on);
        ShowEnabling();
    } else {
        return;
    }
    SetTimer(frame_, kSettleTimer, USER_TIMER_MINIMUM, nullptr);
}

LRESULT BatchWindow::DrawCell(NMLVCUSTOMDRAW& draw) const {
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        const auto row = static_cast<std::size_t>(draw.nmcd.dwItemSpec);
        const auto colour =
            draw.iSubItem > 0 && row < form_.Rows().Size()
                ? form_.Rows().CellColour(row, static_cast<std::size_t>(draw.iSubItem - 1))
                : std::nullopt;
        draw.clrText = colour ? ColourRef(*colour) : CLR_DEFAULT;
        return CDRF_NEWFONT;
    }
    default: return CDRF_DODEFAULT;
    }
}

LRESULT BatchWindow::Notify(NMHDR& header) {
    if (header.hwndFrom != Control("Grid1")) return 0;
    const forms::BatchRows& rows = form_.Rows();
    switch (header.code) {
    case LVN_GETDISPINFOW: {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(header).item;
        const auto row = static_cast<std::size_t>(item.iItem);
        if (!(item.mask & LVIF_TEXT) || row >= rows.Size()) return 0;
        shown_ = item.iSubItem == 0
                     ? std::to_wstring(row + 1)
                     : Wide(rows.ShownCell(row, static_cast<std::size_t>(item.iSubItem - 1)));
        item.pszText = shown_.data();
        return 0;
    }
    case LVN_GETINFOTIPW: {
        auto& tip = reinterpret_cast<NMLVGETINFOTIPW&>(header);
        const auto row = static_cast<std::size_t>(tip.iItem);
        if (row >= rows.Size() || tip.cchTextMax <= 0) return 0;
        const std::wstring text = Wide(rows.Tip(row));
        const std::size_t n = std::min<std::size_t>(text.size(),
                                                    static_cast<std::size_t>(tip.cchTextMax - 1));
        std::copy_n(text.c_str(), n, tip.pszText);
        tip.pszText[n] = L'\0';
        return 0;
    }
    case NM_CUSTOMDRAW:
        return DrawCell(reinterpret_cast<NMLVCUSTOMDRAW&>(header));
    default: return 0;
    }
}

LRESULT BatchWindow::Frame(HWND h, UINT m, WPARAM w, LPARAM l) {
    switch (m) {
    case WM_COMMAND:
        if (l != 0) Command(LOWORD(w), HIWORD(w));
        return 0;
    case WM_NOTIFY: return Notify(*reinterpret_cast<NMHDR*>(l));
    case WM_TIMER:
        if (w == kSliceTimer) form_.ComputeSlice();
        if (w == kSettleTimer) {
            KillTimer(h, kSettleTimer);
            form_.ApplySettings();
        }
        return 0;
    case kWindowKey: {
        const MSG& key = *reinterpret_cast<const MSG*>(l);
        return key.message == WM_KEYDOWN && Key(key.wParam) ? 1 : 0;
    }
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(w) == Control("Grid1"))
            GridMenu({static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))});
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN: {
        const auto id = static_cast<forms::ControlId>(
            GetDlgCtrlID(reinterpret_cast<HWND>(l)) - kFirstControlId);
        if (id >= d_.controls.size()) break;
        return ControlColours(reinterpret_cast<HDC>(w), d_.controls[id],
                              IsWindowEnabled(reinterpret_cast<HWND>(l)) != FALSE, d_.background);
    }
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(l);
        const auto id = static_cast<forms::ControlId>(item.CtlID - kFirstControlId);
        if (id < d_.controls.size())
            DrawCaptionFrame(item, d_.controls[id], FontOf(d_.controls[id].font), d_.background,
                             dpi_);
        return TRUE;
    }
    case WM_SIZE:
        if (!controls_.empty()) Layout();
        return 0;
    case WM_GETMINMAXINFO: {
        RECT outer{0, 0, minimum_.cx, minimum_.cy};
        AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, 0);
        auto& limits = *reinterpret_cast<MINMAXINFO*>(l);
        if (minimum_.cx > 0)
            limits.ptMinTrackSize = {outer.right - outer.left, outer.bottom - outer.top};
        return 0;
    }
    case WM_ACTIVATE:
        if (FocusFollowsActivation(h, w, lastFocus_)) return 0;
        break;
    case WM_DROPFILES: {
        // One file dropped opens as 開く… would; several are not one table.
        auto* drop = reinterpret_cast<HDROP>(w);
        const auto query = Later<decltype(DragQueryFileW)>(L"shell32.dll", "DragQueryFileW");
        std::wstring path;
        if (query(drop, 0xFFFFFFFF, nullptr, 0) == 1) {
            path.resize(query(drop, 0, nullptr, 0) + 1);
            path.resize(query(drop, 0, path.data(), static_cast<UINT>(path.size())));
        }
        Later<decltype(DragFinish)>(L"shell32.dll", "DragFinish")(drop);
        if (!path.empty()) OpenFile(path);
        return 0;
    }
    case WM_CLOSE:
        // Hidden, not destroyed: its rows stay for the next time it is opened.
        ShowWindow(h, SW_HIDE);
        return 0;
    default: break;
    }
    return DefWindowProcW(h, m, w, l);
}

LRESULT CALLBACK BatchWindow::Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    auto* self = WindowObject<BatchWindow>(h, m, l);
    if (!self) return DefWindowProcW(h, m, w, l);
    LRESULT result = 0;
    RunHandler([&] { result = self->Frame(h, m, w, l); });
    return result;
}

}  // namespace zanvoro::win32
