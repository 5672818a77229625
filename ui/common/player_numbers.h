// Counts and amounts of money as the player reads them, in the player's locale.
#pragma once

#include <QString>

#include <cstdint>

// `count` with the locale's group separators: "4.782.969" in Spanish, "4,782,969" in English.
QString CountText(std::uint64_t count);

// `euros` with two decimals in the locale's digits, then a blank and the euro sign:
// "3.587.226,75 €" in Spanish, "3,587,226.75 €" in English.
QString EurosText(double euros);
