#include "optimise/matrix_search.h"

#include <stdexcept>
#include <vector>

#include "optimise/syndrome_cover.h"
#include "test_support.h"

namespace kelvo {

namespace {

// Checks the shape of a found code: for each kind of position H = [I | A] with distinct columns
// whose highest nonzero digit is 1, and syndromes that cover (syndrome_cover_test holds
// CoversEverySyndrome to a sweep of the words).
void ExpectMatrixCode(const TMixedMatrixCode& code, int triples, int doubles, int ternaryRows,
                      int binaryRows, int radius) {
    ASSERT_EQ(code.TernaryRows, ternaryRows);
    ASSERT_EQ(code.BinaryRows, binaryRows);
    ASSERT_EQ(code.Radius, radius);
    struct TPart {
        int Radix;
        int Rows;
        int Length;
        const std::vector<int>& Columns;
    };
    for (const TPart& part : {TPart{3, ternaryRows, triples, code.TernaryColumns},
                              TPart{2, binaryRows, doubles, code.BinaryColumns}}) {
        ASSERT_EQ(part.Columns.size(), static_cast<std::size_t>(part.Length));
        int syndromes = 1;
        for (int i = 0; i < part.Rows; ++i) {
            EXPECT_EQ(part.Columns[static_cast<std::size_t>(i)], syndromes);
            syndromes *= part.Radix;
        }
        for (std::size_t j = 0; j < part.Columns.size(); ++j) {
            int top = part.Columns[j];
            while (top >= part.Radix) {
                top /= part.Radix;
            }
            EXPECT_EQ(top, 1) << part.Radix << "-ary column " << j;
            for (std::size_t i = 0; i < j; ++i) {
                EXPECT_NE(part.Columns[i], part.Columns[j]) << "columns " << i << " and " << j;
            }
        }
    }
    EXPECT_TRUE(CoversEverySyndrome(code));
}

}  // namespace

TEST(matrix_search, finds_codes_of_the_known_sizes_within_a_fixed_number_of_matrices) {
    // 5 triples al 13: 27 = 3 * 9, three syndromes of a 3x5 matrix; 7 triples al 13 with 5 rows:
    // 189 = 21 * 9 (20 would beat the record 186), which the first matrix misses by two; 8 triples
    // al 13: 486 = 18 * 27, the stored matrix code; 5 doubles al 13 with 4 rows: 8 = 4 * 2 (no
    // code of 7 words has a matrix of 4 rows); 1 triple and 9 doubles al 13 with 1 and 8 rows:
    // 160 = 80 * 2 at the tenth matrix (176 by the other constructions).
    struct TCase {
        int Triples;
        int Doubles;
        int TernaryRows;
        int BinaryRows;
        std::uint64_t Matrices;
        std::size_t Syndromes;
    };
    for (const TCase& shape :
         {TCase{5, 0, 3, 0, 20, 3}, TCase{7, 0, 5, 0, 40, 21}, TCase{8, 0, 5, 0, 300, 18},
          TCase{0, 5, 0, 4, 20, 4}, TCase{1, 9, 1, 8, 20, 80}}) {
        SCOPED_TRACE(testing::Message() << shape.Triples << " triples, " << shape.Doubles);
        TMatrixSearchLimits limits;
        limits.Seed = 1;
        limits.Matrices = shape.Matrices;
        limits.StepsPerMatrix = 5000;
        limits.Target = shape.Syndromes;
        const TMatrixSearchResult result = SearchMatrixCode(
            shape.Triples, shape.Doubles, shape.TernaryRows, shape.BinaryRows, 1, limits);
        ExpectMatrixCode(result.Code, shape.Triples, shape.Doubles, shape.TernaryRows,
                         shape.BinaryRows, 1);
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
    limits.Progress = [&](const TMixedMatrixCode& code, std::uint64_t matrix) {
        sizes.push_back(code.Syndromes.size());
        matrices.push_back(matrix);
    };
    const TMatrixSearchResult result = SearchMatrixCode(8, 0, 5, 0, 1, limits);
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
    ExpectMatrixCode(result.Code, 8, 0, 5, 0, 1);
}

TEST(matrix_search, same_seed_finds_the_same_code) {
    TMatrixSearchLimits limits;
    limits.Seed = 5;
    limits.Matrices = 30;
    limits.StepsPerMatrix = 1000;
    const TMatrixSearchResult first = SearchMatrixCode(7, 0, 5, 0, 1, limits);
    const TMatrixSearchResult second = SearchMatrixCode(7, 0, 5, 0, 1, limits);
    EXPECT_EQ(first.Code.TernaryColumns, second.Code.TernaryColumns);
    EXPECT_EQ(first.Code.Syndromes, second.Code.Syndromes);
    EXPECT_EQ(first.FoundAt, second.FoundAt);
    EXPECT_EQ(first.Tried, 31u);
}

TEST(matrix_search, shapes_out_of_range_are_refused) {
    const std::string shape =
        "matrix search needs 1 to 14 positions, 1 to 6561 syndromes, check rows for every kind of "
        "position and no more than its positions, distinct columns enough and a radius of 0 or "
        "more";
    EXPECT_THROW_MSG(SearchMatrixCode(0, 0, 0, 0, 1, {}), std::invalid_argument, shape);
    EXPECT_THROW_MSG(SearchMatrixCode(5, 0, 0, 0, 1, {}), std::invalid_argument, shape);
    EXPECT_THROW_MSG(SearchMatrixCode(9, 0, 9, 0, 1, {}), std::invalid_argument, shape);
    EXPECT_THROW_MSG(SearchMatrixCode(0, 14, 0, 13, 1, {}), std::invalid_argument, shape);
    EXPECT_THROW_MSG(SearchMatrixCode(4, 0, 5, 0, 1, {}), std::invalid_argument, shape);
    EXPECT_THROW_MSG(SearchMatrixCode(8, 7, 5, 3, 1, {}), std::invalid_argument, shape);
    // PG(1, 3) has 4 points: 5 distinct columns of 2 rows do not exist; nor 4 binary of 2 rows.
    EXPECT_THROW_MSG(SearchMatrixCode(5, 0, 2, 0, 1, {}), std::invalid_argument, shape);
    EXPECT_THROW_MSG(SearchMatrixCode(2, 4, 2, 2, 1, {}), std::invalid_argument, shape);
    // Doubles with no binary row, binary rows with no double; 3^7 * 2^2 syndromes.
    EXPECT_THROW_MSG(SearchMatrixCode(4, 2, 2, 0, 1, {}), std::invalid_argument, shape);
    EXPECT_THROW_MSG(SearchMatrixCode(4, 0, 2, 1, 1, {}), std::invalid_argument, shape);
    EXPECT_THROW_MSG(SearchMatrixCode(9, 3, 7, 2, 1, {}), std::invalid_argument, shape);
    EXPECT_THROW_MSG(SearchMatrixCode(5, 0, 3, 0, -1, {}), std::invalid_argument, shape);
}

TEST(matrix_search, a_matrix_of_every_column_is_tried_once) {
    // The 4 columns of 2 ternary rows make the Hamming matrix: nothing to change, one syndrome.
    TMatrixSearchLimits limits;
    limits.Matrices = 50;
    const TMatrixSearchResult result = SearchMatrixCode(4, 0, 2, 0, 1, limits);
    EXPECT_EQ(result.Tried, 1u);
    EXPECT_EQ(result.Code.Syndromes.size(), 1u);
    ExpectMatrixCode(result.Code, 4, 0, 2, 0, 1);
}

}  // namespace kelvo
