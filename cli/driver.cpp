#include "driver.h"

#include <string_view>

#include "column_file.h"
#include "run.h"

namespace {

constexpr std::string_view kUsage = "usage: kelvo-reduce INPUT OUTPUT";

constexpr std::string_view kHelp =
    "usage: kelvo-reduce INPUT OUTPUT\n"
    "\n"
    "Reduces the columns of INPUT (at most 7000 lines of 14 signs) to a set in which every input\n"
    "column differs from some chosen column in at most one position, and writes it to OUTPUT\n"
    "followed by \".txt\". INPUT is rewritten with its lines sorted, as the window does.\n"
    "\n"
    "Exit status: 0 reduced, 1 failed, 2 wrong usage, 3 refused (more than 7000 lines).\n";

// Log lines to standard output, notices to standard error; there are no events to pump.
class TStreamHost : public TRunHost {
public:
    TStreamHost(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

    void AddLogLine(const std::string& text) override { out_ << text << '\n' << std::flush; }
    void ShowInfo(const std::string& text) override { err_ << text << '\n' << std::flush; }
    void PumpEvents() override {}

private:
    std::ostream& out_;
    std::ostream& err_;
};

}  // namespace

int RunDriver(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << kHelp;
        return kExitCompleted;
    }
    if (args.size() != 2) {
        err << kUsage << '\n';
        return kExitUsage;
    }
    TStreamHost host(out, err);
    try {
        return ReduceColumns(args[0], args[1], host) == TRunOutcome::Completed ? kExitCompleted
                                                                               : kExitRefused;
    } catch (const TEngineError& error) {
        err << ErrorBoxText(error.what()) << '\n';
        return kExitFailed;
    }
}
