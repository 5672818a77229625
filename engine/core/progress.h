// How long work tells whoever waits for it how far it has got.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kelvo {

// The clock of every deadline and every time the engine reports.
using TClock = std::chrono::steady_clock;

// The phases of a reduction, as they are named to the user.
inline constexpr std::string_view kSortingPhase = "sorting";
inline constexpr std::string_view kAnalysingPhase = "analysing";
inline constexpr std::string_view kSelectingPhase = "selecting";
inline constexpr std::string_view kOptimisingPhase = "optimising";
// Choosing the best columns for a budget, after the greedy's start.
inline constexpr std::string_view kBudgetPhase = "budget";

// How far long work has got.
struct TProgress {
    std::string_view Phase;
    // The share of the phase done, 0 to 1.
    double Fraction = 0;
    // The size of the smallest reduced set found so far, 0 before there is one.
    std::size_t Best = 0;
    // No reduced set is smaller than this; 0 while it is not known.
    std::size_t Bound = 0;
    // The seconds left of the phase's time budget, where it has one.
    std::optional<double> SecondsLeft;
};

// Whoever waits for long work: a window that pumps its events, a terminal, a worker thread that
// passes the news on through queued signals. Every call comes from the thread that called the
// work.
class TProgressSink {
public:
    virtual ~TProgressSink() = default;
    // Called once as `phase` begins, before its first Report.
    virtual void BeginPhase(std::string_view phase) { static_cast<void>(phase); }
    // Called now and then during a phase, and at every point where the work must let its caller
    // act (a pass boundary); often, so a sink that draws decides how often to redraw.
    virtual void Report(const TProgress& progress) = 0;
};

// Reports to a sink once every kInterval units of work, so that a long phase keeps its caller
// responsive without paying for a report per comparison. A null sink is told nothing.
class TPacedProgress {
public:
    TPacedProgress(TProgressSink* sink, std::string_view phase) : sink_(sink), phase_(phase) {}

    // Counts `units` of work done, reporting when the interval is used up.
    void Work(std::uint64_t units = 1) {
        if (units >= left_) {
            Now();
        } else {
            left_ -= units;
        }
    }
    // Reports now, at a point where the phase must always let its caller act.
    void Now() {
        if (sink_ != nullptr) {
            TProgress progress;
            progress.Phase = phase_;
            progress.Fraction = fraction_;
            sink_->Report(progress);
        }
        left_ = kInterval;
    }
    // How far the phase has got, reported at the next report.
    void SetProgress(double fraction) { fraction_ = fraction; }

private:
    static constexpr std::uint64_t kInterval = 1u << 16;

    TProgressSink* sink_;
    std::string_view phase_;
    double fraction_ = 0;
    std::uint64_t left_ = kInterval;
};

}  // namespace kelvo
