#include "plan_document.h"

#include <QFileInfo>
#include <QWidget>

#include <utility>

#include "core/engine_error.h"
#include "plan_file.h"

TPlanDocument::TPlanDocument(TFileDialog& files, TMessageBox& messages, QWidget* window,
                             std::function<kelvo::TPlan()> current)
    : QObject(window),
      files_(files),
      messages_(messages),
      window_(window),
      current_(std::move(current)) {}

QString TPlanDocument::Name() const {
    return path_.isEmpty() ? tr("sin título") : QFileInfo(path_).fileName();
}

void TPlanDocument::MarkModified() {
    SetState(path_, true);
}

std::optional<kelvo::TPlan> TPlanDocument::New() {
    if (!MaySetAside()) {
        return std::nullopt;
    }
    SetState(QString(), false);
    return kelvo::StartingPlan();
}

std::optional<kelvo::TPlan> TPlanDocument::Open() {
    if (!MaySetAside()) {
        return std::nullopt;
    }
    const QString path =
        files_.OpenPath(window_, tr("Abrir plan"), tr("Planes de Kelvo (*.kelvo)"));
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return OpenFile(path);
}

std::optional<kelvo::TPlan> TPlanDocument::OpenFile(const QString& path) {
    try {
        kelvo::TPlan plan = OpenPlanAt(path);
        SetState(QFileInfo(path).absoluteFilePath(), false);
        return plan;
    } catch (const kelvo::TPlanFileError& error) {
        emit Failed(PlanRefusalText(error.Refusal(), QFileInfo(path).fileName()));
        return std::nullopt;
    }
}

bool TPlanDocument::Save() {
    if (path_.isEmpty()) {
        return SaveAs();
    }
    return Write(path_);
}

bool TPlanDocument::SaveAs() {
    const QLatin1String extension(kelvo::kPlanExtension.data(), kelvo::kPlanExtension.size());
    QString path =
        files_.SavePath(window_, tr("Guardar plan"), tr("Planes de Kelvo (*.kelvo)"),
                        path_.isEmpty() ? tr("plan.kelvo") : path_, QString(extension).mid(1));
    if (path.isEmpty()) {
        return false;
    }
    if (!path.endsWith(extension)) {
        path += extension;
    }
    return Write(path);
}

bool TPlanDocument::MaySetAside() {
    if (!modified_) {
        return true;
    }
    TQuestion question;
    question.Caption = tr("Cambios sin guardar");
    question.Text = tr("El plan %1 tiene cambios sin guardar. ¿Quiere guardarlos?").arg(Name());
    question.Buttons = {{QMessageBox::Save, tr("&Guardar")},
                        {QMessageBox::Discard, tr("&Descartar")},
                        {QMessageBox::Cancel, tr("&Cancelar")}};
    question.Default = QMessageBox::Save;
    question.Name = QStringLiteral("UnsavedBox");
    switch (messages_.Ask(window_, question)) {
        case QMessageBox::Save:
            return Save();
        case QMessageBox::Discard:
            return true;
        default:
            return false;
    }
}

bool TPlanDocument::Write(const QString& path) {
    try {
        SavePlanAt(current_(), path);
    } catch (const kelvo::TEngineError& error) {
        emit Failed(tr("No se pudo guardar el plan: %1.").arg(WriteFailureText(error)));
        return false;
    }
    SetState(QFileInfo(path).absoluteFilePath(), false);
    emit Reported(tr("Plan guardado en %1").arg(path_));
    return true;
}

void TPlanDocument::SetState(const QString& path, bool modified) {
    if (path == path_ && modified == modified_) {
        return;
    }
    path_ = path;
    modified_ = modified;
    emit StateChanged();
}
