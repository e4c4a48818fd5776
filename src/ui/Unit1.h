// The main window "Zanvoro!Pro": from the total a client wants to pay back to the estimate.
#pragma once

#include <QMainWindow>
#include <QPointer>

#include "CalculatorWindow.h"
#include "model/costmodel.h"

class QAction;
class QDialog;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;

class TForm1 : public QMainWindow, public zanvoro::CalculatorWindow {
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr,
                    zanvoro::Construction construction = zanvoro::Construction::Complete);
    ~TForm1() override;

    // The windows the menu opens; while unset the menu item does nothing.
    void setCalculatorWindow(QDialog* window);
    void setAboutBox(QDialog* window);

    // The search state between clicks.
    const costmodel::CostBreakdown& SearchState() const { return state_; }

    void FormCreate();
    void Button1Click();
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
    void BuildMenu();
    void InstallKeys();
    void ResetEstimate() override;

    costmodel::CostBreakdown state_;
    QSize designSize_;
    QPointer<QDialog> calculatorWindow_;
    QPointer<QDialog> aboutBox_;
};
