// The conditions that narrow a development: how many signs of a kind, how often the sign
// changes, the longest run of one sign, the signs within a group of matches, the distance from a
// favourite column, the column's value and how much of the public plays it. A column is kept when
// it meets every condition.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <stdexcept>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "core/column_key.h"
#include "core/progress.h"
#include "modes/development.h"
#include "modes/prizes.h"

namespace kelvo {

// A condition is wrong: the message says what is wrong with it, without the option's name.
class TConditionError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

enum class TConditionKind {
    // Least to Most signs Sign.
    Signs,
    // Least to Most signs other than 1 (X and 2 together).
    Variants,
    // The sign changes Least to Most times from one match to the next (0 to 13).
    Breaks,
    // The longest stretch of consecutive matches with the same sign (Sign 0: any sign; a column
    // without Sign has a longest run of 0) is Least to Most long.
    Run,
    // Among matches First to Last (0-based, inclusive), Least to Most signs Sign.
    Group,
    // The column differs from Base in Least to Most matches.
    Base,
    // The column's chance (by Chances) is at least Threshold times its share of the public's
    // columns (by Public).
    Value,
    // The column's share of the public's columns (by Public) is at most Threshold percent.
    Public,
};

// One condition, as plain data; Sign is '1', 'X' or '2' (or 0 for a run of any sign). Value and
// Public conditions measure a column by Threshold instead of Least and Most, and by percentages
// of 1, X and 2 for each match that the front end gives them from its own (SetConditionOdds):
// the player's chances and the public's percentages, each match's figures taken as shares of
// their sum.
struct TCondition {
    TConditionKind Kind = TConditionKind::Signs;
    char Sign = 0;
    int First = 0;
    int Last = kColumnLength - 1;
    std::array<char, kColumnLength> Base{};
    int Least = 0;
    int Most = kColumnLength;
    double Threshold = 0;
    TChances Chances{};
    TChances Public{};

    bool operator==(const TCondition&) const = default;
};

// What makes a condition one that cannot be read or met as written, checked in this order.
enum class TConditionFault { Sign, Matches, Backwards, Base, Threshold, Bounds, LeastAboveMost };

// The first fault of `condition`, or nothing when it is well formed for its kind: a sign its kind
// does not take (Signs and Group need 1, X or 2; Run takes one or none (0)), matches outside 1-14,
// a group backwards, a base that is not 14 signs 1/X/2, a threshold not above 0 or above
// MostThreshold, a bound below 0 or above MostBound, the least above the most.
std::optional<TConditionFault> FindConditionFault(const TCondition& condition);

// The largest bound the condition's kind allows: 13 for breaks, the group's size, 14 otherwise.
int MostBound(const TCondition& condition);

// The largest threshold the condition's kind allows: 1000000 for a value, 100 (percent) for the
// public's share; 0 for a kind without one.
double MostThreshold(const TCondition& condition);

// Gives every condition of `conditions` whose kind measures a column by them the player's
// `chances` and the public's percentages `publicPercentages`; leaves the others as they are.
void SetConditionOdds(std::span<TCondition> conditions, const TChances& chances,
                      const TChances& publicPercentages);

// The product over the matches, in their order, of the share of the column's sign among the
// match's figures in `percentages` (each match's figures taken as shares of their sum, all 0 when
// they sum to 0): the column's chance by the player's chances, or its share of the public's
// columns by the public's percentages. The one definition of both.
double ShareOfSigns(std::span<const char, kColumnLength> signs, const TChances& percentages);

// The kind's name in plan files: "signs", "variants", "breaks", "run", "group", "base", "value",
// "public".
std::string_view ConditionKindName(TConditionKind kind);

// The kind so named in plan files, or nothing.
std::optional<TConditionKind> ConditionKindNamed(std::string_view name);

// The condition of `kind` written as on the command line: "S=MIN-MAX" for Signs, "MIN-MAX" for
// Variants and Breaks, "MIN-MAX" or "S=MIN-MAX" for Run, "FIRST-LAST:S=MIN-MAX" for Group (matches
// 1 to 14), "COLUMN=MIN-MAX" for Base (14 signs), a number (digits with at most one decimal
// point) for Value and Public, without their percentages. A lower-case x is X. Throws
// TConditionError ("'TEXT' is no NAME condition: write FORM", NAME and FORM from the kind's entry
// in modes/condition_kinds.h) when it cannot be read or has a fault (FindConditionFault): a bound
// out of range, MIN above MAX, a group outside 1-14 or backwards, a base that is not 14 signs, a
// threshold of 0 or above the kind's most.
TCondition ParseCondition(TConditionKind kind, std::string_view text);

// Whether the column `signs` (kColumnLength bytes of 1, X and 2) meets every condition.
bool MeetsConditions(std::span<const char, kColumnLength> signs,
                     std::span<const TCondition> conditions);

// The phase DevelopColumns reports.
inline constexpr std::string_view kDevelopingPhase = "developing";

// Calls `column` with the signs of every column of `forecast` that meets every condition, in the
// order of each match's signs in `forecast`, the last match turning fastest: with the groups as
// ParseForecast orders them, the order in which a run sorts the columns.
void ForEachColumn(const TForecast& forecast, std::span<const TCondition> conditions,
                   const std::function<void(std::span<const char, kColumnLength>)>& column);

// The number of columns of `forecast` that meet every condition, without writing them: fast
// enough to follow every change in a window. Returns early, with what it has counted so far, once
// a stop is requested.
std::uint64_t CountColumns(const TForecast& forecast, std::span<const TCondition> conditions,
                           std::stop_token stop = {});

// The columns of `forecast` that meet every condition, in the order in which a run sorts them.
// Reports to `progress` (which may be null). Throws std::bad_alloc when memory runs out.
std::vector<TKey> DevelopColumns(const TForecast& forecast, std::span<const TCondition> conditions,
                                 TProgressSink* progress = nullptr);

}  // namespace kelvo
