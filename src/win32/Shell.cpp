#include "Shell.h"

#include <string>

#include "Description.h"
#include "FormWindow.h"
#include "Text.h"
#include "text/errors.h"

namespace zanvoro::win32 {

void ShowError(const std::exception& error) noexcept {
    try {
        ReleaseCapture();
        const std::wstring text = Wide(costmodel::CompleteMessage(costmodel::MessageOf(error)));
        const std::wstring title = Wide(forms::kAppTitle);
        MessageBoxW(GetActiveWindow(), text.c_str(), title.c_str(), MB_ICONSTOP | MB_OK);
    } catch (...) {
        // Not even the message could be made: the alert at least.
        MessageBeep(MB_ICONSTOP);
    }
}

void Beep() { MessageBeep(0); }

bool PumpMessage() {
    MSG msg;
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) return false;
    const HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && FormWindow::IsFrame(root) && IsDialogMessageW(root, &msg)) return true;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

}  // namespace zanvoro::win32
