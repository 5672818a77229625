#include "modes/empty_development.h"

#include <algorithm>

#include "test_support.h"

namespace kelvo {

namespace {

TCondition Signs(char sign, int least, int most) {
    TCondition condition;
    condition.Sign = sign;
    condition.Least = least;
    condition.Most = most;
    return condition;
}

// Whether some column of `forecast`, written out, has between Least and Most of each
// condition's sign for every condition but the one at `left`.
bool LiterallyLeavesColumns(const TForecast& forecast, const std::vector<TCondition>& conditions,
                            std::size_t left) {
    for (const std::string& column : ForecastProduct(forecast)) {
        bool kept = true;
        for (std::size_t at = 0; at < conditions.size(); ++at) {
            const auto count = std::count(column.begin(), column.end(), conditions[at].Sign);
            kept = kept &&
                   (at == left || (count >= conditions[at].Least && count <= conditions[at].Most));
        }
        if (kept) {
            return true;
        }
    }
    return false;
}

}  // namespace

TEST(empty_development, names_the_first_condition_whose_removal_leaves_columns) {
    // Three matches of 1X2, eleven of 1 alone: 27 columns, each with 11 to 14 signs 1.
    const TForecast forecast = ForecastOf({"1X2", "1X2", "1X2"});
    struct TCase {
        const char* Name;
        std::vector<TCondition> Conditions;
        std::optional<std::size_t> Emptying;
    };
    const std::vector<TCase> cases = {
        {"one condition that no column meets", {Signs('X', 14, 14)}, 0},
        {"a condition met by all comes first",
         {Signs('1', 11, 14), Signs('X', 3, 3), Signs('2', 1, 3)},
         1},
        {"either of two would do: the first is named", {Signs('X', 3, 3), Signs('2', 3, 3)}, 0},
        {"every pair of three conflicts",
         {Signs('X', 3, 3), Signs('2', 3, 3), Signs('1', 14, 14)},
         std::nullopt},
        {"no conditions", {}, std::nullopt},
    };
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.Name);
        if (!test.Conditions.empty()) {
            EXPECT_EQ(CountColumns(forecast, test.Conditions), 0u);
        }
        EXPECT_EQ(FindEmptyingCondition(forecast, test.Conditions), test.Emptying);
        // The literal reference: the first removal after which a column written out is kept.
        std::optional<std::size_t> literal;
        for (std::size_t left = 0; left < test.Conditions.size() && !literal; ++left) {
            if (LiterallyLeavesColumns(forecast, test.Conditions, left)) {
                literal = left;
            }
        }
        EXPECT_EQ(literal, test.Emptying);
    }
}

TEST(empty_development, a_stopped_search_names_nothing) {
    std::stop_source stop;
    stop.request_stop();
    EXPECT_EQ(FindEmptyingCondition(ForecastOf({"1X2"}), std::vector{Signs('X', 14, 14)},
                                    stop.get_token()),
              std::nullopt);
}

}  // namespace kelvo
