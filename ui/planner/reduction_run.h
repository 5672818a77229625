// The work the window runs off its thread, one at a time: a reduction of a plan's development, or
// the scoring of a reduction it has. Holds no widget: it starts the worker, passes on its progress
// and its end, stops its search, and waits for it when it goes.
#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

#include "reduction_job.h"

class TReductionRun final : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    // Stops any work still running and waits for it.
    ~TReductionRun() override;

    // Whether a reduction or a scoring is running.
    bool Working() const { return job_ != nullptr; }
    // Whether the work running is a reduction, whose search Stop ends.
    bool Reducing() const { return job_ != nullptr && reducing_; }
    // Any optimiser run from then on takes exactly `steps` steps from `seed` instead of its time
    // budget, so that a reduction is the same on every machine.
    void SetSearchSteps(std::uint64_t seed, std::uint64_t steps);

    // Reduces the development of `input` on a worker thread. Does nothing while working.
    void Reduce(TReductionInput input);
    // Scores `input.Reduced` against the development of `input` on a worker thread. Does nothing
    // while working.
    void Score(TReductionInput input);
    // Ends the search of a reduction early: the best set so far is scored and delivered as usual.
    void Stop();
    // Stops whatever is running where it is and waits for it; no signal follows.
    void Abandon();

signals:
    // Queued from the worker, at most every 50 ms.
    void Progressed(const TJobProgress& progress);
    // The work is done; `reduced` says whether it was a reduction. Working is false by then.
    void Finished(std::shared_ptr<const TReductionResult> result, bool reduced);
    // The work failed, `message` saying why in the player's words. Working is false by then.
    void Failed(const QString& message);

private:
    void Start(TReductionInput input, bool reducing);

    std::optional<std::pair<std::uint64_t, std::uint64_t>> searchSteps_;
    bool reducing_ = false;
    // Declared last: destroyed first, stopping and joining its worker before the rest goes.
    std::unique_ptr<TReductionJob> job_;
};
