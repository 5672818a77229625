#include "optimise/partition_search.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "test_support.h"

namespace kelvo {

namespace {

// The covering radius of `code`, literally: the largest over every word of the space of its
// distance to the nearest code word.
int LiteralRadius(const TCode& code) {
    const int length = code.Length();
    std::vector<std::uint8_t> x(static_cast<std::size_t>(length), 0);
    int radius = 0;
    while (true) {
        int nearest = length;
        for (std::size_t w = 0; w < code.Size(); ++w) {
            int distance = 0;
            for (int p = 0; p < length; ++p) {
                distance +=
                    code.Words[w * static_cast<std::size_t>(length) +
                               static_cast<std::size_t>(p)] != x[static_cast<std::size_t>(p)];
            }
            nearest = std::min(nearest, distance);
        }
        radius = std::max(radius, nearest);
        int p = length - 1;
        while (p >= 0 && ++x[static_cast<std::size_t>(p)] == (p < code.Triples ? 3 : 2)) {
            x[static_cast<std::size_t>(p--)] = 0;
        }
        if (p < 0) {
            return radius;
        }
    }
}

TCode Hamming4() {
    return WordsOfMatrixCode(HammingCode(3, 2));
}

}  // namespace

TEST(partition_search, cuts_the_73_word_code_of_six_triples_into_a_219_word_code_of_nine) {
    const TCode code = SmallestConstruction(6, 0, 1);
    ASSERT_EQ(code.Size(), 73u);
    TPartitionSearchLimits limits;
    limits.Seed = 1;
    limits.Steps = 100000;
    limits.Temperature = 1;
    const TPartitionSearchResult found = SearchPartition(code, 3, limits);
    ASSERT_EQ(found.Bare, 0u);
    EXPECT_LT(found.Steps, limits.Steps);
    EXPECT_EQ(found.Code.Words, code.Words);
    EXPECT_EQ(BareOfPartition(code, found.Labels, 3), 0u);
    const TCode sum = PartitionSum(code, found.Labels, Hamming4());
    EXPECT_EQ(sum.Size(), 219u);
    EXPECT_EQ(sum.Radius, 2);
    EXPECT_EQ(LiteralRadius(sum), 2);
}

TEST(partition_search, finds_a_code_of_five_triples_with_its_parts) {
    TPartitionSearchLimits limits;
    limits.Seed = 1;
    limits.Steps = 20000;
    const TPartitionSearchResult found = SearchPartitionedCode(5, 0, 1, 27, 3, limits);
    ASSERT_EQ(found.Bare, 0u);
    ASSERT_EQ(found.Code.Size(), 27u);
    EXPECT_EQ(LiteralRadius(found.Code), 1);
    EXPECT_EQ(BareOfPartition(found.Code, found.Labels, 3), 0u);
    EXPECT_EQ(LiteralRadius(PartitionSum(found.Code, found.Labels, Hamming4())), 2);
}

TEST(partition_search, counts_the_words_each_part_leaves_bare) {
    // The 9 words of two triples, radius 0: every word is at the radius, so each part must reach
    // every word within 1.
    const TCode whole = WholeSpace(2, 0);
    struct TCase {
        std::vector<std::uint8_t> Labels;
        std::size_t Bare;
    };
    const TCase cases[] = {
        {{0, 0, 0, 1, 1, 1, 2, 2, 2}, 0},   // by the first sign: {s..} is within 1 of all
        {{0, 1, 2, 1, 2, 0, 2, 0, 1}, 0},   // by the sum of the signs
        {{0, 0, 0, 0, 0, 0, 0, 0, 0}, 18},  // parts 1 and 2 empty
        {{1, 0, 0, 0, 0, 0, 0, 0, 0}, 13},  // part 2 empty, part 1 misses the 4 words 2 away
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(BareOfPartition(whole, c.Labels, 3), c.Bare);
    }
}

TEST(partition_search, tries_functionals_in_order_until_one_cuts_the_code) {
    // Two triples at radius 0 cut by a functional on the last position: c = (0, 1) labels each
    // word by its second sign, and every word is within 1 of each part.
    EXPECT_EQ(FunctionalPartition(WholeSpace(2, 0), 3, 1), (std::vector<int>{0, 1}));
    // The Hamming code [4,2]: no functional on its last two positions cuts it, labelling by its
    // third sign among them.
    EXPECT_EQ(FunctionalPartition(Hamming4(), 3, 2), std::vector<int>{});
    EXPECT_GT(BareOfPartition(Hamming4(), FunctionalLabels(Hamming4(), {0, 0, 1, 0}, 3), 3), 0u);
}

TEST(partition_search, refuses_shapes_and_labels_out_of_range) {
    const TCode whole = WholeSpace(2, 0);
    const std::string shape =
        "partition search needs 2 or 3 parts and a code of 2 to 14 positions and radius 0 to 3";
    EXPECT_THROW_MSG(SearchPartition(whole, 4, {}), std::invalid_argument, shape);
    EXPECT_THROW_MSG(SearchPartitionedCode(1, 0, 1, 3, 3, {}), std::invalid_argument, shape);
    EXPECT_THROW_MSG(SearchPartitionedCode(5, 0, 1, 0, 3, {}), std::invalid_argument,
                     "partition search needs 1 word or more");
    EXPECT_THROW_MSG(FunctionalPartition(whole, 3, 3), std::invalid_argument,
                     "functional positions out of range");
    EXPECT_THROW_MSG(BareOfPartition(whole, {0, 1}, 3), std::invalid_argument,
                     "partition labels do not fit");
    EXPECT_THROW_MSG(BareOfPartition(whole, std::vector<std::uint8_t>(9, 3), 3),
                     std::invalid_argument, "partition labels do not fit");
}

}  // namespace kelvo
