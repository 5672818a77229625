// The plan file as the planner shows it: each refusal of the engine in the player's words, and
// paths as the window holds them.
#include <QTemporaryDir>
#include <QTest>

#include "plan_file.h"
#include "ui_test_support.h"

Q_DECLARE_METATYPE(kelvo::TPlanRefusal)

namespace {

kelvo::TPlanRefusal Refusal(kelvo::TPlanFault fault) {
    kelvo::TPlanRefusal refusal;
    refusal.Fault = fault;
    return refusal;
}

}  // namespace

class TPlanFileWordsTest : public QObject {
    Q_OBJECT

private slots:
    void each_refusal_is_told_in_the_players_words_data() {
        using kelvo::TPlanFault;
        QTest::addColumn<kelvo::TPlanRefusal>("refusal");
        QTest::addColumn<QString>("message");
        QTest::newRow("unreadable") << Refusal(TPlanFault::Unreadable)
                                    << QStringLiteral("No se puede leer el fichero p.kelvo.");
        QTest::newRow("empty") << Refusal(TPlanFault::Empty)
                               << QStringLiteral("El fichero p.kelvo está vacío.");
        QTest::newRow("not JSON") << Refusal(TPlanFault::NotJson)
                                  << QStringLiteral("El fichero p.kelvo no es un plan de Kelvo.");
        QTest::newRow("not a plan") << Refusal(TPlanFault::NotPlan)
                                    << QStringLiteral("El fichero p.kelvo no es un plan de Kelvo.");
        QTest::newRow("unknown version")
            << Refusal(TPlanFault::UnknownVersion)
            << QStringLiteral(
                   "El plan p.kelvo está dañado: no dice con qué versión del programa se guardó.");
        kelvo::TPlanRefusal newer = Refusal(TPlanFault::NewerVersion);
        newer.Version = 3;
        QTest::newRow("newer version") << newer
                                       << QStringLiteral(
                                              "El plan p.kelvo se guardó con una versión más "
                                              "nueva del programa; actualice Kelvo para abrirlo.");
        const auto field = [](const char* name, int match) {
            kelvo::TPlanRefusal refusal = Refusal(TPlanFault::BadField);
            refusal.Field = name;
            refusal.Match = match;
            return refusal;
        };
        QTest::newRow("field") << field("price", 0)
                               << QStringLiteral("Al plan p.kelvo le falta el precio por columna.");
        QTest::newRow("teams") << field("teams", 2)
                               << QStringLiteral(
                                      "Al plan p.kelvo le faltan los equipos del "
                                      "partido 2.");
        QTest::newRow("signs") << field("signs", 3)
                               << QStringLiteral(
                                      "Al plan p.kelvo le falta el pronóstico del "
                                      "partido 3.");
        QTest::newRow("chances") << field("chances", 14)
                                 << QStringLiteral(
                                        "Al plan p.kelvo le faltan las probabilidades "
                                        "del partido 14.");
        QTest::newRow("public") << field("public", 4)
                                << QStringLiteral(
                                       "Al plan p.kelvo le faltan los porcentajes del público del "
                                       "partido 4.");
        QTest::newRow("takings") << field("takings", 0)
                                 << QStringLiteral(
                                        "Al plan p.kelvo le falta la recaudación de la jornada.");
        QTest::newRow("jackpot") << field("jackpot", 0)
                                 << QStringLiteral("Al plan p.kelvo le falta el bote.");
        QTest::newRow("a prize rule") << field("prizeRules.shares", 0)
                                      << QStringLiteral(
                                             "Al plan p.kelvo le falta parte de las reglas de "
                                             "premios.");
        QTest::newRow("a field of the Pleno")
            << field("pleno.public.away", 0)
            << QStringLiteral("Al plan p.kelvo le falta parte del Pleno al 15.");
        QTest::newRow("match") << field("matches", 5)
                               << QStringLiteral("Al plan p.kelvo le falta el partido 5.");
        QTest::newRow("matches") << field("matches", 0)
                                 << QStringLiteral(
                                        "Al plan p.kelvo le faltan partidos: debe tener los 14.");
        QTest::newRow("a condition's field")
            << field("least", 0)
            << QStringLiteral("Al plan p.kelvo le falta parte de sus condiciones.");
        QTest::newRow("the reduction's field")
            << field("boundPublished", 0)
            << QStringLiteral("Al plan p.kelvo le falta parte de su reducción.");
        QTest::newRow("a field of no known name")
            << field("colour", 0) << QStringLiteral("El plan p.kelvo está dañado.");
        kelvo::TPlanRefusal condition = Refusal(TPlanFault::BadCondition);
        condition.Index = 2;
        condition.ConditionFault = kelvo::TConditionFault::LeastAboveMost;
        condition.Condition.Sign = 'X';
        condition.Condition.Least = 5;
        condition.Condition.Most = 2;
        QTest::newRow("condition") << condition
                                   << QStringLiteral(
                                          "La condición 2 del plan p.kelvo no se puede cumplir: El "
                                          "mínimo (5) es mayor que el máximo (2).");
        kelvo::TPlanRefusal column = Refusal(TPlanFault::ForeignColumn);
        column.Index = 7;
        column.Column = "X1111111111111";
        QTest::newRow("column") << column
                                << QStringLiteral(
                                       "La columna 7 (X1111111111111) del plan "
                                       "p.kelvo no es una columna de su desarrollo.");
    }

    void each_refusal_is_told_in_the_players_words() {
        QFETCH(kelvo::TPlanRefusal, refusal);
        QFETCH(QString, message);
        QCOMPARE(PlanRefusalText(refusal, QStringLiteral("p.kelvo")), message);
    }

    void a_plan_goes_to_and_comes_from_the_path_the_window_holds() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("jornada ñ €.kelvo"));
        kelvo::TPlan plan;
        plan.Matches[0].Teams = "Logroñés - Málaga";
        plan.Matches[0].Played = {false, true, false};
        SavePlanAt(plan, path);
        QCOMPARE(ReadBytes(path), QByteArray::fromStdString(kelvo::PlanBytes(plan)));
        QVERIFY(OpenPlanAt(path) == plan);
        try {
            OpenPlanAt(folder.path());
            QFAIL("a folder was opened as a plan");
        } catch (const kelvo::TPlanFileError& error) {
            QVERIFY(error.Refusal() == Refusal(kelvo::TPlanFault::Unreadable));
        }
    }

    void each_failure_to_write_is_told_in_the_players_words() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("falta/p.kelvo"));
        try {
            SavePlanAt(kelvo::TPlan(), path);
            QFAIL("a plan was saved into a missing folder");
        } catch (const kelvo::TEngineError& error) {
            QCOMPARE(WriteFailureText(error),
                     QStringLiteral("no se puede crear el fichero %1; compruebe que la carpeta "
                                    "existe y que se puede escribir en ella")
                         .arg(path));
        }
        QCOMPARE(WriteFailureText(kelvo::TFileWriteError(kelvo::TWriteFault::WriteFailed, "c.txt")),
                 QStringLiteral("no se pudo escribir el fichero c.txt entero (¿está lleno el "
                                "disco?); el fichero sigue como estaba"));
        QCOMPARE(WriteFailureText(kelvo::TEngineError(std::string(kelvo::kOutOfMemory))),
                 QStringLiteral("no hay memoria suficiente"));
    }
};

QTEST_MAIN(TPlanFileWordsTest)
#include "plan_file_words_test.moc"
