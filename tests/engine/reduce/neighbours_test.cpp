#include "reduce/neighbours.h"

#include <algorithm>
#include <random>

#include "modes/run_host.h"
#include "test_support.h"

namespace kelvo {

namespace {

using Ids = std::vector<std::int32_t>;
using Columns = std::vector<std::string>;

TColumnList ListOf(const Columns& columns) {
    TColumnList list;
    for (const auto& column : columns) {
        list.Columns.push_back(MakeKey(column));
    }
    return list;
}

// Each record's neighbour list as the analysis describes it: the ids of the records holding the
// distinct columns its column covers, ascending.
std::vector<Ids> NeighbourLists(const TColumnList& list, const TNeighbourhood& neighbourhood) {
    const TCoverage& coverage = neighbourhood.Coverage;
    std::vector<Ids> lists;
    for (const TKey& column : list.Columns) {
        std::vector<bool> near(coverage.Count(), false);
        coverage.ForEachCovered(coverage.Find(column), [&](std::size_t k) { near[k] = true; });
        Ids ids;
        for (std::int32_t id = 1; id <= list.Count(); ++id) {
            if (near[coverage.Find(list.Columns[static_cast<std::size_t>(id - 1)])]) {
                ids.push_back(id);
            }
        }
        lists.push_back(ids);
    }
    return lists;
}

// Expects the lists, their lengths and L that comparing every ordered pair position by position
// gives.
void ExpectPairwiseLists(const Columns& columns, int radius) {
    const TColumnList list = ListOf(columns);
    TRecordingHost host;
    TRunHostProgress progress(host);
    const TNeighbourhood neighbourhood = AnalyseNeighbours(list.Columns, radius, &progress);
    const std::vector<Ids> lists = NeighbourLists(list, neighbourhood);
    int expectedLongest = 0;
    for (std::size_t a = 0; a < columns.size(); ++a) {
        Ids expected;
        for (std::size_t b = 0; b < columns.size(); ++b) {
            int distance = 0;
            for (std::size_t p = 0; p < kColumnLength; ++p) {
                const char signA = p < columns[a].size() ? columns[a][p] : '\0';
                const char signB = p < columns[b].size() ? columns[b][p] : '\0';
                distance += signA != signB ? 1 : 0;
            }
            if (distance <= radius) {
                expected.push_back(static_cast<std::int32_t>(b + 1));
            }
        }
        expectedLongest = std::max(expectedLongest, static_cast<int>(expected.size()));
        ASSERT_EQ(lists[a], expected) << "record " << a + 1;
        const std::size_t k = neighbourhood.Coverage.Find(list.Columns[a]);
        ASSERT_EQ(neighbourhood.ListLength[k], static_cast<std::int32_t>(expected.size()));
    }
    EXPECT_EQ(neighbourhood.Longest, expectedLongest);
}

}  // namespace

TEST(neighbours, worked_example_lists_and_longest) {
    const TColumnList list = ListOf({"11111111111111", "1111111111111X", "11111111111122"});
    TRecordingHost host;
    TRunHostProgress progress(host);
    const TNeighbourhood neighbourhood = AnalyseNeighbours(list.Columns, 1, &progress);
    EXPECT_EQ(neighbourhood.Longest, 2);
    EXPECT_EQ(NeighbourLists(list, neighbourhood), (std::vector<Ids>{{1, 2}, {1, 2}, {3}}));
    // The lists of the second guarantee reach two positions.
    const TNeighbourhood wider = AnalyseNeighbours(list.Columns, 2, &progress);
    EXPECT_EQ(wider.Longest, 3);
    EXPECT_EQ(NeighbourLists(list, wider), (std::vector<Ids>{{1, 2, 3}, {1, 2, 3}, {1, 2, 3}}));
}

TEST(neighbours, equal_columns_are_kept_once_with_their_records) {
    const TColumnList list = ListOf({"1111111111111X", "1111111111111x", "1111111111111X", "", ""});
    TRecordingHost host;
    TRunHostProgress progress(host);
    const TNeighbourhood neighbourhood = AnalyseNeighbours(list.Columns, 1, &progress);
    EXPECT_EQ(neighbourhood.Coverage.Count(), 3u);
    EXPECT_EQ(neighbourhood.Coverage.Occurrences(0), 2);
    EXPECT_EQ(neighbourhood.Coverage.Occurrences(1), 1);
    EXPECT_EQ(neighbourhood.Coverage.Occurrences(2), 2);
    EXPECT_EQ(neighbourhood.ListLength, (std::vector<std::int32_t>{3, 3, 2}));
    EXPECT_EQ(neighbourhood.Longest, 3);
    EXPECT_EQ(NeighbourLists(list, neighbourhood),
              (std::vector<Ids>{{1, 2, 3}, {1, 2, 3}, {1, 2, 3}, {4, 5}, {4, 5}}));
}

TEST(neighbours, lists_are_those_of_comparing_every_pair_at_every_guarantee) {
    // Few signs at few positions, the shape of real column files, duplicates included; signs
    // spread over every position; and any bytes, with short columns.
    std::mt19937 random(11);
    std::string everyByte;
    for (int b = 1; b < 256; ++b) {
        everyByte += static_cast<char>(b);
    }
    for (int round = 0; round < 36; ++round) {
        SCOPED_TRACE(round);
        const int radius = 1 + round % 3;
        Columns columns;
        switch (round / 3 % 3) {
            case 0:
                columns = RandomColumns(random, 1 + random() % 300, "1X2", 7);
                break;
            case 1:
                columns = RandomColumns(random, 1 + random() % 300, "1X2", 14);
                break;
            default:
                columns = RandomColumns(random, 1 + random() % 200, round % 2 ? "1X2x" : everyByte,
                                        round % 2 ? 14 : 3);
                for (auto& column : columns) {
                    if (random() % 10 == 0) {
                        column.resize(random() % 15);
                    }
                }
        }
        ExpectPairwiseLists(columns, radius);
    }
}

TEST(neighbours, analysis_pumps_events_but_not_per_column) {
    std::mt19937 random(3);
    const TColumnList list = ListOf(RandomColumns(random, 200000, "1X2", 12));
    TRecordingHost host;
    TRunHostProgress progress(host);
    AnalyseNeighbours(list.Columns, 1, &progress);
    EXPECT_GT(host.Pumps, 2);
    EXPECT_LT(host.Pumps, 2000);
}

}  // namespace kelvo
