// A week's plan as plain data: the matches, the signs played, the conditions, the chances, the
// price, how to reduce, and the reduction once there is one.
#pragma once

#include <QString>

#include <array>
#include <optional>
#include <vector>

#include "core/column_key.h"
#include "modes/conditions.h"
#include "modes/development.h"
#include "modes/prizes.h"
#include "modes/reduction.h"

// The signs as the forecast's toggles show them, left to right.
inline constexpr std::array<char, 3> kSigns = {'1', 'X', '2'};

// The price of one column, in euros, until the player sets another.
inline constexpr double kDefaultPrice = 0.75;
// The optimiser's budget, in seconds, until the player sets another.
inline constexpr int kDefaultBudgetSeconds = 30;

// One match of the week.
struct TMatch {
    QString Teams;
    // Whether 1, X and 2 (in kSigns order) are played; at least one always is.
    std::array<bool, 3> Played = {true, true, true};
    // The player's chances in percent of 1, X and 2.
    std::array<double, 3> Chances = {50, 30, 20};
};

// A reduction done for the plan's forecast, conditions and guarantee.
struct TPlanReduction {
    std::vector<kelvo::TKey> Columns;
    kelvo::TReductionReport Report;
};

struct TPlan {
    std::array<TMatch, kelvo::kColumnLength> Matches;
    std::vector<kelvo::TCondition> Conditions;
    // Whether the chances are shown and weigh the prizes.
    bool ChancesShown = false;
    double Price = kDefaultPrice;
    int Guarantee = kelvo::kStrongestGuarantee;
    int BudgetSeconds = kDefaultBudgetSeconds;
    // Whether the optimiser may choose columns outside the development (any of 1, X and 2); the
    // reduction's columns then need not be columns of the plan.
    bool Anywhere = false;
    std::optional<TPlanReduction> Reduction;
    // The week's result as typed, up to 14 signs.
    QString Result;
};

// The engine's forecast of the signs played.
kelvo::TForecast ForecastOf(const TPlan& plan);

// The chances of every match, as the engine weighs them.
kelvo::TChances ChancesOf(const TPlan& plan);

// Whether `column` is a column of the plan's development: each sign one played in its match, and
// every condition met.
bool IsColumnOfPlan(const TPlan& plan, const kelvo::TKey& column);
