// The week's takings and jackpot as the player sets them: shown as the planner writes money,
// typed as the player writes it, kept in the plan and its file, and never a threat to the
// reduction in force.
#include <QApplication>
#include <QDoubleSpinBox>
#include <QTabWidget>
#include <QTest>

#include "plan/plan_file.h"
#include "planner_test_support.h"
#include "ui_test_support.h"

namespace {

// A plan with a reduction in force (from anywhere, so that it stands beside any forecast).
kelvo::TPlan ReducedPlan() {
    kelvo::TPlan plan = kelvo::StartingPlan();
    plan.Anywhere = true;
    plan.Reduction = kelvo::TPlanReduction{
        {kelvo::MakeKey("1112112111X111"), kelvo::MakeKey("X11X1X21X1X112")}, {}};
    plan.Reduction->Report.Final = 2;
    return plan;
}

// The control after `widget` that Tab reaches: the next in the focus chain that takes focus by
// Tab, a spin box's own line edit aside.
QWidget* NextTabStop(QWidget* widget) {
    do {
        widget = widget->nextInFocusChain();
    } while ((widget->focusPolicy() & Qt::TabFocus) == 0 ||
             qobject_cast<QAbstractSpinBox*>(widget->parentWidget()) != nullptr);
    return widget;
}

}  // namespace

class TWeekPanelTest : public QObject {
    Q_OBJECT

public:
    explicit TWeekPanelTest(const TTemporaryHome& home) : home_(home) {}

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    void the_amounts_are_shown_as_the_planner_writes_money_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<double>("takings");
        QTest::addColumn<double>("jackpot");
        QTest::addColumn<QString>("takingsText");
        QTest::addColumn<QString>("jackpotText");
        const QLocale spanish(QLocale::Spanish, QLocale::Spain);
        const QLocale english(QLocale::English, QLocale::UnitedKingdom);
        QTest::newRow("a new week, in Spanish")
            << spanish << kelvo::kDefaultTakings << 0.0 << QStringLiteral("2.500.000,00 €")
            << QStringLiteral("0,00 €");
        QTest::newRow("millions and cents, in Spanish")
            << spanish << 4123456.25 << 1500000.0 << QStringLiteral("4.123.456,25 €")
            << QStringLiteral("1.500.000,00 €");
        // Spanish groups a number of four digits with no separator; English does.
        QTest::newRow("four digits, in Spanish")
            << spanish << 1234.5 << 10000.0 << QStringLiteral("1234,50 €")
            << QStringLiteral("10.000,00 €");
        QTest::newRow("four digits, in English")
            << english << 1234.5 << 10000.0 << QStringLiteral("1,234.50 €")
            << QStringLiteral("10,000.00 €");
        QTest::newRow("the most, in English")
            << english << kelvo::kMostTakings << kelvo::kMostTakings
            << QStringLiteral("10,000,000,000.00 €") << QStringLiteral("10,000,000,000.00 €");
    }

    void the_amounts_are_shown_as_the_planner_writes_money() {
        QFETCH(QLocale, locale);
        QFETCH(double, takings);
        QFETCH(double, jackpot);
        QFETCH(QString, takingsText);
        QFETCH(QString, jackpotText);
        QLocale::setDefault(locale);
        kelvo::TPlan plan;
        plan.Takings = takings;
        plan.Jackpot = jackpot;
        const QString path = home_.Work() + "/jornada.kelvo";
        QVERIFY(WriteBytes(path, QByteArray::fromStdString(kelvo::PlanBytes(plan))));
        TPlanner planner;
        QVERIFY(planner.Window->OpenPlanFile(path));
        QCOMPARE(planner.Control<QDoubleSpinBox>("Takings")->text(), takingsText);
        QCOMPARE(planner.Control<QDoubleSpinBox>("Jackpot")->text(), jackpotText);
        QVERIFY(!planner.Window->isWindowModified());
        QCOMPARE(planner.Window->CurrentPlan().Takings, takings);
        QCOMPARE(planner.Window->CurrentPlan().Jackpot, jackpot);
    }

    void typed_amounts_go_into_the_plan_and_its_file_and_keep_the_reduction() {
        const QString path = home_.Work() + "/reducida.kelvo";
        QVERIFY(WriteBytes(path, QByteArray::fromStdString(kelvo::PlanBytes(ReducedPlan()))));
        TPlanner planner;
        QVERIFY(planner.Window->OpenPlanFile(path));
        QTRY_VERIFY_WITH_TIMEOUT(!planner.Window->Working(), 30000);
        // A question about the reduction would come up as a modal box: none may.
        TModalAnswerer answerer({});
        auto* takings = planner.Control<QDoubleSpinBox>("Takings");
        takings->selectAll();
        QTest::keyClicks(takings, QStringLiteral("3.000.000,5"));
        QTest::keyClick(takings, Qt::Key_Enter);
        QCOMPARE(takings->text(), QStringLiteral("3.000.000,50 €"));
        auto* jackpot = planner.Control<QDoubleSpinBox>("Jackpot");
        jackpot->selectAll();
        QTest::keyClicks(jackpot, QStringLiteral("250000"));
        QTest::keyClick(jackpot, Qt::Key_Enter);
        QCOMPARE(jackpot->text(), QStringLiteral("250.000,00 €"));
        QCOMPARE(answerer.Unexpected(), 0);
        QVERIFY(planner.Window->isWindowModified());
        kelvo::TPlan expected = ReducedPlan();
        expected.Takings = 3000000.5;
        expected.Jackpot = 250000;
        QVERIFY(planner.Window->CurrentPlan() == expected);

        planner.Trigger("SaveAction");
        QVERIFY(!planner.Window->isWindowModified());
        QVERIFY(kelvo::OpenPlan(path.toStdString()) == expected);
    }

    void what_is_no_amount_is_not_taken_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("taken");
        QTest::newRow("grouped as written") << QStringLiteral("1.234.567,89") << 1234567.89;
        QTest::newRow("without groups") << QStringLiteral("1234567") << 1234567.0;
        // Each key that would make the amount no amount is refused, the rest taken.
        QTest::newRow("beyond the most") << QStringLiteral("12345678901") << 1234567890.0;
        QTest::newRow("a third decimal") << QStringLiteral("7,255") << 7.25;
        QTest::newRow("a second decimal point") << QStringLiteral("7,5,5") << 7.55;
        QTest::newRow("a minus sign") << QStringLiteral("-80") << 80.0;
        QTest::newRow("letters") << QStringLiteral("1e6") << 16.0;
    }

    void what_is_no_amount_is_not_taken() {
        QFETCH(QString, typed);
        QFETCH(double, taken);
        TPlanner planner;
        auto* jackpot = planner.Control<QDoubleSpinBox>("Jackpot");
        jackpot->selectAll();
        QTest::keyClicks(jackpot, typed);
        QTest::keyClick(jackpot, Qt::Key_Enter);
        QCOMPARE(jackpot->value(), taken);
        QCOMPARE(planner.Window->CurrentPlan().Jackpot, taken);
    }

    void tab_runs_from_the_reduction_into_the_amounts_and_on_to_the_results() {
        TPlanner planner;
        auto* takings = planner.Control<QDoubleSpinBox>("Takings");
        auto* jackpot = planner.Control<QDoubleSpinBox>("Jackpot");
        QCOMPARE(NextTabStop(planner.Control<QWidget>("StopButton")), takings);
        QCOMPARE(NextTabStop(takings), jackpot);
        QCOMPARE(NextTabStop(jackpot), planner.Control<QTabWidget>("ResultTabs"));
    }

private:
    const TTemporaryHome& home_;
};

int main(int argc, char* argv[]) {
    const TTemporaryHome home;
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kelvo"));
    QCoreApplication::setApplicationName(QStringLiteral("kelvo-planner"));
    TWeekPanelTest test(home);
    return QTest::qExec(&test, argc, argv);
}

#include "week_panel_test.moc"
