// The clock of a search harness: its --seconds option, the deadline that follows and the time
// since it began.
#pragma once

#include <chrono>

#include <CLI/CLI.hpp>

#include "core/progress.h"

namespace kelvo {

struct TSearchClock {
    TClock::time_point Begin = TClock::now();
    double Seconds = 0;

    // Adds --seconds to `app`.
    void AddOption(CLI::App& app) {
        app.add_option("--seconds", Seconds, "Stop after this long, 0 for no limit")
            ->capture_default_str();
    }
    // `Seconds` after Begin, or never for 0 or less.
    TClock::time_point Deadline() const {
        return Seconds > 0 ? Begin + std::chrono::duration_cast<TClock::duration>(
                                         std::chrono::duration<double>(Seconds))
                           : TClock::time_point::max();
    }
    double Elapsed() const { return std::chrono::duration<double>(TClock::now() - Begin).count(); }
};

}  // namespace kelvo
