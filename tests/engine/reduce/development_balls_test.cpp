#include "reduce/development_balls.h"

#include <algorithm>
#include <random>
#include <utility>

#include "test_support.h"

namespace kelvo {

namespace {

std::vector<TKey> SortedDevelopment(const std::vector<std::string>& signs) {
    return KeysOf(SortedForecastProduct(ForecastOf(signs)));
}

// Expects ForEachHolder to visit, for every covered column, each column within `radius` of it
// once with its records, and nothing else. Each covered column holds its own count of records,
// so that the visits tell which covered column they came from.
void ExpectHoldersOfEveryPair(const std::vector<TKey>& columns,
                              const std::vector<std::uint32_t>& covered, int radius) {
    const TSignCensus census(columns);
    ASSERT_EQ(census.Numbers(), columns.size());
    for (std::size_t k = 0; k < columns.size(); ++k) {
        ASSERT_EQ(census.NumberOf(columns[k]), k);
    }
    std::vector<TNewlyCovered> newly;
    std::vector<std::pair<std::size_t, std::int32_t>> expected;
    for (std::size_t i = 0; i < covered.size(); ++i) {
        const auto records = static_cast<std::int32_t>(i + 1);
        newly.push_back({covered[i], records});
        for (std::size_t h = 0; h < columns.size(); ++h) {
            if (ColumnDistance(columns[h], columns[covered[i]]) <= radius) {
                expected.emplace_back(h, records);
            }
        }
    }
    std::vector<std::pair<std::size_t, std::int32_t>> visited;
    TDevelopmentBalls(census, radius)
        .ForEachHolder(
            newly, [&](std::size_t h, std::int32_t records) { visited.emplace_back(h, records); });
    std::sort(expected.begin(), expected.end());
    std::sort(visited.begin(), visited.end());
    EXPECT_EQ(visited, expected);
}

// About a tenth of the columns, ascending, from a fixed seed.
std::vector<std::uint32_t> SomeColumns(std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::uint32_t> chosen;
    for (std::uint32_t k = 0; k < count; ++k) {
        if (random() % 10 == 0) {
            chosen.push_back(k);
        }
    }
    return chosen;
}

}  // namespace

TEST(development_balls, every_column_within_the_radius_of_each_covered_one_is_visited_once) {
    const std::vector<std::vector<std::string>> shapes = {
        {"1X2", "1", "1X2", "1X", "1X2", "1X2", "X2", "1X2", "2", "1X2"},
        {"1X", "1X", "1X", "1X", "1X", "1X", "1X", "1X", "1X"},
        {"1X2", "1X2", "1X2", "1X2", "1X2"},
    };
    for (std::size_t shape = 0; shape < shapes.size(); ++shape) {
        const std::vector<TKey> columns = SortedDevelopment(shapes[shape]);
        for (int radius = 0; radius <= 3; ++radius) {
            SCOPED_TRACE("shape " + std::to_string(shape) + ", radius " + std::to_string(radius));
            ExpectHoldersOfEveryPair(columns, SomeColumns(columns.size(), 7), radius);
        }
    }
}

TEST(development_balls, a_block_of_covered_columns_is_visited_whole) {
    // Every column of the first 81 covered: whole blocks and a part of the next.
    const std::vector<TKey> columns = SortedDevelopment({"1X2", "1X2", "1X2", "1X2", "1X2", "1X2"});
    std::vector<std::uint32_t> first(81);
    for (std::uint32_t k = 0; k < first.size(); ++k) {
        first[k] = k;
    }
    ExpectHoldersOfEveryPair(columns, first, 2);
}

TEST(development_balls, developments_of_one_live_position_or_none_have_blocks_of_one_column) {
    ExpectHoldersOfEveryPair(SortedDevelopment({"1X2", "1"}), {0, 2}, 1);
    ExpectHoldersOfEveryPair(SortedDevelopment({"1", "X"}), {0}, 1);
    ExpectHoldersOfEveryPair(SortedDevelopment({"1", "X"}), {}, 2);
}

}  // namespace kelvo
