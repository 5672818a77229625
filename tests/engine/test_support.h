// What the engine and driver tests share beyond the common support library.
#pragma once

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/column_key.h"
#include "file_bytes.h"
#include "hosts.h"
#include "modes/development.h"
#include "optimise/candidate_cover.h"
#include "reduce/coverage.h"
#include "temp_dir.h"

namespace kelvo {

// Expects `statement` to throw `exception` whose what() is exactly `message`.
#define EXPECT_THROW_MSG(statement, exception, message)                     \
    do {                                                                    \
        try {                                                               \
            statement;                                                      \
            ADD_FAILURE() << "expected " #exception " with: " << (message); \
        } catch (const exception& caught) {                                 \
            EXPECT_EQ(std::string(caught.what()), std::string(message));    \
        }                                                                   \
    } while (false)

// bets x E[1 / (bets + X)], X Poisson with mean `others`, summed term by term in long double over
// every term that weighs (from 60 standard deviations below the mean to 60 above).
long double LiteralShareOfPool(long long bets, long double others);

// The ten log lines of a completed run.
std::vector<std::string> CompletedLog(int initial, int reduced);

// Every column with one of `signsAt[p]` at each position p of `signsAt`, in the order of those
// signs with the last position varying slowest, and sign 1 at the other positions.
std::vector<std::string> Development(const std::vector<std::string>& signsAt);
// Every column over 2, X and 1 at the first `varying` positions, the rest 1, in an unsorted order.
std::vector<std::string> Development(int varying);

// Every column of `forecast`, the first match turning slowest, by a literal nested walk.
std::vector<std::string> ForecastProduct(const TForecast& forecast);
// The same columns in the order a run sorts them, in which a full development numbers each column
// by its own digits.
std::vector<std::string> SortedForecastProduct(const TForecast& forecast);
// A forecast of `groups` for the first matches and 1 for the others.
TForecast ForecastOf(const std::vector<std::string>& groups);

// Keys of `columns`, in order.
std::vector<TKey> KeysOf(const std::vector<std::string>& columns);

// The columns the greedy selection chooses from `columns` at `radius`, as their numbers in
// `coverage` (made from the same columns): where every search starts from in a run.
std::vector<std::size_t> GreedyNumbers(const TCoverage& coverage,
                                       const std::vector<std::string>& columns, int radius);

// The columns numbered `chosen` in `coverage`, as text.
std::vector<std::string> TextsOf(const TCoverage& coverage, const std::vector<std::size_t>& chosen);

// Whether every column of `columns` differs from some column of `chosen` in at most `radius`
// positions, counted position by position over every pair.
bool LiterallyCovers(const std::vector<std::string>& columns,
                     const std::vector<std::string>& chosen, int radius);

// The numbered columns of `coverage` that lie within `radius` of column k, found by comparing
// every pair position by position.
std::vector<std::size_t> LiterallyCovered(const TCoverage& coverage, std::size_t k, int radius);

// The fewest columns of `coverage` (at most 20 of them) that cover them all within `radius`, by
// trying every subset.
std::size_t ExhaustiveSmallestCover(const TCoverage& coverage, int radius);

// `count` columns that take one of `signs`, drawn at random, at each of the first `varying`
// positions, and the signs of a fixed column elsewhere.
std::vector<std::string> RandomColumns(std::mt19937& random, std::size_t count,
                                       const std::string& signs, int varying);

// Every column one sign away from 11111111111111 in the first `matches` matches: two of them in
// different matches differ in two signs, so a reduction among them at guarantee 13 needs
// `matches` columns, while 11111111111111, which is not among them, covers them all.
std::vector<std::string> CentreNeighbours(int matches);

// The columns of `candidates` numbered `chosen`, as text.
std::vector<std::string> CandidateTexts(const TCandidateCover& candidates,
                                        const std::vector<std::size_t>& chosen);

}  // namespace kelvo
