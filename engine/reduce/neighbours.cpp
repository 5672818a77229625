#include "reduce/neighbours.h"

#include <algorithm>

#include "core/large_buffer.h"
#include "core/parallel.h"

namespace kelvo {

namespace {

// Below this many distinct columns a second thread costs more than it saves.
constexpr std::size_t kColumnsPerThread = 1 << 16;

// The list lengths of the distinct columns [from, to). Where every column is held by one record,
// a list is as long as the number of columns covered.
void MeasureLists(const TCoverage& coverage, std::vector<std::int32_t>& length, std::size_t from,
                  std::size_t to, TPacedProgress* progress) {
    for (std::size_t k = from; k < to; ++k) {
        std::int32_t sum = 0;
        if (coverage.AllDistinct()) {
            sum = static_cast<std::int32_t>(coverage.CoveredCount(k));
        } else {
            coverage.ForEachCovered(k, [&](std::size_t j) { sum += coverage.Occurrences(j); });
        }
        length[k] = sum;
        if (progress != nullptr) {
            progress->Work();
        }
    }
}

}  // namespace

TNeighbourhood AnalyseNeighbours(std::span<const TKey> columns, int radius,
                                 TProgressSink* progress) {
    if (progress != nullptr) {
        progress->BeginPhase(kAnalysingPhase);
    }
    TPacedProgress pump(progress, kAnalysingPhase);
    pump.Now();
    TNeighbourhood result{TCoverage(columns, radius, &pump), {}, 0};
    const TCoverage& coverage = result.Coverage;
    pump.SetProgress(0.5);

    // The lists of distinct columns are independent of each other: a large set is measured in two
    // halves side by side, and only the calling thread's half reports.
    ReserveLarge(result.ListLength, coverage.Count());
    result.ListLength.assign(coverage.Count(), 0);
    const std::size_t count = coverage.Count();
    const std::size_t parts = count >= 2 * kColumnsPerThread ? 2 : 1;
    RunInParallel(parts, [&](std::size_t part) {
        MeasureLists(coverage, result.ListLength, count * part / parts, count * (part + 1) / parts,
                     part == 0 ? &pump : nullptr);
    });
    result.Longest =
        count == 0 ? 0 : *std::max_element(result.ListLength.begin(), result.ListLength.end());
    return result;
}

}  // namespace kelvo
