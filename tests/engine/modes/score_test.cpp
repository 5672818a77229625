#include "modes/score.h"

#include "core/engine_error.h"
#include "test_support.h"

namespace kelvo {

TEST(score, results_are_fourteen_signs_of_1_x_and_2) {
    EXPECT_TRUE(IsResult("1X21X1121X2112"));
    EXPECT_TRUE(IsResult("1x21x1121x2112"));
    EXPECT_FALSE(IsResult("1X21X1121X211"));
    EXPECT_FALSE(IsResult("1X21X1121X21123"));
    EXPECT_FALSE(IsResult("1X21X1121X211Y"));
    EXPECT_FALSE(IsResult(""));
    // A match not yet played is a '-' or a blank, in any place.
    EXPECT_TRUE(IsResult("1X2-1X2 1X2-1X"));
    EXPECT_TRUE(IsResult("--------------"));
    EXPECT_TRUE(IsResult("              "));
    EXPECT_FALSE(IsResult("1X2_1X2 1X2-1X"));
    EXPECT_FALSE(IsResult("1X2-1X2 1X2-1"));
    EXPECT_FALSE(IsResult("1X2-1X2\t1X2-1X"));
}

TEST(score, a_result_is_final_once_every_match_is_played) {
    EXPECT_TRUE(IsFinal("1x21X1121X2112"));
    EXPECT_FALSE(IsFinal("1X21X1121X211-"));
    EXPECT_FALSE(IsFinal(" X21X1121X2112"));
}

TEST(score, columns_are_counted_by_signs_right_with_the_prized_lines_listed) {
    TTempDir dir;
    const std::string result = "1X21X1121X2112";
    WriteBytes(dir / "f.txt", CrLfLines({
                                  "1X21X1121X2112",      // 14
                                  "  1x21x1121x2112\t",  // 14: trimmed, x as X
                                  "",                    // blank: 0
                                  "1X21X1121X2111",      // 13
                                  "2X21X1121X2111",      // 12
                                  "1X21X112",            // 8: short
                                  "2221X1121X2111",      // 11
                                  "222XX1121X2111",      // 10
                                  "1X21X1121X2112XXXX",  // 14: cut to 14
                                  "\x1a"
                                  "1X21X1121X2112",  // ends the columns
                                  "1X21X1121X2112",
                              }));
    const std::string before = ReadBytes(dir / "f.txt");
    const TScore score = ScoreColumns(result, dir / "f.txt");
    EXPECT_EQ(score.Right, (std::array<std::size_t, 5>{3, 1, 1, 1, 1}));
    const std::vector<std::pair<std::size_t, std::string>> prized = {
        {1, "1X21X1121X2112"}, {2, "1x21x1121x2112"}, {4, "1X21X1121X2111"}, {9, "1X21X1121X2112"}};
    EXPECT_EQ(score.Prized, prized);
    EXPECT_EQ(ReadBytes(dir / "f.txt"), before);
}

TEST(score, columns_in_memory_are_scored_by_their_place_with_x_as_the_draw) {
    const std::vector<TKey> columns =
        KeysOf({"222222222222x2", "222222222222X", "222222222222X1", "2222222222X2X1"});
    const TScore score = ScoreColumns("222222222222X2", columns);
    EXPECT_EQ(score.Right, (std::array<std::size_t, 5>{1, 2, 1, 0, 0}));
    const std::vector<std::pair<std::size_t, std::string>> prized = {
        {1, "222222222222x2"}, {2, "222222222222X"}, {3, "222222222222X1"}};
    EXPECT_EQ(score.Prized, prized);
    // With every match played, a column can reach what it has, and has at least 14, 13, ... right.
    EXPECT_EQ(score.CanReach, (std::array<std::size_t, 5>{1, 3, 4, 4, 4}));
    EXPECT_EQ(score.Have, score.CanReach);
    EXPECT_EQ(ScoreColumns("11111111111111", columns).Right, (std::array<std::size_t, 5>{}));
}

// Against 1X2-1X2 1X2-1X, matches 4, 8 and 12 not yet played:
//   column          right  most   why
//   1X211X211X211X    11    14    every match played right, a sign in each one not played
//   1x211x211x211x    11    14    the same, x as X
//   1X2-1X2-1X2-1X    11    11    a '-' in a column is no sign: it can never come right
//   2X211X211X211X    10    13    match 1 wrong
//   1X2X1X211X2XXX    10    13    match 13 wrong
//   22211X211X2112     8    11    matches 1, 2 and 14 wrong
//   2222222222222X     4     7    right in matches 3, 7, 11 and 14
//   1X2                3     3    a short line: nothing in the places not played
// So, for 14 down to 10: right so far 0 0 0 3 2; can still reach 2 4 4 6 6; already have 0 0 0 3 5.
TEST(score, a_partial_result_counts_the_signs_right_so_far_and_the_most_each_can_reach) {
    const std::string result = "1X2-1X2 1X2-1X";
    const std::vector<std::pair<std::string, TStanding>> table = {
        {"1X211X211X211X", {11, 14}}, {"1x211x211x211x", {11, 14}},
        {"1X2-1X2-1X2-1X", {11, 11}}, {"2X211X211X211X", {10, 13}},
        {"1X2X1X211X2XXX", {10, 13}}, {"22211X211X2112", {8, 11}},
        {"2222222222222X", {4, 7}},   {"1X2", {3, 3}},
    };
    std::vector<TKey> columns;
    for (const auto& [column, standing] : table) {
        const TStanding got = StandingOf(MakeKey(column), MakeKey(result));
        EXPECT_EQ(got.Right, standing.Right) << column;
        EXPECT_EQ(got.Most, standing.Most) << column;
        columns.push_back(MakeKey(column));
    }
    const TScore score = ScoreColumns(result, columns);
    EXPECT_EQ(score.Right, (std::array<std::size_t, 5>{0, 0, 0, 3, 2}));
    EXPECT_EQ(score.CanReach, (std::array<std::size_t, 5>{2, 4, 4, 6, 6}));
    EXPECT_EQ(score.Have, (std::array<std::size_t, 5>{0, 0, 0, 3, 5}));
    EXPECT_TRUE(score.Prized.empty());

    // Only match 14 left (a blank is as good as a '-'): right so far, in the order of the table,
    // 13 13 10 12 10 11 3 3 and most 14 14 11 13 11 12 4 3. The columns with 13 right so far are
    // listed.
    const TScore late = ScoreColumns("1X211X211X211 ", columns);
    EXPECT_EQ(late.Right, (std::array<std::size_t, 5>{0, 2, 1, 1, 2}));
    EXPECT_EQ(late.CanReach, (std::array<std::size_t, 5>{2, 3, 4, 6, 6}));
    EXPECT_EQ(late.Have, (std::array<std::size_t, 5>{0, 2, 3, 4, 6}));
    const std::vector<std::pair<std::size_t, std::string>> prized = {{1, "1X211X211X211X"},
                                                                     {2, "1x211x211x211x"}};
    EXPECT_EQ(late.Prized, prized);
}

TEST(score, a_missing_file_is_reported_with_its_name) {
    TTempDir dir;
    EXPECT_THROW_MSG(ScoreColumns("1X21X1121X2112", dir / "nope.txt"), TEngineError,
                     "Cannot open file " + dir / "nope.txt");
}

}  // namespace kelvo
