// A push button framed as default by its window, for the eye and for a screen reader.
#include "WindowButton.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeySequence>
#include <QStyleOptionButton>

#include "FormLook.h"
#include "Report.h"

namespace zanvoro {
namespace {

// Qt's own interface for push buttons reads the flag QDialog clears: this one reads the
// window's, and otherwise answers as Qt's does.
class AccessibleWindowButton final : public QAccessibleWidget {
public:
    explicit AccessibleWindowButton(WindowButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.pressed = button()->isDown();
        s.defaultButton = button()->isShownDefault();
        return s;
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && button()->accessibleName().isEmpty())
            return Text(forms::SpokenCaption(button()->text().toStdString()));
        if (t == QAccessible::Accelerator)
            return button()->isShownDefault()
                       ? QKeySequence(Qt::Key_Enter).toString(QKeySequence::NativeText)
                       : QKeySequence::mnemonic(button()->text()).toString(QKeySequence::NativeText);
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override {
        QStringList names;
        if (button()->isEnabled()) names << pressAction();
        return names << QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        if (!button()->isEnabled()) return;
        if (action == pressAction())
            button()->animateClick();
        else
            QAccessibleWidget::doAction(action);
    }

    QStringList keyBindingsForAction(const QString& action) const override {
        if (action == pressAction()) return {button()->shortcut().toString()};
        return QAccessibleWidget::keyBindingsForAction(action);
    }

private:
    WindowButton* button() const { return static_cast<WindowButton*>(widget()); }
};

QAccessibleInterface* AccessibleFor(const QString& key, QObject* object) {
    auto* button = qobject_cast<WindowButton*>(object);
    if (!button || key != QLatin1String(WindowButton::staticMetaObject.className())) return nullptr;
    return new AccessibleWindowButton(button);
}

}  // namespace

WindowButton::WindowButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {
    static const bool installed = (QAccessible::installFactory(&AccessibleFor), true);
    Q_UNUSED(installed);
}

void WindowButton::setShownDefault(bool shown) {
    const bool was = isShownDefault();
    shownDefault_ = shown;
    if (was == shown) return;
    update();
    QAccessible::State changed;
    changed.defaultButton = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void WindowButton::initStyleOption(QStyleOptionButton* option) const {
    QPushButton::initStyleOption(option);
    option->features.setFlag(QStyleOptionButton::DefaultButton, isShownDefault());
}

}  // namespace zanvoro
