// The order of lines in a column file: the collation and the exact sort that rewrites an input.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

// Receives how far a long operation has got, from 0 to 1.
using TProgressCall = std::function<void(double fraction)>;

// Three-way comparison of two lines by the column-file collation (symbols < digits < letters,
// case ignored, a line that is the beginning of a longer one first): <0, 0 or >0.
int CompareLines(std::string_view a, std::string_view b);

// The order in which the exact quicksort leaves `lines`: element k is the index in `lines` of the
// line that ends at position k. Lines that compare equal but differ in their bytes end in the
// order of the quicksort's exchanges, which is part of the rewritten file. Changes nothing.
std::vector<std::size_t> SortedOrder(std::span<const std::string_view> lines,
                                     const TProgressCall& progress = {});
