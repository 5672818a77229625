#include "value_worker.h"

#include <new>
#include <utility>

TValueWorker::~TValueWorker() {
    worker_ = std::jthread();
}

void TValueWorker::Value(std::vector<kelvo::TKey> columns, const kelvo::TWeekPool& pool) {
    const std::uint64_t generation = ++generation_;
    valuing_ = true;
    // Assigning a new thread asks the running one to stop and joins it first.
    worker_ =
        std::jthread([this, generation, columns = std::move(columns), pool](std::stop_token stop) {
            std::optional<kelvo::TSetValue> value;
            try {
                value = kelvo::ValueOfSet(columns, pool, nullptr, stop);
                if (!value) {
                    return;
                }
            } catch (const std::bad_alloc&) {
                // Delivered as no value: the window says so rather than leave "working it out".
            }
            if (!stop.stop_requested()) {
                QMetaObject::invokeMethod(
                    this, [this, generation, value] { Deliver(generation, value); },
                    Qt::QueuedConnection);
            }
        });
}

void TValueWorker::Cancel() {
    ++generation_;
    valuing_ = false;
    worker_ = std::jthread();
}

void TValueWorker::Deliver(std::uint64_t generation, const std::optional<kelvo::TSetValue>& value) {
    // A valuation overtaken by a newer request, or cancelled, after it finished tells nothing.
    if (generation != generation_) {
        return;
    }
    valuing_ = false;
    if (value) {
        emit Valued(*value);
    } else {
        emit OutOfMemory();
    }
}
