// The week's pool as plain data: the prize rules, the Pleno al 15, the public's percentages and
// the takings, which together say what a bet is worth.
#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/prize_categories.h"
#include "modes/prizes.h"

namespace kelvo {

// The price of one column, in euros, until the player sets another (the figure of 2024).
inline constexpr double kDefaultPrice = 0.75;

// A simple slip holds from kFewestColumnsPerSlip to kMostColumnsPerSlip columns.
inline constexpr std::size_t kFewestColumnsPerSlip = 2;
inline constexpr std::size_t kMostColumnsPerSlip = 8;

// The slips `columns` columns take: none for none, else one per kMostColumnsPerSlip begun (a
// single column still takes a slip, which then holds kFewestColumnsPerSlip columns).
std::size_t SlipsFor(std::size_t columns);

// How the takings are shared out, in percent of the week's takings. The figures are those of
// the rules in force since 2024; every one can be changed, as the rules change every few years.
struct TPrizeRules {
    // "14 + Pleno al 15": 14 right and the Pleno right.
    double SpecialShare = 7.5;
    // Category c (14 - c right), as core/prize_categories.h counts them.
    std::array<double, kPrizeCategories> Shares = {16, 7.5, 7.5, 7.5, 9};

    bool operator==(const TPrizeRules&) const = default;
};

// The Pleno's results: home goals x 4 + away goals.
inline constexpr int kPlenoResults = kPlenoGoals * kPlenoGoals;
// The goals as written: "0", "1", "2", "M".
inline constexpr std::string_view kPlenoGoalSigns = "012M";

// Percentages of 0, 1, 2 and M goals, for the home team then the away team.
using TPlenoPercentages = std::array<std::array<double, kPlenoGoals>, 2>;

// The Pleno al 15 of a week: which results are played, and the chances of each team's goals.
struct TPleno {
    // The teams as the player wrote them, UTF-8.
    std::string Teams;
    // Chosen[home * 4 + away]: whether that result is played. One choice holds for every column:
    // k results chosen make each column k bets. None chosen: the Pleno is not counted, and each
    // column is one bet.
    std::array<bool, kPlenoResults> Chosen{};
    // The player's chances and the public's percentages of each team's goals.
    TPlenoPercentages Chances = {{{30, 35, 20, 15}, {40, 35, 15, 10}}};
    TPlenoPercentages Public = {{{30, 35, 20, 15}, {40, 35, 15, 10}}};

    bool operator==(const TPleno&) const = default;
};

// The bets each column makes: the Pleno results chosen, or 1 when none is.
int BetsPerColumn(const TPleno& pleno);

// What `columns` columns cost at `price` euros a bet with the Pleno `pleno`: columns x price x
// BetsPerColumn(pleno). The one rule of a cost.
double CostOf(std::size_t columns, double price, const TPleno& pleno);

// A Pleno result written as two of 0, 1, 2 and M joined by '-' ("1-M"), as its index, or -1.
int ParsePlenoResult(std::string_view text);

// The result of index `result` as ParsePlenoResult reads it.
std::string PlenoResultText(int result);

// The week: what the player and the public expect, what is paid, and how.
struct TWeekPool {
    // The player's chances and the public's percentages of 1, X and 2 for each match; each match's
    // figures are taken as shares of their sum.
    TChances Chances{};
    TChances Public{};
    // The week's takings and the jackpot added to the 14 category, in euros.
    double Takings = 0;
    double Jackpot = 0;
    double Price = kDefaultPrice;
    TPrizeRules Rules;
    TPleno Pleno;
};

// The Pleno's percentages written as 2 lines (the home team, then the away team) of the
// percentages of 0, 1, 2 and M goals, as ParseChances reads its lines. Throws TChancesError with
// Shape TChancesShape::Pleno naming the line when it is not so.
TPlenoPercentages ParsePlenoPercentages(std::string_view text);

}  // namespace kelvo
