#include "driver.h"

#include <sstream>

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

TEST(driver, wrong_usage_and_help) {
    const std::string usage = "usage: kelvo-reduce INPUT OUTPUT\n";
    for (const auto& args : std::vector<std::vector<std::string>>{{}, {"a"}, {"a", "b", "c"}}) {
        const TDriverRun run = Drive(args);
        EXPECT_EQ(run.Status, kExitUsage);
        EXPECT_EQ(run.Err, usage);
        EXPECT_EQ(run.Out, "");
    }
    const TDriverRun help = Drive({"--help"});
    EXPECT_EQ(help.Status, kExitCompleted);
    EXPECT_EQ(help.Out.substr(0, usage.size()), usage);
    EXPECT_EQ(help.Err, "");
}
