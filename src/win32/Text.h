// UTF-8, the window layer's texts, to and from the UTF-16 of the wide Win32 API.
#pragma once

#include <string>
#include <string_view>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace zanvoro::win32 {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);
// A window's whole text, however long.
std::wstring TextOf(HWND window);

}  // namespace zanvoro::win32
