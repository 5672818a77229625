// The search for matrix-method codes: a check matrix H = [I | A] and its syndrome set, the matrix
// changed one column at a time and judged by the syndrome cover it admits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "core/progress.h"
#include "optimise/covering_constructions.h"

namespace kelvo {

// A new smallest code of a matrix search: the code and the number of the matrix that gave it
// (0 for the first matrix).
using TMatrixSearchProgress = std::function<void(const TMatrixCode& code, std::uint64_t matrix)>;

// How long a matrix search goes on.
struct TMatrixSearchLimits {
    // Seeds the first matrix, the changes and every syndrome cover: the same seed, Matrices and
    // StepsPerMatrix give the same code on every machine.
    std::uint64_t Seed = 1;
    // Matrices tried after the first.
    std::uint64_t Matrices = 1000;
    // Tabu steps of the syndrome cover of each matrix.
    std::uint64_t StepsPerMatrix = 20000;
    // The search stops once it has a syndrome set this small; 0 for none.
    std::size_t Target = 0;
    // No matrix is tried after this.
    TClock::time_point Deadline = TClock::time_point::max();
    // Accepting a matrix whose cover leaves `d` more syndromes uncovered at the next size (or
    // covers with one syndrome more, worth q^Rows of them) happens with probability
    // exp(-d / Temperature); 0 accepts only matrices no worse.
    double Temperature = 1.0;
    // Called on the calling thread with each new smallest code; may be empty.
    TMatrixSearchProgress Progress;
};

struct TMatrixSearchResult {
    // The smallest code found: Columns the identity's, then A's, Syndromes ascending.
    TMatrixCode Code;
    // The matrix that gave it (0 for the first) and the matrices tried in all.
    std::uint64_t FoundAt = 0;
    std::uint64_t Tried = 0;
};

// Searches the check matrices [I_rows | A] of length `length` over GF(radix) for the one whose
// syndrome cover (CoverSyndromes, StepsPerMatrix steps) at `radius` is smallest, by simulated
// annealing: each step replaces one column of A, or one of its digits, by a random one, the
// columns kept nonzero, distinct and with their highest nonzero digit 1. Throws
// std::invalid_argument "matrix search needs radix 2 or 3, 1 to 8 ternary or 12 binary rows, a
// length from rows to 14 and a radius of 0 or more" for a shape out of range.
TMatrixSearchResult SearchMatrixCode(int radix, int length, int rows, int radius,
                                     const TMatrixSearchLimits& limits);

}  // namespace kelvo
