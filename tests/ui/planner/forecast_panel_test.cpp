// The forecast as the player reads it: the plan a week starts from, a count that names the
// condition leaving no column and holds back what needs columns, the costs of the development
// and of the reduction, and a panel that neither moves nor widens the window.
#include <QAction>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QScrollArea>
#include <QTest>

#include "condition_text.h"
#include "plan_file.h"
#include "planner_test_support.h"
#include "ui_test_support.h"

namespace {

// The signs of the plan a week starts from, match by match.
const std::vector<QString> kStartingWeek = {"1X", "1",  "1", "X2", "1", "1X2", "2",
                                            "1",  "1X", "1", "X",  "1", "1",   "1X2"};

const QStringList kColumnActions = {"ReduceAction", "SaveColumnsAction", "PrintAction",
                                    "ExportPdfAction"};

kelvo::TCondition Signs(char sign, int least, int most) {
    kelvo::TCondition condition;
    condition.Sign = sign;
    condition.Least = least;
    condition.Most = most;
    return condition;
}

// The plan a week starts from with `conditions` and a reduction of two of its columns in force,
// chosen from anywhere so that the reduction may stand beside conditions that leave no column.
kelvo::TPlan StartingPlanWith(std::vector<kelvo::TCondition> conditions) {
    kelvo::TPlan plan = kelvo::StartingPlan();
    plan.Conditions = std::move(conditions);
    plan.Anywhere = true;
    plan.Reduction = kelvo::TPlanReduction{
        {kelvo::MakeKey("1112112111X111"), kelvo::MakeKey("X11X1X21X1X112")}, {}};
    plan.Reduction->Report.Final = 2;
    return plan;
}

// The actions of kColumnActions that are enabled.
QStringList EnabledColumnActions(const TPlanner& planner) {
    QStringList enabled;
    for (const QString& name : kColumnActions) {
        if (planner.Control<QAction>(name)->isEnabled()) {
            enabled.append(name);
        }
    }
    return enabled;
}

}  // namespace

class TForecastPanelTest : public QObject {
    Q_OBJECT

public:
    explicit TForecastPanelTest(const TTemporaryHome& home) : home_(home) {}

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    void a_new_plan_starts_from_a_few_doubles_and_triples() {
        TPlanner planner;
        QCOMPARE(LiteralDevelopment(kStartingWeek).size(), std::size_t{72});
        QCOMPARE(planner.AwaitCount(), QStringLiteral("72 columnas"));
        QCOMPARE(planner.Control<QLabel>("ColumnCost")->text(),
                 QStringLiteral("Coste: 54,00 € (9 boletos)"));
        for (int match = 0; match < kelvo::kColumnLength; ++match) {
            QCOMPARE(planner.Control<QWidget>(QStringLiteral("Sign%1_X").arg(match + 1))
                         ->property("checked")
                         .toBool(),
                     kStartingWeek[match].contains('X'));
        }
        planner.Play(1, "2");
        planner.Play(6, "1");
        QCOMPARE(planner.AwaitCount(), QStringLiteral("12 columnas"));
        planner.Messages->SetNextAnswer(QMessageBox::Discard);
        planner.Trigger("NewAction");
        QCOMPARE(planner.AwaitCount(), QStringLiteral("72 columnas"));
        QVERIFY(planner.Window->CurrentPlan() == kelvo::StartingPlan());
    }

    void conditions_that_leave_no_column_name_the_one_to_loosen() {
        struct TCase {
            const char* Name;
            std::vector<kelvo::TCondition> Conditions;
            // The condition named, or -1 for none.
            int Named;
        };
        // Matches 2, 3, 5, 8, 10, 12 and 13 play 1 alone, 11 X alone, 7 2 alone.
        const std::vector<TCase> cases = {
            {"one condition no column meets", {Signs('X', 14, 14)}, 0},
            {"a condition every column meets comes first",
             {Signs('1', 7, 14), Signs('X', 14, 14)},
             1},
            {"neither of two is enough alone", {Signs('X', 0, 0), Signs('2', 0, 0)}, -1},
        };
        for (const TCase& test : cases) {
            const QString path = home_.Work() + "/vacio.kelvo";
            QVERIFY(WriteBytes(path, QByteArray::fromStdString(
                                         kelvo::PlanBytes(StartingPlanWith(test.Conditions)))));
            TPlanner planner;
            QVERIFY(planner.Window->OpenPlanFile(path));
            const QString expected =
                test.Named < 0 ? QStringLiteral("Ninguna columna cumple todas las condiciones")
                               : QStringLiteral("Ninguna columna cumple «%1»")
                                     .arg(DescribeCondition(test.Conditions[test.Named]));
            QCOMPARE(planner.AwaitCount(), expected);
            QCOMPARE(planner.Control<QLabel>("ColumnCost")->text(),
                     QStringLiteral("Coste: 0,00 €"));
            QTRY_VERIFY_WITH_TIMEOUT(!planner.Window->Working(), 30000);
            QCOMPARE(EnabledColumnActions(planner), QStringList());
            QVERIFY(!planner.Control<QWidget>("ReduceButton")->isEnabled());
            // Ctrl+R on a disabled action starts nothing.
            QTest::keyClick(planner.Window.get(), Qt::Key_R, Qt::ControlModifier);
            QVERIFY(!planner.Window->Working());

            // Without the conditions the columns come back, and with them Reducir.
            auto* list = planner.Control<QListWidget>("ConditionList");
            planner.Messages->SetNextAnswer(QMessageBox::Yes);  // the plan's reduction goes
            while (list->count() > 0) {
                list->setCurrentRow(0);
                planner.Trigger("RemoveConditionAction");
            }
            QCOMPARE(planner.AwaitCount(), QStringLiteral("72 columnas"));
            QCOMPARE(EnabledColumnActions(planner), QStringList{"ReduceAction"});
            QVERIFY(planner.Control<QWidget>("ReduceButton")->isEnabled());
        }
    }

    void the_reduction_in_force_shows_its_own_cost() {
        const QString path = home_.Work() + "/reducido.kelvo";
        kelvo::TPlan plan = StartingPlanWith({});
        plan.Price = 1.5;
        QVERIFY(WriteBytes(path, QByteArray::fromStdString(kelvo::PlanBytes(plan))));
        TPlanner planner;
        QCOMPARE(planner.Control<QLabel>("ReductionCost")->text(), QString());
        QVERIFY(planner.Window->OpenPlanFile(path));
        QCOMPARE(planner.AwaitCount(), QStringLiteral("72 columnas"));
        QCOMPARE(planner.Control<QLabel>("ColumnCost")->text(),
                 QStringLiteral("Coste: 108,00 € (9 boletos)"));
        QCOMPARE(planner.Control<QLabel>("ReductionCost")->text(),
                 QStringLiteral("Reducción: 2 columnas, 3,00 € (1 boleto)"));
        planner.Control<QDoubleSpinBox>("Price")->setValue(0.5);
        QCOMPARE(planner.Control<QLabel>("ColumnCost")->text(),
                 QStringLiteral("Coste: 36,00 € (9 boletos)"));
        QCOMPARE(planner.Control<QLabel>("ReductionCost")->text(),
                 QStringLiteral("Reducción: 2 columnas, 1,00 € (1 boleto)"));

        QTRY_VERIFY_WITH_TIMEOUT(!planner.Window->Working(), 30000);
        planner.Window->SetSearchSteps(1, 200);
        planner.Messages->SetNextAnswer(QMessageBox::Ok);  // the new reduction replaces the plan's
        planner.Trigger("ReduceAction");
        QTRY_VERIFY_WITH_TIMEOUT(!planner.Window->Working(), 60000);
        const std::size_t reduced = planner.Window->CurrentPlan().Reduction->Columns.size();
        QCOMPARE(planner.Control<QLabel>("ReductionCost")->text(),
                 QStringLiteral("Reducción: %1 columnas, %2 (%3 boletos)")
                     .arg(reduced)
                     .arg(QLocale().toString(static_cast<double>(reduced) * 0.5, 'f', 2) +
                          QStringLiteral(" €"))
                     .arg((reduced + 7) / 8));

        // A change of the development sets the reduction aside, and its cost with it.
        planner.Messages->SetNextAnswer(QMessageBox::Yes);
        planner.Play(2, "1X");
        QCOMPARE(planner.Control<QLabel>("ReductionCost")->text(), QString());
        QCOMPARE(planner.AwaitCount(), QStringLiteral("144 columnas"));
    }

    void the_count_neither_moves_nor_widens_the_forecast() {
        TPlanner planner;
        planner.Window->resize(1000, 700);
        planner.AwaitCount();
        QApplication::processEvents();
        auto* box = planner.Control<QGroupBox>("ForecastBox");
        auto* teams = planner.Control<QLineEdit>("Teams1");
        const int width = box->width();
        const int hinted = box->sizeHint().width();
        const QPoint place = teams->mapTo(planner.Window.get(), QPoint());

        kelvo::TCondition group = Signs('X', 1, 2);
        group.Kind = kelvo::TConditionKind::Group;
        group.First = 1;
        group.Last = 2;
        const QString path = home_.Work() + "/largo.kelvo";
        QVERIFY(WriteBytes(path,
                           QByteArray::fromStdString(kelvo::PlanBytes(StartingPlanWith({group})))));
        QVERIFY(planner.Window->OpenPlanFile(path));
        QCOMPARE(planner.AwaitCount(),
                 QStringLiteral("Ninguna columna cumple «%1»").arg(DescribeCondition(group)));
        QApplication::processEvents();
        QCOMPARE(box->sizeHint().width(), hinted);
        QCOMPARE(box->width(), width);
        QCOMPARE(teams->mapTo(planner.Window.get(), QPoint()), place);
    }

    void the_chances_do_not_widen_the_window_past_1024_pixels() {
        TPlanner planner;
        planner.Window->resize(1000, 700);
        planner.Trigger("ChancesAction");
        QVERIFY(planner.Control<QWidget>("Chance1_1")->isVisible());
        QApplication::processEvents();
        // The panels' own width: beyond the window's, they would scroll.
        const int panels =
            planner.Control<QScrollArea>("PanelsScroll")->widget()->minimumSizeHint().width();
        QVERIFY2(panels <= 1024, QByteArray::number(panels));
        QVERIFY2(planner.Window->width() <= 1024, QByteArray::number(planner.Window->width()));
    }

private:
    const TTemporaryHome& home_;
};

int main(int argc, char* argv[]) {
    const TTemporaryHome home;
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kelvo"));
    QCoreApplication::setApplicationName(QStringLiteral("kelvo-planner"));
    TForecastPanelTest test(home);
    return QTest::qExec(&test, argc, argv);
}

#include "forecast_panel_test.moc"
