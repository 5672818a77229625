#include "reduce/sign_census.h"

#include <algorithm>
#include <set>

#include "reduce/coverage.h"
#include "test_support.h"

namespace kelvo {

namespace {

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

std::vector<std::uint8_t> SignsAt(const TSignCensus& census, int position) {
    const std::span<const std::uint8_t> signs = census.Signs(position);
    return {signs.begin(), signs.end()};
}

}  // namespace

TEST(sign_census, signs_are_the_bytes_seen_at_each_position_in_byte_order) {
    const TSignCensus census(KeysOf({"1X2", "2", "11x"}));
    EXPECT_EQ(SignsAt(census, 0), Bytes("12"));
    EXPECT_EQ(SignsAt(census, 1), Bytes(std::string("\0"
                                                    "1X",
                                                    3)));
    EXPECT_EQ(SignsAt(census, 2), Bytes(std::string("\0"
                                                    "2x",
                                                    3)));
    for (int p = 3; p < kColumnLength; ++p) {
        EXPECT_EQ(SignsAt(census, p), Bytes(std::string(1, '\0'))) << p;
    }
    EXPECT_EQ(census.LivePositions().size(), 3u);
    EXPECT_EQ(census.Numbers(), 2u * 3 * 3);
    EXPECT_TRUE(census.Holds(MakeKey("1X2")));
    EXPECT_TRUE(census.Holds(MakeKey("2")));
    EXPECT_TRUE(census.Holds(MakeKey("21x")));
    EXPECT_FALSE(census.Holds(MakeKey("12")));
    EXPECT_FALSE(census.Holds(MakeKey("X")));
    EXPECT_FALSE(census.Holds(MakeKey("1X2X")));
    const TSignCensus none(std::vector<TKey>{});
    EXPECT_TRUE(none.Signs(0).empty());
    EXPECT_FALSE(none.Holds(MakeKey("")));
}

// Every column the signs make, each numbered apart below Numbers(), its digits the same whether
// read from the column or from its number, and its variants those within the radius, counted by
// VariantsWithin: checked against every pair of columns.
TEST(sign_census, every_column_of_the_signs_is_numbered_once_and_varied_within_the_radius) {
    const std::vector<std::string> columns = Development({"1X2", "12", "1X2x", "2"});
    const std::vector<TKey> keys = KeysOf(columns);
    const TSignCensus census(keys);
    ASSERT_EQ(census.Numbers(), columns.size());
    std::vector<std::size_t> column(columns.size(), columns.size());
    for (std::size_t k = 0; k < keys.size(); ++k) {
        const std::uint64_t number = census.NumberOf(keys[k]);
        ASSERT_LT(number, census.Numbers());
        ASSERT_EQ(column[number], columns.size()) << columns[k];
        column[number] = k;
        TSignCensus::TDigits fromKey{};
        TSignCensus::TDigits fromNumber{};
        ASSERT_EQ(census.DigitsOf(keys[k], fromKey), number);
        census.DigitsOfNumber(number, fromNumber);
        ASSERT_EQ(fromKey, fromNumber) << columns[k];
    }
    for (int radius = 1; radius <= 4; ++radius) {
        for (std::size_t k = 0; k < keys.size(); ++k) {
            std::multiset<std::size_t> visited;
            TSignCensus::TDigits digits{};
            const std::uint64_t number = census.DigitsOf(keys[k], digits);
            census.ForEachVariant(number, digits, radius, [&](std::uint64_t varied) {
                ASSERT_LT(varied, census.Numbers());
                visited.insert(column[varied]);
            });
            std::multiset<std::size_t> expected;
            for (std::size_t j = 0; j < keys.size(); ++j) {
                const int distance = ColumnDistance(keys[k], keys[j]);
                if (distance >= 1 && distance <= radius) {
                    expected.insert(j);
                }
            }
            ASSERT_EQ(visited, expected) << columns[k] << " radius " << radius;
            ASSERT_EQ(census.VariantsWithin(radius), expected.size()) << radius;
        }
    }
}

TEST(sign_census, counts_past_the_cap_stop_at_it) {
    // 255 signs at each of the 14 positions make 255^14 columns, far past 2^48.
    std::vector<TKey> keys;
    for (int byte = 1; byte < 256; ++byte) {
        keys.push_back(MakeKey(std::string(kColumnLength, static_cast<char>(byte))));
    }
    const TSignCensus census(keys);
    EXPECT_EQ(census.Numbers(), TSignCensus::kCountCap + 1);
    EXPECT_EQ(census.VariantsWithin(1), 14u * 254);
    EXPECT_EQ(census.VariantsWithin(2), 91u * 254 * 254 + 14u * 254);
    EXPECT_EQ(census.VariantsWithin(kColumnLength), TSignCensus::kCountCap);
    EXPECT_EQ(census.VariantsWithin(0), 0u);
}

}  // namespace kelvo
