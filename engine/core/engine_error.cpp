#include "core/engine_error.h"

namespace kelvo {

namespace {

constexpr unsigned char kFullStop = '.';

}  // namespace

std::string ErrorBoxText(std::string_view message) {
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > kFullStop) {
        text += '.';
    }
    return text;
}

}  // namespace kelvo
