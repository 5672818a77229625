// The best columns for a budget by chance: of every set of at most a given number of columns, one
// whose covered columns weigh the most (a weighted maximum coverage).
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "core/column_key.h"
#include "core/progress.h"
#include "optimise/optimise.h"
#include "reduce/coverage.h"

namespace kelvo {

struct TBudgetCover {
    // The chosen columns' numbers in the coverage, ascending; with Anywhere, the chosen columns
    // that are not columns of the coverage are in Added (in no particular order).
    std::vector<std::size_t> Chosen;
    std::vector<TKey> Added;
    // The weight of the coverage's columns within the radius of a chosen one, summed in the
    // coverage's order of its columns.
    double Covered = 0;
    // What the greedy's set alone covered, summed the same way.
    double GreedyCovered = 0;
    // No set of at most `budget` columns (with Anywhere, of any of the candidates) covers more
    // weight than this; never below Covered, and equal to it where Covered is every column's
    // weight or where the search proved no set covers more.
    double Bound = 0;
    // When the final weight was first reached, from the call on.
    TClock::duration Reached{};
};

// Chooses at most `budget` columns among the columns of `coverage` (with settings.Anywhere, also
// among the columns TCandidateCover::Beyond finds at the coverage's radius), so that the columns
// within the radius of a chosen one weigh the most in all, weights[k] (at least 0) being column
// k's weight. Starts with the greedy by marginal weight, then runs a local search that swaps a
// chosen column for another, for settings.Budget (or settings.Steps steps, the same result on
// every machine for the same settings.Seed; with neither, the greedy's set is the result), until
// a stop is requested or nothing is left to cover. Reports kBudgetPhase to settings.Progress
// (which may be null) with the time left. Never chooses a column that adds no weight, so fewer
// than `budget` columns may be chosen. Throws std::bad_alloc when memory runs out.
TBudgetCover CoverBudget(const TCoverage& coverage, std::span<const double> weights,
                         std::size_t budget, const TOptimiseSettings& settings);

}  // namespace kelvo
