// What the reduction in force is expected to win, as the prize tab shows it: each category, the
// total, the return per euro and the chance of a prize in the player's words; worked out off the
// window's thread, the latest request winning; shown as the engine values the reduction when it
// ends or opens, and again after every change of the chances or the price.
#include <QAction>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QTest>

#include "common/player_numbers.h"
#include "plan_file.h"
#include "planner_test_support.h"
#include "prizes_panel.h"
#include "value_worker.h"

namespace {

const QString kValuing = QStringLiteral("Calculando lo que se espera ganar…");

// The first `count` columns of a development of 7 triples, the other 7 matches all 1.
std::vector<kelvo::TKey> TriplesColumns(std::size_t count) {
    std::vector<QString> played(14, QStringLiteral("1"));
    std::fill(played.begin(), played.begin() + 7, QStringLiteral("1X2"));
    std::vector<kelvo::TKey> keys;
    for (const std::string& column : LiteralDevelopment(played)) {
        if (keys.size() == count) {
            break;
        }
        keys.push_back(kelvo::MakeKey(column));
    }
    return keys;
}

// A plan of 7 triples whose reduction is `columns`, with the chances shown and unlike the
// public's.
kelvo::TPlan ValuedPlan(std::vector<kelvo::TKey> columns) {
    kelvo::TPlan plan;
    for (std::size_t match = 0; match < plan.Matches.size(); ++match) {
        plan.Matches[match].Played = {true, match < 7, match < 7};
        plan.Matches[match].Chances = {45, 30, 25};
    }
    plan.ChancesShown = true;
    plan.Anywhere = true;
    plan.Reduction.emplace();
    plan.Reduction->Columns = std::move(columns);
    plan.Reduction->Report.Greedy = plan.Reduction->Columns.size();
    plan.Reduction->Report.Final = plan.Reduction->Columns.size();
    return plan;
}

// The value table's figures, left to right, the hidden ones left out.
QStringList Figures(const QTableWidget* table) {
    QStringList figures;
    for (int column = 0; column < table->columnCount(); ++column) {
        if (!table->isColumnHidden(column)) {
            const QTableWidgetItem* item = table->item(0, column);
            figures << (item ? item->text() : QString());
        }
    }
    return figures;
}

// The figures the panel shows for `value`, as it writes them.
QStringList FiguresOf(const kelvo::TSetValue& value) {
    QStringList figures;
    if (value.Special) {
        figures << EurosText(*value.Special);
    }
    for (const double euros : value.Expected) {
        figures << EurosText(euros);
    }
    figures << EurosText(value.Total);
    return figures;
}

void CompareValues(const kelvo::TSetValue& got, const kelvo::TSetValue& wanted) {
    QCOMPARE(got.Columns, wanted.Columns);
    QCOMPARE(got.Cost, wanted.Cost);
    QCOMPARE(got.Special.has_value(), wanted.Special.has_value());
    for (std::size_t category = 0; category < wanted.Expected.size(); ++category) {
        QCOMPARE(got.Expected[category], wanted.Expected[category]);
    }
    QCOMPARE(got.Total, wanted.Total);
    QCOMPARE(got.ReturnPerEuro, wanted.ReturnPerEuro);
    QCOMPARE(got.ChanceOfPrize, wanted.ChanceOfPrize);
}

}  // namespace

class TValueViewTest : public QObject {
    Q_OBJECT

public:
    explicit TValueViewTest(const TTemporaryHome& home) : home_(home) {}

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    void the_panel_words_each_category_the_total_the_return_and_the_chance_of_a_prize() {
        TPrizesPanel panel;
        panel.show();
        auto* box = panel.findChild<QGroupBox*>("ValueBox");
        auto* table = panel.findChild<QTableWidget*>("ValueTable");
        auto* state = panel.findChild<QLabel*>("ValueState");
        auto* returns = panel.findChild<QLabel*>("ReturnPerEuro");
        auto* prize = panel.findChild<QLabel*>("ChanceOfPrize");
        QVERIFY(box && table && state && returns && prize);
        QVERIFY(!box->isVisible());
        QStringList headers;
        for (int column = 0; column < table->columnCount(); ++column) {
            headers << table->horizontalHeaderItem(column)->text();
        }
        QCOMPARE(headers, QStringList({"14 +\nPleno al 15", "14\naciertos", "13\naciertos",
                                       "12\naciertos", "11\naciertos", "10\naciertos", "Total"}));
        QCOMPARE(box->title(), QStringLiteral("Lo que se espera ganar esta semana"));
        QCOMPARE(panel.findChild<QLabel*>("ValueNote")->text(),
                 QStringLiteral("Es una estimación: no cuenta que el premio de una categoría sin "
                                "acertantes pase a otra, ni que una categoría inferior nunca "
                                "pague más que una superior."));

        kelvo::TSetValue value;
        value.Columns = 1000;
        value.Cost = 1500;
        value.Special = 12.5;
        value.Expected = {104321.256, 80, 30.5, 6, 0.004};
        value.Total = 104450.26;
        value.ReturnPerEuro = 0.4249;
        value.ChanceOfPrize = 0.0021;
        panel.ShowValue(value);
        QVERIFY(box->isVisible());
        QVERIFY(!state->isVisible());
        QCOMPARE(Figures(table), QStringList({"12,50 €", "104.321,26 €", "80,00 €", "30,50 €",
                                              "6,00 €", "0,00 €", "104.450,26 €"}));
        QCOMPARE(returns->text(), QStringLiteral("Rendimiento por euro: 0,42"));
        QCOMPARE(prize->text(), QStringLiteral("Probabilidad de algún premio: 0,0021 %"));

        // Without the Pleno there is no special category to show.
        value.Special.reset();
        value.ChanceOfPrize = 37.256;
        panel.ShowValue(value);
        QVERIFY(table->isColumnHidden(0));
        QCOMPARE(Figures(table), QStringList({"104.321,26 €", "80,00 €", "30,50 €", "6,00 €",
                                              "0,00 €", "104.450,26 €"}));
        QCOMPARE(prize->text(), QStringLiteral("Probabilidad de algún premio: 37,26 %"));

        // While it is worked out again no old figure is left to be read as the new one.
        panel.ShowValuing();
        QVERIFY(box->isVisible());
        QVERIFY(state->isVisible());
        QCOMPARE(state->text(), kValuing);
        QCOMPARE(Figures(table), QStringList(6, QString()));
        QCOMPARE(returns->text(), QString());
        QCOMPARE(prize->text(), QString());

        panel.ShowValueOutOfMemory();
        QCOMPARE(state->text(),
                 QStringLiteral("No hay memoria suficiente para calcular lo que se espera ganar."));
        panel.HideValue();
        QVERIFY(!box->isVisible());
    }

    void the_worker_delivers_what_the_engine_finds_for_the_latest_request_only() {
        const std::vector<kelvo::TKey> few = TriplesColumns(20);
        const std::vector<kelvo::TKey> many = TriplesColumns(300);
        const kelvo::TWeekPool pool = kelvo::WeekPoolOf(ValuedPlan({}));
        kelvo::TWeekPool dearer = pool;
        dearer.Price = 2;
        TValueWorker worker;
        std::vector<kelvo::TSetValue> valued;
        connect(&worker, &TValueWorker::Valued, this,
                [&valued](const kelvo::TSetValue& value) { valued.push_back(value); });

        worker.Value(few, pool);
        QVERIFY(worker.Valuing());
        worker.Value(many, dearer);
        QTRY_COMPARE_WITH_TIMEOUT(valued.size(), std::size_t{1}, 20000);
        QVERIFY(!worker.Valuing());
        CompareValues(valued[0], *kelvo::ValueOfSet(many, dearer));

        // A valuation cancelled tells nothing, even one that had finished.
        worker.Value(many, pool);
        worker.Cancel();
        QVERIFY(!worker.Valuing());
        worker.Value(few, dearer);
        QTRY_COMPARE_WITH_TIMEOUT(valued.size(), std::size_t{2}, 20000);
        CompareValues(valued[1], *kelvo::ValueOfSet(few, dearer));
    }

    void a_thousand_columns_opened_are_valued_and_follow_the_price_and_the_chances() {
        const std::vector<kelvo::TKey> columns = TriplesColumns(1000);
        const QString path = home_.Work() + "/mil.kelvo";
        kelvo::SavePlan(ValuedPlan(columns), path.toStdString());
        TPlanner planner;
        auto* box = planner.Control<QGroupBox>("ValueBox");
        auto* table = planner.Control<QTableWidget>("ValueTable");
        auto* state = planner.Control<QLabel>("ValueState");
        auto* returns = planner.Control<QLabel>("ReturnPerEuro");
        QVERIFY(!box->isVisible());
        QVERIFY(planner.Window->OpenPlanFile(path));
        QVERIFY(box->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!state->isVisible(), 20000);
        const auto engineValue = [&planner] {
            const kelvo::TPlan plan = planner.Window->CurrentPlan();
            return *kelvo::ValueOfSet(plan.Reduction->Columns, kelvo::WeekPoolOf(plan));
        };
        QCOMPARE(Figures(table), FiguresOf(engineValue()));
        QCOMPARE(returns->text(), QStringLiteral("Rendimiento por euro: %1")
                                      .arg(DecimalText(engineValue().ReturnPerEuro, 2)));

        // A new price is valued again; meanwhile the figures say they are being worked out.
        planner.Control<QDoubleSpinBox>("Price")->setValue(1.5);
        QVERIFY(state->isVisible());
        QCOMPARE(state->text(), kValuing);
        QCOMPARE(returns->text(), QString());
        QTRY_VERIFY_WITH_TIMEOUT(!state->isVisible(), 20000);
        QCOMPARE(engineValue().Cost, 1500.0);
        QCOMPARE(Figures(table), FiguresOf(engineValue()));
        QCOMPARE(returns->text(), QStringLiteral("Rendimiento por euro: %1")
                                      .arg(DecimalText(engineValue().ReturnPerEuro, 2)));

        // Chances that do not add up leave nothing to value, and say why.
        planner.Control<QDoubleSpinBox>("Chance3_1")->setValue(60);
        QTRY_VERIFY(!box->isVisible());
        QCOMPARE(planner.Control<QLabel>("ChancesSummary")->text(),
                 QStringLiteral("Las probabilidades no se pueden usar. Partido 3: las "
                                "probabilidades suman 115; deben sumar 100."));
        planner.Control<QDoubleSpinBox>("Chance3_2")->setValue(10);
        QTRY_VERIFY_WITH_TIMEOUT(box->isVisible() && !state->isVisible(), 20000);
        QVERIFY((planner.Window->CurrentPlan().Matches[2].Chances ==
                 std::array<double, 3>{60, 30, 10}));
        QCOMPARE(Figures(table), FiguresOf(engineValue()));

        // Chances hidden weigh nothing; shown again, they are valued again. (The action waits
        // for the prizes to be weighed.)
        QTRY_VERIFY_WITH_TIMEOUT(!planner.Window->Working(), 30000);
        planner.Trigger("ChancesAction");
        QTRY_VERIFY(!box->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!planner.Window->Working(), 30000);
        planner.Trigger("ChancesAction");
        QTRY_VERIFY_WITH_TIMEOUT(box->isVisible() && !state->isVisible(), 20000);
        QCOMPARE(Figures(table), FiguresOf(engineValue()));
    }

    void tab_reaches_the_value_table_after_the_prize_table() {
        TPlanner planner;
        const QStringList expected = {"PrizeTable", "ValueTable", "ResultEdit", "ColumnsView"};
        QStringList order;
        QWidget* widget = planner.Control<QWidget>("PrizeTable");
        do {
            if (expected.contains(widget->objectName())) {
                order.append(widget->objectName());
            }
            widget = widget->nextInFocusChain();
        } while (widget != planner.Control<QWidget>("PrizeTable"));
        QCOMPARE(order, expected);
        QCOMPARE(planner.Control<QWidget>("ValueTable")->focusPolicy(), Qt::StrongFocus);
    }

    void a_reduction_is_valued_as_it_ends() {
        TPlanner planner;
        planner.Trigger("ChancesAction");
        auto* box = planner.Control<QGroupBox>("ValueBox");
        auto* state = planner.Control<QLabel>("ValueState");
        QTRY_VERIFY(!box->isVisible());
        planner.Window->SetSearchSteps(7, 3000);
        planner.Trigger("ReduceAction");
        QTRY_VERIFY_WITH_TIMEOUT(!planner.Window->Working(), 60000);
        QVERIFY(box->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!state->isVisible(), 20000);
        const kelvo::TPlan plan = planner.Window->CurrentPlan();
        QVERIFY(plan.Reduction);
        QCOMPARE(Figures(planner.Control<QTableWidget>("ValueTable")),
                 FiguresOf(*kelvo::ValueOfSet(plan.Reduction->Columns, kelvo::WeekPoolOf(plan))));
    }

private:
    const TTemporaryHome& home_;
};

int main(int argc, char* argv[]) {
    const TTemporaryHome home;
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kelvo"));
    QCoreApplication::setApplicationName(QStringLiteral("kelvo-planner"));
    TValueViewTest test(home);
    return QTest::qExec(&test, argc, argv);
}

#include "value_view_test.moc"
