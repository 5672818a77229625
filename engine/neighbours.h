// The neighbour analysis: which records each record would cover.
#pragma once

#include <string_view>

#include "column_file.h"
#include "run.h"

// Number of positions among the first kColumnLength in which `a` and `b` hold different bytes,
// counted no further than 2. A position past the end of a column holds byte 0.
int ColumnDistance(std::string_view a, std::string_view b);

// Gives every record the ascending ids of all records within distance 1 of it, itself included,
// and returns the length of the longest such list (L). Pumps the host's events while it works.
int AnalyseNeighbours(TColumnList& list, TRunHost& host);
