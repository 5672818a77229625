// The week a command line describes: the chances, the public's percentages, the takings and the
// Pleno al 15, read from the files and values its options give.
#pragma once

#include "options.h"
#include "value/week_pool.h"

namespace kelvo {

// The week of `command`: each of its chances, public, takings, jackpot, price and Pleno (results
// chosen, chances, public) that the command gives, the others as TWeekPool has them. Throws
// TUsageError naming the option, file and line of a percentages file that is wrong, or a Pleno
// result that is wrong or chosen twice; TEngineError when a file cannot be read.
TWeekPool WeekOf(const TCommand& command);

}  // namespace kelvo
