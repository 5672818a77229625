// Keeps Qt's own settings out of the user's configuration folder.
#pragma once

#include <QTemporaryDir>

// While it lives, every QSettings of the user's scope reads and writes a temporary folder of its
// own, removed with it. Qt's file dialog writes its folder history to the user's settings when it
// closes; a program that keeps no state from one start to the next (the reductor) must let none
// of that land under the user's home. Create one before the first dialog.
class TTransientSettings {
public:
    TTransientSettings();
    TTransientSettings(const TTransientSettings&) = delete;
    TTransientSettings& operator=(const TTransientSettings&) = delete;

private:
    QTemporaryDir folder_;
};
