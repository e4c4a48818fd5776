// The reverse search in the library's extended arithmetic.
#include "model/calculations.h"
#include "model/search_impl.h"

namespace costmodel {

CostBreakdown FindEstimate(double target, WorkType workType, bool noCommonTemp,
                           double extraInNet, double extraNoOverhead) {
    [[maybe_unused]] const PrecisionGuard guard;
    return detail::FindEstimateIn<Extended>(target, workType, noCommonTemp, extraInNet,
                                            extraNoOverhead);
}

}  // namespace costmodel
