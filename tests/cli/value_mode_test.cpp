// kelvo-reduce --value through the driver: its lines and its --each file as the engine values the
// columns, the figures' decimal form, and the commands it refuses before writing anything.
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

constexpr std::string_view kChances =
    "60 25 15\n40 30 30\n30 30 40\n35 30 35\n20 30 50\n55 30 15\n30 40 30\n"
    "45 25 30\n50 30 20\n60 25 15\n40 30 30\n25 30 45\n30 40 30\n50 30 20\n";
constexpr std::string_view kPublic =
    "70 20 10\n50 30 20\n30 35 35\n40 30 30\n15 25 60\n65 25 10\n25 45 30\n"
    "50 20 30\n60 25 15\n70 20 10\n45 30 25\n20 30 50\n25 45 30\n55 30 15\n";
const std::vector<std::string> kColumns = {"1X21X21X21X21X", "11111111111111", "1X21X21X21X21X",
                                           "2X21X21X21X2XX", "1X2"};

// The files of a --value run in `dir`.
std::vector<std::string> ValueArgs(const TTempDir& dir) {
    WriteBytes(dir / "reducida.txt", CrLfLines(kColumns));
    WriteBytes(dir / "prob.txt", std::string(kChances));
    WriteBytes(dir / "pub.txt", std::string(kPublic));
    WriteBytes(dir / "pc.txt", "30 35 20 15\n40 35 15 10\n");
    WriteBytes(dir / "pp.txt", "25 40 20 15\n45 30 15 10\n");
    return {"--value",  dir / "reducida.txt", "--chances", dir / "prob.txt",
            "--public", dir / "pub.txt",      "--takings", "2500000"};
}

TWeekPool ValuePool() {
    TWeekPool pool;
    pool.Chances = ParseChances(kChances);
    pool.Public = ParseChances(kPublic);
    pool.Takings = 2500000;
    return pool;
}

std::vector<TKey> Keys() {
    std::vector<TKey> keys;
    for (const std::string& column : kColumns) {
        keys.push_back(MakeKey(column));
    }
    return keys;
}

std::string ValueLines(const TSetValue& value) {
    std::string lines =
        "columns: 5\ncost: " + DecimalText(value.Cost) + "\nexpected 14+15: " +
        (value.Special ? DecimalText(*value.Special) : std::string("not counted (no pleno)")) +
        "\n";
    for (std::size_t c = 0; c < kPrizeCategories; ++c) {
        lines +=
            "expected " + std::to_string(14 - c) + ": " + DecimalText(value.Expected[c]) + "\n";
    }
    return lines + "expected total: " + DecimalText(value.Total) +
           "\nreturn per euro: " + DecimalText(value.ReturnPerEuro) +
           "\nchance of a prize: " + DecimalText(value.ChanceOfPrize) + "%\n";
}

}  // namespace

TEST(value_mode, figures_are_decimals_of_ten_significant_digits) {
    const std::pair<double, std::string> cases[] = {
        {0, "0"},
        {54, "54"},
        {2500000, "2500000"},
        {17.344918003, "17.344918"},
        {0.32120218523, "0.3212021852"},
        {0.0000179625612345, "0.00001796256123"},
        {1.23456789012e-12, "0.00000000000123456789"},
        {9.99999999996, "10"},
        {123456789012345.0, "123456789000000"},
        {-0.5, "-0.5"},
        {std::numeric_limits<double>::infinity(), "inf"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(DecimalText(value), text) << value;
    }
}

TEST(value_mode, prints_what_the_engine_values_and_writes_each_column_in_file_order) {
    TTempDir dir;
    std::vector<std::string> args = ValueArgs(dir);
    const std::string before = ReadBytes(dir / "reducida.txt");
    auto [status, out, err] = Drive(args);
    EXPECT_EQ(status, kExitCompleted) << err;
    EXPECT_EQ(out, ValueLines(*ValueOfSet(Keys(), ValuePool())));

    TWeekPool pool = ValuePool();
    pool.Jackpot = 1000000;
    pool.Price = 0.5;
    pool.Pleno.Chosen[ParsePlenoResult("1-1")] = true;
    pool.Pleno.Chosen[ParsePlenoResult("2-M")] = true;
    pool.Pleno.Chances = {{{30, 35, 20, 15}, {40, 35, 15, 10}}};
    pool.Pleno.Public = {{{25, 40, 20, 15}, {45, 30, 15, 10}}};
    args.insert(args.end(),
                {"--jackpot", "1000000", "--price", "0.5", "--pleno", "1-1,2-M", "--pleno-chances",
                 dir / "pc.txt", "--pleno-public", dir / "pp.txt", "--each", dir / "valor.tsv"});
    std::tie(status, out, err) = Drive(args);
    EXPECT_EQ(status, kExitCompleted) << err;
    EXPECT_EQ(out, ValueLines(*ValueOfSet(Keys(), pool)));
    const std::vector<TColumnValue> values = *ValueOfEachColumn(Keys(), pool);
    std::vector<std::string> lines = {
        "column\tchance\tpublic share\tvalue\texpected\treturn per euro"};
    for (std::size_t k = 0; k < kColumns.size(); ++k) {
        const TColumnValue& value = values[k];
        lines.push_back(kColumns[k] + "\t" + DecimalText(value.Chance) + "\t" +
                        DecimalText(value.PublicShare) + "\t" + DecimalText(value.Value) + "\t" +
                        DecimalText(value.Expected) + "\t" + DecimalText(value.ReturnPerEuro));
    }
    EXPECT_EQ(ReadBytes(dir / "valor.tsv"), CrLfLines(lines));
    EXPECT_EQ(ReadBytes(dir / "reducida.txt"), before);
}

TEST(value_mode, wrong_options_and_files_are_told_before_anything_is_written) {
    TTempDir dir;
    const std::vector<std::string> args = ValueArgs(dir);
    WriteBytes(dir / "bad.txt", "30 35 20\n");
    const std::string each = dir / "valor.tsv";
    auto with = [&](std::vector<std::string> extra, std::size_t drop = 0, std::size_t count = 0) {
        std::vector<std::string> command = args;
        command.erase(command.begin() + static_cast<std::ptrdiff_t>(drop),
                      command.begin() + static_cast<std::ptrdiff_t>(drop + count));
        command.insert(command.end(), extra.begin(), extra.end());
        command.insert(command.end(), {"--each", each});
        return command;
    };
    const std::string bad = dir / "bad.txt";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {with({}, 2, 2), "--value requires --chances"},
        {with({}, 4, 2), "--value requires --public"},
        {with({}, 6, 2), "--value requires --takings"},
        {with({"--takings", "-5"}, 6, 2),
         "--takings: '-5' is no sum of euros: give a number from 0 and at most 10000000000"},
        {with({"--price", "0"}),
         "--price: '0' is no sum of euros: give a number above 0 and at most 10000000000"},
        {with({"--pleno", "1-1"}), "--pleno requires --pleno-chances"},
        {with({"--pleno", "1-1", "--pleno-chances", bad}), "--pleno requires --pleno-public"},
        {with({"--pleno-chances", bad}), "--pleno-chances requires --pleno"},
        {with({"--public", bad}, 4, 2),
         "--public: " + bad + ": the chances have 1 lines; they need 14, one per match"},
        {with({"--pleno", "1-1", "--pleno-chances", bad, "--pleno-public", bad}),
         "--pleno-chances: " + bad +
             ": the Pleno's chances have 1 lines; they need 2, the home team's and the away "
             "team's"},
        {with({"--pleno", "1-3", "--pleno-chances", bad, "--pleno-public", bad}),
         "--pleno: '1-3' is no Pleno result: write the home and away goals as two of 0, 1, 2 "
         "and M, as 1-M"},
        {with({"--pleno", "1-1,1-1", "--pleno-chances", bad, "--pleno-public", bad}),
         "--pleno: '1-1' is given twice"},
        {with({"--optimise", "5"}),
         "--value takes no --develop, --check, --no-limit, --optimise, --score or --prizes"},
        {{"--each", each, "a", "b"}, "--each requires --value"},
    };
    for (const auto& [command, message] : cases) {
        const auto [status, out, err] = Drive(command);
        EXPECT_EQ(status, kExitUsage) << message;
        EXPECT_EQ(err.substr(0, err.find('\n')), "kelvo-reduce: " + message);
        EXPECT_EQ(out, "");
        EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"bad.txt", "pc.txt", "pp.txt",
                                                           "prob.txt", "pub.txt", "reducida.txt"}))
            << message;
    }
}

}  // namespace kelvo
