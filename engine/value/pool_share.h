// What one category's pool pays a set of bets: the public's winners it is shared with and the
// share that falls to the set.
#pragma once

#include <array>

#include "core/column_key.h"
#include "core/prize_categories.h"

namespace kelvo {

// The expected share of a pool that `bets` winning bets take when the other winners are a
// Poisson number with mean `others`: bets x E[1 / (bets + X)], the pool being split evenly among
// all winners. Exact to a relative error below 1e-9 for bets from 1 up and others from 0 to 1e7.
// 0 for no bets.
double ShareOfPool(long long bets, double others);

// Of one bet of the public, drawn match by match with the public's shares, the chance of exactly
// 14 - c of the 14 matches right for each category c: `right[p]` is the chance that match p is
// right. A Poisson-binomial sum, exact up to rounding.
std::array<double, kPrizeCategories> ChancesOfRight(const std::array<double, kColumnLength>& right);

}  // namespace kelvo
