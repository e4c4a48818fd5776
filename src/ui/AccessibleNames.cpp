// Accessible names of a window's controls, taken from the captions the window shows.
#include "AccessibleNames.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QRegularExpression>

#include "CalculatorWindow.h"
#include "EstimateReport.h"

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

QString SpokenCaption(const QString& caption) {
    static const QRegularExpression accelerator(QStringLiteral("\\(&[^&]\\)"));
    QString text = caption;
    const QString out = PlainCaption(text.remove(accelerator)).simplified();
    // Japanese is read without spaces: a space between two non-ASCII characters only spaces
    // the caption out.
    QString spoken;
    spoken.reserve(out.size());
    for (qsizetype i = 0; i < out.size(); ++i) {
        const bool between = i > 0 && i + 1 < out.size() && out[i - 1].unicode() > 0x7F &&
                             out[i + 1].unicode() > 0x7F;
        if (out[i] == u' ' && between) continue;
        spoken += out[i];
    }
    return spoken;
}

void InstallWindowRole() {
    static const bool installed = (QAccessible::installFactory(&WindowRole), true);
    Q_UNUSED(installed);
}

void NameButtons(QWidget* window) {
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        if (button->accessibleName().isEmpty())
            button->setAccessibleName(SpokenCaption(button->text()));
}

void NameControls(CalculatorWindow& window) {
    window.SetNamed();
    NameButtons(window.Window());
    window.Label1->setBuddy(window.Edit1);
    window.Edit1->setAccessibleName(window.Label1->text());
    window.Edit2->setAccessibleName(SpokenCaption(window.CheckBox1->text()));
    window.Edit3->setAccessibleName(SpokenCaption(window.CheckBox2->text()));
    NameFigures(window);
}

void NameFigures(CalculatorWindow& window) {
    if (!window.Named()) return;
    const QList<ReportFigure> read = ReportOfWindow(window).figures;
    const QList<const Figure*> figures = window.ReportFigures();
    for (qsizetype i = 0; i < figures.size(); ++i) {
        const ReportFigure& figure = read[i];
        QWidget* shown = figures[i]->value;
        // An edit's value is read from its text; a box's only from its name.
        const QString name = qobject_cast<QLineEdit*>(shown)
                                 ? figure.caption
                                 : figure.caption + u' ' + figure.value + u' ' + figure.unit;
        if (shown->accessibleName() != name) shown->setAccessibleName(name);
    }
}

}  // namespace zanvoro
