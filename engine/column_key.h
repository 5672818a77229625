// A column as a fixed-size key, and a dense numbering of columns, for the units that compare
// many columns at once.
#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <string_view>

#include "column_file.h"

// A column's kColumnLength bytes packed into two words, missing positions as byte 0: positions
// 0-7 in High, 8-13 in Low. Two columns are at distance 0 exactly when their keys are equal.
struct TKey {
    std::uint64_t High = 0;
    std::uint64_t Low = 0;
    auto operator<=>(const TKey&) const = default;
};

TKey MakeKey(std::string_view column);

inline int ShiftOf(int position) {
    return position < 8 ? 8 * (7 - position) : 8 * (13 - position);
}

inline unsigned ByteAt(const TKey& key, int position) {
    return static_cast<unsigned>(((position < 8 ? key.High : key.Low) >> ShiftOf(position)) & 0xFF);
}

// The key with the byte at `position` cleared: two distinct keys agree everywhere but at
// `position` exactly when their masked keys are equal.
inline TKey MaskKey(TKey key, int position) {
    (position < 8 ? key.High : key.Low) &= ~(std::uint64_t{0xFF} << ShiftOf(position));
    return key;
}

// The bytes seen at each position of a set of keys.
class TAlphabet {
public:
    void Add(const TKey& key) {
        for (int p = 0; p < kColumnLength; ++p) {
            seen_[p][ByteAt(key, p)] = true;
        }
    }
    bool Has(int position, unsigned byte) const { return seen_[position][byte]; }

private:
    std::array<std::array<bool, 256>, kColumnLength> seen_{};
};

// Numbers every column that an alphabet's bytes can form, 0..Size()-1, in mixed radix, so that
// the columns one position away from a column are found by arithmetic on its number. Real column
// files use a few signs per position, which keeps the numbering small.
class TDenseIndex {
public:
    // The numbering of `alphabet`, or none when it would need more than `limit` numbers.
    static std::optional<TDenseIndex> Make(const TAlphabet& alphabet, std::uint64_t limit);

    std::uint64_t Size() const { return size_; }
    // The number of `key`, whose bytes must all be in the alphabet.
    std::uint64_t IndexOf(const TKey& key) const;

    // Calls visit(number) for every column at distance exactly 1 from `key`.
    template <class Visit>
    void ForEachNeighbour(const TKey& key, Visit&& visit) const {
        const std::uint64_t index = IndexOf(key);
        for (int p = 0; p < kColumnLength; ++p) {
            const std::uint64_t own = digit_[p][ByteAt(key, p)];
            const std::uint64_t base = index - own * stride_[p];
            for (std::uint64_t digit = 0; digit < radix_[p]; ++digit) {
                if (digit != own) {
                    visit(base + digit * stride_[p]);
                }
            }
        }
    }

private:
    TDenseIndex() = default;

    std::array<std::array<std::uint8_t, 256>, kColumnLength> digit_{};
    std::array<std::uint64_t, kColumnLength> radix_{};
    std::array<std::uint64_t, kColumnLength> stride_{};
    std::uint64_t size_ = 1;
};
