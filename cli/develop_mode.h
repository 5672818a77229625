// kelvo-reduce --develop FORECAST OUTPUT: every column of a forecast, written to a file.
#pragma once

#include <ostream>

#include "options.h"

namespace kelvo {

// Writes the columns of command.Forecast that meet every condition of command.Signs to the file
// command.Input, as named, and tells `out` how many. Returns kExitCompleted. Throws TUsageError
// naming the option when the forecast or a condition is wrong, before writing anything;
// TEngineError when the file cannot be written.
int RunDevelopMode(const TCommand& command, std::ostream& out);

}  // namespace kelvo
