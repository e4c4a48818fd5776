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
#include "CalculatingForm.h"
#include "Controls.h"
#include "ScalableIcons.h"
#include "ScreenFit.h"
#include "WindowLook.h"

using namespace zanvoro;
using namespace Qt::Literals::StringLiterals;

TAboutBox::TAboutBox(QWidget* parent, Construction construction)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    const forms::Window d = forms::DescribeAboutBox();
    setObjectName(Text(d.name));
    setWindowTitle(Text(d.title));
    ApplyWindowColours(this, ColourOf(d.background));
    setFont(FontOf(d.font));
    setFixedSize(d.client.width, d.client.height);
    if (construction == Construction::Complete) BuildControls(construction);
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::BuildControls(Construction construction) {
    const forms::Window d = forms::DescribeAboutBox();
    const std::vector<QWidget*> widgets = zanvoro::BuildControls(d, this);
    const auto bind = [&](auto*& member, const char* name) {
        member = qobject_cast<std::remove_reference_t<decltype(member)>>(widgets.at(d.find(name)));
    };
    bind(Panel1, "Panel1");
    bind(ProgramIcon, "ProgramIcon");
    bind(ProductName, "ProductName");
    bind(Version, "Version");
    bind(Label1, "Label1");
    bind(Copyright, "Copyright");
    bind(Label3, "Label3");
    bind(Label2, "Label2");
    bind(OKButton, "OKButton");
    Panel1->setAccessibleName(Text(forms::DescribedName(d, d.find("Panel1"))));
    ProgramIcon->setAccessibleName(Text(forms::DescribedName(d, d.find("ProgramIcon"))));

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
