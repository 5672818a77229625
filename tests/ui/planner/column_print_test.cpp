// The printed columns: numbered blocks of eight, whole blocks to a page, each page headed.
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

#include "column_print.h"
#include "ui_test_support.h"

namespace {

std::vector<kelvo::TKey> Columns(int count) {
    std::vector<kelvo::TKey> columns;
    for (int i = 0; i < count; ++i) {
        std::string column(14, '1');
        column[13] = "1X2"[i % 3];
        column[12] = "1X2"[(i / 3) % 3];
        column[11] = "1X2"[(i / 9) % 3];
        columns.push_back(kelvo::MakeKey(column));
    }
    return columns;
}

}  // namespace

class TColumnPrintTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }

    void blocks_of_eight_numbered_under_a_heading() {
        const TPrintHeading heading{QStringLiteral("semana.kelvo"), 12, QDate(2024, 5, 4)};
        const std::vector<QStringList> pages = LayOutPages(heading, Columns(10), 100);
        QCOMPARE(pages.size(), std::size_t{1});
        const QStringList expected = {
            QStringLiteral("semana.kelvo · reducida al 12 · 4/5/24 · página 1 de 1"),
            QString(),
            QStringLiteral("Bloque 1"),
            QStringLiteral("   1  11111111111111"),
            QStringLiteral("   2  1111111111111X"),
            QStringLiteral("   3  11111111111112"),
            QStringLiteral("   4  111111111111X1"),
            QStringLiteral("   5  111111111111XX"),
            QStringLiteral("   6  111111111111X2"),
            QStringLiteral("   7  11111111111121"),
            QStringLiteral("   8  1111111111112X"),
            QString(),
            QStringLiteral("Bloque 2"),
            QStringLiteral("   9  11111111111122"),
            QStringLiteral("  10  11111111111X11"),
        };
        QCOMPARE(pages[0], expected);
    }

    void whole_blocks_go_to_the_next_page() {
        const TPrintHeading heading{QStringLiteral("p"), 13, QDate(2024, 5, 4)};
        // Heading (2) + two blocks (10 + 10, less the last blank) = 21 lines fit; a third does not.
        const std::vector<QStringList> pages = LayOutPages(heading, Columns(20), 21);
        QCOMPARE(pages.size(), std::size_t{2});
        QCOMPARE(pages[0].size(), 21);
        QCOMPARE(pages[0].last(), QStringLiteral("  16  11111111111X21"));
        QCOMPARE(pages[1].first(), QStringLiteral("p · reducida al 13 · 4/5/24 · página 2 de 2"));
        QCOMPARE(pages[1].at(2), QStringLiteral("Bloque 3"));
        QCOMPARE(pages[1].size(), 2 + 1 + 4);
    }

    void a_pdf_is_written() {
        QTemporaryDir folder;
        const QString path = folder.filePath("columnas.pdf");
        {
            QPdfWriter writer(path);
            QVERIFY(
                PrintColumns(writer, {QStringLiteral("p"), 13, QDate(2024, 5, 4)}, Columns(500)));
        }
        const QByteArray bytes = ReadBytes(path);
        QVERIFY(bytes.startsWith("%PDF-"));
        QVERIFY(bytes.count("/Type /Page") - bytes.count("/Type /Pages") > 1);
    }
};

QTEST_MAIN(TColumnPrintTest)
#include "column_print_test.moc"
