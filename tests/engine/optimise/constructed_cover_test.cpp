#include "optimise/constructed_cover.h"

#include "test_support.h"

namespace kelvo {

TEST(constructed_cover, full_developments_of_triples_get_the_smallest_construction) {
    // 5 triples: the Hamming code of 4 times every sign; 9: a matrix-method code; 10:
    // the blow-up of the code of 3.
    const std::vector<std::pair<int, std::size_t>> sizes = {
        {4, 9}, {5, 27}, {6, 73}, {7, 186}, {8, 486}, {9, 1377}, {10, 3645}};
    for (const auto& [varying, size] : sizes) {
        const std::vector<std::string> columns = Development(varying);
        const TCoverage coverage(KeysOf(columns), 1);
        const std::vector<std::size_t> chosen = ConstructedCover(coverage, 1);
        EXPECT_EQ(chosen.size(), size) << varying;
        EXPECT_EQ(FirstUncovered(coverage, chosen), TCoverage::kNone) << varying;
        EXPECT_TRUE(std::is_sorted(chosen.begin(), chosen.end()));
        EXPECT_EQ(std::adjacent_find(chosen.begin(), chosen.end()), chosen.end()) << varying;
    }
    const std::vector<std::string> five = Development(5);
    const TCoverage coverage(KeysOf(five), 1);
    EXPECT_TRUE(LiterallyCovers(five, TextsOf(coverage, ConstructedCover(coverage, 1)), 1));
}

TEST(constructed_cover, mixed_signs_map_ternary_digits_to_triples_and_binary_ones_to_doubles) {
    // Three doubles (of three different pairs of signs) and four triples: at radius 1 the Hamming
    // code of 4 times every double, 9 * 8; at radius 2 the code of 4 and the binary Hamming code
    // of 3, 9 * 2; at radius 3 the code of 4 with its last position narrowed to a double and the
    // repetition code of 3 doubles (3 * 2).
    const std::vector<std::string> signs = {"1X", "12", "X2", "1X2", "1X2", "1X2", "1X2"};
    const std::vector<std::string> columns = Development(signs);
    for (const auto& [radius, size] :
         std::vector<std::pair<int, std::size_t>>{{1, 72}, {2, 18}, {3, 6}}) {
        const TCoverage coverage(KeysOf(columns), radius);
        const std::vector<std::size_t> chosen = ConstructedCover(coverage, radius);
        EXPECT_EQ(chosen.size(), size) << radius;
        EXPECT_TRUE(LiterallyCovers(columns, TextsOf(coverage, chosen), radius)) << radius;
    }
    // Two triples and one double at radius 1: 4 columns (a union of orbits), where a product of
    // codes needs 6; the triples sit after the doubles and take signs in an order other than 1,
    // X, 2.
    const std::vector<std::string> mixed = Development({"1", "2X", "X12", "21X"});
    const TCoverage coverage(KeysOf(mixed), 1);
    const std::vector<std::size_t> chosen = ConstructedCover(coverage, 1);
    EXPECT_EQ(chosen.size(), 4u);
    EXPECT_TRUE(LiterallyCovers(mixed, TextsOf(coverage, chosen), 1));
}

TEST(constructed_cover, the_shape_counts_the_positions_of_three_and_of_two_signs) {
    const std::optional<TDevelopmentShape> shape =
        FullDevelopmentShape(TCoverage(KeysOf(Development({"12", "1X2", "X", "1X", "X2"})), 1));
    ASSERT_TRUE(shape);
    EXPECT_EQ(shape->Triples, 1);
    EXPECT_EQ(shape->Doubles, 3);
    EXPECT_FALSE(FullDevelopmentShape(TCoverage(KeysOf({}), 1)));
}

TEST(constructed_cover, sets_that_are_not_full_developments_get_none) {
    std::vector<std::string> columns = Development(5);
    columns.pop_back();
    EXPECT_TRUE(ConstructedCover(TCoverage(KeysOf(columns), 1), 1).empty());
    EXPECT_FALSE(FullDevelopmentShape(TCoverage(KeysOf(columns), 1)));
    // Four signs at a position: no code is known for them.
    const std::vector<std::string> four = Development({"1X2x", "1X2", "1X2"});
    EXPECT_TRUE(ConstructedCover(TCoverage(KeysOf(four), 1), 1).empty());
    EXPECT_FALSE(FullDevelopmentShape(TCoverage(KeysOf(four), 1)));
    EXPECT_TRUE(ConstructedCover(TCoverage(KeysOf({}), 1), 1).empty());
}

TEST(constructed_cover, a_single_column_radius_zero_and_large_radii) {
    EXPECT_EQ(ConstructedCover(TCoverage(KeysOf({"11111111111111"}), 1), 1),
              std::vector<std::size_t>{0});
    const std::vector<std::string> columns = Development(3);
    EXPECT_EQ(ConstructedCover(TCoverage(KeysOf(columns), 0), 0).size(), 27u);
    // Beyond radius 3 the code of radius 3 still covers: its 12 columns for 7 triples.
    const std::vector<std::string> seven = Development(7);
    const TCoverage coverage(KeysOf(seven), 4);
    const std::vector<std::size_t> chosen = ConstructedCover(coverage, 4);
    EXPECT_EQ(chosen.size(), 12u);
    EXPECT_EQ(FirstUncovered(coverage, chosen), TCoverage::kNone);
}

}  // namespace kelvo
