#include "optimise.h"

#include <algorithm>
#include <thread>

#include "covered_lists.h"
#include "local_search.h"
#include "lower_bound.h"
#include "product_cover.h"

namespace {

using TClock = std::chrono::steady_clock;

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

// The bound's iterations that fit in kBoundVisits, each visiting the covered columns of every
// column twice, from the covered sets of evenly spread columns: the same on every machine.
template <class TCover>
int BoundIterations(const TCover& coverage) {
    const std::size_t stride = std::max<std::size_t>(1, coverage.Count() / kSampled);
    std::size_t sampled = 0;
    double covered = 0;
    for (std::size_t k = 0; k < coverage.Count(); k += stride, ++sampled) {
        covered += static_cast<double>(coverage.CoveredCount(k));
    }
    const double perIteration = 2 * covered /
                                static_cast<double>(std::max<std::size_t>(sampled, 1)) *
                                static_cast<double>(coverage.Count());
    return static_cast<int>(
        std::min(static_cast<double>(TBoundLimits{}.Iterations), kBoundVisits / perIteration));
}

}  // namespace

TOptimisation Optimise(const TCoverage& coverage, std::span<const std::size_t> greedy, int radius,
                       const TOptimiseSettings& settings) {
    const TClock::time_point begin = TClock::now();
    const bool timed = settings.Steps == 0;
    TOptimisation result;
    std::vector<std::size_t> start(greedy.begin(), greedy.end());
    if (std::vector<std::size_t> product = ProductCover(coverage, radius);
        !product.empty() && product.size() < start.size()) {
        start = std::move(product);
        result.Reached = TClock::now() - begin;
    }

    TBoundLimits bound;
    const TClock::time_point boundDeadline =
        begin + std::chrono::duration_cast<TClock::duration>(settings.Budget * kBoundShare);
    bound.Stop = [&] {
        return (timed && TClock::now() >= boundDeadline) ||
               (settings.Interrupted != nullptr && settings.Interrupted->load());
    };
    TSearchLimits limits;
    limits.Searches = SearchCount(settings);
    limits.Seed = settings.Seed;
    limits.Steps = settings.Steps;
    if (timed) {
        limits.Deadline = begin + settings.Budget;
    }
    limits.Interrupted = settings.Interrupted;
    limits.Progress = settings.Progress;
    TClock::duration searchStart{};
    TSearchResult searched = WithCoveredLists(coverage, [&](const auto& cover) {
        bound.Iterations = BoundIterations(cover);
        result.LowerBound = CoverLowerBound(cover, bound);
        limits.Floor = result.LowerBound;
        searchStart = TClock::now() - begin;
        return ShrinkCover(cover, start, limits);
    });
    if (searched.Chosen.size() < start.size()) {
        result.Reached = searchStart + searched.Reached;
    }
    result.Chosen = std::move(searched.Chosen);
    return result;
}
