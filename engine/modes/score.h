// Scoring columns against the results of the matches, the whole week's or as far as it is known.
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

// A result's place for a match not yet played holds '-' or a blank.
constexpr bool IsNotPlayed(char byte) {
    return byte == '-' || byte == ' ';
}

// How one column stands against a result: the signs it has right in the matches played, and the
// most it can still end with, should it be right in every match not yet played that it has a sign
// for.
struct TStanding {
    int Right = 0;
    int Most = 0;
};

// How the columns of a file did against a result.
struct TScore {
    // Right[c]: the columns of prize category c (Right[0] with 14 signs right, down to 10),
    // counting the matches played only.
    std::array<std::size_t, kPrizeCategories> Right{};
    // CanReach[c]: the columns that can still end with at least 14 - c right (their TStanding::Most
    // comes to that many); for a result with every match played, the columns with at least so many.
    std::array<std::size_t, kPrizeCategories> CanReach{};
    // Have[c]: the columns that already have at least 14 - c right, whatever the matches not yet
    // played bring.
    std::array<std::size_t, kPrizeCategories> Have{};
    // The columns with 13 or 14 right, in file order: their line number (from 1) and the column.
    std::vector<std::pair<std::size_t, std::string>> Prized;
};

// Whether `result` is 14 places, each a sign of 1, X and 2 (a lower-case x counting as X) or a
// match not yet played ('-' or a blank).
bool IsResult(std::string_view result);

// Whether every match of `result`, which satisfies IsResult, has been played.
bool IsFinal(std::string_view result);

// How `column` stands against `result` (the key of a result that satisfies IsResult), a lower-case
// x counting as X on both sides.
TStanding StandingOf(const TKey& column, const TKey& result);

// Counts for each of `columns` how many positions hold the sign of a match played in `result`, a
// lower-case x counting as X on both sides, and how many it can still reach; a column with 13 or
// more right is listed by its place in `columns` (from 1). `result` must satisfy IsResult.
// Throws std::bad_alloc when memory runs out.
TScore ScoreColumns(std::string_view result, std::span<const TKey> columns);

// Reads the columns of the file at `path` as a run loads them (trimmed, cut to 14 signs, up to a
// line that begins with byte 26), changing nothing, and scores them with the function above.
// Throws TEngineError when the file cannot be read or memory runs out.
TScore ScoreColumns(std::string_view result, const std::string& path);

}  // namespace kelvo
