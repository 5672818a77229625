#include "interrupt.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string_view>
#include <system_error>

namespace kelvo {

namespace {

// A signal handler can reach nothing but a static object, and only a lock-free atomic one safely:
// the write end of the live guard's pipe.
std::atomic<int> interruptPipe{-1};
static_assert(std::atomic<int>::is_always_lock_free);

constexpr std::string_view kNotice =
    "\nkelvo-reduce: stopping the search, writing the best set so far (Ctrl-C again: stop at "
    "once, write nothing)\n";

extern "C" void OnInterrupt(int) {
    // write() is safe in a handler, where a stream or a stop request is not; nothing can be done
    // if it fails.
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t told = ::write(interruptPipe.load(), &byte, 1);
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, kNotice.data(), kNotice.size());
    errno = saved;
}

}  // namespace

TInterruptGuard::TInterruptGuard() {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        throw std::system_error(errno, std::generic_category(), "pipe2");
    }
    readEnd_ = ends[0];
    writeEnd_ = ends[1];
    listener_ = std::jthread([this] {
        char byte = 0;
        ssize_t got = 0;
        do {
            got = ::read(readEnd_, &byte, 1);
        } while (got < 0 && errno == EINTR);
        // A byte is the handler's; the end of the pipe is the guard's own end.
        if (got == 1) {
            stop_.request_stop();
        }
    });
    interruptPipe.store(writeEnd_);
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    ::sigaction(SIGINT, &action, &previous_);
}

TInterruptGuard::~TInterruptGuard() {
    ::sigaction(SIGINT, &previous_, nullptr);
    interruptPipe.store(-1);
    ::close(writeEnd_);
    listener_.join();
    ::close(readEnd_);
}

}  // namespace kelvo
