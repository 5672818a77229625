// kelvo-reduce --budget N (or --budget-euros EUROS) INPUT OUTPUT: the best columns of INPUT for a
// budget.
#pragma once

#include <ostream>

#include "driver_terminal.h"
#include "options.h"

namespace kelvo {

// Runs as the plain run does (INPUT rewritten sorted, the chosen columns written to OUTPUT + ".txt"
// in INPUT's new order), the columns chosen by ChooseForBudget for the command's budget, chances
// and, with command.Public, expected winnings; then writes the line "Budget: N columns, chance
// of at least G right C% of the forecast's P% (bound B%)" to `out`, with the winnings after it
// when they were chosen for. Ctrl-C ends the search and keeps the best set so far. Returns
// kExitCompleted, or kExitRefused when INPUT is too long. Throws TUsageError when the euros of
// command.BudgetEuros buy no column, or a percentages file or Pleno result is wrong (before
// anything is written), and what the run throws.
int RunBudgetMode(const TCommand& command, std::ostream& out, std::ostream& err,
                  const TDriverTerminal& terminal);

}  // namespace kelvo
