// The batch window's behaviour: settings, the direction rule, computing and its progress.
#include "BatchForm.h"

#include <algorithm>
#include <utility>

namespace forms {

namespace batchtext {

std::string DirectionCaption(costbatch::Direction direction) {
    return std::string(direction == costbatch::Direction::Forward
                           ? costmodel::captions::kDirectTarget
                           : costmodel::captions::kTarget) +
           " → 内訳";
}

std::string MenuEntry(std::string_view caption, std::string_view key) {
    return std::string(caption) + '\t' + std::string(key);
}

}  // namespace batchtext

Window BatchWindow() {
    namespace captions = costmodel::captions;
    using K = ControlKind;
    const costbatch::Settings first;
    Window w;
    w.name = "Form4";
    w.title = batchtext::kTitle;
    w.client = {960, 600};
    w.border = Border::Sizeable;
    w.font = {12};
    const auto add = [&w](std::string name, K kind, std::string parent, std::string_view caption,
                          Font font, Colour colour) -> Control& {
        Control c;
        c.name = std::move(name);
        c.kind = kind;
        c.parent = std::move(parent);
        c.caption = caption;
        c.font = font;
        c.colour = colour;
        w.controls.push_back(std::move(c));
        return w.controls.back();
    };
    const Font frame{16}, small{12}, figure{16, true}, unit{13};
    add("GroupBox1", K::CaptionFrame, {}, batchtext::kDirectionFrame, frame, Colour::Blue);
    for (const auto direction : {costbatch::Direction::Reverse, costbatch::Direction::Forward}) {
        Control& c = add(direction == costbatch::Direction::Reverse ? "RadioButton1" : "RadioButton2",
                         K::RadioButton, "GroupBox1", batchtext::DirectionCaption(direction),
                         small, Colour::Black);
        c.checked = first.direction == direction;
        c.group = 1;
    }
    add("RadioGroup1", K::CaptionFrame, {}, captions::kWork, frame, Colour::Blue);
    for (std::size_t i = 0; i < captions::kWorkNames.size(); ++i) {
        Control& c = add("rb" + std::to_string(i + 1), K::RadioButton, "RadioGroup1",
                         captions::kWorkNames[i].name, frame, Colour::WindowText);
        c.checked = first.work == captions::kWorkNames[i].work;
        c.group = 2;
    }
    add("GroupBox2", K::CaptionFrame, {}, captions::kExpenses, frame, Colour::Blue);
    const struct {
        const char *box, *edit, *unit;
        std::string_view caption;
        bool on;
        const std::string& text;
    } extras[] = {{"CheckBox1", "Edit2", "Label1", captions::kExtraInNet, first.extraInNet,
                   first.extraInNetText},
                  {"CheckBox2", "Edit3", "Label2", captions::kExtraNoOverhead,
                   first.extraNoOverhead, first.extraNoOverheadText}};
    for (const auto& e : extras) {
        add(e.box, K::CheckBox, "GroupBox2", e.caption, small, Colour::Black).checked = e.on;
        add(e.edit, K::Edit, "GroupBox2", e.text, figure, Colour::Black).enabled = e.on;
        add(e.unit, K::Label, "GroupBox2", captions::kYen, unit, Colour::Black);
    }
    add("CheckBox3", K::CheckBox, "GroupBox2", captions::kNoCommonTemp, small, Colour::Black)
        .checked = first.noCommonTemp;
    add("Button1", K::PushButton, {}, batchtext::kPaste, small, Colour::WindowText);
    add("Button2", K::PushButton, {}, batchtext::kOpen, small, Colour::WindowText);
    add("Button3", K::PushButton, {}, batchtext::kSave, small, Colour::WindowText);
    add("Button4", K::PushButton, {}, batchtext::kCopy, small, Colour::WindowText);
    add("Grid1", K::Table, {}, batchtext::kTable, small, Colour::WindowText);
    add("Label3", K::Label, {}, {}, small, Colour::WindowText);
    add("ProgressBar1", K::ProgressBar, {}, batchtext::kProgress, small, Colour::WindowText);
    add("Button5", K::PushButton, {}, batchtext::kCancel, small, Colour::WindowText);
    w.tabOrders = {{"GroupBox1", "RadioGroup1", "GroupBox2", "Button1", "Button2", "Button3",
                    "Button4", "Grid1", "Button5"},
                   {"RadioButton1", "RadioButton2"},
                   {"rb1", "rb2", "rb3"},
                   {"CheckBox1", "Edit2", "CheckBox2", "Edit3", "CheckBox3"}};
    w.firstFocus = "Grid1";
    return w;
}

std::vector<int> ColumnWidths(const BatchRows& rows, const TextWidth& cell,
                              const TextWidth& caption) {
    const std::size_t columns = rows.Columns();
    const std::size_t inputs = columns - std::min(columns, costmodel::captions::kFigures.size() + 1);
    const std::size_t sample = std::min<std::size_t>(rows.Size(), 100);
    const int figure = cell("000,000,000.0") + 12;
    std::vector<int> widths;
    widths.reserve(columns);
    for (std::size_t c = 0; c < columns; ++c) {
        int width = caption(rows.Caption(c)) + 16;
        if (c < inputs) {
            for (std::size_t r = 0; r < sample; ++r)
                width = std::max(width, cell(Leading(rows.ShownCell(r, c), 40)) + 12);
            width = std::min(width, 240);
        } else if (c + 1 < columns) {
            width = std::max(width, figure);
        }
        widths.push_back(width);
    }
    return widths;
}

bool SameSettings(const costbatch::Settings& a, const costbatch::Settings& b) {
    return a.direction == b.direction && a.work == b.work && a.noCommonTemp == b.noCommonTemp &&
           a.extraInNet == b.extraInNet && a.extraNoOverhead == b.extraNoOverhead &&
           (!a.extraInNet || a.extraInNetText == b.extraInNetText) &&
           (!a.extraNoOverhead || a.extraNoOverheadText == b.extraNoOverheadText);
}

std::string Count(std::size_t n) {
    std::string digits = std::to_string(n), out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

std::string_view BatchForm::DirectionTip() const {
    return directionFixed_ ? batchtext::kDirectionFixedTip : std::string_view();
}

bool BatchForm::ApplySettings() {
    if (!input_ || (applied_ && SameSettings(*applied_, settings_))) return false;
    Start(std::make_unique<costbatch::Batch>(*input_, settings_));
    return true;
}

bool BatchForm::TakeSettings(const costbatch::Settings& settings) {
    settings_ = settings;
    if (ApplySettings()) return true;
    if (view_) view_->ShowSettings();
    return false;
}

void BatchForm::Load(costbatch::Table table) {
    // Refused as a whole before anything shown changes.
    auto batch = std::make_unique<costbatch::Batch>(table, settings_);
    input_ = std::move(table);
    Start(std::move(batch));
}

void BatchForm::Paste(std::string_view utf8) {
    Load(costbatch::ParseTable(utf8, costbatch::Format::Tsv));
}

void BatchForm::Start(std::unique_ptr<costbatch::Batch> batch) {
    directionFixed_ = batch->hasCaptionRow();
    if (directionFixed_) settings_.direction = batch->direction();
    applied_ = settings_;
    rows_.SetBatch(std::move(batch));
    ComputeFor();
    if (!view_) return;
    // The settings a caption row fixed, the columns for the new rows, then computing on.
    view_->ShowSettings();
    view_->FitColumns();
    view_->Slicing(Computing());
    view_->ShowProgress();
}

bool BatchForm::ComputeFor() { return !rows_.ComputeFor(slice_); }

bool BatchForm::ComputeSlice() {
    const bool more = ComputeFor();
    if (view_) {
        if (!more) view_->Slicing(false);
        view_->ShowProgress();
    }
    return more;
}

void BatchForm::Cancel() {
    rows_.Cancel();
    if (!view_) return;
    view_->Slicing(false);
    view_->ShowProgress();
}

BatchProgress BatchForm::Progress() const {
    BatchProgress p;
    const bool running = Computing();
    const std::size_t total = rows_.Size(), done = rows_.Computed();
    p.progressVisible = p.cancelVisible = running;
    p.progressMaximum = total;
    p.progressValue = done;
    p.saveEnabled = p.copyEnabled = HasRows() && !running;

    const std::string errors =
        rows_.Failed() ? "、うちエラー " + Count(rows_.Failed()) + " 行" : std::string();
    if (!HasRows())
        p.status = "表を貼り付けるか (Ctrl+V)、CSV・TSV ファイルを開いてください";
    else if (running)
        p.status = "計算中… " + Count(done) + " / " + Count(total) + " 行";
    else if (rows_.Cancelled())
        p.status = "取消: " + Count(total) + " 行のうち " + Count(done) + " 行を計算しました" + errors;
    else
        p.status = Count(total) + " 行" + errors;
    return p;
}

}  // namespace forms
