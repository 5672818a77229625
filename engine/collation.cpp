#include "collation.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <numeric>
#include <utility>

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

// Lines sorted between two progress reports.
constexpr std::size_t kProgressStep = 1 << 16;

// The exchange sequence of this quicksort (middle pivot, the pivot index following the pivot
// line through exchanges) decides the order of lines that compare equal but differ in their
// bytes, and that order is part of the rewritten file. The left part is sorted before the right
// part continues, as the classic recursive form does; the pending right parts wait on an
// explicit stack, so the call stack stays flat whatever the input.
void QuickSort(std::vector<std::size_t>& order, std::span<const std::string_view> lines,
               std::size_t lo, std::size_t hi, const TProgressCall& progress) {
    const auto compare = [&](std::ptrdiff_t a, std::ptrdiff_t b) {
        return CompareLines(lines[order[static_cast<std::size_t>(a)]],
                            lines[order[static_cast<std::size_t>(b)]]);
    };
    std::vector<std::pair<std::size_t, std::size_t>> pending{{lo, hi}};
    // Lines that no later exchange can move: those between the two parts of a split, and parts
    // of one line.
    const double total = static_cast<double>(hi - lo + 1);
    std::size_t placed = 0;
    std::size_t nextReport = 0;
    while (!pending.empty()) {
        const auto [from, to] = pending.back();
        pending.pop_back();
        // i and j may step one past the range ends, so they are signed.
        std::ptrdiff_t i = static_cast<std::ptrdiff_t>(from);
        std::ptrdiff_t j = static_cast<std::ptrdiff_t>(to);
        std::ptrdiff_t p = static_cast<std::ptrdiff_t>(from + (to - from) / 2);
        do {
            while (compare(i, p) < 0) {
                ++i;
            }
            while (compare(j, p) > 0) {
                --j;
            }
            if (i <= j) {
                std::swap(order[static_cast<std::size_t>(i)], order[static_cast<std::size_t>(j)]);
                if (p == i) {
                    p = j;
                } else if (p == j) {
                    p = i;
                }
                ++i;
                --j;
            }
        } while (i <= j);
        // Pushed first so that it runs after the whole left part.
        if (i < static_cast<std::ptrdiff_t>(to)) {
            pending.emplace_back(static_cast<std::size_t>(i), to);
        }
        if (static_cast<std::ptrdiff_t>(from) < j) {
            pending.emplace_back(from, static_cast<std::size_t>(j));
        }
        if (progress) {
            placed += static_cast<std::size_t>(i - j - 1) +
                      (i == static_cast<std::ptrdiff_t>(to) ? 1 : 0) +
                      (j == static_cast<std::ptrdiff_t>(from) ? 1 : 0);
            if (placed >= nextReport) {
                progress(static_cast<double>(placed) / total);
                nextReport = placed + kProgressStep;
            }
        }
    }
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
    std::vector<std::size_t> order(lines.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    if (lines.size() >= 2) {
        QuickSort(order, lines, 0, lines.size() - 1, progress);
    }
    return order;
}
