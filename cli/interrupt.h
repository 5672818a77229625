// Ctrl-C during an optimised run: the first ends the search early, the second ends the program.
#pragma once

#include <csignal>
#include <stop_token>
#include <thread>

namespace kelvo {

// While it lives, the first SIGINT requests a stop of Token() and tells the user on standard error
// that the best set so far will be written; the signal's default action is back in place from
// then on, so a second SIGINT ends the process at once, writing nothing more. Restores the action
// it found when it ends. One may live at a time. Throws std::system_error when its pipe or its
// thread cannot be made.
class TInterruptGuard {
public:
    TInterruptGuard();
    ~TInterruptGuard();
    TInterruptGuard(const TInterruptGuard&) = delete;
    TInterruptGuard& operator=(const TInterruptGuard&) = delete;

    std::stop_token Token() const { return stop_.get_token(); }

private:
    std::stop_source stop_;
    int readEnd_ = -1;
    int writeEnd_ = -1;
    // Turns the handler's byte on the pipe into the stop request, which a handler cannot make
    // safely itself.
    std::jthread listener_;
    struct sigaction previous_ {};
};

}  // namespace kelvo
