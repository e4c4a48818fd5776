// The calculator window "Pelmaro!": from a direct cost forward to the whole estimate.
#pragma once

#include <QDialog>
#include <QPointer>

#include "CalculatorWindow.h"

class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;

// Shown modally from the main window's menu; closing it only hides it.
class TForm3 : public QDialog, public zanvoro::CalculatorWindow {
    Q_OBJECT

public:
    // For the start-up the controls are made when the window is first shown; until then
    // every control member is null.
    explicit TForm3(QWidget* parent = nullptr,
                    zanvoro::Construction construction = zanvoro::Construction::Complete);
    ~TForm3() override;

    void setVisible(bool visible) override;

    // The estimate of the last calculation (all zero until the first one).
    const costmodel::CostBreakdown& Breakdown() const { return form_.Breakdown(); }

    void Button1Click() { form_.Button1Click(); }

    // Holds the controls at their fixed places; the window scrolls it when too small.
    QScrollArea* ScrollBox = nullptr;
    QWidget* ClientArea = nullptr;

    // The rates: shown in automatic mode, typed in manual mode.
    QLineEdit* Edit4 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QLineEdit* Edit6 = nullptr;

    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;

    QPushButton* OKButton = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void BuildWindow();
    void CreateControls();
    void InstallKeys();

    forms::CalculatorForm& form_;
    bool shownBefore_ = false;
    QPointer<QWidget> lastFocus_;
};
