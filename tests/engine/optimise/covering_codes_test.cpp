#include "optimise/covering_codes.h"

#include <stdexcept>

#include "test_support.h"

namespace kelvo {

namespace {

// Whether every word of the code's length lies within one position of a word of `words`: each
// word, as a number in the code's radix, is looked up with every digit it could differ in.
bool CoversEveryWord(const TCodeShape& shape, const std::vector<std::uint8_t>& words) {
    const auto length = static_cast<std::size_t>(shape.Length);
    const auto radix = static_cast<std::size_t>(shape.Radix);
    std::vector<std::size_t> weight(length, 1);
    for (std::size_t p = 1; p < length; ++p) {
        weight[p] = weight[p - 1] * radix;
    }
    const std::size_t space = weight.back() * radix;
    std::vector<bool> inCode(space, false);
    for (std::size_t w = 0; w < words.size(); w += length) {
        std::size_t number = 0;
        for (std::size_t p = 0; p < length; ++p) {
            number += words[w + p] * weight[p];
        }
        inCode[number] = true;
    }
    for (std::size_t number = 0; number < space; ++number) {
        bool covered = inCode[number];
        for (std::size_t p = 0; p < length && !covered; ++p) {
            const std::size_t digit = number / weight[p] % radix;
            for (std::size_t other = 0; other < radix && !covered; ++other) {
                covered = inCode[number - digit * weight[p] + other * weight[p]];
            }
        }
        if (!covered) {
            return false;
        }
    }
    return true;
}

}  // namespace

TEST(covering_codes, every_known_code_has_its_size_and_covers_every_word_within_one_position) {
    ASSERT_EQ(KnownCodes().size(), 14u);
    for (const TCodeShape& shape : KnownCodes()) {
        const std::vector<std::uint8_t> words = CodeWords(shape);
        ASSERT_EQ(words.size(), shape.Size * static_cast<std::size_t>(shape.Length))
            << shape.Radix << "/" << shape.Length;
        EXPECT_TRUE(std::all_of(words.begin(), words.end(),
                                [&](std::uint8_t digit) { return digit < shape.Radix; }));
        EXPECT_TRUE(CoversEveryWord(shape, words)) << shape.Radix << "/" << shape.Length;
    }
}

TEST(covering_codes, a_shape_that_is_not_known_is_refused) {
    EXPECT_THROW_MSG(CodeWords({3, 9, 1458}), std::invalid_argument,
                     "no known code of radix 3 and length 9");
    EXPECT_THROW_MSG(CodeWords({3, 7, 187}), std::invalid_argument,
                     "no known code of radix 3 and length 7");
}

}  // namespace kelvo
