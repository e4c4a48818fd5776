// What a screen reader reads for the controls of a window.
#pragma once

#include <QString>

class QWidget;

namespace zanvoro {

class CalculatorWindow;

// A caption as it is read aloud: without its accelerator ("終了(&C)" reads 終了) and
// without the spaces that only spread it out ("計　        　算" reads 計算).
QString SpokenCaption(const QString& caption);

// Gives a plain widget or a dialog shown as a window (not a dialog frame) the role of a
// window for screen readers. Once for the program, before the first window is made.
void InstallWindowRole();

// Names every button and check box of `window` that has no name of its own by its caption
// as read aloud.
void NameButtons(QWidget* window);

// Names the controls of a calculating window: its buttons, Edit1 by its caption label (its
// buddy), the extra amounts by the check boxes that switch them, then the figures.
void NameControls(CalculatorWindow& window);

// Names each result box by its caption, value and unit, and each rate edit by its caption;
// called whenever the window has written new results; nothing before NameControls.
void NameFigures(CalculatorWindow& window);

}  // namespace zanvoro
