#include "cover.h"

#include <algorithm>
#include <cstdint>

std::vector<TKey> SelectCover(const TNeighbourhood& neighbourhood, TRunHost& host) {
    const TCoverage& coverage = neighbourhood.Coverage;
    const std::size_t count = coverage.Count();
    std::int64_t uncoveredRecords = 0;
    for (const std::int32_t records : neighbourhood.Records) {
        uncoveredRecords += records;
    }
    const double toFraction = uncoveredRecords > 0 ? 1.0 / static_cast<double>(uncoveredRecords) : 0;
    const std::int64_t allRecords = uncoveredRecords;

    // Each record's count of uncovered neighbours, kept up to date as records get covered. Records
    // of one column share their count, so only the first of them can ever be chosen: once it is,
    // the count of all of them is 0, and while it is not, theirs is below the target too. The
    // relation is symmetric, so the columns whose lists hold a newly covered column are the
    // columns it covers itself.
    std::vector<std::int32_t> uncovered = neighbourhood.ListLength;
    std::vector<std::uint8_t> covered(count, 0);
    std::vector<TKey> chosen;
    TPacedPump pump(host, kSelectingPhase);
    const auto cover = [&](std::size_t j) {
        if (covered[j]) {
            return;
        }
        covered[j] = 1;
        const std::int32_t records = neighbourhood.Records[j];
        uncoveredRecords -= records;
        std::uint64_t work = 0;
        coverage.ForEachCovered(j, [&](std::size_t holder) {
            uncovered[holder] -= records;
            ++work;
        });
        pump.SetProgress(static_cast<double>(allRecords - uncoveredRecords) * toFraction);
        pump.Work(work);
    };
    for (std::int32_t target = neighbourhood.Longest; target > 0;) {
        pump.Now();
        for (std::size_t k = 0; k < count; ++k) {
            pump.Work();
            if (uncovered[k] == target) {
                chosen.push_back(coverage.Column(k));
                coverage.ForEachCovered(k, cover);
            }
        }
        if (uncoveredRecords == 0) {
            break;
        }
        // Counts only fall, so a pass whose target lies above every count left would choose
        // nothing: go straight to the first target that can.
        const std::int32_t highest = *std::max_element(uncovered.begin(), uncovered.end());
        target = std::min(target - 1, highest);
    }
    return chosen;
}
