// The conditions on a column's value and on how much of the public plays it: read from the
// command line's words, met by the walk and the direct check exactly as the literal product of
// the shares says, and kept in a plan file with the plan's own percentages.
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <tuple>

#include "modes/condition_kinds.h"
#include "modes/conditions.h"
#include "modes/empty_development.h"
#include "plan/plan_file.h"
#include "test_support.h"

namespace kelvo {

namespace {

using K = TConditionKind;

// Seven triples, a double and fixed signs: 4374 columns.
constexpr char kForecast[] = "1X2,1X2,1X2,1X2,1X2,1X2,1X2,X2,1,X,2,1,1,1";

// Uneven figures for every match, as published: whole percentages, a line that sums to 99 and
// one to 200 (taken as shares of their sum), and in match 3 a sign the public never plays and
// one the player gives no chance.
struct TOdds {
    TChances Chances{};
    TChances Public{};
};

TOdds Odds() {
    std::mt19937 random(20261209);
    std::uniform_int_distribution<int> percent(5, 70);
    TOdds odds;
    for (std::size_t p = 0; p < kColumnLength; ++p) {
        for (TChances* figures : {&odds.Chances, &odds.Public}) {
            const double one = percent(random);
            const double draw =
                std::uniform_int_distribution<int>(1, 99 - static_cast<int>(one))(random);
            (*figures)[p] = {one, draw, 100 - one - draw};
        }
    }
    odds.Public[0] = {40, 30, 29};
    odds.Chances[1] = {120, 50, 30};
    odds.Public[2] = {60, 40, 0};
    odds.Chances[2] = {0, 50, 50};
    return odds;
}

// The column's share by `percentages`, straight from the words: each match's figure for the
// column's sign over the sum of the match's figures, all multiplied together.
double LiteralShare(const std::string& column, const TChances& percentages) {
    double share = 1;
    for (std::size_t p = 0; p < column.size(); ++p) {
        const auto& figures = percentages[p];
        share *= figures[kSignOfDigit.find(column[p])] / (figures[0] + figures[1] + figures[2]);
    }
    return share;
}

bool LiterallyMeets(const std::string& column, const TCondition& condition, const TOdds& odds) {
    const double share = LiteralShare(column, odds.Public);
    if (condition.Kind == K::Value) {
        return LiteralShare(column, odds.Chances) >= condition.Threshold * share;
    }
    return share * 100 <= condition.Threshold;
}

TCondition WithOdds(TCondition condition, const TOdds& odds) {
    SetConditionOdds(std::span(&condition, 1), odds.Chances, odds.Public);
    return condition;
}

std::vector<std::string> Texts(const std::vector<TKey>& keys) {
    std::vector<std::string> texts;
    for (const TKey& key : keys) {
        texts.push_back(ColumnText(key));
    }
    return texts;
}

TCondition ValueCondition(K kind, double threshold) {
    TCondition condition;
    condition.Kind = kind;
    condition.Threshold = threshold;
    return condition;
}

}  // namespace

TEST(value_conditions, the_walk_and_the_direct_check_keep_what_the_literal_product_keeps) {
    const TOdds odds = Odds();
    const TForecast forecast = ParseForecast(kForecast);
    const std::vector<std::string> product = ForecastProduct(forecast);
    // Thresholds that leave some columns and drop others, alone and together with each other and
    // with a count, so that the walk prunes on them side by side.
    const std::vector<std::vector<std::pair<K, std::string>>> sets = {
        {{K::Value, "0.25"}},
        {{K::Value, "1"}},
        {{K::Value, "2.5"}},
        {{K::Value, "40"}},
        {{K::Value, "500"}},
        {{K::Public, "0.000001"}},
        {{K::Public, "0.00001"}},
        {{K::Public, "0.00005"}},
        {{K::Value, "1.5"}, {K::Public, "0.000002"}},
        {{K::Value, "0.8"}, {K::Signs, "X=2-4"}, {K::Public, "0.00003"}},
    };
    for (const auto& set : sets) {
        std::vector<TCondition> conditions;
        std::string label;
        for (const auto& [kind, text] : set) {
            conditions.push_back(WithOdds(ParseCondition(kind, text), odds));
            label += std::string(ConditionKindName(kind)) + " " + text + "; ";
        }
        SCOPED_TRACE(label);
        std::vector<std::string> kept;
        for (const std::string& column : product) {
            const bool keeps =
                std::all_of(conditions.begin(), conditions.end(), [&](const auto& c) {
                    return c.Kind == K::Signs
                               ? MeetsConditions(std::span<const char, kColumnLength>(
                                                     column.data(), kColumnLength),
                                                 std::span(&c, 1))
                               : LiterallyMeets(column, c, odds);
                });
            EXPECT_EQ(
                MeetsConditions(std::span<const char, kColumnLength>(column.data(), kColumnLength),
                                conditions),
                keeps)
                << column;
            if (keeps) {
                kept.push_back(column);
            }
        }
        ASSERT_GT(kept.size(), 0u);
        ASSERT_LT(kept.size(), product.size());
        EXPECT_EQ(CountColumns(forecast, conditions), kept.size());
        EXPECT_EQ(Texts(DevelopColumns(forecast, conditions)), kept);
    }
}

TEST(value_conditions, a_sign_the_public_never_plays_always_has_value_and_no_share) {
    const TOdds odds = Odds();
    // Match 3 plays only the 2, which the public never plays: every column has a public share of
    // 0, so it meets any value and any share, even where the player gives the 1 no chance.
    const TForecast forecast = ParseForecast("1X2,1X2,2,1X2,1,1,1,1,1,1,1,1,1,1");
    for (const TCondition& condition :
         {ValueCondition(K::Value, 1000000), ValueCondition(K::Public, 0.0000001)}) {
        EXPECT_EQ(CountColumns(forecast, std::vector{WithOdds(condition, odds)}), 27u);
    }
    // Match 3 plays only the 1, which the player gives no chance: no column has value, whatever
    // the public plays.
    const TForecast hopeless = ParseForecast("1X2,1X2,1,1X2,1,1,1,1,1,1,1,1,1,1");
    EXPECT_EQ(
        CountColumns(hopeless, std::vector{WithOdds(ValueCondition(K::Value, 0.000001), odds)}),
        0u);
}

TEST(value_conditions, a_whole_development_is_walked_as_the_literal_product_says) {
    // Every one of the 3^14 columns, where the bound along the walk drops most of them early;
    // every public share above 0, so that none is kept for want of one.
    TOdds odds = Odds();
    odds.Public[2] = {60, 30, 10};
    const TForecast forecast =
        ParseForecast("1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2");
    const std::vector<TCondition> conditions = {WithOdds(ValueCondition(K::Value, 30), odds),
                                                WithOdds(ValueCondition(K::Public, 0.00001), odds)};
    std::vector<std::string> expected;
    std::string column(kColumnLength, '1');
    for (std::uint32_t number = 0; number < 4782969; ++number) {
        for (std::uint32_t rest = number, p = kColumnLength; p-- > 0; rest /= 3) {
            column[p] = kSignOfDigit[rest % 3];
        }
        if (LiterallyMeets(column, conditions[0], odds) &&
            LiterallyMeets(column, conditions[1], odds)) {
            expected.push_back(column);
        }
    }
    ASSERT_GT(expected.size(), 0u);
    std::vector<std::string> developed = Texts(DevelopColumns(forecast, conditions));
    EXPECT_EQ(CountColumns(forecast, conditions), developed.size());
    // The walk goes through each match's signs in the forecast's order (1, 2, X).
    std::sort(developed.begin(), developed.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(developed, expected);
}

TEST(value_conditions, thresholds_are_read_as_written_or_refused_naming_the_form) {
    const std::vector<std::tuple<K, std::string, double>> read = {
        {K::Value, "1.5", 1.5},         {K::Value, "2", 2},
        {K::Value, "0.001", 0.001},     {K::Value, ".5", 0.5},
        {K::Value, "1000000", 1000000}, {K::Public, "0.001", 0.001},
        {K::Public, "100", 100},        {K::Public, "12.", 12},
    };
    for (const auto& [kind, text, threshold] : read) {
        const TCondition condition = ParseCondition(kind, text);
        EXPECT_EQ(condition.Kind, kind) << text;
        EXPECT_EQ(condition.Threshold, threshold) << text;
        EXPECT_EQ(condition.Least, 0) << text;
        EXPECT_EQ(condition.Most, kColumnLength) << text;
    }
    const std::string value =
        "is no value condition: write R, a number above 0 and at most 1000000";
    const std::string share =
        "is no public share condition: write PERCENT, a number above 0 and at most 100";
    const std::vector<std::tuple<K, std::string, std::string>> refused = {
        {K::Value, "0", value},      {K::Value, "0.0", value},    {K::Value, "1,5", value},
        {K::Value, "-1", value},     {K::Value, "1e3", value},    {K::Value, "1.2.3", value},
        {K::Value, "", value},       {K::Value, ".", value},      {K::Value, "1000000.5", value},
        {K::Value, "R=2", value},    {K::Public, "100.1", share}, {K::Public, "0", share},
        {K::Public, "0,001", share}, {K::Public, "5%", share},    {K::Public, " 5", share},
    };
    for (const auto& [kind, text, message] : refused) {
        EXPECT_THROW_MSG(ParseCondition(kind, text), TConditionError, "'" + text + "' " + message);
    }
}

TEST(value_conditions, a_threshold_is_the_only_bound_of_its_kind) {
    using F = TConditionFault;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    const std::vector<std::tuple<std::string, K, double, std::optional<F>>> cases = {
        {"value of 1", K::Value, 1, std::nullopt},
        {"value at its most", K::Value, 1000000, std::nullopt},
        {"value above its most", K::Value, 1000000.01, F::Threshold},
        {"value of 0", K::Value, 0, F::Threshold},
        {"negative value", K::Value, -2, F::Threshold},
        {"value that is no number", K::Value, nan, F::Threshold},
        {"infinite value", K::Value, infinity, F::Threshold},
        {"share at its most", K::Public, 100, std::nullopt},
        {"share above 100 %", K::Public, 100.5, F::Threshold},
        {"tiny share", K::Public, 1e-12, std::nullopt},
        {"share of 0", K::Public, 0, F::Threshold},
    };
    for (const auto& [label, kind, threshold, fault] : cases) {
        TCondition condition = ValueCondition(kind, threshold);
        EXPECT_EQ(FindConditionFault(condition), fault) << label;
        // Least and Most are neither read nor checked.
        condition.Least = 9;
        condition.Most = 2;
        EXPECT_EQ(FindConditionFault(condition), fault) << label;
    }
    EXPECT_EQ(MostThreshold(ValueCondition(K::Value, 1)), 1000000);
    EXPECT_EQ(MostThreshold(ValueCondition(K::Public, 1)), 100);
    EXPECT_EQ(MostThreshold(ValueCondition(K::Signs, 1)), 0);
    // The other kinds have no threshold to be wrong.
    TCondition signs = ValueCondition(K::Signs, -1);
    signs.Sign = '1';
    EXPECT_EQ(FindConditionFault(signs), std::nullopt);
}

TEST(value_conditions, each_kind_gets_the_percentages_it_weighs_and_no_other) {
    const TOdds odds = Odds();
    TCondition signs;
    signs.Sign = 'X';
    std::vector<TCondition> conditions = {ValueCondition(K::Value, 2), ValueCondition(K::Public, 1),
                                          signs};
    SetConditionOdds(conditions, odds.Chances, odds.Public);
    EXPECT_EQ(conditions[0].Chances, odds.Chances);
    EXPECT_EQ(conditions[0].Public, odds.Public);
    EXPECT_EQ(conditions[1].Chances, TChances{});
    EXPECT_EQ(conditions[1].Public, odds.Public);
    EXPECT_EQ(conditions[2], signs);
}

TEST(value_conditions, a_columns_share_is_the_product_of_its_signs_shares) {
    TChances percentages{};
    percentages.fill({50, 30, 20});
    percentages[1] = {100, 60, 40};
    percentages[2] = {25, 25, 50};
    const std::string column = "1X2XXXXXXXXXXX";
    EXPECT_DOUBLE_EQ(
        ShareOfSigns(std::span<const char, kColumnLength>(column.data(), kColumnLength),
                     percentages),
        0.5 * 0.3 * 0.5 * std::pow(0.3, 11));
    percentages[5] = {0, 0, 0};
    EXPECT_EQ(ShareOfSigns(std::span<const char, kColumnLength>(column.data(), kColumnLength),
                           percentages),
              0);
    percentages[5] = {50, 30, 20};
    const std::string notSigns = "1X2XXXXXXXXXX-";
    EXPECT_EQ(ShareOfSigns(std::span<const char, kColumnLength>(notSigns.data(), kColumnLength),
                           percentages),
              0);
}

TEST(value_conditions, the_condition_that_empties_a_development_is_found_among_them) {
    const TOdds odds = Odds();
    // No column without a share of the public: match 3 plays no 2.
    const TForecast forecast = ParseForecast("1X2,1X2,X,1X2,1X2,1,1,1,1,1,1,1,1,1");
    const std::vector<TCondition> conditions = {
        WithOdds(ParseCondition(K::Signs, "X=0-5"), odds),
        WithOdds(ValueCondition(K::Public, 0.0000000001), odds),
        WithOdds(ValueCondition(K::Value, 1), odds)};
    ASSERT_EQ(CountColumns(forecast, conditions), 0u);
    EXPECT_EQ(FindEmptyingCondition(forecast, conditions), 1u);
}

TEST(value_conditions, a_plan_keeps_the_threshold_and_weighs_its_own_percentages) {
    TPlan plan = StartingPlan();
    plan.Matches[0].Chances = {70, 20, 10};
    plan.Matches[4].Chances = {60, 30, 10};
    plan.Conditions = {ValueCondition(K::Value, 1.5), ValueCondition(K::Public, 0.001)};
    const std::string bytes = PlanBytes(plan);
    for (const std::string member :
         {"\"kind\": \"value\",\n            \"last\": 14,\n            \"least\": 0,\n"
          "            \"most\": 14,\n            \"sign\": \"\",\n            \"threshold\": "
          "1.5\n",
          "\"kind\": \"public\",\n            \"last\": 14,\n            \"least\": 0,\n"
          "            \"most\": 14,\n            \"sign\": \"\",\n            \"threshold\": "
          "0.001\n"}) {
        EXPECT_NE(bytes.find(member), std::string::npos) << bytes;
    }
    // The other kinds' conditions are written as they always were, without a threshold.
    TPlan signs = StartingPlan();
    signs.Conditions = {ParseCondition(K::Signs, "X=0-3")};
    EXPECT_EQ(PlanBytes(signs).find("threshold"), std::string::npos);

    const TPlan opened = ParsePlan(bytes);
    TChances chances{};
    TChances publicPercentages{};
    for (std::size_t match = 0; match < kColumnLength; ++match) {
        chances[match] = plan.Matches[match].Chances;
        publicPercentages[match] = plan.Matches[match].Public;
    }
    TPlan expected = plan;
    SetConditionOdds(expected.Conditions, chances, publicPercentages);
    EXPECT_EQ(opened, expected);
    EXPECT_EQ(opened.Conditions[0].Chances[0], (std::array<double, 3>{70, 20, 10}));
    EXPECT_EQ(PlanBytes(opened), bytes);
}

TEST(value_conditions, a_plan_with_a_threshold_out_of_range_is_refused_with_the_reason) {
    TPlan plan = StartingPlan();
    plan.Conditions = {ValueCondition(K::Public, 5)};
    const std::string bytes = PlanBytes(plan);
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {"\"threshold\": 5\n", "\"threshold\": 0\n",
         "condition 1 cannot be met as written: its threshold is not above 0 and at most 100"},
        {"\"threshold\": 5\n", "\"threshold\": 100.5\n",
         "condition 1 cannot be met as written: its threshold is not above 0 and at most 100"},
        {"\"kind\": \"public\"", "\"kind\": \"value\"", ""},
        {"\"threshold\": 5\n", "\"threshold\": \"5\"\n",
         "the field \"threshold\" is missing or out of range"},
        {",\n            \"threshold\": 5\n", "\n",
         "the field \"threshold\" is missing or out of range"},
    };
    for (const auto& [from, to, sentence] : cases) {
        std::string changed = bytes;
        const std::size_t at = changed.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        changed.replace(at, from.size(), to);
        if (sentence.empty()) {
            EXPECT_EQ(ParsePlan(changed).Conditions[0].Kind, K::Value);
            continue;
        }
        EXPECT_THROW_MSG(ParsePlan(changed), TPlanFileError, sentence);
    }
}

}  // namespace kelvo
