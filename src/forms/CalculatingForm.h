// What both calculating windows are and do alike, without a toolkit: their controls' state,
// the handlers of 計算, クリア and the check boxes, and the estimate they show.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "Description.h"
#include "Report.h"
#include "batch/batch.h"
#include "model/calculations.h"

namespace forms {

// What a control shows now: the text of an edit, a result box or a label, whether it takes
// input and whether it is checked.
struct ControlState {
    std::string text;
    bool enabled = true;
    bool checked = false;
};

// One figure of the estimate as a window shows it, by control.
struct Figure {
    ControlId value = kNoControl;    // its result box, or the calculator's rate edit
    ControlId caption = kNoControl;  // an amount's caption label; a rate has none
    ControlId unit = kNoControl;     // "万円" or "％"
    std::size_t amount = kNoAmount;  // for a rate, the figure of the amount it governs
    static constexpr std::size_t kNoAmount = static_cast<std::size_t>(-1);
    bool isRate() const { return amount != kNoAmount; }
};

class CalculatingForm {
public:
    virtual ~CalculatingForm();
    CalculatingForm(const CalculatingForm&) = delete;
    CalculatingForm& operator=(const CalculatingForm&) = delete;

    const Window& description() const { return window_; }
    ControlId id(std::string_view name) const;
    const ControlState& state(ControlId control) const { return states_.at(control); }
    const ControlState& state(std::string_view name) const { return state(id(name)); }

    // Told of every change the window makes to a control's state, whatever made it; not of
    // the changes the face reports itself.
    using Listener = std::function<void(ControlId)>;
    void setListener(Listener listener) { listener_ = std::move(listener); }
    // The platform's alert, asked for at the end of a search.
    void setBeep(std::function<void()> beep) { beep_ = std::move(beep); }

    // From the face: the user has changed an edit's text.
    void TextTyped(ControlId edit, std::string text);
    // A check box or radio button set, by the user or the window itself. A real change runs
    // the control's change handler; a radio button unchecks the others of its group.
    void SetChecked(ControlId button, bool checked);

    // 計算: the window's calculation, its results shown.
    virtual void Button1Click() = 0;
    // クリア: Edit1 "0", the estimate reset, every figure "0", Edit2 and Edit3 "0", the check
    // boxes unchecked (their handlers disable the extras' edits).
    void Button2Click();
    void CheckBox1Click();
    void CheckBox2Click();

    // The figures in build-up order (FormatResults' order).
    const std::array<Figure, 13>& figures() const { return figures_; }
    // The work category the buttons hold now.
    costmodel::WorkType Work() const;
    // The settings the batch window takes from this one.
    costbatch::Settings BatchSettings() const;

    // The estimate shown with the inputs it was calculated from (the controls as they are
    // before any calculation) and each rate's basis.
    Report ReportShown() const;
    // The inputs as the controls hold them now.
    std::vector<ReportLine> InputLines() const;
    // What a screen reader says of a control: a button by its caption, an edit by the
    // caption that names it, a result box by caption, value and unit.
    std::string AccessibleName(ControlId control) const;

protected:
    CalculatingForm(Window window, costbatch::Direction direction,
                    std::array<std::string, 3> rateFields);

    // The texts and choices both calculations read; the texts stay here while the core
    // reads them.
    template <class Input>
    Input ReadInput();
    // Writes an estimate into the figures and keeps it with the choices last read, so that
    // the rates' basis stays that of the figures shown.
    void ShowResults(const costmodel::CostBreakdown& breakdown, bool manualRates = false);
    void SetText(ControlId control, std::string text);
    void SetEnabled(ControlId control, bool enabled);
    void Beep() const;
    // The window's own estimate, which the clear action resets its own way.
    virtual void ResetEstimate() = 0;

private:
    void Changed(ControlId control);
    void ShowTexts(const costmodel::ResultTexts& texts);
    ReportLine AmountLine(std::string_view caption, ControlId edit, std::string_view unit) const;
    std::string FigureCaption(const Figure& figure) const;

    Window window_;
    costbatch::Direction direction_;
    std::vector<ControlState> states_;
    std::array<Figure, 13> figures_{};
    Listener listener_;
    std::function<void()> beep_;
    std::array<std::string, 3> texts_;
    struct Estimate {
        bool shown = false;
        costmodel::CostBreakdown breakdown;
        costmodel::WorkType work = costmodel::WorkType::RoadMaintenance;
        bool noCommonTemp = false;
        bool manualRates = false;
        std::vector<ReportLine> inputs;
    } read_, shown_;

protected:
    // The controls both calculations read, found once.
    ControlId edit1_, edit2_, edit3_, checkBox1_, checkBox2_, checkBox3_, rb1_, rb2_, rb3_;
};

// The main window "Zanvoro!Pro": from the total a client wants to pay back to the estimate.
class MainForm final : public CalculatingForm {
public:
    MainForm();
    static Window Describe();

    // Sets up the search state and disables Edit2 and Edit3, which until then are enabled.
    void FormCreate();
    // The reverse search, then the beep.
    void Button1Click() override;
    // The search state between clicks.
    const costmodel::CostBreakdown& SearchState() const { return state_; }

private:
    void ResetEstimate() override;
    costmodel::CostBreakdown state_;
};

// The calculator window "Pelmaro!": from a direct cost forward to the whole estimate, with
// the rates by rule or typed.
class CalculatorForm final : public CalculatingForm {
public:
    CalculatorForm();
    static Window Describe();

    // The forward calculation, refreshing the figures after each stage.
    void Button1Click() override;
    // The estimate of the last calculation (all zero until the first one).
    const costmodel::CostBreakdown& Breakdown() const { return breakdown_; }

private:
    void ResetEstimate() override;
    costmodel::CostBreakdown breakdown_;
    ControlId edit4_, edit5_, edit6_, manual_;
};

// The About dialog "ﾊﾞｰｼﾞｮﾝ情報".
Window DescribeAboutBox();

}  // namespace forms
