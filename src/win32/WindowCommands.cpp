#include "WindowCommands.h"

#include <string>
#include <vector>

#include "Clipboard.h"
#include "FormWindow.h"
#include "Sheet.h"
#include "Text.h"

namespace zanvoro::win32 {
namespace {

// Clear of the menu bar's and the controls' command numbers.
constexpr int kFirstKeyId = 300;
// The context menu's own numbers; 0 is its "nothing chosen".
constexpr int kCopyFigure = 1;
constexpr int kFirstEntry = 2;

WORD VirtualKey(forms::Key key) {
    switch (key) {
    case forms::Key::Enter: return VK_RETURN;
    case forms::Key::Escape: return VK_ESCAPE;
    case forms::Key::C: return 'C';
    case forms::Key::P: return 'P';
    case forms::Key::B: return 'B';
    }
    return 0;
}

}  // namespace

WindowCommands::WindowCommands(FormWindow& window) : window_(window) {
    const auto& keys = window.description().keys;
    std::vector<ACCEL> table;
    for (std::size_t i = 0; i < keys.size(); ++i)
        table.push_back({static_cast<BYTE>(FVIRTKEY | (keys[i].ctrl ? FCONTROL : 0)),
                         VirtualKey(keys[i].key), static_cast<WORD>(kFirstKeyId + i)});
    if (!table.empty()) keys_ = CreateAcceleratorTableW(table.data(), static_cast<int>(table.size()));
}

WindowCommands::~WindowCommands() {
    if (keys_) DestroyAcceleratorTable(keys_);
}

bool WindowCommands::Key(int id) {
    const auto& keys = window_.description().keys;
    const auto index = static_cast<std::size_t>(id - kFirstKeyId);
    if (id < kFirstKeyId || index >= keys.size()) return false;
    const forms::Command command = keys[index].command;
    // Ctrl+C in an edit with a selection copies that, as the edit would by itself.
    HWND focus = GetFocus();
    const forms::ControlId focused = window_.idOf(focus);
    if (command == forms::Command::CopyBreakdown && focused != forms::kNoControl &&
        window_.description().controls[focused].kind == forms::ControlKind::Edit) {
        DWORD start = 0, end = 0;
        SendMessageW(focus, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        if (start != end) {
            SendMessageW(focus, WM_COPY, 0, 0);
            return true;
        }
    }
    Run(command);
    return true;
}

void WindowCommands::ContextMenu(HWND from, POINT at) {
    const forms::CalculatingForm* form = window_.form();
    const auto& d = window_.description();
    if (!form || d.resultMenu.empty()) return;
    const forms::Report report = form->ReportShown();
    const forms::ReportFigure* figure = nullptr;
    if (at.x == -1 && at.y == -1) {
        // From the keyboard: the menu below the control with the focus, for its figure.
        RECT r;
        GetWindowRect(from, &r);
        at = {r.left, r.bottom};
        figure = forms::FigureShownBy(report, window_.idOf(from));
    } else {
        // Over any control of a figure, its caption and unit as well as its value.
        for (const forms::ReportFigure& f : report.figures)
            for (forms::ControlId id : f.controls) {
                RECT r;
                if (!figure && GetWindowRect(window_.control(d.controls[id].name), &r) &&
                    PtInRect(&r, at))
                    figure = &f;
            }
    }

    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    AppendMenuW(menu, MF_STRING | (figure ? 0 : MF_GRAYED), kCopyFigure,
                Wide(forms::kCopyFigureCaption).c_str());
    for (std::size_t i = 0; i < d.resultMenu.size(); ++i) {
        const forms::ResultMenuEntry& entry = d.resultMenu[i];
        if (entry.separatorBefore) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, kFirstEntry + i, Wide(entry.text(d.keys)).c_str());
    }
    // The choice runs once the menu has closed: dialogs then open over the window.
    const int chosen = static_cast<int>(TrackPopupMenu(
        menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, window_.frame(), nullptr));
    DestroyMenu(menu);
    if (chosen == kCopyFigure && figure)
        CopyText(window_.frame(), figure->value);
    else if (chosen >= kFirstEntry && static_cast<std::size_t>(chosen - kFirstEntry) < d.resultMenu.size())
        Run(d.resultMenu[static_cast<std::size_t>(chosen - kFirstEntry)].command);
}

void WindowCommands::Run(forms::Command command) {
    const forms::CalculatingForm* form = window_.form();
    switch (command) {
    case forms::Command::None: break;
    case forms::Command::CopyBreakdown:
        if (form) CopyText(window_.frame(), forms::ClipboardText(form->ReportShown()));
        break;
    case forms::Command::Print:
    case forms::Command::SavePdf:
        if (form) PrintReport(window_.frame(), form->ReportShown(), command == forms::Command::SavePdf);
        break;
    default:
        if (window_.onCommand) window_.onCommand(command);
        break;
    }
}

}  // namespace zanvoro::win32
