#include "reduce/greedy.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>

#include "core/large_buffer.h"
#include "reduce/development_balls.h"

namespace kelvo {

namespace {

// The counts are scanned in runs of this many columns, each with a bound on its counts, so that a
// pass skips the runs that hold no column at its target.
constexpr std::size_t kRunLength = 64;

// Lowers `counts` by the columns `newly` covers, which must be in ascending order, at once: the
// covered columns of one block lower each block within the radius of theirs in turn, while those
// counts stay in cache. Returns how many counts it lowered; `lows` is room for the numbers of
// one block's covered columns within it.
template <class TCount>
std::uint64_t LowerAtOnce(const TDevelopmentBalls& balls, std::span<const TNewlyCovered> newly,
                          std::vector<TCount>& counts, std::vector<std::uint16_t>& lows) {
    std::uint64_t lowered = 0;
    for (std::size_t first = 0; first < newly.size();) {
        const std::uint64_t block = balls.BlockOf(newly[first].Column);
        lows.clear();
        std::size_t last = first;
        for (; last < newly.size() && balls.BlockOf(newly[last].Column) == block; ++last) {
            lows.push_back(balls.LowOf(newly[last].Column));
        }
        const TNewlyCovered* group = newly.data() + first;
        balls.ForEachBlockWithin(block, [&](std::uint64_t target, int highDistance) {
            balls.ForEachHolderIn(
                target, highDistance, lows, [&](std::size_t holder, std::size_t i) {
                    counts[holder] = static_cast<TCount>(counts[holder] - group[i].Records);
                    ++lowered;
                });
        });
        first = last;
    }
    return lowered;
}

// The largest radius whose lowering is put off. Beyond it a block reaches hundreds of others
// (379 at radius 3 in all 3^14), and reading back that many short lists of covered columns from
// memory for each block cost more than the cached counts saved: the plain run of all 3^14 at
// guarantee 11 took 15.0 s put off, where lowering at once took 13.5 s, while at 12 put off took
// 3.7 s against 5.7 s.
constexpr int kMostDeferredRadius = 2;

// The lowering of the counts of a full development, put off block by block until a pass reads the
// block. A choice newly covers columns whose balls reach hundreds of blocks, and lowering them at
// once fetched the counts of each of those blocks from memory again for every choice; put off,
// a block's counts are lowered by all the columns covered since it was last read, while they stay
// in cache. Counts only fall, so a bound taken before the lowering still holds.
template <class TCount>
class TDeferredLowering {
public:
    // For the counts `counts` of the development of `balls`, which both must outlive this; with
    // `oneRecordEach`, every column is held by one record.
    TDeferredLowering(const TDevelopmentBalls& balls, std::vector<TCount>& counts,
                      bool oneRecordEach)
        : balls_(balls),
          counts_(counts),
          oneRecordEach_(oneRecordEach),
          lowsIn_(balls.Blocks()),
          recordsIn_(oneRecordEach ? 0 : balls.Blocks()),
          firstNeighbour_(balls.Blocks() + 1, 0),
          stale_(balls.Blocks(), 0),
          markedAt_(balls.Blocks(), 0) {
        for (std::uint64_t block = 0; block < balls.Blocks(); ++block) {
            balls.ForEachBlockWithin(block, [&](std::uint64_t neighbour, int highDistance) {
                neighbours_.push_back({static_cast<std::uint32_t>(neighbour), highDistance, 0});
            });
            firstNeighbour_[block + 1] = neighbours_.size();
        }
    }

    // Puts off the lowering by `newly`, the columns one choice newly covered.
    void Add(std::span<const TNewlyCovered> newly) {
        ++choices_;
        for (const TNewlyCovered& column : newly) {
            const std::uint64_t block = balls_.BlockOf(column.Column);
            lowsIn_[block].push_back(balls_.LowOf(column.Column));
            if (!oneRecordEach_) {
                recordsIn_[block].push_back(column.Records);
            }
            if (markedAt_[block] != choices_) {
                markedAt_[block] = choices_;
                // Being within the radius is symmetric: the blocks this one reaches reach it.
                for (std::size_t n = firstNeighbour_[block]; n < firstNeighbour_[block + 1]; ++n) {
                    stale_[neighbours_[n].Block] = 1;
                }
            }
        }
    }

    // Lowers the counts of the blocks holding columns first..end - 1 by every column covered since
    // they were last lowered; returns how many counts it lowered.
    std::uint64_t Settle(std::size_t first, std::size_t end) {
        std::uint64_t lowered = 0;
        for (std::uint64_t block = balls_.BlockOf(first); block <= balls_.BlockOf(end - 1);
             ++block) {
            lowered += SettleBlock(block);
        }
        return lowered;
    }

private:
    // Settle for the one block `block`.
    std::uint64_t SettleBlock(std::uint64_t block) {
        if (!stale_[block]) {
            return 0;
        }
        stale_[block] = 0;
        std::uint64_t lowered = 0;
        for (std::size_t n = firstNeighbour_[block]; n < firstNeighbour_[block + 1]; ++n) {
            TNeighbour& neighbour = neighbours_[n];
            const std::vector<std::uint16_t>& lows = lowsIn_[neighbour.Block];
            if (neighbour.Lowered == lows.size()) {
                continue;
            }
            const auto pending = std::span(lows).subspan(neighbour.Lowered);
            if (oneRecordEach_) {
                balls_.ForEachHolderIn(block, neighbour.HighDistance, pending,
                                       [&](std::size_t holder, std::size_t) {
                                           --counts_[holder];
                                           ++lowered;
                                       });
            } else {
                const std::int32_t* records =
                    recordsIn_[neighbour.Block].data() + neighbour.Lowered;
                balls_.ForEachHolderIn(
                    block, neighbour.HighDistance, pending, [&](std::size_t holder, std::size_t i) {
                        counts_[holder] = static_cast<TCount>(counts_[holder] - records[i]);
                        ++lowered;
                    });
            }
            neighbour.Lowered = lows.size();
        }
        return lowered;
    }

    // A block within the radius of another, and how many of its covered columns that other one's
    // counts have been lowered by.
    struct TNeighbour {
        std::uint32_t Block;
        int HighDistance;
        std::size_t Lowered;
    };

    const TDevelopmentBalls& balls_;
    std::vector<TCount>& counts_;
    bool oneRecordEach_;
    // The covered columns of each block, by their numbers within it, in the order they were
    // covered, and unless each column has one record, their records.
    std::vector<std::vector<std::uint16_t>> lowsIn_;
    std::vector<std::vector<std::int32_t>> recordsIn_;
    // The neighbours of block b are neighbours_[firstNeighbour_[b] .. firstNeighbour_[b + 1]).
    std::vector<std::size_t> firstNeighbour_;
    std::vector<TNeighbour> neighbours_;
    // Whether a block's counts wait for a lowering, a byte each, as Add sets hundreds at a time.
    std::vector<std::uint8_t> stale_;
    // The choice that last put off a lowering from each block, so that Add marks its neighbours
    // once per choice.
    std::vector<std::uint64_t> markedAt_;
    std::uint64_t choices_ = 0;
};

// The passes, with each count held in `TCount`, which must hold the longest list: the smaller the
// counts, the more of them stay in the processor's caches while the selection updates them in
// no particular order.
template <class TCount>
std::vector<TKey> Select(const TNeighbourhood& neighbourhood, TProgressSink* progress) {
    const TCoverage& coverage = neighbourhood.Coverage;
    const std::size_t count = coverage.Count();
    const auto allRecords = static_cast<std::int64_t>(coverage.Given());
    std::int64_t uncoveredRecords = allRecords;
    // Most files hold each column once; then no count of occurrences needs reading.
    const bool oneRecordEach = coverage.AllDistinct();
    const double toFraction = allRecords > 0 ? 1.0 / static_cast<double>(allRecords) : 0;

    // Each record's count of uncovered neighbours, kept up to date as records get covered. Records
    // of one column share their count, so only the first of them can ever be chosen: once it is,
    // the count of all of them is 0, and while it is not, theirs is below the target too. The
    // relation is symmetric, so the columns whose lists hold a newly covered column are the
    // columns it covers itself.
    std::vector<TCount> uncovered;
    ReserveLarge(uncovered, count);
    uncovered.assign(neighbourhood.ListLength.begin(), neighbourhood.ListLength.end());
    std::vector<bool> covered(count, false);
    std::vector<TKey> chosen;
    TPacedProgress pump(progress, kSelectingPhase);

    std::vector<TNewlyCovered> newly;
    const std::optional<TDevelopmentBalls> balls =
        coverage.EveryVariantIsAColumn()
            ? std::optional<TDevelopmentBalls>(std::in_place, coverage.Census(), coverage.Radius())
            : std::nullopt;
    std::optional<TDeferredLowering<TCount>> deferred;
    if (balls && coverage.Radius() <= kMostDeferredRadius) {
        deferred.emplace(*balls, uncovered, oneRecordEach);
    }
    std::vector<std::uint16_t> lows;
    // Brings the counts of columns first..end - 1 up to date.
    const auto settle = [&](std::size_t first, std::size_t end) {
        if (deferred) {
            pump.Work(deferred->Settle(first, end));
        }
    };
    const auto choose = [&](std::size_t k) {
        chosen.push_back(coverage.Column(k));
        newly.clear();
        coverage.ForEachCovered(k, [&](std::size_t j) {
            if (!covered[j]) {
                covered[j] = true;
                newly.push_back(
                    {static_cast<std::uint32_t>(j), oneRecordEach ? 1 : coverage.Occurrences(j)});
                uncoveredRecords -= newly.back().Records;
            }
        });
        std::uint64_t work = newly.size();
        if (deferred) {
            deferred->Add(newly);
        } else if (balls) {
            std::sort(
                newly.begin(), newly.end(),
                [](const TNewlyCovered& a, const TNewlyCovered& b) { return a.Column < b.Column; });
            work += LowerAtOnce(*balls, newly, uncovered, lows);
        } else {
            for (const TNewlyCovered& column : newly) {
                coverage.ForEachCovered(column.Column, [&](std::size_t holder) {
                    uncovered[holder] = static_cast<TCount>(uncovered[holder] - column.Records);
                    ++work;
                });
            }
        }
        pump.SetProgress(static_cast<double>(allRecords - uncoveredRecords) * toFraction);
        pump.Work(work);
    };

    // A bound on the counts of each run: counts only fall, so a bound once taken holds, and a pass
    // passes over every run whose bound lies below its target.
    std::vector<TCount> runBound((count + kRunLength - 1) / kRunLength, 0);
    for (std::size_t k = 0; k < count; ++k) {
        runBound[k / kRunLength] = std::max(runBound[k / kRunLength], uncovered[k]);
    }
    for (auto target = static_cast<TCount>(neighbourhood.Longest); target > 0;) {
        pump.Now();
        for (std::size_t run = 0; run < runBound.size(); ++run) {
            if (runBound[run] < target) {
                continue;
            }
            const std::size_t end = std::min(count, (run + 1) * kRunLength);
            settle(run * kRunLength, end);
            for (std::size_t k = run * kRunLength; k < end; ++k) {
                if (uncovered[k] == target) {
                    choose(k);
                    settle(k, end);
                }
            }
            runBound[run] =
                *std::max_element(uncovered.begin() + run * kRunLength, uncovered.begin() + end);
            pump.Work(kRunLength);
        }
        if (uncoveredRecords == 0) {
            break;
        }
        // Every count is now below the target. A pass whose target lies above every count left
        // would choose nothing: go straight to the highest bound, which is at least every count.
        const TCount highest = *std::max_element(runBound.begin(), runBound.end());
        target = std::min(static_cast<TCount>(target - 1), highest);
    }
    return chosen;
}

}  // namespace

std::vector<TKey> SelectGreedyCover(const TNeighbourhood& neighbourhood, TProgressSink* progress) {
    if (progress != nullptr) {
        progress->BeginPhase(kSelectingPhase);
    }
    if (neighbourhood.Longest <= std::numeric_limits<std::uint8_t>::max()) {
        return Select<std::uint8_t>(neighbourhood, progress);
    }
    if (neighbourhood.Longest <= std::numeric_limits<std::uint16_t>::max()) {
        return Select<std::uint16_t>(neighbourhood, progress);
    }
    return Select<std::int32_t>(neighbourhood, progress);
}

}  // namespace kelvo
