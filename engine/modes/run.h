// One reduction run, from the input file to the output file.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_access.h"
#include "modes/reduction.h"
#include "modes/run_host.h"

namespace kelvo {

enum class TRunOutcome { Completed, Refused };

struct TRunResult {
    TRunOutcome Outcome = TRunOutcome::Completed;
    TReductionReport Report;
};

// Shown instead of a run when the input holds more than kMaxColumns lines (UTF-8).
inline constexpr std::string_view kRefusalText =
    "ATENCION, Esta version esta dise\xc3\xb1"
    "ada para\r\n combinaciones mas peque\xc3\xb1"
    "as.";

// How a run differs from the window's: the reduction's settings (NoLimit counting lines), and
// the calls through which every file is read and written.
struct TRunOptions : TReductionSettings {
    TFileCalls Files;
};

// Performs one run: sorts and rewrites `InputPath`, refuses more than kMaxColumns lines, loads the
// columns and reduces them (Reduce), writes them to `OutputPath` + ".txt" and logs the summary.
// Refuses, before writing anything, an output that would replace the input file itself. Throws
// TEngineError with the user-visible message on failure (an optimised set that fails its check
// among them), "Out of memory" when memory runs out.
TRunResult ReduceColumns(const std::string& InputPath, const std::string& OutputPath,
                         TRunHost& host, const TRunOptions& options = {});

// What a run does with the columns it loaded (in file order), telling how far it has got to
// `progress`: the columns to write, in the order to write them.
using TColumnChoice =
    std::function<std::vector<TKey>(std::span<const TKey> columns, TProgressSink& progress)>;

// Performs one run as ReduceColumns does, the columns written chosen by `choose` instead of by
// Reduce: of `options`, only the guarantee (checked first), NoLimit and Files are read. Throws
// as ReduceColumns does, and what `choose` throws.
TRunOutcome RunChoosing(const std::string& inputPath, const std::string& outputPath, TRunHost& host,
                        const TRunOptions& options, const TColumnChoice& choose);

}  // namespace kelvo
