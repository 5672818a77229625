#include "optimise/mixed_space.h"

#include <algorithm>
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

bool PermutesPositions(const TMixedSpace& space, const std::vector<int>& permutation) {
    if (permutation.size() != static_cast<std::size_t>(space.Length())) {
        return false;
    }
    std::vector<bool> seen(permutation.size(), false);
    for (std::size_t p = 0; p < permutation.size(); ++p) {
        const int to = permutation[p];
        if (to < 0 || to >= space.Length() || seen[static_cast<std::size_t>(to)] ||
            space.Signs(to) != space.Signs(static_cast<int>(p))) {
            return false;
        }
        seen[static_cast<std::size_t>(to)] = true;
    }
    return true;
}

std::vector<int> AffinePositions(int length, int first, int count, int multiplier, int offset) {
    std::vector<int> permutation;
    for (int p = 0; p < length; ++p) {
        const bool moved = p >= first && p < first + count;
        permutation.push_back(moved ? first + ((p - first) * multiplier + offset) % count : p);
    }
    return permutation;
}

std::vector<std::size_t> Orbit(const TMixedSpace& space,
                               const std::vector<std::vector<int>>& generators, std::size_t word) {
    std::vector<std::size_t> orbit = {word};
    // An orbit holds at most as many words as the group has elements, a few dozen here, so a
    // search of the list costs less than a mark per word of the space.
    for (std::size_t k = 0; k < orbit.size(); ++k) {
        for (const std::vector<int>& permutation : generators) {
            const std::size_t image = space.Permuted(orbit[k], permutation);
            if (std::find(orbit.begin(), orbit.end(), image) == orbit.end()) {
                orbit.push_back(image);
            }
        }
    }
    return orbit;
}

}  // namespace kelvo
