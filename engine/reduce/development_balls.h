// The columns within the radius of columns of a full development, found block by block for the
// greedy selection, which lowers the count of each of them whenever a column gets covered.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "reduce/sign_census.h"

namespace kelvo {

// A column a chosen one newly covers, and how many records hold it.
struct TNewlyCovered {
    std::uint32_t Column = 0;
    std::int32_t Records = 0;
};

// The columns of a full development within the radius of newly covered ones, found block by block.
// The live positions split into low ones, whose digits number a column within its block (the
// block's columns are consecutive), and high ones, which number the block. A column h lies within
// the radius of a column j when the high positions differ in e of them and the low ones in at most
// radius - e: so the covered columns of one block are handled together, for each block within the
// radius of theirs in turn, from a table of the low variants of every low number ordered by
// distance. Each count is then lowered from a block in cache, where going through the columns one
// by one would reach all over the counts for each of them.
class TDevelopmentBalls {
public:
    // The blocks of the development `census` numbers, for `radius`. Throws std::bad_alloc when
    // memory runs out.
    TDevelopmentBalls(const TSignCensus& census, int radius);

    // How many blocks there are, and how many consecutive columns each holds.
    std::uint64_t Blocks() const { return census_.Numbers() / blockColumns_; }
    std::uint64_t BlockColumns() const { return blockColumns_; }
    // The block holding `column`, and the column's number within it.
    std::uint64_t BlockOf(std::uint64_t column) const { return column / blockColumns_; }
    std::uint16_t LowOf(std::uint64_t column) const {
        return static_cast<std::uint16_t>(column % blockColumns_);
    }

    // Calls visit(b, e) for every block b whose high digits differ from those of `block` in
    // e <= radius positions, `block` itself first (e = 0), each once.
    template <class Visit>
    void ForEachBlockWithin(std::uint64_t block, Visit&& visit) const {
        const std::uint64_t start = block * blockColumns_;
        visit(block, 0);
        TSignCensus::TDigits digits;
        census_.DigitsOfNumber(start, digits);
        ForEachVariantWithin(start, digits, lowPositions_, census_.LivePositions().size(), radius_,
                             0, [&](std::uint64_t variant, int highDistance) {
                                 visit(variant / blockColumns_, highDistance);
                             });
    }

    // Calls visit(h, i) for every column h of block `target` within the radius of the column
    // numbered lows[i] within its block, for every i; those columns all lie in one block
    // `highDistance` high positions from `target` (one ForEachBlockWithin names).
    template <class Visit>
    void ForEachHolderIn(std::uint64_t target, int highDistance,
                         std::span<const std::uint16_t> lows, Visit&& visit) const {
        const std::size_t rowLength = lowWithin_.back();
        const std::size_t within = lowWithin_[static_cast<std::size_t>(radius_ - highDistance)];
        const std::uint64_t start = target * blockColumns_;
        if (within == 1) {
            // Most blocks lie at the full radius, where only the column's own low number is
            // within it: each row starts with that number, so the table need not be read.
            for (std::size_t i = 0; i < lows.size(); ++i) {
                visit(static_cast<std::size_t>(start + lows[i]), i);
            }
            return;
        }
        for (std::size_t i = 0; i < lows.size(); ++i) {
            const std::uint16_t* row = low_.data() + lows[i] * rowLength;
            for (std::size_t v = 0; v < within; ++v) {
                visit(static_cast<std::size_t>(start + row[v]), i);
            }
        }
    }

private:
    // Calls visit(n, e) for the number n of every column whose digits differ from `digits` (those
    // of `number`) in e of the live positions from..to - 1, 1 <= e - used <= `left`, each once.
    template <class Visit>
    void ForEachVariantWithin(std::uint64_t number, const TSignCensus::TDigits& digits,
                              std::size_t from, std::size_t to, int left, int used,
                              Visit&& visit) const {
        const std::span<const TSignCensus::TLivePosition> live = census_.LivePositions();
        for (std::size_t q = from; q < to && left > 0; ++q) {
            const std::uint64_t base = number - digits[q] * live[q].Stride;
            for (std::uint32_t d = 0; d < live[q].Radix; ++d) {
                if (d == digits[q]) {
                    continue;
                }
                const std::uint64_t varied = base + d * live[q].Stride;
                visit(varied, used + 1);
                ForEachVariantWithin(varied, digits, q + 1, to, left - 1, used + 1, visit);
            }
        }
    }

    const TSignCensus& census_;
    int radius_;
    std::size_t lowPositions_ = 0;
    std::uint64_t blockColumns_ = 1;
    // Row n: the low numbers within the radius of low number n, nearest first; lowWithin_[e]:
    // how many of each row lie within e positions.
    std::vector<std::uint16_t> low_;
    std::vector<std::size_t> lowWithin_;
};

}  // namespace kelvo
