// What both Win32 checks need of the controls, whether they run inside the program or
// beside it: the table's colours and typing into an edit.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "layout_table.h"

namespace win32test {

inline COLORREF ColourRef(layout::Colour c) {
    switch (c) {
    case layout::Colour::Blue: return RGB(0, 0, 255);
    case layout::Colour::Red: return RGB(255, 0, 0);
    case layout::Colour::Teal: return RGB(0, 128, 128);
    case layout::Colour::Black: return RGB(0, 0, 0);
    case layout::Colour::WindowText: break;
    }
    return GetSysColor(COLOR_WINDOWTEXT);
}

// WM_SETTEXT, which the edit answers with EN_CHANGE as if typed; marshalled to another process.
inline void Type(HWND edit, const wchar_t* text) {
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

}  // namespace win32test
