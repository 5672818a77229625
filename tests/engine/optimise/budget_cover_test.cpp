#include "optimise/budget_cover.h"

#include <algorithm>
#include <functional>

#include "test_support.h"

namespace kelvo {

namespace {

int LiteralDistance(const std::string& a, const std::string& b) {
    int distance = 0;
    for (std::size_t p = 0; p < kColumnLength; ++p) {
        distance += a[p] != b[p] ? 1 : 0;
    }
    return distance;
}

// The chance of each column: the product over its matches of the share of its sign, the shares
// 60/25/15 turning with the match so that no two matches weigh the same.
std::vector<double> Chances(const std::vector<std::string>& columns) {
    const double shares[3] = {0.60, 0.25, 0.15};
    std::vector<double> chances;
    for (const std::string& column : columns) {
        double chance = 1;
        for (std::size_t p = 0; p < kColumnLength; ++p) {
            const std::size_t sign = column[p] == '1' ? 0 : column[p] == 'X' ? 1 : 2;
            chance *= shares[(sign + p) % 3];
        }
        chances.push_back(chance);
    }
    return chances;
}

// The most weight any `count` of `columns` covers within `radius`, by trying every set.
double LiteralBest(const std::vector<std::string>& columns, const std::vector<double>& weights,
                   std::size_t count, int radius) {
    double best = 0;
    std::vector<std::size_t> set(count, 0);
    const std::function<void(std::size_t, std::size_t)> walk = [&](std::size_t at,
                                                                   std::size_t from) {
        if (at == count) {
            double covered = 0;
            for (std::size_t j = 0; j < columns.size(); ++j) {
                if (std::any_of(set.begin(), set.end(), [&](std::size_t k) {
                        return LiteralDistance(columns[k], columns[j]) <= radius;
                    })) {
                    covered += weights[j];
                }
            }
            best = std::max(best, covered);
            return;
        }
        for (std::size_t k = from; k < columns.size(); ++k) {
            set[at] = k;
            walk(at + 1, k + 1);
        }
    };
    walk(0, 0);
    return best;
}

TOptimiseSettings Fixed(std::uint64_t steps) {
    TOptimiseSettings settings;
    settings.Steps = steps;
    settings.Seed = 7;
    return settings;
}

}  // namespace

TEST(budget_cover, reaches_the_best_weight_of_every_set_and_never_bounds_below_it) {
    const std::vector<std::string> columns =
        ForecastProduct(ForecastOf({"1X2", "1X2", "1X", "1X2"}));
    const std::vector<double> weights = Chances(columns);
    const TCoverage coverage13(KeysOf(columns), 1);
    const TCoverage coverage12(KeysOf(columns), 2);
    for (const TCoverage* coverage : {&coverage13, &coverage12}) {
        for (std::size_t budget = 1; budget <= 3; ++budget) {
            const TBudgetCover result = CoverBudget(*coverage, weights, budget, Fixed(3000));
            const double best = LiteralBest(columns, weights, budget, coverage->Radius());
            EXPECT_NEAR(result.Covered, best, 1e-12 * best) << coverage->Radius() << " " << budget;
            EXPECT_GE(result.Bound, result.Covered);
            EXPECT_LE(result.GreedyCovered, result.Covered);
            EXPECT_LE(result.Chosen.size(), budget);
            EXPECT_EQ(CoverBudget(*coverage, weights, budget, Fixed(3000)).Chosen, result.Chosen);
        }
    }
}

TEST(budget_cover, a_budget_that_covers_everything_is_bounded_by_the_total_and_skips_zero_weights) {
    const std::vector<std::string> columns = ForecastProduct(ForecastOf({"1X2", "1X2", "1X"}));
    std::vector<double> weights = Chances(columns);
    // Only the first column weighs: one column covers it, and no other adds anything.
    std::fill(weights.begin() + 1, weights.end(), 0.0);
    const TCoverage coverage(KeysOf(columns), 1);
    const TBudgetCover result = CoverBudget(coverage, weights, 5, Fixed(100));
    EXPECT_EQ(result.Chosen, std::vector<std::size_t>{0});
    EXPECT_EQ(result.Covered, weights[0]);
    EXPECT_EQ(result.Bound, result.Covered);

    const std::vector<double> chances = Chances(columns);
    double total = 0;
    for (const double chance : chances) {
        total += chance;
    }
    const TBudgetCover all = CoverBudget(coverage, chances, columns.size(), Fixed(100));
    EXPECT_EQ(all.Covered, total);
    EXPECT_EQ(all.Bound, total);
}

TEST(budget_cover, swaps_out_of_a_greedy_set_no_single_swap_improves) {
    std::vector<std::string> columns;
    for (const std::string& column : ForecastProduct(ForecastOf(
             {"1", "1X", "X2", "1X2", "2", "1", "X", "12", "1", "1", "1X2", "2", "X", "1"}))) {
        if (std::count(column.begin(), column.end(), 'X') <= 3) {
            columns.push_back(column);
        }
    }
    const std::vector<double> weights = Chances(columns);
    const TCoverage coverage(KeysOf(columns), 1);
    for (std::size_t budget = 2; budget <= 5; ++budget) {
        const TBudgetCover result = CoverBudget(coverage, weights, budget, Fixed(20000));
        const double best = LiteralBest(columns, weights, budget, 1);
        EXPECT_NEAR(result.Covered, best, 1e-12 * best)
            << budget << " greedy " << result.GreedyCovered;
    }
}

}  // namespace kelvo
