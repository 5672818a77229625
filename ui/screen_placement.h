// Where the program's dialogs come up on the screen.
#pragma once

#include <QObject>

class QEvent;
class QWidget;

// Each time `window` is shown, moves it horizontally centred on its monitor with its top edge at
// 1/`topDivisor` of the height its frame leaves free (2 centres it). The placement waits for the
// show because a dialog settles its size only then. Owned by `window`.
class TScreenPlacement final : public QObject {
public:
    TScreenPlacement(QWidget* window, int topDivisor);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    int topDivisor_;
};
