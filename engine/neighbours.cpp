#include "neighbours.h"

#include <algorithm>
#include <compare>
#include <cstdint>
#include <numeric>
#include <utility>
#include <vector>

namespace {

// A column's kColumnLength bytes packed into two words, missing positions as byte 0: positions
// 0-7 in High, 8-13 in Low.
struct TKey {
    std::uint64_t High = 0;
    std::uint64_t Low = 0;
    auto operator<=>(const TKey&) const = default;
};

TKey MakeKey(std::string_view column) {
    TKey key;
    for (std::size_t p = 0; p < column.size() && p < kColumnLength; ++p) {
        const std::uint64_t byte = static_cast<unsigned char>(column[p]);
        if (p < 8) {
            key.High |= byte << (8 * (7 - p));
        } else {
            key.Low |= byte << (8 * (13 - p));
        }
    }
    return key;
}

// The key with the byte at `position` cleared: two distinct keys agree everywhere but at
// `position` exactly when their masked keys are equal.
TKey MaskKey(TKey key, int position) {
    if (position < 8) {
        key.High &= ~(std::uint64_t{0xFF} << (8 * (7 - position)));
    } else {
        key.Low &= ~(std::uint64_t{0xFF} << (8 * (13 - position)));
    }
    return key;
}

// Records with equal columns, each group's record indices ascending. Equal columns have the
// same neighbours, so the analysis works on these groups rather than on every pair of records.
struct TColumnGroups {
    std::vector<TKey> Keys;                // one per group
    std::vector<std::size_t> MemberStart;  // group g's members: [MemberStart[g], MemberStart[g+1])
    std::vector<std::int32_t> Members;     // record indices
};

TColumnGroups GroupEqualColumns(const TColumnList& list, TPacedPump& pump) {
    const std::size_t n = list.Records.size();
    std::vector<std::pair<TKey, std::int32_t>> keyed(n);
    for (std::size_t r = 0; r < n; ++r) {
        keyed[r] = {MakeKey(list.Records[r].Column), static_cast<std::int32_t>(r)};
    }
    std::sort(keyed.begin(), keyed.end());
    pump.Work(static_cast<std::uint32_t>(std::min<std::size_t>(n, UINT32_MAX)));

    TColumnGroups groups;
    groups.Members.reserve(n);
    for (std::size_t r = 0; r < n; ++r) {
        if (r == 0 || keyed[r].first != keyed[r - 1].first) {
            groups.Keys.push_back(keyed[r].first);
            groups.MemberStart.push_back(r);
        }
        groups.Members.push_back(keyed[r].second);
    }
    groups.MemberStart.push_back(n);
    return groups;
}

// For every group, the groups at distance exactly 1, as (group, other group) pairs in both
// directions. Each such pair differs in one position only, so it is found once.
std::vector<std::pair<std::int32_t, std::int32_t>> FindAdjacentGroups(const TColumnGroups& groups,
                                                                      TPacedPump& pump) {
    const std::size_t count = groups.Keys.size();
    std::vector<std::pair<std::int32_t, std::int32_t>> adjacent;
    std::vector<std::pair<TKey, std::int32_t>> masked(count);
    for (int position = 0; position < kColumnLength; ++position) {
        for (std::size_t g = 0; g < count; ++g) {
            masked[g] = {MaskKey(groups.Keys[g], position), static_cast<std::int32_t>(g)};
        }
        std::sort(masked.begin(), masked.end());
        for (std::size_t first = 0; first < count;) {
            std::size_t last = first + 1;
            while (last < count && masked[last].first == masked[first].first) {
                ++last;
            }
            for (std::size_t a = first; a < last; ++a) {
                for (std::size_t b = first; b < last; ++b) {
                    if (a != b) {
                        adjacent.emplace_back(masked[a].second, masked[b].second);
                    }
                }
            }
            pump.Work(static_cast<std::uint32_t>((last - first) * (last - first)));
            first = last;
        }
    }
    std::sort(adjacent.begin(), adjacent.end());
    return adjacent;
}

}  // namespace

int ColumnDistance(std::string_view a, std::string_view b) {
    int count = 0;
    for (std::size_t p = 0; p < kColumnLength; ++p) {
        const char signA = p < a.size() ? a[p] : '\0';
        const char signB = p < b.size() ? b[p] : '\0';
        if (signA != signB && ++count == 2) {
            break;
        }
    }
    return count;
}

int AnalyseNeighbours(TColumnList& list, TRunHost& host) {
    TPacedPump pump(host);
    pump.Now();
    const TColumnGroups groups = GroupEqualColumns(list, pump);
    const auto adjacent = FindAdjacentGroups(groups, pump);
    const std::size_t groupCount = groups.Keys.size();

    // Each group's neighbour ids: its own members and those of its adjacent groups, ascending.
    std::vector<std::size_t> idsStart(groupCount + 1, 0);
    {
        std::size_t edge = 0;
        for (std::size_t g = 0; g < groupCount; ++g) {
            std::size_t size = groups.MemberStart[g + 1] - groups.MemberStart[g];
            for (; edge < adjacent.size() && adjacent[edge].first == static_cast<std::int32_t>(g);
                 ++edge) {
                const auto other = static_cast<std::size_t>(adjacent[edge].second);
                size += groups.MemberStart[other + 1] - groups.MemberStart[other];
            }
            idsStart[g + 1] = idsStart[g] + size;
        }
    }
    std::vector<std::int32_t> groupIds(idsStart.back());
    {
        std::size_t edge = 0;
        for (std::size_t g = 0; g < groupCount; ++g) {
            auto out = groupIds.begin() + static_cast<std::ptrdiff_t>(idsStart[g]);
            const auto copyMembers = [&](std::size_t group) {
                for (std::size_t m = groups.MemberStart[group]; m < groups.MemberStart[group + 1];
                     ++m) {
                    *out++ = groups.Members[m] + 1;
                }
            };
            copyMembers(g);
            for (; edge < adjacent.size() && adjacent[edge].first == static_cast<std::int32_t>(g);
                 ++edge) {
                copyMembers(static_cast<std::size_t>(adjacent[edge].second));
            }
            std::sort(groupIds.begin() + static_cast<std::ptrdiff_t>(idsStart[g]), out);
            pump.Work(static_cast<std::uint32_t>(idsStart[g + 1] - idsStart[g]));
        }
    }

    // Every record gets its own copy of its group's ids, laid out in file order: the cover
    // selection marks a chosen record's list without touching those of equal columns.
    const std::size_t n = list.Records.size();
    std::vector<std::int32_t> groupOf(n);
    for (std::size_t g = 0; g < groupCount; ++g) {
        for (std::size_t m = groups.MemberStart[g]; m < groups.MemberStart[g + 1]; ++m) {
            groupOf[static_cast<std::size_t>(groups.Members[m])] = static_cast<std::int32_t>(g);
        }
    }
    std::size_t total = 0;
    for (std::size_t r = 0; r < n; ++r) {
        const auto g = static_cast<std::size_t>(groupOf[r]);
        total += idsStart[g + 1] - idsStart[g];
    }
    list.NeighbourStore.assign(total, 0);
    std::size_t offset = 0;
    int longest = 0;
    for (std::size_t r = 0; r < n; ++r) {
        const auto g = static_cast<std::size_t>(groupOf[r]);
        const std::size_t length = idsStart[g + 1] - idsStart[g];
        std::copy_n(groupIds.begin() + static_cast<std::ptrdiff_t>(idsStart[g]), length,
                    list.NeighbourStore.begin() + static_cast<std::ptrdiff_t>(offset));
        list.Records[r].Neighbours = std::span(list.NeighbourStore).subspan(offset, length);
        offset += length;
        longest = std::max(longest, static_cast<int>(length));
        pump.Work(static_cast<std::uint32_t>(length));
    }
    return longest;
}
