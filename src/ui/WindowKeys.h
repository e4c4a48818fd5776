// The keyboard and focus behaviour of one window, owned by that window.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

class QAbstractButton;
class QKeyEvent;
class QMenuBar;
class QPushButton;
class QWidget;

namespace zanvoro {

// Keyboard behaviour of a calculator window: Enter presses a focused push button or else
// `defaultButton`; arrows move within a parent along `arrowOrders` (each list is one
// parent's children in tab order, tab stops or not) and wrap; an edit entered by Tab or
// Shift+Tab selects its whole text; a focused radio button is checked.
//
// Further details:
// - Tab and Shift+Tab follow the same lists: the list of the window's own children, with
//   each container's list inserted right after the container. Tab stops are the controls
//   whose focus policy includes Tab, enabled and visible; of an exclusive group of radio
//   buttons only the checked one, whatever its focus policy.
// - The arrows skip controls that never take the focus (result boxes, frames).
// - Inside an edit Up and Down move the caret like Left and Right.
// - A letter typed while the focus is not in an edit presses the visible, enabled button
//   whose caption underlines that letter ("終了(&C)": C); Alt+letter is Qt's own.
// - While the focus is on a push button that button is drawn as the default; otherwise
//   `defaultButton` and the buttons already made default (setDefault) before this.
// - With a menu bar (setMenuBar), F10 opens its first menu; from there Qt's menus take the
//   arrows, Enter and Escape. Alt pressed and released alone is the menu bar's own: it
//   highlights the first menu, which Down or Enter opens.
//
// It sees only the window's own controls, as they are when it is made: their focus and
// key events, nothing application-wide. The window holds it and must destroy it before
// its controls go (a member does: members die before ~QWidget deletes the children).
class WindowKeys final : public QObject {
public:
    WindowKeys(QWidget* window, QPushButton* defaultButton,
               const QList<QList<QWidget*>>& arrowOrders);
    ~WindowKeys() override;

    // `key` with exactly `modifiers` (keypad aside) runs `action`, wherever the focus is in
    // the window, before any key above; an empty action swallows the key.
    void addShortcut(int key, Qt::KeyboardModifiers modifiers, std::function<void()> action);

    // Called with each control of the window that receives the focus.
    void onFocusIn(std::function<void(QWidget*)> follower);

    // The window's menu bar, which F10 and Alt alone open.
    void setMenuBar(QMenuBar* bar);

    // A control that keeps its own keys (a table's arrows, Tab and Enter among its cells);
    // the window's shortcuts still come first, and its focus still moves the default button.
    void keepOwnKeys(QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    struct Shortcut {
        int key;
        Qt::KeyboardModifiers modifiers;
        std::function<void()> action;
    };

    bool isSubject(QWidget* w) const;
    bool handleKey(QWidget* w, QKeyEvent* k);
    void openMenuBar();
    QAbstractButton* buttonFor(QChar letter) const;
    bool inAnyList(const QWidget* w) const;
    void flattenInto(const QList<QPointer<QWidget>>& list, QList<QWidget*>& out, int depth) const;
    QList<QWidget*> tabChain() const;
    bool usable(const QWidget* w) const;
    bool isTabStop(QWidget* w) const;
    void tabFrom(QWidget* w, bool forward);
    void arrowFrom(QWidget* w, bool forward);
    void updateDefaults(QWidget* now);

    QPointer<QWidget> window_;
    QPointer<QPushButton> default_;
    QList<QPointer<QPushButton>> declaredDefaults_;
    QList<QPointer<QPushButton>> pushButtons_;
    QList<QPointer<QAbstractButton>> buttons_;
    QList<QPointer<QWidget>> watched_;
    QList<QList<QPointer<QWidget>>> orders_;
    std::vector<Shortcut> shortcuts_;
    std::function<void(QWidget*)> follower_;
    QPointer<QMenuBar> menuBar_;
    QList<QPointer<QWidget>> ownKeys_;
};

}  // namespace zanvoro
