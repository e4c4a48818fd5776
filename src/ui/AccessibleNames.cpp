// Accessible names of a window's controls, taken from the captions the window shows.
#include "AccessibleNames.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QMainWindow>

#include "Controls.h"
#include "Report.h"

namespace zanvoro {
namespace {

// Qt reads a plain widget or a dialog shown as a window as a client area or a dialog: give it
// a window's role, as main windows have, so that a screen reader announces it by its title.
QAccessibleInterface* WindowRole(const QString& key, QObject* object) {
    auto* w = qobject_cast<QWidget*>(object);
    if (!w || w->windowType() != Qt::Window || key != QLatin1String(w->metaObject()->className()) ||
        qobject_cast<QMainWindow*>(w))
        return nullptr;
    return new QAccessibleWidget(w, QAccessible::Window);
}

}  // namespace

void InstallWindowRole() {
    static const bool installed = (QAccessible::installFactory(&WindowRole), true);
    Q_UNUSED(installed);
}

void NameButtons(QWidget* window) {
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        if (button->accessibleName().isEmpty())
            button->setAccessibleName(
                Text(forms::SpokenCaption(button->text().toStdString())));
}

}  // namespace zanvoro
