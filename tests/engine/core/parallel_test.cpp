#include "core/parallel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace kelvo {

TEST(parallel, every_work_runs_once_and_the_first_on_the_calling_thread) {
    for (const std::size_t count : {0u, 1u, 2u, 5u}) {
        std::vector<std::atomic<int>> runs(count);
        std::vector<std::thread::id> threads(count);
        RunInParallel(count, [&](std::size_t i) {
            ++runs[i];
            threads[i] = std::this_thread::get_id();
        });
        for (std::size_t i = 0; i < count; ++i) {
            EXPECT_EQ(runs[i].load(), 1) << count << " " << i;
        }
        if (count > 0) {
            EXPECT_EQ(threads[0], std::this_thread::get_id());
        }
    }
}

TEST(parallel, the_failure_of_the_lowest_work_is_rethrown_once_every_work_has_ended) {
    std::vector<std::atomic<int>> ended(4);
    try {
        RunInParallel(4, [&](std::size_t i) {
            ++ended[i];
            if (i == 1 || i == 3) {
                throw std::runtime_error("work " + std::to_string(i) + " failed");
            }
        });
        ADD_FAILURE() << "no failure was rethrown";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()), "work 1 failed");
    }
    for (const std::atomic<int>& runs : ended) {
        EXPECT_EQ(runs.load(), 1);
    }
}

}  // namespace kelvo
