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

// A key pressed in one of the face's windows, offered to the window before its focused
// control: the window's procedure gets this message with the keyboard MSG* as lParam and
// answers nonzero when it used the key.
inline constexpr UINT kWindowKey = WM_APP + 1;

// Takes and handles one message: for the face's windows their own keys, then the dialog keys
// (Tab, arrows, Enter, Escape, mnemonics); the rest dispatched. False on WM_QUIT.
bool PumpMessage();

}  // namespace zanvoro::win32
