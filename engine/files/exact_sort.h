// The exact quicksort that rewrites a column file, simulated on ranks: the order of its exchanges
// is part of the file, so it is kept exchange for exchange, in O(n log^2 n) whatever the order.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <vector>

namespace kelvo {

// Told how many items are in their final place.
using TPlacedCall = std::function<void(std::size_t placed)>;

// The order in which the same quicksort leaves items that compare as their `ranks` do: element
// k is the index in `ranks` of the item that ends at position k. The quicksort runs plainly
// until the ranges it has partitioned add up to more than `budget` items and is then simulated,
// in O(n log^2 n) whatever the order, so `budget` changes the time taken and not the result. Tells
// `placed`, when given, how many items no later exchange can move, as that number grows.
std::vector<std::size_t> RankedOrder(std::span<const std::size_t> ranks, std::size_t budget,
                                     const TPlacedCall& placed = {});

}  // namespace kelvo
