// The budget beside the guarantee: off by default, its amount counted in columns or euros with
// what it buys at the plan's price, locked during a run, a reduction change that asks before the
// reduction in force goes, a budget that shows the chances it weighs, and the words of a plan
// file whose budget is damaged.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include "plan_file.h"
#include "planner_test_support.h"
#include "run_panel.h"

namespace {

const kelvo::TPlanBudget kThirtyEuros{30, kelvo::TBudgetUnit::Euros, kelvo::TBudgetGoal::Winnings};

// The budget's controls, in the order the player meets them.
struct TBudgetControls {
    explicit TBudgetControls(const QWidget* owner)
        : On(owner->findChild<QCheckBox*>("BudgetOn")),
          Amount(owner->findChild<QDoubleSpinBox*>("BudgetAmount")),
          Unit(owner->findChild<QComboBox*>("BudgetUnit")),
          Goal(owner->findChild<QComboBox*>("BudgetGoal")),
          Buys(owner->findChild<QLabel*>("BudgetBuys")) {}

    // Whether the amount, the unit and the goal can each be changed.
    QList<bool> Editable() const {
        return {Amount->isEnabled(), Unit->isEnabled(), Goal->isEnabled()};
    }

    QCheckBox* On;
    QDoubleSpinBox* Amount;
    QComboBox* Unit;
    QComboBox* Goal;
    QLabel* Buys;
};

// A plan of one column, 11111111111111, reduced to itself.
kelvo::TPlan ReducedPlan() {
    kelvo::TPlan plan;
    for (kelvo::TPlanMatch& match : plan.Matches) {
        match.Played = {true, false, false};
    }
    plan.Reduction = kelvo::TPlanReduction{{kelvo::MakeKey("11111111111111")}, {}};
    plan.Reduction->Report.Final = 1;
    return plan;
}

}  // namespace

class TBudgetPanelTest : public QObject {
    Q_OBJECT

public:
    explicit TBudgetPanelTest(const TTemporaryHome& home) : home_(home) {}

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    void a_budget_is_off_until_ticked_and_then_shows_the_chances_it_weighs() {
        TPlanner planner;
        const TBudgetControls budget(planner.Window.get());
        QVERIFY(budget.On && budget.Amount && budget.Unit && budget.Goal && budget.Buys);
        QCOMPARE(budget.On->text(), QStringLiteral("Pre&supuesto:"));
        QVERIFY(!budget.On->isChecked());
        QCOMPARE(budget.Editable(), QList<bool>({false, false, false}));
        QCOMPARE(budget.Buys->text(), QString());
        QVERIFY(!planner.Window->CurrentPlan().Budget);
        QVERIFY(!planner.Window->CurrentPlan().ChancesShown);

        QTest::mouseClick(budget.On, Qt::LeftButton, {}, QPoint(4, budget.On->height() / 2));
        QVERIFY(budget.On->isChecked());
        QCOMPARE(budget.Editable(), QList<bool>({true, true, true}));
        QCOMPARE(budget.Amount->text(), QStringLiteral("16"));
        QCOMPARE(budget.Unit->currentText(), QStringLiteral("col."));
        QCOMPARE(budget.Goal->currentText(), QStringLiteral("probabilidad"));
        QCOMPARE(budget.Buys->text(), QStringLiteral("Cuestan 12,00 €"));
        QVERIFY(planner.Control<QAction>("ChancesAction")->isChecked());
        QVERIFY(planner.Control<QWidget>("Chance1_1")->isVisible());
        const kelvo::TPlan plan = planner.Window->CurrentPlan();
        QVERIFY(plan.ChancesShown);
        QVERIFY(plan.Budget == kelvo::TPlanBudget{});

        planner.SetBudget(kThirtyEuros);
        QVERIFY(planner.Window->CurrentPlan().Budget == kThirtyEuros);
        QCOMPARE(budget.Goal->currentText(), QStringLiteral("ganancia"));
        // Hiding the chances drops the budget that weighs them.
        planner.Trigger("ChancesAction");
        QVERIFY(!budget.On->isChecked());
        QCOMPARE(budget.Editable(), QList<bool>({false, false, false}));
        QVERIFY(!planner.Window->CurrentPlan().Budget);
        QVERIFY(!planner.Window->CurrentPlan().ChancesShown);
        // The amount and unit stay as they were, for the next time it is ticked.
        QTest::mouseClick(budget.On, Qt::LeftButton, {}, QPoint(4, budget.On->height() / 2));
        QVERIFY(planner.Window->CurrentPlan().Budget == kThirtyEuros);
    }

    void the_amount_counts_whole_columns_or_cents_and_says_what_it_buys_data() {
        QTest::addColumn<int>("unit");
        QTest::addColumn<double>("amount");
        QTest::addColumn<double>("price");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("buys");
        const int columns = static_cast<int>(kelvo::TBudgetUnit::Columns);
        const int euros = static_cast<int>(kelvo::TBudgetUnit::Euros);
        QTest::newRow("one column") << columns << 1.0 << 0.75 << "1"
                                    << "Cuesta 0,75 €";
        QTest::newRow("columns rounded") << columns << 40.4 << 1.5 << "40"
                                         << "Cuestan 60,00 €";
        QTest::newRow("a full development") << columns << 1e9 << 0.75 << "4782969"
                                            << "Cuestan 3.587.226,75 €";
        QTest::newRow("euros") << euros << 30.0 << 0.75 << "30,00"
                               << "Da para 40 columnas";
        QTest::newRow("euros to the cent") << euros << 7.499 << 0.75 << "7,50"
                                           << "Da para 10 columnas";
        QTest::newRow("one column's euros") << euros << 1.2 << 0.75 << "1,20"
                                            << "Da para 1 columna";
        QTest::newRow("too few euros") << euros << 0.5 << 0.75 << "0,50"
                                       << "No da para ninguna columna";
        QTest::newRow("at least a cent") << euros << 0.0 << 0.75 << "0,01"
                                         << "No da para ninguna columna";
        QTest::newRow("no price") << euros << 30.0 << 0.0 << "30,00"
                                  << "No da para ninguna columna";
    }

    void the_amount_counts_whole_columns_or_cents_and_says_what_it_buys() {
        QFETCH(int, unit);
        QFETCH(double, amount);
        QFETCH(double, price);
        QFETCH(QString, shown);
        QFETCH(QString, buys);
        TPlanner planner;
        const TBudgetControls budget(planner.Window.get());
        planner.Control<QDoubleSpinBox>("Price")->setValue(price);
        planner.SetBudget(
            {amount, static_cast<kelvo::TBudgetUnit>(unit), kelvo::TBudgetGoal::Chance});
        QCOMPARE(budget.Amount->text(), shown);
        QCOMPARE(budget.Buys->text(), buys);
    }

    void what_euros_buy_follows_the_price_and_the_pleno() {
        TPlanner planner;
        const TBudgetControls budget(planner.Window.get());
        planner.SetBudget(kThirtyEuros);
        QCOMPARE(budget.Buys->text(), QStringLiteral("Da para 40 columnas"));
        planner.Control<QDoubleSpinBox>("Price")->setValue(1.5);
        QCOMPARE(budget.Buys->text(), QStringLiteral("Da para 20 columnas"));
        // Two results of the Pleno make each column two bets.
        kelvo::TPlan plan = planner.Window->CurrentPlan();
        plan.Pleno.Chosen[0] = true;
        plan.Pleno.Chosen[5] = true;
        const QString path = home_.Work() + "/pleno.kelvo";
        SavePlanAt(plan, path);
        QVERIFY(planner.Window->OpenPlanFile(path));
        QCOMPARE(budget.Buys->text(), QStringLiteral("Da para 10 columnas"));
        QCOMPARE(budget.Amount->text(), QStringLiteral("30,00"));
        QCOMPARE(budget.Unit->currentText(), QStringLiteral("€"));
        QCOMPARE(budget.Goal->currentText(), QStringLiteral("ganancia"));
        // The same amount in columns: the number stays, the unit says what it counts.
        budget.Unit->setCurrentIndex(0);
        QCOMPARE(budget.Amount->text(), QStringLiteral("30"));
        QCOMPARE(budget.Buys->text(), QStringLiteral("Cuestan 90,00 €"));
    }

    void a_run_locks_the_budget_and_a_change_is_a_change_of_the_reduction() {
        QAction reduce;
        QAction stop;
        TRunPanel panel(&reduce, &stop);
        const TBudgetControls budget(&panel);
        kelvo::TPlan plan;
        plan.ChancesShown = true;
        plan.Budget = kThirtyEuros;
        panel.Load(plan);
        QCOMPARE(budget.Buys->text(), QStringLiteral("Da para 40 columnas"));
        panel.SetWorking(true);
        QVERIFY(!budget.On->isEnabled());
        QCOMPARE(budget.Editable(), QList<bool>({false, false, false}));
        panel.SetWorking(false);
        QVERIFY(budget.On->isEnabled());
        QCOMPARE(budget.Editable(), QList<bool>({true, true, true}));

        QSignalSpy changed(&panel, &TRunPanel::Changed);
        budget.Amount->setValue(12);
        budget.Goal->setCurrentIndex(0);
        budget.Unit->setCurrentIndex(0);
        budget.On->setChecked(false);
        QCOMPARE(changed.count(), 4);
        for (const QList<QVariant>& signal : changed) {
            QCOMPARE(signal.at(0).value<TPlanChange>(), TPlanChange::Reduction);
        }
        kelvo::TPlan stored;
        panel.Store(stored);
        QVERIFY(!stored.Budget);
        budget.On->setChecked(true);
        panel.Store(stored);
        QVERIFY((stored.Budget ==
                 kelvo::TPlanBudget{12, kelvo::TBudgetUnit::Columns, kelvo::TBudgetGoal::Chance}));
        QCOMPARE(budget.Buys->text(), QStringLiteral("Cuestan 9,00 €"));
    }

    void ticking_a_budget_asks_before_the_reduction_in_force_goes() {
        TPlanner planner;
        const QString path = home_.Work() + "/una.kelvo";
        SavePlanAt(ReducedPlan(), path);
        QVERIFY(planner.Window->OpenPlanFile(path));
        QTRY_VERIFY(!planner.Window->Working());
        const TBudgetControls budget(planner.Window.get());
        QString asked;
        {
            TModalAnswerer answerer({ReadMessageBox(&asked, QMessageBox::No)});
            QTest::mouseClick(budget.On, Qt::LeftButton, {}, QPoint(4, budget.On->height() / 2));
            QCOMPARE(answerer.Answered(), 1);
        }
        QCOMPARE(asked, QStringLiteral(
                            "Se descartará la reducción de 1 columnas. ¿Quiere hacer el cambio?"));
        // Kept: the budget unticked, the chances hidden again, the reduction in force.
        QVERIFY(!budget.On->isChecked());
        QVERIFY(!planner.Control<QAction>("ChancesAction")->isChecked());
        QVERIFY(planner.Window->CurrentPlan() == ReducedPlan());
        QVERIFY(!planner.Window->isWindowModified());
        {
            TModalAnswerer answerer({ReadMessageBox(&asked, QMessageBox::Yes)});
            QTest::mouseClick(budget.On, Qt::LeftButton, {}, QPoint(4, budget.On->height() / 2));
            QCOMPARE(answerer.Answered(), 1);
        }
        const kelvo::TPlan plan = planner.Window->CurrentPlan();
        QVERIFY(!plan.Reduction);
        QVERIFY(plan.Budget == kelvo::TPlanBudget{});
        QVERIFY(plan.ChancesShown);
        QVERIFY(planner.Window->isWindowModified());
    }

    void a_damaged_budget_in_a_plan_file_is_told_in_the_players_words_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("message");
        const QString budget = QStringLiteral("Al plan p.kelvo le falta parte de su presupuesto.");
        const QString reduction = QStringLiteral("Al plan p.kelvo le falta parte de su reducción.");
        QTest::newRow("budget") << "budget" << budget;
        QTest::newRow("amount") << "budget.amount" << budget;
        QTest::newRow("unit") << "budget.unit" << budget;
        QTest::newRow("goal") << "budget.goal" << budget;
        QTest::newRow("choice") << "budgetChoice" << reduction;
        QTest::newRow("covered") << "budgetChoice.covered" << reduction;
        QTest::newRow("best possible") << "budgetChoice.bestPossible" << reduction;
        QTest::newRow("winnings bound") << "budgetChoice.winnings.bound" << reduction;
        QTest::newRow("chances hidden")
            << "chancesShown"
            << QStringLiteral("Al plan p.kelvo le falta decir si muestra las probabilidades.");
    }

    void a_damaged_budget_in_a_plan_file_is_told_in_the_players_words() {
        QFETCH(QString, field);
        QFETCH(QString, message);
        kelvo::TPlanRefusal refusal;
        refusal.Fault = kelvo::TPlanFault::BadField;
        refusal.Field = field.toStdString();
        QCOMPARE(PlanRefusalText(refusal, QStringLiteral("p.kelvo")), message);
    }

private:
    const TTemporaryHome& home_;
};

int main(int argc, char* argv[]) {
    const TTemporaryHome home;
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kelvo"));
    QCoreApplication::setApplicationName(QStringLiteral("kelvo-planner"));
    TBudgetPanelTest test(home);
    return QTest::qExec(&test, argc, argv);
}

#include "budget_panel_test.moc"
