// The search for subnormal partitions, the first half of a PartitionSum: a code of radius R whose
// words are cut into parts such that every word at distance R from the code lies within R + 1 of
// every part.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/progress.h"
#include "optimise/covering_constructions.h"

namespace kelvo {

// How much work a partition search does.
struct TPartitionSearchLimits {
    // Seeds the search: the same seed and Steps give the same result on every machine.
    std::uint64_t Seed = 1;
    // Moves tried, each one word relabelled or moved.
    std::uint64_t Steps = 1000000;
    // When the code is given: a move that leaves `d` more words bare is taken with probability
    // exp(-d / Temperature).
    double Temperature = 0.5;
    // When the code is searched too: a word moved is not moved again for this many steps.
    std::uint64_t Tenure = 2;
    // No move is tried after this.
    TClock::time_point Deadline = TClock::time_point::max();
};

struct TPartitionSearchResult {
    // The code and the part of each of its words, at the fewest bare words met.
    TCode Code;
    std::vector<std::uint8_t> Labels;
    // The words of the space farther than Code.Radius from the code, plus, for each part, the
    // words at distance Code.Radius from the code and farther than Code.Radius + 1 from the part:
    // 0 when the partition is found.
    std::size_t Bare = 0;
    // The moves tried.
    std::uint64_t Steps = 0;
};

// The bare words of `code` cut by `labels` (one per word, each below `parts`), as
// TPartitionSearchResult::Bare counts them: 0 when PartitionSum of it gains one in radius.
// Throws like SearchPartition, and "partition labels do not fit" for labels that do not.
std::size_t BareOfPartition(const TCode& code, const std::vector<std::uint8_t>& labels, int parts);

// The first labelling of `code` by a linear functional, FunctionalLabels(code, c, parts), that
// leaves no word bare: c runs over the vectors that are 0 outside the last `positions` positions,
// counting in base `parts` with the last position fastest; empty when none does. For a linear
// code those positions should hold an information set, so that every functional on the code is
// tried. Throws like SearchPartition, and "functional positions out of range" unless positions
// is 1 to the code's length.
std::vector<int> FunctionalPartition(const TCode& code, int parts, int positions);

// Labels the words of `code` with `parts` parts so that every word at distance code.Radius from
// it lies within code.Radius + 1 of every part, relabelling one word at a time towards a bare word
// of a part, by a walk that takes worse moves with the probability of `limits.Temperature`; stops
// when none is bare. Throws std::invalid_argument "partition search needs 2 or 3 parts and a code
// of 2 to 14 positions and radius 0 to 3" for a shape out of range.
TPartitionSearchResult SearchPartition(const TCode& code, int parts,
                                       const TPartitionSearchLimits& limits);

// Searches a code of `size` words of the shape at `radius` together with a partition of it into
// `parts` parts as SearchPartition cuts a code, starting from random words and labels and taking
// at each step the best move of a word to a neighbour or of a label that brings a bare word
// within reach, among the words not moved in the last `limits.Tenure` steps. Throws like
// SearchPartition, and "partition search needs 1 word or more" for a size of 0.
TPartitionSearchResult SearchPartitionedCode(int triples, int doubles, int radius, std::size_t size,
                                             int parts, const TPartitionSearchLimits& limits);

}  // namespace kelvo
