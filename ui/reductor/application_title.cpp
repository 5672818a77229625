#include "application_title.h"

#include <QFileInfo>

QString ApplicationTitle(const QString& programPath) {
    const QString name = QFileInfo(programPath).fileName().section(QLatin1Char('.'), 0, 0);
    return name.left(1) + name.mid(1).toLower();
}
