#include "column_print.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace {

class TPrintWords {
    Q_DECLARE_TR_FUNCTIONS(TPrintWords)

public:
    static QString Heading(const TPrintHeading& heading, int page, int pages) {
        return tr("%1 · reducida al %2 · %3 · página %4 de %5")
            .arg(heading.PlanName)
            .arg(heading.Guarantee)
            .arg(QLocale().toString(heading.Date, QLocale::ShortFormat))
            .arg(page)
            .arg(pages);
    }
    static QString Block(int block) { return tr("Bloque %1").arg(block); }
};

// The heading and the blank line under it.
constexpr int kHeadingLines = 2;
// A block's title, its columns, and the blank line after it.
constexpr int kBlockLines = 1 + kBlockColumns + 1;

}  // namespace

std::vector<QStringList> LayOutPages(const TPrintHeading& heading,
                                     const std::vector<kelvo::TKey>& columns, int linesPerPage) {
    const int blocks = static_cast<int>((columns.size() + kBlockColumns - 1) / kBlockColumns);
    const int blocksPerPage = std::max(1, (linesPerPage - kHeadingLines + 1) / kBlockLines);
    const int pages = std::max(1, (blocks + blocksPerPage - 1) / blocksPerPage);
    const int numberWidth = static_cast<int>(QString::number(columns.size()).size());
    std::vector<QStringList> laidOut;
    for (int page = 0; page < pages; ++page) {
        QStringList lines = {TPrintWords::Heading(heading, page + 1, pages), QString()};
        const int firstBlock = page * blocksPerPage;
        const int lastBlock = std::min(blocks, firstBlock + blocksPerPage);
        for (int block = firstBlock; block < lastBlock; ++block) {
            if (block > firstBlock) {
                lines.append(QString());
            }
            lines.append(TPrintWords::Block(block + 1));
            const std::size_t first = static_cast<std::size_t>(block) * kBlockColumns;
            const std::size_t last = std::min(columns.size(), first + kBlockColumns);
            for (std::size_t column = first; column < last; ++column) {
                lines.append(QStringLiteral("  %1  %2")
                                 .arg(column + 1, numberWidth)
                                 .arg(QString::fromStdString(kelvo::ColumnText(columns[column]))));
            }
        }
        laidOut.push_back(lines);
    }
    return laidOut;
}

bool PrintColumns(QPagedPaintDevice& device, const TPrintHeading& heading,
                  const std::vector<kelvo::TKey>& columns) {
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(10);
    painter.setFont(font);
    const QFontMetrics metrics(font, &device);
    const int lineHeight = metrics.lineSpacing();
    const int pageHeight = device.height();
    const int linesPerPage = std::max(1, pageHeight / lineHeight);
    const std::vector<QStringList> pages = LayOutPages(heading, columns, linesPerPage);
    for (std::size_t page = 0; page < pages.size(); ++page) {
        if (page > 0) {
            device.newPage();
        }
        int y = metrics.ascent();
        for (const QString& line : pages[page]) {
            painter.drawText(0, y, line);
            y += lineHeight;
        }
    }
    return painter.end();
}
