// The reduced columns as a table: every row of a full development of 11 triples, its signs, and
// the signs right against a result, counted literally.
#include <QFont>
#include <QTest>

#include "columns_model.h"
#include "planner_test_support.h"

class TColumnsModelTest : public QObject {
    Q_OBJECT

private slots:
    void holds_177147_rows_and_counts_the_signs_right() {
        std::vector<QString> played(14, QStringLiteral("1"));
        std::fill(played.begin(), played.begin() + 11, QStringLiteral("1X2"));
        const std::vector<std::string> columns = LiteralDevelopment(played);
        QCOMPARE(columns.size(), std::size_t{177147});
        std::vector<kelvo::TKey> keys;
        for (const std::string& column : columns) {
            keys.push_back(kelvo::MakeKey(column));
        }
        TColumnsModel model;
        model.SetColumns(keys);
        QCOMPARE(model.rowCount(), 177147);
        QCOMPARE(model.columnCount(), 17);
        QCOMPARE(model.index(177146, 0).data().toInt(), 177147);
        QCOMPARE(model.index(177146, 1).data().toString(), QStringLiteral("2"));
        QVERIFY(!model.index(0, TColumnsModel::kHitsColumn).data().isValid());

        const std::string result = "1X21X21X21X2XX";
        model.SetResult(result);
        std::array<std::size_t, 5> literal{};
        for (const std::string& column : columns) {
            const int missed = 14 - SignsRight(column, result);
            if (missed < 5) {
                ++literal[missed];
            }
        }
        QVERIFY(model.Score().Right == literal);
        QCOMPARE(model.index(5, TColumnsModel::kHitsColumn).data().toInt(),
                 SignsRight(columns[5], result));
        QCOMPARE(model.index(5, 1).data(Qt::FontRole).value<QFont>().bold(), true);
        QCOMPARE(model.index(5, 2).data(Qt::FontRole).value<QFont>().bold(),
                 columns[5][1] == result[1]);
        model.SetResult(std::nullopt);
        QVERIFY(model.Score().Right == (std::array<std::size_t, 5>{}));
    }
};

QTEST_MAIN(TColumnsModelTest)
#include "columns_model_test.moc"
