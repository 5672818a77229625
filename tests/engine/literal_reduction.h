// The reduction as literally described, for checking the engine against and for timing: every
// ordered pair of columns compared position by position with an event pump per position, and a
// covered list of 25000 slots searched from its first slot for every membership test.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "neighbours.h"
#include "run.h"

// The selection as literally described: every ordered pair compared, a covered list of 25000
// slots searched from its first slot for every membership test, the chosen mark in the first
// neighbour entry, and a pass for every target from L down. The covered list grows when a
// chosen record's ids would not fit.
inline std::vector<std::string> LiteralSelection(const std::vector<std::string>& columns,
                                                 TRunHost& host) {
    constexpr std::size_t kSlots = 25000;
    const std::size_t n = columns.size();
    std::vector<std::vector<std::int32_t>> lists(n);
    std::size_t longest = 0;
    for (std::size_t a = 0; a < n; ++a) {
        for (std::size_t b = 0; b < n; ++b) {
            host.PumpEvents();
            int distance = 0;
            for (std::size_t p = 0; p < kColumnLength && distance < 2; ++p) {
                host.PumpEvents();
                const char signA = p < columns[a].size() ? columns[a][p] : '\0';
                const char signB = p < columns[b].size() ? columns[b][p] : '\0';
                distance += signA != signB ? 1 : 0;
            }
            if (distance < 2) {
                lists[a].push_back(static_cast<std::int32_t>(b + 1));
            }
        }
        longest = std::max(longest, lists[a].size());
    }
    std::vector<std::int32_t> covered(kSlots, 0);
    const auto isCovered = [&](std::int32_t id) {
        return std::find(covered.begin(), covered.end(), id) != covered.end();
    };
    std::vector<std::string> result;
    for (std::size_t target = longest; target > 0; --target) {
        for (std::size_t r = 0; r < n; ++r) {
            std::size_t count = 0;
            for (const std::int32_t id : lists[r]) {
                if (id == 0) {
                    break;
                }
                host.PumpEvents();
                count += isCovered(id) ? 0 : 1;
            }
            if (count != target) {
                continue;
            }
            result.push_back(columns[r]);
            std::vector<std::int32_t> taken;
            for (const std::int32_t id : lists[r]) {
                if (id == 0) {
                    break;
                }
                taken.push_back(id);
            }
            lists[r][0] = 0;
            auto slot = std::find(covered.begin(), covered.end(), 0);
            const auto used = static_cast<std::size_t>(slot - covered.begin());
            if (used + taken.size() > covered.size()) {
                covered.resize(used + taken.size(), 0);
                slot = covered.begin() + static_cast<std::ptrdiff_t>(used);
            }
            std::copy(taken.begin(), taken.end(), slot);
        }
        std::size_t count = 0;
        for (std::size_t id = 1; id <= kSlots && isCovered(static_cast<std::int32_t>(id)); ++id) {
            ++count;
        }
        if (count == n) {
            return result;
        }
    }
    return {};
}
