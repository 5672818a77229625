// Figures as the command line prints them for a spreadsheet or a script to read.
#pragma once

#include <string>

namespace kelvo {

// `value` rounded to 10 significant digits and written as a decimal number: no exponent, no
// thousands separators, no trailing zeros after the point ("1234.5", "0.0000123456789", "0");
// "inf" for an infinite value.
std::string DecimalText(double value);

}  // namespace kelvo
