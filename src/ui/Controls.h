// Qt controls made from a window's description: the factories and the builder.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <vector>

#include "Description.h"
#include "FormLook.h"
#include "WindowLook.h"

class QLineEdit;
class QWidget;

namespace zanvoro {

// How much of a window its constructor builds: all of it, or for the program's start-up only
// what the first paint needs; the program names the main window's controls after that paint
// (NameControls), the other windows finish when first shown.
enum class Construction { Complete, ForStartup };

inline QRect RectOf(const forms::Rect& r) { return {r.left, r.top, r.width, r.height}; }

// A single-line edit starting at "0", without a length limit, of fixed height; it stays
// quick to draw with a text of millions of characters.
QLineEdit* MakeEdit(QWidget* parent, const char* name, const QRect& geometry, const QFont& font,
                    const QColor& colour);

// A push button, check box or radio button. A check box or radio button widens where the
// style's indicator leaves its caption too little room, so the caption is never cut.
template <class Button>
Button* MakeButton(QWidget* parent, const char* name, const QString& caption, const QRect& geometry,
                   const QFont& font, const QColor& colour) {
    auto* button = new Button(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFont(font);
    SetTextColour(button, colour);
    button->setGeometry(geometry);
    if (button->isCheckable() && button->sizeHint().width() > geometry.width())
        button->resize(button->sizeHint().width(), geometry.height());
    return button;
}

// Every control of `window` in its creation order, those without a parent frame on `area`;
// radio buttons of one group made exclusive among themselves. Indexed by control.
std::vector<QWidget*> BuildControls(const forms::Window& window, QWidget* area);

}  // namespace zanvoro
