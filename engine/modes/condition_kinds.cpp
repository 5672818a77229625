#include "modes/condition_kinds.h"

#include <algorithm>
#include <array>

namespace kelvo {

namespace {

int SignOf(const TCondition& condition) {
    return SignDigit(condition.Sign);
}

int WholeColumn(const TCondition&) {
    return kColumnLength;
}

int BetweenMatches(const TCondition&) {
    return kColumnLength - 1;
}

int GroupSize(const TCondition& condition) {
    return std::max(0, condition.Last - condition.First + 1);
}

bool IsSign(const TCondition& condition, int, int sign) {
    return sign == SignOf(condition);
}

// Every sign but 1 is a variant.
bool IsVariant(const TCondition&, int, int sign) {
    return sign != SignDigit('1');
}

bool IsSignInGroup(const TCondition& condition, int match, int sign) {
    return match >= condition.First && match <= condition.Last && sign == SignOf(condition);
}

bool DiffersFromBase(const TCondition& condition, int match, int sign) {
    return sign != SignDigit(condition.Base[static_cast<std::size_t>(match)]);
}

constexpr std::array<TOptionForm, 1> kSignsForms = {{
    {"S=MIN-MAX", "MIN to MAX signs S (1, X or 2)"},
}};
constexpr std::array<TOptionForm, 1> kVariantsForms = {{
    {"MIN-MAX", "MIN to MAX signs other than 1 (X and 2 together)"},
}};
constexpr std::array<TOptionForm, 1> kBreaksForms = {{
    {"MIN-MAX", "the sign changes MIN to MAX times from one match to the next"},
}};
constexpr std::array<TOptionForm, 2> kRunForms = {{
    {"MIN-MAX", "the longest run of one sign over consecutive matches"},
    {"S=MIN-MAX", "the longest run of the sign S (0 when S is missing)"},
}};
constexpr std::array<TOptionForm, 1> kGroupForms = {{
    {"FIRST-LAST:S=MIN-MAX", "MIN to MAX signs S among matches FIRST to LAST"},
}};
constexpr std::array<TOptionForm, 1> kBaseForms = {{
    {"COLUMN=MIN-MAX", "MIN to MAX matches differ from COLUMN (14 signs)"},
}};

constexpr std::array<TOptionForm, 1> kValueForms = {{
    {"R",
     "the column's chance is at least R times its share of the public's columns (needs "
     "--chances and --public)"},
}};
constexpr std::array<TOptionForm, 1> kPublicForms = {{
    {"PERCENT",
     "the column's share of the public's columns is at most PERCENT % (needs "
     "--public)"},
}};

// A value far above any a player asks for, yet one that leaves few columns.
constexpr double kMostValue = 1000000;
constexpr double kMostPercent = 100;

constexpr std::array<TConditionKindRule, kConditionKindCount> kRules = {{
    {TConditionKind::Signs, "signs", "--signs", "S=MIN-MAX",
     "with --develop: only columns with MIN to MAX signs S (1, X or 2); repeatable", kSignsForms,
     "sign", "S=MIN-MAX, S one of 1, X and 2, 0 <= MIN <= MAX <= 14", TSignUse::Required, false,
     false, WholeColumn, TMeasure::Count, IsSign, false, 0, false, false},
    {TConditionKind::Variants, "variants", "--variants", "MIN-MAX",
     "with --develop: only columns with MIN to MAX signs X or 2; repeatable", kVariantsForms,
     "variants", "MIN-MAX, 0 <= MIN <= MAX <= 14", TSignUse::None, false, false, WholeColumn,
     TMeasure::Count, IsVariant, false, 0, false, false},
    {TConditionKind::Breaks, "breaks", "--breaks", "MIN-MAX",
     "with --develop: only columns whose sign changes MIN to MAX times", kBreaksForms, "breaks",
     "MIN-MAX, 0 <= MIN <= MAX <= 13", TSignUse::None, false, false, BetweenMatches,
     TMeasure::Breaks, nullptr, false, 0, false, false},
    {TConditionKind::Run, "run", "--run", "[S=]MIN-MAX",
     "with --develop: only columns whose longest run (of S) is MIN to MAX", kRunForms, "run",
     "MIN-MAX or S=MIN-MAX, S one of 1, X and 2, 0 <= MIN <= MAX <= 14", TSignUse::Optional, false,
     false, WholeColumn, TMeasure::LongestRun, nullptr, false, 0, false, false},
    {TConditionKind::Group, "group", "--group", "FIRST-LAST:S=MIN-MAX",
     "with --develop: only columns with MIN to MAX signs S in those matches", kGroupForms, "group",
     "FIRST-LAST:S=MIN-MAX, 1 <= FIRST <= LAST <= 14, S one of 1, X and 2, "
     "0 <= MIN <= MAX <= LAST - FIRST + 1",
     TSignUse::Required, true, false, GroupSize, TMeasure::Count, IsSignInGroup, false, 0, false,
     false},
    {TConditionKind::Base, "base", "--base", "COLUMN=MIN-MAX",
     "with --develop: only columns differing from COLUMN in MIN to MAX", kBaseForms, "base",
     "COLUMN=MIN-MAX, COLUMN 14 signs of 1, X and 2, 0 <= MIN <= MAX <= 14", TSignUse::None, false,
     true, WholeColumn, TMeasure::Count, DiffersFromBase, false, 0, false, false},
    {TConditionKind::Value, "value", "--value-min", "R",
     "with --develop: only columns whose chance is at least R times their public share",
     kValueForms, "value", "R, a number above 0 and at most 1000000", TSignUse::None, false, false,
     WholeColumn, TMeasure::Value, nullptr, true, kMostValue, true, true},
    {TConditionKind::Public, "public", "--public-max", "PERCENT",
     "with --develop: only columns played by at most PERCENT % of the public", kPublicForms,
     "public share", "PERCENT, a number above 0 and at most 100", TSignUse::None, false, false,
     WholeColumn, TMeasure::PublicShare, nullptr, true, kMostPercent, false, true},
}};

constexpr bool InKindOrder() {
    for (std::size_t k = 0; k < kRules.size(); ++k) {
        if (static_cast<std::size_t>(kRules[k].Kind) != k) {
            return false;
        }
    }
    return true;
}
static_assert(InKindOrder(), "the table is looked up by kind");

}  // namespace

std::span<const TConditionKindRule, kConditionKindCount> ConditionKindRules() {
    return kRules;
}

const TConditionKindRule& ConditionKindRule(TConditionKind kind) {
    return kRules[static_cast<std::size_t>(kind)];
}

}  // namespace kelvo
