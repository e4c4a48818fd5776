// What the window tests share: the one program they drive, keys through its loop, and what
// it shows.
#pragma once

#include <functional>
#include <string_view>
#include <utility>

#include "Application.h"
#include "Shell.h"

namespace win32test {

// The program's windows, the main one shown, made on first use and kept to the end.
inline zanvoro::win32::Application& App() {
    static zanvoro::win32::Application* app = [] {
        auto* made = new zanvoro::win32::Application(GetModuleHandleW(nullptr));
        made->Start(SW_SHOWNORMAL);
        made->calculatorWindow().MakeControls();
        return made;
    }();
    return *app;
}

// A visible window of this thread of the system class `cls` ("#32770" a message box,
// "#32768" a popup menu), if any.
inline HWND ShownOfThisThread(std::wstring_view cls) {
    struct Search {
        std::wstring_view cls;
        HWND found = nullptr;
    } search{cls};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND h, LPARAM out) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(out);
            wchar_t name[16] = {};
            GetClassNameW(h, name, 16);
            if (s.cls != name || !IsWindowVisible(h)) return TRUE;
            s.found = h;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A key as the keyboard gives it to the focused control, run through the program's loop;
// with Ctrl held when `ctrl`.
inline void Press(WPARAM key, bool ctrl = false) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(state);
    PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
    PostMessageW(GetFocus(), WM_KEYUP, key, 1u | (3u << 30));
    PostMessageW(nullptr, WM_NULL, 0, 0);  // the end of the keys: back to the test
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE)) {
        const bool last = m.hwnd == nullptr && m.message == WM_NULL;
        zanvoro::win32::PumpMessage();
        if (last) break;
    }
    state[VK_CONTROL] = 0;
    SetKeyboardState(state);
}

// Runs `inside` from the next timer tick, which a modal loop (a message box's or a window's)
// dispatches while the call that opened it waits.
inline std::function<void()> gInside;
inline void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (auto inside = std::exchange(gInside, {})) inside();
}
inline void WhileModal(std::function<void()> inside) {
    gInside = std::move(inside);
    SetTimer(nullptr, 0, 50, Tick);
}

}  // namespace win32test
