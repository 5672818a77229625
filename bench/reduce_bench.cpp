// Times a whole reduction and each of its phases on the column files that matter: a plain
// development, a filtered one, columns drawn from the whole space, one column repeated (the
// longest neighbour lists) and columns that cover nothing but themselves (the most chosen
// columns), at guarantee 13 and 12 (the benchmark argument G); then the analysis and the whole run
// over growing developments at both guarantees, to show how they scale. `--literal` adds one run
// of the literal method, which compares every pair of columns position by position and searches a
// list of at least 25000 slots for every membership test.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "column_sets.h"
#include "file_bytes.h"
#include "files/column_file.h"
#include "hosts.h"
#include "literal_reduction.h"
#include "modes/run.h"
#include "reduce/coverage.h"
#include "reduce/greedy.h"
#include "reduce/neighbours.h"
#include "temp_dir.h"

using namespace kelvo;

namespace {

constexpr std::string_view kLiteralInput = "filtered7000";
constexpr std::string_view kLiteralFlag = "--literal";
// Adds every phase once on developments of 8, 10, 12 and 14 triples, up to the whole space of
// 3^14 columns.
constexpr std::string_view kLargeFlag = "--large";
constexpr int kLargeTriples[] = {8, 10, 12, 14};
constexpr int kFirstScalingTriples = 6;
constexpr int kLastScalingTriples = 11;
// The default guarantee and the next weaker one, whose radius of two positions makes every
// neighbour list several times longer.
constexpr int kTimedGuarantees[] = {kStrongestGuarantee, kStrongestGuarantee - 1};

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

struct TInput {
    std::string Name;
    std::size_t Columns = 0;
    // The file as a user would hand it over: not yet sorted.
    std::string UnsortedBytes;
};

TInput MakeInput(std::string name, const std::vector<std::string>& columns) {
    return {std::move(name), columns.size(), ColumnFileBytes(columns)};
}

// The input written and prepared once, for the phases that read a prepared file.
std::string PreparedFile(const TInput& input, const TTempDir& folder) {
    const std::string path = folder / (input.Name + "-prepared.txt");
    WriteBytes(path, input.UnsortedBytes);
    PrepareColumnFile(path);
    return path;
}

// The run rewrites its input sorted, so every timed run gets the unsorted bytes back first,
// untimed: each one sorts the file as a user's first run does.
void TimeReduceColumns(benchmark::State& state, const TInput& input, int guarantee,
                       const TTempDir& folder) {
    const std::string inputPath = folder / (input.Name + "-reduce.txt");
    const std::string outputPath = folder / (input.Name + "-reduced");
    TQuietHost host;
    TRunHostProgress hostProgress(host);
    TRunOptions options;
    options.NoLimit = input.Columns > static_cast<std::size_t>(kMaxColumns);
    options.Guarantee = guarantee;
    const TPeakMemory peak(state);
    for (auto _ : state) {
        state.PauseTiming();
        WriteBytes(inputPath, input.UnsortedBytes);
        state.ResumeTiming();
        if (ReduceColumns(inputPath, outputPath, host, options).Outcome != TRunOutcome::Completed) {
            state.SkipWithError("the run was refused");
            return;
        }
    }
    state.counters["columns"] = static_cast<double>(input.Columns);
    state.counters["pumps/run"] =
        benchmark::Counter(static_cast<double>(host.Pumps), benchmark::Counter::kAvgIterations);
    state.SetComplexityN(static_cast<benchmark::IterationCount>(input.Columns));
}

// The prepared file holds no guarantee, so this phase and the load are timed once.
void TimePrepareColumnFile(benchmark::State& state, const TInput& input, int,
                           const TTempDir& folder) {
    const std::string path = folder / (input.Name + "-prepare.txt");
    const TPeakMemory peak(state);
    for (auto _ : state) {
        state.PauseTiming();
        WriteBytes(path, input.UnsortedBytes);
        state.ResumeTiming();
        benchmark::DoNotOptimize(PrepareColumnFile(path));
    }
}

void TimeLoadColumns(benchmark::State& state, const TInput& input, int, const TTempDir& folder) {
    const std::string path = PreparedFile(input, folder);
    const TPeakMemory peak(state);
    for (auto _ : state) {
        TColumnList list = ReadColumns(path, TReadMessages::LineReader);
        benchmark::DoNotOptimize(list.Columns.data());
    }
}

// Every timed analysis starts with the previous one's result freed, untimed, so that it pays for
// fresh memory as a run does and not for freeing what the last iteration left.
void TimeAnalyseNeighbours(benchmark::State& state, const TInput& input, int guarantee,
                           const TTempDir& folder) {
    const TColumnList list = ReadColumns(PreparedFile(input, folder), TReadMessages::LineReader);
    TQuietHost host;
    TRunHostProgress hostProgress(host);
    std::optional<TNeighbourhood> neighbourhood;
    const TPeakMemory peak(state);
    for (auto _ : state) {
        state.PauseTiming();
        neighbourhood.reset();
        state.ResumeTiming();
        neighbourhood.emplace(AnalyseNeighbours(list.Columns, RadiusOf(guarantee), &hostProgress));
    }
    // A record's list counts every record within the radius, so the entries are the lists' total
    // length over all records, though the analysis keeps one list length per distinct column.
    double entries = 0;
    for (const TKey& column : list.Columns) {
        entries += neighbourhood->ListLength[neighbourhood->Coverage.Find(column)];
    }
    state.counters["L"] = neighbourhood->Longest;
    state.counters["distinct"] = static_cast<double>(neighbourhood->Coverage.Count());
    state.counters["entries"] = entries;
    state.counters["pumps/run"] =
        benchmark::Counter(static_cast<double>(host.Pumps), benchmark::Counter::kAvgIterations);
    state.SetComplexityN(static_cast<benchmark::IterationCount>(input.Columns));
}

// The selection reads the analysis without changing it, so one analysis serves every iteration.
// The output file is the run's business and not timed here.
void TimeSelectCover(benchmark::State& state, const TInput& input, int guarantee,
                     const TTempDir& folder) {
    const TColumnList list = ReadColumns(PreparedFile(input, folder), TReadMessages::LineReader);
    TQuietHost analysisHost;
    TRunHostProgress analysisHostProgress(analysisHost);
    const TNeighbourhood neighbourhood =
        AnalyseNeighbours(list.Columns, RadiusOf(guarantee), &analysisHostProgress);
    TQuietHost host;
    TRunHostProgress hostProgress(host);
    std::size_t chosen = 0;
    const TPeakMemory peak(state);
    for (auto _ : state) {
        chosen = SelectGreedyCover(neighbourhood, &hostProgress).size();
    }
    state.counters["chosen"] = static_cast<double>(chosen);
    state.counters["L"] = neighbourhood.Longest;
    state.counters["pumps/run"] =
        benchmark::Counter(static_cast<double>(host.Pumps), benchmark::Counter::kAvgIterations);
}

// Once, with the file prepared and loaded beforehand: the literal reduction of the loaded columns,
// checked against the engine's choice, which must be the same columns in the same order.
void TimeLiteralReduction(benchmark::State& state, const TInput& input, int guarantee,
                          const TTempDir& folder) {
    const TColumnList list = ReadColumns(PreparedFile(input, folder), TReadMessages::LineReader);
    TQuietHost host;
    TRunHostProgress hostProgress(host);
    const TNeighbourhood neighbourhood =
        AnalyseNeighbours(list.Columns, RadiusOf(guarantee), &hostProgress);
    std::vector<std::string> expected;
    for (const TKey& column : SelectGreedyCover(neighbourhood, &hostProgress)) {
        expected.push_back(ColumnText(column));
    }

    std::vector<std::string> columns;
    for (const TKey& column : list.Columns) {
        columns.push_back(ColumnText(column));
    }
    std::vector<std::string> chosen;
    for (auto _ : state) {
        chosen = LiteralReduction(columns, guarantee);
    }
    if (chosen != expected) {
        state.SkipWithError("the literal method chose other columns than the engine");
        return;
    }
    state.counters["chosen"] = static_cast<double>(chosen.size());
}

using TTimer = void (*)(benchmark::State&, const TInput&, int guarantee, const TTempDir&);

struct TPhase {
    std::string Name;
    TTimer Timer;
    // Whether the phase's work depends on the guarantee: only those are timed at each one.
    bool ByGuarantee;
};

// A failing run ends its own benchmark with the engine's message instead of the whole program,
// so that the scratch folder is still removed.
void Guarded(benchmark::State& state, TTimer timer, const TInput& input, int guarantee,
             const TTempDir& folder) {
    try {
        timer(state, input, guarantee, folder);
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
    }
}

// Registers `phase` on `input` as NAME/INPUT, with the argument G where the phase depends on the
// guarantee.
benchmark::internal::Benchmark* RegisterPhase(const std::string& prefix, const TPhase& phase,
                                              const TInput& input, const TTempDir& folder) {
    auto* registered = benchmark::RegisterBenchmark(
        (prefix + phase.Name + "/" + input.Name).c_str(),
        [timer = phase.Timer, byGuarantee = phase.ByGuarantee, &input,
         &folder](benchmark::State& state) {
            const int guarantee =
                byGuarantee ? static_cast<int>(state.range(0)) : kStrongestGuarantee;
            Guarded(state, timer, input, guarantee, folder);
        });
    if (phase.ByGuarantee) {
        registered->ArgName("G");
        for (const int guarantee : kTimedGuarantees) {
            registered->Arg(guarantee);
        }
    }
    return registered->UseRealTime()->Unit(benchmark::kMillisecond);
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

    const TTempDir folder;
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

    const std::vector<TPhase> phases = {
        {"ReduceColumns", TimeReduceColumns, true},
        {"PrepareColumnFile", TimePrepareColumnFile, false},
        {"LoadColumns", TimeLoadColumns, false},
        {"AnalyseNeighbours", TimeAnalyseNeighbours, true},
        {"SelectGreedyCover", TimeSelectCover, true},
    };
    for (const TInput& input : inputs) {
        for (const TPhase& phase : phases) {
            RegisterPhase("", phase, input, folder);
        }
    }

    // One family per guarantee, so that each gets a complexity fit of its own.
    const std::vector<std::pair<std::string, TTimer>> scaled = {
        {"AnalyseNeighbours_growth", TimeAnalyseNeighbours},
        {"ReduceColumns_growth", TimeReduceColumns},
    };
    for (const int guarantee : kTimedGuarantees) {
        for (const auto& [phase, timer] : scaled) {
            auto* family = benchmark::RegisterBenchmark(
                (phase + "/G:" + std::to_string(guarantee)).c_str(),
                [timer = timer, guarantee, &developments, &folder](benchmark::State& state) {
                    Guarded(state, timer, developments.at(state.range(0)), guarantee, folder);
                });
            for (const auto& [columns, input] : developments) {
                family->Arg(columns);
            }
            family->UseRealTime()->Unit(benchmark::kMillisecond)->Complexity();
        }
    }

    std::vector<TInput> largeInputs;
    if (large) {
        for (const int triples : kLargeTriples) {
            largeInputs.push_back(MakeInput("triples" + std::to_string(triples),
                                            Shuffled(Development(triples), kColumnSeed)));
        }
    }
    for (const TInput& input : largeInputs) {
        for (const TPhase& phase : phases) {
            RegisterPhase("Large/", phase, input, folder)->Iterations(1);
        }
    }

    if (literal) {
        const auto input = std::find_if(inputs.begin(), inputs.end(), [](const TInput& candidate) {
            return candidate.Name == kLiteralInput;
        });
        benchmark::RegisterBenchmark(("LiteralReduction/" + input->Name).c_str(),
                                     [&input = *input, &folder](benchmark::State& state) {
                                         Guarded(state, TimeLiteralReduction, input,
                                                 kStrongestGuarantee, folder);
                                     })
            ->Iterations(1)
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond);
    }

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
