// The calculator window: controls at their fixed places, the forward calculation, the clear action.
#include "Unit3.h"

#include <QApplication>
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

#include <array>
#include <limits>
#include <string>

#include "WindowSupport.h"
#include "calculations.h"

namespace {

using zanvoro::PGothic;
using zanvoro::WindowText;

QLineEdit* MakeEdit(QWidget* parent, const char* name, const QRect& geometry, const QFont& font,
                    const QColor& colour) {
    auto* edit = new QLineEdit(QStringLiteral("0"), parent);
    edit->setObjectName(name);
    edit->setMaxLength(std::numeric_limits<int>::max());
    edit->setFont(font);
    zanvoro::SetTextColour(edit, colour);
    edit->setGeometry(geometry);
    edit->setFixedHeight(geometry.height());
    return edit;
}

template <class Button>
Button* MakeButton(QWidget* parent, const char* name, const QString& caption, const QRect& geometry,
                   const QFont& font, const QColor& colour) {
    auto* button = new Button(caption, parent);
    button->setObjectName(name);
    button->setFont(font);
    zanvoro::SetTextColour(button, colour);
    button->setGeometry(geometry);
    // A check box or radio button widens where the style's indicator leaves its caption
    // too little room, so the caption is never cut.
    if (button->isCheckable() && button->sizeHint().width() > geometry.width())
        button->resize(button->sizeHint().width(), geometry.height());
    return button;
}

void SetText(QWidget* field, const QString& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->setText(text);
    else
        static_cast<QLabel*>(field)->setText(text);
}

std::string Utf8(const QLineEdit* edit) { return edit->text().toStdString(); }

}  // namespace

TForm3::TForm3(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("Form3");
    setWindowTitle(QStringLiteral("Pelmaro!"));
    setWindowIcon(zanvoro::ProgramIcon());
    zanvoro::ApplyWindowColours(this, zanvoro::ButtonFace());
    setFont(PGothic(12));

    CreateControls();
    ConnectHandlers();

    resize(508, 458);
    move(508, 213);
}

void TForm3::CreateControls() {
    // The controls keep their places; a window smaller than they need scrolls them.
    ScrollBox = new QScrollArea(this);
    ScrollBox->setObjectName("ScrollBox");
    ScrollBox->setFrameShape(QFrame::NoFrame);
    ScrollBox->setFocusPolicy(Qt::NoFocus);
    ScrollBox->setWidgetResizable(false);
    ScrollBox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ScrollBox->viewport()->setBackgroundRole(QPalette::Window);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ScrollBox);

    QWidget* c = ClientArea = new QWidget;
    c->setObjectName("ClientArea");
    c->setFixedSize(497, 449);

    const QFont f12 = PGothic(12), f13 = PGothic(13), f16 = PGothic(16);
    const QColor text = WindowText(), black = zanvoro::kBlack;
    const QString yen = QStringLiteral("万円"), percent = QStringLiteral("％");
    auto label = [](QWidget* parent, const char* name, const QString& caption, QRect r,
                    const QFont& font, const QColor& colour) {
        return zanvoro::MakeLabel(parent, name, caption, r, font, colour);
    };

    Label1 =
        label(c, "Label1", QStringLiteral("希望直接工事費"), {8, 8, 112, 16}, f16, zanvoro::kBlue);
    Edit1 = MakeEdit(c, "Edit1", {8, 32, 169, 27}, PGothic(19, true), text);
    Label6 = label(c, "Label6", yen, {184, 40, 32, 16}, f16, text);

    // The work-category buttons belong to the window, drawn over their frame.
    RadioGroup1 = zanvoro::MakeCaptionFrame(c, "RadioGroup1", QStringLiteral("工事種類"),
                                            {224, 8, 273, 57}, f16, zanvoro::kBlue);
    rb1 = MakeButton<QRadioButton>(c, "rb1", QStringLiteral("道路維持"), {240, 32, 89, 17}, f16,
                                   text);
    rb2 = MakeButton<QRadioButton>(c, "rb2", QStringLiteral("新営"), {352, 32, 57, 17}, f16, text);
    rb3 = MakeButton<QRadioButton>(c, "rb3", QStringLiteral("改修"), {432, 32, 57, 17}, f16, text);
    rb1->setChecked(true);

    auto box = [c](const char* name, QRect r, bool bold = false) {
        return zanvoro::MakeResultBox(c, name, r, bold);
    };
    SText12 = box("SText12", {8, 104, 80, 17});
    SText13 = box("SText13", {160, 104, 80, 17});
    SText6 = box("SText6", {8, 168, 80, 17});
    SText7 = box("SText7", {160, 168, 80, 17});
    SText9 = box("SText9", {8, 232, 80, 17});
    SText3 = box("SText3", {160, 232, 80, 17});
    SText10 = box("SText10", {8, 296, 80, 17});
    SText2 = box("SText2", {160, 296, 80, 17});
    SText4 = box("SText4", {8, 360, 80, 17}, true);
    SText1 = box("SText1", {160, 360, 80, 17});

    Label23 =
        label(c, "Label23", QStringLiteral("工事費 (概算)"), {8, 88, 95, 16}, f16, zanvoro::kRed);
    Label25 = label(c, "Label25", QStringLiteral("共通費計"), {160, 88, 64, 16}, f16, black);
    Label2 = label(c, "Label2", QStringLiteral("工事価格"), {8, 152, 64, 16}, f16, text);
    Label3 = label(c, "Label3", QStringLiteral("消費税"), {160, 152, 48, 16}, f16, text);
    Label7 = label(c, "Label7", QStringLiteral("５％"), {280, 152, 22, 13}, f13, text);
    Label4 = label(c, "Label4", QStringLiteral("工事原価"), {8, 216, 64, 16}, f16, text);
    Label5 = label(c, "Label5", QStringLiteral("一般管理費"), {160, 216, 80, 16}, f16, text);
    Label9 = label(c, "Label9", QStringLiteral("純工事費"), {8, 280, 64, 16}, f16, text);
    Label10 = label(c, "Label10", QStringLiteral("現場管理費"), {160, 280, 80, 16}, f16, text);
    Label12 =
        label(c, "Label12", QStringLiteral("直接工事費"), {8, 344, 80, 16}, f16, zanvoro::kRed);
    Label13 = label(c, "Label13", QStringLiteral("共通仮設費"), {160, 344, 80, 16}, f16, text);

    Label24 = label(c, "Label24", yen, {88, 104, 26, 13}, f13, text);
    Label26 = label(c, "Label26", yen, {240, 104, 26, 13}, f13, text);
    Label21 = label(c, "Label21", yen, {88, 168, 26, 13}, f13, text);
    Label22 = label(c, "Label22", yen, {240, 168, 26, 13}, f13, text);
    Label19 = label(c, "Label19", yen, {88, 232, 26, 13}, f13, text);
    Label20 = label(c, "Label20", yen, {240, 232, 26, 13}, f13, text);
    Label17 = label(c, "Label17", yen, {88, 296, 26, 13}, f13, text);
    Label18 = label(c, "Label18", yen, {240, 296, 26, 13}, f13, text);
    Label15 = label(c, "Label15", yen, {88, 360, 26, 13}, f13, text);
    Label16 = label(c, "Label16", yen, {240, 360, 26, 13}, f13, text);
    Label8 = label(c, "Label8", percent, {290, 216, 13, 13}, f13, text);
    Label11 = label(c, "Label11", percent, {290, 280, 13, 13}, f13, text);
    Label14 = label(c, "Label14", percent, {290, 344, 13, 13}, f13, text);

    GroupBox1 = zanvoro::MakeCaptionFrame(c, "GroupBox1", QStringLiteral("経費設定"),
                                          {328, 88, 169, 289}, f16, zanvoro::kBlue);
    QWidget* g = GroupBox1;
    CheckBox1 = MakeButton<QCheckBox>(g, "CheckBox1", QStringLiteral("直工だけに含まない金額"),
                                      {8, 32, 153, 17}, f12, black);
    Edit2 = MakeEdit(g, "Edit2", {48, 48, 73, 24}, PGothic(16, true), black);
    Label27 = label(g, "Label27", yen, {120, 56, 26, 13}, f13, black);
    CheckBox2 = MakeButton<QCheckBox>(g, "CheckBox2", QStringLiteral("全経費を掛けない金額"),
                                      {8, 96, 153, 17}, f12, black);
    Edit3 = MakeEdit(g, "Edit3", {48, 112, 73, 24}, PGothic(16, true), black);
    Label28 = label(g, "Label28", yen, {120, 120, 26, 13}, f13, black);
    CheckBox3 = MakeButton<QCheckBox>(g, "CheckBox3", QStringLiteral("共通仮設費をみない"),
                                      {8, 160, 137, 17}, f12, black);
    RadioButton1 = MakeButton<QRadioButton>(g, "RadioButton1", QStringLiteral("経費率　自動入力"),
                                            {8, 216, 113, 17}, f12, black);
    RadioButton2 = MakeButton<QRadioButton>(g, "RadioButton2", QStringLiteral("経費率　手動入力"),
                                            {8, 264, 113, 17}, f12, black);
    RadioButton1->setChecked(true);
    // Qt's automatic exclusivity would reach the rate-mode buttons from the window's
    // buttons, as they are grandchildren of the same parent: give each group its own.
    zanvoro::MakeExclusiveGroup(this, {rb1, rb2, rb3});
    zanvoro::MakeExclusiveGroup(this, {RadioButton1, RadioButton2});
    // Disabled by their initial state, not by a handler.
    Edit2->setEnabled(false);
    Edit3->setEnabled(false);

    Label29 =
        label(c, "Label29",
              QStringLiteral("Pelmaro！　　for  ") + QString::fromUtf8(zanvoro::kMakerCredit) +
                  QStringLiteral("    Ver  H15.5 "),
              {88, 392, 326, 12}, PGothic(12, false, true), zanvoro::kTeal);
    Button2 = MakeButton<QPushButton>(c, "Button2", QStringLiteral("クリア"), {8, 408, 105, 41},
                                      f16, text);
    Button1 = MakeButton<QPushButton>(c, "Button1", QStringLiteral("計　        　算"),
                                      {128, 408, 249, 41}, f16, text);
    OKButton = MakeButton<QPushButton>(c, "OKButton", QStringLiteral("閉じる"), {391, 404, 106, 45},
                                       f16, text);
    // Both are default buttons; Enter goes to Button1, the first of them.
    Button1->setDefault(true);
    OKButton->setDefault(true);

    Edit4 = MakeEdit(c, "Edit4", {240, 212, 50, 20}, f16, text);
    Edit5 = MakeEdit(c, "Edit5", {240, 276, 50, 20}, f16, text);
    Edit6 = MakeEdit(c, "Edit6", {240, 340, 50, 20}, f16, text);

    ScrollBox->setWidget(c);

    zanvoro::InstallWindowKeys(
        this, Button1,
        {{RadioGroup1, Edit1,   rb1,      rb2,     rb3,    SText12, SText13, SText6,
          SText7,      SText9,  SText3,   SText10, SText2, SText4,  SText1,  GroupBox1,
          Button2,     Button1, OKButton, Edit4,   Edit5,  Edit6},
         {CheckBox1, CheckBox2, CheckBox3, Edit2, Edit3, RadioButton1, RadioButton2}});
}

void TForm3::ConnectHandlers() {
    auto handle = [this](void (TForm3::*handler)()) {
        return [this, handler] { zanvoro::RunHandler([this, handler] { (this->*handler)(); }); };
    };
    connect(Button1, &QPushButton::clicked, this, handle(&TForm3::Button1Click));
    connect(Button2, &QPushButton::clicked, this, handle(&TForm3::Button2Click));
    connect(CheckBox1, &QCheckBox::toggled, this, handle(&TForm3::CheckBox1Click));
    connect(CheckBox2, &QCheckBox::toggled, this, handle(&TForm3::CheckBox2Click));
    connect(OKButton, &QPushButton::clicked, this, [this] { zanvoro::EndModal(this, 1); });
    // In a window made smaller than its controls the keyboard still shows where it is.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && ClientArea->isAncestorOf(now)) ScrollBox->ensureWidgetVisible(now, 8, 8);
    });
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
    input.Work = rb2->isChecked()   ? costmodel::WorkType::NewBuilding
                 : rb3->isChecked() ? costmodel::WorkType::Renovation
                                    : costmodel::WorkType::RoadMaintenance;
    input.ManualRates = !RadioButton1->isChecked();
    input.Edit4 = edit4;
    input.Edit5 = edit5;
    input.Edit6 = edit6;
    costmodel::ForwardCalculate(breakdown, input,
                                [this](const costmodel::CostBreakdown& b) { ShowResults(b); });
}

void TForm3::ShowResults(const costmodel::CostBreakdown& values) {
    const costmodel::ResultTexts texts = costmodel::FormatResults(values);
    const std::array<QWidget*, 13> fields{SText4, SText1, Edit6,  SText10, SText2,  Edit5,  SText9,
                                          SText3, Edit4,  SText6, SText7,  SText12, SText13};
    for (std::size_t i = 0; i < fields.size(); ++i)
        SetText(fields[i], QString::fromStdString(texts[i]));
}

void TForm3::Button2Click() {
    Edit1->setText(QStringLiteral("0"));
    costmodel::ClearForward(breakdown);
    for (QWidget* field : std::initializer_list<QWidget*>{SText4, SText1, Edit6, SText10, SText2,
                                                          Edit5, SText9, SText3, Edit4, SText6,
                                                          SText7, SText12, SText13, Edit2, Edit3})
        SetText(field, QStringLiteral("0"));
    // Each box that changes state disables its edit through its own handler.
    CheckBox1->setChecked(false);
    CheckBox2->setChecked(false);
    CheckBox3->setChecked(false);
}

void TForm3::CheckBox1Click() { Edit2->setEnabled(CheckBox1->isChecked()); }

void TForm3::CheckBox2Click() { Edit3->setEnabled(CheckBox2->isChecked()); }

void TForm3::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    if (!shownBefore) {
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
