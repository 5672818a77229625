#include "column_sets.h"

#include <array>
#include <unordered_set>
#include <utility>

namespace kelvo {

namespace {

// The order in which a development takes up positions: spread over the column as a real
// forecast places its triples, not one block at the front.
constexpr std::array<int, kColumnLength> kDevelopmentOrder = {1,  2, 4, 6, 8, 10, 11,
                                                              13, 0, 3, 5, 7, 9,  12};

constexpr int kFilteredTriples = 9;
constexpr int kFullTriples = 8;
constexpr std::size_t kFullFile = 7000;

constexpr std::uint64_t kFarApartSeed = kColumnSeed + 1;
constexpr std::uint64_t kRandomSeed = kColumnSeed + 2;

// `count` distinct columns, each drawn by `draw` from a generator seeded with `seed`.
template <class Draw>
std::vector<std::string> DistinctColumns(std::size_t count, std::uint64_t seed, Draw draw) {
    TSplitMix random(seed);
    std::unordered_set<std::string> seen;
    std::vector<std::string> columns;
    columns.reserve(count);
    while (columns.size() < count) {
        std::string column = draw(random);
        if (seen.insert(column).second) {
            columns.push_back(std::move(column));
        }
    }
    return columns;
}

// Every column with the signs of `signsAt[t]` at the t-th position of the development order and
// the base column's signs elsewhere, for which `keep` holds.
template <class Keep>
std::vector<std::string> ConditionedDevelopment(const std::vector<std::string>& signsAt,
                                                Keep keep) {
    std::vector<std::string> columns{kBaseColumn};
    for (std::size_t t = 0; t < signsAt.size(); ++t) {
        std::vector<std::string> next;
        for (const std::string& column : columns) {
            for (const char sign : signsAt[t]) {
                next.push_back(column);
                next.back()[static_cast<std::size_t>(kDevelopmentOrder[t])] = sign;
            }
        }
        columns = std::move(next);
    }
    std::erase_if(columns, [&](const std::string& column) { return !keep(column); });
    return columns;
}

// How many of the first `developed` positions of the development order hold `sign`.
int SignCount(const std::string& column, int developed, char sign) {
    int count = 0;
    for (int t = 0; t < developed; ++t) {
        count +=
            column[static_cast<std::size_t>(kDevelopmentOrder[static_cast<std::size_t>(t)])] == sign
                ? 1
                : 0;
    }
    return count;
}

}  // namespace

std::uint64_t TSplitMix::Next() {
    state_ += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::vector<std::string> Development(int triples) {
    std::size_t count = 1;
    for (int t = 0; t < triples; ++t) {
        count *= 3;
    }
    std::vector<std::string> columns;
    columns.reserve(count);
    for (std::size_t number = 0; number < count; ++number) {
        std::string column = kBaseColumn;
        std::size_t rest = number;
        for (int t = triples - 1; t >= 0; --t) {
            column[static_cast<std::size_t>(kDevelopmentOrder[static_cast<std::size_t>(t)])] =
                kSigns[rest % 3];
            rest /= 3;
        }
        columns.push_back(std::move(column));
    }
    return columns;
}

std::vector<std::string> Shuffled(std::vector<std::string> columns, std::uint64_t seed) {
    TSplitMix random(seed);
    for (std::size_t i = columns.size(); i > 1; --i) {
        std::swap(columns[i - 1], columns[random.Next() % i]);
    }
    return columns;
}

std::vector<std::string> FilteredDevelopment(std::size_t count) {
    std::vector<std::string> columns = Shuffled(Development(kFilteredTriples), kColumnSeed);
    columns.resize(count);
    return columns;
}

std::vector<std::string> RandomColumns(std::size_t count) {
    return DistinctColumns(count, kRandomSeed, [](TSplitMix& random) {
        std::string column(kColumnLength, '1');
        for (char& sign : column) {
            sign = kSigns[random.Next() % 3];
        }
        return column;
    });
}

std::vector<std::string> Identical(std::size_t count) {
    return std::vector<std::string>(count, kBaseColumn);
}

std::vector<std::string> FarApart(std::size_t count) {
    return DistinctColumns(count, kFarApartSeed, [](TSplitMix& random) {
        std::string column(kColumnLength, '1');
        unsigned sum = 0;
        for (std::size_t p = 0; p + 1 < column.size(); ++p) {
            const unsigned sign = static_cast<unsigned>(random.Next() % 3);
            column[p] = kSigns[sign];
            sum += sign;
        }
        column.back() = kSigns[(3 - sum % 3) % 3];
        return column;
    });
}

std::string ColumnFileBytes(const std::vector<std::string>& columns) {
    std::string bytes;
    bytes.reserve(columns.size() * 16);
    for (const std::string& column : columns) {
        bytes += column;
        bytes += "\r\n";
    }
    return bytes;
}

std::vector<TColumnSet> BenchmarkColumnSets() {
    return {
        {"triples8", Shuffled(Development(kFullTriples), kColumnSeed)},
        {"filtered7000", FilteredDevelopment(kFullFile)},
        {"random7000", RandomColumns(kFullFile)},
        {"identical7000", Identical(kFullFile)},
        {"far7000", FarApart(kFullFile)},
    };
}

std::vector<TColumnSet> OptimiserColumnSets() {
    constexpr std::uint64_t kThirdSeed = kColumnSeed + 3;
    std::vector<std::string> third = Shuffled(Development(9), kThirdSeed);
    third.resize(third.size() / 3);
    std::vector<std::string> twoThirds = Shuffled(Development(8), kThirdSeed);
    twoThirds.resize(twoThirds.size() * 2 / 3);
    const std::string triple = "1X2";
    const std::string doubled = "1X";
    return {
        {"third9", std::move(third)},
        {"twothirds8", std::move(twoThirds)},
        {"signs9", Shuffled(ConditionedDevelopment(std::vector<std::string>(9, triple),
                                                   [](const std::string& column) {
                                                       const int ones = SignCount(column, 9, '1');
                                                       return ones >= 3 && ones <= 6 &&
                                                              SignCount(column, 9, '2') <= 2;
                                                   }),
                            kThirdSeed)},
        {"mixed10", Shuffled(ConditionedDevelopment({triple, triple, triple, triple, triple, triple,
                                                     doubled, doubled, doubled, doubled},
                                                    [](const std::string& column) {
                                                        return SignCount(column, 10, 'X') <= 3;
                                                    }),
                             kThirdSeed)},
        {"filtered7000", FilteredDevelopment(kFullFile)},
    };
}

}  // namespace kelvo
