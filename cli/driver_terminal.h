// What kelvo-reduce knows of where it runs.
#pragma once

#include <chrono>
#include <functional>

namespace kelvo {

// Where the driver's standard error goes, and the one clock the driver reads: a progress line is
// drawn only on a terminal, once a run has taken longer than a second; the optimiser's budget and
// the times it reports are read from Now too.
struct TDriverTerminal {
    bool ErrIsTerminal = false;
    std::function<std::chrono::steady_clock::time_point()> Now = std::chrono::steady_clock::now;
};

}  // namespace kelvo
