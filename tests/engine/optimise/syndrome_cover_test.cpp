#include "optimise/syndrome_cover.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "test_support.h"

namespace kelvo {

namespace {

// The words of GF(q)^n farther than code.Radius from every word of the matrix code, by marking
// the radius around each of its words: a reference that shares nothing with the syndrome balls.
std::size_t UncoveredWords(const TMatrixCode& matrixCode) {
    const TCode code = WordsOfMatrixCode(matrixCode);
    const auto length = static_cast<std::size_t>(code.Length());
    std::vector<std::size_t> place(length, 1);
    for (std::size_t p = 1; p < length; ++p) {
        place[p] = place[p - 1] * static_cast<std::size_t>(matrixCode.Radix);
    }
    std::vector<bool> covered(place.back() * static_cast<std::size_t>(matrixCode.Radix), false);
    const auto mark = [&](auto& self, const std::uint8_t* word, std::size_t number,
                          std::size_t from, int left) -> void {
        covered[number] = true;
        for (std::size_t p = from; left > 0 && p < length; ++p) {
            for (std::size_t sign = 0; sign < static_cast<std::size_t>(matrixCode.Radix); ++sign) {
                if (sign != static_cast<std::size_t>(word[p])) {
                    self(self, word, number + sign * place[p] - word[p] * place[p], p + 1,
                         left - 1);
                }
            }
        }
    };
    for (std::size_t w = 0; w < code.Size(); ++w) {
        const std::uint8_t* word = code.Words.data() + w * length;
        std::size_t number = 0;
        for (std::size_t p = 0; p < length; ++p) {
            number += word[p] * place[p];
        }
        mark(mark, word, number, 0, matrixCode.Radius);
    }
    return static_cast<std::size_t>(std::count(covered.begin(), covered.end(), false));
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

}  // namespace

TEST(syndrome_cover, ball_holds_the_sums_of_up_to_radius_columns_times_each_sign) {
    EXPECT_EQ(SyndromeBall(Identity(3, 2, 1)), (std::vector<int>{0, 1, 2, 3, 6}));
    // 1 + 3: 4 (11), 1 + 2*3: 7 (12), 2 + 3: 5 (21), 2 + 2*3: 8 (22).
    EXPECT_EQ(SyndromeBall(Identity(3, 2, 2)), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(SyndromeBall(Identity(2, 3, 1)), (std::vector<int>{0, 1, 2, 4}));
    // Two columns equal: their sum is 2 * column, not a new column.
    EXPECT_EQ(SyndromeBall(TMatrixCode{3, 2, 2, {1, 1}, {}}), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(SyndromeBall(Identity(3, 3, 0)), (std::vector<int>{0}));
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
}

}  // namespace kelvo
