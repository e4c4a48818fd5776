// What a screen reader reads for the controls of a window, beyond their descriptions.
#pragma once

class QWidget;

namespace zanvoro {

// Gives a plain widget or a dialog shown as a window (not a dialog frame) the role of a
// window for screen readers. Once for the program, before the first window is made.
void InstallWindowRole();

// Names every button and check box of `window` that has no name of its own by its caption
// as read aloud.
void NameButtons(QWidget* window);

}  // namespace zanvoro
