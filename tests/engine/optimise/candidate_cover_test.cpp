#include "optimise/candidate_cover.h"

#include <algorithm>
#include <set>

#include "optimise/covered_lists.h"
#include "test_support.h"

namespace kelvo {

namespace {

int LiteralDistance(const std::string& a, const std::string& b) {
    int distance = 0;
    for (std::size_t p = 0; p < 14; ++p) {
        distance += (p < a.size() ? a[p] : '\0') != (p < b.size() ? b[p] : '\0') ? 1 : 0;
    }
    return distance;
}

// Every column of 1, X and 2 whose sign at each position some column of `columns` shows there,
// within `radius` of some column of `columns`, by walking the whole product.
std::set<std::string> LiteralCandidates(const std::vector<std::string>& columns, int radius) {
    TForecast seen;
    for (std::size_t p = 0; p < 14; ++p) {
        for (const char sign : {'1', 'X', '2'}) {
            if (std::any_of(columns.begin(), columns.end(),
                            [&](const std::string& c) { return c.size() > p && c[p] == sign; })) {
                seen[p] += sign;
            }
        }
    }
    std::set<std::string> candidates(columns.begin(), columns.end());
    const std::vector<std::string> product = ForecastProduct(seen);
    for (const std::string& column : product) {
        if (std::any_of(columns.begin(), columns.end(), [&](const std::string& c) {
                return LiteralDistance(c, column) <= radius;
            })) {
            candidates.insert(column);
        }
    }
    return candidates;
}

// The rows within `radius` of `column`, each checked position by position.
std::vector<std::size_t> LiterallyCoveredRows(const TCoverage& coverage, const std::string& column,
                                              int radius) {
    std::vector<std::size_t> rows;
    for (std::size_t j = 0; j < coverage.Count(); ++j) {
        if (LiteralDistance(ColumnText(coverage.Column(j)), column) <= radius) {
            rows.push_back(j);
        }
    }
    return rows;
}

// Checks both sides of `cover` against the literal reference.
void ExpectLiteralLists(const std::vector<std::string>& columns, const TCoverage& coverage,
                        const TCandidateCover& cover, int radius) {
    ASSERT_EQ(cover.RowCount(), coverage.Count());
    std::set<std::string> listed;
    std::vector<std::vector<std::size_t>> covering(cover.RowCount());
    for (std::size_t k = 0; k < cover.CandidateCount(); ++k) {
        const std::string column = ColumnText(cover.Candidate(k));
        EXPECT_TRUE(listed.insert(column).second) << column;
        if (k < cover.RowCount()) {
            EXPECT_EQ(cover.Candidate(k), coverage.Column(k));
        } else {
            EXPECT_EQ(coverage.Find(cover.Candidate(k)), TCoverage::kNone) << column;
        }
        std::vector<std::size_t> rows;
        cover.ForEachCovered(k, [&](std::size_t j) {
            rows.push_back(j);
            covering[j].push_back(k);
        });
        std::sort(rows.begin(), rows.end());
        EXPECT_EQ(rows, LiterallyCoveredRows(coverage, column, radius)) << column;
        EXPECT_EQ(cover.CoveredCount(k), rows.size());
    }
    EXPECT_EQ(listed, LiteralCandidates(columns, radius));
    for (std::size_t j = 0; j < cover.RowCount(); ++j) {
        std::vector<std::size_t> candidates;
        cover.ForEachCovering(j, [&](std::size_t k) { candidates.push_back(k); });
        std::sort(candidates.begin(), candidates.end());
        EXPECT_EQ(candidates, covering[j]) << j;
    }
}

}  // namespace

TEST(candidate_cover, lists_every_column_of_seen_signs_near_the_input_both_ways) {
    std::mt19937 random(3);
    for (int radius = 1; radius <= 3; ++radius) {
        const std::vector<std::string> columns = RandomColumns(random, 120, "1X2", 6);
        const TCoverage coverage(KeysOf(columns), radius);
        const std::optional<TCandidateCover> cover =
            TCandidateCover::Beyond(coverage, radius, kMostListed);
        ASSERT_TRUE(cover) << radius;
        EXPECT_TRUE(cover->Widens());
        ExpectLiteralLists(columns, coverage, *cover, radius);
    }
}

TEST(candidate_cover, a_sign_missing_at_a_position_is_never_tried_there) {
    // X never shows at the first position and 2 never at the second.
    const std::vector<std::string> columns = {"11111111111111", "2X111111111111", "21X11111111111"};
    const TCoverage coverage(KeysOf(columns), 1);
    const std::optional<TCandidateCover> cover = TCandidateCover::Beyond(coverage, 1, kMostListed);
    ASSERT_TRUE(cover);
    ExpectLiteralLists(columns, coverage, *cover, 1);
    for (std::size_t k = 0; k < cover->CandidateCount(); ++k) {
        const std::string column = ColumnText(cover->Candidate(k));
        EXPECT_NE(column[0], 'X') << column;
        EXPECT_NE(column[1], '2') << column;
    }
}

TEST(candidate_cover,
     input_columns_of_other_bytes_cover_what_they_cover_and_no_candidate_has_them) {
    const std::vector<std::string> columns = {"1111111111111x", "11111111111111", "X11111111111x",
                                              "21111111111112"};
    const TCoverage coverage(KeysOf(columns), 2);
    const std::optional<TCandidateCover> cover = TCandidateCover::Beyond(coverage, 2, kMostListed);
    ASSERT_TRUE(cover);
    ExpectLiteralLists(columns, coverage, *cover, 2);
    for (std::size_t k = cover->RowCount(); k < cover->CandidateCount(); ++k) {
        const std::string column = ColumnText(cover->Candidate(k));
        EXPECT_EQ(column.size(), 14u);
        EXPECT_EQ(column.find_first_not_of("1X2"), std::string::npos) << column;
    }
}

TEST(candidate_cover, a_full_development_or_too_many_entries_give_no_wider_problem) {
    const TCoverage full(KeysOf(Development(4)), 1);
    EXPECT_FALSE(TCandidateCover::Beyond(full, 1, kMostListed));

    const std::vector<std::string> columns = {"11111111111111", "X1111111111111", "2X111111111111"};
    const TCoverage coverage(KeysOf(columns), 1);
    const std::optional<TCandidateCover> cover = TCandidateCover::Beyond(coverage, 1, kMostListed);
    ASSERT_TRUE(cover);
    EXPECT_FALSE(TCandidateCover::Beyond(coverage, 1, 2 * cover->Entries() - 1));
    EXPECT_TRUE(TCandidateCover::Beyond(coverage, 1, 2 * cover->Entries()));
}

}  // namespace kelvo
