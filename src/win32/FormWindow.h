// One window of the Win32 face, made from its description: a frame (title, border, menu bar,
// scroll bars) around a client area that holds the controls, driven by the window layer's
// behaviour when it has one.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <tuple>
#include <string_view>
#include <vector>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "CalculatingForm.h"
#include "Description.h"
#include "Look.h"

namespace zanvoro::win32 {

class AccessibleNames;
class WindowCommands;

// How a window shown modally was closed; None while it is open.
enum class ModalResult { None = 0, Ok = 1, Cancel = 2 };

// The order the dialog manager walks: a tab order's controls, each container followed at
// once by its own children; then those no tab order lists, which take no focus.
std::vector<forms::ControlId> CreationOrder(const forms::Window& w);

class FormWindow {
public:
    // Makes the frame, hidden, without its controls. `form` (none for the About box) is
    // the window's behaviour; `owner` the window it stays above.
    FormWindow(HINSTANCE instance, forms::Window description, forms::CalculatingForm* form,
               HWND owner);
    ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    HWND frame() const { return frame_; }
    HWND area() const { return area_; }
    // A control's window; none until the controls are made.
    HWND control(std::string_view name) const;
    const forms::Window& description() const { return d_; }
    forms::CalculatingForm* form() const { return form_; }
    // The control a window is; kNoControl for any other window.
    forms::ControlId idOf(HWND control) const;
    int scaled(int pixels) const { return MulDiv(pixels, dpi_, 96); }

    // The controls, made once, as the window's state has them.
    void MakeControls();
    // Shows the window; the focus goes where the window first puts it, or back to where it
    // was when the window was last hidden.
    void Show(int showCommand);
    void Hide();

    // What a menu item, the close button or a button that closes the window asks for.
    std::function<void(forms::Command)> onCommand;
    // The window was closed: by its OK button (Ok) or its frame (Cancel).
    std::function<void(ModalResult)> onClose;
    // The user's settings changed (the decimal separator among them).
    std::function<void()> onSettingsChanged;

    static bool IsFrame(HWND window);

private:
    static void Register(HINSTANCE instance);
    // Every message of the frame or the area, with no exception let out.
    template <LRESULT (FormWindow::*Handler)(HWND, UINT, WPARAM, LPARAM)>
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Erase(HWND, HDC) const;
    LRESULT Frame(HWND, UINT, WPARAM, LPARAM);
    LRESULT Area(HWND, UINT, WPARAM, LPARAM);
    bool Command(WPARAM, LPARAM);
    void Clicked(forms::ControlId id);
    void ShowState(forms::ControlId id);
    void FocusMoved(HWND now);
    LRESULT Colours(HDC dc, HWND control);
    void Draw(const DRAWITEMSTRUCT& item);
    void Scroll(int bar, WORD request);
    void FitScrollBars();
    void ScrollIntoView(HWND control);
    HFONT FontOf(const forms::Font& font);
    HBRUSH Background() const;
    void NameControls();

    HINSTANCE instance_;
    forms::Window d_;
    forms::CalculatingForm* form_;
    int dpi_ = 96;
    HWND frame_ = nullptr;
    HWND area_ = nullptr;
    HMENU menu_ = nullptr;
    std::vector<forms::Command> menuCommands_;
    std::vector<HWND> controls_;
    Fonts fonts_;
    HWND lastFocus_ = nullptr;
    bool shownBefore_ = false;
    bool showingState_ = false;  // our own changes to the controls, not the user's
    std::unique_ptr<WindowCommands> commands_;
    std::unique_ptr<AccessibleNames> names_;
    bool namesStale_ = false;  // a control's state changed since they were named
};

}  // namespace zanvoro::win32
