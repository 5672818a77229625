// Verifies a reduction: whether every input column lies within the radius of a reduced column.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "core/guarantee.h"

namespace kelvo {

// How many uncovered input columns a check lists.
constexpr std::size_t kListedUncovered = 10;

struct TCheckResult {
    std::size_t InputColumns = 0;
    std::size_t ReducedColumns = 0;
    std::size_t Uncovered = 0;
    // The first kListedUncovered uncovered input columns: line number in the input file (from 1)
    // and the column as compared.
    std::vector<std::pair<std::size_t, std::string>> FirstUncovered;
};

// Reads both files, changing neither, and counts the input columns that no reduced column covers
// at `guarantee`. Both files' columns are read as a run loads them (trimmed, cut to 14 signs, up
// to a line that begins with byte 26) and compared as raw bytes. Throws TEngineError when a file
// cannot be read or memory runs out.
TCheckResult CheckReduction(const std::string& inputPath, const std::string& reducedPath,
                            int guarantee = kStrongestGuarantee);

}  // namespace kelvo
