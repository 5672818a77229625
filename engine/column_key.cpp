#include "column_key.h"

TKey MakeKey(std::string_view column) {
    TKey key;
    for (std::size_t p = 0; p < column.size() && p < kColumnLength; ++p) {
        const std::uint64_t byte = static_cast<unsigned char>(column[p]);
        (p < 8 ? key.High : key.Low) |= byte << ShiftOf(static_cast<int>(p));
    }
    return key;
}

std::optional<TDenseIndex> TDenseIndex::Make(const TAlphabet& alphabet, std::uint64_t limit) {
    TDenseIndex index;
    for (int p = kColumnLength - 1; p >= 0; --p) {
        std::uint64_t radix = 0;
        for (unsigned byte = 0; byte < 256; ++byte) {
            if (alphabet.Has(p, byte)) {
                index.digit_[p][byte] = static_cast<std::uint8_t>(radix++);
            }
        }
        index.radix_[p] = radix;
        index.stride_[p] = index.size_;
        index.size_ *= radix;
        if (index.size_ > limit) {
            return std::nullopt;
        }
    }
    return index;
}

std::uint64_t TDenseIndex::IndexOf(const TKey& key) const {
    std::uint64_t index = 0;
    for (int p = 0; p < kColumnLength; ++p) {
        index += digit_[p][ByteAt(key, p)] * stride_[p];
    }
    return index;
}
