// The covering problem of a reduction whose chosen columns may be any columns of signs 1, X and 2,
// not only the input's: the input columns to cover on one side, the candidate columns on the other.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/column_key.h"
#include "reduce/coverage.h"

namespace kelvo {

// The input columns of a coverage (its rows, numbered as the coverage numbers them) and the
// columns that may cover them (its candidates): every input column, numbered as its row, then
// every column of 14 signs 1, X and 2 that is not an input column, shows at each position a sign
// some input column shows there and lies within the radius of some input column, numbered from
// RowCount() on. Each candidate lists the rows it covers and each row the candidates covering it.
// A candidate that is not an input column is what a plain reduction cannot choose: where no such
// column exists (as in a full development) the problem is the coverage's own.
class TCandidateCover {
public:
    // The candidates for the columns of `coverage` at `radius` (the coverage's radius), or none
    // where no candidate lies outside the input or where the two sides' lists would hold more than
    // `mostEntries` entries in all. Throws std::bad_alloc when memory runs out.
    static std::optional<TCandidateCover> Beyond(const TCoverage& coverage, int radius,
                                                 std::size_t mostEntries);

    // Rows and candidates differ: a candidate covers rows, not the candidates covering it.
    static constexpr bool kSymmetric = false;

    std::size_t RowCount() const { return rows_; }
    std::size_t CandidateCount() const { return candidates_.size(); }
    // Whether some candidate is not an input column.
    bool Widens() const { return candidates_.size() > rows_; }
    // How many rows the candidates cover in all (as many as the rows' candidates).
    std::size_t Entries() const { return covered_.size(); }
    // The column of candidate k.
    const TKey& Candidate(std::size_t k) const { return candidates_[k]; }
    // How many rows candidate k covers.
    std::size_t CoveredCount(std::size_t k) const {
        return coveredStart_[k + 1] - coveredStart_[k];
    }

    // Calls visit(j) for every row j within the radius of candidate k, each once.
    template <class Visit>
    void ForEachCovered(std::size_t k, Visit&& visit) const {
        for (std::size_t e = coveredStart_[k]; e < coveredStart_[k + 1]; ++e) {
            visit(static_cast<std::size_t>(covered_[e]));
        }
    }
    // Calls visit(k) for every candidate k within the radius of row j, each once.
    template <class Visit>
    void ForEachCovering(std::size_t j, Visit&& visit) const {
        for (std::size_t e = coveringStart_[j]; e < coveringStart_[j + 1]; ++e) {
            visit(static_cast<std::size_t>(covering_[e]));
        }
    }

private:
    TCandidateCover() = default;

    std::size_t rows_ = 0;
    std::vector<TKey> candidates_;
    std::vector<std::size_t> coveredStart_;
    std::vector<std::uint32_t> covered_;
    std::vector<std::size_t> coveringStart_;
    std::vector<std::uint32_t> covering_;
};

}  // namespace kelvo
