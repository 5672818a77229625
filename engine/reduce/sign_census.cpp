#include "reduce/sign_census.h"

#include <algorithm>

namespace kelvo {

TSignCensus::TSignCensus(std::span<const TKey> columns) {
    std::array<std::array<bool, 256>, kColumnLength> seen{};
    for (const TKey& key : columns) {
        for (int p = 0; p < kColumnLength; ++p) {
            seen[static_cast<std::size_t>(p)][ByteAt(key, p)] = true;
        }
    }
    // The counts of variants are the elementary symmetric sums of (signs - 1) over the positions.
    for (int p = kColumnLength - 1; p >= 0; --p) {
        const auto position = static_cast<std::size_t>(p);
        for (unsigned byte = 0; byte < 256; ++byte) {
            if (seen[position][byte]) {
                digit_[position][byte] = static_cast<std::uint8_t>(signs_[position].size());
                signs_[position].push_back(static_cast<std::uint8_t>(byte));
            }
        }
        const std::uint64_t radix = signs_[position].size();
        if (radix <= 1) {
            continue;
        }
        live_.push_back({p, static_cast<std::uint32_t>(radix), numbers_,
                         (std::uint64_t{1} << kReciprocalShift) / radix + 1});
        numbers_ = numbers_ > kCountCap / radix ? kCountCap + 1 : numbers_ * radix;
        for (int d = kColumnLength; d >= 1; --d) {
            const auto at = static_cast<std::size_t>(d);
            variants_[at] = std::min(variants_[at] + variants_[at - 1] * (radix - 1), kCountCap);
        }
    }
}

bool TSignCensus::Holds(const TKey& key) const {
    // An unseen byte has digit 0, whose sign is another.
    for (int p = 0; p < kColumnLength; ++p) {
        const unsigned byte = ByteAt(key, p);
        const std::span<const std::uint8_t> signs = Signs(p);
        if (signs.empty() || signs[Digit(p, byte)] != byte) {
            return false;
        }
    }
    return true;
}

std::uint64_t TSignCensus::VariantsWithin(int radius) const {
    std::uint64_t variants = 0;
    for (int d = 1; d <= radius; ++d) {
        variants = std::min(variants + variants_[static_cast<std::size_t>(d)], kCountCap);
    }
    return variants;
}

}  // namespace kelvo
