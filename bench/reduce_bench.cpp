// Times a whole reduction and each of its phases on the column files that matter: a plain
// development, a filtered one, one column repeated (the longest neighbour lists) and columns that
// cover nothing but themselves (the most chosen columns); then the analysis and the whole run over
// growing developments, to show how they scale. `--literal` adds one run of the literal method,
// which needs 700 MB for its fixed-size lists and billions of slot comparisons.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "column_file.h"
#include "column_sets.h"
#include "cover.h"
#include "literal_reduction.h"
#include "neighbours.h"
#include "run.h"

namespace {

constexpr std::string_view kLiteralInput = "filtered7000";
constexpr std::string_view kLiteralFlag = "--literal";
// Adds every phase once on developments of 8, 10, 12 and 14 triples, up to the whole space of
// 3^14 columns.
constexpr std::string_view kLargeFlag = "--large";
constexpr int kLargeTriples[] = {8, 10, 12, 14};
constexpr int kFirstScalingTriples = 6;
constexpr int kLastScalingTriples = 11;

// A window with nothing to do: what the engine pays for its own work alone.
class TQuietHost : public TRunHost {
public:
    void AddLogLine(const std::string&) override {}
    void ShowInfo(const std::string&) override {}
    void PumpEvents() override { ++Pumps; }

    std::int64_t Pumps = 0;
};

// The highest resident memory of the process while it lives, reported as the counter
// "peak_MiB": the kernel's high-water mark is reset when it is made, so setup done before does
// not count. Where the kernel cannot reset it, the counter is left out.
class TPeakMemory {
public:
    explicit TPeakMemory(benchmark::State& state)
        : state_(state), reset_(static_cast<bool>(std::ofstream("/proc/self/clear_refs") << "5")) {}
    ~TPeakMemory() {
        std::ifstream status("/proc/self/status");
        std::string line;
        while (reset_ && std::getline(status, line)) {
            if (line.rfind("VmHWM:", 0) == 0) {
                state_.counters["peak_MiB"] = std::stod(line.substr(6)) / 1024;
            }
        }
    }
    TPeakMemory(const TPeakMemory&) = delete;
    TPeakMemory& operator=(const TPeakMemory&) = delete;

private:
    benchmark::State& state_;
    bool reset_;
};

// A folder of its own for the benchmark's files, removed with them when the run ends.
class TScratchFolder {
public:
    TScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kelvo-bench-XXXXXX");
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::system_error(errno, std::generic_category(), "mkdtemp");
        }
        path_ = pattern;
    }
    ~TScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

struct TInput {
    std::string Name;
    std::size_t Columns = 0;
    // The file as a user would hand it over: not yet sorted.
    std::string UnsortedBytes;
};

TInput MakeInput(std::string name, const std::vector<std::string>& columns) {
    return {std::move(name), columns.size(), ColumnFileBytes(columns)};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file.flush()) {
        throw std::runtime_error("cannot write " + path);
    }
}

// The input written and prepared once, for the phases that read a prepared file.
std::string PreparedFile(const TInput& input, const TScratchFolder& folder) {
    const std::string path = folder / (input.Name + "-prepared.txt");
    WriteBytes(path, input.UnsortedBytes);
    PrepareColumnFile(path);
    return path;
}

// The run rewrites its input sorted, so every timed run gets the unsorted bytes back first,
// untimed: each one sorts the file as a user's first run does.
void TimeReduceColumns(benchmark::State& state, const TInput& input, const TScratchFolder& folder) {
    const std::string inputPath = folder / (input.Name + "-reduce.txt");
    const std::string outputPath = folder / (input.Name + "-reduced");
    TQuietHost host;
    TRunOptions options;
    options.NoLimit = input.Columns > static_cast<std::size_t>(kMaxColumns);
    const TPeakMemory peak(state);
    for (auto _ : state) {
        state.PauseTiming();
        WriteBytes(inputPath, input.UnsortedBytes);
        state.ResumeTiming();
        if (ReduceColumns(inputPath, outputPath, host, options) != TRunOutcome::Completed) {
            state.SkipWithError("the run was refused");
            return;
        }
    }
    state.counters["columns"] = static_cast<double>(input.Columns);
    state.counters["pumps/run"] =
        benchmark::Counter(static_cast<double>(host.Pumps), benchmark::Counter::kAvgIterations);
    state.SetComplexityN(static_cast<benchmark::IterationCount>(input.Columns));
}

void TimePrepareColumnFile(benchmark::State& state, const TInput& input,
                           const TScratchFolder& folder) {
    const std::string path = folder / (input.Name + "-prepare.txt");
    const TPeakMemory peak(state);
    for (auto _ : state) {
        state.PauseTiming();
        WriteBytes(path, input.UnsortedBytes);
        state.ResumeTiming();
        benchmark::DoNotOptimize(PrepareColumnFile(path));
    }
}

void TimeLoadColumns(benchmark::State& state, const TInput& input, const TScratchFolder& folder) {
    const std::string path = PreparedFile(input, folder);
    const TPeakMemory peak(state);
    for (auto _ : state) {
        TColumnList list = LoadColumns(path);
        benchmark::DoNotOptimize(list.Records.data());
    }
}

// Every timed analysis gets a freshly loaded list, untimed, so that it pays for the memory of its
// lists as a run does instead of reusing the previous iteration's.
void TimeAnalyseNeighbours(benchmark::State& state, const TInput& input,
                           const TScratchFolder& folder) {
    const std::string path = PreparedFile(input, folder);
    TColumnList list;
    TQuietHost host;
    int longest = 0;
    const TPeakMemory peak(state);
    for (auto _ : state) {
        state.PauseTiming();
        list = LoadColumns(path);
        state.ResumeTiming();
        longest = AnalyseNeighbours(list, host);
        benchmark::DoNotOptimize(longest);
    }
    const auto entries = static_cast<double>(list.NeighbourStore.size());
    const auto listBytes =
        static_cast<double>(list.NeighbourStore.capacity() * sizeof(std::int32_t));
    state.counters["L"] = longest;
    state.counters["entries"] = entries;
    state.counters["list_bytes"] =
        benchmark::Counter(listBytes, benchmark::Counter::kDefaults, benchmark::Counter::kIs1024);
    state.counters["bytes/entry"] = entries > 0 ? listBytes / entries : 0;
    state.SetComplexityN(static_cast<benchmark::IterationCount>(input.Columns));
}

// The selection marks the lists of the columns it chooses, so every timed selection gets the
// lists as the analysis left them, untimed.
void TimeSelectCover(benchmark::State& state, const TInput& input, const TScratchFolder& folder) {
    TColumnList list = LoadColumns(PreparedFile(input, folder));
    TQuietHost host;
    const int longest = AnalyseNeighbours(list, host);
    const std::vector<std::int32_t> analysed = list.NeighbourStore;
    const std::string outputPath = folder / (input.Name + "-selected");
    std::size_t chosen = 0;
    const TPeakMemory peak(state);
    for (auto _ : state) {
        state.PauseTiming();
        std::copy(analysed.begin(), analysed.end(), list.NeighbourStore.begin());
        state.ResumeTiming();
        chosen = SelectCover(list, longest, outputPath, host).size();
    }
    state.counters["chosen"] = static_cast<double>(chosen);
}

// Once, with the file prepared and loaded beforehand: the literal analysis and selection of the
// prepared file, checked against the engine's choice, which must be the same columns in the same
// order.
void TimeLiteralReduction(benchmark::State& state, const TInput& input,
                          const TScratchFolder& folder) {
    const std::string path = PreparedFile(input, folder);
    TQuietHost engineHost;
    TColumnList engineList = LoadColumns(path);
    const int longest = AnalyseNeighbours(engineList, engineHost);
    const std::vector<std::string> expected =
        SelectCover(engineList, longest, folder / (input.Name + "-engine"), engineHost);

    const TColumnList list = LoadColumns(path);
    TQuietHost host;
    std::vector<std::string> chosen;
    for (auto _ : state) {
        chosen = LiteralReduction(list, folder / (input.Name + "-literal"), host);
    }
    if (chosen != expected) {
        state.SkipWithError("the literal method chose other columns than the engine");
        return;
    }
    state.counters["chosen"] = static_cast<double>(chosen.size());
    state.counters["pumps"] = static_cast<double>(host.Pumps);
}

using TTimer = void (*)(benchmark::State&, const TInput&, const TScratchFolder&);

// A failing run ends its own benchmark with the engine's message instead of the whole program,
// so that the scratch folder is still removed.
void Guarded(benchmark::State& state, TTimer timer, const TInput& input,
             const TScratchFolder& folder) {
    try {
        timer(state, input, folder);
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
    }
}

// Takes `flag` out of the arguments; whether it was there.
bool TakeFlag(int& argc, char** argv, std::string_view flag) {
    char** const end = std::remove_if(argv + 1, argv + argc,
                                      [flag](const char* argument) { return argument == flag; });
    const bool found = end != argv + argc;
    argc = static_cast<int>(end - argv);
    return found;
}

}  // namespace

int main(int argc, char** argv) {
    const bool literal = TakeFlag(argc, argv, kLiteralFlag);
    const bool large = TakeFlag(argc, argv, kLargeFlag);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 2;
    }

    const TScratchFolder folder;
    std::vector<TInput> inputs;
    for (const TColumnSet& set : BenchmarkColumnSets()) {
        inputs.push_back(MakeInput(set.Name, set.Columns));
    }
    std::map<std::int64_t, TInput> developments;
    for (int triples = kFirstScalingTriples; triples <= kLastScalingTriples; ++triples) {
        TInput input = MakeInput("development" + std::to_string(triples),
                                 Shuffled(Development(triples), kColumnSeed));
        developments.emplace(static_cast<std::int64_t>(input.Columns), std::move(input));
    }

    const std::vector<std::pair<std::string, TTimer>> phases = {
        {"ReduceColumns", TimeReduceColumns}, {"PrepareColumnFile", TimePrepareColumnFile},
        {"LoadColumns", TimeLoadColumns},     {"AnalyseNeighbours", TimeAnalyseNeighbours},
        {"SelectCover", TimeSelectCover},
    };
    for (const TInput& input : inputs) {
        for (const auto& [phase, timer] : phases) {
            benchmark::RegisterBenchmark((phase + "/" + input.Name).c_str(),
                                         [timer = timer, &input, &folder](benchmark::State& state) {
                                             Guarded(state, timer, input, folder);
                                         })
                ->UseRealTime()
                ->Unit(benchmark::kMillisecond);
        }
    }

    const std::vector<std::pair<std::string, TTimer>> scaled = {
        {"AnalyseNeighbours_growth", TimeAnalyseNeighbours},
        {"ReduceColumns_growth", TimeReduceColumns},
    };
    for (const auto& [phase, timer] : scaled) {
        auto* family = benchmark::RegisterBenchmark(
            phase.c_str(), [timer = timer, &developments, &folder](benchmark::State& state) {
                Guarded(state, timer, developments.at(state.range(0)), folder);
            });
        for (const auto& [columns, input] : developments) {
            family->Arg(columns);
        }
        family->UseRealTime()->Unit(benchmark::kMillisecond)->Complexity();
    }

    std::vector<TInput> largeInputs;
    if (large) {
        for (const int triples : kLargeTriples) {
            largeInputs.push_back(MakeInput("triples" + std::to_string(triples),
                                            Shuffled(Development(triples), kColumnSeed)));
        }
    }
    for (const TInput& input : largeInputs) {
        for (const auto& [phase, timer] : phases) {
            benchmark::RegisterBenchmark(("Large/" + phase + "/" + input.Name).c_str(),
                                         [timer = timer, &input, &folder](benchmark::State& state) {
                                             Guarded(state, timer, input, folder);
                                         })
                ->Iterations(1)
                ->UseRealTime()
                ->Unit(benchmark::kMillisecond);
        }
    }

    if (literal) {
        const auto input = std::find_if(inputs.begin(), inputs.end(), [](const TInput& candidate) {
            return candidate.Name == kLiteralInput;
        });
        benchmark::RegisterBenchmark(("LiteralReduction/" + input->Name).c_str(),
                                     [&input = *input, &folder](benchmark::State& state) {
                                         Guarded(state, TimeLiteralReduction, input, folder);
                                     })
            ->Iterations(1)
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond);
    }

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
