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
    EXPECT_EQ(ScoreColumns("11111111111111", columns).Right, (std::array<std::size_t, 5>{}));
}

TEST(score, a_missing_file_is_reported_with_its_name) {
    TTempDir dir;
    EXPECT_THROW_MSG(ScoreColumns("1X21X1121X2112", dir / "nope.txt"), TEngineError,
                     "Cannot open file " + dir / "nope.txt");
}

}  // namespace kelvo
