#include "optimise/covering_constructions.h"

#include <algorithm>
#include <array>
#include <functional>
#include <limits>
#include <span>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "optimise/mixed_matrix_codes.h"
#include "optimise/mixed_space.h"

namespace kelvo {

namespace {

constexpr std::size_t kUnreachable = std::numeric_limits<std::size_t>::max();
constexpr int kCellsPerSide = kMaxCodeLength + 1;
constexpr int kRadiusCount = kMaxCodeRadius + 1;

std::size_t IntPow(std::size_t base, int exponent) {
    std::size_t value = 1;
    for (int i = 0; i < exponent; ++i) {
        value *= base;
    }
    return value;
}

void CheckShape(int triples, int doubles, int radius) {
    if (triples < 0 || doubles < 0 || triples + doubles > kMaxCodeLength || radius < 0 ||
        radius > kMaxCodeRadius) {
        throw std::invalid_argument("shape out of range");
    }
}

// Alphabet size of position p of a code (ternary positions come first).
int AlphabetAt(const TCode& code, int p) {
    return p < code.Triples ? 3 : 2;
}

void SortAndDeduplicate(TCode& code) {
    const std::size_t len = static_cast<std::size_t>(code.Length());
    if (len == 0) {
        code.Words.clear();
        return;
    }
    const std::size_t count = code.Words.size() / len;
    std::vector<std::vector<std::uint8_t>> rows(count);
    for (std::size_t w = 0; w < count; ++w) {
        rows[w].assign(code.Words.begin() + static_cast<std::ptrdiff_t>(w * len),
                       code.Words.begin() + static_cast<std::ptrdiff_t>((w + 1) * len));
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    code.Words.clear();
    for (const auto& row : rows) {
        code.Words.insert(code.Words.end(), row.begin(), row.end());
    }
}

// Reorders the positions of every word by `order` (new position i takes old
// position order[i]).
TCode Permuted(const TCode& code, const std::vector<int>& order, int triples, int doubles) {
    TCode result{triples, doubles, code.Radius, {}};
    const std::size_t len = static_cast<std::size_t>(code.Length());
    const std::size_t count = code.Size();
    result.Words.reserve(count * order.size());
    for (std::size_t w = 0; w < count; ++w) {
        for (int p : order) {
            result.Words.push_back(code.Words[w * len + static_cast<std::size_t>(p)]);
        }
    }
    return result;
}

}  // namespace

TMixedMatrixCode AsMixed(const TMatrixCode& matrixCode) {
    if (matrixCode.Radix != 2 && matrixCode.Radix != 3) {
        throw std::invalid_argument("matrix code alphabet must be 2 or 3");
    }
    const bool ternary = matrixCode.Radix == 3;
    return TMixedMatrixCode{ternary ? matrixCode.Rows : 0,
                            ternary ? 0 : matrixCode.Rows,
                            matrixCode.Radius,
                            ternary ? matrixCode.Columns : std::vector<int>{},
                            ternary ? std::vector<int>{} : matrixCode.Columns,
                            matrixCode.Syndromes};
}

TCode WordsOfMixedMatrixCode(const TMixedMatrixCode& matrixCode) {
    const auto triples = static_cast<int>(matrixCode.TernaryColumns.size());
    const auto doubles = static_cast<int>(matrixCode.BinaryColumns.size());
    if (triples + doubles > kMaxCodeLength || matrixCode.TernaryRows < 0 ||
        matrixCode.BinaryRows < 0 ||
        matrixCode.TernaryRows + matrixCode.BinaryRows > kMaxSpaceLength) {
        throw std::invalid_argument("matrix code too long");
    }
    const TMixedSpace syndromes(matrixCode.TernaryRows, matrixCode.BinaryRows);
    const std::size_t ternaryPart = IntPow(3, matrixCode.TernaryRows);
    // Column j as a syndrome: what adding 1 at position j adds to the syndrome of a word.
    std::vector<std::size_t> columns;
    for (int p = 0; p < triples + doubles; ++p) {
        const bool ternary = p < triples;
        const int column = ternary
                               ? matrixCode.TernaryColumns[static_cast<std::size_t>(p)]
                               : matrixCode.BinaryColumns[static_cast<std::size_t>(p - triples)];
        const std::size_t rows = ternary ? ternaryPart : syndromes.Size() / ternaryPart;
        if (column < 0 || static_cast<std::size_t>(column) >= rows) {
            throw std::invalid_argument("column out of range");
        }
        columns.push_back(static_cast<std::size_t>(column) * (ternary ? 1 : ternaryPart));
    }
    std::vector<bool> wanted(syndromes.Size(), false);
    for (int s : matrixCode.Syndromes) {
        if (s < 0 || static_cast<std::size_t>(s) >= syndromes.Size()) {
            throw std::invalid_argument("syndrome out of range");
        }
        wanted[static_cast<std::size_t>(s)] = true;
    }
    TCode code{triples, doubles, matrixCode.Radius, {}};
    if (triples + doubles == 0) {
        return code;
    }
    // Odometer over the words; every single-digit increment (including the wrap to 0) adds that
    // position's column once to the running syndrome.
    const TMixedSpace words(triples, doubles);
    std::vector<std::uint8_t> word(static_cast<std::size_t>(words.Length()), 0);
    std::size_t syndrome = 0;
    for (std::size_t step = 0; step < words.Size(); ++step) {
        if (wanted[syndrome]) {
            code.Words.insert(code.Words.end(), word.begin(), word.end());
        }
        for (int p = 0; p < words.Length(); ++p) {
            auto& digit = word[static_cast<std::size_t>(p)];
            digit = static_cast<std::uint8_t>((digit + 1) % words.Signs(p));
            syndrome = syndromes.Add(syndrome, columns[static_cast<std::size_t>(p)], 1);
            if (digit != 0) {
                break;
            }
        }
    }
    return code;
}

TCode WordsOfMatrixCode(const TMatrixCode& matrixCode) {
    return WordsOfMixedMatrixCode(AsMixed(matrixCode));
}

std::size_t MixedMatrixCodeSize(const TMixedMatrixCode& matrixCode) {
    return matrixCode.Syndromes.size() *
           IntPow(3, static_cast<int>(matrixCode.TernaryColumns.size()) - matrixCode.TernaryRows) *
           IntPow(2, static_cast<int>(matrixCode.BinaryColumns.size()) - matrixCode.BinaryRows);
}

TMatrixCode HammingCode(int q, int rows) {
    if ((q != 2 && q != 3) || rows < 1) {
        throw std::invalid_argument("Hamming code needs q = 2 or 3, rows >= 1");
    }
    TMatrixCode code{q, rows, 1, {}, {0}};
    const int total = static_cast<int>(IntPow(static_cast<std::size_t>(q), rows));
    // One representative per projective point: the one whose highest nonzero
    // digit is 1.
    for (int v = 1; v < total; ++v) {
        int top = v;
        while (top >= q) {
            top /= q;
        }
        if (top == 1) {
            code.Columns.push_back(v);
        }
    }
    return code;
}

TMatrixCode TernaryGolayCode() {
    // Found by the matrix search (see the catalogue) as 3 11 5 2 1 1 100 20000,
    // at matrix 835: the balls of radius 2 around the columns of H fill GF(3)^5,
    // the perfect [11,6,5] code.
    return TMatrixCode{3, 5, 2, {1, 3, 9, 27, 81, 151, 107, 119, 52, 112, 156}, {0}};
}

TMatrixCode TernaryDualGolayCode() {
    // Found by the matrix search (see the catalogue) as 3 11 6 3 1 1 50 4000, at
    // matrix 239. The search returned the coset of syndrome 456; every coset of a
    // linear code has the same radius, so the code itself, {0}, is stored.
    return TMatrixCode{3, 6, 3, {1, 3, 9, 27, 81, 243, 299, 112, 385, 259, 268}, {0}};
}

TMatrixCode BlowUp(const TMatrixCode& base) {
    if (base.Radius != 1) {
        throw std::invalid_argument("blow-up needs a radius-1 matrix code");
    }
    const int q = base.Radix;
    const int shift = static_cast<int>(IntPow(static_cast<std::size_t>(q), base.Rows));
    TMatrixCode result{q, base.Rows + 1, 1, {}, {}};
    for (int h : base.Columns) {
        for (int a = 0; a < q; ++a) {
            result.Columns.push_back(h + a * shift);
        }
    }
    result.Columns.push_back(shift);
    result.Syndromes = base.Syndromes;  // (s, 0)
    return result;
}

TCode DirectSum(const TCode& first, const TCode& second) {
    TCode result{first.Triples + second.Triples,
                 first.Doubles + second.Doubles,
                 first.Radius + second.Radius,
                 {}};
    const std::size_t lenA = static_cast<std::size_t>(first.Length());
    const std::size_t lenB = static_cast<std::size_t>(second.Length());
    const std::size_t countA = first.Size(), countB = second.Size();
    if (result.Length() == 0) {
        return result;
    }
    result.Words.reserve(countA * countB * (lenA + lenB));
    for (std::size_t a = 0; a < countA; ++a) {
        const std::uint8_t* wa = first.Words.data() + a * lenA;
        for (std::size_t b = 0; b < countB; ++b) {
            const std::uint8_t* wb = second.Words.data() + b * lenB;
            result.Words.insert(result.Words.end(), wa, wa + first.Triples);
            result.Words.insert(result.Words.end(), wb, wb + second.Triples);
            result.Words.insert(result.Words.end(), wa + first.Triples, wa + lenA);
            result.Words.insert(result.Words.end(), wb + second.Triples, wb + lenB);
        }
    }
    return result;
}

TCode WholeSpace(int triples, int doubles) {
    if (triples < 0 || doubles < 0 || triples + doubles > kMaxCodeLength) {
        throw std::invalid_argument("whole space shape out of range");
    }
    TCode code{triples, doubles, 0, {}};
    const int len = triples + doubles;
    if (len == 0) {
        return code;
    }
    const std::size_t total = IntPow(3, triples) * IntPow(2, doubles);
    code.Words.reserve(total * static_cast<std::size_t>(len));
    std::vector<std::uint8_t> word(static_cast<std::size_t>(len), 0);
    for (std::size_t w = 0; w < total; ++w) {
        code.Words.insert(code.Words.end(), word.begin(), word.end());
        for (int p = len - 1; p >= 0; --p) {
            const int q = p < triples ? 3 : 2;
            if (++word[static_cast<std::size_t>(p)] < q) {
                break;
            }
            word[static_cast<std::size_t>(p)] = 0;
        }
    }
    return code;
}

TCode AmalgamatedDirectSum(const TCode& first, int firstPosition, const TCode& second,
                           int secondPosition) {
    if (firstPosition < 0 || firstPosition >= first.Length() || secondPosition < 0 ||
        secondPosition >= second.Length()) {
        throw std::invalid_argument("amalgamation position out of range");
    }
    const int q = AlphabetAt(first, firstPosition);
    if (q != AlphabetAt(second, secondPosition)) {
        throw std::invalid_argument("amalgamated positions must have the same number of signs");
    }
    // Raw layout: first without its position, the shared position, second
    // without its position; then stable-sorted so ternary positions lead.
    const int lenA = first.Length(), lenB = second.Length();
    std::vector<int> kinds;  // alphabet of each raw position
    for (int p = 0; p < lenA; ++p) {
        if (p != firstPosition) {
            kinds.push_back(AlphabetAt(first, p));
        }
    }
    kinds.push_back(q);
    for (int p = 0; p < lenB; ++p) {
        if (p != secondPosition) {
            kinds.push_back(AlphabetAt(second, p));
        }
    }
    const int rawLen = static_cast<int>(kinds.size());
    std::vector<std::vector<std::size_t>> bySymbol(static_cast<std::size_t>(q));
    for (std::size_t b = 0; b < second.Size(); ++b) {
        bySymbol[second.Words[b * static_cast<std::size_t>(lenB) +
                              static_cast<std::size_t>(secondPosition)]]
            .push_back(b);
    }
    TCode raw{0, 0, first.Radius + second.Radius, {}};
    for (int k : kinds) {
        (k == 3 ? raw.Triples : raw.Doubles)++;
    }
    // Words go in raw order first; Permuted below fixes the layout.
    TCode rawCode{raw.Triples + raw.Doubles, 0, raw.Radius, {}};
    for (std::size_t a = 0; a < first.Size(); ++a) {
        const std::uint8_t* wa = first.Words.data() + a * static_cast<std::size_t>(lenA);
        const std::uint8_t symbol = wa[firstPosition];
        for (std::size_t b : bySymbol[symbol]) {
            const std::uint8_t* wb = second.Words.data() + b * static_cast<std::size_t>(lenB);
            for (int p = 0; p < lenA; ++p) {
                if (p != firstPosition) {
                    rawCode.Words.push_back(wa[p]);
                }
            }
            rawCode.Words.push_back(symbol);
            for (int p = 0; p < lenB; ++p) {
                if (p != secondPosition) {
                    rawCode.Words.push_back(wb[p]);
                }
            }
        }
    }
    std::vector<int> order;
    for (int p = 0; p < rawLen; ++p) {
        if (kinds[static_cast<std::size_t>(p)] == 3) {
            order.push_back(p);
        }
    }
    for (int p = 0; p < rawLen; ++p) {
        if (kinds[static_cast<std::size_t>(p)] == 2) {
            order.push_back(p);
        }
    }
    return Permuted(rawCode, order, raw.Triples, raw.Doubles);
}

TCode PartitionSum(const TCode& first, const std::vector<std::uint8_t>& labels,
                   const TCode& second) {
    if (second.Length() == 0 || labels.size() != first.Size() ||
        std::any_of(labels.begin(), labels.end(),
                    [&](std::uint8_t label) { return label >= AlphabetAt(second, 0); })) {
        throw std::invalid_argument("partition labels do not fit");
    }
    const std::size_t lenA = static_cast<std::size_t>(first.Length());
    const std::size_t lenB = static_cast<std::size_t>(second.Length());
    const bool cutTernary = second.Triples > 0;
    TCode result{first.Triples + second.Triples - (cutTernary ? 1 : 0),
                 first.Doubles + second.Doubles - (cutTernary ? 0 : 1),
                 first.Radius + 1,
                 {}};
    // Position 0 of `second` leads its ternary positions, or its binary ones when it has none.
    const std::size_t ternaryB = static_cast<std::size_t>(second.Triples);
    for (std::size_t a = 0; a < first.Size(); ++a) {
        const std::uint8_t* wa = first.Words.data() + a * lenA;
        for (std::size_t b = 0; b < second.Size(); ++b) {
            const std::uint8_t* wb = second.Words.data() + b * lenB;
            if (wb[0] != labels[a]) {
                continue;
            }
            result.Words.insert(result.Words.end(), wa, wa + first.Triples);
            result.Words.insert(result.Words.end(), wb + (cutTernary ? 1 : 0), wb + ternaryB);
            result.Words.insert(result.Words.end(), wa + first.Triples, wa + lenA);
            result.Words.insert(result.Words.end(), wb + std::max<std::size_t>(ternaryB, 1),
                                wb + lenB);
        }
    }
    return result;
}

std::vector<std::uint8_t> FunctionalLabels(const TCode& code, const std::vector<int>& coefficients,
                                           int parts) {
    if (coefficients.size() != static_cast<std::size_t>(code.Length())) {
        throw std::invalid_argument("one coefficient per position");
    }
    std::vector<std::uint8_t> labels;
    for (std::size_t w = 0; w < code.Size(); ++w) {
        int sum = 0;
        for (std::size_t p = 0; p < coefficients.size(); ++p) {
            sum += coefficients[p] * code.Words[w * coefficients.size() + p];
        }
        labels.push_back(static_cast<std::uint8_t>(sum % parts));
    }
    return labels;
}

TCode OrbitCode(int triples, int doubles, int radius,
                const std::vector<std::vector<int>>& generators,
                const std::vector<std::size_t>& representatives) {
    CheckShape(triples, doubles, radius);
    const TMixedSpace space(triples, doubles);
    for (const std::vector<int>& permutation : generators) {
        if (!PermutesPositions(space, permutation)) {
            throw std::invalid_argument("orbit words do not fit");
        }
    }
    std::vector<bool> inCode(space.Size(), false);
    for (std::size_t x : representatives) {
        if (x >= space.Size()) {
            throw std::invalid_argument("orbit words do not fit");
        }
        if (inCode[x]) {
            continue;
        }
        for (std::size_t y : Orbit(space, generators, x)) {
            inCode[y] = true;
        }
    }
    TCode code{triples, doubles, radius, {}};
    for (std::size_t x = 0; x < space.Size() && space.Length() > 0; ++x) {
        if (inCode[x]) {
            for (int p = 0; p < space.Length(); ++p) {
                code.Words.push_back(static_cast<std::uint8_t>(space.Digit(x, p)));
            }
        }
    }
    return code;
}

TCode NarrowPosition(const TCode& code, int position) {
    if (position < 0 || position >= code.Triples) {
        throw std::invalid_argument("narrowed position must be ternary");
    }
    std::vector<int> order;
    for (int p = 0; p < code.Triples; ++p) {
        if (p != position) {
            order.push_back(p);
        }
    }
    order.push_back(position);
    for (int p = code.Triples; p < code.Length(); ++p) {
        order.push_back(p);
    }
    TCode result = Permuted(code, order, code.Triples - 1, code.Doubles + 1);
    const std::size_t len = static_cast<std::size_t>(result.Length());
    const std::size_t column = static_cast<std::size_t>(result.Triples);
    for (std::size_t w = 0; w < result.Size(); ++w) {
        if (result.Words[w * len + column] == 2) {
            result.Words[w * len + column] = 0;
        }
    }
    SortAndDeduplicate(result);
    return result;
}

TCode PuncturePosition(const TCode& code, int position) {
    if (position < 0 || position >= code.Length()) {
        throw std::invalid_argument("punctured position out of range");
    }
    std::vector<int> order;
    for (int p = 0; p < code.Length(); ++p) {
        if (p != position) {
            order.push_back(p);
        }
    }
    const bool ternary = position < code.Triples;
    TCode result =
        Permuted(code, order, code.Triples - (ternary ? 1 : 0), code.Doubles - (ternary ? 0 : 1));
    if (code.Length() == 1) {
        result.Words.clear();
        return result;
    }
    SortAndDeduplicate(result);
    return result;
}

// The catalogue of base codes, each swept over its whole space by the tests.
namespace {

TMatrixCode Listed(int q, int n, int radius, std::vector<int> words) {
    // A stored word list is the matrix code with H = I: word = syndrome.
    TMatrixCode code{q, n, radius, {}, std::move(words)};
    for (int i = 0; i < n; ++i) {
        code.Columns.push_back(static_cast<int>(IntPow(static_cast<std::size_t>(q), i)));
    }
    return code;
}

struct TCatalogueEntry {
    int Triples;
    int Doubles;
    int Radius;
    std::size_t Size;
    std::string Name;
    std::function<TCode()> Build;
};

// The stored codes are data here: the tests sweep each one over its whole space,
// so a code is trusted for what it covers, not for how it was found. The codes
// whose comment gives a kelvo_matrix_search or kelvo_partition_search command
// are found again by it (tools/). The older ones came from a one-off tabu search
// over the set of syndromes in the manner of Ostergard (each step moves one
// syndrome so that it covers a random uncovered syndrome, taking the best move
// that is not tabu), inside a hill climb over the columns of H = [I_r | A]
// beyond the identity, run outside the tree. Each comment records that search
// as "radix length rows radius syndromes seed steps-per-matrix matrices", with
// "identity" where H stayed I (a plain search over words: the codes up to
// length 7 and the word lists of length 10).
TMatrixCode StoredT2R1() {
    return Listed(3, 2, 1, {0, 4, 8});
}  // {00, 11, 22}
TMatrixCode StoredT3R1() {
    return Listed(3, 3, 1, {2, 3, 9, 14, 25});
}  // 3 3 3 1 5 1 5000 3 identity
TMatrixCode StoredT5R2() {
    return Listed(3, 5, 2, {12, 32, 42, 137, 154, 169, 188, 201});
}  // 3 5 5 2 8 1 20000 3 identity
TMatrixCode StoredT6R2() {  // 3 6 6 2 17 1 200000 1 identity
    return Listed(
        3, 6, 2,
        {46, 58, 98, 144, 180, 192, 243, 282, 352, 391, 427, 485, 548, 590, 645, 664, 713});
}
TMatrixCode StoredT6R3() {
    return Listed(3, 6, 3, {35, 185, 307, 346, 636, 675});
}  // 3 6 6 3 6 1 200000 1 identity
TMatrixCode StoredT7R3() {  // 3 7 7 3 12 1 200000 1 identity
    return Listed(3, 7, 3, {63, 178, 269, 599, 766, 1181, 1299, 1357, 1526, 1914, 1939, 2025});
}
TMatrixCode StoredT7R2() {  // 3 7 7 2 34 1 1000000 1 identity
    return Listed(3, 7, 2, {47,   63,   82,   163,  250,  422,  438,  484,  588,  607,  626,  733,
                            905,  921,  967,  1071, 1090, 1109, 1268, 1284, 1349, 1384, 1563, 1582,
                            1601, 1751, 1767, 1848, 1867, 1955, 1971, 2017, 2153, 2169});
}
TMatrixCode StoredT6R1() {  // 3 6 6 1 73 1 3000000 1 identity
    return Listed(3, 6, 1,
                  {7,   16,  18,  27,  43,  52,  59,  68,  77,  92,  103, 116, 120, 136, 159,
                   163, 165, 168, 184, 193, 207, 209, 225, 226, 233, 255, 269, 274, 281, 303,
                   316, 324, 325, 329, 350, 359, 370, 372, 374, 387, 391, 394, 415, 431, 436,
                   447, 461, 480, 486, 488, 508, 517, 531, 534, 537, 550, 555, 557, 582, 589,
                   602, 604, 624, 641, 655, 662, 666, 675, 689, 700, 709, 716, 727});
}
// Matrix-method code: q=3 n=7 r=6 R=1, 62 syndromes, 62 * 3 = 186 words.
// 3 7 6 1 62 1 20000 400, hit with the first matrix.
TMatrixCode MatrixT7R1() {
    return TMatrixCode{
        3,
        6,
        1,
        {1, 3, 9, 27, 81, 243, 122},
        {14,  16,  18,  27,  36,  50,  61,  72,  87,  103, 125, 128, 138, 145, 164, 172,
         193, 213, 228, 242, 247, 251, 261, 270, 279, 295, 302, 310, 314, 315, 335, 336,
         358, 372, 380, 403, 420, 428, 446, 451, 460, 465, 500, 502, 504, 513, 522, 536,
         547, 558, 568, 593, 607, 615, 623, 636, 651, 663, 683, 694, 713, 724}};
}
// Matrix-method code: q=3 n=8 r=5 R=1, 18 syndromes, 18 * 27 = 486 words.
// 3 8 5 1 18 1 20000 300, hit at matrix 35 of the hill climb over H.
TMatrixCode MatrixT8R1() {
    return TMatrixCode{
        3,
        5,
        1,
        {1, 3, 9, 27, 81, 42, 46, 36},
        {35, 40, 45, 59, 64, 78, 81, 82, 96, 98, 103, 104, 192, 200, 214, 223, 228, 236}};
}

// Matrix-method code: q=3 n=9 r=6 R=1, 51 syndromes, 51 * 27 = 1377 words.
// kelvo_matrix_search -n 9 -k 6 -R 1 --seed 1 --steps 20000 --target 51: matrix 36.
TMatrixCode MatrixT9R1() {
    return TMatrixCode{
        3,
        6,
        1,
        {1, 3, 9, 27, 81, 243, 433, 334, 413},
        {3,   19,  24,  28,  45,  52,  71,  77,  92,  120, 127, 140, 151, 166, 177, 197, 216,
         247, 249, 264, 273, 277, 289, 299, 350, 369, 387, 400, 408, 415, 446, 466, 474, 479,
         495, 526, 530, 554, 556, 566, 572, 580, 600, 617, 622, 638, 650, 673, 684, 695, 723}};
}

// Matrix-method code: q=3 n=9 r=7 R=3, 7 syndromes, 7 * 9 = 63 words.
// kelvo_matrix_search -n 9 -k 7 -R 3 --seed 1 --matrices 0 --steps 5000: the first matrix.
TMatrixCode MatrixT9R3() {
    return TMatrixCode{
        3, 7, 3, {1, 3, 9, 27, 81, 243, 729, 293, 299}, {21, 87, 1171, 1415, 1456, 1464, 1560}};
}

// Matrix-method code: q=3 n=10 r=8 R=3, 14 syndromes, 14 * 9 = 126 words.
// kelvo_matrix_search -n 10 -k 8 -R 3 --seed 1 --matrices 4 --steps 5000: matrix 4.
TMatrixCode MatrixT10R3() {
    return TMatrixCode{
        3,
        8,
        3,
        {1, 3, 9, 27, 81, 243, 729, 2187, 821, 895},
        {654, 793, 1738, 2048, 3028, 3130, 3169, 4195, 5403, 5426, 5489, 5626, 5842, 6312}};
}

// A union of 32 orbits of the group of the 13 positions generated by the shift (p to p + 1 mod
// 13) and the multiplier 3 (p to 3p mod 13), 704 words of 13 doubles at radius 1.
// kelvo_orbit_search --doubles 13 -R 1 --shift 13 --multiply 3 --seed 1 --target 704.
TCode OrbitsD13R1() {
    return OrbitCode(
        0, 13, 1, {AffinePositions(13, 0, 13, 1, 1), AffinePositions(13, 0, 13, 3, 0)},
        {0,   19,  23,  61,  83,  87,  101, 141, 151,  161,  215,  383,  443,  463,  473,  483,
         623, 633, 663, 727, 933, 941, 949, 957, 1013, 1021, 1527, 1727, 2027, 2043, 3039, 8191});
}

// Unions of orbits for the mixed shapes: the group of the two shifts, the ternary positions p to
// p + 1 mod Triples and the binary ones likewise among themselves. Each was found by
// kelvo_orbit_search -t T -b B -R R --shift T --shift-doubles B --seed 1 --steps 100000 (the last
// few with --seed 2 --steps 300000), and is kept where it is smaller than the other constructions
// of its shape.
struct TShiftOrbits {
    int Triples;
    int Doubles;
    int Radius;
    std::size_t Size;
    std::vector<std::size_t> Representatives;
};

// The shift of the binary positions, and of the ternary ones when `ternaryToo`.
std::vector<std::vector<int>> Shifts(int triples, int doubles, bool ternaryToo) {
    const std::vector<int> binary = AffinePositions(triples + doubles, triples, doubles, 1, 1);
    if (ternaryToo) {
        return {AffinePositions(triples + doubles, 0, triples, 1, 1), binary};
    }
    return {binary};
}

const std::vector<TShiftOrbits>& ShiftOrbitCodes() {
    static const std::vector<TShiftOrbits> codes = {
        {1, 2, 1, 3, {1, 2, 9}},
        {1, 4, 1, 8, {0, 11, 16, 45}},
        {1, 5, 1, 17, {2, 9, 16, 47, 94}},
        {1, 6, 1, 30, {0, 1, 21, 29, 35, 40, 64, 81, 190, 191}},
        {1, 8, 1, 88, {0, 21, 34, 41, 52, 53, 93, 111, 143, 153, 184, 255, 273, 358, 359, 765}},
        {1, 9, 1, 178, {1,   2,   9,   47,  65,  70,  83,  88,  106, 112, 123, 189,  220,
                        221, 285, 287, 311, 321, 351, 376, 515, 657, 658, 718, 1533, 1535}},
        {1, 10, 1, 318, {1,   15,  45,  71,  75,  76,  77,   101,  118,  160,  189,  215, 226,
                         231, 250, 297, 317, 357, 371, 376,  519,  520,  521,  549,  562, 563,
                         669, 670, 671, 695, 705, 737, 1023, 1024, 1025, 1149, 1486, 3071}},
        {2, 1, 1, 4, {4, 8, 9, 13}},
        {2, 2, 1, 6, {2, 13, 27, 35}},
        {2, 3, 1, 12, {1, 4, 17, 27, 67, 68}},
        {2, 4, 1, 23, {2, 5, 8, 28, 45, 49, 71, 135, 139}},
        {2, 5, 1, 43, {0, 1, 2, 31, 35, 50, 63, 99, 280, 281, 283, 284, 287}},
        {2,
         6,
         1,
         74,
         {1, 5, 27, 35, 67, 83, 85, 137, 189, 190, 191, 194, 197, 244, 248, 567, 571, 575}},
        {2, 7, 1, 143, {0,   1,   2,   4,   5,   8,   71,  99,   100,  103,  104,  119, 179,
                        197, 207, 262, 265, 287, 431, 503, 1143, 1144, 1145, 1147, 1148}},
        {2, 8, 1, 244, {2,   4,   27,  68,  89,  99,   101,  121,  125, 154, 158,
                        280, 334, 409, 427, 431, 461,  463,  549,  551, 575, 765,
                        767, 769, 773, 824, 999, 1072, 1076, 2297, 2299}},
        {2, 9, 1, 472, {1,    2,    5,    31,   53,   63,   100,  121,  125,  153,  179,  193,
                        227,  284,  315,  338,  352,  369,  395,  425,  463,  477,  518,  532,
                        549,  658,  661,  665,  701,  751,  767,  819,  859,  1001, 1071, 1079,
                        1115, 1125, 1147, 1579, 1652, 1684, 1727, 1976, 4599, 4600, 4601, 4604}},
        {2, 10, 1, 901, {2,    4,    27,   67,   71,   89,   99,   104,  118,  158,  191,
                         265,  287,  298,  337,  355,  359,  377,  460,  485,  513,  569,
                         621,  658,  701,  711,  751,  784,  821,  845,  855,  893,  909,
                         967,  981,  1004, 1043, 1053, 1079, 1091, 1094, 1126, 1325, 1367,
                         1399, 1487, 1544, 1619, 1651, 1702, 1723, 1917, 1989, 2012, 2080,
                         2138, 2155, 2210, 2260, 2295, 3069, 3073, 3077, 3127, 3167, 3267,
                         3275, 3377, 3411, 3451, 3951, 4031, 4457, 4607, 9208}},
        {3, 2, 1, 17, {0, 5, 13, 26, 34, 81, 95, 107}},
        {3, 3, 1, 30, {0, 5, 13, 26, 34, 81, 94, 107, 194, 197}},
        {3, 4, 1, 54, {0, 5, 13, 26, 34, 81, 94, 107, 135, 148, 161, 194, 405, 412, 418, 431}},
        {3, 5, 1, 100, {0, 4, 26, 34, 81, 94, 107, 140, 194, 297, 310, 323, 412, 837, 851, 863}},
        {3, 6, 1, 184, {4,   8,   13,  14,  17,  27,  86,  161, 196, 250, 297, 310,  323,  356,
                        405, 418, 431, 568, 569, 571, 581, 647, 736, 850, 863, 1702, 1703, 1706}},
        {3, 7, 1, 365, {0,   1,    2,    13,   26,   40,   53,   88,   140,  189,  248, 302, 358,
                        405, 418,  431,  513,  567,  628,  635,  638,  729,  742,  755, 787, 791,
                        837, 1161, 1174, 1187, 1269, 1485, 1706, 3429, 3436, 3442, 3455}},
        {3, 8, 1, 646, {7,    8,    17,   26,   27,   40,   194,  298,  299,  305,  314,
                        355,  358,  365,  463,  464,  539,  567,  593,  634,  701,  783,
                        809,  837,  850,  863,  1004, 1060, 1174, 1276, 1378, 1379, 1391,
                        1431, 1457, 1647, 1660, 1673, 1706, 2300, 2302, 2309, 2349, 2462,
                        2572, 2997, 3010, 3023, 3217, 3221, 3230, 6886, 6887, 6899, 6911}},
        {3, 9, 1, 1290, {1,    2,    5,     7,     14,    53,    94,    107,   135,  196,  301,
                         311,  356,  405,   431,   463,   514,   580,   593,   629,  675,  677,
                         746,  788,  850,   945,   971,   1007,  1058,  1124,  1163, 1215, 1282,
                         1391, 1403, 1438,  1485,  1543,  1565,  1702,  1714,  1727, 1978, 1979,
                         1984, 2030, 2079,  2092,  2255,  2296,  2308,  2457,  2537, 2572, 2781,
                         2969, 2998, 3014,  3185,  3220,  3321,  3329,  3334,  3377, 3389, 3434,
                         4624, 4725, 4738,  4742,  4941,  4945,  4967,  5054,  5183, 5917, 5920,
                         6453, 6466, 13798, 13799, 13801, 13804, 13805, 13811, 13814}},
        {4, 5, 1, 280, {5,    11,   13,   14,   17,   40,   50,   81,   88,  161, 253,
                        263,  287,  416,  446,  485,  571,  575,  617,  896, 914, 931,
                        1215, 1240, 1255, 2521, 2525, 2528, 2531, 2534, 2591}},
        {4, 6, 1, 494, {5,    16,   20,   41,   50,   81,   103,  161,  250,  260,  283,  405,
                        419,  485,  575,  577,  617,  737,  739,  742,  782,  911,  1073, 1220,
                        1237, 1295, 1708, 1717, 1726, 1741, 1867, 1883, 1907, 2188, 2203, 2212,
                        2228, 2237, 2511, 2551, 2591, 5110, 5111, 5113, 5114, 5117, 5120, 5126}},
        {4, 7, 1, 971, {2,    10,   13,   41,   50,   53,    88,    101,   243,   257,   323,
                        410,  422,  445,  567,  589,  647,   733,   749,   773,   899,   901,
                        941,  1053, 1078, 1093, 1215, 1231,  1235,  1295,  1539,  1555,  1559,
                        1619, 1712, 1717, 1781, 1870, 1903,  1943,  2187,  2209,  2267,  2357,
                        2359, 2399, 2511, 2525, 2591, 3483,  3506,  3523,  3811,  3827,  3851,
                        4460, 4472, 4495, 5123, 5128, 10288, 10297, 10300, 10313, 10328, 10337}},
        {4, 8, 1, 1787, {1,     2,     4,     10,    16,    20,   23,   41,   161,   250,   260,
                         283,   405,   419,   430,   571,   587,  734,  751,  809,   901,   971,
                         1073,  1103,  1223,  1225,  1259,  1265, 1385, 1388, 1390,  1421,  1427,
                         1865,  1889,  1904,  2025,  2191,  2207, 2212, 2227, 2354,  2371,  2429,
                         2521,  2561,  3005,  3037,  3170,  3175, 3212, 3490, 3493,  3506,  3524,
                         3649,  3665,  3689,  3695,  3807,  3817, 4131, 4141, 4145,  4154,  4157,
                         4171,  4294,  4306,  4346,  4779,  4961, 4981, 5110, 5120,  5143,  6885,
                         6889,  6901,  6902,  6905,  6925,  6965, 7371, 7388, 7695,  7709,  7720,
                         8996,  9013,  9071,  9647,  9650,  9652, 9683, 9689, 10337, 10367, 20656,
                         20657, 20659, 20665, 20675, 20695, 20699}},
        {5, 2, 1, 98, {0,   16,  20,  31,  35,  68,  125, 242, 243, 266,
                       281, 295, 364, 485, 737, 739, 742, 791, 860, 863}},
        {5, 3, 1, 168, {8,   10,  13,  62,  131, 134, 243,  266,  281,  295,  364,  485,
                        729, 745, 764, 797, 850, 971, 1705, 1721, 1727, 1732, 1826, 1853}},
        {5, 4, 1, 361, {2,    14,   34,   50,   76,   80,   121,  247,  263,  269,
                        274,  368,  395,  729,  745,  764,  797,  850,  971,  1215,
                        1231, 1250, 1283, 1336, 1457, 1701, 1724, 1739, 1753, 1822,
                        1943, 3653, 3655, 3658, 3707, 3776, 3779}},
        {5, 5, 1, 721, {8,    10,   13,   62,   131,  134,  243,  266,  281,  295,
                        364,  485,  729,  745,  764,  797,  850,  971,  1215, 1231,
                        1250, 1283, 1336, 1457, 1701, 1724, 1739, 1753, 1822, 1943,
                        2677, 2693, 2699, 2704, 2798, 2825, 3653, 3655, 3658, 3707,
                        3776, 3779, 7533, 7550, 7555, 7565, 7594, 7655, 7694}},
        {5, 6, 1, 1388, {0,     5,     13,    26,    38,    43,    53,    62,    80,   121,  152,
                         250,   292,   311,   740,   751,   764,   772,   890,   1232, 1234, 1285,
                         1336,  1457,  1701,  1714,  1727,  1748,  1826,  2197,  2207, 2212, 2231,
                         2255,  2266,  2308,  2312,  2678,  2714,  2915,  3159,  3163, 3209, 3280,
                         3401,  3652,  3676,  3698,  3706,  3721,  3776,  5103,  5107, 5134, 5141,
                         5152,  5165,  5179,  5180,  5237,  5589,  5615,  5623,  5638, 5660, 6569,
                         6571,  6613,  6623,  6628,  6638,  6695,  6713,  7547,  7552, 7654, 7775,
                         15311, 15313, 15325, 15356, 15359, 15379, 15388, 15430, 15434}},
        {5, 7, 1, 2623, {10,    11,    13,    20,    31,    32,    49,    62,    68,    76,
                         77,    131,   152,   242,   243,   250,   287,   296,   364,   736,
                         748,   770,   782,   799,   1220,  1282,  1294,  1712,  1750,  1778,
                         2192,  2254,  2266,  2308,  2678,  2704,  2735,  2752,  2804,  3169,
                         3179,  3200,  3235,  3311,  3401,  3650,  3667,  3689,  3724,  3766,
                         4628,  4666,  4694,  5122,  5146,  5153,  5174,  5600,  5602,  5611,
                         5615,  5714,  5831,  6561,  6578,  6583,  6605,  6682,  6803,  7047,
                         7051,  7055,  7090,  7118,  7123,  7181,  7533,  7567,  7583,  7594,
                         7654,  7775,  10456, 10490, 10502, 11432, 11470, 11488, 11498, 13365,
                         13397, 13412, 13435, 13486, 13607, 15323, 15328, 15334, 15430, 15551,
                         30861, 30875, 30886, 30892, 30914, 30923, 30932, 30986, 30992, 30995,
                         31013}},
        {6, 2, 1, 285, {0,    16,   17,   25,   28,   31,   56,   98,   104,  106,  119,  125,
                        142,  149,  182,  242,  364,  395,  728,  730,  770,  782,  785,  796,
                        820,  859,  869,  911,  925,  962,  967,  1184, 2187, 2195, 2197, 2210,
                        2224, 2248, 2260, 2315, 2320, 2333, 2336, 2429, 2551, 2555, 2588, 2642}},
        {6, 3, 1, 539, {0,    14,   25,   28,   29,   40,   65,   91,   104,  113,  119,
                        125,  140,  161,  182,  212,  214,  224,  392,  404,  455,  743,
                        748,  779,  791,  820,  844,  886,  917,  932,  961,  1093, 1457,
                        2194, 2219, 2224, 2266, 2288, 2321, 2336, 2389, 2411, 2642, 2663,
                        5103, 5116, 5120, 5131, 5150, 5159, 5161, 5174, 5180, 5194, 5209,
                        5210, 5227, 5233, 5252, 5288, 5299, 5309, 5467, 5471, 5558, 5831}},
        {6, 4, 1, 1042, {11,    17,    23,    25,    29,    38,    47,    49,    80,    104,
                         112,   113,   148,   158,   187,   205,   242,   377,   455,   729,
                         742,   757,   788,   820,   862,   881,   911,   926,   967,   1093,
                         1184,  2194,  2240,  2246,  2251,  2252,  2282,  2309,  2369,  2392,
                         2425,  2642,  2663,  2915,  3649,  3653,  3671,  3688,  3704,  3715,
                         3718,  3736,  3748,  3773,  3776,  3841,  3847,  3848,  3875,  4037,
                         4130,  5114,  5152,  5162,  5215,  5228,  5251,  5263,  5288,  5327,
                         5333,  10935, 10948, 10960, 10963, 10964, 10982, 11006, 11015, 11026,
                         11042, 11050, 11065, 11075, 11093, 11117, 11138, 11149, 11167, 11299,
                         11336, 11390, 11663}},
        {6, 5, 1, 2092, {0,     23,    31,    32,    35,    47,    56,    64,    68,    91,
                         97,    104,   106,   112,   116,   131,   134,   140,   157,   158,
                         161,   182,   185,   196,   214,   364,   377,   728,   742,   746,
                         748,   757,   808,   848,   931,   953,   962,   1121,  1184,  2194,
                         2198,  2236,  2243,  2294,  2300,  2311,  2320,  2333,  2402,  2417,
                         3664,  3688,  3695,  3710,  3718,  3740,  3787,  3793,  3833,  4046,
                         4049,  5103,  5107,  5138,  5156,  5173,  5180,  5194,  5206,  5225,
                         5243,  5258,  5285,  5317,  5480,  5831,  8024,  8066,  8086,  8099,
                         8110,  8125,  8131,  8144,  8177,  8203,  8215,  8383,  8474,  8495,
                         10935, 10949, 10960, 10963, 11026, 11047, 11050, 11087, 11117, 11159,
                         11173, 11299, 11327, 11390, 11663, 22599, 22631, 22639, 22648, 22652,
                         22655, 22657, 22658, 22660, 22664, 22672, 22696, 22703, 22718, 22730,
                         22733, 22747, 22759, 22802, 22805, 22814, 22829, 22831, 22967, 23075}},
        {6,
         6,
         1,
         3846,
         {16,    17,    19,    28,    41,    43,    49,    65,    70,    115,   119,   122,   125,
          128,   140,   149,   161,   187,   196,   205,   211,   215,   229,   230,   242,   404,
          729,   733,   764,   806,   820,   871,   886,   911,   1093,  1184,  1205,  2187,  2204,
          2227,  2237,  2258,  2260,  2278,  2291,  2299,  2342,  2371,  2428,  2564,  2579,  3645,
          3667,  3677,  3683,  3724,  3740,  3779,  3791,  3847,  3869,  4009,  4100,  4121,  5123,
          5131,  5146,  5161,  5167,  5209,  5251,  5309,  5342,  5498,  6571,  6587,  6589,  6607,
          6617,  6628,  6685,  6692,  6694,  6713,  6745,  6767,  6799,  7289,  8026,  8075,  8131,
          8143,  8152,  8201,  8249,  8251,  8747,  9477,  9491,  9502,  9505,  9556,  9568,  9617,
          9659,  9673,  9701,  9841,  9854,  9869,  10205, 10940, 10943, 10976, 10993, 11015, 11027,
          11038, 11083, 11092, 11096, 11117, 11131, 11147, 11411, 15314, 15317, 15326, 15337, 15343,
          15358, 15377, 15380, 15400, 15410, 15412, 15434, 15439, 15451, 15494, 15497, 15686, 15713,
          15785, 16778, 16780, 16820, 16823, 16825, 16865, 16889, 16907, 16978, 16999, 17495, 19697,
          19702, 19718, 19730, 19732, 19747, 19762, 19790, 19799, 19802, 19825, 19834, 19841, 19885,
          19898, 19913, 22599, 22622, 22636, 22732, 22786, 22829, 22963, 23054, 23327, 45943, 45944,
          45956, 45958, 45959, 45961, 45986, 45988, 45994, 46000, 46001, 46018, 46024, 46052, 46058,
          46079, 46082, 46109, 46124, 46132, 46133, 46151, 46165, 46291, 46304, 46319, 46403}},
        {7,
         4,
         1,
         2880,
         {14,    16,    19,    41,    47,    50,    79,    91,    110,   116,   118,   137,   140,
          158,   169,   194,   224,   241,   277,   284,   295,   310,   314,   340,   374,   398,
          400,   425,   445,   458,   473,   554,   565,   593,   616,   635,   700,   716,   719,
          1103,  1124,  1205,  1211,  2186,  2187,  2195,  2218,  2252,  2288,  2293,  2299,  2366,
          2393,  2395,  2416,  2510,  2549,  2555,  2587,  2614,  2635,  2672,  2816,  2824,  2885,
          3280,  6572,  6583,  6604,  6614,  6631,  6647,  6685,  6713,  6715,  6730,  6740,  6800,
          6836,  6872,  6883,  6905,  6911,  6919,  6946,  7006,  7007,  7109,  7205,  7234,  7691,
          7748,  8747,  10948, 10964, 10987, 10996, 11012, 11033, 11053, 11066, 11069, 11080, 11107,
          11137, 11156, 11171, 11213, 11237, 11311, 11318, 11327, 11375, 11389, 11401, 11492, 11497,
          11524, 11624, 11650, 12028, 12068, 12365, 12392, 15314, 15320, 15373, 15374, 15431, 15452,
          15469, 15484, 15497, 15550, 15583, 15632, 15655, 15656, 15700, 15761, 15785, 15929, 15946,
          16000, 32805, 32824, 32830, 32833, 32849, 32854, 32881, 32882, 32890, 32893, 32899, 32902,
          32909, 32932, 32933, 32947, 32960, 32978, 32986, 33002, 33005, 33016, 33025, 33089, 33092,
          33100, 33146, 33203, 33226, 33262, 33353, 33358, 33421, 33440, 33502, 33521, 33533, 33898,
          33902, 33908, 33911, 33929, 34181, 34235}},
        {7,
         5,
         1,
         5833,
         {0,     4,     10,    11,    13,    37,    53,    64,    70,    74,    91,    116,   119,
          124,   140,   143,   148,   151,   173,   176,   193,   197,   212,   220,   221,   232,
          238,   274,   278,   283,   284,   286,   301,   310,   313,   320,   323,   344,   377,
          389,   395,   430,   473,   566,   589,   611,   647,   692,   700,   716,   724,   1097,
          1124,  1187,  2212,  2216,  2248,  2255,  2285,  2317,  2341,  2389,  2429,  2534,  2543,
          2590,  2626,  2630,  2639,  2734,  2861,  3280,  3317,  3398,  4373,  6569,  6580,  6592,
          6631,  6646,  6650,  6679,  6689,  6719,  6731,  6775,  6788,  6857,  6866,  6880,  6929,
          6959,  6988,  7000,  7007,  7019,  7180,  7207,  7276,  7286,  7654,  7664,  10940, 10958,
          10966, 10979, 10981, 11029, 11038, 11057, 11072, 11123, 11150, 11161, 11177, 11239, 11252,
          11302, 11321, 11389, 11390, 11411, 11416, 11488, 11524, 11537, 11573, 11579, 11624, 11626,
          13121, 15309, 15346, 15350, 15353, 15385, 15389, 15401, 15427, 15451, 15467, 15478, 15484,
          15487, 15491, 15602, 15617, 15631, 15658, 15659, 15700, 15731, 15944, 15947, 16010, 16406,
          16430, 16523, 24068, 24095, 24107, 24122, 24124, 24136, 24145, 24194, 24217, 24235, 24242,
          24332, 24343, 24380, 24395, 24398, 24430, 24434, 24449, 24482, 24650, 24664, 24749, 24754,
          24776, 25424, 32805, 32824, 32840, 32867, 32872, 32891, 32930, 32935, 33014, 33029, 33163,
          33203, 33235, 33250, 33275, 33287, 33289, 33361, 33422, 33448, 33992, 34991, 67801, 67804,
          67811, 67813, 67814, 67823, 67828, 67847, 67874, 67888, 67894, 67898, 67907, 67934, 67946,
          67948, 67981, 67993, 67996, 68012, 68017, 68027, 68029, 68032, 68035, 68071, 68078, 68081,
          68098, 68099, 68108, 68116, 68143, 68159, 68162, 68173, 68180, 68183, 68191, 68237, 68246,
          68363, 68389, 68390, 68399, 68407, 68444, 68512, 68890, 68927, 69254}},
        {1, 4, 2, 3, {2, 45, 46}},
        {1, 6, 2, 10, {1, 2, 15, 190, 191}},
        {1, 8, 2, 26, {0, 1, 45, 136, 155, 257, 765, 766}},
        {1, 9, 2, 43, {0, 89, 117, 130, 221, 657, 658, 659, 1533, 1534, 1535}},
        {1, 10, 2, 74, {0, 100, 143, 279, 280, 299, 467, 497, 693, 1025, 1089, 1486, 3071}},
        {2, 3, 2, 4, {0, 4, 63, 71}},
        {2, 4, 2, 8, {4, 9, 140, 143}},
        {2, 5, 2, 13, {4, 35, 45, 283, 287}},
        {2, 6, 2, 18, {1, 71, 81, 193, 247, 568}},
        {2, 7, 2, 32, {1, 99, 107, 265, 269, 1143, 1151}},
        {2, 8, 2, 58, {2, 103, 153, 269, 423, 485, 532, 769, 2300}},
        {2, 9, 2, 102, {4, 8, 99, 171, 482, 517, 521, 571, 575, 657, 837, 1976, 2151, 4599}},
        {2, 10, 2, 180, {1,    8,    211,  233,  337,  531,  533,  693,  891,  1094,
                         1487, 1655, 1849, 2015, 2079, 3074, 3163, 3304, 9208, 9211}},
        {3, 3, 2, 9, {1, 13, 107, 189, 202}},
        {3, 4, 2, 14, {0, 4, 107, 161, 406, 418}},
        {3, 5, 2, 27, {14, 17, 81, 148, 161, 842, 844}},
        {3, 6, 2, 44, {0, 26, 94, 215, 245, 405, 571, 729, 755, 1715}},
        {3, 7, 2, 71, {0, 8, 13, 356, 621, 628, 634, 647, 3434}},
        {3,
         8,
         2,
         130,
         {7, 13, 135, 356, 485, 647, 742, 1066, 1187, 1378, 1654, 2299, 2565, 3239, 6890, 6898}},
        {3, 9, 2, 216, {4,    8,    14,   17,   351,   628,   999,   1274,
                        1444, 1457, 1544, 1600, 1984,  1997,  3172,  3185,
                        3375, 4941, 5926, 5939, 13801, 13805, 13811, 13814}},
        {4, 2, 2, 11, {0, 8, 80, 121, 263, 283}},
        {4,
         6,
         2,
         103,
         {10, 20, 22, 243, 323, 607, 617, 743, 1235, 1701, 1709, 1723, 2203, 5107, 5113, 5147,
          5183}},
        {5, 1, 2, 14, {0, 76, 121, 243, 287, 485}},
        {5, 2, 2, 25, {44, 70, 242, 243, 364, 754, 776}},
        {5, 3, 2, 45, {34, 242, 275, 485, 729, 850, 1718, 1772, 1777}},
        {5, 4, 2, 78, {20, 38, 152, 242, 764, 850, 1215, 1231, 1283, 3649, 3668, 3697, 3887}},
        {5,
         5,
         2,
         150,
         {4, 23, 52, 729, 764, 850, 971, 1231, 1283, 7537, 7553, 7556, 7559, 7564, 7571, 7585, 7658,
          7685}},
        {5, 6, 2, 243, {17,   50,   61,   122,   761,   971,   1726, 1822, 2187,
                        2254, 2429, 3662, 3766,  5103,  5107,  5137, 5153, 5165,
                        5237, 6584, 6631, 15309, 15341, 15376, 15551}},
        {5, 7, 2, 424, {4,    20,    26,    31,    125,   152,   1701,  1822,  1943,  2708,
                        2741, 3159,  3175,  3401,  3645,  3766,  3887,  4617,  4738,  4859,
                        5103, 5224,  5345,  5589,  5612,  5710,  6561,  6682,  6803,  7085,
                        7099, 10449, 10570, 10691, 30869, 30871, 30874, 30923, 30992, 30995}},
        {6, 1, 2, 27, {0, 44, 182, 196, 455, 805, 820, 869, 1093, 1457}},
        {6, 2, 2, 51, {11, 364, 374, 728, 805, 869, 911, 2187, 2231, 2278, 2383, 2642, 2915}},
        {6,
         3,
         2,
         90,
         {52, 68, 116, 729, 820, 911, 1093, 1184, 1457, 2187, 2278, 2369, 2551, 2642, 2915, 5147,
          5179, 5243, 5299}},
        {6, 4, 2, 162, {11,   124,  455,  728,  805,  869,  2187,  2335,  2369,  2915,
                        3645, 3736, 3860, 4009, 5147, 5299, 10954, 11174, 11299, 11390}},
        {6, 5, 2, 321, {0,     91,    148,   239,   773,   925,   2206, 2551, 2642,
                        2915,  3645,  3769,  3827,  4373,  5179,  5243, 8095, 8159,
                        10979, 11131, 22610, 22690, 22747, 22814, 22838}},
        {7,
         2,
         2,
         130,
         {0, 76, 118, 155, 196, 290, 1124, 2186, 2249, 2305, 3398, 6561, 6656, 6766, 6773, 6803,
          6911, 7031, 7654}},
        {7, 3, 2, 244, {0,     152,   154,   229,   293,   385,   440,   554,   589,   1093,
                        2186,  2224,  2375,  3317,  6635,  6655,  7748,  15309, 15434, 15449,
                        15512, 15523, 15535, 15659, 15752, 15865, 16402, 17495}},
        {7, 4, 2, 448, {31,    41,    74,    277,   373,   421,   482,   607,   620,
                        718,   1124,  1211,  2187,  2374,  3280,  6561,  6679,  6791,
                        6857,  7151,  7654,  11005, 11051, 11074, 11090, 11237, 11330,
                        12028, 13121, 15309, 16006, 17495, 32846, 32884, 32899, 32993,
                        33002, 33004, 33082, 33205, 33230, 33253, 33413, 33929}},
        {7, 5, 2, 861, {31,    70,    206,   220,   229,   239,   293,   302,   322,   428,
                        589,   697,   1130,  1211,  2187,  2375,  2386,  3280,  6635,  6656,
                        7654,  7748,  10935, 11092, 11306, 11330, 11374, 13121, 15379, 15425,
                        15611, 16402, 17495, 24131, 24190, 24478, 24610, 26243, 32842, 33935,
                        67797, 67847, 67891, 67952, 67984, 67985, 68017, 68027, 68093, 68105,
                        68281, 68387, 68441, 68489, 68890}},
        {1, 6, 3, 3, {0, 2, 190}},
        {1, 10, 3, 24, {2, 81, 298, 1024, 1091, 3070}},
        {2, 4, 3, 3, {4, 8, 135}},
        {2, 5, 3, 4, {4, 8, 279, 283}},
        {2, 6, 3, 6, {0, 8, 193, 569}},
        {2, 8, 3, 20, {2, 161, 427, 1071, 2297}},
        {2, 9, 3, 35, {0, 261, 481, 719, 1972, 4607}},
        {2, 10, 3, 52, {5, 423, 841, 891, 1403, 2087, 3071, 3271, 9207}},
        {3, 3, 3, 3, {13, 189, 215}},
        {3, 5, 3, 9, {5, 7, 837, 850, 863}},
        {3, 6, 3, 14, {2, 26, 634, 1701, 1709}},
        {3, 7, 3, 22, {17, 26, 310, 783, 3437, 3455}},
        {3, 8, 3, 40, {7, 377, 1269, 1377, 1498, 2300, 6892}},
        {3, 9, 3, 66, {1, 621, 1457, 1498, 1552, 1647, 1997, 2375, 5939, 13798}},
        {4, 2, 3, 4, {0, 40, 283, 323}},
        {4, 6, 3, 31, {0, 4, 40, 647, 809, 1701, 1741, 2197, 5103, 5107, 5143}},
        {4, 8, 3, 90, {8, 20, 607, 1377, 2197, 3037, 3887, 4181, 4941, 6908, 6929, 20659, 20663}},
        {5, 1, 3, 4, {0, 121, 364, 485}},
        {5, 3, 3, 14, {61, 121, 242, 1701, 1748, 1822}},
        {5, 4, 3, 26, {5, 67, 971, 1457, 1701, 1822, 3766, 3887}},
        {5, 5, 3, 44, {0, 8, 20, 242, 850, 1336, 1943, 2915, 7533, 7537, 7543, 7654}},
        {5, 7, 3, 100, {0, 50, 121, 242, 2743, 3159, 5589, 7097, 30861, 30895, 30982, 31103}},
        {6, 1, 3, 10, {0, 392, 728, 729, 841, 1457}},
        {6, 3, 3, 27, {0, 44, 91, 182, 364, 455, 728, 5179, 5243, 5299}},
        {6, 4, 3, 53, {59, 455, 2215, 2551, 2915, 3736, 3752, 10935, 11084, 11390}},
        {6,
         5,
         3,
         91,
         {52, 68, 116, 1457, 2187, 2278, 2642, 3645, 3827, 4009, 4373, 22643, 22675, 22739, 22795}},
        {6,
         6,
         3,
         135,
         {41, 76, 5194, 5299, 5831, 6701, 7289, 8019, 8474, 9659, 9841, 15415, 19727, 46003,
          46123}},
        {7,
         4,
         3,
         113,
         {44, 157, 320, 1093, 4373, 6561, 6946, 8747, 10935, 11171, 11291, 32867, 33248, 33415}},
        {8, 1, 3, 48, {164, 860, 1043, 3362, 6560, 6703, 7114, 7217, 7381, 13121}},
        {8,
         2,
         3,
         87,
         {389, 410, 890, 1804, 6560, 6561, 7096, 8201, 9841, 10661, 19796, 19913, 20503, 20885,
          21455}},
        {8, 3, 3, 156, {229,   307,   410,   511,   1114,  3280,  6560,  7931,  8365,  19683,
                        20852, 21323, 23783, 46054, 46250, 46408, 46526, 46645, 46747, 49207}},
        {8, 4, 3, 273, {122,   410,   613,   634,   713,   938,   3280,   3536,   4100,  6561,
                        7381,  13121, 19683, 20158, 20729, 32992, 33100,  33920,  46993, 47321,
                        50027, 98479, 98756, 98786, 98978, 98989, 100055, 100465, 101777}},
        {4, 7, 1, 967, {8,     10,    20,    22,    40,    50,    81,   95,   161,  250,
                        283,   323,   405,   430,   445,   572,   584,  607,  729,  745,
                        809,   895,   899,   941,   1063,  1073,  1097, 1215, 1237, 1295,
                        1550,  1561,  1619,  1701,  1724,  1741,  1873, 1883, 1907, 2192,
                        2227,  2267,  2353,  2357,  2399,  2511,  2525, 2536, 3494, 3500,
                        3523,  3807,  3823,  3857,  3887,  4462,  4495, 4535, 5103, 5117,
                        10295, 10297, 10307, 10309, 10313, 10327, 10340}},
        {6, 2, 1, 283, {0,    8,    37,   49,   56,   65,   67,   91,   125,  133,  142,  158,
                        182,  185,  241,  364,  395,  728,  743,  748,  763,  782,  826,  851,
                        953,  962,  967,  1121, 1184, 2187, 2203, 2209, 2216, 2225, 2257, 2261,
                        2278, 2299, 2315, 2327, 2338, 2347, 2375, 2389, 2393, 2401, 2551, 2915}},
        {7, 3, 1, 1465, {0,     14,    16,    44,    46,    59,    67,    79,    89,    101,
                         104,   110,   113,   157,   158,   172,   197,   226,   232,   283,
                         308,   319,   358,   365,   383,   439,   454,   485,   563,   593,
                         616,   617,   638,   646,   692,   724,   725,   1093,  1103,  2187,
                         2203,  2218,  2261,  2287,  2297,  2311,  2329,  2375,  2387,  2401,
                         2417,  2483,  2491,  2558,  2564,  2578,  2582,  2608,  2825,  2875,
                         2887,  3398,  4373,  6584,  6596,  6598,  6616,  6683,  6706,  6722,
                         6736,  6758,  6799,  6853,  6872,  6907,  6908,  6962,  6986,  7027,
                         7028,  7126,  7259,  7654,  7685,  7772,  8747,  15309, 15326, 15328,
                         15334, 15350, 15361, 15376, 15394, 15397, 15437, 15439, 15449, 15482,
                         15496, 15502, 15514, 15542, 15545, 15584, 15586, 15596, 15632, 15656,
                         15667, 15676, 15685, 15698, 15703, 15755, 15767, 15790, 15856, 15862,
                         15866, 15911, 15946, 15953, 16000, 16523, 17495}},
        {7,
         4,
         1,
         2871,
         {7,     16,    19,    20,    23,    28,    31,    79,    95,    113,   119,   130,   140,
          148,   151,   170,   209,   215,   274,   287,   323,   337,   349,   365,   376,   401,
          404,   446,   452,   475,   553,   554,   589,   602,   607,   608,   611,   619,   674,
          691,   1187,  2186,  2187,  2222,  2228,  2317,  2329,  2342,  2362,  2374,  2386,  2407,
          2420,  2483,  2489,  2500,  2626,  2734,  2912,  3280,  3311,  3398,  6566,  6613,  6625,
          6628,  6641,  6646,  6653,  6695,  6712,  6731,  6742,  6746,  6842,  6899,  6928,  6953,
          6982,  7015,  7046,  7153,  7178,  7190,  7199,  7207,  7249,  7253,  7276,  10939, 10945,
          10961, 10990, 10991, 11008, 11011, 11024, 11026, 11068, 11084, 11140, 11147, 11218, 11281,
          11282, 11303, 11320, 11324, 11335, 11338, 11360, 11380, 11390, 11408, 11411, 11488, 11551,
          11582, 11608, 11662, 12059, 15328, 15343, 15380, 15422, 15430, 15452, 15458, 15463, 15488,
          15509, 15547, 15604, 15614, 15629, 15649, 15680, 15872, 15902, 16439, 16496, 17495, 32805,
          32813, 32818, 32819, 32821, 32834, 32855, 32858, 32878, 32879, 32893, 32930, 32944, 32987,
          32989, 32993, 33026, 33037, 33038, 33047, 33079, 33086, 33106, 33115, 33118, 33163, 33164,
          33178, 33188, 33196, 33209, 33233, 33245, 33254, 33289, 33361, 33413, 33415, 33424, 33442,
          33448, 33449, 33524, 33898, 33899}},
        {7,
         5,
         1,
         5739,
         {7,     14,    19,    22,    28,    35,    56,    58,    80,    85,    88,    118,
          133,   137,   152,   182,   184,   196,   220,   224,   281,   284,   286,   323,
          338,   347,   365,   377,   394,   422,   430,   446,   455,   470,   475,   481,
          484,   485,   547,   563,   592,   593,   608,   619,   637,   673,   688,   719,
          2187,  2222,  2227,  2234,  2257,  2279,  2300,  2344,  2365,  2402,  2417,  2422,
          2479,  2498,  2545,  2585,  2749,  2816,  3280,  3311,  3398,  4373,  6575,  6586,
          6616,  6626,  6676,  6706,  6722,  6742,  6758,  6773,  6853,  6871,  6910,  6920,
          6929,  6934,  6944,  7027,  7028,  7127,  7178,  7261,  7276,  7685,  7748,  8747,
          10935, 10939, 10952, 10999, 11012, 11035, 11039, 11059, 11060, 11078, 11105, 11116,
          11119, 11129, 11165, 11227, 11257, 11281, 11303, 11321, 11326, 11374, 11387, 11411,
          11483, 11579, 11662, 12041, 12146, 15309, 15319, 15340, 15355, 15362, 15368, 15371,
          15397, 15410, 15413, 15430, 15469, 15509, 15541, 15550, 15593, 15605, 15659, 15665,
          15676, 15698, 15791, 15871, 15920, 15944, 15947, 15982, 16487, 17495, 24057, 24082,
          24089, 24094, 24095, 24118, 24151, 24196, 24206, 24218, 24230, 24259, 24265, 24280,
          24362, 24371, 24428, 24451, 24488, 24503, 24538, 24613, 24676, 24758, 24775, 25150,
          25187, 32805, 32849, 32872, 32879, 32905, 32915, 32935, 32942, 32983, 33041, 33082,
          33100, 33143, 33176, 33259, 33262, 33281, 33395, 33449, 33493, 33898, 34019, 67804,
          67820, 67828, 67847, 67856, 67876, 67886, 67889, 67904, 67912, 67915, 67919, 67921,
          67942, 67952, 67985, 67994, 67996, 68009, 68012, 68027, 68035, 68080, 68099, 68108,
          68117, 68120, 68143, 68153, 68165, 68183, 68200, 68222, 68263, 68273, 68362, 68389,
          68399, 68407, 68431, 68495, 68525, 68918, 69173}},
        {8, 4, 2, 1288, {25,    32,    92,     367,    482,    550,    554,    580,    625,   680,
                         727,   944,   950,    1091,   1148,   1289,   1373,   1781,   1808,  2065,
                         6856,  6862,  6971,   7148,   7682,   8201,   8711,   9841,   10661, 19683,
                         19826, 19885, 19940,  20212,  20402,  20546,  20644,  21001,  21515, 21613,
                         26243, 32848, 32855,  32924,  33026,  33220,  33251,  33371,  33379, 33625,
                         33707, 34018, 34087,  34231,  34576,  34909,  45927,  46162,  46244, 46541,
                         46747, 46942, 47285,  47327,  47731,  98470,  98519,  98627,  98689, 98698,
                         98756, 98815, 98854,  98920,  99022,  99071,  99109,  99277,  99446, 99509,
                         99544, 99629, 100078, 100301, 100435, 100510, 100547, 101708, 102023}},
    };
    return codes;
}

// Unions of orbits of the shift of the binary positions alone, found by kelvo_orbit_search -t T
// -b B -R R --shift-doubles B --seed 1 --steps 100000 where they are smaller than the rest.
const std::vector<TShiftOrbits>& BinaryShiftOrbitCodes() {
    static const std::vector<TShiftOrbits> codes = {
        {2, 6, 1, 72, {2,   3,   4,   7,   27,  32,  70,  82,  87,  89,  137, 138, 189, 190,
                       191, 192, 193, 194, 195, 197, 243, 247, 250, 568, 572, 573, 575}},
        {2, 7, 1, 132, {0,   2,   7,   30,  35,  50,  51,  64,  82,  85,   142,  179,
                        195, 243, 279, 284, 389, 425, 426, 499, 502, 1144, 1149, 1151}},
        {3, 2, 1, 16, {1, 3, 4, 9, 26, 41, 43, 45, 83, 87, 89, 90, 103}},
        {3, 7, 1, 360, {5,    6,    7,    8,    15,   17,   22,   25,   26,   37,   45,
                        84,   91,   104,  137,  147,  157,  196,  200,  213,  247,  257,
                        261,  305,  312,  357,  368,  405,  418,  425,  515,  525,  528,
                        538,  567,  583,  593,  626,  640,  734,  738,  754,  788,  802,
                        838,  854,  858,  1162, 1172, 1182, 1274, 1278, 1294, 1491, 1498,
                        1505, 1707, 1718, 3431, 3433, 3439, 3441, 3447, 3448, 3451, 3452}},
        {4, 4, 1, 139, {4,    13,   14,   17,   19,   27,   28,   29,   35,   36,   48,
                        58,   70,   71,   76,   78,   87,   91,   113,  133,  147,  155,
                        245,  255,  268,  274,  287,  288,  303,  307,  320,  423,  426,
                        427,  428,  431,  443,  445,  447,  459,  460,  466,  467,  569,
                        583,  597,  613,  635,  645,  1219, 1221, 1224, 1237, 1249, 1250,
                        1251, 1256, 1265, 1268, 1273, 1278, 1286, 1289, 1291}},
        {4, 5, 1, 278, {0,    2,    3,    5,    9,    15,   16,   21,   22,   28,   29,
                        30,   43,   52,   66,   71,   74,   77,   79,   107,  122,  126,
                        139,  141,  145,  249,  252,  256,  262,  277,  284,  287,  299,
                        318,  406,  412,  416,  417,  440,  447,  454,  473,  477,  572,
                        591,  594,  614,  616,  624,  631,  637,  647,  891,  904,  914,
                        921,  928,  942,  947,  960,  970,  1223, 1232, 1254, 1262, 1273,
                        1287, 2512, 2514, 2520, 2521, 2530, 2532, 2533, 2536, 2539, 2543,
                        2544, 2545, 2554, 2556, 2563, 2571, 2576, 2579, 2588}},
    };
    return codes;
}

TMatrixCode StoredB5R1() {
    return Listed(2, 5, 1, {3, 8, 14, 20, 21, 26, 29});
}  // 2 5 5 1 7 1 5000 3 identity
TMatrixCode StoredB6R1() {  // 2 6 6 1 12 1 20000 3 identity
    return Listed(2, 6, 1, {5, 9, 14, 16, 30, 31, 34, 35, 45, 51, 52, 56});
}
// 2 10 10 1 120 1 3000000 1 identity; no matrix form of 120 words was found.
TMatrixCode StoredB10R1() {
    return Listed(
        2, 10, 1,
        {5,   28,  30,  40,  43,  47,  50,  66,  74,  80,   87,   97,  119, 125, 134, 137, 145, 147,
         153, 166, 180, 185, 204, 207, 217, 224, 225, 229,  250,  254, 256, 263, 277, 283, 288, 298,
         309, 332, 333, 338, 358, 376, 377, 383, 393, 410,  415,  419, 428, 438, 444, 451, 462, 464,
         468, 483, 485, 491, 499, 507, 515, 519, 536, 540,  541,  548, 561, 562, 580, 585, 603, 612,
         620, 622, 628, 635, 640, 650, 668, 682, 685, 695,  703,  719, 722, 725, 726, 737, 739, 760,
         774, 782, 790, 792, 809, 813, 819, 830, 833, 843,  849,  862, 866, 871, 884, 898, 900, 901,
         923, 927, 943, 944, 945, 968, 983, 989, 998, 1000, 1018, 1021});
}
// 2 10 10 2 30 1 3000000 1 identity
TMatrixCode StoredB10R2() {
    return Listed(2, 10, 2,
                  {4,   46,  71,  121, 154, 164, 243, 305, 332, 358, 395, 401, 415, 466, 492,
                   563, 612, 649, 669, 714, 719, 720, 734, 781, 786, 824, 891, 934, 961, 981});
}
// Found by the optimiser's own weighted local search on the full development of n doubles, from
// the greedy's set: kelvo-reduce --no-limit --guarantee G --optimise 100 --steps 2000000 --seed 1
// on the file kelvo-reduce --develop writes for n groups 1X and the rest 1 (digit 1 = sign X, the
// word's digit i at position i).
TMatrixCode SearchedB9R1() {  // n = 9, G = 13
    return Listed(2, 9, 1,
                  {0,   23,  28,  35,  44,  58,  61,  74,  75,  78,  79,  81,  101, 118, 120, 133,
                   134, 136, 155, 175, 176, 177, 180, 196, 210, 221, 226, 233, 247, 254, 265, 269,
                   274, 281, 294, 295, 297, 316, 330, 334, 340, 341, 352, 371, 379, 383, 387, 388,
                   414, 415, 426, 432, 433, 437, 449, 451, 455, 472, 492, 493, 502, 507});
}
TMatrixCode SearchedB11R1() {  // n = 11, G = 13
    return Listed(
        2, 11, 1,
        {13,   17,   22,   39,   42,   60,   67,   72,   95,   100,  114,  121,  132,  154,  169,
         176,  191,  194,  195,  199,  211,  220,  238,  245,  258,  283,  289,  312,  317,  325,
         334,  336,  363,  375,  380,  392,  399,  405,  422,  435,  470,  473,  480,  493,  506,
         526,  536,  544,  565,  571,  578,  579,  583,  595,  596,  621,  638,  641,  651,  669,
         675,  684,  694,  706,  710,  711,  713,  722,  723,  727,  737,  747,  760,  772,  777,
         791,  815,  818,  828,  858,  861,  870,  872,  881,  899,  912,  926,  933,  938,  953,
         961,  971,  972,  995,  1012, 1023, 1024, 1035, 1075, 1080, 1085, 1094, 1109, 1114, 1121,
         1135, 1148, 1166, 1175, 1177, 1186, 1189, 1229, 1232, 1256, 1270, 1275, 1287, 1292, 1300,
         1308, 1310, 1316, 1324, 1326, 1332, 1334, 1337, 1342, 1353, 1363, 1378, 1400, 1405, 1409,
         1426, 1436, 1451, 1452, 1460, 1468, 1470, 1476, 1482, 1503, 1511, 1521, 1541, 1554, 1567,
         1574, 1577, 1596, 1612, 1625, 1642, 1648, 1655, 1667, 1672, 1684, 1711, 1713, 1722, 1729,
         1739, 1758, 1763, 1764, 1789, 1802, 1809, 1827, 1848, 1853, 1856, 1871, 1878, 1893, 1915,
         1916, 1926, 1933, 1947, 1952, 1975, 1987, 2005, 2008, 2025, 2030, 2034});
}
TMatrixCode SearchedB12R1() {  // n = 12, G = 13
    return Listed(
        2, 12, 1,
        {19,   24,   33,   36,   42,   63,   65,   76,   85,   97,   99,   101,  103,  139,  143,
         156,  176,  181,  194,  198,  217,  250,  254,  265,  269,  276,  278,  306,  330,  336,
         342,  366,  379,  381,  384,  410,  419,  423,  428,  441,  453,  467,  479,  488,  500,
         512,  519,  541,  558,  571,  587,  594,  606,  628,  632,  644,  657,  674,  681,  694,
         712,  727,  745,  748,  755,  765,  771,  794,  805,  808,  817,  828,  836,  847,  857,
         866,  887,  910,  914,  917,  920,  922,  959,  961,  986,  988,  998,  1003, 1005, 1008,
         1025, 1029, 1038, 1057, 1059, 1084, 1089, 1091, 1114, 1119, 1123, 1128, 1136, 1142, 1145,
         1160, 1170, 1175, 1190, 1197, 1211, 1229, 1236, 1248, 1261, 1263, 1265, 1282, 1302, 1307,
         1327, 1333, 1336, 1351, 1372, 1376, 1380, 1385, 1393, 1412, 1425, 1437, 1450, 1470, 1483,
         1486, 1496, 1505, 1522, 1527, 1546, 1556, 1561, 1581, 1586, 1591, 1606, 1613, 1632, 1645,
         1647, 1649, 1667, 1677, 1694, 1701, 1709, 1711, 1720, 1733, 1741, 1743, 1744, 1755, 1765,
         1767, 1770, 1775, 1788, 1804, 1808, 1823, 1830, 1835, 1864, 1875, 1877, 1889, 1914, 1918,
         1927, 1929, 1952, 1971, 1972, 1986, 2006, 2028, 2041, 2045, 2050, 2054, 2071, 2078, 2093,
         2102, 2105, 2120, 2127, 2139, 2162, 2172, 2177, 2181, 2198, 2216, 2222, 2227, 2256, 2269,
         2276, 2283, 2295, 2311, 2318, 2321, 2324, 2335, 2336, 2342, 2347, 2359, 2366, 2371, 2388,
         2390, 2405, 2424, 2438, 2455, 2456, 2458, 2486, 2493, 2505, 2508, 2522, 2530, 2543, 2545,
         2569, 2572, 2582, 2595, 2608, 2613, 2629, 2641, 2662, 2666, 2687, 2698, 2715, 2719, 2727,
         2746, 2748, 2755, 2766, 2772, 2784, 2797, 2809, 2822, 2839, 2840, 2842, 2863, 2870, 2880,
         2906, 2909, 2921, 2924, 2931, 2955, 2957, 2960, 2962, 2968, 2977, 2980, 2986, 3003, 3015,
         3026, 3032, 3034, 3061, 3070, 3083, 3088, 3101, 3111, 3130, 3140, 3168, 3177, 3182, 3185,
         3189, 3212, 3225, 3234, 3252, 3263, 3271, 3274, 3283, 3294, 3297, 3320, 3336, 3346, 3348,
         3350, 3372, 3379, 3405, 3410, 3414, 3417, 3425, 3434, 3455, 3459, 3471, 3493, 3497, 3504,
         3520, 3541, 3558, 3579, 3580, 3599, 3603, 3620, 3624, 3646, 3650, 3671, 3672, 3676, 3681,
         3707, 3712, 3718, 3733, 3738, 3755, 3761, 3785, 3820, 3826, 3830, 3837, 3841, 3845, 3874,
         3897, 3901, 3915, 3918, 3943, 3952, 3956, 3978, 3995, 3996, 3998, 4014, 4023, 4026, 4036,
         4049, 4063, 4067, 4072, 4077});
}
TMatrixCode SearchedB11R2() {  // n = 11, G = 12
    return Listed(2, 11, 2, {2,    31,   116,  135,  233,  295,  332,  337,  442,  468,  556,
                             561,  583,  692,  730,  777,  890,  908,  913,  980,  994,  1023,
                             1048, 1131, 1152, 1181, 1262, 1267, 1312, 1341, 1366, 1445, 1483,
                             1590, 1600, 1605, 1629, 1707, 1733, 1806, 1811, 1893, 1942, 2040});
}
TMatrixCode SearchedB12R2() {  // n = 12, G = 12
    return Listed(2, 12, 2,
                  {66,   115,  158,  175,  180,  281,  296,  468,  485,  510,  532,  549,  729,
                   744,  862,  879,  884,  909,  915,  930,  1101, 1105, 1148, 1152, 1184, 1201,
                   1287, 1334, 1482, 1531, 1546, 1595, 1735, 1782, 1856, 1898, 1905, 1948, 1965,
                   2135, 2150, 2177, 2234, 2316, 2365, 2507, 2544, 2571, 2608, 2623, 2764, 2813,
                   2881, 2938, 2950, 2968, 2985, 2999, 3143, 3160, 3177, 3190, 3231, 3236, 3346,
                   3363, 3467, 3541, 3566, 3593, 3605, 3630, 3794, 3811, 3935, 3940, 4024, 4033});
}
// The codes of the catalogue cut by a subnormal partition, for PartitionSum: the part of each
// word, in the order of its words, such that every word at the code's radius R from it lies
// within R + 1 of every part. Each was found by the kelvo_partition_search command above it.
struct TPartitioned {
    std::string Name;
    int Parts;
    TCode (*Code)();
    std::vector<std::uint8_t> (*Labels)(const TCode& code);
};

std::vector<std::uint8_t> Digits(std::string_view text) {
    std::vector<std::uint8_t> digits;
    for (char c : text) {
        digits.push_back(static_cast<std::uint8_t>(c - '0'));
    }
    return digits;
}

std::vector<TPartitioned> PartitionedCodes() {
    return {
        // kelvo_partition_search -t 6 -R 1 --parts 3 --seed 1 --steps 100000 --temperature 1
        {"stored 73", 3, [] { return WordsOfMatrixCode(StoredT6R1()); },
         [](const TCode&) {
             return Digits(
                 "0121221102220010122101220212012120001211100201200210012102201220011200122");
         }},
        // kelvo_partition_search -t 7 -R 1 --parts 3 --seed 1 --steps 100000 --temperature 1
        {"matrix r=6 |S|=62", 3, [] { return WordsOfMatrixCode(MatrixT7R1()); },
         [](const TCode&) {
             return Digits(
                 "100122112100021210012220121000101202102102212220220201211000220010012211210102102"
                 "211"
                 "012122001020220001210022201101112011210121000200221002122011001220001112112212011"
                 "002"
                 "011112202010000120");
         }},
        // kelvo_partition_search -t 11 -R 2 --functional 6: the cosets of the [11,5] subcode on
        // which the sum of the last five digits times 1 2 2 1 2 is 0.
        {"Golay [11,6]", 3, [] { return WordsOfMatrixCode(TernaryGolayCode()); },
         [](const TCode& golay) {
             return FunctionalLabels(golay, {0, 0, 0, 0, 0, 0, 1, 2, 2, 1, 2}, 3);
         }},
        // kelvo_partition_search -t 6 -R 1 --parts 2 --seed 1 --steps 1000000 --temperature 1
        {"stored 73", 2, [] { return WordsOfMatrixCode(StoredT6R1()); },
         [](const TCode&) {
             return Digits(
                 "0000010100011101100011011011101110000110000110111010010111111100111100000");
         }},
        // kelvo_partition_search -t 7 -R 1 --parts 2 --seed 1 --steps 1000000 --temperature 1
        {"matrix r=6 |S|=62", 2, [] { return WordsOfMatrixCode(MatrixT7R1()); },
         [](const TCode&) {
             return Digits(
                 "000001010001110000101101101100111000011001011011001001011101100011110000011011110"
                 "111"
                 "000010110010000101001000101111011101111101010111100101100110111001000001011010101"
                 "011"
                 "101110011100001000");
         }},
        // kelvo_partition_search -t 8 -R 1 --parts 2 --seed 1 --steps 1000000 --temperature 1
        {"matrix r=5 |S|=18", 2, [] { return WordsOfMatrixCode(MatrixT8R1()); },
         [](const TCode&) {
             return Digits(
                 "000001010001010110101101101100111000011000011011001001011001110011110000011111110"
                 "111"
                 "000010110010000101001000101111011101111101010111100101100110111001100001010010001"
                 "011"
                 "101110011000001000110010010010100110100000101000101101000001001001000111110011000"
                 "011"
                 "011001101001110001000110101001111011000010010011011000010000111010000110100000101"
                 "001"
                 "011010011001101010111101011010111101101000010010111110111001101100100110011101011"
                 "011"
                 "011010111010000110001110110010110111000001001001100111101001011111");
         }},
        // kelvo_partition_search -t 9 -R 1 --parts 2 --seed 1 --steps 1000000 --temperature 1
        {"matrix r=6 |S|=51", 2, [] { return WordsOfMatrixCode(MatrixT9R1()); },
         [](const TCode&) {
             return Digits(
                 "000001010001100110101101101100111000011000011011001001011101110011010000011111110"
                 "111"
                 "000010110010000101001000101111011101111101010111100100100110101001100001010010000"
                 "011"
                 "101110011100001000110010010010100110100000101000101101000001001001000111110011000"
                 "011"
                 "011001101001110001000111101001111011000010010011111000010000111010000110100000101"
                 "001"
                 "011010011001101010111001011010111101001100010010111110111001101100100110011101011"
                 "011"
                 "011010111010000110001110110010110111000001001001100111101001011111001111000011111"
                 "101"
                 "010000000001011100010011110110110001000110110011101000010111101111010111001010010"
                 "001"
                 "111010001111011111110000001000010011010100111000000000001110000110111000011110010"
                 "010"
                 "110001110100100011100101111111100100110101011010100111001110010111010000111010001"
                 "010"
                 "010000110100010000111011010001011000101111000100001100101010101010110001011001000"
                 "001"
                 "001101011110110110111111100000011001001010000100001000111110011110111011011100001"
                 "011"
                 "110010000111110101110101110011011001111110101001110010110100101100101101110011111"
                 "010"
                 "100100101111010001101110101110101111010100011001011101011110101101111001110000111"
                 "100"
                 "101001101001110111011000111110011010010001110111100101111000100100111100110001111"
                 "110"
                 "101100100000001011011010111100111011110001100110111111110100010100000001001001000"
                 "001"
                 "001100001010111111010101111101110001000000010010110010000010110101010000110001000"
                 "111"
                 "000001100101100110111000001001111");
         }},
        // kelvo_partition_search -t 5 -R 2 --parts 2 --seed 1 --steps 1000000 --temperature 1
        {"stored 8", 2, [] { return WordsOfMatrixCode(StoredT5R2()); },
         [](const TCode&) { return Digits("01001100"); }},
        // kelvo_partition_search -t 6 -R 2 --parts 2 --seed 1 --steps 1000000 --temperature 1
        {"stored 17", 2, [] { return WordsOfMatrixCode(StoredT6R2()); },
         [](const TCode&) { return Digits("10010110010111010"); }},
        // kelvo_partition_search -t 7 -R 2 --parts 2 --seed 1 --steps 1000000 --temperature 1
        {"stored 34", 2, [] { return WordsOfMatrixCode(StoredT7R2()); },
         [](const TCode&) { return Digits("0001010100111101101000111010001100"); }},
        // kelvo_partition_search -t 11 -R 2 --parts 2 --seed 1 --steps 1000000 --temperature 1
        {"Golay [11,6]", 2, [] { return WordsOfMatrixCode(TernaryGolayCode()); },
         [](const TCode&) {
             return Digits(
                 "111110000000111010111000111000111010010000111111000000010000111111101000000111100"
                 "110"
                 "000111111110000000111110111000000000111001110000111000111001111000111111010000000"
                 "111"
                 "001111000111111100000011000111111111000000111000111110000000111111101000111000111"
                 "010"
                 "111000111111110000101000111111000000000111010111110000000101111011000111111110000"
                 "000"
                 "111101011000111000111000111000111111000000110000111111011000000111010101000111101"
                 "111"
                 "000000111111111010000000111111011000111000111101110000111111000000111000111111111"
                 "000"
                 "000111001111011000000111001010010111000111100110000111111000000000111011101000111"
                 "111"
                 "000000001000111111010000000111000111000000000111011000000111111000000000111111110"
                 "000"
                 "111000111100111000111111000000011000111111010000000111000");
         }},
    };
}

// The other half of a PartitionSum: codes of radius 1 whose parts by their position 0 have
// radius 2, three parts when that position is ternary and two when it is binary.
struct TCutCode {
    std::string Name;
    TCode (*Code)();
};

std::vector<TCutCode> CutCodes() {
    return {
        {"Hamming [4,2]", [] { return WordsOfMatrixCode(HammingCode(3, 2)); }},
        {"{000,011,101,110,222}",
         [] {
             return WordsOfMatrixCode(Listed(3, 3, 1, {0, 12, 10, 4, 26}));
         }},
        {"Hamming [3,1]", [] { return WordsOfMatrixCode(HammingCode(2, 2)); }},
        {"stored 7", [] { return WordsOfMatrixCode(StoredB5R1()); }},
        {"stored 12", [] { return WordsOfMatrixCode(StoredB6R1()); }},
        {"Hamming [7,4]", [] { return WordsOfMatrixCode(HammingCode(2, 3)); }},
    };
}

TMatrixCode Repetition(int q, int n, int radius) {
    std::vector<int> words;
    for (int s = 0; s < q; ++s) {
        int w = 0;
        for (int i = 0; i < n; ++i) {
            w += s * static_cast<int>(IntPow(static_cast<std::size_t>(q), i));
        }
        words.push_back(w);
    }
    return Listed(q, n, radius, words);
}

// The binary amalgamated direct sums all amalgamate position 0 of both codes:
// trying the pairs of positions in order, (0, 0) passed the sweep of the whole
// space for every sum used here. The plain ternary amalgamation failed for
// every pair of positions of the codes tried (ternary codes are rarely normal
// in that sense), so the ternary shapes take matrix-method codes instead.
std::vector<TCatalogueEntry> BuildCatalogue() {
    const auto m = [](TMatrixCode (*make)()) {
        return [make]() { return WordsOfMatrixCode(make()); };
    };
    const auto hamming = [](int q, int rows) {
        return [q, rows]() { return WordsOfMatrixCode(HammingCode(q, rows)); };
    };
    const auto rep = [](int q, int n, int radius) {
        return [q, n, radius]() { return WordsOfMatrixCode(Repetition(q, n, radius)); };
    };
    std::vector<TCatalogueEntry> e;
    // Ternary, radius 1.
    e.push_back({2, 0, 1, 3, "repetition {00,11,22}", m(StoredT2R1)});
    e.push_back({3, 0, 1, 5, "stored 5 (search)", m(StoredT3R1)});
    e.push_back({4, 0, 1, 9, "Hamming [4,2]", hamming(3, 2)});
    e.push_back({6, 0, 1, 73, "stored 73 (search)", m(StoredT6R1)});
    e.push_back({7, 0, 1, 186, "matrix r=6 |S|=62", m(MatrixT7R1)});
    e.push_back({8, 0, 1, 486, "matrix r=5 |S|=18", m(MatrixT8R1)});
    e.push_back({10, 0, 1, 3645, "blow-up of stored T3R1 (r=4 |S|=5)",
                 []() { return WordsOfMatrixCode(BlowUp(StoredT3R1())); }});
    e.push_back({13, 0, 1, 59049, "Hamming [13,10]", hamming(3, 3)});
    e.push_back({9, 0, 1, 1377, "matrix r=6 |S|=51", m(MatrixT9R1)});
    e.push_back({9, 0, 3, 63, "matrix r=7 |S|=7", m(MatrixT9R3)});
    e.push_back({10, 0, 3, 126, "matrix r=8 |S|=14", m(MatrixT10R3)});
    e.push_back({0, 13, 1, 704, "orbits of the shift and the multiplier 3", OrbitsD13R1});
    for (const bool ternaryToo : {true, false}) {
        for (const TShiftOrbits& orbits :
             ternaryToo ? ShiftOrbitCodes() : BinaryShiftOrbitCodes()) {
            e.push_back({orbits.Triples, orbits.Doubles, orbits.Radius, orbits.Size,
                         ternaryToo ? "orbits of the two shifts (search)"
                                    : "orbits of the binary shift (search)",
                         [&orbits, ternaryToo]() {
                             return OrbitCode(orbits.Triples, orbits.Doubles, orbits.Radius,
                                              Shifts(orbits.Triples, orbits.Doubles, ternaryToo),
                                              orbits.Representatives);
                         }});
        }
    }
    for (const TMixedMatrixCode& code : MixedMatrixCodes()) {
        e.push_back(
            {static_cast<int>(code.TernaryColumns.size()),
             static_cast<int>(code.BinaryColumns.size()), code.Radius, MixedMatrixCodeSize(code),
             "matrix r=" + std::to_string(code.TernaryRows) + "+" +
                 std::to_string(code.BinaryRows) + " |S|=" + std::to_string(code.Syndromes.size()),
             [&code]() { return WordsOfMixedMatrixCode(code); }});
    }
    // Ternary, radius 2.
    e.push_back({4, 0, 2, 3, "repetition", rep(3, 4, 2)});
    e.push_back({5, 0, 2, 8, "stored 8 (search)", m(StoredT5R2)});
    e.push_back({6, 0, 2, 17, "stored 17 (search)", m(StoredT6R2)});
    e.push_back({7, 0, 2, 34, "stored 34 (search)", m(StoredT7R2)});
    e.push_back({11, 0, 2, 729, "Golay [11,6]", m(TernaryGolayCode)});
    // Ternary, radius 3.
    e.push_back({5, 0, 3, 3, "repetition", rep(3, 5, 3)});
    e.push_back({6, 0, 3, 6, "stored 6 (search)", m(StoredT6R3)});
    e.push_back({7, 0, 3, 12, "stored 12 (search)", m(StoredT7R3)});
    e.push_back({11, 0, 3, 243, "dual Golay [11,5]", m(TernaryDualGolayCode)});
    // Binary, radius 1.
    e.push_back({0, 3, 1, 2, "Hamming [3,1]", hamming(2, 2)});
    e.push_back({0, 5, 1, 7, "stored 7 (search)", m(StoredB5R1)});
    e.push_back({0, 6, 1, 12, "stored 12 (search)", m(StoredB6R1)});
    e.push_back({0, 7, 1, 16, "Hamming [7,4]", hamming(2, 3)});
    e.push_back({0, 11, 1, 224, "blow-up of stored D5R1",
                 []() { return WordsOfMatrixCode(BlowUp(StoredB5R1())); }});
    e.push_back({0, 13, 1, 768, "blow-up of stored D6R1",
                 []() { return WordsOfMatrixCode(BlowUp(StoredB6R1())); }});
    // Binary, radius 2 and 3.
    e.push_back({0, 5, 2, 2, "repetition", rep(2, 5, 2)});
    e.push_back({0, 7, 3, 2, "repetition", rep(2, 7, 3)});
    const auto rep3 = []() { return WordsOfMatrixCode(HammingCode(2, 2)); };
    e.push_back({0, 7, 2, 7, "ADS(repetition 3, stored D5R1)", [rep3]() {
                     return AmalgamatedDirectSum(rep3(), 0, WordsOfMatrixCode(StoredB5R1()), 0);
                 }});
    e.push_back({0, 8, 2, 12, "ADS(repetition 3, stored D6R1)", [rep3]() {
                     return AmalgamatedDirectSum(rep3(), 0, WordsOfMatrixCode(StoredB6R1()), 0);
                 }});
    e.push_back({0, 9, 2, 16, "ADS(repetition 3, Hamming [7,4])", [rep3]() {
                     return AmalgamatedDirectSum(rep3(), 0, WordsOfMatrixCode(HammingCode(2, 3)),
                                                 0);
                 }});
    e.push_back({0, 13, 2, 128, "ADS(Hamming [7,4], Hamming [7,4])", []() {
                     return AmalgamatedDirectSum(WordsOfMatrixCode(HammingCode(2, 3)), 0,
                                                 WordsOfMatrixCode(HammingCode(2, 3)), 0);
                 }});
    e.push_back({0, 8, 3, 4, "ADS(repetition 3, repetition 3 + repetition 3)", [rep3]() {
                     return AmalgamatedDirectSum(rep3(), 0, DirectSum(rep3(), rep3()), 0);
                 }});
    e.push_back({0, 10, 1, 120, "stored 120 (search)", m(StoredB10R1)});
    e.push_back({0, 10, 2, 30, "stored 30 (search)", m(StoredB10R2)});
    e.push_back({0, 9, 1, 62, "optimiser search 62", m(SearchedB9R1)});
    e.push_back({0, 11, 1, 192, "optimiser search 192", m(SearchedB11R1)});
    e.push_back({0, 12, 1, 380, "optimiser search 380", m(SearchedB12R1)});
    e.push_back({0, 11, 2, 44, "optimiser search 44", m(SearchedB11R2)});
    e.push_back({0, 12, 2, 78, "optimiser search 78", m(SearchedB12R2)});
    const auto b7r2 = [rep3]() {
        return AmalgamatedDirectSum(rep3(), 0, WordsOfMatrixCode(StoredB5R1()), 0);
    };
    const auto b8r2 = [rep3]() {
        return AmalgamatedDirectSum(rep3(), 0, WordsOfMatrixCode(StoredB6R1()), 0);
    };
    const auto b9r2 = [rep3]() {
        return AmalgamatedDirectSum(rep3(), 0, WordsOfMatrixCode(HammingCode(2, 3)), 0);
    };
    const auto ham7 = []() { return WordsOfMatrixCode(HammingCode(2, 3)); };
    e.push_back({0, 9, 3, 7, "ADS(repetition 3, D7R2)",
                 [rep3, b7r2]() { return AmalgamatedDirectSum(rep3(), 0, b7r2(), 0); }});
    e.push_back({0, 10, 3, 12, "ADS(repetition 3, D8R2)",
                 [rep3, b8r2]() { return AmalgamatedDirectSum(rep3(), 0, b8r2(), 0); }});
    e.push_back({0, 11, 3, 16, "ADS(repetition 3, D9R2)",
                 [rep3, b9r2]() { return AmalgamatedDirectSum(rep3(), 0, b9r2(), 0); }});
    e.push_back({0, 12, 3, 30, "ADS(repetition 3, stored D10R2)", [rep3]() {
                     return AmalgamatedDirectSum(rep3(), 0, WordsOfMatrixCode(StoredB10R2()), 0);
                 }});
    e.push_back({0, 12, 2, 96, "ADS(stored D6R1, Hamming [7,4])", [ham7]() {
                     return AmalgamatedDirectSum(WordsOfMatrixCode(StoredB6R1()), 0, ham7(), 0);
                 }});
    e.push_back({0, 13, 3, 56, "ADS(Hamming [7,4], D7R2)",
                 [ham7, b7r2]() { return AmalgamatedDirectSum(ham7(), 0, b7r2(), 0); }});
    e.push_back({0, 14, 3, 96, "ADS(Hamming [7,4], D8R2)",
                 [ham7, b8r2]() { return AmalgamatedDirectSum(ham7(), 0, b8r2(), 0); }});
    // Partition sums: every partitioned code with every cut code of as many parts that fits.
    for (const TPartitioned& a : PartitionedCodes()) {
        const TCode first = a.Code();
        const std::vector<std::uint8_t> labels = a.Labels(first);
        for (const TCutCode& b : CutCodes()) {
            const TCode second = b.Code();
            if (AlphabetAt(second, 0) != a.Parts ||
                first.Length() + second.Length() - 1 > kMaxCodeLength) {
                continue;
            }
            std::size_t size = 0;
            for (std::size_t w = 0; w < second.Size(); ++w) {
                size += static_cast<std::size_t>(
                    std::count(labels.begin(), labels.end(),
                               second.Words[w * static_cast<std::size_t>(second.Length())]));
            }
            const bool ternary = a.Parts == 3;
            e.push_back({first.Triples + (ternary ? second.Length() - 1 : 0),
                         ternary ? 0 : second.Length() - 1, first.Radius + 1, size,
                         "partition sum (" + a.Name + ", " + b.Name + ")", [a, b]() {
                             const TCode code = a.Code();
                             return PartitionSum(code, a.Labels(code), b.Code());
                         }});
        }
    }
    return e;
}

const std::vector<TCatalogueEntry>& Catalogue() {
    static const std::vector<TCatalogueEntry> entries = BuildCatalogue();
    return entries;
}

// ---------------------------------------------------------------------------
// The plan table: a dynamic programme over shapes, see SmallestConstruction.

enum class TStep {
    None,
    Whole,
    Single,
    Catalogue,
    LowerRadius,
    DirectSum,
    Narrow,
    PunctureTriple,
    PunctureDouble
};

struct TPlan {
    std::size_t Size = kUnreachable;
    TStep Step = TStep::None;
    int Entry = -1;       // catalogue index
    int PartTriples = 0;  // direct sum: first part
    int PartDoubles = 0;
    int PartRadius = 0;
};

int CellIndex(int t, int b, int r) {
    return (t * kCellsPerSide + b) * kRadiusCount + r;
}

struct TPlanTable {
    std::vector<TPlan> Cells;
    const TPlan& At(int t, int b, int r) const {
        return Cells[static_cast<std::size_t>(CellIndex(t, b, r))];
    }
};

TPlanTable BuildPlanTable() {
    TPlanTable table;
    table.Cells.assign(static_cast<std::size_t>(kCellsPerSide * kCellsPerSide * kRadiusCount),
                       TPlan{});
    auto cell = [&](int t, int b, int r) -> TPlan& {
        return table.Cells[static_cast<std::size_t>(CellIndex(t, b, r))];
    };
    auto offer = [&](TPlan& target, const TPlan& candidate) {
        if (candidate.Size < target.Size) {
            target = candidate;
            return true;
        }
        return false;
    };
    for (int t = 0; t <= kMaxCodeLength; ++t) {
        for (int b = 0; t + b <= kMaxCodeLength; ++b) {
            for (int r = 0; r <= kMaxCodeRadius; ++r) {
                TPlan& p = cell(t, b, r);
                if (t + b <= r) {
                    p.Size = 1;
                    p.Step = TStep::Single;
                } else if (r == 0) {
                    p.Size = IntPow(3, t) * IntPow(2, b);
                    p.Step = TStep::Whole;
                }
            }
        }
    }
    const auto& entries = Catalogue();
    for (std::size_t e = 0; e < entries.size(); ++e) {
        const auto& entry = entries[e];
        TPlan candidate;
        candidate.Size = entry.Size;
        candidate.Step = TStep::Catalogue;
        candidate.Entry = static_cast<int>(e);
        offer(cell(entry.Triples, entry.Doubles, entry.Radius), candidate);
    }
    // Relax until nothing improves; every operation maps sizes to sizes no
    // smaller than its inputs, so plans never form cycles.
    bool changed = true;
    while (changed) {
        changed = false;
        for (int n = 1; n <= kMaxCodeLength; ++n) {
            for (int t = n; t >= 0; --t) {
                const int b = n - t;
                for (int r = 1; r <= kMaxCodeRadius; ++r) {
                    TPlan& target = cell(t, b, r);
                    TPlan candidate;
                    candidate.Size = cell(t, b, r - 1).Size;
                    candidate.Step = TStep::LowerRadius;
                    changed |= offer(target, candidate);
                    for (int t1 = 0; t1 <= t; ++t1) {
                        for (int b1 = 0; b1 <= b; ++b1) {
                            if (t1 + b1 == 0 || t1 + b1 == n) {
                                continue;
                            }
                            for (int r1 = 0; r1 <= r; ++r1) {
                                const std::size_t a = cell(t1, b1, r1).Size,
                                                  c = cell(t - t1, b - b1, r - r1).Size;
                                if (a == kUnreachable || c == kUnreachable) {
                                    continue;
                                }
                                TPlan sum;
                                sum.Size = a * c;
                                sum.Step = TStep::DirectSum;
                                sum.PartTriples = t1;
                                sum.PartDoubles = b1;
                                sum.PartRadius = r1;
                                changed |= offer(target, sum);
                            }
                        }
                    }
                    if (b >= 1) {
                        TPlan narrow;
                        narrow.Size = cell(t + 1, b - 1, r).Size;
                        narrow.Step = TStep::Narrow;
                        changed |= offer(target, narrow);
                    }
                    if (n < kMaxCodeLength) {
                        TPlan punctureTriple;
                        punctureTriple.Size = cell(t + 1, b, r).Size;
                        punctureTriple.Step = TStep::PunctureTriple;
                        changed |= offer(target, punctureTriple);
                        TPlan punctureDouble;
                        punctureDouble.Size = cell(t, b + 1, r).Size;
                        punctureDouble.Step = TStep::PunctureDouble;
                        changed |= offer(target, punctureDouble);
                    }
                }
            }
        }
    }
    return table;
}

const TPlanTable& Plans() {
    static const TPlanTable table = BuildPlanTable();
    return table;
}

TCode BuildCell(int t, int b, int r) {
    const TPlan& plan = Plans().At(t, b, r);
    TCode code;
    switch (plan.Step) {
        case TStep::Whole:
            code = WholeSpace(t, b);
            break;
        case TStep::Single:
            code = TCode{t, b, r, std::vector<std::uint8_t>(static_cast<std::size_t>(t + b), 0)};
            break;
        case TStep::Catalogue:
            code = Catalogue()[static_cast<std::size_t>(plan.Entry)].Build();
            break;
        case TStep::LowerRadius:
            code = BuildCell(t, b, r - 1);
            break;
        case TStep::DirectSum:
            code = DirectSum(
                BuildCell(plan.PartTriples, plan.PartDoubles, plan.PartRadius),
                BuildCell(t - plan.PartTriples, b - plan.PartDoubles, r - plan.PartRadius));
            break;
        case TStep::Narrow:
            code = NarrowPosition(BuildCell(t + 1, b - 1, r), t);
            break;
        case TStep::PunctureTriple:
            code = PuncturePosition(BuildCell(t + 1, b, r), t);
            break;
        case TStep::PunctureDouble:
            code = PuncturePosition(BuildCell(t, b + 1, r), t + b);
            break;
        case TStep::None:
            throw std::logic_error("no construction for shape");
    }
    code.Radius = r;
    return code;
}

std::string CellName(int t, int b, int r) {
    std::string name;
    if (t > 0) {
        name += "T" + std::to_string(t);
    }
    if (b > 0) {
        name += "D" + std::to_string(b);
    }
    if (t + b == 0) {
        name += "empty";
    }
    return name + "R" + std::to_string(r);
}

std::string DescribeCell(int t, int b, int r) {
    const TPlan& plan = Plans().At(t, b, r);
    const std::string name = CellName(t, b, r);
    switch (plan.Step) {
        case TStep::Whole:
            return name + " whole space";
        case TStep::Single:
            return name + " one word";
        case TStep::Catalogue:
            return name + " " + Catalogue()[static_cast<std::size_t>(plan.Entry)].Name;
        case TStep::LowerRadius:
            return DescribeCell(t, b, r - 1);
        case TStep::DirectSum:
            return "DS(" + DescribeCell(plan.PartTriples, plan.PartDoubles, plan.PartRadius) +
                   " + " +
                   DescribeCell(t - plan.PartTriples, b - plan.PartDoubles, r - plan.PartRadius) +
                   ")";
        case TStep::Narrow:
            return "narrow(" + DescribeCell(t + 1, b - 1, r) + ")";
        case TStep::PunctureTriple:
            return "puncture(" + DescribeCell(t + 1, b, r) + ")";
        case TStep::PunctureDouble:
            return "puncture(" + DescribeCell(t, b + 1, r) + ")";
        case TStep::None:
            break;
    }
    return name + " none";
}

}  // namespace

TCode SmallestConstruction(int triples, int doubles, int radius) {
    CheckShape(triples, doubles, radius);
    return BuildCell(triples, doubles, radius);
}

std::size_t SmallestConstructionSize(int triples, int doubles, int radius) {
    CheckShape(triples, doubles, radius);
    return Plans().At(triples, doubles, radius).Size;
}

std::string DescribeSmallestConstruction(int triples, int doubles, int radius) {
    CheckShape(triples, doubles, radius);
    return DescribeCell(triples, doubles, radius);
}

// ---------------------------------------------------------------------------
// Published lower bounds on Kq(n,R), the fewest words of a q-ary code of length n and covering
// radius R, for n <= 14 and R <= 3 (q = 3: triples, q = 2: doubles).  Where each value was read:
//  [K]  G. Keri, Tables for bounds on covering codes (sztaki.hu/~keri/codes, 2_tables.pdf and
//       3_tables.pdf, last updated 2011-11-21), read in their transcription
//       reference-data/keri/non_mixed_covering_codes.csv of github.com/florath/covering-codes-lean,
//       with the original source of each cell.
//  [P]  The same repository's update of Keri's tables from later papers,
//       reference-data/post-keri/non_mixed_covering_codes.csv, whose newer cells come from
//       [GP] D. Gijswijt, S. Polak, "Semidefinite lower bounds for covering codes",
//            arXiv:2504.01932 (2025), tables 1-3.
//       (It also gives K2(12,1) >= 348, worked out from the formula in the abstract of Wu and Chen,
//       Discrete Math. 347 (2024) 113752, not read in the paper: Keri's 342 is kept.)
//  Ternary, R = 1: K3(n,1) = 3, 5, 9, 27 for n = 2..5 [K]; 6: 71 (Linderoth, Margot, Thain,
//       INFORMS J. Comput. 2009) [K]; 7: 156 (W. Haas, Electron. J. Combin. 14 (2007) R27) [K];
//       8: 403 [GP, P]; 9: 1064 [GP, P]; 10: 2854 (Haas 2002) [K]; 11: 7832 (Habsieger, Plagne
//       2000) [K]; 12: 21531 (Habsieger 1996) [K]; 13: 59049, the perfect Hamming code [K];
//       14: 166610 (Habsieger, Plagne 2000) [K].
//  Ternary, R = 2: 3, 3, 8 for n = 3..5 [K]; 6: 15 (Bertolo, Ostergard, Weakley, J. Combin.
//       Des. 12, 2004) [K]; 7: 27, 8: 58, 9: 132 [GP, P]; 10: 323 (improved sphere-covering
//       bound) [K]; 11: 729, the perfect Golay code [K]; 12: 1919 and 13: 5062 (improved
//       sphere-covering bound) [K]; 14: 12323 [GP, P].
//  Ternary, R = 3: 3, 3 for n = 4, 5 [K]; 6: 6 (Bhandari, Durairajan 1996; a code of 6 exists,
//       Hamalainen, Rankinen 1991) [K]; 7: 11 (Keri 2008-2009) [K]; 8: 16, 9: 31, 10: 61,
//       11: 129 [GP, P]; 12: 282 (improved sphere-covering bound) [K]; 13: 640 [GP, P];
//       14: 1553 (improved sphere-covering bound) [K].
//  Binary, R = 1: K2(n,1) = 2, 2, 4, 7, 12, 16, 32, 62 for n = 2..9 [K]; 10: 107 (Bertolo,
//       Ostergard, Weakley 2004) [K]; 11: 180 (Blass, Litsyn 1998) [K]; 12: 342 (van Wee 1988) [K];
//       13: 607 and 14: 1185 [GP, P].
//  Binary, R = 2: 2, 2, 2, 4, 7 for n = 3..7 [K]; 8: 12 (Blass, Litsyn 1999) [K]; 9: 16
//       (Ostergard, Weakley 2000) [K]; 10: 24, 11: 37, 12: 62 (Habsieger, Plagne 2000) [K];
//       13: 101 and 14: 170 [GP, P].
//  Binary, R = 3: 2, 2, 2, 2, 4, 7 for n = 4..9 [K]; 10: 12 (Ostergard 2005; a code of 12
//       exists, Cohen, Lobstein, Sloane 1986) [K]; 11: 15 (Keri 2006) [K]; 12: 19 [GP, P];
//       13: 28 and 14: 44 (Li, Chen 1994) [K].
// A bound is marked exact where a code of that size is known (the upper bound of the same
// tables), so that no smaller code exists.  Shapes not listed give 0.
namespace {

struct TBound {
    int Length;
    int Radius;
    std::size_t Lower;
    bool Exact;  // the lower bound is attained (so it is the minimum)
};

constexpr std::array<TBound, 36> kTernaryBounds{{
    {2, 1, 3, true},        {3, 1, 5, true},      {4, 1, 9, true},       {5, 1, 27, true},
    {6, 1, 71, false},      {7, 1, 156, false},   {8, 1, 403, false},    {9, 1, 1064, false},
    {10, 1, 2854, false},   {11, 1, 7832, false}, {12, 1, 21531, false}, {13, 1, 59049, true},
    {14, 1, 166610, false}, {3, 2, 3, true},      {4, 2, 3, true},       {5, 2, 8, true},
    {6, 2, 15, false},      {7, 2, 27, false},    {8, 2, 58, false},     {9, 2, 132, false},
    {10, 2, 323, false},    {11, 2, 729, true},   {12, 2, 1919, false},  {13, 2, 5062, false},
    {14, 2, 12323, false},  {4, 3, 3, true},      {5, 3, 3, true},       {6, 3, 6, true},
    {7, 3, 11, false},      {8, 3, 16, false},    {9, 3, 31, false},     {10, 3, 61, false},
    {11, 3, 129, false},    {12, 3, 282, false},  {13, 3, 640, false},   {14, 3, 1553, false},
}};

constexpr std::array<TBound, 36> kBinaryBounds{{
    {2, 1, 2, true},      {3, 1, 2, true},     {4, 1, 4, true},     {5, 1, 7, true},
    {6, 1, 12, true},     {7, 1, 16, true},    {8, 1, 32, true},    {9, 1, 62, true},
    {10, 1, 107, false},  {11, 1, 180, false}, {12, 1, 342, false}, {13, 1, 607, false},
    {14, 1, 1185, false}, {3, 2, 2, true},     {4, 2, 2, true},     {5, 2, 2, true},
    {6, 2, 4, true},      {7, 2, 7, true},     {8, 2, 12, true},    {9, 2, 16, true},
    {10, 2, 24, false},   {11, 2, 37, false},  {12, 2, 62, false},  {13, 2, 101, false},
    {14, 2, 170, false},  {4, 3, 2, true},     {5, 3, 2, true},     {6, 3, 2, true},
    {7, 3, 2, true},      {8, 3, 4, true},     {9, 3, 7, true},     {10, 3, 12, true},
    {11, 3, 15, false},   {12, 3, 19, false},  {13, 3, 28, false},  {14, 3, 44, false},
}};

// Mixed shapes {T, B, R, S, N} whose construction of S words is the smallest:
// `kelvo_exhaustive_search -t T -b B -R R --size S-1 --nodes N` (tools/README.md) prints that no
// code of S - 1 words exists, after N nodes.
constexpr std::array<TProvenSmallest, 29> kProvenSmallest{{
    {1, 3, 1, 6, 69},       {1, 4, 1, 8, 14},       {1, 5, 1, 16, 2431963},  {1, 6, 1, 24, 2636259},
    {2, 1, 1, 4, 5},        {2, 3, 1, 12, 20894},   {2, 4, 1, 20, 36301422}, {3, 1, 1, 9, 979},
    {3, 2, 1, 16, 4723451}, {3, 3, 1, 24, 1439479}, {4, 1, 1, 18, 27991},    {1, 5, 2, 6, 3225},
    {1, 6, 2, 8, 71697},    {2, 2, 2, 3, 1},        {2, 3, 2, 4, 15},        {2, 4, 2, 6, 1308},
    {3, 2, 2, 5, 167},      {3, 3, 2, 8, 169214},   {4, 1, 2, 6, 3106},      {1, 7, 3, 6, 46702},
    {2, 4, 3, 3, 1},        {2, 5, 3, 4, 31},       {2, 6, 3, 6, 97859},     {3, 2, 3, 3, 1},
    {3, 4, 3, 5, 1611},     {4, 1, 3, 3, 1},        {4, 2, 3, 4, 20},        {4, 3, 3, 6, 80269},
    {5, 1, 3, 4, 26},
}};

const TBound* FindBound(int triples, int doubles, int radius) {
    if (triples > 0 && doubles > 0) {
        return nullptr;
    }
    const int length = triples + doubles;
    const std::span<const TBound> table = doubles == 0 ? std::span<const TBound>(kTernaryBounds)
                                                       : std::span<const TBound>(kBinaryBounds);
    for (const TBound& bound : table) {
        if (bound.Length == length && bound.Radius == radius) {
            return &bound;
        }
    }
    return nullptr;
}

}  // namespace

std::size_t PublishedLowerBound(int triples, int doubles, int radius) {
    CheckShape(triples, doubles, radius);
    if (triples + doubles <= radius) {
        return 1;
    }
    if (radius == 0) {
        return IntPow(3, triples) * IntPow(2, doubles);
    }
    const TBound* bound = FindBound(triples, doubles, radius);
    return bound == nullptr ? 0 : bound->Lower;
}

std::span<const TProvenSmallest> ProvenSmallestShapes() {
    return kProvenSmallest;
}

std::size_t ProvenSmallestSize(int triples, int doubles, int radius) {
    CheckShape(triples, doubles, radius);
    for (const TProvenSmallest& shape : kProvenSmallest) {
        if (shape.Triples == triples && shape.Doubles == doubles && shape.Radius == radius) {
            return shape.Size;
        }
    }
    return 0;
}

bool KnownSmallest(int triples, int doubles, int radius, std::size_t size) {
    CheckShape(triples, doubles, radius);
    if (const std::size_t proven = ProvenSmallestSize(triples, doubles, radius); proven != 0) {
        return proven == size;
    }
    if (triples + doubles <= radius) {
        return size == 1;
    }
    if (radius == 0) {
        return size == IntPow(3, triples) * IntPow(2, doubles);
    }
    const TBound* bound = FindBound(triples, doubles, radius);
    return bound != nullptr && bound->Exact && bound->Lower == size;
}

}  // namespace kelvo
