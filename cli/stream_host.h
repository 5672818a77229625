// The run host of the command line: standard streams instead of a window.
#pragma once

#include <ostream>
#include <string>

#include "core/progress.h"
#include "driver_terminal.h"
#include "modes/run_host.h"

namespace kelvo {

// Log lines go to `out`, notices to `err`, there are no events to pump. On a terminal, once a
// run has taken longer than a second, a progress line on `err`, redrawn at most four times a
// second by the clock of `terminal`, and cleared before any other line and when the host ends.
// Both streams and `terminal` must outlive the host.
class TStreamHost : public TRunHost {
public:
    TStreamHost(std::ostream& out, std::ostream& err, const TDriverTerminal& terminal);
    ~TStreamHost() override;
    TStreamHost(const TStreamHost&) = delete;
    TStreamHost& operator=(const TStreamHost&) = delete;

    void AddLogLine(const std::string& text) override;
    void ShowInfo(const std::string& text) override;
    void PumpEvents() override {}
    // The optimiser's smallest set so far and, with a time budget, the seconds left; any other
    // phase's share done.
    void ShowProgress(const TProgress& progress) override;

private:
    void ClearProgress();

    std::ostream& out_;
    std::ostream& err_;
    const TDriverTerminal& terminal_;
    TClock::time_point start_;
    TClock::time_point lastDrawn_{};
    bool shown_ = false;
};

}  // namespace kelvo
