// The commands of a calculating window on Win32: its keys (an accelerator table the message
// loop translates) and its result area's context menu, both from the description.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "Description.h"

namespace zanvoro::win32 {

class FormWindow;

class WindowCommands {
public:
    explicit WindowCommands(FormWindow& window);
    ~WindowCommands();
    WindowCommands(const WindowCommands&) = delete;
    WindowCommands& operator=(const WindowCommands&) = delete;

    // The window's keys, for TranslateAcceleratorW on its frame.
    HACCEL keys() const { return keys_; }
    // A WM_COMMAND from the keys; false when `id` is none of them.
    bool Key(int id);
    // WM_CONTEXTMENU over the client area, from `from` (a control or the area), at a screen
    // point or (-1, -1) from the keyboard. "コピー" copies the figure under it, if any.
    void ContextMenu(HWND from, POINT at);
    void Run(forms::Command command);

private:
    FormWindow& window_;
    HACCEL keys_ = nullptr;
};

}  // namespace zanvoro::win32
