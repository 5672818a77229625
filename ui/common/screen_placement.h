// Where the program's dialogs come up on the screen.
#pragma once

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QRect>

class QEvent;
class QWidget;

// `window` shrunk where it is wider or taller than `available`, then moved the least that puts
// it whole within `available`: a window saved on a larger screen comes up whole on a smaller one,
// and one that fits keeps its place.
QRect FitWithin(const QRect& window, const QRect& available);

// The divisor that stands a window in the middle of its monitor, as notices and error boxes stand.
constexpr int kCentred = 2;

// Each time `window` is shown, moves it, frame included, horizontally centred on its monitor with
// its top edge at 1/`topDivisor` of the height its frame leaves free (2 centres it). The placement
// waits for the show because a dialog settles its size only then. A window manager frames the
// window only once it is mapped, so the show places it as if its frame were that of its owner's
// window, and the first paint, or the first move after it, by when the real frame is known moves
// it to its place by that frame if it stands elsewhere. Owned by `window`.
class TScreenPlacement final : public QObject {
public:
    TScreenPlacement(QWidget* window, int topDivisor);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Where the frame's top left corner goes, for a window with `frame` around it.
    QPoint FramePosition(const QMargins& frame) const;

    QWidget* window_;
    int topDivisor_;
    // Where the window stands between a show and its placement by a known frame.
    enum class TStage { Placed, Shown, Painted };
    TStage stage_ = TStage::Placed;
};
