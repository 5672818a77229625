// What the reduction in force is expected to win, worked out off the window's thread: each new
// request stops the one still running and starts another, so the window follows every change of
// the week's figures without waiting for a valuation it no longer needs.
#pragma once

#include <QObject>

#include <cstdint>
#include <optional>
#include <thread>
#include <vector>

#include "core/column_key.h"
#include "value/set_value.h"
#include "value/week_pool.h"

class TValueWorker final : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    // Stops and waits for the valuation still running.
    ~TValueWorker() override;

    // Stops the valuation still running, waits for it, and values `columns` in `pool`
    // (kelvo::ValueOfSet) on a worker thread; Valued or OutOfMemory follows unless another Value
    // or a Cancel comes first.
    void Value(std::vector<kelvo::TKey> columns, const kelvo::TWeekPool& pool);
    // Stops the valuation still running and waits for it; no signal follows.
    void Cancel();
    // Whether a valuation has been asked for and its signal has not come yet.
    bool Valuing() const { return valuing_; }

signals:
    // What the columns last given to Value are expected to win.
    void Valued(const kelvo::TSetValue& value);
    // The valuation needed more memory than there was.
    void OutOfMemory();

private:
    void Deliver(std::uint64_t generation, const std::optional<kelvo::TSetValue>& value);

    std::uint64_t generation_ = 0;
    bool valuing_ = false;
    // Declared last: it stops and joins before the rest goes away.
    std::jthread worker_;
};
