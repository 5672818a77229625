#include "player_numbers.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

// Qt 6.4 applies the Spanish rule "no separator in a four-digit number" to every group and
// writes 4782969 as "4782.969"; so the digits are grouped here, with the locale's separators.
QString Grouped(const QString& digits, const QLocale& locale) {
    const bool groupsThousands = locale.toString(1000).size() > 4;
    const int least = groupsThousands ? 4 : 5;
    if (locale.numberOptions().testFlag(QLocale::OmitGroupSeparator) || digits.size() < least) {
        return digits;
    }
    QString text;
    const QString separator = locale.groupSeparator();
    for (qsizetype at = 0; at < digits.size(); ++at) {
        if (at > 0 && (digits.size() - at) % 3 == 0) {
            text += separator;
        }
        text += digits[at];
    }
    return text;
}

}  // namespace

QString CountText(std::uint64_t count) {
    return Grouped(QString::number(count), QLocale());
}

QString DecimalText(double value, int decimals) {
    const QLocale locale;
    QString digits = QString::number(value, 'f', decimals);
    QString sign;
    if (digits.startsWith(QLatin1Char('-'))) {
        digits.remove(0, 1);
        // A value that rounds to zero is written without a sign.
        if (std::any_of(digits.begin(), digits.end(),
                        [](QChar c) { return c >= QLatin1Char('1') && c <= QLatin1Char('9'); })) {
            sign = locale.negativeSign();
        }
    }
    const qsizetype point = digits.indexOf(QLatin1Char('.'));
    const QString whole = point < 0 ? digits : digits.left(point);
    const QString fraction = point < 0 ? QString() : locale.decimalPoint() + digits.mid(point + 1);
    return sign + Grouped(whole, locale) + fraction;
}

QString NumberText(double value) {
    constexpr int kMostDecimals = 4;
    int decimals = 0;
    // Each number a player types has few decimals; the error of adding them up is far below these.
    while (decimals < kMostDecimals &&
           std::abs(value * std::pow(10.0, decimals) -
                    std::round(value * std::pow(10.0, decimals))) > 1e-6) {
        ++decimals;
    }
    return DecimalText(value, decimals);
}

QString EurosText(double euros) {
    return DecimalText(euros, 2) + QStringLiteral(" €");
}
