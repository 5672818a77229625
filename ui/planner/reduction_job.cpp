#include "reduction_job.h"

#include <QCoreApplication>

#include <chrono>
#include <functional>
#include <new>
#include <string>
#include <utility>

#include "core/engine_error.h"

namespace {

class TJobWords {
    Q_DECLARE_TR_FUNCTIONS(TJobWords)

public:
    static QString Developing() { return tr("Desarrollando las columnas"); }
    static QString Reducing() { return tr("Buscando las reductoras"); }
    static QString Optimising() { return tr("Optimizando"); }
    // Short enough for the run panel at 1024x768, where the phase is one line.
    static QString Budget() { return tr("Eligiendo las columnas"); }
    static QString Prizes() { return tr("Calculando los premios"); }
    static QString Chances() { return tr("Calculando las probabilidades"); }
    static QString OutOfMemory() { return tr("No hay memoria suficiente."); }
};

// The engine's news, passed on to the window at most every kInterval so that a fast phase does
// not flood its event queue.
class TQueuedSink final : public kelvo::TProgressSink {
public:
    explicit TQueuedSink(std::function<void(TJobProgress)> post) : post_(std::move(post)) {}

    void SetStep(const QString& step) {
        step_ = step;
        phase_.clear();
        sizes_ = true;
        last_.reset();
    }

    void BeginPhase(std::string_view phase) override {
        phase_ = phase == kelvo::kOptimisingPhase ? TJobWords::Optimising()
                 : phase == kelvo::kBudgetPhase   ? TJobWords::Budget()
                                                  : QString();
        sizes_ = phase != kelvo::kBudgetPhase;
        last_.reset();
    }

    void Report(const kelvo::TProgress& progress) override {
        const auto now = kelvo::TClock::now();
        if (last_ && now - *last_ < kInterval) {
            return;
        }
        last_ = now;
        TJobProgress news;
        news.Phase = phase_.isEmpty() ? step_ : phase_;
        news.Fraction = progress.Fraction;
        news.Best = sizes_ ? progress.Best : 0;
        news.Bound = progress.Bound;
        news.SecondsLeft = progress.SecondsLeft;
        post_(std::move(news));
    }

private:
    static constexpr auto kInterval = std::chrono::milliseconds(50);

    std::function<void(TJobProgress)> post_;
    QString step_;
    // The words of the engine's phase where they say more than the step's.
    QString phase_;
    // Whether the phase's Best is the size of a set found: a budget's counts the columns chosen so
    // far, which the panel does not show as the best so far.
    bool sizes_ = true;
    std::optional<kelvo::TClock::time_point> last_;
};

}  // namespace

TReductionJob::TReductionJob(TReductionInput input, QObject* parent) : QObject(parent) {
    worker_ =
        std::jthread([this, input = std::move(input)](std::stop_token stop) { Work(stop, input); });
}

TReductionJob::~TReductionJob() {
    worker_ = std::jthread();
}

void TReductionJob::StopSearch() {
    search_.request_stop();
}

void TReductionJob::Work(std::stop_token stop, const TReductionInput& input) {
    // Closing the window stops the search as Parar does, and the scoring after it.
    const std::stop_callback closing(stop, [this] { search_.request_stop(); });
    TQueuedSink sink([this](TJobProgress news) {
        QMetaObject::invokeMethod(
            this, [this, news = std::move(news)] { emit Progressed(news); }, Qt::QueuedConnection);
    });
    auto result = std::make_shared<TReductionResult>();
    try {
        sink.SetStep(TJobWords::Developing());
        const std::vector<kelvo::TKey> development =
            kelvo::DevelopColumns(input.Forecast, input.Conditions, &sink);
        if (input.Reduced) {
            result->Chosen = *input.Reduced;
        } else if (input.Spending) {
            sink.SetStep(TJobWords::Reducing());
            kelvo::TBudgetRequest request;
            request.Columns = development;
            request.Budget = input.Spending->Columns;
            request.Guarantee = input.Guarantee;
            request.Week = input.Spending->Week;
            request.ByWinnings = input.Spending->ByWinnings;
            request.Optimise = input.Budget;
            request.Anywhere = input.Anywhere;
            request.Stop = search_.get_token();
            request.Progress = &sink;
            kelvo::TBudgetChoice choice = kelvo::ChooseForBudget(request);
            result->Chosen = std::move(choice.Chosen);
            result->Budget = choice.Report;
        } else {
            sink.SetStep(TJobWords::Reducing());
            kelvo::TReductionRequest request;
            request.Guarantee = input.Guarantee;
            request.NoLimit = true;
            request.Optimise = input.Budget;
            request.Anywhere = input.Anywhere;
            request.Stop = search_.get_token();
            request.Columns = development;
            request.Progress = &sink;
            kelvo::TReduction reduction = kelvo::Reduce(request);
            result->Chosen = std::move(reduction.Chosen);
            result->Report = reduction.Report;
        }
        if (stop.stop_requested()) {
            return;
        }
        sink.SetStep(TJobWords::Prizes());
        result->Prizes = kelvo::TablePrizes(development, result->Chosen, &sink, stop);
        if (input.Chances && !stop.stop_requested()) {
            sink.SetStep(TJobWords::Chances());
            result->Chances =
                kelvo::ChancesOfPrizes(development, result->Chosen, *input.Chances, &sink, stop);
        }
    } catch (const kelvo::TEngineError& error) {
        const QString message = QString::fromStdString(error.what());
        QMetaObject::invokeMethod(
            this, [this, message] { emit Failed(message); }, Qt::QueuedConnection);
        return;
    } catch (const std::bad_alloc&) {
        QMetaObject::invokeMethod(
            this, [this] { emit Failed(TJobWords::OutOfMemory()); }, Qt::QueuedConnection);
        return;
    }
    if (stop.stop_requested()) {
        return;
    }
    std::shared_ptr<const TReductionResult> done = std::move(result);
    QMetaObject::invokeMethod(
        this, [this, done] { emit Finished(done); }, Qt::QueuedConnection);
}
