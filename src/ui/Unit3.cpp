// The calculator window: its controls at their fixed places, the forward calculation and the clear action.
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

#include <string>

#include "WindowSupport.h"
#include "calculations.h"

namespace {

using zanvoro::PGothic;

void SetTextColour(QWidget* w, QPalette::ColorRole role, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Active, role, colour);
    p.setColor(QPalette::Inactive, role, colour);
    w->setPalette(p);
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
                  const QFont& font, const QColor& colour = {}) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(font);
    label->setGeometry(geometry);
    if (colour.isValid()) SetTextColour(label, QPalette::WindowText, colour);
    return label;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, const QRect& geometry, const QFont& font,
                    const QColor& colour = {}) {
    auto* edit = new QLineEdit(QStringLiteral("0"), parent);
    edit->setObjectName(name);
    edit->setFont(font);
    edit->setGeometry(geometry);
    edit->setFixedSize(geometry.size());
    if (colour.isValid()) SetTextColour(edit, QPalette::Text, colour);
    return edit;
}

template <class Button>
Button* MakeButton(QWidget* parent, const char* name, const QString& caption,
                   const QRect& geometry, const QFont& font, const QColor& colour = {}) {
    auto* button = new Button(caption, parent);
    button->setObjectName(name);
    button->setFont(font);
    button->setGeometry(geometry);
    if (colour.isValid()) SetTextColour(button, QPalette::WindowText, colour);
    return button;
}

QGroupBox* MakeFrame(QWidget* parent, const char* name, const QString& caption,
                     const QRect& geometry) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(name);
    frame->setFont(PGothic(16));
    frame->setGeometry(geometry);
    frame->setFocusPolicy(Qt::NoFocus);
    // The caption is blue; the frame's children set their own colours.
    SetTextColour(frame, QPalette::WindowText, zanvoro::kBlue);
    return frame;
}

// Of an exclusive group only the checked button is reached by Tab.
void KeepCheckedAsTabStop(const QList<QRadioButton*>& group) {
    for (QRadioButton* button : group) {
        auto update = [button](bool checked) {
            button->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
        };
        update(button->isChecked());
        QObject::connect(button, &QRadioButton::toggled, button, update);
    }
}

std::string Utf8(const QLineEdit* edit) { return edit->text().toStdString(); }

}  // namespace

TForm3::TForm3(QWidget* parent) : QWidget(parent, Qt::Window) {
    zanvoro::InstallFontSubstitutions();
    setObjectName("Form3");
    setWindowTitle(QStringLiteral("Pelmaro!"));
    setWindowIcon(zanvoro::ProgramIcon());
    setFont(PGothic(12));
    QPalette face = palette();
    face.setColor(QPalette::Window, zanvoro::ButtonFace());
    setPalette(face);
    setAutoFillBackground(true);

    CreateControls();
    ConnectHandlers();

    resize(508, 458);
    move(508, 213);
}

void TForm3::CreateControls() {
    ScrollBox = new QScrollArea(this);
    ScrollBox->setObjectName("ScrollBox");
    ScrollBox->setFrameShape(QFrame::NoFrame);
    ScrollBox->setFocusPolicy(Qt::NoFocus);
    ScrollBox->setWidgetResizable(false);
    ScrollBox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ScrollBox->viewport()->setAutoFillBackground(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ScrollBox);

    QWidget* c = ClientArea = new QWidget;
    c->setObjectName("ClientArea");
    c->setFixedSize(497, 449);
    c->setAutoFillBackground(false);

    const QFont f12 = PGothic(12), f13 = PGothic(13), f16 = PGothic(16);
    const QString yen = QStringLiteral("万円"), percent = QStringLiteral("％");

    // Created in the order that gives the window's child list its tab order.
    RadioGroup1 = MakeFrame(c, "RadioGroup1", QStringLiteral("工事種類"), {224, 8, 273, 57});
    Label1 = MakeLabel(c, "Label1", QStringLiteral("希望直接工事費"), {8, 8, 112, 16}, f16,
                       zanvoro::kBlue);
    Edit1 = MakeEdit(c, "Edit1", {8, 32, 169, 27}, PGothic(19, true));
    Label6 = MakeLabel(c, "Label6", yen, {184, 40, 32, 16}, f16);
    rb1 = MakeButton<QRadioButton>(c, "rb1", QStringLiteral("道路維持"), {240, 32, 89, 17}, f16);
    rb2 = MakeButton<QRadioButton>(c, "rb2", QStringLiteral("新営"), {352, 32, 57, 17}, f16);
    rb3 = MakeButton<QRadioButton>(c, "rb3", QStringLiteral("改修"), {432, 32, 57, 17}, f16);
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

    Label23 = MakeLabel(c, "Label23", QStringLiteral("工事費 (概算)"), {8, 88, 95, 16}, f16,
                        zanvoro::kRed);
    Label25 = MakeLabel(c, "Label25", QStringLiteral("共通費計"), {160, 88, 64, 16}, f16,
                        zanvoro::kBlack);
    Label2 = MakeLabel(c, "Label2", QStringLiteral("工事価格"), {8, 152, 64, 16}, f16);
    Label3 = MakeLabel(c, "Label3", QStringLiteral("消費税"), {160, 152, 48, 16}, f16);
    Label7 = MakeLabel(c, "Label7", QStringLiteral("５％"), {280, 152, 22, 13}, f13);
    Label4 = MakeLabel(c, "Label4", QStringLiteral("工事原価"), {8, 216, 64, 16}, f16);
    Label5 = MakeLabel(c, "Label5", QStringLiteral("一般管理費"), {160, 216, 80, 16}, f16);
    Label9 = MakeLabel(c, "Label9", QStringLiteral("純工事費"), {8, 280, 64, 16}, f16);
    Label10 = MakeLabel(c, "Label10", QStringLiteral("現場管理費"), {160, 280, 80, 16}, f16);
    Label12 = MakeLabel(c, "Label12", QStringLiteral("直接工事費"), {8, 344, 80, 16}, f16,
                        zanvoro::kRed);
    Label13 = MakeLabel(c, "Label13", QStringLiteral("共通仮設費"), {160, 344, 80, 16}, f16);

    Label24 = MakeLabel(c, "Label24", yen, {88, 104, 26, 13}, f13);
    Label26 = MakeLabel(c, "Label26", yen, {240, 104, 26, 13}, f13);
    Label21 = MakeLabel(c, "Label21", yen, {88, 168, 26, 13}, f13);
    Label22 = MakeLabel(c, "Label22", yen, {240, 168, 26, 13}, f13);
    Label19 = MakeLabel(c, "Label19", yen, {88, 232, 26, 13}, f13);
    Label20 = MakeLabel(c, "Label20", yen, {240, 232, 26, 13}, f13);
    Label17 = MakeLabel(c, "Label17", yen, {88, 296, 26, 13}, f13);
    Label18 = MakeLabel(c, "Label18", yen, {240, 296, 26, 13}, f13);
    Label15 = MakeLabel(c, "Label15", yen, {88, 360, 26, 13}, f13);
    Label16 = MakeLabel(c, "Label16", yen, {240, 360, 26, 13}, f13);
    Label8 = MakeLabel(c, "Label8", percent, {290, 216, 13, 13}, f13);
    Label11 = MakeLabel(c, "Label11", percent, {290, 280, 13, 13}, f13);
    Label14 = MakeLabel(c, "Label14", percent, {290, 344, 13, 13}, f13);

    GroupBox1 = MakeFrame(c, "GroupBox1", QStringLiteral("経費設定"), {328, 88, 169, 289});
    QWidget* g = GroupBox1;
    CheckBox1 = MakeButton<QCheckBox>(g, "CheckBox1", QStringLiteral("直工だけに含まない金額"),
                                      {8, 32, 153, 17}, f12, zanvoro::kBlack);
    CheckBox2 = MakeButton<QCheckBox>(g, "CheckBox2", QStringLiteral("全経費を掛けない金額"),
                                      {8, 96, 153, 17}, f12, zanvoro::kBlack);
    CheckBox3 = MakeButton<QCheckBox>(g, "CheckBox3", QStringLiteral("共通仮設費をみない"),
                                      {8, 160, 137, 17}, f12, zanvoro::kBlack);
    Edit2 = MakeEdit(g, "Edit2", {48, 48, 73, 24}, PGothic(16, true), zanvoro::kBlack);
    Edit3 = MakeEdit(g, "Edit3", {48, 112, 73, 24}, PGothic(16, true), zanvoro::kBlack);
    Edit2->setEnabled(false);
    Edit3->setEnabled(false);
    Label27 = MakeLabel(g, "Label27", yen, {120, 56, 26, 13}, f13, zanvoro::kBlack);
    Label28 = MakeLabel(g, "Label28", yen, {120, 120, 26, 13}, f13, zanvoro::kBlack);
    RadioButton1 = MakeButton<QRadioButton>(g, "RadioButton1", QStringLiteral("経費率　自動入力"),
                                            {8, 216, 113, 17}, f12, zanvoro::kBlack);
    RadioButton2 = MakeButton<QRadioButton>(g, "RadioButton2", QStringLiteral("経費率　手動入力"),
                                            {8, 264, 113, 17}, f12, zanvoro::kBlack);
    RadioButton1->setChecked(true);

    Label29 = MakeLabel(c, "Label29",
                        QStringLiteral("Pelmaro！　　for  Zanvoro project    Ver  H15.5 "),
                        {88, 392, 326, 12}, PGothic(12, false, true), zanvoro::kTeal);
    Button2 = MakeButton<QPushButton>(c, "Button2", QStringLiteral("クリア"), {8, 408, 105, 41},
                                      f16);
    Button1 = MakeButton<QPushButton>(c, "Button1", QStringLiteral("計　        　算"),
                                      {128, 408, 249, 41}, f16);
    OKButton = MakeButton<QPushButton>(c, "OKButton", QStringLiteral("閉じる"),
                                       {391, 404, 106, 45}, f16);
    for (QPushButton* b : {Button2, Button1, OKButton}) b->setAutoDefault(false);

    Edit4 = MakeEdit(c, "Edit4", {240, 212, 50, 20}, f16);
    Edit5 = MakeEdit(c, "Edit5", {240, 276, 50, 20}, f16);
    Edit6 = MakeEdit(c, "Edit6", {240, 340, 50, 20}, f16);

    // The work-category buttons lie over their frame.
    for (QWidget* w : {rb1, rb2, rb3}) w->raise();
    KeepCheckedAsTabStop({rb1, rb2, rb3});
    KeepCheckedAsTabStop({RadioButton1, RadioButton2});

    ScrollBox->setWidget(c);
    // The viewport may be larger than the controls: paint it like the window.
    ScrollBox->viewport()->setBackgroundRole(QPalette::Window);

    const QList<QWidget*> tabs{Edit1,   rb1,      rb2,          rb3,          CheckBox1,
                               CheckBox2, CheckBox3, Edit2,      Edit3,        RadioButton1,
                               RadioButton2, Button2, Button1,   OKButton,     Edit4,
                               Edit5,   Edit6};
    for (qsizetype i = 1; i < tabs.size(); ++i) QWidget::setTabOrder(tabs[i - 1], tabs[i]);

    zanvoro::InstallWindowKeys(
        this, Button1,
        {{RadioGroup1, Edit1, rb1, rb2, rb3, SText12, SText13, SText6, SText7, SText9, SText3,
          SText10, SText2, SText4, SText1, GroupBox1, Button2, Button1, OKButton, Edit4, Edit5,
          Edit6},
         {CheckBox1, CheckBox2, CheckBox3, Edit2, Edit3, RadioButton1, RadioButton2}});
}

void TForm3::ConnectHandlers() {
    connect(Button1, &QPushButton::clicked, this, [this] { zanvoro::RunHandler([this] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this, [this] { zanvoro::RunHandler([this] { Button2Click(); }); });
    connect(CheckBox1, &QCheckBox::toggled, this,
            [this] { zanvoro::RunHandler([this] { CheckBox1Click(); }); });
    connect(CheckBox2, &QCheckBox::toggled, this,
            [this] { zanvoro::RunHandler([this] { CheckBox2Click(); }); });
    connect(OKButton, &QPushButton::clicked, this, [this] { close(); });  // FIXME result 1
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { UpdateDefaultFrames(now); });
    UpdateDefaultFrames(nullptr);
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
    const std::array<QWidget*, 13> fields{SText4, SText1,  Edit6, SText10, SText2, Edit5, SText9,
                                          SText3, Edit4,   SText6, SText7, SText12, SText13};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const QString text = QString::fromStdString(texts[i]);
        if (auto* edit = qobject_cast<QLineEdit*>(fields[i]))
            edit->setText(text);
        else
            static_cast<QLabel*>(fields[i])->setText(text);
    }
}

void TForm3::Button2Click() {
    Edit1->setText(QStringLiteral("0"));
    costmodel::ClearForward(breakdown);
    for (QWidget* field : std::initializer_list<QWidget*>{SText4, SText1, Edit6, SText10, SText2,
                                                          Edit5, SText9, SText3, Edit4, SText6,
                                                          SText7, SText12, SText13, Edit2, Edit3}) {
        if (auto* edit = qobject_cast<QLineEdit*>(field))
            edit->setText(QStringLiteral("0"));
        else
            static_cast<QLabel*>(field)->setText(QStringLiteral("0"));
    }
    // Each box that changes state disables its edit through its own handler.
    CheckBox1->setChecked(false);
    CheckBox2->setChecked(false);
    CheckBox3->setChecked(false);
}

void TForm3::CheckBox1Click() { Edit2->setEnabled(CheckBox1->isChecked()); }

void TForm3::CheckBox2Click() { Edit3->setEnabled(CheckBox2->isChecked()); }

// Both default buttons wear the default frame until a push button takes the focus.
void TForm3::UpdateDefaultFrames(QWidget* focused) {
    auto* pushed = qobject_cast<QPushButton*>(focused);
    if (pushed && pushed->window() != this) return;
    if (focused && focused->window() != this) return;
    const bool onButton = pushed != nullptr;
    Button1->setDefault(onButton ? pushed == Button1 : true);
    OKButton->setDefault(onButton ? pushed == OKButton : true);
    Button2->setDefault(pushed == Button2);
}

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
