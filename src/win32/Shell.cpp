// The Win32 face's error box, beep and message loop.
#include "Shell.h"

#include <string>

#include "BatchWindow.h"
#include "ErrorBox.h"
#include "FormWindow.h"
#include "Text.h"

namespace zanvoro::win32 {

void ShowError(const std::exception& error) noexcept {
    try {
        ReleaseCapture();
        const forms::ErrorBox box = forms::ErrorBoxFor(error);
        std::wstring text = Wide(box.message);
        // The box ends its text at a NUL; a pasted one must not hide the rest of the message.
        for (wchar_t& c : text)
            if (c == L'\0') c = L'\x2400';
        const std::wstring title = Wide(box.title);
        MessageBoxW(GetActiveWindow(), text.c_str(), title.c_str(), MB_ICONSTOP | MB_OK);
    } catch (...) {
        // Not even the message could be made: the alert at least.
        MessageBeep(MB_ICONSTOP);
    }
}

void Beep() { MessageBeep(0); }

bool FocusFollowsActivation(HWND frame, WPARAM w, HWND& lastFocus) {
    if (LOWORD(w) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(frame, focus)) lastFocus = focus;
        return false;
    }
    if (!lastFocus || !IsWindowEnabled(lastFocus) || !IsWindowVisible(lastFocus)) return false;
    SetFocus(lastFocus);
    return true;
}

bool PumpMessage() {
    MSG msg;
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) return false;
    const HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    const bool ours = root && (FormWindow::IsFrame(root) || BatchWindow::IsFrame(root));
    // The window's own keys first: the dialog manager would take Escape.
    if (ours && msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST &&
        SendMessageW(root, kWindowKey, 0, reinterpret_cast<LPARAM>(&msg)))
        return true;
    if (ours && IsDialogMessageW(root, &msg)) return true;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

}  // namespace zanvoro::win32
