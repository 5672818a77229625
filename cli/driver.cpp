#include "driver.h"

#include <string_view>

#include "check.h"
#include "column_file.h"
#include "run.h"

namespace {

constexpr std::string_view kUsage =
    "usage: kelvo-reduce [--no-limit] INPUT OUTPUT\n"
    "       kelvo-reduce --check INPUT REDUCED\n";

constexpr std::string_view kHelp =
    "\n"
    "kelvo-reduce INPUT OUTPUT\n"
    "  Reduces the columns of INPUT (at most 7000 lines of 14 signs) to a set in which every\n"
    "  input column differs from some chosen column in at most one position, and writes it to\n"
    "  OUTPUT followed by \".txt\". INPUT is rewritten with its lines sorted, as the window does.\n"
    "\n"
    "  --no-limit  reduces any number of columns, up to all 4782969 of 14 signs.\n"
    "\n"
    "kelvo-reduce --check INPUT REDUCED\n"
    "  Verifies any reduction, changing neither file: prints how many input columns and reduced\n"
    "  columns there are and how many input columns have no reduced column within one differing\n"
    "  position, listing the first ten of those with their line numbers in INPUT.\n"
    "\n"
    "Exit status: 0 reduced (or, with --check, every input column covered), 1 failed,\n"
    "2 wrong usage, 3 refused (more than 7000 lines), 4 with --check, some column not covered.\n";

using TClock = std::chrono::steady_clock;
constexpr auto kQuietStart = std::chrono::seconds(1);
constexpr auto kRedrawInterval = std::chrono::milliseconds(250);

// Log lines to standard output, notices to standard error, there are no events to pump; on a
// terminal, a progress line on standard error for runs that take a while.
class TStreamHost : public TRunHost {
public:
    TStreamHost(std::ostream& out, std::ostream& err, const TDriverTerminal& terminal)
        : out_(out), err_(err), terminal_(terminal), start_(terminal.Now()) {}
    ~TStreamHost() override { ClearProgress(); }
    TStreamHost(const TStreamHost&) = delete;
    TStreamHost& operator=(const TStreamHost&) = delete;

    void AddLogLine(const std::string& text) override {
        ClearProgress();
        out_ << text << '\n' << std::flush;
    }
    void ShowInfo(const std::string& text) override {
        ClearProgress();
        err_ << text << '\n' << std::flush;
    }
    void PumpEvents() override {}
    void ShowProgress(std::string_view phase, double fraction) override {
        if (!terminal_.ErrIsTerminal) {
            return;
        }
        const TClock::time_point now = terminal_.Now();
        if (now - start_ < kQuietStart || (shown_ && now - lastDrawn_ < kRedrawInterval)) {
            return;
        }
        err_ << '\r' << phase << ' ' << static_cast<int>(fraction * 100) << "%\x1b[K" << std::flush;
        shown_ = true;
        lastDrawn_ = now;
    }

private:
    void ClearProgress() {
        if (shown_) {
            err_ << "\r\x1b[K" << std::flush;
            shown_ = false;
        }
    }

    std::ostream& out_;
    std::ostream& err_;
    const TDriverTerminal& terminal_;
    TClock::time_point start_;
    TClock::time_point lastDrawn_{};
    bool shown_ = false;
};

int Reduce(const std::string& input, const std::string& output, bool noLimit, std::ostream& out,
           std::ostream& err, const TDriverTerminal& terminal) {
    TStreamHost host(out, err, terminal);
    TRunOptions options;
    options.NoLimit = noLimit;
    return ReduceColumns(input, output, host, options) == TRunOutcome::Completed ? kExitCompleted
                                                                                 : kExitRefused;
}

int Check(const std::string& input, const std::string& reduced, std::ostream& out) {
    const TCheckResult result = CheckReduction(input, reduced);
    out << "Input columns: " << result.InputColumns << '\n'
        << "Reduced columns: " << result.ReducedColumns << '\n'
        << "Uncovered input columns: " << result.Uncovered << '\n';
    for (const auto& [line, column] : result.FirstUncovered) {
        out << "  line " << line << ": " << column << '\n';
    }
    return result.Uncovered == 0 ? kExitCompleted : kExitNotCovered;
}

}  // namespace

int RunDriver(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              const TDriverTerminal& terminal) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << kUsage << kHelp;
        return kExitCompleted;
    }
    const bool check = args.size() == 3 && args[0] == "--check";
    const bool noLimit = args.size() == 3 && args[0] == "--no-limit";
    const bool plain = args.size() == 2 && !args[0].starts_with("--");
    if (!check && !noLimit && !plain) {
        err << kUsage;
        return kExitUsage;
    }
    const std::string& first = args[args.size() - 2];
    const std::string& second = args[args.size() - 1];
    try {
        return check ? Check(first, second, out)
                     : Reduce(first, second, noLimit, out, err, terminal);
    } catch (const TEngineError& error) {
        err << ErrorBoxText(error.what()) << '\n';
        return kExitFailed;
    }
}
