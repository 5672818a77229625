// The command-line driver of the engine, callable without a process.
#pragma once

#include <chrono>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace kelvo {

// Exit statuses of kelvo-reduce.
constexpr int kExitCompleted = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitRefused = 3;
constexpr int kExitNotCovered = 4;

// Where the driver's standard error goes: a progress line is drawn only on a terminal, once a
// run has taken longer than a second.
struct TDriverTerminal {
    bool ErrIsTerminal = false;
    std::function<std::chrono::steady_clock::time_point()> Now = std::chrono::steady_clock::now;
};

// Runs kelvo-reduce with `args` (the program name not included): log lines and check reports go
// to `out`; notices, error-box texts, usage errors and progress to `err`. Returns the exit status.
int RunDriver(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              const TDriverTerminal& terminal = {});

}  // namespace kelvo
