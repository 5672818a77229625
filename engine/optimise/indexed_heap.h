// A binary heap of column numbers that knows where each member sits, so that a member whose
// standing changes can be re-placed or taken out without a search.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kelvo {

// Column numbers below a fixed universe in a binary heap ordered by `TBefore`: before(a, b) is
// true when a belongs nearer the top than b, and must be a strict total order while the heap
// holds both. The standing of a member may change, one member at a time, as long as Update is
// called for it before the heap is used again. Every operation but the constructor is O(log n)
// at most and throws nothing but std::bad_alloc from Push.
template <class TBefore>
class TIndexedHeap {
public:
    // An empty heap for the numbers below `universe`. Throws std::bad_alloc when memory runs out.
    TIndexedHeap(std::size_t universe, TBefore before)
        : where_(universe, kAbsent), before_(before) {}

    bool Empty() const { return heap_.empty(); }
    std::size_t Size() const { return heap_.size(); }
    bool Contains(std::size_t k) const { return where_[k] != kAbsent; }
    // The member that comes before every other. The heap must not be empty.
    std::size_t Top() const { return heap_.front(); }
    // The member at `index` of the heap's array: 0 is the top, 2i + 1 and 2i + 2 the children of
    // index i. `index` must be below Size().
    std::size_t At(std::size_t index) const { return heap_[index]; }
    // Every member, in the order of the heap's array.
    std::span<const std::uint32_t> Members() const { return heap_; }

    // Adds `k`, which must not be a member.
    void Push(std::size_t k) {
        heap_.push_back(0);
        Place(heap_.size() - 1, static_cast<std::uint32_t>(k));
        SiftUp(heap_.size() - 1);
    }

    // Takes out `k`, which must be a member.
    void Erase(std::size_t k) {
        const auto index = static_cast<std::size_t>(where_[k]);
        const std::uint32_t last = heap_.back();
        heap_.pop_back();
        where_[k] = kAbsent;
        if (index < heap_.size()) {
            Place(index, last);
            SiftUp(index);
            SiftDown(static_cast<std::size_t>(where_[last]));
        }
    }

    // Re-places `k`, a member whose standing may have changed.
    void Update(std::size_t k) {
        SiftUp(static_cast<std::size_t>(where_[k]));
        SiftDown(static_cast<std::size_t>(where_[k]));
    }

private:
    static constexpr std::int32_t kAbsent = -1;

    void Place(std::size_t index, std::uint32_t k) {
        heap_[index] = k;
        where_[k] = static_cast<std::int32_t>(index);
    }

    void SiftUp(std::size_t index) {
        const std::uint32_t k = heap_[index];
        while (index > 0) {
            const std::size_t parent = (index - 1) / 2;
            if (!before_(k, heap_[parent])) {
                break;
            }
            Place(index, heap_[parent]);
            index = parent;
        }
        Place(index, k);
    }

    void SiftDown(std::size_t index) {
        const std::uint32_t k = heap_[index];
        for (;;) {
            std::size_t child = 2 * index + 1;
            if (child >= heap_.size()) {
                break;
            }
            if (child + 1 < heap_.size() && before_(heap_[child + 1], heap_[child])) {
                ++child;
            }
            if (!before_(heap_[child], k)) {
                break;
            }
            Place(index, heap_[child]);
            index = child;
        }
        Place(index, k);
    }

    std::vector<std::uint32_t> heap_;
    // The index of each number in heap_, kAbsent for a number that is no member.
    std::vector<std::int32_t> where_;
    TBefore before_;
};

}  // namespace kelvo
