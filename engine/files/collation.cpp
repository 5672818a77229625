#include "files/collation.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <utility>

#include "core/parallel.h"
#include "files/exact_sort.h"

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
// the tree takes over (see RankedOrder). Ordinary orders, many repeated lines included, scan
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

std::vector<std::size_t> SortedOrder(std::span<const std::string_view> lines,
                                     const TProgressCall& progress) {
    TPlacedProgress placed(progress, lines.size());
    TCollated collated = CollationOrder(lines, placed);
    if (collated.CaseVariants) {
        const std::size_t budget =
            kBudgetPerLineAndLevel * lines.size() * std::bit_width(lines.size()) + kBudgetBase;
        collated.Order = RankedOrder(Classes(collated), budget,
                                     [&placed](std::size_t count) { placed.Placed(count); });
    }
    placed.Finished();
    return std::move(collated.Order);
}

}  // namespace kelvo
