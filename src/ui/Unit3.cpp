// The calculator window: controls at their fixed places, the forward calculation, the clear action.
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

#include <string>

#include "AccessibleNames.h"
#include "Dialogs.h"
#include "ProgramIcon.h"
#include "ReportCommands.h"
#include "ScreenFit.h"
#include "WindowLook.h"
#include "model/calculations.h"

using namespace zanvoro;

namespace {

std::string Utf8(const QLineEdit* edit) { return edit->text().toStdString(); }

}  // namespace

TForm3::TForm3(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(U("Form3"));
    setWindowTitle(U("Pelmaro!"));
    setWindowIcon(ProgramIcon());
    ApplyWindowColours(this, ButtonFace());
    setFont(PGothic(12));

    CreateControls();
    InstallKeys();
    ConnectHandlers();
    InstallResultMenu(this);
    NameControls(this);

    resize(508, 458);
    PlaceOnScreen(this, {508, 213});
}

TForm3::~TForm3() = default;

void TForm3::CreateControls() {
    // The controls keep their places; a window smaller than they need scrolls them.
    ScrollBox = new QScrollArea(this);
    ScrollBox->setObjectName(U("ScrollBox"));
    ScrollBox->setFrameShape(QFrame::NoFrame);
    ScrollBox->setFocusPolicy(Qt::NoFocus);
    ScrollBox->setWidgetResizable(false);
    ScrollBox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ScrollBox->viewport()->setBackgroundRole(QPalette::Window);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ScrollBox);

    QWidget* c = ClientArea = new QWidget;
    c->setObjectName(U("ClientArea"));
    c->setFixedSize(497, 449);

    BuildInput(c, U("希望直接工事費"), 112);
    BuildResults(c);

    BuildExpenses(c, 289, 32, 64, 16);
    RadioButton1 = MakeButton<QRadioButton>(GroupBox1, "RadioButton1", U("経費率　自動入力"),
                                            {8, 216, 113, 17}, PGothic(12), kBlack);
    RadioButton2 = MakeButton<QRadioButton>(GroupBox1, "RadioButton2", U("経費率　手動入力"),
                                            {8, 264, 113, 17}, PGothic(12), kBlack);
    RadioButton1->setChecked(true);
    // Qt's automatic exclusivity would reach the rate-mode buttons from the window's
    // buttons, as they are grandchildren of the same parent: each group has its own.
    MakeExclusiveGroup(this, {RadioButton1, RadioButton2});
    // Disabled by their initial state, not by a handler.
    Edit2->setEnabled(false);
    Edit3->setEnabled(false);

    BuildBottom(c, U("Pelmaro！　　for  ") + U(kMakerCredit) + U("    Ver  H15.5 "),
                {88, 392, 326, 12});
    OKButton = MakeButton<QPushButton>(c, "OKButton", U("閉じる"), {391, 404, 106, 45}, PGothic(16),
                                       WindowText());
    // Both are default buttons; Enter goes to Button1, the first of them.
    Button1->setDefault(true);
    OKButton->setDefault(true);

    Edit4 = MakeEdit(c, "Edit4", {240, 212, 50, 20}, PGothic(16), WindowText());
    Edit5 = MakeEdit(c, "Edit5", {240, 276, 50, 20}, PGothic(16), WindowText());
    Edit6 = MakeEdit(c, "Edit6", {240, 340, 50, 20}, PGothic(16), WindowText());

    ScrollBox->setWidget(c);
}

// Every key the window answers, its tab and arrow orders, and where the focus is shown.
void TForm3::InstallKeys() {
    keys = std::make_unique<WindowKeys>(
        this, Button1,
        QList<QList<QWidget*>>{
            {RadioGroup1, Edit1,   rb1,      rb2,     rb3,    SText12, SText13, SText6,
             SText7,      SText9,  SText3,   SText10, SText2, SText4,  SText1,  GroupBox1,
             Button2,     Button1, OKButton, Edit4,   Edit5,  Edit6},
            {CheckBox1, CheckBox2, CheckBox3, Edit2, Edit3, RadioButton1, RadioButton2}});
    // The window has no cancel button: 閉じる is a default button, not the escape.
    keys->addShortcut(Qt::Key_Escape, Qt::NoModifier, {});
    keys->addShortcut(Qt::Key_C, Qt::ControlModifier, [this] { CopyCommand(this); });
    keys->addShortcut(Qt::Key_P, Qt::ControlModifier, [this] { PrintCommand(this); });
    // In a window made smaller than its controls the keyboard still shows where it is.
    keys->onFocusIn([this](QWidget* now) {
        if (ClientArea->isAncestorOf(now)) ScrollBox->ensureWidgetVisible(now, 8, 8);
    });
}

void TForm3::ConnectHandlers() {
    links.on(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    links.on(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    links.on(CheckBox1, &QCheckBox::toggled, this, [this] { CheckBox1Click(); });
    links.on(CheckBox2, &QCheckBox::toggled, this, [this] { CheckBox2Click(); });
    links.on(OKButton, &QPushButton::clicked, this, [this] { EndModal(this, 1); });
}

void TForm3::Button1Click() {
    // The texts live here while the core reads them.
    const std::string edit1 = Utf8(Edit1), edit2 = Utf8(Edit2), edit3 = Utf8(Edit3),
                      edit4 = Utf8(Edit4), edit5 = Utf8(Edit5), edit6 = Utf8(Edit6);
    costmodel::ForwardInput input;
    input.Edit1 = edit1;
    input.CheckBox1 = CheckBox1->isChecked();
    input.Edit2 = edit2;
    input.CheckBox2 = CheckBox2->isChecked();
    input.Edit3 = edit3;
    input.CheckBox3 = CheckBox3->isChecked();
    input.Work = Work();
    input.ManualRates = !RadioButton1->isChecked();
    input.Edit4 = edit4;
    input.Edit5 = edit5;
    input.Edit6 = edit6;
    costmodel::ForwardCalculate(breakdown, input,
                                [this](const costmodel::CostBreakdown& b) { ShowResults(b); });
}

zanvoro::ResultFields TForm3::Fields() const {
    return CalculatorControls::Fields(Edit6, Edit5, Edit4);
}

void TForm3::ShowResults(const costmodel::CostBreakdown& values) {
    ShowTexts(Fields(), costmodel::FormatResults(values));
    NameFigures(this);
}

void TForm3::Button2Click() {
    Edit1->setText(U("0"));
    costmodel::ClearForward(breakdown);
    ClearFields(Fields());
    NameFigures(this);
}

void TForm3::CheckBox1Click() { Edit2->setEnabled(CheckBox1->isChecked()); }

void TForm3::CheckBox2Click() { Edit3->setEnabled(CheckBox2->isChecked()); }

void TForm3::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    if (!shownBefore) {
        // Now that the window system has framed it, the frame's real size decides.
        PlaceOnScreen(this, {508, 213});
        shownBefore = true;
        Edit1->setFocus(Qt::OtherFocusReason);
        Edit1->selectAll();
    } else if (lastFocus && lastFocus->isEnabled() && lastFocus->isVisibleTo(this)) {
        lastFocus->setFocus(Qt::OtherFocusReason);
    }
}

void TForm3::hideEvent(QHideEvent* event) {
    if (!event->spontaneous() && focusWidget()) lastFocus = focusWidget();
    QWidget::hideEvent(event);
}
