#include "modes/result_spread.h"

#include <algorithm>
#include <utility>

namespace kelvo {

namespace {

// The last kBlockMatches matches vary within kBlock consecutive numbers: a block's spread over
// them is done while the block sits in the cache.
constexpr int kBlockMatches = 9;
constexpr std::uint32_t kBlock = 19683;

constexpr std::uint32_t Stride(int position) {
    std::uint32_t stride = 1;
    for (int p = position + 1; p < kColumnLength; ++p) {
        stride *= 3;
    }
    return stride;
}

// Both spreads go out from the columns one match at a time: a result's fewest differences is the
// least of its own and one more than those of the two results that differ from it only at that
// match, and its figures at d differences gain those at d - 1 of those two. After every match a
// result's figures cover the columns that differ from it only at the matches spread so far.
void SpreadFewest(std::uint8_t* fewest, std::uint32_t stride, std::uint32_t begin,
                  std::uint32_t end) {
    for (std::uint32_t block = begin; block < end; block += 3 * stride) {
        std::uint8_t* a = fewest + block;
        std::uint8_t* b = a + stride;
        std::uint8_t* c = b + stride;
        for (std::uint32_t k = 0; k < stride; ++k) {
            const std::uint8_t x = a[k];
            const std::uint8_t y = b[k];
            const std::uint8_t z = c[k];
            a[k] = std::min<std::uint8_t>(x, std::min(y, z) + 1);
            b[k] = std::min<std::uint8_t>(y, std::min(x, z) + 1);
            c[k] = std::min<std::uint8_t>(z, std::min(x, y) + 1);
        }
    }
}

template <class T>
void SpreadByDistance(std::array<std::vector<T>, kPrizeCategories>& at, std::uint32_t stride,
                      std::uint32_t begin, std::uint32_t end) {
    // From the most differences down, so that the figures at d - 1 are still those before this
    // match when the figures at d take them.
    for (int d = kPrizeCategories - 1; d > 0; --d) {
        T* to = at[static_cast<std::size_t>(d)].data();
        const T* from = at[static_cast<std::size_t>(d - 1)].data();
        for (std::uint32_t block = begin; block < end; block += 3 * stride) {
            for (std::uint32_t k = block; k < block + stride; ++k) {
                const T x = from[k];
                const T y = from[k + stride];
                const T z = from[k + 2 * stride];
                to[k] += y + z;
                to[k + stride] += x + z;
                to[k + 2 * stride] += x + y;
            }
        }
    }
}

// Runs `spread(position, begin, end)` over every match, the last kBlockMatches block by block;
// false once `pace` tells to stop.
template <class Spread>
bool SpreadEveryMatch(TWorkPace& pace, Spread spread) {
    for (std::uint32_t block = 0; block < kResults; block += kBlock) {
        for (int p = kColumnLength - 1; p >= kColumnLength - kBlockMatches; --p) {
            spread(Stride(p), block, block + kBlock);
        }
        if (!pace.Done(kBlock)) {
            return false;
        }
    }
    for (int p = kColumnLength - kBlockMatches - 1; p >= 0; --p) {
        spread(Stride(p), 0, kResults);
        if (!pace.Done(kResults)) {
            return false;
        }
    }
    return true;
}

}  // namespace

TSigns SignsOf(const TKey& key) {
    TSigns signs{};
    for (int p = 0; p < kColumnLength; ++p) {
        signs[static_cast<std::size_t>(p)] = SignDigit(ByteAt(key, p));
    }
    return signs;
}

std::optional<std::uint32_t> ResultNumber(const TKey& key) {
    std::uint32_t number = 0;
    for (int p = 0; p < kColumnLength; ++p) {
        const int sign = SignDigit(ByteAt(key, p));
        if (sign == kOtherSign) {
            return std::nullopt;
        }
        number = number * 3 + static_cast<std::uint32_t>(sign);
    }
    return number;
}

TWorkPace::TWorkPace(TProgressSink* progress, std::string_view phase, std::stop_token stop,
                     double total)
    : paced_(progress, phase), stop_(std::move(stop)), total_(total) {
    if (progress != nullptr) {
        progress->BeginPhase(phase);
    }
}

bool TWorkPace::Done(std::uint64_t units) {
    done_ += static_cast<double>(units);
    paced_.SetProgress(std::min(1.0, done_ / total_));
    paced_.Work(units);
    return !stop_.stop_requested();
}

void TWorkPace::Finish() {
    paced_.SetProgress(1);
    paced_.Now();
}

// A column with positions that hold no sign differs there from every result: it seeds every
// result that has its signs elsewhere with that many differences, and its counts are added result
// by result after the spread.
std::optional<TSpread> SpreadColumns(std::span<const TKey> columns, bool counts, TWorkPace& pace) {
    TSpread spread;
    spread.Fewest.assign(kResults, kFar);
    if (counts) {
        for (auto& at : spread.Counts) {
            at.assign(kResults, 0);
        }
    }
    std::vector<TSigns> partial;
    for (const TKey& key : columns) {
        if (const auto number = ResultNumber(key)) {
            spread.Fewest[*number] = 0;
            if (counts) {
                ++spread.Counts[0][*number];
            }
            continue;
        }
        const TSigns signs = SignsOf(key);
        const int missing = static_cast<int>(std::count(signs.begin(), signs.end(), kOtherSign));
        VisitAround(signs, 0, [&](std::uint32_t number, int) {
            std::uint8_t& fewest = spread.Fewest[number];
            fewest = std::min<std::uint8_t>(fewest, static_cast<std::uint8_t>(missing));
        });
        if (counts && missing < kPrizeCategories) {
            partial.push_back(signs);
        }
    }
    const bool done =
        SpreadEveryMatch(pace, [&](std::uint32_t stride, std::uint32_t begin, std::uint32_t end) {
            SpreadFewest(spread.Fewest.data(), stride, begin, end);
            if (counts) {
                SpreadByDistance(spread.Counts, stride, begin, end);
            }
        });
    if (!done) {
        return std::nullopt;
    }
    for (const TSigns& signs : partial) {
        const int missing = static_cast<int>(std::count(signs.begin(), signs.end(), kOtherSign));
        VisitAround(signs, kPrizeCategories - 1 - missing, [&](std::uint32_t number, int changed) {
            ++spread.Counts[static_cast<std::size_t>(missing + changed)][number];
        });
    }
    return spread;
}

// The spread of figures by distance is linear and the same both ways: with the figures of
// distance d placed at kPrizeCategories - 1 - d, spreading as the counts spread gathers at the
// last array every g_d from exactly d away.
bool SumAtDistances(std::array<std::vector<double>, kPrizeCategories>& at, TWorkPace& pace) {
    std::reverse(at.begin(), at.end());
    return SpreadEveryMatch(pace,
                            [&](std::uint32_t stride, std::uint32_t begin, std::uint32_t end) {
                                SpreadByDistance(at, stride, begin, end);
                            });
}

}  // namespace kelvo
