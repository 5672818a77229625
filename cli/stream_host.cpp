#include "stream_host.h"

#include <chrono>
#include <cmath>
#include <sstream>

namespace kelvo {

namespace {

constexpr auto kQuietStart = std::chrono::seconds(1);
// Not more often than the eye can follow.
constexpr auto kRedrawInterval = std::chrono::milliseconds(250);

std::string ProgressLine(const TProgress& progress) {
    std::ostringstream line;
    if (progress.Phase != kOptimisingPhase) {
        line << progress.Phase << ' ' << static_cast<int>(progress.Fraction * 100) << '%';
        return line.str();
    }
    line << "optimising: " << progress.Best << " columns";
    if (progress.SecondsLeft) {
        line << ", " << static_cast<long long>(std::ceil(*progress.SecondsLeft)) << " s left";
    }
    return line.str();
}

}  // namespace

TStreamHost::TStreamHost(std::ostream& out, std::ostream& err, const TDriverTerminal& terminal)
    : out_(out), err_(err), terminal_(terminal), start_(terminal.Now()) {}

TStreamHost::~TStreamHost() {
    ClearProgress();
}

void TStreamHost::AddLogLine(const std::string& text) {
    ClearProgress();
    out_ << text << '\n' << std::flush;
}

void TStreamHost::ShowInfo(const std::string& text) {
    ClearProgress();
    err_ << text << '\n' << std::flush;
}

void TStreamHost::ShowProgress(const TProgress& progress) {
    if (!terminal_.ErrIsTerminal) {
        return;
    }
    const TClock::time_point now = terminal_.Now();
    if (now - start_ < kQuietStart || (shown_ && now - lastDrawn_ < kRedrawInterval)) {
        return;
    }
    err_ << '\r' << ProgressLine(progress) << "\x1b[K" << std::flush;
    shown_ = true;
    lastDrawn_ = now;
}

void TStreamHost::ClearProgress() {
    if (shown_) {
        err_ << "\r\x1b[K" << std::flush;
        shown_ = false;
    }
}

}  // namespace kelvo
