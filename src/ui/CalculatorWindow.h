// What both calculating windows have and do alike: their figure table, common controls and handlers.
#pragma once

#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Dialogs.h"
#include "EstimateReport.h"
#include "WindowKeys.h"
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

// One figure of the estimate as a window shows it.
struct Figure {
    QWidget* value = nullptr;        // its result box, or the calculator's rate edit
    QLabel* caption = nullptr;       // an amount's caption label; a rate has none
    QLabel* unit = nullptr;          // "万円" or "％"
    const Figure* amount = nullptr;  // for a rate, the amount it governs
    bool isRate() const { return amount != nullptr; }
};

// How much of a window its constructor builds: all of it, or for the program's start-up only
// what the first paint needs; the program names the main window's controls after that paint
// (NameControls), the other windows finish when first shown.
enum class Construction { Complete, ForStartup };

// The controls at the same places in both windows, under the same names, and what both
// windows do with them. A window derives from its Qt class first and from this second, so
// that the handlers and keys below go before ~QWidget deletes the controls they reach.
class CalculatorWindow {
public:
    virtual ~CalculatorWindow();

    // The clear action: Edit1 "0", the window's estimate reset, every figure "0", Edit2 and
    // Edit3 "0", the check boxes unchecked (their handlers disable the extras' edits).
    void Button2Click();
    void CheckBox1Click();
    void CheckBox2Click();

    // The figures in the order the copy and the sheet list them: the build-up order.
    QList<const Figure*> ReportFigures() const;
    // For each rate, in the order common temporary, site management, general management:
    // the amount it applied to and the rule, as of the last calculation; empty before any.
    std::array<costmodel::RateBasis, 3> RateBasesShown() const;
    // The inputs the figures shown were calculated from; the controls as they are before any.
    QList<ReportLine> InputsShown() const {
        return shown_.shown ? shown_.inputs : InputLines(*this);
    }
    // The window's choices beyond the common ones, listed by the copy as "caption: choice".
    const QList<QRadioButton*>& ExtraChoices() const { return extraChoices_; }
    QWidget* Window() const { return window_; }
    // Whether its controls have their screen-reader names yet.
    bool Named() const { return named_; }
    void SetNamed() { named_ = true; }

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

protected:
    // The rate fields the window keeps under its own names, in the order general
    // management, site management, common temporary.
    using RateBoxes = std::array<QLabel**, 3>;
    using RateEdits = std::array<QLineEdit**, 3>;

    // What differs between the two windows' common controls.
    struct Design {
        QString inputCaption;  // Label1
        int inputCaptionWidth;
        QString product;       // the credit line's first word, "Zanvoro！Pro" or "Pelmaro！"
        QRect credit;          // Label29
        int expensesHeight;    // GroupBox1
        int firstCheckRow;     // CheckBox1's top; the others follow `checkRowStep` apart
        int checkRowStep;
        int editGap;           // an extra amount's edit below its check box
    };

    // Names `window`, gives it its title, the program icon, the system colours with
    // `background` behind its controls and the window font at `fontPixels`.
    CalculatorWindow(QWidget* window, const QString& name, const QString& title,
                     const QColor& background, int fontPixels);

    // Builds every common control on `area` from the figure table, and the window's rate
    // fields: boxes right after the amounts, edits after everything else.
    void BuildControls(QWidget* area, const Design& design, const RateBoxes& boxes);
    void BuildControls(QWidget* area, const Design& design, const RateEdits& edits);
    void AddExtraChoice(QRadioButton* choice) { extraChoices_.push_back(choice); }

    // The keys both windows answer (Enter to `Button1`, Escape nothing, Ctrl+C copy, Ctrl+P
    // print, and every menu command of the result area), then the window's tab and arrow
    // orders; returns them for the window to add its own.
    WindowKeys& InstallKeys(const QList<QList<QWidget*>>& orders);
    // The handlers of Button1 (`calculate`), Button2 and the two check boxes.
    void ConnectCommonHandlers(std::function<void()> calculate);
    // The result area's menu and, unless for the start-up, the screen-reader names.
    void FinishControls(Construction construction);

    // The texts and choices both calculations read; the strings stay here while the core
    // reads them.
    template <class Input>
    Input ReadInput() {
        texts_ = {Text(Edit1), Text(Edit2), Text(Edit3)};
        Input input;
        if constexpr (requires { input.target; })
            input.target = texts_[0];
        else
            input.directCost = texts_[0];
        input.extraInNet = {IsChecked(CheckBox1), texts_[1]};
        input.extraNoOverhead = {IsChecked(CheckBox2), texts_[2]};
        input.noCommonTemp = IsChecked(CheckBox3);
        input.workType = Work();
        read_.work = input.workType;
        read_.noCommonTemp = input.noCommonTemp;
        read_.inputs = InputLines(*this);
        return input;
    }
    static std::string Text(const QLineEdit* edit);

    // Writes an estimate into the figures, in FormatResults' order, and keeps it with the
    // choices ReadInput last read, so that the rates' basis stays that of the figures shown.
    void ShowResults(const costmodel::CostBreakdown& breakdown, bool manualRates = false);

    // The window's own estimate, which the clear action resets its own way.
    virtual void ResetEstimate() = 0;

    HandlerLinks links_;
    std::unique_ptr<WindowKeys> keys_;

private:
    void BuildInput(QWidget* area, const Design& design);
    void BuildAmounts(QWidget* area);
    void BuildExpenses(QWidget* area, const Design& design);
    void BuildBottom(QWidget* area, const Design& design);
    void SetRate(std::size_t row, QWidget* field);
    static bool IsChecked(const QCheckBox* box);
    costmodel::WorkType Work() const;
    void ShowTexts(const costmodel::ResultTexts& texts);

    QWidget* window_;
    // Indexed as FormatResults gives the texts: the build-up order of the estimate.
    std::array<Figure, 13> figures_{};
    QList<QRadioButton*> extraChoices_;
    std::array<std::string, 3> texts_;
    // The estimate shown and what it was calculated with; `shown` false before any.
    struct Estimate {
        bool shown = false;
        costmodel::CostBreakdown breakdown;
        costmodel::WorkType work = costmodel::WorkType::RoadMaintenance;
        bool noCommonTemp = false;
        bool manualRates = false;
        QList<ReportLine> inputs;
    } read_, shown_;
    bool named_ = false;
};

}  // namespace zanvoro
