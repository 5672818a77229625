// Run hosts for driving the engine without a window.
#pragma once

#include <string>
#include <vector>

#include "modes/run_host.h"

namespace kelvo {

// A window with nothing to do: what the engine pays for its own work alone. Counts the pumps.
class TQuietHost : public TRunHost {
public:
    void AddLogLine(const std::string&) override {}
    void ShowInfo(const std::string&) override {}
    void PumpEvents() override { ++Pumps; }

    long long Pumps = 0;
};

// Records what a run tells its host.
class TRecordingHost : public TRunHost {
public:
    void AddLogLine(const std::string& text) override { Log.push_back(text); }
    void ShowInfo(const std::string& text) override { Infos.push_back(text); }
    void PumpEvents() override { ++Pumps; }

    std::vector<std::string> Log;
    std::vector<std::string> Infos;
    long long Pumps = 0;
};

}  // namespace kelvo
