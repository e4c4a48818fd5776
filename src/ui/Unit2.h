// The About dialog "ﾊﾞｰｼﾞｮﾝ情報": product, version, credits and the program icon.
#pragma once

#include <QDialog>
#include <QPoint>

#include <memory>

#include "CalculatorWindow.h"
#include "WindowKeys.h"

class QFrame;
class QLabel;
class QPushButton;

class TAboutBox : public QDialog {
    Q_OBJECT

public:
    // For the start-up the picture is drawn and the button named when first shown.
    explicit TAboutBox(QWidget* parent = nullptr,
                       zanvoro::Construction construction = zanvoro::Construction::Complete);
    ~TAboutBox() override;

    void setVisible(bool visible) override;

    QFrame* Panel1;
    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* Version;
    QLabel* Label1;
    QLabel* Copyright;
    QLabel* Label3;
    QLabel* Label2;
    QPushButton* OKButton;

private:
    QPoint centredPosition() const;

    void NameControls();

    bool shownBefore_ = false;
    QPoint lastPosition_;
    // Both go before ~QWidget deletes the controls they reach.
    zanvoro::HandlerLinks links_;
    std::unique_ptr<zanvoro::WindowKeys> keys_;
};
