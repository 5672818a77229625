#include "reduce/greedy.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

#include "core/large_buffer.h"
#include "reduce/development_balls.h"

namespace kelvo {

namespace {

// The counts are scanned in runs of this many columns, each with a bound on its counts, so that a
// pass skips the runs that hold no column at its target.
constexpr std::size_t kRunLength = 64;
// The passes, with each count held in `TCount`, which must hold the longest list: the smaller the
// counts, the more of them stay in the processor's caches while the selection updates them in
// no particular order.
template <class TCount>
std::vector<TKey> Select(const TNeighbourhood& neighbourhood, TProgressSink* progress) {
    const TCoverage& coverage = neighbourhood.Coverage;
    const std::size_t count = coverage.Count();
    const auto allRecords = static_cast<std::int64_t>(coverage.Given());
    std::int64_t uncoveredRecords = allRecords;
    // Most files hold each column once; then no count of occurrences needs reading.
    const bool oneRecordEach = coverage.AllDistinct();
    const double toFraction = allRecords > 0 ? 1.0 / static_cast<double>(allRecords) : 0;

    // Each record's count of uncovered neighbours, kept up to date as records get covered. Records
    // of one column share their count, so only the first of them can ever be chosen: once it is,
    // the count of all of them is 0, and while it is not, theirs is below the target too. The
    // relation is symmetric, so the columns whose lists hold a newly covered column are the
    // columns it covers itself.
    std::vector<TCount> uncovered;
    ReserveLarge(uncovered, count);
    uncovered.assign(neighbourhood.ListLength.begin(), neighbourhood.ListLength.end());
    std::vector<bool> covered(count, false);
    std::vector<TKey> chosen;
    TPacedProgress pump(progress, kSelectingPhase);

    std::vector<TNewlyCovered> newly;
    const std::optional<TDevelopmentBalls> balls =
        coverage.EveryVariantIsAColumn()
            ? std::optional<TDevelopmentBalls>(std::in_place, coverage.Census(), coverage.Radius())
            : std::nullopt;
    const auto choose = [&](std::size_t k) {
        chosen.push_back(coverage.Column(k));
        newly.clear();
        coverage.ForEachCovered(k, [&](std::size_t j) {
            if (!covered[j]) {
                covered[j] = true;
                newly.push_back(
                    {static_cast<std::uint32_t>(j), oneRecordEach ? 1 : coverage.Occurrences(j)});
                uncoveredRecords -= newly.back().Records;
            }
        });
        const auto lower = [&](std::size_t holder, std::int32_t records) {
            uncovered[holder] = static_cast<TCount>(uncovered[holder] - records);
        };
        std::uint64_t work = newly.size();
        if (balls) {
            std::sort(
                newly.begin(), newly.end(),
                [](const TNewlyCovered& a, const TNewlyCovered& b) { return a.Column < b.Column; });
            balls->ForEachHolder(newly, lower);
            work *= coverage.CoveredCount(k);
        } else {
            for (const TNewlyCovered& column : newly) {
                coverage.ForEachCovered(column.Column, [&](std::size_t holder) {
                    lower(holder, column.Records);
                    ++work;
                });
            }
        }
        pump.SetProgress(static_cast<double>(allRecords - uncoveredRecords) * toFraction);
        pump.Work(work);
    };

    // A bound on the counts of each run: counts only fall, so a bound once taken holds, and a pass
    // passes over every run whose bound lies below its target.
    std::vector<TCount> runBound((count + kRunLength - 1) / kRunLength, 0);
    for (std::size_t k = 0; k < count; ++k) {
        runBound[k / kRunLength] = std::max(runBound[k / kRunLength], uncovered[k]);
    }
    for (auto target = static_cast<TCount>(neighbourhood.Longest); target > 0;) {
        pump.Now();
        for (std::size_t run = 0; run < runBound.size(); ++run) {
            if (runBound[run] < target) {
                continue;
            }
            const std::size_t end = std::min(count, (run + 1) * kRunLength);
            for (std::size_t k = run * kRunLength; k < end; ++k) {
                if (uncovered[k] == target) {
                    choose(k);
                }
            }
            runBound[run] =
                *std::max_element(uncovered.begin() + run * kRunLength, uncovered.begin() + end);
            pump.Work(kRunLength);
        }
        if (uncoveredRecords == 0) {
            break;
        }
        // Every count is now below the target. A pass whose target lies above every count left
        // would choose nothing: go straight to the highest bound, which is at least every count.
        const TCount highest = *std::max_element(runBound.begin(), runBound.end());
        target = std::min(static_cast<TCount>(target - 1), highest);
    }
    return chosen;
}

}  // namespace

std::vector<TKey> SelectGreedyCover(const TNeighbourhood& neighbourhood, TProgressSink* progress) {
    if (progress != nullptr) {
        progress->BeginPhase(kSelectingPhase);
    }
    if (neighbourhood.Longest <= std::numeric_limits<std::uint8_t>::max()) {
        return Select<std::uint8_t>(neighbourhood, progress);
    }
    if (neighbourhood.Longest <= std::numeric_limits<std::uint16_t>::max()) {
        return Select<std::uint16_t>(neighbourhood, progress);
    }
    return Select<std::int32_t>(neighbourhood, progress);
}

}  // namespace kelvo
