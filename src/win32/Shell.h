// What every window of the Win32 face shares: the one error display, the beep and the
// message loop with its dialog keys.
#pragma once

#include <exception>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace zanvoro::win32 {

// The stop-icon box titled "Zanvoro!" with the completed message, over the active window.
// Throws nothing: it runs where a window procedure has caught an error.
void ShowError(const std::exception& error) noexcept;

// Runs a handler of a window procedure; whatever escapes it goes to ShowError, so that no
// exception crosses into the system's code.
template <class F>
void RunHandler(F&& handler) noexcept {
    try {
        handler();
    } catch (const std::exception& e) {
        ShowError(e);
    } catch (...) {
        ShowError(std::exception());
    }
}

void Beep();

// The object a window of the face was created for (its lpCreateParams), from WM_NCCREATE on;
// none from WM_DESTROY on, so that nothing its teardown sends reaches the object.
template <class Window>
Window* WindowObject(HWND h, UINT m, LPARAM l) {
    if (m == WM_NCCREATE)
        SetWindowLongPtrW(h, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams));
    else if (m == WM_DESTROY || m == WM_NCDESTROY)
        SetWindowLongPtrW(h, GWLP_USERDATA, 0);
    return reinterpret_cast<Window*>(GetWindowLongPtrW(h, GWLP_USERDATA));
}

// WM_ACTIVATE of a frame: the focus leaves with the window and comes back to the control that
// had it, if that can still take it. True when it was given back (the message is handled).
bool FocusFollowsActivation(HWND frame, WPARAM w, HWND& lastFocus);

// A key pressed in one of the face's windows, offered to the window before its focused
// control: the window's procedure gets this message with the keyboard MSG* as lParam and
// answers nonzero when it used the key.
inline constexpr UINT kWindowKey = WM_APP + 1;

// Takes and handles one message: for the face's windows their own keys, then the dialog keys
// (Tab, arrows, Enter, Escape, mnemonics); the rest dispatched. False on WM_QUIT.
bool PumpMessage();

}  // namespace zanvoro::win32
