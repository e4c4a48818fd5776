// The main window: layout, menu, keyboard, the reverse search and the clear action.
#include "Unit1.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include <array>
#include <limits>

#include "WindowSupport.h"
#include "calculations.h"

using namespace zanvoro;

namespace {

// The close picture: an open door under a green exit sign, 18 × 18.
QImage DoorPicture() {
    QImage img(18, 18, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    // exit sign with an arrow pointing out
    p.fillRect(3, 0, 12, 5, QColor(0x00, 0x80, 0x00));
    p.setPen(QColor(0x00, 0x40, 0x00));
    p.drawRect(3, 0, 11, 4);
    p.setPen(Qt::white);
    p.drawLine(5, 2, 12, 2);
    p.drawPoint(11, 1);
    p.drawPoint(11, 3);
    // door frame and the dark opening
    p.fillRect(5, 6, 9, 12, QColor(0x20, 0x20, 0x20));
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.drawRect(4, 6, 10, 11);
    // the door leaf, hinged on the left and swung open towards the viewer
    const QPoint leaf[] = {{5, 7}, {9, 9}, {9, 17}, {5, 17}};
    p.setPen(QColor(0x60, 0x30, 0x00));
    p.setBrush(QColor(0xC0, 0x70, 0x20));
    p.drawPolygon(leaf, 4);
    p.setPen(QColor(0xFF, 0xFF, 0x00));
    p.drawPoint(8, 13);
    // floor line
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawLine(2, 17, 15, 17);
    return img;
}

// The disabled look of a picture: its shape in grey, embossed with a white edge.
QImage GreyedPicture(const QImage& source) {
    QImage out(source.size(), QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    const QColor grey(0x80, 0x80, 0x80);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) {
            const QColor c = source.pixelColor(x, y);
            if (c.alpha() == 0 || c.lightness() > 160) continue;
            if (x + 1 < out.width() && y + 1 < out.height() &&
                out.pixelColor(x + 1, y + 1).alpha() == 0)
                out.setPixelColor(x + 1, y + 1, Qt::white);
            out.setPixelColor(x, y, grey);
        }
    return out;
}

QIcon ClosePicture() {
    const QImage door = DoorPicture();
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(door), QIcon::Normal);
    icon.addPixmap(QPixmap::fromImage(GreyedPicture(door)), QIcon::Disabled);
    return icon;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, const QRect& geometry, const QFont& font) {
    auto* edit = new QLineEdit(U("0"), parent);
    edit->setObjectName(U(name));
    edit->setMaxLength(std::numeric_limits<int>::max());
    edit->setFont(font);
    SetTextColour(edit, WindowText());
    edit->setGeometry(geometry);
    edit->setFixedHeight(geometry.height());
    return edit;
}

template <class Button>
Button* MakeButton(QWidget* parent, const char* name, const QString& caption,
                   const QRect& geometry, const QFont& font, const QColor& colour) {
    auto* button = new Button(caption, parent);
    button->setObjectName(U(name));
    button->setFont(font);
    SetTextColour(button, colour);
    button->setGeometry(geometry);
    return button;
}

constexpr int kClientWidth = 508;
constexpr int kClientHeight = 462;

}  // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    setObjectName(U("Form1"));
    setWindowTitle(U("Zanvoro!Pro"));
    setWindowIcon(ProgramIcon());
    ApplyWindowColours(this, Light3D());
    setFont(PGothic(16));

    // Menu bar
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(U("MainMenu1"));
    MainMenu1->setFont(PGothic(12));
    N1 = MainMenu1->addMenu(U("ファイル"));
    N1->setObjectName(U("N1"));
    N3 = N1->addAction(U("Pelmaroを呼ぶ"));
    N3->setObjectName(U("N3"));
    N4 = N1->addSeparator();
    N4->setObjectName(U("N4"));
    Exit1 = N1->addAction(U("終了"));
    Exit1->setObjectName(U("Exit1"));
    N2 = MainMenu1->addMenu(U("ヘルプ"));
    N2->setObjectName(U("N2"));
    N5 = N2->addAction(U("バージョン情報"));
    N5->setObjectName(U("N5"));
    for (QMenu* menu : {N1, N2}) {
        menu->setFont(PGothic(12));
        ApplyWindowColours(menu, ButtonFace());
    }

    ClientArea = new QWidget(this);
    ClientArea->setObjectName(U("ClientArea"));
    ClientArea->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(ClientArea);
    QWidget* c = ClientArea;

    // Input area
    Label1 = MakeLabel(c, "Label1", U("希望工事費 (税込)"), {8, 8, 127, 16}, PGothic(16), kBlue);
    Edit1 = MakeEdit(c, "Edit1", {8, 32, 169, 27}, PGothic(19, true));
    Label6 = MakeLabel(c, "Label6", U("万円"), {184, 40, 32, 16}, PGothic(16), WindowText());

    // Work category: the buttons belong to the window and are drawn over the frame.
    RadioGroup1 = MakeCaptionFrame(c, "RadioGroup1", U("工事種類"), {224, 8, 273, 57},
                                   PGothic(16), kBlue);
    rb1 = MakeButton<QRadioButton>(c, "rb1", U("道路維持"), {240, 32, 89, 17}, PGothic(16),
                                   WindowText());
    rb2 = MakeButton<QRadioButton>(c, "rb2", U("新営"), {352, 32, 57, 17}, PGothic(16),
                                   WindowText());
    rb3 = MakeButton<QRadioButton>(c, "rb3", U("改修"), {432, 32, 57, 17}, PGothic(16),
                                   WindowText());
    rb1->setChecked(true);
    MakeExclusiveGroup(this, {rb1, rb2, rb3});

    // Results: caption above each amount, unit to its right, rate boxes beside.
    const QFont caption = PGothic(16);
    const QFont unit = PGothic(13);
    auto amount = [&](QLabel*& box, const char* boxName, int x, int y, bool bold,
                      QLabel*& title, const char* titleName, const char* titleText, int titleWidth,
                      const QColor& titleColour, QLabel*& unitLabel, const char* unitName) {
        title = MakeLabel(c, titleName, U(titleText), {x, y - 16, titleWidth, 16}, caption,
                          titleColour);
        box = MakeResultBox(c, boxName, {x, y, 80, 17}, bold);
        unitLabel = MakeLabel(c, unitName, U("万円"), {x + 80, y, 26, 13}, unit, WindowText());
    };
    auto rate = [&](QLabel*& box, const char* boxName, int y, QLabel*& percent,
                    const char* percentName) {
        box = MakeResultBox(c, boxName, {240, y, 50, 17}, false);
        percent = MakeLabel(c, percentName, U("％"), {290, y, 13, 13}, unit, WindowText());
    };
    amount(SText12, "SText12", 8, 104, false, Label23, "Label23", "工事費 (概算)", 95, kRed,
           Label24, "Label24");
    amount(SText13, "SText13", 160, 104, false, Label25, "Label25", "共通費計", 64, kBlack,
           Label26, "Label26");
    amount(SText6, "SText6", 8, 168, false, Label2, "Label2", "工事価格", 64, WindowText(),
           Label21, "Label21");
    amount(SText7, "SText7", 160, 168, false, Label3, "Label3", "消費税", 48, WindowText(),
           Label22, "Label22");
    Label7 = MakeLabel(c, "Label7", U("５％"), {280, 152, 22, 13}, unit, WindowText());
    amount(SText9, "SText9", 8, 232, false, Label4, "Label4", "工事原価", 64, WindowText(),
           Label19, "Label19");
    amount(SText3, "SText3", 160, 232, false, Label5, "Label5", "一般管理費", 80, WindowText(),
           Label20, "Label20");
    rate(SText8, "SText8", 216, Label8, "Label8");
    amount(SText10, "SText10", 8, 296, false, Label9, "Label9", "純工事費", 64, WindowText(),
           Label17, "Label17");
    amount(SText2, "SText2", 160, 296, false, Label10, "Label10", "現場管理費", 80,
           WindowText(), Label18, "Label18");
    rate(SText11, "SText11", 280, Label11, "Label11");
    amount(SText4, "SText4", 8, 360, true, Label12, "Label12", "直接工事費", 80, kRed, Label15,
           "Label15");
    amount(SText1, "SText1", 160, 360, false, Label13, "Label13", "共通仮設費", 80,
           WindowText(), Label16, "Label16");
    rate(SText5, "SText5", 344, Label14, "Label14");

    // Expense settings
    GroupBox1 = MakeCaptionFrame(c, "GroupBox1", U("経費設定"), {328, 88, 169, 249}, PGothic(16),
                                 kBlue);
    QWidget* g = GroupBox1;
    CheckBox1 = MakeButton<QCheckBox>(g, "CheckBox1", U("直工だけに含まない金額"),
                                      {8, 48, 153, 17}, PGothic(12), kBlack);
    Edit2 = MakeEdit(g, "Edit2", {48, 72, 73, 24}, PGothic(16, true));
    Label27 = MakeLabel(g, "Label27", U("万円"), {120, 80, 26, 13}, unit, kBlack);
    CheckBox2 = MakeButton<QCheckBox>(g, "CheckBox2", U("全経費を掛けない金額"),
                                      {8, 120, 153, 17}, PGothic(12), kBlack);
    Edit3 = MakeEdit(g, "Edit3", {48, 144, 73, 24}, PGothic(16, true));
    Label28 = MakeLabel(g, "Label28", U("万円"), {120, 152, 26, 13}, unit, kBlack);
    CheckBox3 = MakeButton<QCheckBox>(g, "CheckBox3", U("共通仮設費をみない"),
                                      {8, 192, 137, 17}, PGothic(12), kBlack);
    SetTextColour(Edit2, kBlack);
    SetTextColour(Edit3, kBlack);

    // Bottom
    Label29 = MakeLabel(c, "Label29",
                        U("Zanvoro！Pro　　for  ") + U(kMakerCredit) + U("    Ver  H15.5 "),
                        {80, 392, 343, 12}, PGothic(12, false, true), kTeal);
    Button2 = MakeButton<QPushButton>(c, "Button2", U("クリア"), {8, 408, 105, 41}, PGothic(16),
                                      WindowText());
    Button1 = MakeButton<QPushButton>(c, "Button1", U("計　        　算"), {128, 408, 249, 41},
                                      PGothic(16), WindowText());
    BitBtn1 = MakeButton<QPushButton>(c, "BitBtn1", U("終了(&C)"), {392, 408, 105, 41},
                                      PGothic(16), WindowText());
    BitBtn1->setIcon(ClosePicture());
    BitBtn1->setIconSize(QSize(18, 18));

    // Tab order of the window's controls, and of the expense frame's.
    const QList<QWidget*> windowOrder = {SText1, SText2, SText3, Button1, Edit1, SText6,
                                         SText7, SText8, SText9, SText10, SText11, SText4,
                                         SText5, RadioGroup1, rb1, rb2, rb3, BitBtn1,
                                         Button2, SText12, SText13, GroupBox1};
    const QList<QWidget*> frameOrder = {CheckBox1, CheckBox2, CheckBox3, Edit2, Edit3};
    for (const auto& order : {windowOrder, frameOrder})
        for (qsizetype i = 0; i + 1 < order.size(); ++i)
            QWidget::setTabOrder(order[i], order[i + 1]);
    InstallWindowKeys(this, Button1, {windowOrder, frameOrder});

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { close(); });
    connect(CheckBox1, &QCheckBox::toggled, this, [this] { CheckBox1Click(); });
    connect(CheckBox2, &QCheckBox::toggled, this, [this] { CheckBox2Click(); });
    connect(N3, &QAction::triggered, this, [this] { N3Click(); });
    connect(N5, &QAction::triggered, this, [this] { N5Click(); });
    connect(Exit1, &QAction::triggered, this, [this] { Exit1Click(); });

    // Client area below the menu bar, fixed; a maximized window only shows more background.
    designSize = QSize(kClientWidth, kClientHeight + MainMenu1->sizeHint().height());
    setFixedSize(designSize);
    move(279, 139);
    Button1->setFocus();

    FormCreate();
}

void TForm1::setCalculatorWindow(QWidget* window) { calculatorWindow = window; }

void TForm1::setAboutBox(QWidget* window) { aboutBox = window; }

void TForm1::FormCreate() {
    costmodel::InitSearchState(state);
    Edit2->setEnabled(false);
    Edit3->setEnabled(false);
}

void TForm1::Button1Click() {
    RunHandler([this] {
        const QByteArray edit1 = Edit1->text().toUtf8();
        const QByteArray edit2 = Edit2->text().toUtf8();
        const QByteArray edit3 = Edit3->text().toUtf8();
        costmodel::SearchInput input;
        input.Edit1 = {edit1.constData(), size_t(edit1.size())};
        input.CheckBox1 = CheckBox1->isChecked();
        input.Edit2 = {edit2.constData(), size_t(edit2.size())};
        input.CheckBox2 = CheckBox2->isChecked();
        input.Edit3 = {edit3.constData(), size_t(edit3.size())};
        input.CheckBox3 = CheckBox3->isChecked();
        input.Work = rb2->isChecked()   ? costmodel::WorkType::NewBuilding
                     : rb3->isChecked() ? costmodel::WorkType::Renovation
                                        : costmodel::WorkType::RoadMaintenance;
        ShowResults(costmodel::ReverseSearch(state, input));
        Beep();
    });
}

void TForm1::ShowResults(const costmodel::CostBreakdown& breakdown) {
    const std::array<QLabel*, 13> boxes = {SText4, SText1, SText5,  SText10, SText2,
                                           SText11, SText9, SText3, SText8,  SText6,
                                           SText7,  SText12, SText13};
    const costmodel::ResultTexts texts = costmodel::FormatResults(breakdown);
    for (size_t i = 0; i < boxes.size(); ++i) boxes[i]->setText(QString::fromStdString(texts[i]));
}

void TForm1::Button2Click() {
    Edit1->setText(U("0"));
    costmodel::ResetSearchState(state);
    for (QLabel* box : {SText4, SText1, SText5, SText10, SText2, SText11, SText9, SText3, SText8,
                        SText6, SText7, SText12, SText13})
        box->setText(U("0"));
    Edit2->setText(U("0"));
    Edit3->setText(U("0"));
    CheckBox1->setChecked(false);
    CheckBox2->setChecked(false);
    CheckBox3->setChecked(false);
}

void TForm1::CheckBox1Click() { Edit2->setEnabled(CheckBox1->isChecked()); }

void TForm1::CheckBox2Click() { Edit3->setEnabled(CheckBox2->isChecked()); }

void TForm1::N3Click() {
    RunHandler([this] {
        if (calculatorWindow) ShowModal(calculatorWindow);
    });
}

void TForm1::N5Click() {
    RunHandler([this] {
        if (aboutBox) ShowModal(aboutBox);
    });
}

void TForm1::Exit1Click() { close(); }

void TForm1::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

void TForm1::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) {
        // Maximizing may enlarge the window; the controls keep their places either way.
        if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
            setMinimumSize(designSize);
            setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        } else if (!(windowState() & Qt::WindowMinimized)) {
            setFixedSize(designSize);
        }
    }
    QMainWindow::changeEvent(event);
}
