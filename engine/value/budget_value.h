// The best columns for a budget by expected winnings: of every set of at most a given number of
// columns, one that the week's pool is expected to pay the most.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "core/column_key.h"
#include "core/progress.h"
#include "optimise/optimise.h"
#include "value/week_pool.h"

namespace kelvo {

struct TBudgetValue {
    // The chosen candidates' numbers, ascending.
    std::vector<std::size_t> Chosen;
    // What the chosen set is expected to win, by ValueOfSet's model (equal to ValueOfSet's Total
    // but for the rounding of the sums).
    double Expected = 0;
    // What the greedy's set alone was expected to win.
    double GreedyExpected = 0;
    // No set of at most `budget` candidates is expected to win more than this; never below
    // Expected.
    double Bound = 0;
    // When the final figure was first reached, from the call on.
    TClock::duration Reached{};
};

// Chooses at most `budget` of `candidates` (distinct columns of 14 signs 1, X and 2) with the most
// expected winnings in `pool` by ValueOfSet's model, in which a set's winnings grow less with
// every column that shares a result's prizes with another (the model is submodular). Starts with
// the greedy by marginal winnings, then runs a local search that swaps a chosen column for
// another, for settings.Budget (or settings.Steps steps, the same result on every machine for the
// same settings.Seed; with neither, the greedy's set is the result), until a stop is requested; a
// stop during the greedy ends it once it has chosen a column, and its columns are the result.
// settings.Anywhere is not read. Reports kBudgetPhase to settings.Progress (which may be null)
// with the time left. Never chooses a column that adds nothing, so fewer than `budget` may be
// chosen. Throws std::bad_alloc when memory runs out.
TBudgetValue ValueBudget(std::span<const TKey> candidates, const TWeekPool& pool,
                         std::size_t budget, const TOptimiseSettings& settings);

}  // namespace kelvo
