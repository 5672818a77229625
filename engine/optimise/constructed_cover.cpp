#include "optimise/constructed_cover.h"

#include <algorithm>

#include "optimise/covering_constructions.h"

namespace kelvo {

namespace {

// The most signs a position may hold for a code to be built: the constructions are binary and
// ternary.
constexpr std::size_t kMostSigns = 3;

}  // namespace

std::optional<TDevelopmentShape> FullDevelopmentShape(const TCoverage& coverage) {
    if (coverage.Count() == 0) {
        return std::nullopt;
    }
    const TSignCensus& census = coverage.Census();
    TDevelopmentShape shape;
    std::size_t combinations = 1;
    for (int p = 0; p < kColumnLength; ++p) {
        const std::size_t seen = census.Signs(p).size();
        if (seen > kMostSigns) {
            return std::nullopt;
        }
        shape.Triples += seen == 3 ? 1 : 0;
        shape.Doubles += seen == 2 ? 1 : 0;
        combinations *= seen;
    }
    // The columns are distinct combinations of the signs seen, so there are as many as there are
    // combinations exactly when every combination is there.
    if (combinations != coverage.Count()) {
        return std::nullopt;
    }
    return shape;
}

std::vector<std::size_t> ConstructedCover(const TCoverage& coverage, int radius) {
    const std::optional<TDevelopmentShape> shape = FullDevelopmentShape(coverage);
    if (!shape) {
        return {};
    }
    const TSignCensus& census = coverage.Census();
    // The code's positions: its ternary digits first, then its binary ones.
    std::vector<int> positions;
    for (const std::size_t count : {std::size_t{3}, std::size_t{2}}) {
        for (int p = 0; p < kColumnLength; ++p) {
            if (census.Signs(p).size() == count) {
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
            SetByteAt(key, p, census.Signs(p)[digit]);
        }
        chosen.push_back(coverage.Find(key));
    }
    std::sort(chosen.begin(), chosen.end());
    return chosen;
}

}  // namespace kelvo
