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
    void decimals_are_grouped_and_rounded_data();
    void decimals_are_grouped_and_rounded();
    void a_number_has_the_decimals_it_needs_data();
    void a_number_has_the_decimals_it_needs();
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
    QTest::newRow("Spanish, 3^14") << kSpanish << 4782969ULL << QStringLiteral("4.782.969");
    QTest::newRow("English, 3^14") << kEnglish << 4782969ULL << QStringLiteral("4,782,969");
    QTest::newRow("Spanish, six digits") << kSpanish << 531441ULL << QStringLiteral("531.441");
    QTest::newRow("Spanish, five digits") << kSpanish << 19683ULL << QStringLiteral("19.683");
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
    QTest::newRow("Spanish, seven digits")
        << kSpanish << 3587226.75 << QStringLiteral("3.587.226,75 €");
    QTest::newRow("English, seven digits")
        << kEnglish << 3587226.75 << QStringLiteral("3,587,226.75 €");
    QTest::newRow("Spanish, four digits") << kSpanish << 4782.5 << QStringLiteral("4782,50 €");
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

void TPlayerNumbersTest::decimals_are_grouped_and_rounded_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");
    QTest::newRow("Spanish, a mean")
        << kSpanish << 1234567.125 << 2 << QStringLiteral("1.234.567,13");
    QTest::newRow("English, a mean")
        << kEnglish << 1234567.125 << 2 << QStringLiteral("1,234,567.13");
    QTest::newRow("Spanish, a chance") << kSpanish << 0.00012 << 4 << QStringLiteral("0,0001");
    QTest::newRow("Spanish, whole") << kSpanish << 110.0 << 0 << QStringLiteral("110");
    QTest::newRow("Spanish, one decimal") << kSpanish << 99.4 << 1 << QStringLiteral("99,4");
    QTest::newRow("Spanish, rounds to nothing")
        << kSpanish << -0.001 << 2 << QStringLiteral("0,00");
}

void TPlayerNumbersTest::decimals_are_grouped_and_rounded() {
    QFETCH(QLocale, locale);
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QLocale::setDefault(locale);
    QCOMPARE(DecimalText(value, decimals), text);
}

void TPlayerNumbersTest::a_number_has_the_decimals_it_needs_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("Spanish, whole") << kSpanish << 110.0 << QStringLiteral("110");
    QTest::newRow("Spanish, a sum of tenths")
        << kSpanish << 50 + 30 + 19.4 << QStringLiteral("99,4");
    QTest::newRow("English, a sum of tenths")
        << kEnglish << 50 + 30 + 19.4 << QStringLiteral("99.4");
    QTest::newRow("Spanish, hundredths")
        << kSpanish << 33.33 + 33.33 + 33.33 << QStringLiteral("99,99");
    QTest::newRow("Spanish, cut at four") << kSpanish << 100.123456 << QStringLiteral("100,1235");
    QTest::newRow("Spanish, large") << kSpanish << 1500000.5 << QStringLiteral("1.500.000,5");
}

void TPlayerNumbersTest::a_number_has_the_decimals_it_needs() {
    QFETCH(QLocale, locale);
    QFETCH(double, value);
    QFETCH(QString, text);
    QLocale::setDefault(locale);
    QCOMPARE(NumberText(value), text);
}

QTEST_MAIN(TPlayerNumbersTest)
#include "player_numbers_test.moc"
