#include "neighbours.h"

#include "column_key.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace {

std::uint32_t Units(std::size_t count) {
    return static_cast<std::uint32_t>(std::min<std::size_t>(count, UINT32_MAX));
}

// Records with equal columns. Equal columns have the same neighbours, so the analysis works on
// these groups rather than on every pair of records.
struct TColumnGroups {
    std::vector<TKey> Keys;                // one per group
    std::vector<std::size_t> MemberStart;  // group g's members: [MemberStart[g], MemberStart[g+1])
    std::vector<std::int32_t> Members;     // record ids, ascending within a group
    std::vector<std::int32_t> GroupOf;     // by record index

    std::size_t Count() const { return Keys.size(); }
    std::size_t Size(std::size_t group) const {
        return MemberStart[group + 1] - MemberStart[group];
    }
};

TColumnGroups GroupEqualColumns(const TColumnList& list, TPacedPump& pump) {
    const std::size_t n = list.Records.size();
    std::vector<std::pair<TKey, std::int32_t>> keyed(n);
    for (std::size_t r = 0; r < n; ++r) {
        keyed[r] = {MakeKey(list.Records[r].Column), list.Records[r].Id};
    }
    std::sort(keyed.begin(), keyed.end());
    pump.Work(Units(n));

    TColumnGroups groups;
    groups.Members.reserve(n);
    groups.GroupOf.resize(n);
    for (std::size_t r = 0; r < n; ++r) {
        if (r == 0 || keyed[r].first != keyed[r - 1].first) {
            groups.Keys.push_back(keyed[r].first);
            groups.MemberStart.push_back(r);
        }
        groups.Members.push_back(keyed[r].second);
        groups.GroupOf[static_cast<std::size_t>(keyed[r].second - 1)] =
            static_cast<std::int32_t>(groups.Keys.size() - 1);
    }
    groups.MemberStart.push_back(n);
    return groups;
}

// The groups at distance exactly 1 from each group, found by sorting the groups on their keys
// with one position masked, once per position. Works for any bytes.
class TSortedAdjacency {
public:
    TSortedAdjacency(const TColumnGroups& groups, TPacedPump& pump) {
        const std::size_t count = groups.Count();
        std::vector<std::pair<std::int32_t, std::int32_t>> pairs;
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
                            pairs.emplace_back(masked[a].second, masked[b].second);
                        }
                    }
                }
                first = last;
            }
            pump.Work(Units(count));
        }
        std::sort(pairs.begin(), pairs.end());
        start_.assign(count + 1, 0);
        adjacent_.reserve(pairs.size());
        for (const auto& [group, other] : pairs) {
            ++start_[static_cast<std::size_t>(group) + 1];
            adjacent_.push_back(other);
        }
        for (std::size_t g = 0; g < count; ++g) {
            start_[g + 1] += start_[g];
        }
    }

    template <class Visit>
    void ForEach(std::size_t group, Visit&& visit) const {
        for (std::size_t k = start_[group]; k < start_[group + 1]; ++k) {
            visit(static_cast<std::size_t>(adjacent_[k]));
        }
    }

private:
    std::vector<std::size_t> start_;
    std::vector<std::int32_t> adjacent_;
};

// The groups at distance exactly 1, looked up in a table with one slot for every column that
// the bytes seen at each position can form; used only while the table stays proportional to the
// number of groups.
class TDenseAdjacency {
public:
    static std::optional<TDenseAdjacency> Make(const TColumnGroups& groups) {
        TAlphabet alphabet;
        for (const TKey& key : groups.Keys) {
            alphabet.Add(key);
        }
        const std::uint64_t limit =
            std::max<std::uint64_t>(kSlotsPerGroup * groups.Count(), kMinimumSlots);
        std::optional<TDenseIndex> index = TDenseIndex::Make(alphabet, limit);
        if (!index) {
            return std::nullopt;
        }
        std::vector<std::int32_t> slot(index->Size(), 0);
        for (std::size_t g = 0; g < groups.Count(); ++g) {
            slot[index->IndexOf(groups.Keys[g])] = static_cast<std::int32_t>(g) + 1;
        }
        return TDenseAdjacency(groups, std::move(*index), std::move(slot));
    }

    template <class Visit>
    void ForEach(std::size_t group, Visit&& visit) const {
        index_.ForEachNeighbour(groups_.Keys[group], [&](std::uint64_t number) {
            if (const std::int32_t slot = slot_[number]; slot != 0) {
                visit(static_cast<std::size_t>(slot - 1));
            }
        });
    }

private:
    static constexpr std::uint64_t kSlotsPerGroup = 16;
    static constexpr std::uint64_t kMinimumSlots = 1 << 20;

    TDenseAdjacency(const TColumnGroups& groups, TDenseIndex index, std::vector<std::int32_t> slot)
        : groups_(groups), index_(std::move(index)), slot_(std::move(slot)) {}

    const TColumnGroups& groups_;
    TDenseIndex index_;
    std::vector<std::int32_t> slot_;  // group + 1, or 0 where no column is
};

// Gives every record its group's ids and those of the adjacent groups, ascending, and returns
// the longest list. Each record has its own copy, laid out in file order: the cover selection
// marks a chosen record's list without touching those of equal columns.
template <class Adjacency>
int FillLists(TColumnList& list, const TColumnGroups& groups, const Adjacency& adjacency,
              TPacedPump& pump) {
    // The two walks over the groups are most of the phase's work; each counts half.
    const double toFraction = 0.5 / static_cast<double>(groups.Count());
    std::vector<std::size_t> length(groups.Count());
    for (std::size_t g = 0; g < groups.Count(); ++g) {
        pump.SetProgress(static_cast<double>(g) * toFraction);
        length[g] = groups.Size(g);
        adjacency.ForEach(g, [&](std::size_t other) { length[g] += groups.Size(other); });
        pump.Work(Units(length[g]));
    }
    std::size_t total = 0;
    for (const std::int32_t g : groups.GroupOf) {
        total += length[static_cast<std::size_t>(g)];
    }
    list.NeighbourStore.assign(total, 0);
    std::size_t offset = 0;
    std::size_t longest = 0;
    for (std::size_t r = 0; r < list.Records.size(); ++r) {
        const std::size_t size = length[static_cast<std::size_t>(groups.GroupOf[r])];
        list.Records[r].Neighbours = std::span(list.NeighbourStore).subspan(offset, size);
        offset += size;
        longest = std::max(longest, size);
    }

    std::vector<std::int32_t> ids;
    for (std::size_t g = 0; g < groups.Count(); ++g) {
        pump.SetProgress(0.5 + static_cast<double>(g) * toFraction);
        ids.clear();
        const auto addMembers = [&](std::size_t group) {
            ids.insert(
                ids.end(),
                groups.Members.begin() + static_cast<std::ptrdiff_t>(groups.MemberStart[group]),
                groups.Members.begin() +
                    static_cast<std::ptrdiff_t>(groups.MemberStart[group + 1]));
        };
        addMembers(g);
        adjacency.ForEach(g, addMembers);
        std::sort(ids.begin(), ids.end());
        for (std::size_t m = groups.MemberStart[g]; m < groups.MemberStart[g + 1]; ++m) {
            const auto& record = list.Records[static_cast<std::size_t>(groups.Members[m] - 1)];
            std::copy(ids.begin(), ids.end(), record.Neighbours.begin());
            pump.Work(Units(ids.size()));
        }
    }
    return static_cast<int>(longest);
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
    TPacedPump pump(host, kAnalysingPhase);
    pump.Now();
    const TColumnGroups groups = GroupEqualColumns(list, pump);
    if (const auto dense = TDenseAdjacency::Make(groups)) {
        return FillLists(list, groups, *dense, pump);
    }
    return FillLists(list, groups, TSortedAdjacency(groups, pump), pump);
}
