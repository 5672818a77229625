#include "value/set_value.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <string>
#include <thread>

#include "core/parallel.h"
#include "modes/conditions.h"
#include "modes/prizes.h"
#include "modes/result_spread.h"
#include "value/result_payout.h"

namespace kelvo {

namespace {

// The results are valued in kParts parts of consecutive numbers, the first kPartMatches matches
// fixed in each; the parts' sums are added in their order, so the figures do not depend on how
// many threads did the work.
constexpr int kPartMatches = 2;
constexpr std::size_t kParts = 9;

// Calls visit(number, chance, wrong) for every result of part `part` (the results whose first two
// signs are the digits of `part` in base 3) whose chance is above 0, `wrong` the public's chances
// of exactly 0 to 4 matches wrong at it.
template <class Visit>
void VisitResults(const TPayout& payout, std::uint32_t part, Visit&& visit) {
    std::array<TResultLevel, kColumnLength + 1> levels{};
    // Descends match by match, the signs of the first kPartMatches those of `part`'s digits.
    auto descend = [&](auto& self, int p, std::uint32_t prefix) -> void {
        const TResultLevel& at = levels[static_cast<std::size_t>(p)];
        if (p == kColumnLength) {
            visit(prefix, at.Chance, at.Wrong);
            return;
        }
        const auto match = static_cast<std::size_t>(p);
        const int first = p < kPartMatches ? static_cast<int>(p == 0 ? part / 3 : part % 3) : 0;
        const int last = p < kPartMatches ? first : 2;
        for (int s = first; s <= last; ++s) {
            const TResultLevel next = NextLevel(payout, at, match, static_cast<std::size_t>(s));
            if (next.Chance <= 0) {
                continue;
            }
            levels[match + 1] = next;
            self(self, p + 1, prefix * 3 + static_cast<std::uint32_t>(s));
        }
    };
    descend(descend, 0, 0);
}

// Runs value(part) for every part on the machine's cores, and returns once all are done; parts
// not begun once a stop is requested are left out.
template <class Value>
void ValueParts(const std::stop_token& stop, Value&& value) {
    std::atomic<std::size_t> next{0};
    const std::size_t threads =
        std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, kParts);
    RunInParallel(threads, [&](std::size_t) {
        for (std::size_t part = next++; part < kParts && !stop.stop_requested(); part = next++) {
            value(part);
        }
    });
}

}  // namespace

double ShareOfColumn(const TKey& column, const TChances& percentages) {
    const std::string text = ColumnText(column);
    if (text.size() != kColumnLength) {
        return 0;
    }
    return ShareOfSigns(std::span<const char, kColumnLength>(text.data(), kColumnLength),
                        percentages);
}

double ValueOfShares(double chance, double publicShare) {
    if (publicShare > 0) {
        return chance / publicShare;
    }
    return chance > 0 ? std::numeric_limits<double>::infinity() : 0;
}

std::optional<TSetValue> ValueOfSet(std::span<const TKey> columns, const TWeekPool& pool,
                                    TProgressSink* progress, std::stop_token stop) {
    TWorkPace pace(progress, kValuePhase, stop, kSpreadWork + kResults);
    const std::optional<TSpread> spread = SpreadColumns(columns, true, pace);
    if (!spread) {
        return std::nullopt;
    }
    const TPayout payout = PayoutOf(pool);
    struct TSums {
        std::array<double, kPrizeCategories> Expected{};
        double Special = 0;
        double Prize = 0;
    };
    std::array<TSums, kParts> parts{};
    ValueParts(stop, [&](std::size_t part) {
        TSums& sums = parts[part];
        VisitResults(payout, static_cast<std::uint32_t>(part),
                     [&](std::uint32_t number, double chance, const auto& wrong) {
                         if (spread->Fewest[number] >= kPrizeCategories) {
                             return;
                         }
                         sums.Prize += chance;
                         for (std::size_t c = 0; c < kPrizeCategories; ++c) {
                             const std::uint32_t count = spread->Counts[c][number];
                             if (count > 0) {
                                 sums.Expected[c] +=
                                     chance * CategoryWin(payout, c, count, wrong[c]);
                             }
                         }
                         if (spread->Counts[0][number] > 0) {
                             sums.Special += chance * SpecialWin(payout, spread->Counts[0][number],
                                                                 payout.Bets * wrong[0]);
                         }
                     });
    });
    if (!pace.Done(kResults)) {
        return std::nullopt;
    }
    TSetValue value;
    value.Columns = columns.size();
    value.Cost = CostOf(columns.size(), pool.Price, pool.Pleno);
    double special = 0;
    for (const TSums& sums : parts) {
        for (std::size_t c = 0; c < kPrizeCategories; ++c) {
            value.Expected[c] += sums.Expected[c];
        }
        special += sums.Special;
        value.ChanceOfPrize += 100 * sums.Prize;
    }
    if (!payout.Pleno.empty()) {
        value.Special = special;
    }
    value.Total = special;
    for (const double expected : value.Expected) {
        value.Total += expected;
    }
    value.ReturnPerEuro = value.Cost > 0 ? value.Total / value.Cost : 0;
    pace.Finish();
    return value;
}

std::optional<std::vector<TColumnValue>> ValueOfEachColumn(std::span<const TKey> columns,
                                                           const TWeekPool& pool,
                                                           TProgressSink* progress,
                                                           std::stop_token stop) {
    TWorkPace pace(progress, kValuePhase, stop, kSpreadWork + kResults);
    const TPayout payout = PayoutOf(pool);
    // at[d][r]: what result r pays, times its chance, to one column d matches away from it.
    std::array<std::vector<double>, kPrizeCategories> at;
    for (auto& figures : at) {
        figures.assign(kResults, 0);
    }
    ValueParts(stop, [&](std::size_t part) {
        VisitResults(payout, static_cast<std::uint32_t>(part),
                     [&](std::uint32_t number, double chance, const auto& wrong) {
                         for (std::size_t c = 0; c < kPrizeCategories; ++c) {
                             at[c][number] = chance * CategoryWin(payout, c, 1, wrong[c]);
                         }
                         at[0][number] += chance * SpecialWin(payout, 1, payout.Bets * wrong[0]);
                     });
    });
    if (!pace.Done(kResults)) {
        return std::nullopt;
    }
    std::vector<TColumnValue> values(columns.size());
    const double cost = CostOf(1, pool.Price, pool.Pleno);
    // A column with bytes that are no signs is wrong there against every result: it is valued
    // result by result before the figures are gathered.
    for (std::size_t k = 0; k < columns.size(); ++k) {
        if (ResultNumber(columns[k])) {
            continue;
        }
        const TSigns signs = SignsOf(columns[k]);
        const int missing = static_cast<int>(std::count(signs.begin(), signs.end(), kOtherSign));
        if (missing < kPrizeCategories) {
            VisitAround(
                signs, kPrizeCategories - 1 - missing, [&](std::uint32_t number, int changed) {
                    values[k].Expected += at[static_cast<std::size_t>(missing + changed)][number];
                });
        }
    }
    if (!SumAtDistances(at, pace)) {
        return std::nullopt;
    }
    const std::vector<double>& gathered = at[kPrizeCategories - 1];
    for (std::size_t k = 0; k < columns.size(); ++k) {
        TColumnValue& value = values[k];
        if (const auto number = ResultNumber(columns[k])) {
            value.Expected = gathered[*number];
        }
        value.Chance = ShareOfColumn(columns[k], pool.Chances);
        value.PublicShare = ShareOfColumn(columns[k], pool.Public);
        value.Value = ValueOfShares(value.Chance, value.PublicShare);
        value.ReturnPerEuro = cost > 0 ? value.Expected / cost : 0;
    }
    pace.Finish();
    return values;
}

}  // namespace kelvo
