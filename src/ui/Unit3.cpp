// The calculator window: its scrolling area, rate mode, close button and the forward calculation.
#include "Unit3.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QVBoxLayout>

#include "ScreenFit.h"
#include "WindowLook.h"

using namespace zanvoro;
using namespace Qt::Literals::StringLiterals;

// A window of its own (sizeable, minimize and maximize buttons), not a dialog frame.
TForm3::TForm3(QWidget* parent, Construction construction)
    : QDialog(parent, Qt::Window),
      CalculatorWindow(this, std::make_unique<forms::CalculatorForm>()),
      form_(static_cast<forms::CalculatorForm&>(Form())) {
    if (construction == Construction::Complete) BuildWindow();
    const forms::Window& d = form_.description();
    resize(d.client.width, d.client.height);
    PlaceOnScreen(this, QPoint(d.position.x, d.position.y));
}

TForm3::~TForm3() = default;

void TForm3::BuildWindow() {
    CreateControls();
    InstallKeys();
    FinishControls(Construction::Complete);
    links_.on(OKButton, &QPushButton::clicked, this, [this] { accept(); });
}

void TForm3::setVisible(bool visible) {
    // Shown for the first time: made now, and named at once, as it is no part of the start-up.
    if (visible && !ClientArea) BuildWindow();
    QDialog::setVisible(visible);
}

void TForm3::CreateControls() {
    // The controls keep their places; a window smaller than they need scrolls them.
    ScrollBox = new QScrollArea(this);
    ScrollBox->setObjectName(u"ScrollBox"_s);
    ScrollBox->setFrameShape(QFrame::NoFrame);
    ScrollBox->setFocusPolicy(Qt::NoFocus);
    ScrollBox->setWidgetResizable(false);
    ScrollBox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ScrollBox->viewport()->setBackgroundRole(QPalette::Window);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ScrollBox);

    QWidget* c = ClientArea = new QWidget;
    c->setObjectName(u"ClientArea"_s);
    const forms::Window& d = form_.description();
    c->setFixedSize(d.extent.width, d.extent.height);

    BuildControls(c);
    Bind(Edit4, "Edit4");
    Bind(Edit5, "Edit5");
    Bind(Edit6, "Edit6");
    Bind(RadioButton1, "RadioButton1");
    Bind(RadioButton2, "RadioButton2");
    Bind(OKButton, "OKButton");

    // The window's keys decide what Enter presses, not the dialog's own default handling.
    for (QPushButton* b : {Button1, Button2, OKButton}) b->setAutoDefault(false);
    for (const std::string& name : d.defaultFramed)
        qobject_cast<QPushButton*>(Widget(form_.id(name)))->setDefault(true);

    ScrollBox->setWidget(c);
}

// The window's keys, and where the focus is shown.
void TForm3::InstallKeys() {
    CalculatorWindow::InstallKeys()
        // In a window made smaller than its controls the keyboard still shows where it is.
        .onFocusIn([this](QWidget* now) {
            if (ClientArea->isAncestorOf(now)) ScrollBox->ensureWidgetVisible(now, 8, 8);
        });
}

void TForm3::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    if (!shownBefore_) {
        // Now that the window system has framed it, the frame's real size decides.
        const forms::Window& d = form_.description();
        PlaceOnScreen(this, QPoint(d.position.x, d.position.y));
        shownBefore_ = true;
        auto* first = Widget(form_.id(d.firstFocus));
        first->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(first)) edit->selectAll();
    } else if (lastFocus_ && lastFocus_->isEnabled() && lastFocus_->isVisibleTo(this)) {
        lastFocus_->setFocus(Qt::OtherFocusReason);
    }
}

void TForm3::hideEvent(QHideEvent* event) {
    if (!event->spontaneous() && focusWidget()) lastFocus_ = focusWidget();
    QDialog::hideEvent(event);
}
