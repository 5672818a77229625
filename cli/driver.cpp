#include "driver.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <iomanip>
#include <limits>
#include <optional>
#include <sstream>
#include <string_view>
#include <system_error>

#include "core/engine_error.h"
#include "interrupt.h"
#include "modes/conditions.h"
#include "modes/development.h"
#include "modes/run.h"
#include "modes/score.h"
#include "reduce/check.h"
#include "version.h"

namespace kelvo {

namespace {

constexpr std::string_view kProgram = "kelvo-reduce";

constexpr std::string_view kUsage =
    "usage: kelvo-reduce [--guarantee G] [--no-limit] [--optimise SECONDS [--seed N] [--steps N]]\n"
    "                    INPUT OUTPUT\n"
    "       kelvo-reduce --check [--guarantee G] INPUT REDUCED\n"
    "       kelvo-reduce --develop FORECAST [--signs S=MIN-MAX]... OUTPUT\n"
    "       kelvo-reduce --score RESULT FILE\n"
    "       kelvo-reduce --help | --version\n";

constexpr std::string_view kFooter =
    "kelvo-reduce INPUT OUTPUT reduces the columns of INPUT (at most 7000 lines of 14 signs) to a\n"
    "set in which every input column differs from some chosen column in at most 14 - G\n"
    "positions, and writes it to OUTPUT followed by \".txt\". INPUT is rewritten with its lines\n"
    "sorted, as the window does.\n"
    "\n"
    "kelvo-reduce --check INPUT REDUCED verifies any reduction, changing neither file: it prints\n"
    "how many input columns and reduced columns there are and how many input columns have no\n"
    "reduced column within 14 - G positions, listing the first ten with their line numbers.\n"
    "\n"
    "kelvo-reduce --optimise SECONDS INPUT OUTPUT runs as above, then spends at most SECONDS\n"
    "searching for a smaller set with the same guarantee, and writes the smallest set found in\n"
    "the order of INPUT; it is never larger than the plain run's. A last line reports both sizes,\n"
    "a lower bound (no reduction can be smaller; it is usually well below the smallest one\n"
    "that exists), the gap between the result and the bound as a share of the result, and the\n"
    "time spent. Ctrl-C ends the search early and writes the best set so far; a second Ctrl-C\n"
    "ends the program at once and writes nothing. Runs differ by their timing; with --steps,\n"
    "two searches take N steps each and the same --seed gives the same set on every machine.\n"
    "\n"
    "kelvo-reduce --develop FORECAST OUTPUT writes every column of a forecast to the file OUTPUT\n"
    "(named as given, replaced if it exists), one per line with CR LF, in the order a run sorts\n"
    "them. FORECAST is 14 groups of one to three different signs, separated by commas or blanks;\n"
    "--signs S=MIN-MAX keeps only the columns with MIN to MAX signs S. For example:\n"
    "  kelvo-reduce --develop 1,1X,X2,1X2,2,1,X,12,1,1,1X2,2,X,1 --signs X=0-3 semana.txt\n"
    "\n"
    "kelvo-reduce --score RESULT FILE compares each column of FILE, read as a run loads it and\n"
    "left as it is, with RESULT (14 signs) and prints how many columns have 14, 13, 12, 11 and\n"
    "10 signs right, then the line numbers and columns of those with 13 or more. For example:\n"
    "  kelvo-reduce --score 1X21X1121X2112 reducida.txt\n"
    "\n"
    "Exit status: 0 reduced (or, with --check, every input column covered), 1 failed,\n"
    "2 wrong usage, 3 refused (more than 7000 lines), 4 with --check, some column not covered.\n";

constexpr auto kQuietStart = std::chrono::seconds(1);
constexpr auto kRedrawInterval = std::chrono::milliseconds(250);
// Longer budgets than this are taken for a mistake (about 115 days).
constexpr double kLongestBudget = 1e7;

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
    // The optimiser's smallest set so far and, with a time budget, the seconds left; any other
    // phase's share done.
    void ShowProgress(const TProgress& progress) override {
        Draw([&](std::ostream& line) {
            if (progress.Phase != kOptimisingPhase) {
                line << progress.Phase << ' ' << static_cast<int>(progress.Fraction * 100) << '%';
                return;
            }
            line << "optimising: " << progress.Best << " columns";
            if (progress.SecondsLeft) {
                line << ", " << static_cast<long long>(std::ceil(*progress.SecondsLeft))
                     << " s left";
            }
        });
    }

private:
    // Redraws the progress line with what `write` puts on it, on a terminal, once a run has
    // taken a while, and not more often than the eye can follow.
    template <class Write>
    void Draw(Write&& write) {
        if (!terminal_.ErrIsTerminal) {
            return;
        }
        const TClock::time_point now = terminal_.Now();
        if (now - start_ < kQuietStart || (shown_ && now - lastDrawn_ < kRedrawInterval)) {
            return;
        }
        err_ << '\r';
        write(err_);
        err_ << "\x1b[K" << std::flush;
        shown_ = true;
        lastDrawn_ = now;
    }

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

// What the command line asks for.
struct TCommand {
    bool Check = false;
    bool NoLimit = false;
    int Guarantee = kStrongestGuarantee;
    // The optimiser's budget in seconds; none: the plain run.
    std::optional<double> Optimise;
    std::uint64_t Seed = 1;
    std::uint64_t Steps = 0;
    std::optional<std::string> Develop;
    std::vector<std::string> Signs;
    std::optional<std::string> Score;
    std::string Input;
    std::string Output;
    // The positional options, to tell a file given empty from a file not given.
    CLI::Option* First = nullptr;
    CLI::Option* Second = nullptr;
};

// The option parser for `command`; its help is the program's --help.
void DescribeOptions(CLI::App& app, TCommand& command) {
    app.add_option("--guarantee", command.Guarantee,
                   "the guarantee: 13 (the default), 12 or 11 signs right in some chosen column")
        ->option_text("G")
        ->check(
            [](const std::string& value) -> std::string {
                int guarantee = 0;
                const char* end = value.data() + value.size();
                const auto [stop, error] = std::from_chars(value.data(), end, guarantee);
                const bool valid = error == std::errc() && stop == end && IsGuarantee(guarantee);
                return valid ? ""
                             : "'" + value + "' is no guarantee: the guarantees are 11, 12 and 13";
            },
            "11, 12 or 13");
    app.add_flag("--no-limit", command.NoLimit,
                 "reduces any number of columns, not only up to 7000");
    CLI::Option* optimise =
        app.add_option("--optimise", command.Optimise,
                       "then spends at most SECONDS on finding a smaller set (see below)")
            ->option_text("SECONDS")
            ->check(
                [](const std::string& value) -> std::string {
                    double seconds = 0;
                    const char* end = value.data() + value.size();
                    const auto [stop, error] = std::from_chars(value.data(), end, seconds);
                    const bool valid = error == std::errc() && stop == end &&
                                       std::isfinite(seconds) && seconds > 0 &&
                                       seconds <= kLongestBudget;
                    return valid ? ""
                                 : "'" + value +
                                       "' is no budget: give the seconds to spend, "
                                       "a number above 0 and at most 10000000";
                },
                "SECONDS");
    app.add_option("--seed", command.Seed, "with --optimise: the seed of the search (default 1)")
        ->option_text("N")
        ->needs(optimise);
    app.add_option("--steps", command.Steps,
                   "with --optimise: N steps per search instead of the budget (repeatable)")
        ->option_text("N")
        ->check(CLI::Range(std::uint64_t{1}, std::numeric_limits<std::uint64_t>::max()))
        ->needs(optimise);
    app.add_flag("--check", command.Check,
                 "verifies that REDUCED covers INPUT, changing neither file");
    app.set_help_flag("-h,--help", "prints this help and exits");
    app.set_version_flag("--version", std::string(kProgram) + " " + std::string(kVersion),
                         "prints the version and exits");
    CLI::Option* develop =
        app.add_option("--develop", command.Develop,
                       "writes every column of FORECAST to OUTPUT, as given (see below)")
            ->option_text("FORECAST");
    app.add_option("--signs", command.Signs,
                   "with --develop: only columns with MIN to MAX signs S (1, X or 2); repeatable")
        ->option_text("S=MIN-MAX")
        ->allow_extra_args(false)
        ->needs(develop);
    app.add_option("--score", command.Score,
                   "counts the signs right of each column of FILE against RESULT (see below)")
        ->option_text("RESULT");
    // Which of the files a mode needs are there is checked once the mode is known.
    command.First = app.add_option(
        "INPUT", command.Input,
        "the column file to reduce or check (with --develop: OUTPUT; with --score: FILE)");
    command.Second =
        app.add_option("OUTPUT", command.Output,
                       "the output name, \".txt\" added (with --check: REDUCED, the reduction)");
    app.footer(std::string(kFooter));
}

// The usage error of a command whose mode and files do not go together, or none.
std::optional<std::string> MisusedModes(const TCommand& command) {
    const bool develop = command.Develop.has_value();
    const bool score = command.Score.has_value();
    if ((develop || score) && (command.Check || command.NoLimit || command.Optimise)) {
        return std::string(develop ? "--develop" : "--score") +
               " takes no --check, --no-limit or --optimise";
    }
    if (develop && score) {
        return "--develop takes no --score";
    }
    if (command.Check && command.NoLimit) {
        return "--check takes no --no-limit";
    }
    if (command.Check && command.Optimise) {
        return "--check takes no --optimise";
    }
    const std::size_t files = command.First->count() + command.Second->count();
    if (develop || score) {
        if (files == 0) {
            return std::string(develop ? "OUTPUT" : "FILE") + " is required";
        }
        if (files > 1) {
            return "The following argument was not expected: " + command.Output;
        }
        return std::nullopt;
    }
    if (files == 0) {
        return "INPUT is required";
    }
    if (files == 1) {
        return "OUTPUT is required";
    }
    return std::nullopt;
}

// The optimiser's report: "Optimised: greedy 239, final 186, lower bound 156 (gap 16.1%), 10.0 s
// spent, final size reached at 3.2 s".
std::string OptimiserReport(const TReductionReport& optimised) {
    const double gap = optimised.Final == 0
                           ? 0
                           : 100.0 * static_cast<double>(optimised.Final - optimised.LowerBound) /
                                 static_cast<double>(optimised.Final);
    const std::chrono::duration<double> spent = optimised.Spent;
    const std::chrono::duration<double> reached = optimised.Reached;
    std::ostringstream report;
    report << std::fixed << std::setprecision(1) << "Optimised: greedy " << optimised.Greedy
           << ", final " << optimised.Final << ", lower bound " << optimised.LowerBound << " (gap "
           << gap << "%), " << spent.count() << " s spent, final size reached at "
           << reached.count() << " s";
    return report.str();
}

int Reduce(const TCommand& command, std::ostream& out, std::ostream& err,
           const TDriverTerminal& terminal) {
    TStreamHost host(out, err, terminal);
    TRunOptions options;
    options.NoLimit = command.NoLimit;
    options.Guarantee = command.Guarantee;
    std::optional<TInterruptGuard> interrupts;
    if (command.Optimise) {
        interrupts.emplace();
        TOptimiserBudget budget;
        budget.Time = std::chrono::duration_cast<TClock::duration>(
            std::chrono::duration<double>(*command.Optimise));
        budget.Steps = command.Steps;
        budget.Seed = command.Seed;
        options.Optimise = budget;
        options.Stop = interrupts->Token();
        options.Now = terminal.Now;
    }
    const TRunResult result = ReduceColumns(command.Input, command.Output, host, options);
    if (result.Outcome == TRunOutcome::Refused) {
        return kExitRefused;
    }
    if (command.Optimise) {
        host.AddLogLine(OptimiserReport(result.Report));
    }
    return kExitCompleted;
}

int Check(const TCommand& command, std::ostream& out) {
    const TCheckResult result = CheckReduction(command.Input, command.Output, command.Guarantee);
    out << "Input columns: " << result.InputColumns << '\n'
        << "Reduced columns: " << result.ReducedColumns << '\n'
        << "Uncovered input columns: " << result.Uncovered << '\n';
    for (const auto& [line, column] : result.FirstUncovered) {
        out << "  line " << line << ": " << column << '\n';
    }
    return result.Uncovered == 0 ? kExitCompleted : kExitNotCovered;
}

int UsageError(std::string_view message, std::ostream& err) {
    err << kProgram << ": " << message << '\n' << kUsage;
    return kExitUsage;
}

int Develop(const TCommand& command, std::ostream& out, std::ostream& err) {
    TForecast forecast;
    try {
        forecast = ParseForecast(*command.Develop);
    } catch (const TForecastError& error) {
        return UsageError(std::string("--develop: ") + error.what(), err);
    }
    std::vector<TCondition> limits;
    for (const std::string& condition : command.Signs) {
        try {
            limits.push_back(ParseCondition(TConditionKind::Signs, condition));
        } catch (const TConditionError& error) {
            return UsageError(std::string("--signs: ") + error.what(), err);
        }
    }
    const std::size_t columns = DevelopForecast(forecast, limits, command.Input);
    out << columns << " columns written to " << command.Input << '\n';
    return kExitCompleted;
}

int Score(const TCommand& command, std::ostream& out, std::ostream& err) {
    if (!IsResult(*command.Score)) {
        return UsageError(
            "--score: '" + *command.Score + "' is no result: give 14 signs of 1, X and 2", err);
    }
    const TScore score = ScoreColumns(*command.Score, command.Input);
    for (std::size_t r = 0; r < score.Right.size(); ++r) {
        out << kColumnLength - static_cast<int>(r) << " right: " << score.Right[r] << '\n';
    }
    for (const auto& [line, column] : score.Prized) {
        out << "  line " << line << ": " << column << '\n';
    }
    return kExitCompleted;
}

}  // namespace

int RunDriver(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              const TDriverTerminal& terminal) {
    TCommand command;
    CLI::App app("Reduces a file of football-pool columns to fewer columns with a guarantee.",
                 std::string(kProgram));
    DescribeOptions(app, command);
    try {
        // The parser takes the arguments last first.
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return kExitCompleted;
    } catch (const CLI::CallForVersion& version) {
        out << version.what() << '\n';
        return kExitCompleted;
    } catch (const CLI::ParseError& error) {
        return UsageError(error.what(), err);
    }
    if (const std::optional<std::string> misuse = MisusedModes(command)) {
        return UsageError(*misuse, err);
    }
    try {
        if (command.Develop) {
            return Develop(command, out, err);
        }
        if (command.Score) {
            return Score(command, out, err);
        }
        return command.Check ? Check(command, out) : Reduce(command, out, err, terminal);
    } catch (const std::exception& error) {
        // The engine's failures are TEngineError; anything else still ends the run as a failure
        // with its message, as the window shows it, rather than ending the program.
        err << ErrorBoxText(error.what()) << '\n';
        return kExitFailed;
    }
}

}  // namespace kelvo
