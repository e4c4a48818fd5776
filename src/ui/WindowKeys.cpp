// Enter, Escape, Tab, arrows, accelerators and default buttons of one window.
#include "WindowKeys.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

#include "Dialogs.h"
#include "WindowButton.h"

namespace zanvoro {

namespace {

bool IsEdit(const QWidget* w) {
    if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
        qobject_cast<const QTextEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w))
        return true;
    const auto* combo = qobject_cast<const QComboBox*>(w);
    return combo && combo->isEditable();
}

// The letter a caption underlines ("終了(&C)" → C), or a null character.
QChar Mnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&') continue;
        if (text[i + 1] == u'&') {
            ++i;
            continue;
        }
        return text[i + 1].toUpper();
    }
    return {};
}

QWidget* ParentOf(const QList<QPointer<QWidget>>& list) {
    for (const auto& w : list)
        if (w) return w->parentWidget();
    return nullptr;
}

void CheckRadioOnFocus(QWidget* w, Qt::FocusReason reason) {
    auto* radio = qobject_cast<QRadioButton*>(w);
    // A click checks the button itself when released; window switching changes nothing.
    if (!radio || reason == Qt::MouseFocusReason || reason == Qt::PopupFocusReason ||
        reason == Qt::ActiveWindowFocusReason)
        return;
    if (!radio->isChecked()) radio->setChecked(true);
}

}  // namespace

WindowKeys::WindowKeys(QWidget* window, QPushButton* defaultButton,
                       const QList<QList<QWidget*>>& arrowOrders)
    : window_(window), default_(defaultButton) {
    for (const auto& list : arrowOrders) {
        QList<QPointer<QWidget>> kept;
        for (QWidget* w : list) kept.append(w);
        orders_.append(kept);
    }
    if (defaultButton) declaredDefaults_.append(defaultButton);
    for (QPushButton* b : window->findChildren<QPushButton*>()) {
        pushButtons_.append(b);
        if (b->isDefault() && b != defaultButton) declaredDefaults_.append(b);
    }
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) buttons_.append(b);

    watched_.append(window);
    for (QWidget* w : window->findChildren<QWidget*>()) watched_.append(w);
    for (const auto& w : watched_) w->installEventFilter(this);
    updateDefaults(nullptr);
}

WindowKeys::~WindowKeys() {
    for (const auto& w : watched_)
        if (w) w->removeEventFilter(this);
}

void WindowKeys::addShortcut(int key, Qt::KeyboardModifiers modifiers,
                             std::function<void()> action) {
    shortcuts_.push_back({key, modifiers, std::move(action)});
}

void WindowKeys::onFocusIn(std::function<void(QWidget*)> follower) {
    follower_ = std::move(follower);
}

void WindowKeys::setMenuBar(QMenuBar* bar) { menuBar_ = bar; }

void WindowKeys::keepOwnKeys(QWidget* control) { ownKeys_.append(control); }

bool WindowKeys::eventFilter(QObject* watched, QEvent* e) {
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || !window_) return false;
    if (e->type() == QEvent::FocusIn) {
        CheckRadioOnFocus(w, static_cast<QFocusEvent*>(e)->reason());
        updateDefaults(w);
        if (follower_) follower_(w);
        return false;
    }
    if (e->type() != QEvent::KeyPress || !isSubject(w)) return false;
    // A menu bar the keyboard has entered answers its arrows, Enter and Escape itself.
    if (qobject_cast<QMenuBar*>(w)) return false;
    return handleKey(w, static_cast<QKeyEvent*>(e));
}

// A key event is handled once, where it first arrives: at the focus widget, or at the
// window while nothing in it has the focus; its trips up the parent chain are not.
bool WindowKeys::isSubject(QWidget* w) const {
    QWidget* focus = QApplication::focusWidget();
    if (focus && (focus == window_ || window_->isAncestorOf(focus))) return w == focus;
    return w == window_;
}

bool WindowKeys::handleKey(QWidget* w, QKeyEvent* k) {
    const Qt::KeyboardModifiers mods = k->modifiers() & ~Qt::KeypadModifier;
    const int key = k->key();
    const bool plain = mods == Qt::NoModifier;

    for (const Shortcut& s : shortcuts_)
        if (s.key == key && s.modifiers == mods) {
            if (s.action) RunHandler(s.action);
            return true;
        }
    if (ownKeys_.contains(w)) return false;
    if (key == Qt::Key_F10 && plain && menuBar_) {
        openMenuBar();
        return true;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && plain) {
        QPushButton* target = qobject_cast<QPushButton*>(w);
        if (!target) target = default_;
        if (target && target->isEnabled() && target->isVisibleTo(window_)) target->click();
        return true;
    }
    if (key == Qt::Key_Tab && plain) {
        tabFrom(w, true);
        return true;
    }
    if (key == Qt::Key_Backtab || (key == Qt::Key_Tab && mods == Qt::ShiftModifier)) {
        tabFrom(w, false);
        return true;
    }
    if ((key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down) &&
        plain) {
        const bool forward = key == Qt::Key_Right || key == Qt::Key_Down;
        if (IsEdit(w)) {
            auto* edit = qobject_cast<QLineEdit*>(w);
            if (!edit || key == Qt::Key_Left || key == Qt::Key_Right) return false;
            // A single-line edit has no lines: Up and Down move like Left and Right.
            if (forward)
                edit->cursorForward(false);
            else
                edit->cursorBackward(false);
            return true;
        }
        arrowFrom(w, forward);
        return true;
    }
    if ((plain || mods == Qt::ShiftModifier) && !IsEdit(w) && k->text().size() == 1 &&
        k->text()[0].isLetterOrNumber()) {
        if (QAbstractButton* b = buttonFor(k->text()[0].toUpper())) {
            if (!qobject_cast<QPushButton*>(b)) b->setFocus(Qt::ShortcutFocusReason);
            b->click();
            return true;
        }
    }
    return false;
}

void WindowKeys::openMenuBar() {
    if (!menuBar_ || !menuBar_->isVisibleTo(window_) || !window_->isActiveWindow()) return;
    for (QAction* action : menuBar_->actions())
        if (action->isVisible() && action->isEnabled() && !action->isSeparator()) {
            menuBar_->setActiveAction(action);
            return;
        }
}

QAbstractButton* WindowKeys::buttonFor(QChar letter) const {
    for (const auto& b : buttons_)
        if (b && b->isVisibleTo(window_) && b->isEnabled() && Mnemonic(b->text()) == letter)
            return b;
    return nullptr;
}

bool WindowKeys::inAnyList(const QWidget* w) const {
    for (const auto& list : orders_)
        for (const auto& x : list)
            if (x == w) return true;
    return false;
}

void WindowKeys::flattenInto(const QList<QPointer<QWidget>>& list, QList<QWidget*>& out,
                             int depth) const {
    if (depth > 16) return;
    for (const auto& w : list) {
        if (!w) continue;
        out.append(w);
        for (const auto& inner : orders_)
            if (ParentOf(inner) == w) flattenInto(inner, out, depth + 1);
    }
}

// The window's children in tab order with each container's children after it.
QList<QWidget*> WindowKeys::tabChain() const {
    QList<QWidget*> out;
    for (const auto& list : orders_)
        if (!inAnyList(ParentOf(list))) flattenInto(list, out, 0);
    return out;
}

bool WindowKeys::usable(const QWidget* w) const {
    return w && w->isEnabled() && w->isVisibleTo(window_) && w->focusPolicy() != Qt::NoFocus;
}

bool WindowKeys::isTabStop(QWidget* w) const {
    if (!usable(w)) return false;
    auto* radio = qobject_cast<QRadioButton*>(w);
    // Qt moves the Tab bit between radio buttons by itself, across nested groups too:
    // for them only the checked state counts.
    if (!radio || !radio->autoExclusive()) return w->focusPolicy() & Qt::TabFocus;
    if (radio->isChecked()) return true;
    // An unchecked radio button is a stop only while its group has no checked one,
    // and then only the first of the group.
    const QList<QRadioButton*> group =
        radio->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    for (QRadioButton* other : group)
        if (other->autoExclusive() && other->isChecked()) return false;
    for (QRadioButton* other : group)
        if (other->autoExclusive() && usable(other)) return other == radio;
    return false;
}

void WindowKeys::tabFrom(QWidget* w, bool forward) {
    const QList<QWidget*> chain = tabChain();
    const qsizetype n = chain.size();
    if (n == 0) return;
    qsizetype i = chain.indexOf(w);
    if (i < 0) i = forward ? -1 : n;
    for (qsizetype step = 1; step <= n; ++step) {
        QWidget* c = chain[((i + (forward ? step : -step)) % n + n) % n];
        if (isTabStop(c)) {
            c->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

void WindowKeys::arrowFrom(QWidget* w, bool forward) {
    for (const auto& list : orders_) {
        qsizetype i = -1;
        for (qsizetype j = 0; j < list.size(); ++j)
            if (list[j] == w) i = j;
        if (i < 0) continue;
        const qsizetype n = list.size();
        for (qsizetype step = 1; step < n; ++step) {
            QWidget* c = list[((i + (forward ? step : -step)) % n + n) % n];
            if (usable(c)) {
                c->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
                return;
            }
        }
        return;
    }
}

// `now` is one of the window's own controls (or nothing, at the start).
void WindowKeys::updateDefaults(QWidget* now) {
    auto* focused = qobject_cast<QPushButton*>(now);
    for (const auto& b : pushButtons_) {
        if (!b) continue;
        const bool want = focused ? b == focused : declaredDefaults_.contains(b);
        if (b->isDefault() != want) b->setDefault(want);
        // A QDialog keeps Qt's flag on one button only: the window's own holds them all.
        if (auto* framed = qobject_cast<WindowButton*>(b)) framed->setShownDefault(want);
    }
}

}  // namespace zanvoro
