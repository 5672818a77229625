// A column as a fixed-size key: what every unit that compares columns works on.
#pragma once

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

// Number of signs (positions) in a column.
constexpr int kColumnLength = 14;

// A column's kColumnLength bytes packed into two words, missing positions as byte 0: positions
// 0-7 in High, 8-13 in Low. Column files hold no byte 0, so a column and its key determine each
// other, and two columns are at distance 0 exactly when their keys are equal.
struct TKey {
    std::uint64_t High = 0;
    std::uint64_t Low = 0;
    auto operator<=>(const TKey&) const = default;
};

// The key of `column`; only its first kColumnLength bytes count.
TKey MakeKey(std::string_view column);

// The column a key was made from: its bytes up to the first missing position.
std::string ColumnText(const TKey& key);

inline int ShiftOf(int position) {
    return position < 8 ? 8 * (7 - position) : 8 * (13 - position);
}

inline unsigned ByteAt(const TKey& key, int position) {
    return static_cast<unsigned>(((position < 8 ? key.High : key.Low) >> ShiftOf(position)) & 0xFF);
}

// Puts `byte` at `position` of `key`.
inline void SetByteAt(TKey& key, int position, unsigned byte) {
    std::uint64_t& word = position < 8 ? key.High : key.Low;
    word = (word & ~(std::uint64_t{0xFF} << ShiftOf(position))) |
           (std::uint64_t{byte} << ShiftOf(position));
}

// The sign a column's byte stands for: a lower-case x is the draw X, every other byte itself.
constexpr char FoldSign(char byte) {
    return byte == 'x' ? 'X' : byte;
}

// The digit of a sign: 0 for 1, 1 for X (or x), 2 for 2, and kOtherSign for any other byte.
constexpr int kOtherSign = 3;
constexpr int SignDigit(unsigned byte) {
    switch (FoldSign(static_cast<char>(byte))) {
        case '1':
            return 0;
        case 'X':
            return 1;
        case '2':
            return 2;
        default:
            return kOtherSign;
    }
}

// The sign of each digit, SignDigit's inverse: kSignOfDigit[1] is 'X'.
constexpr std::string_view kSignOfDigit = "1X2";

// The columns of one run, in file order. A key and its id (its position + 1) play the part of a
// column record: Columns[k] is the column whose id is k + 1, its line number in the prepared
// file, trimmed and cut to kColumnLength.
struct TColumnList {
    std::vector<TKey> Columns;

    std::int32_t Count() const { return static_cast<std::int32_t>(Columns.size()); }
};

}  // namespace kelvo
