#include "decimal_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace kelvo {

namespace {

constexpr int kSignificantDigits = 10;

}  // namespace

// Rounded once by to_chars in scientific form, then the digits are placed around the point: a
// second rounding in fixed form could round differently.
std::string DecimalText(double value) {
    if (std::isinf(value)) {
        return value > 0 ? "inf" : "-inf";
    }
    if (value == 0 || std::isnan(value)) {
        return "0";
    }
    std::array<char, 32> text{};
    const auto written = std::to_chars(text.data(), text.data() + text.size(), value,
                                       std::chars_format::scientific, kSignificantDigits - 1);
    const std::string scientific(text.data(), written.ptr);
    const std::size_t e = scientific.find('e');
    const bool negative = scientific[0] == '-';
    std::string digits;
    for (std::size_t k = negative ? 1 : 0; k < e; ++k) {
        if (scientific[k] != '.') {
            digits += scientific[k];
        }
    }
    const int exponent = std::atoi(scientific.c_str() + e + 1);
    std::string decimal;
    if (exponent < 0) {
        decimal = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else if (exponent + 1 >= static_cast<int>(digits.size())) {
        decimal = digits + std::string(static_cast<std::size_t>(exponent + 1) - digits.size(), '0');
    } else {
        const auto point = static_cast<std::size_t>(exponent + 1);
        decimal = digits.substr(0, point) + "." + digits.substr(point);
    }
    if (decimal.find('.') != std::string::npos) {
        decimal.erase(decimal.find_last_not_of('0') + 1);
        if (decimal.back() == '.') {
            decimal.pop_back();
        }
    }
    return negative ? "-" + decimal : decimal;
}

}  // namespace kelvo
