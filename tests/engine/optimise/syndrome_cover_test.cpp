#include "optimise/syndrome_cover.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "test_support.h"

namespace kelvo {

namespace {

// The words of the space of the matrix code farther than its radius from every code word, each
// word of the space held against every code word: a reference that shares nothing with the
// syndrome balls.
std::size_t UncoveredWords(const TMixedMatrixCode& matrixCode) {
    const TCode code = WordsOfMixedMatrixCode(matrixCode);
    const auto length = static_cast<std::size_t>(code.Length());
    std::vector<std::uint8_t> word(length, 0);
    std::size_t uncovered = 0;
    while (true) {
        bool near = false;
        for (std::size_t w = 0; w < code.Size() && !near; ++w) {
            int distance = 0;
            for (std::size_t p = 0; p < length; ++p) {
                distance += code.Words[w * length + p] != word[p] ? 1 : 0;
            }
            near = distance <= matrixCode.Radius;
        }
        uncovered += near ? 0 : 1;
        std::size_t p = 0;
        while (p < length && ++word[p] == (static_cast<int>(p) < code.Triples ? 3 : 2)) {
            word[p++] = 0;
        }
        if (p == length) {
            return uncovered;
        }
    }
}

std::size_t UncoveredWords(const TMatrixCode& matrixCode) {
    return UncoveredWords(AsMixed(matrixCode));
}

TMatrixCode Identity(int radix, int rows, int radius) {
    TMatrixCode code{radix, rows, radius, {}, {}};
    for (int i = 0, place = 1; i < rows; ++i, place *= radix) {
        code.Columns.push_back(place);
    }
    return code;
}

// The check matrix of the stored 486-word code of 8 triples, whose 18 syndromes the cover finds.
const TMatrixCode kEightTriples{3, 5, 1, {1, 3, 9, 27, 81, 42, 46, 36}, {}};

// Check matrices of 4 triples (3 rows) and 4 doubles (3 rows) whose cover of 23 syndromes of 216
// gives 138 words.
const TMixedMatrixCode kFourAndFour{3, 3, 1, {1, 3, 9, 17}, {1, 2, 4, 7}, {}};

}  // namespace

TEST(syndrome_cover, ball_holds_the_sums_of_up_to_radius_columns_times_each_sign) {
    EXPECT_EQ(SyndromeBall(Identity(3, 2, 1)), (std::vector<int>{0, 1, 2, 3, 6}));
    // 1 + 3: 4 (11), 1 + 2*3: 7 (12), 2 + 3: 5 (21), 2 + 2*3: 8 (22).
    EXPECT_EQ(SyndromeBall(Identity(3, 2, 2)), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(SyndromeBall(Identity(2, 3, 1)), (std::vector<int>{0, 1, 2, 4}));
    // Two columns equal: their sum is 2 * column, not a new column.
    EXPECT_EQ(SyndromeBall(TMatrixCode{3, 2, 2, {1, 1}, {}}), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(SyndromeBall(Identity(3, 3, 0)), (std::vector<int>{0}));
    // One ternary and one binary row: the binary column is 3 in the numbering of the syndromes.
    EXPECT_EQ(SyndromeBall(TMixedMatrixCode{1, 1, 1, {1}, {1}, {}}),
              (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(SyndromeBall(TMixedMatrixCode{1, 1, 2, {1}, {1}, {}}),
              (std::vector<int>{0, 1, 2, 3, 4, 5}));
    // 1 + 4 = 5 and 2 + 4 = 6 of the syndromes 0 to 11 of 1 ternary and 2 binary rows.
    EXPECT_EQ(SyndromeBall(TMixedMatrixCode{1, 2, 2, {1}, {2}, {}}),
              (std::vector<int>{0, 1, 2, 6, 7, 8}));
}

TEST(syndrome_cover, perfect_codes_need_the_one_syndrome_zero) {
    for (const TMatrixCode& hamming : {HammingCode(3, 2), HammingCode(3, 3), HammingCode(2, 3)}) {
        SCOPED_TRACE(testing::Message() << hamming.Radix << "-ary, " << hamming.Rows << " rows");
        const TSyndromeCover cover = CoverSyndromes(hamming, {});
        EXPECT_EQ(cover.Syndromes.size(), 1u);
        EXPECT_EQ(cover.ShortBy, 0u);
    }
    EXPECT_EQ(CoverSyndromes(TernaryGolayCode(), {}).Syndromes.size(), 1u);
}

TEST(syndrome_cover, identity_matrices_give_the_smallest_codes_of_their_length) {
    // H = I: the syndromes are the code words themselves, K_3(3,1) = 5, K_2(5,1) = 7,
    // K_2(6,1) = 12, K_3(4,1) = 9.
    struct TCase {
        int Radix;
        int Rows;
        std::size_t Smallest;
    };
    for (const TCase& shape : {TCase{3, 3, 5}, TCase{2, 5, 7}, TCase{2, 6, 12}, TCase{3, 4, 9}}) {
        SCOPED_TRACE(testing::Message() << shape.Radix << "-ary, " << shape.Rows << " rows");
        TMatrixCode code = Identity(shape.Radix, shape.Rows, 1);
        code.Syndromes = CoverSyndromes(code, {7, 20000}).Syndromes;
        EXPECT_EQ(code.Syndromes.size(), shape.Smallest);
        EXPECT_EQ(UncoveredWords(code), 0u);
    }
}

TEST(syndrome_cover, cover_of_a_fixed_matrix_reaches_every_word_and_is_pinned) {
    TMatrixCode code = kEightTriples;
    const TSyndromeCover cover = CoverSyndromes(code, {1, 20000});
    code.Syndromes = cover.Syndromes;
    EXPECT_TRUE(std::is_sorted(code.Syndromes.begin(), code.Syndromes.end()));
    EXPECT_EQ(code.Syndromes.size(), 18u);
    EXPECT_EQ(WordsOfMatrixCode(code).Size(), 486u);
    EXPECT_EQ(UncoveredWords(code), 0u);
    EXPECT_TRUE(CoversEverySyndrome(code));
    EXPECT_EQ(CoverSyndromes(code, {1, 20000}).Syndromes, cover.Syndromes);
}

TEST(syndrome_cover, mixed_cover_reaches_every_word_and_is_pinned) {
    TMixedMatrixCode code = kFourAndFour;
    code.Syndromes = CoverSyndromes(code, {1, 2000}).Syndromes;
    EXPECT_EQ(code.Syndromes.size(), 23u);
    EXPECT_EQ(WordsOfMixedMatrixCode(code).Size(), 138u);
    EXPECT_EQ(UncoveredWords(code), 0u);
    EXPECT_TRUE(CoversEverySyndrome(code));
    for (std::size_t drop = 0; drop < code.Syndromes.size(); drop += 5) {
        TMixedMatrixCode fewer = code;
        fewer.Syndromes.erase(fewer.Syndromes.begin() + static_cast<long>(drop));
        EXPECT_EQ(CoversEverySyndrome(fewer), UncoveredWords(fewer) == 0) << "without " << drop;
    }
}

TEST(syndrome_cover, no_steps_leave_the_greedy_cover) {
    TMatrixCode code = kEightTriples;
    code.Syndromes = CoverSyndromes(code, {1, 0}).Syndromes;
    EXPECT_GT(code.Syndromes.size(), 18u);
    EXPECT_EQ(UncoveredWords(code), 0u);
}

TEST(syndrome_cover, covers_every_syndrome_agrees_with_the_words_it_sweeps) {
    TMatrixCode code = kEightTriples;
    code.Syndromes = CoverSyndromes(code, {1, 20000}).Syndromes;
    for (std::size_t drop = 0; drop < code.Syndromes.size(); ++drop) {
        TMatrixCode fewer = code;
        fewer.Syndromes.erase(fewer.Syndromes.begin() + static_cast<long>(drop));
        EXPECT_EQ(CoversEverySyndrome(fewer), UncoveredWords(fewer) == 0) << "without " << drop;
    }
    TMatrixCode hamming = HammingCode(3, 2);
    hamming.Syndromes = {};
    EXPECT_FALSE(CoversEverySyndrome(hamming));
    hamming.Syndromes = {4};
    EXPECT_TRUE(CoversEverySyndrome(hamming));
}

TEST(syndrome_cover, shapes_out_of_range_are_refused) {
    const std::string shape =
        "syndrome cover needs radix 2 or 3, 1 to 8 ternary or 12 binary rows and a radius of 0 or "
        "more";
    EXPECT_THROW_MSG(CoverSyndromes(Identity(4, 2, 1), {}), std::invalid_argument, shape);
    EXPECT_THROW_MSG(SyndromeBall(Identity(3, 9, 1)), std::invalid_argument, shape);
    EXPECT_THROW_MSG(SyndromeBall(Identity(2, 13, 1)), std::invalid_argument, shape);
    EXPECT_THROW_MSG(CoverSyndromes(TMatrixCode{3, 0, 1, {}, {}}, {}), std::invalid_argument,
                     shape);
    EXPECT_THROW_MSG(CoversEverySyndrome(Identity(3, 2, -1)), std::invalid_argument, shape);
    EXPECT_THROW_MSG(CoverSyndromes(TMatrixCode{3, 2, 1, {1, 9}, {}}, {}), std::invalid_argument,
                     "column out of range");
    EXPECT_THROW_MSG(CoversEverySyndrome(TMatrixCode{3, 2, 1, {1, 3}, {-1}}), std::invalid_argument,
                     "syndrome out of range");
    EXPECT_THROW_MSG(CoversEverySyndrome(TMatrixCode{3, 2, 1, {1, 3}, {9}}), std::invalid_argument,
                     "syndrome out of range");
    const std::string mixed =
        "syndrome cover needs 1 to 6561 syndromes of ternary and binary rows and a radius of 0 or "
        "more";
    EXPECT_THROW_MSG(CoverSyndromes(TMixedMatrixCode{0, 0, 1, {}, {}, {}}, {}),
                     std::invalid_argument, mixed);
    EXPECT_THROW_MSG(SyndromeBall(TMixedMatrixCode{7, 2, 1, {}, {}, {}}), std::invalid_argument,
                     mixed);
    EXPECT_THROW_MSG(SyndromeBall(TMixedMatrixCode{1, 1, -1, {1}, {1}, {}}), std::invalid_argument,
                     mixed);
    EXPECT_THROW_MSG(CoverSyndromes(TMixedMatrixCode{1, 2, 1, {1}, {4}, {}}, {}),
                     std::invalid_argument, "column out of range");
    EXPECT_THROW_MSG(CoverSyndromes(TMixedMatrixCode{1, 2, 1, {3}, {1}, {}}, {}),
                     std::invalid_argument, "column out of range");
    EXPECT_THROW_MSG(CoversEverySyndrome(TMixedMatrixCode{1, 2, 1, {1}, {1}, {12}}),
                     std::invalid_argument, "syndrome out of range");
}

}  // namespace kelvo
