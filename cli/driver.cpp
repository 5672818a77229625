#include "driver.h"

#include <exception>
#include <variant>

#include "budget_mode.h"
#include "check_mode.h"
#include "core/engine_error.h"
#include "develop_mode.h"
#include "options.h"
#include "plan_mode.h"
#include "prizes_mode.h"
#include "reduce_mode.h"
#include "score_mode.h"
#include "value_mode.h"

namespace kelvo {

namespace {

int RunMode(const TCommand& command, std::ostream& out, std::ostream& err,
            const TDriverTerminal& terminal) {
    switch (command.Mode) {
        case TMode::Check:
            return RunCheckMode(command, out);
        case TMode::Develop:
            return RunDevelopMode(command, out, err);
        case TMode::Score:
            return RunScoreMode(command, out);
        case TMode::Prizes:
            return RunPrizesMode(command, out);
        case TMode::Plan:
            return RunPlanMode(command, out, err);
        case TMode::Value:
            return RunValueMode(command, out);
        case TMode::Budget:
            return RunBudgetMode(command, out, err, terminal);
        case TMode::Reduce:
            break;
    }
    return RunReduceMode(command, out, err, terminal);
}

}  // namespace

int RunDriver(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              const TDriverTerminal& terminal) {
    try {
        const std::variant<TCommand, TInfoText> commandLine = ParseCommandLine(args);
        if (const auto* info = std::get_if<TInfoText>(&commandLine)) {
            out << info->Text;
            return kExitCompleted;
        }
        return RunMode(std::get<TCommand>(commandLine), out, err, terminal);
    } catch (const TUsageError& error) {
        err << UsageErrorText(error.what());
        return kExitUsage;
    } catch (const std::exception& error) {
        // The engine's failures are TEngineError; anything else still ends the run as a failure
        // with its message, as the window shows it, rather than ending the program.
        err << ErrorBoxText(error.what()) << '\n';
        return kExitFailed;
    }
}

}  // namespace kelvo
