#include "interrupt.h"

#include <unistd.h>

#include <string_view>

namespace {

// A signal handler can reach nothing but a static object, and only a lock-free atomic one safely.
std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free);

constexpr std::string_view kNotice =
    "\nkelvo-reduce: stopping the search, writing the best set so far (Ctrl-C again: stop at "
    "once, write nothing)\n";

extern "C" void OnInterrupt(int) {
    interrupted.store(true);
    // write() is safe in a handler, where a stream is not; nothing can be done if it fails.
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, kNotice.data(), kNotice.size());
}

}  // namespace

TInterruptGuard::TInterruptGuard() {
    interrupted.store(false);
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    ::sigaction(SIGINT, &action, &previous_);
}

TInterruptGuard::~TInterruptGuard() {
    ::sigaction(SIGINT, &previous_, nullptr);
}

const std::atomic<bool>& TInterruptGuard::Interrupted() const {
    return interrupted;
}
