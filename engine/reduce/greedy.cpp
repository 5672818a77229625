#include "reduce/greedy.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "core/large_buffer.h"

namespace kelvo {

namespace {

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
    const auto cover = [&](std::size_t j) {
        if (covered[j]) {
            return;
        }
        covered[j] = true;
        const auto records = static_cast<TCount>(oneRecordEach ? 1 : coverage.Occurrences(j));
        uncoveredRecords -= records;
        std::uint64_t work = 0;
        coverage.ForEachCovered(j, [&](std::size_t holder) {
            uncovered[holder] -= records;
            ++work;
        });
        pump.SetProgress(static_cast<double>(allRecords - uncoveredRecords) * toFraction);
        pump.Work(work);
    };
    for (auto target = static_cast<TCount>(neighbourhood.Longest); target > 0;) {
        pump.Now();
        for (std::size_t k = 0; k < count; ++k) {
            if (uncovered[k] == target) {
                chosen.push_back(coverage.Column(k));
                coverage.ForEachCovered(k, cover);
            }
        }
        pump.Work(count);
        if (uncoveredRecords == 0) {
            break;
        }
        // Counts only fall, so a pass whose target lies above every count left would choose
        // nothing: go straight to the first target that can.
        const TCount highest = *std::max_element(uncovered.begin(), uncovered.end());
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
