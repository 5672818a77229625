// The plan file: what it holds comes back as it was, and a failed save leaves the old plan.
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

#include "core/engine_error.h"
#include "plan_file.h"
#include "ui_test_support.h"

namespace {

TPlan FullPlan() {
    TPlan plan;
    plan.Matches[0].Teams = QStringLiteral("Betis - Sevilla");
    plan.Matches[0].Played = {true, true, false};
    plan.Matches[1].Played = {false, false, true};
    plan.Matches[4].Chances = {60, 25.5, 14.5};
    kelvo::TCondition xs;
    xs.Sign = 'X';
    xs.Least = 0;
    xs.Most = 4;
    kelvo::TCondition group;
    group.Kind = kelvo::TConditionKind::Group;
    group.Sign = '1';
    group.First = 0;
    group.Last = 3;
    group.Least = 1;
    group.Most = 4;
    plan.Conditions = {xs, group};
    plan.ChancesShown = true;
    plan.Price = 1.5;
    plan.Guarantee = 12;
    plan.BudgetSeconds = 45;
    plan.Result = QStringLiteral("12X");
    TPlanReduction reduction;
    reduction.Columns = {kelvo::MakeKey("12111111111111"), kelvo::MakeKey("X2111111111111")};
    reduction.Report.Greedy = 3;
    reduction.Report.Final = 2;
    reduction.Report.LowerBound = 1;
    reduction.Report.Spent = std::chrono::milliseconds(1500);
    reduction.Report.Reached = std::chrono::milliseconds(20);
    reduction.Report.Stopped = true;
    reduction.Report.BoundPublished = true;
    plan.Reduction = reduction;
    return plan;
}

}  // namespace

class TPlanFileTest : public QObject {
    Q_OBJECT

private slots:
    void a_plan_comes_back_as_it_was_written() {
        const TPlan plan = FullPlan();
        const QByteArray bytes = PlanBytes(plan);
        QVERIFY(bytes.contains("\"format\": \"kelvo-plan\""));
        QVERIFY(bytes.contains("\"version\": 1"));
        const TPlan read = ParsePlan(bytes, QStringLiteral("p.kelvo"));
        QCOMPARE(PlanBytes(read), bytes);
        QCOMPARE(read.Matches[0].Teams, QStringLiteral("Betis - Sevilla"));
        QVERIFY(read.Conditions == plan.Conditions);
        QVERIFY(read.Reduction->Columns == plan.Reduction->Columns);
        QVERIFY(read.Reduction->Report.Stopped);
        QVERIFY(read.Reduction->Report.BoundPublished);
        QVERIFY(!read.Reduction->Report.SmallestPossible);
        QCOMPARE(read.Reduction->Report.Spent, plan.Reduction->Report.Spent);
        QCOMPARE(read.Matches[4].Chances[1], 25.5);
    }

    void a_file_without_the_choice_outside_the_development_opens_without_it() {
        const QByteArray bytes = PlanBytes(FullPlan());
        QVERIFY(bytes.contains("\n    \"anywhere\": false,\n"));
        QByteArray old = bytes;
        old.replace("\n    \"anywhere\": false,", "");
        const TPlan read = ParsePlan(old, QStringLiteral("p.kelvo"));
        QVERIFY(!read.Anywhere);
        QCOMPARE(PlanBytes(read), bytes);
    }

    void a_reduction_saved_without_its_bound_kind_opens_as_computed_and_not_smallest() {
        TPlan plan = FullPlan();
        plan.Reduction->Report.BoundPublished = false;
        const QByteArray bytes = PlanBytes(plan);
        QVERIFY(bytes.contains("\n        \"boundPublished\": false,\n"));
        QVERIFY(bytes.contains("\n        \"smallestPossible\": false,\n"));
        QByteArray old = bytes;
        old.replace("\n        \"boundPublished\": false,", "");
        old.replace("\n        \"smallestPossible\": false,", "");
        const TPlan read = ParsePlan(old, QStringLiteral("p.kelvo"));
        QVERIFY(!read.Reduction->Report.BoundPublished);
        QVERIFY(!read.Reduction->Report.SmallestPossible);
        QCOMPARE(PlanBytes(read), bytes);
    }

    void columns_outside_the_development_come_back_only_when_the_plan_allows_them() {
        TPlan plan = FullPlan();
        plan.Anywhere = true;
        // The first match plays 1 and X only.
        plan.Reduction->Columns = {kelvo::MakeKey("22222222222222"),
                                   kelvo::MakeKey("12111111111111")};
        const QByteArray bytes = PlanBytes(plan);
        QVERIFY(bytes.contains("\n    \"anywhere\": true,\n"));
        const TPlan read = ParsePlan(bytes, QStringLiteral("p.kelvo"));
        QVERIFY(read.Anywhere);
        QVERIFY(read.Reduction->Columns == plan.Reduction->Columns);
        QCOMPARE(PlanBytes(read), bytes);

        const auto refused = [](QByteArray wrong, const QString& message) {
            try {
                ParsePlan(wrong, QStringLiteral("p.kelvo"));
                QFAIL("a foreign column was read");
            } catch (const TPlanFileError& error) {
                QCOMPARE(error.Message(), message);
            }
        };
        QByteArray inside = bytes;
        inside.replace("\"anywhere\": true", "\"anywhere\": false");
        refused(inside, QStringLiteral("La columna 1 (22222222222222) del plan p.kelvo no es una "
                                       "columna de su desarrollo."));
        QByteArray lower = bytes;
        lower.replace("\"22222222222222\"", "\"2222222222222x\"");
        refused(lower, QStringLiteral("La columna 1 (2222222222222x) del plan p.kelvo no es una "
                                      "columna de su desarrollo."));
    }

    void a_failed_save_keeps_the_old_plan() {
        QTemporaryDir folder;
        const QString path = folder.filePath("p.kelvo");
        QVERIFY(WriteBytes(path, "old plan"));
        kelvo::TFileCalls full;
        full.Write = [](int, const void*, std::size_t) -> ssize_t {
            errno = ENOSPC;
            return -1;
        };
        QVERIFY_THROWS_EXCEPTION(kelvo::TEngineError, SavePlan(FullPlan(), path, full));
        QCOMPARE(ReadBytes(path), QByteArray("old plan"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"p.kelvo"});
        SavePlan(FullPlan(), path);
        QCOMPARE(ReadBytes(path), PlanBytes(FullPlan()));
    }

    void a_file_that_cannot_be_read_is_named() {
        QTemporaryDir folder;
        try {
            OpenPlan(folder.path());
            QFAIL("a folder was opened as a plan");
        } catch (const TPlanFileError& error) {
            QCOMPARE(error.Message(), QStringLiteral("No se puede leer el archivo %1.")
                                          .arg(QFileInfo(folder.path()).fileName()));
        }
    }
};

QTEST_MAIN(TPlanFileTest)
#include "plan_file_test.moc"
