// Functions of the system's DLLs that the first paint does not need (file and print dialogs,
// printers, dropped files, screen readers), found when first called: a DLL linked at start is
// loaded, with all it imports, before the window shows, under Wine tens of milliseconds.
#pragma once

#include <stdexcept>
#include <string>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace zanvoro::win32 {

// `name` of the system DLL `dll`, taken from the system folder only (never from beside the
// program, which may be a USB stick); throws when it is not there.
template <typename Function>
Function* Later(const wchar_t* dll, const char* name) {
    HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    FARPROC found = module ? GetProcAddress(module, name) : nullptr;
    if (!found) throw std::runtime_error(std::string("no ") + name + " in the system");
    // Through void (*)(), which converts to any function pointer without a warning.
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(found));
}

}  // namespace zanvoro::win32
