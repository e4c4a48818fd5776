// The reverse search: worked searches, the search state, and the fast search against the
// literal step loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "literal_search.h"
#include "uniform_double.h"

using namespace costmodel;

namespace {

constexpr WorkType kRoad = WorkType::RoadMaintenance;
constexpr WorkType kNew = WorkType::NewBuilding;
constexpr WorkType kRenovation = WorkType::Renovation;

TEST(FindEstimate, WorkedSearches) {
    struct Case {
        double target;
        WorkType w;
        bool noCommonTemp;
        double extraInNet, extraNoOverhead;
        std::int64_t steps;
        double direct, total;
    } const cases[] = {
        {0, kRoad, false, 0, 0, 0, 10, 18.5},
        {5, kRoad, false, 0, 0, 1, 11, 20.3},
        {185.1, kRoad, false, 0, 0, 91, 101, 186.9},
        {1000, kRoad, false, 0, 0, 535, 545, 1003.5},
        {1000, kRoad, true, 0, 0, 650, 660, 1002.6},
        {1000, kRoad, false, 10, 20, 515, 525, 1002.2},
        {10000, kNew, false, 0, 0, 7395, 7405, 10000.5},
        {5000, kRenovation, false, 0, 0, 3768, 3778, 5001.8},
        {15448, kRoad, false, 0, 0, 9791, 9801, 15447.4},  // the total falls at a rate step
        {-7, kRoad, false, 0, 0, 0, 10, 18.5},
        {30, kRoad, false, 0, 30, 1, 11, 50.3},  // the extra alone reaches the target
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        std::int64_t steps = -1;
        const CostBreakdown literal = reference::LiteralSearch(
            c.target, c.w, c.noCommonTemp, c.extraInNet, c.extraNoOverhead, &steps);
        const CostBreakdown fast =
            FindEstimate(c.target, c.w, c.noCommonTemp, c.extraInNet, c.extraNoOverhead);
        EXPECT_EQ(steps, c.steps);
        EXPECT_EQ(fast, literal);
        EXPECT_EQ(fast.DirectCost, c.direct);
        EXPECT_EQ(fast.TotalCost, c.total);
        if (c.noCommonTemp) {
            EXPECT_EQ(fast.CommonTempRate, 0);
            EXPECT_EQ(fast.CommonTempCost, 0);
        }
    }
}

TEST(FindEstimate, TotalsFallWhereARateStepsDown) {
    CostBreakdown a, b;
    a.DirectCost = 9800;
    b.DirectCost = 9801;
    EvaluateCosts(a, kRoad, false);
    EvaluateCosts(b, kRoad, false);
    EXPECT_EQ(a.TotalCost, 15448.5);
    EXPECT_EQ(b.TotalCost, 15447.4);
}

// The literal loop's outcome: the estimate, or the message of the error it stops with.
struct Outcome {
    std::optional<CostBreakdown> estimate;
    std::string error;
    bool operator==(const Outcome&) const = default;
};

template <class F>
Outcome outcomeOf(F&& search) {
    try {
        return {search(), {}};
    } catch (const InvalidOperationError& e) {
        return {std::nullopt, e.what()};
    }
}

void expectSameAsLiteral(double target, WorkType w, bool noCommonTemp, double extraInNet,
                         double extraNoOverhead) {
    const Outcome literal = outcomeOf([&] {
        return reference::LiteralSearch(target, w, noCommonTemp, extraInNet, extraNoOverhead);
    });
    const Outcome fast = outcomeOf(
        [&] { return FindEstimate(target, w, noCommonTemp, extraInNet, extraNoOverhead); });
    ASSERT_EQ(fast, literal) << "target " << target << " work " << static_cast<int>(w)
                             << " noCommonTemp " << noCommonTemp << " extras " << extraInNet
                             << ", " << extraNoOverhead;
}

// Thousands of searches the literal loop can still answer in seconds: random targets and
// targets right at and beside the totals of the grid, for every work type and option.
TEST(FindEstimate, EqualsTheLiteralLoop) {
    std::mt19937_64 rng(20261207);
    testsupport::UniformDouble target(-50, 9000);
    testsupport::UniformDouble extra(-300, 300);
    std::uniform_int_distribution<int> coin(0, 3);
    for (int i = 0; i < 1200; ++i) {
        const auto w = static_cast<WorkType>(i % 3);
        const bool noCommonTemp = coin(rng) == 0;
        const double e1 = coin(rng) == 0 ? std::round(extra(rng) * 10) / 10 : 0;
        const double e2 = coin(rng) == 0 ? extra(rng) : 0;
        double t = target(rng);
        if (i % 4 == 0) {
            // Exactly at, or one tenth beside, the total of some grid point.
            CostBreakdown b;
            b.DirectCost = std::floor(t / 1.6) + 10;
            b.ExtraInNet = e1;
            b.ExtraNoOverhead = e2;
            EvaluateCosts(b, w, noCommonTemp);
            t = b.TotalCost + 0.1 * (i % 3 - 1);
        } else if (i % 4 == 1) {
            t = std::round(t);
        }
        expectSameAsLiteral(t, w, noCommonTemp, e1, e2);
        if (HasFatalFailure()) return;
    }
}

// The literal loop, memoised: the totals of the grid 10 .. last for one set of inputs, with
// the running maximum, answer every target below that maximum as the loop would (the first
// grid point whose total reaches it), without walking the grid again for each target.
class Grid {
public:
    Grid(WorkType w, bool noCommonTemp, double extraInNet, double extraNoOverhead, double last)
        : w_(w), noCommonTemp_(noCommonTemp), e1_(extraInNet), e2_(extraNoOverhead) {
        for (double p = kSearchStart; p <= last; p += 1) {
            totals_.push_back(evaluate(p).TotalCost);
            highest_.push_back(highest_.empty() ? totals_.back()
                                                : std::max(highest_.back(), totals_.back()));
        }
    }

    CostBreakdown evaluate(double p) const {
        CostBreakdown b;
        b.DirectCost = p;
        b.ExtraInNet = e1_;
        b.ExtraNoOverhead = e2_;
        EvaluateCosts(b, w_, noCommonTemp_);
        return b;
    }

    // Indexes where the total falls from one step to the next.
    std::vector<std::size_t> falls() const {
        std::vector<std::size_t> at;
        for (std::size_t i = 1; i < totals_.size(); ++i)
            if (totals_[i] < totals_[i - 1]) at.push_back(i);
        return at;
    }

    double total(std::size_t i) const { return totals_[i]; }
    double highest() const { return highest_.back(); }

    void expectFastSearchAgrees(double target) const {
        ASSERT_LT(target, highest());
        CostBreakdown expected;
        if (!(0.0 < target)) {
            expected = evaluate(kSearchStart);
        } else {
            const auto first = std::lower_bound(highest_.begin(), highest_.end(), target);
            expected = evaluate(kSearchStart + static_cast<double>(first - highest_.begin()) + 1);
        }
        expected.TargetCost = target;
        ASSERT_EQ(FindEstimate(target, w_, noCommonTemp_, e1_, e2_), expected)
            << "target " << target << " work " << static_cast<int>(w_) << " noCommonTemp "
            << noCommonTemp_ << " extras " << e1_ << ", " << e2_;
    }

private:
    WorkType w_;
    bool noCommonTemp_;
    double e1_, e2_;
    std::vector<double> totals_, highest_;
};

// Every target at and beside the totals where a rate steps down and the total falls, where
// a plain bisection would err, over the whole band where the formula rates apply.
TEST(FindEstimate, EqualsTheLiteralLoopAcrossEveryFall) {
    struct Case {
        WorkType w;
        bool noCommonTemp;
        double e1, e2, last;
    } const cases[] = {
        {kRoad, false, 0, 0, 320000},        {kNew, false, 0, 0, 320000},
        {kRenovation, false, 0, 0, 60000},   {kRoad, true, 123.4, -55.5, 40000},
        {kNew, true, -500, 0, 40000},        {kRenovation, false, 2500, 77.7, 40000},
    };
    std::mt19937_64 rng(7);
    for (const auto& c : cases) {
        const Grid grid(c.w, c.noCommonTemp, c.e1, c.e2, c.last);
        const auto falls = grid.falls();
        EXPECT_GT(falls.size(), 50u);
        for (std::size_t i : falls) {
            for (double t : {grid.total(i), grid.total(i - 1), grid.total(i) + 0.1,
                             grid.total(i - 1) - 0.1, grid.total(i - 1) + 0.1,
                             std::nextafter(grid.total(i - 1), 0.0)}) {
                grid.expectFastSearchAgrees(t);
                if (HasFatalFailure()) return;
            }
        }
        testsupport::UniformDouble target(-10, grid.highest());
        for (int i = 0; i < 300; ++i) {
            grid.expectFastSearchAgrees(target(rng));
            if (HasFatalFailure()) return;
        }
    }
}

// Near the top of the model's range the literal loop is too slow to run from the start, so
// start it where the fast search must have got to: every grid point below P then reaches no
// target and is in range (rates are fixed up there), which the loop checks for the last steps.
TEST(FindEstimate, RangeErrorExactlyWhereTheLoopWouldFail) {
    for (WorkType w : {kRoad, kNew, kRenovation}) {
        // The largest direct cost that still evaluates.
        double lo = 1e6, hi = 3e8;
        auto fine = [&](double p) {
            CostBreakdown b;
            b.DirectCost = p;
            try {
                EvaluateCosts(b, w, false);
                return true;
            } catch (const InvalidOperationError&) {
                return false;
            }
        };
        while (hi - lo > 1) {
            const double mid = std::floor((lo + hi) / 2);
            (fine(mid) ? lo : hi) = mid;
        }
        CostBreakdown last, beforeLast;
        last.DirectCost = lo;
        beforeLast.DirectCost = lo - 1;
        EvaluateCosts(last, w, false);
        EvaluateCosts(beforeLast, w, false);
        SCOPED_TRACE(lo);
        // Reached at the last good point: the loop then fails evaluating one beyond it.
        EXPECT_THROW(FindEstimate(last.TotalCost, w, false, 0, 0), InvalidOperationError);
        // Reached one before: the answer is the last good point.
        EXPECT_EQ(FindEstimate(beforeLast.TotalCost, w, false, 0, 0), [&] {
            CostBreakdown b = last;
            b.TargetCost = beforeLast.TotalCost;
            return b;
        }());
        EXPECT_THROW(FindEstimate(3e8, w, false, 0, 0), InvalidOperationError);
    }
    // An extra amount beyond the range fails at the first step, whatever the target.
    EXPECT_THROW(FindEstimate(0, kRoad, false, 3e8, 0), InvalidOperationError);
    EXPECT_THROW(FindEstimate(100, kRoad, false, -3e8, 0), InvalidOperationError);
}

TEST(ReverseSearch, ReadsTheFieldsAndResetsTheState) {
    CostBreakdown state;
    InitSearchState(state);
    SearchInput in;
    in.target = "185.1";
    in.extraInNet.text = "junk, ignored while unchecked";
    const CostBreakdown found = ReverseSearch(state, in);
    EXPECT_EQ(FormatResults(found)[0], "101");
    EXPECT_EQ(FormatResults(found)[11], "186.9");
    CostBreakdown reset;
    InitSearchState(reset);
    EXPECT_EQ(state, reset);
    // The same search again gives the same result.
    EXPECT_EQ(ReverseSearch(state, in), found);
}

TEST(ReverseSearch, ConversionErrorKeepsWhatWasReadBefore) {
    CostBreakdown state;
    InitSearchState(state);
    SearchInput in;
    in.extraInNet = {true, "12.5"};
    in.target = "abc";
    EXPECT_THROW(ReverseSearch(state, in), ConversionError);
    EXPECT_EQ(state.ExtraInNet, 12.5);
    EXPECT_EQ(state.DirectCost, kSearchStart);
    EXPECT_EQ(state.TotalCost, 0);
}

// A search that leaves the range must not leave its position for the next click.
TEST(ReverseSearch, AFailedSearchResetsTheState) {
    CostBreakdown state;
    InitSearchState(state);
    SearchInput in;
    in.target = "1e9";
    EXPECT_THROW(ReverseSearch(state, in), InvalidOperationError);
    CostBreakdown reset;
    InitSearchState(reset);
    EXPECT_EQ(state, reset);
    in.target = "185.1";
    EXPECT_EQ(ReverseSearch(state, in).DirectCost, 101);
}

TEST(ResultTexts, InWritingOrder) {
    const CostBreakdown b = FindEstimate(185.1, kRoad, false, 0, 0);
    const ResultTexts expected = {"101",  "21.4", "21.21", "122.4", "33.2",  "27.14", "155.6",
                                  "22.4", "14.38", "178", "8.9", "186.9", "77"};
    EXPECT_EQ(FormatResults(b), expected);
}

}  // namespace
