#include "optimise/candidate_cover.h"

#include <array>
#include <bit>

namespace kelvo {

namespace {

// A column of signs 1, X and 2 as a number: its sign digits (0 for 1, 1 for X, 2 for 2) in base 3,
// position p weighing 3^p. Every such column has a number below kCodes, so a table by number tells
// at once whether a column has been met.
constexpr std::uint32_t kNoDigit = 3;

constexpr std::array<std::uint32_t, kColumnLength + 1> MakePowers() {
    std::array<std::uint32_t, kColumnLength + 1> powers{1};
    for (std::size_t p = 1; p < powers.size(); ++p) {
        powers[p] = powers[p - 1] * 3;
    }
    return powers;
}
constexpr std::array<std::uint32_t, kColumnLength + 1> kPower = MakePowers();
constexpr std::uint32_t kCodes = kPower[kColumnLength];
// Candidate + 1 by number, 0 where no candidate is.
constexpr std::uint32_t kUnmet = 0;

// The digit of `byte` among kSignOfDigit, kNoDigit for any other byte (a lower-case x among them:
// the chosen columns are written as the pool's own signs).
std::uint32_t DigitOf(unsigned byte) {
    for (std::uint32_t d = 0; d < kSignOfDigit.size(); ++d) {
        if (byte == static_cast<unsigned char>(kSignOfDigit[d])) {
            return d;
        }
    }
    return kNoDigit;
}

// The number of `column` where it is a column of signs 1, X and 2, kCodes otherwise.
std::uint32_t CodeOf(const TKey& column) {
    std::uint32_t code = 0;
    for (int p = 0; p < kColumnLength; ++p) {
        const std::uint32_t digit = DigitOf(ByteAt(column, p));
        if (digit == kNoDigit) {
            return kCodes;
        }
        code += digit * kPower[static_cast<std::size_t>(p)];
    }
    return code;
}

TKey ColumnOfCode(std::uint32_t code) {
    TKey key;
    for (int p = 0; p < kColumnLength; ++p) {
        SetByteAt(key, p,
                  static_cast<unsigned char>(
                      kSignOfDigit[code / kPower[static_cast<std::size_t>(p)] % 3]));
    }
    return key;
}

// The candidates within the radius of one input column. A column with, at some position, a sign
// that no input column shows there is no candidate: the same column with a sign seen there is no
// farther from any input column, so it covers all the first one covers. Only the signs seen, at
// the positions where the census shows them, are therefore tried.
class TVariants {
public:
    TVariants(const TCoverage& coverage, int radius) : radius_(radius) {
        for (int p = 0; p < kColumnLength; ++p) {
            for (const std::uint8_t sign : coverage.Census().Signs(p)) {
                if (const std::uint32_t digit = DigitOf(sign); digit != kNoDigit) {
                    seen_[static_cast<std::size_t>(p)].push_back(digit);
                }
            }
        }
    }

    // Calls visit(code) for every column of seen signs 1, X and 2 within the radius of `column`,
    // each once; a position of `column` holding another byte must differ in each of them.
    template <class Visit>
    void ForEach(const TKey& column, Visit&& visit) const {
        std::array<std::uint32_t, kColumnLength> digits{};
        std::uint32_t code = 0;
        unsigned other = 0;
        for (int p = 0; p < kColumnLength; ++p) {
            digits[static_cast<std::size_t>(p)] = DigitOf(ByteAt(column, p));
            if (digits[static_cast<std::size_t>(p)] == kNoDigit) {
                other |= 1u << p;
            } else {
                code += digits[static_cast<std::size_t>(p)] * kPower[static_cast<std::size_t>(p)];
            }
        }
        if (std::popcount(other) > radius_) {
            return;
        }
        if (other == 0) {
            visit(code);
        }
        Vary(digits, code, other, 0, radius_, visit);
    }

private:
    template <class Visit>
    void Vary(const std::array<std::uint32_t, kColumnLength>& digits, std::uint32_t code,
              unsigned other, int from, int left, Visit& visit) const {
        for (int p = from; p < kColumnLength; ++p) {
            const auto position = static_cast<std::size_t>(p);
            const std::uint32_t own = digits[position];
            const std::uint32_t base = own == kNoDigit ? code : code - own * kPower[position];
            const unsigned rest = other & ~(1u << p);
            for (const std::uint32_t digit : seen_[position]) {
                if (digit == own) {
                    continue;
                }
                const std::uint32_t varied = base + digit * kPower[position];
                if (rest == 0) {
                    visit(varied);
                }
                if (left > 1) {
                    Vary(digits, varied, rest, p + 1, left - 1, visit);
                }
            }
            // A position holding another byte left as it is leaves the columns beyond it invalid.
            if ((other & (1u << p)) != 0) {
                return;
            }
        }
    }

    int radius_;
    std::array<std::vector<std::uint32_t>, kColumnLength> seen_;
};

}  // namespace

std::optional<TCandidateCover> TCandidateCover::Beyond(const TCoverage& coverage, int radius,
                                                       std::size_t mostEntries) {
    // In a full development every such column is an input column already.
    if (coverage.EveryVariantIsAColumn()) {
        return std::nullopt;
    }
    TCandidateCover cover;
    cover.rows_ = coverage.Count();
    const TVariants variants(coverage, radius);
    std::vector<std::uint32_t> met(kCodes, kUnmet);
    std::vector<bool> plain(cover.rows_, false);
    cover.candidates_.reserve(cover.rows_);
    for (std::size_t k = 0; k < cover.rows_; ++k) {
        cover.candidates_.push_back(coverage.Column(k));
        if (const std::uint32_t code = CodeOf(coverage.Column(k)); code != kCodes) {
            plain[k] = true;
            met[code] = static_cast<std::uint32_t>(k + 1);
        }
    }
    // Counts first, so that lists too large are never made.
    std::vector<std::size_t> coveringCount(cover.rows_, 0);
    std::vector<std::size_t> coveredCount(cover.rows_, 0);
    std::size_t entries = 0;
    for (std::size_t j = 0; j < cover.rows_ && 2 * entries <= mostEntries; ++j) {
        variants.ForEach(coverage.Column(j), [&](std::uint32_t code) {
            if (met[code] == kUnmet) {
                cover.candidates_.push_back(ColumnOfCode(code));
                coveredCount.push_back(0);
                met[code] = static_cast<std::uint32_t>(cover.candidates_.size());
            }
            ++coveredCount[met[code] - 1];
            ++coveringCount[j];
            ++entries;
        });
    }
    // An input column of other bytes covers what the coverage says: no variant names it.
    for (std::size_t k = 0; k < cover.rows_ && 2 * entries <= mostEntries; ++k) {
        if (!plain[k]) {
            coverage.ForEachCovered(k, [&](std::size_t j) {
                ++coveredCount[k];
                ++coveringCount[j];
                ++entries;
            });
        }
    }
    if (!cover.Widens() || 2 * entries > mostEntries) {
        return std::nullopt;
    }
    const auto starts = [](const std::vector<std::size_t>& counts) {
        std::vector<std::size_t> start(counts.size() + 1, 0);
        for (std::size_t k = 0; k < counts.size(); ++k) {
            start[k + 1] = start[k] + counts[k];
        }
        return start;
    };
    cover.coveringStart_ = starts(coveringCount);
    cover.coveredStart_ = starts(coveredCount);
    cover.covering_.resize(entries);
    cover.covered_.resize(entries);
    std::vector<std::size_t> coveringAt(cover.coveringStart_.begin(),
                                        cover.coveringStart_.end() - 1);
    std::vector<std::size_t> coveredAt(cover.coveredStart_.begin(), cover.coveredStart_.end() - 1);
    const auto link = [&](std::size_t candidate, std::size_t row) {
        cover.covering_[coveringAt[row]++] = static_cast<std::uint32_t>(candidate);
        cover.covered_[coveredAt[candidate]++] = static_cast<std::uint32_t>(row);
    };
    for (std::size_t j = 0; j < cover.rows_; ++j) {
        variants.ForEach(coverage.Column(j), [&](std::uint32_t code) { link(met[code] - 1, j); });
    }
    for (std::size_t k = 0; k < cover.rows_; ++k) {
        if (!plain[k]) {
            coverage.ForEachCovered(k, [&](std::size_t j) { link(k, j); });
        }
    }
    return cover;
}

}  // namespace kelvo
