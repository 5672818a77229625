// The syndrome set of a matrix-method code, chosen for a given check matrix.
//
// The code {x : H x^T in S} has radius R when every syndrome of GF(q)^rows (of GF(3)^a x GF(2)^c
// for a mixed code) is an element of S plus at most R distinct columns of H, each times a nonzero
// scalar. Given H and R, choosing S is a set cover over the syndromes, each candidate syndrome
// covering its own ball: this unit finds a small one by a greedy start and a tabu search, so that
// a search over the matrices can judge each matrix by the size of its syndrome set.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "optimise/covering_constructions.h"

namespace kelvo {

// The most check rows a syndrome cover takes over GF(radix): 8 ternary or 12 binary, at most 6561
// syndromes.
constexpr int MaxSyndromeRows(int radix) {
    return radix == 2 ? 12 : 8;
}

// The most syndromes a syndrome cover takes: 3^8, 2^12 or a mixed count up to 6561.
constexpr std::size_t kMaxSyndromes = 6561;

// How much work a syndrome cover does.
struct TSyndromeCoverLimits {
    // Seeds the search: the same seed and Steps give the same set on every machine.
    std::uint64_t Seed = 1;
    // Tabu steps after the greedy start, over every size tried.
    std::uint64_t Steps = 20000;
};

struct TSyndromeCover {
    // The smallest covering set of syndromes found, ascending, as TMatrixCode stores them.
    std::vector<int> Syndromes;
    // The fewest syndromes left uncovered by a set of one syndrome fewer during the search: how
    // close the next size came (0 when no smaller size was tried, as at the sphere bound).
    std::size_t ShortBy = 0;
};

// Every syndrome that differs from 0 by at most `code.Radius` distinct columns of `code`, each
// times a nonzero scalar, 0 included, ascending: the ball every chosen syndrome covers around
// itself. Throws std::invalid_argument like CoverSyndromes.
std::vector<int> SyndromeBall(const TMatrixCode& code);
std::vector<int> SyndromeBall(const TMixedMatrixCode& code);

// Whether `code.Syndromes` and their balls reach every syndrome, tried one syndrome at a time
// against every element of S and every combination of columns. Throws std::invalid_argument like
// CoverSyndromes, or "syndrome out of range" when a syndrome is out of range.
bool CoversEverySyndrome(const TMatrixCode& code);
bool CoversEverySyndrome(const TMixedMatrixCode& code);

// A small set S of syndromes such that `code`'s columns with S make a code of radius
// `code.Radius`; `code.Syndromes` is ignored. Starts from a greedy cover and then, for
// `limits.Steps` tabu steps, drops a syndrome each time the set covers everything and moves one
// syndrome at a time towards covering what is left (starting a size again from the last covering
// set when that stalls), stopping early at the sphere bound. Throws
// std::invalid_argument "syndrome cover needs radix 2 or 3, 1 to 8 ternary or 12 binary rows and a
// radius of 0 or more" for a shape out of range and "column out of range" for a column that is not
// a nonzero vector of GF(Radix)^Rows.
TSyndromeCover CoverSyndromes(const TMatrixCode& code, const TSyndromeCoverLimits& limits);

// The same over the syndromes of a mixed matrix code, each ternary column taken times 1 and 2 and
// each binary one times 1. Throws std::invalid_argument "syndrome cover needs 1 to 6561 syndromes
// of ternary and binary rows and a radius of 0 or more" for a shape out of range and "column out
// of range" for a column beyond its rows.
TSyndromeCover CoverSyndromes(const TMixedMatrixCode& code, const TSyndromeCoverLimits& limits);

}  // namespace kelvo
