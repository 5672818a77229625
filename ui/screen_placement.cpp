#include "screen_placement.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

QMargins FrameOf(const QWidget* window) {
    const QWindow* handle = window != nullptr ? window->windowHandle() : nullptr;
    return handle != nullptr ? handle->frameMargins() : QMargins();
}

}  // namespace

TScreenPlacement::TScreenPlacement(QWidget* window, int topDivisor)
    : QObject(window), window_(window), topDivisor_(topDivisor) {
    window->installEventFilter(this);
}

bool TScreenPlacement::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Show) {
        QMargins frame = FrameOf(window_);
        if (frame.isNull() && window_->parentWidget() != nullptr) {
            frame = FrameOf(window_->parentWidget()->window());
        }
        Place(frame);
        assumed_ = frame;
        awaitingFrame_ = true;
    } else if (watched == window_ && awaitingFrame_ && event->type() == QEvent::Paint) {
        awaitingFrame_ = false;
        if (const QMargins frame = FrameOf(window_); frame != assumed_) {
            Place(frame);
        }
    }
    return QObject::eventFilter(watched, event);
}

void TScreenPlacement::Place(const QMargins& frame) {
    const QSize outer = window_->size().grownBy(frame);
    const QRect monitor = window_->screen()->geometry();
    // For a window, move() places the frame's top left corner.
    window_->move(monitor.left() + (monitor.width() - outer.width()) / 2,
                  monitor.top() + (monitor.height() - outer.height()) / topDivisor_);
}
