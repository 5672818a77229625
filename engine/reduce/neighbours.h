// The neighbour analysis: which records each record would cover, kept once per distinct column.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/progress.h"
#include "reduce/coverage.h"

namespace kelvo {

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

// Analyses `columns` for coverage within `radius` differing positions, reporting to
// `progress` (which may be null) while it works. Throws std::bad_alloc when memory runs out.
TNeighbourhood AnalyseNeighbours(std::span<const TKey> columns, int radius,
                                 TProgressSink* progress);

}  // namespace kelvo
