// Fonts, colours, result boxes, keyboard handling, the error box and modal showing.
#include "WindowSupport.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QEventLoop>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QTextEdit>
#include <QToolTip>

#include <algorithm>
#include <string>

#include "errors.h"

// Q_INIT_RESOURCE must stand outside any namespace; the library is static, so the
// resource would otherwise be dropped by the linker.
static void InitZanvoroResources() { Q_INIT_RESOURCE(zanvoro); }

namespace zanvoro {

namespace {

constexpr const char* kModalResult = "zanvoroModalResult";

// Shades of the classic bevel: light edges white, shadow edges grey.
const QColor kHighlight{0xFF, 0xFF, 0xFF};
const QColor kShadow{0xA0, 0xA0, 0xA0};
const QColor kDarkShadow{0x69, 0x69, 0x69};

std::function<void()>& BeepHandler() {
    static std::function<void()> handler;
    return handler;
}

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

class ResultBox final : public QLabel {
public:
    explicit ResultBox(QWidget* parent) : QLabel(parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        drawFrame(&p);
        const QRect area = textArea();
        p.setFont(fittingFont(area.width()));
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(area, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, text());
    }

    bool event(QEvent* e) override {
        if (e->type() == QEvent::ToolTip) {
            // Only a text drawn smaller than the box's font needs its tooltip.
            const auto* help = static_cast<QHelpEvent*>(e);
            if (QFontMetrics(font()).horizontalAdvance(text()) > textArea().width())
                QToolTip::showText(help->globalPos(), text(), this);
            else
                QToolTip::hideText();
            return true;
        }
        return QLabel::event(e);
    }

private:
    QRect textArea() const { return contentsRect().adjusted(1, 0, -2, 0); }

    QFont fittingFont(int width) const {
        QFont f = font();
        while (f.pixelSize() > 8 && QFontMetrics(f).horizontalAdvance(text()) > width)
            f.setPixelSize(f.pixelSize() - 1);
        return f;
    }
};

class CaptionFrame final : public QGroupBox {
public:
    CaptionFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QFontMetrics fm(font());
        const QRect line = rect().adjusted(0, fm.height() / 2, -1, -1);
        p.setPen(palette().color(QPalette::Dark));
        p.drawRect(line.adjusted(0, 0, -1, -1));
        p.setPen(palette().color(QPalette::Light));
        p.drawRect(line.adjusted(1, 1, 0, 0));
        if (title().isEmpty()) return;
        const QRect text(8, 0, fm.horizontalAdvance(title()) + 2, fm.height());
        p.fillRect(text, palette().color(QPalette::Window));
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(text.adjusted(1, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                   title());
    }
};

// Enter, Escape, Tab, arrows and plain-letter accelerators of one window.
class WindowKeys final : public QObject {
public:
    WindowKeys(QWidget* window, QPushButton* defaultButton,
               const QList<QList<QWidget*>>& orders)
        : QObject(window), window_(window), default_(defaultButton) {
        for (const auto& list : orders) {
            QList<QPointer<QWidget>> kept;
            for (QWidget* w : list) kept.append(w);
            orders_.append(kept);
        }
        if (defaultButton) declaredDefaults_.append(defaultButton);
        for (QPushButton* b : window->findChildren<QPushButton*>())
            if (b->isDefault() && b != defaultButton) declaredDefaults_.append(b);

        window->installEventFilter(this);
        for (QWidget* w : window->findChildren<QWidget*>()) w->installEventFilter(this);
        connect(qApp, &QApplication::focusChanged, this,
                [this](QWidget*, QWidget* now) { updateDefaults(now); });
        updateDefaults(nullptr);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w) return false;
        if (e->type() == QEvent::FocusIn) {
            checkRadioOnFocus(w, static_cast<QFocusEvent*>(e)->reason());
            return false;
        }
        if (e->type() != QEvent::KeyPress || !isSubject(w)) return false;
        return handleKey(w, static_cast<QKeyEvent*>(e));
    }

private:
    // A key event is handled once, where it first arrives: at the focus widget, or at the
    // window while nothing in it has the focus; its trips up the parent chain are not.
    bool isSubject(QWidget* w) const {
        QWidget* focus = QApplication::focusWidget();
        if (focus && (focus == window_ || window_->isAncestorOf(focus))) return w == focus;
        return w == window_;
    }

    bool handleKey(QWidget* w, QKeyEvent* k) {
        const Qt::KeyboardModifiers mods = k->modifiers() & ~Qt::KeypadModifier;
        const int key = k->key();
        const bool plain = mods == Qt::NoModifier;

        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && plain) {
            QPushButton* target = qobject_cast<QPushButton*>(w);
            if (!target) target = default_;
            if (target && target->isEnabled() && target->isVisibleTo(window_)) target->click();
            return true;
        }
        if (key == Qt::Key_Escape && plain) return true;
        if (key == Qt::Key_Tab && plain) {
            tabFrom(w, true);
            return true;
        }
        if (key == Qt::Key_Backtab || (key == Qt::Key_Tab && mods == Qt::ShiftModifier)) {
            tabFrom(w, false);
            return true;
        }
        if ((key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up ||
             key == Qt::Key_Down) &&
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

    QAbstractButton* buttonFor(QChar letter) const {
        for (QAbstractButton* b : window_->findChildren<QAbstractButton*>())
            if (b->isVisibleTo(window_) && b->isEnabled() && Mnemonic(b->text()) == letter)
                return b;
        return nullptr;
    }

    static QWidget* parentOf(const QList<QPointer<QWidget>>& list) {
        for (const auto& w : list)
            if (w) return w->parentWidget();
        return nullptr;
    }

    bool inAnyList(const QWidget* w) const {
        for (const auto& list : orders_)
            for (const auto& x : list)
                if (x == w) return true;
        return false;
    }

    void flattenInto(const QList<QPointer<QWidget>>& list, QList<QWidget*>& out,
                     int depth) const {
        if (depth > 16) return;
        for (const auto& w : list) {
            if (!w) continue;
            out.append(w);
            for (const auto& inner : orders_)
                if (parentOf(inner) == w) flattenInto(inner, out, depth + 1);
        }
    }

    // The window's children in tab order with each container's children after it.
    QList<QWidget*> tabChain() const {
        QList<QWidget*> out;
        for (const auto& list : orders_)
            if (!inAnyList(parentOf(list))) flattenInto(list, out, 0);
        return out;
    }

    bool usable(const QWidget* w) const {
        return w && w->isEnabled() && w->isVisibleTo(window_) && w->focusPolicy() != Qt::NoFocus;
    }

    bool isTabStop(QWidget* w) const {
        if (!usable(w)) return false;
        auto* radio = qobject_cast<QRadioButton*>(w);
        // Qt moves the Tab bit between radio buttons by itself, across nested groups too:
        // for them only the checked state counts.
        if (!radio || !radio->autoExclusive()) return w->focusPolicy() & Qt::TabFocus;
        if (radio->isChecked()) return true;
        // An unchecked radio button is a stop only while its group has no checked one,
        // and then only the first of the group.
        for (QRadioButton* other : radio->parentWidget()->findChildren<QRadioButton*>(
                 Qt::FindDirectChildrenOnly))
            if (other->autoExclusive() && other->isChecked()) return false;
        for (QRadioButton* other : radio->parentWidget()->findChildren<QRadioButton*>(
                 Qt::FindDirectChildrenOnly))
            if (other->autoExclusive() && usable(other)) return other == radio;
        return false;
    }

    void tabFrom(QWidget* w, bool forward) {
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

    void arrowFrom(QWidget* w, bool forward) {
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

    static void checkRadioOnFocus(QWidget* w, Qt::FocusReason reason) {
        auto* radio = qobject_cast<QRadioButton*>(w);
        // A click checks the button itself when released; window switching changes nothing.
        if (!radio || reason == Qt::MouseFocusReason || reason == Qt::PopupFocusReason ||
            reason == Qt::ActiveWindowFocusReason)
            return;
        if (!radio->isChecked()) radio->setChecked(true);
    }

    void updateDefaults(QWidget* now) {
        if (now && now != window_ && !window_->isAncestorOf(now)) return;
        auto* focused = qobject_cast<QPushButton*>(now);
        for (QPushButton* b : window_->findChildren<QPushButton*>()) {
            bool want = focused ? b == focused : false;
            if (!focused)
                for (const auto& d : declaredDefaults_)
                    if (d == b) want = true;
            if (b->isDefault() != want) b->setDefault(want);
        }
    }

    QWidget* window_;
    QPointer<QPushButton> default_;
    QList<QPointer<QPushButton>> declaredDefaults_;
    QList<QList<QPointer<QWidget>>> orders_;
};

// Ends the modal loop of a plain window once it is hidden (not merely minimized).
class ModalWatcher final : public QObject {
public:
    ModalWatcher(QWidget* window, QEventLoop* loop) : window_(window), loop_(loop) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (watched == window_ && e->type() == QEvent::Hide && !window_->isVisible())
            loop_->quit();
        return false;
    }

private:
    QWidget* window_;
    QEventLoop* loop_;
};

}  // namespace

void InstallFontSubstitutions() {
    static bool done = false;
    if (done) return;
    done = true;
    const QStringList families = QFontDatabase::families();
    for (const QString& name : {QString::fromUtf8(kFontFamily), QStringLiteral("MS PGothic")})
        if (!families.contains(name)) QFont::insertSubstitution(name, QStringLiteral("IPAPGothic"));
}

QFont PGothic(int pixelSize, bool bold, bool italic) {
    InstallFontSubstitutions();
    QFont f(QString::fromUtf8(kFontFamily));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

QColor Light3D() { return {0xE3, 0xE3, 0xE3}; }
QColor ButtonFace() { return {0xF0, 0xF0, 0xF0}; }
QColor WindowText() { return kBlack; }

void ApplyWindowColours(QWidget* window, const QColor& background) {
    QPalette pal = window->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(g, QPalette::Window, background);
        pal.setColor(g, QPalette::Button, ButtonFace());
        pal.setColor(g, QPalette::Base, kHighlight);
        pal.setColor(g, QPalette::Light, kHighlight);
        pal.setColor(g, QPalette::Midlight, Light3D());
        pal.setColor(g, QPalette::Mid, kShadow);
        pal.setColor(g, QPalette::Dark, kShadow);
        pal.setColor(g, QPalette::Shadow, kDarkShadow);
        pal.setColor(g, QPalette::WindowText, WindowText());
        pal.setColor(g, QPalette::Text, WindowText());
        pal.setColor(g, QPalette::ButtonText, WindowText());
    }
    pal.setColor(QPalette::Disabled, QPalette::Window, background);
    pal.setColor(QPalette::Disabled, QPalette::Button, ButtonFace());
    pal.setColor(QPalette::Disabled, QPalette::Base, ButtonFace());
    pal.setColor(QPalette::Disabled, QPalette::Light, kHighlight);
    pal.setColor(QPalette::Disabled, QPalette::Dark, kShadow);
    pal.setColor(QPalette::Disabled, QPalette::WindowText, kShadow);
    pal.setColor(QPalette::Disabled, QPalette::Text, kShadow);
    pal.setColor(QPalette::Disabled, QPalette::ButtonText, kShadow);
    window->setPalette(pal);
    window->setAutoFillBackground(true);
}

void SetTextColour(QWidget* control, const QColor& colour) {
    QPalette pal = control->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(g, QPalette::WindowText, colour);
        pal.setColor(g, QPalette::Text, colour);
        pal.setColor(g, QPalette::ButtonText, colour);
    }
    control->setPalette(pal);
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
                  const QFont& font, const QColor& colour) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFont(font);
    SetTextColour(label, colour);
    // Sized to its text: the given size unless the text needs more, so no descender is cut.
    const QFontMetrics fm(font);
    label->setGeometry(QRect(geometry.topLeft(),
                             geometry.size().expandedTo({fm.horizontalAdvance(text), fm.height()})));
    return label;
}

QGroupBox* MakeCaptionFrame(QWidget* parent, const char* name, const QString& caption,
                            const QRect& geometry, const QFont& font, const QColor& colour) {
    auto* frame = new CaptionFrame(caption, parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFont(font);
    SetTextColour(frame, colour);
    frame->setFocusPolicy(Qt::NoFocus);
    frame->setGeometry(geometry);
    return frame;
}

QLabel* MakeResultBox(QWidget* parent, const char* name, const QRect& geometry, bool bold) {
    auto* box = new ResultBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setTextFormat(Qt::PlainText);
    box->setText(QStringLiteral("0"));
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    box->setLineWidth(1);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setFont(PGothic(16, bold));
    box->setFocusPolicy(Qt::NoFocus);
    box->setTextInteractionFlags(Qt::NoTextInteraction);
    QPalette pal = box->palette();
    pal.setColor(QPalette::Window, ButtonFace());
    pal.setColor(QPalette::WindowText, WindowText());
    box->setPalette(pal);
    box->setAutoFillBackground(true);
    box->setGeometry(geometry);
    box->setFixedSize(geometry.size());
    return box;
}

void MakeExclusiveGroup(QObject* owner, const QList<QRadioButton*>& buttons) {
    auto* group = new QButtonGroup(owner);
    group->setExclusive(true);
    for (QRadioButton* b : buttons) group->addButton(b);
}

QPixmap ProgramIconPixmap() {
    InitZanvoroResources();
    return QPixmap(QStringLiteral(":/icons/program.xpm"));
}

QIcon ProgramIcon() { return QIcon(ProgramIconPixmap()); }

void InstallWindowKeys(QWidget* window, QPushButton* defaultButton,
                       const QList<QList<QWidget*>>& arrowOrders) {
    new WindowKeys(window, defaultButton, arrowOrders);
}

void ShowError(const std::exception& error) {
    if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
    const auto* own = dynamic_cast<const costmodel::CostModelError*>(&error);
    const std::string message =
        costmodel::CompleteMessage(own ? std::string_view(own->message()) : error.what());
    QPointer<QWidget> previous = QApplication::activeWindow();

    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kAppTitle),
                    QString::fromUtf8(message.data(), qsizetype(message.size())),
                    QMessageBox::Ok, previous);
    box.setObjectName(QStringLiteral("ErrorBox"));
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.setFont(PGothic(12));
    ApplyWindowColours(&box, ButtonFace());
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();

    if (previous && previous->isVisible()) previous->activateWindow();
}

int ShowModal(QWidget* window) {
    if (!window) return 2;
    if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
    QPointer<QWidget> previous = QApplication::activeWindow();
    int result = 2;

    if (auto* dialog = qobject_cast<QDialog*>(window)) {
        const int r = dialog->exec();
        result = r == QDialog::Rejected ? 2 : r;
    } else {
        QPointer<QWidget> guard(window);
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
