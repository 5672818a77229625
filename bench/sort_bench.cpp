// Times SortedOrder, the order in which a column file is rewritten, on a million lines: in
// McIlroy's adversarial order for its quicksort, without and with one pair of lines that compare
// equal but differ in their bytes (which alone sends the sort through the exact quicksort), and
// on shuffled columns of 14 signs, again without and with such a pair.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <numeric>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "files/collation.h"

using namespace kelvo;

namespace {

constexpr int kLines = 1'000'000;

// McIlroy's adversary against the quicksort of SortedOrder (middle pivot, the pivot index
// following the pivot line): it fixes values only when a comparison needs them, then always
// makes the pivot candidate the largest value left, so every range loses only its pivot. The
// values, by item, are those of the tests' QuickSortKiller, found without its quadratic sort:
// unfixed values lie below every fixed one, so a scan over unfixed lines towards a fixed pivot
// jumps to the next fixed line, and the last unfixed line it passes is the candidate.
std::vector<int> WorstCaseValues(int count) {
    constexpr int kUnfixed = -1;
    std::vector<int> value(count, kUnfixed);
    std::vector<int> items(count);
    std::iota(items.begin(), items.end(), 0);
    std::set<int> fixedAt;
    int nextLargest = count - 1;
    int candidate = 0;
    const auto fixed = [&](int position) { return value[items[position]] != kUnfixed; };
    const auto compare = [&](int a, int b) {
        const int x = items[a];
        const int y = items[b];
        if (value[x] == kUnfixed && value[y] == kUnfixed) {
            const bool first = x == candidate;
            value[first ? x : y] = nextLargest--;
            fixedAt.insert(first ? a : b);
        }
        if (value[x] == kUnfixed) {
            candidate = x;
        } else if (value[y] == kUnfixed) {
            candidate = y;
        }
        return value[x] - value[y];
    };
    // The left part before the right one, as the quicksort does: the adversary's choices
    // depend on the order of the comparisons.
    std::vector<std::pair<int, int>> pending;
    if (count >= 2) {
        pending.emplace_back(0, count - 1);
    }
    while (!pending.empty()) {
        const auto [lo, hi] = pending.back();
        pending.pop_back();
        int i = lo;
        int j = hi;
        int p = lo + (hi - lo) / 2;
        do {
            for (;;) {
                if (!fixed(i) && fixed(p)) {
                    const int stop = *fixedAt.lower_bound(i);
                    candidate = items[stop - 1];
                    i = stop;
                }
                if (compare(i, p) >= 0) {
                    break;
                }
                ++i;
            }
            while (compare(j, p) > 0) {
                --j;
            }
            if (i <= j) {
                if (fixed(i) != fixed(j)) {
                    const bool leftFixed = fixed(i);
                    fixedAt.erase(leftFixed ? i : j);
                    fixedAt.insert(leftFixed ? j : i);
                }
                std::swap(items[i], items[j]);
                if (p == i) {
                    p = j;
                } else if (p == j) {
                    p = i;
                }
                ++i;
                --j;
            }
        } while (i <= j);
        if (i < hi) {
            pending.emplace_back(i, hi);
        }
        if (lo < j) {
            pending.emplace_back(lo, j);
        }
    }
    for (int& v : value) {
        if (v == kUnfixed) {
            v = nextLargest--;
        }
    }
    return value;
}

// The seven-digit lines of the adversarial order. With `caseVariants`, the two smallest values
// become one line ending in 'x' and in 'X', which still come first.
std::vector<std::string> WorstCaseLines(bool caseVariants) {
    std::vector<std::string> lines;
    for (const int value : WorstCaseValues(kLines)) {
        char text[16];
        std::snprintf(text, sizeof text, "%07d", caseVariants && value <= 1 ? 0 : value);
        lines.emplace_back(text);
        if (caseVariants && value <= 1) {
            lines.back() += value == 0 ? 'x' : 'X';
        }
    }
    return lines;
}

// The first kLines columns of 14 signs in counting order, shuffled. With `caseVariants`, the
// first two lines become one column beginning with 'X' and with 'x'.
std::vector<std::string> ShuffledColumns(bool caseVariants) {
    std::vector<std::string> lines;
    for (int number = 0; number < kLines; ++number) {
        std::string column(14, '1');
        for (int position = 13, rest = number; rest > 0; --position, rest /= 3) {
            column[position] = "1X2"[rest % 3];
        }
        lines.push_back(column);
    }
    std::mt19937 random(2024);
    std::shuffle(lines.begin(), lines.end(), random);
    if (caseVariants) {
        lines[1] = lines[0];
        lines[0][0] = 'X';
        lines[1][0] = 'x';
    }
    return lines;
}

void TimeSortedOrder(benchmark::State& state, const std::vector<std::string>& lines) {
    const std::vector<std::string_view> views(lines.begin(), lines.end());
    for (auto _ : state) {
        benchmark::DoNotOptimize(SortedOrder(views));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(lines.size()));
}

void BM_WorstCaseOrder(benchmark::State& state) {
    static const std::vector<std::string> lines = WorstCaseLines(false);
    TimeSortedOrder(state, lines);
}

void BM_WorstCaseOrderWithCaseVariants(benchmark::State& state) {
    static const std::vector<std::string> lines = WorstCaseLines(true);
    TimeSortedOrder(state, lines);
}

void BM_ShuffledColumns(benchmark::State& state) {
    static const std::vector<std::string> lines = ShuffledColumns(false);
    TimeSortedOrder(state, lines);
}

void BM_ShuffledColumnsWithCaseVariants(benchmark::State& state) {
    static const std::vector<std::string> lines = ShuffledColumns(true);
    TimeSortedOrder(state, lines);
}

}  // namespace

BENCHMARK(BM_WorstCaseOrder)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WorstCaseOrderWithCaseVariants)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ShuffledColumns)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ShuffledColumnsWithCaseVariants)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
