// What a screen reader reads for the controls of a window, named when first read.
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace zanvoro {

class CalculatorWindow;

// A caption as it is read aloud: without its accelerator ("終了(&C)" reads 終了) and
// without the spaces that only spread it out ("計　        　算" reads 計算).
QString SpokenCaption(const QString& caption);

// Runs `name` the first time anything asks how a control of `window` is read (a screen
// reader, a test), not at start-up. Gives a plain widget shown as a window the role of a
// window. ForgetWindow drops `window` before it goes.
void NameWhenRead(QWidget* window, std::function<void()> name);
void ForgetWindow(QWidget* window);

// Names every button and check box of `window` that has no name of its own by its caption
// as read aloud.
void NameButtons(QWidget* window);

// Names the controls of a calculating window: its buttons, Edit1 by its caption label (its
// buddy), the extra amounts by the check boxes that switch them, then the figures.
void NameControls(CalculatorWindow& window);

// Names each result box by its caption, value and unit, and each rate edit by its caption;
// called whenever the window has written new results, a no-op until the window is read.
void NameFigures(CalculatorWindow& window);

}  // namespace zanvoro
