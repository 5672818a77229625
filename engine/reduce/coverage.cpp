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
// Counts of variants and of numbers stop here, where multiplying by a number of signs cannot
// overflow; below it they are exact.
constexpr std::uint64_t kCountCap = std::uint64_t{1} << 48;
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

TKey WithByte(TKey key, int position, unsigned byte) {
    std::uint64_t& word = position < 8 ? key.High : key.Low;
    word &= ~(std::uint64_t{0xFF} << ShiftOf(position));
    word |= std::uint64_t{byte} << ShiftOf(position);
    return key;
}

TKey Masked(TKey key, std::uint32_t positions) {
    for (int p = 0; p < kColumnLength; ++p) {
        if ((positions >> p) & 1u) {
            key = WithByte(key, p, 0);
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
    : radius_(radius), given_(columns.size()) {
    std::array<std::array<bool, 256>, kColumnLength> seen{};
    for (const TKey& key : columns) {
        for (int p = 0; p < kColumnLength; ++p) {
            seen[p][ByteAt(key, p)] = true;
        }
    }
    if (progress != nullptr) {
        progress->Work(columns.size());
    }
    const std::uint64_t limit =
        std::max(kTableEntriesPerColumn * columns.size(), kMinimumTableEntries);
    std::uint64_t size = 1;
    // Elementary symmetric sums of (signs - 1) over the positions: variants[d] is the number of
    // columns that differ from a column in exactly d positions, counted up to the radius.
    std::array<std::uint64_t, kColumnLength + 1> variants{1};
    for (int p = kColumnLength - 1; p >= 0; --p) {
        for (unsigned byte = 0; byte < 256; ++byte) {
            if (seen[p][byte]) {
                digit_[p][byte] = static_cast<std::uint8_t>(signs_[p].size());
                signs_[p].push_back(static_cast<std::uint8_t>(byte));
            }
        }
        const std::uint64_t radix = signs_[p].size();
        if (radix <= 1) {
            continue;
        }
        live_.push_back({p, static_cast<std::uint32_t>(radix), size,
                         (std::uint64_t{1} << kReciprocalShift) / radix + 1});
        size = size > kCountCap / radix ? kCountCap + 1 : size * radix;
        for (int d = radius; d >= 1; --d) {
            variants[d] = std::min(variants[d] + variants[d - 1] * (radix - 1), kCountCap);
        }
    }
    std::uint64_t allVariants = 0;
    for (int d = 1; d <= radius; ++d) {
        allVariants = std::min(allVariants + variants[d], kCountCap);
    }

    if (size <= limit) {
        ReserveLarge(table_, size);
        table_.assign(size, kEmpty);
        ReserveLarge(columns_, std::min<std::uint64_t>(size, columns.size()));
        ReserveLarge(occurrences_, columns_.capacity());
        bool inOrder = true;
        for (const TKey& key : columns) {
            const std::uint64_t number = NumberOf(key);
            if (table_[number] == kEmpty) {
                inOrder = inOrder && number == columns_.size();
                Add(key);
                table_[number] = static_cast<std::uint32_t>(columns_.size());
            } else {
                ++occurrences_[table_[number] - 1];
            }
        }
        identity_ = inOrder && columns_.size() == table_.size() && size <= kMaxIdentitySize;
        identityCount_ = 1 + allVariants;
        return;
    }
    Distinguish(columns);
    if (progress != nullptr) {
        progress->Work(columns.size());
    }
    if (allVariants <= kMaxVariants) {
        FindByVariants(size, progress);
    } else {
        FindByMasking(progress);
    }
}

void TCoverage::Distinguish(std::span<const TKey> columns) {
    std::size_t capacity = 16;
    while (capacity < 2 * columns.size()) {
        capacity *= 2;
    }
    hash_.assign(capacity, kEmpty);
    for (const TKey& key : columns) {
        AddToHash(key);
    }
}

std::uint64_t TCoverage::NumberOf(const TKey& key) const {
    std::uint64_t number = 0;
    for (const TLivePosition& live : live_) {
        number += digit_[live.Position][ByteAt(key, live.Position)] * live.Stride;
    }
    return number;
}

void TCoverage::Add(const TKey& key) {
    columns_.push_back(key);
    occurrences_.push_back(1);
}

void TCoverage::AddToHash(const TKey& key) {
    const std::size_t mask = hash_.size() - 1;
    for (std::size_t slot = HashOf(key) & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t entry = hash_[slot];
        if (entry == kEmpty) {
            Add(key);
            hash_[slot] = static_cast<std::uint32_t>(columns_.size());
            return;
        }
        if (columns_[entry - 1] == key) {
            ++occurrences_[entry - 1];
            return;
        }
    }
}

std::size_t TCoverage::FindInHash(const TKey& key) const {
    const std::size_t mask = hash_.size() - 1;
    for (std::size_t slot = HashOf(key) & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t entry = hash_[slot];
        if (entry == kEmpty) {
            return kNone;
        }
        if (columns_[entry - 1] == key) {
            return entry - 1;
        }
    }
}

std::size_t TCoverage::Find(const TKey& key) const {
    if (table_.empty()) {
        return FindInHash(key);
    }
    // A sign never seen at its position cannot be in the set; the others number the column.
    for (int p = 0; p < kColumnLength; ++p) {
        const unsigned byte = ByteAt(key, p);
        if (signs_[p].empty() || signs_[p][digit_[p][byte]] != byte) {
            return kNone;
        }
    }
    const std::uint64_t number = NumberOf(key);
    const std::uint32_t entry = number < table_.size() ? table_[number] : kEmpty;
    return entry == kEmpty ? kNone : entry - 1;
}

void TCoverage::FindByVariants(std::uint64_t size, TPacedProgress* progress) {
    // Most variants are no column of the set. A filter with a bit set for each column's number
    // tells most of them so without a look in the hash: a variant whose bit is clear is none.
    // Where the numbering is small, the bit is the number's own, and variants one position apart
    // share cache lines; elsewhere kFilterBitsPerColumn bits a column are picked by a hash of
    // the number. Numbers are sums of digits times strides, the same whether made from a column
    // or varied from another, so no column is ever missed.
    const bool direct = size <= kDirectFilterBits;
    const int shift =
        64 - std::bit_width(std::bit_ceil(kFilterBitsPerColumn * columns_.size()) - 1);
    const auto filterBit = [direct, shift](std::uint64_t number) {
        return direct ? number : (number * 0x9E3779B97F4A7C15ull) >> shift;
    };
    const std::uint64_t bits = direct ? size : std::uint64_t{1} << (64 - shift);
    std::vector<std::uint64_t> filter(bits / 64 + 1, 0);
    for (const TKey& key : columns_) {
        const std::uint64_t bit = filterBit(NumberOf(key));
        filter[bit / 64] |= std::uint64_t{1} << (bit % 64);
    }
    start_.assign(columns_.size() + 1, 0);
    // Varies the column at the live positions from `from` on, in up to `left` more of them; only
    // a variant that may be a column, or is varied further, is made as a key.
    const auto vary = [&](auto& self, const TKey& key, std::uint64_t number, std::size_t from,
                          int left) -> void {
        for (std::size_t q = from; q < live_.size(); ++q) {
            const TLivePosition& live = live_[q];
            const unsigned own = ByteAt(key, live.Position);
            const std::uint64_t base = number - digit_[live.Position][own] * live.Stride;
            for (const std::uint8_t sign : signs_[live.Position]) {
                if (sign == own) {
                    continue;
                }
                const std::uint64_t varied = base + digit_[live.Position][sign] * live.Stride;
                const std::uint64_t bit = filterBit(varied);
                const bool maybe = (filter[bit / 64] >> (bit % 64)) & 1u;
                if (!maybe && left == 1) {
                    continue;
                }
                const TKey variedKey = WithByte(key, live.Position, sign);
                if (maybe) {
                    if (const std::size_t j = FindInHash(variedKey); j != kNone) {
                        adjacent_.push_back(static_cast<std::uint32_t>(j));
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
            vary(vary, columns_[k], NumberOf(columns_[k]), 0, radius_);
        }
        start_[k + 1] = adjacent_.size();
        if (progress != nullptr) {
            progress->Work(1 + adjacent_.size() - start_[k]);
        }
    }
}

void TCoverage::FindByMasking(TPacedProgress* progress) {
    std::uint32_t livePositions = 0;
    for (const TLivePosition& live : live_) {
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
    KeepLists(pairs);
}

void TCoverage::KeepLists(std::vector<std::pair<std::uint32_t, std::uint32_t>>& pairs) {
    std::sort(pairs.begin(), pairs.end());
    start_.assign(columns_.size() + 1, 0);
    adjacent_.reserve(pairs.size());
    for (const auto& [column, covered] : pairs) {
        ++start_[column + 1];
        adjacent_.push_back(covered);
    }
    for (std::size_t k = 0; k < columns_.size(); ++k) {
        start_[k + 1] += start_[k];
    }
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
