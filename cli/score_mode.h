// kelvo-reduce --score RESULT FILE: how many signs each column of a file has right.
#pragma once

#include <ostream>

#include "options.h"

namespace kelvo {

// Writes to `out` how many columns of the file command.Input have 14, 13, 12, 11 and 10 signs of
// command.Result right, then the line numbers and columns of those with 13 or more; while some
// match of the result is not yet played ('-' or a blank), then how many columns can still reach
// at least 14, 13, 12, 11 and 10 right. Leaves the file as it is. Returns kExitCompleted. Throws
// TUsageError when the result is not 14 places of a sign or a match not yet played, TEngineError
// when the file cannot be read.
int RunScoreMode(const TCommand& command, std::ostream& out);

}  // namespace kelvo
