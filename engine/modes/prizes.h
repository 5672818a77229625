// What a reduction wins: for every result of a development, how many signs right its best reduced
// column has and how many prizes it brings; and, given the chances of each sign, how likely each
// prize is this week.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <stdexcept>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "core/column_key.h"
#include "core/prize_categories.h"
#include "core/progress.h"

namespace kelvo {

// The phase TablePrizes and ChancesOfPrizes report.
inline constexpr std::string_view kPrizesPhase = "prizes";

// Every column of a development taken in turn as the week's result.
struct TPrizeTable {
    // The results scored: every column of the development, a repeated column as often as it
    // comes.
    std::size_t Results = 0;
    // Best[0]: results whose best reduced column has 14 right, Best[1] 13, ..., Best[4] 10,
    // Best[5] fewer than 10.
    std::array<std::size_t, kPrizeCategories + 1> Best{};
    // The smallest best over all results (13 for any true al-13 reduction of the development); 0
    // without results or without reduced columns.
    int Guaranteed = 0;
    // For category c (14 - c right): the mean and the largest number of reduced columns with that
    // many right for one result.
    std::array<double, kPrizeCategories> MeanColumns{};
    std::array<std::size_t, kPrizeCategories> MostColumns{};
};

// Scores every column of `reduced` against every column of `development` taken as the result,
// working outwards from the reduced columns (every result within four differences of one) in a
// dense numbering of every column. Columns are compared sign by sign, a lower-case x counting as
// X: a match is right only where both columns hold the same sign of 1, X and 2, so a byte that is
// no sign (or a missing one, in a column shorter than 14) is wrong against anything. A
// development column that is not 14 signs is compared with every reduced column directly.
// Reports to `progress` (which may be null); once a stop is requested it returns the results
// scored so far (none while the reduced columns are still being spread out). Throws
// std::bad_alloc when memory runs out.
TPrizeTable TablePrizes(std::span<const TKey> development, std::span<const TKey> reduced,
                        TProgressSink* progress = nullptr, std::stop_token stop = {});

// The chances in percent of 1, X and 2 for each match.
using TChances = std::array<std::array<double, 3>, kColumnLength>;

// Why a text holds no chances.
enum class TChancesFault {
    // It has Count lines, not 14.
    LineCount,
    // Line number Line holds Count numbers, not 3.
    NumberCount,
    // On line number Line, Field is no number.
    NotNumber,
    // On line number Line, Field is a negative number.
    Negative,
    // The numbers of line number Line add up to Sum, not 100.
    WrongSum,
};

// What a percentages text holds: the 14 matches' chances of 1, X and 2, or the Pleno's chances of
// 0, 1, 2 and M goals for its two teams.
enum class TChancesShape { Matches, Pleno };

// What is wrong with a chances text, as data; the fields that do not belong to the fault keep
// their defaults.
struct TChancesProblem {
    TChancesFault Fault = TChancesFault::LineCount;
    TChancesShape Shape = TChancesShape::Matches;
    std::size_t Line = 0;
    std::size_t Count = 0;
    std::string Field;
    double Sum = 0;

    bool operator==(const TChancesProblem&) const = default;
};

// A chances text is wrong. what() is an English sentence for the command line naming the line
// (from 1) and what is wrong with it; a window words Problem() in its own language.
class TChancesError : public std::invalid_argument {
public:
    explicit TChancesError(const TChancesProblem& problem);
    const TChancesProblem& Problem() const { return problem_; }

private:
    TChancesProblem problem_;
};

// The lines of a percentages text of `shape` (LF or CR LF, the last one ending or not), each
// holding its numbers as ParseChances reads them and summing to 100 within 0.5. Throws
// TChancesError of that shape naming the line when it is not so, or saying how many lines there
// are when they are not as many as the shape has.
std::vector<std::vector<double>> ParsePercentageLines(std::string_view text, TChancesShape shape);

// The chances written as 14 lines (LF or CR LF, the last one ending or not), line i holding the
// chances of 1, X and 2 for match i: three numbers of digits with at most one decimal point,
// separated by commas or blanks (blanks around a comma and runs of blanks counting as one
// separator), each line summing to 100 within 0.5. Throws TChancesError naming the line when it
// is not so, or saying how many lines there are when they are not 14.
TChances ParseChances(std::string_view text);

// Each match's chances as shares of their sum, fractions from 0 to 1 (0 for a match whose chances
// add up to 0).
TChances SharesOf(const TChances& chances);

// For a column whose match p is right with chance right[p], match by match independently, the
// chance of exactly 14 - c right for each category c: a Poisson-binomial sum, exact up to
// rounding.
std::array<double, kPrizeCategories> ChancesOfRight(const std::array<double, kColumnLength>& right);

// Every one of the 3^14 results weighed by its chance (the product of its signs' chances).
struct TPrizeChances {
    // The chance that the result is a column of the development, in percent.
    double InDevelopment = 0;
    // AtLeast[c]: the chance, in percent, that the best reduced column has at least 14 - c right.
    std::array<double, kPrizeCategories> AtLeast{};
    // Expected[c]: the expected number of reduced columns with exactly 14 - c right.
    std::array<double, kPrizeCategories> Expected{};
};

// The chances of each prize for `reduced` over every possible result, and the chance that the
// result lies in `development` (a repeated column counting once). Each match's chances are taken
// as shares of their sum, so that the results' chances add up to 100 %. Columns are compared as
// TablePrizes compares them; a development column that is not 14 signs is never the result.
// Reports to `progress` (which may be null); once a stop is requested it returns what it has
// summed so far. Throws std::bad_alloc when memory runs out.
TPrizeChances ChancesOfPrizes(std::span<const TKey> development, std::span<const TKey> reduced,
                              const TChances& chances, TProgressSink* progress = nullptr,
                              std::stop_token stop = {});

}  // namespace kelvo
