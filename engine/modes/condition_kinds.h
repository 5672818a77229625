// What each kind of condition is, once: its names (in plan files, on the command line, in its
// messages), the fields it uses and their bounds, and what it measures along a column. The reader,
// the walk, the direct check, the command line and the windows all take a kind from this table.
#pragma once

#include <span>
#include <string_view>

#include "core/column_key.h"
#include "modes/conditions.h"

namespace kelvo {

// How many kinds of condition there are: the entries of TConditionKind.
inline constexpr int kConditionKindCount = 8;

// Whether a kind's condition names a sign: none, always one (1, X or 2), or one or none (0: any).
enum class TSignUse { None, Required, Optional };

// What a kind measures along a column, the value that must lie between Least and Most.
enum class TMeasure {
    // The matches whose sign counts, as the kind's Counts says.
    Count,
    // The breaks of the whole column (TStretch::Breaks at its last match).
    Breaks,
    // The longest run that RunOf sees at any match.
    LongestRun,
    // The column's chance and its share of the public's columns, as MeetsValue weighs them.
    Value,
    // The column's share of the public's columns, as MeetsPublicShare weighs it.
    PublicShare,
};

// One way of writing a kind after its option, as the command line's help explains it.
struct TOptionForm {
    std::string_view Value;
    std::string_view Meaning;
};

// Everything one kind is. A new kind is one more entry in the table.
struct TConditionKindRule {
    TConditionKind Kind;
    // Its name in plan files.
    std::string_view Name;
    // Its option on the command line, the option's value as the help lists it, the option's help
    // line, and the forms the help's text explains.
    std::string_view Option;
    std::string_view OptionValue;
    std::string_view OptionHelp;
    std::span<const TOptionForm> Forms;
    // How a message names the kind and tells how to write it: "'...' is no <MessageName>
    // condition: write <Form>".
    std::string_view MessageName;
    std::string_view Form;
    // The fields it reads and checks besides Least and Most: Sign, First and Last, Base. They are
    // written in this order: "FIRST-LAST:", then "COLUMN=", then "S=", then "MIN-MAX".
    TSignUse Sign;
    bool Matches;
    bool Base;
    // The largest Most it allows.
    int (*MostBound)(const TCondition& condition);
    TMeasure Measure;
    // With TMeasure::Count: whether the sign of digit `sign` at match `match` (0-based) counts.
    bool (*Counts)(const TCondition& condition, int match, int sign);
    // Whether it reads a number, Threshold, instead of MIN-MAX (and neither reads nor checks
    // Least and Most), and the largest Threshold it allows.
    bool Threshold;
    double MostThreshold;
    // Whether it measures a column by the player's chances, by the public's percentages.
    bool Chances;
    bool Public;
};

// Every kind, in TConditionKind order.
std::span<const TConditionKindRule, kConditionKindCount> ConditionKindRules();

// The entry of `kind`.
const TConditionKindRule& ConditionKindRule(TConditionKind kind);

// The digit that stands before the first match, where no sign is yet.
inline constexpr int kNoSign = kOtherSign + 1;

// A column read from its first match to some match: the digit of the sign there (kNoSign before
// the first match), how many matches in a row end with that sign, and how often the sign has
// changed from one match to the next. The one definition of breaks and runs.
struct TStretch {
    int Last = kNoSign;
    int Run = 0;
    int Breaks = 0;
};

// Whether sign digit `next` after `last` is a change of sign.
constexpr bool IsBreak(int last, int next) {
    return last != kNoSign && next != last;
}

// `stretch` one match longer, the sign of digit `next` at that match.
constexpr TStretch Extend(const TStretch& stretch, int next) {
    return {next, next == stretch.Last ? stretch.Run + 1 : 1,
            stretch.Breaks + (IsBreak(stretch.Last, next) ? 1 : 0)};
}

// The digit of the sign whose runs a Run condition follows, or kNoSign when it follows any sign.
constexpr int RunSign(const TCondition& condition) {
    return condition.Sign == 0 ? kNoSign : SignDigit(condition.Sign);
}

// Whether a Run condition following `runSign` follows the sign of digit `sign`.
constexpr bool Follows(int runSign, int sign) {
    return runSign == kNoSign || runSign == sign;
}

// The run a Run condition following `runSign` sees where `stretch` ends: the stretch's run, or 0
// when its last sign is one it does not follow.
constexpr int RunOf(int runSign, const TStretch& stretch) {
    return Follows(runSign, stretch.Last) ? stretch.Run : 0;
}

// Whether a column of chance `chance` and share `share` of the public's columns (ShareOfSigns)
// meets a Value condition: its chance is at least Threshold times its share. Written as a product
// rather than a ratio, a column the public never plays always meets it.
constexpr bool MeetsValue(const TCondition& condition, double chance, double share) {
    return chance >= condition.Threshold * share;
}

// Whether a column of share `share` of the public's columns meets a Public condition: its share
// is at most Threshold percent.
constexpr bool MeetsPublicShare(const TCondition& condition, double share) {
    return share * 100 <= condition.Threshold;
}

}  // namespace kelvo
