#include "budget/budget_choice.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/engine_error.h"
#include "files/collation.h"
#include "modes/result_spread.h"
#include "optimise/budget_cover.h"
#include "optimise/candidate_cover.h"
#include "optimise/constructed_cover.h"
#include "optimise/covered_lists.h"
#include "reduce/greedy.h"
#include "reduce/neighbours.h"
#include "value/budget_value.h"
#include "value/set_value.h"

namespace kelvo {

namespace {

// A sum of euros is taken to buy a column whose cost it falls short of by less than this: a
// price typed in cents is not always a whole number of cents in binary.
constexpr double kEurosSlack = 1e-9;

// The columns of `coverage` numbered in `numbers`, in file order.
std::vector<TKey> ColumnsNumbered(const TCoverage& coverage, std::vector<std::size_t> numbers) {
    std::sort(numbers.begin(), numbers.end());
    std::vector<TKey> columns;
    columns.reserve(numbers.size());
    for (const std::size_t k : numbers) {
        columns.push_back(coverage.Column(k));
    }
    return columns;
}

// The chosen columns when some may lie outside the input: all in the collation order of a sorted
// column file, as no input order holds the others.
std::vector<TKey> InCollationOrder(std::vector<TKey> columns) {
    std::stable_sort(columns.begin(), columns.end(), [](const TKey& a, const TKey& b) {
        return CompareLines(ColumnText(a), ColumnText(b)) < 0;
    });
    return columns;
}

// The settings of a search, from the request, with `time` of its budget left.
TOptimiseSettings SearchSettings(const TBudgetRequest& request, TClock::duration time) {
    TOptimiseSettings settings;
    if (request.Optimise) {
        settings.Budget = time;
        settings.Steps = request.Optimise->Steps;
        settings.Seed = request.Optimise->Seed;
    }
    settings.Stop = request.Stop;
    settings.Now = request.Now;
    settings.Progress = request.Progress;
    settings.Anywhere = request.Anywhere;
    return settings;
}

// A reduction at the guarantee that fits the budget, or none: the greedy's, the constructed code
// of a full development, or the optimiser's once it finds one small enough in half the time.
std::optional<std::vector<TKey>> ReductionWithin(const TBudgetRequest& request,
                                                 const TCoverage& coverage,
                                                 const std::vector<TKey>& greedy, int radius) {
    if (greedy.size() <= request.Budget) {
        return ColumnsNumbered(coverage, [&] {
            std::vector<std::size_t> numbers;
            for (const TKey& column : greedy) {
                numbers.push_back(coverage.Find(column));
            }
            return numbers;
        }());
    }
    if (std::vector<std::size_t> constructed = ConstructedCover(coverage, radius);
        !constructed.empty() && constructed.size() <= request.Budget) {
        return ColumnsNumbered(coverage, std::move(constructed));
    }
    if (!request.Optimise) {
        return std::nullopt;
    }
    std::vector<std::size_t> numbers;
    numbers.reserve(greedy.size());
    for (const TKey& column : greedy) {
        numbers.push_back(coverage.Find(column));
    }
    TOptimiseSettings settings = SearchSettings(request, request.Optimise->Time / 2);
    settings.Enough = request.Budget;
    TOptimisation optimised = Optimise(coverage, numbers, radius, settings);
    if (optimised.Chosen.size() + optimised.Added.size() > request.Budget) {
        return std::nullopt;
    }
    return CheckedOptimisation(coverage, greedy.size(), radius, std::move(optimised),
                               request.Anywhere);
}

// The chance of each column of `coverage` by the week's chances, and their sum in their order.
struct TWeights {
    std::vector<double> Each;
    double Sum = 0;
};

TWeights WeightsOf(const TCoverage& coverage, const TChances& chances) {
    TWeights weights;
    weights.Each.reserve(coverage.Count());
    for (std::size_t k = 0; k < coverage.Count(); ++k) {
        weights.Each.push_back(ShareOfColumn(coverage.Column(k), chances));
        weights.Sum += weights.Each.back();
    }
    return weights;
}

// The weight of the columns of `coverage` within its radius of some column of `chosen`, summed in
// the coverage's order.
double CoveredWeight(const TCoverage& coverage, const TWeights& weights,
                     std::span<const TKey> chosen) {
    std::vector<char> covered(coverage.Count(), 0);
    for (const TKey& column : chosen) {
        if (const std::size_t k = coverage.Find(column); k != TCoverage::kNone) {
            coverage.ForEachCovered(k, [&covered](std::size_t j) { covered[j] = 1; });
            continue;
        }
        // A column outside the input: its covered columns are found by comparing.
        for (std::size_t j = 0; j < coverage.Count(); ++j) {
            if (ColumnDistance(column, coverage.Column(j)) <= coverage.Radius()) {
                covered[j] = 1;
            }
        }
    }
    double sum = 0;
    for (std::size_t j = 0; j < coverage.Count(); ++j) {
        if (covered[j] != 0) {
            sum += weights.Each[j];
        }
    }
    return sum;
}

// The columns the winnings may choose among: the input's columns of 14 signs and, with Anywhere,
// the columns beyond them that would cover some of them.
std::vector<TKey> WinningsCandidates(const TBudgetRequest& request, const TCoverage& coverage) {
    std::vector<TKey> candidates;
    for (std::size_t k = 0; k < coverage.Count(); ++k) {
        if (ResultNumber(coverage.Column(k))) {
            candidates.push_back(coverage.Column(k));
        }
    }
    if (request.Anywhere) {
        if (const std::optional<TCandidateCover> beyond =
                TCandidateCover::Beyond(coverage, coverage.Radius(), kMostListed)) {
            for (std::size_t k = beyond->RowCount(); k < beyond->CandidateCount(); ++k) {
                candidates.push_back(beyond->Candidate(k));
            }
        }
    }
    return candidates;
}

// The set of the most expected winnings, with its report's winnings.
std::vector<TKey> ChooseByWinnings(const TBudgetRequest& request, const TCoverage& coverage,
                                   TClock::duration time, TBudgetReport& report) {
    const std::vector<TKey> candidates = WinningsCandidates(request, coverage);
    const TBudgetValue searched =
        ValueBudget(candidates, request.Week, request.Budget, SearchSettings(request, time));
    std::vector<TKey> chosen;
    for (const std::size_t k : searched.Chosen) {
        chosen.push_back(candidates[k]);
    }
    const TSetValue value = *ValueOfSet(chosen, request.Week);
    TBudgetWinnings winnings;
    winnings.Expected = value.Total;
    winnings.Cost = value.Cost;
    winnings.ReturnPerEuro = value.ReturnPerEuro;
    winnings.Bound = std::max(searched.Bound, value.Total);
    winnings.Greedy = searched.GreedyExpected;
    report.Winnings = winnings;
    report.BestPossible = winnings.Expected >= winnings.Bound;
    report.Reached = searched.Reached;
    return chosen;
}

TBudgetChoice Choose(const TBudgetRequest& request) {
    RequireGuarantee(request.Guarantee);
    if (request.Budget == 0) {
        throw TEngineError("The budget is no column: choose at least one");
    }
    const int radius = RadiusOf(request.Guarantee);
    const TNeighbourhood neighbourhood =
        AnalyseNeighbours(request.Columns, radius, request.Progress);
    const TCoverage& coverage = neighbourhood.Coverage;
    const std::vector<TKey> greedy = SelectGreedyCover(neighbourhood, request.Progress);
    const TWeights weights = WeightsOf(coverage, request.Week.Chances);
    const TClock::time_point begin = request.Now();
    TBudgetChoice choice;
    TBudgetReport& report = choice.Report;
    report.Budget = request.Budget;
    report.Forecast = 100 * weights.Sum;
    const TClock::duration time = request.Optimise ? request.Optimise->Time : TClock::duration{};
    // The greedy by chance alone, for what it covers and its bound on what any set of the budget
    // covers: the search by chance starts from it and bounds again.
    const auto greedyByChance = [&] {
        const TBudgetCover greedyCover =
            CoverBudget(coverage, weights.Each, request.Budget, SearchSettings(request, {}));
        report.Greedy = 100 * greedyCover.GreedyCovered;
        report.Bound = 100 * greedyCover.Bound;
    };
    if (request.ByWinnings) {
        greedyByChance();
        const TClock::duration left = time - (request.Now() - begin);
        choice.Chosen = ChooseByWinnings(request, coverage, std::max(left, {}), report);
        report.Covered = 100 * CoveredWeight(coverage, weights, choice.Chosen);
    } else if (std::optional<std::vector<TKey>> reduction =
                   ReductionWithin(request, coverage, greedy, radius)) {
        greedyByChance();
        choice.Chosen = std::move(*reduction);
        report.Covered = report.Forecast;
        report.Bound = report.Forecast;
        report.BestPossible = true;
        report.Reached = request.Now() - begin;
    } else {
        const TClock::duration left = time - (request.Now() - begin);
        TBudgetCover searched = CoverBudget(coverage, weights.Each, request.Budget,
                                            SearchSettings(request, std::max(left, {})));
        choice.Chosen = ColumnsNumbered(coverage, std::move(searched.Chosen));
        choice.Chosen.insert(choice.Chosen.end(), searched.Added.begin(), searched.Added.end());
        report.Greedy = 100 * searched.GreedyCovered;
        report.Covered = 100 * searched.Covered;
        report.Bound = 100 * searched.Bound;
        report.BestPossible = report.Covered >= report.Bound;
        report.Reached = searched.Reached;
    }
    if (request.Anywhere) {
        choice.Chosen = InCollationOrder(std::move(choice.Chosen));
    }
    report.Chosen = choice.Chosen.size();
    report.Spent = request.Now() - begin;
    report.Stopped = request.Stop.stop_requested();
    return choice;
}

}  // namespace

TBudgetChoice ChooseForBudget(const TBudgetRequest& request) {
    return ReportingOutOfMemory([&] { return Choose(request); });
}

std::size_t ColumnsForEuros(double euros, double price, const TPleno& pleno) {
    const double each = CostOf(1, price, pleno);
    if (!(each > 0) || !(euros > 0)) {
        return 0;
    }
    return static_cast<std::size_t>(std::floor(euros / each + kEurosSlack));
}

}  // namespace kelvo
