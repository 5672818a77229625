// The forecast's Pleno al 15 and the public's percentages: the goals toggled choose every home goal
// against every away goal, the figures go to and from the plan and say they weigh on the value,
// they show with the chances, Tab runs through them as they are read, and every cost counts the
// Pleno's bets and the slips the columns take.
#include <QApplication>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <set>
#include <string>

#include "forecast_panel.h"
#include "planner_test_support.h"

Q_DECLARE_METATYPE(TPlanChange)

namespace {

const QString kGoals = QStringLiteral("012M");

// The Pleno whose chosen results are `results`, written as PlenoResultText writes them.
kelvo::TPleno PlenoOf(const std::set<std::string>& results) {
    kelvo::TPleno pleno;
    for (int result = 0; result < kelvo::kPlenoResults; ++result) {
        pleno.Chosen[result] = results.contains(kelvo::PlenoResultText(result));
    }
    return pleno;
}

std::set<std::string> ChosenResults(const kelvo::TPleno& pleno) {
    std::set<std::string> results;
    for (int result = 0; result < kelvo::kPlenoResults; ++result) {
        if (pleno.Chosen[result]) {
            results.insert(kelvo::PlenoResultText(result));
        }
    }
    return results;
}

// The goals toggled on each side, as "home/away": "02/1M".
QString Toggled(const QWidget& panel) {
    QStringList sides;
    for (const char* team : {"Home", "Away"}) {
        QString toggled;
        for (QChar goal : kGoals) {
            const auto* button = panel.findChild<QToolButton*>(
                QStringLiteral("Pleno%1%2").arg(QLatin1String(team)).arg(goal));
            if (button->isChecked()) {
                toggled += goal;
            }
        }
        sides << toggled;
    }
    return sides.join(QLatin1Char('/'));
}

}  // namespace

class TForecastPlenoTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    void a_cost_counts_the_pleno_and_the_slips() {
        struct TCase {
            std::size_t Columns;
            double Price;
            std::set<std::string> Results;
            const char* Text;
        };
        const std::vector<TCase> cases = {
            {0, 0.75, {}, "0,00 €"},
            {0, 0.75, {"1-1", "2-2"}, "0,00 €"},
            {1, 0.75, {}, "0,75 € (1 boleto: un boleto lleva al menos 2 columnas)"},
            {1,
             0.75,
             {"0-0", "0-1", "M-0", "M-1"},
             "3,00 € (1 columna × 4 resultados del Pleno, 1 boleto: un boleto lleva al menos 2 "
             "columnas)"},
            {2, 0.75, {}, "1,50 € (1 boleto)"},
            {8, 0.75, {"2-1"}, "6,00 € (1 boleto)"},
            {9, 0.75, {}, "6,75 € (2 boletos)"},
            {72, 0.75, {}, "54,00 € (9 boletos)"},
            {72,
             0.75,
             {"1-0", "1-1"},
             "108,00 € (72 columnas × 2 resultados del Pleno, 9 boletos)"},
            {4782969,
             0.75,
             {"0-0", "0-1", "0-2", "0-M", "1-0", "1-1", "1-2", "1-M", "2-0", "2-1", "2-2", "2-M",
              "M-0", "M-1", "M-2", "M-M"},
             "57.395.628,00 € (4.782.969 columnas × 16 resultados del Pleno, 597.872 boletos)"},
            {73,
             1.5,
             {"M-M", "0-0", "1-1"},
             "328,50 € (73 columnas × 3 resultados del Pleno, 10 boletos)"},
        };
        for (const TCase& test : cases) {
            const kelvo::TPleno pleno = PlenoOf(test.Results);
            QCOMPARE(kelvo::CostOf(test.Columns, test.Price, pleno),
                     static_cast<double>(test.Columns) * test.Price *
                         static_cast<double>(std::max<std::size_t>(1, test.Results.size())));
            QCOMPARE(TForecastPanel::CostText(test.Columns, test.Price, pleno),
                     QString::fromUtf8(test.Text));
        }
    }

    void the_goals_toggled_play_every_home_goal_against_every_away_goal() {
        TPlanner planner;
        QCOMPARE(planner.AwaitCount(), QStringLiteral("72 columnas"));
        auto* cost = planner.Control<QLabel>("ColumnCost");
        struct TStep {
            const char* Toggle;
            std::set<std::string> Chosen;
            const char* Cost;
        };
        const std::vector<TStep> steps = {
            // One side alone plays no result: the Pleno is not played.
            {"PlenoHome1", {}, "Coste: 54,00 € (9 boletos)"},
            {"PlenoAway0", {"1-0"}, "Coste: 54,00 € (9 boletos)"},
            {"PlenoHomeM",
             {"1-0", "M-0"},
             "Coste: 108,00 € (72 columnas × 2 resultados del Pleno, 9 boletos)"},
            {"PlenoAway2",
             {"1-0", "1-2", "M-0", "M-2"},
             "Coste: 216,00 € (72 columnas × 4 resultados del Pleno, 9 boletos)"},
            {"PlenoAway0",
             {"1-2", "M-2"},
             "Coste: 108,00 € (72 columnas × 2 resultados del Pleno, 9 boletos)"},
            {"PlenoAway2", {}, "Coste: 54,00 € (9 boletos)"},
        };
        for (const TStep& step : steps) {
            QTest::mouseClick(planner.Control<QToolButton>(step.Toggle), Qt::LeftButton);
            QVERIFY2(ChosenResults(planner.Window->CurrentPlan().Pleno) == step.Chosen,
                     step.Toggle);
            QCOMPARE(cost->text(), QString::fromUtf8(step.Cost));
        }
        // The Pleno weighs on the value, never on the columns: none is counted again.
        QVERIFY(!planner.Window->Counting());
        QCOMPARE(planner.Control<QLabel>("ColumnCount")->text(), QStringLiteral("72 columnas"));
        QVERIFY(planner.Window->windowTitle().contains(QLatin1Char('*')));
    }

    void load_toggles_the_goals_of_the_chosen_results_and_store_plays_them_all() {
        struct TCase {
            std::set<std::string> Loaded;
            const char* Toggled;
            std::set<std::string> Stored;
        };
        const std::vector<TCase> cases = {
            {{}, "/", {}},
            {{"0-1"}, "0/1", {"0-1"}},
            {{"0-1", "0-M", "2-1", "2-M"}, "02/1M", {"0-1", "0-M", "2-1", "2-M"}},
            // Results that are no product of goals are widened to the goals they name.
            {{"0-0", "M-2"}, "0M/02", {"0-0", "0-2", "M-0", "M-2"}},
        };
        for (const TCase& test : cases) {
            TForecastPanel panel;
            kelvo::TPlan plan = kelvo::StartingPlan();
            plan.Pleno = PlenoOf(test.Loaded);
            panel.Load(plan);
            QCOMPARE(Toggled(panel), QString::fromLatin1(test.Toggled));
            kelvo::TPlan stored;
            panel.Store(stored);
            QVERIFY(ChosenResults(stored.Pleno) == test.Stored);
        }
    }

    void the_figures_go_to_and_from_the_plan_and_say_what_they_touch() {
        kelvo::TPlan plan = kelvo::StartingPlan();
        plan.ChancesShown = true;
        for (int match = 0; match < kelvo::kColumnLength; ++match) {
            plan.Matches[match].Public = {40.5 + match, 30, 29.5 - match};
        }
        plan.Pleno = PlenoOf({"1-1", "1-2"});
        plan.Pleno.Teams = "Betis - Sevilla";
        plan.Pleno.Chances = {{{10, 20, 30, 40}, {25, 25, 25.5, 24.5}}};
        plan.Pleno.Public = {{{40, 30, 20, 10}, {50, 30, 15, 5}}};
        TForecastPanel panel;
        QSignalSpy changes(&panel, &TForecastPanel::Changed);
        panel.Load(plan);
        QCOMPARE(changes.count(), 0);
        QCOMPARE(panel.findChild<QDoubleSpinBox*>("Public14_2")->value(), 16.5);
        QCOMPARE(panel.findChild<QDoubleSpinBox*>("Public14_2")->text(), QStringLiteral("16,5"));
        QCOMPARE(panel.findChild<QDoubleSpinBox*>("PlenoChanceAway2")->text(),
                 QStringLiteral("25,5"));
        QCOMPARE(panel.findChild<QDoubleSpinBox*>("PlenoPublicHomeM")->value(), 10.0);
        QCOMPARE(panel.findChild<QLineEdit*>("PlenoTeams")->text(),
                 QStringLiteral("Betis - Sevilla"));
        kelvo::TPlan stored;
        panel.Store(stored);
        QVERIFY(stored == plan);

        struct TEdit {
            const char* Control;
            TPlanChange Change;
        };
        const std::vector<TEdit> edits = {
            {"Public3_X", TPlanChange::Value},        {"PlenoChanceHome0", TPlanChange::Value},
            {"PlenoPublicAwayM", TPlanChange::Value}, {"PlenoAway0", TPlanChange::Value},
            {"PlenoTeams", TPlanChange::Other},       {"Chance3_X", TPlanChange::Chances},
        };
        for (const TEdit& edit : edits) {
            changes.clear();
            QWidget* control = panel.findChild<QWidget*>(edit.Control);
            if (auto* box = qobject_cast<QDoubleSpinBox*>(control)) {
                box->setValue(box->value() + 1);
            } else if (auto* button = qobject_cast<QToolButton*>(control)) {
                button->click();
            } else {
                QTest::keyClicks(qobject_cast<QLineEdit*>(control), QStringLiteral("!"));
            }
            QCOMPARE(changes.count(), 1);
            QCOMPARE(changes[0][0].value<TPlanChange>(), edit.Change);
        }
        panel.Store(stored);
        QCOMPARE(stored.Matches[2].Public[1], 31.0);
        QCOMPARE(stored.Pleno.Chances[0][0], 11.0);
        QCOMPARE(stored.Pleno.Public[1][3], 6.0);
        QVERIFY(ChosenResults(stored.Pleno) == (std::set<std::string>{"1-0", "1-1", "1-2"}));
        QCOMPARE(stored.Pleno.Teams, std::string("Betis - Sevilla!"));
    }

    void the_percentages_show_with_the_chances_and_the_toggles_always() {
        TForecastPanel panel;
        const QStringList withChances = {"Public1_1",        "Public14_2",
                                         "PlenoChanceHome0", "PlenoChanceAwayM",
                                         "PlenoPublicHome2", "PlenoPublicAwayM"};
        const QStringList always = {"Sign1_1", "PlenoTeams", "PlenoHome0", "PlenoAwayM"};
        for (bool shown : {true, false, true}) {
            panel.ShowChances(shown);
            for (const QString& name : withChances) {
                QVERIFY2(panel.findChild<QWidget*>(name)->isHidden() == !shown, qPrintable(name));
            }
            for (const QString& name : always) {
                QVERIFY2(!panel.findChild<QWidget*>(name)->isHidden(), qPrintable(name));
            }
        }
    }

    void with_the_chances_shown_the_panels_fit_a_window_of_1000_by_700_without_scrolling() {
        TPlanner planner;
        planner.Window->resize(1000, 700);
        planner.Trigger("ChancesAction");
        QVERIFY(planner.Control<QWidget>("PlenoPublicAwayM")->isVisible());
        auto* scroll = planner.Control<QScrollArea>("PanelsScroll");
        QTRY_COMPARE(scroll->widget()->size(), scroll->viewport()->size());
        const QSize needed = scroll->widget()->minimumSizeHint();
        QVERIFY2(needed.width() <= scroll->viewport()->width() &&
                     needed.height() <= scroll->viewport()->height(),
                 qPrintable(QStringLiteral("%1x%2").arg(needed.width()).arg(needed.height())));
        QVERIFY(!scroll->horizontalScrollBar()->isVisible());
        QVERIFY(!scroll->verticalScrollBar()->isVisible());
    }

    void tab_runs_through_the_pleno_a_line_of_goals_at_a_time() {
        for (bool chances : {true, false}) {
            TPlanner planner;
            if (chances) {
                planner.Trigger("ChancesAction");
            }
            planner.Window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(planner.Window.get()));
            planner.Control<QWidget>("Public14_2")->setFocus();
            planner.Control<QWidget>("Sign14_2")->setFocus();
            QStringList visited;
            while (visited.size() < 40 && QApplication::focusWidget() != nullptr &&
                   QApplication::focusWidget()->objectName() != QLatin1String("Price")) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                visited.append(QApplication::focusWidget()->objectName());
            }
            QStringList expected;
            if (chances) {
                expected << "Chance14_1"
                         << "Chance14_X"
                         << "Chance14_2"
                         << "Public14_1"
                         << "Public14_X"
                         << "Public14_2";
            }
            expected << "PlenoTeams";
            for (QChar goal : kGoals) {
                expected << QStringLiteral("PlenoHome%1").arg(goal)
                         << QStringLiteral("PlenoAway%1").arg(goal);
                if (chances) {
                    expected << QStringLiteral("PlenoChanceHome%1").arg(goal)
                             << QStringLiteral("PlenoChanceAway%1").arg(goal)
                             << QStringLiteral("PlenoPublicHome%1").arg(goal)
                             << QStringLiteral("PlenoPublicAway%1").arg(goal);
                }
            }
            expected << "Price";
            QCOMPARE(visited, expected);

            // Space plays the goal in focus, as it plays a sign.
            planner.Control<QWidget>("PlenoAway1")->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
            planner.Control<QWidget>("PlenoHome1")->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
            QVERIFY(ChosenResults(planner.Window->CurrentPlan().Pleno) ==
                    std::set<std::string>{"1-1"});
        }
    }
};

int main(int argc, char* argv[]) {
    const TTemporaryHome home;
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kelvo"));
    QCoreApplication::setApplicationName(QStringLiteral("kelvo-planner"));
    TForecastPlenoTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "forecast_pleno_test.moc"
