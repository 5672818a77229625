#include "ui_test_support.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <utility>

QString TFakeFileDialog::Show(QWidget*, const TFileQuestion&) {
    ++Calls;
    if (Answers.empty()) {
        ++Unanswered;
        return {};
    }
    const std::optional<QString> answer = Answers.front();
    Answers.pop_front();
    return answer.value_or(QString());
}

namespace {
constexpr int kPollMilliseconds = 5;
// A window manager on a loaded machine has been seen to take over five seconds to frame and place
// a dialog; the wait ends as soon as it has.
constexpr int kFramingTimeoutMs = 20000;
}  // namespace

bool UnderWindowManager() {
    return !qEnvironmentVariableIsEmpty("KELVO_WINDOW_MANAGER");
}

bool PlacedByFrame(const QWidget* window, int divisor) {
    const QRect frame = window->frameGeometry();
    const QRect monitor = window->screen()->geometry();
    const int left = monitor.left() + (monitor.width() - frame.width()) / 2;
    const int top = monitor.top() + (monitor.height() - frame.height()) / divisor;
    return qAbs(frame.left() - left) <= 1 && qAbs(frame.top() - top) <= 1;
}

void AwaitFramedPlacement(const QWidget* window, int divisor) {
    if (!UnderWindowManager()) {
        return;
    }
    // A window that never stands by its frame fails the checks that follow.
    static_cast<void>(QTest::qWaitFor(
        [window, divisor] {
            return window->frameGeometry() != window->geometry() && PlacedByFrame(window, divisor);
        },
        kFramingTimeoutMs));
}

TModalAnswerer::TModalAnswerer(std::deque<THandler> handlers) : handlers_(std::move(handlers)) {
    connect(&timer_, &QTimer::timeout, this, &TModalAnswerer::Poll);
    timer_.start(kPollMilliseconds);
}

void TModalAnswerer::Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || seen_.contains(modal)) {
        return;
    }
    seen_.append(modal);
    if (handlers_.empty()) {
        ++unexpected_;
        modal->close();
        return;
    }
    THandler handler = std::move(handlers_.front());
    handlers_.pop_front();
    ++answered_;
    QPointer<QWidget> target(modal);
    QTimer::singleShot(0, this, [handler = std::move(handler), target] {
        if (target) {
            handler(target);
        }
    });
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size() && file.flush();
}

void TypeIntoFileDialog(QFileDialog* dialog, const QString& name) {
    auto* nameEdit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (name.isEmpty() || nameEdit == nullptr) {
        QTest::keyClick(dialog, Qt::Key_Escape);
        return;
    }
    // A name selected in the folder view outweighs the name box, as when a user clicks a file
    // after typing; a real display lists the folder, and selects the last name in it, before the
    // answer comes. Clear that selection as a user's typing does.
    for (QAbstractItemView* view : dialog->findChildren<QAbstractItemView*>()) {
        view->clearSelection();
    }
    nameEdit->setFocus();
    nameEdit->setText(name);
    QTest::keyClick(nameEdit, Qt::Key_Return);
    if (dialog->isVisible()) {
        dialog->reject();
    }
}
