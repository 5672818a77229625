#include "literal_reduction.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace {

// Slots of every neighbour list and of the covered list.
constexpr std::size_t kSlots = 25000;

int LiteralDistance(std::string_view a, std::string_view b, TRunHost& host) {
    host.PumpEvents();
    int count = 0;
    for (std::size_t p = 0; p < kColumnLength; ++p) {
        host.PumpEvents();
        const char signA = p < a.size() ? a[p] : '\0';
        const char signB = p < b.size() ? b[p] : '\0';
        if (signA != signB && ++count == 2) {
            break;
        }
    }
    return count;
}

class TLiteralCoveredList {
public:
    TLiteralCoveredList() : slots_(kSlots, 0) {}

    bool IsCovered(std::int32_t id) const {
        for (const std::int32_t slot : slots_) {
            if (slot == id) {
                return true;
            }
        }
        return false;
    }

    // Appends `ids` after the filled slots. Ids that find no room are dropped, as the fixed list
    // drops them; the coverage test then fails and no output is written.
    void Append(const std::vector<std::int32_t>& ids, TRunHost& host) {
        const auto empty = std::find(slots_.begin(), slots_.end(), 0);
        if (empty == slots_.end()) {
            return;
        }
        host.PumpEvents();
        const auto room = static_cast<std::size_t>(slots_.end() - empty);
        std::copy_n(ids.begin(), std::min(room, ids.size()), empty);
    }

private:
    std::vector<std::int32_t> slots_;
};

}  // namespace

std::vector<std::string> LiteralReduction(const TColumnList& list, const std::string& OutputPath,
                                          TRunHost& host) {
    const std::size_t n = list.Records.size();
    if (n > kSlots) {
        throw std::invalid_argument("the literal reduction holds at most 25000 records");
    }
    std::vector<std::int32_t> neighbours(n * kSlots, 0);
    const auto listOf = [&neighbours](std::size_t record) {
        return neighbours.data() + record * kSlots;
    };

    int longest = 0;
    for (std::size_t a = 0; a < n; ++a) {
        std::size_t slot = 0;
        for (std::size_t b = 0; b < n; ++b) {
            if (LiteralDistance(list.Records[a].Column, list.Records[b].Column, host) < 2) {
                listOf(a)[slot++] = list.Records[b].Id;
            }
        }
        longest = std::max(longest, static_cast<int>(slot));
    }

    TLiteralCoveredList covered;
    std::vector<std::string> result;
    host.AddLogLine("Buscando las reductoras...");
    const std::size_t walk = std::min(n, kSlots);
    std::vector<std::int32_t> taken;
    for (int target = longest; target > 0; --target) {
        for (std::size_t r = 0; r < n; ++r) {
            std::int32_t* entries = listOf(r);
            int count = 0;
            for (std::size_t k = 0; k < walk && entries[k] != 0; ++k) {
                host.PumpEvents();
                if (!covered.IsCovered(entries[k])) {
                    ++count;
                }
            }
            if (count != target) {
                continue;
            }
            result.push_back(list.Records[r].Column);
            taken.assign(entries, std::find(entries, entries + walk, 0));
            entries[0] = 0;
            covered.Append(taken, host);
        }
        std::size_t coveredIds = 0;
        for (std::int32_t id = 1; static_cast<std::size_t>(id) <= kSlots; ++id) {
            host.PumpEvents();
            if (!covered.IsCovered(id)) {
                break;
            }
            ++coveredIds;
        }
        if (coveredIds == n) {
            SaveColumns(result, OutputPath + ".txt");
            break;
        }
    }
    return result;
}
