// What a run needs of its caller, and how its progress reaches it.
#pragma once

#include <string>
#include <string_view>

#include "core/progress.h"

namespace kelvo {

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
    // Tells how far the run has got; called often, so a host that shows it decides how often to
    // redraw. Hosts that show no progress leave it as it is.
    virtual void ShowProgress(const TProgress& progress) { static_cast<void>(progress); }
};

// Tells a run host how far a run has got: at every report the host handles its pending events and
// is shown the phase's progress, so that a window stays responsive while the run works on its
// thread.
class TRunHostProgress : public TProgressSink {
public:
    explicit TRunHostProgress(TRunHost& host) : host_(host) {}

    void Report(const TProgress& progress) override {
        host_.PumpEvents();
        host_.ShowProgress(progress);
    }

private:
    TRunHost& host_;
};

}  // namespace kelvo
