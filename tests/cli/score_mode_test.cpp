// kelvo-reduce --score through the driver: the exact output for a full and a partial result, and
// the results it refuses.
#include <sstream>

#include "driver.h"
#include "exit_status.h"
#include "test_support.h"

namespace kelvo {

namespace {

// Scores the file `path` against `result` as the command line does; returns the status, and what
// went to standard output and standard error.
std::tuple<int, std::string, std::string> Score(const std::string& result,
                                                const std::string& path) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunDriver({"--score", result, path}, out, err);
    return {status, out.str(), err.str()};
}

}  // namespace

// The columns, and for each result their signs right (and the most they can reach):
//   result            1X211X211X211X  2X211X211X211X  22211X211X2112  1x211x211x211x
//   1X211X211X211X        14              13              11              14
//   1X2-1X2 1X2-1X      11 (14)         10 (13)          8 (11)         11 (14)
//   1x211X211X211-      13 (14)         12 (13)         11 (12)         13 (14)
TEST(score_mode, a_partial_result_adds_what_the_columns_can_still_reach) {
    TTempDir dir;
    WriteBytes(dir / "reducida.txt",
               CrLfLines({"1X211X211X211X", "2X211X211X211X", "22211X211X2112", "1x211x211x211x"}));
    const std::string before = ReadBytes(dir / "reducida.txt");
    const std::vector<std::pair<std::string, std::string>> cases = {
        // Every match played: the lines as they have always been, and nothing more.
        {"1X211X211X211X",
         "14 right: 2\n13 right: 1\n12 right: 0\n11 right: 1\n10 right: 0\n"
         "  line 1: 1X211X211X211X\n  line 2: 2X211X211X211X\n  line 4: 1x211x211x211x\n"},
        {"1X2-1X2 1X2-1X",
         "14 right: 0\n13 right: 0\n12 right: 0\n11 right: 2\n10 right: 1\n"
         "can still reach 14: 2\ncan still reach 13: 3\ncan still reach 12: 3\n"
         "can still reach 11: 4\ncan still reach 10: 4\n"},
        {"1x211X211X211-",
         "14 right: 0\n13 right: 2\n12 right: 1\n11 right: 1\n10 right: 0\n"
         "  line 1: 1X211X211X211X\n  line 4: 1x211x211x211x\n"
         "can still reach 14: 2\ncan still reach 13: 3\ncan still reach 12: 4\n"
         "can still reach 11: 4\ncan still reach 10: 4\n"},
        // Nothing played yet: every column can still reach 14.
        {"--------------",
         "14 right: 0\n13 right: 0\n12 right: 0\n11 right: 0\n10 right: 0\n"
         "can still reach 14: 4\ncan still reach 13: 4\ncan still reach 12: 4\n"
         "can still reach 11: 4\ncan still reach 10: 4\n"},
    };
    for (const auto& [result, expected] : cases) {
        const auto [status, out, err] = Score(result, dir / "reducida.txt");
        EXPECT_EQ(status, kExitCompleted) << result;
        EXPECT_EQ(out, expected) << result;
        EXPECT_EQ(err, "") << result;
    }
    EXPECT_EQ(ReadBytes(dir / "reducida.txt"), before);
}

TEST(score_mode, a_result_of_the_wrong_length_or_with_a_bad_sign_is_a_usage_error) {
    TTempDir dir;
    WriteBytes(dir / "reducida.txt", CrLfLines({"1X211X211X211X"}));
    const std::string why =
        "' is no result: give 14 signs of 1, X and 2, with - or a blank for a "
        "match not yet played\n";
    for (const std::string result : {"1X2-1X2 1X2-1", "1X2-1X2 1X2-1X1", "1X2-1X2_1X2-1X",
                                     "1X2-1X2\t1X2-1X", "0X211X211X211X", ""}) {
        const auto [status, out, err] = Score(result, dir / "reducida.txt");
        EXPECT_EQ(status, kExitUsage) << result;
        EXPECT_EQ(out, "") << result;
        EXPECT_EQ(err.substr(0, err.find('\n') + 1), "kelvo-reduce: --score: '" + result + why);
    }
}

}  // namespace kelvo
