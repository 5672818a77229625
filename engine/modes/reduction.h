// The reduction of columns held in memory: the greedy, then the optimiser, then the check. Every
// front end reduces through this one call.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <stop_token>
#include <vector>

#include "core/column_key.h"
#include "core/guarantee.h"
#include "core/progress.h"
#include "optimise/optimise.h"

namespace kelvo {

// The most columns one reduction accepts unless told otherwise.
constexpr std::size_t kMaxColumns = 7000;

// Whether `count` columns (or lines) are more than a reduction accepts under `noLimit`.
constexpr bool ExceedsLimit(std::size_t count, bool noLimit) {
    return !noLimit && count > kMaxColumns;
}

// How long the optimiser works on a smaller set than the greedy's.
struct TOptimiserBudget {
    // The wall-clock budget, from the optimiser's start.
    TClock::duration Time{};
    // When not 0, each search takes exactly this many steps and Time does not apply: the result is
    // then the same on every machine for the same seed.
    std::uint64_t Steps = 0;
    std::uint64_t Seed = 1;
};

// The optimiser a reduction calls: Optimise, or in tests one that breaks its promises.
using TOptimiserCall =
    std::function<TOptimisation(const TCoverage& coverage, std::span<const std::size_t> greedy,
                                int radius, const TOptimiseSettings& settings)>;

// How to reduce.
struct TReductionSettings {
    int Guarantee = kStrongestGuarantee;
    // Reduces any number of columns instead of refusing more than kMaxColumns.
    bool NoLimit = false;
    // Without it, the greedy's set is the reduction.
    std::optional<TOptimiserBudget> Optimise;
    // Once a stop is requested (from any thread), the optimiser ends as if its budget had run
    // out; the greedy always completes.
    std::stop_token Stop;
    // The clock of the budget and of the times reported; called from the optimiser's threads too.
    std::function<TClock::time_point()> Now = TClock::now;
    TOptimiserCall Optimiser = kelvo::Optimise;
    // With Optimise: the optimiser may choose any columns of 14 signs 1, X and 2, not only input
    // columns; every input column is still within the radius of a chosen one.
    bool Anywhere = false;
};

// What to reduce, and how.
struct TReductionRequest : TReductionSettings {
    // The columns, in file order.
    std::span<const TKey> Columns;
    // Told how far the reduction has got, on the calling thread; may be null.
    TProgressSink* Progress = nullptr;
};

// How a reduction went.
struct TReductionReport {
    std::size_t Greedy = 0;
    std::size_t Final = 0;
    // No reduction has fewer columns than this; 0 without the optimiser.
    std::size_t LowerBound = 0;
    // Whether LowerBound is the best published bound for the shape of a full development, higher
    // than the computed one.
    bool BoundPublished = false;
    // Whether no reduction has fewer columns than the final set, as the optimiser proved.
    bool SmallestPossible = false;
    // The optimiser's time, and when the final size was first reached from its start.
    TClock::duration Spent{};
    TClock::duration Reached{};
    // Whether a stop was requested before the optimiser ended.
    bool Stopped = false;

    bool operator==(const TReductionReport&) const = default;
};

enum class TReductionOutcome { Completed, Refused };

struct TReduction {
    TReductionOutcome Outcome = TReductionOutcome::Completed;
    // The chosen columns: the greedy's in the order it chose them or, once the optimiser found a
    // smaller set, that set in file order; with Anywhere and the optimiser, in the collation
    // order of a sorted column file (CompareLines). Empty when refused.
    std::vector<TKey> Chosen;
    TReductionReport Report;
};

// Reduces `request.Columns`: refuses more than kMaxColumns unless NoLimit (Outcome Refused, no
// work done); otherwise chooses the greedy's set and, with a budget, lets the optimiser shrink it,
// then checks the optimiser's set before returning it. Throws TEngineError "Unknown guarantee N:
// the guarantees are 11, 12 and 13", TEngineError when the optimiser's set holds a column that is
// not in the input (with Anywhere: a column outside it that is not 14 signs 1, X and 2), holds
// more columns than the greedy's or leaves a column uncovered, and
// TEngineError "Out of memory" when memory runs out.
TReduction Reduce(const TReductionRequest& request);

// The columns of `optimised`, a set the optimiser chose to cover `coverage` at `radius` instead of
// the greedy's `greedySize` columns, once checked as Reduce checks them: in file order or, with
// `anywhere`, in the collation order of a sorted column file. Throws TEngineError as Reduce does
// for a set that breaks the optimiser's promises.
std::vector<TKey> CheckedOptimisation(const TCoverage& coverage, std::size_t greedySize, int radius,
                                      TOptimisation optimised, bool anywhere);

}  // namespace kelvo
