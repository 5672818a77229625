// Why a forecast's development is empty: which one condition, if any, leaves no column.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <stop_token>

#include "modes/conditions.h"
#include "modes/development.h"

namespace kelvo {

// The position in `conditions` of the first one whose removal leaves `forecast` some column that
// meets all the others, or nothing when no single removal does (among them: no conditions at
// all). Meant for a development that the conditions leave empty, to tell the player which
// condition to loosen. Returns nothing, early, once a stop is requested.
std::optional<std::size_t> FindEmptyingCondition(const TForecast& forecast,
                                                 std::span<const TCondition> conditions,
                                                 std::stop_token stop = {});

}  // namespace kelvo
