// Reductions of full developments built from known covering codes, where local search alone
// stalls.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "reduce/coverage.h"

namespace kelvo {

// The shape of a full development: how many positions hold three signs and how many two.
struct TDevelopmentShape {
    int Triples = 0;
    int Doubles = 0;
};

// The shape of `coverage`'s columns where they are every combination of the signs seen at each
// position, with at most three signs at any position; otherwise none.
std::optional<TDevelopmentShape> FullDevelopmentShape(const TCoverage& coverage);

// Where `coverage`'s columns are a full development (FullDevelopmentShape), returns the numbers
// (ascending) of the columns of the smallest covering code the constructions give for its shape
// and `radius` (SmallestConstruction, at radius 3 for larger radii): the code's ternary digits
// on the positions with three signs and its binary digits on those with two, in position order,
// digit d standing for the d-th sign seen there in the order of their bytes. Otherwise returns an
// empty set. Throws std::bad_alloc when memory runs out.
std::vector<std::size_t> ConstructedCover(const TCoverage& coverage, int radius);

}  // namespace kelvo
