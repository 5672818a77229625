// The reduction as literally described, for checking the engine against and for showing what
// the engine's methods save: slow on purpose and written for plain reading, not for speed.
#pragma once

#include <string>
#include <vector>

namespace kelvo {

// The columns the greedy selection chooses from `columns` (the loaded columns in file order) at
// `guarantee`, in the order chosen: every ordered pair's distance counted position by position
// (a missing position holds byte 0), each column's neighbour list built by scanning all columns,
// a covered list of 25000 slots searched from its first slot for every membership test (grown
// when a chosen column's ids do not fit), the chosen mark in the first neighbour entry, and a
// pass for every target from the longest list down.
std::vector<std::string> LiteralReduction(const std::vector<std::string>& columns, int guarantee);

}  // namespace kelvo
