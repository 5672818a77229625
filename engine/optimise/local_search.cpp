#include "optimise/local_search.h"

#include <algorithm>
#include <atomic>
#include <random>

#include "core/parallel.h"
#include "optimise/indexed_heap.h"
#include "optimise/indexed_set.h"

namespace kelvo {

namespace {

// Steps between two looks at the clock and the interruption: often enough to stop within a few
// milliseconds, rarely enough to cost nothing.
constexpr std::uint64_t kCheckInterval = 16;

// One search over a covering problem `TCover` states, its candidates listing the rows they cover
// (ForEachCovered) and its rows the candidates covering them (ForEachCovering): its chosen set,
// the weights of the rows and the scores they give the candidates.
template <class TCover>
class TWeightedSearch {
public:
    TWeightedSearch(const TCover& coverage, std::span<const std::size_t> start, std::uint64_t seed);
    // The heap of chosen columns refers to the search that owns it.
    TWeightedSearch(const TWeightedSearch&) = delete;
    TWeightedSearch& operator=(const TWeightedSearch&) = delete;

    // Searches until a limit is reached; keeps `shared` at the smallest size any search found
    // and, where `report` is not null, tells it that size now and then.
    TSearchResult Run(const TSearchLimits& limits, TClock::time_point begin,
                      std::atomic<std::size_t>& shared, const TSearchProgress* report);

private:
    // Orders the chosen columns so that the cheapest removal comes first; scores of chosen columns
    // change only when the chosen set does.
    struct TCheaperRemoval {
        const TWeightedSearch* Search;
        bool operator()(std::size_t a, std::size_t b) const { return Search->Better(a, b); }
    };

    // For a chosen column, minus the weight it alone covers (what removing it costs); for another,
    // the weight of the uncovered columns it covers (what adding it gains).
    std::int64_t Score(std::size_t k) const {
        return chosen_[k] != 0 ? score_[k] : score_[k] + step_ * uncoveredIn_[k];
    }

    // Whether `a` is the better choice than `b` when both have the same standing: the higher
    // score, then the column unchanged longest, then the lower number.
    bool Better(std::size_t a, std::size_t b) const {
        const std::int64_t scoreA = Score(a);
        const std::int64_t scoreB = Score(b);
        if (scoreA != scoreB) {
            return scoreA > scoreB;
        }
        if (stamp_[a] != stamp_[b]) {
            return stamp_[a] < stamp_[b];
        }
        return a < b;
    }

    void Add(std::size_t i);
    void Remove(std::size_t i);
    std::size_t PickRemoval() const;
    std::size_t PickAddition(std::size_t uncovered) const;
    // A uniform pick below `size` (below 2^32) by multiplying, the same on every machine.
    std::size_t Pick(std::size_t size) {
        return static_cast<std::size_t>(((random_() >> 32) * size) >> 32);
    }

    const TCover& coverage_;
    std::mt19937_64 random_;
    // How many chosen columns cover each column, and the exclusive or of their numbers, which is
    // the one covering it while the count is 1.
    std::vector<std::int32_t> coverCount_;
    std::vector<std::uint32_t> coverXor_;
    // Every step adds 1 to the weight of each uncovered column. Rather than adding it to each of
    // them and to the score of every column covering them, the weights are counted from the
    // steps: an uncovered column's weight is what it was when it was uncovered plus the steps
    // taken since, and a column that is not chosen scores score_ (the sum of weight_ - uncoveredAt_
    // over the uncovered columns it covers) plus the step times uncoveredIn_ (how many they are).
    // A step then costs the same however many columns are uncovered.
    std::vector<std::int64_t> weight_;
    std::vector<std::int64_t> uncoveredAt_;
    std::vector<std::int32_t> uncoveredIn_;
    // For a chosen column, minus the weight it alone covers; for another, the sum of weight_ -
    // uncoveredAt_ over the uncovered columns it covers.
    std::vector<std::int64_t> score_;
    // The step at which each column last entered or left the chosen set.
    std::vector<std::int64_t> stamp_;
    std::vector<std::uint8_t> chosen_;
    // Configuration checking: a removed column may come back only once a column it covers has
    // changed between covered and uncovered since, which keeps the search from cycling.
    std::vector<std::uint8_t> canAdd_;
    // The chosen columns.
    TIndexedHeap<TCheaperRemoval> heap_;
    TIndexedSet uncovered_;
    // The column added by the last step, which the next step may not remove.
    std::size_t tabu_ = TCoverage::kNone;
    std::int64_t step_ = 0;
};

template <class TCover>
TWeightedSearch<TCover>::TWeightedSearch(const TCover& coverage, std::span<const std::size_t> start,
                                         std::uint64_t seed)
    : coverage_(coverage),
      random_(seed),
      coverCount_(coverage.RowCount(), 0),
      coverXor_(coverage.RowCount(), 0),
      weight_(coverage.RowCount(), 1),
      uncoveredAt_(coverage.RowCount(), 0),
      uncoveredIn_(coverage.CandidateCount(), 0),
      score_(coverage.CandidateCount(), 0),
      stamp_(coverage.CandidateCount(), 0),
      chosen_(coverage.CandidateCount(), 0),
      canAdd_(coverage.CandidateCount(), 1),
      heap_(coverage.CandidateCount(), TCheaperRemoval{this}),
      uncovered_(coverage.RowCount()) {
    for (const std::size_t i : start) {
        chosen_[i] = 1;
        coverage_.ForEachCovered(i, [&](std::size_t j) {
            ++coverCount_[j];
            coverXor_[j] ^= static_cast<std::uint32_t>(i);
        });
    }
    for (std::size_t j = 0; j < coverage_.RowCount(); ++j) {
        if (coverCount_[j] == 1) {
            score_[coverXor_[j]] -= weight_[j];
        }
    }
    // Columns never moved yet tie on their age: a random age for each keeps ties from always
    // going to the lowest numbers, which in a full development are one corner of it.
    for (std::int64_t& stamp : stamp_) {
        stamp = static_cast<std::int64_t>(Pick(coverage_.CandidateCount()));
    }
    step_ = static_cast<std::int64_t>(coverage_.CandidateCount());
    for (const std::size_t i : start) {
        heap_.Push(i);
    }
}

template <class TCover>
TSearchResult TWeightedSearch<TCover>::Run(const TSearchLimits& limits, TClock::time_point begin,
                                           std::atomic<std::size_t>& shared,
                                           const TSearchProgress* report) {
    TSearchResult result;
    result.Chosen.assign(heap_.Members().begin(), heap_.Members().end());
    // Keeps the chosen set when it covers everything and is the smallest yet.
    const auto record = [&] {
        if (uncovered_.Empty() && heap_.Size() < result.Chosen.size()) {
            result.Chosen.assign(heap_.Members().begin(), heap_.Members().end());
            result.Reached = limits.Now() - begin;
            std::size_t known = shared.load();
            while (heap_.Size() < known && !shared.compare_exchange_weak(known, heap_.Size())) {
            }
        }
    };
    for (std::uint64_t step = 0; limits.Steps == 0 || step < limits.Steps; ++step) {
        if (step % kCheckInterval == 0) {
            // Told before the limits are looked at, so that even a search stopped at once
            // reports where it stands.
            if (report != nullptr) {
                (*report)(shared.load());
            }
            if (limits.Stop.stop_requested() || limits.Now() >= limits.Deadline) {
                break;
            }
            // Another search found a set small enough; with Steps every search takes its steps,
            // so that which one wins does not depend on the timing.
            if (limits.Steps == 0 && shared.load() <= limits.Floor) {
                break;
            }
        }
        while (uncovered_.Empty()) {
            record();
            // No fewer than one column covers any column, whatever the floor.
            if (heap_.Size() <= std::max<std::size_t>(limits.Floor, 1)) {
                std::sort(result.Chosen.begin(), result.Chosen.end());
                return result;
            }
            Remove(heap_.Top());
        }
        Remove(PickRemoval());
        const std::size_t added = PickAddition(uncovered_.At(Pick(uncovered_.Size())));
        Add(added);
        tabu_ = added;
        ++step_;
    }
    record();
    std::sort(result.Chosen.begin(), result.Chosen.end());
    return result;
}

template <class TCover>
void TWeightedSearch<TCover>::Add(std::size_t i) {
    chosen_[i] = 1;
    stamp_[i] = step_;
    std::int64_t cost = 0;
    coverage_.ForEachCovered(i, [&](std::size_t j) {
        const std::int32_t count = ++coverCount_[j];
        if (count == 1) {
            uncovered_.Erase(j);
            const std::int64_t share = weight_[j] - uncoveredAt_[j];
            weight_[j] = share + step_;
            cost += weight_[j];
            coverage_.ForEachCovering(j, [&](std::size_t k) {
                score_[k] -= share;
                --uncoveredIn_[k];
                canAdd_[k] = 1;
            });
        } else if (count == 2) {
            const std::uint32_t alone = coverXor_[j];
            score_[alone] += weight_[j];
            heap_.Update(alone);
        }
        coverXor_[j] ^= static_cast<std::uint32_t>(i);
    });
    score_[i] = -cost;
    heap_.Push(i);
}

template <class TCover>
void TWeightedSearch<TCover>::Remove(std::size_t i) {
    heap_.Erase(i);
    chosen_[i] = 0;
    stamp_[i] = step_;
    // Column i covers every column it covers, so no column it covers is uncovered yet: its score
    // as a column not chosen starts from nothing.
    score_[i] = 0;
    coverage_.ForEachCovered(i, [&](std::size_t j) {
        coverXor_[j] ^= static_cast<std::uint32_t>(i);
        const std::int32_t count = --coverCount_[j];
        if (count == 0) {
            uncovered_.Insert(j);
            uncoveredAt_[j] = step_;
            const std::int64_t share = weight_[j] - step_;
            coverage_.ForEachCovering(j, [&](std::size_t k) {
                score_[k] += share;
                ++uncoveredIn_[k];
                canAdd_[k] = 1;
            });
        } else if (count == 1) {
            const std::uint32_t alone = coverXor_[j];
            score_[alone] -= weight_[j];
            heap_.Update(alone);
        }
    });
    canAdd_[i] = 0;
}

template <class TCover>
std::size_t TWeightedSearch<TCover>::PickRemoval() const {
    if (heap_.Top() != tabu_ || heap_.Size() == 1) {
        return heap_.Top();
    }
    if (heap_.Size() == 2 || Better(heap_.At(1), heap_.At(2))) {
        return heap_.At(1);
    }
    return heap_.At(2);
}

template <class TCover>
std::size_t TWeightedSearch<TCover>::PickAddition(std::size_t uncovered) const {
    std::size_t best = TCoverage::kNone;
    std::size_t fallback = TCoverage::kNone;
    coverage_.ForEachCovering(uncovered, [&](std::size_t k) {
        if (fallback == TCoverage::kNone || Better(k, fallback)) {
            fallback = k;
        }
        if (canAdd_[k] != 0 && (best == TCoverage::kNone || Better(k, best))) {
            best = k;
        }
    });
    // Where every column that covers it was just removed, one of them comes back regardless.
    return best != TCoverage::kNone ? best : fallback;
}

// Spreads consecutive seeds far apart (splitmix64), so that searches seeded one apart share no
// stretch of their random streams.
std::uint64_t SpreadSeed(std::uint64_t seed) {
    seed += 0x9e3779b97f4a7c15ULL;
    seed = (seed ^ (seed >> 30)) * 0xbf58476d1ce4e5b9ULL;
    seed = (seed ^ (seed >> 27)) * 0x94d049bb133111ebULL;
    return seed ^ (seed >> 31);
}

template <class TCover>
TSearchResult Shrink(const TCover& coverage, std::span<const std::size_t> start,
                     const TSearchLimits& limits) {
    const TClock::time_point begin = limits.Now();
    if (start.empty()) {
        return {};
    }
    const auto searches = static_cast<std::size_t>(std::max(1, limits.Searches));
    const bool alternate = !limits.Alternative.empty();
    std::atomic<std::size_t> shared{alternate ? std::min(start.size(), limits.Alternative.size())
                                              : start.size()};
    std::vector<TSearchResult> results(searches);
    RunInParallel(searches, [&](std::size_t s) {
        TWeightedSearch<TCover> searching(coverage,
                                          alternate && s % 2 == 1 ? limits.Alternative : start,
                                          SpreadSeed(limits.Seed + s));
        // Only the calling thread reports, so that a sink is told from the thread it called from.
        const bool reports = s == 0 && limits.Progress;
        results[s] = searching.Run(limits, begin, shared, reports ? &limits.Progress : nullptr);
    });
    std::size_t winner = 0;
    for (std::size_t s = 1; s < searches; ++s) {
        if (results[s].Chosen.size() < results[winner].Chosen.size()) {
            winner = s;
        }
    }
    return std::move(results[winner]);
}

}  // namespace

TSearchResult ShrinkCover(const TCoverage& coverage, std::span<const std::size_t> start,
                          const TSearchLimits& limits) {
    return Shrink(TSymmetricCover<TCoverage>{coverage}, start, limits);
}

TSearchResult ShrinkCover(const TCoveredLists& lists, std::span<const std::size_t> start,
                          const TSearchLimits& limits) {
    return Shrink(TSymmetricCover<TCoveredLists>{lists}, start, limits);
}

TSearchResult ShrinkCover(const TCandidateCover& candidates, std::span<const std::size_t> start,
                          const TSearchLimits& limits) {
    return Shrink(candidates, start, limits);
}

}  // namespace kelvo
