#include "value/set_value.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <string>
#include <vector>

#include "core/column_key.h"
#include "test_support.h"

namespace kelvo {
namespace {

std::vector<TKey> Keys(const std::vector<std::string>& columns) {
    std::vector<TKey> keys;
    for (const std::string& column : columns) {
        keys.push_back(MakeKey(column));
    }
    return keys;
}

// The chance of exactly w matches wrong, summed over every pattern of right and wrong matches.
std::array<long double, kPrizeCategories> LiteralWrong(const std::array<long double, 14>& right) {
    std::array<long double, kPrizeCategories> wrong{};
    for (unsigned pattern = 0; pattern < (1u << 14); ++pattern) {
        long double chance = 1;
        for (unsigned p = 0; p < 14; ++p) {
            chance *= (pattern >> p & 1u) != 0 ? right[p] : 1 - right[p];
        }
        const int misses = 14 - std::popcount(pattern);
        if (misses < kPrizeCategories) {
            wrong[static_cast<std::size_t>(misses)] += chance;
        }
    }
    return wrong;
}

int Differences(const std::string& a, const std::string& b) {
    int differences = 0;
    for (std::size_t p = 0; p < 14; ++p) {
        differences += a[p] == b[p] ? 0 : 1;
    }
    return differences;
}

// The week of the literal sums: ten matches certain, four free, so that 81 results have a chance.
TWeekPool CertainWeek() {
    TWeekPool pool;
    const std::string certain = "1X21X21X21";
    for (std::size_t p = 0; p < 10; ++p) {
        const std::size_t sign = std::string("1X2").find(certain[p]);
        pool.Chances[p] = {0, 0, 0};
        pool.Chances[p][sign] = 100;
        pool.Public[p] = {19, 19, 19};
        pool.Public[p][sign] = 62;
    }
    pool.Chances[10] = {50, 30, 20};
    pool.Chances[11] = {20, 50, 30};
    pool.Chances[12] = {35, 35, 30};
    pool.Chances[13] = {10, 10, 80};
    pool.Public[10] = {70, 20, 10};
    pool.Public[11] = {30, 30, 40};
    pool.Public[12] = {50, 30, 20};
    pool.Public[13] = {20, 30, 50};
    pool.Takings = 3e6;
    pool.Jackpot = 1e6;
    pool.Pleno.Chosen[ParsePlenoResult("1-1")] = true;
    pool.Pleno.Chosen[ParsePlenoResult("2-M")] = true;
    pool.Pleno.Chances = {{{30, 35, 20, 15}, {40, 35, 15, 10}}};
    pool.Pleno.Public = {{{25, 40, 20, 15}, {45, 30, 15, 10}}};
    return pool;
}

// What `columns` win in CertainWeek, summed result by result over its 81 results.
TSetValue LiteralValue(const std::vector<std::string>& columns, const TWeekPool& pool) {
    const std::string signs = "1X2";
    const long double bets = pool.Takings / pool.Price;
    TSetValue value;
    long double special = 0;
    for (int free = 0; free < 81; ++free) {
        std::string result = "1X21X21X21";
        long double chance = 1;
        std::array<long double, 14> right{};
        for (int p = 0; p < 14; ++p) {
            const auto match = static_cast<std::size_t>(p);
            if (p >= 10) {
                int digit = free;
                for (int q = 13; q > p; --q) {
                    digit /= 3;
                }
                result += signs[static_cast<std::size_t>(digit % 3)];
            }
            const std::size_t sign = signs.find(result[match]);
            const auto& c = pool.Chances[match];
            const auto& q = pool.Public[match];
            chance *= c[sign] / static_cast<long double>(c[0] + c[1] + c[2]);
            right[match] = q[sign] / static_cast<long double>(q[0] + q[1] + q[2]);
        }
        const auto wrong = LiteralWrong(right);
        std::array<long long, kPrizeCategories> winners{};
        for (const std::string& column : columns) {
            const int differences = Differences(column, result);
            if (differences < kPrizeCategories) {
                ++winners[static_cast<std::size_t>(differences)];
            }
        }
        bool prize = false;
        for (std::size_t c = 0; c < kPrizeCategories; ++c) {
            if (winners[c] == 0) {
                continue;
            }
            prize = true;
            const long double pot =
                pool.Takings * pool.Rules.Shares[c] / 100 + (c == 0 ? pool.Jackpot : 0);
            value.Expected[c] += static_cast<double>(
                chance * pot * LiteralShareOfPool(2 * winners[c], bets * wrong[c]));
        }
        if (winners[0] > 0) {
            for (const auto& [home, away] : {std::pair{1, 1}, std::pair{2, 3}}) {
                const auto& h = pool.Pleno.Chances[0];
                const auto& a = pool.Pleno.Chances[1];
                const auto& ph = pool.Pleno.Public[0];
                const auto& pa = pool.Pleno.Public[1];
                const long double plenoChance = h[home] / 100.0L * a[away] / 100.0L;
                const long double plenoShare = ph[home] / 100.0L * pa[away] / 100.0L;
                special += chance * plenoChance * pool.Takings * 7.5L / 100 *
                           LiteralShareOfPool(winners[0], bets * wrong[0] * plenoShare);
            }
        }
        value.ChanceOfPrize += prize ? static_cast<double>(100 * chance) : 0;
    }
    value.Special = static_cast<double>(special);
    return value;
}

void ExpectClose(double found, double literal, const std::string& what) {
    EXPECT_LE(std::abs(found - literal), 1e-9 * std::abs(literal) + 1e-300) << what;
}

const std::vector<std::string> kSetOfSix = {
    "1X21X21X211X21", "1X21X21X211X21", "1X21X21X222222",
    "2X21X21X21X1X2", "XXXXXXXXXX1111", "1X21X21X212X12",
};

TEST(set_value, sums_what_every_result_of_the_forecast_pays_by_the_literal_model) {
    const TWeekPool pool = CertainWeek();
    const std::optional<TSetValue> value = ValueOfSet(Keys(kSetOfSix), pool);
    ASSERT_TRUE(value);
    const TSetValue literal = LiteralValue(kSetOfSix, pool);
    for (std::size_t c = 0; c < kPrizeCategories; ++c) {
        ExpectClose(value->Expected[c], literal.Expected[c], "category " + std::to_string(c));
    }
    ASSERT_TRUE(value->Special);
    ExpectClose(*value->Special, *literal.Special, "special");
    ExpectClose(value->ChanceOfPrize, literal.ChanceOfPrize, "chance of a prize");
    double total = *literal.Special;
    for (const double expected : literal.Expected) {
        total += expected;
    }
    ExpectClose(value->Total, total, "total");
    EXPECT_EQ(value->Columns, 6u);
    EXPECT_DOUBLE_EQ(value->Cost, 6 * 0.75 * 2);
    ExpectClose(value->ReturnPerEuro, total / 9, "return per euro");
}

TEST(set_value, each_column_alone_is_worth_what_a_set_of_it_alone_wins) {
    const TWeekPool pool = CertainWeek();
    const std::optional<std::vector<TColumnValue>> values =
        ValueOfEachColumn(Keys(kSetOfSix), pool);
    ASSERT_TRUE(values);
    ASSERT_EQ(values->size(), kSetOfSix.size());
    for (std::size_t k = 0; k < kSetOfSix.size(); ++k) {
        const TSetValue literal = LiteralValue({kSetOfSix[k]}, pool);
        double total = *literal.Special;
        for (const double expected : literal.Expected) {
            total += expected;
        }
        const TColumnValue& value = (*values)[k];
        ExpectClose(value.Expected, total, kSetOfSix[k]);
        ExpectClose(value.ReturnPerEuro, total / 1.5, kSetOfSix[k]);
        ExpectClose(value.Value, value.Chance / value.PublicShare, kSetOfSix[k]);
    }
    // 1X21X21X21 1X21: chance 0.5 x 0.5 x 0.3 x 0.1; the public's 0.62^10 x 0.7 x 0.3 x 0.2 x 0.2.
    ExpectClose((*values)[0].Chance, 0.5 * 0.5 * 0.3 * 0.1, "chance");
    ExpectClose((*values)[0].PublicShare, std::pow(0.62, 10) * 0.7 * 0.3 * 0.2 * 0.2, "share");
    EXPECT_EQ((*values)[4].Chance, 0);
}

TEST(set_value, one_column_with_equal_chances_wins_at_the_published_odds) {
    TWeekPool pool;
    for (auto& match : pool.Chances) {
        match = {1, 1, 1};
    }
    pool.Public = pool.Chances;
    // A public of a millionth of a bet: each prize is won whole.
    pool.Takings = 1;
    pool.Price = 1e6;
    const std::optional<TSetValue> value = ValueOfSet(Keys({"1X21X21X21X21X"}), pool);
    ASSERT_TRUE(value);
    EXPECT_FALSE(value->Special);
    const double odds[] = {4782969, 170820, 13140, 1643, 299};
    for (std::size_t c = 0; c < kPrizeCategories; ++c) {
        const double pot = pool.Rules.Shares[c] / 100;
        EXPECT_EQ(std::round(pot / value->Expected[c]), odds[c]) << "category " << c;
    }
    EXPECT_NEAR(value->ChanceOfPrize, 100.0 * (1 + 28 + 364 + 2912 + 16016) / 4782969, 1e-9);
}

TEST(set_value, a_stop_before_the_end_gives_nothing) {
    std::stop_source stop;
    stop.request_stop();
    EXPECT_FALSE(ValueOfSet(Keys(kSetOfSix), CertainWeek(), nullptr, stop.get_token()));
    EXPECT_FALSE(ValueOfEachColumn(Keys(kSetOfSix), CertainWeek(), nullptr, stop.get_token()));
}

}  // namespace
}  // namespace kelvo
