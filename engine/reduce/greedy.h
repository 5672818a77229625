// The cover selection: the greedy passes with a falling target that choose the reduced set.
#pragma once

#include <vector>

#include "core/column_key.h"
#include "core/progress.h"
#include "reduce/neighbours.h"

namespace kelvo {

// Chooses the reduced set: in passes with a target falling from the longest neighbour list, every
// record that at that moment would newly cover exactly that many records is chosen, in file
// order, until every record is covered. Returns the chosen columns in the order they were chosen.
// Reads `neighbourhood` without changing it and reports to `progress` (which may be null) while it
// works.
std::vector<TKey> SelectGreedyCover(const TNeighbourhood& neighbourhood, TProgressSink* progress);

}  // namespace kelvo
