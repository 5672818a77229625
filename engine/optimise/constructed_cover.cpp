#include "optimise/constructed_cover.h"

#include <algorithm>
#include <array>
#include <bitset>

#include "optimise/covering_constructions.h"

namespace kelvo {

namespace {

// The most signs a position may hold for a code to be built: the constructions are binary and
// ternary.
constexpr std::size_t kMostSigns = 3;

using TSigns = std::array<std::vector<std::uint8_t>, kColumnLength>;

TSigns SignsSeen(const TCoverage& coverage) {
    std::array<std::bitset<256>, kColumnLength> seen;
    for (std::size_t k = 0; k < coverage.Count(); ++k) {
        for (int p = 0; p < kColumnLength; ++p) {
            seen[static_cast<std::size_t>(p)].set(ByteAt(coverage.Column(k), p));
        }
    }
    TSigns signs;
    for (std::size_t p = 0; p < kColumnLength; ++p) {
        for (unsigned byte = 0; byte < 256; ++byte) {
            if (seen[p].test(byte)) {
                signs[p].push_back(static_cast<std::uint8_t>(byte));
            }
        }
    }
    return signs;
}

std::optional<TDevelopmentShape> ShapeOf(const TCoverage& coverage, const TSigns& signs) {
    if (coverage.Count() == 0) {
        return std::nullopt;
    }
    TDevelopmentShape shape;
    std::size_t combinations = 1;
    for (const std::vector<std::uint8_t>& seen : signs) {
        if (seen.size() > kMostSigns) {
            return std::nullopt;
        }
        shape.Triples += seen.size() == 3 ? 1 : 0;
        shape.Doubles += seen.size() == 2 ? 1 : 0;
        combinations *= seen.size();
    }
    // The columns are distinct combinations of the signs seen, so there are as many as there are
    // combinations exactly when every combination is there.
    if (combinations != coverage.Count()) {
        return std::nullopt;
    }
    return shape;
}

}  // namespace

std::optional<TDevelopmentShape> FullDevelopmentShape(const TCoverage& coverage) {
    return ShapeOf(coverage, SignsSeen(coverage));
}

std::vector<std::size_t> ConstructedCover(const TCoverage& coverage, int radius) {
    const TSigns signs = SignsSeen(coverage);
    const std::optional<TDevelopmentShape> shape = ShapeOf(coverage, signs);
    if (!shape) {
        return {};
    }
    // The code's positions: its ternary digits first, then its binary ones.
    std::vector<int> positions;
    for (const std::size_t count : {std::size_t{3}, std::size_t{2}}) {
        for (int p = 0; p < kColumnLength; ++p) {
            if (signs[static_cast<std::size_t>(p)].size() == count) {
                positions.push_back(p);
            }
        }
    }
    const TCode code =
        SmallestConstruction(shape->Triples, shape->Doubles, std::min(radius, kMaxCodeRadius));
    std::vector<std::size_t> chosen;
    chosen.reserve(code.Size());
    for (std::size_t w = 0; w < code.Size(); ++w) {
        TKey key = coverage.Column(0);
        for (std::size_t q = 0; q < positions.size(); ++q) {
            const int p = positions[q];
            const std::uint8_t digit = code.Words[w * positions.size() + q];
            SetByteAt(key, p, signs[static_cast<std::size_t>(p)][digit]);
        }
        chosen.push_back(coverage.Find(key));
    }
    std::sort(chosen.begin(), chosen.end());
    return chosen;
}

}  // namespace kelvo
