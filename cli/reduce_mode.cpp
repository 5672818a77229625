#include "reduce_mode.h"

#include <chrono>
#include <iomanip>
#include <optional>
#include <sstream>
#include <string>

#include "exit_status.h"
#include "interrupt.h"
#include "modes/run.h"
#include "stream_host.h"

namespace kelvo {

namespace {

// The optimiser's report: "Optimised: greedy 239, final 186, lower bound 156 (gap 16.1%), 10.0 s
// spent, final size reached at 3.2 s"; a bound taken from the published tables says so ("lower
// bound 27 (published; gap 0.0%)"), and a set proven smallest ends with ", smallest possible".
std::string OptimiserReport(const TReductionReport& optimised) {
    const double gap = optimised.Final == 0
                           ? 0
                           : 100.0 * static_cast<double>(optimised.Final - optimised.LowerBound) /
                                 static_cast<double>(optimised.Final);
    const std::chrono::duration<double> spent = optimised.Spent;
    const std::chrono::duration<double> reached = optimised.Reached;
    std::ostringstream report;
    report << std::fixed << std::setprecision(1) << "Optimised: greedy " << optimised.Greedy
           << ", final " << optimised.Final << ", lower bound " << optimised.LowerBound << " ("
           << (optimised.BoundPublished ? "published; " : "") << "gap " << gap << "%), "
           << spent.count() << " s spent, final size reached at " << reached.count() << " s";
    if (optimised.SmallestPossible) {
        report << ", smallest possible";
    }
    return report.str();
}

}  // namespace

int RunReduceMode(const TCommand& command, std::ostream& out, std::ostream& err,
                  const TDriverTerminal& terminal) {
    TStreamHost host(out, err, terminal);
    TRunOptions options;
    options.NoLimit = command.NoLimit;
    options.Guarantee = command.Guarantee;
    options.Now = terminal.Now;
    std::optional<TInterruptGuard> interrupts;
    if (command.Optimise) {
        interrupts.emplace();
        TOptimiserBudget budget;
        budget.Time = std::chrono::duration_cast<TClock::duration>(
            std::chrono::duration<double>(*command.Optimise));
        budget.Steps = command.Steps;
        budget.Seed = command.Seed;
        options.Optimise = budget;
        options.Anywhere = command.Anywhere;
        options.Stop = interrupts->Token();
    }
    const TRunResult result = ReduceColumns(command.Input, command.Output, host, options);
    if (result.Outcome == TRunOutcome::Refused) {
        return kExitRefused;
    }
    if (command.Optimise) {
        host.AddLogLine(OptimiserReport(result.Report));
    }
    return kExitCompleted;
}

}  // namespace kelvo
