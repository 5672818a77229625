// Helpers for driving either window and its dialogs in Qt Test.
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

class QFileDialog;

#include <deque>
#include <functional>
#include <optional>

#include "common/file_dialog.h"

// A file dialog that answers from a script: each dialog it would show takes the next answer, a
// path (chosen) or std::nullopt (cancelled), and shows nothing.
class TFakeFileDialog final : public TFileDialog {
public:
    std::deque<std::optional<QString>> Answers;
    int Calls = 0;
    int Unanswered = 0;  // calls that found no answer left, and were cancelled

protected:
    QString Show(QWidget* owner, const TFileQuestion& question) override;
};

// Answers the modal windows that come up while it lives, one handler each, in order. Each handler
// runs from its own timer event, so a handler that opens a further modal window does not stop the
// answering of that one. A modal window beyond the handlers is closed and counted, so that a
// dialog nobody expected fails the test instead of hanging it.
class TModalAnswerer : public QObject {
public:
    using THandler = std::function<void(QWidget* modal)>;

    explicit TModalAnswerer(std::deque<THandler> handlers);

    int Answered() const { return answered_; }
    int Unexpected() const { return unexpected_; }

private:
    void Poll();

    std::deque<THandler> handlers_;
    QList<QPointer<QWidget>> seen_;
    QTimer timer_;
    int answered_ = 0;
    int unexpected_ = 0;
};

// Types `name` into the name box of Qt's file `dialog` and presses Enter, as a user does; an
// empty `name`, or a dialog without a name box, is cancelled with Esc instead.
void TypeIntoFileDialog(QFileDialog* dialog, const QString& name);

// Whether the tests run under a real window manager (tests/ui/under_window_manager.sh), where
// windows get frames, rather than on the offscreen platform, where a frame is the window itself.
bool UnderWindowManager();

// Whether `window`'s frame stands horizontally centred on its monitor with its top edge at
// 1/`divisor` of the height the frame leaves free, within a pixel.
bool PlacedByFrame(const QWidget* window, int divisor);

// Under a window manager, waits until `window` has its frame and stands by it as PlacedByFrame
// says, at most a few seconds: the frame comes only once the window is mapped, and the window
// moves to its place after that. Offscreen it returns at once.
void AwaitFramedPlacement(const QWidget* window, int divisor);

// The bytes of the file at `path`; empty if it cannot be read.
QByteArray ReadBytes(const QString& path);
// Creates or replaces the file at `path` with `bytes`; false if it could not be written.
bool WriteBytes(const QString& path, const QByteArray& bytes);
