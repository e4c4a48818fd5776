// What both calculating windows do alike, and the reverse search and forward calculation of
// each.
#include "CalculatingForm.h"

#include <exception>
#include <stdexcept>

#include "model/captions.h"
#include "text/numbertext.h"

namespace forms {

namespace captions = costmodel::captions;

CalculatingForm::CalculatingForm(Window window, costbatch::Direction direction,
                                 std::array<std::string, 3> rateFields)
    : window_(std::move(window)), direction_(direction) {
    states_.reserve(window_.controls.size());
    for (const Control& c : window_.controls) states_.push_back({c.caption, c.enabled, c.checked});
    edit1_ = id("Edit1");
    edit2_ = id("Edit2");
    edit3_ = id("Edit3");
    checkBox1_ = id("CheckBox1");
    checkBox2_ = id("CheckBox2");
    checkBox3_ = id("CheckBox3");
    rb1_ = id("rb1");
    rb2_ = id("rb2");
    rb3_ = id("rb3");

    // Each amount's figure by its caption, each rate after the amount it governs.
    for (const Control& c : window_.controls) {
        if (c.kind != ControlKind::Label) continue;
        for (std::size_t f = 0; f < captions::kFigures.size(); ++f)
            if (c.caption == captions::kFigures[f]) figures_[f].caption = id(c.name);
    }
    for (std::size_t f = 0; f < figures_.size(); ++f) {
        const ControlId caption = figures_[f].caption;
        if (caption == kNoControl) continue;
        // The box stands under its caption, "万円" right of the box.
        const Rect at = window_.controls[caption].at;
        for (ControlId i = 0; i < window_.controls.size(); ++i) {
            const Control& c = window_.controls[i];
            if (c.kind == ControlKind::ResultBox && c.at.left == at.left && c.at.top == at.top + 16)
                figures_[f].value = i;
            if (c.kind == ControlKind::Label && c.caption == captions::kYen &&
                c.at.left == at.left + 80 && c.at.top == at.top + 16)
                figures_[f].unit = i;
        }
    }
    constexpr std::array<std::size_t, 3> rateFigures = {captions::kGeneralMgmtRateFigure,
                                                        captions::kSiteMgmtRateFigure,
                                                        captions::kCommonTempRateFigure};
    constexpr std::array<std::string_view, 3> rateUnits = {"Label8", "Label11", "Label14"};
    for (std::size_t r = 0; r < 3; ++r)
        figures_[rateFigures[r]] = {id(rateFields[r]), kNoControl, id(rateUnits[r]),
                                    rateFigures[r] - 1};
    for (const Figure& f : figures_)
        if (f.value == kNoControl || f.unit == kNoControl)
            throw std::logic_error("a figure without its controls in " + window_.name);
}

CalculatingForm::~CalculatingForm() = default;

ControlId CalculatingForm::id(std::string_view name) const {
    const ControlId found = window_.find(name);
    if (found == kNoControl) throw std::logic_error("no control " + std::string(name));
    return found;
}

void CalculatingForm::Beep() const {
    if (beep_) beep_();
}

void CalculatingForm::Changed(ControlId control) {
    if (listener_) listener_(control);
}

void CalculatingForm::SetText(ControlId control, std::string text) {
    if (states_.at(control).text == text) return;
    states_[control].text = std::move(text);
    Changed(control);
}

void CalculatingForm::SetEnabled(ControlId control, bool enabled) {
    if (states_.at(control).enabled == enabled) return;
    states_[control].enabled = enabled;
    Changed(control);
}

void CalculatingForm::TextTyped(ControlId edit, std::string text) {
    states_.at(edit).text = std::move(text);
}

void CalculatingForm::SetChecked(ControlId button, bool checked) {
    ControlState& s = states_.at(button);
    if (s.checked == checked) return;
    s.checked = checked;
    Changed(button);
    const Control& c = window_.controls[button];
    if (checked && c.kind == ControlKind::RadioButton && c.group != 0)
        for (ControlId i = 0; i < window_.controls.size(); ++i)
            if (i != button && window_.controls[i].group == c.group && states_[i].checked) {
                states_[i].checked = false;
                Changed(i);
            }
    if (button == checkBox1_) CheckBox1Click();
    if (button == checkBox2_) CheckBox2Click();
}

void CalculatingForm::CheckBox1Click() { SetEnabled(edit2_, states_[checkBox1_].checked); }

void CalculatingForm::CheckBox2Click() { SetEnabled(edit3_, states_[checkBox2_].checked); }

costmodel::WorkType CalculatingForm::Work() const {
    return states_[rb2_].checked   ? costmodel::WorkType::NewBuilding
           : states_[rb3_].checked ? costmodel::WorkType::Renovation
                                   : costmodel::WorkType::RoadMaintenance;
}

costbatch::Settings CalculatingForm::BatchSettings() const {
    costbatch::Settings s;
    s.direction = direction_;
    s.work = Work();
    s.extraInNet = states_[checkBox1_].checked;
    s.extraInNetText = states_[edit2_].text;
    s.extraNoOverhead = states_[checkBox2_].checked;
    s.extraNoOverheadText = states_[edit3_].text;
    s.noCommonTemp = states_[checkBox3_].checked;
    return s;
}

template <class Input>
Input CalculatingForm::ReadInput() {
    texts_ = {states_[edit1_].text, states_[edit2_].text, states_[edit3_].text};
    Input input;
    if constexpr (requires { input.target; })
        input.target = texts_[0];
    else
        input.directCost = texts_[0];
    input.extraInNet = {states_[checkBox1_].checked, texts_[1]};
    input.extraNoOverhead = {states_[checkBox2_].checked, texts_[2]};
    input.noCommonTemp = states_[checkBox3_].checked;
    input.workType = Work();
    read_.work = input.workType;
    read_.noCommonTemp = input.noCommonTemp;
    read_.inputs = InputLines();
    return input;
}

void CalculatingForm::ShowTexts(const costmodel::ResultTexts& texts) {
    for (std::size_t i = 0; i < figures_.size(); ++i) SetText(figures_[i].value, texts[i]);
}

void CalculatingForm::ShowResults(const costmodel::CostBreakdown& breakdown, bool manualRates) {
    shown_ = read_;
    shown_.shown = true;
    shown_.breakdown = breakdown;
    shown_.manualRates = manualRates;
    ShowTexts(costmodel::FormatResults(breakdown));
}

void CalculatingForm::Button2Click() {
    SetText(edit1_, "0");
    ResetEstimate();
    shown_ = {};
    costmodel::ResultTexts zeros;
    zeros.fill("0");
    ShowTexts(zeros);
    SetText(edit2_, "0");
    SetText(edit3_, "0");
    // Each box that changes state disables its edit through its own handler.
    SetChecked(checkBox1_, false);
    SetChecked(checkBox2_, false);
    SetChecked(checkBox3_, false);
}

ReportLine CalculatingForm::AmountLine(std::string_view caption, ControlId edit,
                                       std::string_view unit) const {
    const std::string& typed = states_[edit].text;
    try {
        std::string read = costmodel::NumberToText(costmodel::TextToNumber(typed));
        std::string differs = read == typed ? std::string() : typed;
        return {std::string(caption), std::move(read), std::string(unit), std::move(differs)};
    } catch (const std::exception&) {
        return {std::string(caption), typed, std::string(unit), {}};
    }
}

std::vector<ReportLine> CalculatingForm::InputLines() const {
    const auto caption = [this](std::string_view name) { return PlainCaption(window_.control(name).caption); };
    std::vector<ReportLine> inputs;
    inputs.push_back(AmountLine(states_[id("Label1")].text, edit1_, states_[id("Label6")].text));
    for (const ControlId rb : {rb1_, rb2_, rb3_})
        if (states_[rb].checked) inputs.push_back({caption("RadioGroup1"), caption(window_.controls[rb].name), {}, {}});
    const struct {
        ControlId box;
        ControlId amount;
        std::string_view unit;
    } options[] = {{checkBox1_, edit2_, "Label27"}, {checkBox2_, edit3_, "Label28"},
                   {checkBox3_, kNoControl, {}}};
    for (const auto& option : options) {
        const std::string text = PlainCaption(window_.controls[option.box].caption);
        const bool checked = states_[option.box].checked;
        if (option.amount == kNoControl)
            inputs.push_back({text, checked ? "はい" : "いいえ", {}, {}});
        else if (checked)
            inputs.push_back(AmountLine(text, option.amount, states_[id(option.unit)].text));
        else
            inputs.push_back({text, "なし", {}, {}});
    }
    // A choice of the window's own: "経費率　自動入力" reads 経費率: 自動入力.
    for (ControlId i = 0; i < window_.controls.size(); ++i) {
        const Control& c = window_.controls[i];
        if (c.kind != ControlKind::RadioButton || c.group == window_.controls[rb1_].group || !states_[i].checked)
            continue;
        const std::string text = PlainCaption(c.caption);
        const std::size_t gap = text.find("\xE3\x80\x80");
        inputs.push_back(gap == std::string::npos
                             ? ReportLine{text, {}, {}, {}}
                             : ReportLine{text.substr(0, gap), text.substr(gap + 3), {}, {}});
    }
    return inputs;
}

std::string CalculatingForm::FigureCaption(const Figure& figure) const {
    // The window captions a rate only by its place, beside its amount.
    return figure.isRate() ? states_[figures_[figure.amount].caption].text + "率"
                           : states_[figure.caption].text;
}

Report CalculatingForm::ReportShown() const {
    Report report;
    report.title = window_.title;
    report.date = Date::Today();
    report.inputs = shown_.shown ? shown_.inputs : InputLines();

    std::array<costmodel::RateBasis, 3> bases{};
    if (shown_.shown) {
        bases = costmodel::RateBases(shown_.breakdown, shown_.work, shown_.noCommonTemp);
        if (shown_.manualRates)
            for (auto& basis : bases) basis.Rule = "手動入力";
    }
    // Each rate applies to its own basis, the rates in the figures' order.
    std::size_t rateNo = 0;
    for (const Figure& source : figures_) {
        ReportFigure figure;
        figure.rate = source.isRate();
        figure.caption = FigureCaption(source);
        figure.value = states_[source.value].text;
        figure.unit = states_[source.unit].text;
        figure.controls = {source.value, source.unit};
        if (source.caption != kNoControl) figure.controls.push_back(source.caption);
        if (figure.rate) {
            const auto& basis = bases[rateNo++];
            if (!basis.Rule.empty()) {
                figure.base = costmodel::NumberToText(basis.Base);
                figure.rule = basis.Rule;
            }
        }
        report.figures.push_back(std::move(figure));
    }
    return report;
}

std::string CalculatingForm::AccessibleName(ControlId control) const {
    const Control& c = window_.controls.at(control);
    switch (c.kind) {
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
        return SpokenCaption(states_[control].text);
    default:
        break;
    }
    if (control == edit1_) return states_[id("Label1")].text;
    if (control == edit2_) return SpokenCaption(states_[checkBox1_].text);
    if (control == edit3_) return SpokenCaption(states_[checkBox2_].text);
    for (const Figure& f : figures_) {
        if (f.value != control) continue;
        // An edit's value is read from its text; a box's only from its name.
        if (c.kind == ControlKind::Edit) return FigureCaption(f);
        return FigureCaption(f) + ' ' + states_[f.value].text + ' ' + states_[f.unit].text;
    }
    return {};
}

// --- The main window ---

MainForm::MainForm()
    : CalculatingForm(Describe(), costbatch::Direction::Reverse, {"SText8", "SText11", "SText5"}) {}

void MainForm::FormCreate() {
    costmodel::InitSearchState(state_);
    SetEnabled(edit2_, false);
    SetEnabled(edit3_, false);
}

void MainForm::Button1Click() {
    ShowResults(costmodel::ReverseSearch(state_, ReadInput<costmodel::SearchInput>()));
    Beep();
}

void MainForm::ResetEstimate() { costmodel::ResetSearchState(state_); }

// --- The calculator window ---

CalculatorForm::CalculatorForm()
    : CalculatingForm(Describe(), costbatch::Direction::Forward, {"Edit4", "Edit5", "Edit6"}),
      edit4_(id("Edit4")),
      edit5_(id("Edit5")),
      edit6_(id("Edit6")),
      manual_(id("RadioButton2")) {}

void CalculatorForm::Button1Click() {
    auto input = ReadInput<costmodel::ForwardInput>();
    // The texts live here while the core reads them.
    const std::string edit4 = state(edit4_).text, edit5 = state(edit5_).text,
                      edit6 = state(edit6_).text;
    if (state(manual_).checked) input.typedRates = costmodel::TypedRates{edit6, edit5, edit4};
    costmodel::ForwardCalculate(breakdown_, input,
                                [this, manual = input.typedRates.has_value()](
                                    const costmodel::CostBreakdown& b) { ShowResults(b, manual); });
}

void CalculatorForm::ResetEstimate() { costmodel::ClearForward(breakdown_); }

}  // namespace forms
