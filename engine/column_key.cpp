#include "column_key.h"

TKey MakeKey(std::string_view column) {
    TKey key;
    for (std::size_t p = 0; p < column.size() && p < kColumnLength; ++p) {
        const std::uint64_t byte = static_cast<unsigned char>(column[p]);
        (p < 8 ? key.High : key.Low) |= byte << ShiftOf(static_cast<int>(p));
    }
    return key;
}

std::string ColumnText(const TKey& key) {
    std::string text;
    for (int p = 0; p < kColumnLength && ByteAt(key, p) != 0; ++p) {
        text += static_cast<char>(ByteAt(key, p));
    }
    return text;
}
