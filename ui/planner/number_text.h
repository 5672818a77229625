// Counts and money as the player reads them, in the locale of the moment: "4.782.969" and
// "3.587.226,75 €" in Spanish.
#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>

// `amount` euros with two decimals, the euro sign after them.
inline QString Euros(double amount) {
    return QLocale().toString(amount, 'f', 2) + QStringLiteral(" €");
}

// `count` with the locale's separators of thousands.
inline QString Count(std::uint64_t count) {
    return QLocale().toString(static_cast<qulonglong>(count));
}
