// The error box, modal showing and the beep: how the windows talk to the user besides themselves.
#pragma once

#include <exception>
#include <functional>
#include <utility>

class QWidget;

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

// Shows a window modally (the others disabled), returns its modal result (1 OK, 2 cancel)
// when it closes; the window is hidden, not destroyed. A QDialog ends by done()/accept()/
// reject() (rejected counts as 2); any other window ends by EndModal or by being closed (2).
int ShowModal(QWidget* window);

// Ends the modal run of a window shown by ShowModal with `result`, hiding the window.
void EndModal(QWidget* window, int result);

// The platform's default alert sound.
void Beep();

// Replaces what Beep does (tests count the beeps); an empty function restores the sound.
void SetBeepHandler(std::function<void()> handler);

}  // namespace zanvoro
