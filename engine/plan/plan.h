// A week's plan as plain data: the matches, the signs played, the conditions, the chances, the
// price, how to reduce, and the reduction once there is one. The planner edits it, the plan file
// holds it and kelvo-reduce reads it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "budget/budget_choice.h"
#include "core/column_key.h"
#include "core/guarantee.h"
#include "modes/conditions.h"
#include "modes/development.h"
#include "modes/reduction.h"
#include "value/week_pool.h"

namespace kelvo {

// A week's takings, in euros, until the player sets another: about a usual week's.
inline constexpr double kDefaultTakings = 2500000;
// The takings and the jackpot are at most this many euros: far above any week's.
inline constexpr double kMostTakings = 1e10;
// The optimiser's budget, in seconds, until the player sets another.
inline constexpr int kDefaultBudgetSeconds = 30;

// The limits of a plan, one for every front end: what the window lets the player set is what a
// plan file may hold, so a plan that opens can be shown and saved again as it is. A value outside
// them is refused, never cut.
//
// A column costs cents to a few euros; a thousand euros leaves room for any pool and still
// catches a price typed with the decimal point misplaced.
inline constexpr double kMostPrice = 1000;
// An hour: the optimiser's gains level off long before, and a window kept busy longer is taken
// for a hung one.
inline constexpr int kMostBudgetSeconds = 3600;
// A chance is a percentage.
inline constexpr double kMostChance = 100;
// The counts and milliseconds of a reduction's report: far above any real one (a full
// development has 3^14 columns), yet exact in any JSON reader that holds numbers as doubles.
inline constexpr std::int64_t kMostReportCount = std::int64_t{1} << 50;
// The milliseconds of a report's times: TClock::duration counts nanoseconds in 64 bits, about 292
// years, so longer times could not be held; 2^40 ms is about 35 years.
inline constexpr std::int64_t kMostReportMilliseconds = std::int64_t{1} << 40;
// A budget buys at most a full development's columns; its euros are at most ten million, far
// above any player's stake, and at least a cent.
inline constexpr double kMostBudgetColumns = 4782969;
inline constexpr double kMostBudgetEuros = 1e7;
inline constexpr double kLeastBudgetEuros = 0.01;
// The guarantee runs from kWeakestGuarantee to kStrongestGuarantee (core/guarantee.h); the
// result as typed holds at most kColumnLength signs.

// One match of the week.
struct TPlanMatch {
    // The teams as the player wrote them, UTF-8.
    std::string Teams;
    // Whether 1, X and 2 (in kSignOfDigit order, as the forecast's toggles show them) are played;
    // at least one always is.
    std::array<bool, 3> Played = {true, true, true};
    // The player's chances in percent of 1, X and 2.
    std::array<double, 3> Chances = {50, 30, 20};
    // The public's percentages of 1, X and 2, as the operator publishes them.
    std::array<double, 3> Public = {50, 30, 20};

    bool operator==(const TPlanMatch&) const = default;
};

// What a budget counts: columns, or euros that buy columns at the plan's price and Pleno.
enum class TBudgetUnit { Columns, Euros };
// What a budget's columns are chosen for: the most chance of the guarantee, or the most expected
// winnings.
enum class TBudgetGoal { Chance, Winnings };

// How much the player spends on the week, and what for.
struct TPlanBudget {
    // Whole columns from 1 to kMostBudgetColumns, or euros from kLeastBudgetEuros to
    // kMostBudgetEuros.
    double Amount = 16;
    TBudgetUnit Unit = TBudgetUnit::Columns;
    TBudgetGoal Goal = TBudgetGoal::Chance;

    bool operator==(const TPlanBudget&) const = default;
};

// A reduction done for the plan's forecast, conditions and guarantee, or the columns chosen for
// its budget.
struct TPlanReduction {
    std::vector<TKey> Columns;
    // For columns chosen for a budget, only Final, Spent, Reached and Stopped are set, as Budget
    // has them (BudgetReduction).
    TReductionReport Report;
    // How the choice went, for columns chosen for a budget. Initialised so that a reduction
    // written as {columns, report} needs no third member.
    std::optional<TBudgetReport> Budget = std::nullopt;

    bool operator==(const TPlanReduction&) const = default;
};

struct TPlan {
    std::array<TPlanMatch, kColumnLength> Matches;
    std::vector<TCondition> Conditions;
    // Whether the chances are shown and weigh the prizes.
    bool ChancesShown = false;
    double Price = kDefaultPrice;
    // The week's takings and jackpot in euros, the prize rules and the Pleno al 15: with the
    // chances and the public's percentages, what the reduction is expected to win.
    double Takings = kDefaultTakings;
    double Jackpot = 0;
    TPrizeRules Rules;
    TPleno Pleno;
    int Guarantee = kStrongestGuarantee;
    int BudgetSeconds = kDefaultBudgetSeconds;
    // Whether the optimiser may choose columns outside the development (any of 1, X and 2); the
    // reduction's columns then need not be columns of the plan.
    bool Anywhere = false;
    // With a budget, Reducir chooses the best columns it pays for instead of a reduction. A budget
    // weighs the chances, so a plan with one shows them.
    std::optional<TPlanBudget> Budget;
    std::optional<TPlanReduction> Reduction;
    // The week's result as typed, up to kColumnLength signs, UTF-8.
    std::string Result;

    bool operator==(const TPlan&) const = default;
};

// The plan a new week starts from: mostly one sign a match, with a few doubles and triples (72
// columns), as a player marks a slip before narrowing or widening it; the rest as TPlan has it.
TPlan StartingPlan();

// The forecast of the signs played, each group in the order of a sorted column file (1, 2, X).
TForecast ForecastOf(const TPlan& plan);

// Whether `column` is a column of the plan's development: 14 signs, each one played in its
// match, and every condition met.
bool IsColumnOfPlan(const TPlan& plan, const TKey& column);

// The week's pool the plan sets out: its matches' chances and the public's percentages, its
// takings, jackpot, price, prize rules and Pleno al 15, whether or not the chances are shown.
TWeekPool WeekPoolOf(const TPlan& plan);

// The columns the plan's budget pays for: its columns, or what its euros buy at the plan's price
// and Pleno (ColumnsForEuros); 0 without a budget or where the euros buy none.
std::size_t BudgetColumns(const TPlan& plan);

// The reduction of the columns `chosen` for a budget as `report` says the choice went: its
// report's Final, Spent, Reached and Stopped those of `report`, the rest 0.
TPlanReduction BudgetReduction(std::vector<TKey> chosen, const TBudgetReport& report);

// Gives the plan's conditions that weigh them its matches' chances and public percentages
// (SetConditionOdds); changes nothing else.
void WeighConditions(TPlan& plan);

}  // namespace kelvo
