// One reduction run, from the input file to the output file, and what it needs of its caller.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "column_file.h"

enum class TRunOutcome { Completed, Refused };

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

// The most columns one run accepts.
constexpr int kMaxColumns = 7000;

// Shown instead of a run when the input holds more than kMaxColumns lines (UTF-8).
inline constexpr std::string_view kRefusalText =
    "ATENCION, Esta version esta dise\xc3\xb1"
    "ada para\r\n combinaciones mas peque\xc3\xb1"
    "as.";

// How a run differs from the window's.
struct TRunOptions {
    // Reduces any number of columns instead of refusing more than kMaxColumns.
    bool NoLimit = false;
    // Writes every file the run writes.
    TWriteCall Write = SystemWrite;
};

// Performs one run: sorts and rewrites `InputPath`, refuses more than kMaxColumns lines, loads,
// analyses and reduces the columns, writes them to `OutputPath` + ".txt" and logs the summary.
// Refuses, before writing anything, an output that would replace the input file itself. Throws
// TEngineError with the user-visible message on failure.
TRunOutcome ReduceColumns(const std::string& InputPath, const std::string& OutputPath,
                          TRunHost& host, const TRunOptions& options = {});

// The error-box text for a failure message: a full stop is appended when the message is not empty
// and its last byte is above that of the full stop.
std::string ErrorBoxText(std::string_view message);

// Calls the host's PumpEvents once every kInterval units of work, so that a long phase keeps its
// caller responsive without paying for an event check per comparison, and reports the phase's
// progress along with it.
class TPacedPump {
public:
    TPacedPump(TRunHost& host, std::string_view phase) : host_(host), phase_(phase) {}

    // Counts `units` of work done, pumping when the interval is used up.
    void Work(std::uint32_t units = 1) {
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
    static constexpr std::uint32_t kInterval = 1u << 16;

    TRunHost& host_;
    std::string_view phase_;
    double fraction_ = 0;
    std::uint32_t left_ = kInterval;
};

// Phase names for ShowProgress.
inline constexpr std::string_view kSortingPhase = "sorting";
inline constexpr std::string_view kAnalysingPhase = "analysing";
inline constexpr std::string_view kSelectingPhase = "selecting";
