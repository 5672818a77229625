// kelvo-reduce --budget and --budget-euros through the driver: the chosen columns written and the
// budget's line against a literal reference, the euros' columns with the Pleno, the winnings as
// --value reckons them, and the commands refused before anything is written.
#include <algorithm>
#include <sstream>

#include "decimal_text.h"
#include "driver.h"
#include "exit_status.h"
#include "test_support.h"
#include "value/set_value.h"

namespace kelvo {

namespace {

std::tuple<int, std::string, std::string> Drive(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunDriver(args, out, err);
    return {status, out.str(), err.str()};
}

// Three free matches; the other eleven are 1 for certain, so the forecast holds the result.
constexpr std::string_view kChances =
    "60 25 15\n50 30 20\n45 35 20\n100 0 0\n100 0 0\n100 0 0\n100 0 0\n"
    "100 0 0\n100 0 0\n100 0 0\n100 0 0\n100 0 0\n100 0 0\n100 0 0\n";
constexpr std::string_view kPublic =
    "70 20 10\n50 30 20\n30 35 35\n40 30 30\n15 25 60\n65 25 10\n25 45 30\n"
    "50 20 30\n60 25 15\n70 20 10\n45 30 25\n20 30 50\n25 45 30\n55 30 15\n";

// The chance of `column` by kChances, sign by sign.
double LiteralChance(const std::string& column) {
    const std::vector<std::vector<double>> free = {
        {.60, .25, .15}, {.50, .30, .20}, {.45, .35, .20}};
    double chance = 1;
    for (std::size_t m = 0; m < free.size(); ++m) {
        chance *= free[m][std::string("1X2").find(column[m])];
    }
    return chance;
}

int Distance(const std::string& a, const std::string& b) {
    int distance = 0;
    for (std::size_t m = 0; m < a.size(); ++m) {
        distance += a[m] != b[m] ? 1 : 0;
    }
    return distance;
}

// The files of a budget run in `dir`, before the budget's own options.
std::vector<std::string> BudgetArgs(const TTempDir& dir) {
    WriteBytes(dir / "semana.txt", CrLfLines(Development(3)));
    WriteBytes(dir / "prob.txt", std::string(kChances));
    WriteBytes(dir / "pub.txt", std::string(kPublic));
    return {"--chances", dir / "prob.txt"};
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line.substr(0, line.find('\r')));
    }
    return lines;
}

std::string LastLine(const std::string& out) {
    return Lines(out).back();
}

}  // namespace

TEST(budget_mode, one_column_is_the_one_that_covers_most_chance) {
    const TTempDir dir;
    std::vector<std::string> args = BudgetArgs(dir);
    args.insert(args.end(), {"--budget", "1", dir / "semana.txt", dir / "presupuesto"});
    const auto [status, out, err] = Drive(args);
    ASSERT_EQ(status, kExitCompleted) << err;
    const std::vector<std::string> columns = Development(3);
    std::string best;
    double most = -1;
    for (const std::string& centre : columns) {
        double covered = 0;
        for (const std::string& column : columns) {
            covered += Distance(centre, column) <= 1 ? LiteralChance(column) : 0;
        }
        if (covered > most) {
            most = covered;
            best = centre;
        }
    }
    EXPECT_EQ(ReadBytes(dir / "presupuesto.txt"), best + "\r\n");
    EXPECT_EQ(LastLine(out), "Budget: 1 columns, chance of at least 13 right " +
                                 DecimalText(100 * most) + "% of the forecast's 100% (bound " +
                                 DecimalText(100 * most) + "%), best possible");
}

TEST(budget_mode, a_budget_a_reduction_fits_covers_every_column_in_the_input_order) {
    const TTempDir dir;
    std::vector<std::string> args = BudgetArgs(dir);
    args.insert(args.end(), {"--budget", "9", dir / "semana.txt", dir / "presupuesto"});
    const auto [status, out, err] = Drive(args);
    ASSERT_EQ(status, kExitCompleted) << err;
    EXPECT_EQ(LastLine(out),
              "Budget: 9 columns, chance of at least 13 right 100% of the forecast's 100% (bound "
              "100%), best possible");
    const std::vector<std::string> input = Lines(ReadBytes(dir / "semana.txt"));
    const std::vector<std::string> chosen = Lines(ReadBytes(dir / "presupuesto.txt"));
    EXPECT_LE(chosen.size(), 9u);
    EXPECT_TRUE(LiterallyCovers(input, chosen, 1));
    std::vector<std::string> inInputOrder;
    std::copy_if(input.begin(), input.end(), std::back_inserter(inInputOrder),
                 [&](const std::string& column) {
                     return std::find(chosen.begin(), chosen.end(), column) != chosen.end();
                 });
    EXPECT_EQ(chosen, inInputOrder);
}

TEST(budget_mode, euros_buy_whole_columns_of_every_pleno_result_played) {
    const TTempDir dir;
    std::vector<std::string> args = BudgetArgs(dir);
    args.insert(args.end(), {"--budget-euros", "4.4", "--pleno", "1-1,2-1", "--price", "0.5",
                             "--steps", "50", dir / "semana.txt", dir / "presupuesto"});
    const auto [status, out, err] = Drive(args);
    ASSERT_EQ(status, kExitCompleted) << err;
    EXPECT_EQ(LastLine(out).substr(0, 20), "Budget: 4 columns, c");
    EXPECT_EQ(Lines(ReadBytes(dir / "presupuesto.txt")).size(), 4u);
}

TEST(budget_mode, winnings_are_those_value_reckons_for_the_columns_written) {
    const TTempDir dir;
    std::vector<std::string> args = BudgetArgs(dir);
    args.insert(args.end(), {"--budget", "3", "--public", dir / "pub.txt", "--takings", "2500000",
                             "--steps", "20", dir / "semana.txt", dir / "presupuesto"});
    const auto [status, out, err] = Drive(args);
    ASSERT_EQ(status, kExitCompleted) << err;
    TWeekPool week;
    week.Chances = ParseChances(kChances);
    week.Public = ParseChances(kPublic);
    week.Takings = 2500000;
    const TSetValue value = *ValueOfSet(KeysOf(Lines(ReadBytes(dir / "presupuesto.txt"))), week);
    const std::string line = LastLine(out);
    EXPECT_NE(line.find("%), expected winnings " + DecimalText(value.Total) + " euros (bound "),
              std::string::npos)
        << line;
    EXPECT_NE(line.find("), return per euro " + DecimalText(value.ReturnPerEuro)),
              std::string::npos)
        << line;
}

TEST(budget_mode, commands_a_budget_cannot_run_are_refused_before_anything_is_written) {
    const TTempDir dir;
    const std::vector<std::string> files = BudgetArgs(dir);
    const auto with = [&](std::vector<std::string> options) {
        options.insert(options.begin(), files.begin(), files.end());
        options.insert(options.end(), {dir / "semana.txt", dir / "presupuesto"});
        return options;
    };
    const std::string semana = ReadBytes(dir / "semana.txt");
    const std::string taken =
        "takes no --budget-euros, --check, --develop, --score, --prizes, "
        "--value or --plan";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {with({"--budget", "0"}),
         "--budget: '0' is no number of columns: give a whole number from 1 to 4782969"},
        {with({"--budget", "2.5"}),
         "--budget: '2.5' is no number of columns: give a whole number from 1 to 4782969"},
        {with({"--budget-euros", "0"}),
         "--budget-euros: '0' is no sum of euros: give a number above 0 and at most "
         "10000000000"},
        {with({"--budget-euros", "1", "--pleno", "1-1,2-1"}),
         "--budget-euros: 1 euros buy no column, which costs 1.5 euros"},
        {{"--budget", "5", "a", "b"}, "--budget requires --chances"},
        {{"--budget-euros", "30", "a", "b"}, "--budget-euros requires --chances"},
        {with({"--budget", "5", "--budget-euros", "3"}), "--budget " + taken},
        {with({"--budget", "5", "--check"}), "--budget " + taken},
        {with({"--budget-euros", "5", "--prizes"}),
         "--budget-euros takes no --check, --develop, --score, --prizes, --value or --plan"},
        {with({"--budget", "5", "--seed", "3"}), "--seed requires --optimise or --steps"},
        {with({"--budget", "5", "--takings", "100"}), "--takings requires --public"},
        {with({"--budget", "5", "--public", dir / "pub.txt"}), "--public requires --takings"},
        {with({"--budget", "5", "--public", dir / "pub.txt", "--takings", "9", "--pleno", "1-1"}),
         "--pleno requires --pleno-chances"},
        {{"--budget", "5", "--chances", dir / "prob.txt", "a"}, "OUTPUT is required"},
        {{"--takings", "5", "a", "b"}, "--takings requires --value"},
        {{"--chances", dir / "prob.txt", "a", "b"},
         "--chances requires --prizes, --value, --budget, --budget-euros or --value-min"},
    };
    for (const auto& [command, message] : cases) {
        const auto [status, out, err] = Drive(command);
        EXPECT_EQ(status, kExitUsage) << message;
        EXPECT_EQ(err.substr(0, err.find('\n')), "kelvo-reduce: " + message);
        EXPECT_EQ(out, "");
        EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"prob.txt", "pub.txt", "semana.txt"}))
            << message;
        EXPECT_EQ(ReadBytes(dir / "semana.txt"), semana) << message;
    }
}

}  // namespace kelvo
