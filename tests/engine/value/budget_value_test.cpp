#include "value/budget_value.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <map>
#include <stop_token>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/column_key.h"
#include "test_support.h"
#include "value/set_value.h"

namespace kelvo {
namespace {

std::vector<TKey> Keys(const std::vector<std::string>& columns) {
    std::vector<TKey> keys;
    for (const std::string& column : columns) {
        keys.push_back(MakeKey(column));
    }
    return keys;
}

// Ten matches certain (1X21X21X21, the public on them 60 to 20 to 20) and the last four or five
// spread over the signs, so that 81 or 243 results have a chance.
TWeekPool SmallWeek(bool fiveFree) {
    TWeekPool pool;
    const std::string certain = "1X21X21X21";
    for (std::size_t p = 0; p < certain.size(); ++p) {
        const std::size_t sign = std::string("1X2").find(certain[p]);
        pool.Chances[p] = {0, 0, 0};
        pool.Chances[p][sign] = 100;
        pool.Public[p] = {20, 20, 20};
        pool.Public[p][sign] = 60;
    }
    if (fiveFree) {
        pool.Chances[9] = {40, 35, 25};
        pool.Public[9] = {70, 20, 10};
    }
    pool.Chances[10] = {50, 30, 20};
    pool.Chances[11] = {20, 50, 30};
    pool.Chances[12] = {35, 35, 30};
    pool.Chances[13] = {10, 15, 75};
    pool.Public[10] = {70, 20, 10};
    pool.Public[11] = {30, 30, 40};
    pool.Public[12] = {50, 30, 20};
    pool.Public[13] = {20, 30, 50};
    // A public of 400 bets: columns that share a result's prize with each other lose much of it.
    pool.Takings = 300;
    return pool;
}

TWeekPool PlenoWeek() {
    TWeekPool pool = SmallWeek(true);
    pool.Pleno.Chosen[ParsePlenoResult("1-1")] = true;
    pool.Pleno.Chosen[ParsePlenoResult("2-M")] = true;
    pool.Pleno.Public = {{{25, 40, 20, 15}, {45, 30, 15, 10}}};
    return pool;
}

TWeekPool JackpotWeek() {
    TWeekPool pool = SmallWeek(false);
    pool.Jackpot = 5000;
    pool.Takings = 3000;
    return pool;
}

// A public of a millionth of a bet: each prize is won whole by the columns that win it, whatever
// their number, and the winnings of a set are those of a coverage, on which the greedy can fall
// short.
TWeekPool WholePrizeWeek(bool fiveFree) {
    TWeekPool pool = SmallWeek(fiveFree);
    pool.Takings = 1;
    pool.Price = 1e6;
    return pool;
}

// Columns around the likeliest results, some of them close to each other so that they share
// prizes, and one that no result with a chance comes near.
const std::vector<std::string> kCandidates = {
    "1X21X21X2112X2", "1X21X21X2112XX", "1X21X21X211X22", "1X21X21X2X1122",
    "1X21X21X2122X2", "1X21X2XX2112X2", "22222222222222", "1X21X21X211XX2",
};

// Columns on which the greedy's sets of two and three win less than the best, with four free
// matches and with five, when each prize is won whole.
const std::vector<std::string> kGreedyShortOfFour = {
    "1221X21X22XX21", "1X21X21X21X1XX", "1X21X21X211XX1", "1X21X21X221X12",
    "1X21X21X21X221", "1X21X21X21X11X", "1X21X2122122X2", "1X21X21X2122X2",
};
const std::vector<std::string> kGreedyShortOfFive = {
    "1X21X21X21XX12", "1X21X21X221121", "1221X21X2122XX", "1X21X21X21X2X1",
    "1X21X21X21X222", "1X21X21X21XX22", "1X21X21X211X1X", "1X21X21X222111",
};

// A result with a chance, with what the literal model needs of it.
struct TLiteralResult {
    std::string Signs;
    long double Chance = 1;
    std::array<long double, kPrizeCategories> Wrong{};
};

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

// Every result whose chance is above 0, by a literal walk over the signs of every match.
std::vector<TLiteralResult> LiteralResults(const TWeekPool& pool) {
    std::vector<TLiteralResult> results(1);
    for (std::size_t p = 0; p < kColumnLength; ++p) {
        std::vector<TLiteralResult> next;
        const auto& c = pool.Chances[p];
        for (const TLiteralResult& result : results) {
            for (std::size_t s = 0; s < 3; ++s) {
                if (c[s] > 0) {
                    next.push_back(result);
                    next.back().Signs += "1X2"[s];
                    next.back().Chance *= c[s] / static_cast<long double>(c[0] + c[1] + c[2]);
                }
            }
        }
        results = std::move(next);
    }
    for (TLiteralResult& result : results) {
        std::array<long double, 14> right{};
        for (std::size_t p = 0; p < kColumnLength; ++p) {
            const auto& q = pool.Public[p];
            const std::size_t sign = std::string("1X2").find(result.Signs[p]);
            right[p] = q[sign] / static_cast<long double>(q[0] + q[1] + q[2]);
        }
        result.Wrong = LiteralWrong(right);
    }
    return results;
}

int Differences(const std::string& a, const std::string& b) {
    int differences = 0;
    for (std::size_t p = 0; p < kColumnLength; ++p) {
        differences += a[p] == b[p] ? 0 : 1;
    }
    return differences;
}

// What `set` wins in `pool`, summed result by result by the model of ValueOfSet: each category's
// pool shared with the public's winners, and the special category for every chosen Pleno result.
// LiteralShareOfPool, each figure worked out once.
class TLiteralShares {
public:
    long double operator()(long long bets, long double others) {
        const auto [at, added] = shares_.try_emplace({bets, others}, 0);
        if (added) {
            at->second = LiteralShareOfPool(bets, others);
        }
        return at->second;
    }

private:
    std::map<std::pair<long long, long double>, long double> shares_;
};

long double LiteralValue(const std::vector<std::string>& set, const TWeekPool& pool,
                         const std::vector<TLiteralResult>& results, TLiteralShares& shares) {
    const long double bets = pool.Takings / pool.Price;
    long long betsPerColumn = 0;
    for (const bool chosen : pool.Pleno.Chosen) {
        betsPerColumn += chosen ? 1 : 0;
    }
    long double value = 0;
    for (const TLiteralResult& result : results) {
        std::array<long long, kPrizeCategories> winners{};
        for (const std::string& column : set) {
            const int differences = Differences(column, result.Signs);
            if (differences < kPrizeCategories) {
                ++winners[static_cast<std::size_t>(differences)];
            }
        }
        for (std::size_t c = 0; c < kPrizeCategories; ++c) {
            if (winners[c] > 0) {
                const long double pot =
                    pool.Takings * pool.Rules.Shares[c] / 100 + (c == 0 ? pool.Jackpot : 0);
                value += result.Chance * pot *
                         shares(std::max(betsPerColumn, 1LL) * winners[c], bets * result.Wrong[c]);
            }
        }
        for (int pleno = 0; pleno < kPlenoResults && winners[0] > 0; ++pleno) {
            if (pool.Pleno.Chosen[static_cast<std::size_t>(pleno)]) {
                const auto home = static_cast<std::size_t>(pleno / kPlenoGoals);
                const auto away = static_cast<std::size_t>(pleno % kPlenoGoals);
                const long double chance =
                    pool.Pleno.Chances[0][home] / 100.0L * pool.Pleno.Chances[1][away] / 100.0L;
                const long double share =
                    pool.Pleno.Public[0][home] / 100.0L * pool.Pleno.Public[1][away] / 100.0L;
                value += result.Chance * chance * pool.Takings * pool.Rules.SpecialShare / 100 *
                         shares(winners[0], bets * result.Wrong[0] * share);
            }
        }
    }
    return value;
}

// The most that any set of `budget` of `candidates` wins, set by set.
double LiteralBest(const std::vector<std::string>& candidates, const TWeekPool& pool,
                   std::size_t budget, const std::vector<TLiteralResult>& results,
                   TLiteralShares& shares) {
    long double best = 0;
    for (unsigned mask = 0; mask < (1u << candidates.size()); ++mask) {
        if (static_cast<std::size_t>(std::popcount(mask)) != budget) {
            continue;
        }
        std::vector<std::string> set;
        for (std::size_t k = 0; k < candidates.size(); ++k) {
            if ((mask >> k & 1u) != 0) {
                set.push_back(candidates[k]);
            }
        }
        best = std::max(best, LiteralValue(set, pool, results, shares));
    }
    return static_cast<double>(best);
}

double LiteralValueOf(const std::vector<std::string>& candidates,
                      const std::vector<std::size_t>& chosen, const TWeekPool& pool,
                      const std::vector<TLiteralResult>& results, TLiteralShares& shares) {
    std::vector<std::string> set;
    for (const std::size_t k : chosen) {
        set.push_back(candidates[k]);
    }
    return static_cast<double>(LiteralValue(set, pool, results, shares));
}

double ValueOfChosen(const std::vector<std::string>& candidates,
                     const std::vector<std::size_t>& chosen, const TWeekPool& pool) {
    std::vector<std::string> set;
    for (const std::size_t k : chosen) {
        set.push_back(candidates[k]);
    }
    return ValueOfSet(Keys(set), pool)->Total;
}

TOptimiseSettings FixedSteps(std::uint64_t steps) {
    TOptimiseSettings settings;
    settings.Steps = steps;
    settings.Seed = 26;
    return settings;
}

struct TBudgetCase {
    const char* Name;
    TWeekPool Pool;
    const std::vector<std::string>& Candidates;
    // Whether the greedy's sets of two and three columns win less than the best.
    bool GreedyShort;
};

TEST(budget_value, wins_the_most_that_any_set_of_the_budget_wins) {
    const std::vector<TBudgetCase> cases = {
        {"four free matches", SmallWeek(false), kCandidates, false},
        {"five free matches and a Pleno of two results", PlenoWeek(), kCandidates, false},
        {"a jackpot", JackpotWeek(), kCandidates, false},
        {"prizes won whole, four free matches", WholePrizeWeek(false), kGreedyShortOfFour, true},
        {"prizes won whole, five free matches", WholePrizeWeek(true), kGreedyShortOfFive, true},
    };
    for (const TBudgetCase& test : cases) {
        const std::vector<TLiteralResult> results = LiteralResults(test.Pool);
        TLiteralShares shares;
        for (std::size_t budget = 1; budget <= 3; ++budget) {
            SCOPED_TRACE(std::string(test.Name) + ", budget " + std::to_string(budget));
            const TBudgetValue found =
                ValueBudget(Keys(test.Candidates), test.Pool, budget, FixedSteps(30));
            const double best = LiteralBest(test.Candidates, test.Pool, budget, results, shares);
            EXPECT_NEAR(found.Expected, best, 1e-9 * best);
            EXPECT_EQ(found.Chosen.size(), budget);
            EXPECT_TRUE(std::is_sorted(found.Chosen.begin(), found.Chosen.end()));
            EXPECT_NEAR(found.Expected,
                        LiteralValueOf(test.Candidates, found.Chosen, test.Pool, results, shares),
                        1e-9 * found.Expected);
            if (budget == 3) {
                EXPECT_NEAR(found.Expected, ValueOfChosen(test.Candidates, found.Chosen, test.Pool),
                            1e-9 * found.Expected);
            }
            EXPECT_GE(found.Bound, found.Expected);
            if (test.GreedyShort && budget > 1) {
                EXPECT_LT(found.GreedyExpected, found.Expected * (1 - 1e-6));
            } else {
                EXPECT_NEAR(found.GreedyExpected, found.Expected, 1e-9 * found.Expected);
            }
        }
    }
}

TEST(budget_value, never_chooses_a_column_that_adds_nothing) {
    // 22222222222222 is 10 matches from every result with a chance: it wins nothing, and a budget
    // of all eight candidates buys the other seven.
    const TBudgetValue found = ValueBudget(Keys(kCandidates), SmallWeek(false), 8, FixedSteps(30));
    EXPECT_EQ(found.Chosen, (std::vector<std::size_t>{0, 1, 2, 3, 4, 5, 7}));
    // Nothing is left to add: the bound is what the set wins.
    EXPECT_NEAR(found.Bound, found.Expected, 1e-9 * found.Expected);
    EXPECT_NEAR(found.GreedyExpected, found.Expected, 1e-9 * found.Expected);
}

// Records what ValueBudget reports.
class TRecordedProgress : public TProgressSink {
public:
    void BeginPhase(std::string_view phase) override { Phases.emplace_back(phase); }
    void Report(const TProgress& progress) override { Reports.push_back(progress); }

    std::vector<std::string> Phases;
    std::vector<TProgress> Reports;
};

TEST(budget_value, searches_until_the_time_budget_runs_out_and_reports_the_time_left) {
    // A clock that moves a second at every reading: the budget of 100 seconds lasts a fixed number
    // of steps, which find the best pair the greedy misses.
    TClock::time_point now{};
    TRecordedProgress progress;
    TOptimiseSettings settings;
    settings.Budget = std::chrono::seconds(100);
    settings.Now = [&] { return now += std::chrono::seconds(1); };
    settings.Progress = &progress;
    const TBudgetValue found =
        ValueBudget(Keys(kGreedyShortOfFour), WholePrizeWeek(false), 2, settings);
    const std::vector<TLiteralResult> results = LiteralResults(WholePrizeWeek(false));
    TLiteralShares shares;
    const double best = LiteralBest(kGreedyShortOfFour, WholePrizeWeek(false), 2, results, shares);
    EXPECT_NEAR(found.Expected, best, 1e-9 * best);
    EXPECT_LT(found.GreedyExpected, found.Expected * (1 - 1e-6));
    EXPECT_GT(found.Reached, TClock::duration::zero());
    EXPECT_LE(found.Reached, std::chrono::seconds(100));
    EXPECT_EQ(progress.Phases, std::vector<std::string>{std::string(kBudgetPhase)});
    std::vector<double> secondsLeft;
    for (const TProgress& report : progress.Reports) {
        EXPECT_EQ(report.Phase, kBudgetPhase);
        EXPECT_GE(report.Fraction, 0);
        EXPECT_LE(report.Fraction, 1);
        if (report.SecondsLeft) {
            secondsLeft.push_back(*report.SecondsLeft);
        }
    }
    ASSERT_FALSE(secondsLeft.empty());
    EXPECT_TRUE(std::is_sorted(secondsLeft.rbegin(), secondsLeft.rend()));
    EXPECT_GT(secondsLeft.back(), 0);
    EXPECT_LT(secondsLeft.front(), 100);
}

TEST(budget_value, a_stop_ends_the_greedy_after_a_column_and_no_budget_leaves_the_greedy_set) {
    std::stop_source stop;
    stop.request_stop();
    TOptimiseSettings stopped;
    stopped.Budget = std::chrono::hours(1);
    stopped.Stop = stop.get_token();
    for (const auto& [settings, columns] :
         {std::pair{stopped, 1u}, std::pair{TOptimiseSettings{}, 2u}}) {
        const TBudgetValue found =
            ValueBudget(Keys(kGreedyShortOfFour), WholePrizeWeek(false), 2, settings);
        EXPECT_EQ(found.Expected, found.GreedyExpected);
        EXPECT_EQ(found.Chosen.size(), columns);
    }
}

}  // namespace
}  // namespace kelvo
