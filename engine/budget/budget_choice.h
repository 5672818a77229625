// The best columns a budget buys: of every set of at most so many columns, the one with the most
// chance that some column has the guarantee's signs right, or the most expected winnings.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <stop_token>
#include <vector>

#include "core/column_key.h"
#include "core/guarantee.h"
#include "core/progress.h"
#include "modes/reduction.h"
#include "value/week_pool.h"

namespace kelvo {

// What a budget's set is expected to win, when the public's percentages are known.
struct TBudgetWinnings {
    // The set's expected winnings (ValueOfSet's Total), its cost and the one over the other.
    double Expected = 0;
    double Cost = 0;
    double ReturnPerEuro = 0;
    // No set of as many columns is expected to win more; what the greedy's set was expected to
    // win.
    double Bound = 0;
    double Greedy = 0;

    bool operator==(const TBudgetWinnings&) const = default;
};

// How a budget's choice went.
struct TBudgetReport {
    // The columns the budget pays for, and how many were chosen (never more).
    std::size_t Budget = 0;
    std::size_t Chosen = 0;
    // In percent, by the player's chances: that the week's result is one of the columns (the
    // forecast's chance); that it is and some chosen column has at least the guarantee's signs
    // right; a bound no set of Budget columns covers more than; what the greedy's set covered.
    double Forecast = 0;
    double Covered = 0;
    double Bound = 0;
    double Greedy = 0;
    // With the public's percentages, the winnings; the set was then chosen for them.
    std::optional<TBudgetWinnings> Winnings;
    // Whether no set of Budget columns does better by what the set was chosen for: the chance
    // covered reached its bound or, with Winnings, the winnings theirs.
    bool BestPossible = false;
    // The search's time after the greedy, and when the final set was first reached from its start.
    TClock::duration Spent{};
    TClock::duration Reached{};
    // Whether a stop was requested before the search ended.
    bool Stopped = false;

    bool operator==(const TBudgetReport&) const = default;
};

// What to choose, and how.
struct TBudgetRequest {
    // The columns, in file order.
    std::span<const TKey> Columns;
    // The most columns to choose.
    std::size_t Budget = 0;
    int Guarantee = kStrongestGuarantee;
    // The week: its Chances weigh every column; with ByWinnings, its public percentages, takings,
    // jackpot, price, rules and Pleno give the winnings the set is chosen for.
    TWeekPool Week;
    bool ByWinnings = false;
    // The search's budget after the greedy; none: the greedy's set (and, where it fits the budget,
    // the greedy's reduction).
    std::optional<TOptimiserBudget> Optimise;
    // The chosen columns may be any columns of 14 signs 1, X and 2 within the guarantee's radius
    // of a column and showing signs seen at each match, not only the columns given.
    bool Anywhere = false;
    // Once a stop is requested (from any thread), the search ends as if its budget had run out
    // and the best set so far is the result.
    std::stop_token Stop;
    std::function<TClock::time_point()> Now = TClock::now;
    // Told how far the choice has got, on the calling thread; may be null.
    TProgressSink* Progress = nullptr;
};

struct TBudgetChoice {
    // The chosen columns in the order of the columns given; with Anywhere, in the collation order
    // of a sorted column file.
    std::vector<TKey> Chosen;
    TBudgetReport Report;
};

// Chooses at most request.Budget columns. By chance: where a reduction at the guarantee fits the
// budget (the greedy's, the constructed code of a full development, or the optimiser's given the
// same budget, seed and steps), that reduction, which covers every column; otherwise the set of
// the most chance covered (CoverBudget). ByWinnings: the set of the most expected winnings
// (ValueBudget). Throws TEngineError "Unknown guarantee N: the guarantees are 11, 12 and 13",
// TEngineError "The budget is no column: choose at least one" for a budget of 0, and TEngineError
// "Out of memory" when memory runs out.
TBudgetChoice ChooseForBudget(const TBudgetRequest& request);

// The whole number of columns `euros` buys at `price` a column, each played with every Pleno
// result chosen (CostOf): 0 where it buys none or the price is 0.
std::size_t ColumnsForEuros(double euros, double price, const TPleno& pleno);

}  // namespace kelvo
