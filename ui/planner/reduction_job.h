// One reduction of a plan's development on a worker thread: the columns developed, reduced through
// the engine's Reduce or chosen for a budget through ChooseForBudget, and scored as prizes,
// reported back through queued signals.
#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <stop_token>
#include <thread>
#include <vector>

#include "budget/budget_choice.h"
#include "modes/conditions.h"
#include "modes/prizes.h"
#include "modes/reduction.h"

// A budget to choose columns for, instead of a reduction.
struct TBudgetInput {
    // The most columns to choose, from 1.
    std::size_t Columns = 1;
    // The week whose chances, and by winnings whose public's percentages and takings, the columns
    // are chosen for.
    kelvo::TWeekPool Week;
    bool ByWinnings = false;
};

// What a job works on, copied from the plan when it starts.
struct TReductionInput {
    kelvo::TForecast Forecast;
    std::vector<kelvo::TCondition> Conditions;
    int Guarantee = kelvo::kStrongestGuarantee;
    // The optimiser's budget; none takes the greedy's set.
    std::optional<kelvo::TOptimiserBudget> Budget;
    // With Budget: the optimiser may choose columns outside the development.
    bool Anywhere = false;
    // With a budget, the columns are chosen for it at the guarantee instead of reduced.
    std::optional<TBudgetInput> Spending;
    // The chances that weigh the prizes; none leaves the chances out.
    std::optional<kelvo::TChances> Chances;
    // An existing reduction to score instead of reducing anew (a plan opened from its file).
    std::optional<std::vector<kelvo::TKey>> Reduced;
};

// What a job found.
struct TReductionResult {
    std::vector<kelvo::TKey> Chosen;
    // How the reduction went; for columns chosen for a budget, how the choice went instead.
    kelvo::TReductionReport Report;
    std::optional<kelvo::TBudgetReport> Budget;
    kelvo::TPrizeTable Prizes;
    std::optional<kelvo::TPrizeChances> Chances;
};

// How far a job has got, as the window shows it.
struct TJobProgress {
    QString Phase;
    double Fraction = 0;
    std::size_t Best = 0;
    std::size_t Bound = 0;
    std::optional<double> SecondsLeft;
};

class TReductionJob : public QObject {
    Q_OBJECT

public:
    // Starts the work at once on a worker thread.
    TReductionJob(TReductionInput input, QObject* parent = nullptr);
    // Stops the work wherever it is and waits for the worker.
    ~TReductionJob() override;

    // Ends the search early: the optimiser or the budget's search stops as if its time had run
    // out, and the best set so far is scored and delivered as usual.
    void StopSearch();

signals:
    void Progressed(const TJobProgress& progress);
    // Exactly one of Finished and Failed comes, once, unless the job is destroyed first.
    void Finished(std::shared_ptr<const TReductionResult> result);
    void Failed(const QString& message);

private:
    void Work(std::stop_token stop, const TReductionInput& input);

    std::stop_source search_;
    // Declared last: it stops and joins before the rest goes away.
    std::jthread worker_;
};

Q_DECLARE_METATYPE(TJobProgress)
