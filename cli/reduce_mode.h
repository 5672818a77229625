// kelvo-reduce INPUT OUTPUT: one run, optimised with --optimise.
#pragma once

#include <ostream>

#include "driver_terminal.h"
#include "options.h"

namespace kelvo {

// Reduces command.Input to command.Output + ".txt" with the command's guarantee, limit and
// optimiser budget: the run's log lines go to `out`, its notices and, on a terminal, its progress
// to `err`; an optimised run ends its log with the optimiser's report. Ctrl-C during the optimiser
// ends it early. Returns kExitCompleted, or kExitRefused when the input holds too many lines.
// Throws TEngineError when the run fails.
int RunReduceMode(const TCommand& command, std::ostream& out, std::ostream& err,
                  const TDriverTerminal& terminal);

}  // namespace kelvo
