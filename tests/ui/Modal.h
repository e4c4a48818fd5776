// Acting inside the modal run of a window, as the window tests do.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Runs `act` on the next modal window once it is up and active (polls, so it works from
// inside exec()). A window manager activates a window some time after showing it, and may
// not at all when no real input asked for it: then the test does what the user's click would.
inline void OnNextModal(const std::function<void(QWidget*)>& act) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act, waited = 0]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) return;
        if (!modal->isActiveWindow() && ++waited < 25) return;
        if (!modal->isActiveWindow()) QApplication::setActiveWindow(modal);
        poll->deleteLater();
        act(modal);
    });
    poll->start(20);
}
