// The commands of a calculating window, for its keys and its result area's menu.
#pragma once

#include <QKeyCombination>
#include <QList>
#include <QString>

class QWidget;

namespace zanvoro {

// One command of both calculating windows: an entry of the result area's menu and, where it
// has a key, a shortcut of the window. A command for both windows is one more row of
// WindowCommands().
struct WindowCommand {
    QString menuText;                    // the menu entry; the menu adds the key's text
    QKeyCombination key;                 // empty: from the menu only
    void (*fromMenu)(QWidget* window);
    void (*fromKey)(QWidget* window);    // where the key does more than the entry; else null
    bool separatorBefore = false;
};

const QList<WindowCommand>& WindowCommands();

// Ctrl+C: an edit of `window` that has the focus and a selection copies its selection, as
// it would by itself; otherwise the whole breakdown goes to the clipboard.
void CopyCommand(QWidget* window);

// Ctrl+P and "印刷…": the estimate sheet through the print dialog.
void PrintCommand(QWidget* window);

// "PDFとして保存…": the estimate sheet to a PDF file chosen in a file dialog.
void SavePdfCommand(QWidget* window);

// A right click in the window where no control has a menu of its own (the result boxes,
// labels, the background) opens "コピー" (the figure under the pointer, enabled only over
// one), then WindowCommands(). Owned by the window; a command runs after the menu has
// closed, and an error it raises goes to the error display.
void InstallResultMenu(QWidget* window);

}  // namespace zanvoro
