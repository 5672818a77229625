#include "column_print.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>

#include "common/player_numbers.h"
#include "condition_text.h"

namespace {

class TPrintWords {
    Q_DECLARE_TR_FUNCTIONS(TPrintWords)

public:
    static QString Unnamed() { return tr("Plan sin nombre"); }
    static QString Forecast() { return tr("Pronóstico"); }
    static QString Match() { return tr("Partido"); }
    static QString Conditions() { return tr("Condiciones"); }
    static QString NoConditions() { return tr("Sin condiciones"); }
    static QString Reduction() { return tr("Reducción"); }
    static QString Guarantee(int guarantee) { return tr("Garantía: %1 aciertos").arg(guarantee); }
    // Columns chosen for a budget guarantee nothing: the page says what they were chosen for.
    static QString BudgetChoice(int guarantee, bool winnings) {
        return winnings ? tr("Presupuesto: las columnas de más ganancia esperada")
                        : tr("Presupuesto: las columnas de más probabilidad de %1 o más aciertos")
                              .arg(guarantee);
    }
    static QString Count(std::size_t count) { return tr("Columnas: %1").arg(CountText(count)); }
    static QString Cost(std::size_t count, const kelvo::TPlan& plan) {
        return tr("Coste: %1 (%2 por columna)")
            .arg(EurosText(kelvo::CostOf(count, plan.Price, plan.Pleno)), EurosText(plan.Price));
    }
    static QString Block(std::size_t block) { return tr("Bloque %1").arg(block); }
    static QString Page(const QString& planName, std::size_t page, std::size_t pages) {
        return tr("%1 · página %2 de %3").arg(planName).arg(page).arg(pages);
    }
};

// Millimetres. A grid's row holds a 10-point line with room above and below, and three blocks
// (title and 15 rows each) fit the 267 mm an A4 page has inside 15 mm margins.
constexpr double kRow = 5;
constexpr double kTitleHeight = 10;
constexpr double kSectionHeight = 7;
constexpr double kGap = 4;
constexpr double kFooterHeight = 5;
// Kept clear between the last block and the page's number.
constexpr double kFooterClearance = 2;
constexpr double kNumberWidth = 9;
constexpr double kSignWidth = 12;
// The teams' column takes what the numbers and signs leave, but no less than this.
constexpr double kLeastTeamsWidth = 30;

// A grid's row: the width, text and style of each cell, left to right.
using TRow = std::vector<std::tuple<double, QString, TPrintStyle>>;

// Fills pages from the top down, starting a new page when what comes next does not fit.
class TPageFiller {
public:
    TPageFiller(QSizeF area, QString planName) : area_(area), planName_(std::move(planName)) {}

    // Starts a new page unless `height` more fits under what this page holds.
    void Reserve(double height) {
        if (y_ + height > area_.height() - kFooterHeight - kFooterClearance &&
            !pages_.back().empty()) {
            NewPage();
        }
    }
    void NewPage() {
        pages_.emplace_back();
        y_ = 0;
    }
    // Leaves `height` blank, unless at the top of a page.
    void Skip(double height) {
        if (!pages_.back().empty()) {
            y_ += height;
        }
    }
    // One cell across the page, then moves down by its height.
    void Line(double height, const QString& text, TPrintStyle style) {
        Reserve(height);
        Row(height, {{area_.width(), text, style}});
    }
    // The row's cells side by side, then moves down by `height`.
    void Row(double height, const TRow& cells) {
        double x = 0;
        for (const auto& [width, text, style] : cells) {
            pages_.back().push_back({QRectF(x, y_, width, height), text, style});
            x += width;
        }
        y_ += height;
    }
    double Width() const { return area_.width(); }

    // The pages, each ending with its number.
    std::vector<TPrintPage> Finish() && {
        for (std::size_t page = 0; page < pages_.size(); ++page) {
            pages_[page].push_back(
                {QRectF(0, area_.height() - kFooterHeight, area_.width(), kFooterHeight),
                 TPrintWords::Page(planName_, page + 1, pages_.size()), TPrintStyle::Footer});
        }
        return std::move(pages_);
    }

private:
    QSizeF area_;
    QString planName_;
    std::vector<TPrintPage> pages_{1};
    double y_ = 0;
};

QString TeamsOf(const kelvo::TPlan& plan, int match) {
    return QString::fromStdString(plan.Matches[static_cast<std::size_t>(match)].Teams);
}

double TeamsWidth(double width, int signCells) {
    return std::max(kLeastTeamsWidth, width - kNumberWidth - signCells * kSignWidth);
}

void LayOutSummary(TPageFiller& filler, const TPrintHeading& heading, std::size_t count) {
    const kelvo::TPlan& plan = heading.Plan;
    filler.Line(kTitleHeight, heading.PlanName, TPrintStyle::Title);
    filler.Line(kRow, QLocale().toString(heading.Date, QLocale::LongFormat), TPrintStyle::Text);

    filler.Skip(kGap);
    filler.Reserve(kSectionHeight + (1 + kelvo::kColumnLength) * kRow);
    filler.Line(kSectionHeight, TPrintWords::Forecast(), TPrintStyle::Section);
    const double teamsWidth = TeamsWidth(filler.Width(), 3);
    TRow header = {{kNumberWidth, QString(), TPrintStyle::Header},
                   {teamsWidth, TPrintWords::Match(), TPrintStyle::Header}};
    for (const char sign : kelvo::kSignOfDigit) {
        header.emplace_back(kSignWidth, QString(QChar::fromLatin1(sign)), TPrintStyle::Header);
    }
    filler.Row(kRow, header);
    for (int match = 0; match < kelvo::kColumnLength; ++match) {
        TRow row = {{kNumberWidth, QString::number(match + 1), TPrintStyle::Number},
                    {teamsWidth, TeamsOf(plan, match), TPrintStyle::Teams}};
        const auto& played = plan.Matches[static_cast<std::size_t>(match)].Played;
        for (std::size_t digit = 0; digit < played.size(); ++digit) {
            row.emplace_back(
                kSignWidth,
                played[digit] ? QString(QChar::fromLatin1(kelvo::kSignOfDigit[digit])) : QString(),
                TPrintStyle::Sign);
        }
        filler.Row(kRow, row);
    }

    filler.Skip(kGap);
    filler.Reserve(kSectionHeight + kRow);
    filler.Line(kSectionHeight, TPrintWords::Conditions(), TPrintStyle::Section);
    if (plan.Conditions.empty()) {
        filler.Line(kRow, TPrintWords::NoConditions(), TPrintStyle::Text);
    }
    for (const kelvo::TCondition& condition : plan.Conditions) {
        filler.Line(kRow, DescribeCondition(condition), TPrintStyle::Text);
    }

    filler.Skip(kGap);
    filler.Reserve(kSectionHeight + 3 * kRow);
    filler.Line(kSectionHeight, TPrintWords::Reduction(), TPrintStyle::Section);
    const std::optional<kelvo::TBudgetReport>& budget =
        plan.Reduction ? plan.Reduction->Budget : std::nullopt;
    filler.Line(kRow,
                budget ? TPrintWords::BudgetChoice(plan.Guarantee, budget->Winnings.has_value())
                       : TPrintWords::Guarantee(plan.Guarantee),
                TPrintStyle::Text);
    filler.Line(kRow, TPrintWords::Count(count), TPrintStyle::Text);
    filler.Line(kRow, TPrintWords::Cost(count, plan), TPrintStyle::Text);
}

void LayOutBlock(TPageFiller& filler, const kelvo::TPlan& plan,
                 const std::vector<kelvo::TKey>& columns, std::size_t block) {
    const std::size_t first = block * kBlockColumns;
    const std::size_t last = std::min(columns.size(), first + kBlockColumns);
    filler.Skip(kGap);
    filler.Reserve(kSectionHeight + (1 + kelvo::kColumnLength) * kRow);
    filler.Line(kSectionHeight, TPrintWords::Block(block + 1), TPrintStyle::Section);
    const double teamsWidth = TeamsWidth(filler.Width(), kBlockColumns);
    TRow header = {{kNumberWidth, QString(), TPrintStyle::Header},
                   {teamsWidth, TPrintWords::Match(), TPrintStyle::Header}};
    for (std::size_t column = first; column < last; ++column) {
        header.emplace_back(kSignWidth, QString::number(column + 1), TPrintStyle::Header);
    }
    filler.Row(kRow, header);
    std::vector<std::string> texts;
    for (std::size_t column = first; column < last; ++column) {
        texts.push_back(kelvo::ColumnText(columns[column]));
    }
    for (int match = 0; match < kelvo::kColumnLength; ++match) {
        TRow row = {{kNumberWidth, QString::number(match + 1), TPrintStyle::Number},
                    {teamsWidth, TeamsOf(plan, match), TPrintStyle::Teams}};
        for (const std::string& text : texts) {
            row.emplace_back(kSignWidth,
                             QString(QChar::fromLatin1(text[static_cast<std::size_t>(match)])),
                             TPrintStyle::Sign);
        }
        filler.Row(kRow, row);
    }
}

// The font, frame, shade and alignment of each style.
struct TLook {
    double Points;
    bool Bold;
    bool Framed;
    bool Shaded;
    Qt::Alignment Align;
};

TLook LookOf(TPrintStyle style) {
    switch (style) {
        case TPrintStyle::Title:
            return {16, true, false, false, Qt::AlignLeft};
        case TPrintStyle::Text:
            return {10, false, false, false, Qt::AlignLeft};
        case TPrintStyle::Section:
            return {11, true, false, false, Qt::AlignLeft};
        case TPrintStyle::Header:
            return {9, true, true, true, Qt::AlignCenter};
        case TPrintStyle::Number:
            return {9, false, true, false, Qt::AlignCenter};
        case TPrintStyle::Sign:
            return {10, true, true, false, Qt::AlignCenter};
        case TPrintStyle::Teams:
            return {9, false, true, false, Qt::AlignLeft};
        case TPrintStyle::Footer:
            return {8, false, false, false, Qt::AlignCenter};
    }
    return {10, false, false, false, Qt::AlignLeft};
}

// Room left between a frame and its text, in millimetres.
constexpr double kPadding = 1.2;
// The frames' lines, in millimetres.
constexpr double kFrameWidth = 0.25;

void DrawCell(QPainter& painter, const TPrintCell& cell, double pixelsPerMm) {
    const TLook look = LookOf(cell.Style);
    const QRectF box(cell.Box.x() * pixelsPerMm, cell.Box.y() * pixelsPerMm,
                     cell.Box.width() * pixelsPerMm, cell.Box.height() * pixelsPerMm);
    if (look.Framed) {
        painter.setPen(QPen(Qt::black, kFrameWidth * pixelsPerMm));
        painter.setBrush(look.Shaded ? QBrush(QColor(225, 225, 225)) : QBrush(Qt::NoBrush));
        painter.drawRect(box);
    }
    QFont font = painter.font();
    font.setPointSizeF(look.Points);
    font.setBold(look.Bold);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const double padding = look.Framed ? kPadding * pixelsPerMm : 0;
    const QRectF inside = box.adjusted(padding, 0, -padding, 0);
    const QString text =
        QFontMetricsF(font, painter.device()).elidedText(cell.Text, Qt::ElideRight, inside.width());
    painter.drawText(inside, static_cast<int>(look.Align | Qt::AlignVCenter), text);
}

}  // namespace

TPrintHeading MakePrintHeading(const kelvo::TPlan& plan, const QString& path, const QDate& date) {
    return {path.isEmpty() ? TPrintWords::Unnamed() : QFileInfo(path).completeBaseName(), plan,
            date};
}

std::vector<TPrintPage> LayOutPages(const TPrintHeading& heading,
                                    const std::vector<kelvo::TKey>& columns, QSizeF area) {
    TPageFiller filler(area, heading.PlanName);
    LayOutSummary(filler, heading, columns.size());
    const std::size_t blocks = (columns.size() + kBlockColumns - 1) / kBlockColumns;
    for (std::size_t block = 0; block < blocks; ++block) {
        if (block == 0) {
            filler.NewPage();
        }
        LayOutBlock(filler, heading.Plan, columns, block);
    }
    return std::move(filler).Finish();
}

bool PrintColumns(QPagedPaintDevice& device, const TPrintHeading& heading,
                  const std::vector<kelvo::TKey>& columns) {
    const QRectF area = device.pageLayout().paintRect(QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    const double pixelsPerMm = device.width() / area.width();
    const std::vector<TPrintPage> pages = LayOutPages(heading, columns, area.size());
    for (std::size_t page = 0; page < pages.size(); ++page) {
        if (page > 0) {
            device.newPage();
        }
        for (const TPrintCell& cell : pages[page]) {
            DrawCell(painter, cell, pixelsPerMm);
        }
    }
    return painter.end();
}
