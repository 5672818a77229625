// The search for matrix-method codes: check matrices H = [I | A] over GF(3) for the ternary
// positions and over GF(2) for the binary ones, and their syndrome set, a matrix changed one column
// at a time and judged by the syndrome cover it admits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "core/progress.h"
#include "optimise/covering_constructions.h"

namespace kelvo {

// A new smallest code of a matrix search: the code and the number of the matrix that gave it
// (0 for the first matrix).
using TMatrixSearchProgress =
    std::function<void(const TMixedMatrixCode& code, std::uint64_t matrix)>;

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
    // The smallest code found: the columns of each kind of position the identity's, then A's,
    // Syndromes ascending.
    TMixedMatrixCode Code;
    // The matrix that gave it (0 for the first) and the matrices tried in all.
    std::uint64_t FoundAt = 0;
    std::uint64_t Tried = 0;
};

// Searches the check matrices [I | A] of `ternaryRows` rows over GF(3) for `triples` ternary
// positions and of `binaryRows` rows over GF(2) for `doubles` binary ones for the pair whose
// syndrome cover (CoverSyndromes, StepsPerMatrix steps) at `radius` is smallest, by simulated
// annealing: each step replaces one column of an A, or one of its digits, by a random one, the
// columns of each kind kept nonzero, distinct and with their highest nonzero digit 1. Throws
// std::invalid_argument "matrix search needs 1 to 14 positions, 1 to 6561 syndromes, check rows
// for every kind of position and no more than its positions, distinct columns enough and a radius
// of 0 or more" for a shape out of range.
TMatrixSearchResult SearchMatrixCode(int triples, int doubles, int ternaryRows, int binaryRows,
                                     int radius, const TMatrixSearchLimits& limits);

}  // namespace kelvo
