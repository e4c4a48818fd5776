// The batch window's behaviour: settings, the direction rule, computing and its progress.
#include "BatchForm.h"

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
    return ApplySettings();
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
    ComputeSlice();
}

bool BatchForm::ComputeSlice() { return !rows_.ComputeFor(slice_); }

void BatchForm::Cancel() { rows_.Cancel(); }

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
