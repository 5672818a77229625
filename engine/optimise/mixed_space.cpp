#include "optimise/mixed_space.h"

#include <stdexcept>

namespace kelvo {

TMixedSpace::TMixedSpace(int triples, int doubles) : triples_(triples) {
    if (triples < 0 || doubles < 0 || triples + doubles > kMaxSpaceLength) {
        throw std::invalid_argument("space out of range");
    }
    for (int p = 0; p < triples + doubles; ++p) {
        place_.push_back(size_);
        size_ *= static_cast<std::size_t>(Signs(p));
    }
}

std::size_t TMixedSpace::Add(std::size_t a, std::size_t b, int factor) const {
    std::size_t sum = 0;
    for (int p = 0; p < Length(); ++p) {
        const int signs = Signs(p);
        sum += static_cast<std::size_t>((Digit(a, p) + factor * Digit(b, p)) % signs) * Place(p);
    }
    return sum;
}

std::size_t TMixedSpace::Permuted(std::size_t word, const std::vector<int>& permutation) const {
    std::size_t image = 0;
    for (int p = 0; p < Length(); ++p) {
        image += static_cast<std::size_t>(Digit(word, p)) *
                 Place(permutation[static_cast<std::size_t>(p)]);
    }
    return image;
}

}  // namespace kelvo
