// Accessible names of a window's controls, taken from the captions the window shows.
#include "AccessibleNames.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QRegularExpression>

#include <utility>

#include "EstimateReport.h"

namespace zanvoro {
namespace {

// Qt reads a plain widget shown as a window as a mere client area: give it a window's role,
// as main windows and dialogs have, so that a screen reader announces it by its title.
QAccessibleInterface* PlainWindowRole(const QString& key, QObject* object) {
    auto* w = qobject_cast<QWidget*>(object);
    if (!w || w->windowType() != Qt::Window || key != QLatin1String(w->metaObject()->className()) ||
        qobject_cast<QMainWindow*>(w) || qobject_cast<QDialog*>(w))
        return nullptr;
    return new QAccessibleWidget(w, QAccessible::Window);
}

}  // namespace

QString SpokenCaption(const QString& caption) {
    static const QRegularExpression accelerator(QStringLiteral("\\(&[^&]\\)"));
    QString text = caption;
    text.remove(accelerator);
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size()) ++i;  // "&&" is a literal ampersand
        out += text[i];
    }
    out = out.simplified();
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

void NameControls(QWidget* window) {
    // Once for the program, before any window is read.
    static const bool windowRole = (QAccessible::installFactory(&PlainWindowRole), true);
    Q_UNUSED(windowRole);
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        if (button->accessibleName().isEmpty())
            button->setAccessibleName(SpokenCaption(button->text()));

    auto* edit1 = window->findChild<QLineEdit*>(QStringLiteral("Edit1"));
    if (auto* caption = window->findChild<QLabel*>(QStringLiteral("Label1")); edit1 && caption) {
        caption->setBuddy(edit1);
        edit1->setAccessibleName(caption->text());
    }
    for (auto [editName, boxName] : {std::pair{"Edit2", "CheckBox1"}, {"Edit3", "CheckBox2"}}) {
        auto* edit = window->findChild<QLineEdit*>(QString::fromLatin1(editName));
        auto* box = window->findChild<QAbstractButton*>(QString::fromLatin1(boxName));
        if (edit && box) edit->setAccessibleName(SpokenCaption(box->text()));
    }
    NameFigures(window);
}

void NameFigures(QWidget* window) {
    for (const ReportFigure& figure : ReportOfWindow(window).figures) {
        auto* shown = window->findChild<QWidget*>(figure.controls.value(0));
        if (!shown) continue;
        // An edit's value is read from its text; a box's only from its name.
        const QString name = qobject_cast<QLineEdit*>(shown)
                                 ? figure.caption
                                 : figure.caption + u' ' + figure.value + u' ' + figure.unit;
        if (shown->accessibleName() != name) shown->setAccessibleName(name);
    }
}

}  // namespace zanvoro
