#include "budget_mode.h"

#include <chrono>
#include <optional>
#include <string>

#include "budget/budget_choice.h"
#include "decimal_text.h"
#include "exit_status.h"
#include "interrupt.h"
#include "modes/run.h"
#include "stream_host.h"
#include "week_options.h"

namespace kelvo {

namespace {

// The columns the command's budget pays for: --budget's, or the whole number --budget-euros buys.
std::size_t BudgetColumns(const TCommand& command, const TWeekPool& week) {
    if (!command.BudgetEuros) {
        return *command.Budget;
    }
    const std::size_t columns = ColumnsForEuros(*command.BudgetEuros, week.Price, week.Pleno);
    if (columns == 0) {
        throw TUsageError("--budget-euros: " + DecimalText(*command.BudgetEuros) +
                          " euros buy no column, which costs " +
                          DecimalText(CostOf(1, week.Price, week.Pleno)) + " euros");
    }
    return columns;
}

// "Budget: 40 columns, chance of at least 13 right 12.5% of the forecast's 30% (bound 14%)",
// ", expected winnings W euros (bound B), return per euro R" after it when the set was chosen for
// them, and ", best possible" last when no set of the budget does better.
std::string BudgetLine(const TBudgetReport& report, int guarantee) {
    std::string line = "Budget: " + std::to_string(report.Budget) +
                       " columns, chance of at least " + std::to_string(guarantee) + " right " +
                       DecimalText(report.Covered) + "% of the forecast's " +
                       DecimalText(report.Forecast) + "% (bound " + DecimalText(report.Bound) +
                       "%)";
    if (report.Winnings) {
        line += ", expected winnings " + DecimalText(report.Winnings->Expected) + " euros (bound " +
                DecimalText(report.Winnings->Bound) + "), return per euro " +
                DecimalText(report.Winnings->ReturnPerEuro);
    }
    if (report.BestPossible) {
        line += ", best possible";
    }
    return line;
}

}  // namespace

int RunBudgetMode(const TCommand& command, std::ostream& out, std::ostream& err,
                  const TDriverTerminal& terminal) {
    TBudgetRequest request;
    request.Week = WeekOf(command);
    request.Budget = BudgetColumns(command, request.Week);
    request.Guarantee = command.Guarantee;
    request.ByWinnings = command.Public.has_value();
    request.Anywhere = command.Anywhere;
    request.Now = terminal.Now;
    std::optional<TInterruptGuard> interrupts;
    if (command.Optimise || command.Steps != 0) {
        interrupts.emplace();
        TOptimiserBudget search;
        search.Time = std::chrono::duration_cast<TClock::duration>(
            std::chrono::duration<double>(command.Optimise.value_or(0)));
        search.Steps = command.Steps;
        search.Seed = command.Seed;
        request.Optimise = search;
        request.Stop = interrupts->Token();
    }
    TStreamHost host(out, err, terminal);
    TRunOptions options;
    options.NoLimit = command.NoLimit;
    options.Guarantee = command.Guarantee;
    TBudgetReport report;
    const TRunOutcome outcome =
        RunChoosing(command.Input, command.Output, host, options,
                    [&](std::span<const TKey> columns, TProgressSink& progress) {
                        request.Columns = columns;
                        request.Progress = &progress;
                        TBudgetChoice choice = ChooseForBudget(request);
                        report = choice.Report;
                        return std::move(choice.Chosen);
                    });
    if (outcome == TRunOutcome::Refused) {
        return kExitRefused;
    }
    host.AddLogLine(BudgetLine(report, command.Guarantee));
    return kExitCompleted;
}

}  // namespace kelvo
