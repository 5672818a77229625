#include "optimise/budget_cover.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <random>

#include "optimise/candidate_cover.h"
#include "optimise/covered_lists.h"
#include "optimise/indexed_set.h"

namespace kelvo {

namespace {

// Steps between two looks at the clock and the stop: often enough to stop within a few
// milliseconds, rarely enough to cost nothing.
constexpr std::uint64_t kCheckInterval = 16;
// Steps between two reports.
constexpr std::uint64_t kReportInterval = 1024;
// Greedy steps between two bounds, as a share of the budget: the bound of a middle step is
// often the tightest, and each costs a pass over the uncovered rows.
constexpr std::size_t kBoundedSteps = 8;
// How many steps back late acceptance compares with: a move is taken when the set it makes
// covers no less than the set of that many steps ago. Longer lets the search wander further
// before it settles; the scale of the weights does not matter.
constexpr std::size_t kHistory = 2000;
// Steps for which a removed candidate may not come back and an added one may not leave, so
// that a swap is not undone at once.
constexpr std::uint64_t kTenure = 8;
// Steps in a row that change nothing after which the search takes a random swap: from a set no
// single swap improves (the greedy's often is one) late acceptance alone never moves.
constexpr std::uint64_t kStall = 256;
// Random swaps without a better set after which the search goes back to the best set seen, so
// that the kicks do not wander ever further from it.
constexpr std::uint64_t kKicksFromBest = 32;
// Improvements smaller than this share of the total weight are taken for the drift of the sums
// kept step by step, not for a better set.
constexpr double kDrift = 1e-12;

// How many of the candidates numbered in `chosen` cover each row.
template <class TCover>
std::vector<std::int32_t> CountCover(const TCover& cover, std::span<const std::size_t> chosen) {
    std::vector<std::int32_t> coverCount(cover.RowCount(), 0);
    for (const std::size_t k : chosen) {
        cover.ForEachCovered(k, [&](std::size_t j) { ++coverCount[j]; });
    }
    return coverCount;
}

// The weight of the rows that the candidates numbered in `chosen` cover, summed in row order so
// that a set covering every weighed row gives exactly the total.
template <class TCover>
double CoveredWeight(const TCover& cover, std::span<const double> weights,
                     std::span<const std::size_t> chosen) {
    const std::vector<std::int32_t> coverCount = CountCover(cover, chosen);
    double sum = 0;
    for (std::size_t j = 0; j < cover.RowCount(); ++j) {
        if (coverCount[j] != 0) {
            sum += weights[j];
        }
    }
    return sum;
}

// A bound on every set of `budget` candidates, from a set S whose rows are counted in
// `coverCount`: what S covers plus the `budget` largest gains of adding one candidate to S, which
// submodularity makes at least what any `budget` candidates add to S.
template <class TCover>
double SetBound(const TCover& cover, std::span<const double> weights,
                std::span<const std::int32_t> coverCount, std::size_t budget) {
    double covered = 0;
    std::vector<double> gains(cover.CandidateCount(), 0);
    for (std::size_t j = 0; j < cover.RowCount(); ++j) {
        if (weights[j] == 0) {
            continue;
        }
        if (coverCount[j] > 0) {
            covered += weights[j];
        } else {
            cover.ForEachCovering(j, [&](std::size_t k) { gains[k] += weights[j]; });
        }
    }
    const auto largest =
        gains.begin() + static_cast<std::ptrdiff_t>(std::min(budget, gains.size()));
    std::partial_sort(gains.begin(), largest, gains.end(), std::greater<>());
    for (auto gain = gains.begin(); gain != largest; ++gain) {
        covered += *gain;
    }
    return covered;
}

// Where the search stands and whom it tells.
struct TBudgetLimits {
    std::size_t Budget = 0;
    std::uint64_t Steps = 0;
    std::uint64_t Seed = 1;
    std::optional<TClock::time_point> Deadline;
    TClock::time_point Begin;
    const TOptimiseSettings* Settings = nullptr;

    bool Stopped() const {
        return Settings->Stop.stop_requested() || (Deadline && Settings->Now() >= *Deadline);
    }
    void Report(std::size_t chosen, double fraction) const {
        if (Settings->Progress == nullptr) {
            return;
        }
        TProgress progress;
        progress.Phase = kBudgetPhase;
        progress.Best = chosen;
        progress.Fraction = fraction;
        if (Deadline) {
            const std::chrono::duration<double> left = *Deadline - Settings->Now();
            progress.SecondsLeft = std::max(0.0, left.count());
        }
        Settings->Progress->Report(progress);
    }
};

// The greedy's set, and the least of the bounds it met on the way.
struct TGreedy {
    std::vector<std::size_t> Chosen;
    double Bound = 0;
};

// The greedy by marginal weight, lazily: a max-heap holds for each candidate a gain computed at
// some earlier step, which submodularity makes at least its gain now; the top is recomputed
// until a candidate on top has a gain of the current step. Equal gains go to the lower number.
template <class TCover>
TGreedy ChooseGreedily(const TCover& cover, std::span<const double> weights,
                       const TBudgetLimits& limits) {
    struct TEntry {
        double Gain;
        std::uint32_t Candidate;
        std::uint32_t Step;
    };
    // Whether `a` belongs below `b`: a smaller gain, or an equal one with a higher number.
    const auto below = [](const TEntry& a, const TEntry& b) {
        return a.Gain != b.Gain ? a.Gain < b.Gain : a.Candidate > b.Candidate;
    };
    std::vector<std::int32_t> coverCount(cover.RowCount(), 0);
    const auto gainOf = [&](std::size_t k) {
        double gain = 0;
        cover.ForEachCovered(k, [&](std::size_t j) {
            if (coverCount[j] == 0) {
                gain += weights[j];
            }
        });
        return gain;
    };
    std::vector<TEntry> heap;
    for (std::size_t k = 0; k < cover.CandidateCount(); ++k) {
        if (const double gain = gainOf(k); gain > 0) {
            heap.push_back({gain, static_cast<std::uint32_t>(k), 0});
        }
    }
    std::make_heap(heap.begin(), heap.end(), below);

    TGreedy greedy;
    greedy.Bound = SetBound(cover, weights, coverCount, limits.Budget);
    const std::size_t boundEvery = std::max<std::size_t>(1, limits.Budget / kBoundedSteps);
    // A stop ends the search, not the greedy: its set, quick to finish, is the least a stopped
    // choice keeps.
    while (greedy.Chosen.size() < limits.Budget && !heap.empty()) {
        const auto step = static_cast<std::uint32_t>(greedy.Chosen.size());
        std::pop_heap(heap.begin(), heap.end(), below);
        TEntry top = heap.back();
        heap.pop_back();
        if (top.Step != step) {
            top.Gain = gainOf(top.Candidate);
            top.Step = step;
            if (top.Gain > 0) {
                heap.push_back(top);
                std::push_heap(heap.begin(), heap.end(), below);
            }
            continue;
        }
        greedy.Chosen.push_back(top.Candidate);
        cover.ForEachCovered(top.Candidate, [&](std::size_t j) { ++coverCount[j]; });
        if (greedy.Chosen.size() % boundEvery == 0) {
            greedy.Bound =
                std::min(greedy.Bound, SetBound(cover, weights, coverCount, limits.Budget));
            limits.Report(greedy.Chosen.size(), 0);
        }
    }
    greedy.Bound = std::min(greedy.Bound, SetBound(cover, weights, coverCount, limits.Budget));
    return greedy;
}

// The swap search: from a set of candidates, swaps one chosen candidate for another, taking a
// swap by late acceptance and keeping the best set seen. Per row it keeps how many chosen
// candidates cover it and the exclusive or of their numbers (the one covering it while the count
// is 1); per candidate what adding it gains (the weight of the uncovered rows it covers) and, when
// chosen, what removing it loses (the weight of the rows it alone covers).
template <class TCover>
class TSwapSearch {
public:
    TSwapSearch(const TCover& cover, std::span<const double> weights,
                std::span<const std::size_t> start, std::size_t budget, std::uint64_t seed);

    // Swaps until the limits are reached or every weighed row is covered; returns the best set
    // seen (at least as good as the start) and when it was first reached, from limits.Begin.
    // Improvements below `drift` are taken for rounding.
    std::vector<std::size_t> Run(const TBudgetLimits& limits, double drift,
                                 TClock::duration& reached);

private:
    void Add(std::size_t i);
    void Remove(std::size_t i);
    // The candidate to add for uncovered row `r`: the best gain among those not just removed.
    std::size_t PickAddition(std::size_t r) const;
    // The chosen candidate whose removal loses least once `added` is chosen too, with that loss.
    std::pair<std::size_t, double> PickRemoval(std::size_t added);
    // A random swap, whatever it costs: a random candidate covering a random uncovered row in and,
    // at the budget, a random chosen one out.
    void Kick();
    // Makes `set` the chosen set.
    void Restore(std::span<const std::size_t> set);
    bool Recent(std::size_t k) const { return step_ < stamp_[k] + kTenure; }
    std::size_t Pick(std::size_t size) {
        return static_cast<std::size_t>(((random_() >> 32) * size) >> 32);
    }

    const TCover& cover_;
    std::span<const double> weights_;
    std::size_t budget_;
    std::mt19937_64 random_;
    std::vector<std::int32_t> coverCount_;
    std::vector<std::uint32_t> coverXor_;
    std::vector<double> gain_;
    std::vector<double> loss_;
    // Scratch: what each chosen candidate stops losing alone once a candidate is added.
    std::vector<double> shared_;
    std::vector<std::uint32_t> touched_;
    std::vector<std::uint8_t> chosenFlag_;
    // The step at which each candidate last entered or left the set.
    std::vector<std::uint64_t> stamp_;
    TIndexedSet chosen_;
    TIndexedSet uncovered_;
    double value_ = 0;
    std::uint64_t step_ = kTenure;
};

template <class TCover>
TSwapSearch<TCover>::TSwapSearch(const TCover& cover, std::span<const double> weights,
                                 std::span<const std::size_t> start, std::size_t budget,
                                 std::uint64_t seed)
    : cover_(cover),
      weights_(weights),
      budget_(budget),
      random_(seed),
      coverCount_(cover.RowCount(), 0),
      coverXor_(cover.RowCount(), 0),
      gain_(cover.CandidateCount(), 0),
      loss_(cover.CandidateCount(), 0),
      shared_(cover.CandidateCount(), 0),
      chosenFlag_(cover.CandidateCount(), 0),
      stamp_(cover.CandidateCount(), 0),
      chosen_(cover.CandidateCount()),
      uncovered_(cover.RowCount()) {
    for (const std::size_t i : start) {
        chosenFlag_[i] = 1;
        chosen_.Insert(i);
        cover_.ForEachCovered(i, [&](std::size_t j) {
            ++coverCount_[j];
            coverXor_[j] ^= static_cast<std::uint32_t>(i);
        });
    }
    for (std::size_t j = 0; j < cover_.RowCount(); ++j) {
        if (weights_[j] == 0) {
            continue;
        }
        if (coverCount_[j] == 0) {
            uncovered_.Insert(j);
            cover_.ForEachCovering(j, [&](std::size_t k) { gain_[k] += weights_[j]; });
        } else {
            value_ += weights_[j];
            if (coverCount_[j] == 1) {
                loss_[coverXor_[j]] += weights_[j];
            }
        }
    }
}

template <class TCover>
void TSwapSearch<TCover>::Add(std::size_t i) {
    value_ += gain_[i];
    chosenFlag_[i] = 1;
    chosen_.Insert(i);
    stamp_[i] = step_;
    cover_.ForEachCovered(i, [&](std::size_t j) {
        const std::int32_t count = ++coverCount_[j];
        coverXor_[j] ^= static_cast<std::uint32_t>(i);
        const double weight = weights_[j];
        if (weight == 0) {
            return;
        }
        if (count == 1) {
            uncovered_.Erase(j);
            loss_[i] += weight;
            cover_.ForEachCovering(j, [&](std::size_t k) { gain_[k] -= weight; });
        } else if (count == 2) {
            loss_[coverXor_[j] ^ static_cast<std::uint32_t>(i)] -= weight;
        }
    });
    gain_[i] = 0;
}

template <class TCover>
void TSwapSearch<TCover>::Remove(std::size_t i) {
    value_ -= loss_[i];
    chosenFlag_[i] = 0;
    chosen_.Erase(i);
    stamp_[i] = step_;
    cover_.ForEachCovered(i, [&](std::size_t j) {
        coverXor_[j] ^= static_cast<std::uint32_t>(i);
        const std::int32_t count = --coverCount_[j];
        const double weight = weights_[j];
        if (weight == 0) {
            return;
        }
        if (count == 0) {
            uncovered_.Insert(j);
            cover_.ForEachCovering(j, [&](std::size_t k) { gain_[k] += weight; });
        } else if (count == 1) {
            loss_[coverXor_[j]] += weight;
        }
    });
    loss_[i] = 0;
}

template <class TCover>
std::size_t TSwapSearch<TCover>::PickAddition(std::size_t r) const {
    std::size_t best = TCoverage::kNone;
    std::size_t fallback = TCoverage::kNone;
    const auto better = [&](std::size_t a, std::size_t b) {
        return b == TCoverage::kNone || gain_[a] > gain_[b] || (gain_[a] == gain_[b] && a < b);
    };
    cover_.ForEachCovering(r, [&](std::size_t k) {
        if (better(k, fallback)) {
            fallback = k;
        }
        if (!Recent(k) && better(k, best)) {
            best = k;
        }
    });
    return best != TCoverage::kNone ? best : fallback;
}

template <class TCover>
std::pair<std::size_t, double> TSwapSearch<TCover>::PickRemoval(std::size_t added) {
    cover_.ForEachCovered(added, [&](std::size_t j) {
        if (coverCount_[j] == 1 && weights_[j] != 0) {
            const std::uint32_t alone = coverXor_[j];
            if (shared_[alone] == 0) {
                touched_.push_back(alone);
            }
            shared_[alone] += weights_[j];
        }
    });
    std::size_t best = TCoverage::kNone;
    std::size_t fallback = TCoverage::kNone;
    double bestLoss = 0;
    double fallbackLoss = 0;
    for (const std::uint32_t a : chosen_.Items()) {
        const double loss = loss_[a] - shared_[a];
        if (fallback == TCoverage::kNone || loss < fallbackLoss) {
            fallback = a;
            fallbackLoss = loss;
        }
        if (!Recent(a) && (best == TCoverage::kNone || loss < bestLoss)) {
            best = a;
            bestLoss = loss;
        }
    }
    for (const std::uint32_t a : touched_) {
        shared_[a] = 0;
    }
    touched_.clear();
    return best != TCoverage::kNone ? std::pair{best, bestLoss} : std::pair{fallback, fallbackLoss};
}

template <class TCover>
void TSwapSearch<TCover>::Kick() {
    std::size_t added = TCoverage::kNone;
    std::size_t seen = 0;
    // One of the candidates covering the row, each as likely (reservoir sampling).
    cover_.ForEachCovering(uncovered_.At(Pick(uncovered_.Size())), [&](std::size_t k) {
        if (Pick(++seen) == 0) {
            added = k;
        }
    });
    const std::size_t removed =
        chosen_.Size() >= budget_ ? chosen_.At(Pick(chosen_.Size())) : TCoverage::kNone;
    Add(added);
    if (removed != TCoverage::kNone) {
        Remove(removed);
    }
}

template <class TCover>
void TSwapSearch<TCover>::Restore(std::span<const std::size_t> set) {
    std::vector<std::uint8_t> wanted(chosenFlag_.size(), 0);
    for (const std::size_t k : set) {
        wanted[k] = 1;
    }
    const std::vector<std::uint32_t> chosen(chosen_.Items().begin(), chosen_.Items().end());
    for (const std::uint32_t k : chosen) {
        if (wanted[k] == 0) {
            Remove(k);
        }
    }
    for (const std::size_t k : set) {
        if (chosenFlag_[k] == 0) {
            Add(k);
        }
    }
}

template <class TCover>
std::vector<std::size_t> TSwapSearch<TCover>::Run(const TBudgetLimits& limits, double drift,
                                                  TClock::duration& reached) {
    std::vector<std::size_t> best(chosen_.Items().begin(), chosen_.Items().end());
    double bestValue = value_;
    std::vector<double> history(kHistory, value_);
    std::uint64_t idle = 0;
    std::uint64_t kicks = 0;
    const std::chrono::duration<double> span =
        limits.Deadline ? *limits.Deadline - limits.Begin : TClock::duration{};
    for (std::uint64_t step = 0; !uncovered_.Empty() && (limits.Steps == 0 || step < limits.Steps);
         ++step, ++step_) {
        if (step % kCheckInterval == 0) {
            if (step % kReportInterval == 0) {
                double fraction = 0;
                if (limits.Steps > 0) {
                    fraction = static_cast<double>(step) / static_cast<double>(limits.Steps);
                } else if (span.count() > 0) {
                    const std::chrono::duration<double> spent =
                        limits.Settings->Now() - limits.Begin;
                    fraction = std::clamp(spent / span, 0.0, 1.0);
                }
                limits.Report(chosen_.Size(), fraction);
            }
            if (limits.Stopped()) {
                break;
            }
        }
        const std::size_t added = PickAddition(uncovered_.At(Pick(uncovered_.Size())));
        double next = value_ + gain_[added];
        std::size_t removed = TCoverage::kNone;
        if (chosen_.Size() >= budget_) {
            const auto [candidate, loss] = PickRemoval(added);
            removed = candidate;
            next -= loss;
        }
        double& past = history[step % kHistory];
        const double before = value_;
        if (next >= value_ || next >= past) {
            Add(added);
            if (removed != TCoverage::kNone) {
                Remove(removed);
            }
        }
        if (value_ != before) {
            idle = 0;
        } else if (++idle >= kStall && !uncovered_.Empty()) {
            idle = 0;
            if (++kicks > kKicksFromBest) {
                kicks = 0;
                Restore(best);
            }
            Kick();
        }
        if (value_ > bestValue + drift) {
            bestValue = value_;
            best.assign(chosen_.Items().begin(), chosen_.Items().end());
            reached = limits.Settings->Now() - limits.Begin;
            kicks = 0;
        }
        past = value_;
    }
    return best;
}

template <class TCover>
TBudgetCover CoverWith(const TCover& cover, std::span<const double> weights,
                       const TBudgetLimits& limits) {
    double total = 0;
    for (std::size_t j = 0; j < cover.RowCount(); ++j) {
        total += weights[j];
    }
    TBudgetCover result;
    const TGreedy greedy = ChooseGreedily(cover, weights, limits);
    result.Reached = limits.Settings->Now() - limits.Begin;
    result.GreedyCovered = CoveredWeight(cover, weights, greedy.Chosen);
    std::vector<std::size_t> chosen = greedy.Chosen;
    double bound = greedy.Bound;
    if (limits.Steps > 0 || limits.Deadline) {
        TSwapSearch<TCover> search(cover, weights, greedy.Chosen, limits.Budget, limits.Seed);
        TClock::duration reached{};
        std::vector<std::size_t> searched = search.Run(limits, kDrift * total, reached);
        if (CoveredWeight(cover, weights, searched) > result.GreedyCovered) {
            chosen = std::move(searched);
            result.Reached = reached;
        }
        bound = std::min(bound, SetBound(cover, weights, CountCover(cover, chosen), limits.Budget));
    }
    std::sort(chosen.begin(), chosen.end());
    result.Covered = CoveredWeight(cover, weights, chosen);
    // Bounds are sums in other orders, a rounding away from Covered: they never claim a set is
    // the best unless it is, to that rounding.
    result.Bound = std::max(result.Covered, std::min(total, bound));
    result.Chosen = std::move(chosen);
    limits.Report(result.Chosen.size(), 1);
    return result;
}

}  // namespace

TBudgetCover CoverBudget(const TCoverage& coverage, std::span<const double> weights,
                         std::size_t budget, const TOptimiseSettings& settings) {
    TBudgetLimits limits;
    limits.Begin = settings.Now();
    limits.Budget = budget;
    limits.Steps = settings.Steps;
    limits.Seed = settings.Seed;
    limits.Settings = &settings;
    if (settings.Steps == 0 && settings.Budget > TClock::duration::zero()) {
        limits.Deadline = limits.Begin + settings.Budget;
    }
    if (settings.Progress != nullptr) {
        settings.Progress->BeginPhase(kBudgetPhase);
    }
    const std::optional<TCandidateCover> candidates =
        settings.Anywhere ? TCandidateCover::Beyond(coverage, coverage.Radius(), kMostListed)
                          : std::nullopt;
    if (candidates) {
        TBudgetCover result = CoverWith(*candidates, weights, limits);
        // The numbers are ascending, those of input columns first.
        const auto outside =
            std::lower_bound(result.Chosen.begin(), result.Chosen.end(), coverage.Count());
        for (auto k = outside; k != result.Chosen.end(); ++k) {
            result.Added.push_back(candidates->Candidate(*k));
        }
        result.Chosen.erase(outside, result.Chosen.end());
        return result;
    }
    return WithCoveredLists(coverage, [&](const auto& cover) {
        return CoverWith(TSymmetricCover<std::decay_t<decltype(cover)>>{cover}, weights, limits);
    });
}

}  // namespace kelvo
