#include "optimise/mixed_space.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "test_support.h"

namespace kelvo {

namespace {

// The digits of every word of two triples and two doubles, in the order of their numbers, written
// out: the first position changes fastest.
std::vector<std::vector<int>> LiteralWords() {
    std::vector<std::vector<int>> words;
    for (int d1 = 0; d1 < 2; ++d1) {
        for (int d0 = 0; d0 < 2; ++d0) {
            for (int t1 = 0; t1 < 3; ++t1) {
                for (int t0 = 0; t0 < 3; ++t0) {
                    words.push_back({t0, t1, d0, d1});
                }
            }
        }
    }
    return words;
}

int Distance(const std::vector<int>& a, const std::vector<int>& b) {
    int distance = 0;
    for (std::size_t p = 0; p < a.size(); ++p) {
        distance += a[p] != b[p] ? 1 : 0;
    }
    return distance;
}

}  // namespace

TEST(mixed_space, numbers_digits_sums_images_and_balls_agree_with_the_words_written_out) {
    const TMixedSpace space(2, 2);
    const std::vector<std::vector<int>> words = LiteralWords();
    ASSERT_EQ(space.Size(), words.size());
    EXPECT_EQ(space.Length(), 4);
    EXPECT_EQ(space.Place(3), 18u);
    const std::vector<int> swap = {1, 0, 3, 2};
    for (std::size_t x = 0; x < words.size(); ++x) {
        for (int p = 0; p < 4; ++p) {
            ASSERT_EQ(space.Digit(x, p), words[x][static_cast<std::size_t>(p)]) << x << " " << p;
        }
        const std::vector<int>& w = words[x];
        EXPECT_EQ(words[space.Permuted(x, swap)], (std::vector<int>{w[1], w[0], w[3], w[2]}));
        for (std::size_t y = 0; y < words.size(); ++y) {
            std::vector<int> sum(4);
            for (std::size_t p = 0; p < 4; ++p) {
                sum[p] = (w[p] + 2 * words[y][p]) % (p < 2 ? 3 : 2);
            }
            ASSERT_EQ(words[space.Add(x, y, 2)], sum) << x << " + 2 * " << y;
        }
        for (int radius = 0; radius <= 2; ++radius) {
            std::vector<std::size_t> ball;
            space.Ball(x, radius, [&](std::size_t y) { ball.push_back(y); });
            EXPECT_EQ(ball.front(), x);
            std::sort(ball.begin(), ball.end());
            std::vector<std::size_t> literal;
            for (std::size_t y = 0; y < words.size(); ++y) {
                if (Distance(words[x], words[y]) <= radius) {
                    literal.push_back(y);
                }
            }
            EXPECT_EQ(ball, literal) << x << " at " << radius;
        }
    }
    EXPECT_THROW_MSG(TMixedSpace(-1, 2), std::invalid_argument, "space out of range");
    EXPECT_THROW_MSG(TMixedSpace(9, 8), std::invalid_argument, "space out of range");
}

TEST(mixed_space, affine_permutations_and_the_orbits_they_generate) {
    EXPECT_EQ(AffinePositions(6, 0, 4, 1, 1), (std::vector<int>{1, 2, 3, 0, 4, 5}));
    EXPECT_EQ(AffinePositions(6, 1, 5, 2, 0), (std::vector<int>{0, 1, 3, 5, 2, 4}));
    const TMixedSpace space(2, 2);
    const std::vector<int> shiftDoubles = AffinePositions(4, 2, 2, 1, 1);
    EXPECT_TRUE(PermutesPositions(space, shiftDoubles));
    EXPECT_FALSE(PermutesPositions(space, {2, 1, 0, 3}));
    EXPECT_FALSE(PermutesPositions(space, {0, 0, 2, 3}));
    EXPECT_FALSE(PermutesPositions(space, {0, 1, 2}));
    // (1, 2, 1, 0) is word 1 + 2 * 3 + 9 = 16; the shifts of both kinds reach four words.
    const std::vector<std::vector<int>> shifts = {AffinePositions(4, 0, 2, 1, 1), shiftDoubles};
    EXPECT_EQ(Orbit(space, shifts, 16), (std::vector<std::size_t>{16, 14, 25, 23}));
    EXPECT_EQ(Orbit(space, shifts, 0), (std::vector<std::size_t>{0}));
}

}  // namespace kelvo
