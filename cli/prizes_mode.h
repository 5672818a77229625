// kelvo-reduce --prizes [--chances FILE] DEVELOPMENT REDUCED: what a reduction wins.
#pragma once

#include <ostream>

#include "options.h"

namespace kelvo {

// Takes every column of the file command.Input in turn as the result, scores every column of
// command.Output against it and writes the prize report to `out`; with command.Chances, also the
// chance of each prize over every possible result. Reads both files as a run loads them and
// changes neither. Returns kExitCompleted. Throws TUsageError naming the line of a chances file
// that cannot be read, TEngineError when a file cannot be read.
int RunPrizesMode(const TCommand& command, std::ostream& out);

}  // namespace kelvo
