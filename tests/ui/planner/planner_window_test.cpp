// The planner driven through its real controls: a whole week, the live count, the search stopped
// and the window closed during a run, and every plan file it refuses.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <random>

#include "columns_model.h"
#include "modes/conditions.h"
#include "modes/prizes.h"
#include "modes/reduction.h"
#include "plan_file.h"
#include "planner_test_support.h"
#include "ui_test_support.h"

namespace {

// The chances of every match of `plan`, as the engine weighs them.
kelvo::TChances ChancesOfPlan(const kelvo::TPlan& plan) {
    kelvo::TChances chances{};
    for (int match = 0; match < kelvo::kColumnLength; ++match) {
        chances[match] = plan.Matches[match].Chances;
    }
    return chances;
}

// The week: six matches played with all three signs, eight with 1 alone.
const std::vector<QString> kWeek = {"1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1",
                                    "1",   "1",   "1",   "1",   "1",   "1",   "1"};

int CountOf(const std::string& column, char sign) {
    return static_cast<int>(std::count(column.begin(), column.end(), sign));
}

// The week's columns with 1 to 4 X, written out.
std::vector<std::string> WeekWithXs() {
    std::vector<std::string> kept;
    for (const std::string& column : LiteralDevelopment(kWeek)) {
        if (CountOf(column, 'X') >= 1 && CountOf(column, 'X') <= 4) {
            kept.push_back(column);
        }
    }
    return kept;
}

void PlayWeek(TPlanner& planner, const std::vector<QString>& week) {
    for (int match = 0; match < static_cast<int>(week.size()); ++match) {
        planner.Play(match + 1, week[match]);
    }
}

// Fills and accepts the condition dialog: kind and sign by their combo index.
TModalAnswerer::THandler EnterCondition(int kind, int sign, int least, int most,
                                        QString* preview = nullptr) {
    return [=](QWidget* modal) {
        modal->findChild<QComboBox*>("ConditionKind")->setCurrentIndex(kind);
        modal->findChild<QComboBox*>("ConditionSign")->setCurrentIndex(sign);
        modal->findChild<QSpinBox*>("ConditionLeast")->setValue(least);
        modal->findChild<QSpinBox*>("ConditionMost")->setValue(most);
        if (preview != nullptr) {
            *preview = modal->findChild<QLabel*>("ConditionPreview")->text();
        }
        // A click by code: under a loaded window manager the dialog may not be mapped yet, and a
        // synthesised mouse click on a button not yet on screen can miss it.
        modal->findChild<QDialogButtonBox*>("ConditionButtons")
            ->button(QDialogButtonBox::Ok)
            ->click();
    };
}

TModalAnswerer::THandler ReadBox(QString* text, QMessageBox::StandardButton answer) {
    return [=](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        *text = box != nullptr ? box->text() : QStringLiteral("(no message box)");
        if (box != nullptr) {
            box->button(answer)->click();
        } else {
            modal->close();
        }
    };
}

QString Cell(const TPlanner& planner, int row, int column) {
    const QTableWidgetItem* item = planner.Control<QTableWidget>("PrizeTable")->item(row, column);
    return item != nullptr ? item->text() : QString();
}

}  // namespace

class TPlannerWindowTest : public QObject {
    Q_OBJECT

public:
    explicit TPlannerWindowTest(const TTemporaryHome& home) : home_(home) {}

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    void a_whole_week_from_forecast_to_score() {
        TPlanner planner;
        PlayWeek(planner, kWeek);
        QCOMPARE(planner.AwaitCount(), QStringLiteral("729 columnas"));
        QCOMPARE(planner.Control<QLabel>("ColumnCost")->text(),
                 QStringLiteral("Coste: 546,75 € (92 boletos)"));
        planner.Control<QLineEdit>("Teams1")->setText(QStringLiteral("Betis - Sevilla"));

        QString preview;
        {
            TModalAnswerer answerer({EnterCondition(0, 1, 1, 4, &preview)});
            planner.Trigger("AddConditionAction");
            QCOMPARE(answerer.Answered(), 1);
        }
        QCOMPARE(preview, QStringLiteral("entre 1 y 4 equis"));
        QCOMPARE(planner.Control<QListWidget>("ConditionList")->item(0)->text(), preview);
        const std::vector<std::string> development = WeekWithXs();
        QCOMPARE(development.size(), std::size_t{652});
        QCOMPARE(planner.AwaitCount(), QStringLiteral("652 columnas"));
        QCOMPARE(planner.Control<QLabel>("ColumnCost")->text(),
                 QStringLiteral("Coste: 489,00 € (82 boletos)"));

        planner.Window->SetSearchSteps(7, 3000);
        planner.Trigger("ReduceAction");
        QTRY_VERIFY_WITH_TIMEOUT(!planner.Window->Working(), 60000);
        const kelvo::TPlan plan = planner.Window->CurrentPlan();
        QVERIFY(plan.Reduction);
        const std::vector<kelvo::TKey>& chosen = plan.Reduction->Columns;
        QVERIFY(LiterallyCovers(development, chosen, 1));
        for (const kelvo::TKey& key : chosen) {
            QVERIFY(std::find(development.begin(), development.end(), kelvo::ColumnText(key)) !=
                    development.end());
        }
        QVERIFY(chosen.size() <= plan.Reduction->Report.Greedy);
        QCOMPARE(plan.Reduction->Report.Final, chosen.size());

        // The same seed and steps give the same reduction.
        TPlanner again;
        PlayWeek(again, kWeek);
        {
            TModalAnswerer answerer({EnterCondition(0, 1, 1, 4)});
            again.Trigger("AddConditionAction");
        }
        again.Window->SetSearchSteps(7, 3000);
        again.Trigger("ReduceAction");
        QTRY_VERIFY_WITH_TIMEOUT(!again.Window->Working(), 60000);
        QVERIFY(again.Window->CurrentPlan().Reduction->Columns == chosen);

        // What it wins, against every result of the development counted literally.
        std::size_t most13 = 0;
        std::size_t sum13 = 0;
        std::array<std::size_t, 6> best{};
        for (const std::string& result : development) {
            int top = 0;
            std::size_t with13 = 0;
            for (const kelvo::TKey& key : chosen) {
                const int right = SignsRight(result, kelvo::ColumnText(key));
                top = std::max(top, right);
                with13 += right == 13;
            }
            ++best[std::min(5, 14 - top)];
            sum13 += with13;
            most13 = std::max(most13, with13);
        }
        QCOMPARE(best[0], chosen.size());
        QCOMPARE(best[0] + best[1], std::size_t{652});
        for (int row = 0; row < 6; ++row) {
            QCOMPARE(Cell(planner, row, 0), QString::number(best[row]));
        }
        QCOMPARE(Cell(planner, 1, 1),
                 QLocale().toString(static_cast<double>(sum13) / 652.0, 'f', 2));
        QCOMPARE(Cell(planner, 1, 2), QString::number(most13));
        QCOMPARE(planner.Control<QLabel>("Guaranteed")->text(),
                 QStringLiteral("652 resultados del desarrollo · garantizados 13 aciertos"));
        const QString size = QString::number(chosen.size());
        QVERIFY(planner.Control<QLabel>("ReductionSummary")
                    ->text()
                    .startsWith(size + QStringLiteral(" columnas reducidas al 13 · coste ")));

        // The columns file, byte for byte in the list's order.
        const QString columnsPath = home_.Work() + "/semana.txt";
        planner.Files->Answers = {columnsPath};
        planner.Trigger("SaveColumnsAction");
        QByteArray expected;
        for (const kelvo::TKey& key : chosen) {
            expected += QByteArray::fromStdString(kelvo::ColumnText(key)) + "\r\n";
        }
        QCOMPARE(ReadBytes(columnsPath), expected);
        QCOMPARE(planner.Control<QTableView>("ColumnsView")->model()->rowCount(),
                 static_cast<int>(chosen.size()));

        // The PDF of the columns.
        const QString pdfPath = home_.Work() + "/semana.pdf";
        planner.Files->Answers = {pdfPath};
        planner.Trigger("ExportPdfAction");
        QVERIFY(ReadBytes(pdfPath).startsWith("%PDF-"));

        // The week's result marks the signs right.
        const std::string result = development[development.size() / 2];
        QTest::keyClicks(planner.Control<QLineEdit>("ResultEdit"),
                         QString::fromStdString(result).toLower());
        std::array<std::size_t, 5> hits{};
        for (const kelvo::TKey& key : chosen) {
            const int missed = 14 - SignsRight(result, kelvo::ColumnText(key));
            if (missed < 5) {
                ++hits[missed];
            }
        }
        QCOMPARE(planner.Control<QLabel>("HitCounts")->text(),
                 QStringLiteral("14: %1 · 13: %2 · 12: %3 · 11: %4 · 10: %5")
                     .arg(hits[0])
                     .arg(hits[1])
                     .arg(hits[2])
                     .arg(hits[3])
                     .arg(hits[4]));
        const QAbstractItemModel* model = planner.Control<QTableView>("ColumnsView")->model();
        const std::string first = kelvo::ColumnText(chosen[0]);
        for (int match = 0; match < 14; ++match) {
            const QModelIndex cell = model->index(0, TColumnsModel::kFirstSignColumn + match);
            QCOMPARE(cell.data(Qt::FontRole).value<QFont>().bold(), first[match] == result[match]);
        }
        QCOMPARE(model->index(0, TColumnsModel::kHitsColumn).data().toInt(),
                 SignsRight(result, first));

        // Saved, and opened again as it was.
        planner.Files->Answers = {home_.Work() + "/semana"};
        planner.Trigger("SaveAction");
        const QString planPath = home_.Work() + "/semana.kelvo";
        QCOMPARE(planner.Window->PlanPath(), planPath);
        QVERIFY(!planner.Window->isWindowModified());
        QCOMPARE(planner.Window->windowTitle(), QStringLiteral("semana.kelvo[*] — Kelvo Planner"));
        const std::string saved = kelvo::PlanBytes(planner.Window->CurrentPlan());
        QCOMPARE(ReadBytes(planPath), QByteArray::fromStdString(saved));

        TPlanner reopened;
        QVERIFY(reopened.Window->OpenPlanFile(planPath));
        QVERIFY(!reopened.Window->isWindowModified());
        QVERIFY(kelvo::PlanBytes(reopened.Window->CurrentPlan()) == saved);
        QCOMPARE(reopened.Control<QLineEdit>("Teams1")->text(), QStringLiteral("Betis - Sevilla"));
        QTRY_VERIFY_WITH_TIMEOUT(!reopened.Window->Working(), 30000);
        for (int row = 0; row < 6; ++row) {
            QCOMPARE(Cell(reopened, row, 0), Cell(planner, row, 0));
        }
        QCOMPARE(reopened.Control<QLabel>("HitCounts")->text(),
                 planner.Control<QLabel>("HitCounts")->text());
    }

    void chances_changed_during_a_run_weigh_the_prizes_once_it_ends() {
        TPlanner planner;
        PlayWeek(planner, kWeek);
        planner.Trigger("ChancesAction");
        planner.Window->SetSearchSteps(7, 3000);
        planner.Trigger("ReduceAction");
        QVERIFY(planner.Window->Working());
        // The run has taken the chances as they were; the first match's change only afterwards.
        planner.Control<QDoubleSpinBox>("Chance1_1")->setValue(20);
        planner.Control<QDoubleSpinBox>("Chance1_X")->setValue(60);
        QVERIFY(planner.Window->Working());
        QTRY_VERIFY_WITH_TIMEOUT(!planner.Window->Working(), 60000);

        const kelvo::TPlan plan = planner.Window->CurrentPlan();
        QVERIFY(plan.Reduction);
        const std::vector<kelvo::TKey> development =
            kelvo::DevelopColumns(kelvo::ForecastOf(plan), plan.Conditions);
        const std::vector<kelvo::TKey>& chosen = plan.Reduction->Columns;
        kelvo::TPlan started = plan;
        started.Matches[0].Chances = {50, 30, 20};
        const kelvo::TPrizeChances before =
            kelvo::ChancesOfPrizes(development, chosen, ChancesOfPlan(started));
        const kelvo::TPrizeChances after =
            kelvo::ChancesOfPrizes(development, chosen, ChancesOfPlan(plan));
        const auto atLeast = [](const kelvo::TPrizeChances& chances, int row) {
            return QLocale().toString(chances.AtLeast[row], 'f', 4) + QStringLiteral(" %");
        };
        bool differ = false;
        for (int row = 0; row < kelvo::kPrizeCategories; ++row) {
            QCOMPARE(Cell(planner, row, 3), atLeast(after, row));
            QCOMPARE(Cell(planner, row, 4), QLocale().toString(after.Expected[row], 'f', 4));
            differ = differ || atLeast(before, row) != atLeast(after, row);
        }
        // Otherwise the table could not tell the chances the run started with from the new ones.
        QVERIFY(differ);
        QCOMPARE(planner.Control<QLabel>("ChancesSummary")->text(),
                 QStringLiteral("Probabilidad de que el resultado esté en el desarrollo: %1 %")
                     .arg(QLocale().toString(after.InDevelopment, 'f', 4)));
    }

    void tab_runs_through_the_plan_from_the_forecast_to_the_result_tabs() {
        TPlanner planner;
        planner.Trigger("ChancesAction");
        QStringList expected;
        for (int match = 1; match <= 14; ++match) {
            expected.append(QStringLiteral("Teams%1").arg(match));
            for (const char* part : {"Sign", "Chance"}) {
                for (const char* sign : {"1", "X", "2"}) {
                    expected.append(QStringLiteral("%1%2_%3").arg(part).arg(match).arg(sign));
                }
            }
        }
        expected.append({"Price", "ConditionList", "AddConditionButton", "RemoveConditionButton",
                         "Guarantee", "Budget", "Anywhere", "ReduceButton", "StopButton",
                         "ResultTabs"});
        QStringList order;
        QWidget* widget = planner.Control<QWidget>("Teams1");
        do {
            if (expected.contains(widget->objectName())) {
                order.append(widget->objectName());
            }
            widget = widget->nextInFocusChain();
        } while (widget != planner.Control<QWidget>("Teams1"));
        QCOMPARE(order, expected);
    }

    void the_live_count_follows_the_engine() {
        TPlanner planner;
        // A new plan: three doubles and two triples.
        QCOMPARE(planner.AwaitCount(), QStringLiteral("72 columnas"));
        std::mt19937 random(5);
        const QStringList groups = {"1", "X", "2", "1X", "12", "X2", "1X2"};
        std::vector<QString> week;
        for (const std::string& group : kelvo::ForecastOf(planner.Window->CurrentPlan())) {
            week.push_back(QString::fromStdString(group));
        }
        for (int change = 0; change < 12; ++change) {
            const int match = static_cast<int>(random() % 14);
            week[match] = groups[static_cast<int>(random() % groups.size())];
            planner.Play(match + 1, week[match]);
            // The click returns before the count: the window never waits for it.
            if (planner.Window->Counting()) {
                QCOMPARE(planner.Control<QLabel>("ColumnCount")->text(),
                         QStringLiteral("Contando las columnas..."));
            }
        }
        {
            TModalAnswerer answerer({EnterCondition(0, 2, 2, 5), EnterCondition(2, 0, 3, 9)});
            planner.Trigger("AddConditionAction");
            planner.Trigger("AddConditionAction");
        }
        const kelvo::TPlan plan = planner.Window->CurrentPlan();
        QCOMPARE(plan.Conditions.size(), std::size_t{2});
        const std::uint64_t engine = kelvo::CountColumns(kelvo::ForecastOf(plan), plan.Conditions);
        QCOMPARE(planner.AwaitCount(),
                 QLocale().toString(static_cast<qulonglong>(engine)) + QStringLiteral(" columnas"));
        std::uint64_t literal = 0;
        for (const std::string& column : LiteralDevelopment(week)) {
            int breaks = 0;
            for (int i = 1; i < 14; ++i) {
                breaks += column[i] != column[i - 1];
            }
            literal += CountOf(column, '2') >= 2 && CountOf(column, '2') <= 5 && breaks >= 3 &&
                       breaks <= 9;
        }
        QCOMPARE(engine, literal);

        // Removing a condition counts again at once.
        planner.Control<QListWidget>("ConditionList")->setCurrentRow(0);
        planner.Trigger("RemoveConditionAction");
        QCOMPARE(planner.Control<QListWidget>("ConditionList")->count(), 1);
        const kelvo::TPlan fewer = planner.Window->CurrentPlan();
        QCOMPARE(planner.AwaitCount(),
                 QLocale().toString(static_cast<qulonglong>(
                     kelvo::CountColumns(kelvo::ForecastOf(fewer), fewer.Conditions))) +
                     QStringLiteral(" columnas"));
    }

    void columns_outside_the_forecast_reduce_further_and_need_a_budget() {
        TPlanner planner;
        PlayWeek(planner, kWeek);
        {
            TModalAnswerer answerer({EnterCondition(0, 1, 1, 4)});
            planner.Trigger("AddConditionAction");
        }
        const std::vector<std::string> development = WeekWithXs();
        auto* anywhere = planner.Control<QCheckBox>("Anywhere");
        QCOMPARE(anywhere->text(), QStringLiteral("usar columnas fuera del pronóstico"));
        QVERIFY(anywhere->isEnabled());
        planner.Control<QSpinBox>("Budget")->setValue(0);
        QVERIFY(!anywhere->isEnabled());
        planner.Control<QSpinBox>("Budget")->setValue(30);
        QVERIFY(anywhere->isEnabled());

        planner.Window->SetSearchSteps(7, 3000);
        planner.Trigger("ReduceAction");
        QTRY_VERIFY_WITH_TIMEOUT(!planner.Window->Working(), 60000);
        const std::size_t inside = planner.Window->CurrentPlan().Reduction->Columns.size();

        planner.Messages->SetNextAnswer(QMessageBox::Yes);  // the reduction in force goes
        anywhere->click();
        QVERIFY(!planner.Window->CurrentPlan().Reduction);
        QVERIFY(planner.Window->CurrentPlan().Anywhere);
        QVERIFY(planner.Window->isWindowModified());
        planner.Trigger("ReduceAction");
        QVERIFY(!anywhere->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(!planner.Window->Working(), 60000);
        QVERIFY(anywhere->isEnabled());
        const kelvo::TPlan plan = planner.Window->CurrentPlan();
        QVERIFY(plan.Reduction);
        const std::vector<kelvo::TKey>& chosen = plan.Reduction->Columns;
        QVERIFY(LiterallyCovers(development, chosen, 1));
        const auto outside =
            std::count_if(chosen.begin(), chosen.end(), [&](const kelvo::TKey& key) {
                return std::find(development.begin(), development.end(), kelvo::ColumnText(key)) ==
                       development.end();
            });
        // With the same seed and steps, five columns outside the development save two columns.
        QCOMPARE(inside, std::size_t{78});
        QCOMPARE(chosen.size(), std::size_t{76});
        QCOMPARE(outside, std::ptrdiff_t{5});
        QCOMPARE(plan.Reduction->Report.Final, chosen.size());
    }

    void a_full_development_says_when_its_bound_is_published_and_when_none_is_smaller() {
        TPlanner planner;
        PlayWeek(planner, kWeek);
        planner.Window->SetSearchSteps(1, 200);
        planner.Trigger("ReduceAction");
        QTRY_VERIFY_WITH_TIMEOUT(!planner.Window->Working(), 60000);
        // Six triples at 13: the known code of 73 columns against the published bound of 71.
        QCOMPARE(planner.Control<QLabel>("ReductionSummary")->text().section('\n', 1),
                 QStringLiteral("Según las tablas publicadas, ninguna reducción puede bajar de 71 "
                                "columnas: como mucho se ahorrarían 2 más\n"
                                "Reducción rápida: 90 columnas"));

        // Five triples: the 27 columns of the perfect-sized code, which no reduction beats.
        planner.Messages->SetNextAnswer(QMessageBox::Yes);  // the reduction in force goes
        planner.Play(6, QStringLiteral("1"));
        planner.Trigger("ReduceAction");
        QTRY_VERIFY_WITH_TIMEOUT(!planner.Window->Working(), 60000);
        QCOMPARE(planner.Control<QLabel>("ReductionSummary")->text().section('\n', 1),
                 QStringLiteral("Según las tablas publicadas, ninguna reducción puede bajar de 27 "
                                "columnas: no se puede ahorrar ninguna más\n"
                                "La más pequeña posible: ninguna reducción tiene menos columnas\n"
                                "Reducción rápida: 31 columnas"));
    }

    void the_last_sign_of_a_match_stays_on() {
        TPlanner planner;
        planner.Play(3, "X");
        auto* x = planner.Control<QToolButton>("Sign3_X");
        QTest::mouseClick(x, Qt::LeftButton);
        QVERIFY(x->isChecked());
        QVERIFY(!planner.Control<QToolButton>("Sign3_1")->isChecked());
        QCOMPARE(kelvo::ForecastOf(planner.Window->CurrentPlan())[2], std::string("X"));
    }

    void parar_keeps_a_true_cover_no_larger_than_the_greedy() {
        const std::vector<QString> week = {"1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2",
                                           "1X2", "1",   "1",   "1",   "1",   "1",   "1"};
        TPlanner planner;
        PlayWeek(planner, week);
        planner.Control<QSpinBox>("Budget")->setValue(3600);
        planner.Trigger("ReduceAction");
        QVERIFY(planner.Window->Working());
        QVERIFY(!planner.Control<QWidget>("ForecastBox")->isEnabled());
        QVERIFY(!planner.Control<QWidget>("ConditionsBox")->isEnabled());
        QVERIFY(!planner.Window->findChild<QAction*>("ReduceAction")->isEnabled());
        QVERIFY(planner.Window->findChild<QAction*>("StopAction")->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(planner.Control<QLabel>("Phase")->text(),
                                  QStringLiteral("Optimizando"), 30000);
        QTest::keyClick(planner.Window.get(), Qt::Key_Escape);
        QTRY_VERIFY_WITH_TIMEOUT(!planner.Window->Working(), 30000);
        QVERIFY(planner.Control<QWidget>("ForecastBox")->isEnabled());
        const kelvo::TPlan plan = planner.Window->CurrentPlan();
        QVERIFY(plan.Reduction);
        QVERIFY(plan.Reduction->Report.Stopped);
        QVERIFY(LiterallyCovers(LiteralDevelopment(week), plan.Reduction->Columns, 1));

        std::vector<kelvo::TKey> columns;
        for (const std::string& column : LiteralDevelopment(week)) {
            columns.push_back(kelvo::MakeKey(column));
        }
        std::sort(columns.begin(), columns.end());
        kelvo::TReductionRequest greedyOnly;
        greedyOnly.NoLimit = true;
        greedyOnly.Columns = columns;
        QVERIFY(plan.Reduction->Columns.size() <= kelvo::Reduce(greedyOnly).Chosen.size());
    }

    void a_save_during_a_run_keeps_the_reduction_in_force_data() {
        QTest::addColumn<bool>("closing");
        QTest::newRow("Guardar plan") << false;
        QTest::newRow("closing, answered Guardar") << true;
    }

    void a_save_during_a_run_keeps_the_reduction_in_force() {
        QFETCH(bool, closing);
        kelvo::TPlan played;
        played.Reduction = kelvo::TPlanReduction{
            {kelvo::MakeKey("11111111111111"), kelvo::MakeKey("22222222222222")}, {}};
        played.Reduction->Report.Final = 2;
        const QString path = home_.Work() + "/en_curso.kelvo";
        QVERIFY(WriteBytes(path, QByteArray::fromStdString(kelvo::PlanBytes(played))));
        TPlanner planner;
        QVERIFY(planner.Window->OpenPlanFile(path));
        QTRY_VERIFY_WITH_TIMEOUT(!planner.Window->Working(), 30000);  // the prizes of the plan
        planner.Control<QSpinBox>("Budget")->setValue(45);
        const std::string before = kelvo::PlanBytes(planner.Window->CurrentPlan());
        planner.Messages->SetNextAnswer(QMessageBox::Ok);  // to replace the reduction in force
        planner.Trigger("ReduceAction");
        // The run's end comes through the event loop, which has not turned since: it still works.
        QVERIFY(planner.Window->Working());
        if (closing) {
            planner.Messages->SetNextAnswer(QMessageBox::Yes);  // to stop the run
            planner.Messages->SetNextAnswer(QMessageBox::Save);
            QVERIFY(planner.Window->close());
        } else {
            planner.Trigger("SaveAction");
            QVERIFY(planner.Window->Working());
        }
        QCOMPARE(ReadBytes(path), QByteArray::fromStdString(before));
        QVERIFY(kelvo::OpenPlan(path.toStdString()).Reduction == played.Reduction);
    }

    void closing_during_a_run_stops_it_and_waits() {
        TPlanner planner;
        planner.Control<QSpinBox>("Budget")->setValue(3600);
        planner.Play(14, "1");
        planner.Trigger("ReduceAction");
        QVERIFY(planner.Window->Working());
        QString stopAsked;
        QString asked;
        TModalAnswerer answerer(
            {ReadBox(&stopAsked, QMessageBox::Yes), ReadBox(&asked, QMessageBox::Discard)});
        QTRY_VERIFY_WITH_TIMEOUT(!planner.Control<QLabel>("Phase")->text().isEmpty(), 30000);
        QVERIFY(planner.Window->close());
        QCOMPARE(stopAsked,
                 QStringLiteral("La reducción aún está en marcha. ¿Quiere pararla y salir?"));
        QCOMPARE(asked, QStringLiteral(
                            "El plan sin título tiene cambios sin guardar. ¿Quiere guardarlos?"));
        QVERIFY(!planner.Window->Working());
        QVERIFY(!planner.Window->isVisible());
    }

    void plans_that_cannot_be_opened_are_refused_and_nothing_is_lost_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        kelvo::TPlan good;
        good.Matches[0].Played = {true, false, false};
        good.Reduction = kelvo::TPlanReduction{{kelvo::MakeKey("11111111111111")}, {}};
        good.Reduction->Report.Final = 1;
        const QByteArray valid = QByteArray::fromStdString(kelvo::PlanBytes(good));
        const auto replaced = [&](const QByteArray& from, const QByteArray& to) {
            QByteArray bytes = valid;
            return bytes.replace(from, to);
        };
        QTest::newRow("not JSON") << QByteArray("11111111111111\r\n")
                                  << QStringLiteral(
                                         "El fichero malo.kelvo no es un plan de Kelvo.");
        QTest::newRow("not a plan")
            << QByteArray("{\"format\": \"otra cosa\"}")
            << QStringLiteral("El fichero malo.kelvo no es un plan de Kelvo.");
        QTest::newRow("wrong version")
            << replaced("\"version\": 3", "\"version\": \"uno\"")
            << QStringLiteral(
                   "El plan malo.kelvo está dañado: no dice con qué versión del "
                   "programa se guardó.");
        QTest::newRow("newer version")
            << replaced("\"version\": 3", "\"version\": 4")
            << QStringLiteral(
                   "El plan malo.kelvo se guardó con una versión más nueva del programa; "
                   "actualice Kelvo para abrirlo.");
        QTest::newRow("columns not of the forecast")
            << replaced("\"11111111111111\"", "\"X1111111111111\"")
            << QStringLiteral(
                   "La columna 1 (X1111111111111) del plan malo.kelvo no es una "
                   "columna de su desarrollo.");
        QTest::newRow("missing price")
            << replaced("\"price\"", "\"precio\"")
            << QStringLiteral("Al plan malo.kelvo le falta el precio por columna.");
        QTest::newRow("missing matches")
            << replaced("\"matches\"", "\"partidos\"")
            << QStringLiteral("Al plan malo.kelvo le faltan partidos: debe tener los 14.");
        QTest::newRow("bad condition")
            << replaced("\"conditions\": [\n    ]",
                        "\"conditions\": [{\"kind\": \"signs\", \"sign\": \"X\", \"first\": 1, "
                        "\"last\": 14, \"base\": \"\", \"least\": 5, \"most\": 2}]")
            << QStringLiteral(
                   "La condición 1 del plan malo.kelvo no se puede cumplir: El mínimo (5) "
                   "es mayor que el máximo (2).");
    }

    void plans_that_cannot_be_opened_are_refused_and_nothing_is_lost() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        TPlanner planner;
        planner.Control<QLineEdit>("Teams2")->setText(QStringLiteral("Celta - Eibar"));
        planner.Play(2, "X2");
        QTest::keyClicks(planner.Control<QLineEdit>("Teams2"), QStringLiteral("!"));
        const std::string before = kelvo::PlanBytes(planner.Window->CurrentPlan());
        const QString path = home_.Work() + "/malo.kelvo";
        QVERIFY(WriteBytes(path, bytes));
        QString shown;
        TModalAnswerer answerer({ReadBox(&shown, QMessageBox::Ok)});
        QVERIFY(!planner.Window->OpenPlanFile(path));
        QCOMPARE(shown, message);
        QVERIFY(kelvo::PlanBytes(planner.Window->CurrentPlan()) == before);
        QVERIFY(planner.Window->PlanPath().isEmpty());
        QVERIFY(planner.Window->isWindowModified());
        QCOMPARE(ReadBytes(path), bytes);
        QFile::remove(path);
    }

    void opening_asks_about_unsaved_changes_and_cancel_keeps_the_plan() {
        TPlanner planner;
        planner.Play(1, "1");
        QString asked;
        planner.Files->Answers = {home_.Work() + "/nada.kelvo"};
        TModalAnswerer answerer({ReadBox(&asked, QMessageBox::Cancel)});
        planner.Trigger("OpenAction");
        QCOMPARE(asked, QStringLiteral(
                            "El plan sin título tiene cambios sin guardar. ¿Quiere guardarlos?"));
        QCOMPARE(planner.Files->Calls, 0);
        QCOMPARE(kelvo::ForecastOf(planner.Window->CurrentPlan())[0], std::string("1"));
    }

    void the_unsaved_question_saves_keeps_or_lets_go_as_answered_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("written");
        QTest::newRow("save") << int(QMessageBox::Save) << true << true;
        QTest::newRow("discard") << int(QMessageBox::Discard) << true << false;
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << false << false;
    }

    void the_unsaved_question_saves_keeps_or_lets_go_as_answered() {
        QFETCH(int, answer);
        QFETCH(bool, closed);
        QFETCH(bool, written);
        TPlanner planner;
        planner.Play(1, "2");
        const QString path = home_.Work() + "/al_cerrar.kelvo";
        QFile::remove(path);
        planner.Files->Answers = {path};
        planner.Messages->SetNextAnswer(static_cast<QMessageBox::StandardButton>(answer));
        QCOMPARE(planner.Window->close(), closed);
        QCOMPARE(planner.Window->isVisible(), !closed);
        QCOMPARE(ReadBytes(path), written ? QByteArray::fromStdString(
                                                kelvo::PlanBytes(planner.Window->CurrentPlan()))
                                          : QByteArray());
        QCOMPARE(planner.Files->Calls, written ? 1 : 0);
    }

    void nothing_is_written_outside_the_files_chosen() {
        const QStringList files = home_.HomeFiles();
        for (const QString& file : files) {
            QCOMPARE(file, QStringLiteral(".config/Kelvo/kelvo-planner.conf"));
        }
    }

private:
    const TTemporaryHome& home_;
};

int main(int argc, char* argv[]) {
    const TTemporaryHome home;
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kelvo"));
    QCoreApplication::setApplicationName(QStringLiteral("kelvo-planner"));
    TPlannerWindowTest test(home);
    return QTest::qExec(&test, argc, argv);
}

#include "planner_window_test.moc"
