// One reduction run, from the input file to the output file.
#pragma once

#include <string>
#include <string_view>

#include "coverage.h"
#include "file_access.h"
#include "run_host.h"

enum class TRunOutcome { Completed, Refused };

// The most columns one run accepts.
constexpr int kMaxColumns = 7000;

// Shown instead of a run when the input holds more than kMaxColumns lines (UTF-8).
inline constexpr std::string_view kRefusalText =
    "ATENCION, Esta version esta dise\xc3\xb1"
    "ada para\r\n combinaciones mas peque\xc3\xb1"
    "as.";

// How a run differs from the window's.
struct TRunOptions {
    // Reduces any number of columns instead of refusing more than kMaxColumns.
    bool NoLimit = false;
    // The signs right that some chosen column is sure to have if the winning column is in the
    // file (kWeakestGuarantee to kStrongestGuarantee).
    int Guarantee = kStrongestGuarantee;
    // The calls through which every file is read and written.
    TFileCalls Files;
};

// Performs one run: sorts and rewrites `InputPath`, refuses more than kMaxColumns lines, loads,
// analyses and reduces the columns, writes them to `OutputPath` + ".txt" and logs the summary.
// Refuses, before writing anything, an output that would replace the input file itself. Throws
// TEngineError with the user-visible message on failure, "Out of memory" when memory runs out.
TRunOutcome ReduceColumns(const std::string& InputPath, const std::string& OutputPath,
                          TRunHost& host, const TRunOptions& options = {});
