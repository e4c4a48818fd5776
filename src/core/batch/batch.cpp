// One input table recognised column by column, and each row's calculation and output row.
#include <algorithm>
#include <string>

#include "batch/batch.h"
#include "platform/utf8.h"

namespace costbatch {

namespace {

namespace captions = costmodel::captions;
using captions::kCommonTempRateFigure;
using captions::kGeneralMgmtRateFigure;
using captions::kSiteMgmtRateFigure;
constexpr std::string_view kReverseAmount = captions::kTarget;
constexpr std::string_view kForwardAmount = captions::kDirectTarget;
constexpr std::string_view kWork = captions::kWork;
constexpr std::string_view kExtraInNet = captions::kExtraInNet;
constexpr std::string_view kExtraNoOverhead = captions::kExtraNoOverhead;
constexpr std::string_view kNoCommonTemp = captions::kNoCommonTemp;
constexpr std::string_view kResultCaption = captions::kResult;
constexpr const auto& kFigureCaptions = captions::kFigures;

constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";

bool IsSpaceAt(std::string_view s, bool atEnd) {
    if (s.empty()) return false;
    const char c = atEnd ? s.back() : s.front();
    if (c == ' ' || c == '\t') return true;
    return atEnd ? s.ends_with(kIdeographicSpace) : s.starts_with(kIdeographicSpace);
}

// A caption or setting without the ASCII and ideographic spaces around it.
std::string_view Trim(std::string_view s) {
    while (IsSpaceAt(s, false)) s.remove_prefix(s.front() == ' ' || s.front() == '\t' ? 1 : 3);
    while (IsSpaceAt(s, true)) s.remove_suffix(s.back() == ' ' || s.back() == '\t' ? 1 : 3);
    return s;
}

// A text quoted in a message, cut short so that a pasted megabyte makes a readable line.
std::string Quoted(std::string_view text) {
    constexpr std::size_t kMaxCharacters = 40;
    std::size_t at = 0;
    for (std::size_t count = 0; at < text.size() && count < kMaxCharacters; ++count) {
        const std::size_t n = costmodel::Utf8SequenceLength(text.substr(at, 4));
        at += n != 0 ? n : 1;
    }
    std::string out = "'" + std::string(text.substr(0, at));
    if (at < text.size()) out += "…";
    return out + "'";
}

std::string ColumnText(std::size_t column) { return std::to_string(column + 1) + " 列目"; }

// A row's own fault, reported in its 結果 like a calculation's error.
struct RowFault {
    std::string message;
};

costmodel::WorkType ReadWork(std::string_view cell) {
    if (const auto work = captions::WorkNamed(Trim(cell))) return *work;
    throw RowFault{std::string(kWork) + " " + Quoted(cell) +
                   " は 道路維持, 新営, 改修 のどれかです"};
}

bool ReadYesNo(std::string_view cell) {
    const std::string_view value = Trim(cell);
    if (value == "はい") return true;
    if (value.empty() || value == "いいえ") return false;
    throw RowFault{std::string(kNoCommonTemp) + " " + Quoted(cell) + " は はい か いいえ です"};
}

// An extra amount's cell: なし or empty leaves its box unchecked, else it is the field text.
bool ReadExtra(std::string_view cell) {
    const std::string_view value = Trim(cell);
    return !value.empty() && value != "なし";
}

const costmodel::ShowResultsFn kNoRefresh;

}  // namespace

Batch::Batch(Table input, const Settings& settings)
    : input_(std::move(input)), settings_(settings), direction_(settings.direction) {
    if (input_.rows() == 0) throw InputError("入力に行がありません");
    readCaptionRow();
    for (std::string_view figure : kFigureCaptions) captions_.emplace_back(figure);
    captions_.emplace_back(kResultCaption);
}

void Batch::readCaptionRow() {
    const std::size_t columns = input_.columns(0);
    const auto isFigure = [](std::string_view name) {
        for (std::string_view f : kFigureCaptions)
            if (f == name) return true;
        return name == kResultCaption;
    };
    const auto isSetting = [](std::string_view name) {
        for (std::string_view s : {kReverseAmount, kForwardAmount, kWork, kExtraInNet,
                                   kExtraNoOverhead, kNoCommonTemp})
            if (s == name) return true;
        return false;
    };
    bool captioned = false;
    for (std::size_t c = 0; c < columns && !captioned; ++c) {
        const std::string_view name = Trim(input_.cell(0, c));
        captioned = isFigure(name) || isSetting(name);
    }
    // The first row sets the columns, captioned or not: a long row further down must not
    // widen a million others.
    width_ = std::max<std::size_t>(columns, 1);
    if (!captioned) {
        // One amount first; the other columns ride along uncaptioned.
        kept_.push_back(0);
        captions_.emplace_back(direction_ == Direction::Reverse ? kReverseAmount : kForwardAmount);
        for (std::size_t c = 1; c < width_; ++c) {
            kept_.push_back(c);
            captions_.emplace_back();
        }
        return;
    }

    hasCaptionRow_ = true;
    std::size_t reverseAt = kNone, forwardAt = kNone, resultAt = kNone;
    std::array<std::size_t, 13> figureAt;
    figureAt.fill(kNone);
    // Each recognised caption has one slot; a second claim on it is a duplicate.
    const auto claim = [&](std::size_t& slot, std::string_view name, std::size_t c) {
        if (slot != kNone)
            throw InputError("見出し '" + std::string(name) + "' が 2 つあります (" +
                             ColumnText(slot) + "と " + ColumnText(c) + ")");
        slot = c;
    };
    for (std::size_t c = 0; c < columns; ++c) {
        const std::string_view name = Trim(input_.cell(0, c));
        bool keep = true;
        if (name.empty()) {
        } else if (name == kReverseAmount) {
            claim(reverseAt, name, c);
        } else if (name == kForwardAmount) {
            claim(forwardAt, name, c);
        } else if (name == kWork) {
            claim(columns_.work, name, c);
        } else if (name == kExtraInNet) {
            claim(columns_.extraInNet, name, c);
        } else if (name == kExtraNoOverhead) {
            claim(columns_.extraNoOverhead, name, c);
        } else if (name == kNoCommonTemp) {
            claim(columns_.noCommonTemp, name, c);
        } else if (name == kResultCaption) {
            claim(resultAt, name, c);
            keep = false;
        } else {
            std::size_t f = 0;
            while (f < kFigureCaptions.size() && kFigureCaptions[f] != name) ++f;
            if (f == kFigureCaptions.size())
                throw InputError("不明な見出し " + Quoted(name) + " (" + ColumnText(c) + ")");
            claim(figureAt[f], name, c);
            keep = false;
        }
        if (keep) {
            kept_.push_back(c);
            captions_.emplace_back(name);
        }
    }
    if (reverseAt != kNone && forwardAt != kNone)
        throw InputError(std::string(kReverseAmount) + " と " + std::string(kForwardAmount) +
                         " は一つの表に一緒に置けません");
    if (reverseAt == kNone && forwardAt == kNone)
        throw InputError("金額の列がありません (見出し " + std::string(kReverseAmount) + " か " +
                         std::string(kForwardAmount) + ")");
    direction_ = reverseAt != kNone ? Direction::Reverse : Direction::Forward;
    columns_.amount = reverseAt != kNone ? reverseAt : forwardAt;
    // Typed rates are inputs only forwards; a search recomputes them like every figure.
    if (direction_ == Direction::Forward) {
        columns_.commonTempRate = figureAt[kCommonTempRateFigure];
        columns_.siteMgmtRate = figureAt[kSiteMgmtRateFigure];
        columns_.generalMgmtRate = figureAt[kGeneralMgmtRateFigure];
    }
}

Direction Batch::direction() const { return direction_; }
bool Batch::hasCaptionRow() const { return hasCaptionRow_; }
std::size_t Batch::size() const { return input_.rows() - (hasCaptionRow_ ? 1 : 0); }
const std::vector<std::string>& Batch::captions() const { return captions_; }

std::string_view Batch::inputCell(std::size_t row, std::size_t column) const {
    if (column == kNone) return {};
    return input_.cell(row + (hasCaptionRow_ ? 1 : 0), column);
}

void Batch::computeRow(std::size_t row, RowResult& result) const {
    const std::size_t cellsInRow = input_.columns(row + (hasCaptionRow_ ? 1 : 0));
    if (cellsInRow > width_)
        throw RowFault{"列が多すぎます (" + std::to_string(cellsInRow) + " 列, " +
                       (hasCaptionRow_ ? "見出しは " : "1 行目は ") + std::to_string(width_) +
                       " 列)"};
    // What both windows read alike: the amount, the category and the expense settings.
    const auto fillShared = [&](auto& in) {
        in.workType =
            columns_.work != kNone ? ReadWork(inputCell(row, columns_.work)) : settings_.work;
        in.noCommonTemp = columns_.noCommonTemp != kNone
                              ? ReadYesNo(inputCell(row, columns_.noCommonTemp))
                              : settings_.noCommonTemp;
        in.extraInNet = {settings_.extraInNet, settings_.extraInNetText};
        if (columns_.extraInNet != kNone) {
            in.extraInNet.text = inputCell(row, columns_.extraInNet);
            in.extraInNet.used = ReadExtra(in.extraInNet.text);
        }
        in.extraNoOverhead = {settings_.extraNoOverhead, settings_.extraNoOverheadText};
        if (columns_.extraNoOverhead != kNone) {
            in.extraNoOverhead.text = inputCell(row, columns_.extraNoOverhead);
            in.extraNoOverhead.used = ReadExtra(in.extraNoOverhead.text);
        }
    };
    if (direction_ == Direction::Reverse) {
        costmodel::SearchInput in;
        in.target = inputCell(row, columns_.amount);
        fillShared(in);
        costmodel::CostBreakdown state;
        costmodel::InitSearchState(state);
        result.values = costmodel::ReverseSearch(state, in);
    } else {
        costmodel::ForwardInput in;
        in.directCost = inputCell(row, columns_.amount);
        fillShared(in);
        const costmodel::TypedRates typed{inputCell(row, columns_.commonTempRate),
                                          inputCell(row, columns_.siteMgmtRate),
                                          inputCell(row, columns_.generalMgmtRate)};
        if (!Trim(typed.commonTemp).empty() || !Trim(typed.siteMgmt).empty() ||
            !Trim(typed.generalMgmt).empty())
            in.typedRates = typed;
        costmodel::ForwardCalculate(result.values, in, kNoRefresh);
    }
}

RowResult Batch::compute(std::size_t row) const {
    RowResult result;
    try {
        computeRow(row, result);
        result.ok = true;
    } catch (const RowFault& fault) {
        result.message = costmodel::CompleteMessage(fault.message);
    } catch (const costmodel::CostModelError& error) {
        result.message = costmodel::CompleteMessage(error.message());
    }
    return result;
}

std::size_t Batch::typedRateColumn(std::size_t figure) const {
    switch (figure) {
    case kCommonTempRateFigure: return columns_.commonTempRate;
    case kSiteMgmtRateFigure: return columns_.siteMgmtRate;
    case kGeneralMgmtRateFigure: return columns_.generalMgmtRate;
    default: return kNone;
    }
}

std::string Batch::cell(std::size_t row, const RowResult& result, std::size_t column) const {
    if (column < kept_.size()) return std::string(inputCell(row, kept_[column]));
    const std::size_t figure = column - kept_.size();
    if (figure < kFigureCaptions.size()) {
        if (result.ok) return costmodel::ResultText(result.values, figure);
        // A failed row keeps its typed rates as read, so that nothing typed is lost.
        return std::string(inputCell(row, typedRateColumn(figure)));
    }
    return figure == kFigureCaptions.size() ? result.message : std::string();
}

void Batch::appendRow(std::string& out, std::size_t row, const RowResult& result,
                      Format format) const {
    for (std::size_t c = 0; c < captions_.size(); ++c) {
        if (c != 0) out += Delimiter(format);
        AppendCell(out, cell(row, result, c), format);
    }
    out += LineEnd(format);
}

void Batch::appendCaptions(std::string& out, Format format) const {
    AppendRow(out, captions_, format);
}

}  // namespace costbatch
