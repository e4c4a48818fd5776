// The calculator window "Pelmaro!": from a direct cost forward to the whole estimate.
#pragma once

#include <QPointer>
#include <QWidget>

#include <memory>

#include "WindowKeys.h"
#include "WindowParts.h"
#include "model/costmodel.h"

class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;

class TForm3 : public QWidget, public zanvoro::CalculatorControls {
    Q_OBJECT

public:
    explicit TForm3(QWidget* parent = nullptr);
    ~TForm3() override;

    // The estimate of the last calculation (all zero until the first one).
    const costmodel::CostBreakdown& Breakdown() const { return breakdown; }

    void Button1Click();
    void Button2Click();
    void CheckBox1Click();
    void CheckBox2Click();

    // Holds the controls at their fixed places; the window scrolls it when too small.
    QScrollArea* ScrollBox;
    QWidget* ClientArea;

    // The rates: shown in automatic mode, typed in manual mode.
    QLineEdit* Edit4;
    QLineEdit* Edit5;
    QLineEdit* Edit6;

    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;

    QPushButton* OKButton;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void CreateControls();
    void InstallKeys();
    void ConnectHandlers();
    void ShowResults(const costmodel::CostBreakdown& values);
    zanvoro::ResultFields Fields() const;

    costmodel::CostBreakdown breakdown;
    bool shownBefore = false;
    QPointer<QWidget> lastFocus;
    // Both go before ~QWidget deletes the controls they reach.
    zanvoro::HandlerLinks links;
    std::unique_ptr<zanvoro::WindowKeys> keys;
};
