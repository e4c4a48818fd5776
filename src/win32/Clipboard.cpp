#include "Clipboard.h"

#include <cstring>
#include <cwchar>
#include <new>
#include <stdexcept>

#include "Text.h"

namespace zanvoro::win32 {

void PutClipboardText(HWND owner, const std::wstring& text) {
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!h) throw std::bad_alloc();
    std::memcpy(GlobalLock(h), text.c_str(), bytes);
    GlobalUnlock(h);
    // Another program may hold the clipboard for a moment.
    bool open = false;
    for (int attempt = 0; attempt < 5 && !(open = OpenClipboard(owner)); ++attempt) Sleep(20);
    if (!open) {
        GlobalFree(h);
        throw std::runtime_error("OpenClipboard");
    }
    EmptyClipboard();
    if (!SetClipboardData(CF_UNICODETEXT, h)) GlobalFree(h);  // else the clipboard's
    CloseClipboard();
}

void CopyText(HWND owner, std::string_view text) {
    std::wstring lines;
    for (const wchar_t c : Wide(text)) {
        if (c == L'\n') lines += L'\r';
        lines += c;
    }
    PutClipboardText(owner, lines);
}

std::wstring ClipboardText(HWND owner) {
    std::wstring text;
    if (!OpenClipboard(owner)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text.assign(chars, wcsnlen(chars, GlobalSize(data) / sizeof(wchar_t)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace zanvoro::win32
