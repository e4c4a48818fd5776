// The error box, modal showing and the beep: how the windows talk to the user besides themselves.
#pragma once

#include <exception>
#include <functional>
#include <utility>

class QDialog;

namespace zanvoro {

// The one error display: a stop-icon message box titled "Zanvoro!" with the completed
// message and one OK button, application-modal, centred over the active window. It belongs
// to no window, so no window's teardown can reach it; when it closes, the window and the
// control that had the focus get it back.
void ShowError(const std::exception& error);

// Runs an event handler; an error that escapes it goes to ShowError.
template <class F>
void RunHandler(F&& handler) {
    try {
        std::forward<F>(handler)();
    } catch (const std::exception& e) {
        ShowError(e);
    }
}

// How a window shown modally was closed: by its OK button, or by its title bar, Alt+F4 or
// the program ending.
enum class ModalResult { Ok, Cancel };

// Shows a dialog modally (the other windows disabled) and returns when it closes: accepted
// is Ok, anything else Cancel. The dialog is hidden, not destroyed; the window that was
// active before is activated again.
ModalResult ShowModal(QDialog* dialog);

// The platform's default alert sound.
void Beep();

// Replaces what Beep does (tests count the beeps); an empty function restores the sound.
void SetBeepHandler(std::function<void()> handler);

}  // namespace zanvoro
