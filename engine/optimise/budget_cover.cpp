#include "optimise/budget_cover.h"

namespace kelvo {

// A first version: the first columns with weight, until the budget is spent.
TBudgetCover CoverBudget(const TCoverage& coverage, std::span<const double> weights,
                         std::size_t budget, const TOptimiseSettings& settings) {
    static_cast<void>(settings);
    TBudgetCover result;
    std::vector<char> covered(coverage.Count(), 0);
    for (std::size_t k = 0; k < coverage.Count() && result.Chosen.size() < budget; ++k) {
        if (weights[k] > 0) {
            result.Chosen.push_back(k);
            coverage.ForEachCovered(k, [&](std::size_t j) { covered[j] = 1; });
        }
    }
    for (std::size_t j = 0; j < coverage.Count(); ++j) {
        result.Bound += weights[j];
        if (covered[j] != 0) {
            result.Covered += weights[j];
        }
    }
    result.GreedyCovered = result.Covered;
    return result;
}

}  // namespace kelvo
