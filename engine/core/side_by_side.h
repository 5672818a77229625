// Work split over the machine's two cores.
#pragma once

#include <system_error>
#include <thread>

namespace kelvo {

// Runs `here` on the calling thread while `beside` runs on a second thread, and returns once both
// are done. Where no second thread can be started, `beside` runs after `here` on the calling
// thread: the result is the same, only slower. `beside` must not throw.
template <class Here, class Beside>
void RunSideBySide(Here&& here, Beside&& beside) {
    std::jthread second;
    try {
        second = std::jthread(beside);
    } catch (const std::system_error&) {
        here();
        beside();
        return;
    }
    here();
}

}  // namespace kelvo
