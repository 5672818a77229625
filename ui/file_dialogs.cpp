#include "file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

#include "screen_placement.h"

namespace {

// Top edge at a third of the free height, as the platform's own file dialogs come up.
constexpr int kTopThird = 3;

}  // namespace

void TQtFileDialog::Execute(QWidget* owner) {
    QFileDialog dialog(owner);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (kind_ == TFileDialogKind::Open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    }
    dialog.setNameFilter(QString::fromLatin1(kTextFilesFilter));
    // Column files come from Windows machines as often as not, named FOO.TXT.
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    if (!fileName_.isEmpty()) {
        dialog.selectFile(fileName_);
    }
    new TScreenPlacement(&dialog, kTopThird);
    if (dialog.exec() == QDialog::Accepted) {
        const QStringList chosen = dialog.selectedFiles();
        if (!chosen.isEmpty()) {
            fileName_ = chosen.constFirst();
        }
    }
}
