#include "optimise/covered_lists.h"

#include <algorithm>

#include "files/collation.h"
#include "test_support.h"

namespace kelvo {

namespace {

std::vector<std::size_t> Walked(const auto& cover, std::size_t k) {
    std::vector<std::size_t> visited;
    cover.ForEachCovered(k, [&visited](std::size_t j) { visited.push_back(j); });
    return visited;
}

}  // namespace

TEST(covered_lists, lists_hold_what_the_coverage_enumerates_in_its_order) {
    std::mt19937 random(4);
    const std::vector<std::string> columns = RandomColumns(random, 400, "1X2", 7);
    for (int radius = 0; radius <= 3; ++radius) {
        const TCoverage coverage(KeysOf(columns), radius);
        std::size_t entries = 0;
        for (std::size_t k = 0; k < coverage.Count(); ++k) {
            entries += coverage.CoveredCount(k);
        }
        const TCoveredLists lists(coverage, entries);
        ASSERT_EQ(lists.Count(), coverage.Count());
        for (std::size_t k = 0; k < coverage.Count(); ++k) {
            EXPECT_EQ(Walked(lists, k), Walked(coverage, k)) << radius << " " << k;
            EXPECT_EQ(lists.CoveredCount(k), coverage.CoveredCount(k));
        }
    }
}

TEST(covered_lists, a_sorted_full_development_is_walked_through_the_coverage_itself) {
    std::vector<std::string> columns = Development(6);
    std::sort(columns.begin(), columns.end(),
              [](const std::string& a, const std::string& b) { return CompareLines(a, b) < 0; });
    const TCoverage full(KeysOf(columns), 1);
    ASSERT_TRUE(full.EveryVariantIsAColumn());
    EXPECT_TRUE(WithCoveredLists(full, [](const auto& cover) {
        return std::is_same_v<std::decay_t<decltype(cover)>, TCoverage>;
    }));
    columns.pop_back();
    const TCoverage thinned(KeysOf(columns), 1);
    EXPECT_TRUE(WithCoveredLists(thinned, [](const auto& cover) {
        return std::is_same_v<std::decay_t<decltype(cover)>, TCoveredLists>;
    }));
}

}  // namespace kelvo
