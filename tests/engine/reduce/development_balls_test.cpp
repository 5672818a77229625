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

// Expects ForEachHolderIn, for each block ForEachBlockWithin names from the block of some covered
// columns, to visit for every covered column each column within `radius` of it once, and nothing
// else. Each covered column holds its own count of records, so that the visits tell which covered
// column they came from.
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
    const TDevelopmentBalls balls(census, radius);
    ASSERT_EQ(balls.Blocks() * balls.BlockColumns(), columns.size());
    std::vector<std::vector<std::uint16_t>> lowsIn(balls.Blocks());
    std::vector<std::vector<std::int32_t>> recordsIn(balls.Blocks());
    for (const TNewlyCovered& column : newly) {
        const std::uint64_t block = balls.BlockOf(column.Column);
        lowsIn[block].push_back(balls.LowOf(column.Column));
        recordsIn[block].push_back(column.Records);
    }
    std::vector<std::pair<std::size_t, std::int32_t>> visited;
    for (std::uint64_t block = 0; block < balls.Blocks(); ++block) {
        std::vector<std::uint64_t> named;
        balls.ForEachBlockWithin(block, [&](std::uint64_t target, int highDistance) {
            named.push_back(target);
            balls.ForEachHolderIn(target, highDistance, lowsIn[block],
                                  [&](std::size_t h, std::size_t i) {
                                      visited.emplace_back(h, recordsIn[block][i]);
                                  });
        });
        ASSERT_EQ(named.front(), block);
        std::sort(named.begin(), named.end());
        ASSERT_EQ(std::adjacent_find(named.begin(), named.end()), named.end()) << "block " << block;
    }
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
