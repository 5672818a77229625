#include "optimise/covering_codes.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace kelvo {

namespace {

// Codes found by the local search of this system, written as digit strings separated by blanks.
// Each is as small as the best known code of its shape. Those up to length 6 came from searches on
// full developments; the code of length 7 from the same search over the cosets of the all-ones
// code (62 cosets of 3 words each), where the search on all 2187 columns stalls near 195, and the
// code of length 8 over the cosets of the linear code spanned by 12110020, 22110200 and 22100221
// (18 cosets of 27 words).
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
constexpr std::string_view kTernary8 =
    "00000202 00000212 00001210 00001220 00002201 00002221 00010000 00010111 00011011 00011122 "
    "00012022 00012100 00020021 00020120 00021002 00021101 00022010 00022112 00100101 00100121 "
    "00101102 00101112 00102110 00102120 00110000 00110222 00111011 00111200 00112022 00112211 "
    "00120012 00120210 00121020 00121221 00122001 00122202 00200010 00200020 00201001 00201021 "
    "00202002 00202012 00210111 00210222 00211122 00211200 00212100 00212211 00220102 00220201 "
    "00221110 00221212 00222121 00222220 01000102 01000122 01001100 01001110 01002111 01002121 "
    "01010001 01010220 01011012 01011201 01012020 01012212 01020010 01020211 01021021 01021222 "
    "01022002 01022200 01100011 01100021 01101002 01101022 01102000 01102010 01110112 01110220 "
    "01111120 01111201 01112101 01112212 01120100 01120202 01121111 01121210 01122122 01122221 "
    "01200200 01200210 01201211 01201221 01202202 01202222 01210001 01210112 01211012 01211120 "
    "01212020 01212101 01220022 01220121 01221000 01221102 01222011 01222110 02000012 02000022 "
    "02001000 02001020 02002001 02002011 02010110 02010221 02011121 02011202 02012102 02012210 "
    "02020101 02020200 02021112 02021211 02022120 02022222 02100201 02100211 02101212 02101222 "
    "02102200 02102220 02110002 02110110 02111010 02111121 02112021 02112102 02120020 02120122 "
    "02121001 02121100 02122012 02122111 02200100 02200120 02201101 02201111 02202112 02202122 "
    "02210002 02210221 02211010 02211202 02212021 02212210 02220011 02220212 02221022 02221220 "
    "02222000 02222201 10000100 10000110 10001111 10001121 10002102 10002122 10010012 10010201 "
    "10011020 10011212 10012001 10012220 10020021 10020222 10021002 10021200 10022010 10022211 "
    "10100002 10100022 10101000 10101010 10102011 10102021 10110120 10110201 10111101 10111212 "
    "10112112 10112220 10120111 10120210 10121122 10121221 10122100 10122202 10200211 10200221 "
    "10201202 10201222 10202200 10202210 10210012 10210120 10211020 10211101 10212001 10212112 "
    "10220000 10220102 10221011 10221110 10222022 10222121 11000000 11000020 11001001 11001011 "
    "11002012 11002022 11010121 11010202 11011102 11011210 11012110 11012221 11020112 11020211 "
    "11021120 11021222 11022101 11022200 11100212 11100222 11101200 11101220 11102201 11102211 "
    "11110010 11110121 11111021 11111102 11112002 11112110 11120001 11120100 11121012 11121111 "
    "11122020 11122122 11200101 11200111 11201112 11201122 11202100 11202120 11210010 11210202 "
    "11211021 11211210 11212002 11212221 11220022 11220220 11221000 11221201 11222011 11222212 "
    "12000210 12000220 12001201 12001221 12002202 12002212 12010011 12010122 12011022 12011100 "
    "12012000 12012111 12020002 12020101 12021010 12021112 12022021 12022120 12100102 12100112 "
    "12101110 12101120 12102101 12102121 12110011 12110200 12111022 12111211 12112000 12112222 "
    "12120020 12120221 12121001 12121202 12122012 12122210 12200001 12200021 12201002 12201012 "
    "12202010 12202020 12210122 12210200 12211100 12211211 12212111 12212222 12220110 12220212 "
    "12221121 12221220 12222102 12222201 20000001 20000011 20001012 20001022 20002000 20002020 "
    "20010102 20010210 20011110 20011221 20012121 20012202 20020120 20020222 20021101 20021200 "
    "20022112 20022211 20100200 20100220 20101201 20101211 20102212 20102222 20110021 20110102 "
    "20111002 20111110 20112010 20112121 20120012 20120111 20121020 20121122 20122001 20122100 "
    "20200112 20200122 20201100 20201120 20202101 20202111 20210021 20210210 20211002 20211221 "
    "20212010 20212202 20220000 20220201 20221011 20221212 20222022 20222220 21000201 21000221 "
    "21001202 21001212 21002210 21002220 21010022 21010100 21011000 21011111 21012011 21012122 "
    "21020010 21020112 21021021 21021120 21022002 21022101 21100110 21100120 21101101 21101121 "
    "21102102 21102112 21110022 21110211 21111000 21111222 21112011 21112200 21120001 21120202 "
    "21121012 21121210 21122020 21122221 21200002 21200012 21201010 21201020 21202001 21202021 "
    "21210100 21210211 21211111 21211222 21212122 21212200 21220121 21220220 21221102 21221201 "
    "21222110 21222212 22000111 22000121 22001102 22001122 22002100 22002110 22010020 22010212 "
    "22011001 22011220 22012012 22012201 22020002 22020200 22021010 22021211 22022021 22022222 "
    "22100000 22100010 22101011 22101021 22102002 22102022 22110101 22110212 22111112 22111220 "
    "22112120 22112201 22120122 22120221 22121100 22121202 22122111 22122210 22200202 22200222 "
    "22201200 22201210 22202211 22202221 22210020 22210101 22211001 22211112 22212012 22212120 "
    "22220011 22220110 22221022 22221121 22222000 22222102";

// The number of check digits of the Hamming code of `shape`, or 0 when it is not one: Hamming
// codes have length (radix^checks - 1) / (radix - 1) and radix^(length - checks) words.
constexpr int HammingChecks(const TCodeShape& shape) {
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

// A known code: its shape and, unless it is a Hamming code, its words.
struct TKnownCode {
    TCodeShape Shape;
    std::string_view Words;
};

// Every known code, in the order in which products try them.
constexpr std::array kCodes{
    TKnownCode{{2, 1, 1}, {}},          TKnownCode{{2, 2, 2}, kBinary2},
    TKnownCode{{2, 3, 2}, {}},          TKnownCode{{2, 5, 7}, kBinary5},
    TKnownCode{{2, 6, 12}, kBinary6},   TKnownCode{{2, 7, 16}, {}},
    TKnownCode{{3, 1, 1}, {}},          TKnownCode{{3, 2, 3}, kTernary2},
    TKnownCode{{3, 3, 5}, kTernary3},   TKnownCode{{3, 4, 9}, {}},
    TKnownCode{{3, 6, 73}, kTernary6},  TKnownCode{{3, 7, 186}, kTernary7},
    TKnownCode{{3, 8, 486}, kTernary8}, TKnownCode{{3, 13, 59049}, {}},
};

// A code is stored exactly where no Hamming code can be built for its shape.
constexpr bool StoredUnlessHamming(const TKnownCode& code) {
    return (HammingChecks(code.Shape) > 0) == code.Words.empty();
}
static_assert(std::all_of(kCodes.begin(), kCodes.end(), StoredUnlessHamming));

// The shapes of kCodes, which KnownCodes hands out as one span.
constexpr std::array<TCodeShape, kCodes.size()> kShapes = [] {
    std::array<TCodeShape, kCodes.size()> shapes{};
    for (std::size_t c = 0; c < kCodes.size(); ++c) {
        shapes[c] = kCodes[c].Shape;
    }
    return shapes;
}();

}  // namespace

std::span<const TCodeShape> KnownCodes() {
    return kShapes;
}

std::vector<std::uint8_t> CodeWords(const TCodeShape& shape) {
    const auto* known = std::find_if(kCodes.begin(), kCodes.end(), [&](const TKnownCode& k) {
        return k.Shape.Radix == shape.Radix && k.Shape.Length == shape.Length &&
               k.Shape.Size == shape.Size;
    });
    if (known == kCodes.end()) {
        throw std::invalid_argument("no known code of radix " + std::to_string(shape.Radix) +
                                    " and length " + std::to_string(shape.Length));
    }
    if (const int checks = HammingChecks(shape); checks > 0) {
        return HammingWords(shape.Radix, checks);
    }
    std::vector<std::uint8_t> words;
    for (const char digit : known->Words) {
        if (digit != ' ') {
            words.push_back(static_cast<std::uint8_t>(digit - '0'));
        }
    }
    return words;
}

}  // namespace kelvo
