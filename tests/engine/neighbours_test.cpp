#include "neighbours.h"

#include <random>

#include "test_support.h"

namespace {

using Ids = std::vector<std::int32_t>;

TColumnList ListOf(const std::vector<std::string>& columns) {
    TColumnList list;
    for (const auto& column : columns) {
        list.Records.push_back(TColumnRecord{list.Count() + 1, column, {}});
    }
    return list;
}

std::vector<Ids> NeighbourLists(const TColumnList& list) {
    std::vector<Ids> lists;
    for (const auto& record : list.Records) {
        lists.emplace_back(record.Neighbours.begin(), record.Neighbours.end());
    }
    return lists;
}

}  // namespace

TEST(neighbours, distance_counts_differing_positions_up_to_two) {
    EXPECT_EQ(ColumnDistance("11111111111111", "11111111111111"), 0);
    EXPECT_EQ(ColumnDistance("11111111111111", "1111111111111X"), 1);
    EXPECT_EQ(ColumnDistance("X1111111111111", "11111111111111"), 1);
    EXPECT_EQ(ColumnDistance("1111111111111X", "11111111111122"), 2);
    EXPECT_EQ(ColumnDistance("XXXXXXXXXXXXXX", "22222222222222"), 2);
    EXPECT_EQ(ColumnDistance("1111111111111x", "1111111111111X"), 1);
}

TEST(neighbours, missing_positions_hold_byte_zero) {
    EXPECT_EQ(ColumnDistance("1111111111111", "11111111111111"), 1);
    EXPECT_EQ(ColumnDistance("111111111111", "11111111111111"), 2);
    EXPECT_EQ(ColumnDistance("", ""), 0);
    EXPECT_EQ(ColumnDistance("", "1"), 1);
    EXPECT_EQ(ColumnDistance("1X", "1X"), 0);
}

TEST(neighbours, worked_example_lists_and_longest) {
    TColumnList list = ListOf({"11111111111111", "1111111111111X", "11111111111122"});
    TRecordingHost host;
    EXPECT_EQ(AnalyseNeighbours(list, host), 2);
    EXPECT_EQ(NeighbourLists(list), (std::vector<Ids>{{1, 2}, {1, 2}, {3}}));
}

TEST(neighbours, one_record_is_its_own_neighbour) {
    TColumnList list = ListOf({"1X21X21X21X21X"});
    TRecordingHost host;
    EXPECT_EQ(AnalyseNeighbours(list, host), 1);
    EXPECT_EQ(NeighbourLists(list), std::vector<Ids>{{1}});
}

TEST(neighbours, equal_columns_and_case_variants_are_neighbours) {
    TColumnList list = ListOf({"1111111111111X", "1111111111111x", "1111111111111X", "", ""});
    TRecordingHost host;
    EXPECT_EQ(AnalyseNeighbours(list, host), 3);
    EXPECT_EQ(NeighbourLists(list),
              (std::vector<Ids>{{1, 2, 3}, {1, 2, 3}, {1, 2, 3}, {4, 5}, {4, 5}}));
}

namespace {

// Expects the lists and L that comparing every ordered pair gives.
void ExpectPairwiseLists(const std::vector<std::string>& columns) {
    TColumnList list = ListOf(columns);
    TRecordingHost host;
    const int longest = AnalyseNeighbours(list, host);
    int expectedLongest = 0;
    for (std::size_t a = 0; a < columns.size(); ++a) {
        Ids expected;
        for (std::size_t b = 0; b < columns.size(); ++b) {
            if (ColumnDistance(columns[a], columns[b]) < 2) {
                expected.push_back(static_cast<std::int32_t>(b + 1));
            }
        }
        expectedLongest = std::max(expectedLongest, static_cast<int>(expected.size()));
        ASSERT_EQ(Ids(list.Records[a].Neighbours.begin(), list.Records[a].Neighbours.end()),
                  expected)
            << "record " << a + 1;
    }
    EXPECT_EQ(longest, expectedLongest);
}

// `count` columns that take one of `signs` at each of the `varying` first positions.
std::vector<std::string> RandomColumns(std::mt19937& random, std::size_t count,
                                       const std::string& signs, int varying) {
    std::vector<std::string> columns(count, "1X21X21X21X21X");
    for (auto& column : columns) {
        for (int p = 0; p < varying; ++p) {
            column[p] = signs[random() % signs.size()];
        }
    }
    return columns;
}

}  // namespace

TEST(neighbours, lists_are_those_of_comparing_every_pair_in_developments) {
    // Few signs at few positions: the shape of real column files, duplicates included.
    std::mt19937 random(11);
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        ExpectPairwiseLists(RandomColumns(random, 1 + random() % 400, "1X2", 7));
    }
}

TEST(neighbours, lists_are_those_of_comparing_every_pair_for_any_bytes) {
    std::mt19937 random(13);
    std::string everyByte;
    for (int b = 1; b < 256; ++b) {
        everyByte += static_cast<char>(b);
    }
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        auto columns = RandomColumns(random, 1 + random() % 300, round % 2 ? "1X2x" : everyByte,
                                     round % 2 ? 14 : 3);
        for (auto& column : columns) {
            if (random() % 10 == 0) {
                column.resize(random() % 15);
            }
        }
        ExpectPairwiseLists(columns);
    }
}

TEST(neighbours, analysis_pumps_events_but_not_per_comparison) {
    std::vector<std::string> columns(7000, "1X21X21X21X21X");
    TColumnList list = ListOf(columns);
    TRecordingHost host;
    EXPECT_EQ(AnalyseNeighbours(list, host), 7000);
    EXPECT_GT(host.Pumps, 10);
    EXPECT_LT(host.Pumps, 7000);
}
