// The calculator window "Pelmaro!": from a direct cost forward to the whole estimate.
#pragma once

#include <QPointer>
#include <QWidget>

#include "costmodel.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;

class TForm3 : public QWidget {
    Q_OBJECT

public:
    explicit TForm3(QWidget* parent = nullptr);

    // The estimate of the last calculation (all zero until the first one).
    const costmodel::CostBreakdown& Breakdown() const { return breakdown; }

    void Button1Click();
    void Button2Click();
    void CheckBox1Click();
    void CheckBox2Click();

    // Holds the controls at their fixed places; the window scrolls it when too small.
    QScrollArea* ScrollBox;
    QWidget* ClientArea;

    QLabel* Label1;
    QLineEdit* Edit1;
    QLabel* Label6;

    QGroupBox* RadioGroup1;
    QRadioButton* rb1;
    QRadioButton* rb2;
    QRadioButton* rb3;

    QLabel* SText12;
    QLabel* SText13;
    QLabel* SText6;
    QLabel* SText7;
    QLabel* SText9;
    QLabel* SText3;
    QLabel* SText10;
    QLabel* SText2;
    QLabel* SText4;
    QLabel* SText1;
    QLineEdit* Edit4;
    QLineEdit* Edit5;
    QLineEdit* Edit6;

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
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;

    QLabel* Label29;
    QPushButton* Button2;
    QPushButton* Button1;
    QPushButton* OKButton;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void CreateControls();
    void ConnectHandlers();
    void ShowResults(const costmodel::CostBreakdown& values);

    costmodel::CostBreakdown breakdown;
    bool shownBefore = false;
    QPointer<QWidget> lastFocus;
};
