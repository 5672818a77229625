#include "value/budget_value.h"

#include <limits>

#include "value/set_value.h"

namespace kelvo {

// A first version: the first candidates, until the budget is spent.
TBudgetValue ValueBudget(std::span<const TKey> candidates, const TWeekPool& pool,
                         std::size_t budget, const TOptimiseSettings& settings) {
    static_cast<void>(settings);
    TBudgetValue result;
    for (std::size_t k = 0; k < candidates.size() && k < budget; ++k) {
        result.Chosen.push_back(k);
    }
    std::vector<TKey> chosen(candidates.begin(), candidates.begin() + result.Chosen.size());
    result.Expected = ValueOfSet(chosen, pool)->Total;
    result.GreedyExpected = result.Expected;
    result.Bound = std::numeric_limits<double>::infinity();
    return result;
}

}  // namespace kelvo
