// The command-line driver of the engine, callable without a process.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "driver_terminal.h"
#include "exit_status.h"

namespace kelvo {

// Runs kelvo-reduce with `args` (the program name not included): log lines and check reports go
// to `out`; notices, error-box texts, usage errors and progress to `err`. Returns the exit status.
int RunDriver(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              const TDriverTerminal& terminal = {});

}  // namespace kelvo
