// The optimiser: spends a budget on shrinking the greedy's reduced set, and says how close to the
// smallest possible the result is.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <stop_token>
#include <vector>

#include "core/progress.h"
#include "reduce/coverage.h"

namespace kelvo {

// How long the optimiser works, and whom it tells.
struct TOptimiseSettings {
    // The wall-clock budget, from the call on.
    std::chrono::steady_clock::duration Budget{};
    // When not 0, each search takes exactly this many steps and the budget does not apply: the
    // result is then the same on every machine for the same seed.
    std::uint64_t Steps = 0;
    std::uint64_t Seed = 1;
    // Once a stop is requested, the search ends as if the budget had run out.
    std::stop_token Stop;
    // The clock of the budget and of the times reported; called from every search's thread.
    std::function<std::chrono::steady_clock::time_point()> Now = std::chrono::steady_clock::now;
    // Told, on the calling thread, the smallest size found so far, the bound and the time left;
    // may be null.
    TProgressSink* Progress = nullptr;
    // Whether the chosen columns may be any columns of signs 1, X and 2 (TCandidateCover), not
    // only the coverage's.
    bool Anywhere = false;
    // When not 0, a set of this many columns or fewer is enough: the searches stop once one is
    // found, and none starts where the lower bound shows that no such set exists.
    std::size_t Enough = 0;
};

struct TOptimisation {
    // The numbers of the chosen columns, ascending: with Added, a set that covers every column
    // within the radius and is never larger than the greedy's.
    std::vector<std::size_t> Chosen;
    // With Anywhere, the chosen columns that are not columns of the coverage; empty otherwise.
    std::vector<TKey> Added;
    // No reduction has fewer columns than this.
    std::size_t LowerBound = 0;
    // Whether LowerBound is the best published bound for the shape of a full development, higher
    // than the one computed here.
    bool BoundPublished = false;
    // Whether no reduction is smaller than Chosen: it reached LowerBound, or a size known to be
    // the smallest for the shape of a full development.
    bool SmallestPossible = false;
    // When the final size was first reached, from the call on.
    std::chrono::steady_clock::duration Reached{};
};

// Shrinks `greedy`, a set of column numbers of `coverage` that covers every column within
// `radius`: starts from it, or from the constructed cover (ConstructedCover) where the columns are
// a full development and that cover is smaller, and runs independent weighted local searches side
// by side until the budget (or the steps) runs out, the interruption is read or a set reaches the
// lower bound (for a full development, the higher of the computed and the published bound), or a
// stop is requested. With settings.Anywhere, where columns outside the input can cover input
// columns (TCandidateCover), chooses among those too, and bounds the size of a set chosen so.
// It then spends the first half of the budget among the input columns and the rest among all
// (with Steps, Steps steps each). Throws std::bad_alloc when memory runs out.
TOptimisation Optimise(const TCoverage& coverage, std::span<const std::size_t> greedy, int radius,
                       const TOptimiseSettings& settings);

}  // namespace kelvo
