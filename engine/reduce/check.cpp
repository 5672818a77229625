#include "reduce/check.h"

#include "core/engine_error.h"
#include "files/column_file.h"
#include "reduce/coverage.h"

namespace kelvo {

TCheckResult CheckCover(std::span<const TKey> input, std::span<const TKey> reduced, int guarantee) {
    // One coverage over both sets of columns: the reduced ones mark what they cover.
    std::vector<TKey> both(reduced.begin(), reduced.end());
    both.insert(both.end(), input.begin(), input.end());
    const TCoverage coverage(both, RadiusOf(guarantee));
    std::vector<bool> covered(coverage.Count(), false);
    for (const TKey& column : reduced) {
        coverage.ForEachCovered(coverage.Find(column),
                                [&covered](std::size_t k) { covered[k] = true; });
    }

    TCheckResult result;
    result.InputColumns = input.size();
    result.ReducedColumns = reduced.size();
    for (std::size_t k = 0; k < input.size(); ++k) {
        if (covered[coverage.Find(input[k])]) {
            continue;
        }
        ++result.Uncovered;
        if (result.FirstUncovered.size() < kListedUncovered) {
            result.FirstUncovered.emplace_back(k + 1, ColumnText(input[k]));
        }
    }
    return result;
}

TCheckResult CheckReduction(const std::string& inputPath, const std::string& reducedPath,
                            int guarantee) {
    return ReportingOutOfMemory([&] {
        const TColumnList input = ReadColumns(inputPath);
        const TColumnList reduced = ReadColumns(reducedPath);
        return CheckCover(input.Columns, reduced.Columns, guarantee);
    });
}

}  // namespace kelvo
