#include "modes/development.h"

#include <algorithm>
#include <filesystem>

#include "files/collation.h"
#include "files/column_file.h"
#include "modes/conditions.h"
#include "modes/run.h"
#include "test_support.h"

namespace kelvo {

namespace {

constexpr char kWeekForecast[] = "1,1X,X2,1X2,2,1,X,12,1,1,1X2,2,X,1";

TForecast Fixed(std::string_view column) {
    TForecast forecast;
    for (std::size_t p = 0; p < forecast.size(); ++p) {
        forecast[p] = std::string(1, column[p]);
    }
    return forecast;
}

TCondition SignLimit(char sign, int least, int most) {
    TCondition condition;
    condition.Sign = sign;
    condition.Least = least;
    condition.Most = most;
    return condition;
}

// Every column of `forecast` by a literal nested walk, kept by counting signs.
std::vector<std::string> LiteralDevelopment(const TForecast& forecast,
                                            const std::vector<TCondition>& limits) {
    std::vector<std::string> columns = ForecastProduct(forecast);
    std::erase_if(columns, [&](const std::string& column) {
        return !std::all_of(limits.begin(), limits.end(), [&](const TCondition& limit) {
            const auto count = std::count(column.begin(), column.end(), limit.Sign);
            return count >= limit.Least && count <= limit.Most;
        });
    });
    std::sort(columns.begin(), columns.end(),
              [](const std::string& a, const std::string& b) { return CompareLines(a, b) < 0; });
    return columns;
}

}  // namespace

TEST(development, forecast_groups_are_read_with_commas_or_blanks_and_sorted_signs) {
    const TForecast forecast = ParseForecast("1, 1x ,X2  1X2 2,1 X,21,1 1 2X1 2 x 1");
    const TForecast expected = {"1",  "1X", "2X", "12X", "2", "1", "X",
                                "12", "1",  "1",  "12X", "2", "X", "1"};
    EXPECT_EQ(forecast, expected);
    EXPECT_EQ(ParseForecast(kWeekForecast)[3], "12X");
}

TEST(development, a_wrong_forecast_names_the_group_and_what_is_wrong) {
    EXPECT_THROW_MSG(ParseForecast("1,1X,X2"), TForecastError,
                     "the forecast has 3 groups; it needs 14");
    EXPECT_THROW_MSG(ParseForecast("1,1,1,1,1,1,1,1,1,1,1,1,1,1,1"), TForecastError,
                     "the forecast has 15 groups; it needs 14");
    EXPECT_THROW_MSG(ParseForecast("1,1,,1,1,1,1,1,1,1,1,1,1,1"), TForecastError,
                     "group 3 is empty");
    EXPECT_THROW_MSG(ParseForecast("1,1,1,1,1X1,1,1,1,1,1,1,1,1,1"), TForecastError,
                     "group 5 ('1X1') repeats the sign 1");
    EXPECT_THROW_MSG(ParseForecast("1,1,1,1,1,1,1,xX,1,1,1,1,1,1"), TForecastError,
                     "group 8 ('xX') repeats the sign X");
    EXPECT_THROW_MSG(ParseForecast("1,1Y,1,1,1,1,1,1,1,1,1,1,1,1"), TForecastError,
                     "group 2 ('1Y') holds 'Y', which is no sign: the signs are 1, X and 2");
    EXPECT_THROW_MSG(ParseForecast("1;1,1,1,1,1,1,1,1,1,1,1,1,1"), TForecastError,
                     "the forecast has 13 groups; it needs 14");
}

TEST(development, a_small_development_is_written_sorted_with_cr_lf) {
    TTempDir dir;
    TForecast forecast = Fixed("11X1211X21X112");
    forecast[0] = "1X";
    forecast[13] = "12";
    EXPECT_EQ(DevelopForecast(forecast, {}, dir / "d.txt"), 4u);
    EXPECT_EQ(ReadBytes(dir / "d.txt"),
              CrLfLines({"11X1211X21X111", "11X1211X21X112", "X1X1211X21X111", "X1X1211X21X112"}));
}

TEST(development, conditions_keep_the_columns_that_meet_them_all_at_their_bounds) {
    TTempDir dir;
    const TForecast forecast = ParseForecast(kWeekForecast);
    const std::vector<std::vector<TCondition>> cases = {
        {},
        {SignLimit('X', 0, 0)},
        {SignLimit('1', 5, 6), SignLimit('X', 0, 3)},
        {SignLimit('2', 14, 14)},
        {SignLimit('1', 0, 14), SignLimit('2', 2, 2)},
    };
    for (const auto& limits : cases) {
        const std::vector<std::string> expected = LiteralDevelopment(forecast, limits);
        WriteBytes(dir / "d.txt", "old\r\n");
        EXPECT_EQ(DevelopForecast(forecast, limits, dir / "d.txt"), expected.size());
        // Where no column meets the conditions, nothing is written.
        EXPECT_EQ(ReadBytes(dir / "d.txt"), expected.empty() ? "old\r\n" : CrLfLines(expected));
    }
    EXPECT_EQ(LiteralDevelopment(forecast, {}).size(), 72u);
}

TEST(development, a_reduction_leaves_a_developed_file_byte_for_byte_as_it_was) {
    TTempDir dir;
    const std::vector<TCondition> limits = {SignLimit('X', 1, 4)};
    DevelopForecast(ParseForecast("1X2 1X2 1X 12 X2 1 1X2 2 1X2 X 1 12 1X2 1X"), limits,
                    dir / "d.txt");
    const std::string developed = ReadBytes(dir / "d.txt");
    TQuietHost host;
    TRunOptions options;
    options.NoLimit = true;
    EXPECT_EQ(ReduceColumns(dir / "d.txt", dir / "out", host, options).Outcome,
              TRunOutcome::Completed);
    EXPECT_EQ(ReadBytes(dir / "d.txt"), developed);
}

TEST(development, twelve_triples_give_every_column_once) {
    TTempDir dir;
    TForecast forecast = Fixed("11111111111111");
    for (std::size_t p = 0; p < 12; ++p) {
        forecast[p] = "12X";
    }
    EXPECT_EQ(DevelopForecast(forecast, {}, dir / "d.txt"), 531441u);
    EXPECT_EQ(std::filesystem::file_size(dir / "d.txt"), 531441u * 16);
}

}  // namespace kelvo
