#include "transient_settings.h"

#include <QSettings>

TTransientSettings::TTransientSettings() {
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        QSettings::setPath(format, QSettings::UserScope, folder_.path());
    }
}
