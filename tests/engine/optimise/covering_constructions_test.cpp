#include "optimise/covering_constructions.h"

#include <array>
#include <set>
#include <stdexcept>

#include "test_support.h"

namespace kelvo {

namespace {

// The size of every shape's construction, by radius 1 to 3, triples and doubles: any change of a
// construction shows here.
using TSizesByShape = std::array<std::array<std::size_t, kMaxCodeLength + 1>, kMaxCodeLength + 1>;
constexpr std::array<TSizesByShape, kMaxCodeRadius> kPinnedSizes{{
    // Radius 1.
    {{
        {1, 1, 2, 2, 4, 7, 12, 16, 32, 62, 120, 192, 380, 704, 1408},
        {1, 2, 3, 6, 8, 16, 24, 48, 84, 160, 288, 576, 1140, 2112},
        {3, 4, 6, 12, 20, 36, 64, 124, 236, 416, 768, 1536, 3072},
        {5, 9, 16, 24, 48, 92, 176, 336, 630, 1080, 2160, 4320},
        {9, 18, 36, 72, 130, 244, 432, 864, 1296, 2592, 5184},
        {27, 54, 96, 168, 324, 648, 1266, 1944, 3888, 7776},
        {73, 132, 261, 468, 864, 1728, 2952, 5832, 11664},
        {186, 333, 648, 1296, 2268, 4536, 8856, 17496},
        {486, 972, 1836, 3645, 6480, 12960, 25920},
        {1377, 2592, 5184, 10368, 19440, 38880},
        {3645, 7290, 14580, 29160, 58320},
        {10935, 21141, 42282, 84564},
        {32805, 59049, 118098},
        {59049, 118098},
        {177147},
    }},
    // Radius 2.
    {{
        {1, 1, 1, 2, 2, 2, 4, 7, 12, 16, 30, 44, 78, 128, 256},
        {1, 1, 2, 2, 3, 6, 8, 12, 20, 35, 60, 96, 192, 384},
        {1, 2, 3, 4, 6, 11, 16, 28, 48, 74, 144, 288, 576},
        {3, 3, 5, 8, 13, 24, 36, 60, 96, 192, 384, 768},
        {3, 6, 10, 18, 24, 48, 72, 144, 270, 540, 1080},
        {8, 12, 23, 36, 66, 108, 198, 384, 756, 1440},
        {17, 27, 48, 78, 144, 288, 564, 1116, 2112},
        {34, 54, 108, 216, 432, 828, 1488, 2976},
        {81, 162, 288, 576, 1134, 2196, 3888},
        {219, 438, 729, 1404, 2808, 5616},
        {558, 729, 1458, 2916, 5832},
        {729, 1458, 2916, 5832},
        {2187, 4374, 8748},
        {6561, 13122},
        {19683},
    }},
    // Radius 3.
    {{
        {1, 1, 1, 1, 2, 2, 2, 2, 4, 7, 12, 16, 30, 56, 88},
        {1, 1, 1, 2, 2, 2, 3, 6, 8, 12, 20, 32, 64, 120},
        {1, 1, 2, 2, 3, 4, 6, 11, 16, 28, 48, 96, 148},
        {1, 2, 3, 3, 5, 8, 12, 20, 36, 60, 120, 192},
        {3, 3, 4, 6, 10, 16, 24, 48, 72, 144, 270},
        {3, 4, 7, 12, 22, 36, 54, 96, 180, 315},
        {6, 9, 17, 27, 48, 72, 135, 252, 432},
        {12, 21, 34, 60, 108, 204, 272, 540},
        {27, 42, 84, 153, 216, 432, 648},
        {63, 108, 189, 324, 594, 972},
        {126, 243, 432, 702, 1296},
        {243, 486, 729, 1458},
        {729, 1215, 2187},
        {1215, 2187},
        {2187},
    }},
}};

// The best known sizes of the pure shapes of lengths 4 to 14 (ternary radius 1 to 3, binary
// radius 1 and 2), from the published tables of covering codes.
using TRecords = std::array<std::size_t, 11>;
constexpr TRecords kTernaryR1 = {9, 27, 73, 186, 486, 1269, 3645, 9477, 27702, 59049, 177147};
constexpr TRecords kTernaryR2 = {3, 8, 17, 34, 81, 219, 555, 729, 2187, 6561, 19683};
constexpr TRecords kTernaryR3 = {3, 3, 6, 12, 27, 54, 105, 243, 657, 1215, 2187};
constexpr TRecords kBinaryR1 = {4, 7, 12, 16, 32, 62, 120, 192, 380, 704, 1408};
constexpr TRecords kBinaryR2 = {2, 2, 4, 7, 12, 16, 30, 44, 78, 128, 248};

// The words of the shape's space farther than code.Radius from every code word: each code word
// marks every word within the radius of it, position by position, in a map of the whole space.
std::size_t UncoveredWords(const TCode& code) {
    const auto length = static_cast<std::size_t>(code.Length());
    std::vector<std::size_t> place(length);
    std::vector<std::uint8_t> signs(length);
    std::size_t space = 1;
    for (std::size_t p = length; p-- > 0;) {
        place[p] = space;
        signs[p] = p < static_cast<std::size_t>(code.Triples) ? 3 : 2;
        space *= signs[p];
    }
    std::vector<bool> covered(space, false);
    struct TMarker {
        const std::vector<std::size_t>& Place;
        const std::vector<std::uint8_t>& Signs;
        std::vector<bool>& Covered;
        void Mark(const std::uint8_t* word, std::size_t number, std::size_t from, int left) {
            Covered[number] = true;
            for (std::size_t p = from; left > 0 && p < Place.size(); ++p) {
                for (std::uint8_t sign = 0; sign < Signs[p]; ++sign) {
                    if (sign != word[p]) {
                        Mark(word, number + sign * Place[p] - word[p] * Place[p], p + 1, left - 1);
                    }
                }
            }
        }
    } marker{place, signs, covered};
    for (std::size_t w = 0; w < code.Size(); ++w) {
        const std::uint8_t* word = code.Words.data() + w * length;
        std::size_t number = 0;
        for (std::size_t p = 0; p < length; ++p) {
            EXPECT_LT(word[p], signs[p]) << "word " << w << " position " << p;
            number += word[p] * place[p];
        }
        marker.Mark(word, number, 0, code.Radius);
    }
    return static_cast<std::size_t>(std::count(covered.begin(), covered.end(), false));
}

std::size_t DistinctWords(const TCode& code) {
    const auto length = static_cast<std::size_t>(code.Length());
    std::set<std::vector<std::uint8_t>> words;
    for (std::size_t w = 0; w < code.Size() && length > 0; ++w) {
        words.emplace(code.Words.begin() + static_cast<long>(w * length),
                      code.Words.begin() + static_cast<long>((w + 1) * length));
    }
    return length == 0 ? 1 : words.size();
}

// Builds the shape's construction and checks it word by word against its table size.
void ExpectConstructionCovers(int triples, int doubles, int radius) {
    SCOPED_TRACE(DescribeSmallestConstruction(triples, doubles, radius));
    const TCode code = SmallestConstruction(triples, doubles, radius);
    ASSERT_EQ(code.Triples, triples);
    ASSERT_EQ(code.Doubles, doubles);
    ASSERT_EQ(code.Radius, radius);
    ASSERT_EQ(code.Words.size(), code.Size() * static_cast<std::size_t>(code.Length()));
    EXPECT_EQ(code.Size(), SmallestConstructionSize(triples, doubles, radius));
    EXPECT_EQ(DistinctWords(code), code.Size());
    EXPECT_EQ(UncoveredWords(code), 0u);
}

}  // namespace

TEST(covering_constructions, every_pure_shape_covers_its_whole_space) {
    for (int length = 0; length <= kMaxCodeLength; ++length) {
        // At radius 0 the construction is the whole space, listed word by word: past 10
        // positions that only costs time.
        for (int radius = length > 10 ? 1 : 0; radius <= kMaxCodeRadius; ++radius) {
            ExpectConstructionCovers(length, 0, radius);
            ExpectConstructionCovers(0, length, radius);
        }
    }
}

TEST(covering_constructions, mixed_shapes_cover_their_whole_space_at_every_radius) {
    for (int triples = 1; triples < kMaxCodeLength; ++triples) {
        for (int doubles = 1; triples + doubles <= kMaxCodeLength; ++doubles) {
            for (int radius = 1; radius <= kMaxCodeRadius; ++radius) {
                SCOPED_TRACE(testing::Message()
                             << triples << " triples, " << doubles << " doubles");
                ExpectConstructionCovers(triples, doubles, radius);
            }
        }
    }
}

TEST(covering_constructions, every_shape_has_its_pinned_size) {
    for (int radius = 1; radius <= kMaxCodeRadius; ++radius) {
        for (int triples = 0; triples <= kMaxCodeLength; ++triples) {
            for (int doubles = 0; triples + doubles <= kMaxCodeLength; ++doubles) {
                EXPECT_EQ(
                    SmallestConstructionSize(triples, doubles, radius),
                    kPinnedSizes[static_cast<std::size_t>(radius - 1)][static_cast<std::size_t>(
                        triples)][static_cast<std::size_t>(doubles)])
                    << "T" << triples << "D" << doubles << "R" << radius;
            }
        }
    }
}

TEST(covering_constructions, pure_shapes_reach_the_record_in_47_of_55_cells_and_never_beat_it) {
    const std::array<std::pair<const TRecords*, int>, 5> tables = {
        {{&kTernaryR1, 1}, {&kTernaryR2, 2}, {&kTernaryR3, 3}, {&kBinaryR1, 1}, {&kBinaryR2, 2}}};
    int reached = 0;
    for (std::size_t table = 0; table < tables.size(); ++table) {
        const auto& [records, radius] = tables[table];
        const bool ternary = table < 3;
        for (int length = 4; length <= kMaxCodeLength; ++length) {
            const std::size_t size = ternary ? SmallestConstructionSize(length, 0, radius)
                                             : SmallestConstructionSize(0, length, radius);
            const std::size_t record = (*records)[static_cast<std::size_t>(length - 4)];
            // A size below a record would be a new result, to be checked by hand first.
            EXPECT_GE(size, record) << (ternary ? "T" : "D") << length << "R" << radius;
            reached += size == record ? 1 : 0;
        }
    }
    EXPECT_EQ(reached, 47);
}

TEST(covering_constructions, perfect_codes_cover_every_word_exactly_once) {
    const TCode hamming4 = WordsOfMatrixCode(HammingCode(3, 2));
    EXPECT_EQ(hamming4.Size(), 9u);
    EXPECT_EQ(UncoveredWords(hamming4), 0u);
    const TCode hamming13 = WordsOfMatrixCode(HammingCode(3, 3));
    EXPECT_EQ(hamming13.Triples, 13);
    EXPECT_EQ(hamming13.Size(), 59049u);
    EXPECT_EQ(UncoveredWords(hamming13), 0u);
    const TCode hamming7 = WordsOfMatrixCode(HammingCode(2, 3));
    EXPECT_EQ(hamming7.Doubles, 7);
    EXPECT_EQ(hamming7.Size(), 16u);
    EXPECT_EQ(UncoveredWords(hamming7), 0u);
    TCode golay = WordsOfMatrixCode(TernaryGolayCode());
    EXPECT_EQ(golay.Triples, 11);
    EXPECT_EQ(golay.Size(), 729u);
    EXPECT_EQ(UncoveredWords(golay), 0u);
    // The balls of radius 2 are disjoint, so those of radius 1 (23 words each) leave the rest.
    golay.Radius = 1;
    EXPECT_EQ(UncoveredWords(golay), 177147u - 729u * 23u);
    const TCode dual = WordsOfMatrixCode(TernaryDualGolayCode());
    EXPECT_EQ(dual.Size(), 243u);
    EXPECT_EQ(UncoveredWords(dual), 0u);
    golay.Radius = 2;
    golay.Words[0] = static_cast<std::uint8_t>((golay.Words[0] + 1) % 3);
    EXPECT_GT(UncoveredWords(golay), 0u);
}

TEST(covering_constructions, the_sweep_counts_the_words_a_missing_code_word_leaves_bare) {
    TCode hamming4 = WordsOfMatrixCode(HammingCode(3, 2));
    hamming4.Words.resize(hamming4.Words.size() - 4);
    // A perfect code's balls are disjoint: the last word's 1 + 2 * 4 words lose their cover.
    EXPECT_EQ(UncoveredWords(hamming4), 9u);
}

TEST(covering_constructions, the_blow_up_of_the_ternary_code_of_three_has_length_ten) {
    const TMatrixCode lifted = BlowUp(TMatrixCode{3, 3, 1, {1, 3, 9}, {2, 3, 9, 14, 25}});
    EXPECT_EQ(lifted.Columns.size(), 10u);
    EXPECT_EQ(lifted.Rows, 4);
    const TCode code = WordsOfMatrixCode(lifted);
    EXPECT_EQ(code.Size(), 3645u);
    EXPECT_EQ(UncoveredWords(code), 0u);
    EXPECT_THROW_MSG(BlowUp(TernaryGolayCode()), std::invalid_argument,
                     "blow-up needs a radius-1 matrix code");
}

TEST(covering_constructions, sums_narrowing_and_puncturing_keep_the_radius) {
    const TCode hamming4 = WordsOfMatrixCode(HammingCode(3, 2));
    const TCode repetition3 = WordsOfMatrixCode(HammingCode(2, 2));
    const TCode sum = DirectSum(hamming4, repetition3);
    EXPECT_EQ(sum.Triples, 4);
    EXPECT_EQ(sum.Doubles, 3);
    EXPECT_EQ(sum.Radius, 2);
    EXPECT_EQ(sum.Size(), 18u);
    EXPECT_EQ(UncoveredWords(sum), 0u);
    const TCode freed = DirectSum(hamming4, WholeSpace(1, 2));
    EXPECT_EQ(freed.Size(), 9u * 12u);
    EXPECT_EQ(freed.Radius, 1);
    EXPECT_EQ(UncoveredWords(freed), 0u);
    EXPECT_EQ(WholeSpace(0, 0).Size(), 1u);

    const TCode narrowed = NarrowPosition(hamming4, 1);
    EXPECT_EQ(narrowed.Triples, 3);
    EXPECT_EQ(narrowed.Doubles, 1);
    EXPECT_EQ(UncoveredWords(narrowed), 0u);
    const TCode punctured = PuncturePosition(hamming4, 0);
    EXPECT_EQ(punctured.Triples, 3);
    EXPECT_EQ(punctured.Size(), 9u);
    EXPECT_EQ(UncoveredWords(punctured), 0u);
    EXPECT_THROW_MSG(NarrowPosition(hamming4, 4), std::invalid_argument,
                     "narrowed position must be ternary");

    const TCode hamming7 = WordsOfMatrixCode(HammingCode(2, 3));
    const TCode amalgamated = AmalgamatedDirectSum(hamming7, 0, hamming7, 0);
    EXPECT_EQ(amalgamated.Doubles, 13);
    EXPECT_EQ(amalgamated.Radius, 2);
    EXPECT_EQ(amalgamated.Size(), 128u);
    EXPECT_EQ(UncoveredWords(amalgamated), 0u);
    EXPECT_THROW_MSG(AmalgamatedDirectSum(hamming7, 0, hamming4, 0), std::invalid_argument,
                     "amalgamated positions must have the same number of signs");
}

TEST(covering_constructions, published_bounds_and_known_smallest_sizes) {
    EXPECT_EQ(PublishedLowerBound(6, 0, 1), 71u);
    EXPECT_EQ(PublishedLowerBound(9, 0, 1), 1064u);
    EXPECT_EQ(PublishedLowerBound(0, 9, 1), 62u);
    EXPECT_EQ(PublishedLowerBound(3, 2, 1), 0u);
    EXPECT_EQ(PublishedLowerBound(5, 0, 0), 243u);
    EXPECT_EQ(PublishedLowerBound(2, 1, 3), 1u);
    EXPECT_TRUE(KnownSmallest(4, 0, 1, 9));
    EXPECT_TRUE(KnownSmallest(5, 0, 1, 27));
    EXPECT_TRUE(KnownSmallest(13, 0, 1, 59049));
    EXPECT_TRUE(KnownSmallest(11, 0, 2, 729));
    EXPECT_TRUE(KnownSmallest(0, 7, 1, 16));
    EXPECT_TRUE(KnownSmallest(0, 9, 3, 7));
    EXPECT_FALSE(KnownSmallest(6, 0, 1, 73));
    EXPECT_FALSE(KnownSmallest(6, 0, 1, 71));
    EXPECT_FALSE(KnownSmallest(4, 0, 1, 10));
    for (int length = 0; length <= kMaxCodeLength; ++length) {
        for (int radius = 0; radius <= kMaxCodeRadius; ++radius) {
            EXPECT_LE(PublishedLowerBound(length, 0, radius),
                      SmallestConstructionSize(length, 0, radius));
            EXPECT_LE(PublishedLowerBound(0, length, radius),
                      SmallestConstructionSize(0, length, radius));
        }
    }
}

namespace {

// ceil(signs^length / V), V the number of words within the radius of a word: no code of the
// shape is smaller, and no published bound may be lower.
std::size_t SphereCoveringBound(int signs, int length, int radius) {
    std::size_t ball = 0;
    std::size_t choose = 1;  // length over i
    std::size_t others = 1;  // (signs - 1)^i
    for (int i = 0; i <= radius; ++i) {
        ball += choose * others;
        choose = choose * static_cast<std::size_t>(length - i) / static_cast<std::size_t>(i + 1);
        others *= static_cast<std::size_t>(signs - 1);
    }
    std::size_t space = 1;
    for (int p = 0; p < length; ++p) {
        space *= static_cast<std::size_t>(signs);
    }
    return (space + ball - 1) / ball;
}

}  // namespace

TEST(covering_constructions, published_bounds_are_those_of_the_newest_tables) {
    // Every pure shape longer than its radius, radius 1 to 3: the bound of the tables of covering
    // codes and whether a code of that size is known.
    struct TCell {
        int Signs;
        int Length;
        int Radius;
        std::size_t Lower;
        bool Exact;
    };
    constexpr std::array<TCell, 72> kCells{{
        {3, 2, 1, 3, true},        {3, 3, 1, 5, true},       {3, 4, 1, 9, true},
        {3, 5, 1, 27, true},       {3, 6, 1, 71, false},     {3, 7, 1, 156, false},
        {3, 8, 1, 403, false},     {3, 9, 1, 1064, false},   {3, 10, 1, 2854, false},
        {3, 11, 1, 7832, false},   {3, 12, 1, 21531, false}, {3, 13, 1, 59049, true},
        {3, 14, 1, 166610, false}, {3, 3, 2, 3, true},       {3, 4, 2, 3, true},
        {3, 5, 2, 8, true},        {3, 6, 2, 15, false},     {3, 7, 2, 27, false},
        {3, 8, 2, 58, false},      {3, 9, 2, 132, false},    {3, 10, 2, 323, false},
        {3, 11, 2, 729, true},     {3, 12, 2, 1919, false},  {3, 13, 2, 5062, false},
        {3, 14, 2, 12323, false},  {3, 4, 3, 3, true},       {3, 5, 3, 3, true},
        {3, 6, 3, 6, true},        {3, 7, 3, 11, false},     {3, 8, 3, 16, false},
        {3, 9, 3, 31, false},      {3, 10, 3, 61, false},    {3, 11, 3, 129, false},
        {3, 12, 3, 282, false},    {3, 13, 3, 640, false},   {3, 14, 3, 1553, false},
        {2, 2, 1, 2, true},        {2, 3, 1, 2, true},       {2, 4, 1, 4, true},
        {2, 5, 1, 7, true},        {2, 6, 1, 12, true},      {2, 7, 1, 16, true},
        {2, 8, 1, 32, true},       {2, 9, 1, 62, true},      {2, 10, 1, 107, false},
        {2, 11, 1, 180, false},    {2, 12, 1, 342, false},   {2, 13, 1, 607, false},
        {2, 14, 1, 1185, false},   {2, 3, 2, 2, true},       {2, 4, 2, 2, true},
        {2, 5, 2, 2, true},        {2, 6, 2, 4, true},       {2, 7, 2, 7, true},
        {2, 8, 2, 12, true},       {2, 9, 2, 16, true},      {2, 10, 2, 24, false},
        {2, 11, 2, 37, false},     {2, 12, 2, 62, false},    {2, 13, 2, 101, false},
        {2, 14, 2, 170, false},    {2, 4, 3, 2, true},       {2, 5, 3, 2, true},
        {2, 6, 3, 2, true},        {2, 7, 3, 2, true},       {2, 8, 3, 4, true},
        {2, 9, 3, 7, true},        {2, 10, 3, 12, true},     {2, 11, 3, 15, false},
        {2, 12, 3, 19, false},     {2, 13, 3, 28, false},    {2, 14, 3, 44, false},
    }};
    const std::array<const TRecords*, 3> ternaryRecords = {&kTernaryR1, &kTernaryR2, &kTernaryR3};
    const std::array<const TRecords*, 3> binaryRecords = {&kBinaryR1, &kBinaryR2, nullptr};
    for (const TCell& cell : kCells) {
        const int triples = cell.Signs == 3 ? cell.Length : 0;
        const int doubles = cell.Signs == 2 ? cell.Length : 0;
        SCOPED_TRACE(testing::Message()
                     << "K" << cell.Signs << "(" << cell.Length << "," << cell.Radius << ")");
        EXPECT_EQ(PublishedLowerBound(triples, doubles, cell.Radius), cell.Lower);
        EXPECT_EQ(KnownSmallest(triples, doubles, cell.Radius, cell.Lower), cell.Exact);
        EXPECT_FALSE(KnownSmallest(triples, doubles, cell.Radius, cell.Lower + 1));
        EXPECT_GE(cell.Lower, SphereCoveringBound(cell.Signs, cell.Length, cell.Radius));
        EXPECT_LE(cell.Lower, SmallestConstructionSize(triples, doubles, cell.Radius));
        const TRecords* records =
            (cell.Signs == 3 ? ternaryRecords
                             : binaryRecords)[static_cast<std::size_t>(cell.Radius - 1)];
        if (records != nullptr && cell.Length >= 4) {
            const std::size_t best = (*records)[static_cast<std::size_t>(cell.Length - 4)];
            EXPECT_LE(cell.Lower, best);
            EXPECT_EQ(cell.Exact, cell.Lower == best);
        }
    }
}

TEST(covering_constructions, shapes_out_of_range_are_refused) {
    EXPECT_THROW_MSG(SmallestConstruction(15, 0, 1), std::invalid_argument, "shape out of range");
    EXPECT_THROW_MSG(SmallestConstructionSize(7, 8, 1), std::invalid_argument,
                     "shape out of range");
    EXPECT_THROW_MSG(SmallestConstructionSize(-1, 3, 1), std::invalid_argument,
                     "shape out of range");
    EXPECT_THROW_MSG(PublishedLowerBound(3, 3, 4), std::invalid_argument, "shape out of range");
    EXPECT_THROW_MSG(KnownSmallest(3, 3, -1, 1), std::invalid_argument, "shape out of range");
}

}  // namespace kelvo
