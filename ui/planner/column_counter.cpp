#include "column_counter.h"

#include <utility>

#include "modes/empty_development.h"

TColumnCounter::~TColumnCounter() {
    worker_ = std::jthread();
}

void TColumnCounter::Count(const kelvo::TForecast& forecast,
                           std::vector<kelvo::TCondition> conditions) {
    const std::uint64_t generation = ++generation_;
    counting_ = true;
    // Assigning a new thread asks the running one to stop and joins it first.
    worker_ = std::jthread([this, generation, forecast,
                            conditions = std::move(conditions)](std::stop_token stop) {
        const std::uint64_t columns = kelvo::CountColumns(forecast, conditions, stop);
        const std::optional<std::size_t> emptying =
            columns == 0 ? kelvo::FindEmptyingCondition(forecast, conditions, stop) : std::nullopt;
        if (!stop.stop_requested()) {
            QMetaObject::invokeMethod(
                this,
                [this, generation, columns, emptying] { Deliver(generation, columns, emptying); },
                Qt::QueuedConnection);
        }
    });
}

void TColumnCounter::Deliver(std::uint64_t generation, std::uint64_t columns,
                             std::optional<std::size_t> emptying) {
    // A count that was overtaken by a newer forecast after it finished tells nothing.
    if (generation != generation_) {
        return;
    }
    counting_ = false;
    emit Counted(columns, emptying);
}
