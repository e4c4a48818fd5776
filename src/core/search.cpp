// The reverse search: the literal step loop's answer, found without walking the grid.
//
// Stepping the direct cost 10, 11, 12, … until the total reaches the target costs one
// staged evaluation per 万円. Instead, whole blocks of the grid are skipped when bounds
// prove that every total in the block stays below the target and no amount in it leaves
// the model's range. The bounds come from the same cascade run on intervals: with the
// rates fixed every amount is monotone in the direct cost, and every rate falls as its
// base grows, so the rates at a block's two ends bound the rates inside it. A block of
// one step is bounded exactly, so the search always moves and never skips the answer.
#include <cmath>

#include "calculations.h"
#include "cascade.h"

namespace costmodel {

namespace {

class Searcher {
public:
    Searcher(double target, WorkType workType, bool noCommonTemp, double extraInNet,
             double extraNoOverhead)
        : target_(target), rules_(RulesFor(workType)), noCommonTemp_(noCommonTemp),
          extraInNet_(extraInNet), extraNoOverhead_(extraNoOverhead) {}

    // Throws where the literal loop would.
    CostBreakdown evaluate(double directCost) const {
        CostBreakdown b;
        b.TargetCost = target_;
        b.DirectCost = directCost;
        b.ExtraInNet = extraInNet_;
        b.ExtraNoOverhead = extraNoOverhead_;
        detail::evaluateStaged(b, rules_, noCommonTemp_, [] {});
        return b;
    }

    bool reached(const CostBreakdown& b) const { return !(b.TotalCost < target_); }

    // True when every direct cost first..last stays below the target and in range.
    bool belowTarget(double first, double last) const {
        detail::BoundsBreakdown b;
        b.DirectCost = {first, last, false};
        b.ExtraInNet = {extraInNet_, extraInNet_, false};
        b.ExtraNoOverhead = {extraNoOverhead_, extraNoOverhead_, false};
        detail::evaluateStaged(b, rules_, noCommonTemp_, [] {});
        return !b.TotalCost.OutOfRange && b.TotalCost.hi < target_;
    }

    // The longest run of steps after p that is proven below the target.
    double skippable(double p) const {
        if (!belowTarget(p + 1, p + 1)) return 0;
        double good = 1, bad = 2;
        while (belowTarget(p + 1, p + bad)) {
            good = bad;
            bad *= 2;
        }
        while (bad - good > 1) {
            const double mid = std::floor((good + bad) / 2);
            (belowTarget(p + 1, p + mid) ? good : bad) = mid;
        }
        return good;
    }

private:
    double target_;
    const RuleSet& rules_;
    bool noCommonTemp_;
    double extraInNet_, extraNoOverhead_;
};

}  // namespace

CostBreakdown FindEstimate(double target, WorkType workType, bool noCommonTemp,
                           double extraInNet, double extraNoOverhead) {
    const Searcher s(target, workType, noCommonTemp, extraInNet, extraNoOverhead);
    double p = kSearchStart;
    // The loop compares with the reset total 0 first: no step for a target of 0 or less.
    if (!(0.0 < target)) return s.evaluate(p);
    if (s.reached(s.evaluate(p))) return s.evaluate(p + 1);
    // Every grid point up to p evaluates in range with a total below the target.
    for (;;) {
        if (const double skip = s.skippable(p); skip > 0) {
            p += skip;
            continue;
        }
        // The next step could not be proven below: it reaches the target or fails.
        p += 1;
        if (s.reached(s.evaluate(p))) return s.evaluate(p + 1);
    }
}

}  // namespace costmodel
