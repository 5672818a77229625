// Reductions of full developments built from known covering codes, where local search alone
// stalls.
#pragma once

#include <cstddef>
#include <vector>

#include "reduce/coverage.h"

namespace kelvo {

// Where the columns of `coverage` are every combination of the signs seen at each position, with
// at most three signs at any position, returns the numbers (ascending) of the smallest set that
// covers them all within `radius` built as a product: a known radius-1 code on each of up to
// `radius` groups of positions with the same number of signs, and every sign at the other
// positions. Otherwise returns an empty set. Throws std::bad_alloc when memory runs out.
std::vector<std::size_t> ProductCover(const TCoverage& coverage, int radius);

}  // namespace kelvo
