#include "path_chooser.h"

#include <QFileDialog>

QString TQtPathChooser::OpenPath(QWidget* owner, const QString& title, const QString& filter) {
    return QFileDialog::getOpenFileName(owner, title, QString(), filter, nullptr,
                                        QFileDialog::DontUseNativeDialog);
}

QString TQtPathChooser::SavePath(QWidget* owner, const QString& title, const QString& filter,
                                 const QString& suggested) {
    return QFileDialog::getSaveFileName(owner, title, suggested, filter, nullptr,
                                        QFileDialog::DontUseNativeDialog);
}
