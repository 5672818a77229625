#include "check_mode.h"

#include "exit_status.h"
#include "reduce/check.h"

namespace kelvo {

int RunCheckMode(const TCommand& command, std::ostream& out) {
    const TCheckResult result = CheckReduction(command.Input, command.Output, command.Guarantee);
    out << "Input columns: " << result.InputColumns << '\n'
        << "Reduced columns: " << result.ReducedColumns << '\n'
        << "Uncovered input columns: " << result.Uncovered << '\n';
    for (const auto& [line, column] : result.FirstUncovered) {
        out << "  line " << line << ": " << column << '\n';
    }
    return result.Uncovered == 0 ? kExitCompleted : kExitNotCovered;
}

}  // namespace kelvo
