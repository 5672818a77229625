// Every one of the 3^14 results at once: each result's number, and what a set of columns looks
// like from every result (the fewest differences, how many columns differ in exactly 0 to 4
// matches), spread out match by match rather than compared column by column.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <stop_token>
#include <string_view>
#include <vector>

#include "core/column_key.h"
#include "core/prize_categories.h"
#include "core/progress.h"

namespace kelvo {

// Every column of 14 signs has a number from 0 to kResults - 1: its signs (1, X, 2 as 0, 1, 2)
// read as a number in base 3, match 1 the most significant digit.
inline constexpr std::uint32_t kResults = 4782969;

// The fewest differences of a result no column reaches: above every real distance.
inline constexpr std::uint8_t kFar = 64;

// A column's sign digits (kOtherSign where a byte is no sign).
using TSigns = std::array<int, kColumnLength>;
TSigns SignsOf(const TKey& key);

// The number of a column of 14 signs, or nothing.
std::optional<std::uint32_t> ResultNumber(const TKey& key);

// Reports the share of a phase's work done, and tells whether to go on.
class TWorkPace {
public:
    // Begins `phase` on `progress` (which may be null), whose work comes to `total` units.
    TWorkPace(TProgressSink* progress, std::string_view phase, std::stop_token stop, double total);
    // Counts `units` done; false once a stop is requested.
    bool Done(std::uint64_t units);
    // Reports the phase complete.
    void Finish();

private:
    TPacedProgress paced_;
    std::stop_token stop_;
    double total_;
    double done_ = 0;
};

// The units of work SpreadColumns and SumAtDistances count to their pace.
inline constexpr double kSpreadWork = static_cast<double>(kResults) * 6;

// For every result, the fewest differences from a column of a set and, when asked, how many
// columns of the set differ from it in exactly d matches (Counts[d], d from 0 to 4).
struct TSpread {
    std::vector<std::uint8_t> Fewest;
    std::array<std::vector<std::uint32_t>, kPrizeCategories> Counts;
};

// The spread of `columns`, or nothing once `pace` tells to stop. A byte that is no sign (or a
// missing one) differs from every result. Throws std::bad_alloc when memory runs out.
std::optional<TSpread> SpreadColumns(std::span<const TKey> columns, bool counts, TWorkPace& pace);

// Given at[d] holding, for every result, a figure g_d of the results at distance d (d from 0 to
// kPrizeCategories - 1), turns at[kPrizeCategories - 1] into, for every result x, the sum over d of
// g_d at every result at exactly d differences from x; the other arrays are left as scratch. False
// (the arrays then half done) once `pace` tells to stop.
bool SumAtDistances(std::array<std::vector<double>, kPrizeCategories>& at, TWorkPace& pace);

// Calls `visit(number, changed)` for every result that has the signs of `signs` where they are
// signs and any sign elsewhere, and at most `changes` other signs among the first, `changed` of
// them.
template <class Visit>
void VisitAround(const TSigns& signs, int changes, Visit&& visit, int position = 0,
                 std::uint32_t number = 0, int changed = 0) {
    if (position == kColumnLength) {
        visit(number, changed);
        return;
    }
    const int own = signs[static_cast<std::size_t>(position)];
    for (int s = 0; s < 3; ++s) {
        const bool change = own != kOtherSign && s != own;
        if (change && changed == changes) {
            continue;
        }
        VisitAround(signs, changes, visit, position + 1, number * 3 + static_cast<std::uint32_t>(s),
                    changed + (change ? 1 : 0));
    }
}

}  // namespace kelvo
