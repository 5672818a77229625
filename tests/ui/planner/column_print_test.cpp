// The printed columns: a first page summing the plan up, then the slip's blocks of eight columns
// with the 14 matches down, whole blocks to a page, every page numbered.
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

#include "column_print.h"
#include "condition_text.h"
#include "ui_test_support.h"

namespace {

// The printable area of an A4 page inside 15 mm margins.
const QSizeF kA4(180, 267);

std::vector<kelvo::TKey> Columns(int count) {
    std::vector<kelvo::TKey> columns;
    for (int i = 0; i < count; ++i) {
        std::string column(14, '1');
        column[13] = "1X2"[i % 3];
        column[12] = "1X2"[(i / 3) % 3];
        column[11] = "1X2"[(i / 9) % 3];
        column[0] = "21X"[(i / 27) % 3];
        columns.push_back(kelvo::MakeKey(column));
    }
    return columns;
}

kelvo::TCondition TwoToFourDraws() {
    kelvo::TCondition condition;
    condition.Kind = kelvo::TConditionKind::Signs;
    condition.Sign = 'X';
    condition.Least = 2;
    condition.Most = 4;
    return condition;
}

TPrintHeading Heading() {
    kelvo::TPlan plan;
    for (int match = 0; match < 14; ++match) {
        plan.Matches[match].Teams = "Local " + std::to_string(match + 1) + " - Visitante";
        plan.Matches[match].Played = {true, false, false};
    }
    plan.Matches[0].Played = {true, true, false};
    plan.Matches[1].Played = {false, false, true};
    plan.Conditions = {TwoToFourDraws()};
    plan.Guarantee = 12;
    plan.Price = 0.75;
    return MakePrintHeading(plan, QStringLiteral("/semanas/jornada 15.kelvo"), QDate(2026, 12, 9));
}

QStringList Texts(const TPrintPage& page) {
    QStringList texts;
    for (const TPrintCell& cell : page) {
        texts.append(cell.Text);
    }
    return texts;
}

// The titles of the blocks on each page, "Bloque 1" as 1.
std::vector<std::vector<int>> BlocksOfPages(const std::vector<TPrintPage>& pages) {
    std::vector<std::vector<int>> blocks;
    for (const TPrintPage& page : pages) {
        blocks.emplace_back();
        for (const TPrintCell& cell : page) {
            if (cell.Text.startsWith(QStringLiteral("Bloque "))) {
                blocks.back().push_back(cell.Text.mid(7).toInt());
            }
        }
    }
    return blocks;
}

}  // namespace

class TColumnPrintTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    void first_page_sums_the_plan_up() {
        const std::vector<TPrintPage> pages = LayOutPages(Heading(), Columns(10), kA4);
        QStringList expected = {
            QStringLiteral("jornada 15"), QStringLiteral("miércoles, 9 de diciembre de 2026"),
            QStringLiteral("Pronóstico"), QString(),
            QStringLiteral("Partido"),    QStringLiteral("1"),
            QStringLiteral("X"),          QStringLiteral("2")};
        expected << "1"
                 << "Local 1 - Visitante"
                 << "1"
                 << "X"
                 << "";
        expected << "2"
                 << "Local 2 - Visitante"
                 << ""
                 << ""
                 << "2";
        for (int match = 3; match <= 14; ++match) {
            expected << QString::number(match) << QStringLiteral("Local %1 - Visitante").arg(match)
                     << "1"
                     << ""
                     << "";
        }
        expected << QStringLiteral("Condiciones") << DescribeCondition(TwoToFourDraws())
                 << QStringLiteral("Reducción") << QStringLiteral("Garantía: 12 aciertos")
                 << QStringLiteral("Columnas: 10")
                 << QStringLiteral("Coste: 7,50 € (0,75 € por columna)")
                 << QStringLiteral("jornada 15 · página 1 de 2");
        QCOMPARE(Texts(pages[0]), expected);
    }

    void columns_chosen_for_a_budget_say_what_for_instead_of_a_guarantee_data() {
        QTest::addColumn<bool>("winnings");
        QTest::addColumn<QString>("line");
        QTest::newRow("chance") << false
                                << QStringLiteral(
                                       "Presupuesto: las columnas de más probabilidad de 12 o "
                                       "más aciertos");
        QTest::newRow("winnings") << true
                                  << QStringLiteral(
                                         "Presupuesto: las columnas de más ganancia esperada");
    }

    void columns_chosen_for_a_budget_say_what_for_instead_of_a_guarantee() {
        QFETCH(bool, winnings);
        QFETCH(QString, line);
        TPrintHeading heading = Heading();
        kelvo::TBudgetReport report;
        if (winnings) {
            report.Winnings = kelvo::TBudgetWinnings{};
        }
        heading.Plan.Reduction = kelvo::TPlanReduction{{}, {}, report};
        const QStringList texts = Texts(LayOutPages(heading, Columns(10), kA4)[0]);
        QVERIFY(!texts.contains(QStringLiteral("Garantía: 12 aciertos")));
        QCOMPARE(texts[texts.indexOf(QStringLiteral("Reducción")) + 1], line);
    }

    void a_block_has_the_matches_down_and_a_sign_per_cell() {
        const std::vector<TPrintPage> pages = LayOutPages(Heading(), Columns(10), kA4);
        QCOMPARE(pages.size(), std::size_t{2});
        const QStringList texts = Texts(pages[1]);
        QStringList expected = {QStringLiteral("Bloque 1"), QString(), QStringLiteral("Partido")};
        for (int column = 1; column <= 8; ++column) {
            expected << QString::number(column);
        }
        const QStringList firstEight = {"21111111111111", "2111111111111X", "21111111111112",
                                        "211111111111X1", "211111111111XX", "211111111111X2",
                                        "21111111111121", "2111111111112X"};
        for (int match = 0; match < 14; ++match) {
            expected << QString::number(match + 1)
                     << QStringLiteral("Local %1 - Visitante").arg(match + 1);
            for (const QString& column : firstEight) {
                expected << column.at(match);
            }
        }
        QCOMPARE(texts.mid(0, expected.size()), expected);
        QCOMPARE(texts.last(), QStringLiteral("jornada 15 · página 2 de 2"));
    }

    void whole_blocks_fill_the_pages() {
        const std::vector<std::pair<int, std::vector<std::vector<int>>>> cases = {
            {1, {{}, {1}}},
            {8, {{}, {1}}},
            {9, {{}, {1, 2}}},
            {100, {{}, {1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}, {13}}},
        };
        for (const auto& [count, blocks] : cases) {
            const std::vector<TPrintPage> pages = LayOutPages(Heading(), Columns(count), kA4);
            QCOMPARE(BlocksOfPages(pages), blocks);
            for (std::size_t page = 0; page < pages.size(); ++page) {
                QCOMPARE(
                    pages[page].back().Text,
                    QStringLiteral("jornada 15 · página %1 de %2").arg(page + 1).arg(pages.size()));
            }
            // Every match row of the last block holds a cell for each of its columns.
            const int lastColumns = (count - 1) % 8 + 1;
            const QStringList last = Texts(pages.back());
            const int header = static_cast<int>(last.lastIndexOf(QStringLiteral("Partido")));
            QCOMPARE(last.at(header + lastColumns), QString::number(count));
            QCOMPARE(last.size() - 1 - header, lastColumns + 14 * (2 + lastColumns) + 1);
        }
    }

    void cells_stay_on_the_page_and_grid_cells_never_overlap() {
        for (const QSizeF area : {kA4, QSizeF(186, 249)}) {
            for (const TPrintPage& page : LayOutPages(Heading(), Columns(100), area)) {
                for (std::size_t i = 0; i < page.size(); ++i) {
                    QVERIFY(QRectF(QPointF(0, 0), area).contains(page[i].Box));
                    for (std::size_t j = i + 1; j < page.size(); ++j) {
                        const QRectF overlap = page[i].Box.intersected(page[j].Box);
                        QVERIFY2(overlap.width() < 1e-9 || overlap.height() < 1e-9,
                                 qPrintable(page[i].Text + " / " + page[j].Text));
                    }
                }
            }
        }
    }

    void the_pdf_holds_every_page_laid_out() {
        QTemporaryDir folder;
        const QString path = folder.filePath("columnas.pdf");
        {
            QPdfWriter writer(path);
            writer.setPageSize(QPageSize(QPageSize::A4));
            writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
            QVERIFY(PrintColumns(writer, Heading(), Columns(100)));
        }
        const QByteArray bytes = ReadBytes(path);
        QVERIFY(bytes.startsWith("%PDF-"));
        QCOMPARE(bytes.count("/Type /Page") - bytes.count("/Type /Pages"), 6);
    }
};

QTEST_MAIN(TColumnPrintTest)
#include "column_print_test.moc"
