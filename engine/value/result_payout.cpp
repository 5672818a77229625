#include "value/result_payout.h"

#include "value/pool_share.h"

namespace kelvo {

namespace {

std::array<double, kPlenoGoals> GoalShares(const std::array<double, kPlenoGoals>& percentages) {
    double sum = 0;
    for (const double percentage : percentages) {
        sum += percentage;
    }
    std::array<double, kPlenoGoals> shares{};
    for (std::size_t g = 0; g < shares.size(); ++g) {
        shares[g] = sum > 0 ? percentages[g] / sum : 0;
    }
    return shares;
}

}  // namespace

TPayout PayoutOf(const TWeekPool& pool) {
    TPayout payout;
    payout.Chances = SharesOf(pool.Chances);
    payout.Public = SharesOf(pool.Public);
    payout.Bets = pool.Price > 0 ? pool.Takings / pool.Price : 0;
    for (std::size_t c = 0; c < kPrizeCategories; ++c) {
        payout.Pools[c] = pool.Takings * pool.Rules.Shares[c] / 100;
    }
    payout.Pools[0] += pool.Jackpot;
    payout.SpecialPool = pool.Takings * pool.Rules.SpecialShare / 100;
    payout.BetsPerColumn = BetsPerColumn(pool.Pleno);
    const std::array<std::array<double, kPlenoGoals>, 2> chances = {
        GoalShares(pool.Pleno.Chances[0]), GoalShares(pool.Pleno.Chances[1])};
    const std::array<std::array<double, kPlenoGoals>, 2> publicShares = {
        GoalShares(pool.Pleno.Public[0]), GoalShares(pool.Pleno.Public[1])};
    for (int result = 0; result < kPlenoResults; ++result) {
        if (pool.Pleno.Chosen[static_cast<std::size_t>(result)]) {
            const auto home = static_cast<std::size_t>(result / kPlenoGoals);
            const auto away = static_cast<std::size_t>(result % kPlenoGoals);
            payout.Pleno.emplace_back(chances[0][home] * chances[1][away],
                                      publicShares[0][home] * publicShares[1][away]);
        }
    }
    return payout;
}

double CategoryWin(const TPayout& payout, std::size_t category, long long winners, double wrong) {
    if (winners <= 0) {
        return 0;
    }
    return payout.Pools[category] *
           ShareOfPool(payout.BetsPerColumn * winners, payout.Bets * wrong);
}

double SpecialWin(const TPayout& payout, long long winners, double others) {
    double win = 0;
    for (const auto& [chance, share] : payout.Pleno) {
        win += chance * payout.SpecialPool * ShareOfPool(winners, others * share);
    }
    return win;
}

double ResultWin(const TPayout& payout, std::size_t category, long long winners,
                 const std::array<double, kPrizeCategories>& wrong) {
    double win = CategoryWin(payout, category, winners, wrong[category]);
    if (category == 0 && winners > 0) {
        win += SpecialWin(payout, winners, payout.Bets * wrong[0]);
    }
    return win;
}

}  // namespace kelvo
