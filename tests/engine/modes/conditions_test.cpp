#include "modes/conditions.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <random>
#include <set>
#include <tuple>

#include "files/collation.h"
#include "modes/condition_kinds.h"
#include "test_support.h"

namespace kelvo {

namespace {

// Eight triples, a double of each kind and the three signs alone: 52488 columns.
constexpr char kMixedForecast[] = "1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X2,1X,X2,12,1,X,2";
// Nine triples and five X: every extreme of every condition is met by some column.
constexpr char kTriplesForecast[] = "1X2 1X2 1X2 1X2 1X2 1X2 1X2 1X2 1X2 X X X X X";

// The product of the shares of the column's signs, each match's figures taken as shares of
// their sum.
double ShareBy(const std::string& column, const TChances& odds) {
    double share = 1;
    for (std::size_t p = 0; p < column.size(); ++p) {
        share *= odds[p][kSignOfDigit.find(column[p])] / (odds[p][0] + odds[p][1] + odds[p][2]);
    }
    return share;
}

// Whether `column` meets `condition`, read straight from the words of each condition.
bool LiterallyMeets(const std::string& column, const TCondition& condition) {
    const auto within = [&](long long value) {
        return value >= condition.Least && value <= condition.Most;
    };
    switch (condition.Kind) {
        case TConditionKind::Signs:
            return within(std::count(column.begin(), column.end(), condition.Sign));
        case TConditionKind::Variants:
            return within(14 - std::count(column.begin(), column.end(), '1'));
        case TConditionKind::Breaks: {
            int breaks = 0;
            for (std::size_t p = 1; p < column.size(); ++p) {
                breaks += column[p] != column[p - 1] ? 1 : 0;
            }
            return within(breaks);
        }
        case TConditionKind::Run: {
            std::size_t longest = 0;
            for (std::size_t first = 0; first < column.size(); ++first) {
                std::size_t end = first;
                while (end < column.size() && column[end] == column[first] &&
                       (condition.Sign == 0 || column[end] == condition.Sign)) {
                    ++end;
                }
                longest = std::max(longest, end - first);
            }
            return within(static_cast<long long>(longest));
        }
        case TConditionKind::Group: {
            const std::string group =
                column.substr(static_cast<std::size_t>(condition.First),
                              static_cast<std::size_t>(condition.Last - condition.First + 1));
            return within(std::count(group.begin(), group.end(), condition.Sign));
        }
        case TConditionKind::Base: {
            int differences = 0;
            for (std::size_t p = 0; p < column.size(); ++p) {
                differences += column[p] != condition.Base[p] ? 1 : 0;
            }
            return within(differences);
        }
        case TConditionKind::Value:
            return ShareBy(column, condition.Chances) >=
                   condition.Threshold * ShareBy(column, condition.Public);
        case TConditionKind::Public:
            return ShareBy(column, condition.Public) * 100 <= condition.Threshold;
    }
    return false;
}

// The columns of the whole product of `forecast` that meet every condition, checked one by one.
std::vector<std::string> LiteralDevelopment(const TForecast& forecast,
                                            const std::vector<TCondition>& conditions) {
    std::vector<std::string> columns = ForecastProduct(forecast);
    std::erase_if(columns, [&](const std::string& column) {
        return !std::all_of(conditions.begin(), conditions.end(),
                            [&](const TCondition& c) { return LiterallyMeets(column, c); });
    });
    return columns;
}

std::vector<std::string> Texts(const std::vector<TKey>& keys) {
    std::vector<std::string> texts;
    for (const TKey& key : keys) {
        texts.push_back(ColumnText(key));
    }
    return texts;
}

std::vector<TCondition> Parsed(const std::vector<std::pair<TConditionKind, std::string>>& written) {
    std::vector<TCondition> conditions;
    for (const auto& [kind, text] : written) {
        conditions.push_back(ParseCondition(kind, text));
    }
    return conditions;
}

// Checks DevelopColumns, CountColumns and MeetsConditions against the literal filter.
void ExpectLiteral(const TForecast& forecast, const std::vector<TCondition>& conditions,
                   const std::string& label) {
    SCOPED_TRACE(label);
    const std::vector<std::string> expected = LiteralDevelopment(forecast, conditions);
    EXPECT_EQ(Texts(DevelopColumns(forecast, conditions)), expected);
    EXPECT_EQ(CountColumns(forecast, conditions), expected.size());
    std::size_t met = 0;
    for (const std::string& column : ForecastProduct(forecast)) {
        met += MeetsConditions(std::span<const char, kColumnLength>(column.data(), kColumnLength),
                               conditions)
                   ? 1
                   : 0;
    }
    EXPECT_EQ(met, expected.size());
}

using K = TConditionKind;

// How many times the sign changes from one match to the next.
int BreaksOf(const std::string& column) {
    int breaks = 0;
    for (std::size_t p = 1; p < column.size(); ++p) {
        breaks += column[p] != column[p - 1] ? 1 : 0;
    }
    return breaks;
}

// The longest stretch of consecutive matches holding `sign` (0: any one sign).
int LongestRunOf(const std::string& column, char sign) {
    int longest = 0;
    for (std::size_t first = 0; first < column.size(); ++first) {
        for (std::size_t last = first; last < column.size(); ++last) {
            const std::string stretch = column.substr(first, last - first + 1);
            const char held = sign == 0 ? column[first] : sign;
            if (std::count(stretch.begin(), stretch.end(), held) ==
                static_cast<long long>(stretch.size())) {
                longest = std::max(longest, static_cast<int>(stretch.size()));
            }
        }
    }
    return longest;
}

long long CountOf(const std::string& text, char sign) {
    return std::count(text.begin(), text.end(), sign);
}

// The player's chances and the public's percentages that the cases' Value and Public conditions
// weigh, each match's summing to 100.
TChances KindOdds(bool publicOnes) {
    TChances odds{};
    for (std::size_t p = 0; p < kColumnLength; ++p) {
        const double step = static_cast<double>(p);
        odds[p] = publicOnes ? std::array<double, 3>{50 - 2 * step, 30 + step, 20 + step}
                             : std::array<double, 3>{20 + 3 * step, 30, 50 - 3 * step};
    }
    return odds;
}

// A condition as written and the columns it keeps, said in the words of the condition.
struct TKindCase {
    TConditionKind Kind;
    std::string Text;
    std::function<bool(const std::string&)> Keeps;
};

const std::vector<TKindCase>& KindCases() {
    static const std::vector<TKindCase> cases = {
        {K::Signs, "1=0-0", [](const std::string& c) { return CountOf(c, '1') == 0; }},
        {K::Signs, "x=3-6",
         [](const std::string& c) { return CountOf(c, 'X') >= 3 && CountOf(c, 'X') <= 6; }},
        {K::Signs, "2=14-14", [](const std::string& c) { return CountOf(c, '2') == 14; }},
        {K::Variants, "0-0", [](const std::string& c) { return c == "11111111111111"; }},
        {K::Variants, "5-9",
         [](const std::string& c) { return CountOf(c, '1') >= 5 && CountOf(c, '1') <= 9; }},
        {K::Breaks, "0-0", [](const std::string& c) { return BreaksOf(c) == 0; }},
        {K::Breaks, "6-9",
         [](const std::string& c) { return BreaksOf(c) >= 6 && BreaksOf(c) <= 9; }},
        {K::Breaks, "13-13", [](const std::string& c) { return BreaksOf(c) == 13; }},
        {K::Run, "1-1", [](const std::string& c) { return LongestRunOf(c, 0) == 1; }},
        {K::Run, "4-14", [](const std::string& c) { return LongestRunOf(c, 0) >= 4; }},
        {K::Run, "x=0-0", [](const std::string& c) { return CountOf(c, 'X') == 0; }},
        {K::Run, "2=2-3",
         [](const std::string& c) {
             return c.find("22") != std::string::npos && c.find("2222") == std::string::npos;
         }},
        {K::Group, "1-4:X=1-2",
         [](const std::string& c) {
             return CountOf(c.substr(0, 4), 'X') >= 1 && CountOf(c.substr(0, 4), 'X') <= 2;
         }},
        {K::Group, "13-14:1=0-0",
         [](const std::string& c) { return c[12] != '1' && c[13] != '1'; }},
        {K::Group, "5-5:2=1-1", [](const std::string& c) { return c[4] == '2'; }},
        {K::Base, "1X21X1121X2112=0-3",
         [](const std::string& c) {
             int differences = 0;
             for (std::size_t p = 0; p < c.size(); ++p) {
                 differences += c[p] != "1X21X1121X2112"[p] ? 1 : 0;
             }
             return differences <= 3;
         }},
        {K::Base, "XXXXXXXXXXXXXX=14-14",
         [](const std::string& c) { return CountOf(c, 'X') == 0; }},
        {K::Value, "1.2",
         [](const std::string& c) {
             return ShareBy(c, KindOdds(false)) >= 1.2 * ShareBy(c, KindOdds(true));
         }},
        {K::Public, "0.0001",
         [](const std::string& c) { return ShareBy(c, KindOdds(true)) * 100 <= 0.0001; }},
    };
    return cases;
}

}  // namespace

TEST(conditions, every_kind_keeps_what_its_words_say_in_the_walk_and_the_direct_check) {
    const TForecast forecast = ParseForecast(kMixedForecast);
    const std::vector<std::string> product = ForecastProduct(forecast);
    std::set<TConditionKind> covered;
    std::vector<TCondition> all;
    for (const TKindCase& kindCase : KindCases()) {
        SCOPED_TRACE(kindCase.Text);
        TCondition condition = ParseCondition(kindCase.Kind, kindCase.Text);
        SetConditionOdds(std::span(&condition, 1), KindOdds(false), KindOdds(true));
        std::vector<std::string> kept;
        for (const std::string& column : product) {
            const bool keeps = kindCase.Keeps(column);
            EXPECT_EQ(
                MeetsConditions(std::span<const char, kColumnLength>(column.data(), kColumnLength),
                                std::span(&condition, 1)),
                keeps)
                << column;
            if (keeps) {
                kept.push_back(column);
            }
        }
        EXPECT_EQ(CountColumns(forecast, std::span(&condition, 1)), kept.size());
        EXPECT_EQ(Texts(DevelopColumns(forecast, std::span(&condition, 1))), kept);
        covered.insert(kindCase.Kind);
    }
    for (const TConditionKindRule& rule : ConditionKindRules()) {
        EXPECT_TRUE(covered.contains(rule.Kind)) << rule.Name << " has no case";
    }
    // One satisfiable condition of each kind at once: the walk prunes on all of them together.
    std::vector<std::function<bool(const std::string&)>> keeps;
    for (const std::size_t k : {1, 4, 6, 9, 12, 15}) {
        all.push_back(ParseCondition(KindCases()[k].Kind, KindCases()[k].Text));
        keeps.push_back(KindCases()[k].Keeps);
    }
    std::vector<std::string> kept;
    std::copy_if(product.begin(), product.end(), std::back_inserter(kept), [&](const auto& c) {
        return std::all_of(keeps.begin(), keeps.end(), [&](const auto& keep) { return keep(c); });
    });
    ASSERT_FALSE(kept.empty());
    EXPECT_EQ(Texts(DevelopColumns(forecast, all)), kept);
    EXPECT_EQ(CountColumns(forecast, all), kept.size());
}

TEST(conditions, every_kind_goes_by_its_plan_file_name_and_back) {
    const std::vector<std::pair<TConditionKind, std::string_view>> names = {
        {K::Signs, "signs"}, {K::Variants, "variants"}, {K::Breaks, "breaks"},
        {K::Run, "run"},     {K::Group, "group"},       {K::Base, "base"},
        {K::Value, "value"}, {K::Public, "public"}};
    ASSERT_EQ(ConditionKindRules().size(), names.size());
    for (const auto& [kind, name] : names) {
        EXPECT_EQ(ConditionKindName(kind), name);
        EXPECT_EQ(ConditionKindNamed(name), kind) << name;
    }
    for (const TConditionKindRule& rule : ConditionKindRules()) {
        EXPECT_EQ(ConditionKindNamed(ConditionKindName(rule.Kind)), rule.Kind) << rule.Name;
    }
    for (const std::string_view unknown : {"", "sign", "Signs", "runs", "base "}) {
        EXPECT_EQ(ConditionKindNamed(unknown), std::nullopt) << unknown;
    }
}

TEST(conditions, the_first_fault_of_a_condition_is_found_in_order) {
    const auto make = [](TConditionKind kind, char sign, int least, int most, int first = 0,
                         int last = 13, std::string_view base = "") {
        TCondition condition;
        condition.Kind = kind;
        condition.Sign = sign;
        condition.Least = least;
        condition.Most = most;
        condition.First = first;
        condition.Last = last;
        std::copy(base.begin(), base.end(), condition.Base.begin());
        return condition;
    };
    using F = TConditionFault;
    const std::optional<F> none;
    const std::vector<std::tuple<std::string, TCondition, std::optional<F>>> cases = {
        {"signs of 1", make(K::Signs, '1', 0, 14), none},
        {"signs of no sign", make(K::Signs, 0, 0, 3), F::Sign},
        {"signs of a lower-case x", make(K::Signs, 'x', 0, 3), F::Sign},
        {"group of no sign", make(K::Group, 0, 0, 3), F::Sign},
        {"run of any sign", make(K::Run, 0, 1, 14), none},
        {"run of a letter", make(K::Run, 'Y', 1, 3), F::Sign},
        {"variants ignore the sign", make(K::Variants, 'Y', 1, 3), none},
        {"group before match 1", make(K::Group, 'X', 0, 1, -1, 3), F::Matches},
        {"group past match 14", make(K::Group, 'X', 0, 1, 10, 14), F::Matches},
        {"group backwards", make(K::Group, 'X', 0, 1, 5, 2), F::Backwards},
        {"signs ignore the matches", make(K::Signs, 'X', 0, 1, 5, 2), none},
        {"base left empty", make(K::Base, 0, 0, 3), F::Base},
        {"base with a lower-case x", make(K::Base, 0, 0, 3, 0, 13, "1X21X21X21X21x"), F::Base},
        {"base of 14 signs", make(K::Base, 0, 0, 3, 0, 13, "1X21X21X21X21X"), none},
        {"breaks ignore the base", make(K::Breaks, 0, 0, 13), none},
        {"least below 0", make(K::Signs, '1', -1, 3), F::Bounds},
        {"fourteen breaks", make(K::Breaks, 0, 0, 14), F::Bounds},
        {"more than the group holds", make(K::Group, '2', 0, 5, 0, 3), F::Bounds},
        {"fifteen signs", make(K::Signs, '2', 0, 15), F::Bounds},
        {"least above most", make(K::Signs, 'X', 5, 2), F::LeastAboveMost},
        {"least above the bound", make(K::Variants, 0, 15, 14), F::LeastAboveMost},
        {"sign before bounds", make(K::Signs, 0, 5, 2), F::Sign},
        {"backwards before bounds", make(K::Group, '1', 0, 20, 5, 2), F::Backwards},
        {"base before bounds", make(K::Base, 0, 9, 15), F::Base},
        {"bounds before their order", make(K::Breaks, 0, 15, 14), F::Bounds},
    };
    for (const auto& [label, condition, fault] : cases) {
        EXPECT_EQ(FindConditionFault(condition), fault) << label;
    }
    EXPECT_EQ(MostBound(make(K::Signs, '1', 0, 0)), 14);
    EXPECT_EQ(MostBound(make(K::Breaks, 0, 0, 0)), 13);
    EXPECT_EQ(MostBound(make(K::Group, '1', 0, 0, 3, 6)), 4);
    EXPECT_EQ(MostBound(make(K::Group, '1', 0, 0, 6, 3)), 0);
    EXPECT_EQ(MostBound(make(K::Base, 0, 0, 0)), 14);
}

TEST(conditions, each_kind_is_read_with_its_signs_matches_and_bounds) {
    const TCondition signs = ParseCondition(K::Signs, "x=0-14");
    EXPECT_EQ(signs.Kind, K::Signs);
    EXPECT_EQ(signs.Sign, 'X');
    EXPECT_EQ(signs.Least, 0);
    EXPECT_EQ(signs.Most, 14);
    const TCondition variants = ParseCondition(K::Variants, "3-7");
    EXPECT_EQ(variants.Kind, K::Variants);
    EXPECT_EQ(variants.Least, 3);
    EXPECT_EQ(variants.Most, 7);
    EXPECT_EQ(ParseCondition(K::Breaks, "0-13").Most, 13);
    const TCondition anyRun = ParseCondition(K::Run, "2-5");
    EXPECT_EQ(anyRun.Sign, 0);
    EXPECT_EQ(anyRun.Least, 2);
    EXPECT_EQ(ParseCondition(K::Run, "x=0-3").Sign, 'X');
    const TCondition group = ParseCondition(K::Group, "1-4:x=1-2");
    EXPECT_EQ(group.First, 0);
    EXPECT_EQ(group.Last, 3);
    EXPECT_EQ(group.Sign, 'X');
    EXPECT_EQ(group.Least, 1);
    EXPECT_EQ(group.Most, 2);
    EXPECT_EQ(ParseCondition(K::Group, "14-14:2=0-1").First, 13);
    const TCondition base = ParseCondition(K::Base, "1x21X1121x2112=2-4");
    const std::string column(base.Base.begin(), base.Base.end());
    EXPECT_EQ(column, "1X21X1121X2112");
    EXPECT_EQ(base.Least, 2);
    EXPECT_EQ(base.Most, 4);
}

TEST(conditions, a_wrong_condition_is_quoted_with_how_to_write_it) {
    const std::vector<std::pair<TConditionKind, std::vector<std::string>>> cases = {
        {K::Signs, {"1=3", "1=5-4", "1=0-15", "3=1-2", "1-2", "1=a-2", "1=-1-2", "", "X=4-3"}},
        {K::Variants, {"5-4", "0-15", "-1-2", "3", "1=1-2", "1-2-3"}},
        {K::Breaks, {"0-14", "4-3", "", "a-b"}},
        {K::Run, {"0-15", "5-4", "Y=1-2", "X=2-1", "X=", "=1-2"}},
        {K::Group,
         {"0-4:X=1-2", "4-3:X=1-2", "1-15:X=1-2", "1-4:X=1-5", "1-4:X=2-1", "1-4:3=1-2", "1-4X=1-2",
          "1-4:X", ":X=1-2"}},
        {K::Base,
         {"1X21X1121X211=0-3", "1X21X1121X21122=0-3", "1X21X1121X211Y=0-3", "1X21X1121X2112=0-15",
          "1X21X1121X2112=4-3", "1X21X1121X2112", "=0-3"}},
    };
    const std::vector<std::pair<TConditionKind, std::string>> messages = {
        {K::Signs, "sign condition: write S=MIN-MAX, S one of 1, X and 2, 0 <= MIN <= MAX <= 14"},
        {K::Variants, "variants condition: write MIN-MAX, 0 <= MIN <= MAX <= 14"},
        {K::Breaks, "breaks condition: write MIN-MAX, 0 <= MIN <= MAX <= 13"},
        {K::Run,
         "run condition: write MIN-MAX or S=MIN-MAX, S one of 1, X and 2, "
         "0 <= MIN <= MAX <= 14"},
        {K::Group,
         "group condition: write FIRST-LAST:S=MIN-MAX, 1 <= FIRST <= LAST <= 14, S one of "
         "1, X and 2, 0 <= MIN <= MAX <= LAST - FIRST + 1"},
        {K::Base,
         "base condition: write COLUMN=MIN-MAX, COLUMN 14 signs of 1, X and 2, "
         "0 <= MIN <= MAX <= 14"},
    };
    for (std::size_t k = 0; k < cases.size(); ++k) {
        for (const std::string& text : cases[k].second) {
            EXPECT_THROW_MSG(ParseCondition(cases[k].first, text), TConditionError,
                             "'" + text + "' is no " + messages[k].second);
        }
    }
    EXPECT_THROW_MSG(ParseCondition(K::Signs, "X=4-3"), TConditionError,
                     "'X=4-3' is no sign condition: write S=MIN-MAX, S one of 1, X and 2, "
                     "0 <= MIN <= MAX <= 14");
}

TEST(conditions, each_condition_at_its_bounds_keeps_what_a_literal_filter_keeps) {
    const std::vector<std::pair<TConditionKind, std::string>> written = {
        {K::Signs, "1=0-0"},
        {K::Signs, "X=14-14"},
        {K::Signs, "2=3-5"},
        {K::Signs, "1=0-14"},
        {K::Variants, "0-0"},
        {K::Variants, "14-14"},
        {K::Variants, "4-7"},
        {K::Breaks, "0-0"},
        {K::Breaks, "13-13"},
        {K::Breaks, "5-8"},
        {K::Breaks, "0-13"},
        {K::Run, "1-1"},
        {K::Run, "14-14"},
        {K::Run, "3-4"},
        {K::Run, "0-0"},
        {K::Run, "X=0-0"},
        {K::Run, "1=3-14"},
        {K::Run, "2=1-2"},
        {K::Run, "X=14-14"},
        {K::Group, "1-1:1=1-1"},
        {K::Group, "1-14:2=0-3"},
        {K::Group, "9-12:X=2-2"},
        {K::Group, "13-14:X=0-0"},
        {K::Base, "1X21X1121X2112=0-0"},
        {K::Base, "1X21X1121X2112=14-14"},
        {K::Base, "XXXXXXXXXXXXXX=3-5"},
    };
    for (const char* forecast : {kMixedForecast, kTriplesForecast}) {
        for (const auto& [kind, text] : written) {
            ExpectLiteral(ParseForecast(forecast), {ParseCondition(kind, text)},
                          std::string(forecast) + " " + text);
        }
    }
    // Counts known from the combinatorics, so the literal filter is checked too.
    const TForecast triples = ParseForecast(kTriplesForecast);
    const std::vector<std::pair<std::string, std::uint64_t>> known = {
        {"X=14-14", 1}, {"1=3-3", 84 * 64}, {"2=0-0", 512}, {"X=5-5", 512}};
    for (const auto& [text, count] : known) {
        EXPECT_EQ(CountColumns(triples, Parsed({{K::Signs, text}})), count) << text;
    }
    EXPECT_EQ(CountColumns(triples, Parsed({{K::Breaks, "0-0"}})), 1u);
    EXPECT_EQ(CountColumns(triples, Parsed({{K::Run, "14-14"}})), 1u);
    EXPECT_EQ(CountColumns(triples, Parsed({{K::Run, "1=9-9"}})), 1u);
    // The last five matches hold no break: 9 at most, every pair of matches 1 to 10 differing.
    EXPECT_EQ(CountColumns(triples, Parsed({{K::Breaks, "13-13"}})), 0u);
    EXPECT_EQ(CountColumns(triples, Parsed({{K::Breaks, "9-9"}})), 512u);
    EXPECT_EQ(CountColumns(triples, Parsed({{K::Base, "XXXXXXXXXXXXXX=2-2"}})), 36u * 4);
}

TEST(conditions, combined_conditions_keep_what_meets_them_all) {
    const std::vector<std::vector<std::pair<TConditionKind, std::string>>> sets = {
        {{K::Signs, "1=4-7"}, {K::Signs, "X=2-5"}, {K::Breaks, "6-10"}},
        {{K::Variants, "5-9"}, {K::Run, "2-3"}, {K::Group, "1-4:X=1-2"}, {K::Group, "5-8:1=2-4"}},
        {{K::Base, "11X1211X21X112=3-6"},
         {K::Run, "X=1-2"},
         {K::Breaks, "7-13"},
         {K::Breaks, "0-9"}},
        {{K::Signs, "2=0-3"}, {K::Run, "1=2-14"}, {K::Run, "4-14"}, {K::Variants, "3-14"}},
        {{K::Signs, "1=5-5"}, {K::Signs, "1=6-6"}},
        {{K::Group, "1-8:2=8-8"}, {K::Base, "22222222XXXXXX=0-1"}},
    };
    for (std::size_t k = 0; k < sets.size(); ++k) {
        ExpectLiteral(ParseForecast(kMixedForecast), Parsed(sets[k]), "set " + std::to_string(k));
    }
    EXPECT_EQ(CountColumns(ParseForecast(kMixedForecast),
                           Parsed({{K::Signs, "1=5-5"}, {K::Signs, "1=6-6"}})),
              0u);
}

TEST(conditions, counting_and_developing_agree_on_random_forecasts_and_conditions) {
    std::mt19937 random(20240611);
    // As ParseForecast orders them.
    const std::vector<std::string> groups = {"1", "X", "2", "1X", "12", "2X", "12X"};
    const auto bounds = [&](int highest) {
        const int least = static_cast<int>(random() % static_cast<unsigned>(highest + 1));
        const int most =
            least + static_cast<int>(random() % static_cast<unsigned>(highest - least + 1));
        return std::to_string(least) + "-" + std::to_string(most);
    };
    const auto sign = [&] { return std::string(1, "1X2"[random() % 3]); };
    int literal = 0;
    for (int round = 0; round < 60; ++round) {
        TForecast forecast;
        std::uint64_t product = 1;
        for (std::string& group : forecast) {
            group = groups[random() % groups.size()];
            product *= group.size();
        }
        if (product > 300000) {
            continue;
        }
        std::vector<TCondition> conditions;
        const int count = 1 + static_cast<int>(random() % 5);
        for (int c = 0; c < count; ++c) {
            switch (random() % 6) {
                case 0:
                    conditions.push_back(ParseCondition(K::Signs, sign() + "=" + bounds(14)));
                    break;
                case 1:
                    conditions.push_back(ParseCondition(K::Variants, bounds(14)));
                    break;
                case 2:
                    conditions.push_back(ParseCondition(K::Breaks, bounds(13)));
                    break;
                case 3:
                    conditions.push_back(ParseCondition(
                        K::Run, random() % 2 ? bounds(14) : sign() + "=" + bounds(14)));
                    break;
                case 4: {
                    const int first = 1 + static_cast<int>(random() % 14);
                    const int last = first + static_cast<int>(random() % (15 - first));
                    conditions.push_back(ParseCondition(
                        K::Group, std::to_string(first) + "-" + std::to_string(last) + ":" +
                                      sign() + "=" + bounds(last - first + 1)));
                    break;
                }
                default: {
                    std::string base;
                    for (int p = 0; p < kColumnLength; ++p) {
                        base += sign();
                    }
                    conditions.push_back(ParseCondition(K::Base, base + "=" + bounds(14)));
                }
            }
        }
        const std::vector<TKey> developed = DevelopColumns(forecast, conditions);
        EXPECT_EQ(CountColumns(forecast, conditions), developed.size()) << round;
        EXPECT_TRUE(std::is_sorted(developed.begin(), developed.end())) << round;
        if (product <= 20000) {
            EXPECT_EQ(Texts(developed), LiteralDevelopment(forecast, conditions)) << round;
            ++literal;
        }
    }
    EXPECT_GE(literal, 10);
}

TEST(conditions, the_columns_come_in_the_order_a_run_sorts_them) {
    const std::vector<std::string> texts =
        Texts(DevelopColumns(ParseForecast(kMixedForecast), Parsed({{K::Breaks, "4-6"}})));
    ASSERT_FALSE(texts.empty());
    EXPECT_TRUE(std::is_sorted(texts.begin(), texts.end(), [](const auto& a, const auto& b) {
        return CompareLines(a, b) < 0;
    }));
}

TEST(conditions, a_stopped_count_returns_early_and_developing_reports_its_phase) {
    const TForecast all = ParseForecast("1X2 1X2 1X2 1X2 1X2 1X2 1X2 1X2 1X2 1X2 1X2 1X2 1X2 1X2");
    std::stop_source source;
    source.request_stop();
    EXPECT_LT(CountColumns(all, {}, source.get_token()), 4782969u);
    EXPECT_EQ(CountColumns(all, {}), 4782969u);

    struct TSink : TProgressSink {
        std::vector<std::string> Phases;
        std::vector<double> Fractions;
        void BeginPhase(std::string_view phase) override { Phases.emplace_back(phase); }
        void Report(const TProgress& progress) override {
            EXPECT_EQ(progress.Phase, kDevelopingPhase);
            Fractions.push_back(progress.Fraction);
        }
    } sink;
    const TForecast twelveTriples =
        ParseForecast("1X2 1X2 1X2 1X2 1X2 1X2 1X2 1X2 1X2 1X2 1X2 1X2 1 1");
    EXPECT_EQ(DevelopColumns(twelveTriples, {}, &sink).size(), 531441u);
    EXPECT_EQ(sink.Phases, std::vector<std::string>{"developing"});
    ASSERT_GT(sink.Fractions.size(), 2u);
    EXPECT_TRUE(std::is_sorted(sink.Fractions.begin(), sink.Fractions.end()));
    EXPECT_EQ(sink.Fractions.back(), 1.0);
}

}  // namespace kelvo
