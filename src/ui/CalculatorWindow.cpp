// Both calculating windows' controls made from their description, and their state shown.
#include "CalculatorWindow.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

#include "AccessibleNames.h"
#include "Controls.h"
#include "ReportCommands.h"
#include "ScalableIcons.h"

namespace zanvoro {

CalculatorWindow::CalculatorWindow(QWidget* window, std::unique_ptr<forms::CalculatingForm> form)
    : form_(std::move(form)), window_(window) {
    InstallWindowRole();
    const forms::Window& d = form_->description();
    window->setObjectName(Text(d.name));
    window->setWindowTitle(Text(d.title));
    window->setWindowIcon(ScalableProgramIcon());
    ApplyWindowColours(window, ColourOf(d.background));
    window->setFont(FontOf(d.font));
    form_->setBeep([] { Beep(); });
    form_->setListener([this](forms::ControlId control) { Show(control); });
}

CalculatorWindow::~CalculatorWindow() = default;

CommandSource CalculatorWindow::Commands() const {
    return {window_, [this] { return form_->ReportShown(); },
            [this] { return form_->BatchSettings(); },
            [this](const QWidget* widget) { return IdOf(widget); }};
}

forms::ControlId CalculatorWindow::IdOf(const QWidget* widget) const {
    const auto at = std::find(widgets_.begin(), widgets_.end(), widget);
    return at == widgets_.end() ? forms::kNoControl : forms::ControlId(at - widgets_.begin());
}

void CalculatorWindow::BuildControls(QWidget* area) {
    widgets_ = zanvoro::BuildControls(form_->description(), area);
#define B(member) Bind(member, #member)
    B(Label1), B(Edit1), B(Label6), B(RadioGroup1), B(rb1), B(rb2), B(rb3);
    B(SText12), B(SText13), B(SText6), B(SText7), B(SText9), B(SText3), B(SText10), B(SText2),
        B(SText4), B(SText1);
    B(Label2), B(Label3), B(Label4), B(Label5), B(Label7), B(Label8), B(Label9), B(Label10),
        B(Label11), B(Label12), B(Label13), B(Label14), B(Label15), B(Label16), B(Label17),
        B(Label18), B(Label19), B(Label20), B(Label21), B(Label22), B(Label23), B(Label24),
        B(Label25), B(Label26);
    B(GroupBox1), B(CheckBox1), B(Edit2), B(Label27), B(CheckBox2), B(Edit3), B(Label28),
        B(CheckBox3);
    B(Label29), B(Button2), B(Button1);
#undef B

    // The user's changes go to the window's state; the handlers run from there.
    for (forms::ControlId id = 0; id < widgets_.size(); ++id) {
        QWidget* w = widgets_[id];
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            links_.on(edit, &QLineEdit::textChanged, window_,
                      [this, id, edit] { form_->TextTyped(id, edit->text().toStdString()); });
        else if (auto* button = qobject_cast<QAbstractButton*>(w); button && button->isCheckable())
            links_.on(button, &QAbstractButton::toggled, window_,
                      [this, id, button] { form_->SetChecked(id, button->isChecked()); });
    }
    links_.on(Button1, &QPushButton::clicked, window_, [this] { form_->Button1Click(); });
    links_.on(Button2, &QPushButton::clicked, window_, [this] { form_->Button2Click(); });
}

void CalculatorWindow::Show(forms::ControlId control) {
    QWidget* w = widgets_.at(control);
    const forms::ControlState& s = form_->state(control);
    const QString text = Text(s.text);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        if (edit->text() != text) edit->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        if (label->text() != text) label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w);
               button && button->isCheckable() && button->isChecked() != s.checked) {
        button->setChecked(s.checked);
    }
    // Its own state, not that of a window disabled under a modal one.
    if (w->testAttribute(Qt::WA_Disabled) == s.enabled) w->setEnabled(s.enabled);
    if (named_) {
        const QString name = Text(form_->AccessibleName(control));
        if (!name.isEmpty() && w->accessibleName() != name) w->setAccessibleName(name);
    }
}

void CalculatorWindow::NameControls() {
    named_ = true;
    Label1->setBuddy(Edit1);
    for (forms::ControlId id = 0; id < widgets_.size(); ++id) {
        const QString name = Text(form_->AccessibleName(id));
        if (!name.isEmpty()) widgets_[id]->setAccessibleName(name);
    }
}

WindowKeys& CalculatorWindow::InstallKeys() {
    const forms::Window& d = form_->description();
    QList<QList<QWidget*>> orders;
    for (const auto& order : d.tabOrders) {
        QList<QWidget*> widgets;
        for (const std::string& name : order) widgets.push_back(widgets_.at(form_->id(name)));
        orders.push_back(widgets);
    }
    keys_ = std::make_unique<WindowKeys>(
        window_, qobject_cast<QPushButton*>(widgets_.at(form_->id(d.defaultButton))), orders);
    for (const forms::KeyBinding& key : d.keys) {
        const QKeyCombination combination = KeyOf(key);
        if (key.command == forms::Command::None)
            keys_->addShortcut(combination.key(), combination.keyboardModifiers(), {});
        else
            keys_->addShortcut(combination.key(), combination.keyboardModifiers(),
                               [this, command = key.command] { RunFromKey(command, Commands()); });
    }
    return *keys_;
}

void CalculatorWindow::FinishControls(Construction construction) {
    InstallResultMenu(Commands(), form_->description().resultMenu, form_->description().keys);
    if (construction == Construction::Complete) NameControls();
}

}  // namespace zanvoro
