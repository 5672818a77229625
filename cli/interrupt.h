// Ctrl-C during an optimised run: the first ends the search early, the second ends the program.
#pragma once

#include <atomic>
#include <csignal>

// While it lives, the first SIGINT sets Interrupted() and tells the user on standard error that
// the best set so far will be written; the signal's default action is back in place from then
// on, so a second SIGINT ends the process at once, writing nothing more. Restores the action it
// found when it ends. One may live at a time.
class TInterruptGuard {
public:
    TInterruptGuard();
    ~TInterruptGuard();
    TInterruptGuard(const TInterruptGuard&) = delete;
    TInterruptGuard& operator=(const TInterruptGuard&) = delete;

    const std::atomic<bool>& Interrupted() const;

private:
    struct sigaction previous_ {};
};
