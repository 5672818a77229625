// The quicksort of column files in its plain recursive form, and an order that drives it to its
// worst case: the references the collation and the exact sort are held to.
#pragma once

#include <utility>
#include <vector>

namespace kelvo {

// The quicksort in its plain recursive form, as a reference for the order of equal items.
template <class Item, class Compare>
void RecursiveQuickSort(std::vector<Item>& items, int lo, int hi, const Compare& compare) {
    int i = 0;
    do {
        i = lo;
        int j = hi;
        int p = (lo + hi) / 2;
        do {
            while (compare(items[i], items[p]) < 0) {
                ++i;
            }
            while (compare(items[j], items[p]) > 0) {
                --j;
            }
            if (i <= j) {
                std::swap(items[i], items[j]);
                if (p == i) {
                    p = j;
                } else if (p == j) {
                    p = i;
                }
                ++i;
                --j;
            }
        } while (i <= j);
        if (lo < j) {
            RecursiveQuickSort(items, lo, j, compare);
        }
        lo = i;
    } while (i < hi);
}

// An order of 0..count-1 that drives the quicksort to its worst case, one range level per line:
// McIlroy's adversary, which fixes values only when a comparison needs them and then always
// makes the pivot candidate the largest value left, so the left part takes all but the pivot.
inline std::vector<int> QuickSortKiller(int count) {
    constexpr int kUnfixed = -1;
    std::vector<int> value(count, kUnfixed);
    std::vector<int> items(count);
    std::iota(items.begin(), items.end(), 0);
    int nextLargest = count - 1;
    int candidate = 0;
    RecursiveQuickSort(items, 0, count - 1, [&](int x, int y) {
        if (value[x] == kUnfixed && value[y] == kUnfixed) {
            value[x == candidate ? x : y] = nextLargest--;
        }
        if (value[x] == kUnfixed) {
            candidate = x;
        } else if (value[y] == kUnfixed) {
            candidate = y;
        }
        return value[x] - value[y];
    });
    for (int& v : value) {
        if (v == kUnfixed) {
            v = nextLargest--;
        }
    }
    return value;
}

}  // namespace kelvo
