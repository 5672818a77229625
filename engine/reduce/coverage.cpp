#include "reduce/coverage.h"

#include <algorithm>
#include <bit>
#include <utility>

#include "core/large_buffer.h"

namespace kelvo {

namespace {

// A table may have this many entries for each column of the set, and always this many, before
// the hash and kept lists take over.
constexpr std::uint64_t kTableEntriesPerColumn = 16;
constexpr std::uint64_t kMinimumTableEntries = 1 << 20;
// Above this many variants of a column within the radius, finding the covered columns by
// masking positions and sorting costs less than looking every variant up.
constexpr std::uint64_t kMaxVariants = 4096;
// The filter that tells most variants that are no column from those that may be: a bit for every
// number up to this many numbers (1 MiB), else this many bits a column.
constexpr std::uint64_t kDirectFilterBits = std::uint64_t{1} << 23;
constexpr std::uint64_t kFilterBitsPerColumn = 16;

// A word whose byte i (from the top) is 1 where the byte of x is not 0, and 0 elsewhere.
std::uint64_t NonZeroBytes(std::uint64_t x) {
    x |= x >> 4;
    x |= x >> 2;
    x |= x >> 1;
    return x & 0x0101010101010101ull;
}

// Bit p set for every position p at which the two columns differ.
std::uint32_t DifferingPositions(const TKey& a, const TKey& b) {
    std::uint32_t mask = 0;
    for (int p = 0; p < kColumnLength; ++p) {
        if (ByteAt(a, p) != ByteAt(b, p)) {
            mask |= 1u << p;
        }
    }
    return mask;
}

TKey Masked(TKey key, std::uint32_t positions) {
    for (int p = 0; p < kColumnLength; ++p) {
        if ((positions >> p) & 1u) {
            SetByteAt(key, p, 0);
        }
    }
    return key;
}

std::uint64_t HashOf(const TKey& key) {
    std::uint64_t h = key.High ^ std::rotl(key.Low * 0x9E3779B97F4A7C15ull, 31);
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    return h ^ (h >> 33);
}

// Keeps the covered columns of each column from `pairs` (column, covered), in the order of the
// covered columns' numbers.
void KeepLists(std::vector<std::pair<std::uint32_t, std::uint32_t>>& pairs, std::size_t count,
               std::vector<std::size_t>& start, std::vector<std::uint32_t>& adjacent) {
    std::sort(pairs.begin(), pairs.end());
    start.assign(count + 1, 0);
    adjacent.reserve(pairs.size());
    for (const auto& [column, covered] : pairs) {
        ++start[column + 1];
        adjacent.push_back(covered);
    }
    for (std::size_t k = 0; k < count; ++k) {
        start[k + 1] += start[k];
    }
}

// Calls visit(mask) for every set of `size` positions among those in `from`, as a bit mask.
template <class Visit>
void ForEachSubset(std::uint32_t from, int size, std::uint32_t chosen, Visit& visit) {
    if (size == 0) {
        visit(chosen);
        return;
    }
    for (std::uint32_t rest = from; rest != 0; rest &= rest - 1) {
        const std::uint32_t bit = rest & (~rest + 1);
        // Only positions after this one remain, so that every set is made once.
        ForEachSubset(rest & ~(bit | (bit - 1)), size - 1, chosen | bit, visit);
    }
}

}  // namespace

int ColumnDistance(const TKey& a, const TKey& b) {
    return std::popcount(NonZeroBytes(a.High ^ b.High)) +
           std::popcount(NonZeroBytes(a.Low ^ b.Low));
}

TCoverage::TCoverage(std::span<const TKey> columns, int radius, TPacedProgress* progress)
    : radius_(radius), given_(columns.size()), census_(columns) {
    if (progress != nullptr) {
        progress->Work(columns.size());
    }
    const std::uint64_t limit =
        std::max(kTableEntriesPerColumn * columns.size(), kMinimumTableEntries);
    if (census_.Numbers() <= limit) {
        Number(columns);
        return;
    }
    TLists lists = Distinguish(columns);
    if (progress != nullptr) {
        progress->Work(columns.size());
    }
    if (census_.VariantsWithin(radius_) <= kMaxVariants) {
        FindByVariants(lists, progress);
    } else {
        FindByMasking(lists, progress);
    }
    kind_ = std::move(lists);
}

void TCoverage::Number(std::span<const TKey> columns) {
    const std::uint64_t size = census_.Numbers();
    TTable table;
    ReserveLarge(table.Entries, size);
    table.Entries.assign(size, kEmpty);
    ReserveLarge(columns_, std::min<std::uint64_t>(size, columns.size()));
    ReserveLarge(occurrences_, columns_.capacity());
    bool inOrder = true;
    for (const TKey& key : columns) {
        const std::uint64_t number = census_.NumberOf(key);
        if (table.Entries[number] == kEmpty) {
            inOrder = inOrder && number == columns_.size();
            Add(key);
            table.Entries[number] = static_cast<std::uint32_t>(columns_.size());
        } else {
            ++occurrences_[table.Entries[number] - 1];
        }
    }
    // The numbers of a full development in order are the columns' own, and the table would only
    // repeat them.
    if (inOrder && columns_.size() == size && size <= TSignCensus::kMostDivided) {
        kind_ = TIdentity{1 + census_.VariantsWithin(radius_)};
    } else {
        kind_ = std::move(table);
    }
}

TCoverage::TLists TCoverage::Distinguish(std::span<const TKey> columns) {
    std::size_t capacity = 16;
    while (capacity < 2 * columns.size()) {
        capacity *= 2;
    }
    TLists lists;
    lists.Hash.assign(capacity, kEmpty);
    const std::size_t mask = capacity - 1;
    for (const TKey& key : columns) {
        for (std::size_t slot = HashOf(key) & mask;; slot = (slot + 1) & mask) {
            const std::uint32_t entry = lists.Hash[slot];
            if (entry == kEmpty) {
                Add(key);
                lists.Hash[slot] = static_cast<std::uint32_t>(columns_.size());
                break;
            }
            if (columns_[entry - 1] == key) {
                ++occurrences_[entry - 1];
                break;
            }
        }
    }
    return lists;
}

void TCoverage::Add(const TKey& key) {
    columns_.push_back(key);
    occurrences_.push_back(1);
}

std::size_t TCoverage::TLists::Find(const TKey& key, std::span<const TKey> columns) const {
    const std::size_t mask = Hash.size() - 1;
    for (std::size_t slot = HashOf(key) & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t entry = Hash[slot];
        if (entry == kEmpty) {
            return kNone;
        }
        if (columns[entry - 1] == key) {
            return entry - 1;
        }
    }
}

std::size_t TCoverage::TTable::Find(const TKey& key, const TSignCensus& census) const {
    // A sign never seen at its position cannot be in the set; the others number the column.
    if (!census.Holds(key)) {
        return kNone;
    }
    const std::uint64_t number = census.NumberOf(key);
    const std::uint32_t entry = number < Entries.size() ? Entries[number] : kEmpty;
    return entry == kEmpty ? kNone : entry - 1;
}

std::size_t TCoverage::Find(const TKey& key) const {
    if (const auto* identity = std::get_if<TIdentity>(&kind_)) {
        return identity->Find(key, census_);
    }
    if (const auto* table = std::get_if<TTable>(&kind_)) {
        return table->Find(key, census_);
    }
    return std::get_if<TLists>(&kind_)->Find(key, columns_);
}

void TCoverage::FindByVariants(TLists& lists, TPacedProgress* progress) {
    // Most variants are no column of the set. A filter with a bit set for each column's number
    // tells most of them so without a look in the hash: a variant whose bit is clear is none.
    // Where the numbering is small, the bit is the number's own, and variants one position apart
    // share cache lines; elsewhere kFilterBitsPerColumn bits a column are picked by a hash of
    // the number. Numbers are sums of digits times strides, the same whether made from a column
    // or varied from another, so no column is ever missed.
    const std::uint64_t size = census_.Numbers();
    const bool direct = size <= kDirectFilterBits;
    const int shift =
        64 - std::bit_width(std::bit_ceil(kFilterBitsPerColumn * columns_.size()) - 1);
    const auto filterBit = [direct, shift](std::uint64_t number) {
        return direct ? number : (number * 0x9E3779B97F4A7C15ull) >> shift;
    };
    const std::uint64_t bits = direct ? size : std::uint64_t{1} << (64 - shift);
    std::vector<std::uint64_t> filter(bits / 64 + 1, 0);
    for (const TKey& key : columns_) {
        const std::uint64_t bit = filterBit(census_.NumberOf(key));
        filter[bit / 64] |= std::uint64_t{1} << (bit % 64);
    }
    lists.Start.assign(columns_.size() + 1, 0);
    // Varies the column at the live positions from `from` on, in up to `left` more of them; only
    // a variant that may be a column, or is varied further, is made as a key.
    const auto vary = [&](auto& self, const TKey& key, std::uint64_t number, std::size_t from,
                          int left) -> void {
        const std::span<const TSignCensus::TLivePosition> livePositions = census_.LivePositions();
        for (std::size_t q = from; q < livePositions.size(); ++q) {
            const TSignCensus::TLivePosition& live = livePositions[q];
            const unsigned own = ByteAt(key, live.Position);
            const std::uint64_t base = number - census_.Digit(live.Position, own) * live.Stride;
            for (const std::uint8_t sign : census_.Signs(live.Position)) {
                if (sign == own) {
                    continue;
                }
                const std::uint64_t varied =
                    base + census_.Digit(live.Position, sign) * live.Stride;
                const std::uint64_t bit = filterBit(varied);
                const bool maybe = (filter[bit / 64] >> (bit % 64)) & 1u;
                if (!maybe && left == 1) {
                    continue;
                }
                TKey variedKey = key;
                SetByteAt(variedKey, live.Position, sign);
                if (maybe) {
                    if (const std::size_t j = lists.Find(variedKey, columns_); j != kNone) {
                        lists.Adjacent.push_back(static_cast<std::uint32_t>(j));
                    }
                }
                if (left > 1) {
                    self(self, variedKey, varied, q + 1, left - 1);
                }
            }
        }
    };
    for (std::size_t k = 0; k < columns_.size(); ++k) {
        if (radius_ > 0) {
            vary(vary, columns_[k], census_.NumberOf(columns_[k]), 0, radius_);
        }
        lists.Start[k + 1] = lists.Adjacent.size();
        if (progress != nullptr) {
            progress->Work(1 + lists.Adjacent.size() - lists.Start[k]);
        }
    }
}

void TCoverage::FindByMasking(TLists& lists, TPacedProgress* progress) {
    std::uint32_t livePositions = 0;
    for (const TSignCensus::TLivePosition& live : census_.LivePositions()) {
        livePositions |= 1u << live.Position;
    }
    const int size = std::min(radius_, std::popcount(livePositions));
    // A pair of columns agrees everywhere but in the masked positions under several masks; it is
    // kept under one: its differing positions, filled up with the first other live positions.
    const auto canonical = [livePositions, size](std::uint32_t differing) {
        for (std::uint32_t rest = livePositions & ~differing;
             std::popcount(differing) < size && rest != 0; rest &= rest - 1) {
            differing |= rest & (~rest + 1);
        }
        return differing;
    };
    std::vector<std::pair<std::uint32_t, std::uint32_t>> pairs;
    std::vector<std::pair<TKey, std::uint32_t>> masked(columns_.size());
    const auto findUnder = [&](std::uint32_t mask) {
        for (std::size_t k = 0; k < columns_.size(); ++k) {
            masked[k] = {Masked(columns_[k], mask), static_cast<std::uint32_t>(k)};
        }
        std::sort(masked.begin(), masked.end());
        for (std::size_t first = 0; first < masked.size();) {
            std::size_t last = first + 1;
            while (last < masked.size() && masked[last].first == masked[first].first) {
                ++last;
            }
            for (std::size_t a = first; a < last; ++a) {
                for (std::size_t b = first; b < last; ++b) {
                    const std::uint32_t ka = masked[a].second;
                    const std::uint32_t kb = masked[b].second;
                    if (a != b &&
                        canonical(DifferingPositions(columns_[ka], columns_[kb])) == mask) {
                        pairs.emplace_back(ka, kb);
                    }
                }
            }
            first = last;
        }
        if (progress != nullptr) {
            progress->Work(masked.size());
        }
    };
    if (size > 0) {
        ForEachSubset(livePositions, size, 0, findUnder);
    }
    KeepLists(pairs, columns_.size(), lists.Start, lists.Adjacent);
}

std::size_t FirstUncovered(const TCoverage& coverage, std::span<const std::size_t> chosen) {
    std::vector<bool> covered(coverage.Count(), false);
    for (const std::size_t k : chosen) {
        coverage.ForEachCovered(k, [&covered](std::size_t j) { covered[j] = true; });
    }
    const auto first = std::find(covered.begin(), covered.end(), false);
    return first == covered.end() ? TCoverage::kNone
                                  : static_cast<std::size_t>(first - covered.begin());
}

}  // namespace kelvo
