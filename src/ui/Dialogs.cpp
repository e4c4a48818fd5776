// The error box, the modal run of a window and the beep.
#include "Dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QMessageBox>
#include <QPointer>
#include <QShowEvent>
#include <QWindow>

#include <string>

#include "WindowLook.h"
#include "text/errors.h"

namespace zanvoro {

namespace {

constexpr const char* kModalResult = "zanvoroModalResult";

std::function<void()>& BeepHandler() {
    static std::function<void()> handler;
    return handler;
}

// A message box of no window's tree that stands over `over` (when that is still there).
class ErrorBox final : public QMessageBox {
public:
    ErrorBox(const QString& text, QWidget* over)
        : QMessageBox(QMessageBox::Critical, U(kAppTitle), text, QMessageBox::Ok), over_(over) {}

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);  // sizes the box to its text
        if (over_ && over_->isVisible()) adjustPosition(over_);
    }

private:
    QPointer<QWidget> over_;
};

// Ends the modal loop of a plain window once it is hidden (not merely minimized).
class ModalWatcher final : public QObject {
public:
    ModalWatcher(QWidget* window, QEventLoop* loop) : window_(window), loop_(loop) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (window_ && loop_ && watched == window_ && e->type() == QEvent::Hide &&
            !window_->isVisible())
            loop_->quit();
        return false;
    }

private:
    QPointer<QWidget> window_;
    QPointer<QEventLoop> loop_;
};

}  // namespace

void ShowError(const std::exception& error) {
    if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
    const auto* own = dynamic_cast<const costmodel::CostModelError*>(&error);
    const std::string message =
        costmodel::CompleteMessage(own ? std::string_view(own->message()) : error.what());
    const QPointer<QWidget> previous = QApplication::activeWindow();
    const QPointer<QWidget> previousFocus = QApplication::focusWidget();

    ErrorBox box(QString::fromUtf8(message.data(), qsizetype(message.size())), previous);
    box.setObjectName(QStringLiteral("ErrorBox"));
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.setFont(PGothic(12));
    ApplyWindowColours(&box, ButtonFace());
    box.setEscapeButton(QMessageBox::Ok);
    // The window system keeps the box above the window and in its task-bar entry; the
    // widget trees stay apart.
    if (previous && previous->windowHandle()) {
        box.winId();
        box.windowHandle()->setTransientParent(previous->windowHandle());
    }
    box.exec();

    if (!previous || !previous->isVisible()) return;
    previous->activateWindow();
    if (previousFocus && previousFocus->window() == previous && previousFocus->isEnabled() &&
        previousFocus->isVisible())
        previousFocus->setFocus(Qt::ActiveWindowFocusReason);
}

int ShowModal(QWidget* window) {
    if (!window) return 2;
    if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
    const QPointer<QWidget> previous = QApplication::activeWindow();
    int result = 2;

    if (auto* dialog = qobject_cast<QDialog*>(window)) {
        const int r = dialog->exec();
        result = r == QDialog::Rejected ? 2 : r;
    } else {
        const QPointer<QWidget> guard(window);
        window->setProperty(kModalResult, 0);
        window->setWindowModality(Qt::ApplicationModal);
        QEventLoop loop;
        ModalWatcher watcher(window, &loop);
        window->show();
        window->raise();
        window->activateWindow();
        loop.exec(QEventLoop::DialogExec);
        if (guard) {
            window->removeEventFilter(&watcher);
            if (window->isVisible()) window->hide();
            const int r = window->property(kModalResult).toInt();
            result = r == 0 ? 2 : r;
            window->setWindowModality(Qt::NonModal);
        }
    }

    if (previous && previous->isVisible()) previous->activateWindow();
    return result;
}

void EndModal(QWidget* window, int result) {
    if (!window) return;
    if (auto* dialog = qobject_cast<QDialog*>(window)) {
        dialog->done(result);
        return;
    }
    window->setProperty(kModalResult, result);
    window->hide();
}

void Beep() {
    if (const auto& handler = BeepHandler())
        handler();
    else
        QApplication::beep();
}

void SetBeepHandler(std::function<void()> handler) { BeepHandler() = std::move(handler); }

}  // namespace zanvoro
