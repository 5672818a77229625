#include "screen_placement.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

QMargins FrameOf(const QWidget* window) {
    const QWindow* handle = window != nullptr ? window->windowHandle() : nullptr;
    return handle != nullptr ? handle->frameMargins() : QMargins();
}

}  // namespace

QRect FitWithin(const QRect& window, const QRect& available) {
    QRect fitted(window.topLeft(), window.size().boundedTo(available.size()));
    fitted.moveLeft(std::clamp(fitted.left(), available.left(),
                               available.left() + available.width() - fitted.width()));
    fitted.moveTop(std::clamp(fitted.top(), available.top(),
                              available.top() + available.height() - fitted.height()));
    return fitted;
}

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
        stage_ = TStage::Shown;
    } else if (watched == window_ && stage_ != TStage::Placed &&
               (event->type() == QEvent::Paint ||
                (stage_ == TStage::Painted && event->type() == QEvent::Move))) {
        // By the first paint the window manager has mapped the window and has most often framed
        // it. A loaded one may frame it later, so until the frame is known each move is looked
        // at; moves before the first paint are not, as the window manager's own placement on
        // mapping would then shift the frame once more. The frame is placed through the window's
        // handle, which holds the frame as soon as Qt knows it, where the widget's frame geometry
        // may still leave it out and a move of the widget would then place its client area. A
        // window that is never framed keeps its place from the show, which counted no frame for
        // an unframed owner.
        QWindow* handle = window_->windowHandle();
        const QMargins frame = FrameOf(window_);
        if (frame.isNull()) {
            stage_ = TStage::Painted;
        } else {
            stage_ = TStage::Placed;
            const QPoint wanted = FramePosition(frame);
            if (handle->framePosition() != wanted) {
                handle->setFramePosition(wanted);
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
