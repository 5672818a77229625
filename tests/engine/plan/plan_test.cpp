// The plan as the week's pool: every figure that weighs on a bet's value comes from the plan,
// each from its own field.
#include "plan/plan.h"

#include <gtest/gtest.h>

namespace kelvo {

namespace {

// A plan whose every figure differs from every other and from the defaults, so that a figure
// taken from the wrong field or the wrong match shows.
TPlan DistinctPlan() {
    TPlan plan = StartingPlan();
    for (std::size_t match = 0; match < plan.Matches.size(); ++match) {
        const double shift = static_cast<double>(match);
        plan.Matches[match].Chances = {40 + shift, 35 - shift, 25};
        plan.Matches[match].Public = {60 - shift, 22, 18 + shift};
    }
    plan.Takings = 3210987.5;
    plan.Jackpot = 456789;
    plan.Price = 1.25;
    plan.Rules.SpecialShare = 6.5;
    plan.Rules.Shares = {15, 8, 7, 6.5, 10};
    plan.Pleno.Teams = "Betis - Sevilla";
    plan.Pleno.Chosen[ParsePlenoResult("1-M")] = true;
    plan.Pleno.Chosen[ParsePlenoResult("2-0")] = true;
    plan.Pleno.Chances = {{{10, 20, 30, 40}, {25, 25, 25, 25}}};
    plan.Pleno.Public = {{{40, 30, 20, 10}, {50, 30, 15, 5}}};
    return plan;
}

}  // namespace

TEST(plan, week_pool_takes_every_figure_from_its_own_field_whether_or_not_chances_are_shown) {
    for (const bool shown : {false, true}) {
        TPlan plan = DistinctPlan();
        plan.ChancesShown = shown;
        const TWeekPool pool = WeekPoolOf(plan);
        for (std::size_t match = 0; match < plan.Matches.size(); ++match) {
            EXPECT_EQ(pool.Chances[match], plan.Matches[match].Chances) << match;
            EXPECT_EQ(pool.Public[match], plan.Matches[match].Public) << match;
        }
        EXPECT_EQ(pool.Takings, 3210987.5);
        EXPECT_EQ(pool.Jackpot, 456789);
        EXPECT_EQ(pool.Price, 1.25);
        EXPECT_EQ(pool.Rules, plan.Rules);
        EXPECT_EQ(pool.Pleno, plan.Pleno);
        EXPECT_EQ(BetsPerColumn(pool.Pleno), 2);
    }
}

}  // namespace kelvo
