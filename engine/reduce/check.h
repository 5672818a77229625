// Verifies a reduction: whether every input column lies within the radius of a reduced column.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "core/column_key.h"
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

// Counts the columns of `input` that no column of `reduced` covers at `guarantee`, comparing raw
// bytes; an uncovered column is listed by its place in `input` (from 1). Throws std::bad_alloc
// when memory runs out.
TCheckResult CheckCover(std::span<const TKey> input, std::span<const TKey> reduced,
                        int guarantee = kStrongestGuarantee);

// Reads both files, changing neither, and checks their columns with CheckCover. Both files'
// columns are read as a run loads them (trimmed, cut to 14 signs, up to a line that begins with
// byte 26). Throws TEngineError when a file cannot be read or memory runs out.
TCheckResult CheckReduction(const std::string& inputPath, const std::string& reducedPath,
                            int guarantee = kStrongestGuarantee);

}  // namespace kelvo
