// The coverage rule: a chosen column covers every column within a number of differing positions
// set by the guarantee. Every unit that asks which columns cover which asks this one.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

#include "core/column_key.h"
#include "core/guarantee.h"
#include "core/progress.h"

namespace kelvo {

// The number of positions in which `a` and `b` hold different bytes (missing positions hold 0).
int ColumnDistance(const TKey& a, const TKey& b);

// The distinct columns of a set, numbered 0..Count()-1 in the order of their first appearance,
// and for each of them the columns of the set within `radius` differing positions. Where the signs
// seen at each position number every possible column in a table not much larger than the set,
// the covered columns are derived from that numbering when asked for; otherwise they are found
// once, through a hash of the columns or by sorting the columns with positions masked, and kept.
class TCoverage {
public:
    static constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

    // The coverage among `columns` for `radius` (0 to kColumnLength). Counts its work on `progress`
    // when one is given. Throws std::bad_alloc when memory runs out.
    TCoverage(std::span<const TKey> columns, int radius, TPacedProgress* progress = nullptr);

    std::size_t Count() const { return columns_.size(); }
    const TKey& Column(std::size_t k) const { return columns_[k]; }
    // How many of the columns the coverage was made from are equal to column k.
    std::int32_t Occurrences(std::size_t k) const { return occurrences_[k]; }
    // How many columns the coverage was made from, equal ones each counted.
    std::size_t Given() const { return given_; }
    // Whether every column the coverage was made from differs from the others.
    bool AllDistinct() const { return given_ == columns_.size(); }
    // The number of the column equal to `key`, or kNone.
    std::size_t Find(const TKey& key) const;

    // Whether every variant of every column is a column too, numbered so that ForEachCovered
    // enumerates them without a look-up: the case of a sorted full development.
    bool EveryVariantIsAColumn() const { return identity_; }

    // The number of columns within the radius of column k, k itself included.
    std::size_t CoveredCount(std::size_t k) const {
        if (identity_) {
            return identityCount_;
        }
        std::size_t covered = 0;
        ForEachCovered(k, [&covered](std::size_t) { ++covered; });
        return covered;
    }

    // Calls visit(j) for every column j within the radius of column k, k itself included, each
    // once, in no particular order.
    template <class Visit>
    void ForEachCovered(std::size_t k, Visit&& visit) const {
        visit(k);
        if (radius_ == 0) {
            return;
        }
        if (identity_) {
            // Column k is number k: its digits come from k itself, without reading the column.
            TDigits digits;
            std::uint64_t rest = k;
            for (std::size_t q = 0; q < live_.size(); ++q) {
                const std::uint64_t quotient = live_[q].Divide(rest);
                digits[q] = static_cast<std::uint32_t>(rest - quotient * live_[q].Radix);
                rest = quotient;
            }
            Vary<true>(k, digits, 0, radius_, visit);
            return;
        }
        if (!table_.empty()) {
            TDigits digits;
            std::uint64_t number = 0;
            for (std::size_t q = 0; q < live_.size(); ++q) {
                digits[q] = digit_[live_[q].Position][ByteAt(columns_[k], live_[q].Position)];
                number += digits[q] * live_[q].Stride;
            }
            Vary<false>(number, digits, 0, radius_, visit);
            return;
        }
        for (std::size_t e = start_[k]; e < start_[k + 1]; ++e) {
            visit(static_cast<std::size_t>(adjacent_[e]));
        }
    }

private:
    struct TLivePosition {
        int Position = 0;
        std::uint32_t Radix = 0;
        std::uint64_t Stride = 0;
        // Radix as a multiplier and shift: n / Radix is (n * Reciprocal) >> kReciprocalShift for
        // every n below kMaxIdentitySize, without the cost of a division.
        std::uint64_t Reciprocal = 0;

        std::uint64_t Divide(std::uint64_t n) const { return (n * Reciprocal) >> kReciprocalShift; }
    };
    // With n < 2^24 and Reciprocal = 2^40 / Radix + 1 (at most 2^39 + 1 for a radix of 2 or
    // more), n * Reciprocal stays below 2^64, and its error n / 2^40 stays below 1 / Radix.
    static constexpr int kReciprocalShift = 40;
    static constexpr std::uint64_t kMaxIdentitySize = std::uint64_t{1} << 24;
    using TDigits = std::array<std::uint32_t, kColumnLength>;
    static constexpr std::uint32_t kEmpty = 0;

    // Visits the columns whose numbers differ from `number` in 1 to `left` of the live positions
    // from `from` on. Where every number is a column, numbered by its number, the table is not
    // read.
    template <bool kIdentity, class Visit>
    void Vary(std::uint64_t number, const TDigits& digits, std::size_t from, int left,
              Visit& visit) const {
        for (std::size_t q = from; q < live_.size(); ++q) {
            const TLivePosition& live = live_[q];
            const std::uint64_t base = number - digits[q] * live.Stride;
            for (std::uint32_t d = 0; d < live.Radix; ++d) {
                if (d == digits[q]) {
                    continue;
                }
                const std::uint64_t varied = base + d * live.Stride;
                if constexpr (kIdentity) {
                    visit(static_cast<std::size_t>(varied));
                } else if (const std::uint32_t entry = table_[varied]; entry != kEmpty) {
                    visit(static_cast<std::size_t>(entry - 1));
                }
                if (left > 1) {
                    Vary<kIdentity>(varied, digits, q + 1, left - 1, visit);
                }
            }
        }
    }

    // The number of a column whose signs were all seen: the sum of its digits times the strides
    // of the live positions (wrapping past 2^64 alike for a column and its variants).
    std::uint64_t NumberOf(const TKey& key) const;
    void Distinguish(std::span<const TKey> columns);
    void Add(const TKey& key);
    void AddToHash(const TKey& key);
    std::size_t FindInHash(const TKey& key) const;
    void FindByVariants(std::uint64_t size, TPacedProgress* progress);
    void FindByMasking(TPacedProgress* progress);
    void KeepLists(std::vector<std::pair<std::uint32_t, std::uint32_t>>& pairs);

    int radius_;
    std::size_t given_;
    std::vector<TKey> columns_;
    std::vector<std::int32_t> occurrences_;
    // The signs seen at each position, as digits of the numbering.
    std::array<std::array<std::uint8_t, 256>, kColumnLength> digit_{};
    std::array<std::vector<std::uint8_t>, kColumnLength> signs_;
    // The positions where more than one sign is seen, which alone can differ.
    std::vector<TLivePosition> live_;
    // Dense numbering: column + 1 by number, kEmpty where no column is.
    std::vector<std::uint32_t> table_;
    // Whether every number is a column and each column's number is its own: the case of a full
    // development, whose sorted file lists the columns in the order of their numbers.
    bool identity_ = false;
    // There, the number of columns within the radius of every column.
    std::size_t identityCount_ = 0;
    // Otherwise: column + 1 by hash slot, and the covered columns of column k other than itself
    // in adjacent_[start_[k]..start_[k + 1]).
    std::vector<std::uint32_t> hash_;
    std::vector<std::size_t> start_;
    std::vector<std::uint32_t> adjacent_;
};

// The number of the first column of `coverage` that no column numbered in `chosen` covers, or
// TCoverage::kNone when they cover every column. Every number in `chosen` must be below Count().
std::size_t FirstUncovered(const TCoverage& coverage, std::span<const std::size_t> chosen);

}  // namespace kelvo
