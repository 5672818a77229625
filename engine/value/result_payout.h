// What a result pays our columns by the model of ValueOfSet (value/set_value.h), worked out once
// for a week's pool, and the step that carries a result's chance and the public's chances of 0 to
// 4 matches wrong at it from one match to the next, so that a walk over results pays O(1) a
// result.
#pragma once

#include <array>
#include <cstddef>
#include <utility>
#include <vector>

#include "core/prize_categories.h"
#include "modes/prizes.h"
#include "value/week_pool.h"

namespace kelvo {

// The pool's figures a result's payout needs.
struct TPayout {
    // Each match's shares of 1, X and 2: the player's chances and the public's bets.
    TChances Chances{};
    TChances Public{};
    // The public's bets.
    double Bets = 0;
    // The pools of the categories 14 to 10 right (the jackpot added to 14), and of the special one.
    std::array<double, kPrizeCategories> Pools{};
    double SpecialPool = 0;
    // The bets each column makes.
    long long BetsPerColumn = 1;
    // For each chosen Pleno result: the player's chance of it and the public's share of it.
    std::vector<std::pair<double, double>> Pleno;
};

// The payout of `pool`.
TPayout PayoutOf(const TWeekPool& pool);

// What category `category` pays `winners` of our columns with that many matches wrong at a result
// whose public bets have that many wrong with chance `wrong`; 0 for no winners. Not weighed by
// the result's chance.
double CategoryWin(const TPayout& payout, std::size_t category, long long winners, double wrong);

// What the special category pays `winners` columns with 14 right at a result whose 14-right public
// bets number `others` on average, over the chosen Pleno results, each weighed by its chance.
double SpecialWin(const TPayout& payout, long long winners, double others);

// What `winners` columns with `category` matches wrong at a result win together, the special
// category included at 0 wrong, where `wrong` are the public's chances of 0 to 4 matches wrong at
// that result. Not weighed by the result's chance.
double ResultWin(const TPayout& payout, std::size_t category, long long winners,
                 const std::array<double, kPrizeCategories>& wrong);

// A result's first matches, as a walk over results descends them: the player's chance of their
// signs, and the public's chances of exactly 0 to 4 of them wrong.
struct TResultLevel {
    double Chance = 1;
    std::array<double, kPrizeCategories> Wrong{1};
};

// The level of `at`'s matches and sign `sign` at the next match, `match`. Inline: walks over
// every result spend most of their time here.
inline TResultLevel NextLevel(const TPayout& payout, const TResultLevel& at, std::size_t match,
                              std::size_t sign) {
    const double right = payout.Public[match][sign];
    TResultLevel next;
    next.Chance = at.Chance * payout.Chances[match][sign];
    next.Wrong[0] = at.Wrong[0] * right;
    for (std::size_t w = 1; w < kPrizeCategories; ++w) {
        next.Wrong[w] = at.Wrong[w] * right + at.Wrong[w - 1] * (1 - right);
    }
    return next;
}

}  // namespace kelvo
