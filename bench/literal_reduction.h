// The reduction done the literal way: every ordered pair of records compared position by
// position, with an event check before each position, fixed-size neighbour lists, and every
// coverage question answered by scanning a covered list of fixed size. It chooses the same
// columns as the engine and is kept only to show what the engine's methods save.
#pragma once

#include <string>
#include <vector>

#include "column_file.h"
#include "run.h"

// The neighbour analysis and the cover selection of `list` done the literal way; writes the
// chosen columns to `OutputPath` + ".txt" once every record is covered and returns them in the
// order they were chosen. Each record has a neighbour list of the full fixed size, so this needs
// four bytes per slot and record.
std::vector<std::string> LiteralReduction(const TColumnList& list, const std::string& OutputPath,
                                          TRunHost& host);
