// Accessible names of a window's controls, taken from the captions the window shows.
#include "AccessibleNames.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QRegularExpression>

#include <algorithm>
#include <utility>
#include <vector>

#include "CalculatorWindow.h"
#include "EstimateReport.h"

namespace zanvoro {
namespace {

struct Unnamed {
    QWidget* window;
    std::function<void()> name;
};

// The windows not yet read; each leaves the list before it is destroyed.
std::vector<Unnamed>& UnnamedWindows() {
    static std::vector<Unnamed> windows;
    return windows;
}

bool IsUnnamed(const QWidget* window) {
    const auto& all = UnnamedWindows();
    return std::any_of(all.begin(), all.end(), [&](const Unnamed& u) { return u.window == window; });
}

// Asked for an object's interface where Qt's own factory does not know its class (the
// windows, the edits and result boxes of the windows): names the object's window on the
// first such question, and reads a plain widget or dialog shown as a window as a window
// (Qt would read it as a client area or a dialog), as main windows are read.
QAccessibleInterface* NamingFactory(const QString& key, QObject* object) {
    auto* w = qobject_cast<QWidget*>(object);
    if (!w) return nullptr;
    auto& unnamed = UnnamedWindows();
    if (!unnamed.empty()) {
        const QWidget* top = w->window();
        const auto it = std::find_if(unnamed.begin(), unnamed.end(),
                                     [&](const Unnamed& u) { return u.window == top; });
        if (it != unnamed.end()) {
            const std::function<void()> name = std::move(it->name);
            unnamed.erase(it);
            name();
        }
    }
    if (w->windowType() != Qt::Window || key != QLatin1String(w->metaObject()->className()) ||
        qobject_cast<QMainWindow*>(w))
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

void NameWhenRead(QWidget* window, std::function<void()> name) {
    // Once for the program, before any window is read.
    static const bool installed = (QAccessible::installFactory(&NamingFactory), true);
    Q_UNUSED(installed);
    ForgetWindow(window);
    UnnamedWindows().push_back({window, std::move(name)});
}

void ForgetWindow(QWidget* window) {
    auto& unnamed = UnnamedWindows();
    unnamed.erase(std::remove_if(unnamed.begin(), unnamed.end(),
                                 [&](const Unnamed& u) { return u.window == window; }),
                  unnamed.end());
}

void NameButtons(QWidget* window) {
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        if (button->accessibleName().isEmpty())
            button->setAccessibleName(SpokenCaption(button->text()));
}

void NameControls(CalculatorWindow& window) {
    NameButtons(window.Window());
    window.Label1->setBuddy(window.Edit1);
    window.Edit1->setAccessibleName(window.Label1->text());
    window.Edit2->setAccessibleName(SpokenCaption(window.CheckBox1->text()));
    window.Edit3->setAccessibleName(SpokenCaption(window.CheckBox2->text()));
    NameFigures(window);
}

void NameFigures(CalculatorWindow& window) {
    if (IsUnnamed(window.Window())) return;
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
