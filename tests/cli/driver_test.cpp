#include "driver.h"

#include <sstream>

#include "column_file.h"
#include "run.h"
#include "test_support.h"

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
    for (int k = 0; k <= kMaxColumns; ++k) {
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
        "usage: kelvo-reduce [--guarantee G] [--no-limit] INPUT OUTPUT\n"
        "       kelvo-reduce --check [--guarantee G] INPUT REDUCED\n"
        "       kelvo-reduce --help | --version\n";
    const std::string noGuarantee = "is no guarantee: the guarantees are 11, 12 and 13\n";
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
         {"  --guarantee G ", "  --no-limit ", "  --check ", "  -h,--help ", "  --version "}) {
        EXPECT_NE(help.Out.find("\n" + option), std::string::npos) << option;
    }
    EXPECT_NE(help.Out.find("Exit status: 0 reduced"), std::string::npos);
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
    WriteBytes(dir / "in.txt", CrLfLines({"22222222222222", "\x1a" "end", "11111111111111"}));
    EXPECT_EQ(Drive({dir / "in.txt", dir / "out"}).Status, kExitCompleted);
    const TDriverRun run = Drive({"--check", dir / "in.txt", dir / "out.txt"});
    EXPECT_EQ(run.Status, kExitCompleted);
    EXPECT_EQ(run.Out, "Input columns: 1\nReduced columns: 1\nUncovered input columns: 0\n");
}

namespace {

// Every column over 1, X and 2 at the first `varying` positions, the rest 1, in an unsorted
// order.
std::vector<std::string> Development(int varying) {
    std::vector<std::string> columns{std::string(14, '1')};
    for (int p = 0; p < varying; ++p) {
        std::vector<std::string> next;
        for (const auto& column : columns) {
            for (const char sign : {'2', 'X', '1'}) {
                next.push_back(column);
                next.back()[p] = sign;
            }
        }
        columns = std::move(next);
    }
    return columns;
}

}  // namespace

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
    // A clock that moves on a second at every reading.
    auto tick = std::chrono::steady_clock::time_point{};
    TDriverTerminal terminal;
    terminal.ErrIsTerminal = true;
    terminal.Now = [&tick] { return tick += std::chrono::seconds(1); };
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
