#include "file_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

#include <utility>

#include "common/screen_placement.h"

namespace {

// Top edge at a third of the free height, as the platform's own file dialogs come up.
constexpr int kTopThird = 3;

// The dialog that takes a name as typed: it keeps to the filter in any letter case and is placed
// by its frame.
QString ShowNameDialog(QWidget* owner, const TFileQuestion& question) {
    QFileDialog dialog(owner);
    if (!question.Title.isEmpty()) {
        dialog.setWindowTitle(question.Title);
    }
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (question.Kind == TFileDialogKind::OpenName) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    }
    dialog.setNameFilter(question.Filter);
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    if (!question.Suggested.isEmpty()) {
        dialog.selectFile(question.Suggested);
    }
    new TScreenPlacement(&dialog, kTopThird);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return dialog.selectedFiles().value(0);
}

}  // namespace

QString TFileDialog::Ask(QWidget* owner, const TFileQuestion& question) {
    if (next_) {
        return std::exchange(next_, std::nullopt).value();
    }
    return Show(owner, question);
}

QString TFileDialog::OpenPath(QWidget* owner, const QString& title, const QString& filter) {
    return Ask(owner, {TFileDialogKind::Open, title, filter, QString()});
}

QString TFileDialog::SavePath(QWidget* owner, const QString& title, const QString& filter,
                              const QString& suggested, const QString& extension) {
    return Ask(owner, {TFileDialogKind::Save, title, filter, suggested, extension});
}

QString TFileDialog::Show(QWidget* owner, const TFileQuestion& question) {
    switch (question.Kind) {
        case TFileDialogKind::Open:
            return QFileDialog::getOpenFileName(owner, question.Title, QString(), question.Filter,
                                                nullptr, QFileDialog::DontUseNativeDialog);
        case TFileDialogKind::Save: {
            // Not getSaveFileName: only a dialog of our own takes the extension to add.
            QFileDialog dialog(owner, question.Title, question.Suggested, question.Filter);
            dialog.setOption(QFileDialog::DontUseNativeDialog);
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.setDefaultSuffix(question.Extension);
            return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
        }
        case TFileDialogKind::OpenName:
        case TFileDialogKind::SaveName:
            return ShowNameDialog(owner, question);
    }
    return {};
}
