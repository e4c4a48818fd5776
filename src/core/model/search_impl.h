// The reverse search: the literal step loop's answer, found without walking the grid;
// generic over the extended arithmetic like the cascade it runs.
//
// Stepping the direct cost 10, 11, 12, … until the total reaches the target costs one
// staged evaluation per 万円. Instead, whole blocks of the grid are skipped when bounds
// prove that every total in the block stays below the target and no amount in it leaves
// the model's range. The bounds come from the same cascade run on intervals: with the
// rates fixed every amount is monotone in the direct cost, and every rate falls as its
// base grows, so the rates at a block's two ends bound the rates inside it. A block of
// one step is bounded exactly, so the search always moves and never skips the answer.
#pragma once

#include <algorithm>
#include <cmath>
#include <optional>

#include "model/calculations.h"
#include "model/cascade.h"

namespace costmodel::detail {

// No direct cost this far from the start evaluates in range.
inline constexpr double kFarthest = 4294967296.0;

template <class X>
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
        EvaluateStaged<X>(b, rules_, noCommonTemp_, [] {});
        return b;
    }

    bool reached(const CostBreakdown& b) const { return !(b.TotalCost < target_); }

    // An upper bound on the totals of the direct costs first..last, or nothing when the
    // bounds leave the model's range.
    std::optional<double> highestTotal(double first, double last) const {
        BoundsBreakdown b;
        b.DirectCost = {first, last, false};
        b.ExtraInNet = {extraInNet_, extraInNet_, false};
        b.ExtraNoOverhead = {extraNoOverhead_, extraNoOverhead_, false};
        EvaluateStaged<X>(b, rules_, noCommonTemp_, [] {});
        if (b.TotalCost.OutOfRange) return std::nullopt;
        return b.TotalCost.Hi;
    }

    // The longest run of steps after p proven below the target and in range. Whether a run
    // of m steps is proven is monotone in m (longer runs have wider bounds), so any probe
    // order finds the longest; the bound grows almost linearly with m, so probes interpolate
    // on it, with a bisection every third probe to keep the worst case logarithmic.
    double skippable(double p) const {
        auto proven = [&](std::optional<double> total) { return total && *total < target_; };
        const std::optional<double> one = highestTotal(p + 1, p + 1);
        if (!proven(one)) return 0;
        double good = 1, goodTotal = *one;
        double bad = 0;  // none yet
        std::optional<double> badTotal;
        double stride = 1;
        for (int probe = 1;; ++probe) {
            double m;
            if (bad == 0) {
                // Every step adds about one 万円 or more: aim at the gap, overshooting more
                // each time the aim falls short.
                m = good + std::clamp(std::ceil((target_ - goodTotal) * stride), 1.0, kFarthest);
                stride *= 2;
            } else if (bad - good <= 1) {
                return good;
            } else if (badTotal && probe % 3 != 0) {
                m = good + std::floor((target_ - goodTotal) / (*badTotal - goodTotal) *
                                      (bad - good));
                m = std::clamp(m, good + 1, bad - 1);
            } else {
                m = std::floor((good + bad) / 2);
            }
            const std::optional<double> total = highestTotal(p + 1, p + m);
            if (proven(total)) {
                good = m;
                goodTotal = *total;
            } else {
                bad = m;
                badTotal = total;
            }
        }
    }

private:
    double target_;
    const RuleSet& rules_;
    bool noCommonTemp_;
    double extraInNet_, extraNoOverhead_;
};

template <class X>
CostBreakdown FindEstimateIn(double target, WorkType workType, bool noCommonTemp,
                             double extraInNet, double extraNoOverhead) {
    const Searcher<X> s(target, workType, noCommonTemp, extraInNet, extraNoOverhead);
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

}  // namespace costmodel::detail
