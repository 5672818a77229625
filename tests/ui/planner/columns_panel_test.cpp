// The columns panel of the planner on a Sunday: a result typed match by match, the count line of
// what the columns can still reach, each row's signs right and most, and the rows sorted by a
// click on a title.
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include "columns_model.h"
#include "plan_file.h"
#include "planner_test_support.h"

namespace {

// The reduction, and against each result the signs right of each column (and the most it can
// reach), counted by hand:
//   column            1X2-1X2 1X2-1X   1x2X1X2 1X2-1X   1X211X211X211X
//   1 1X211X211X211X      11 (14)          11 (13)           14
//   2 2X211X211X211X      10 (13)          10 (12)           13
//   3 22211X211X2112       8 (11)           8 (10)           11
//   4 1X2X1X211X2XXX      10 (13)          11 (13)           11
//   5 2222222222222X       4 (7)            4 (6)             4
const std::vector<std::string> kColumns = {"1X211X211X211X", "2X211X211X211X", "22211X211X2112",
                                           "1X2X1X211X2XXX", "2222222222222X"};

}  // namespace

class TColumnsPanelTest : public QObject {
    Q_OBJECT

public:
    explicit TColumnsPanelTest(const TTemporaryHome& home) : home_(home) {}

private slots:
    void a_partial_result_counts_what_the_columns_can_still_reach_and_sorts_by_signs_right() {
        // A plan of the reduction above, opened from its file.
        kelvo::TPlan plan;
        for (kelvo::TPlanMatch& match : plan.Matches) {
            match.Played = {true, false, false};
        }
        plan.Anywhere = true;
        plan.Reduction.emplace();
        for (const std::string& column : kColumns) {
            plan.Reduction->Columns.push_back(kelvo::MakeKey(column));
        }
        plan.Reduction->Report.Greedy = kColumns.size();
        plan.Reduction->Report.Final = kColumns.size();
        const QString path = home_.Work() + "/domingo.kelvo";
        kelvo::SavePlan(plan, path.toStdString());
        TPlanner planner;
        QVERIFY(planner.Window->OpenPlanFile(path));
        QTRY_VERIFY_WITH_TIMEOUT(!planner.Window->Working(), 30000);
        auto* view = planner.Control<QTableView>("ColumnsView");
        planner.Control<QTabWidget>("ResultTabs")->setCurrentWidget(view->parentWidget());
        QTRY_VERIFY(view->isVisible());
        auto* edit = planner.Control<QLineEdit>("ResultEdit");
        auto* counts = planner.Control<QLabel>("HitCounts");
        const QAbstractItemModel* model = view->model();
        QCOMPARE(model->rowCount(), 5);

        // Matches 4, 8 and 12 not yet played, a '-' or a blank; a lower-case x shows as X.
        QTest::keyClicks(edit, QStringLiteral("1x2-1x2 1x2-1x"));
        QCOMPARE(edit->text(), QStringLiteral("1X2-1X2 1X2-1X"));
        QTRY_COMPARE(
            counts->text(),
            QStringLiteral("Pueden llegar a 14: 1 · a 13: 3 · a 12: 3 · a 11: 4 · a 10: 4\n"
                           "Ya tienen 13: 0 · 12: 0 · 11: 1 · 10: 3"));
        QCOMPARE(model->index(1, TColumnsModel::kNumberColumn).data().toInt(), 2);
        QCOMPARE(model->index(1, TColumnsModel::kHitsColumn).data().toInt(), 10);
        QCOMPARE(model->index(1, TColumnsModel::kMostColumn).data().toInt(), 13);
        // Match 2 is right, match 1 wrong and match 4 not yet played.
        const auto bold = [model](int row, int match) {
            return model->index(row, TColumnsModel::kFirstSignColumn + match - 1)
                .data(Qt::FontRole)
                .value<QFont>()
                .bold();
        };
        QVERIFY(bold(1, 2));
        QVERIFY(!bold(1, 1));
        QVERIFY(!bold(1, 4));
        QCOMPARE(planner.Window->CurrentPlan().Result, std::string("1X2-1X2 1X2-1X"));

        // A click on the signs right puts the most right on top, ties in the reduction's order; a
        // second click turns the order round.
        const auto numbers = [model] {
            QList<int> shown;
            for (int row = 0; row < model->rowCount(); ++row) {
                shown.push_back(model->index(row, TColumnsModel::kNumberColumn).data().toInt());
            }
            return shown;
        };
        const auto clickTitle = [view](int column) {
            QHeaderView* header = view->horizontalHeader();
            const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(x, header->height() / 2));
        };
        clickTitle(TColumnsModel::kHitsColumn);
        QTRY_COMPARE(numbers(), (QList<int>{1, 2, 4, 3, 5}));
        QCOMPARE(model->index(2, TColumnsModel::kHitsColumn).data().toInt(), 10);
        QCOMPARE(model->index(2, TColumnsModel::kMostColumn).data().toInt(), 13);
        clickTitle(TColumnsModel::kHitsColumn);
        QTRY_COMPARE(numbers(), (QList<int>{5, 3, 2, 4, 1}));
        clickTitle(TColumnsModel::kHitsColumn);
        QTRY_COMPARE(numbers(), (QList<int>{1, 2, 4, 3, 5}));

        // Match 4 comes in: the rows take their new order at once.
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("1x2X1X2 1X2-1X"));
        QTRY_COMPARE(
            counts->text(),
            QStringLiteral("Pueden llegar a 14: 0 · a 13: 2 · a 12: 3 · a 11: 3 · a 10: 4\n"
                           "Ya tienen 13: 0 · 12: 0 · 11: 2 · 10: 3"));
        QCOMPARE(numbers(), (QList<int>{1, 4, 2, 3, 5}));
        QCOMPARE(model->index(1, TColumnsModel::kMostColumn).data().toInt(), 13);

        // Every match played: the count line as it always was.
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("1X211X211X211X"));
        QTRY_COMPARE(counts->text(), QStringLiteral("14: 1 · 13: 1 · 12: 0 · 11: 2 · 10: 0"));
        QCOMPARE(numbers(), (QList<int>{1, 2, 3, 4, 5}));
        QCOMPARE(model->index(3, TColumnsModel::kMostColumn).data().toInt(), 11);

        // A result not yet whole counts nothing; the Nº title brings the reduction's order back.
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTRY_COMPARE(counts->text(), QString());
        QVERIFY(!model->index(0, TColumnsModel::kHitsColumn).data().isValid());
        clickTitle(TColumnsModel::kNumberColumn);
        QTRY_COMPARE(numbers(), (QList<int>{1, 2, 3, 4, 5}));
        clickTitle(TColumnsModel::kNumberColumn);
        QTRY_COMPARE(numbers(), (QList<int>{5, 4, 3, 2, 1}));
    }

private:
    const TTemporaryHome& home_;
};

int main(int argc, char* argv[]) {
    const TTemporaryHome home;
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kelvo"));
    QCoreApplication::setApplicationName(QStringLiteral("kelvo-planner"));
    TColumnsPanelTest test(home);
    return QTest::qExec(&test, argc, argv);
}

#include "columns_panel_test.moc"
