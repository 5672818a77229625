#include "literal_reduction.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace kelvo {

namespace {

constexpr std::size_t kPositions = 14;
constexpr std::size_t kSlots = 25000;

int LiteralDistance(const std::string& a, const std::string& b) {
    int count = 0;
    for (std::size_t p = 0; p < kPositions; ++p) {
        const char signA = p < a.size() ? a[p] : '\0';
        const char signB = p < b.size() ? b[p] : '\0';
        if (signA != signB) {
            ++count;
        }
    }
    return count;
}

}  // namespace

std::vector<std::string> LiteralReduction(const std::vector<std::string>& columns, int guarantee) {
    const int radius = static_cast<int>(kPositions) - guarantee;
    const std::size_t n = columns.size();
    std::vector<std::vector<std::int32_t>> lists(n);
    std::size_t longest = 0;
    for (std::size_t a = 0; a < n; ++a) {
        for (std::size_t b = 0; b < n; ++b) {
            if (LiteralDistance(columns[a], columns[b]) <= radius) {
                lists[a].push_back(static_cast<std::int32_t>(b + 1));
            }
        }
        longest = std::max(longest, lists[a].size());
    }

    // The filled slots form an unbroken run from the first, so a search may stop at the first
    // empty slot: it gives the same answer as searching all of them.
    std::vector<std::int32_t> covered(kSlots, 0);
    const auto isCovered = [&](std::int32_t id) {
        for (const std::int32_t slot : covered) {
            if (slot == id) {
                return true;
            }
            if (slot == 0) {
                return false;
            }
        }
        return false;
    };
    std::vector<std::string> result;
    for (std::size_t target = longest; target > 0; --target) {
        for (std::size_t r = 0; r < n; ++r) {
            std::vector<std::int32_t> taken;
            for (const std::int32_t id : lists[r]) {
                if (id == 0) {
                    break;
                }
                taken.push_back(id);
            }
            const auto uncovered = static_cast<std::size_t>(std::count_if(
                taken.begin(), taken.end(), [&](std::int32_t id) { return !isCovered(id); }));
            if (uncovered != target) {
                continue;
            }
            result.push_back(columns[r]);
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
        while (count < n && isCovered(static_cast<std::int32_t>(count + 1))) {
            ++count;
        }
        if (count == n) {
            return result;
        }
    }
    return result;
}

}  // namespace kelvo
