#include "covering_codes.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace {

// Codes found by the local search of this system, written as digit strings separated by blanks.
// Each is as small as the best known code of its shape. Those up to length 6 came from searches on
// full developments; the code of length 7 from the same search over the cosets of the all-ones
// code (62 cosets of 3 words each), where the search on all 2187 columns stalls near 195.
constexpr std::string_view kBinary2 = "00 01";
constexpr std::string_view kBinary5 = "00011 00101 00111 01000 10000 11001 11110";
constexpr std::string_view kBinary6 =
    "000010 001001 010100 010111 011001 011110 100010 100101 101100 101111 110010 111001";
constexpr std::string_view kTernary2 = "00 02 11";
constexpr std::string_view kTernary3 = "002 020 111 200 222";
constexpr std::string_view kTernary6 =
    "000200 001102 001211 002020 002021 002022 002110 010010 010011 010122 010222 011010 011012 "
    "011121 012100 012201 020002 020101 020111 020121 021001 021112 021220 022100 022212 100001 "
    "100120 101120 101211 102010 102120 102202 110022 110111 110222 111021 111112 111200 112000 "
    "112111 112112 120001 120102 120210 121002 121012 121022 121101 122010 122221 200012 200112 "
    "200212 200221 201000 201211 201222 202101 210100 210201 211021 211121 211202 212002 212210 "
    "212220 220020 220221 221110 221202 222011 222122 222200";
constexpr std::string_view kTernary7 =
    "0000002 1111110 2222221 0000110 1111221 2222002 0000221 1111002 2222110 0001021 1112102 "
    "2220210 0001110 1112221 2220002 0002101 1110212 2221020 0002122 1110200 2221011 0010110 "
    "1121221 2202002 0010221 1121002 2202110 0011200 1122011 2200122 0011202 1122010 2200121 "
    "0011212 1122020 2200101 0012010 1120121 2201202 0012202 1120010 2201121 0012221 1120002 "
    "2201110 0020000 1101111 2212222 0020012 1101120 2212201 0020102 1101210 2212021 0021021 "
    "1102102 2210210 0021121 1102202 2210010 0022021 1100102 2211210 0022210 1100021 2211102 "
    "0100110 1211221 2022002 0100222 1211000 2022111 0101012 1212120 2020201 0101201 1212012 "
    "2020120 0102000 1210111 2021222 0102121 1210202 2021010 0110001 1221112 2002220 0110011 "
    "1221122 2002200 0110101 1221212 2002020 0111020 1222101 2000212 0111122 1222200 2000011 "
    "0112022 1220100 2001211 0112210 1220021 2001102 0120220 1201001 2012112 0120222 1201000 "
    "2012111 0121002 1202110 2010221 0121100 1202211 2010022 0121211 1202022 2010100 0122112 "
    "1200220 2011001 0122201 1200012 2011120 0200020 1011101 2122212 0200200 1011011 2122122 "
    "0201102 1012210 2120021 0201220 1012001 2120112 0202011 1010122 2121200 0202211 1010022 "
    "2121100 0202212 1010020 2121101 0210001 1021112 2102220 0210112 1021220 2102001 0210221 "
    "1021002 2102110 0211022 1022100 2100211 0211111 1022222 2100000 0212100 1020211 2101022 "
    "0212120 1020201 2101012 0220111 1001222 2112000 0220222 1001000 2112111 0221010 1002121 "
    "2110202 0221201 1002012 2110120 0222002 1000110 2111221 0222120 1000201 2111012";
constexpr std::array kShapes{
    TCodeShape{2, 1, 1},      TCodeShape{2, 2, 2},  TCodeShape{2, 3, 2},  TCodeShape{2, 5, 7},
    TCodeShape{2, 6, 12},     TCodeShape{2, 7, 16}, TCodeShape{3, 1, 1},  TCodeShape{3, 2, 3},
    TCodeShape{3, 3, 5},      TCodeShape{3, 4, 9},  TCodeShape{3, 6, 73}, TCodeShape{3, 7, 186},
    TCodeShape{3, 13, 59049},
};

// The number of check digits of the Hamming code of `shape`, or 0 when it is not one: Hamming
// codes have length (radix^checks - 1) / (radix - 1) and radix^(length - checks) words.
int HammingChecks(const TCodeShape& shape) {
    std::size_t power = 1;
    for (int checks = 1; checks <= 3; ++checks) {
        power *= static_cast<std::size_t>(shape.Radix);
        if (static_cast<std::size_t>(shape.Length) ==
            (power - 1) / static_cast<std::size_t>(shape.Radix - 1)) {
            return checks;
        }
    }
    return 0;
}

// The Hamming code: the words whose digits, times the columns of the parity-check matrix (every
// nonzero vector of `checks` digits whose first nonzero digit is 1), sum to zero modulo the radix.
// Each of the `checks` unit columns carries a check digit; the others are free.
std::vector<std::uint8_t> HammingWords(int radix, int checks) {
    std::vector<std::array<int, 3>> columns;
    int power = 1;
    for (int c = 0; c < checks; ++c) {
        power *= radix;
    }
    for (int vector = 1; vector < power; ++vector) {
        std::array<int, 3> digits{};
        int rest = vector;
        for (int c = checks - 1; c >= 0; --c) {
            digits[static_cast<std::size_t>(c)] = rest % radix;
            rest /= radix;
        }
        const auto leading = std::find_if(digits.begin(), digits.begin() + checks,
                                          [](int digit) { return digit != 0; });
        if (*leading == 1) {
            columns.push_back(digits);
        }
    }
    std::vector<int> free;
    std::array<std::size_t, 3> check{};
    for (std::size_t p = 0; p < columns.size(); ++p) {
        const auto zeros = std::count(columns[p].begin(), columns[p].begin() + checks, 0);
        if (zeros == checks - 1) {
            const auto unit =
                std::find(columns[p].begin(), columns[p].end(), 1) - columns[p].begin();
            check[static_cast<std::size_t>(unit)] = p;
        } else {
            free.push_back(static_cast<int>(p));
        }
    }
    std::size_t words = 1;
    for (std::size_t f = 0; f < free.size(); ++f) {
        words *= static_cast<std::size_t>(radix);
    }
    std::vector<std::uint8_t> result;
    result.reserve(words * columns.size());
    std::vector<std::uint8_t> word(columns.size(), 0);
    for (std::size_t w = 0; w < words; ++w) {
        std::array<int, 3> syndrome{};
        std::size_t rest = w;
        for (const int p : free) {
            const int digit = static_cast<int>(rest % static_cast<std::size_t>(radix));
            rest /= static_cast<std::size_t>(radix);
            word[static_cast<std::size_t>(p)] = static_cast<std::uint8_t>(digit);
            for (int c = 0; c < checks; ++c) {
                syndrome[static_cast<std::size_t>(c)] +=
                    digit * columns[static_cast<std::size_t>(p)][static_cast<std::size_t>(c)];
            }
        }
        for (int c = 0; c < checks; ++c) {
            const int sum = syndrome[static_cast<std::size_t>(c)] % radix;
            word[check[static_cast<std::size_t>(c)]] =
                static_cast<std::uint8_t>((radix - sum) % radix);
        }
        result.insert(result.end(), word.begin(), word.end());
    }
    return result;
}

std::string_view StoredWords(const TCodeShape& shape) {
    constexpr std::array<std::pair<TCodeShape, std::string_view>, 7> kStored{{
        {{2, 2, 2}, kBinary2},
        {{2, 5, 7}, kBinary5},
        {{2, 6, 12}, kBinary6},
        {{3, 2, 3}, kTernary2},
        {{3, 3, 5}, kTernary3},
        {{3, 6, 73}, kTernary6},
        {{3, 7, 186}, kTernary7},
    }};
    for (const auto& [stored, words] : kStored) {
        if (stored.Radix == shape.Radix && stored.Length == shape.Length) {
            return words;
        }
    }
    return {};
}

}  // namespace

std::span<const TCodeShape> KnownCodes() {
    return kShapes;
}

std::vector<std::uint8_t> CodeWords(const TCodeShape& shape) {
    const bool known = std::any_of(kShapes.begin(), kShapes.end(), [&](const TCodeShape& k) {
        return k.Radix == shape.Radix && k.Length == shape.Length && k.Size == shape.Size;
    });
    if (!known) {
        throw std::invalid_argument("no known code of radix " + std::to_string(shape.Radix) +
                                    " and length " + std::to_string(shape.Length));
    }
    if (const int checks = HammingChecks(shape); checks > 0) {
        return HammingWords(shape.Radix, checks);
    }
    std::vector<std::uint8_t> words;
    for (const char digit : StoredWords(shape)) {
        if (digit != ' ') {
            words.push_back(static_cast<std::uint8_t>(digit - '0'));
        }
    }
    return words;
}
