// Work split over the cores of the machine, whatever their number.
#pragma once

#include <cstddef>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace kelvo {

// Runs work(i) for every i in [0, count): work(0) on the calling thread and each other on a
// thread of its own, and returns once all are done. Where a thread cannot be started, its work
// runs on the calling thread after work(0), in the order of i: the results are the same, only
// later. Where works throw, the others still run to their end, and the exception of the lowest i
// is rethrown. Throws std::bad_alloc, before any work starts, when memory runs out.
template <class Work>
void RunInParallel(std::size_t count, Work&& work) {
    std::vector<std::exception_ptr> failures(count);
    const auto run = [&work, &failures](std::size_t i) {
        try {
            work(i);
        } catch (...) {
            failures[i] = std::current_exception();
        }
    };
    {
        std::vector<std::jthread> others;
        std::vector<std::size_t> after;
        others.reserve(count);
        after.reserve(count);
        for (std::size_t i = 1; i < count; ++i) {
            try {
                others.emplace_back(run, i);
            } catch (const std::system_error&) {
                after.push_back(i);
            }
        }
        if (count > 0) {
            run(0);
        }
        for (const std::size_t i : after) {
            run(i);
        }
    }
    for (const std::exception_ptr& failure : failures) {
        if (failure) {
            std::rethrow_exception(failure);
        }
    }
}

}  // namespace kelvo
