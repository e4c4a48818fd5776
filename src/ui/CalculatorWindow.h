// The Qt face both calculating windows share: their controls built from the window's
// description, events passed to its handlers, its state shown.
#pragma once

#include <QObject>

#include <memory>
#include <vector>

#include "CalculatingForm.h"
#include "Controls.h"
#include "HandlerLinks.h"
#include "ReportCommands.h"
#include "WindowKeys.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zanvoro {

// The controls at the same places in both windows, under the same names. A window derives
// from its Qt class first and from this second, so that the handlers and keys below go
// before ~QWidget deletes the controls they reach.
class CalculatorWindow {
public:
    virtual ~CalculatorWindow();

    forms::CalculatingForm& Form() { return *form_; }
    const forms::CalculatingForm& Form() const { return *form_; }

    void Button2Click() { form_->Button2Click(); }
    void CheckBox1Click() { form_->CheckBox1Click(); }
    void CheckBox2Click() { form_->CheckBox2Click(); }

    QWidget* Window() const { return window_; }
    // The control a widget is, if it is one of the window's.
    forms::ControlId IdOf(const QWidget* widget) const;
    QWidget* Widget(forms::ControlId control) const { return widgets_.at(control); }
    // What its keys and menus need to run the commands of the result area.
    CommandSource Commands() const;
    // Whether its controls have their screen-reader names yet; names them once.
    bool Named() const { return named_; }
    void NameControls();

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
    // Names `window`, gives it its title, the program icon, the system colours with its
    // background behind its controls and the window font.
    CalculatorWindow(QWidget* window, std::unique_ptr<forms::CalculatingForm> form);

    // Builds every control on `area` from the description and passes their events on.
    void BuildControls(QWidget* area);
    // Finds a control the window keeps as a member.
    template <class T>
    void Bind(T*& member, const char* name) {
        member = qobject_cast<T*>(widgets_.at(form_->id(name)));
    }

    // The keys of the description (Enter to the default button, Escape nothing, the
    // commands' keys) and its tab and arrow orders; returns them for the window to add its
    // own.
    WindowKeys& InstallKeys();
    // The result area's menu and, unless for the start-up, the screen-reader names.
    void FinishControls(Construction construction);

private:
    // Goes after the links and keys that reach it.
    std::unique_ptr<forms::CalculatingForm> form_;

protected:
    HandlerLinks links_;
    std::unique_ptr<WindowKeys> keys_;

private:
    void Show(forms::ControlId control);

    QWidget* window_;
    std::vector<QWidget*> widgets_;
    bool named_ = false;
};

}  // namespace zanvoro
