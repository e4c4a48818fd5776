// The forward calculation, the result texts and the main window's search state.
#include "model/calculations.h"

#include <iterator>

namespace costmodel {

namespace {

// The fields the thirteen texts show, in their writing order.
constexpr double CostBreakdown::*kResultFields[] = {
    &CostBreakdown::DirectCost,     &CostBreakdown::CommonTempCost,
    &CostBreakdown::CommonTempRate, &CostBreakdown::NetCost,
    &CostBreakdown::SiteMgmtCost,   &CostBreakdown::SiteMgmtRate,
    &CostBreakdown::WorkCost,       &CostBreakdown::GeneralMgmtCost,
    &CostBreakdown::GeneralMgmtRate, &CostBreakdown::WorkPrice,
    &CostBreakdown::ConsumptionTax, &CostBreakdown::TotalCost,
    &CostBreakdown::CommonCostsTotal};
static_assert(std::size(kResultFields) == std::tuple_size_v<ResultTexts>);

}  // namespace

std::string ResultText(const CostBreakdown& b, std::size_t index) {
    return NumberToText(b.*kResultFields[index]);
}

ResultTexts FormatResults(const CostBreakdown& b) {
    ResultTexts texts;
    for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = ResultText(b, i);
    return texts;
}

void ResetBlock(CostBreakdown& b, double directCost) {
    const double extraInNet = b.ExtraInNet, extraNoOverhead = b.ExtraNoOverhead;
    b = CostBreakdown{};
    b.DirectCost = directCost;
    b.ExtraInNet = extraInNet;
    b.ExtraNoOverhead = extraNoOverhead;
}

namespace {

// Extras first, in field order; each is stored as soon as it is read.
void readExtras(CostBreakdown& b, const ExtraAmount& inNet, const ExtraAmount& noOverhead) {
    b.ExtraInNet = inNet.used ? TextToNumber(inNet.text) : 0.0;
    b.ExtraNoOverhead = noOverhead.used ? TextToNumber(noOverhead.text) : 0.0;
}

}  // namespace

void ForwardCalculate(CostBreakdown& b, const ForwardInput& in, const ShowResultsFn& show) {
    readExtras(b, in.extraInNet, in.extraNoOverhead);
    b.DirectCost = TextToNumber(in.directCost);
    if (in.typedRates)
        EvaluateWithManualRates(b, in.typedRates->commonTemp, in.typedRates->siteMgmt,
                                in.typedRates->generalMgmt, show);
    else
        EvaluateCosts(b, in.workType, in.noCommonTemp, show);
}

void ClearForward(CostBreakdown& b) { ResetBlock(b, 0.0); }

void InitSearchState(CostBreakdown& state) {
    state.ExtraInNet = 0;
    state.ExtraNoOverhead = 0;
    state.DirectCost = kSearchStart;
    state.TotalCost = 0;
}

void ResetSearchState(CostBreakdown& state) { ResetBlock(state, kSearchStart); }

CostBreakdown ReverseSearch(CostBreakdown& state, const SearchInput& in) {
    readExtras(state, in.extraInNet, in.extraNoOverhead);
    state.TargetCost = TextToNumber(in.target);
    try {
        CostBreakdown found = FindEstimate(state.TargetCost, in.workType, in.noCommonTemp,
                                           state.ExtraInNet, state.ExtraNoOverhead);
        ResetSearchState(state);
        return found;
    } catch (...) {
        // A failed search must not leave its position behind for the next click.
        ResetSearchState(state);
        throw;
    }
}

}  // namespace costmodel
