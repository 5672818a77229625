// Counts, decimals and amounts of money as the player reads them, in the player's locale.
#pragma once

#include <QString>

#include <cstdint>

// `count` with the locale's group separators: "4.782.969" in Spanish, "4,782,969" in English.
// A locale that writes a thousand without a separator (Spanish) groups numbers of five digits
// or more only: "6561" in Spanish, "6,561" in English.
QString CountText(std::uint64_t count);

// `value` rounded to `decimals` decimals (from 0), with the locale's decimal and group
// separators and minus sign, grouped as CountText groups: "1.234,50" in Spanish.
QString DecimalText(double value, int decimals);

// `value` with as few decimals as it needs, up to four, written as DecimalText writes them:
// "110", "99,4" in Spanish.
QString NumberText(double value);

// `euros` with two decimals as DecimalText writes them, then a blank and the euro sign:
// "3.587.226,75 €" in Spanish, "3,587,226.75 €" in English.
QString EurosText(double euros);
