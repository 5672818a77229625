// What a run needs of its caller, and the pacing of its event pumps.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The caller's side of a run: a window, or the command-line driver.
class TRunHost {
public:
    virtual ~TRunHost() = default;
    // Appends one line to the log.
    virtual void AddLogLine(const std::string& text) = 0;
    // Shows a notice and returns once it is dismissed.
    virtual void ShowInfo(const std::string& text) = 0;
    // Handles every pending event without waiting for new ones.
    virtual void PumpEvents() = 0;
    // Tells how far the run has got in `phase` (0 to 1); called often, so a host that shows it
    // decides how often to redraw. Hosts that show no progress leave it as it is.
    virtual void ShowProgress(std::string_view phase, double fraction) {
        static_cast<void>(phase);
        static_cast<void>(fraction);
    }
};

// Phase names for ShowProgress.
inline constexpr std::string_view kSortingPhase = "sorting";
inline constexpr std::string_view kAnalysingPhase = "analysing";
inline constexpr std::string_view kSelectingPhase = "selecting";

// Calls the host's PumpEvents once every kInterval units of work, so that a long phase keeps its
// caller responsive without paying for an event check per comparison, and reports the phase's
// progress along with it.
class TPacedPump {
public:
    TPacedPump(TRunHost& host, std::string_view phase) : host_(host), phase_(phase) {}

    // Counts `units` of work done, pumping when the interval is used up.
    void Work(std::uint64_t units = 1) {
        if (units >= left_) {
            Now();
        } else {
            left_ -= units;
        }
    }
    // Pumps now, at a point where the phase must always let events through (a pass boundary).
    void Now() {
        host_.PumpEvents();
        host_.ShowProgress(phase_, fraction_);
        left_ = kInterval;
    }
    // How far the phase has got, reported at the next pump.
    void SetProgress(double fraction) { fraction_ = fraction; }

private:
    static constexpr std::uint64_t kInterval = 1u << 16;

    TRunHost& host_;
    std::string_view phase_;
    double fraction_ = 0;
    std::uint64_t left_ = kInterval;
};
