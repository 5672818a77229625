// Times the best columns for a budget by expected winnings: of the 7000 columns of
// examples/columns7000.txt, in the week of examples/week (takings 2,500,000, 0.75 a column), 100,
// 300 and 1000 chosen by the greedy alone and then with 10 seconds of search. The counters give
// the greedy's figure, the final figure and the bound, in euros.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstddef>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "modes/prizes.h"
#include "value/budget_value.h"

using namespace kelvo;

namespace {

std::string ReadText(const std::string& path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<TKey> ExampleColumns() {
    std::istringstream lines(ReadText(KELVO_EXAMPLES "/columns7000.txt"));
    std::vector<TKey> columns;
    for (std::string line; std::getline(lines, line);) {
        columns.push_back(MakeKey(line));
    }
    return columns;
}

TWeekPool ExampleWeek() {
    TWeekPool pool;
    pool.Chances = ParseChances(ReadText(KELVO_EXAMPLES "/week/probabilidades.txt"));
    pool.Public = ParseChances(ReadText(KELVO_EXAMPLES "/week/publico.txt"));
    pool.Takings = 2500000;
    pool.Price = 0.75;
    return pool;
}

// Arguments: the budget of columns, and the seconds of search after the greedy. The time budget
// runs from the call on, so the greedy is timed alone first and its time added to it.
void BM_ValueBudget(benchmark::State& state) {
    const std::vector<TKey> columns = ExampleColumns();
    const TWeekPool pool = ExampleWeek();
    const auto budget = static_cast<std::size_t>(state.range(0));
    TOptimiseSettings settings;
    if (state.range(1) > 0) {
        const TClock::time_point start = TClock::now();
        ValueBudget(columns, pool, budget, settings);
        settings.Budget = TClock::now() - start + std::chrono::seconds(state.range(1));
    }
    TBudgetValue result;
    for (auto _ : state) {
        result = ValueBudget(columns, pool, budget, settings);
    }
    state.counters["chosen"] = static_cast<double>(result.Chosen.size());
    state.counters["greedy"] = result.GreedyExpected;
    state.counters["expected"] = result.Expected;
    // In cents: the search's gains are small beside the figures.
    state.counters["search_gain_cents"] = 100 * (result.Expected - result.GreedyExpected);
    state.counters["bound"] = result.Bound;
    state.counters["reached_s"] = std::chrono::duration<double>(result.Reached).count();
}
BENCHMARK(BM_ValueBudget)
    ->ArgsProduct({{100, 300, 1000}, {0, 10}})
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
