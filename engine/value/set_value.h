// What a set of columns is expected to win in euros, and what each column is worth alone, over
// every one of the 3^14 results weighed by its chance.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <stop_token>
#include <string_view>
#include <vector>

#include "core/column_key.h"
#include "core/prize_categories.h"
#include "core/progress.h"
#include "value/week_pool.h"

namespace kelvo {

// The phase ValueOfSet and ValueOfEachColumn report.
inline constexpr std::string_view kValuePhase = "value";

// The model, for every result r of the 14 matches (chance: the product of the player's shares of
// its signs): the public plays Takings / Price bets drawn match by match with the public's
// shares; the number of them with exactly k right is Poisson with mean that many bets times
// ChancesOfRight, and our bets with k right share category k's pool (its share of the takings,
// the jackpot added to 14) evenly with them (ShareOfPool). The special category is won by our
// columns with 14 right, one bet each, for each chosen Pleno result, weighed by the player's
// chance of it, against the 14-right public bets that chose it (the product of the two teams'
// public shares). Roll-downs and the rule that a lower category never pays more than a higher
// one are left out; our own bets are not added to the public's.
struct TSetValue {
    std::size_t Columns = 0;
    // Columns x price x bets per column.
    double Cost = 0;
    // The special category; none when no Pleno result is chosen.
    std::optional<double> Special;
    // Category c (14 - c right).
    std::array<double, kPrizeCategories> Expected{};
    double Total = 0;
    // Total / Cost; 0 for no columns.
    double ReturnPerEuro = 0;
    // The chance, in percent, that some column has at least 10 right.
    double ChanceOfPrize = 0;
};

// The expected winnings of `columns` in `pool` by the model above. Columns are compared as
// TablePrizes compares them. Reports to `progress` (which may be null); once a stop is requested
// it returns nothing. Throws std::bad_alloc when memory runs out.
std::optional<TSetValue> ValueOfSet(std::span<const TKey> columns, const TWeekPool& pool,
                                    TProgressSink* progress = nullptr, std::stop_token stop = {});

// The product of each match's share (figures taken as shares of their sum) of the column's
// sign: its chance, or its share of the public's bets. 0 for a column that is not 14 signs.
double ShareOfColumn(const TKey& column, const TChances& percentages);

// A column's value: its chance over its share of the public's bets; infinite for a column that
// can come out and that the public never plays, 0 for one that cannot come out and nobody plays.
double ValueOfShares(double chance, double publicShare);

// One column alone.
struct TColumnValue {
    // Its chance and its share of the public's bets, as fractions from 0 to 1.
    double Chance = 0;
    double PublicShare = 0;
    // ValueOfShares: above 1, the public plays it less than it comes out.
    double Value = 0;
    // What it is expected to win as the only column of a set, and that over its cost.
    double Expected = 0;
    double ReturnPerEuro = 0;
};

// Every column of `columns` valued alone, in their order. Reports to `progress` (which may be
// null); once a stop is requested it returns nothing. Throws std::bad_alloc when memory runs
// out.
std::optional<std::vector<TColumnValue>> ValueOfEachColumn(std::span<const TKey> columns,
                                                           const TWeekPool& pool,
                                                           TProgressSink* progress = nullptr,
                                                           std::stop_token stop = {});

}  // namespace kelvo
