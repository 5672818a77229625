// kelvo-reduce --develop with --value-min and --public-max through the driver: the columns they
// keep by the files of --chances and --public, and the commands they refuse.
#include <algorithm>
#include <filesystem>
#include <sstream>

#include "driver.h"
#include "exit_status.h"
#include "files/collation.h"
#include "test_support.h"

namespace kelvo {

namespace {

struct TDriverRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

TDriverRun Drive(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    TDriverRun run;
    run.Status = RunDriver(args, out, err);
    run.Out = out.str();
    run.Err = err.str();
    return run;
}

// Two triples and a double, the rest fixed: 18 columns.
constexpr char kForecast[] = "1X2,1X2,1X,1,1,1,1,1,1,1,1,1,1,1";

// 14 lines of percentages: `first` for the first three matches, 100 0 0 for the others.
std::string Percentages(const std::vector<std::string>& first) {
    std::string text;
    for (std::size_t match = 0; match < 14; ++match) {
        text += (match < first.size() ? first[match] : "100 0 0") + "\n";
    }
    return text;
}

}  // namespace

// The percentages of the first three matches (the others hold 1 at 100 %), and each column's
// chance, its share of the public's columns and their ratio, the column's value:
//   chances  50 30 20 | 40 40 20 | 60 40 0      1X1  12 %    1 %    12
//   public   25 25 50 | 80 10 10 | 40 60 0      XX1  7.2 %   1 %    7.2
//                                               121  6 %     1 %    6
//                                               1XX  8 %     1.5 %  5.33
//                                               X21  3.6 %   1 %    3.6
//                                               XXX  4.8 %   1.5 %  3.2
//                                               12X  4 %     1.5 %  2.67
//                                               X2X  2.4 %   1.5 %  1.6
// and the other ten columns below a value of 2.5 and above a share of 2 %.
TEST(value_conditions_cli, develop_keeps_the_columns_of_value_and_of_little_public) {
    TTempDir dir;
    WriteBytes(dir / "chances.txt", Percentages({"50 30 20", "40,40,20", "60 40 0"}));
    WriteBytes(dir / "public.txt", Percentages({"25 25 50", "80 10 10", "40 60 0"}));
    const std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> cases = {
        {{"--value-min", "4"}, {"1X1", "XX1", "121", "1XX"}},
        {{"--value-min", "2.5"}, {"1X1", "XX1", "121", "1XX", "X21", "XXX", "12X"}},
        {{"--public-max", "1.2"}, {"1X1", "XX1", "121", "X21"}},
        {{"--public-max", "1.7"}, {"1X1", "XX1", "121", "1XX", "X21", "XXX", "12X", "X2X"}},
        {{"--value-min", "4", "--public-max", "1.2"}, {"1X1", "XX1", "121"}},
    };
    for (const auto& [conditions, kept] : cases) {
        std::vector<std::string> args = {"--develop", kForecast};
        args.insert(args.end(), conditions.begin(), conditions.end());
        for (const std::string& option : conditions) {
            if (option == "--value-min") {
                args.insert(args.end(), {"--chances", dir / "chances.txt"});
            }
        }
        args.insert(args.end(), {"--public", dir / "public.txt", dir / "semana.txt"});
        const TDriverRun run = Drive(args);
        SCOPED_TRACE(conditions[1]);
        EXPECT_EQ(run.Status, kExitCompleted) << run.Err;
        std::vector<std::string> columns;
        for (const std::string& first : kept) {
            columns.push_back(first + "11111111111");
        }
        // In the order a run sorts them.
        std::sort(columns.begin(), columns.end(), [](const std::string& a, const std::string& b) {
            return CompareLines(a, b) < 0;
        });
        EXPECT_EQ(ReadBytes(dir / "semana.txt"), CrLfLines(columns));
        EXPECT_EQ(run.Out, std::to_string(kept.size()) + " columns written to " +
                               (dir / "semana.txt") + "\n");
    }
}

TEST(value_conditions_cli, commands_that_miss_or_spoil_the_percentages_are_usage_errors) {
    TTempDir dir;
    const std::string chances = dir / "chances.txt";
    const std::string out = dir / "semana.txt";
    WriteBytes(chances, Percentages({}));
    WriteBytes(dir / "short.txt", "50 30 20\n");
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--develop", kForecast, "--value-min", "2", out},
         "--value-min requires --chances and --public"},
        {{"--develop", kForecast, "--value-min", "2", "--chances", chances, out},
         "--value-min requires --public"},
        {{"--develop", kForecast, "--value-min", "2", "--public", chances, out},
         "--value-min requires --chances"},
        {{"--develop", kForecast, "--public-max", "2", "--chances", chances, out},
         "--public-max requires --public"},
        {{"--develop", kForecast, "--public-max", "2", "--chances", chances, "--public", chances,
          out},
         "--chances requires --prizes, --value, --budget, --budget-euros or --value-min"},
        {{"--develop", kForecast, "--public", chances, out},
         "--public requires --value, --budget, --budget-euros, --value-min or --public-max"},
        {{"--public", chances, "a", "b"},
         "--public requires --value, --budget, --budget-euros, --value-min or --public-max"},
        {{"--value-min", "2", "a", "b"}, "--value-min requires --develop"},
        {{"--develop", kForecast, "--value-min", "1,5", "--chances", chances, "--public", chances,
          out},
         "--value-min: '1,5' is no value condition: write R, a number above 0 and at most "
         "1000000"},
        {{"--develop", kForecast, "--public-max", "0", "--public", chances, out},
         "--public-max: '0' is no public share condition: write PERCENT, a number above 0 and at "
         "most 100"},
        {{"--develop", kForecast, "--public-max", "5", "--public", dir / "short.txt", out},
         "--public: " + dir / "short.txt" +
             ": the chances have 1 lines; they need 14, one per match"},
        {{"--develop", kForecast, "--value-min", "5", "--public", chances, "--chances",
          dir / "short.txt", out},
         "--chances: " + dir / "short.txt" +
             ": the chances have 1 lines; they need 14, one per match"},
    };
    for (const auto& [args, message] : cases) {
        const TDriverRun run = Drive(args);
        EXPECT_EQ(run.Status, kExitUsage) << message;
        EXPECT_EQ(run.Err.substr(0, run.Err.find('\n')), "kelvo-reduce: " + message);
        EXPECT_EQ(run.Out, "");
        EXPECT_FALSE(std::filesystem::exists(out)) << message;
    }
}

TEST(value_conditions_cli, help_lists_the_conditions_and_the_public_file) {
    const TDriverRun help = Drive({"--help"});
    for (const std::string line :
         {"\n  --value-min R               with --develop: only columns whose chance is at least R "
          "times their public share\n",
          "\n  --public-max PERCENT        with --develop: only columns played by at most PERCENT "
          "% of the public\n",
          "\n  --public FILE               with --value, a budget, --value-min or --public-max: "
          "the public's "
          "percentages of 1, X and 2 for each match, in the form of --chances\n",
          "\n  --value-min R               the column's chance is at least R times its share of "
          "the public's columns (needs --chances and --public)\n",
          "\n  --public-max PERCENT        the column's share of the public's columns is at most "
          "PERCENT % (needs --public)\n"}) {
        EXPECT_NE(help.Out.find(line), std::string::npos) << line << help.Out;
    }
}

}  // namespace kelvo
