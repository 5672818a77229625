#include "optimise/product_cover.h"

#include <algorithm>
#include <array>

#include "optimise/covering_codes.h"

namespace kelvo {

namespace {

// The most signs a position may hold for a product to be built: the known codes are binary and
// ternary.
constexpr std::size_t kMostSigns = 3;

// The codes of a product, and how many words it has.
struct TPlan {
    std::vector<TCodeShape> Codes;
    std::size_t Size = 0;
};

// Extends `plan` by up to `codesLeft` known codes from the `from`-th on (each code used in
// order, so that every choice is tried once), with `free[r]` positions of r signs left, and keeps
// the smallest product in `best`.
void Extend(TPlan& plan, std::size_t from, int codesLeft, std::array<int, kMostSigns + 1> free,
            TPlan& best) {
    std::size_t size = 1;
    for (const TCodeShape& code : plan.Codes) {
        size *= code.Size;
    }
    for (std::size_t radix = 2; radix <= kMostSigns; ++radix) {
        for (int p = 0; p < free[radix]; ++p) {
            size *= radix;
        }
    }
    if (best.Size == 0 || size < best.Size) {
        best = plan;
        best.Size = size;
    }
    if (codesLeft == 0) {
        return;
    }
    const std::span<const TCodeShape> known = KnownCodes();
    for (std::size_t c = from; c < known.size(); ++c) {
        const auto radix = static_cast<std::size_t>(known[c].Radix);
        if (known[c].Length > free[radix]) {
            continue;
        }
        plan.Codes.push_back(known[c]);
        free[radix] -= known[c].Length;
        Extend(plan, c, codesLeft - 1, free, best);
        free[radix] += known[c].Length;
        plan.Codes.pop_back();
    }
}

// One factor of the product: words over some positions, one of which each product word takes.
struct TFactor {
    std::vector<int> Positions;
    std::vector<std::uint8_t> Digits;
    std::size_t Words = 0;
};

}  // namespace

std::vector<std::size_t> ProductCover(const TCoverage& coverage, int radius) {
    if (coverage.Count() == 0) {
        return {};
    }
    const TSignCensus& census = coverage.Census();
    std::array<std::vector<int>, kMostSigns + 1> positions;
    std::size_t product = 1;
    for (int p = 0; p < kColumnLength; ++p) {
        const std::size_t seen = census.Signs(p).size();
        if (seen > kMostSigns) {
            return {};
        }
        positions[seen].push_back(p);
        product *= seen;
    }
    // The columns are distinct combinations of the signs seen, so there are as many as there are
    // combinations exactly when every combination is there.
    if (product != coverage.Count()) {
        return {};
    }
    std::array<int, kMostSigns + 1> free{};
    for (std::size_t radix = 2; radix <= kMostSigns; ++radix) {
        free[radix] = static_cast<int>(positions[radix].size());
    }
    TPlan plan;
    TPlan best;
    Extend(plan, 0, radius, free, best);

    std::vector<TFactor> factors;
    std::array<std::size_t, kMostSigns + 1> next{};
    for (const TCodeShape& code : best.Codes) {
        const auto radix = static_cast<std::size_t>(code.Radix);
        TFactor factor;
        factor.Positions.assign(
            positions[radix].begin() + static_cast<long>(next[radix]),
            positions[radix].begin() +
                static_cast<long>(next[radix] + static_cast<std::size_t>(code.Length)));
        next[radix] += static_cast<std::size_t>(code.Length);
        factor.Digits = CodeWords(code);
        factor.Words = code.Size;
        factors.push_back(std::move(factor));
    }
    for (std::size_t radix = 2; radix <= kMostSigns; ++radix) {
        for (std::size_t q = next[radix]; q < positions[radix].size(); ++q) {
            TFactor factor;
            factor.Positions = {positions[radix][q]};
            for (std::size_t d = 0; d < radix; ++d) {
                factor.Digits.push_back(static_cast<std::uint8_t>(d));
            }
            factor.Words = radix;
            factors.push_back(std::move(factor));
        }
    }

    std::vector<std::size_t> chosen;
    chosen.reserve(best.Size);
    std::vector<std::size_t> word(factors.size(), 0);
    for (std::size_t w = 0; w < best.Size; ++w) {
        TKey key = coverage.Column(0);
        for (std::size_t f = 0; f < factors.size(); ++f) {
            const TFactor& factor = factors[f];
            for (std::size_t t = 0; t < factor.Positions.size(); ++t) {
                const int p = factor.Positions[t];
                const std::uint8_t digit = factor.Digits[word[f] * factor.Positions.size() + t];
                SetByteAt(key, p, census.Signs(p)[digit]);
            }
        }
        chosen.push_back(coverage.Find(key));
        for (std::size_t f = 0; f < factors.size() && ++word[f] == factors[f].Words; ++f) {
            word[f] = 0;
        }
    }
    std::sort(chosen.begin(), chosen.end());
    return chosen;
}

}  // namespace kelvo
