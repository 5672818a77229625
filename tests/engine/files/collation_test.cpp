#include "files/collation.h"

#include <pthread.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <limits>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "reference_quicksort.h"
#include "test_support.h"

namespace kelvo {

namespace {

using Lines = std::vector<std::string>;

// `lines` in the order SortedOrder leaves them, which must use each line once.
Lines Sorted(const Lines& lines, const TProgressCall& progress = {}) {
    const std::vector<std::string_view> views(lines.begin(), lines.end());
    const std::vector<std::size_t> order = SortedOrder(views, progress);
    std::vector<std::size_t> used = order;
    std::sort(used.begin(), used.end());
    std::vector<std::size_t> each(lines.size());
    std::iota(each.begin(), each.end(), std::size_t{0});
    EXPECT_EQ(used, each) << "not an order of the lines";
    Lines sorted;
    for (const std::size_t index : order) {
        sorted.push_back(lines[index]);
    }
    return sorted;
}

// `lines` as the recursive quicksort leaves them.
Lines QuickSorted(Lines lines) {
    if (lines.size() >= 2) {
        RecursiveQuickSort(
            lines, 0, static_cast<int>(lines.size()) - 1,
            [](const std::string& a, const std::string& b) { return CompareLines(a, b); });
    }
    return lines;
}

// The six-digit lines of QuickSortKiller(count). Every `variantEvery`-th value (none for 0)
// and the value after it become the same line ending in 'x' and in 'X', lines that compare
// equal but differ in their bytes.
Lines WorstCaseLines(int count, int variantEvery = 0) {
    Lines lines;
    for (const int value : QuickSortKiller(count)) {
        char text[16];
        const bool variant = variantEvery > 0 && value % variantEvery <= 1;
        const int shown = variant ? value - value % variantEvery : value;
        std::snprintf(text, sizeof text, "%06d", shown);
        lines.emplace_back(text);
        if (variant) {
            lines.back() += value % variantEvery == 0 ? 'x' : 'X';
        }
    }
    return lines;
}

// Runs `work` on a thread with a stack of `bytes`.
void OnSmallStack(std::size_t bytes, void (*work)(void*), void* argument) {
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, bytes);
    struct TCall {
        void (*Work)(void*);
        void* Argument;
    } call{work, argument};
    pthread_t thread;
    ASSERT_EQ(pthread_create(
                  &thread, &attributes,
                  [](void* raw) -> void* {
                      auto* handed = static_cast<TCall*>(raw);
                      handed->Work(handed->Argument);
                      return nullptr;
                  },
                  &call),
              0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
}

// `count` lines of `length` bytes drawn from `bytes`.
Lines RandomLines(std::mt19937& random, std::size_t count, std::size_t length,
                  const std::string& bytes) {
    Lines lines(count);
    for (auto& line : lines) {
        line.resize(length);
        for (auto& byte : line) {
            byte = bytes[random() % bytes.size()];
        }
    }
    return lines;
}

// Makes every `every`-th line and the one after it one column that has 'x' in one and 'X' in
// the other at a random position: lines that compare equal but differ in their bytes.
void AddCaseVariants(std::mt19937& random, Lines& columns, std::size_t every) {
    for (std::size_t k = 0; k + 1 < columns.size(); k += every) {
        const std::size_t position = random() % columns[k].size();
        columns[k + 1] = columns[k];
        columns[k][position] = 'x';
        columns[k + 1][position] = 'X';
    }
}

}  // namespace

TEST(collation, order_is_symbols_digits_letters_with_case_ignored) {
    EXPECT_EQ(Sorted({"X", "2", "1", " ", "-", "!", "~", "0"}),
              (Lines{" ", "!", "-", "~", "0", "1", "2", "X"}));
    EXPECT_EQ(Sorted({"b", "A", "c", "B"}).front(), "A");
    EXPECT_LT(CompareLines("2", "x"), 0);
    EXPECT_LT(CompareLines("9", "a"), 0);
    EXPECT_EQ(CompareLines("x", "X"), 0);
    EXPECT_EQ(CompareLines("1x2", "1X2"), 0);
    EXPECT_LT(CompareLines("Z", "\xc3\xb1"), 0);
    EXPECT_LT(CompareLines("\t", "0"), 0);
}

TEST(collation, a_beginning_and_the_empty_line_come_first) {
    EXPECT_LT(CompareLines("", " "), 0);
    EXPECT_LT(CompareLines("1X2", "1x2X"), 0);
    EXPECT_EQ(Sorted({"1x2X", "1X2", ""}), (Lines{"", "1X2", "1x2X"}));
    EXPECT_EQ(Sorted({"1111111111111111X", "1111111111111111", "111111111111111"}),
              (Lines{"111111111111111", "1111111111111111", "1111111111111111X"}));
}

TEST(collation, equal_lines_take_the_order_of_the_exchanges) {
    EXPECT_EQ(Sorted({"1x", "1X"}), (Lines{"1X", "1x"}));
    EXPECT_EQ(Sorted({"1X", "1x"}), (Lines{"1x", "1X"}));
    EXPECT_EQ(Sorted({"X1", "x1", "X1 ", "1", "x1"}), (Lines{"1", "x1", "X1", "x1", "X1 "}));
    EXPECT_EQ(Sorted({"x1", "X1", "x1", "X1", "1x", "1X"}),
              (Lines{"1x", "1X", "X1", "x1", "X1", "x1"}));
}

TEST(collation, random_lines_with_and_without_case_variants_sort_as_the_recursive_quicksort) {
    std::mt19937 random(11);
    std::string everyByte;
    for (int byte = 0; byte < 256; ++byte) {
        everyByte += static_cast<char>(byte);
    }
    // Few signs give many repeated lines; "xX" gives case variants; short lines test beginnings;
    // lines of 16 bytes or more are told apart past their collation key.
    const std::vector<std::string> alphabets = {"12", "1X2", "1xX2", "aAbB", everyByte};
    for (int round = 0; round < 400; ++round) {
        const std::string& alphabet = alphabets[round % alphabets.size()];
        const std::size_t count = random() % (round % 10 == 0 ? 3000 : 200);
        const std::size_t length = 1 + random() % 20;
        Lines lines = RandomLines(random, count, length, alphabet);
        if (round % 3 == 0) {
            for (auto& line : lines) {
                line.resize(random() % (length + 1));
            }
        }
        if (round % 4 == 0) {
            for (auto& line : lines) {
                line.insert(0, "1X21X21X21X21X21X2");
            }
        }
        ASSERT_EQ(Sorted(lines), QuickSorted(lines))
            << "round " << round << ", signs \"" << alphabet.substr(0, 4) << "\"";
    }
}

TEST(collation, inputs_split_over_two_threads_sort_as_the_recursive_quicksort) {
    std::mt19937 random(3);
    Lines columns = RandomLines(random, 100000, 14, "1X2");
    EXPECT_EQ(Sorted(columns), QuickSorted(columns));
    AddCaseVariants(random, columns, 997);
    EXPECT_EQ(Sorted(columns), QuickSorted(columns));
}

TEST(collation, worst_case_order_sorts_on_a_small_stack) {
    // 3000 nested ranges would take a recursive form far past a 64 KiB stack.
    for (const int variantEvery : {0, 100}) {
        Lines lines = WorstCaseLines(3000, variantEvery);
        const Lines expected = QuickSorted(lines);
        OnSmallStack(
            64 << 10,
            [](void* raw) { *static_cast<Lines*>(raw) = Sorted(*static_cast<Lines*>(raw)); },
            &lines);
        EXPECT_EQ(lines, expected) << "case variants every " << variantEvery;
    }
}

TEST(collation, worst_case_order_with_case_variants_sorts_as_the_recursive_quicksort) {
    // Every line has a case variant here, and the exchanges on 4000 nested ranges go far past
    // what the plain quicksort may scan before the tree takes over.
    const Lines lines = WorstCaseLines(4000, 2);
    EXPECT_EQ(Sorted(lines), QuickSorted(lines));
}

TEST(collation, progress_reports_placed_lines_about_every_65536_and_ends_at_one) {
    std::mt19937 random(13);
    Lines columns = RandomLines(random, 200000, 14, "1X2");
    for (const bool caseVariants : {false, true}) {
        if (caseVariants) {
            AddCaseVariants(random, columns, columns.size() / 2);
        }
        std::vector<long long> placed;
        Sorted(columns, [&](double fraction) {
            placed.push_back(std::llround(fraction * static_cast<double>(columns.size())));
        });
        ASSERT_GE(placed.size(), 3u) << "case variants " << caseVariants;
        EXPECT_GE(placed.front(), 65536);
        for (std::size_t k = 1; k + 1 < placed.size(); ++k) {
            EXPECT_GE(placed[k] - placed[k - 1], 65536) << "report " << k;
        }
        EXPECT_GT(placed.back(), placed[placed.size() - 2]);
        EXPECT_EQ(placed.back(), 200000);
    }
    std::vector<double> fractions;
    Sorted({"1", "X"}, [&fractions](double fraction) { fractions.push_back(fraction); });
    EXPECT_EQ(fractions, std::vector<double>{1.0});
}

}  // namespace kelvo
