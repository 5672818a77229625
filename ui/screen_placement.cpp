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
        const QMargins known = FrameOf(window_);
        if (!known.isNull()) {
            window_->move(FramePosition(known));
        } else {
            // Until the window manager has framed the window, a move places its client area, so
            // the frame is taken as that of the owner's window and the client area moved by it.
            const QMargins assumed = window_->parentWidget() != nullptr
                                         ? FrameOf(window_->parentWidget()->window())
                                         : QMargins();
            window_->move(FramePosition(assumed) + QPoint(assumed.left(), assumed.top()));
        }
        awaitingFrame_ = true;
    } else if (watched == window_ && awaitingFrame_ &&
               (event->type() == QEvent::Paint || event->type() == QEvent::Move)) {
        // A loaded window manager may frame the window after its first paint, so the frame is
        // awaited rather than assumed; once it is known, a move places the frame. A window that is
        // never framed keeps its place from the show, which counted no frame for an unframed owner.
        const QMargins frame = FrameOf(window_);
        if (!frame.isNull()) {
            awaitingFrame_ = false;
            const QPoint wanted = FramePosition(frame);
            if (window_->frameGeometry().topLeft() != wanted) {
                window_->move(wanted);
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

QPoint TScreenPlacement::FramePosition(const QMargins& frame) const {
    const QSize outer = window_->size().grownBy(frame);
    const QRect monitor = window_->screen()->geometry();
    return {monitor.left() + (monitor.width() - outer.width()) / 2,
            monitor.top() + (monitor.height() - outer.height()) / topDivisor_};
}
