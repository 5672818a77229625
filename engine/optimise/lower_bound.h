// The lower bound: how few columns any reduction of a set can hold, to tell how far a reduction
// found may still be from the smallest.
#pragma once

#include <cstddef>
#include <functional>

#include "optimise/candidate_cover.h"
#include "optimise/covered_lists.h"
#include "reduce/coverage.h"

namespace kelvo {

// How much work the bound may do.
struct TBoundLimits {
    // At most this many subgradient iterations after the starting bound, each visiting the
    // covered columns of every column about once. 0 gives the starting bound.
    int Iterations = 500;
    // Asked between iterations; the bound stops early, with the best bound so far, once it
    // returns true. Empty: never.
    std::function<bool()> Stop;
};

// A lower bound on the number of columns of any reduction of `coverage`: every set of its columns
// that covers all of them holds at least this many. The bound is the best value of a Lagrangian
// relaxation of the covering problem met over the iterations, so it is never above the value of
// the linear relaxation either. The iterations end before the limit once the steps stop raising
// the value, or once it meets the size of a fractional cover (as from the start on a full
// development). The bound depends only on `coverage` and limits.Iterations, and on when
// limits.Stop first returns true. 0 for an empty coverage. Throws std::bad_alloc when memory runs
// out, and whatever limits.Stop throws.
std::size_t CoverLowerBound(const TCoverage& coverage, const TBoundLimits& limits = {});
// The same bound, walking the lists of the coverage's covered columns.
std::size_t CoverLowerBound(const TCoveredLists& lists, const TBoundLimits& limits = {});
// A lower bound on the number of candidates of `candidates` any set covering all its rows holds,
// by the same relaxation over rows and candidates.
std::size_t CoverLowerBound(const TCandidateCover& candidates, const TBoundLimits& limits = {});

}  // namespace kelvo
