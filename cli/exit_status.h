// Exit statuses of kelvo-reduce.
#pragma once

namespace kelvo {

constexpr int kExitCompleted = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitRefused = 3;
constexpr int kExitNotCovered = 4;

}  // namespace kelvo
