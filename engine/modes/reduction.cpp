#include "modes/reduction.h"

#include <algorithm>
#include <string>

#include "core/engine_error.h"
#include "files/collation.h"
#include "reduce/check.h"
#include "reduce/greedy.h"
#include "reduce/neighbours.h"

namespace kelvo {

namespace {

// The optimiser's set in file order, once it is checked: a set that left a column uncovered would
// break the guarantee the user pays for.
std::vector<TKey> CheckedImprovement(const TCoverage& coverage, std::size_t greedySize,
                                     std::vector<std::size_t> improved) {
    std::sort(improved.begin(), improved.end());
    improved.erase(std::unique(improved.begin(), improved.end()), improved.end());
    if (!improved.empty() && improved.back() >= coverage.Count()) {
        throw TEngineError("The optimised reduction holds a column that is not in the input");
    }
    if (improved.size() > greedySize) {
        throw TEngineError("The optimised reduction holds more columns than the greedy one");
    }
    if (const std::size_t missed = FirstUncovered(coverage, improved); missed != TCoverage::kNone) {
        throw TEngineError("The optimised reduction leaves column " +
                           ColumnText(coverage.Column(missed)) + " uncovered");
    }
    std::vector<TKey> chosen;
    chosen.reserve(improved.size());
    for (const std::size_t k : improved) {
        chosen.push_back(coverage.Column(k));
    }
    return chosen;
}

// Whether `column` is one the pool plays: 14 signs 1, X and 2.
bool IsPoolColumn(const TKey& column) {
    for (int p = 0; p < kColumnLength; ++p) {
        const unsigned byte = ByteAt(column, p);
        if (byte != '1' && byte != 'X' && byte != '2') {
            return false;
        }
    }
    return true;
}

// The optimiser's set when it may hold columns outside the input, once it is checked: each of
// those a column of 14 signs 1, X and 2, no more columns than the greedy's, and every input column
// within `radius` of a chosen one, as the check of any reduction finds it. In the collation order
// of a sorted column file, as no input order holds the columns outside it.
std::vector<TKey> CheckedWidening(const TCoverage& coverage, std::size_t greedySize, int radius,
                                  TOptimisation optimised) {
    std::vector<std::size_t>& inside = optimised.Chosen;
    std::vector<TKey> outside;
    for (const TKey& column : optimised.Added) {
        if (const std::size_t k = coverage.Find(column); k != TCoverage::kNone) {
            inside.push_back(k);
        } else if (!IsPoolColumn(column)) {
            throw TEngineError("The optimised reduction holds column " + ColumnText(column) +
                               ", which is not 14 signs 1, X and 2");
        } else {
            outside.push_back(column);
        }
    }
    std::sort(inside.begin(), inside.end());
    inside.erase(std::unique(inside.begin(), inside.end()), inside.end());
    std::sort(outside.begin(), outside.end());
    outside.erase(std::unique(outside.begin(), outside.end()), outside.end());
    if (!inside.empty() && inside.back() >= coverage.Count()) {
        throw TEngineError("The optimised reduction holds a column that is not in the input");
    }
    if (inside.size() + outside.size() > greedySize) {
        throw TEngineError("The optimised reduction holds more columns than the greedy one");
    }
    std::vector<TKey> chosen;
    chosen.reserve(inside.size() + outside.size());
    for (const std::size_t k : inside) {
        chosen.push_back(coverage.Column(k));
    }
    chosen.insert(chosen.end(), outside.begin(), outside.end());
    std::vector<TKey> inputColumns;
    inputColumns.reserve(coverage.Count());
    for (std::size_t j = 0; j < coverage.Count(); ++j) {
        inputColumns.push_back(coverage.Column(j));
    }
    if (const TCheckResult check = CheckCover(inputColumns, chosen, kColumnLength - radius);
        check.Uncovered > 0) {
        throw TEngineError("The optimised reduction leaves column " +
                           check.FirstUncovered.front().second + " uncovered");
    }
    std::stable_sort(chosen.begin(), chosen.end(), [](const TKey& a, const TKey& b) {
        return CompareLines(ColumnText(a), ColumnText(b)) < 0;
    });
    return chosen;
}

TReduction Run(const TReductionRequest& request) {
    RequireGuarantee(request.Guarantee);
    TReduction reduction;
    if (ExceedsLimit(request.Columns.size(), request.NoLimit)) {
        reduction.Outcome = TReductionOutcome::Refused;
        return reduction;
    }
    const int radius = RadiusOf(request.Guarantee);
    const TNeighbourhood neighbourhood =
        AnalyseNeighbours(request.Columns, radius, request.Progress);
    std::vector<TKey> greedy = SelectGreedyCover(neighbourhood, request.Progress);
    reduction.Report.Greedy = greedy.size();
    if (!request.Optimise) {
        reduction.Report.Final = greedy.size();
        reduction.Chosen = std::move(greedy);
        return reduction;
    }

    const TCoverage& coverage = neighbourhood.Coverage;
    std::vector<std::size_t> numbers;
    numbers.reserve(greedy.size());
    for (const TKey& column : greedy) {
        numbers.push_back(coverage.Find(column));
    }
    TOptimiseSettings settings;
    settings.Budget = request.Optimise->Time;
    settings.Steps = request.Optimise->Steps;
    settings.Seed = request.Optimise->Seed;
    settings.Stop = request.Stop;
    settings.Now = request.Now;
    settings.Progress = request.Progress;
    settings.Anywhere = request.Anywhere;
    const TClock::time_point begin = request.Now();
    TOptimisation optimised = request.Optimiser(coverage, numbers, radius, settings);
    reduction.Report.Spent = request.Now() - begin;
    reduction.Report.Reached = optimised.Reached;
    reduction.Report.LowerBound = optimised.LowerBound;
    reduction.Report.BoundPublished = optimised.BoundPublished;
    reduction.Report.SmallestPossible = optimised.SmallestPossible;
    reduction.Report.Stopped = request.Stop.stop_requested();
    reduction.Chosen = CheckedOptimisation(coverage, greedy.size(), radius, std::move(optimised),
                                           request.Anywhere);
    reduction.Report.Final = reduction.Chosen.size();
    return reduction;
}

}  // namespace

std::vector<TKey> CheckedOptimisation(const TCoverage& coverage, std::size_t greedySize, int radius,
                                      TOptimisation optimised, bool anywhere) {
    return anywhere ? CheckedWidening(coverage, greedySize, radius, std::move(optimised))
                    : CheckedImprovement(coverage, greedySize, std::move(optimised.Chosen));
}

TReduction Reduce(const TReductionRequest& request) {
    return ReportingOutOfMemory([&] { return Run(request); });
}

}  // namespace kelvo
