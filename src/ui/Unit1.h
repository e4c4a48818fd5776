// The main window "Zanvoro!Pro": from the total a client wants to pay back to the estimate.
#pragma once

#include <QMainWindow>
#include <QPointer>

#include <memory>

#include "WindowKeys.h"
#include "WindowParts.h"
#include "model/costmodel.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;

class TForm1 : public QMainWindow, public zanvoro::CalculatorControls {
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // The windows the menu opens; while unset the menu item does nothing.
    void setCalculatorWindow(QWidget* window);
    void setAboutBox(QWidget* window);

    // The search state between clicks.
    const costmodel::CostBreakdown& SearchState() const { return state; }

    void FormCreate();
    void Button1Click();
    void Button2Click();
    void CheckBox1Click();
    void CheckBox2Click();
    void N3Click();
    void N5Click();
    void Exit1Click();

    QMenuBar* MainMenu1;
    QMenu* N1;
    QAction* N3;
    QAction* N4;
    QAction* Exit1;
    QMenu* N2;
    QAction* N5;

    // The client area below the menu bar; every control lives on it.
    QWidget* ClientArea;

    // The rate boxes beside their amounts.
    QLabel* SText5;
    QLabel* SText8;
    QLabel* SText11;

    QPushButton* BitBtn1;

signals:
    // The window has closed, by whatever means; the program ends with it.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void InstallKeys();
    void ShowResults(const costmodel::CostBreakdown& breakdown);
    zanvoro::ResultFields Fields() const;

    costmodel::CostBreakdown state;
    QSize designSize;
    QPointer<QWidget> calculatorWindow;
    QPointer<QWidget> aboutBox;
    // Both go before ~QWidget deletes the controls they reach.
    zanvoro::HandlerLinks links;
    std::unique_ptr<zanvoro::WindowKeys> keys;
};
