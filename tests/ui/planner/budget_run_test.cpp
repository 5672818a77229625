// A budget chosen end to end: Reducir on a small development chooses at most the columns the
// budget pays for, as the engine chooses them for the same request, and the prize tab says how the
// choice went in the engine's figures; the choice is saved and reopened with the same figures; a
// budget that buys nothing, or chances that cannot be used, are refused before a run.
#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QTableView>
#include <QTest>

#include "chance_text.h"
#include "columns_model.h"
#include "common/player_numbers.h"
#include "plan_file.h"
#include "planner_test_support.h"

Q_DECLARE_METATYPE(kelvo::TPlanBudget)

namespace {

// Three free matches, the rest 1: 27 columns.
const std::vector<QString> kWeek = {"1X2", "1X2", "1X2", "1", "1", "1", "1",
                                    "1",   "1",   "1",   "1", "1", "1", "1"};

constexpr std::uint64_t kSeed = 5;
constexpr std::uint64_t kSteps = 400;

void PlayWeek(TPlanner& planner) {
    for (int match = 0; match < static_cast<int>(kWeek.size()); ++match) {
        planner.Play(match + 1, kWeek[match]);
    }
}

// The prize tab's words for a choice of `report` at `guarantee`, built from the report's figures.
QString ChoiceText(const kelvo::TBudgetReport& report, int guarantee) {
    const QString budget = QString::number(report.Budget);
    QStringList lines = {
        QStringLiteral("Probabilidad de %1 o más: %2 de %3 del pronóstico (cota %4)")
            .arg(QString::number(guarantee), PercentText(report.Covered),
                 PercentText(report.Forecast), PercentText(report.Bound))};
    if (report.Winnings) {
        lines.append(QStringLiteral("Elegidas por la ganancia esperada: ninguna elección de %1 "
                                    "columnas espera ganar más de %2; la elección rápida, %3")
                         .arg(budget, EurosText(report.Winnings->Bound),
                              EurosText(report.Winnings->Greedy)));
    } else {
        lines.append(QStringLiteral("Elección rápida: %1").arg(PercentText(report.Greedy)));
    }
    if (report.BestPossible) {
        lines.append(QStringLiteral("La mejor posible con %1 columnas").arg(budget));
    }
    return lines.join(QLatin1Char('\n'));
}

// What the engine chooses for the plan's budget over its development, as the window asks it.
kelvo::TBudgetChoice EngineChoice(const kelvo::TPlan& plan) {
    const std::vector<kelvo::TKey> columns =
        kelvo::DevelopColumns(kelvo::ForecastOf(plan), plan.Conditions, nullptr);
    kelvo::TBudgetRequest request;
    request.Columns = columns;
    request.Budget = kelvo::BudgetColumns(plan);
    request.Guarantee = plan.Guarantee;
    request.Week = kelvo::WeekPoolOf(plan);
    request.ByWinnings = plan.Budget->Goal == kelvo::TBudgetGoal::Winnings;
    kelvo::TOptimiserBudget optimise;
    optimise.Seed = kSeed;
    optimise.Steps = kSteps;
    request.Optimise = optimise;
    return kelvo::ChooseForBudget(request);
}

// The columns the columns tab lists, their signs read cell by cell.
QStringList ListedColumns(const TPlanner& planner) {
    const QAbstractItemModel* model = planner.Control<QTableView>("ColumnsView")->model();
    QStringList columns;
    for (int row = 0; row < model->rowCount(); ++row) {
        QString column;
        for (int match = 0; match < kelvo::kColumnLength; ++match) {
            column += model->index(row, TColumnsModel::kFirstSignColumn + match).data().toString();
        }
        columns << column;
    }
    return columns;
}

QStringList TextsOf(const std::vector<kelvo::TKey>& keys) {
    QStringList texts;
    for (const kelvo::TKey& key : keys) {
        texts << QString::fromStdString(kelvo::ColumnText(key));
    }
    return texts;
}

}  // namespace

class TBudgetRunTest : public QObject {
    Q_OBJECT

public:
    explicit TBudgetRunTest(const TTemporaryHome& home) : home_(home) {}

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    void reducir_chooses_the_engines_columns_for_the_budget_and_tells_its_figures_data() {
        QTest::addColumn<kelvo::TPlanBudget>("budget");
        QTest::newRow("4 columns by chance")
            << kelvo::TPlanBudget{4, kelvo::TBudgetUnit::Columns, kelvo::TBudgetGoal::Chance};
        QTest::newRow("3 euros by winnings")
            << kelvo::TPlanBudget{3, kelvo::TBudgetUnit::Euros, kelvo::TBudgetGoal::Winnings};
    }

    void reducir_chooses_the_engines_columns_for_the_budget_and_tells_its_figures() {
        QFETCH(kelvo::TPlanBudget, budget);
        TPlanner planner;
        PlayWeek(planner);
        QCOMPARE(planner.AwaitCount(), QStringLiteral("27 columnas"));
        planner.Control<QDoubleSpinBox>("Chance1_1")->setValue(60);
        planner.Control<QDoubleSpinBox>("Chance1_X")->setValue(25);
        planner.Control<QDoubleSpinBox>("Chance1_2")->setValue(15);
        planner.SetBudget(budget);
        planner.Window->SetSearchSteps(kSeed, kSteps);
        planner.Trigger("ReduceAction");
        QTRY_VERIFY_WITH_TIMEOUT(!planner.Window->Working(), 60000);

        const kelvo::TPlan plan = planner.Window->CurrentPlan();
        QVERIFY(plan.Budget == budget);
        QVERIFY(plan.Reduction && plan.Reduction->Budget);
        const kelvo::TBudgetReport& report = *plan.Reduction->Budget;
        QCOMPARE(report.Budget, std::size_t{4});
        QVERIFY(plan.Reduction->Columns.size() <= 4);
        QCOMPARE(report.Chosen, plan.Reduction->Columns.size());
        const kelvo::TBudgetChoice engine = EngineChoice(plan);
        QCOMPARE(TextsOf(plan.Reduction->Columns), TextsOf(engine.Chosen));
        QCOMPARE(report.Covered, engine.Report.Covered);
        QCOMPARE(report.Forecast, engine.Report.Forecast);
        QCOMPARE(report.Bound, engine.Report.Bound);
        QCOMPARE(report.Winnings.has_value(), engine.Report.Winnings.has_value());
        QCOMPARE(ListedColumns(planner), TextsOf(plan.Reduction->Columns));

        QCOMPARE(planner.Control<QLabel>("BudgetChoice")->text(),
                 ChoiceText(report, plan.Guarantee));
        QVERIFY(planner.Control<QLabel>("BudgetChoice")->isVisible());
        QCOMPARE(planner.Control<QLabel>("ReductionSummary")->text(),
                 QStringLiteral("%1 columnas elegidas con un presupuesto de 4 columnas · coste %2")
                     .arg(plan.Reduction->Columns.size())
                     .arg(EurosText(0.75 * static_cast<double>(plan.Reduction->Columns.size()))));
        QCOMPARE(planner.Control<QLabel>("BestSoFar")->text(),
                 QStringLiteral("Elegidas: %1 columnas").arg(plan.Reduction->Columns.size()));
        QCOMPARE(planner.Control<QLabel>("Phase")->text(), QStringLiteral("Terminado"));

        // Saved and reopened, the choice shows the same figures.
        const QString path = home_.Work() + "/presupuesto.kelvo";
        planner.Files->Answers = {path};
        planner.Trigger("SaveAsAction");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray::fromStdString(kelvo::PlanBytes(plan)));
        TPlanner reopened;
        QVERIFY(reopened.Window->OpenPlanFile(path));
        QTRY_VERIFY_WITH_TIMEOUT(!reopened.Window->Working(), 60000);
        QCOMPARE(kelvo::PlanBytes(reopened.Window->CurrentPlan()), kelvo::PlanBytes(plan));
        QCOMPARE(reopened.Control<QLabel>("BudgetChoice")->text(),
                 ChoiceText(report, plan.Guarantee));
        QVERIFY(reopened.Control<QCheckBox>("BudgetOn")->isChecked());
        QCOMPARE(ListedColumns(reopened), TextsOf(plan.Reduction->Columns));
    }

    void parar_keeps_the_best_columns_found_so_far() {
        TPlanner planner;
        PlayWeek(planner);
        QCOMPARE(planner.AwaitCount(), QStringLiteral("27 columnas"));
        planner.SetBudget({2, kelvo::TBudgetUnit::Columns, kelvo::TBudgetGoal::Chance});
        // More steps than the search could take before Parar: only the stop ends it.
        planner.Window->SetSearchSteps(kSeed, std::uint64_t{1} << 50);
        planner.Trigger("ReduceAction");
        QTRY_COMPARE_WITH_TIMEOUT(planner.Control<QLabel>("Phase")->text(),
                                  QStringLiteral("Eligiendo las columnas"), 30000);
        // The columns chosen so far are no smaller set found.
        QCOMPARE(planner.Control<QLabel>("BestSoFar")->text(), QString());
        planner.Trigger("StopAction");
        QCOMPARE(planner.Control<QLabel>("Phase")->text(), QStringLiteral("Parando..."));
        QTRY_VERIFY_WITH_TIMEOUT(!planner.Window->Working(), 30000);
        const kelvo::TPlan plan = planner.Window->CurrentPlan();
        QVERIFY(plan.Reduction && plan.Reduction->Budget);
        QVERIFY(plan.Reduction->Budget->Stopped);
        QVERIFY(!plan.Reduction->Columns.empty());
        QVERIFY(plan.Reduction->Columns.size() <= 2);
        QVERIFY(planner.Control<QLabel>("ReductionSummary")
                    ->text()
                    .endsWith(QStringLiteral(" · búsqueda parada")));
        QCOMPARE(planner.Control<QLabel>("BudgetChoice")->text(),
                 ChoiceText(*plan.Reduction->Budget, plan.Guarantee));
    }

    void a_budget_that_cannot_choose_is_refused_before_a_run_data() {
        QTest::addColumn<double>("euros");
        QTest::addColumn<double>("price");
        QTest::addColumn<double>("chance");
        QTest::addColumn<QString>("message");
        QTest::newRow("too few euros")
            << 0.5 << 0.75 << 50.0
            << "Un presupuesto de 0,50 € no da para ninguna columna: cada una cuesta 0,75 €.";
        QTest::newRow("no price") << 30.0 << 0.0 << 50.0
                                  << "El precio por columna es 0 €: un presupuesto en euros no da "
                                     "para ninguna columna. Ponga el precio o cuente el "
                                     "presupuesto en columnas.";
        QTest::newRow("chances that cannot be used")
            << 30.0 << 0.75 << 60.0
            << "El presupuesto elige las columnas por sus probabilidades, que no se pueden usar. "
               "Partido 1: las probabilidades suman 110; deben sumar 100.";
    }

    void a_budget_that_cannot_choose_is_refused_before_a_run() {
        QFETCH(double, euros);
        QFETCH(double, price);
        QFETCH(double, chance);
        QFETCH(QString, message);
        TPlanner planner;
        PlayWeek(planner);
        QCOMPARE(planner.AwaitCount(), QStringLiteral("27 columnas"));
        planner.Control<QDoubleSpinBox>("Price")->setValue(price);
        planner.SetBudget({euros, kelvo::TBudgetUnit::Euros, kelvo::TBudgetGoal::Chance});
        planner.Control<QDoubleSpinBox>("Chance1_1")->setValue(chance);
        QString shown;
        {
            TModalAnswerer answerer({ReadMessageBox(&shown, QMessageBox::Ok)});
            planner.Trigger("ReduceAction");
            QTRY_COMPARE(answerer.Answered(), 1);
        }
        QCOMPARE(shown, message);
        QVERIFY(!planner.Window->Working());
        QVERIFY(!planner.Window->CurrentPlan().Reduction);
        QCOMPARE(planner.Control<QLabel>("Phase")->text(), QString());
    }

private:
    const TTemporaryHome& home_;
};

int main(int argc, char* argv[]) {
    const TTemporaryHome home;
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kelvo"));
    QCoreApplication::setApplicationName(QStringLiteral("kelvo-planner"));
    TBudgetRunTest test(home);
    return QTest::qExec(&test, argc, argv);
}

#include "budget_run_test.moc"
