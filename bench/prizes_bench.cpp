// Times the prizes of a reduction: a development of 50000 columns with a reduction of 5000, and
// all 3^14 with the al-13 reduction of 177147 columns, with and without chances; and the value in
// euros of a set of 10000 columns, of that reduction, and of each column of 100000.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "modes/prizes.h"
#include "optimise/covering_constructions.h"
#include "value/set_value.h"

using namespace kelvo;

namespace {

constexpr std::uint64_t kSampleSeed = 20240611;

// Every column with any sign at the first `triples` matches and the signs of 11X1211X21X112 at
// the others, the last of the first matches turning fastest.
std::vector<TKey> Triples(int triples) {
    std::vector<std::string> columns{"11X1211X21X112"};
    for (std::size_t p = 0; p < static_cast<std::size_t>(triples); ++p) {
        std::vector<std::string> next;
        for (const std::string& column : columns) {
            for (const char sign : std::string("12X")) {
                next.push_back(column);
                next.back()[p] = sign;
            }
        }
        columns = std::move(next);
    }
    std::vector<TKey> keys;
    for (const std::string& column : columns) {
        keys.push_back(MakeKey(column));
    }
    return keys;
}

// The first 50000 columns of the 3^10 development and 5000 of them drawn with a fixed seed.
void BM_TablePrizesSmall(benchmark::State& state) {
    std::vector<TKey> development = Triples(10);
    development.resize(50000);
    std::vector<TKey> reduced = development;
    std::shuffle(reduced.begin(), reduced.end(), std::mt19937_64(kSampleSeed));
    reduced.resize(5000);
    for (auto _ : state) {
        benchmark::DoNotOptimize(TablePrizes(development, reduced).Results);
    }
}
BENCHMARK(BM_TablePrizesSmall)->Unit(benchmark::kMillisecond);

// The ternary Hamming code of length 13 with every sign at match 14: 177147 columns within one
// difference of every column.
std::vector<TKey> AlThirteen() {
    const std::vector<std::uint8_t> words = WordsOfMatrixCode(HammingCode(3, 3)).Words;
    std::vector<TKey> columns;
    for (std::size_t w = 0; w < words.size(); w += 13) {
        std::string column;
        for (std::size_t p = 0; p < 13; ++p) {
            column += "1X2"[words[w + p]];
        }
        for (const char sign : std::string("1X2")) {
            columns.push_back(MakeKey(column + sign));
        }
    }
    return columns;
}

void BM_TablePrizesAll(benchmark::State& state) {
    const std::vector<TKey> development = Triples(14);
    const std::vector<TKey> reduced = AlThirteen();
    TPrizeTable table;
    for (auto _ : state) {
        table = TablePrizes(development, reduced);
    }
    state.counters["guaranteed"] = table.Guaranteed;
    state.counters["reduced"] = static_cast<double>(reduced.size());
}
BENCHMARK(BM_TablePrizesAll)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_ChancesOfPrizesAll(benchmark::State& state) {
    const std::vector<TKey> development = Triples(14);
    const std::vector<TKey> reduced = AlThirteen();
    TChances chances;
    chances.fill({45, 30, 25});
    TPrizeChances prizes;
    for (auto _ : state) {
        prizes = ChancesOfPrizes(development, reduced, chances);
    }
    state.counters["at_least_13"] = prizes.AtLeast[1];
}
BENCHMARK(BM_ChancesOfPrizesAll)->Unit(benchmark::kMillisecond)->Iterations(2);

// A week with uneven chances and public, a Pleno of two results and a jackpot.
TWeekPool Week() {
    TWeekPool pool;
    for (std::size_t p = 0; p < kColumnLength; ++p) {
        pool.Chances[p] =
            p % 3 == 0 ? std::array<double, 3>{50, 30, 20} : std::array<double, 3>{35, 35, 30};
        pool.Public[p] =
            p % 2 == 0 ? std::array<double, 3>{60, 25, 15} : std::array<double, 3>{40, 30, 30};
    }
    pool.Takings = 2500000;
    pool.Jackpot = 1000000;
    pool.Pleno.Chosen[5] = pool.Pleno.Chosen[9] = true;
    return pool;
}

void BM_ValueOfSet10000(benchmark::State& state) {
    std::vector<TKey> columns = Triples(10);
    std::shuffle(columns.begin(), columns.end(), std::mt19937_64(kSampleSeed));
    columns.resize(10000);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ValueOfSet(columns, Week()));
    }
}
BENCHMARK(BM_ValueOfSet10000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_ValueOfSetAll(benchmark::State& state) {
    const std::vector<TKey> columns = AlThirteen();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ValueOfSet(columns, Week()));
    }
}
BENCHMARK(BM_ValueOfSetAll)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

void BM_ValueOfEachColumn100000(benchmark::State& state) {
    std::vector<TKey> columns = Triples(11);
    columns.resize(100000);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ValueOfEachColumn(columns, Week()));
    }
}
BENCHMARK(BM_ValueOfEachColumn100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
