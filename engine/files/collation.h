// The order of lines in a column file: the collation, and the order in which the exact sort that
// rewrites an input leaves them.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace kelvo {

// Receives how far a long operation has got, from 0 to 1.
using TProgressCall = std::function<void(double fraction)>;

// Three-way comparison of two lines by the column-file collation (symbols < digits < letters,
// case ignored, a line that is the beginning of a longer one first): <0, 0 or >0.
int CompareLines(std::string_view a, std::string_view b);

// The order in which the exact quicksort leaves `lines`: element k is the index in `lines` of the
// line that ends at position k. Lines that compare equal but differ in their bytes end in the
// order of the quicksort's exchanges, which is part of the rewritten file; lines that are the
// same byte for byte may end in any order among themselves. O(n log^2 n) at worst. Reports the
// fraction of lines placed to `progress`, on the calling thread, about every 65536 lines and
// at the end. Changes nothing.
std::vector<std::size_t> SortedOrder(std::span<const std::string_view> lines,
                                     const TProgressCall& progress = {});

}  // namespace kelvo
