// The main window: layout, menu, keyboard, the reverse search and the clear action.
#include "Unit1.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include <array>
#include <limits>

#include "AccessibleNames.h"
#include "Dialogs.h"
#include "ProgramIcon.h"
#include "ReportCommands.h"
#include "ScalableIcons.h"
#include "ScreenFit.h"
#include "WindowLook.h"
#include "model/calculations.h"

using namespace zanvoro;

namespace {

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
        menu->setAccessibleName(menu->title());  // a drop-down is read by its title
    }

    ClientArea = new QWidget(this);
    ClientArea->setObjectName(U("ClientArea"));
    ClientArea->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(ClientArea);
    QWidget* c = ClientArea;

    BuildInput(c, U("希望工事費 (税込)"), 127);

    // Results, with the rate boxes beside their amounts.
    BuildResults(c);
    SText8 = MakeResultBox(c, "SText8", {240, 216, 50, 17}, false);
    SText11 = MakeResultBox(c, "SText11", {240, 280, 50, 17}, false);
    SText5 = MakeResultBox(c, "SText5", {240, 344, 50, 17}, false);

    BuildExpenses(c, 249, 48, 72, 24);

    BuildBottom(c, U("Zanvoro！Pro　　for  ") + U(kMakerCredit) + U("    Ver  H15.5 "),
                {80, 392, 343, 12});
    BitBtn1 = MakeButton<QPushButton>(c, "BitBtn1", U("終了(&C)"), {392, 408, 105, 41}, PGothic(16),
                                      WindowText());
    BitBtn1->setIcon(ScalableDoorPicture());
    BitBtn1->setIconSize(QSize(18, 18));

    InstallKeys();
    InstallResultMenu(this);
    NameControls(this);

    links.on(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    links.on(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    links.on(BitBtn1, &QPushButton::clicked, this, [this] { close(); });
    links.on(CheckBox1, &QCheckBox::toggled, this, [this] { CheckBox1Click(); });
    links.on(CheckBox2, &QCheckBox::toggled, this, [this] { CheckBox2Click(); });
    links.on(N3, &QAction::triggered, this, [this] { N3Click(); });
    links.on(N5, &QAction::triggered, this, [this] { N5Click(); });
    links.on(Exit1, &QAction::triggered, this, [this] { Exit1Click(); });

    // Client area below the menu bar, fixed; a maximized window only shows more background.
    designSize = QSize(kClientWidth, kClientHeight + MainMenu1->sizeHint().height());
    setFixedSize(designSize);
    PlaceOnScreen(this, {279, 139});
    Button1->setFocus();

    FormCreate();
}

TForm1::~TForm1() = default;

// Every key the window answers, and its tab and arrow orders.
void TForm1::InstallKeys() {
    const QList<QWidget*> windowOrder = {SText1,  SText2,      SText3,  Button1,  Edit1,   SText6,
                                         SText7,  SText8,      SText9,  SText10,  SText11, SText4,
                                         SText5,  RadioGroup1, rb1,     rb2,      rb3,     BitBtn1,
                                         Button2, SText12,     SText13, GroupBox1};
    const QList<QWidget*> frameOrder = {CheckBox1, CheckBox2, CheckBox3, Edit2, Edit3};
    for (const auto& order : {windowOrder, frameOrder})
        for (qsizetype i = 0; i + 1 < order.size(); ++i)
            QWidget::setTabOrder(order[i], order[i + 1]);
    keys = std::make_unique<WindowKeys>(this, Button1,
                                        QList<QList<QWidget*>>{windowOrder, frameOrder});
    // The window has no cancel button.
    keys->addShortcut(Qt::Key_Escape, Qt::NoModifier, {});
    keys->addShortcut(Qt::Key_C, Qt::ControlModifier, [this] { CopyCommand(this); });
    keys->addShortcut(Qt::Key_P, Qt::ControlModifier, [this] { PrintCommand(this); });
    keys->setMenuBar(MainMenu1);
}

void TForm1::setCalculatorWindow(QWidget* window) { calculatorWindow = window; }

void TForm1::setAboutBox(QWidget* window) { aboutBox = window; }

void TForm1::FormCreate() {
    costmodel::InitSearchState(state);
    Edit2->setEnabled(false);
    Edit3->setEnabled(false);
}

void TForm1::Button1Click() {
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
    input.Work = Work();
    ShowResults(costmodel::ReverseSearch(state, input));
    Beep();
}

zanvoro::ResultFields TForm1::Fields() const {
    return CalculatorControls::Fields(SText5, SText11, SText8);
}

void TForm1::ShowResults(const costmodel::CostBreakdown& breakdown) {
    ShowTexts(Fields(), costmodel::FormatResults(breakdown));
    NameFigures(this);
}

void TForm1::Button2Click() {
    Edit1->setText(U("0"));
    costmodel::ResetSearchState(state);
    ClearFields(Fields());
    NameFigures(this);
}

void TForm1::CheckBox1Click() { Edit2->setEnabled(CheckBox1->isChecked()); }

void TForm1::CheckBox2Click() { Edit3->setEnabled(CheckBox2->isChecked()); }

void TForm1::N3Click() {
    if (calculatorWindow) ShowModal(calculatorWindow);
}

void TForm1::N5Click() {
    if (aboutBox) ShowModal(aboutBox);
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
