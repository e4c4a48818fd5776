// The main window "Zanvoro!Pro": from the total a client wants to pay back to the estimate.
#pragma once

#include <QMainWindow>
#include <QPointer>

#include "CalculatorWindow.h"

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
    const costmodel::CostBreakdown& SearchState() const { return form_.SearchState(); }

    void FormCreate() { form_.FormCreate(); }
    void Button1Click() { form_.Button1Click(); }
    void N3Click();
    void N5Click();
    void Exit1Click();

    QMenuBar* MainMenu1 = nullptr;
    QMenu* N1 = nullptr;
    QAction* N3 = nullptr;
    QAction* N4 = nullptr;
    QAction* Exit1 = nullptr;
    QMenu* N2 = nullptr;
    QAction* N5 = nullptr;

    // The client area below the menu bar; every control lives on it.
    QWidget* ClientArea = nullptr;

    // The rate boxes beside their amounts.
    QLabel* SText5 = nullptr;
    QLabel* SText8 = nullptr;
    QLabel* SText11 = nullptr;

    QPushButton* BitBtn1 = nullptr;

signals:
    // The window has closed, by whatever means; the program ends with it.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void BuildMenu();
    void InstallKeys();
    void Run(forms::Command command);

    forms::MainForm& form_;
    QSize designSize_;
    QPointer<QDialog> calculatorWindow_;
    QPointer<QDialog> aboutBox_;
};
