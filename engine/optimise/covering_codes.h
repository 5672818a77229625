// Covering codes of radius 1: sets of words over the digits 0 to Radix - 1 such that every word of
// the same length differs from some code word in at most one position. The building blocks of a
// reduction of a full development.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kelvo {

struct TCodeShape {
    int Radix = 0;
    int Length = 0;
    std::size_t Size = 0;
};

// The codes known here, for radix 2 and 3: Hamming codes and codes found by this system's own
// search, each as small as the best known for its length.
std::span<const TCodeShape> KnownCodes();

// The words of the known code of `shape`, one after another, Length digits each. Throws
// std::invalid_argument when `shape` is not one of KnownCodes().
std::vector<std::uint8_t> CodeWords(const TCodeShape& shape);

}  // namespace kelvo
