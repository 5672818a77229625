// Verifies a reduction: whether every input column lies within one position of a reduced column.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

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

// Reads both files, changing neither, and counts the input columns that no reduced column
// covers. Lines are cut, trimmed and compared as the reduction does: raw bytes, case-sensitive,
// the first 14 signs. Throws TEngineError when a file cannot be read.
TCheckResult CheckReduction(const std::string& inputPath, const std::string& reducedPath);
