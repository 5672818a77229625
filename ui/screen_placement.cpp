#include "screen_placement.h"

#include <QEvent>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <QWindow>

TScreenPlacement::TScreenPlacement(QWidget* window, int topDivisor)
    : QObject(window), window_(window), topDivisor_(topDivisor) {
    window->installEventFilter(this);
}

bool TScreenPlacement::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Show) {
        // The frame is known once the window system has decorated a window of this kind; until
        // then it counts as none.
        const QWindow* handle = window_->windowHandle();
        const QMargins frame = handle != nullptr ? handle->frameMargins() : QMargins();
        const QSize outer = window_->size().grownBy(frame);
        const QRect monitor = window_->screen()->geometry();
        window_->move(monitor.left() + (monitor.width() - outer.width()) / 2,
                      monitor.top() + (monitor.height() - outer.height()) / topDivisor_);
    }
    return QObject::eventFilter(watched, event);
}
