// The reverse search as a plain step loop: the reference the fast search must equal.
#pragma once

#include <cstdint>

#include "model/calculations.h"

namespace costmodel::reference {

// One staged evaluation per 万円 step from the search start; throws where an amount leaves
// the model's range. steps, when given, counts the evaluations of the stepping.
inline CostBreakdown LiteralSearch(double target, WorkType workType, bool noCommonTemp,
                                   double extraInNet, double extraNoOverhead,
                                   std::int64_t* steps = nullptr) {
    CostBreakdown b;
    InitSearchState(b);
    b.ExtraInNet = extraInNet;
    b.ExtraNoOverhead = extraNoOverhead;
    b.TargetCost = target;
    std::int64_t n = 0;
    while (b.TotalCost < b.TargetCost) {
        EvaluateCosts(b, workType, noCommonTemp);
        b.DirectCost += 1.0;
        ++n;
    }
    if (steps) *steps = n;
    EvaluateCosts(b, workType, noCommonTemp);
    return b;
}

}  // namespace costmodel::reference
