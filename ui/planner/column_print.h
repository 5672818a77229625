// The reduced columns on paper: numbered blocks of eight, as many as fit a page, each page headed
// by the plan's name, the guarantee and the date.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <vector>

#include "core/column_key.h"

class QPagedPaintDevice;

// The columns of one block: a bet slip holds eight.
inline constexpr int kBlockColumns = 8;

struct TPrintHeading {
    QString PlanName;
    int Guarantee = 13;
    QDate Date;
};

// The lines of each page: the heading, then whole blocks, each a title line ("Bloque 2") and its
// numbered columns ("  9  1X21X21X21X21X"), blocks separated by a blank line; every page holds at
// most `linesPerPage` lines (at least one block's worth).
std::vector<QStringList> LayOutPages(const TPrintHeading& heading,
                                     const std::vector<kelvo::TKey>& columns, int linesPerPage);

// Draws the pages of LayOutPages on `device` (a printer or a PDF writer) in a fixed-pitch font,
// as many lines per page as its page holds. Returns false when the device could not be painted.
bool PrintColumns(QPagedPaintDevice& device, const TPrintHeading& heading,
                  const std::vector<kelvo::TKey>& columns);
