// The main window: its menu, its own controls and keys, and the reverse search.
#include "Unit1.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include "ScalableIcons.h"
#include "ScreenFit.h"
#include "WindowLook.h"

using namespace zanvoro;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kClientWidth = 508;
constexpr int kClientHeight = 462;
constexpr QPoint kPosition{279, 139};

}  // namespace

TForm1::TForm1(QWidget* parent, Construction construction)
    : QMainWindow(parent), CalculatorWindow(this, u"Form1"_s, u"Zanvoro!Pro"_s, Light3D(), 16) {
    BuildMenu();

    ClientArea = new QWidget(this);
    ClientArea->setObjectName(u"ClientArea"_s);
    ClientArea->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(ClientArea);
    BuildControls(ClientArea,
                  {u"希望工事費 (税込)"_s, 127, u"Zanvoro！Pro"_s, {80, 392, 343, 12}, 249, 48, 72, 24},
                  RateBoxes{&SText8, &SText11, &SText5});
    BitBtn1 = MakeButton<QPushButton>(ClientArea, "BitBtn1", u"終了(&C)"_s, {392, 408, 105, 41},
                                      PGothic(16), WindowText());
    BitBtn1->setIcon(ScalableDoorPicture());
    BitBtn1->setIconSize(QSize(18, 18));

    InstallKeys();
    FinishControls(construction);
    ConnectCommonHandlers([this] { Button1Click(); });
    links_.on(BitBtn1, &QPushButton::clicked, this, [this] { close(); });
    links_.on(N3, &QAction::triggered, this, [this] { N3Click(); });
    links_.on(N5, &QAction::triggered, this, [this] { N5Click(); });
    links_.on(Exit1, &QAction::triggered, this, [this] { Exit1Click(); });

    // Client area below the menu bar, fixed; a maximized window only shows more background.
    designSize_ = QSize(kClientWidth, kClientHeight + MainMenu1->sizeHint().height());
    setFixedSize(designSize_);
    PlaceOnScreen(this, kPosition);
    Button1->setFocus();

    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::BuildMenu() {
    const auto named = [](auto* item, const QString& name) {
        item->setObjectName(name);
        return item;
    };
    MainMenu1 = named(menuBar(), u"MainMenu1"_s);
    MainMenu1->setFont(PGothic(12));
    N1 = named(MainMenu1->addMenu(u"ファイル"_s), u"N1"_s);
    N3 = named(N1->addAction(u"Pelmaroを呼ぶ"_s), u"N3"_s);
    N4 = named(N1->addSeparator(), u"N4"_s);
    Exit1 = named(N1->addAction(u"終了"_s), u"Exit1"_s);
    N2 = named(MainMenu1->addMenu(u"ヘルプ"_s), u"N2"_s);
    N5 = named(N2->addAction(u"バージョン情報"_s), u"N5"_s);
    for (QMenu* menu : {N1, N2}) {
        menu->setFont(PGothic(12));
        ApplyWindowColours(menu, ButtonFace());
        menu->setAccessibleName(menu->title());  // a drop-down is read by its title
    }
}

// The window's tab and arrow orders; F10 and Alt open its menu bar.
void TForm1::InstallKeys() {
    const QList<QWidget*> windowOrder = {SText1,  SText2,      SText3,  Button1,  Edit1,   SText6,
                                         SText7,  SText8,      SText9,  SText10,  SText11, SText4,
                                         SText5,  RadioGroup1, rb1,     rb2,      rb3,     BitBtn1,
                                         Button2, SText12,     SText13, GroupBox1};
    const QList<QWidget*> frameOrder = {CheckBox1, CheckBox2, CheckBox3, Edit2, Edit3};
    for (const auto& order : {windowOrder, frameOrder})
        for (qsizetype i = 0; i + 1 < order.size(); ++i)
            QWidget::setTabOrder(order[i], order[i + 1]);
    CalculatorWindow::InstallKeys({windowOrder, frameOrder}).setMenuBar(MainMenu1);
}

void TForm1::setCalculatorWindow(QDialog* window) { calculatorWindow_ = window; }

void TForm1::setAboutBox(QDialog* window) { aboutBox_ = window; }

void TForm1::FormCreate() {
    costmodel::InitSearchState(state_);
    Edit2->setEnabled(false);
    Edit3->setEnabled(false);
}

void TForm1::Button1Click() {
    ShowResults(costmodel::ReverseSearch(state_, ReadInput<costmodel::SearchInput>()));
    Beep();
}

void TForm1::ResetEstimate() { costmodel::ResetSearchState(state_); }

void TForm1::N3Click() {
    if (calculatorWindow_) ShowModal(calculatorWindow_);
}

void TForm1::N5Click() {
    if (aboutBox_) ShowModal(aboutBox_);
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
            setMinimumSize(designSize_);
            setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        } else if (!(windowState() & Qt::WindowMinimized)) {
            setFixedSize(designSize_);
        }
    }
    QMainWindow::changeEvent(event);
}
