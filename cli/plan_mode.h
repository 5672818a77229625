// kelvo-reduce --plan PLAN: a plan saved by the planner, developed, counted or its reduced
// columns written out.
#pragma once

#include <ostream>

#include "options.h"

namespace kelvo {

// Reads the plan file command.Plan, changing nothing in it. With command.Columns writes the
// plan's reduced columns to that file, as named (14 signs and CR LF a line, in the plan's order,
// replaced safely), and tells `out` how many; a plan without a reduction is told on `err` and
// nothing is written. Otherwise writes or counts the plan's development as --develop does.
// Returns kExitCompleted, or kExitFailed after telling `err`. Throws TPlanFileError when the file
// is no plan (nothing is written then) and TEngineError when a file cannot be written.
int RunPlanMode(const TCommand& command, std::ostream& out, std::ostream& err);

}  // namespace kelvo
