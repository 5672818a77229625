// The one error type of the engine.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

// Every engine failure. The message is the text the user sees, exactly.
class TEngineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The text under which a failure is shown: the message with a full stop appended when it is not
// empty and its last byte is above that of the full stop.
std::string ErrorBoxText(std::string_view message);
