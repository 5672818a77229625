#include "files/exact_sort.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <numeric>
#include <random>

#include "reference_quicksort.h"
#include "test_support.h"

namespace kelvo {

namespace {

// The order in which the recursive quicksort leaves items compared by `ranks`.
std::vector<std::size_t> QuickSortedRanks(const std::vector<std::size_t>& ranks) {
    std::vector<std::size_t> items(ranks.size());
    std::iota(items.begin(), items.end(), std::size_t{0});
    if (items.size() >= 2) {
        RecursiveQuickSort(items, 0, static_cast<int>(items.size()) - 1,
                           [&ranks](std::size_t a, std::size_t b) {
                               return ranks[a] < ranks[b] ? -1 : (ranks[a] > ranks[b] ? 1 : 0);
                           });
    }
    return items;
}

}  // namespace

TEST(exact_sort, ranked_order_is_the_same_whatever_the_budget) {
    std::vector<std::vector<std::size_t>> inputs;
    std::vector<std::size_t> worstCase;
    for (const int value : QuickSortKiller(2000)) {
        worstCase.push_back(static_cast<std::size_t>(value));
    }
    inputs.push_back(worstCase);
    for (std::size_t& rank : worstCase) {
        rank /= 3;
    }
    inputs.push_back(worstCase);
    std::vector<std::size_t> ascending(1000);
    std::iota(ascending.begin(), ascending.end(), std::size_t{0});
    inputs.push_back(ascending);
    inputs.emplace_back(ascending.rbegin(), ascending.rend());
    std::vector<std::size_t> riseAndFall = ascending;
    std::copy(ascending.rbegin(), ascending.rend(), std::back_inserter(riseAndFall));
    inputs.push_back(riseAndFall);
    inputs.emplace_back(1000, 5);
    inputs.push_back({});
    inputs.push_back({std::numeric_limits<std::size_t>::max(), 0});
    for (std::size_t input = 0; input < inputs.size(); ++input) {
        const std::vector<std::size_t>& ranks = inputs[input];
        const std::vector<std::size_t> expected = QuickSortedRanks(ranks);
        const std::size_t count = ranks.size();
        for (const std::size_t budget :
             {std::size_t{0}, std::size_t{1}, count, 7 * count, count * count / 3,
              std::numeric_limits<std::size_t>::max()}) {
            EXPECT_EQ(RankedOrder(ranks, budget), expected)
                << "input " << input << ", budget " << budget;
        }
    }
}

TEST(exact_sort, ranked_order_of_random_ranks_is_the_recursive_quicksorts_whatever_the_budget) {
    std::mt19937 random(5);
    for (int round = 0; round < 200; ++round) {
        std::vector<std::size_t> ranks(1 + random() % 2500);
        // Few distinct ranks give long runs of equal ones, many give few.
        const std::size_t distinct = 1 + random() % (round % 2 == 0 ? 10 : 10000);
        for (std::size_t& rank : ranks) {
            rank = random() % distinct;
        }
        const std::vector<std::size_t> expected = QuickSortedRanks(ranks);
        ASSERT_EQ(RankedOrder(ranks, 0), expected) << "round " << round;
        const std::size_t budget = random() % (ranks.size() * 12);
        ASSERT_EQ(RankedOrder(ranks, budget), expected)
            << "round " << round << ", budget " << budget;
    }
}

}  // namespace kelvo
