#include "modes/reduction.h"

#include <algorithm>
#include <string>

#include "core/engine_error.h"
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
    const TClock::time_point begin = request.Now();
    TOptimisation optimised = request.Optimiser(coverage, numbers, radius, settings);
    reduction.Report.Spent = request.Now() - begin;
    reduction.Report.Reached = optimised.Reached;
    reduction.Report.LowerBound = optimised.LowerBound;
    reduction.Report.BoundPublished = optimised.BoundPublished;
    reduction.Report.SmallestPossible = optimised.SmallestPossible;
    reduction.Report.Stopped = request.Stop.stop_requested();
    reduction.Chosen = CheckedImprovement(coverage, greedy.size(), std::move(optimised.Chosen));
    reduction.Report.Final = reduction.Chosen.size();
    return reduction;
}

}  // namespace

TReduction Reduce(const TReductionRequest& request) {
    return ReportingOutOfMemory([&] { return Run(request); });
}

}  // namespace kelvo
