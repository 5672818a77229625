#include "driver.h"

#include <atomic>
#include <sstream>

#include "files/collation.h"
#include "files/column_file.h"
#include "modes/run.h"
#include "plan/plan_file.h"
#include "test_support.h"

namespace kelvo {

namespace {

struct TDriverRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

TDriverRun Drive(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    TDriverRun run;
    run.Status = RunDriver(args, out, err);
    run.Out = out.str();
    run.Err = err.str();
    return run;
}

// A terminal whose clock moves on a second at every reading, `ticks` counting them; the
// optimiser's threads read it too.
TDriverTerminal TickingTerminal(std::atomic<std::int64_t>& ticks) {
    TDriverTerminal terminal;
    terminal.ErrIsTerminal = true;
    terminal.Now = [&ticks] {
        return std::chrono::steady_clock::time_point{} + std::chrono::seconds(++ticks);
    };
    return terminal;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += line + "\n";
    }
    return text;
}

}  // namespace

TEST(driver, completed_run_prints_the_log) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", "11111111111122\n1111111111111X\n11111111111111\n");
    const TDriverRun run = Drive({dir / "in.txt", dir / "out"});
    EXPECT_EQ(run.Status, kExitCompleted);
    EXPECT_EQ(run.Out, Joined(CompletedLog(3, 2)));
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(ReadBytes(dir / "out.txt"), CrLfLines({"11111111111111", "11111111111122"}));
}

TEST(driver, refusal_goes_to_standard_error) {
    TTempDir dir;
    std::string bytes;
    for (std::size_t k = 0; k <= kMaxColumns; ++k) {
        bytes += std::to_string(k) + "\n";
    }
    WriteBytes(dir / "in.txt", bytes);
    const TDriverRun run = Drive({dir / "in.txt", dir / "out"});
    EXPECT_EQ(run.Status, kExitRefused);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, std::string(kRefusalText) + "\n");
}

TEST(driver, failure_prints_the_error_box_text) {
    TTempDir dir;
    TDriverRun run = Drive({dir / "nope.txt", dir / "out"});
    EXPECT_EQ(run.Status, kExitFailed);
    EXPECT_EQ(run.Err, "Cannot open file " + dir / "nope.txt" + ".\n");
    EXPECT_EQ(run.Out, "");

    run = Drive({"", dir / "out"});
    EXPECT_EQ(run.Err, "Cannot open file \n");
}

TEST(driver, wrong_usage_says_what_is_wrong_and_shows_the_usage) {
    const std::string usage =
        "usage: kelvo-reduce [--guarantee G] [--no-limit]\n"
        "                    [--optimise SECONDS [--seed N] [--steps N] [--anywhere]] INPUT "
        "OUTPUT\n"
        "       kelvo-reduce --budget N | --budget-euros EUROS --chances FILE [--guarantee G]\n"
        "                    [--no-limit] [--optimise SECONDS] [--steps N] [--seed N] "
        "[--anywhere]\n"
        "                    [--public FILE --takings EUROS [--jackpot EUROS]] [--price EUROS]\n"
        "                    [--pleno HOME-AWAY[,HOME-AWAY]... [--pleno-chances FILE\n"
        "                     --pleno-public FILE]] INPUT OUTPUT\n"
        "       kelvo-reduce --check [--guarantee G] INPUT REDUCED\n"
        "       kelvo-reduce --develop FORECAST [CONDITION]... OUTPUT\n"
        "       kelvo-reduce --develop FORECAST [CONDITION]... --count\n"
        "       kelvo-reduce --score RESULT FILE\n"
        "       kelvo-reduce --prizes [--chances FILE] DEVELOPMENT REDUCED\n"
        "       kelvo-reduce --value COLUMNS --chances FILE --public FILE --takings EUROS\n"
        "                    [--jackpot EUROS] [--price EUROS] [--each FILE]\n"
        "                    [--pleno HOME-AWAY[,HOME-AWAY]... --pleno-chances FILE\n"
        "                     --pleno-public FILE]\n"
        "       kelvo-reduce --plan PLAN DEVELOPMENT\n"
        "       kelvo-reduce --plan PLAN --count\n"
        "       kelvo-reduce --plan PLAN --columns OUTPUT\n"
        "       kelvo-reduce --help | --version\n";
    const std::string noGuarantee = "is no guarantee: the guarantees are 11, 12 and 13\n";
    const std::string noBudget =
        "is no budget: give the seconds to spend, a number above 0 and at most 10000000\n";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "INPUT is required\n"},
        {{"a"}, "OUTPUT is required\n"},
        {{"a", "b", "c"}, "The following argument was not expected: c\n"},
        {{"--check", "a"}, "OUTPUT is required\n"},
        {{"--limit", "a", "b"}, "The following argument was not expected: --limit\n"},
        {{"--guarantee", "14", "a", "b"}, "--guarantee: '14' " + noGuarantee},
        {{"--guarantee", "10", "--check", "a", "b"}, "--guarantee: '10' " + noGuarantee},
        {{"--guarantee", "12x", "a", "b"}, "--guarantee: '12x' " + noGuarantee},
        {{"--guarantee", "", "a", "b"}, "--guarantee: '' " + noGuarantee},
        {{"--check", "--no-limit", "a", "b"}, "--check takes no --no-limit\n"},
        {{"--optimise", "0", "a", "b"}, "--optimise: '0' " + noBudget},
        {{"--optimise", "-1", "a", "b"}, "--optimise: '-1' " + noBudget},
        {{"--optimise", "ten", "a", "b"}, "--optimise: 'ten' " + noBudget},
        {{"--optimise", "nan", "a", "b"}, "--optimise: 'nan' " + noBudget},
        {{"--optimise", "inf", "a", "b"}, "--optimise: 'inf' " + noBudget},
        {{"--optimise", "1e8", "a", "b"}, "--optimise: '1e8' " + noBudget},
        {{"--optimise", "5s", "a", "b"}, "--optimise: '5s' " + noBudget},
        {{"--seed", "3", "a", "b"}, "--seed requires --optimise\n"},
        {{"--steps", "3", "a", "b"}, "--steps requires --optimise\n"},
        {{"--anywhere", "a", "b"}, "--anywhere requires --optimise\n"},
        {{"--check", "--anywhere", "a", "b"}, "--anywhere requires --optimise\n"},
        {{"--optimise", "5", "--steps", "0", "a", "b"},
         "--steps: Value 0 not in range 1 to 18446744073709551615\n"},
        {{"--optimise", "5", "--seed", "x", "a", "b"}, "Could not convert: --seed = x\n"},
        {{"--check", "--optimise", "5", "a", "b"}, "--check takes no --optimise\n"},
    };
    for (const auto& [args, message] : cases) {
        const TDriverRun run = Drive(args);
        EXPECT_EQ(run.Status, kExitUsage);
        EXPECT_EQ(run.Err, "kelvo-reduce: " + message + usage);
        EXPECT_EQ(run.Out, "");
    }
}

TEST(driver, help_lists_every_option_and_version_prints_the_version) {
    const TDriverRun help = Drive({"--help"});
    EXPECT_EQ(help.Status, kExitCompleted);
    EXPECT_EQ(help.Err, "");
    for (const std::string option :
         {"  --guarantee G ", "  --no-limit ", "  --optimise SECONDS ", "  --seed N ",
          "  --steps N ", "  --anywhere ", "  --check ", "  -h,--help ", "  --version "}) {
        EXPECT_NE(help.Out.find("\n" + option), std::string::npos) << option;
    }
    EXPECT_NE(help.Out.find("Exit status: 0 reduced"), std::string::npos);
    EXPECT_NE(
        help.Out.find("\nWith --anywhere the chosen columns may be any columns of 14 signs 1, "
                      "X and 2, not only\ncolumns of INPUT"),
        std::string::npos);
    // The modes that exclude each other are told by the usage, not on the option lines.
    EXPECT_NE(help.Out.find("\n  --no-limit                  reduces any number of columns, not "
                            "only up to 7000\n  --optimise SECONDS "),
              std::string::npos)
        << help.Out;
    EXPECT_NE(help.Out.find("\n  --check                     verifies that REDUCED covers INPUT, "
                            "changing neither file\n  -h,--help "),
              std::string::npos)
        << help.Out;
    EXPECT_EQ(help.Out.find("Excludes"), std::string::npos) << help.Out;
    const TDriverRun version = Drive({"--version"});
    EXPECT_EQ(version.Status, kExitCompleted);
    EXPECT_EQ(version.Out, "kelvo-reduce 0.4\n");
}

TEST(driver, guarantee_sets_the_radius_of_the_reduction_and_of_the_check) {
    TTempDir dir;
    const std::string input = CrLfLines({"11111111111111", "1111111111112X", "11111111122222"});
    WriteBytes(dir / "in.txt", input);
    TDriverRun run = Drive({"--guarantee", "12", dir / "in.txt", dir / "out12"});
    EXPECT_EQ(run.Status, kExitCompleted);
    EXPECT_EQ(ReadBytes(dir / "out12.txt"), CrLfLines({"11111111111111", "11111111122222"}));
    run = Drive({"--guarantee=11", dir / "in.txt", dir / "out11"});
    EXPECT_EQ(ReadBytes(dir / "out11.txt"), CrLfLines({"11111111111111", "11111111122222"}));
    run = Drive({"--guarantee", "13", dir / "in.txt", dir / "out13"});
    EXPECT_EQ(ReadBytes(dir / "out13.txt"), input);

    EXPECT_EQ(Drive({"--check", "--guarantee", "12", dir / "in.txt", dir / "out12.txt"}).Status,
              kExitCompleted);
    run = Drive({"--check", dir / "in.txt", dir / "out12.txt"});
    EXPECT_EQ(run.Status, kExitNotCovered);
    EXPECT_EQ(run.Out,
              "Input columns: 3\nReduced columns: 2\nUncovered input columns: 1\n"
              "  line 2: 1111111111112X\n");
}

TEST(driver, check_agrees_with_the_run_on_a_line_that_begins_with_byte_26) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", CrLfLines({"22222222222222",
                                          "\x1a"
                                          "end",
                                          "11111111111111"}));
    EXPECT_EQ(Drive({dir / "in.txt", dir / "out"}).Status, kExitCompleted);
    const TDriverRun run = Drive({"--check", dir / "in.txt", dir / "out.txt"});
    EXPECT_EQ(run.Status, kExitCompleted);
    EXPECT_EQ(run.Out, "Input columns: 1\nReduced columns: 1\nUncovered input columns: 0\n");
}

TEST(driver, no_limit_reduces_beyond_the_limit_and_passes_the_check) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", CrLfLines(Development(10)));
    TDriverRun run = Drive({"--no-limit", dir / "in.txt", dir / "out"});
    EXPECT_EQ(run.Status, kExitCompleted);
    ASSERT_EQ(run.Out.substr(run.Out.find("Columnas Iniciales")),
              "Columnas Iniciales: 59049\n"
              "Columnas en la reducida: " +
                  std::to_string(CutLines(ReadBytes(dir / "out.txt")).size()) +
                  "\n*****----HECHO--------*****\n");
    run = Drive({"--check", dir / "in.txt", dir / "out.txt"});
    EXPECT_EQ(run.Status, kExitCompleted);
    EXPECT_EQ(run.Out.substr(0, 38), "Input columns: 59049\nReduced columns: ");
    EXPECT_NE(run.Out.find("Uncovered input columns: 0\n"), std::string::npos);
}

TEST(driver, no_limit_gives_the_same_reduction_below_the_limit) {
    TTempDir dir;
    const std::string columns = CrLfLines(Development(5));
    WriteBytes(dir / "a.txt", columns);
    WriteBytes(dir / "b.txt", columns);
    EXPECT_EQ(Drive({dir / "a.txt", dir / "a.txt"}).Status, kExitCompleted);
    EXPECT_EQ(Drive({"--no-limit", dir / "b.txt", dir / "b.txt"}).Status, kExitCompleted);
    EXPECT_EQ(ReadBytes(dir / "a.txt"), ReadBytes(dir / "b.txt"));
    EXPECT_EQ(ReadBytes(dir / "a.txt.txt"), ReadBytes(dir / "b.txt.txt"));
}

TEST(driver, check_lists_the_first_ten_uncovered_columns_and_changes_nothing) {
    TTempDir dir;
    const std::string input =
        "11111111111111\n" + CrLfLines(Development(3)) + " 2222222222222x\t\n";
    WriteBytes(dir / "in.txt", input);
    WriteBytes(dir / "reduced.txt", "11111111111111\r\n");
    const TDriverRun run = Drive({"--check", dir / "in.txt", dir / "reduced.txt"});
    EXPECT_EQ(run.Status, kExitNotCovered);
    EXPECT_EQ(run.Out,
              "Input columns: 29\n"
              "Reduced columns: 1\n"
              "Uncovered input columns: 21\n"
              "  line 2: 22211111111111\n"
              "  line 3: 22X11111111111\n"
              "  line 4: 22111111111111\n"
              "  line 5: 2X211111111111\n"
              "  line 6: 2XX11111111111\n"
              "  line 7: 2X111111111111\n"
              "  line 8: 21211111111111\n"
              "  line 9: 21X11111111111\n"
              "  line 11: X2211111111111\n"
              "  line 12: X2X11111111111\n");
    EXPECT_EQ(ReadBytes(dir / "in.txt"), input);
    EXPECT_EQ(ReadBytes(dir / "reduced.txt"), "11111111111111\r\n");
}

TEST(driver, check_compares_raw_bytes_of_trimmed_columns) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", "  1111111111111x\n11111111111111\n1111111111111122\n");
    WriteBytes(dir / "reduced.txt", "1111111111111X\n");
    TDriverRun run = Drive({"--check", dir / "in.txt", dir / "reduced.txt"});
    EXPECT_EQ(run.Status, kExitCompleted);
    WriteBytes(dir / "reduced.txt", "111111111111Xx\n");
    run = Drive({"--check", dir / "in.txt", dir / "reduced.txt"});
    EXPECT_EQ(run.Status, kExitNotCovered);
    EXPECT_EQ(run.Out.substr(run.Out.find("Uncovered")),
              "Uncovered input columns: 2\n  line 2: 11111111111111\n  line 3: 11111111111111\n");
}

TEST(driver, check_of_a_missing_file_fails_with_its_name) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", "1\n");
    const TDriverRun run = Drive({"--check", dir / "in.txt", dir / "nope.txt"});
    EXPECT_EQ(run.Status, kExitFailed);
    EXPECT_EQ(run.Err, "Cannot open file " + dir / "nope.txt" + ".\n");
}

TEST(driver, progress_shows_on_a_terminal_after_a_second_and_is_cleared) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", CrLfLines(Development(10)));
    std::atomic<std::int64_t> ticks{0};
    TDriverTerminal terminal = TickingTerminal(ticks);
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunDriver({"--no-limit", dir / "in.txt", dir / "out"}, out, err, terminal),
              kExitCompleted);
    const std::string progress = err.str();
    EXPECT_NE(progress.find("\rsorting "), std::string::npos);
    EXPECT_NE(progress.find("\ranalysing "), std::string::npos);
    EXPECT_NE(progress.find("\rselecting "), std::string::npos);
    EXPECT_EQ(progress.substr(progress.size() - 4), "\r\x1b[K");
    EXPECT_EQ(out.str().substr(0, 28), "Comienzo de la Reduccion...\n");

    terminal.ErrIsTerminal = false;
    std::ostringstream quiet;
    RunDriver({"--no-limit", dir / "in.txt", dir / "out"}, out, quiet, terminal);
    EXPECT_EQ(quiet.str(), "");
}

TEST(driver, optimise_writes_a_smaller_reduction_in_file_order_and_reports_it) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", CrLfLines(Development(5)));
    const TDriverRun run =
        Drive({"--optimise", "60", "--steps", "20000", "--seed", "1", dir / "in.txt", dir / "out"});
    EXPECT_EQ(run.Status, kExitCompleted);
    EXPECT_EQ(run.Err, "");
    const std::string report =
        "Optimised: greedy 31, final 27, lower bound 27 (published; gap 0.0%), ";
    EXPECT_EQ(run.Out.substr(0, run.Out.find(report)), Joined(CompletedLog(243, 27)));
    EXPECT_NE(run.Out.find(report), std::string::npos) << run.Out;
    EXPECT_EQ(run.Out.substr(run.Out.size() - 20), ", smallest possible\n");
    EXPECT_EQ(run.Out.back(), '\n');
    const std::string written = ReadBytes(dir / "out.txt");
    const std::vector<std::string_view> lines = CutLines(written);
    EXPECT_EQ(lines.size(), 27u);
    EXPECT_TRUE(std::is_sorted(
        lines.begin(), lines.end(),
        [](std::string_view a, std::string_view b) { return CompareLines(a, b) < 0; }));
    EXPECT_EQ(Drive({"--check", dir / "in.txt", dir / "out.txt"}).Status, kExitCompleted);

    // The same seed and steps write the same bytes again.
    const std::string first = ReadBytes(dir / "out.txt");
    Drive({"--optimise", "60", "--steps", "20000", "--seed", "1", dir / "in.txt", dir / "out"});
    EXPECT_EQ(ReadBytes(dir / "out.txt"), first);
}

TEST(driver, anywhere_writes_a_column_outside_the_input_that_covers_it_alone) {
    const std::vector<std::string> columns = CentreNeighbours(5);
    TTempDir dir;
    WriteBytes(dir / "in.txt", CrLfLines(columns));
    const std::vector<std::string> args = {"--optimise", "60", "--steps", "2000", "--seed", "1"};
    std::vector<std::string> plain = args;
    plain.insert(plain.end(), {dir / "in.txt", dir / "plain"});
    EXPECT_NE(Drive(plain).Out.find("\nOptimised: greedy 5, final 5, "), std::string::npos);

    std::vector<std::string> anywhere = args;
    anywhere.insert(anywhere.end(), {"--anywhere", dir / "in.txt", dir / "out"});
    const TDriverRun run = Drive(anywhere);
    EXPECT_EQ(run.Status, kExitCompleted);
    EXPECT_EQ(run.Err, "");
    const std::string report = "Optimised: greedy 5, final 1, lower bound 1 (gap 0.0%), ";
    EXPECT_EQ(run.Out.substr(0, run.Out.find(report)), Joined(CompletedLog(10, 1)));
    EXPECT_EQ(run.Out.substr(run.Out.size() - 20), ", smallest possible\n");
    EXPECT_EQ(ReadBytes(dir / "out.txt"), CrLfLines({"11111111111111"}));
    EXPECT_TRUE(LiterallyCovers(columns, {"11111111111111"}, 1));
}

TEST(driver, optimise_keeps_the_greedy_set_when_nothing_smaller_is_found) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", "11111111111122\n1111111111111X\n11111111111111\n");
    const TDriverRun run = Drive(
        {"--guarantee", "12", "--optimise", "1", "--steps", "100", dir / "in.txt", dir / "out"});
    EXPECT_EQ(run.Status, kExitCompleted);
    EXPECT_EQ(ReadBytes(dir / "out.txt"), CrLfLines({"11111111111111"}));
    EXPECT_NE(run.Out.find("\nOptimised: greedy 1, final 1, lower bound 1 (gap 0.0%), "),
              std::string::npos)
        << run.Out;
    EXPECT_NE(run.Out.find(" s spent, final size reached at 0.0 s, smallest possible\n"),
              std::string::npos)
        << run.Out;
}

TEST(driver, optimise_shows_the_best_size_and_the_time_left_on_a_terminal) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", CrLfLines(Development(5)));
    std::atomic<std::int64_t> ticks{0};
    TDriverTerminal terminal = TickingTerminal(ticks);
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunDriver({"--optimise", "0.2", dir / "in.txt", dir / "out"}, out, err, terminal),
              kExitCompleted);
    EXPECT_NE(err.str().find("\roptimising: "), std::string::npos) << err.str();
    EXPECT_NE(err.str().find(" columns, 0 s left\x1b[K"), std::string::npos) << err.str();
    EXPECT_EQ(err.str().substr(err.str().size() - 4), "\r\x1b[K");

    std::ostringstream stepsErr;
    EXPECT_EQ(RunDriver({"--optimise", "9", "--steps", "2000", dir / "in.txt", dir / "out"}, out,
                        stepsErr, terminal),
              kExitCompleted);
    EXPECT_NE(stepsErr.str().find("\roptimising: 27 columns\x1b[K"), std::string::npos)
        << stepsErr.str();
}

namespace {

constexpr char kForecast[] = "1,1X,X2,1X2,2,1,X,12,1,1,1X2,2,X,1";

}  // namespace

TEST(driver, develop_writes_the_forecast_and_says_how_many_columns) {
    TTempDir dir;
    TDriverRun run = Drive({"--develop", kForecast, dir / "semana"});
    EXPECT_EQ(run.Status, kExitCompleted);
    EXPECT_EQ(run.Out, "72 columns written to " + dir / "semana" + "\n");
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(CutLines(ReadBytes(dir / "semana")).size(), 72u);
    run = Drive({"--develop", kForecast, "--signs", "X=0-3", "--signs", "1=6-6", dir / "semana"});
    EXPECT_EQ(run.Status, kExitCompleted);
    EXPECT_EQ(run.Out, "7 columns written to " + dir / "semana" + "\n");
}

TEST(driver, a_wrong_development_is_a_usage_error_that_writes_nothing) {
    TTempDir dir;
    const std::string out = dir / "semana";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--develop", "1,1X", out}, "--develop: the forecast has 2 groups; it needs 14"},
        {{"--develop", "1,1,1,1,1,1,1,1,1,1,1,1,1,11", out},
         "--develop: group 14 ('11') repeats the sign 1"},
        {{"--develop", kForecast, "--signs", "X=4-3", out},
         "--signs: 'X=4-3' is no sign condition: write S=MIN-MAX, S one of 1, X and 2, "
         "0 <= MIN <= MAX <= 14"},
        {{"--develop", kForecast}, "OUTPUT is required"},
        {{"--develop", kForecast, out, "more"}, "The following argument was not expected: more"},
        {{"--signs", "X=0-3", "a", "b"}, "--signs requires --develop"},
        {{"--develop", kForecast, "--check", out},
         "--develop takes no --check, --no-limit or --optimise"},
        {{"--score", "1X21X1121X2112", "--develop", kForecast, out}, "--develop takes no --score"},
        {{"--score", "1X21X1121X211", out},
         "--score: '1X21X1121X211' is no result: give 14 signs of 1, X and 2, with - or a blank "
         "for a match not yet played"},
        {{"--score", "1X21X1121X2112"}, "FILE is required"},
        {{"--develop", kForecast, "--variants", "3-15", out},
         "--variants: '3-15' is no variants condition: write MIN-MAX, 0 <= MIN <= MAX <= 14"},
        {{"--develop", kForecast, "--breaks", "0-14", out},
         "--breaks: '0-14' is no breaks condition: write MIN-MAX, 0 <= MIN <= MAX <= 13"},
        {{"--develop", kForecast, "--run", "Y=1-2", out},
         "--run: 'Y=1-2' is no run condition: write MIN-MAX or S=MIN-MAX, S one of 1, X and 2, "
         "0 <= MIN <= MAX <= 14"},
        {{"--develop", kForecast, "--group", "5-2:X=1-2", out},
         "--group: '5-2:X=1-2' is no group condition: write FIRST-LAST:S=MIN-MAX, 1 <= FIRST <= "
         "LAST <= 14, S one of 1, X and 2, 0 <= MIN <= MAX <= LAST - FIRST + 1"},
        {{"--develop", kForecast, "--group", "1-15:X=1-2", out},
         "--group: '1-15:X=1-2' is no group condition: write FIRST-LAST:S=MIN-MAX, 1 <= FIRST <= "
         "LAST <= 14, S one of 1, X and 2, 0 <= MIN <= MAX <= LAST - FIRST + 1"},
        {{"--develop", kForecast, "--base", "1X2=0-3", out},
         "--base: '1X2=0-3' is no base condition: write COLUMN=MIN-MAX, COLUMN 14 signs of 1, X "
         "and 2, 0 <= MIN <= MAX <= 14"},
        {{"--develop", kForecast, "--count", out},
         "The following argument was not expected: " + out},
        {{"--count", "a"}, "--count requires --develop or --plan"},
        {{"--chances", "c.txt", "a", "b"},
         "--chances requires --prizes, --value, --budget, --budget-euros or --value-min"},
        {{"--prizes", "a"}, "REDUCED is required"},
        {{"--prizes", "--develop", kForecast, "a", "b"}, "--develop takes no --prizes"},
        {{"--prizes", "--optimise", "5", "a", "b"},
         "--prizes takes no --check, --no-limit or --optimise"},
    };
    for (const auto& [args, message] : cases) {
        const TDriverRun run = Drive(args);
        EXPECT_EQ(run.Status, kExitUsage) << message;
        EXPECT_EQ(run.Err.substr(0, run.Err.find('\n')), "kelvo-reduce: " + message);
        EXPECT_EQ(run.Out, "");
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{});
    }
}

TEST(driver, modes_that_do_not_go_together_are_told_the_first_rule_they_break) {
    const std::vector<std::string> develop = {"--develop", kForecast};
    const std::vector<std::string> score = {"--score", "1X21X1121X2112"};
    const std::vector<std::string> check = {"--check"};
    const std::vector<std::string> optimise = {"--optimise", "5"};
    const std::vector<std::string> noLimit = {"--no-limit"};
    const std::string notDeveloped = "--develop takes no --check, --no-limit or --optimise";
    const std::string notScored = "--score takes no --check, --no-limit or --optimise";
    const std::vector<std::pair<std::vector<std::vector<std::string>>, std::string>> cases = {
        {{develop, check}, notDeveloped},
        {{develop, noLimit}, notDeveloped},
        {{develop, optimise}, notDeveloped},
        {{score, check}, notScored},
        {{score, noLimit}, notScored},
        {{score, optimise}, notScored},
        {{develop, score}, "--develop takes no --score"},
        {{check, noLimit}, "--check takes no --no-limit"},
        {{check, optimise}, "--check takes no --optimise"},
        {{develop, score, check}, notDeveloped},
        {{score, check, noLimit}, notScored},
        {{check, noLimit, optimise}, "--check takes no --no-limit"},
    };
    for (const auto& [modes, message] : cases) {
        // Either order of the options, and files after them or before them.
        for (const bool reversed : {false, true}) {
            std::vector<std::string> args;
            for (std::size_t k = 0; k < modes.size(); ++k) {
                const std::vector<std::string>& mode = modes[reversed ? modes.size() - 1 - k : k];
                args.insert(args.end(), mode.begin(), mode.end());
            }
            for (const std::vector<std::string>& files :
                 {std::vector<std::string>{"a", "b"}, std::vector<std::string>{"a"}}) {
                std::vector<std::string> filesFirst = files;
                filesFirst.insert(filesFirst.end(), args.begin(), args.end());
                std::vector<std::string> filesLast = args;
                filesLast.insert(filesLast.end(), files.begin(), files.end());
                for (const std::vector<std::string>& command : {filesFirst, filesLast}) {
                    const TDriverRun run = Drive(command);
                    EXPECT_EQ(run.Status, kExitUsage) << message;
                    EXPECT_EQ(run.Err.substr(0, run.Err.find('\n')), "kelvo-reduce: " + message);
                    EXPECT_EQ(run.Out, "");
                }
            }
        }
    }
}

TEST(driver, what_an_option_needs_and_a_file_too_many_are_told_before_modes_that_conflict) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--no-limit", "--check", "--seed", "3", "a", "b"}, "--seed requires --optimise"},
        {{"--check", "--no-limit", "--steps", "3", "a", "b"}, "--steps requires --optimise"},
        {{"--score", "1X21X1121X2112", "--check", "--signs", "X=0-3", "a", "b"},
         "--signs requires --develop"},
        {{"--optimise", "5", "--check", "--signs", "X=0-3", "a", "b"},
         "--signs requires --develop"},
        {{"--develop", kForecast, "--check", "a", "b", "c"},
         "The following argument was not expected: c"},
        {{"a", "b", "c", "--score", "1X21X1121X2112", "--no-limit"},
         "The following argument was not expected: c"},
        {{"--develop", kForecast, "--score", "1X21X1121X2112", "--optimise", "x", "a"},
         "--optimise: 'x' is no budget: give the seconds to spend, a number above 0 and at most "
         "10000000"},
    };
    for (const auto& [args, message] : cases) {
        const TDriverRun run = Drive(args);
        EXPECT_EQ(run.Status, kExitUsage) << message;
        EXPECT_EQ(run.Err.substr(0, run.Err.find('\n')), "kelvo-reduce: " + message);
        EXPECT_EQ(run.Out, "");
    }
    // The optimiser's budget goes with any limit.
    const TDriverRun run = Drive({"--no-limit", "--optimise", "5", "--steps", "9", "nope", "b"});
    EXPECT_EQ(run.Status, kExitFailed);
    EXPECT_EQ(run.Err, "Cannot open file nope.\n");
}

TEST(driver, score_prints_the_counts_and_the_prized_lines) {
    TTempDir dir;
    WriteBytes(dir / "reducida.txt",
               CrLfLines({"1X21X1121X2111", "1X21X1121X2112", "2221X1121X2111", "1x21x1121x2112"}));
    const TDriverRun run = Drive({"--score", "1X21X1121X2112", dir / "reducida.txt"});
    EXPECT_EQ(run.Status, kExitCompleted);
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(run.Out,
              "14 right: 2\n13 right: 1\n12 right: 0\n11 right: 1\n10 right: 0\n"
              "  line 1: 1X21X1121X2111\n  line 2: 1X21X1121X2112\n  line 4: 1x21x1121x2112\n");
}

TEST(driver, develop_reads_every_kind_of_condition_and_counts_without_writing) {
    TTempDir dir;
    const std::vector<std::string> conditions = {
        "--signs", "X=0-3", "--variants", "2-6",     "--breaks",  "3-9",    "--run",
        "1-4",     "--run", "2=0-2",      "--group", "1-4:X=0-1", "--base", "11111111111111=2-7"};
    std::vector<std::string> counting = {"--develop", kForecast};
    counting.insert(counting.end(), conditions.begin(), conditions.end());
    counting.push_back("--count");
    const TDriverRun counted = Drive(counting);
    EXPECT_EQ(counted.Status, kExitCompleted);
    EXPECT_EQ(counted.Err, "");
    ASSERT_EQ(counted.Out.substr(counted.Out.find(' ')), " columns\n");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{});

    std::vector<std::string> writing = {"--develop", kForecast};
    writing.insert(writing.end(), conditions.begin(), conditions.end());
    writing.push_back(dir / "semana");
    const TDriverRun written = Drive(writing);
    EXPECT_EQ(written.Status, kExitCompleted);
    const std::string count = counted.Out.substr(0, counted.Out.find(' '));
    EXPECT_EQ(written.Out, count + " columns written to " + dir / "semana" + "\n");
    // Each written column meets every condition, checked literally.
    const std::string bytes = ReadBytes(dir / "semana");
    const std::vector<std::string_view> lines = CutLines(bytes);
    EXPECT_EQ(std::to_string(lines.size()), count);
    EXPECT_GT(lines.size(), 0u);
    for (const std::string_view column : lines) {
        int xs = 0, others = 0, breaks = 0, longest = 0, run = 0, twos = 0, longestTwos = 0;
        int groupXs = 0, base = 0;
        for (std::size_t p = 0; p < column.size(); ++p) {
            xs += column[p] == 'X';
            others += column[p] != '1';
            groupXs += p < 4 && column[p] == 'X';
            base += column[p] != '1';
            breaks += p > 0 && column[p] != column[p - 1];
            run = p > 0 && column[p] == column[p - 1] ? run + 1 : 1;
            longest = std::max(longest, run);
            twos = column[p] == '2' ? twos + 1 : 0;
            longestTwos = std::max(longestTwos, twos);
        }
        EXPECT_TRUE(xs <= 3 && others >= 2 && others <= 6 && breaks >= 3 && breaks <= 9 &&
                    longest <= 4 && longestTwos <= 2 && groupXs <= 1 && base >= 2 && base <= 7)
            << column;
    }
}

TEST(driver, develop_writes_nothing_when_no_column_meets_the_conditions) {
    TTempDir dir;
    WriteBytes(dir / "semana", "old\r\n");
    const TDriverRun run = Drive({"--develop", kForecast, "--signs", "X=10-14", dir / "semana"});
    EXPECT_EQ(run.Status, kExitFailed);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, "no column of the forecast meets the conditions\n");
    EXPECT_EQ(ReadBytes(dir / "semana"), "old\r\n");
    const TDriverRun counted = Drive({"--develop", kForecast, "--signs", "X=10-14", "--count"});
    EXPECT_EQ(counted.Status, kExitCompleted);
    EXPECT_EQ(counted.Out, "0 columns\n");
}

TEST(driver, prizes_report_what_a_reduction_wins_and_its_chances) {
    TTempDir dir;
    // Every column over the first two matches, reduced to the one column of 1s: a result with
    // two signs other than 1 gets 12 right.
    WriteBytes(dir / "semana.txt", CrLfLines(Development(std::vector<std::string>{"1X2", "1X2"})));
    WriteBytes(dir / "reducida.txt", CrLfLines({"11111111111111"}));
    const std::string table =
        "results: 9\nbest 14: 1\nbest 13: 4\nbest 12: 4\nbest 11: 0\nbest 10: 0\n"
        "best below 10: 0\nguaranteed: 12 right\n"
        "columns with 14 right per result: mean 0.111111, most 1\n"
        "columns with 13 right per result: mean 0.444444, most 1\n"
        "columns with 12 right per result: mean 0.444444, most 1\n"
        "columns with 11 right per result: mean 0, most 0\n"
        "columns with 10 right per result: mean 0, most 0\n";
    TDriverRun run = Drive({"--prizes", dir / "semana.txt", dir / "reducida.txt"});
    EXPECT_EQ(run.Status, kExitCompleted);
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(run.Out, table);

    std::string chances = "50 30 20\n50,30,20\n";
    for (int match = 3; match <= 14; ++match) {
        chances += "100 0 0\n";
    }
    WriteBytes(dir / "chances.txt", chances);
    run = Drive(
        {"--prizes", "--chances", dir / "chances.txt", dir / "semana.txt", dir / "reducida.txt"});
    EXPECT_EQ(run.Status, kExitCompleted);
    EXPECT_EQ(run.Out, table +
                           "chance in development: 100%\nchance 14: 25%\nchance 13: 75%\n"
                           "chance 12: 100%\nchance 11: 100%\nchance 10: 100%\n"
                           "expected columns with 14 right: 0.25\n"
                           "expected columns with 13 right: 0.5\n"
                           "expected columns with 12 right: 0.25\n"
                           "expected columns with 11 right: 0\n"
                           "expected columns with 10 right: 0\n");
    EXPECT_EQ(ReadBytes(dir / "reducida.txt"), CrLfLines({"11111111111111"}));

    WriteBytes(dir / "chances.txt", "50 30 20\n");
    run = Drive(
        {"--prizes", "--chances", dir / "chances.txt", dir / "semana.txt", dir / "reducida.txt"});
    EXPECT_EQ(run.Status, kExitUsage);
    EXPECT_EQ(run.Err.substr(0, run.Err.find('\n')),
              "kelvo-reduce: --chances: " + dir / "chances.txt" +
                  ": the chances have 1 lines; they need 14, one per match");
    EXPECT_EQ(run.Out, "");
}

namespace {

// A plan whose forecast is kForecast, with the conditions --signs X=0-3 --signs 1=6-6.
TPlan PlanOfTheForecast() {
    TPlan plan;
    const TForecast forecast = ParseForecast(kForecast);
    for (std::size_t match = 0; match < forecast.size(); ++match) {
        for (std::size_t sign = 0; sign < kSignOfDigit.size(); ++sign) {
            plan.Matches[match].Played[sign] =
                forecast[match].find(kSignOfDigit[sign]) != std::string::npos;
        }
    }
    plan.Conditions = {ParseCondition(TConditionKind::Signs, "X=0-3"),
                       ParseCondition(TConditionKind::Signs, "1=6-6")};
    return plan;
}

}  // namespace

TEST(driver, plan_develops_and_counts_its_columns_as_develop_does) {
    TTempDir dir;
    const std::vector<std::string> develop = {"--develop", kForecast, "--signs",
                                              "X=0-3",     "--signs", "1=6-6"};
    SavePlan(PlanOfTheForecast(), dir / "semana.kelvo");

    TDriverRun run = Drive({"--plan", dir / "semana.kelvo", "--count"});
    EXPECT_EQ(run.Status, kExitCompleted);
    EXPECT_EQ(run.Out, "7 columns\n");
    EXPECT_EQ(run.Err, "");
    std::vector<std::string> counting = develop;
    counting.push_back("--count");
    EXPECT_EQ(Drive(counting).Out, run.Out);

    std::vector<std::string> writing = develop;
    writing.push_back(dir / "por develop.txt");
    ASSERT_EQ(Drive(writing).Status, kExitCompleted);
    run = Drive({"--plan", dir / "semana.kelvo", dir / "por plan"});
    EXPECT_EQ(run.Status, kExitCompleted);
    EXPECT_EQ(run.Out, "7 columns written to " + dir / "por plan" + "\n");
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(ReadBytes(dir / "por plan"), ReadBytes(dir / "por develop.txt"));
    EXPECT_EQ(CutLines(ReadBytes(dir / "por plan")).size(), 7u);
    EXPECT_EQ(ReadBytes(dir / "semana.kelvo"), PlanBytes(PlanOfTheForecast()));
}

TEST(driver, plan_writes_its_reduced_columns_in_its_order_to_the_file_named) {
    TTempDir dir;
    TPlan plan = PlanOfTheForecast();
    plan.Anywhere = true;
    plan.Reduction =
        TPlanReduction{KeysOf({"X2111111111111", "12111111111111", "22222222222222"}), {}};
    plan.Reduction->Report.Final = 3;
    SavePlan(plan, dir / "semana.kelvo");
    WriteBytes(dir / "reducida", "old\r\n");
    const TDriverRun run = Drive({"--plan", dir / "semana.kelvo", "--columns", dir / "reducida"});
    EXPECT_EQ(run.Status, kExitCompleted);
    EXPECT_EQ(run.Out, "3 columns written to " + dir / "reducida" + "\n");
    EXPECT_EQ(run.Err, "");
    EXPECT_EQ(ReadBytes(dir / "reducida"),
              "X2111111111111\r\n12111111111111\r\n22222222222222\r\n");
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"reducida", "semana.kelvo"}));
}

TEST(driver, a_plan_without_a_reduction_writes_no_columns) {
    TTempDir dir;
    SavePlan(PlanOfTheForecast(), dir / "semana.kelvo");
    const TDriverRun run = Drive({"--plan", dir / "semana.kelvo", "--columns", dir / "reducida"});
    EXPECT_EQ(run.Status, kExitFailed);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, "the plan has no reduction\n");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"semana.kelvo"});
}

TEST(driver, a_file_that_is_no_plan_is_told_why_and_nothing_is_written) {
    TTempDir dir;
    const std::string damaged = PlanBytes(PlanOfTheForecast()).substr(0, 300);
    WriteBytes(dir / "semana.kelvo", damaged);
    const std::string plan = dir / "semana.kelvo";
    const std::string out = dir / "salida";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--plan", plan, "--count"},
          std::vector<std::string>{"--plan", plan, out},
          std::vector<std::string>{"--plan", plan, "--columns", out}}) {
        const TDriverRun run = Drive(args);
        EXPECT_EQ(run.Status, kExitFailed);
        EXPECT_EQ(run.Out, "");
        EXPECT_EQ(run.Err, plan + ": the file is damaged: it is not JSON.\n");
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"semana.kelvo"});
        EXPECT_EQ(ReadBytes(plan), damaged);
    }
    std::string price = PlanBytes(TPlan());
    price.replace(price.find("\"price\": 0.75"), 13, "\"price\": 1001");
    WriteBytes(plan, price);
    TDriverRun run = Drive({"--plan", plan, out});
    EXPECT_EQ(run.Status, kExitFailed);
    EXPECT_EQ(run.Err, plan + ": the field \"price\" is missing or out of range.\n");
    run = Drive({"--plan", dir / "nope.kelvo", "--count"});
    EXPECT_EQ(run.Status, kExitFailed);
    EXPECT_EQ(run.Err, dir / "nope.kelvo" + ": the file cannot be read.\n");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"semana.kelvo"});
}

TEST(driver, a_plan_goes_with_no_other_mode) {
    const std::string notWithPlan =
        "--plan takes no --develop, --check, --no-limit, --optimise, --score, --prizes or --value";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--plan", "p.kelvo", "--develop", kForecast, "a"}, notWithPlan},
        {{"--plan", "p.kelvo", "--check", "a", "b"}, notWithPlan},
        {{"--plan", "p.kelvo", "--optimise", "5", "a"}, notWithPlan},
        {{"--plan", "p.kelvo", "--prizes", "a", "b"}, notWithPlan},
        {{"--score", "1X21X1121X2112", "--plan", "p.kelvo", "a"}, notWithPlan},
        {{"--plan", "p.kelvo", "--columns", "o", "--count"}, "--columns takes no --count"},
        {{"--columns", "o", "a"}, "--columns requires --plan"},
        {{"--plan", "p.kelvo"}, "DEVELOPMENT is required"},
        {{"--plan", "p.kelvo", "a", "b"}, "The following argument was not expected: b"},
        {{"--plan", "p.kelvo", "--count", "a"}, "The following argument was not expected: a"},
        {{"--plan", "p.kelvo", "--columns", "o", "a"},
         "The following argument was not expected: a"},
        {{"--plan", "p.kelvo", "--signs", "X=0-3", "a"}, "--signs requires --develop"},
        {{"--plan"}, "--plan: 1 required TEXT missing"},
    };
    for (const auto& [args, message] : cases) {
        const TDriverRun run = Drive(args);
        EXPECT_EQ(run.Status, kExitUsage) << message;
        EXPECT_EQ(run.Err.substr(0, run.Err.find('\n')), "kelvo-reduce: " + message);
        EXPECT_EQ(run.Out, "");
    }
    const TDriverRun help = Drive({"--help"});
    for (const std::string option : {"\n  --plan PLAN ", "\n  --columns OUTPUT ",
                                     "\nkelvo-reduce --plan PLAN reads a plan saved by"}) {
        EXPECT_NE(help.Out.find(option), std::string::npos) << option;
    }
}

}  // namespace kelvo
