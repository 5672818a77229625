// kelvo-reduce --check INPUT REDUCED: whether a reduction covers its input.
#pragma once

#include <ostream>

#include "options.h"

namespace kelvo {

// Writes to `out` how many columns command.Input and command.Output (the reduction) hold, how many
// input columns no reduced column covers at the command's guarantee, and the first of them with
// their line numbers; changes neither file. Returns kExitCompleted when every input column is
// covered, kExitNotCovered otherwise. Throws TEngineError when a file cannot be read.
int RunCheckMode(const TCommand& command, std::ostream& out);

}  // namespace kelvo
