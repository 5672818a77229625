#include "player_numbers.h"

#include <QLocale>

QString CountText(std::uint64_t count) {
    return QLocale().toString(static_cast<qulonglong>(count));
}

QString EurosText(double euros) {
    return QLocale().toString(euros, 'f', 2) + QStringLiteral(" €");
}
