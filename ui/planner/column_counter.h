// The live count of the development's columns, off the window's thread: each new forecast stops
// the count still running and starts another, so a slow count never holds the window up.
#pragma once

#include <QObject>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <thread>
#include <vector>

#include "modes/conditions.h"
#include "modes/development.h"

class TColumnCounter : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    // Stops and waits for the count still running.
    ~TColumnCounter() override;

    // Stops the count still running, waits for it, and counts the columns of `forecast` that
    // meet `conditions` on a worker thread, looking there too, when none does, for the condition
    // that leaves none; Counted follows unless another Count comes first.
    void Count(const kelvo::TForecast& forecast, std::vector<kelvo::TCondition> conditions);
    // Whether a count has been asked for and its Counted has not come yet.
    bool Counting() const { return counting_; }

signals:
    // The number of columns of the forecast last given to Count and, when there are none, the
    // position among its conditions of the first whose removal leaves some (FindEmptyingCondition).
    void Counted(quint64 columns, std::optional<std::size_t> emptying);

private:
    void Deliver(std::uint64_t generation, std::uint64_t columns,
                 std::optional<std::size_t> emptying);

    std::uint64_t generation_ = 0;
    bool counting_ = false;
    // Declared last: it stops and joins before the rest goes away.
    std::jthread worker_;
};
