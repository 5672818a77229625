// The signs a set of columns shows at each position, and the numbering of columns they give: the
// one count of signs that the coverage and the product covers both read.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/column_key.h"

namespace kelvo {

// The signs seen at each position of a set of columns and a mixed-radix numbering of every column
// made of them: at each position the signs seen are the digits 0, 1, ... in byte order, and a
// column's number is the sum of its digits times the strides of the live positions (those where
// more than one sign is seen; the others cannot differ).
class TSignCensus {
public:
    struct TLivePosition {
        int Position = 0;
        std::uint32_t Radix = 0;
        std::uint64_t Stride = 0;
        // Radix as a multiplier and shift: n / Radix is (n * Reciprocal) >> kReciprocalShift for
        // every n below kMostDivided, without the cost of a division.
        std::uint64_t Reciprocal = 0;

        std::uint64_t Divide(std::uint64_t n) const { return (n * Reciprocal) >> kReciprocalShift; }
    };
    // A digit for each live position, in the order of LivePositions().
    using TDigits = std::array<std::uint32_t, kColumnLength>;
    // Counts of numbers and of variants stop here, where multiplying by a number of signs cannot
    // overflow; below it they are exact.
    static constexpr std::uint64_t kCountCap = std::uint64_t{1} << 48;
    // DigitsOfNumber takes numbers below this.
    static constexpr std::uint64_t kMostDivided = std::uint64_t{1} << 24;

    // The census of `columns`. Throws std::bad_alloc when memory runs out.
    explicit TSignCensus(std::span<const TKey> columns);

    // The signs seen at `position`, ascending (byte 0 for a missing position).
    std::span<const std::uint8_t> Signs(int position) const {
        return signs_[static_cast<std::size_t>(position)];
    }
    // Whether every byte of `key` was seen at its position.
    bool Holds(const TKey& key) const;
    // The live positions, the last position first: its stride is 1, and each next stride is the
    // one before times its radix.
    std::span<const TLivePosition> LivePositions() const { return live_; }
    // How many columns the signs seen make, capped at kCountCap + 1.
    std::uint64_t Numbers() const { return numbers_; }
    // How many columns of those the signs make differ from a given one in 1 to `radius`
    // positions, capped at kCountCap.
    std::uint64_t VariantsWithin(int radius) const;

    // The number of `key`, whose bytes must all have been seen: the sum of its digits times the
    // strides (wrapping past 2^64 alike for a column and its variants).
    std::uint64_t NumberOf(const TKey& key) const {
        std::uint64_t number = 0;
        for (const TLivePosition& live : live_) {
            number += Digit(live.Position, ByteAt(key, live.Position)) * live.Stride;
        }
        return number;
    }
    // The digits of `key` at the live positions into `digits`; returns its number.
    std::uint64_t DigitsOf(const TKey& key, TDigits& digits) const {
        std::uint64_t number = 0;
        for (std::size_t q = 0; q < live_.size(); ++q) {
            digits[q] = Digit(live_[q].Position, ByteAt(key, live_[q].Position));
            number += digits[q] * live_[q].Stride;
        }
        return number;
    }
    // The digits of the column numbered `number`, which must be below both Numbers() and
    // kMostDivided, into `digits`.
    void DigitsOfNumber(std::uint64_t number, TDigits& digits) const {
        for (std::size_t q = 0; q < live_.size(); ++q) {
            const std::uint64_t quotient = live_[q].Divide(number);
            digits[q] = static_cast<std::uint32_t>(number - quotient * live_[q].Radix);
            number = quotient;
        }
    }
    // The digit of `byte` at `position`, 0 for a byte never seen there.
    std::uint32_t Digit(int position, unsigned byte) const {
        return digit_[static_cast<std::size_t>(position)][byte];
    }

    // Calls visit(n) for the number n of every column that differs from the column numbered
    // `number`, whose digits are `digits`, in 1 to `radius` live positions, each once.
    template <class Visit>
    void ForEachVariant(std::uint64_t number, const TDigits& digits, int radius,
                        Visit&& visit) const {
        Vary(number, digits, 0, radius, visit);
    }

private:
    // With n < 2^24 and Reciprocal = 2^40 / Radix + 1 (at most 2^39 + 1 for a radix of 2 or
    // more), n * Reciprocal stays below 2^64, and its error n / 2^40 stays below 1 / Radix.
    static constexpr int kReciprocalShift = 40;

    // Visits the numbers that differ from `number` in 1 to `left` of the live positions from
    // `from` on.
    template <class Visit>
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
                visit(varied);
                if (left > 1) {
                    Vary(varied, digits, q + 1, left - 1, visit);
                }
            }
        }
    }

    std::array<std::array<std::uint8_t, 256>, kColumnLength> digit_{};
    std::array<std::vector<std::uint8_t>, kColumnLength> signs_;
    std::vector<TLivePosition> live_;
    std::uint64_t numbers_ = 1;
    // variants_[d]: how many columns the signs make differ from a given one in exactly d
    // positions, capped at kCountCap.
    std::array<std::uint64_t, kColumnLength + 1> variants_{1};
};

}  // namespace kelvo
