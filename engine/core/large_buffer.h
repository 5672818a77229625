// Room for the large arrays of a run over millions of columns.
#pragma once

#include <sys/mman.h>

#include <cstddef>
#include <cstdint>

namespace kelvo {

// Reserves room for `count` elements in `buffer` (a vector or string) before anything is put in
// it, and asks the system to back a large one with huge pages. A run over millions of columns
// touches hundreds of megabytes of fresh memory once; taken 2 MiB at a time instead of 4 KiB, most
// of the page faults go, and on a virtual machine they are dear. Throws std::bad_alloc.
template <class Buffer>
void ReserveLarge(Buffer& buffer, std::size_t count) {
    constexpr std::size_t kHugePage = std::size_t{2} << 20;
    buffer.reserve(count);
#ifdef MADV_HUGEPAGE
    const std::size_t bytes = count * sizeof(*buffer.data());
    if (bytes >= 2 * kHugePage) {
        // Only whole huge pages inside the buffer can be huge; the advice is a hint, so its
        // failure changes nothing.
        const auto start = reinterpret_cast<std::uintptr_t>(buffer.data());
        const std::uintptr_t first = (start + kHugePage - 1) & ~(kHugePage - 1);
        const std::uintptr_t last = (start + bytes) & ~(kHugePage - 1);
        if (first < last) {
            ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
        }
    }
#endif
}

}  // namespace kelvo
