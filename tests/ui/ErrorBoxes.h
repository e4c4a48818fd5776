// Watches for the error boxes a test provokes and dismisses each the way a user would.
#pragma once

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

// The orders in which a real desktop closes a box: by the mouse, by a key on its OK button
// once it is active, by a key that arrives before the window system has activated it, and
// by a zero-delay timer firing while it is active.
enum class Dismiss { Click, Enter, Space, BeforeActivation, ZeroTimer };
Q_DECLARE_METATYPE(Dismiss)

// While it lives, every message box shown is recorded and then dismissed by `how`.
class ErrorBoxes final : public QObject {
public:
    explicit ErrorBoxes(Dismiss how = Dismiss::Space) : how_(how) {
        qApp->installEventFilter(this);
        clock_.start();
    }
    ~ErrorBoxes() override { qApp->removeEventFilter(this); }

    void setDismiss(Dismiss how) { how_ = how; }

    int count = 0;
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    bool inAWindowTree = false;
    Qt::WindowModality modality = Qt::NonModal;
    qint64 shownAfterMs = -1;
    QAccessible::Role role = QAccessible::NoRole;
    QString spoken;  // the message as a screen reader reads it from the box

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (!box || e->type() != QEvent::Show) return false;
        ++count;
        shownAfterMs = clock_.elapsed();
        text = box->text();
        title = box->windowTitle();
        icon = box->icon();
        buttons = int(box->buttons().size());
        inAWindowTree = box->parentWidget() != nullptr;
        modality = box->windowModality();
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(box);
        role = a->role();
        spoken.clear();
        for (int i = 0; i < a->childCount(); ++i)
            if (a->child(i)->role() == QAccessible::StaticText &&
                a->child(i)->text(QAccessible::Name) == text)
                spoken = text;
        arm(box);
        return false;
    }

private:
    void arm(QMessageBox* box) {
        const QPointer<QAbstractButton> ok = box->button(QMessageBox::Ok);
        if (how_ == Dismiss::BeforeActivation) {
            QTimer::singleShot(0, box, [box] { QTest::keyClick(box, Qt::Key_Return); });
            return;
        }
        auto* poll = new QTimer(box);
        QObject::connect(poll, &QTimer::timeout, box, [this, box, poll, ok] {
            if (!box->isActiveWindow() || !ok) return;
            poll->stop();
            QWidget* focus = QApplication::focusWidget();
            switch (how_) {
                case Dismiss::Click: QTest::mouseClick(ok, Qt::LeftButton); break;
                case Dismiss::Enter: QTest::keyClick(focus ? focus : box, Qt::Key_Return); break;
                case Dismiss::Space: QTest::keyClick(focus ? focus : box, Qt::Key_Space); break;
                case Dismiss::ZeroTimer:
                    QTimer::singleShot(0, [ok] {
                        if (ok) ok->click();
                    });
                    break;
                case Dismiss::BeforeActivation: break;
            }
        });
        poll->start(10);
    }

    Dismiss how_;
    QElapsedTimer clock_;
};
