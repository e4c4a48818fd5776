// What both Win32 checks need of the controls, whether they run inside the program or
// beside it: the table's colours, typing into an edit, the clipboard and the names a screen
// reader gets.
#pragma once

#include <cstring>
#include <string>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <oleacc.h>

#include "Text.h"
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

inline std::wstring Clipboard() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return L"(not open)";
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(h));
        GlobalUnlock(h);
    }
    CloseClipboard();
    return text;
}

// `text` on the clipboard, owned by a window of this thread's as the system requires; false
// when the clipboard would not open.
inline bool SetClipboard(const std::wstring& text) {
    static HWND owner =
        CreateWindowW(L"Static", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (!OpenClipboard(owner)) return false;
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(h), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(h);
    EmptyClipboard();
    if (!SetClipboardData(CF_UNICODETEXT, h)) GlobalFree(h);
    CloseClipboard();
    return true;
}

// The layer's text with the line ends the program writes on Windows.
inline std::wstring Crlf(const std::string& text) {
    std::wstring out;
    for (wchar_t c : zanvoro::win32::Wide(text)) out += c == L'\n' ? std::wstring(L"\r\n") : std::wstring(1, c);
    return out;
}

// A control as a screen reader asks for it through MSAA; an empty name when it has none.
struct Spoken {
    std::wstring name;
    long role = 0;
};
inline Spoken ReadAloud(HWND control) {
    IAccessible* object = nullptr;
    if (AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                   reinterpret_cast<void**>(&object)) != S_OK)
        return {L"(no object)"};
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR read = nullptr;
    object->get_accName(self, &read);
    VARIANT role{};
    object->get_accRole(self, &role);
    object->Release();
    Spoken spoken{read ? read : L"", role.vt == VT_I4 ? role.lVal : 0};
    SysFreeString(read);
    return spoken;
}
inline std::wstring ReadName(HWND control) { return ReadAloud(control).name; }

}  // namespace win32test
