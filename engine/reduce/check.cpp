#include "reduce/check.h"

#include <new>

#include "core/engine_error.h"
#include "files/column_file.h"
#include "reduce/coverage.h"

namespace kelvo {

namespace {

TCheckResult Check(const std::string& inputPath, const std::string& reducedPath, int guarantee) {
    const TColumnList input = ReadColumns(inputPath, TReadMessages::CannotOpenFile);
    const TColumnList reduced = ReadColumns(reducedPath, TReadMessages::CannotOpenFile);

    // One coverage over both files' columns: the reduced ones mark what they cover.
    std::vector<TKey> both = reduced.Columns;
    both.insert(both.end(), input.Columns.begin(), input.Columns.end());
    const TCoverage coverage(both, RadiusOf(guarantee));
    std::vector<bool> covered(coverage.Count(), false);
    for (const TKey& column : reduced.Columns) {
        coverage.ForEachCovered(coverage.Find(column),
                                [&covered](std::size_t k) { covered[k] = true; });
    }

    TCheckResult result;
    result.InputColumns = input.Columns.size();
    result.ReducedColumns = reduced.Columns.size();
    for (std::size_t k = 0; k < input.Columns.size(); ++k) {
        if (covered[coverage.Find(input.Columns[k])]) {
            continue;
        }
        ++result.Uncovered;
        if (result.FirstUncovered.size() < kListedUncovered) {
            result.FirstUncovered.emplace_back(k + 1, ColumnText(input.Columns[k]));
        }
    }
    return result;
}

}  // namespace

TCheckResult CheckReduction(const std::string& inputPath, const std::string& reducedPath,
                            int guarantee) {
    try {
        return Check(inputPath, reducedPath, guarantee);
    } catch (const std::bad_alloc&) {
        throw TEngineError("Out of memory");
    }
}

}  // namespace kelvo
