// Counts and money in the player's locale.
#include <QLocale>
#include <QTest>

#include <cstdint>

#include "common/player_numbers.h"

class TPlayerNumbersTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void count_has_the_locale_group_separators_data();
    void count_has_the_locale_group_separators();
    void euros_have_two_decimals_and_the_sign_data();
    void euros_have_two_decimals_and_the_sign();
};

namespace {

const QLocale kSpanish(QLocale::Spanish, QLocale::Spain);
const QLocale kEnglish(QLocale::English, QLocale::UnitedKingdom);

}  // namespace

void TPlayerNumbersTest::count_has_the_locale_group_separators_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<qulonglong>("count");
    QTest::addColumn<QString>("text");
    // Spanish groups the digits of a number of five digits or more only.
    QTest::newRow("Spanish, 3^15") << kSpanish << 14348907ULL << QStringLiteral("14.348.907");
    QTest::newRow("English, 3^15") << kEnglish << 14348907ULL << QStringLiteral("14,348,907");
    QTest::newRow("Spanish, four digits") << kSpanish << 6561ULL << QStringLiteral("6561");
    QTest::newRow("English, four digits") << kEnglish << 6561ULL << QStringLiteral("6,561");
    QTest::newRow("Spanish, none") << kSpanish << 0ULL << QStringLiteral("0");
    QTest::newRow("Spanish, the largest")
        << kSpanish << qulonglong(UINT64_MAX) << QStringLiteral("18.446.744.073.709.551.615");
}

void TPlayerNumbersTest::count_has_the_locale_group_separators() {
    QFETCH(QLocale, locale);
    QFETCH(qulonglong, count);
    QFETCH(QString, text);
    QLocale::setDefault(locale);
    QCOMPARE(CountText(count), text);
}

void TPlayerNumbersTest::euros_have_two_decimals_and_the_sign_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("euros");
    QTest::addColumn<QString>("text");
    QTest::newRow("Spanish") << kSpanish << 35872267.75 << QStringLiteral("35.872.267,75 €");
    QTest::newRow("English") << kEnglish << 35872267.75 << QStringLiteral("35,872,267.75 €");
    QTest::newRow("Spanish, whole euros") << kSpanish << 652.0 << QStringLiteral("652,00 €");
    QTest::newRow("English, rounded") << kEnglish << 0.125 << QStringLiteral("0.13 €");
    QTest::newRow("Spanish, nothing") << kSpanish << 0.0 << QStringLiteral("0,00 €");
    QTest::newRow("Spanish, a loss")
        << kSpanish << -15000000.5 << QStringLiteral("-15.000.000,50 €");
}

void TPlayerNumbersTest::euros_have_two_decimals_and_the_sign() {
    QFETCH(QLocale, locale);
    QFETCH(double, euros);
    QFETCH(QString, text);
    QLocale::setDefault(locale);
    QCOMPARE(EurosText(euros), text);
}

QTEST_MAIN(TPlayerNumbersTest)
#include "player_numbers_test.moc"
