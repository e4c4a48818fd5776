// What a screen reader reads for the controls of a window.
#pragma once

#include <QString>

class QWidget;

namespace zanvoro {

// A caption as it is read aloud: without its accelerator ("終了(&C)" reads 終了) and
// without the spaces that only spread it out ("計　        　算" reads 計算).
QString SpokenCaption(const QString& caption);

// Names the controls of a calculating window that have no name of their own: every button
// and check box by its caption as read aloud, Edit1 by its caption label (its buddy), the
// extra amounts by the check boxes that switch them, then the result figures.
void NameControls(QWidget* window);

// Names each result box by its caption, value and unit, and each rate edit by its caption;
// to be called whenever the window has written new results.
void NameFigures(QWidget* window);

}  // namespace zanvoro
