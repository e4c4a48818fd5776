// The error box, the modal run of a window and the beep.
#include "Dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QShowEvent>
#include <QWindow>

#include <string>

#include "ErrorBox.h"
#include "FormLook.h"
#include "WindowLook.h"

namespace zanvoro {

namespace {

std::function<void()>& BeepHandler() {
    static std::function<void()> handler;
    return handler;
}

// A message box of no window's tree that stands over `over` (when that is still there).
class ErrorBox final : public QMessageBox {
public:
    ErrorBox(const QString& title, const QString& text, QWidget* over)
        : QMessageBox(QMessageBox::Critical, title, text, QMessageBox::Ok), over_(over) {}

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);  // sizes the box to its text
        if (over_ && over_->isVisible()) adjustPosition(over_);
    }

private:
    QPointer<QWidget> over_;
};

}  // namespace

void ShowError(const std::exception& error) {
    if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
    const forms::ErrorBox shown = forms::ErrorBoxFor(error);
    const QPointer<QWidget> previous = QApplication::activeWindow();
    const QPointer<QWidget> previousFocus = QApplication::focusWidget();

    ErrorBox box(Text(shown.title), Text(shown.message), previous);
    box.setObjectName(QStringLiteral("ErrorBox"));
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.setFont(WithFallbacks(PGothic(12)));  // the message quotes what was typed
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

ModalResult ShowModal(QDialog* dialog) {
    if (!dialog) return ModalResult::Cancel;
    if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
    const QPointer<QWidget> previous = QApplication::activeWindow();
    const int result = dialog->exec();
    if (previous && previous->isVisible()) previous->activateWindow();
    return result == QDialog::Accepted ? ModalResult::Ok : ModalResult::Cancel;
}

void Beep() {
    if (const auto& handler = BeepHandler())
        handler();
    else
        QApplication::beep();
}

void SetBeepHandler(std::function<void()> handler) { BeepHandler() = std::move(handler); }

}  // namespace zanvoro
