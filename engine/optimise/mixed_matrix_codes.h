// The stored matrix-method codes of shapes with both triples and doubles.
#pragma once

#include <vector>

#include "optimise/covering_constructions.h"

namespace kelvo {

// Matrix-method codes over ternary and binary check rows together, kept where they are smaller
// than the other constructions of their shape. Each was found by kelvo_matrix_search --steps 2000
// with the options in the comment above it (in a sweep over the shapes with a --seconds limit
// and a --target; the number of matrices given is the one the code was found at).
const std::vector<TMixedMatrixCode>& MixedMatrixCodes();

}  // namespace kelvo
