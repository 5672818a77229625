// The space Z3^triples x Z2^doubles with its words numbered: the number of a word is the sum of
// its digit at each position times the place of that position, the product of the numbers of
// signs of the positions before it, ternary positions first. The words of a shape and the
// syndromes of a matrix-method code over ternary and binary check rows are both such spaces.
#pragma once

#include <cstddef>
#include <vector>

namespace kelvo {

// The most positions a space has: 14 for the words of a column, 16 for the syndromes of a check
// matrix.
constexpr int kMaxSpaceLength = 16;

class TMixedSpace {
public:
    // The space of `triples` ternary positions followed by `doubles` binary ones. Throws
    // std::invalid_argument "space out of range" unless both are 0 or more and their sum is at
    // most kMaxSpaceLength.
    TMixedSpace(int triples, int doubles);

    int Triples() const { return triples_; }
    int Length() const { return static_cast<int>(place_.size()); }
    // The number of words, 1 for the space of no position.
    std::size_t Size() const { return size_; }
    int Signs(int position) const { return position < triples_ ? 3 : 2; }
    std::size_t Place(int position) const { return place_[static_cast<std::size_t>(position)]; }
    int Digit(std::size_t word, int position) const {
        return static_cast<int>(word / Place(position) % static_cast<std::size_t>(Signs(position)));
    }

    // a + factor * b, position by position modulo its number of signs.
    std::size_t Add(std::size_t a, std::size_t b, int factor) const;

    // The word whose digit at permutation[p] is `word`'s digit at p, for every position p; the
    // permutation keeps ternary positions ternary.
    std::size_t Permuted(std::size_t word, const std::vector<int>& permutation) const;

    // Calls visit(y) once for every word y within `radius` positions of `word`, `word` first.
    template <typename TVisit>
    void Ball(std::size_t word, int radius, const TVisit& visit) const {
        BallFrom(word, 0, radius, visit);
    }

private:
    template <typename TVisit>
    void BallFrom(std::size_t word, int from, int radius, const TVisit& visit) const {
        visit(word);
        if (radius == 0) {
            return;
        }
        for (int p = from; p < Length(); ++p) {
            const std::size_t own = static_cast<std::size_t>(Digit(word, p));
            for (std::size_t sign = 0; sign < static_cast<std::size_t>(Signs(p)); ++sign) {
                if (sign != own) {
                    BallFrom(word + sign * Place(p) - own * Place(p), p + 1, radius - 1, visit);
                }
            }
        }
    }

    int triples_;
    std::vector<std::size_t> place_;
    std::size_t size_ = 1;
};

// Whether `permutation` maps the positions of `space` one to one onto themselves, ternary ones to
// ternary ones, as Permuted needs.
bool PermutesPositions(const TMixedSpace& space, const std::vector<int>& permutation);

// The permutation of `length` positions that takes position first + i, for i below `count`, to
// first + (multiplier * i + offset) mod count and leaves the others: the cyclic shift of those
// positions for multiplier 1 and offset 1, their multiplier for offset 0.
std::vector<int> AffinePositions(int length, int first, int count, int multiplier, int offset);

// The orbit of `word` under the group the permutations `generators` generate: `word` first, then
// every word the permutations take the orbit's words to, each once, in the order they are met.
std::vector<std::size_t> Orbit(const TMixedSpace& space,
                               const std::vector<std::vector<int>>& generators, std::size_t word);

}  // namespace kelvo
