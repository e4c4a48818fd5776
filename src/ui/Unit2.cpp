// The About dialog: its fixed texts, the bevelled panel and where it opens.
#include "Unit2.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <utility>

#include "AccessibleNames.h"
#include "ScalableIcons.h"
#include "ScreenFit.h"
#include "WindowLook.h"

using namespace zanvoro;
using namespace Qt::Literals::StringLiterals;

namespace {

// A panel with a raised bevel inside a lowered one.
class BevelPanel final : public QFrame {
public:
    explicit BevelPanel(QWidget* parent) : QFrame(parent) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QColor light = palette().color(QPalette::Light);
        const QColor shadow = palette().color(QPalette::Dark);
        const QRect outer = rect().adjusted(0, 0, -1, -1);
        bevel(p, outer, shadow, light);
        bevel(p, outer.adjusted(1, 1, -1, -1), light, shadow);
    }

private:
    static void bevel(QPainter& p, const QRect& r, const QColor& topLeft,
                      const QColor& bottomRight) {
        p.setPen(topLeft);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(bottomRight);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
};

}  // namespace

TAboutBox::TAboutBox(QWidget* parent, Construction construction)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(u"AboutBox"_s);
    setWindowTitle(u"ﾊﾞｰｼﾞｮﾝ情報"_s);
    ApplyWindowColours(this, ButtonFace());
    setFont(PGothic(12));
    setFixedSize(298, 213);
    if (construction == Construction::Complete) BuildControls(construction);
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::BuildControls(Construction construction) {
    const QFont font = PGothic(12);
    Panel1 = new BevelPanel(this);
    Panel1->setObjectName(u"Panel1"_s);
    Panel1->setGeometry(8, 8, 281, 161);
    Panel1->setAccessibleName(u"Zanvoro! Pro"_s);  // it holds what the dialog says of the program

    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setObjectName(u"ProgramIcon"_s);
    ProgramIcon->setAccessibleName(kAppTitle);
    ProgramIcon->setGeometry(24, 16, 32, 32);

    ProductName = MakeLabel(Panel1, "ProductName", u"Zanvoro! Pro"_s, {88, 16, 108, 12}, font,
                            WindowText());
    Version = MakeLabel(Panel1, "Version", u"Version "_s + kVersion, {96, 32, 71, 12}, font,
                        WindowText());
    Label1 = MakeLabel(Panel1, "Label1", u"悪用厳禁 !"_s, {96, 56, 93, 19}, PGothic(19, true),
                       kRed);
    Copyright = MakeLabel(Panel1, "Copyright", u"Copyright (C) 2003  "_s + kMakerCredit,
                          {8, 80, 235, 12}, font, WindowText());
    // The contact lines wrap at their width and grow downwards.
    Label3 = MakeLabel(Panel1, "Label3", u"ご意見・ご要望は開発チームまで"_s, {80, 96, 113, 12},
                       font, WindowText());
    Label2 = MakeLabel(Panel1, "Label2", u"zanvoro.example"_s, {80, 136, 116, 12}, font,
                       WindowText());
    for (auto [contact, width] : {std::pair{Label3, 113}, std::pair{Label2, 116}}) {
        contact->setWordWrap(true);
        contact->resize(width, std::max(12, contact->heightForWidth(width)));
    }

    OKButton = new QPushButton(u"OK"_s, this);
    OKButton->setObjectName(u"OKButton"_s);
    OKButton->setGeometry(111, 180, 75, 25);
    OKButton->setDefault(true);
    links_.on(OKButton, &QPushButton::clicked, this, [this] { accept(); });

    // Its keys: Enter and Space on OK; Escape does nothing.
    keys_ = std::make_unique<WindowKeys>(this, OKButton,
                                        QList<QList<QWidget*>>{{Panel1, OKButton}});
    keys_->addShortcut(Qt::Key_Escape, Qt::NoModifier, {});
    OKButton->setFocus();
    if (construction == Construction::Complete) NameControls();
}

void TAboutBox::NameControls() {
    NameButtons(this);
    // A picture, not a text, for a screen reader too.
    ProgramIcon->setPixmap(ProgramIconPixmapFor(this));
}

QPoint TAboutBox::centredPosition() const {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    // Before its first showing the dialog has no frame yet: borrow the active window's.
    QSize outer = frameGeometry().size();
    if (const QWidget* active = QApplication::activeWindow(); active && active != this)
        outer = size() + (active->frameGeometry().size() - active->geometry().size());
    return screen.topLeft() + QPoint(std::max(0, (screen.width() - outer.width()) / 2),
                                     std::max(0, (screen.height() - outer.height()) / 2));
}

void TAboutBox::setVisible(bool visible) {
    if (visible && !isVisible()) {
        // Built for the start-up without its controls: they come with the first showing.
        if (!OKButton) BuildControls(Construction::Complete);
        PlaceOnScreen(this, shownBefore_ ? lastPosition_ : centredPosition());
        shownBefore_ = true;
    } else if (!visible && isVisible()) {
        lastPosition_ = pos();
    }
    QDialog::setVisible(visible);
    // Drawn for the pixel density of the screen it opens on this time.
    if (visible) ProgramIcon->setPixmap(ProgramIconPixmapFor(this));
}
