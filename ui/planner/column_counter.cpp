#include "column_counter.h"

#include <utility>

TColumnCounter::~TColumnCounter() {
    worker_ = std::jthread();
}

void TColumnCounter::Count(const kelvo::TForecast& forecast,
                           std::vector<kelvo::TCondition> conditions) {
    const std::uint64_t generation = ++generation_;
    counting_ = true;
    // Assigning a new thread asks the running one to stop and joins it first.
    worker_ = std::jthread(
        [this, generation, forecast, conditions = std::move(conditions)](std::stop_token stop) {
            const std::uint64_t columns = kelvo::CountColumns(forecast, conditions, stop);
            if (!stop.stop_requested()) {
                QMetaObject::invokeMethod(
                    this, [this, generation, columns] { Deliver(generation, columns); },
                    Qt::QueuedConnection);
            }
        });
}

void TColumnCounter::Deliver(std::uint64_t generation, std::uint64_t columns) {
    // A count that was overtaken by a newer forecast after it finished tells nothing.
    if (generation != generation_) {
        return;
    }
    counting_ = false;
    emit Counted(columns);
}
