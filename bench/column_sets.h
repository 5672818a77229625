// The column files the benchmarks reduce, made the same way on every machine: forecast
// developments in a shuffled order, a filtered development, columns drawn from the whole space,
// one column repeated, and columns that lie pairwise at least two positions apart.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "files/column_file.h"

namespace kelvo {

// The three signs, in the order in which a development runs through them.
inline constexpr char kSigns[] = {'1', 'X', '2'};

// The column that fixes the positions a development leaves alone: a favourite-heavy forecast.
inline constexpr char kBaseColumn[] = "11X1211X21X112";
static_assert(sizeof(kBaseColumn) == kColumnLength + 1);

// SplitMix64, which examples/make_examples.py uses too, so that both make the same files.
class TSplitMix {
public:
    explicit TSplitMix(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next();

private:
    std::uint64_t state_;
};

// Seed of every shuffle and pick.
constexpr std::uint64_t kColumnSeed = 0x4B656C766Full;

// Every column that takes all three signs at the first `triples` positions of the development
// order and the base column's signs elsewhere: 3^triples columns, ascending in the sign order.
std::vector<std::string> Development(int triples);

// `columns` in an order that the sort must undo (Fisher-Yates, seeded).
std::vector<std::string> Shuffled(std::vector<std::string> columns, std::uint64_t seed);

// The first `count` columns of the shuffled 9-triples development: what a user keeps after
// filtering a development by conditions the tool does not know about.
std::vector<std::string> FilteredDevelopment(std::size_t count);

// `count` distinct columns drawn at random (seeded) from all 3^14, in the order drawn: a file
// with no forecast behind it, where few columns lie near each other.
std::vector<std::string> RandomColumns(std::size_t count);

// `count` copies of the base column.
std::vector<std::string> Identical(std::size_t count);

// `count` distinct columns whose signs, read as 0, 1, 2, sum to a multiple of three: two of them
// that differ at one position must differ at another too, so no two are neighbours.
std::vector<std::string> FarApart(std::size_t count);

// The bytes of a column file holding `columns`, each followed by CR LF.
std::string ColumnFileBytes(const std::vector<std::string>& columns);

struct TColumnSet {
    std::string Name;
    std::vector<std::string> Columns;
};

// The files every phase is timed on, in the order in which a user would hand them over:
// "triples8" (the full 8-triples development, 6561 columns), "filtered7000", "random7000",
// "identical7000" and "far7000".
std::vector<TColumnSet> BenchmarkColumnSets();

// The filtered developments the optimiser is measured on, 4000 to 7000 columns each, shuffled:
// "third9" (a random third of the 9-triples development), "twothirds8" (two thirds of the
// 8-triples one), "signs9" (the 9-triples columns with 3 to 6 signs 1 and at most 2 signs 2 among
// the developed positions), "mixed10" (6 triples and 4 doubles of 1 and X, at most 3 signs X) and
// "filtered7000".
std::vector<TColumnSet> OptimiserColumnSets();

}  // namespace kelvo
