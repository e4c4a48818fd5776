// What a screen reader reads for each control of a window. The system's own object for a
// control answers MSAA (and UI Automation through it); only its name is the window layer's.
#pragma once

#include <functional>
#include <map>
#include <string>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace zanvoro::win32 {

class AccessibleNames {
public:
    AccessibleNames();
    ~AccessibleNames();
    AccessibleNames(const AccessibleNames&) = delete;
    AccessibleNames& operator=(const AccessibleNames&) = delete;

    // Gives `control` the name `name` (UTF-8) and, when it changes, tells a listening reader;
    // an empty name leaves the system's.
    void Name(HWND control, const std::string& name);

    // Called before a reader is answered, so that it gets the names as they are by then.
    std::function<void()> beforeAsked;

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Object(HWND control, WPARAM flags);

    std::map<HWND, std::wstring> names_;
    bool comStarted_ = false;
};

}  // namespace zanvoro::win32
