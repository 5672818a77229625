#include "plan_mode.h"

#include <string>

#include "develop_mode.h"
#include "exit_status.h"
#include "files/file_access.h"
#include "plan/plan_file.h"

namespace kelvo {

namespace {

constexpr std::string_view kNoReduction = "the plan has no reduction";

}  // namespace

int RunPlanMode(const TCommand& command, std::ostream& out, std::ostream& err) {
    const TPlan plan = OpenPlan(command.Plan);
    if (!command.Columns) {
        return WriteDevelopment(ForecastOf(plan), plan.Conditions, command, out, err);
    }
    // A reduction of no columns is none: an empty file would only hide that.
    if (!plan.Reduction || plan.Reduction->Columns.empty()) {
        err << kNoReduction << '\n';
        return kExitFailed;
    }
    std::string bytes;
    for (const TKey& column : plan.Reduction->Columns) {
        bytes += ColumnText(column);
        bytes += "\r\n";
    }
    ReplaceFileContent(*command.Columns, bytes, {});
    out << plan.Reduction->Columns.size() << " columns written to " << *command.Columns << '\n';
    return kExitCompleted;
}

}  // namespace kelvo
