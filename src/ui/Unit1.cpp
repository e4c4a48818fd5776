// The main window's Qt face: its menu bar, client area and keys.
#include "Unit1.h"

#include <QAction>
#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "Controls.h"
#include "ScreenFit.h"
#include "WindowLook.h"

using namespace zanvoro;
using namespace Qt::Literals::StringLiterals;

TForm1::TForm1(QWidget* parent, Construction construction)
    : QMainWindow(parent),
      CalculatorWindow(this, std::make_unique<forms::MainForm>()),
      form_(static_cast<forms::MainForm&>(Form())) {
    BuildMenu();

    const forms::Window& d = form_.description();
    ClientArea = new QWidget(this);
    ClientArea->setObjectName(u"ClientArea"_s);
    ClientArea->setFixedSize(d.client.width, d.client.height);
    setCentralWidget(ClientArea);
    BuildControls(ClientArea);
    Bind(SText5, "SText5");
    Bind(SText8, "SText8");
    Bind(SText11, "SText11");
    Bind(BitBtn1, "BitBtn1");

    InstallKeys();
    FinishControls(construction);
    links_.on(BitBtn1, &QPushButton::clicked, this, [this] { close(); });

    // Client area below the menu bar, fixed; a maximized window only shows more background.
    designSize_ = QSize(d.client.width, d.client.height + MainMenu1->sizeHint().height());
    setFixedSize(designSize_);
    PlaceOnScreen(this, QPoint(d.position.x, d.position.y));
    Widget(form_.id(d.firstFocus))->setFocus();

    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::BuildMenu() {
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(u"MainMenu1"_s);
    MainMenu1->setFont(PGothic(12));
    // The members by name, as the description lists the items.
    const auto keep = [this](const std::string& name, QAction* action) {
        QAction** members[] = {&N3, &N4, &Exit1, &N5};
        const char* names[] = {"N3", "N4", "Exit1", "N5"};
        for (std::size_t i = 0; i < std::size(names); ++i)
            if (name == names[i]) *members[i] = action;
    };
    for (const forms::MenuItem& top : form_.description().menuBar) {
        QMenu* menu = MainMenu1->addMenu(Text(top.caption));
        menu->setObjectName(Text(top.name));
        (top.name == "N1" ? N1 : N2) = menu;
        for (const forms::MenuItem& item : top.items) {
            QAction* action =
                item.caption == "-" ? menu->addSeparator() : menu->addAction(Text(item.caption));
            action->setObjectName(Text(item.name));
            keep(item.name, action);
            if (item.command != forms::Command::None)
                links_.on(action, &QAction::triggered, this,
                          [this, command = item.command] { Run(command); });
        }
        menu->setFont(PGothic(12));
        ApplyWindowColours(menu, ButtonFace());
        menu->setAccessibleName(menu->title());  // a drop-down is read by its title
    }
}

void TForm1::Run(forms::Command command) {
    switch (command) {
    case forms::Command::ShowCalculator: N3Click(); break;
    case forms::Command::ShowAbout: N5Click(); break;
    case forms::Command::Close: Exit1Click(); break;
    default: break;
    }
}

// The window's tab and arrow orders; F10 and Alt open its menu bar.
void TForm1::InstallKeys() {
    for (const auto& order : form_.description().tabOrders)
        for (std::size_t i = 0; i + 1 < order.size(); ++i)
            QWidget::setTabOrder(Widget(form_.id(order[i])), Widget(form_.id(order[i + 1])));
    CalculatorWindow::InstallKeys().setMenuBar(MainMenu1);
}

void TForm1::setCalculatorWindow(QDialog* window) { calculatorWindow_ = window; }

void TForm1::setAboutBox(QDialog* window) { aboutBox_ = window; }

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
