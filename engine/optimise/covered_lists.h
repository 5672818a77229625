// The covered columns of every column written out once, for the units that walk them over and
// over: the optimiser's searches and its lower bound.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "reduce/coverage.h"

namespace kelvo {

// The covered columns of each column of a coverage, listed: a walk reads its list instead of
// enumerating every variant of the column and looking each one up, which at the weaker guarantees
// finds a column for only a few variants in ten.
class TCoveredLists {
public:
    // The lists of `coverage`, which hold `entries` entries in all. Throws std::bad_alloc when
    // memory runs out.
    TCoveredLists(const TCoverage& coverage, std::size_t entries);

    std::size_t Count() const { return start_.size() - 1; }
    std::size_t CoveredCount(std::size_t k) const { return start_[k + 1] - start_[k]; }

    // Calls visit(j) for every column j that column k covers, k itself included, each once.
    template <class Visit>
    void ForEachCovered(std::size_t k, Visit&& visit) const {
        for (std::size_t e = start_[k]; e < start_[k + 1]; ++e) {
            visit(static_cast<std::size_t>(covered_[e]));
        }
    }

private:
    std::vector<std::size_t> start_;
    std::vector<std::uint32_t> covered_;
};

// A coverage, or its lists, as a covering problem whose candidates are its rows: column k as a
// chosen column covers the columns ForEachCovered(k) visits, and those are also the columns that
// cover column k, so one walk serves both sides.
template <class TCover>
struct TSymmetricCover {
    static constexpr bool kSymmetric = true;
    const TCover& Cover;

    std::size_t RowCount() const { return Cover.Count(); }
    std::size_t CandidateCount() const { return Cover.Count(); }
    std::size_t CoveredCount(std::size_t k) const { return Cover.CoveredCount(k); }
    template <class Visit>
    void ForEachCovered(std::size_t k, Visit&& visit) const {
        Cover.ForEachCovered(k, visit);
    }
    template <class Visit>
    void ForEachCovering(std::size_t j, Visit&& visit) const {
        Cover.ForEachCovered(j, visit);
    }
};

// The most entries lists are made with (a gibibyte); past it, walks go through the coverage.
constexpr std::size_t kMostListed = std::size_t{1} << 28;

// Calls use(cover) with the faster of the two views of `coverage`'s covered columns and returns
// what it returns: the coverage itself where every variant of a column is a column (enumerating
// them then wastes nothing) or where the lists would hold more than kMostListed entries, the lists
// otherwise. Throws std::bad_alloc when memory runs out.
template <class Use>
auto WithCoveredLists(const TCoverage& coverage, Use&& use) {
    if (coverage.EveryVariantIsAColumn()) {
        return use(coverage);
    }
    std::size_t entries = 0;
    for (std::size_t k = 0; k < coverage.Count() && entries <= kMostListed; ++k) {
        entries += coverage.CoveredCount(k);
    }
    if (entries > kMostListed) {
        return use(coverage);
    }
    const TCoveredLists lists(coverage, entries);
    return use(lists);
}

}  // namespace kelvo
