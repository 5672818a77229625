// The cover selection: the greedy passes with a falling target that choose the reduced set.
#pragma once

#include <string>
#include <vector>

#include "column_file.h"
#include "run.h"

// Chooses the reduced set of `list` (whose neighbour lists are filled, L the longest), logs
// "Buscando las reductoras...", writes the chosen columns to `OutputPath` + ".txt" once every
// record is covered, and returns the chosen columns in the order they were chosen.
std::vector<std::string> SelectCover(TColumnList& list, int L, const std::string& OutputPath,
                                     TRunHost& host, const TWriteCall& write = SystemWrite);
