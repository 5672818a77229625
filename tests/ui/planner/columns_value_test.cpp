// The reduced columns with the week's chances: each column's chance, its share of the public's
// bets and its value, checked against products worked out literally, written so that the
// smallest chance still reads, and sorted by a click on their titles.
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <cmath>
#include <limits>

#include "chance_text.h"
#include "columns_model.h"
#include "plan_file.h"
#include "planner_test_support.h"

namespace {

const std::vector<std::string> kColumns = {"1X211X211X211X", "11111111111111", "22222222222222",
                                           "XXXXXXXXXXXXXX", "1X2X1X211X2XXX"};

// Chances and public percentages that differ from match to match, the public playing the 1 far
// more than it comes out; the public's figures add up to 200, taken as shares of their sum.
kelvo::TWeekPool Pool() {
    kelvo::TWeekPool pool;
    for (std::size_t match = 0; match < pool.Chances.size(); ++match) {
        const double shift = static_cast<double>(match);
        pool.Chances[match] = {40 + shift, 30 - shift, 30};
        pool.Public[match] = {140 - shift, 30, 30 + shift};
    }
    return pool;
}

// The product over the matches of the column's sign's share of the match's figures.
double LiteralShare(const std::string& column, const kelvo::TChances& figures) {
    double share = 1;
    for (std::size_t match = 0; match < column.size(); ++match) {
        const std::size_t sign = std::string_view("1X2").find(column[match]);
        const std::array<double, 3>& row = figures[match];
        share *= row[sign] / (row[0] + row[1] + row[2]);
    }
    return share;
}

// The numbers of the rows, top to bottom.
QList<int> Numbers(const QAbstractItemModel& model) {
    QList<int> numbers;
    for (int row = 0; row < model.rowCount(); ++row) {
        numbers << model.index(row, TColumnsModel::kNumberColumn).data().toInt();
    }
    return numbers;
}

// The numbers of kColumns (from 1) in the order of `key`, ties in the reduction's order.
QList<int> LiteralOrder(const std::function<double(const std::string&)>& key, bool descending) {
    QList<int> numbers;
    for (int number = 1; number <= static_cast<int>(kColumns.size()); ++number) {
        numbers << number;
    }
    std::stable_sort(numbers.begin(), numbers.end(), [&](int a, int b) {
        const double ka = key(kColumns[static_cast<std::size_t>(a - 1)]);
        const double kb = key(kColumns[static_cast<std::size_t>(b - 1)]);
        return descending ? ka > kb : ka < kb;
    });
    return numbers;
}

std::vector<kelvo::TKey> Keys() {
    std::vector<kelvo::TKey> keys;
    for (const std::string& column : kColumns) {
        keys.push_back(kelvo::MakeKey(column));
    }
    return keys;
}

}  // namespace

class TColumnsValueTest : public QObject {
    Q_OBJECT

public:
    explicit TColumnsValueTest(const TTemporaryHome& home) : home_(home) {}

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    void small_chances_read_to_their_first_two_significant_digits_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("spanish");
        QTest::addColumn<QString>("english");
        QTest::newRow("zero") << 0.0 << "0,00"
                              << "0.00";
        QTest::newRow("a whole number") << 16384.0 << "16.384,00"
                                        << "16,384.00";
        QTest::newRow("above one") << 1.3456 << "1,35"
                                   << "1.35";
        QTest::newRow("a half") << 0.5 << "0,50"
                                << "0.50";
        QTest::newRow("a tenth and a bit") << 0.1234 << "0,12"
                                           << "0.12";
        QTest::newRow("thousandths") << 0.0021 << "0,0021"
                                     << "0.0021";
        QTest::newRow("rounding up a digit") << 0.0009996 << "0,0010"
                                             << "0.0010";
        QTest::newRow("millionths") << 0.0000012345 << "0,0000012"
                                    << "0.0000012";
        QTest::newRow("the smallest written") << 1.5e-12 << "0,000000000002"
                                              << "0.000000000002";
        QTest::newRow("below the smallest") << 3e-14 << "< 0,000000000001"
                                            << "< 0.000000000001";
        QTest::newRow("never played") << std::numeric_limits<double>::infinity() << "∞"
                                      << "∞";
        QTest::newRow("a share of nothing") << std::nan("") << "—"
                                            << "—";
    }

    void small_chances_read_to_their_first_two_significant_digits() {
        QFETCH(double, value);
        QFETCH(QString, spanish);
        QFETCH(QString, english);
        QCOMPARE(SignificantText(value), spanish);
        QCOMPARE(PercentText(value), spanish + QStringLiteral(" %"));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        QCOMPARE(SignificantText(value), english);
    }

    void each_column_shows_its_chance_public_share_and_value_and_sorts_by_them() {
        TColumnsModel model;
        model.SetColumns(Keys());
        QCOMPARE(model.columnCount(), 17);
        const kelvo::TWeekPool pool = Pool();
        model.SetShares(pool);
        QCOMPARE(model.columnCount(), 20);
        QCOMPARE(model.headerData(TColumnsModel::kChanceColumn, Qt::Horizontal).toString(),
                 QStringLiteral("Probabilidad"));
        QCOMPARE(model.headerData(TColumnsModel::kPublicColumn, Qt::Horizontal).toString(),
                 QStringLiteral("Público"));
        QCOMPARE(model.headerData(TColumnsModel::kValueColumn, Qt::Horizontal).toString(),
                 QStringLiteral("Valor"));
        const auto chance = [&pool](const std::string& column) {
            return LiteralShare(column, pool.Chances);
        };
        const auto publicShare = [&pool](const std::string& column) {
            return LiteralShare(column, pool.Public);
        };
        const auto value = [&](const std::string& column) {
            return chance(column) / publicShare(column);
        };
        for (int row = 0; row < model.rowCount(); ++row) {
            const std::string& column = kColumns[static_cast<std::size_t>(row)];
            QCOMPARE(model.index(row, TColumnsModel::kChanceColumn).data().toString(),
                     PercentText(100 * chance(column)));
            QCOMPARE(model.index(row, TColumnsModel::kPublicColumn).data().toString(),
                     PercentText(100 * publicShare(column)));
            QCOMPARE(model.index(row, TColumnsModel::kValueColumn).data().toString(),
                     SignificantText(value(column)));
        }
        // Worked out by hand: the column of 1s comes out once in 47.716 weeks and the public
        // plays it once in 289 bets; the column of Xs comes out once in 789 million weeks.
        QCOMPARE(model.index(1, TColumnsModel::kChanceColumn).data().toString(),
                 QStringLiteral("0,0021 %"));
        QCOMPARE(model.index(1, TColumnsModel::kPublicColumn).data().toString(),
                 QStringLiteral("0,35 %"));
        QCOMPARE(model.index(3, TColumnsModel::kChanceColumn).data().toString(),
                 QStringLiteral("0,00000013 %"));

        model.sort(TColumnsModel::kValueColumn, Qt::DescendingOrder);
        QCOMPARE(Numbers(model), LiteralOrder(value, true));
        model.sort(TColumnsModel::kPublicColumn, Qt::AscendingOrder);
        QCOMPARE(Numbers(model), LiteralOrder(publicShare, false));
        model.sort(TColumnsModel::kChanceColumn, Qt::DescendingOrder);
        QCOMPARE(Numbers(model), LiteralOrder(chance, true));
        QCOMPARE(model.index(0, TColumnsModel::kChanceColumn).data().toString(),
                 PercentText(100 * chance(kColumns[1])));

        // New chances take the rows to their new order; no chances take the columns away and
        // the rows back to the reduction's order.
        kelvo::TWeekPool turned = pool;
        for (std::array<double, 3>& match : turned.Chances) {
            std::swap(match[0], match[2]);
        }
        model.SetShares(turned);
        QCOMPARE(Numbers(model), LiteralOrder(
                                     [&turned](const std::string& column) {
                                         return LiteralShare(column, turned.Chances);
                                     },
                                     true));
        model.SetShares(std::nullopt);
        QCOMPARE(model.columnCount(), 17);
        QCOMPARE(Numbers(model), (QList<int>{1, 2, 3, 4, 5}));
    }

    void a_column_the_public_never_plays_is_worth_more_than_any_unless_it_cannot_come_out() {
        kelvo::TWeekPool pool = Pool();
        pool.Public[0] = {100, 0, 0};
        // Column 4 (all X) cannot come out either: it is worth nothing.
        pool.Chances[0] = {60, 0, 40};
        TColumnsModel model;
        model.SetColumns(Keys());
        model.SetShares(pool);
        QCOMPARE(model.index(1, TColumnsModel::kPublicColumn).data().toString(),
                 PercentText(100 * LiteralShare(kColumns[1], pool.Public)));
        QCOMPARE(model.index(2, TColumnsModel::kPublicColumn).data().toString(),
                 QStringLiteral("0,00 %"));
        QCOMPARE(model.index(2, TColumnsModel::kValueColumn).data().toString(),
                 QStringLiteral("∞"));
        QCOMPARE(model.index(3, TColumnsModel::kChanceColumn).data().toString(),
                 QStringLiteral("0,00 %"));
        QCOMPARE(model.index(3, TColumnsModel::kValueColumn).data().toString(),
                 QStringLiteral("0,00"));
        model.sort(TColumnsModel::kValueColumn, Qt::DescendingOrder);
        QCOMPARE(Numbers(model).first(), 3);
        QCOMPARE(Numbers(model).last(), 4);
    }

    void the_window_shows_the_shares_with_the_chances_and_sorts_by_a_click_on_their_titles() {
        kelvo::TPlan plan;
        for (kelvo::TPlanMatch& match : plan.Matches) {
            match.Chances = {40, 35, 25};
        }
        plan.Anywhere = true;
        plan.Reduction.emplace();
        plan.Reduction->Columns = Keys();
        plan.Reduction->Report.Greedy = kColumns.size();
        plan.Reduction->Report.Final = kColumns.size();
        const QString path = home_.Work() + "/valor.kelvo";
        kelvo::SavePlan(plan, path.toStdString());
        TPlanner planner;
        QVERIFY(planner.Window->OpenPlanFile(path));
        QTRY_VERIFY_WITH_TIMEOUT(!planner.Window->Working(), 30000);
        auto* view = planner.Control<QTableView>("ColumnsView");
        planner.Control<QTabWidget>("ResultTabs")->setCurrentWidget(view->parentWidget());
        QTRY_VERIFY(view->isVisible());
        const QAbstractItemModel& model = *view->model();
        QCOMPARE(model.columnCount(), 17);

        planner.Trigger("ChancesAction");
        QTRY_COMPARE(model.columnCount(), 20);
        const kelvo::TWeekPool pool = kelvo::WeekPoolOf(planner.Window->CurrentPlan());
        const auto value = [&pool](const std::string& column) {
            return LiteralShare(column, pool.Chances) / LiteralShare(column, pool.Public);
        };
        QCOMPARE(model.index(4, TColumnsModel::kValueColumn).data().toString(),
                 SignificantText(value(kColumns[4])));
        // Wide enough for the smallest chances written out.
        QVERIFY(view->horizontalHeader()->sectionSize(TColumnsModel::kChanceColumn) >=
                view->fontMetrics().horizontalAdvance(QStringLiteral("0,0000012 %")));

        const auto clickTitle = [view](int column) {
            QHeaderView* header = view->horizontalHeader();
            QTest::mouseClick(
                header->viewport(), Qt::LeftButton, {},
                QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                       header->height() / 2));
        };
        // The first click puts the best value on top, the second the worst.
        clickTitle(TColumnsModel::kValueColumn);
        QTRY_COMPARE(Numbers(model), LiteralOrder(value, true));
        clickTitle(TColumnsModel::kValueColumn);
        QTRY_COMPARE(Numbers(model), LiteralOrder(value, false));

        // The chances hidden take the shares away, and the rows back to the reduction's order.
        // (The action waits for the prizes to be weighed.)
        QTRY_VERIFY_WITH_TIMEOUT(!planner.Window->Working(), 30000);
        planner.Trigger("ChancesAction");
        QTRY_COMPARE(model.columnCount(), 17);
        QCOMPARE(Numbers(model), (QList<int>{1, 2, 3, 4, 5}));
        QCOMPARE(view->horizontalHeader()->sortIndicatorSection(), TColumnsModel::kNumberColumn);
    }

private:
    const TTemporaryHome& home_;
};

int main(int argc, char* argv[]) {
    const TTemporaryHome home;
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kelvo"));
    QCoreApplication::setApplicationName(QStringLiteral("kelvo-planner"));
    TColumnsValueTest test(home);
    return QTest::qExec(&test, argc, argv);
}

#include "columns_value_test.moc"
