#include "optimise/product_cover.h"

#include "test_support.h"

namespace kelvo {

TEST(product_cover, full_developments_of_triples_get_the_product_of_the_best_codes) {
    // 5 triples: the Hamming code of 4 times every sign; 9: the code of 8 times every sign.
    const std::vector<std::pair<int, std::size_t>> sizes = {{4, 9},   {5, 27},  {6, 73},
                                                            {7, 186}, {8, 486}, {9, 1458}};
    for (const auto& [varying, size] : sizes) {
        const std::vector<std::string> columns = Development(varying);
        const TCoverage coverage(KeysOf(columns), 1);
        const std::vector<std::size_t> chosen = ProductCover(coverage, 1);
        EXPECT_EQ(chosen.size(), size) << varying;
        EXPECT_EQ(FirstUncovered(coverage, chosen), TCoverage::kNone) << varying;
        EXPECT_TRUE(std::is_sorted(chosen.begin(), chosen.end()));
    }
    const std::vector<std::string> five = Development(5);
    const TCoverage coverage(KeysOf(five), 1);
    EXPECT_TRUE(LiterallyCovers(five, TextsOf(coverage, ProductCover(coverage, 1)), 1));
}

TEST(product_cover, mixed_signs_and_larger_radii_take_a_code_per_unit_of_radius) {
    // Three doubles and four triples: the binary Hamming code of 3 (2 words) and the ternary
    // code of 4 (9 words) give 18 at radius 2; at radius 1 the code of 4 alone gives 9 * 8; at
    // radius 3 the codes of 3 and of 1 triples and of 3 doubles give 5 * 1 * 2.
    const std::vector<std::string> signs = {"1X", "12", "X2", "1X2", "1X2", "1X2", "1X2"};
    const std::vector<std::string> columns = Development(signs);
    for (const auto& [radius, size] :
         std::vector<std::pair<int, std::size_t>>{{1, 72}, {2, 18}, {3, 10}}) {
        const TCoverage coverage(KeysOf(columns), radius);
        const std::vector<std::size_t> chosen = ProductCover(coverage, radius);
        EXPECT_EQ(chosen.size(), size) << radius;
        EXPECT_TRUE(LiterallyCovers(columns, TextsOf(coverage, chosen), radius)) << radius;
    }
}

TEST(product_cover, sets_that_are_not_full_developments_get_none) {
    std::vector<std::string> columns = Development(5);
    columns.pop_back();
    EXPECT_TRUE(ProductCover(TCoverage(KeysOf(columns), 1), 1).empty());
    // Four signs at a position: no code is known for them.
    const std::vector<std::string> four = Development({"1X2x", "1X2", "1X2"});
    EXPECT_TRUE(ProductCover(TCoverage(KeysOf(four), 1), 1).empty());
    EXPECT_TRUE(ProductCover(TCoverage(KeysOf({}), 1), 1).empty());
}

TEST(product_cover, a_single_column_and_radius_zero_keep_every_column) {
    EXPECT_EQ(ProductCover(TCoverage(KeysOf({"11111111111111"}), 1), 1),
              std::vector<std::size_t>{0});
    const std::vector<std::string> columns = Development(3);
    EXPECT_EQ(ProductCover(TCoverage(KeysOf(columns), 0), 0).size(), 27u);
}

}  // namespace kelvo
