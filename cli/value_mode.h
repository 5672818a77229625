// kelvo-reduce --value COLUMNS ...: what a set of columns is expected to win in euros.
#pragma once

#include <ostream>

#include "options.h"

namespace kelvo {

// Reads the columns of command.Valued as a run loads them, changing nothing, values them in the
// week the command gives (chances, public, takings, jackpot, price, Pleno) and writes the value's
// lines to `out`; with command.Each, first writes each column's value to that file (lines ending
// in CR LF, replaced only once complete). Returns kExitCompleted. Throws TUsageError naming the
// option, file and line of a percentages file that cannot be read, or a Pleno result that is
// wrong or chosen twice, before anything is written; TEngineError when a file cannot be read or
// written.
int RunValueMode(const TCommand& command, std::ostream& out);

}  // namespace kelvo
