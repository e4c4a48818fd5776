// The main window "Zanvoro!Pro": from the total a client wants to pay back to the estimate.
#pragma once

#include <QMainWindow>
#include <QPointer>

#include "costmodel.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;

class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);

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

    QLabel* Label1;
    QLineEdit* Edit1;
    QLabel* Label6;

    QGroupBox* RadioGroup1;
    QRadioButton* rb1;
    QRadioButton* rb2;
    QRadioButton* rb3;

    QLabel* SText1;
    QLabel* SText2;
    QLabel* SText3;
    QLabel* SText4;
    QLabel* SText5;
    QLabel* SText6;
    QLabel* SText7;
    QLabel* SText8;
    QLabel* SText9;
    QLabel* SText10;
    QLabel* SText11;
    QLabel* SText12;
    QLabel* SText13;

    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label7;
    QLabel* Label8;
    QLabel* Label9;
    QLabel* Label10;
    QLabel* Label11;
    QLabel* Label12;
    QLabel* Label13;
    QLabel* Label14;
    QLabel* Label15;
    QLabel* Label16;
    QLabel* Label17;
    QLabel* Label18;
    QLabel* Label19;
    QLabel* Label20;
    QLabel* Label21;
    QLabel* Label22;
    QLabel* Label23;
    QLabel* Label24;
    QLabel* Label25;
    QLabel* Label26;

    QGroupBox* GroupBox1;
    QCheckBox* CheckBox1;
    QLineEdit* Edit2;
    QLabel* Label27;
    QCheckBox* CheckBox2;
    QLineEdit* Edit3;
    QLabel* Label28;
    QCheckBox* CheckBox3;

    QLabel* Label29;
    QPushButton* Button2;
    QPushButton* Button1;
    QPushButton* BitBtn1;

signals:
    // The window has closed, by whatever means; the program ends with it.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ShowResults(const costmodel::CostBreakdown& breakdown);

    costmodel::CostBreakdown state;
    QSize designSize;
    QPointer<QWidget> calculatorWindow;
    QPointer<QWidget> aboutBox;
};
