#include "optimise/covered_lists.h"

namespace kelvo {

TCoveredLists::TCoveredLists(const TCoverage& coverage, std::size_t entries) {
    start_.reserve(coverage.Count() + 1);
    covered_.reserve(entries);
    start_.push_back(0);
    for (std::size_t k = 0; k < coverage.Count(); ++k) {
        coverage.ForEachCovered(
            k, [this](std::size_t j) { covered_.push_back(static_cast<std::uint32_t>(j)); });
        start_.push_back(covered_.size());
    }
}

}  // namespace kelvo
