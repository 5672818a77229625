// Each kind of condition in the player's words, in Spanish and in English, and every condition
// refused with its reason.
#include <QTest>

#include <cstring>

#include "condition_text.h"
#include "planner_test_support.h"
#include "planner_translation.h"

Q_DECLARE_METATYPE(kelvo::TCondition)

namespace {

using kelvo::TCondition;
using kelvo::TConditionKind;

TCondition Base(const char* base, int least, int most) {
    TCondition condition = MakeCondition(TConditionKind::Base, 0, least, most);
    std::memcpy(condition.Base.data(), base, std::min<std::size_t>(14, std::strlen(base)));
    return condition;
}

}  // namespace

class TConditionTextTest : public QObject {
    Q_OBJECT

private slots:
    void every_kind_reads_as_a_spanish_line_data() {
        QTest::addColumn<TCondition>("condition");
        QTest::addColumn<QString>("line");
        QTest::newRow("signs between") << MakeCondition(TConditionKind::Signs, 'X', 2, 4)
                                       << QStringLiteral("entre 2 y 4 equis");
        QTest::newRow("signs at most one") << MakeCondition(TConditionKind::Signs, '1', 0, 1)
                                           << QStringLiteral("como mucho 1 uno");
        QTest::newRow("signs at least") << MakeCondition(TConditionKind::Signs, '2', 3, 14)
                                        << QStringLiteral("al menos 3 doses");
        QTest::newRow("signs exactly") << MakeCondition(TConditionKind::Signs, '2', 5, 5)
                                       << QStringLiteral("exactamente 5 doses");
        QTest::newRow("variants") << MakeCondition(TConditionKind::Variants, 0, 4, 6)
                                  << QStringLiteral("entre 4 y 6 variantes (X o 2)");
        QTest::newRow("breaks") << MakeCondition(TConditionKind::Breaks, 0, 3, 5)
                                << QStringLiteral("entre 3 y 5 cambios de signo");
        QTest::newRow("breaks at least, 13 the most")
            << MakeCondition(TConditionKind::Breaks, 0, 2, 13)
            << QStringLiteral("al menos 2 cambios de signo");
        QTest::newRow("run of a sign") << MakeCondition(TConditionKind::Run, '1', 0, 3)
                                       << QStringLiteral("como mucho 3 seguidos del 1");
        QTest::newRow("run of any sign")
            << MakeCondition(TConditionKind::Run, 0, 2, 4)
            << QStringLiteral("entre 2 y 4 seguidos de un mismo signo");
        QTest::newRow("group") << MakeCondition(TConditionKind::Group, 'X', 1, 4, 0, 3)
                               << QStringLiteral("al menos 1 equis entre los partidos 1 y 4");
        QTest::newRow("base") << Base("1X21X21X21X21X", 3, 5)
                              << QStringLiteral(
                                     "entre 3 y 5 diferencias con la columna "
                                     "1X21X21X21X21X");
    }
    void every_kind_reads_as_a_spanish_line() {
        QFETCH(TCondition, condition);
        QFETCH(QString, line);
        QCOMPARE(DescribeCondition(condition), line);
        QVERIFY(!ConditionProblem(condition));
    }

    void a_count_of_a_sign_names_the_sign_in_words_data() {
        QTest::addColumn<TCondition>("condition");
        QTest::addColumn<QString>("spanish");
        QTest::addColumn<QString>("english");
        const auto row = [](const char* name, const TCondition& condition, const char* spanish,
                            const char* english) {
            QTest::newRow(name) << condition << QString::fromUtf8(spanish)
                                << QString::fromUtf8(english);
        };
        using K = TConditionKind;
        row("four 1", MakeCondition(K::Signs, '1', 4, 4), "exactamente 4 unos", "exactly 4 ones");
        row("four X", MakeCondition(K::Signs, 'X', 4, 4), "exactamente 4 equis", "exactly 4 Xs");
        row("four 2", MakeCondition(K::Signs, '2', 4, 4), "exactamente 4 doses", "exactly 4 twos");
        row("one 1", MakeCondition(K::Signs, '1', 1, 1), "exactamente 1 uno", "exactly 1 one");
        row("one X", MakeCondition(K::Signs, 'X', 1, 1), "exactamente 1 equis", "exactly 1 X");
        row("one 2", MakeCondition(K::Signs, '2', 1, 1), "exactamente 1 dos", "exactly 1 two");
        row("at most one X", MakeCondition(K::Signs, 'X', 0, 1), "como mucho 1 equis",
            "at most 1 X");
        row("at least one 2", MakeCondition(K::Signs, '2', 1, 14), "al menos 1 dos",
            "at least 1 two");
        row("between, X", MakeCondition(K::Signs, 'X', 2, 4), "entre 2 y 4 equis",
            "between 2 and 4 Xs");
        row("group of four 1", MakeCondition(K::Group, '1', 4, 4, 0, 5),
            "exactamente 4 unos entre los partidos 1 y 6", "exactly 4 ones among matches 1 to 6");
        row("group of one X", MakeCondition(K::Group, 'X', 1, 1, 2, 3),
            "exactamente 1 equis entre los partidos 3 y 4", "exactly 1 X among matches 3 to 4");
        row("group of 2", MakeCondition(K::Group, '2', 0, 3, 7, 13),
            "como mucho 3 doses entre los partidos 8 y 14", "at most 3 twos among matches 8 to 14");
        row("run of X", MakeCondition(K::Run, 'X', 2, 14), "al menos 2 seguidos del X",
            "at least 2 consecutive Xs");
    }
    void a_count_of_a_sign_names_the_sign_in_words() {
        QFETCH(TCondition, condition);
        QFETCH(QString, spanish);
        QFETCH(QString, english);
        QCOMPARE(DescribeCondition(condition), spanish);
        const auto translators = InstallPlannerTranslation(QLocale(QLocale::German));
        QCOMPARE(DescribeCondition(condition), english);
    }

    void impossible_conditions_are_refused_with_the_reason_data() {
        QTest::addColumn<TCondition>("condition");
        QTest::addColumn<QString>("reason");
        QTest::newRow("least above most") << MakeCondition(TConditionKind::Signs, 'X', 5, 2)
                                          << QStringLiteral(
                                                 "El mínimo (5) es mayor que el "
                                                 "máximo (2).");
        QTest::newRow("fourteen breaks") << MakeCondition(TConditionKind::Breaks, 0, 0, 14)
                                         << QStringLiteral("Los límites van de 0 a 13.");
        QTest::newRow("more than the group holds")
            << MakeCondition(TConditionKind::Group, '1', 0, 5, 0, 3)
            << QStringLiteral("Los límites van de 0 a 4.");
        QTest::newRow("group backwards") << MakeCondition(TConditionKind::Group, '1', 0, 1, 5, 2)
                                         << QStringLiteral(
                                                "El primer partido (6) va después "
                                                "del último (3).");
        QTest::newRow("group past match 14")
            << MakeCondition(TConditionKind::Group, 'X', 0, 1, 10, 14)
            << QStringLiteral("Los partidos van del 1 al 14.");
        QTest::newRow("run of a letter") << MakeCondition(TConditionKind::Run, 'Y', 1, 3)
                                         << QStringLiteral("El signo debe ser 1, X o 2.");
        QTest::newRow("signs of a lower-case x") << MakeCondition(TConditionKind::Signs, 'x', 0, 3)
                                                 << QStringLiteral("El signo debe ser 1, X o 2.");
        QTest::newRow("signs of no sign") << MakeCondition(TConditionKind::Signs, 0, 0, 3)
                                          << QStringLiteral("El signo debe ser 1, X o 2.");
        QTest::newRow("short base") << Base("1X2", 0, 3)
                                    << QStringLiteral(
                                           "La columna base debe tener 14 signos 1, "
                                           "X o 2.");
        QTest::newRow("base with a letter") << Base("1X21X21X21X21A", 0, 3)
                                            << QStringLiteral(
                                                   "La columna base debe tener 14 "
                                                   "signos 1, X o 2.");
    }
    void impossible_conditions_are_refused_with_the_reason() {
        QFETCH(TCondition, condition);
        QFETCH(QString, reason);
        QCOMPARE(ConditionProblem(condition).value_or(QString()), reason);
    }
};

QTEST_MAIN(TConditionTextTest)
#include "condition_text_test.moc"
