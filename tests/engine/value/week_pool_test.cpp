#include "value/week_pool.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace kelvo {
namespace {

TEST(week_pool, slips_hold_at_most_eight_columns) {
    const std::pair<std::size_t, std::size_t> cases[] = {{0, 0}, {1, 1},  {2, 1}, {8, 1},
                                                         {9, 2}, {16, 2}, {17, 3}};
    for (const auto& [columns, slips] : cases) {
        EXPECT_EQ(SlipsFor(columns), slips) << columns;
    }
}

TEST(week_pool, pleno_results_are_read_and_written_as_two_goals) {
    EXPECT_EQ(ParsePlenoResult("0-0"), 0);
    EXPECT_EQ(ParsePlenoResult("1-M"), 7);
    EXPECT_EQ(ParsePlenoResult("M-2"), 14);
    for (const char* wrong : {"", "1", "1-3", "m-1", "1:1", "10-1", "1-1 "}) {
        EXPECT_EQ(ParsePlenoResult(wrong), -1) << wrong;
    }
    for (int result = 0; result < kPlenoResults; ++result) {
        EXPECT_EQ(ParsePlenoResult(PlenoResultText(result)), result);
    }
    TPleno pleno;
    EXPECT_EQ(BetsPerColumn(pleno), 1);
    pleno.Chosen[3] = pleno.Chosen[7] = pleno.Chosen[15] = true;
    EXPECT_EQ(BetsPerColumn(pleno), 3);
}

TEST(week_pool, pleno_percentages_are_two_lines_of_four) {
    const TPlenoPercentages read = ParsePlenoPercentages("30 35 20 15\r\n40,35,15,10\n");
    EXPECT_EQ(read, (TPlenoPercentages{{{30, 35, 20, 15}, {40, 35, 15, 10}}}));
    EXPECT_THROW_MSG(ParsePlenoPercentages("30 35 20 15\n"), TChancesError,
                     "the Pleno's chances have 1 lines; they need 2, the home team's and the "
                     "away team's");
    EXPECT_THROW_MSG(ParsePlenoPercentages("30 35 35\n40 35 15 10\n"), TChancesError,
                     "line 1: it holds 3 numbers; it needs 4, the chances of 0, 1, 2 and M goals");
    EXPECT_THROW_MSG(ParsePlenoPercentages("30 35 20 15\n40 35 15 11\n"), TChancesError,
                     "line 2: the chances add up to 101; they must add up to 100");
}

}  // namespace
}  // namespace kelvo
