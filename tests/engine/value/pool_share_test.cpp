#include "value/pool_share.h"

#include <gtest/gtest.h>

#include <cmath>

#include "test_support.h"

namespace kelvo {
namespace {

TEST(pool_share, matches_the_summed_series_for_every_mean_and_few_or_many_bets) {
    const double means[] = {0,    1e-6, 1e-3, 0.3, 1,   2.5, 9,   17,    39.5,
                            40.5, 55.5, 120,  999, 1e4, 2e4, 1e5, 3.3e5, 1e6};
    const long long betsCases[] = {1, 2, 3, 4, 5, 6, 7, 8, 15, 64, 300, 2500, 16016};
    for (const double others : means) {
        for (const long long bets : betsCases) {
            const long double literal = LiteralShareOfPool(bets, others);
            const double share = ShareOfPool(bets, others);
            EXPECT_LT(std::abs(share - literal) / literal, 1e-9)
                << "bets " << bets << ", others " << others << ": " << share << " against "
                << static_cast<double>(literal);
        }
    }
}

TEST(pool_share, no_bets_take_nothing_and_no_others_leave_the_whole_pool) {
    EXPECT_EQ(ShareOfPool(0, 5), 0);
    EXPECT_EQ(ShareOfPool(3, 0), 1);
}

}  // namespace
}  // namespace kelvo
