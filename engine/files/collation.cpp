#include "files/collation.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <limits>
#include <numeric>
#include <optional>
#include <utility>

#include "core/parallel.h"

namespace kelvo {

namespace {

// Collation weight of each byte; comparing two lines is comparing their weight strings, and a
// line that is the beginning of a longer one comes first. The order is fixed and independent of
// the process locale:
//   weights   0-65   bytes 0-127 that are neither digits nor letters (control bytes, the blank,
//                    punctuation and other symbols), in byte order;
//   weights  66-75   the digits 0-9, in numeric order;
//   weights  76-101  the letters A-Z, each equal to its lower-case letter;
//   weights 102-229  bytes 128-255, after Z, in byte order.
constexpr std::array<std::uint8_t, 256> MakeWeights() {
    std::array<std::uint8_t, 256> weight{};
    std::uint8_t next = 0;
    for (int b = 0; b < 128; ++b) {
        const bool digit = b >= '0' && b <= '9';
        const bool letter = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
        if (!digit && !letter) {
            weight[b] = next++;
        }
    }
    for (int b = '0'; b <= '9'; ++b) {
        weight[b] = next++;
    }
    for (int b = 'A'; b <= 'Z'; ++b) {
        weight[b] = next;
        weight[b - 'A' + 'a'] = next;
        ++next;
    }
    for (int b = 128; b < 256; ++b) {
        weight[b] = next++;
    }
    return weight;
}

constexpr std::array<std::uint8_t, 256> kWeight = MakeWeights();

// Lines placed between two progress reports.
constexpr std::size_t kProgressStep = 1 << 16;

// Above this many lines the collation sort splits its work over two threads; a column file
// within the usual limit of 7000 lines sorts in well under a millisecond on one.
constexpr std::size_t kParallelLines = 1 << 16;

// How many lines the plain quicksort may scan, per line and level of a balanced split, before
// the tree takes over (see ExactOrder). Ordinary orders, many repeated lines included, scan
// under 1.5 per line and level; quadratic ones, McIlroy's adversary or lines that rise to the
// middle and fall back, scan a fixed fraction of all lines per line.
constexpr std::size_t kBudgetPerLineAndLevel = 4;
// Spares small inputs, whose quadratic cases cost nothing, the building of a tree.
constexpr std::size_t kBudgetBase = 1 << 12;

// Reports the fraction of lines placed, never going back: the collation sort places every line
// once, and when case variants turn up the exact quicksort places them all again.
class TPlacedProgress {
public:
    TPlacedProgress(const TProgressCall& call, std::size_t total) : call_(call), total_(total) {}

    // Reports `placed` lines when that is a step beyond the last report.
    void Placed(std::size_t placed) {
        if (call_ && placed >= next_) {
            Report(placed);
        }
    }

    // Reports every line placed, unless the last report did.
    void Finished() {
        if (call_ && reported_ < total_) {
            Report(total_);
        }
    }

private:
    void Report(std::size_t placed) {
        call_(static_cast<double>(placed) / static_cast<double>(total_));
        reported_ = placed;
        next_ = placed + kProgressStep;
    }

    const TProgressCall& call_;
    std::size_t total_;
    std::size_t reported_ = 0;
    std::size_t next_ = kProgressStep;
};

// Bytes of a line that its collation key holds.
constexpr std::size_t kKeyBytes = 16;

// A line and the weights of its first kKeyBytes bytes, each raised by one so that 0 stands for
// "the line has ended", packed first byte highest: comparing the two words as integers compares
// the beginnings of the lines, a shorter beginning first, without touching the lines.
struct TKeyedLine {
    std::uint64_t High = 0;
    std::uint64_t Low = 0;
    std::size_t Index = 0;
};

TKeyedLine KeyedLine(std::string_view line, std::size_t index) {
    TKeyedLine keyed{0, 0, index};
    const std::size_t length = std::min(line.size(), kKeyBytes);
    for (std::size_t k = 0; k < length; ++k) {
        const std::uint64_t weight = kWeight[static_cast<unsigned char>(line[k])] + 1u;
        std::uint64_t& word = k < 8 ? keyed.High : keyed.Low;
        word |= weight << (56 - 8 * (k % 8));
    }
    return keyed;
}

// The sign of CompareLines of the two lines. Equal keys whose last byte is set belong to lines
// of kKeyBytes bytes or more, which the rest of the lines decides.
int CompareKeyed(const TKeyedLine& a, const TKeyedLine& b,
                 std::span<const std::string_view> lines) {
    if (a.High != b.High) {
        return a.High < b.High ? -1 : 1;
    }
    if (a.Low != b.Low) {
        return a.Low < b.Low ? -1 : 1;
    }
    if ((a.Low & 0xff) == 0) {
        return 0;
    }
    return CompareLines(lines[a.Index].substr(kKeyBytes), lines[b.Index].substr(kKeyBytes));
}

// An order of lines by the collation alone. Lines that compare equal and are byte for byte the
// same cannot be told apart in the rewritten file, so any such order is the quicksort's unless
// `CaseVariants`: two lines compare equal but differ in their bytes.
struct TCollated {
    std::vector<std::size_t> Order;
    // 1 where the line compares greater than the one before it, else 0.
    std::vector<std::uint8_t> Rises;
    bool CaseVariants = false;
};

// The two halves of a large input are sorted on two threads and merged on the calling thread,
// the one that may report progress. The merge places lines in their final positions, unless
// case variants turn up.
TCollated CollationOrder(std::span<const std::string_view> lines, TPlacedProgress& progress) {
    const std::size_t count = lines.size();
    std::vector<TKeyedLine> keyed(count);
    const auto before = [lines](const TKeyedLine& a, const TKeyedLine& b) {
        return CompareKeyed(a, b, lines) < 0;
    };
    const auto sortPart = [&keyed, lines, before](std::size_t from, std::size_t to) {
        for (std::size_t k = from; k < to; ++k) {
            keyed[k] = KeyedLine(lines[k], k);
        }
        std::sort(keyed.data() + from, keyed.data() + to, before);
    };
    const std::size_t half = count > kParallelLines ? count / 2 : count;
    RunInParallel(half < count ? 2 : 1,
                  [&](std::size_t part) { part == 0 ? sortPart(0, half) : sortPart(half, count); });
    TCollated collated{std::vector<std::size_t>(count), std::vector<std::uint8_t>(count), false};
    const TKeyedLine* left = keyed.data();
    const TKeyedLine* const leftEnd = left + half;
    const TKeyedLine* right = leftEnd;
    const TKeyedLine* const rightEnd = keyed.data() + count;
    const TKeyedLine* previous = nullptr;
    for (std::size_t k = 0; k < count; ++k) {
        const TKeyedLine* next =
            right != rightEnd && (left == leftEnd || before(*right, *left)) ? right++ : left++;
        const bool rises = previous && CompareKeyed(*previous, *next, lines) != 0;
        if (previous && !rises && lines[previous->Index] != lines[next->Index]) {
            collated.CaseVariants = true;
        }
        collated.Order[k] = next->Index;
        collated.Rises[k] = rises ? 1 : 0;
        previous = next;
        if (!collated.CaseVariants) {
            progress.Placed(k + 1);
        }
    }
    return collated;
}

// For each line, its class among lines that compare equal, the classes numbered in collation
// order: the quicksort compares classes exactly as it compares lines, at the cost of integers.
// The marks of the merge give them without touching a line again.
std::vector<std::size_t> Classes(const TCollated& collated) {
    std::vector<std::size_t> classes(collated.Order.size());
    std::size_t current = 0;
    for (std::size_t k = 0; k < collated.Order.size(); ++k) {
        current += collated.Rises[k];
        classes[collated.Order[k]] = current;
    }
    return classes;
}

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
                                    TPlacedProgress& progress) {
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
        progress.Placed(placed);
    }
    return order;
}

}  // namespace

int CompareLines(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t k = 0; k < common; ++k) {
        const int wa = kWeight[static_cast<unsigned char>(a[k])];
        const int wb = kWeight[static_cast<unsigned char>(b[k])];
        if (wa != wb) {
            return wa - wb;
        }
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

std::vector<std::size_t> RankedOrder(std::span<const std::size_t> ranks, std::size_t budget) {
    const TProgressCall unreported;
    TPlacedProgress progress(unreported, ranks.size());
    return ExactOrder(ranks, budget, progress);
}

std::vector<std::size_t> SortedOrder(std::span<const std::string_view> lines,
                                     const TProgressCall& progress) {
    TPlacedProgress placed(progress, lines.size());
    TCollated collated = CollationOrder(lines, placed);
    if (collated.CaseVariants) {
        const std::size_t budget =
            kBudgetPerLineAndLevel * lines.size() * std::bit_width(lines.size()) + kBudgetBase;
        collated.Order = ExactOrder(Classes(collated), budget, placed);
    }
    placed.Finished();
    return std::move(collated.Order);
}

}  // namespace kelvo
