#include "optimise/indexed_heap.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>
#include <vector>

namespace kelvo {

namespace {

// Members ordered by a key that changes, the lower key first and the lower number on a tie, as
// the search orders its columns by score, age and number.
struct TByKey {
    const std::vector<int>* Keys;
    bool operator()(std::size_t a, std::size_t b) const {
        return std::pair((*Keys)[a], a) < std::pair((*Keys)[b], b);
    }
};

// The same members in a sorted set: the slow reference.
using TReference = std::set<std::pair<int, std::size_t>>;

// Expects the heap to hold exactly the reference's members, with the first of them on top and
// every parent before its children.
void ExpectSameMembers(const TIndexedHeap<TByKey>& heap, const TReference& reference,
                       const std::vector<int>& keys) {
    ASSERT_EQ(heap.Size(), reference.size());
    ASSERT_EQ(heap.Empty(), reference.empty());
    TReference held;
    for (const std::uint32_t k : heap.Members()) {
        held.emplace(keys[k], k);
    }
    ASSERT_EQ(held, reference);
    if (!reference.empty()) {
        ASSERT_EQ(heap.Top(), reference.begin()->second);
    }
    const TByKey before{&keys};
    for (std::size_t index = 1; index < heap.Size(); ++index) {
        ASSERT_FALSE(before(heap.At(index), heap.At((index - 1) / 2))) << index;
    }
    for (std::size_t k = 0; k < keys.size(); ++k) {
        ASSERT_EQ(heap.Contains(k), reference.count({keys[k], k}) == 1) << k;
    }
}

}  // namespace

TEST(indexed_heap, random_pushes_removals_and_key_changes_keep_the_order_of_a_sorted_set) {
    constexpr std::size_t kUniverse = 200;
    std::mt19937 random(29);
    std::vector<int> keys(kUniverse);
    for (int& key : keys) {
        // Few distinct keys, so that ties are common and the number decides them.
        key = static_cast<int>(random() % 20);
    }
    TIndexedHeap<TByKey> heap(kUniverse, TByKey{&keys});
    TReference reference;
    for (int round = 0; round < 20000; ++round) {
        const std::size_t k = random() % kUniverse;
        const unsigned action = random() % 4;
        if (!heap.Contains(k)) {
            heap.Push(k);
            reference.emplace(keys[k], k);
        } else if (action == 0) {
            heap.Erase(k);
            reference.erase({keys[k], k});
        } else if (action == 1) {
            heap.Erase(heap.Top());
            reference.erase(reference.begin());
        } else {
            reference.erase({keys[k], k});
            keys[k] = static_cast<int>(random() % 20) - (action == 2 ? 10 : 0);
            reference.emplace(keys[k], k);
            heap.Update(k);
        }
        ExpectSameMembers(heap, reference, keys);
    }
}

TEST(indexed_heap, taking_the_top_until_empty_gives_every_member_in_order) {
    std::vector<int> keys = {5, 3, 3, 9, 1, 5, 0, 7};
    TIndexedHeap<TByKey> heap(keys.size(), TByKey{&keys});
    for (std::size_t k = 0; k < keys.size(); ++k) {
        heap.Push(k);
    }
    // Member 3 rises to the top and member 6 sinks to the bottom.
    keys[3] = -1;
    heap.Update(3);
    keys[6] = 8;
    heap.Update(6);
    std::vector<std::size_t> taken;
    while (!heap.Empty()) {
        taken.push_back(heap.Top());
        heap.Erase(heap.Top());
    }
    EXPECT_EQ(taken, (std::vector<std::size_t>{3, 4, 1, 2, 0, 5, 7, 6}));
    EXPECT_FALSE(heap.Contains(3));
}

}  // namespace kelvo
