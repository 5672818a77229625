#include "optimise/optimise.h"

#include <algorithm>
#include <thread>

#include "optimise/candidate_cover.h"
#include "optimise/constructed_cover.h"
#include "optimise/covered_lists.h"
#include "optimise/covering_constructions.h"
#include "optimise/local_search.h"
#include "optimise/lower_bound.h"

namespace kelvo {

namespace {

// With a fixed number of steps the number of searches is fixed too, whatever the machine's
// cores, so that the result is the same everywhere.
constexpr int kRepeatableSearches = 2;
// Searches beyond this many would only share the same cores and memory.
constexpr unsigned kMostSearches = 8;
// The share of a time budget the lower bound may take before the searches begin.
constexpr double kBoundShare = 0.1;
// The covered columns the lower bound may visit, under a second's work: past that, on large sets
// or at weak guarantees, further iterations gain little against the time they take.
constexpr double kBoundVisits = 1 << 28;
// Columns sampled for the size of their covered sets.
constexpr std::size_t kSampled = 64;

int SearchCount(const TOptimiseSettings& settings) {
    if (settings.Steps > 0) {
        return kRepeatableSearches;
    }
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, kMostSearches));
}

// How many covered columns one pass over every column's covered columns visits, from the covered
// sets of evenly spread columns: the same on every machine.
template <class TCover>
double VisitsPerPass(const TCover& cover) {
    const std::size_t stride = std::max<std::size_t>(1, cover.Count() / kSampled);
    std::size_t sampled = 0;
    double covered = 0;
    for (std::size_t k = 0; k < cover.Count(); k += stride, ++sampled) {
        covered += static_cast<double>(cover.CoveredCount(k));
    }
    return covered / static_cast<double>(std::max<std::size_t>(sampled, 1)) *
           static_cast<double>(cover.Count());
}

// The lower bound with as many iterations as fit in kBoundVisits, each of which takes two passes.
// Where even the bound's first passes would not fit, a full development, whose columns all cover
// as many, has the sphere-covering bound, and any other set only 1.
template <class TCover>
std::size_t BoundWithin(const TCover& cover, const TCoverage& coverage, TBoundLimits limits) {
    const double visits = 2 * VisitsPerPass(cover);
    if (visits > kBoundVisits) {
        if (coverage.EveryVariantIsAColumn()) {
            const std::size_t each = coverage.CoveredCount(0);
            return (coverage.Count() + each - 1) / each;
        }
        return 1;
    }
    limits.Iterations = static_cast<int>(
        std::min(static_cast<double>(limits.Iterations), kBoundVisits / std::max(visits, 1.0)));
    return CoverLowerBound(cover, limits);
}

// The same bound over rows and candidates, whose lists are counted exactly; where even its first
// passes would not fit, only 1 holds for certain.
std::size_t BoundWithin(const TCandidateCover& candidates, TBoundLimits limits) {
    const double visits = 2 * static_cast<double>(candidates.Entries());
    if (visits > kBoundVisits) {
        return 1;
    }
    limits.Iterations = static_cast<int>(
        std::min(static_cast<double>(limits.Iterations), kBoundVisits / std::max(visits, 1.0)));
    return CoverLowerBound(candidates, limits);
}

// Whether a set of `enough` columns (0: any set) is below `bound`, so that no search can find one.
bool Unreachable(std::size_t enough, std::size_t bound) {
    return enough > 0 && enough < bound;
}

}  // namespace

TOptimisation Optimise(const TCoverage& coverage, std::span<const std::size_t> greedy, int radius,
                       const TOptimiseSettings& settings) {
    const TClock::time_point begin = settings.Now();
    if (settings.Progress != nullptr) {
        settings.Progress->BeginPhase(kOptimisingPhase);
    }
    const bool timed = settings.Steps == 0;
    TOptimisation result;
    std::vector<std::size_t> start(greedy.begin(), greedy.end());
    if (std::vector<std::size_t> constructed = ConstructedCover(coverage, radius);
        !constructed.empty() && constructed.size() < start.size()) {
        start = std::move(constructed);
        result.Reached = settings.Now() - begin;
    }
    const std::optional<TDevelopmentShape> shape = FullDevelopmentShape(coverage);
    const bool tabled = shape && radius >= 0 && radius <= kMaxCodeRadius;
    const std::size_t published =
        tabled ? PublishedLowerBound(shape->Triples, shape->Doubles, radius) : 0;
    // No table publishes these, but the exhaustive search proves them just as well.
    const std::size_t proven =
        tabled ? ProvenSmallestSize(shape->Triples, shape->Doubles, radius) : 0;

    TBoundLimits bound;
    const TClock::time_point boundDeadline =
        begin + std::chrono::duration_cast<TClock::duration>(settings.Budget * kBoundShare);
    bound.Stop = [&] {
        return (timed && settings.Now() >= boundDeadline) || settings.Stop.stop_requested();
    };
    TSearchLimits limits;
    limits.Searches = SearchCount(settings);
    limits.Seed = settings.Seed;
    limits.Steps = settings.Steps;
    if (timed) {
        limits.Deadline = begin + settings.Budget;
    }
    limits.Stop = settings.Stop;
    limits.Now = settings.Now;
    if (settings.Progress != nullptr) {
        limits.Progress = [&](std::size_t best) {
            TProgress progress;
            progress.Phase = kOptimisingPhase;
            progress.Best = best;
            progress.Bound = result.LowerBound;
            if (timed) {
                const std::chrono::duration<double> left = limits.Deadline - settings.Now();
                const std::chrono::duration<double> budget = settings.Budget;
                progress.SecondsLeft = std::max(0.0, left.count());
                progress.Fraction =
                    budget.count() > 0 ? std::clamp(1 - left / budget, 0.0, 1.0) : 1.0;
            }
            settings.Progress->Report(progress);
        };
    }
    TClock::duration searchStart{};
    // Only where some column outside the input can be chosen does the wider problem differ; its
    // bound then holds for the wider choice, which the input's own bound may not.
    const std::optional<TCandidateCover> candidates =
        settings.Anywhere ? TCandidateCover::Beyond(coverage, radius, kMostListed) : std::nullopt;
    TSearchResult searched;
    if (candidates) {
        result.LowerBound = BoundWithin(*candidates, bound);
        limits.Floor = std::max(result.LowerBound, settings.Enough);
    }
    if (candidates && Unreachable(settings.Enough, result.LowerBound)) {
        searched.Chosen = start;
    } else if (candidates) {
        searchStart = settings.Now() - begin;
        // Among many more candidates each step costs more and the search wanders further: from
        // the greedy's set it can end above what the input's own columns reach in the same time.
        // So the first half of the budget (with Steps, Steps steps) is spent among the input
        // columns, and the wider search starts from the set found there.
        TSearchLimits own = limits;
        if (timed) {
            own.Deadline = begin + (limits.Deadline - begin) / 2;
        }
        const TSearchResult inside = WithCoveredLists(
            coverage, [&](const auto& cover) { return ShrinkCover(cover, start, own); });
        if (inside.Chosen.size() < start.size()) {
            result.Reached = searchStart + inside.Reached;
        }
        const TClock::duration widerStart = settings.Now() - begin;
        searched = ShrinkCover(*candidates, inside.Chosen, limits);
        if (searched.Chosen.size() < inside.Chosen.size()) {
            result.Reached = widerStart + searched.Reached;
        }
    } else {
        searched = WithCoveredLists(coverage, [&](const auto& cover) {
            const std::size_t computed = BoundWithin(cover, coverage, bound);
            result.LowerBound = std::max({computed, published, proven});
            result.BoundPublished = published > std::max(computed, proven);
            limits.Floor = std::max(result.LowerBound, settings.Enough);
            if (Unreachable(settings.Enough, result.LowerBound)) {
                return TSearchResult{start, {}};
            }
            // A constructed code is the smallest the constructions give, not always the smallest
            // the search can reach: half the searches go on from the greedy's set instead.
            if (start.size() < greedy.size()) {
                limits.Alternative = greedy;
            }
            searchStart = settings.Now() - begin;
            return ShrinkCover(cover, start, limits);
        });
    }
    if (!candidates && searched.Chosen.size() < start.size()) {
        result.Reached = searchStart + searched.Reached;
    }
    result.Chosen = std::move(searched.Chosen);
    if (candidates) {
        // The numbers are ascending, those of input columns first.
        const auto outside =
            std::lower_bound(result.Chosen.begin(), result.Chosen.end(), coverage.Count());
        for (auto k = outside; k != result.Chosen.end(); ++k) {
            result.Added.push_back(candidates->Candidate(*k));
        }
        result.Chosen.erase(outside, result.Chosen.end());
    }
    result.SmallestPossible =
        result.Chosen.size() + result.Added.size() <= result.LowerBound ||
        (tabled && KnownSmallest(shape->Triples, shape->Doubles, radius, result.Chosen.size()));
    return result;
}

}  // namespace kelvo
