// The reduced columns written out: as a columns file, as a PDF, or on paper, each asking where in
// its dialog. What is done and what fails is told through Reported and Failed.
#pragma once

#include <QObject>
#include <QString>

#include <vector>

#include "column_print.h"
#include "common/file_dialog.h"
#include "core/column_key.h"

class QWidget;

class TColumnExport final : public QObject {
    Q_OBJECT

public:
    // Files are chosen through `files` and the print dialog stands over `window`.
    TColumnExport(TFileDialog& files, QWidget* window);

    // Writes `columns` as a columns file (one column a line, CR LF), named as the player chooses
    // starting from the plan's name in `heading`, with ".txt" added to a name without extension.
    void SaveColumns(const TPrintHeading& heading, const std::vector<kelvo::TKey>& columns);
    // Writes `columns` as a PDF of A4 pages laid out as the slip (see PrintColumns), named as the
    // player chooses starting from the plan's name.
    void ExportPdf(const TPrintHeading& heading, const std::vector<kelvo::TKey>& columns);
    // Prints `columns` as the slip, after the summary of `heading`, on the printer the player
    // chooses in the print dialog.
    void Print(const TPrintHeading& heading, const std::vector<kelvo::TKey>& columns);

signals:
    // An export failed, `message` saying why.
    void Failed(const QString& message);
    // An export was written, `message` saying where.
    void Reported(const QString& message);

private:
    // Where the columns go, asked in a save dialog named `title` proposing the plan's name with
    // `suffix`, which is also added to a name chosen without an extension; empty when the player
    // cancels.
    QString ChoosePath(const TPrintHeading& heading, const QString& title, const QString& filter,
                       const QString& suffix);

    TFileDialog& files_;
    QWidget* window_;
};
