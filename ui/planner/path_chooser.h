// Where the player picks the files to open and save, behind an interface so that a test can
// answer in its place.
#pragma once

#include <QString>

class QWidget;

class TPathChooser {
public:
    virtual ~TPathChooser() = default;
    // The file the player picks to open, or empty when they cancel.
    virtual QString OpenPath(QWidget* owner, const QString& title, const QString& filter) = 0;
    // The name the player picks to save under, starting from `suggested`, or empty when they
    // cancel. Asks before an existing file is replaced.
    virtual QString SavePath(QWidget* owner, const QString& title, const QString& filter,
                             const QString& suggested) = 0;
};

// Qt's own file dialog, alike on every desktop.
class TQtPathChooser final : public TPathChooser {
public:
    QString OpenPath(QWidget* owner, const QString& title, const QString& filter) override;
    QString SavePath(QWidget* owner, const QString& title, const QString& filter,
                     const QString& suggested) override;
};
