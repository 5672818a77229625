#include "reduction_run.h"

TReductionRun::~TReductionRun() = default;

void TReductionRun::SetSearchSteps(std::uint64_t seed, std::uint64_t steps) {
    searchSteps_ = std::make_pair(seed, steps);
}

void TReductionRun::Reduce(TReductionInput input) {
    if (input.Budget && searchSteps_) {
        input.Budget->Seed = searchSteps_->first;
        input.Budget->Steps = searchSteps_->second;
    }
    Start(std::move(input), true);
}

void TReductionRun::Score(TReductionInput input) {
    Start(std::move(input), false);
}

void TReductionRun::Stop() {
    if (Reducing()) {
        job_->StopSearch();
    }
}

void TReductionRun::Abandon() {
    job_.reset();
}

void TReductionRun::Start(TReductionInput input, bool reducing) {
    if (Working()) {
        return;
    }
    reducing_ = reducing;
    job_ = std::make_unique<TReductionJob>(std::move(input));
    connect(job_.get(), &TReductionJob::Progressed, this, &TReductionRun::Progressed);
    connect(job_.get(), &TReductionJob::Finished, this,
            [this](std::shared_ptr<const TReductionResult> result) {
                job_.reset();
                emit Finished(std::move(result), reducing_);
            });
    connect(job_.get(), &TReductionJob::Failed, this, [this](const QString& message) {
        job_.reset();
        emit Failed(message);
    });
}
