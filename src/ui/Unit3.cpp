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

namespace {
// Where the window opens.
constexpr QPoint kPosition{508, 213};
}  // namespace

// A window of its own (sizeable, minimize and maximize buttons), not a dialog frame.
TForm3::TForm3(QWidget* parent, Construction construction)
    : QDialog(parent, Qt::Window),
      CalculatorWindow(this, u"Form3"_s, u"Pelmaro!"_s, ButtonFace(), 12) {
    if (construction == Construction::Complete) BuildWindow();
    resize(508, 458);
    PlaceOnScreen(this, kPosition);
}

TForm3::~TForm3() = default;

void TForm3::BuildWindow() {
    CreateControls();
    InstallKeys();
    FinishControls(Construction::Complete);
    ConnectCommonHandlers([this] { Button1Click(); });
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
    c->setFixedSize(497, 449);

    BuildControls(c, {u"希望直接工事費"_s, 112, u"Pelmaro！"_s, {88, 392, 326, 12}, 289, 32, 64, 16},
                  RateEdits{&Edit4, &Edit5, &Edit6});
    RadioButton1 = MakeButton<QRadioButton>(GroupBox1, "RadioButton1", u"経費率　自動入力"_s,
                                            {8, 216, 113, 17}, PGothic(12), kBlack);
    RadioButton2 = MakeButton<QRadioButton>(GroupBox1, "RadioButton2", u"経費率　手動入力"_s,
                                            {8, 264, 113, 17}, PGothic(12), kBlack);
    RadioButton1->setChecked(true);
    AddExtraChoice(RadioButton1);
    AddExtraChoice(RadioButton2);
    // Qt's automatic exclusivity would reach the rate-mode buttons from the window's
    // buttons, as they are grandchildren of the same parent: each group has its own.
    MakeExclusiveGroup(this, {RadioButton1, RadioButton2});
    // Disabled by their initial state, not by a handler.
    Edit2->setEnabled(false);
    Edit3->setEnabled(false);

    OKButton = MakeButton<QPushButton>(c, "OKButton", u"閉じる"_s, {391, 404, 106, 45}, PGothic(16),
                                       WindowText());
    // The window's keys decide what Enter presses, not the dialog's own default handling.
    for (QPushButton* b : {Button1, Button2, OKButton}) b->setAutoDefault(false);
    // Both are default buttons; Enter goes to Button1, the first of them.
    Button1->setDefault(true);
    OKButton->setDefault(true);

    ScrollBox->setWidget(c);
}

// The window's tab and arrow orders, and where the focus is shown.
void TForm3::InstallKeys() {
    CalculatorWindow::InstallKeys(
        {{RadioGroup1, Edit1,   rb1,      rb2,     rb3,    SText12, SText13, SText6,
          SText7,      SText9,  SText3,   SText10, SText2, SText4,  SText1,  GroupBox1,
          Button2,     Button1, OKButton, Edit4,   Edit5,  Edit6},
         {CheckBox1, CheckBox2, CheckBox3, Edit2, Edit3, RadioButton1, RadioButton2}})
        // In a window made smaller than its controls the keyboard still shows where it is.
        .onFocusIn([this](QWidget* now) {
            if (ClientArea->isAncestorOf(now)) ScrollBox->ensureWidgetVisible(now, 8, 8);
        });
}

void TForm3::Button1Click() {
    auto input = ReadInput<costmodel::ForwardInput>();
    // The texts live here while the core reads them.
    const std::string edit4 = Text(Edit4), edit5 = Text(Edit5), edit6 = Text(Edit6);
    if (!RadioButton1->isChecked()) input.typedRates = costmodel::TypedRates{edit6, edit5, edit4};
    costmodel::ForwardCalculate(breakdown_, input,
                                [this, manual = input.typedRates.has_value()](const costmodel::CostBreakdown& b) {
                                    ShowResults(b, manual);
                                });
}

void TForm3::ResetEstimate() { costmodel::ClearForward(breakdown_); }

void TForm3::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    if (!shownBefore_) {
        // Now that the window system has framed it, the frame's real size decides.
        PlaceOnScreen(this, kPosition);
        shownBefore_ = true;
        Edit1->setFocus(Qt::OtherFocusReason);
        Edit1->selectAll();
    } else if (lastFocus_ && lastFocus_->isEnabled() && lastFocus_->isVisibleTo(this)) {
        lastFocus_->setFocus(Qt::OtherFocusReason);
    }
}

void TForm3::hideEvent(QHideEvent* event) {
    if (!event->spontaneous() && focusWidget()) lastFocus_ = focusWidget();
    QDialog::hideEvent(event);
}
