// What a change the player makes to a plan touches, so that the window works out again only what
// depends on it.
#pragma once

enum class TPlanChange {
    // The signs played or the conditions: the development, its count, and any reduction of it.
    Development,
    // The guarantee, or whether columns may come from outside the forecast: any reduction made.
    Reduction,
    // The chances, or whether they weigh the prizes: the chances of the prizes.
    Chances,
    // The price of a column: the costs shown.
    Price,
    // The public's percentages, the Pleno al 15, the takings, the jackpot or the prize rules: the
    // costs and what the reduction is expected to win.
    Value,
    // What is kept but weighs on nothing worked out: the teams, the optimiser's time, the result.
    Other,
};
