// A set of numbers below a fixed universe, for the local searches: insertion, removal and a pick
// by position in constant time, so that a uniform random member costs one draw.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kelvo {

class TIndexedSet {
public:
    // An empty set of numbers below `universe`.
    explicit TIndexedSet(std::size_t universe) : where_(universe, kAbsent) {}

    bool Empty() const { return items_.empty(); }
    std::size_t Size() const { return items_.size(); }
    // The member at `index` (below Size()), in an order that insertions and removals change.
    std::size_t At(std::size_t index) const { return items_[index]; }
    std::span<const std::uint32_t> Items() const { return items_; }
    bool Contains(std::size_t k) const { return where_[k] != kAbsent; }

    // Adds `k`, which must not be a member.
    void Insert(std::size_t k) {
        where_[k] = static_cast<std::int32_t>(items_.size());
        items_.push_back(static_cast<std::uint32_t>(k));
    }
    // Removes `k`, which must be a member; the last member takes its place.
    void Erase(std::size_t k) {
        const auto index = static_cast<std::size_t>(where_[k]);
        const std::uint32_t last = items_.back();
        items_[index] = last;
        where_[last] = static_cast<std::int32_t>(index);
        items_.pop_back();
        where_[k] = kAbsent;
    }

private:
    static constexpr std::int32_t kAbsent = -1;
    std::vector<std::uint32_t> items_;
    std::vector<std::int32_t> where_;
};

}  // namespace kelvo
