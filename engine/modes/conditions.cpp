#include "modes/conditions.h"

#include <algorithm>
#include <optional>

namespace kelvo {

namespace {

// Signs by index: 1, X, 2; any other byte is kOtherSign, and before the first match there is
// kNoSign.
constexpr int kSignCount = 3;
constexpr int kNoSign = 4;
constexpr std::string_view kSigns = "1X2";

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

// "MIN-MAX" (or "FIRST-LAST") with `lowest` <= MIN <= MAX <= `highest`, or nothing.
std::optional<TBounds> ParseBounds(std::string_view text, int lowest, int highest) {
    const std::size_t dash = text.find('-');
    if (dash == std::string_view::npos) {
        return std::nullopt;
    }
    const TBounds bounds{ParseCount(text.substr(0, dash)), ParseCount(text.substr(dash + 1))};
    if (bounds.Least < lowest || bounds.Most < bounds.Least || bounds.Most > highest) {
        return std::nullopt;
    }
    return bounds;
}

// The sign of "S=..." (a lower-case x read as X), or 0.
char ParseSign(std::string_view text) {
    if (text.size() < 2 || text[1] != '=' || SignDigit(text[0]) == kOtherSign) {
        return 0;
    }
    return kSigns[static_cast<std::size_t>(SignDigit(text[0]))];
}

// What each kind is called in its message, and how it is written.
std::string_view KindName(TConditionKind kind) {
    switch (kind) {
        case TConditionKind::Signs:
            return "sign";
        case TConditionKind::Variants:
            return "variants";
        case TConditionKind::Breaks:
            return "breaks";
        case TConditionKind::Run:
            return "run";
        case TConditionKind::Group:
            return "group";
        case TConditionKind::Base:
            return "base";
    }
    return "";
}

std::string_view KindForm(TConditionKind kind) {
    switch (kind) {
        case TConditionKind::Signs:
            return "S=MIN-MAX, S one of 1, X and 2, 0 <= MIN <= MAX <= 14";
        case TConditionKind::Variants:
            return "MIN-MAX, 0 <= MIN <= MAX <= 14";
        case TConditionKind::Breaks:
            return "MIN-MAX, 0 <= MIN <= MAX <= 13";
        case TConditionKind::Run:
            return "MIN-MAX or S=MIN-MAX, S one of 1, X and 2, 0 <= MIN <= MAX <= 14";
        case TConditionKind::Group:
            return "FIRST-LAST:S=MIN-MAX, 1 <= FIRST <= LAST <= 14, S one of 1, X and 2, "
                   "0 <= MIN <= MAX <= LAST - FIRST + 1";
        case TConditionKind::Base:
            return "COLUMN=MIN-MAX, COLUMN 14 signs of 1, X and 2, 0 <= MIN <= MAX <= 14";
    }
    return "";
}

// Reads `text` as a condition of `kind`, or nothing.
std::optional<TCondition> ReadCondition(TConditionKind kind, std::string_view text) {
    TCondition condition;
    condition.Kind = kind;
    std::string_view bounds = text;
    int highest = kColumnLength;
    switch (kind) {
        case TConditionKind::Signs:
            condition.Sign = ParseSign(text);
            if (condition.Sign == 0) {
                return std::nullopt;
            }
            bounds.remove_prefix(2);
            break;
        case TConditionKind::Variants:
            break;
        case TConditionKind::Breaks:
            highest = kColumnLength - 1;
            break;
        case TConditionKind::Run:
            condition.Sign = ParseSign(text);
            if (condition.Sign != 0) {
                bounds.remove_prefix(2);
            }
            break;
        case TConditionKind::Group: {
            const std::size_t colon = text.find(':');
            if (colon == std::string_view::npos) {
                return std::nullopt;
            }
            const auto matches = ParseBounds(text.substr(0, colon), 1, kColumnLength);
            bounds = text.substr(colon + 1);
            condition.Sign = ParseSign(bounds);
            if (!matches || condition.Sign == 0) {
                return std::nullopt;
            }
            condition.First = matches->Least - 1;
            condition.Last = matches->Most - 1;
            highest = condition.Last - condition.First + 1;
            bounds.remove_prefix(2);
            break;
        }
        case TConditionKind::Base:
            if (text.size() <= kColumnLength || text[kColumnLength] != '=') {
                return std::nullopt;
            }
            for (std::size_t p = 0; p < kColumnLength; ++p) {
                const int sign = SignDigit(text[p]);
                if (sign == kOtherSign) {
                    return std::nullopt;
                }
                condition.Base[p] = kSigns[static_cast<std::size_t>(sign)];
            }
            bounds.remove_prefix(kColumnLength + 1);
            break;
    }
    const auto limits = ParseBounds(bounds, 0, highest);
    if (!limits) {
        return std::nullopt;
    }
    condition.Least = limits->Least;
    condition.Most = limits->Most;
    return condition;
}

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
        if (condition.Kind == TConditionKind::Breaks) {
            AddBreaks(condition);
        } else if (condition.Kind == TConditionKind::Run) {
            AddRun(condition);
        } else {
            AddCount(condition);
        }
    }

    void AddCount(const TCondition& condition) {
        TCountLimit limit;
        limit.Least = condition.Least;
        limit.Most = condition.Most;
        for (int p = 0; p < kColumnLength; ++p) {
            auto& counts = limit.Counts[static_cast<std::size_t>(p)];
            const char base = condition.Base[static_cast<std::size_t>(p)];
            for (int s = 0; s < kSignCount; ++s) {
                const char sign = kSigns[static_cast<std::size_t>(s)];
                switch (condition.Kind) {
                    case TConditionKind::Signs:
                        counts[s] = SignDigit(condition.Sign) == s;
                        break;
                    case TConditionKind::Variants:
                        counts[s] = sign != '1';
                        break;
                    case TConditionKind::Group:
                        counts[s] = SignDigit(condition.Sign) == s && p >= condition.First &&
                                    p <= condition.Last;
                        break;
                    case TConditionKind::Base:
                        counts[s] = SignDigit(base) != s;
                        break;
                    default:
                        break;
                }
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
                        const int here = last != kNoSign && s != last ? 1 : 0;
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
        limit.Sign = condition.Sign == 0 ? kNoSign : SignDigit(condition.Sign);
        limit.Least = condition.Least;
        limit.Most = condition.Most;
        for (int n = kColumnLength - 1; n >= 0; --n) {
            int longest = limit.Longest[n + 1];
            for (int s = 0; s < kSignCount; ++s) {
                limit.Reach[n][s] = holds_[n][s] ? 1 + limit.Reach[n + 1][s] : 0;
                if (limit.Sign == kNoSign || limit.Sign == s) {
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
        const int last = last_[p];
        run_[n] = s == last ? run_[p] + 1 : 1;
        breakCount_[n] = breakCount_[p] + (last != kNoSign && s != last ? 1 : 0);
        last_[n] = s;
        if (breaks_ && (breakCount_[n] + breaks_->Fewest[n][s] > breaks_->Highest ||
                        breakCount_[n] + breaks_->Most[n][s] < breaks_->Least)) {
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
            const int current = limit.Sign == kNoSign || limit.Sign == s ? run_[n] : 0;
            const int longest = std::max<int>(longest_[p * runs + i], current);
            longest_[n * runs + i] = static_cast<std::uint8_t>(longest);
            const int reachable = std::max(
                {longest, current > 0 ? current + limit.Reach[n][s] : 0, limit.Longest[n]});
            if (longest > limit.Most || reachable < limit.Least) {
                return false;
            }
        }
        return true;
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
    std::optional<TBreaksRange> breaks_;
    // The walk's state after each number of matches: the last sign, the length of its run, the
    // breaks so far, each count and each longest run.
    std::array<int, kColumnLength + 1> last_{kNoSign};
    std::array<int, kColumnLength + 1> run_{};
    std::array<int, kColumnLength + 1> breakCount_{};
    std::vector<std::uint8_t> counts_;
    std::vector<std::uint8_t> longest_;
    std::array<std::uint64_t, kColumnLength> digit_{};
    std::array<char, kColumnLength> column_{};
};

}  // namespace

TCondition ParseCondition(TConditionKind kind, std::string_view text) {
    const std::optional<TCondition> condition = ReadCondition(kind, text);
    if (!condition) {
        throw TConditionError("'" + std::string(text) + "' is no " + std::string(KindName(kind)) +
                              " condition: write " + std::string(KindForm(kind)));
    }
    return *condition;
}

bool MeetsConditions(std::span<const char, kColumnLength> signs,
                     std::span<const TCondition> conditions) {
    return std::all_of(conditions.begin(), conditions.end(), [&](const TCondition& condition) {
        int value = 0;
        int run = 0;
        for (int p = 0; p < kColumnLength; ++p) {
            const int sign = SignDigit(signs[p]);
            const bool same = p > 0 && sign == SignDigit(signs[p - 1]);
            switch (condition.Kind) {
                case TConditionKind::Signs:
                    value += sign == SignDigit(condition.Sign) ? 1 : 0;
                    break;
                case TConditionKind::Variants:
                    value += sign != 0 ? 1 : 0;
                    break;
                case TConditionKind::Breaks:
                    value += p > 0 && !same ? 1 : 0;
                    break;
                case TConditionKind::Run:
                    run = condition.Sign != 0 && sign != SignDigit(condition.Sign) ? 0
                          : same                                                   ? run + 1
                                                                                   : 1;
                    value = std::max(value, run);
                    break;
                case TConditionKind::Group:
                    value += p >= condition.First && p <= condition.Last &&
                                     sign == SignDigit(condition.Sign)
                                 ? 1
                                 : 0;
                    break;
                case TConditionKind::Base:
                    value += sign != SignDigit(condition.Base[static_cast<std::size_t>(p)]) ? 1 : 0;
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

std::optional<TConditionFault> FindConditionFault(const TCondition& condition) {
    const auto isSign = [](char sign) { return sign == '1' || sign == 'X' || sign == '2'; };
    const bool takesSign =
        condition.Kind == TConditionKind::Signs || condition.Kind == TConditionKind::Group;
    const bool group = condition.Kind == TConditionKind::Group;
    if ((takesSign && !isSign(condition.Sign)) ||
        (condition.Kind == TConditionKind::Run && !isSign(condition.Sign) && condition.Sign != 0)) {
        return TConditionFault::Sign;
    }
    if (group && (condition.First < 0 || condition.Last >= kColumnLength)) {
        return TConditionFault::Matches;
    }
    if (group && condition.First > condition.Last) {
        return TConditionFault::Backwards;
    }
    if (condition.Kind == TConditionKind::Base &&
        !std::all_of(condition.Base.begin(), condition.Base.end(), isSign)) {
        return TConditionFault::Base;
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
    switch (condition.Kind) {
        case TConditionKind::Breaks:
            return kColumnLength - 1;
        case TConditionKind::Group:
            return std::max(0, condition.Last - condition.First + 1);
        default:
            return kColumnLength;
    }
}

namespace {

// The plan files' names of the kinds, in TConditionKind order.
constexpr std::array<std::string_view, 6> kKindNames = {"signs", "variants", "breaks",
                                                        "run",   "group",    "base"};

}  // namespace

std::string_view ConditionKindName(TConditionKind kind) {
    return kKindNames[static_cast<std::size_t>(kind)];
}

std::optional<TConditionKind> ConditionKindNamed(std::string_view name) {
    const auto found = std::find(kKindNames.begin(), kKindNames.end(), name);
    if (found == kKindNames.end()) {
        return std::nullopt;
    }
    return static_cast<TConditionKind>(found - kKindNames.begin());
}

}  // namespace kelvo
