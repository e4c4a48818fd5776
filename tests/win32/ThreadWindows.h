// Driving this thread's windows from a test: what it shows, and keys through its loop.
#pragma once

#include <string_view>

#include <windows.h>

#include "Shell.h"

namespace win32test {

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

// A key as the keyboard gives it to the focused control, run through the program's loop.
inline void Press(WPARAM key) {
    PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
    PostMessageW(GetFocus(), WM_KEYUP, key, 1u | (3u << 30));
    PostMessageW(nullptr, WM_NULL, 0, 0);  // the end of the keys: back to the test
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE)) {
        const bool last = m.hwnd == nullptr && m.message == WM_NULL;
        zanvoro::win32::PumpMessage();
        if (last) break;
    }
}

}  // namespace win32test
