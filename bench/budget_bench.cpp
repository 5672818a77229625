// Times the best columns for a budget on the filtered 7000-column development (columns7000.txt)
// with chances that vary by match: the greedy alone and a fixed number of swap steps, at budgets
// of 100, 300 and 1000 columns and guarantees 13 and 12. The shares covered are counters.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "column_sets.h"
#include "optimise/budget_cover.h"

using namespace kelvo;

namespace {

// The chance of each column: the product over its matches of the share of its sign, the shares
// 60/25/15 turning with the match.
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

// Budget, guarantee's radius and steps (0 for the greedy alone) from the benchmark's arguments;
// `seconds` of search where no steps are given.
void RunBudget(benchmark::State& state, int seconds = 0) {
    const std::vector<std::string> columns = FilteredDevelopment(7000);
    std::vector<TKey> keys;
    for (const std::string& column : columns) {
        keys.push_back(MakeKey(column));
    }
    const TCoverage coverage(keys, static_cast<int>(state.range(1)));
    const std::vector<double> weights = Chances(columns);
    double total = 0;
    for (const double weight : weights) {
        total += weight;
    }
    TOptimiseSettings settings;
    settings.Steps = static_cast<std::uint64_t>(state.range(2));
    settings.Budget = std::chrono::seconds(seconds);
    TBudgetCover result;
    for (auto _ : state) {
        result = CoverBudget(coverage, weights, static_cast<std::size_t>(state.range(0)), settings);
    }
    state.counters["greedy"] = result.GreedyCovered / total;
    state.counters["covered"] = result.Covered / total;
    state.counters["bound"] = result.Bound / total;
}

void BM_BudgetGreedy(benchmark::State& state) {
    RunBudget(state);
}
BENCHMARK(BM_BudgetGreedy)
    ->ArgsProduct({{100, 300, 1000}, {1, 2}, {0}})
    ->Unit(benchmark::kMillisecond);

void BM_BudgetSwapSteps(benchmark::State& state) {
    RunBudget(state);
}
BENCHMARK(BM_BudgetSwapSteps)
    ->ArgsProduct({{100, 300, 1000}, {1, 2}, {100000}})
    ->Unit(benchmark::kMillisecond);

// Ten seconds of search, for the shares a player would get (run with
// --benchmark_filter=BM_BudgetTenSeconds).
void BM_BudgetTenSeconds(benchmark::State& state) {
    RunBudget(state, 10);
}
BENCHMARK(BM_BudgetTenSeconds)
    ->ArgsProduct({{100, 300, 1000}, {1, 2}, {0}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
