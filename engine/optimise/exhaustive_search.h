// The exhaustive search for a covering code of a given size: it either finds one or proves that
// none exists, which no heuristic search can. It settles small shapes, where the smallest size
// is then known rather than merely the smallest found.
#pragma once

#include <cstddef>
#include <cstdint>

#include "optimise/covering_constructions.h"

namespace kelvo {

// The most words of a shape the exhaustive search takes: its tree grows too fast beyond.
constexpr std::size_t kMaxExhaustiveWords = 8192;

// How much work an exhaustive search does.
struct TExhaustiveLimits {
    // The search gives up, undecided, after this many nodes of its tree: a fixed amount of work,
    // so the answer is the same on every machine.
    std::uint64_t Nodes = 1'000'000;
};

enum class TExhaustiveAnswer { Exists, None, Undecided };

struct TExhaustiveResult {
    TExhaustiveAnswer Answer = TExhaustiveAnswer::Undecided;
    // With Exists, a code of the shape and radius of at most the size asked, the word 0 first.
    TCode Code;
    // The nodes of the tree visited.
    std::uint64_t Nodes = 0;
};

// Decides whether a covering code of the shape at `radius` has `size` words or fewer. It is a
// branch and bound over the words that may cover the bare word with the fewest of them left,
// bounded by bare words no single word can cover together and by how many bare words the words
// left could cover at best. The word 0 is taken into the code, as some translate of any code has
// it; at every branch the candidates are tried once for each class of the symmetries that fix 0
// and the words branched on so far, and a class tried is ruled out. Throws std::invalid_argument
// "exhaustive search needs a shape of 1 to 14 positions and at most 8192 words, a radius of 0 to
// 3 and a size of 1 or more" otherwise.
TExhaustiveResult SearchCodeOfSize(int triples, int doubles, int radius, std::size_t size,
                                   const TExhaustiveLimits& limits);

}  // namespace kelvo
