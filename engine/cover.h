// The cover selection: the greedy passes with a falling target that choose the reduced set.
#pragma once

#include <vector>

#include "column_key.h"
#include "neighbours.h"
#include "run_host.h"

// Chooses the reduced set: in passes with a target falling from the longest neighbour list, every
// record that at that moment would newly cover exactly that many records is chosen, in file
// order, until every record is covered. Returns the chosen columns in the order they were chosen.
// Reads `neighbourhood` without changing it and pumps the host's events while it works.
std::vector<TKey> SelectCover(const TNeighbourhood& neighbourhood, TRunHost& host);
