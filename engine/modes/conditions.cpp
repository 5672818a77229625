#include "modes/conditions.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>

#include "modes/condition_kinds.h"

namespace kelvo {

namespace {

// Sign digits 0 to 2.
constexpr int kSignCount = 3;

// ---- Reading conditions.

// One or two digits, or -1.
int ParseCount(std::string_view digits) {
    if (digits.empty() || digits.size() > 2 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return -1;
    }
    return std::stoi(std::string(digits));
}

struct TBounds {
    int Least = -1;
    int Most = -1;
};

// "MIN-MAX" (or "FIRST-LAST"), or nothing; whether the numbers fit is FindConditionFault's.
std::optional<TBounds> ParseBounds(std::string_view text) {
    const std::size_t dash = text.find('-');
    if (dash == std::string_view::npos) {
        return std::nullopt;
    }
    const TBounds bounds{ParseCount(text.substr(0, dash)), ParseCount(text.substr(dash + 1))};
    if (bounds.Least < 0 || bounds.Most < 0) {
        return std::nullopt;
    }
    return bounds;
}

// Whether `sign` is exactly 1, X or 2: a lower-case x is read as X only where a condition is
// written out.
bool IsSign(char sign) {
    const int digit = SignDigit(sign);
    return digit != kOtherSign && kSignOfDigit[static_cast<std::size_t>(digit)] == sign;
}

// The sign of "S=..." (a lower-case x read as X), or 0.
char ParseSign(std::string_view text) {
    if (text.size() < 2 || text[1] != '=' || SignDigit(text[0]) == kOtherSign) {
        return 0;
    }
    return kSignOfDigit[static_cast<std::size_t>(SignDigit(text[0]))];
}

// Digits with at most one decimal point, or nothing; whether the number fits is
// FindConditionFault's.
std::optional<double> ParseThreshold(std::string_view text) {
    const bool digits =
        std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
        std::all_of(text.begin(), text.end(),
                    [](char c) { return (c >= '0' && c <= '9') || c == '.'; }) &&
        std::count(text.begin(), text.end(), '.') <= 1;
    if (!digits) {
        return std::nullopt;
    }
    double number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return number;
}

// Reads `text` as a condition of `kind`, its fields in the order the kind writes them, or
// nothing when it cannot be read or has a fault.
std::optional<TCondition> ReadCondition(TConditionKind kind, std::string_view text) {
    const TConditionKindRule& rule = ConditionKindRule(kind);
    TCondition condition;
    condition.Kind = kind;
    if (rule.Threshold) {
        const std::optional<double> threshold = ParseThreshold(text);
        if (!threshold) {
            return std::nullopt;
        }
        condition.Threshold = *threshold;
        if (FindConditionFault(condition)) {
            return std::nullopt;
        }
        return condition;
    }
    if (rule.Matches) {
        const std::size_t colon = text.find(':');
        if (colon == std::string_view::npos) {
            return std::nullopt;
        }
        const std::optional<TBounds> matches = ParseBounds(text.substr(0, colon));
        if (!matches) {
            return std::nullopt;
        }
        condition.First = matches->Least - 1;
        condition.Last = matches->Most - 1;
        text.remove_prefix(colon + 1);
    }
    if (rule.Base) {
        if (text.size() <= kColumnLength || text[kColumnLength] != '=') {
            return std::nullopt;
        }
        for (std::size_t p = 0; p < kColumnLength; ++p) {
            const int sign = SignDigit(text[p]);
            if (sign == kOtherSign) {
                return std::nullopt;
            }
            condition.Base[p] = kSignOfDigit[static_cast<std::size_t>(sign)];
        }
        text.remove_prefix(kColumnLength + 1);
    }
    if (rule.Sign != TSignUse::None) {
        condition.Sign = ParseSign(text);
        if (condition.Sign != 0) {
            text.remove_prefix(2);
        } else if (rule.Sign == TSignUse::Required) {
            return std::nullopt;
        }
    }
    const std::optional<TBounds> bounds = ParseBounds(text);
    if (!bounds) {
        return std::nullopt;
    }
    condition.Least = bounds->Least;
    condition.Most = bounds->Most;
    if (FindConditionFault(condition)) {
        return std::nullopt;
    }
    return condition;
}

// ---- Shares of the columns.

// The bound of a pruned walk is a product taken in another order than the column's own, so it
// may come out a few units in the last place apart from it: a column is dropped early only when
// its bound misses by more than this share, and the complete column is judged exactly.
constexpr double kBoundSlack = 1e-9;

// ---- Walking a development.

// A condition that counts the matches whose sign is one of a set: signs, variants, a group, the
// distance from a base.
struct TCountLimit {
    // Counts[p][s]: whether sign s at match p counts.
    std::array<std::array<std::uint8_t, kOtherSign + 1>, kColumnLength> Counts{};
    // Of the matches from n on: how many count whatever their sign, how many can count.
    std::array<int, kColumnLength + 1> Forced{};
    std::array<int, kColumnLength + 1> Possible{};
    int Least = 0;
    int Most = 0;
};

// A condition on the longest run, of one sign or of any.
struct TRunLimit {
    int Sign = kNoSign;
    int Least = 0;
    int Most = 0;
    // Reach[n][s]: how many consecutive matches from n can all have sign s.
    std::array<std::array<int, kOtherSign + 1>, kColumnLength + 1> Reach{};
    // The longest run (of Sign) that the matches from n can still hold.
    std::array<int, kColumnLength + 1> Longest{};
};

// A condition on the column's chance and its share of the public's columns, both built as
// ShareOfSigns builds them, match by match.
struct TShareLimit {
    TCondition Condition;
    TMeasure Measure = TMeasure::Value;
    // The shares of sign digit s at match p by the player's chances and by the public's
    // percentages.
    TChances Chance{};
    TChances Public{};
    // Of the matches from n on, with the forecast's signs: for a value, the most their signs'
    // chances over public shares multiply to (infinite where a share of the public is 0); for
    // the public, the least their public shares multiply to.
    std::array<double, kColumnLength + 1> Rest{};
};

// Every condition of a development, with for each the most and the least the matches still to
// come can add, so that a walk over the forecast drops a partial column as soon as some condition
// can no longer be met, and keeps a complete one exactly when it meets them all.
class TConditionWalk {
public:
    TConditionWalk(const TForecast& forecast, std::span<const TCondition> conditions)
        : forecast_(forecast) {
        for (std::size_t p = 0; p < kColumnLength; ++p) {
            for (const char sign : forecast[p]) {
                holds_[p][static_cast<std::size_t>(SignDigit(sign))] = true;
            }
        }
        below_[kColumnLength] = 1;
        for (int p = kColumnLength - 1; p >= 0; --p) {
            below_[p] = below_[p + 1] * forecast[static_cast<std::size_t>(p)].size();
        }
        for (const TCondition& condition : conditions) {
            Add(condition);
        }
        counts_.assign((kColumnLength + 1) * countLimits_.size(), 0);
        longest_.assign((kColumnLength + 1) * runLimits_.size(), 0);
        chance_.assign((kColumnLength + 1) * shareLimits_.size(), 1);
        public_.assign((kColumnLength + 1) * shareLimits_.size(), 1);
    }

    // The number of columns of the whole product.
    std::uint64_t Product() const { return below_[0]; }

    // Calls visitor.Column(signs) for every column that meets every condition, in the order of
    // the forecast's signs with the last match turning fastest, and visitor.Reached(fraction) at
    // every partial column of kPacedMatches matches, stopping once that returns false.
    template <class Visitor>
    void Walk(Visitor& visitor) {
        Visit(0, visitor);
    }

private:
    static constexpr int kPacedMatches = 7;

    void Add(const TCondition& condition) {
        const TConditionKindRule& rule = ConditionKindRule(condition.Kind);
        switch (rule.Measure) {
            case TMeasure::Count:
                AddCount(condition, rule);
                break;
            case TMeasure::Breaks:
                AddBreaks(condition);
                break;
            case TMeasure::LongestRun:
                AddRun(condition);
                break;
            case TMeasure::Value:
            case TMeasure::PublicShare:
                AddShare(condition, rule.Measure);
                break;
        }
    }

    void AddShare(const TCondition& condition, TMeasure measure) {
        TShareLimit limit;
        limit.Condition = condition;
        limit.Measure = measure;
        limit.Chance = SharesOf(condition.Chances);
        limit.Public = SharesOf(condition.Public);
        limit.Rest[kColumnLength] = 1;
        for (int p = kColumnLength - 1; p >= 0; --p) {
            const auto match = static_cast<std::size_t>(p);
            double rest = measure == TMeasure::Value ? 0 : std::numeric_limits<double>::infinity();
            for (const char sign : forecast_[match]) {
                const auto s = static_cast<std::size_t>(SignDigit(sign));
                const double share = limit.Public[match][s];
                rest = measure == TMeasure::Value
                           ? std::max(rest, share > 0 ? limit.Chance[match][s] / share
                                                      : std::numeric_limits<double>::infinity())
                           : std::min(rest, share);
            }
            limit.Rest[match] = rest * limit.Rest[match + 1];
        }
        shareLimits_.push_back(limit);
    }

    void AddCount(const TCondition& condition, const TConditionKindRule& rule) {
        TCountLimit limit;
        limit.Least = condition.Least;
        limit.Most = condition.Most;
        for (int p = 0; p < kColumnLength; ++p) {
            for (int s = 0; s <= kOtherSign; ++s) {
                limit.Counts[static_cast<std::size_t>(p)][static_cast<std::size_t>(s)] =
                    rule.Counts(condition, p, s) ? 1 : 0;
            }
        }
        for (int p = kColumnLength - 1; p >= 0; --p) {
            bool always = true;
            bool sometimes = false;
            for (const char sign : forecast_[static_cast<std::size_t>(p)]) {
                const bool counted = limit.Counts[static_cast<std::size_t>(p)]
                                                 [static_cast<std::size_t>(SignDigit(sign))] != 0;
                always = always && counted;
                sometimes = sometimes || counted;
            }
            limit.Forced[p] = limit.Forced[p + 1] + (always ? 1 : 0);
            limit.Possible[p] = limit.Possible[p + 1] + (sometimes ? 1 : 0);
        }
        countLimits_.push_back(limit);
    }

    // Every breaks condition narrows one range, and the fewest and most breaks still to come
    // after each sign are known exactly.
    void AddBreaks(const TCondition& condition) {
        if (!breaks_) {
            breaks_ = TBreaksRange{};
            for (int n = kColumnLength - 1; n >= 0; --n) {
                for (int last = 0; last <= kNoSign; ++last) {
                    int fewest = kColumnLength;
                    int most = -1;
                    for (const char sign : forecast_[static_cast<std::size_t>(n)]) {
                        const int s = SignDigit(sign);
                        const int here = IsBreak(last, s) ? 1 : 0;
                        fewest = std::min(fewest, here + breaks_->Fewest[n + 1][s]);
                        most = std::max(most, here + breaks_->Most[n + 1][s]);
                    }
                    breaks_->Fewest[n][last] = fewest;
                    breaks_->Most[n][last] = most;
                }
            }
        }
        breaks_->Least = std::max(breaks_->Least, condition.Least);
        breaks_->Highest = std::min(breaks_->Highest, condition.Most);
    }

    void AddRun(const TCondition& condition) {
        TRunLimit limit;
        limit.Sign = RunSign(condition);
        limit.Least = condition.Least;
        limit.Most = condition.Most;
        for (int n = kColumnLength - 1; n >= 0; --n) {
            int longest = limit.Longest[n + 1];
            for (int s = 0; s < kSignCount; ++s) {
                limit.Reach[n][s] = holds_[n][s] ? 1 + limit.Reach[n + 1][s] : 0;
                if (Follows(limit.Sign, s)) {
                    longest = std::max(longest, limit.Reach[n][s]);
                }
            }
            limit.Longest[n] = longest;
        }
        runLimits_.push_back(limit);
    }

    // Puts sign s at match p: whether the column can still meet every condition.
    bool Step(int p, int s) {
        const int n = p + 1;
        // Written in place: a stretch built aside and then copied in went through the stack,
        // which made the walk of all 3^14 columns without conditions nearly twice as slow.
        stretch_[n] = Extend(stretch_[p], s);
        const TStretch& stretch = stretch_[n];
        if (breaks_ && (stretch.Breaks + breaks_->Fewest[n][s] > breaks_->Highest ||
                        stretch.Breaks + breaks_->Most[n][s] < breaks_->Least)) {
            return false;
        }
        const std::size_t counted = countLimits_.size();
        for (std::size_t i = 0; i < counted; ++i) {
            const TCountLimit& limit = countLimits_[i];
            const int count = counts_[p * counted + i] + limit.Counts[p][s];
            counts_[n * counted + i] = static_cast<std::uint8_t>(count);
            if (count + limit.Forced[n] > limit.Most || count + limit.Possible[n] < limit.Least) {
                return false;
            }
        }
        const std::size_t runs = runLimits_.size();
        for (std::size_t i = 0; i < runs; ++i) {
            const TRunLimit& limit = runLimits_[i];
            const int current = RunOf(limit.Sign, stretch);
            const int longest = std::max<int>(longest_[p * runs + i], current);
            longest_[n * runs + i] = static_cast<std::uint8_t>(longest);
            const int reachable = std::max(
                {longest, current > 0 ? current + limit.Reach[n][s] : 0, limit.Longest[n]});
            if (longest > limit.Most || reachable < limit.Least) {
                return false;
            }
        }
        const std::size_t shared = shareLimits_.size();
        for (std::size_t i = 0; i < shared; ++i) {
            const TShareLimit& limit = shareLimits_[i];
            const double chance = chance_[p * shared + i] * limit.Chance[p][s];
            const double share = public_[p * shared + i] * limit.Public[p][s];
            chance_[n * shared + i] = chance;
            public_[n * shared + i] = share;
            if (!ShareMayMeet(limit, n, chance, share)) {
                return false;
            }
        }
        return true;
    }

    // Whether a column whose first n matches have chance `chance` and public share `share` can
    // still meet `limit`; once complete, whether it does. A product with an infinite or a 0
    // factor that comes out NaN compares false and drops nothing.
    static bool ShareMayMeet(const TShareLimit& limit, int n, double chance, double share) {
        const TCondition& condition = limit.Condition;
        if (n == kColumnLength) {
            return limit.Measure == TMeasure::Value ? MeetsValue(condition, chance, share)
                                                    : MeetsPublicShare(condition, share);
        }
        if (limit.Measure == TMeasure::Value) {
            return !(chance * limit.Rest[n] < condition.Threshold * share * (1 - kBoundSlack));
        }
        return !(share * limit.Rest[n] * 100 > condition.Threshold * (1 + kBoundSlack));
    }

    template <class Visitor>
    bool Visit(int p, Visitor& visitor) {
        if (p == kPacedMatches) {
            double fraction = 0;
            for (int q = 0; q < p; ++q) {
                fraction += static_cast<double>(digit_[q] * below_[q + 1]);
            }
            if (!visitor.Reached(fraction / static_cast<double>(below_[0]), below_[p])) {
                return false;
            }
        }
        const std::string& group = forecast_[static_cast<std::size_t>(p)];
        for (std::size_t d = 0; d < group.size(); ++d) {
            digit_[p] = d;
            if (!Step(p, SignDigit(group[d]))) {
                continue;
            }
            column_[p] = group[d];
            if (p + 1 == kColumnLength) {
                visitor.Column(column_);
            } else if (!Visit(p + 1, visitor)) {
                return false;
            }
        }
        return true;
    }

    struct TBreaksRange {
        int Least = 0;
        int Highest = kColumnLength;
        std::array<std::array<int, kNoSign + 1>, kColumnLength + 1> Fewest{};
        std::array<std::array<int, kNoSign + 1>, kColumnLength + 1> Most{};
    };

    const TForecast& forecast_;
    std::array<std::array<bool, kOtherSign + 1>, kColumnLength> holds_{};
    std::array<std::uint64_t, kColumnLength + 1> below_{};
    std::vector<TCountLimit> countLimits_;
    std::vector<TRunLimit> runLimits_;
    std::vector<TShareLimit> shareLimits_;
    std::optional<TBreaksRange> breaks_;
    // The walk's state after each number of matches: the stretch so far, each count, each
    // longest run, each chance and share of the public.
    std::array<TStretch, kColumnLength + 1> stretch_{};
    std::vector<std::uint8_t> counts_;
    std::vector<std::uint8_t> longest_;
    std::vector<double> chance_;
    std::vector<double> public_;
    std::array<std::uint64_t, kColumnLength> digit_{};
    std::array<char, kColumnLength> column_{};
};

}  // namespace

TCondition ParseCondition(TConditionKind kind, std::string_view text) {
    const std::optional<TCondition> condition = ReadCondition(kind, text);
    if (!condition) {
        const TConditionKindRule& rule = ConditionKindRule(kind);
        throw TConditionError("'" + std::string(text) + "' is no " + std::string(rule.MessageName) +
                              " condition: write " + std::string(rule.Form));
    }
    return *condition;
}

std::optional<TConditionFault> FindConditionFault(const TCondition& condition) {
    const TConditionKindRule& rule = ConditionKindRule(condition.Kind);
    const bool isSign = IsSign(condition.Sign);
    if ((rule.Sign == TSignUse::Required && !isSign) ||
        (rule.Sign == TSignUse::Optional && !isSign && condition.Sign != 0)) {
        return TConditionFault::Sign;
    }
    if (rule.Matches && (condition.First < 0 || condition.Last >= kColumnLength)) {
        return TConditionFault::Matches;
    }
    if (rule.Matches && condition.First > condition.Last) {
        return TConditionFault::Backwards;
    }
    if (rule.Base && !std::all_of(condition.Base.begin(), condition.Base.end(),
                                  [](char sign) { return IsSign(sign); })) {
        return TConditionFault::Base;
    }
    if (rule.Threshold) {
        // Least and Most are not read: a threshold is the kind's only bound.
        if (!(condition.Threshold > 0 && condition.Threshold <= rule.MostThreshold)) {
            return TConditionFault::Threshold;
        }
        return std::nullopt;
    }
    if (condition.Least < 0 || condition.Most > MostBound(condition)) {
        return TConditionFault::Bounds;
    }
    if (condition.Least > condition.Most) {
        return TConditionFault::LeastAboveMost;
    }
    return std::nullopt;
}

int MostBound(const TCondition& condition) {
    return ConditionKindRule(condition.Kind).MostBound(condition);
}

double MostThreshold(const TCondition& condition) {
    return ConditionKindRule(condition.Kind).MostThreshold;
}

void SetConditionOdds(std::span<TCondition> conditions, const TChances& chances,
                      const TChances& publicPercentages) {
    for (TCondition& condition : conditions) {
        const TConditionKindRule& rule = ConditionKindRule(condition.Kind);
        if (rule.Chances) {
            condition.Chances = chances;
        }
        if (rule.Public) {
            condition.Public = publicPercentages;
        }
    }
}

double ShareOfSigns(std::span<const char, kColumnLength> signs, const TChances& percentages) {
    const TChances shares = SharesOf(percentages);
    double share = 1;
    for (std::size_t p = 0; p < kColumnLength; ++p) {
        const int sign = SignDigit(signs[p]);
        share *= sign == kOtherSign ? 0 : shares[p][static_cast<std::size_t>(sign)];
    }
    return share;
}

std::string_view ConditionKindName(TConditionKind kind) {
    return ConditionKindRule(kind).Name;
}

std::optional<TConditionKind> ConditionKindNamed(std::string_view name) {
    for (const TConditionKindRule& rule : ConditionKindRules()) {
        if (rule.Name == name) {
            return rule.Kind;
        }
    }
    return std::nullopt;
}

bool MeetsConditions(std::span<const char, kColumnLength> signs,
                     std::span<const TCondition> conditions) {
    return std::all_of(conditions.begin(), conditions.end(), [&](const TCondition& condition) {
        const TConditionKindRule& rule = ConditionKindRule(condition.Kind);
        if (rule.Measure == TMeasure::Value) {
            return MeetsValue(condition, ShareOfSigns(signs, condition.Chances),
                              ShareOfSigns(signs, condition.Public));
        }
        if (rule.Measure == TMeasure::PublicShare) {
            return MeetsPublicShare(condition, ShareOfSigns(signs, condition.Public));
        }
        const int runSign = RunSign(condition);
        TStretch stretch;
        int value = 0;
        for (int p = 0; p < kColumnLength; ++p) {
            const int sign = SignDigit(signs[static_cast<std::size_t>(p)]);
            stretch = Extend(stretch, sign);
            switch (rule.Measure) {
                case TMeasure::Count:
                    value += rule.Counts(condition, p, sign) ? 1 : 0;
                    break;
                case TMeasure::Breaks:
                    value = stretch.Breaks;
                    break;
                case TMeasure::LongestRun:
                    value = std::max(value, RunOf(runSign, stretch));
                    break;
                case TMeasure::Value:
                case TMeasure::PublicShare:
                    break;
            }
        }
        return value >= condition.Least && value <= condition.Most;
    });
}

std::uint64_t CountColumns(const TForecast& forecast, std::span<const TCondition> conditions,
                           std::stop_token stop) {
    struct TCounter {
        std::stop_token Stop;
        std::uint64_t Columns = 0;
        void Column(const std::array<char, kColumnLength>&) { ++Columns; }
        bool Reached(double, std::uint64_t) const { return !Stop.stop_requested(); }
    };
    TConditionWalk walk(forecast, conditions);
    TCounter counter{std::move(stop)};
    walk.Walk(counter);
    return counter.Columns;
}

std::vector<TKey> DevelopColumns(const TForecast& forecast, std::span<const TCondition> conditions,
                                 TProgressSink* progress) {
    struct TCollector {
        TPacedProgress Paced;
        std::vector<TKey> Keys;
        void Column(const std::array<char, kColumnLength>& signs) {
            Keys.push_back(MakeKey(std::string_view(signs.data(), signs.size())));
        }
        bool Reached(double fraction, std::uint64_t below) {
            Paced.SetProgress(fraction);
            Paced.Work(below);
            return true;
        }
    };
    if (progress != nullptr) {
        progress->BeginPhase(kDevelopingPhase);
    }
    TConditionWalk walk(forecast, conditions);
    TCollector collector{TPacedProgress(progress, kDevelopingPhase), {}};
    // Pages of the room left unused are never touched, so the whole product costs no memory.
    collector.Keys.reserve(walk.Product());
    walk.Walk(collector);
    collector.Paced.SetProgress(1);
    collector.Paced.Now();
    return std::move(collector.Keys);
}

void ForEachColumn(const TForecast& forecast, std::span<const TCondition> conditions,
                   const std::function<void(std::span<const char, kColumnLength>)>& column) {
    struct TCaller {
        const std::function<void(std::span<const char, kColumnLength>)>& Call;
        void Column(const std::array<char, kColumnLength>& signs) { Call(signs); }
        bool Reached(double, std::uint64_t) const { return true; }
    };
    TConditionWalk walk(forecast, conditions);
    TCaller caller{column};
    walk.Walk(caller);
}

}  // namespace kelvo
