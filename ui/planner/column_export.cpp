#include "column_export.h"

#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

#include <string>

#include "core/engine_error.h"
#include "files/column_file.h"
#include "plan_file.h"

TColumnExport::TColumnExport(TFileDialog& files, QWidget* window)
    : QObject(window), files_(files), window_(window) {}

void TColumnExport::SaveColumns(const TPrintHeading& heading,
                                const std::vector<kelvo::TKey>& columns) {
    const QString path = ChoosePath(heading, tr("Guardar columnas"),
                                    tr("Archivos de columnas (*.txt)"), QStringLiteral(".txt"));
    if (path.isEmpty()) {
        return;
    }
    std::vector<std::string> lines;
    lines.reserve(columns.size());
    for (const kelvo::TKey& column : columns) {
        lines.push_back(kelvo::ColumnText(column));
    }
    try {
        kelvo::SaveColumns(lines, QFile::encodeName(path).toStdString());
    } catch (const kelvo::TEngineError& error) {
        emit Failed(tr("No se pudieron guardar las columnas: %1.").arg(WriteFailureText(error)));
        return;
    }
    emit Reported(tr("Columnas guardadas en %1").arg(path));
}

void TColumnExport::ExportPdf(const TPrintHeading& heading,
                              const std::vector<kelvo::TKey>& columns) {
    const QString path = ChoosePath(heading, tr("Exportar a PDF"), tr("Documentos PDF (*.pdf)"),
                                    QStringLiteral(".pdf"));
    if (path.isEmpty()) {
        return;
    }
    QPdfWriter writer(path);
    writer.setTitle(heading.PlanName);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    if (!PrintColumns(writer, heading, columns)) {
        emit Failed(tr("No se pudo escribir %1.").arg(path));
        return;
    }
    emit Reported(tr("Columnas exportadas a %1").arg(path));
}

void TColumnExport::Print(const TPrintHeading& heading, const std::vector<kelvo::TKey>& columns) {
    QPrinter printer;
    printer.setDocName(heading.PlanName);
    QPrintDialog dialog(&printer, window_);
    dialog.setObjectName("PrintDialog");
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    if (!PrintColumns(printer, heading, columns)) {
        emit Failed(tr("No se pudo imprimir."));
    }
}

QString TColumnExport::ChoosePath(const TPrintHeading& heading, const QString& title,
                                  const QString& filter, const QString& suffix) {
    QString path =
        files_.SavePath(window_, title, filter, heading.PlanName + suffix, suffix.mid(1));
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) {
        path += suffix;
    }
    return path;
}
