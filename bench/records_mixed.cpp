// Prints, for every full development of t triples and b doubles with t + b <= 12 and every
// guarantee, the size of the constructed cover against that of the product of radius-1 codes the
// optimiser started from before the constructions: kelvo_records_mixed, no arguments. Markdown
// tables, one per guarantee, cells "constructed / product", bold where the construction is smaller,
// ticked where no smaller code exists: the construction meets the sphere-covering bound, or the
// exhaustive search proved it smallest (KnownSmallest).
#include <algorithm>
#include <array>
#include <cstddef>
#include <iostream>

#include "optimise/covering_constructions.h"

using namespace kelvo;

namespace {

constexpr int kLongest = 12;

struct TRadiusOneCode {
    int Radix = 0;
    int Length = 0;
    std::size_t Size = 0;
};

// The radius-1 codes the product was built from: Hamming codes and searched codes of 2 to 8
// positions.
constexpr std::array<TRadiusOneCode, 14> kProductCodes{{
    {2, 1, 1},
    {2, 2, 2},
    {2, 3, 2},
    {2, 5, 7},
    {2, 6, 12},
    {2, 7, 16},
    {3, 1, 1},
    {3, 2, 3},
    {3, 3, 5},
    {3, 4, 9},
    {3, 6, 73},
    {3, 7, 186},
    {3, 8, 486},
    {3, 13, 59049},
}};

std::size_t Power(std::size_t base, int exponent) {
    std::size_t power = 1;
    for (int e = 0; e < exponent; ++e) {
        power *= base;
    }
    return power;
}

// The smallest product of up to `codesLeft` codes from the `from`-th on, one per unit of radius,
// on `triples` and `doubles` free positions, with every sign at the positions left over.
std::size_t SmallestProduct(int triples, int doubles, int codesLeft, std::size_t from) {
    std::size_t best = Power(3, triples) * Power(2, doubles);
    if (codesLeft == 0) {
        return best;
    }
    for (std::size_t c = from; c < kProductCodes.size(); ++c) {
        const TRadiusOneCode& code = kProductCodes[c];
        const int free = code.Radix == 3 ? triples : doubles;
        if (code.Length > free) {
            continue;
        }
        const std::size_t rest =
            code.Radix == 3 ? SmallestProduct(triples - code.Length, doubles, codesLeft - 1, c)
                            : SmallestProduct(triples, doubles - code.Length, codesLeft - 1, c);
        best = std::min(best, code.Size * rest);
    }
    return best;
}

std::size_t Binomial(int n, int k) {
    std::size_t value = 1;
    for (int i = 1; i <= k; ++i) {
        value = value * static_cast<std::size_t>(n - k + i) / static_cast<std::size_t>(i);
    }
    return value;
}

// The fewest words that can cover the space, each covering its ball.
std::size_t SphereCoveringBound(int triples, int doubles, int radius) {
    std::size_t ball = 0;
    for (int i = 0; i <= radius && i <= triples; ++i) {
        for (int j = 0; i + j <= radius && j <= doubles; ++j) {
            ball += Binomial(triples, i) * Power(2, i) * Binomial(doubles, j);
        }
    }
    const std::size_t space = Power(3, triples) * Power(2, doubles);
    return (space + ball - 1) / ball;
}

}  // namespace

int main() {
    for (int radius = 1; radius <= kMaxCodeRadius; ++radius) {
        std::cout << "\n#### Guarantee " << 14 - radius << ": constructed / product\n\n| t \\ b |";
        for (int b = 0; b <= kLongest; ++b) {
            std::cout << ' ' << b << " |";
        }
        std::cout << "\n|---|";
        for (int b = 0; b <= kLongest; ++b) {
            std::cout << "---:|";
        }
        std::cout << '\n';
        for (int t = 0; t <= kLongest; ++t) {
            std::cout << "| " << t << " |";
            for (int b = 0; b <= kLongest; ++b) {
                if (t + b > kLongest) {
                    std::cout << " |";
                    continue;
                }
                const std::size_t constructed = SmallestConstructionSize(t, b, radius);
                const std::size_t product = SmallestProduct(t, b, radius, 0);
                const char* mark = constructed < product ? "**" : "";
                const bool smallest = constructed == SphereCoveringBound(t, b, radius) ||
                                      KnownSmallest(t, b, radius, constructed);
                std::cout << ' ' << mark << constructed << mark << (smallest ? " ✓" : "") << " / "
                          << product << " |";
            }
            std::cout << '\n';
        }
    }
}
