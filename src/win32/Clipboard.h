// Text on the clipboard, for every window of the face.
#pragma once

#include <string>
#include <string_view>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace zanvoro::win32 {

// Puts `text` on the clipboard as Unicode text; throws when another program keeps the
// clipboard open for longer than a moment.
void PutClipboardText(HWND owner, const std::wstring& text);

// Puts `text` (UTF-8, LF line ends) on the clipboard with CRLF line ends, which Windows
// programs, spreadsheets among them, take as rows.
void CopyText(HWND owner, std::string_view text);

// The clipboard's Unicode text; empty when it holds none or cannot be opened.
std::wstring ClipboardText(HWND owner);

}  // namespace zanvoro::win32
