#include "ui_test_support.h"

#include <QApplication>
#include <QFile>

#include <utility>

void TFakeFileDialog::Execute(QWidget*) {
    ++Calls;
    if (Answers.empty()) {
        ++Unanswered;
        return;
    }
    const std::optional<QString> answer = Answers.front();
    Answers.pop_front();
    if (answer) {
        fileName_ = *answer;
    }
}

namespace {
constexpr int kPollMilliseconds = 5;
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
