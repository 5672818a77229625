#include "budget/budget_choice.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <stop_token>

#include "core/engine_error.h"
#include "core/guarantee.h"
#include "optimise/constructed_cover.h"
#include "test_support.h"
#include "value/set_value.h"

namespace kelvo {

namespace {

using namespace std::chrono_literals;

// Uneven chances at the first four matches, the others certain 1; the public sees it otherwise.
TWeekPool Week() {
    TWeekPool week;
    for (std::size_t p = 0; p < kColumnLength; ++p) {
        week.Chances[p] = {100, 0, 0};
        week.Public[p] = {100, 0, 0};
    }
    week.Chances[0] = {50, 30, 20};
    week.Chances[1] = {20, 50, 30};
    week.Chances[2] = {45, 35, 20};
    week.Chances[3] = {10, 15, 75};
    week.Public[0] = {70, 20, 10};
    week.Public[1] = {30, 30, 40};
    week.Public[2] = {50, 30, 20};
    week.Public[3] = {20, 30, 50};
    week.Takings = 300;
    return week;
}

// The column's chance: the product of its signs' chances over 100, match by match.
double LiteralChance(const std::string& column, const TWeekPool& week) {
    double chance = 1;
    for (std::size_t p = 0; p < kColumnLength; ++p) {
        chance *= week.Chances[p][std::string("1X2").find(column[p])] / 100;
    }
    return chance;
}

// The chance, in percent, of the columns within `radius` of some column of `chosen`.
double LiteralCovered(const std::vector<std::string>& columns,
                      const std::vector<std::string>& chosen, int radius, const TWeekPool& week) {
    double covered = 0;
    for (const std::string& column : columns) {
        if (LiterallyCovers({column}, chosen, radius)) {
            covered += LiteralChance(column, week);
        }
    }
    return 100 * covered;
}

// The most chance, in percent, that any `count` of `columns` covers, by trying every set.
double LiteralBest(const std::vector<std::string>& columns, std::size_t count, int radius,
                   const TWeekPool& week) {
    double best = 0;
    std::vector<std::string> set;
    const std::function<void(std::size_t)> walk = [&](std::size_t from) {
        if (set.size() == count) {
            best = std::max(best, LiteralCovered(columns, set, radius, week));
            return;
        }
        for (std::size_t k = from; k < columns.size(); ++k) {
            set.push_back(columns[k]);
            walk(k + 1);
            set.pop_back();
        }
    };
    walk(0);
    return best;
}

std::vector<std::string> Texts(const std::vector<TKey>& keys) {
    std::vector<std::string> texts;
    for (const TKey& key : keys) {
        texts.push_back(ColumnText(key));
    }
    return texts;
}

// Whether `chosen` are columns of `columns`, in their order.
bool InInputOrder(const std::vector<std::string>& chosen, const std::vector<std::string>& columns) {
    auto at = columns.begin();
    for (const std::string& column : chosen) {
        at = std::find(at, columns.end(), column);
        if (at == columns.end()) {
            return false;
        }
        ++at;
    }
    return true;
}

TBudgetRequest Request(const std::vector<TKey>& keys, std::size_t budget, int guarantee) {
    TBudgetRequest request;
    request.Columns = keys;
    request.Budget = budget;
    request.Guarantee = guarantee;
    request.Week = Week();
    request.Optimise = TOptimiserBudget{0s, 3000, 7};
    return request;
}

const std::vector<std::string> kColumns = ForecastProduct(ForecastOf({"1X2", "1X2", "1X", "1X2"}));

}  // namespace

TEST(budget_choice, reports_the_chance_its_set_covers_within_the_bound_of_every_set) {
    const std::vector<TKey> keys = KeysOf(kColumns);
    double forecast = 0;
    for (const std::string& column : kColumns) {
        forecast += 100 * LiteralChance(column, Week());
    }
    for (const int guarantee : {13, 12}) {
        for (std::size_t budget = 1; budget <= 3; ++budget) {
            const TBudgetChoice choice = ChooseForBudget(Request(keys, budget, guarantee));
            const std::vector<std::string> chosen = Texts(choice.Chosen);
            const double best = LiteralBest(kColumns, budget, RadiusOf(guarantee), Week());
            SCOPED_TRACE(std::to_string(guarantee) + " " + std::to_string(budget));
            EXPECT_NEAR(choice.Report.Covered,
                        LiteralCovered(kColumns, chosen, RadiusOf(guarantee), Week()), 1e-9);
            EXPECT_GE(choice.Report.Covered, choice.Report.Greedy);
            EXPECT_GE(choice.Report.Bound, best - 1e-9);
            EXPECT_EQ(choice.Report.BestPossible, choice.Report.Covered >= choice.Report.Bound);
            EXPECT_NEAR(choice.Report.Forecast, forecast, 1e-9);
            EXPECT_LE(chosen.size(), budget);
            EXPECT_EQ(choice.Report.Chosen, chosen.size());
            EXPECT_TRUE(InInputOrder(chosen, kColumns));
        }
    }
}

// At guarantee 13 and 3 columns the greedy's 1X12 X2X2 21X2 (59.9%) is better than every set one
// swap away, and the best, 1XX2 X212 2112 (60.5%), differs from it in every column.
TEST(budget_choice, reaches_the_most_chance_of_every_set_of_the_budget) {
    const std::vector<TKey> keys = KeysOf(kColumns);
    for (const int guarantee : {13, 12}) {
        for (std::size_t budget = 1; budget <= 3; ++budget) {
            const TBudgetChoice choice = ChooseForBudget(Request(keys, budget, guarantee));
            SCOPED_TRACE(std::to_string(guarantee) + " " + std::to_string(budget));
            EXPECT_NEAR(choice.Report.Covered,
                        LiteralBest(kColumns, budget, RadiusOf(guarantee), Week()), 1e-9);
        }
    }
}

TEST(budget_choice, a_budget_that_fits_a_reduction_covers_every_column) {
    // A full development of five matches, where the constructed codes (27 columns at 13, 8 at
    // 12) are smaller than the greedy's reductions: the budget fits them alone.
    const std::vector<std::string> full =
        ForecastProduct(ForecastOf({"1X2", "1X2", "1X2", "1X2", "1X2"}));
    struct TCase {
        const std::vector<std::string>& Columns;
        int Guarantee;
        std::size_t Budget;
    };
    std::vector<TCase> cases;
    for (const int guarantee : {13, 12}) {
        const int radius = RadiusOf(guarantee);
        const TCoverage coverage(KeysOf(kColumns), radius);
        cases.push_back({kColumns, guarantee, GreedyNumbers(coverage, kColumns, radius).size()});
        const TCoverage fullCoverage(KeysOf(full), radius);
        const std::size_t code = ConstructedCover(fullCoverage, radius).size();
        ASSERT_GT(code, 0u);
        ASSERT_LT(code, GreedyNumbers(fullCoverage, full, radius).size());
        cases.push_back({full, guarantee, code});
    }
    for (const TCase& c : cases) {
        const std::vector<TKey> keys = KeysOf(c.Columns);
        const TBudgetChoice choice = ChooseForBudget(Request(keys, c.Budget, c.Guarantee));
        const std::vector<std::string> chosen = Texts(choice.Chosen);
        SCOPED_TRACE(std::to_string(c.Guarantee) + " " + std::to_string(c.Budget));
        EXPECT_LE(chosen.size(), c.Budget);
        EXPECT_TRUE(LiterallyCovers(c.Columns, chosen, RadiusOf(c.Guarantee)));
        EXPECT_EQ(choice.Report.Covered, choice.Report.Forecast);
        EXPECT_TRUE(choice.Report.BestPossible);
        EXPECT_TRUE(InInputOrder(chosen, c.Columns));
    }
}

TEST(budget_choice, by_winnings_reports_what_the_chosen_set_is_expected_to_win) {
    const std::vector<TKey> keys = KeysOf(kColumns);
    for (const bool pleno : {false, true}) {
        TBudgetRequest request = Request(keys, 3, 12);
        request.ByWinnings = true;
        request.Week.Price = 0.5;
        if (pleno) {
            request.Week.Pleno.Chosen[ParsePlenoResult("1-1")] = true;
            request.Week.Pleno.Chosen[ParsePlenoResult("2-M")] = true;
        }
        const TBudgetChoice choice = ChooseForBudget(request);
        SCOPED_TRACE(pleno);
        ASSERT_TRUE(choice.Report.Winnings);
        const TBudgetWinnings& winnings = *choice.Report.Winnings;
        ASSERT_FALSE(choice.Chosen.empty());
        EXPECT_LE(choice.Chosen.size(), 3u);
        EXPECT_EQ(winnings.Expected, ValueOfSet(choice.Chosen, request.Week)->Total);
        EXPECT_GE(winnings.Bound, winnings.Expected);
        EXPECT_EQ(winnings.Cost, choice.Chosen.size() * 0.5 * (pleno ? 2 : 1));
        EXPECT_NEAR(choice.Report.Covered,
                    LiteralCovered(kColumns, Texts(choice.Chosen), 2, Week()), 1e-9);
        EXPECT_TRUE(InInputOrder(Texts(choice.Chosen), kColumns));
    }
}

TEST(budget_choice, refuses_a_budget_of_no_column_and_an_unknown_guarantee) {
    const std::vector<TKey> keys = KeysOf(kColumns);
    EXPECT_THROW_MSG(ChooseForBudget(Request(keys, 0, 13)), TEngineError,
                     "The budget is no column: choose at least one");
    EXPECT_THROW_MSG(ChooseForBudget(Request(keys, 3, 10)), TEngineError,
                     "Unknown guarantee 10: the guarantees are 11, 12 and 13");
}

TEST(budget_choice, columns_for_euros_buys_whole_columns_at_the_price_of_their_bets) {
    struct TCase {
        double Euros;
        double Price;
        int PlenoResults;
        std::size_t Expected;
    };
    const TCase cases[] = {
        {30, 0.75, 0, 40}, {30, 0.75, 2, 20},    {0.74, 0.75, 0, 0}, {0.75, 0.75, 0, 1},
        {0.3, 0.1, 0, 3},  {0.1 * 3, 0.1, 0, 3}, {30, 0, 0, 0},      {-3, 0.75, 0, 0},
    };
    for (const TCase& c : cases) {
        TPleno pleno;
        for (int r = 0; r < c.PlenoResults; ++r) {
            pleno.Chosen[r] = true;
        }
        EXPECT_EQ(ColumnsForEuros(c.Euros, c.Price, pleno), c.Expected)
            << c.Euros << " at " << c.Price << " with " << c.PlenoResults;
    }
}

TEST(budget_choice, a_stop_already_requested_keeps_the_greedy_set_and_is_reported) {
    const std::vector<TKey> keys = KeysOf(kColumns);
    std::stop_source stop;
    stop.request_stop();
    TBudgetRequest request = Request(keys, 2, 13);
    request.Optimise = TOptimiserBudget{10s, 0, 7};
    request.Stop = stop.get_token();
    const TBudgetChoice stopped = ChooseForBudget(request);
    request.Stop = {};
    request.Optimise.reset();
    const TBudgetChoice greedy = ChooseForBudget(request);
    EXPECT_TRUE(stopped.Report.Stopped);
    EXPECT_FALSE(greedy.Report.Stopped);
    ASSERT_FALSE(stopped.Chosen.empty());
    EXPECT_EQ(stopped.Chosen, greedy.Chosen);
    EXPECT_EQ(stopped.Report.Covered, greedy.Report.Covered);

    // By winnings the greedy is slow on large budgets: a stop ends it after its first column.
    request = Request(keys, 3, 13);
    request.ByWinnings = true;
    request.Stop = stop.get_token();
    const TBudgetChoice winnings = ChooseForBudget(request);
    EXPECT_TRUE(winnings.Report.Stopped);
    EXPECT_EQ(winnings.Chosen.size(), 1u);
}

}  // namespace kelvo
