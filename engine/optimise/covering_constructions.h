// Covering codes built from known constructions, for the reductions of full developments.
//
// A full development with `triples` positions of three signs and `doubles` positions of two is
// the space Z3^triples x Z2^doubles, and a reduction of it at guarantee G is a covering code of
// radius R = 14 - G: every word of the space lies within R positions of some code word. The codes
// here are stored compactly (as matrix-method codes: a parity-check matrix and a list of
// syndromes) or generated (Hamming, Golay, repetition), and combined by direct sums, amalgamated
// direct sums, partition sums, blow-ups, narrowing and puncturing into the smallest code known
// here for each shape.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kelvo {

// The longest shape and the largest radius the constructions cover.
constexpr int kMaxCodeLength = 14;
constexpr int kMaxCodeRadius = 3;

// A code over Z3^Triples x Z2^Doubles. Words are stored one after another, Length() digits each:
// first the Triples ternary digits (0 to 2), then the Doubles binary digits (0 and 1). The shape
// of length 0 has exactly one word, the empty one, whatever Words holds.
struct TCode {
    int Triples = 0;
    int Doubles = 0;
    int Radius = 0;
    std::vector<std::uint8_t> Words;

    int Length() const { return Triples + Doubles; }
    std::size_t Size() const {
        return Length() == 0 ? 1 : Words.size() / static_cast<std::size_t>(Length());
    }
};

// A code of the matrix method over GF(Radix), Radix 2 or 3: the words x with H x^T in Syndromes.
// Column j of H is stored as the number sum_i H[i][j] * Radix^i, and so is each syndrome. With H
// of full rank Rows the code has |Syndromes| * Radix^(n - Rows) words; a linear code is the case
// Syndromes = {0}, and a plain list of words the case H = I.
struct TMatrixCode {
    int Radix = 3;
    int Rows = 0;
    int Radius = 0;
    std::vector<int> Columns;
    std::vector<int> Syndromes;
};

// A code of the matrix method over Z3^t x Z2^b, t = TernaryColumns.size() and b =
// BinaryColumns.size(): the words (x, y) whose syndrome (H3 x^T, H2 y^T) is in Syndromes, H3 of
// TernaryRows rows over GF(3) and H2 of BinaryRows rows over GF(2). Columns are stored as in
// TMatrixCode, each in its own rows; a syndrome is the number s3 + 3^TernaryRows * s2, so that
// syndromes are the words of the space of TernaryRows ternary and BinaryRows binary positions. With
// both matrices of full rank the code has |Syndromes| * 3^(t - TernaryRows) * 2^(b - BinaryRows)
// words.
struct TMixedMatrixCode {
    int TernaryRows = 0;
    int BinaryRows = 0;
    int Radius = 0;
    std::vector<int> TernaryColumns;
    std::vector<int> BinaryColumns;
    std::vector<int> Syndromes;
};

// `matrixCode` as a mixed one: its rows and columns ternary for Radix 3, binary for Radix 2.
// Throws std::invalid_argument "matrix code alphabet must be 2 or 3" for any other radix.
TMixedMatrixCode AsMixed(const TMatrixCode& matrixCode);

// The words of `matrixCode`, as a code with its radius. Throws std::invalid_argument
// "matrix code too long" for more than kMaxCodeLength columns or 16 rows, and "column out of
// range" or "syndrome out of range" for a number beyond its rows.
TCode WordsOfMixedMatrixCode(const TMixedMatrixCode& matrixCode);

// The number of words of `matrixCode`, |Syndromes| * 3^(t - TernaryRows) * 2^(b - BinaryRows),
// without listing them: its check matrices are taken to be of full rank, as [I | A] is.
std::size_t MixedMatrixCodeSize(const TMixedMatrixCode& matrixCode);

// The words of `matrixCode`, as a code of only ternary (Radix 3) or only binary (Radix 2)
// positions with its radius. Throws like AsMixed and WordsOfMixedMatrixCode.
TCode WordsOfMatrixCode(const TMatrixCode& matrixCode);

// The Hamming code over GF(radix) with `rows` check digits: length (radix^rows - 1) / (radix - 1),
// radius 1, perfect. Throws std::invalid_argument unless radix is 2 or 3 and rows is 1 or more.
TMatrixCode HammingCode(int radix, int rows);

// The ternary Golay code [11, 6, 5]: 729 words, radius 2, perfect.
TMatrixCode TernaryGolayCode();

// A ternary [11, 5] code of radius 3 (the dual of the Golay code): 243 words.
TMatrixCode TernaryDualGolayCode();

// The blow-up of a radius-1 matrix code of length n: one more check row, every column h replaced
// by the Radix columns (h, a) and the column (0, 1) added, the syndromes (s, 0). Length
// Radix * n + 1, as many syndromes, radius 1: a syndrome (y, t) with y = s + c h is
// (s, 0) + c (h, t / c). Throws std::invalid_argument unless base.Radius is 1.
TMatrixCode BlowUp(const TMatrixCode& base);

// The direct sum {(a, b)}: radius first.Radius + second.Radius, first.Size() * second.Size()
// words; the ternary positions of `first`, then those of `second`, then the binary positions of
// each in the same order.
TCode DirectSum(const TCode& first, const TCode& second);

// Every word of Z3^triples x Z2^doubles, radius 0. Throws std::invalid_argument for a negative
// count or a length above kMaxCodeLength.
TCode WholeSpace(int triples, int doubles);

// The amalgamated direct sum of `first` and `second` on position `firstPosition` of `first` and
// `secondPosition` of `second`: the words (a', i, b') with (a', i) in `first` and (i, b') in
// `second`, of length n1 + n2 - 1, ternary positions first. Its radius is set to the sum of the
// two, which holds when both codes are normal at those positions; only sums whose every word has
// been checked may be used. Throws std::invalid_argument when a position is out of range or the
// two positions have different numbers of signs.
TCode AmalgamatedDirectSum(const TCode& first, int firstPosition, const TCode& second,
                           int secondPosition);

// The partition sum of `first`, cut into parts by `labels` (the part of each word, in the order of
// its words), and `second`, cut by the sign of its position 0: the union over the signs s of
// A_s x B'_s, where A_s holds the words of `first` labelled s and B'_s the words of `second` with
// sign s at position 0, that position removed. Ternary positions of `first`, then of `second`,
// then the binary positions of each. Its radius is set to first.Radius + 1, which holds when
// `second` has radius 1, every B'_s radius 2, and every word at distance first.Radius from
// `first` lies within first.Radius + 1 of every part A_s (a subnormal partition, after
// Ostergard); only sums whose every word has been checked may be used. Throws
// std::invalid_argument "partition labels do not fit" when the labels are not one per word of
// `first`, each below the number of signs of `second`'s position 0, or `second` is empty.
TCode PartitionSum(const TCode& first, const std::vector<std::uint8_t>& labels,
                   const TCode& second);

// The part of each word of `code`, for PartitionSum: the sum of its digits times
// `coefficients` (one per position), modulo `parts`. Throws std::invalid_argument "one
// coefficient per position" when the counts differ.
std::vector<std::uint8_t> FunctionalLabels(const TCode& code, const std::vector<int>& coefficients,
                                           int parts);

// The union of the orbits of `representatives` (words by number: digit i times the product of
// the numbers of signs of the positions before it) under the group generated by `generators`
// (each a permutation of the positions, position i going to generators[g][i]), as a code of the
// shape with radius `radius`, words ascending by number. Throws std::invalid_argument like
// SmallestConstruction for a shape out of range, and "orbit words do not fit" when a number is
// beyond the space or a permutation does not fit the shape.
TCode OrbitCode(int triples, int doubles, int radius,
                const std::vector<std::vector<int>>& generators,
                const std::vector<std::size_t>& representatives);

// `code` with its ternary position `position` made binary (sign 2 becomes 0, which brings no word
// farther from another, so the radius holds), repeated words removed; the new binary position is
// the first binary one. Throws std::invalid_argument unless the position is ternary.
TCode NarrowPosition(const TCode& code, int position);

// `code` without position `position` (counted over every position, ternary first), repeated words
// removed; the radius holds. Throws std::invalid_argument when the position is out of range.
TCode PuncturePosition(const TCode& code, int position);

// The smallest code the constructions give for the shape: the stored and generated codes
// combined by direct sums, free positions, amalgamated direct sums, partition sums, narrowing and
// puncturing.
// Radius 0 gives the whole space, a shape no longer than the radius one word. Throws
// std::invalid_argument "shape out of range" unless triples and doubles are 0 or more, their sum
// at most kMaxCodeLength and the radius 0 to kMaxCodeRadius.
TCode SmallestConstruction(int triples, int doubles, int radius);

// The number of words of SmallestConstruction(triples, doubles, radius), from a table, without
// building them. Throws like SmallestConstruction.
std::size_t SmallestConstructionSize(int triples, int doubles, int radius);

// How SmallestConstruction builds the code of the shape, in one line, e.g.
// "DS(T1R0 whole space + T8R1 matrix r=5 |S|=18)". Throws like SmallestConstruction.
std::string DescribeSmallestConstruction(int triples, int doubles, int radius);

// The best published lower bound on the size of a covering code of the shape, or 0 where none is
// known here (every shape with both triples and doubles). Radius 0 gives the size of the space and
// a shape no longer than the radius 1. Throws like SmallestConstruction.
std::size_t PublishedLowerBound(int triples, int doubles, int radius);

// A shape with both triples and doubles whose construction has the fewest words a covering code
// of the shape can have: the exhaustive search (SearchCodeOfSize) finds no code of Size - 1 words,
// within Nodes nodes of its tree.
struct TProvenSmallest {
    int Triples;
    int Doubles;
    int Radius;
    std::size_t Size;
    std::uint64_t Nodes;
};

// Every shape proven so, in the order of radius, triples and doubles. Shapes whose construction
// meets the sphere-covering bound are not listed: the bound proves them.
std::span<const TProvenSmallest> ProvenSmallestShapes();

// The size of the smallest covering code of the shape where ProvenSmallestShapes lists it, or 0.
// Throws like SmallestConstruction.
std::size_t ProvenSmallestSize(int triples, int doubles, int radius);

// Whether no covering code of the shape has fewer than `size` words and one of `size` words
// exists: the published lower bound is attained and equals `size`, or the shape is proven
// smallest at `size`. Throws like SmallestConstruction.
bool KnownSmallest(int triples, int doubles, int radius, std::size_t size);

}  // namespace kelvo
