// The neighbour analysis: which records each record would cover, kept once per distinct column.
#pragma once

#include <cstdint>
#include <vector>

#include "column_file.h"
#include "coverage.h"
#include "run_host.h"

// What the analysis finds. Records with equal columns have equal neighbour lists, so everything
// is kept once per distinct column, in the order of the column's first record (the coverage's
// numbering, whose Occurrences(k) is the number of records holding column k). A record's
// neighbour list holds the ids of every record within the radius of its column, its own and those
// of equal columns included.
struct TNeighbourhood {
    TCoverage Coverage;
    // ListLength[k]: the length of the neighbour list of a record holding distinct column k.
    std::vector<std::int32_t> ListLength;
    // The longest neighbour list (L).
    int Longest = 0;
};

// Analyses the columns of `list` for coverage within `radius` differing positions, pumping the
// host's events while it works. Throws std::bad_alloc when memory runs out.
TNeighbourhood AnalyseNeighbours(const TColumnList& list, int radius, TRunHost& host);
