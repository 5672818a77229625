// One reduction run, from the input file to the output file.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

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
    // Given the coverage of the input's columns and the numbers of the columns the greedy chose,
    // returns the numbers of a reduced set to write instead. The run checks that set before it
    // writes anything. Empty: the greedy's set is written, in the order it was chosen.
    std::function<std::vector<std::size_t>(const TCoverage&, std::vector<std::size_t> greedy)>
        Improve;
};

// Performs one run: sorts and rewrites `InputPath`, refuses more than kMaxColumns lines, loads,
// analyses and reduces the columns, writes them to `OutputPath` + ".txt" and logs the summary.
// An improved set is written in the order of the input file, once it is checked to cover every
// column with no more columns than the greedy's. Refuses, before writing anything, an output that
// would replace the input file itself. Throws TEngineError with the user-visible message on
// failure (an improved set that fails its check among them), "Out of memory" when memory runs
// out.
TRunOutcome ReduceColumns(const std::string& InputPath, const std::string& OutputPath,
                          TRunHost& host, const TRunOptions& options = {});
