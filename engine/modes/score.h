// Scoring columns against the results of the matches.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/column_key.h"
#include "core/prize_categories.h"

namespace kelvo {

// How the columns of a file did against a result.
struct TScore {
    // Right[c]: the columns of prize category c (Right[0] with 14 signs right, down to 10).
    std::array<std::size_t, kPrizeCategories> Right{};
    // The columns with 13 or 14 right, in file order: their line number (from 1) and the column.
    std::vector<std::pair<std::size_t, std::string>> Prized;
};

// Whether `result` is 14 signs of 1, X and 2 (a lower-case x counting as X).
bool IsResult(std::string_view result);

// How many positions of `column` hold the sign of `result`, a lower-case x counting as X on both
// sides.
int SignsRight(const TKey& column, const TKey& result);

// Counts for each of `columns` how many positions hold the sign of `result`, a lower-case x
// counting as X on both sides; a prized column is listed by its place in `columns` (from 1).
// `result` must satisfy IsResult. Throws std::bad_alloc when memory runs out.
TScore ScoreColumns(std::string_view result, std::span<const TKey> columns);

// Reads the columns of the file at `path` as a run loads them (trimmed, cut to 14 signs, up to a
// line that begins with byte 26), changing nothing, and scores them with the function above.
// Throws TEngineError when the file cannot be read or memory runs out.
TScore ScoreColumns(std::string_view result, const std::string& path);

}  // namespace kelvo
