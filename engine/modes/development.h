// Developing a forecast into its columns: for each match one, two or three signs, and every
// combination of them as a column.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/column_key.h"
#include "files/file_access.h"

namespace kelvo {

// A forecast is wrong: the message names the group and what is wrong with it.
class TForecastError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// The signs of each match, each group holding one to three different signs of 1, X and 2, in the
// order in which a sorted column file lists them (1, 2, X).
using TForecast = std::array<std::string, kColumnLength>;

// A condition on the columns of a development, defined with its reader in modes/conditions.h,
// which includes this header for TForecast.
struct TCondition;

// The forecast written as 14 groups separated by commas or blanks, e.g. "1,1X,X2,1X2,...": blanks
// around a comma and runs of blanks count as one separator. A lower-case x is taken as X. Throws
// TForecastError on a wrong number of groups, an empty group, a repeated sign or any other
// character, naming the first such group.
TForecast ParseForecast(std::string_view text);

// Writes every column of `forecast` that meets every condition to the file `path` (replaced safely
// if it exists), one per line with CR LF, in the order in which a run sorts them, so that a run
// leaves the file as it is. Returns the number of columns; when no column meets the conditions it
// writes nothing and returns 0. Throws TEngineError when the file cannot be written ("Out of
// memory" when memory runs out); the file is then as it was.
std::size_t DevelopForecast(const TForecast& forecast, std::span<const TCondition> conditions,
                            const std::string& path, const TFileCalls& calls = {});

}  // namespace kelvo
