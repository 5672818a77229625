// The reduced columns on paper, laid out as the pool slip they are copied onto: a first page that
// sums the plan up, then numbered blocks of eight columns side by side with the 14 matches down,
// each sign in its own cell, as many blocks as fit a page, every page numbered.
#pragma once

#include <QDate>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <vector>

#include "core/column_key.h"
#include "plan/plan.h"

class QPagedPaintDevice;

// The columns of one block: a bet slip holds eight.
inline constexpr int kBlockColumns = 8;

// What the pages tell besides the columns: the plan's name, the plan (its matches, signs played,
// conditions, guarantee and price) and the day it is printed.
struct TPrintHeading {
    QString PlanName;
    kelvo::TPlan Plan;
    QDate Date;
};

// The heading of `plan`, kept in the file at `path` (empty while it has none), printed on `date`:
// named for the file without its extension, or "Plan sin nombre".
TPrintHeading MakePrintHeading(const kelvo::TPlan& plan, const QString& path, const QDate& date);

// How a cell is drawn: its font, whether it is framed and how its text is aligned.
enum class TPrintStyle {
    Title,    // the plan's name, large, on the first page
    Text,     // a line of the summary
    Section,  // a section's or block's title ("Pronóstico", "Bloque 2")
    Header,   // a framed, shaded cell over a grid's column ("Partido", a column's number)
    Number,   // a framed cell with a match's number, centred
    Sign,     // a framed cell with a sign, centred and bold
    Teams,    // a framed cell with a match's teams
    Footer,   // the page's number
};

// One thing drawn on a page: `Text` in `Box` (millimetres from the top left corner of the page's
// printable area) as `Style` says.
struct TPrintCell {
    QRectF Box;
    QString Text;
    TPrintStyle Style = TPrintStyle::Text;

    bool operator==(const TPrintCell&) const = default;
};

using TPrintPage = std::vector<TPrintCell>;

// The cells of every page on a printable area of `area` millimetres, in reading order: first the
// plan's summary (name, date, forecast grid, conditions in words, guarantee, number of columns
// and cost), then from a new page the blocks of `columns`, each titled ("Bloque 1"), with a row of
// the columns' numbers over the 14 matches' rows (number, teams, one sign per column); a block is
// never split across pages. Each page ends with the plan's name and its number
// ("jornada 15 · página 2 de 5").
std::vector<TPrintPage> LayOutPages(const TPrintHeading& heading,
                                    const std::vector<kelvo::TKey>& columns, QSizeF area);

// Draws the pages of LayOutPages on `device` (a printer or a PDF writer), on its page's printable
// area, texts too long for their cells cut with an ellipsis. Returns false when the device could
// not be painted.
bool PrintColumns(QPagedPaintDevice& device, const TPrintHeading& heading,
                  const std::vector<kelvo::TKey>& columns);
