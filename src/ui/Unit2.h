// The About dialog "ﾊﾞｰｼﾞｮﾝ情報": product, version, credits and the program icon.
#pragma once

#include <QDialog>
#include <QPoint>

#include <memory>

#include "Controls.h"
#include "HandlerLinks.h"
#include "WindowKeys.h"

class QFrame;
class QLabel;
class QPushButton;

class TAboutBox : public QDialog {
    Q_OBJECT

public:
    // For the start-up the controls are made, the picture drawn and the button named when
    // the dialog is first shown.
    explicit TAboutBox(QWidget* parent = nullptr,
                       zanvoro::Construction construction = zanvoro::Construction::Complete);
    ~TAboutBox() override;

    void setVisible(bool visible) override;

    QFrame* Panel1 = nullptr;
    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Copyright = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* OKButton = nullptr;

private:
    QPoint centredPosition() const;

    void BuildControls(zanvoro::Construction construction);
    void NameControls();

    bool shownBefore_ = false;
    QPoint lastPosition_;
    // Both go before ~QWidget deletes the controls they reach.
    zanvoro::HandlerLinks links_;
    std::unique_ptr<zanvoro::WindowKeys> keys_;
};
