#include "reduce/coverage.h"

#include <algorithm>
#include <random>

#include "test_support.h"

namespace kelvo {

namespace {

using Columns = std::vector<std::string>;

// Expects every column's covered columns to be those at most `radius` positions away, each once,
// numbered by first appearance.
void ExpectCoverageOfEveryPair(const Columns& columns, int radius) {
    const std::vector<TKey> keys = KeysOf(columns);
    const TCoverage coverage(keys, radius);
    std::vector<TKey> distinct;
    for (const TKey& key : keys) {
        if (std::find(distinct.begin(), distinct.end(), key) == distinct.end()) {
            distinct.push_back(key);
        }
    }
    ASSERT_EQ(coverage.Count(), distinct.size());
    for (std::size_t k = 0; k < distinct.size(); ++k) {
        ASSERT_EQ(coverage.Column(k), distinct[k]);
        ASSERT_EQ(coverage.Find(distinct[k]), k);
        std::vector<std::size_t> visited;
        coverage.ForEachCovered(k, [&](std::size_t j) { visited.push_back(j); });
        std::sort(visited.begin(), visited.end());
        std::vector<std::size_t> expected;
        for (std::size_t j = 0; j < distinct.size(); ++j) {
            if (ColumnDistance(distinct[k], distinct[j]) <= radius) {
                expected.push_back(j);
            }
        }
        ASSERT_EQ(visited, expected) << "column " << k << " radius " << radius;
    }
}

}  // namespace

TEST(coverage, distance_counts_every_differing_position) {
    EXPECT_EQ(ColumnDistance(MakeKey("11111111111111"), MakeKey("11111111111111")), 0);
    EXPECT_EQ(ColumnDistance(MakeKey("11111111111111"), MakeKey("1111111111111X")), 1);
    EXPECT_EQ(ColumnDistance(MakeKey("X1111111111111"), MakeKey("11111111111111")), 1);
    EXPECT_EQ(ColumnDistance(MakeKey("1111111X11111X"), MakeKey("11111111111122")), 3);
    EXPECT_EQ(ColumnDistance(MakeKey("XXXXXXXXXXXXXX"), MakeKey("22222222222222")), 14);
    EXPECT_EQ(ColumnDistance(MakeKey("1111111111111x"), MakeKey("1111111111111X")), 1);
    // A missing position holds byte 0.
    EXPECT_EQ(ColumnDistance(MakeKey("1111111111111"), MakeKey("11111111111111")), 1);
    EXPECT_EQ(ColumnDistance(MakeKey(""), MakeKey("11")), 2);
    EXPECT_EQ(ColumnDistance(MakeKey("\xff"), MakeKey("\x01")), 1);
}

TEST(coverage, guarantees_and_their_radius) {
    EXPECT_FALSE(IsGuarantee(10));
    EXPECT_TRUE(IsGuarantee(11));
    EXPECT_TRUE(IsGuarantee(13));
    EXPECT_FALSE(IsGuarantee(14));
    EXPECT_EQ(RadiusOf(13), 1);
    EXPECT_EQ(RadiusOf(11), 3);
}

// Three kinds of sets, one for each way of finding the covered columns: a development of few
// positions (numbered in a table), columns spread over every position (looked up by their
// variants) and any bytes (found by masking positions).
TEST(coverage, covered_columns_are_those_within_the_radius_in_every_kind_of_set) {
    std::mt19937 random(17);
    std::string everyByte;
    for (int b = 1; b < 256; ++b) {
        everyByte += static_cast<char>(b);
    }
    for (int radius = 0; radius <= 3; ++radius) {
        SCOPED_TRACE(radius);
        ExpectCoverageOfEveryPair(RandomColumns(random, 400, "1X2", 6), radius);
        ExpectCoverageOfEveryPair(RandomColumns(random, 400, "1X2", 14), radius);
        ExpectCoverageOfEveryPair(RandomColumns(random, 300, everyByte, 3), radius);
        ExpectCoverageOfEveryPair(RandomColumns(random, 300, "1X2x", 14), radius);
    }
    // A full development in the order of a sorted file, where every possible column is there and
    // each column's number is its place, and the same columns in another order.
    Columns development{""};
    for (int position = 0; position < 6; ++position) {
        Columns next;
        for (const auto& column : development) {
            for (const char sign : {'1', '2', 'X'}) {
                next.push_back(column + sign + (position == 2 ? "x" : ""));
            }
        }
        development = std::move(next);
    }
    for (int radius = 0; radius <= 3; ++radius) {
        SCOPED_TRACE(radius);
        ExpectCoverageOfEveryPair(development, radius);
        ExpectCoverageOfEveryPair(Columns(development.rbegin(), development.rend()), radius);
    }
    // A radius beyond the positions that vary covers everything.
    ExpectCoverageOfEveryPair(RandomColumns(random, 50, everyByte, 2), 3);
    ExpectCoverageOfEveryPair({"1", "", "2", "12", "1X2X1X2X1X2X1X", "1X2X1X2X1X2X1x"}, 2);
}

TEST(coverage, find_tells_absent_columns) {
    for (const int varying : {3, 14}) {
        std::mt19937 random(5);
        const Columns columns = RandomColumns(random, 200, "1X", varying);
        const TCoverage coverage(KeysOf(columns), 1);
        EXPECT_EQ(coverage.Find(MakeKey("2" + columns[0].substr(1))), TCoverage::kNone);
        EXPECT_EQ(coverage.Find(MakeKey(columns[0].substr(0, 13) + "Y")), TCoverage::kNone);
        EXPECT_EQ(coverage.Find(MakeKey(columns[0].substr(0, 13))), TCoverage::kNone);
        EXPECT_EQ(coverage.Find(MakeKey(columns[0])), 0u);
    }
    const TCoverage empty(std::vector<TKey>{}, 1);
    EXPECT_EQ(empty.Count(), 0u);
    EXPECT_EQ(empty.Find(MakeKey("1")), TCoverage::kNone);
}

}  // namespace kelvo
