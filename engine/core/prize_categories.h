// The prize categories the pool pays: 14 signs right down to 10 right.
#pragma once

#include "core/column_key.h"

namespace kelvo {

// The fewest signs right that win a prize.
constexpr int kFewestRightPrized = 10;

// The categories counted, 14 right first: category c is kColumnLength - c signs right.
constexpr int kPrizeCategories = kColumnLength - kFewestRightPrized + 1;

// The category of a column with `right` signs right, or kPrizeCategories when it wins nothing.
constexpr int PrizeCategoryOf(int right) {
    return right >= kFewestRightPrized ? kColumnLength - right : kPrizeCategories;
}

// The Pleno al 15 is played on each team's goals: 0, 1, 2 or M (three or more).
constexpr int kPlenoGoals = 4;

}  // namespace kelvo
