#include "reduce/development_balls.h"

namespace kelvo {

namespace {

// Blocks hold at most this many columns: small enough that the counts of a block stay in the
// processor's first cache while the covered columns of a group lower them.
constexpr std::uint64_t kMostBlockColumns = 2187;

}  // namespace

TDevelopmentBalls::TDevelopmentBalls(const TSignCensus& census, int radius)
    : census_(census), radius_(radius) {
    const std::span<const TSignCensus::TLivePosition> live = census.LivePositions();
    // At most half the live positions are low, so that every development of two or more
    // live positions has high ones: one small enough to be checked pair by pair then takes
    // the same way through the blocks as the largest.
    while (2 * (lowPositions_ + 1) <= live.size() &&
           blockColumns_ * live[lowPositions_].Radix <= kMostBlockColumns) {
        blockColumns_ *= live[lowPositions_].Radix;
        ++lowPositions_;
    }
    // Every low number has as many low variants at each distance, so the table has rows of
    // one length.
    std::vector<std::vector<std::uint16_t>> byDistance(static_cast<std::size_t>(radius) + 1);
    for (std::uint64_t from = 0; from < blockColumns_; ++from) {
        for (auto& variants : byDistance) {
            variants.clear();
        }
        TSignCensus::TDigits digits;
        census.DigitsOfNumber(from, digits);
        byDistance[0].push_back(static_cast<std::uint16_t>(from));
        ForEachVariantWithin(from, digits, 0, lowPositions_, radius, 0,
                             [&](std::uint64_t variant, int distance) {
                                 byDistance[static_cast<std::size_t>(distance)].push_back(
                                     static_cast<std::uint16_t>(variant));
                             });
        std::size_t within = 0;
        for (const auto& variants : byDistance) {
            low_.insert(low_.end(), variants.begin(), variants.end());
            within += variants.size();
            if (from == 0) {
                lowWithin_.push_back(within);
            }
        }
    }
}

}  // namespace kelvo
