#include "files/exact_sort.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <numeric>
#include <optional>
#include <utility>

namespace kelvo {

namespace {

// The scans of a partition, one rank at a time: the cheapest per step, but every partition
// scans its whole range, which an adversarial order makes quadratic.
class TPlainScan {
public:
    explicit TPlainScan(std::vector<std::size_t>& ranks) : ranks_(ranks) {}

    std::size_t FirstAtLeast(std::size_t at, std::size_t rank) const {
        while (ranks_[at] < rank) {
            ++at;
        }
        return at;
    }
    std::size_t LastAtMost(std::size_t at, std::size_t rank) const {
        while (ranks_[at] > rank) {
            --at;
        }
        return at;
    }
    void Exchange(std::size_t a, std::size_t b) { std::swap(ranks_[a], ranks_[b]); }

private:
    std::vector<std::size_t>& ranks_;
};

// The same scans in O(log n) whatever the order: the least and greatest rank of each block of
// kBlock positions, and of each run of blocks in a binary tree above them. A scan looks through
// the rest of its block, then climbs to the first run of blocks that holds where it stops and
// descends to that block. The quicksort's scans never leave their range (the first ones stop at
// the pivot at the latest, later ones at the line the last exchange left behind them), so the
// searches need no bounds.
class TRankTree {
public:
    explicit TRankTree(std::vector<std::size_t>& ranks)
        : ranks_(ranks),
          leaves_(std::bit_ceil((ranks.size() + kBlock - 1) / kBlock)),
          nodes_(2 * leaves_, TBounds{std::numeric_limits<std::size_t>::max(), 0}) {
        for (std::size_t block = 0; block * kBlock < ranks_.size(); ++block) {
            nodes_[leaves_ + block] = BlockBounds(block);
        }
        for (std::size_t node = leaves_ - 1; node >= 1; --node) {
            nodes_[node] = Joined(nodes_[2 * node], nodes_[2 * node + 1]);
        }
    }

    std::size_t FirstAtLeast(std::size_t at, std::size_t rank) const {
        const std::size_t blockEnd = std::min(ranks_.size(), (at / kBlock + 1) * kBlock);
        for (; at < blockEnd; ++at) {
            if (ranks_[at] >= rank) {
                return at;
            }
        }
        std::size_t node = leaves_ + at / kBlock;
        while (nodes_[node].Greatest < rank) {
            while (node % 2 == 1) {
                node /= 2;
            }
            ++node;
        }
        while (node < leaves_) {
            node *= 2;
            if (nodes_[node].Greatest < rank) {
                ++node;
            }
        }
        at = (node - leaves_) * kBlock;
        while (ranks_[at] < rank) {
            ++at;
        }
        return at;
    }

    std::size_t LastAtMost(std::size_t at, std::size_t rank) const {
        const std::size_t blockBegin = at / kBlock * kBlock;
        for (;; --at) {
            if (ranks_[at] <= rank) {
                return at;
            }
            if (at == blockBegin) {
                break;
            }
        }
        std::size_t node = leaves_ + at / kBlock - 1;
        while (nodes_[node].Least > rank) {
            while (node % 2 == 0) {
                node /= 2;
            }
            --node;
        }
        while (node < leaves_) {
            node = 2 * node + 1;
            if (nodes_[node].Least > rank) {
                --node;
            }
        }
        // Only the last block may be short, and this one lies before another.
        at = (node - leaves_) * kBlock + kBlock - 1;
        while (ranks_[at] > rank) {
            --at;
        }
        return at;
    }

    void Exchange(std::size_t a, std::size_t b) {
        std::swap(ranks_[a], ranks_[b]);
        if (a / kBlock != b / kBlock) {
            Refresh(a / kBlock);
            Refresh(b / kBlock);
        }
    }

private:
    // Short enough to look through at the cost of a step or two of the tree.
    static constexpr std::size_t kBlock = 16;

    struct TBounds {
        std::size_t Least;
        std::size_t Greatest;
        friend bool operator==(const TBounds&, const TBounds&) = default;
    };

    static TBounds Joined(const TBounds& a, const TBounds& b) {
        return {std::min(a.Least, b.Least), std::max(a.Greatest, b.Greatest)};
    }

    TBounds BlockBounds(std::size_t block) const {
        const std::size_t from = block * kBlock;
        const std::size_t to = std::min(ranks_.size(), from + kBlock);
        const auto [least, greatest] =
            std::minmax_element(ranks_.begin() + static_cast<std::ptrdiff_t>(from),
                                ranks_.begin() + static_cast<std::ptrdiff_t>(to));
        return {*least, *greatest};
    }

    // The runs above a block whose bounds did not change are still right, so the climb stops
    // there.
    void Refresh(std::size_t block) {
        std::size_t node = leaves_ + block;
        nodes_[node] = BlockBounds(block);
        for (node /= 2; node >= 1; node /= 2) {
            const TBounds joined = Joined(nodes_[2 * node], nodes_[2 * node + 1]);
            if (joined == nodes_[node]) {
                break;
            }
            nodes_[node] = joined;
        }
    }

    std::vector<std::size_t>& ranks_;
    std::size_t leaves_;
    // Node 1 covers every block, node k the blocks of nodes 2k and 2k + 1, node leaves_ + b
    // block b; leaves past the last block hold bounds that leave any join unchanged.
    std::vector<TBounds> nodes_;
};

// One partition of [from, to] around `pivot`, the rank of its middle line, with the quicksort's
// exchanges found by `scan`. The pivot line keeps its rank through the exchanges, so the scans
// compare with that rank and need not follow the pivot's index. Returns where i and j stop;
// they may step one past the range ends, so they are signed.
template <class TScan>
std::pair<std::ptrdiff_t, std::ptrdiff_t> Partition(TScan& scan, std::vector<std::size_t>& order,
                                                    std::size_t from, std::size_t to,
                                                    std::size_t pivot) {
    const auto at = [](std::ptrdiff_t position) { return static_cast<std::size_t>(position); };
    std::ptrdiff_t i = static_cast<std::ptrdiff_t>(from);
    std::ptrdiff_t j = static_cast<std::ptrdiff_t>(to);
    do {
        i = static_cast<std::ptrdiff_t>(scan.FirstAtLeast(at(i), pivot));
        j = static_cast<std::ptrdiff_t>(scan.LastAtMost(at(j), pivot));
        if (i <= j) {
            scan.Exchange(at(i), at(j));
            std::swap(order[at(i)], order[at(j)]);
            ++i;
            --j;
        }
    } while (i <= j);
    return {i, j};
}

// Every exchange moves i up and j down and leaves a line on each side that the scans stop at, so
// a partition makes at most one exchange more than its smaller part has lines: O(n log n)
// exchanges in all, and on the tree O(n log^2 n) work for any order. Partitions of disjoint ranges
// touch disjoint lines, so the tree can take over between any two of them.
std::vector<std::size_t> ExactOrder(std::span<const std::size_t> ranks, std::size_t budget,
                                    const TPlacedCall& placedLines) {
    const std::size_t count = ranks.size();
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::vector<std::size_t> current(ranks.begin(), ranks.end());
    TPlainScan plain(current);
    std::optional<TRankTree> tree;
    // The left part is sorted before the right part continues, as the classic recursive form
    // does; the pending right parts wait here, so the call stack stays flat whatever the input.
    std::vector<std::pair<std::size_t, std::size_t>> pending;
    if (count >= 2) {
        pending.emplace_back(0, count - 1);
    }
    // Lines that no later exchange can move: those between the two parts of a split, and parts
    // of one line.
    std::size_t placed = 0;
    while (!pending.empty()) {
        const auto [from, to] = pending.back();
        pending.pop_back();
        const std::size_t size = to - from + 1;
        if (!tree) {
            if (size > budget) {
                tree.emplace(current);
            } else {
                budget -= size;
            }
        }
        const std::size_t pivot = current[from + (to - from) / 2];
        const auto [i, j] = tree ? Partition(*tree, order, from, to, pivot)
                                 : Partition(plain, order, from, to, pivot);
        // Pushed first so that it runs after the whole left part.
        if (i < static_cast<std::ptrdiff_t>(to)) {
            pending.emplace_back(static_cast<std::size_t>(i), to);
        }
        if (static_cast<std::ptrdiff_t>(from) < j) {
            pending.emplace_back(from, static_cast<std::size_t>(j));
        }
        placed += static_cast<std::size_t>(i - j - 1) +
                  (i == static_cast<std::ptrdiff_t>(to) ? 1 : 0) +
                  (j == static_cast<std::ptrdiff_t>(from) ? 1 : 0);
        if (placedLines) {
            placedLines(placed);
        }
    }
    return order;
}

}  // namespace

std::vector<std::size_t> RankedOrder(std::span<const std::size_t> ranks, std::size_t budget,
                                     const TPlacedCall& placed) {
    return ExactOrder(ranks, budget, placed);
}

}  // namespace kelvo
