#include "optimise/matrix_search.h"

#include <stdexcept>
#include <vector>

#include "optimise/syndrome_cover.h"
#include "test_support.h"

namespace kelvo {

namespace {

// Checks the shape of a found code: H = [I | A] with distinct columns whose highest nonzero digit
// is 1, and syndromes that cover (syndrome_cover_test holds CoversEverySyndrome to a sweep of the
// words).
void ExpectMatrixCode(const TMatrixCode& code, int radix, int length, int rows, int radius) {
    ASSERT_EQ(code.Radix, radix);
    ASSERT_EQ(code.Rows, rows);
    ASSERT_EQ(code.Radius, radius);
    ASSERT_EQ(code.Columns.size(), static_cast<std::size_t>(length));
    int syndromes = 1;
    for (int i = 0; i < rows; ++i) {
        EXPECT_EQ(code.Columns[static_cast<std::size_t>(i)], syndromes);
        syndromes *= radix;
    }
    for (std::size_t j = 0; j < code.Columns.size(); ++j) {
        int top = code.Columns[j];
        while (top >= radix) {
            top /= radix;
        }
        EXPECT_EQ(top, 1) << "column " << j;
        for (std::size_t i = 0; i < j; ++i) {
            EXPECT_NE(code.Columns[i], code.Columns[j]) << "columns " << i << " and " << j;
        }
    }
    EXPECT_TRUE(CoversEverySyndrome(code));
}

}  // namespace

TEST(matrix_search, finds_codes_of_the_known_sizes_within_a_fixed_number_of_matrices) {
    // 5 triples al 13: 27 = 3 * 9, three syndromes of a 3x5 matrix; 7 triples al 13 with 5 rows:
    // 189 = 21 * 9 (20 would beat the record 186), which the first matrix misses by two; 8 triples
    // al 13: 486 = 18 * 27, the stored matrix code; 5 doubles al 13 with 4 rows: 8 = 4 * 2 (no
    // code of 7 words has a matrix of 4 rows).
    struct TCase {
        int Radix;
        int Length;
        int Rows;
        std::uint64_t Matrices;
        std::size_t Syndromes;
    };
    for (const TCase& shape : {TCase{3, 5, 3, 20, 3}, TCase{3, 7, 5, 40, 21},
                               TCase{3, 8, 5, 300, 18}, TCase{2, 5, 4, 20, 4}}) {
        SCOPED_TRACE(testing::Message() << shape.Radix << "-ary, n = " << shape.Length);
        TMatrixSearchLimits limits;
        limits.Seed = 1;
        limits.Matrices = shape.Matrices;
        limits.StepsPerMatrix = 5000;
        limits.Target = shape.Syndromes;
        const TMatrixSearchResult result =
            SearchMatrixCode(shape.Radix, shape.Length, shape.Rows, 1, limits);
        ExpectMatrixCode(result.Code, shape.Radix, shape.Length, shape.Rows, 1);
        EXPECT_EQ(result.Code.Syndromes.size(), shape.Syndromes);
        EXPECT_LE(result.Tried, shape.Matrices + 1);
    }
}

TEST(matrix_search, reports_each_smaller_code_and_stops_at_the_target) {
    std::vector<std::size_t> sizes;
    std::vector<std::uint64_t> matrices;
    TMatrixSearchLimits limits;
    limits.Seed = 3;
    limits.Matrices = 1000;
    limits.StepsPerMatrix = 2000;
    limits.Target = 19;
    limits.Progress = [&](const TMatrixCode& code, std::uint64_t matrix) {
        sizes.push_back(code.Syndromes.size());
        matrices.push_back(matrix);
    };
    const TMatrixSearchResult result = SearchMatrixCode(3, 8, 5, 1, limits);
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(matrices.front(), 0u);
    for (std::size_t i = 1; i < sizes.size(); ++i) {
        EXPECT_LT(sizes[i], sizes[i - 1]);
        EXPECT_LT(matrices[i - 1], matrices[i]);
    }
    EXPECT_EQ(sizes.back(), result.Code.Syndromes.size());
    EXPECT_EQ(matrices.back(), result.FoundAt);
    EXPECT_LE(result.Code.Syndromes.size(), 19u);
    EXPECT_EQ(result.Tried, result.FoundAt + 1);
    ExpectMatrixCode(result.Code, 3, 8, 5, 1);
}

TEST(matrix_search, same_seed_finds_the_same_code) {
    TMatrixSearchLimits limits;
    limits.Seed = 5;
    limits.Matrices = 30;
    limits.StepsPerMatrix = 1000;
    const TMatrixSearchResult first = SearchMatrixCode(3, 7, 5, 1, limits);
    const TMatrixSearchResult second = SearchMatrixCode(3, 7, 5, 1, limits);
    EXPECT_EQ(first.Code.Columns, second.Code.Columns);
    EXPECT_EQ(first.Code.Syndromes, second.Code.Syndromes);
    EXPECT_EQ(first.FoundAt, second.FoundAt);
    EXPECT_EQ(first.Tried, 31u);
}

TEST(matrix_search, shapes_out_of_range_are_refused) {
    const std::string shape =
        "matrix search needs radix 2 or 3, 1 to 8 ternary or 12 binary rows, a length from rows "
        "to 14 that distinct columns can fill and a radius of 0 or more";
    EXPECT_THROW_MSG(SearchMatrixCode(4, 5, 3, 1, {}), std::invalid_argument, shape);
    EXPECT_THROW_MSG(SearchMatrixCode(3, 5, 0, 1, {}), std::invalid_argument, shape);
    EXPECT_THROW_MSG(SearchMatrixCode(3, 5, 9, 1, {}), std::invalid_argument, shape);
    EXPECT_THROW_MSG(SearchMatrixCode(2, 14, 13, 1, {}), std::invalid_argument, shape);
    EXPECT_THROW_MSG(SearchMatrixCode(3, 4, 5, 1, {}), std::invalid_argument, shape);
    EXPECT_THROW_MSG(SearchMatrixCode(3, 15, 8, 1, {}), std::invalid_argument, shape);
    // PG(1, 3) has 4 points: 5 distinct columns of 2 rows do not exist.
    EXPECT_THROW_MSG(SearchMatrixCode(3, 5, 2, 1, {}), std::invalid_argument, shape);
    EXPECT_THROW_MSG(SearchMatrixCode(3, 5, 3, -1, {}), std::invalid_argument, shape);
}

TEST(matrix_search, a_matrix_of_every_column_is_tried_once) {
    // The 4 columns of 2 ternary rows make the Hamming matrix: nothing to change, one syndrome.
    TMatrixSearchLimits limits;
    limits.Matrices = 50;
    const TMatrixSearchResult result = SearchMatrixCode(3, 4, 2, 1, limits);
    EXPECT_EQ(result.Tried, 1u);
    EXPECT_EQ(result.Code.Syndromes.size(), 1u);
    ExpectMatrixCode(result.Code, 3, 4, 2, 1);
}

}  // namespace kelvo
