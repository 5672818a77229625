// The one error type of the engine.
#pragma once

#include <new>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kelvo {

// Every engine failure. The message is the text the user sees, exactly.
class TEngineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What the user is told when memory runs out.
inline constexpr std::string_view kOutOfMemory = "Out of memory";

// Returns what `work` returns; memory running out during it becomes TEngineError kOutOfMemory.
template <class Work>
decltype(auto) ReportingOutOfMemory(Work&& work) {
    try {
        return work();
    } catch (const std::bad_alloc&) {
        throw TEngineError(std::string(kOutOfMemory));
    }
}

// The text under which a failure is shown: the message with a full stop appended when it is not
// empty and its last byte is above that of the full stop.
std::string ErrorBoxText(std::string_view message);

}  // namespace kelvo
