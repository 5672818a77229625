// Where the program's dialogs come up on the screen.
#pragma once

#include <QMargins>
#include <QObject>

class QEvent;
class QWidget;

// Each time `window` is shown, moves it, frame included, horizontally centred on its monitor with
// its top edge at 1/`topDivisor` of the height its frame leaves free (2 centres it). The placement
// waits for the show because a dialog settles its size only then. A window manager frames the
// window only once it is mapped, so the show places it with the frame of its owner's window, and
// the first paint, by when the real frame is known, moves it again if that differs. Owned by
// `window`.
class TScreenPlacement final : public QObject {
public:
    TScreenPlacement(QWidget* window, int topDivisor);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Place(const QMargins& frame);

    QWidget* window_;
    int topDivisor_;
    // The frame the last placement assumed, while the real one is still to be seen.
    QMargins assumed_;
    bool awaitingFrame_ = false;
};
