#include "FormWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <tuple>
#include <type_traits>

#include "AccessibleNames.h"
#include "Look.h"
#include "Shell.h"
#include "Text.h"
#include "WindowCommands.h"

namespace zanvoro::win32 {

namespace {

constexpr wchar_t kFrameClass[] = L"ZanvoroForm";
constexpr wchar_t kAreaClass[] = L"ZanvoroArea";
// Controls are numbered from here in description order, clear of IDOK and IDCANCEL that the
// dialog manager sends for Enter and Escape.
constexpr int kFirstControlId = 1000;
constexpr int kFirstMenuId = 100;
// Posted to the area when the controls' names are to be made again.
constexpr UINT kNameControls = WM_APP + 2;
constexpr int kDoorPicture = 2;
constexpr int kDoorSide = 18;  // at 96 dpi, as the door is designed

using K = forms::ControlKind;

// The frame's style for each border of the description.
struct FrameStyle {
    DWORD style;
    DWORD exStyle;
};
FrameStyle StyleOf(forms::Border border) {
    switch (border) {
    case forms::Border::FixedSingle:
        return {WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0};
    case forms::Border::Sizeable: return {WS_OVERLAPPEDWINDOW, 0};
    case forms::Border::DialogFrame:
        return {WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME};
    }
    return {WS_OVERLAPPEDWINDOW, 0};
}

}  // namespace

std::vector<forms::ControlId> CreationOrder(const forms::Window& w) {
    std::vector<forms::ControlId> order;
    std::vector<bool> placed(w.controls.size(), false);
    const auto place = [&](const auto& self, const std::vector<std::string>& names) -> void {
        for (const std::string& name : names) {
            const forms::ControlId id = w.find(name);
            if (id == forms::kNoControl || placed[id]) continue;
            placed[id] = true;
            order.push_back(id);
            for (const auto& inner : w.tabOrders)
                if (!inner.empty() && &inner != &w.tabOrders.front() &&
                    w.control(inner.front()).parent == name)
                    self(self, inner);
        }
    };
    if (!w.tabOrders.empty()) place(place, w.tabOrders.front());
    for (forms::ControlId id = 0; id < w.controls.size(); ++id)
        if (!placed[id]) order.push_back(id);
    return order;
}

FormWindow::FormWindow(HINSTANCE instance, forms::Window description,
                       forms::CalculatingForm* form, HWND owner)
    : instance_(instance), d_(std::move(description)), form_(form) {
    Register(instance);
    dpi_ = ScreenDpi();
    if (!d_.menuBar.empty()) {
        menu_ = CreateMenu();
        for (const forms::MenuItem& top : d_.menuBar) {
            HMENU drop = CreatePopupMenu();
            for (const forms::MenuItem& item : top.items) {
                if (item.caption == "-") {
                    AppendMenuW(drop, MF_SEPARATOR, 0, nullptr);
                    continue;
                }
                menuCommands_.push_back(item.command);
                AppendMenuW(drop, MF_STRING, kFirstMenuId + menuCommands_.size() - 1,
                            Wide(item.caption).c_str());
            }
            AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(drop), Wide(top.caption).c_str());
        }
    }

    const FrameStyle fs = StyleOf(d_.border);
    RECT outer{0, 0, scaled(d_.client.width), scaled(d_.client.height)};
    AdjustWindowRectEx(&outer, fs.style, menu_ != nullptr, fs.exStyle);
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    // Where the table puts it, moved just enough to be wholly on the screen it is on.
    POINT at{scaled(d_.position.x), scaled(d_.position.y)};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint(at, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    if (d_.centred) {
        const RECT& screen = monitor.rcMonitor;
        at = {screen.left + std::max(0L, (screen.right - screen.left - width) / 2),
              screen.top + std::max(0L, (screen.bottom - screen.top - height) / 2)};
    }
    at.x = std::max(work.left, std::min(at.x, work.right - width));
    at.y = std::max(work.top, std::min(at.y, work.bottom - height));

    frame_ = CreateWindowExW(fs.exStyle, kFrameClass, Wide(d_.title).c_str(), fs.style, at.x,
                             at.y, width, height, owner, menu_, instance, this);
    if (!frame_) throw std::runtime_error("CreateWindowExW");
    if (d_.border != forms::Border::DialogFrame) {
        SetProgramIcons(frame_, instance);
    }
    area_ = CreateWindowExW(WS_EX_CONTROLPARENT, kAreaClass, L"ClientArea", WS_CHILD | WS_VISIBLE,
                            0, 0, scaled(d_.extent.width), scaled(d_.extent.height), frame_,
                            nullptr, instance, this);
    if (!area_) throw std::runtime_error("CreateWindowExW");
    commands_ = std::make_unique<WindowCommands>(*this);
}

FormWindow::~FormWindow() {
    // Nothing the teardown sends may reach this object or its behaviour any more.
    if (form_) {
        form_->setListener({});
        form_->setBeep({});
    }
    if (area_) SetWindowLongPtrW(area_, GWLP_USERDATA, 0);
    if (frame_) {
        SetWindowLongPtrW(frame_, GWLP_USERDATA, 0);
        DestroyWindow(frame_);  // its menu and controls with it
    }
}

void FormWindow::Register(HINSTANCE instance) {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW frame{};
    frame.cbSize = sizeof frame;
    frame.lpfnWndProc = Proc<&FormWindow::Frame>;
    frame.hInstance = instance;
    frame.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    frame.lpszClassName = kFrameClass;
    WNDCLASSEXW area = frame;
    area.lpfnWndProc = Proc<&FormWindow::Area>;
    area.lpszClassName = kAreaClass;
    if (!RegisterClassExW(&frame) || !RegisterClassExW(&area))
        throw std::runtime_error("RegisterClassExW");
    registered = true;
}

bool FormWindow::IsFrame(HWND window) {
    wchar_t name[32];
    return GetClassNameW(window, name, 32) && std::wstring_view(name) == kFrameClass;
}

forms::ControlId FormWindow::idOf(HWND control) const {
    const auto at = std::find(controls_.begin(), controls_.end(), control);
    return control && at != controls_.end() ? static_cast<forms::ControlId>(at - controls_.begin())
                                            : forms::kNoControl;
}

HWND FormWindow::control(std::string_view name) const {
    const forms::ControlId id = d_.find(name);
    return id < controls_.size() ? controls_[id] : nullptr;
}

HFONT FormWindow::FontOf(const forms::Font& font) { return fonts_.Get(font, dpi_); }

HBRUSH FormWindow::Background() const { return GetSysColorBrush(SystemColourIndex(d_.background)); }

void FormWindow::MakeControls() {
    if (!controls_.empty()) return;
    controls_.assign(d_.controls.size(), nullptr);
    // Labels are measured before they are made, all on one memory DC: a DC and a move of
    // each label cost several round trips to Wine's server, dozens before the first paint.
    const std::unique_ptr<std::remove_pointer_t<HDC>, decltype(&DeleteDC)> measure(
        CreateCompatibleDC(nullptr), &DeleteDC);
    if (!measure) throw std::runtime_error("CreateCompatibleDC");
    int lastGroup = 0;
    for (const forms::ControlId id : CreationOrder(d_)) {
        const forms::Control& c = d_.controls[id];
        forms::ControlState s{c.caption, c.enabled, c.checked};
        if (form_) s = form_->state(id);
        // Children of a frame or panel are the area's too, placed from the frame's corner:
        // a frame that held them would keep their notifications from the area.
        forms::Rect at = c.at;
        if (!c.parent.empty()) {
            const forms::Rect& p = d_.control(c.parent).at;
            at.left += p.left;
            at.top += p.top;
        }
        const wchar_t* cls = L"STATIC";
        DWORD style = WS_CHILD | WS_VISIBLE, ex = 0;
        switch (c.kind) {
        case K::Label: style |= SS_NOPREFIX | (c.wraps ? SS_LEFT : SS_LEFTNOWORDWRAP); break;
        case K::Edit:
            cls = L"EDIT";
            style |= WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
            ex = WS_EX_CLIENTEDGE;
            break;
        // Drawn here: a static's text neither centres vertically nor keeps off the edge.
        case K::ResultBox: style |= SS_OWNERDRAW | SS_NOPREFIX; break;
        case K::RadioButton:
            // The window layer checks and unchecks; the button only reports the click.
            cls = L"BUTTON";
            style |= BS_RADIOBUTTON | BS_NOTIFY | (s.checked ? WS_TABSTOP : 0);
            if (c.group != lastGroup) style |= WS_GROUP;
            break;
        case K::CheckBox: cls = L"BUTTON"; style |= BS_CHECKBOX | BS_NOTIFY | WS_TABSTOP; break;
        case K::PushButton: {
            cls = L"BUTTON";
            const bool framed = std::find(d_.defaultFramed.begin(), d_.defaultFramed.end(),
                                          c.name) != d_.defaultFramed.end();
            style |= (framed ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_NOTIFY | WS_TABSTOP;
            break;
        }
        // Drawn here: a themed group box ignores the caption's colour.
        case K::CaptionFrame: style |= SS_OWNERDRAW | SS_NOPREFIX; break;
        case K::BevelPanel: style |= SS_OWNERDRAW; break;
        case K::Picture: style |= SS_ICON | SS_REALSIZECONTROL; break;
        case K::Table:
        case K::ProgressBar: throw std::logic_error("no Win32 control yet for " + c.name);
        }
        // The dialog manager's groups: each radio group starts one, and so does whatever follows.
        if (c.kind != K::RadioButton && lastGroup != 0) style |= WS_GROUP;
        lastGroup = c.kind == K::RadioButton ? c.group : 0;
        if (!s.enabled) style |= WS_DISABLED;

        const std::wstring text = Wide(s.text);
        SIZE size{scaled(at.width), scaled(at.height)};
        if (c.kind == K::Label) {
            // Sized to its text: the given size unless the text needs more, so that nothing
            // is cut; a wrapping label grows downwards only.
            HGDIOBJ old = SelectObject(measure.get(), FontOf(c.font));
            RECT r{0, 0, c.wraps ? size.cx : 0, 0};
            DrawTextW(measure.get(), text.c_str(), static_cast<int>(text.size()), &r,
                      DT_CALCRECT | DT_NOPREFIX | (c.wraps ? DT_WORDBREAK : DT_SINGLELINE));
            SelectObject(measure.get(), old);
            size = {std::max<LONG>(size.cx, r.right), std::max<LONG>(size.cy, r.bottom)};
        }
        HWND h = CreateWindowExW(ex, cls, text.c_str(), style, scaled(at.left), scaled(at.top),
                                 size.cx, size.cy, area_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + id)),
                                 instance_, nullptr);
        if (!h) throw std::runtime_error("CreateWindowExW " + c.name);
        controls_[id] = h;
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(c.font)), FALSE);
        if (c.kind == K::Edit) {
            SendMessageW(h, EM_SETLIMITTEXT, 0, 0);  // as long as memory allows
            // A pixel on the left, none on the right, where the last glyph's own bearing keeps
            // it off the edge: a rate such as 14.38 takes 45 of the 46 pixels inside the
            // calculator window's 50-pixel edits, and the system's margins for this font
            // (2 and 1) cut its last digit off.
            SendMessageW(h, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(scaled(1), 0));
        }
        if (c.kind == K::RadioButton || c.kind == K::CheckBox)
            SendMessageW(h, BM_SETCHECK, s.checked ? BST_CHECKED : BST_UNCHECKED, 0);
        if (c.picture == forms::Picture::Door) {
            // Beside the caption (common controls 6); the system greys it when disabled.
            const int side = scaled(kDoorSide);
            SendMessageW(h, BM_SETIMAGE, IMAGE_ICON,
                         reinterpret_cast<LPARAM>(LoadImageW(instance_, MAKEINTRESOURCEW(kDoorPicture),
                                                             IMAGE_ICON, side, side, LR_SHARED)));
        }
        if (c.picture == forms::Picture::ProgramIcon) {
            const int side = scaled(c.at.width);
            SendMessageW(h, STM_SETIMAGE, IMAGE_ICON,
                         reinterpret_cast<LPARAM>(LoadImageW(instance_, MAKEINTRESOURCEW(kProgramIcon),
                                                             IMAGE_ICON, side, side, LR_SHARED)));
            SetWindowPos(h, nullptr, 0, 0, side, side, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (form_) {
        form_->setListener([this](forms::ControlId id) { ShowState(id); });
        form_->setBeep(Beep);
    }
    names_ = std::make_unique<AccessibleNames>();
    names_->beforeAsked = [this] { NameControls(); };
    namesStale_ = true;
    NameControls();
}

// Every control by the name the window layer gives it, kept up with what the controls show:
// once after a change of many controls, not once for each.
void FormWindow::NameControls() {
    if (!names_ || !namesStale_) return;
    namesStale_ = false;
    for (forms::ControlId id = 0; id < controls_.size(); ++id)
        names_->Name(controls_[id], form_ ? form_->AccessibleName(id) : forms::DescribedName(d_, id));
}

void FormWindow::ShowState(forms::ControlId id) {
    HWND h = controls_.at(id);
    const forms::ControlState& s = form_->state(id);
    const forms::Control& c = d_.controls[id];
    showingState_ = true;
    if (c.kind == K::RadioButton || c.kind == K::CheckBox) {
        const bool checked = SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED;
        if (checked != s.checked) SendMessageW(h, BM_SETCHECK, s.checked ? BST_CHECKED : BST_UNCHECKED, 0);
        // Tab reaches a radio group at its checked button.
        if (c.kind == K::RadioButton) {
            const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
            SetWindowLongPtrW(h, GWL_STYLE, s.checked ? style | WS_TABSTOP : style & ~WS_TABSTOP);
        }
    } else if (c.kind != K::CaptionFrame && c.kind != K::PushButton) {
        const std::wstring text = Wide(s.text);
        if (TextOf(h) != text) {
            SetWindowTextW(h, text.c_str());
            if (c.kind == K::ResultBox) InvalidateRect(h, nullptr, FALSE);
        }
    }
    if ((IsWindowEnabled(h) != FALSE) != s.enabled) EnableWindow(h, s.enabled);
    showingState_ = false;
    // A result box is read with its value: named again once this change is done, or sooner
    // if a reader asks.
    if (names_ && !namesStale_) {
        namesStale_ = true;
        PostMessageW(area_, kNameControls, 0, 0);
    }
}

void FormWindow::Show(int showCommand) {
    MakeControls();
    ShowWindow(frame_, showCommand);
    HWND focus = lastFocus_;
    if (!shownBefore_ || !focus || !IsWindowEnabled(focus)) {
        focus = control(d_.firstFocus);
        if (focus && d_.controls[d_.find(d_.firstFocus)].kind == K::Edit)
            SendMessageW(focus, EM_SETSEL, 0, -1);
    }
    shownBefore_ = true;
    if (focus && showCommand != SW_SHOWMINNOACTIVE) SetFocus(focus);
    FocusMoved(focus);
}

void FormWindow::Hide() {
    HWND focus = GetFocus();
    if (focus && IsChild(frame_, focus)) lastFocus_ = focus;
    ShowWindow(frame_, SW_HIDE);
}

// Enter presses the focused push button, else the default one, which alone then shows the
// default frame.
void FormWindow::FocusMoved(HWND now) {
    if (d_.border == forms::Border::Sizeable && now && IsChild(area_, now)) ScrollIntoView(now);
    const forms::ControlId focused =
        now && IsChild(area_, now) ? static_cast<forms::ControlId>(GetDlgCtrlID(now) - kFirstControlId)
                                   : forms::kNoControl;
    const bool onButton = focused < d_.controls.size() && d_.controls[focused].kind == K::PushButton;
    for (forms::ControlId id = 0; id < controls_.size(); ++id) {
        if (d_.controls[id].kind != K::PushButton) continue;
        const bool framed =
            onButton ? id == focused
                     : std::find(d_.defaultFramed.begin(), d_.defaultFramed.end(),
                                 d_.controls[id].name) != d_.defaultFramed.end();
        const DWORD style = framed ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        if ((GetWindowLongPtrW(controls_[id], GWL_STYLE) & BS_TYPEMASK) != style)
            SendMessageW(controls_[id], BM_SETSTYLE, style | BS_NOTIFY, TRUE);
    }
}

void FormWindow::Clicked(forms::ControlId id) {
    const forms::Control& c = d_.controls.at(id);
    if (c.kind == K::CheckBox && form_) {
        form_->SetChecked(id, !form_->state(id).checked);
    } else if (c.kind == K::RadioButton && form_) {
        form_->SetChecked(id, true);
    } else if (c.kind == K::PushButton) {
        if (c.name == "Button1" && form_) form_->Button1Click();
        else if (c.name == "Button2" && form_) form_->Button2Click();
        else if (c.name == "BitBtn1" && onCommand) onCommand(forms::Command::Close);
        else if (c.name == "OKButton" && onClose) onClose(ModalResult::Ok);
    }
}

bool FormWindow::Command(WPARAM w, LPARAM l) {
    const int id = LOWORD(w);
    const WORD code = HIWORD(w);
    if (l == 0) {
        // A menu item; IDOK and IDCANCEL from the dialog manager's Enter and Escape are
        // nothing here, since Enter goes to the default button by DM_GETDEFID.
        const std::size_t item = static_cast<std::size_t>(id - kFirstMenuId);
        if (code == 0 && id >= kFirstMenuId && item < menuCommands_.size() && onCommand)
            onCommand(menuCommands_[item]);
        return true;
    }
    const auto control = static_cast<forms::ControlId>(id - kFirstControlId);
    if (id < kFirstControlId || control >= controls_.size()) return false;
    HWND h = reinterpret_cast<HWND>(l);
    switch (code) {
    case BN_CLICKED: Clicked(control); break;
    case EN_CHANGE:
        if (!showingState_ && form_) form_->TextTyped(control, Utf8(TextOf(h)));
        break;
    case BN_SETFOCUS:
    case EN_SETFOCUS: FocusMoved(h); break;
    default: break;
    }
    return true;
}

LRESULT FormWindow::Colours(HDC dc, HWND h) {
    const auto id = static_cast<forms::ControlId>(GetDlgCtrlID(h) - kFirstControlId);
    if (id >= d_.controls.size()) return 0;
    return ControlColours(dc, d_.controls[id], IsWindowEnabled(h) != FALSE, d_.background);
}

void FormWindow::Draw(const DRAWITEMSTRUCT& item) {
    const auto id = static_cast<forms::ControlId>(item.CtlID - kFirstControlId);
    if (id >= d_.controls.size()) return;
    const forms::Control& c = d_.controls[id];
    RECT r = item.rcItem;
    if (c.kind == K::ResultBox) {
        // Sunken, on the button face, the text right-aligned and centred in height, kept off
        // the edge by half an x as a framed label keeps it; a text too wide loses its left.
        FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(item.hDC, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        HGDIOBJ old = SelectObject(item.hDC, FontOf(c.font));
        SIZE x{};
        GetTextExtentPoint32W(item.hDC, L"x", 1, &x);
        r.right -= x.cx / 2;
        const std::wstring text = TextOf(item.hwndItem);
        SetTextColor(item.hDC, ColourRef(c.colour));
        SetBkMode(item.hDC, TRANSPARENT);
        DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &r,
                  DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(item.hDC, old);
        return;
    }
    if (c.kind == K::BevelPanel) {
        // A raised bevel inside a lowered one.
        FillRect(item.hDC, &r, Background());
        DrawEdge(item.hDC, &r, BDR_SUNKENOUTER, BF_RECT);
        InflateRect(&r, -1, -1);
        DrawEdge(item.hDC, &r, BDR_RAISEDINNER, BF_RECT);
        return;
    }
    // The inside stays as the area drew it.
    DrawCaptionFrame(item, c, FontOf(c.font), d_.background, dpi_);
}

// Showing or hiding one bar changes the room the other pages over: a page left from before
// would stop the scrolling short of the bottom (or right) edge, so the bars are fitted again
// until the client area stays, which takes at most three rounds (both bars shown or hidden).
void FormWindow::FitScrollBars() {
    const int sizes[] = {scaled(d_.extent.width), scaled(d_.extent.height)};
    RECT client;
    GetClientRect(frame_, &client);
    POINT origin{0, 0};
    for (int pass = 0; pass < 3; ++pass) {
        const int pages[] = {client.right, client.bottom};
        for (int bar : {SB_HORZ, SB_VERT}) {
            SCROLLINFO si{};
            si.cbSize = sizeof si;
            si.fMask = SIF_RANGE | SIF_PAGE;
            si.nMax = sizes[bar] - 1;
            si.nPage = static_cast<UINT>(std::max(0, pages[bar]));
            SetScrollInfo(frame_, bar, &si, TRUE);
            si.fMask = SIF_POS;
            GetScrollInfo(frame_, bar, &si);
            (bar == SB_HORZ ? origin.x : origin.y) = -si.nPos;
        }
        RECT now;
        GetClientRect(frame_, &now);
        if (EqualRect(&now, &client)) break;
        client = now;
    }
    if (area_) SetWindowPos(area_, nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The focused control in sight, with a margin, in a window smaller than its controls need;
// its left and top edges win when it is larger than the window.
void FormWindow::ScrollIntoView(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, area_, reinterpret_cast<POINT*>(&r), 2);
    RECT client;
    GetClientRect(frame_, &client);
    const int margin = scaled(8);
    const LONG lows[] = {r.left, r.top}, highs[] = {r.right, r.bottom};
    const LONG pages[] = {client.right, client.bottom};
    bool moved = false;
    for (int bar : {SB_HORZ, SB_VERT}) {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_POS;
        GetScrollInfo(frame_, bar, &si);
        int pos = si.nPos;
        pos = std::max<int>(pos, highs[bar] + margin - pages[bar]);
        pos = std::min<int>(pos, lows[bar] - margin);
        if (pos == si.nPos) continue;
        si.nPos = pos;
        SetScrollInfo(frame_, bar, &si, TRUE);
        moved = true;
    }
    if (moved) FitScrollBars();
}

void FormWindow::Scroll(int bar, WORD request) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(frame_, bar, &si);
    const int line = scaled(16);
    int pos = si.nPos;
    switch (request) {
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_PAGEUP: pos -= static_cast<int>(si.nPage); break;
    case SB_PAGEDOWN: pos += static_cast<int>(si.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = si.nMin; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: return;
    }
    si.fMask = SIF_POS;
    si.nPos = pos;
    SetScrollInfo(frame_, bar, &si, TRUE);
    FitScrollBars();
}

LRESULT FormWindow::Erase(HWND h, HDC dc) const {
    RECT r;
    GetClientRect(h, &r);
    FillRect(dc, &r, Background());
    return 1;
}

LRESULT FormWindow::Frame(HWND h, UINT m, WPARAM w, LPARAM l) {
    switch (m) {
    case WM_COMMAND:
        // The dialog manager sends the buttons' commands here, to the window it works for.
        if (l != 0) return SendMessageW(area_, m, w, l);
        if (HIWORD(w) == 1 && commands_ && commands_->Key(LOWORD(w))) return 0;
        Command(w, l);
        return 0;
    case DM_GETDEFID: {
        const forms::ControlId id = d_.find(d_.defaultButton);
        if (id == forms::kNoControl) break;
        return MAKELRESULT(kFirstControlId + id, DC_HASDEFID);
    }
    case WM_CLOSE:
        if (onClose) onClose(ModalResult::Cancel);
        return 0;
    case WM_ACTIVATE:
        if (FocusFollowsActivation(h, w, lastFocus_)) return 0;
        break;
    case kWindowKey:
        // The description's keys, as menu commands through the accelerator table.
        return commands_ && commands_->keys() &&
               TranslateAcceleratorW(h, commands_->keys(), reinterpret_cast<MSG*>(l));
    case WM_SETTINGCHANGE:  // WM_WININICHANGE too
        if (onSettingsChanged) onSettingsChanged();
        break;
    case WM_SIZE:
        if (d_.border == forms::Border::Sizeable) FitScrollBars();
        break;
    case WM_HSCROLL: Scroll(SB_HORZ, LOWORD(w)); return 0;
    case WM_VSCROLL: Scroll(SB_VERT, LOWORD(w)); return 0;
    case WM_ERASEBKGND: return Erase(h, reinterpret_cast<HDC>(w));
    default: break;
    }
    return DefWindowProcW(h, m, w, l);
}

LRESULT FormWindow::Area(HWND h, UINT m, WPARAM w, LPARAM l) {
    switch (m) {
    case WM_COMMAND:
        if (Command(w, l)) return 0;
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        if (LRESULT brush = Colours(reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l))) return brush;
        break;
    case kNameControls: NameControls(); return 0;
    case WM_DRAWITEM:
        Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(l));
        return TRUE;
    case WM_CONTEXTMENU:
        // What no control took: the result boxes, the labels, the background.
        commands_->ContextMenu(reinterpret_cast<HWND>(w),
                               {static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))});
        return 0;
    case WM_ERASEBKGND: return Erase(h, reinterpret_cast<HDC>(w));
    default: break;
    }
    return DefWindowProcW(h, m, w, l);
}

template <LRESULT (FormWindow::*Handler)(HWND, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK FormWindow::Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    auto* self = WindowObject<FormWindow>(h, m, l);
    if (!self) return DefWindowProcW(h, m, w, l);
    LRESULT result = 0;
    RunHandler([&] { result = (self->*Handler)(h, m, w, l); });
    return result;
}

}  // namespace zanvoro::win32
