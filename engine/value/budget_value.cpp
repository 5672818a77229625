#include "value/budget_value.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <memory>
#include <new>
#include <optional>
#include <set>
#include <utility>

#include "modes/result_spread.h"
#include "value/result_payout.h"
#include "value/set_value.h"

namespace kelvo {

namespace {

// Only results within this many differences of a column pay it.
constexpr int kRadius = kPrizeCategories - 1;

// A result's first matches as a walk descends them: their chance alone, where what the public
// bets does not matter, or with the public's chances of 0 to 4 wrong.
double Next(const TPayout& payout, double chance, std::size_t match, std::size_t sign) {
    return chance * payout.Chances[match][sign];
}
TResultLevel Next(const TPayout& payout, const TResultLevel& at, std::size_t match,
                  std::size_t sign) {
    return NextLevel(payout, at, match, sign);
}
double ChanceOf(double chance) {
    return chance;
}
double ChanceOf(const TResultLevel& level) {
    return level.Chance;
}

// Calls visit(number, category, level) for every result within kRadius differences of `signs`
// (a byte that is no sign differs from every result) whose chance is above 0, `category` its
// differences and `level` what TLevel carries of it, match by match, in the order of the numbers.
template <class TLevel, class Visit>
void VisitBall(const TPayout& payout, const TSigns& signs, Visit&& visit) {
    std::array<TLevel, kColumnLength + 1> levels{};
    levels[0] = TLevel{1};
    auto descend = [&](auto& self, std::size_t match, std::uint32_t number, int changed) -> void {
        if (match == kColumnLength) {
            visit(number, static_cast<std::size_t>(changed), levels[match]);
            return;
        }
        for (int s = 0; s < 3; ++s) {
            const int change = signs[match] == s ? 0 : 1;
            if (changed + change > kRadius) {
                continue;
            }
            levels[match + 1] = Next(payout, levels[match], match, static_cast<std::size_t>(s));
            if (ChanceOf(levels[match + 1]) > 0) {
                self(self, match + 1, number * 3 + static_cast<std::uint32_t>(s), changed + change);
            }
        }
    };
    descend(descend, 0, 0, 0);
}

// The results within kRadius differences of a column of 14 signs: the sum over d of C(14, d) 2^d.
constexpr std::size_t kBallResults = 19321;

// Below this many candidates, walking the ball of each to value it alone costs less than valuing
// every result once (ValueOfEachColumn).
constexpr std::size_t kWalkedCandidates = kResults / kBallResults;

// An array of every result's figures, zero until written: the pages of results no column comes
// near are never touched.
template <class T>
class TResultArray {
public:
    TResultArray() : figures_(static_cast<T*>(std::calloc(kResults, sizeof(T)))) {
        if (!figures_) {
            throw std::bad_alloc();
        }
    }
    T& operator[](std::uint32_t number) { return figures_.get()[number]; }
    const T& operator[](std::uint32_t number) const { return figures_.get()[number]; }

private:
    struct TFree {
        void operator()(T* figures) const { std::free(figures); }
    };
    std::unique_ptr<T, TFree> figures_;
};

// The chosen set as every result sees it: for each category c, how many chosen columns are c
// matches from the result, and what one more column there wins less than it would alone (its
// loss to the columns already there): chance x (pay(1) - pay(k + 1) + pay(k)) for k columns. A
// column's marginal winnings are then its winnings alone less the losses over its ball.
class TResultState {
public:
    explicit TResultState(const TPayout& payout) : payout_(payout) {}

    void Add(const TSigns& signs) { Change(signs, 1); }
    void Remove(const TSigns& signs) { Change(signs, -1); }

    // What the column of `signs`, worth `alone` alone and not in the set, adds to it.
    double Gain(const TSigns& signs, double alone) const {
        double loss = 0;
        VisitBall<double>(payout_, signs, [&](std::uint32_t number, std::size_t c, double) {
            loss += losses_[c][number];
        });
        return alone - loss;
    }

    // What the column of `signs` wins alone, summed over its ball.
    double Alone(const TSigns& signs) const {
        double alone = 0;
        VisitBall<TResultLevel>(payout_, signs,
                                [&](std::uint32_t, std::size_t c, const TResultLevel& at) {
                                    alone += at.Chance * ResultWin(payout_, c, 1, at.Wrong);
                                });
        return alone;
    }

    // What the set wins, `columns` being exactly its columns: each result's winnings in a
    // category, shared out evenly among the columns that win them, summed column by column in
    // the order of `columns`; nothing accumulated over the set's changes counts.
    double Value(std::span<const TSigns> columns) const {
        double value = 0;
        for (const TSigns& signs : columns) {
            VisitBall<TResultLevel>(
                payout_, signs, [&](std::uint32_t number, std::size_t c, const TResultLevel& at) {
                    const long long k = counts_[c][number];
                    value +=
                        at.Chance * ResultWin(payout_, c, k, at.Wrong) / static_cast<double>(k);
                });
        }
        return value;
    }

private:
    void Change(const TSigns& signs, int by) {
        VisitBall<TResultLevel>(
            payout_, signs, [&](std::uint32_t number, std::size_t c, const TResultLevel& at) {
                std::uint16_t& count = counts_[c][number];
                count = static_cast<std::uint16_t>(count + by);
                const long long k = count;
                losses_[c][number] = k == 0 ? 0
                                            : at.Chance * (ResultWin(payout_, c, 1, at.Wrong) -
                                                           ResultWin(payout_, c, k + 1, at.Wrong) +
                                                           ResultWin(payout_, c, k, at.Wrong));
            });
    }

    const TPayout& payout_;
    // Distinct columns: at most 16016 of them are 4 matches from a result.
    std::array<TResultArray<std::uint16_t>, kPrizeCategories> counts_;
    std::array<TResultArray<double>, kPrizeCategories> losses_;
};

// A candidate and what it adds: exactly to the set as it was at step Fresh of the greedy, an upper
// bound of it since.
struct TBound {
    double Gain;
    std::uint32_t Index;
};

// The heap's order: the largest gain on top, of equal gains the lowest number.
bool Lower(const TBound& a, const TBound& b) {
    return a.Gain < b.Gain || (a.Gain == b.Gain && a.Index > b.Index);
}

// The sum of the `count` largest gains of `heap`, none counted below 0.
double SumOfLargest(const std::vector<TBound>& heap, std::size_t count,
                    std::vector<double>& scratch) {
    scratch.clear();
    for (const TBound& bound : heap) {
        scratch.push_back(std::max(bound.Gain, 0.0));
    }
    const std::size_t taken = std::min(count, scratch.size());
    std::nth_element(scratch.begin(), scratch.begin() + static_cast<std::ptrdiff_t>(taken),
                     scratch.end(), std::greater<>());
    double sum = 0;
    for (std::size_t k = 0; k < taken; ++k) {
        sum += scratch[k];
    }
    return sum;
}

// The same numbers on every machine: splitmix64, without the library's distributions, whose
// results differ between implementations.
class TSteps {
public:
    explicit TSteps(std::uint64_t seed) : state_(seed) {}
    std::size_t Below(std::size_t count) {
        state_ += 0x9E3779B97F4A7C15ull;
        std::uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<std::size_t>((z ^ (z >> 31)) % count);
    }

private:
    std::uint64_t state_;
};

// What the greedy and the search share: the candidates' signs and values alone, the chosen set
// and the state of it, and for every candidate the last figure found for it: what it adds to the
// set when it is out, what the set loses without it when it is in.
struct TChoice {
    std::vector<TSigns> Signs;
    std::vector<double> Alone;
    std::vector<double> Last;
    std::vector<std::uint32_t> Chosen;
    // The unchosen candidates worth something alone, the highest Last first.
    std::set<std::pair<double, std::uint32_t>, std::greater<>> Outside;
    // What the chosen set wins, added up over its changes: enough to steer by, not to report.
    double Value = 0;
};

void SetOutside(TChoice& choice, std::uint32_t k, double gain) {
    choice.Outside.erase({choice.Last[k], k});
    choice.Last[k] = gain;
    choice.Outside.emplace(gain, k);
}

// Reports how far the call has got: the share of the time budget spent, where there is one, with
// the seconds left; else `work`, the share of the greedy's columns and of the search's steps
// done.
void ReportPace(const TOptimiseSettings& settings, TClock::time_point start, double work) {
    if (settings.Progress == nullptr) {
        return;
    }
    TProgress report;
    report.Phase = kBudgetPhase;
    report.Fraction = work;
    if (settings.Steps == 0 && settings.Budget > TClock::duration::zero()) {
        const double budget = std::chrono::duration<double>(settings.Budget).count();
        const double spent = std::chrono::duration<double>(settings.Now() - start).count();
        report.Fraction = std::clamp(spent / budget, 0.0, 1.0);
        report.SecondsLeft = std::max(budget - spent, 0.0);
    }
    settings.Progress->Report(report);
}

// The share of the work the greedy's columns come to: half where the search takes steps.
double GreedyShare(const TOptimiseSettings& settings) {
    return settings.Steps > 0 ? 0.5 : 1;
}

// The lazy greedy: each step re-evaluates the candidate on top of the heap of stale gains until
// one stays on top with its exact gain. Returns the least of the bounds it met.
double Greedy(TChoice& choice, TResultState& state, std::size_t budget,
              const TOptimiseSettings& settings, TClock::time_point start) {
    std::vector<TBound> heap;
    for (const auto& [gain, k] : choice.Outside) {
        heap.push_back({gain, k});
    }
    std::make_heap(heap.begin(), heap.end(), Lower);
    std::vector<std::size_t> fresh(choice.Alone.size(), 0);
    std::vector<double> scratch;
    double bound = SumOfLargest(heap, budget, scratch);
    std::size_t step = 0;
    while (choice.Chosen.size() < budget && !heap.empty()) {
        // On a large budget the greedy takes seconds: a stop ends it too, keeping what it chose
        // (at least a column, so that a stopped choice is never empty).
        if (!choice.Chosen.empty() && settings.Stop.stop_requested()) {
            break;
        }
        std::pop_heap(heap.begin(), heap.end(), Lower);
        const TBound top = heap.back();
        heap.pop_back();
        if (fresh[top.Index] != step) {
            fresh[top.Index] = step;
            heap.push_back(
                {state.Gain(choice.Signs[top.Index], choice.Alone[top.Index]), top.Index});
            std::push_heap(heap.begin(), heap.end(), Lower);
            continue;
        }
        if (top.Gain <= 0) {
            heap.push_back(top);
            break;
        }
        state.Add(choice.Signs[top.Index]);
        choice.Chosen.push_back(top.Index);
        choice.Outside.erase({choice.Last[top.Index], top.Index});
        choice.Last[top.Index] = top.Gain;
        choice.Value += top.Gain;
        ++step;
        bound = std::min(bound, choice.Value + SumOfLargest(heap, budget, scratch));
        ReportPace(settings, start,
                   GreedyShare(settings) * static_cast<double>(choice.Chosen.size()) /
                       static_cast<double>(budget));
    }
    for (const TBound& left : heap) {
        SetOutside(choice, left.Index, left.Gain);
    }
    return std::min(bound, choice.Value + SumOfLargest(heap, budget, scratch));
}

int Differences(const TSigns& a, const TSigns& b) {
    int differences = 0;
    for (std::size_t p = 0; p < a.size(); ++p) {
        differences += a[p] == b[p] && a[p] != kOtherSign ? 0 : 1;
    }
    return differences;
}

// The unchosen candidates a step weighs in place of the chosen one `out`: the kLeading with the
// highest last figures, the kNearest closest to `out` (they gain the most from its going) and
// kRandom others, each once, in the order of their numbers.
constexpr std::size_t kLeading = 12;
constexpr std::size_t kNearest = 8;
constexpr std::size_t kRandom = 4;

std::vector<std::uint32_t> Replacements(const TChoice& choice, std::uint32_t out, TSteps& random) {
    std::vector<std::uint32_t> replacements;
    std::vector<std::pair<int, std::uint32_t>> near;
    for (const auto& [gain, k] : choice.Outside) {
        if (replacements.size() < kLeading) {
            replacements.push_back(k);
        } else {
            near.emplace_back(Differences(choice.Signs[k], choice.Signs[out]), k);
        }
    }
    const std::size_t nearest = std::min(kNearest, near.size());
    std::partial_sort(near.begin(), near.begin() + static_cast<std::ptrdiff_t>(nearest),
                      near.end());
    for (std::size_t n = 0; n < nearest; ++n) {
        replacements.push_back(near[n].second);
    }
    for (std::size_t r = 0; r < kRandom && nearest < near.size(); ++r) {
        replacements.push_back(near[nearest + random.Below(near.size() - nearest)].second);
    }
    std::sort(replacements.begin(), replacements.end());
    replacements.erase(std::unique(replacements.begin(), replacements.end()), replacements.end());
    return replacements;
}

// A swap is taken as better only when it wins this much more, relatively, so that rounding does
// not swap back and forth between sets that are worth the same.
constexpr double kBetter = 1e-12;

// Swaps a chosen column for an unchosen one while the set wins more. The chosen columns are tried
// in rounds, those the set loses least without first; each is taken out, the Replacements weighed
// in its place, and the best taken in when it wins more than the one taken out. After a round
// without a gain the set is stuck: a chosen column drawn at random makes way for the best of its
// replacements even when that wins less, and the rounds go on; the best set met is kept.
// Returns it and when it was met.
std::pair<std::vector<std::uint32_t>, TClock::duration> Search(TChoice& choice, TResultState& state,
                                                               const TOptimiseSettings& settings,
                                                               TClock::time_point start) {
    std::vector<std::uint32_t> best = choice.Chosen;
    TClock::duration reached = settings.Now() - start;
    if (choice.Chosen.empty() || choice.Outside.empty() ||
        (settings.Steps == 0 && settings.Budget <= TClock::duration::zero())) {
        return {best, reached};
    }
    const TClock::time_point deadline = start + settings.Budget;
    double bestValue = choice.Value;
    TSteps random(settings.Seed);
    std::vector<std::uint32_t> round;
    bool gained = false;
    for (std::uint64_t step = 0; !settings.Stop.stop_requested(); ++step) {
        if (settings.Steps > 0 ? step == settings.Steps : settings.Now() >= deadline) {
            break;
        }
        ReportPace(settings, start,
                   GreedyShare(settings) +
                       (1 - GreedyShare(settings)) * static_cast<double>(step) /
                           static_cast<double>(std::max<std::uint64_t>(settings.Steps, 1)));
        bool kick = false;
        if (round.empty()) {
            kick = step > 0 && !gained;
            gained = false;
            round = choice.Chosen;
            // Popped from the back: the least loss last in the vector.
            std::sort(round.begin(), round.end(), [&](std::uint32_t a, std::uint32_t b) {
                return choice.Last[a] > choice.Last[b] ||
                       (choice.Last[a] == choice.Last[b] && a > b);
            });
        }
        std::size_t slot = kick ? random.Below(choice.Chosen.size()) : 0;
        if (!kick) {
            // A column of the round that a kick has taken out since is passed over.
            do {
                slot = static_cast<std::size_t>(
                    std::find(choice.Chosen.begin(), choice.Chosen.end(), round.back()) -
                    choice.Chosen.begin());
                round.pop_back();
            } while (slot == choice.Chosen.size() && !round.empty());
            if (slot == choice.Chosen.size()) {
                continue;
            }
        }
        const std::uint32_t out = choice.Chosen[slot];
        state.Remove(choice.Signs[out]);
        const double loss = state.Gain(choice.Signs[out], choice.Alone[out]);
        double bestGain = 0;
        std::uint32_t in = out;
        for (const std::uint32_t k : Replacements(choice, out, random)) {
            const double gain = state.Gain(choice.Signs[k], choice.Alone[k]);
            SetOutside(choice, k, gain);
            if (gain > bestGain) {
                bestGain = gain;
                in = k;
            }
        }
        const bool better = in != out && bestGain > loss + kBetter * std::abs(choice.Value);
        if (better || (kick && in != out)) {
            state.Add(choice.Signs[in]);
            choice.Chosen[slot] = in;
            choice.Outside.erase({choice.Last[in], in});
            choice.Last[in] = bestGain;
            choice.Last[out] = loss;
            choice.Outside.emplace(loss, out);
            choice.Value += bestGain - loss;
            gained = gained || better;
            if (choice.Value > bestValue + kBetter * std::abs(bestValue)) {
                bestValue = choice.Value;
                best = choice.Chosen;
                reached = settings.Now() - start;
            }
        } else {
            state.Add(choice.Signs[out]);
            choice.Last[out] = loss;
        }
    }
    return {best, reached};
}

// Makes the state's set `wanted` (ascending) from `held`, and returns what it wins.
double ExactValue(const TChoice& choice, TResultState& state, std::vector<std::uint32_t> held,
                  const std::vector<std::uint32_t>& wanted) {
    std::sort(held.begin(), held.end());
    std::vector<std::uint32_t> change;
    std::set_difference(held.begin(), held.end(), wanted.begin(), wanted.end(),
                        std::back_inserter(change));
    for (const std::uint32_t k : change) {
        state.Remove(choice.Signs[k]);
    }
    change.clear();
    std::set_difference(wanted.begin(), wanted.end(), held.begin(), held.end(),
                        std::back_inserter(change));
    for (const std::uint32_t k : change) {
        state.Add(choice.Signs[k]);
    }
    std::vector<TSigns> columns;
    for (const std::uint32_t k : wanted) {
        columns.push_back(choice.Signs[k]);
    }
    return state.Value(columns);
}

}  // namespace

TBudgetValue ValueBudget(std::span<const TKey> candidates, const TWeekPool& pool,
                         std::size_t budget, const TOptimiseSettings& settings) {
    const TClock::time_point start = settings.Now();
    if (settings.Progress != nullptr) {
        settings.Progress->BeginPhase(kBudgetPhase);
    }
    TBudgetValue result;
    if (budget == 0 || candidates.empty()) {
        return result;
    }
    const TPayout payout = PayoutOf(pool);
    TResultState state(payout);
    TChoice choice;
    for (const TKey& candidate : candidates) {
        choice.Signs.push_back(SignsOf(candidate));
    }
    if (candidates.size() < kWalkedCandidates) {
        for (const TSigns& signs : choice.Signs) {
            choice.Alone.push_back(state.Alone(signs));
        }
    } else {
        const std::optional<std::vector<TColumnValue>> values = ValueOfEachColumn(candidates, pool);
        for (const TColumnValue& value : *values) {
            choice.Alone.push_back(value.Expected);
        }
    }
    choice.Last.assign(candidates.size(), 0);
    for (std::uint32_t k = 0; k < candidates.size(); ++k) {
        if (choice.Alone[k] > 0) {
            SetOutside(choice, k, choice.Alone[k]);
        }
    }
    const double bound = Greedy(choice, state, budget, settings, start);
    std::vector<std::uint32_t> greedy = choice.Chosen;
    std::sort(greedy.begin(), greedy.end());
    result.GreedyExpected = ExactValue(choice, state, greedy, greedy);
    auto [best, reached] = Search(choice, state, settings, start);
    std::sort(best.begin(), best.end());
    result.Expected = ExactValue(choice, state, choice.Chosen, best);
    result.Chosen.assign(best.begin(), best.end());
    result.Bound = std::max(bound, result.Expected);
    result.Reached = reached;
    return result;
}

}  // namespace kelvo
