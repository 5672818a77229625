// The command-line driver of the engine, callable without a process.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// Exit statuses of kelvo-reduce.
constexpr int kExitCompleted = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitRefused = 3;

// Runs kelvo-reduce with `args` (the program name not included): log lines go to `out`,
// notices, error-box texts and usage errors to `err`. Returns the exit status.
int RunDriver(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
