#include "core/column_key.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace kelvo {

TKey MakeKey(std::string_view column) {
    // The signs read as two big-endian words: position 0 lands in the top byte of High, and
    // positions 8-13 in the low six bytes of Low.
    std::array<unsigned char, 16> bytes{};
    std::copy_n(column.begin(), std::min<std::size_t>(column.size(), kColumnLength), bytes.begin());
    std::uint64_t high = 0;
    std::uint64_t low = 0;
    std::memcpy(&high, bytes.data(), sizeof high);
    std::memcpy(&low, bytes.data() + 8, sizeof low);
    if constexpr (std::endian::native == std::endian::little) {
        high = __builtin_bswap64(high);
        low = __builtin_bswap64(low);
    }
    return {high, low >> 16};
}

std::string ColumnText(const TKey& key) {
    std::string text;
    for (int p = 0; p < kColumnLength && ByteAt(key, p) != 0; ++p) {
        text += static_cast<char>(ByteAt(key, p));
    }
    return text;
}

}  // namespace kelvo
