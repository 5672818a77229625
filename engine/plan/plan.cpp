#include "plan/plan.h"

#include <cmath>
#include <span>
#include <utility>

namespace kelvo {

namespace {

// A forecast group lists its signs as a sorted column file does: 1, 2, X.
constexpr std::array<std::size_t, 3> kGroupOrder = {0, 2, 1};

// The signs a new plan plays in each match, in kSignOfDigit order (1, X, 2): three doubles and
// two triples among fixed signs, mostly 1 as most home sides win.
constexpr std::array<std::array<bool, 3>, kColumnLength> kStartingSigns = {{
    {true, true, false},
    {true, false, false},
    {true, false, false},
    {false, true, true},
    {true, false, false},
    {true, true, true},
    {false, false, true},
    {true, false, false},
    {true, true, false},
    {true, false, false},
    {false, true, false},
    {true, false, false},
    {true, false, false},
    {true, true, true},
}};

}  // namespace

TPlan StartingPlan() {
    TPlan plan;
    for (std::size_t match = 0; match < plan.Matches.size(); ++match) {
        plan.Matches[match].Played = kStartingSigns[match];
    }
    return plan;
}

TForecast ForecastOf(const TPlan& plan) {
    TForecast forecast;
    for (std::size_t match = 0; match < forecast.size(); ++match) {
        for (const std::size_t sign : kGroupOrder) {
            if (plan.Matches[match].Played[sign]) {
                forecast[match] += kSignOfDigit[sign];
            }
        }
    }
    return forecast;
}

bool IsColumnOfPlan(const TPlan& plan, const TKey& column) {
    const std::string text = ColumnText(column);
    if (text.size() != kColumnLength) {
        return false;
    }
    const TForecast forecast = ForecastOf(plan);
    for (std::size_t match = 0; match < forecast.size(); ++match) {
        if (forecast[match].find(text[match]) == std::string::npos) {
            return false;
        }
    }
    return MeetsConditions(std::span<const char, kColumnLength>(text.data(), kColumnLength),
                           plan.Conditions);
}

TWeekPool WeekPoolOf(const TPlan& plan) {
    TWeekPool pool;
    for (std::size_t match = 0; match < plan.Matches.size(); ++match) {
        pool.Chances[match] = plan.Matches[match].Chances;
        pool.Public[match] = plan.Matches[match].Public;
    }
    pool.Takings = plan.Takings;
    pool.Jackpot = plan.Jackpot;
    pool.Price = plan.Price;
    pool.Rules = plan.Rules;
    pool.Pleno = plan.Pleno;
    return pool;
}

std::size_t BudgetColumns(const TPlan& plan) {
    if (!plan.Budget) {
        return 0;
    }
    if (plan.Budget->Unit == TBudgetUnit::Columns) {
        return static_cast<std::size_t>(std::llround(plan.Budget->Amount));
    }
    return ColumnsForEuros(plan.Budget->Amount, plan.Price, plan.Pleno);
}

TPlanReduction BudgetReduction(std::vector<TKey> chosen, const TBudgetReport& report) {
    TPlanReduction reduction;
    reduction.Columns = std::move(chosen);
    reduction.Report.Final = reduction.Columns.size();
    reduction.Report.Spent = report.Spent;
    reduction.Report.Reached = report.Reached;
    reduction.Report.Stopped = report.Stopped;
    reduction.Budget = report;
    return reduction;
}

void WeighConditions(TPlan& plan) {
    const TWeekPool pool = WeekPoolOf(plan);
    SetConditionOdds(plan.Conditions, pool.Chances, pool.Public);
}

}  // namespace kelvo
