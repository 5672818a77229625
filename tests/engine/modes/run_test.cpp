#include "modes/run.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <new>

#include "core/engine_error.h"
#include "files/column_file.h"
#include "test_support.h"

namespace kelvo {

namespace {

// Runs the test body in `folder`, going back to the old working folder afterwards.
class TWorkingFolder {
public:
    explicit TWorkingFolder(const std::filesystem::path& folder)
        : old_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~TWorkingFolder() { std::filesystem::current_path(old_); }

private:
    std::filesystem::path old_;
};

std::string Lines(int count) {
    std::string bytes;
    for (int k = count; k > 0; --k) {
        bytes += std::to_string(100000000 + k) + "\n";
    }
    return bytes;
}

}  // namespace

TEST(run, worked_example_logs_ten_lines_and_writes_the_reduction) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", "11111111111122\r\n1111111111111X\r\n11111111111111\r\n");
    TRecordingHost host;
    EXPECT_EQ(ReduceColumns(dir / "in.txt", dir / "out", host).Outcome, TRunOutcome::Completed);
    EXPECT_EQ(host.Log, CompletedLog(3, 2));
    EXPECT_TRUE(host.Infos.empty());
    EXPECT_EQ(ReadBytes(dir / "out.txt"), CrLfLines({"11111111111111", "11111111111122"}));
    EXPECT_EQ(ReadBytes(dir / "in.txt"),
              CrLfLines({"11111111111111", "1111111111111X", "11111111111122"}));
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"in.txt", "out.txt"}));
}

TEST(run, seven_thousand_lines_are_reduced) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", Lines(kMaxColumns));
    TRecordingHost host;
    EXPECT_EQ(ReduceColumns(dir / "in.txt", dir / "out", host).Outcome, TRunOutcome::Completed);
    ASSERT_EQ(host.Log.size(), 10u);
    EXPECT_EQ(host.Log[7], "Columnas Iniciales: 7000");
}

TEST(run, more_lines_are_refused_with_the_notice_after_the_rewrite) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", Lines(kMaxColumns + 1));
    TRecordingHost host;
    EXPECT_EQ(ReduceColumns(dir / "in.txt", dir / "out", host).Outcome, TRunOutcome::Refused);
    EXPECT_EQ(host.Infos, std::vector<std::string>{"ATENCION, Esta version esta dise\xc3\xb1"
                                                   "ada para\r\n combinaciones mas peque\xc3\xb1"
                                                   "as."});
    EXPECT_TRUE(host.Log.empty());
    const std::string rewritten = ReadBytes(dir / "in.txt");
    EXPECT_EQ(rewritten.substr(0, 22), "100000001\r\n100000002\r\n");
    EXPECT_EQ(rewritten.size(), 11u * (kMaxColumns + 1));
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"in.txt"});
}

TEST(run, empty_input_path_fails_before_any_log_line) {
    TTempDir dir;
    TRecordingHost host;
    EXPECT_THROW_MSG(ReduceColumns("", dir / "out", host), TEngineError, "Cannot open file ");
    EXPECT_TRUE(host.Log.empty());
}

TEST(run, empty_output_name_writes_dot_txt_in_the_current_folder) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", "1\n");
    TWorkingFolder here(dir.Path());
    TRecordingHost host;
    EXPECT_EQ(ReduceColumns("in.txt", "", host).Outcome, TRunOutcome::Completed);
    EXPECT_EQ(ReadBytes(dir / ".txt"), "1\r\n");
}

TEST(run, output_name_ending_in_txt_gets_another) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", "1\n");
    TRecordingHost host;
    ReduceColumns(dir / "in.txt", dir / "out.txt", host);
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"in.txt", "out.txt.txt"}));
}

TEST(run, output_that_cannot_be_created_ends_the_log_before_the_summary) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", "2\n1\n");
    TRecordingHost host;
    EXPECT_THROW_MSG(ReduceColumns(dir / "in.txt", dir / "missing/out", host), TEngineError,
                     "Cannot create file " + dir / "missing/out.txt");
    const auto full = CompletedLog(2, 2);
    EXPECT_EQ(host.Log, std::vector<std::string>(full.begin(), full.begin() + 4));
    EXPECT_EQ(ReadBytes(dir / "in.txt"), "1\r\n2\r\n");
}

TEST(run, successive_runs_append_to_the_log) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", "1\n");
    TRecordingHost host;
    ReduceColumns(dir / "in.txt", dir / "out", host);
    ReduceColumns(dir / "in.txt", dir / "out", host);
    EXPECT_EQ(host.Log.size(), 20u);
    EXPECT_EQ(host.Log[10], "Comienzo de la Reduccion...");
}

TEST(run, error_box_gets_a_full_stop_only_after_bytes_above_it) {
    EXPECT_EQ(ErrorBoxText("Cannot open file /tmp/a.txt"), "Cannot open file /tmp/a.txt.");
    EXPECT_EQ(ErrorBoxText("Cannot open file "), "Cannot open file ");
    EXPECT_EQ(ErrorBoxText(""), "");
    EXPECT_EQ(ErrorBoxText("Disk full"), "Disk full.");
    EXPECT_EQ(ErrorBoxText("I/O error 32"), "I/O error 32.");
    EXPECT_EQ(ErrorBoxText("a/"), "a/.");
    EXPECT_EQ(ErrorBoxText("a."), "a.");
    EXPECT_EQ(ErrorBoxText("a-"), "a-");
    EXPECT_EQ(ErrorBoxText("a!"), "a!");
    EXPECT_EQ(ErrorBoxText("a)"), "a)");
    EXPECT_EQ(ErrorBoxText("a\t"), "a\t");
    EXPECT_EQ(ErrorBoxText("a\xf1"), "a\xf1.");
}

TEST(run, output_that_would_replace_the_input_is_refused_before_anything_is_written) {
    TTempDir dir;
    const std::string unsorted = "2\n1\n";
    WriteBytes(dir / "semana.txt", unsorted);
    std::filesystem::create_symlink("semana.txt", dir / "enlace.txt");
    for (const std::string& output : {dir / "semana", dir / "enlace", dir / "./semana"}) {
        TRecordingHost host;
        EXPECT_THROW_MSG(ReduceColumns(dir / "semana.txt", output, host), TEngineError,
                         "Output file " + output + ".txt is the input file " + dir / "semana.txt" +
                             "; choose another output name");
        EXPECT_TRUE(host.Log.empty());
        EXPECT_EQ(ReadBytes(dir / "semana.txt"), unsorted);
    }
}

TEST(run, an_output_that_cannot_be_examined_is_refused_before_anything_is_written) {
    TTempDir dir;
    const std::string unsorted = "2\n1\n";
    WriteBytes(dir / "semana.txt", unsorted);
    std::filesystem::create_symlink("semana.txt", dir / "enlace.txt");
    TRunOptions options;
    // Only the output's name fails: were it taken for another file, the run would write the
    // reduced set through the link over the input.
    options.Files.Stat = [output = dir / "enlace.txt"](const char* path, struct stat* info) {
        return path == output ? (errno = EIO, -1) : ::stat(path, info);
    };
    TRecordingHost host;
    EXPECT_THROW_MSG(ReduceColumns(dir / "semana.txt", dir / "enlace", host, options), TEngineError,
                     "Cannot create file " + dir / "enlace.txt");
    EXPECT_TRUE(host.Log.empty());
    EXPECT_EQ(ReadBytes(dir / "semana.txt"), unsorted);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "enlace.txt"));
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"enlace.txt", "semana.txt"}));
}

TEST(run, failed_output_write_leaves_no_output_and_ends_the_log_before_the_summary) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", "2\n1\n");
    TRunOptions options;
    int writes = 0;
    // The input's rewrite is the first write; the output's is the second.
    options.Files.Write = [&writes](int fd, const void* data, std::size_t size) -> ssize_t {
        if (++writes == 2) {
            errno = EIO;
            return -1;
        }
        return ::write(fd, data, size);
    };
    TRecordingHost host;
    EXPECT_THROW_MSG(ReduceColumns(dir / "in.txt", dir / "out", host, options), TEngineError,
                     "Stream write error");
    EXPECT_EQ(host.Log.back(), "Buscando las reductoras...");
    EXPECT_EQ(host.Log.size(), 4u);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"in.txt"});
    EXPECT_EQ(ReadBytes(dir / "in.txt"), "1\r\n2\r\n");
}

TEST(run, a_million_lines_are_rewritten_sorted_then_refused) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", Lines(1000000));
    TRecordingHost host;
    EXPECT_EQ(ReduceColumns(dir / "in.txt", dir / "out", host).Outcome, TRunOutcome::Refused);
    const std::string rewritten = ReadBytes(dir / "in.txt");
    EXPECT_EQ(rewritten.size(), 11u * 1000000);
    EXPECT_EQ(rewritten.substr(rewritten.size() - 11), "101000000\r\n");
    EXPECT_EQ(host.Infos.size(), 1u);
}

TEST(run, short_blank_and_high_byte_lines_are_columns_too) {
    TTempDir dir;
    WriteBytes(dir / "in.txt",
               "1111111111111\n111111111111\n   \n\xf1\xf1\xf1\xf1\xf1\xf1\xf1\xf1\xf1\xf1\xf1\xf1"
               "\xf1\xf1\n11111111111111\n");
    TRecordingHost host;
    EXPECT_EQ(ReduceColumns(dir / "in.txt", dir / "out", host).Outcome, TRunOutcome::Completed);
    // 13 signs lie one position from 12 and from 14 signs; the blank line and the high bytes
    // lie far from everything.
    EXPECT_EQ(ReadBytes(dir / "out.txt"),
              CrLfLines({"1111111111111", "", std::string(14, '\xf1')}));
    EXPECT_EQ(host.Log[8], "Columnas en la reducida: 3");
}

TEST(run, failures_past_the_rewrite_leave_the_input_sorted_and_no_log) {
    TTempDir dir;
    // The rewrite opens the input and a temporary file; loading opens the input again.
    const auto failingThirdOpen = [](auto fail) {
        TRunOptions options;
        options.Files.Open = [fail, opened = 0](const char* path, int flags, mode_t mode) mutable {
            if (++opened == 3) {
                return fail();
            }
            return ::open(path, flags, mode);
        };
        return options;
    };
    const TRunOptions tooMany = failingThirdOpen([] { return errno = EMFILE, -1; });
    const TRunOptions noMemory = failingThirdOpen([]() -> int { throw std::bad_alloc(); });
    for (const auto& [options, message] :
         {std::pair{&tooMany, "Too many open files"}, std::pair{&noMemory, "Out of memory"}}) {
        WriteBytes(dir / "in.txt", "2\n1\n");
        TRecordingHost host;
        EXPECT_THROW_MSG(ReduceColumns(dir / "in.txt", dir / "out", host, *options), TEngineError,
                         message);
        EXPECT_TRUE(host.Log.empty());
        EXPECT_EQ(ReadBytes(dir / "in.txt"), "1\r\n2\r\n");
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"in.txt"});
    }
}

TEST(run, guarantee_outside_the_three_is_refused_before_anything_is_read) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", "2\n1\n");
    TRunOptions options;
    options.Guarantee = 14;
    TRecordingHost host;
    EXPECT_THROW_MSG(ReduceColumns(dir / "in.txt", dir / "out", host, options), TEngineError,
                     "Unknown guarantee 14: the guarantees are 11, 12 and 13");
    EXPECT_EQ(ReadBytes(dir / "in.txt"), "2\n1\n");
}

TEST(run, an_improved_set_is_written_in_file_order_with_the_final_count) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", CrLfLines(Development(3)));
    TRecordingHost host;
    TRunOptions options;
    options.Optimise = TOptimiserBudget{};
    std::vector<std::size_t> greedy;
    options.Optimiser = [&greedy](const TCoverage& coverage, std::span<const std::size_t> chosen,
                                  int, const TOptimiseSettings&) {
        greedy.assign(chosen.begin(), chosen.end());
        // A smallest cover of the 27 columns, named backwards and once twice.
        TOptimisation improved;
        for (const char* column : {"22211111111111", "XXX11111111111", "12111111111111",
                                   "11211111111111", "22211111111111", "21111111111111"}) {
            improved.Chosen.push_back(coverage.Find(MakeKey(column)));
        }
        return improved;
    };
    EXPECT_EQ(ReduceColumns(dir / "in.txt", dir / "out", host, options).Outcome,
              TRunOutcome::Completed);
    EXPECT_EQ(greedy.size(), 6u);
    EXPECT_EQ(host.Log, CompletedLog(27, 5));
    EXPECT_EQ(ReadBytes(dir / "out.txt"),
              CrLfLines({"11211111111111", "12111111111111", "21111111111111", "22211111111111",
                         "XXX11111111111"}));
}

TEST(run, an_improved_set_that_fails_its_check_is_never_written) {
    TTempDir dir;
    const std::string sorted = CrLfLines({"11111111111111", "1111111111111X", "11111111111122"});
    const std::vector<
        std::pair<std::function<std::vector<std::size_t>(std::vector<std::size_t>)>, std::string>>
        broken = {
            {[](std::vector<std::size_t> greedy) {
                 greedy.pop_back();
                 return greedy;
             },
             "The optimised reduction leaves column 11111111111122 uncovered"},
            {[](std::vector<std::size_t>) {
                 return std::vector<std::size_t>{0, 1, 2};
             },
             "The optimised reduction holds more columns than the greedy one"},
            {[](std::vector<std::size_t>) {
                 return std::vector<std::size_t>{0, 3};
             },
             "The optimised reduction holds a column that is not in the input"},
        };
    for (const auto& breaking : broken) {
        const auto& improve = breaking.first;
        const std::string& message = breaking.second;
        WriteBytes(dir / "in.txt", sorted);
        TRecordingHost host;
        TRunOptions options;
        options.Optimise = TOptimiserBudget{};
        options.Optimiser = [&improve](const TCoverage&, std::span<const std::size_t> greedy, int,
                                       const TOptimiseSettings&) {
            TOptimisation optimisation;
            optimisation.Chosen = improve({greedy.begin(), greedy.end()});
            return optimisation;
        };
        EXPECT_THROW_MSG(ReduceColumns(dir / "in.txt", dir / "out", host, options), TEngineError,
                         message);
        EXPECT_EQ(host.Log.size(), 4u);
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"in.txt"});
        EXPECT_EQ(ReadBytes(dir / "in.txt"), sorted);
    }
}

TEST(run, anywhere_writes_nothing_when_a_column_outside_the_input_fails_the_check) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", CrLfLines(CentreNeighbours(3)));
    const std::string sorted = ReadBytes(dir / "in.txt");
    TRecordingHost host;
    TRunOptions options;
    options.Optimise = TOptimiserBudget{};
    options.Anywhere = true;
    options.Optimiser = [](const TCoverage&, std::span<const std::size_t>, int,
                           const TOptimiseSettings&) {
        // Two signs from every input column; the first of the sorted file is told.
        TOptimisation optimisation;
        optimisation.Added.push_back(MakeKey("11111111111112"));
        return optimisation;
    };
    EXPECT_THROW_MSG(ReduceColumns(dir / "in.txt", dir / "out", host, options), TEngineError,
                     "The optimised reduction leaves column 11211111111111 uncovered");
    EXPECT_EQ(host.Log.size(), 4u);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"in.txt"});
}

TEST(run, anywhere_writes_the_columns_found_and_only_with_the_optimiser) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", CrLfLines(CentreNeighbours(3)));
    TRecordingHost host;
    TRunOptions options;
    options.Anywhere = true;
    ReduceColumns(dir / "in.txt", dir / "plain", host, options);
    EXPECT_EQ(CutLines(ReadBytes(dir / "plain.txt")).size(), 3u);
    options.Optimise = TOptimiserBudget{std::chrono::seconds(60), 1000, 1};
    ReduceColumns(dir / "in.txt", dir / "out", host, options);
    EXPECT_EQ(ReadBytes(dir / "out.txt"), CrLfLines({"11111111111111"}));
}

}  // namespace kelvo
