#include "chance_text.h"

#include <algorithm>
#include <cmath>

#include "common/player_numbers.h"

namespace {

constexpr int kFewestDecimals = 2;
constexpr int kMostDecimals = 12;

}  // namespace

QString SignificantText(double value) {
    if (std::isnan(value)) {
        return QStringLiteral("—");
    }
    if (std::isinf(value)) {
        return QStringLiteral("∞");
    }
    if (value <= 0 || value >= 1) {
        return DecimalText(value, kFewestDecimals);
    }
    // 0.0021 has its first digit in the third decimal: a fourth shows the second. The place is
    // that of the value rounded to two digits, so that 0.0009996 reads 0,0010 and not 0,00100.
    const double rounded = QString::number(value, 'e', 1).toDouble();
    const int first = -static_cast<int>(std::floor(std::log10(rounded)));
    if (first > kMostDecimals) {
        return QStringLiteral("< ") + DecimalText(std::pow(10.0, -kMostDecimals), kMostDecimals);
    }
    return DecimalText(value, std::clamp(first + 1, kFewestDecimals, kMostDecimals));
}

QString PercentText(double percent) {
    return SignificantText(percent) + QStringLiteral(" %");
}
