// What both calculating windows build alike: their common controls, how they are made,
// filled and cleared, and the wiring of their handlers.
#pragma once

#include <QMetaObject>
#include <QObject>
#include <QString>

#include <array>
#include <utility>
#include <vector>

#include "Dialogs.h"
#include "WindowLook.h"
#include "model/calculations.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zanvoro {

// A single-line edit starting at "0", without a length limit, of fixed height; it stays
// quick to draw with a text of millions of characters.
QLineEdit* MakeEdit(QWidget* parent, const char* name, const QRect& geometry, const QFont& font,
                    const QColor& colour);

// A push button, check box or radio button. A check box or radio button widens where the
// style's indicator leaves its caption too little room, so the caption is never cut.
template <class Button>
Button* MakeButton(QWidget* parent, const char* name, const QString& caption, const QRect& geometry,
                   const QFont& font, const QColor& colour) {
    auto* button = new Button(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFont(font);
    SetTextColour(button, colour);
    button->setGeometry(geometry);
    if (button->isCheckable() && button->sizeHint().width() > geometry.width())
        button->resize(button->sizeHint().width(), geometry.height());
    return button;
}

// The texts of one estimate in the order FormatResults gives them.
using ResultFields = std::array<QWidget*, 13>;

// Writes each text into its field (a result box or an edit).
void ShowTexts(const ResultFields& fields, const costmodel::ResultTexts& texts);

// The controls at the same places in both windows, under the same names.
struct CalculatorControls {
    // Input: the caption, Edit1 and its unit; the work category over its frame.
    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Label6 = nullptr;
    QGroupBox* RadioGroup1 = nullptr;
    QRadioButton* rb1 = nullptr;
    QRadioButton* rb2 = nullptr;
    QRadioButton* rb3 = nullptr;

    // The ten amounts, each with its caption above and "万円" beside; "５％" and the three
    // "％" of the rates.
    QLabel *SText12 = nullptr, *SText13 = nullptr, *SText6 = nullptr, *SText7 = nullptr,
           *SText9 = nullptr, *SText3 = nullptr, *SText10 = nullptr, *SText2 = nullptr,
           *SText4 = nullptr, *SText1 = nullptr;
    QLabel *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr,
           *Label7 = nullptr, *Label8 = nullptr, *Label9 = nullptr, *Label10 = nullptr,
           *Label11 = nullptr, *Label12 = nullptr, *Label13 = nullptr, *Label14 = nullptr,
           *Label15 = nullptr, *Label16 = nullptr, *Label17 = nullptr, *Label18 = nullptr,
           *Label19 = nullptr, *Label20 = nullptr, *Label21 = nullptr, *Label22 = nullptr,
           *Label23 = nullptr, *Label24 = nullptr, *Label25 = nullptr, *Label26 = nullptr;

    // Expense settings.
    QGroupBox* GroupBox1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLabel* Label27 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLabel* Label28 = nullptr;
    QCheckBox* CheckBox3 = nullptr;

    // Bottom: the credit line, クリア and 計算.
    QLabel* Label29 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button1 = nullptr;

    // Label1 with `caption`, Edit1, Label6, the work-category frame and its buttons.
    void BuildInput(QWidget* area, const QString& caption, int captionWidth);
    void BuildResults(QWidget* area);
    // The expense frame of `height`: the check boxes `rowStep` apart from `firstRow`, each
    // edit `editGap` below its box.
    void BuildExpenses(QWidget* area, int height, int firstRow, int rowStep, int editGap);
    void BuildBottom(QWidget* area, const QString& credit, const QRect& creditGeometry);

    costmodel::WorkType Work() const;

    // The result fields in FormatResults' order, with the window's three rate fields.
    ResultFields Fields(QWidget* commonTempRate, QWidget* siteMgmtRate,
                        QWidget* generalMgmtRate) const;

    // The clear action after Edit1 and the window's estimate: every field "0", Edit2 and
    // Edit3 "0", the check boxes unchecked (their handlers disable the extras' edits).
    void ClearFields(const ResultFields& fields);
};

// Connections from a window's controls to its handlers. Every handler runs through
// RunHandler; all are cut when this dies, which as a member of the window is before
// ~QWidget deletes the controls.
class HandlerLinks {
public:
    HandlerLinks() = default;
    HandlerLinks(const HandlerLinks&) = delete;
    HandlerLinks& operator=(const HandlerLinks&) = delete;
    ~HandlerLinks();

    template <class Sender, class Signal, class Handler>
    void on(Sender* sender, Signal signal, QObject* context, Handler handler) {
        links_.push_back(
            QObject::connect(sender, signal, context, [h = std::move(handler)] { RunHandler(h); }));
    }

private:
    std::vector<QMetaObject::Connection> links_;
};

}  // namespace zanvoro
