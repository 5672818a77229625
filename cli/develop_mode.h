// kelvo-reduce --develop FORECAST [CONDITION]... OUTPUT: the columns of a forecast that meet the
// conditions, written to a file or counted.
#pragma once

#include <ostream>
#include <span>

#include "modes/conditions.h"
#include "modes/development.h"
#include "options.h"

namespace kelvo {

// Writes the columns of command.Forecast that meet every condition of the command to the file
// command.Input, as named, and tells `out` how many; with command.Count only tells how many.
// Returns kExitCompleted, or kExitFailed after telling `err` when no column meets the conditions
// (nothing is written then). The conditions of a value or of the public's share weigh the
// percentages of the files command.Chances and command.Public. Throws TUsageError naming the
// option when the forecast, a condition or the percentages of a file are wrong, before writing
// anything; TEngineError when a file of percentages cannot be read or the file cannot be
// written.
int RunDevelopMode(const TCommand& command, std::ostream& out, std::ostream& err);

// Writes the columns of `forecast` that meet `conditions` to the file command.Input, or with
// command.Count only counts them, telling `out` and `err` as RunDevelopMode does; what --develop
// and --plan share. Returns kExitCompleted, or kExitFailed when no column meets the conditions.
// Throws TEngineError when the file cannot be written.
int WriteDevelopment(const TForecast& forecast, std::span<const TCondition> conditions,
                     const TCommand& command, std::ostream& out, std::ostream& err);

}  // namespace kelvo
