#include "optimise/orbit_search.h"

#include <stdexcept>
#include <vector>

#include "test_support.h"

namespace kelvo {

namespace {

// The shift of the first `length` of `positions` positions, p to p + 1 mod length.
std::vector<int> Shift(int length, int positions) {
    std::vector<int> permutation;
    for (int p = 0; p < positions; ++p) {
        permutation.push_back(p < length ? (p + 1) % length : p);
    }
    return permutation;
}

// Whether every word of the binary space of `code` lies within its radius of a code word,
// literally.
bool LiterallyCoversBinary(const TCode& code) {
    const auto length = static_cast<std::size_t>(code.Length());
    for (std::size_t x = 0; x < (std::size_t{1} << length); ++x) {
        bool near = false;
        for (std::size_t w = 0; w < code.Size() && !near; ++w) {
            int distance = 0;
            for (std::size_t p = 0; p < length; ++p) {
                distance += code.Words[w * length + p] != ((x >> p) & 1U);
            }
            near = distance <= code.Radius;
        }
        if (!near) {
            return false;
        }
    }
    return true;
}

}  // namespace

TEST(orbit_search, finds_the_cyclic_hamming_code_of_seven_doubles) {
    // The Hamming code [7,4] is cyclic: 0, 1111111 and two orbits of 7 words under the shift.
    TOrbitSearchLimits limits;
    limits.Seed = 1;
    limits.Steps = 1000;
    limits.Target = 16;
    const TOrbitSearchResult found = SearchOrbitCode(0, 7, 1, {Shift(7, 7)}, limits);
    EXPECT_EQ(found.Size, 16u);
    EXPECT_EQ(found.Orbits, 20u);
    EXPECT_LT(found.Steps, limits.Steps);
    const TCode code = OrbitCode(0, 7, 1, {Shift(7, 7)}, found.Representatives);
    EXPECT_EQ(code.Size(), 16u);
    EXPECT_TRUE(LiterallyCoversBinary(code));
}

TEST(orbit_search, stops_at_the_target_size_or_the_steps) {
    TOrbitSearchLimits limits;
    limits.Seed = 1;
    limits.Steps = 1000;
    limits.Target = 72;
    // 9 doubles at radius 1 need 62 words at least.
    const TOrbitSearchResult early = SearchOrbitCode(0, 9, 1, {Shift(9, 9)}, limits);
    EXPECT_LE(early.Size, 72u);
    EXPECT_GE(early.Size, 62u);
    EXPECT_LT(early.Steps, limits.Steps);
    EXPECT_TRUE(LiterallyCoversBinary(OrbitCode(0, 9, 1, {Shift(9, 9)}, early.Representatives)));
    limits.Target = 0;
    limits.Steps = 0;
    const TOrbitSearchResult none = SearchOrbitCode(0, 9, 1, {Shift(9, 9)}, limits);
    EXPECT_EQ(none.Size, 512u);
    EXPECT_EQ(none.Steps, 0u);
}

TEST(orbit_search, refuses_shapes_and_permutations_that_do_not_fit) {
    const std::string shape =
        "orbit search needs a shape of 1 to 14 positions, at most 2^20 words, a radius of 0 to 3 "
        "and permutations of its positions that keep ternary ones ternary";
    EXPECT_THROW_MSG(SearchOrbitCode(0, 0, 1, {}, {}), std::invalid_argument, shape);
    EXPECT_THROW_MSG(SearchOrbitCode(13, 0, 1, {}, {}), std::invalid_argument, shape);
    EXPECT_THROW_MSG(SearchOrbitCode(0, 7, 4, {}, {}), std::invalid_argument, shape);
    EXPECT_THROW_MSG(SearchOrbitCode(0, 7, 1, {Shift(7, 6)}, {}), std::invalid_argument, shape);
    EXPECT_THROW_MSG(SearchOrbitCode(0, 3, 1, {{0, 0, 1}}, {}), std::invalid_argument, shape);
    EXPECT_THROW_MSG(SearchOrbitCode(1, 2, 1, {{1, 0, 2}}, {}), std::invalid_argument, shape);
    EXPECT_THROW_MSG(OrbitCode(0, 3, 1, {}, {8}), std::invalid_argument, "orbit words do not fit");
    EXPECT_THROW_MSG(OrbitCode(1, 2, 1, {{1, 0, 2}}, {0}), std::invalid_argument,
                     "orbit words do not fit");
}

}  // namespace kelvo
