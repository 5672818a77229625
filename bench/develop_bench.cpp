// Times a development with and without conditions (written to a file, kept as keys, counted),
// over 3^10 and all 3^14 columns.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "modes/conditions.h"
#include "modes/development.h"
#include "temp_dir.h"

using namespace kelvo;

namespace {

// Triples at the first `triples` matches, then the signs of 11X1211X21X112.
TForecast Triples(int triples) {
    const std::string fixed = "11X1211X21X112";
    TForecast forecast;
    for (std::size_t p = 0; p < kColumnLength; ++p) {
        forecast[p] = static_cast<int>(p) < triples ? "12X" : std::string(1, fixed[p]);
    }
    return forecast;
}

// The condition sets timed: none; the signs alone; every kind at once, as a player narrows a
// week; conditions that keep very few columns (the pruning's best case); and conditions of every
// kind that keep every column (each one checked at every match, pruning nothing).
std::vector<TCondition> ConditionSet(int set) {
    const auto parse = [](std::vector<std::pair<TConditionKind, std::string>> written) {
        std::vector<TCondition> conditions;
        for (const auto& [kind, text] : written) {
            conditions.push_back(ParseCondition(kind, text));
        }
        return conditions;
    };
    using enum TConditionKind;
    switch (set) {
        case 1:
            return parse({{Signs, "1=4-8"}, {Signs, "X=2-5"}, {Signs, "2=2-5"}});
        case 2:
            return parse({{Signs, "1=3-9"},
                          {Variants, "5-10"},
                          {Breaks, "5-11"},
                          {Run, "2-4"},
                          {Run, "X=0-2"},
                          {Group, "1-4:X=0-2"},
                          {Group, "5-9:2=1-3"},
                          {Base, "1X21X1121X2112=2-10"}});
        case 3:
            return parse({{Breaks, "13-13"}, {Base, "1X21X1121X2112=0-6"}});
        default:
            return {};
    }
}

const char* const kSetNames[] = {"none", "signs", "every_kind", "narrow", "keep_all"};

void BM_DevelopForecast(benchmark::State& state) {
    const TForecast forecast = Triples(static_cast<int>(state.range(0)));
    const std::vector<TCondition> conditions = ConditionSet(static_cast<int>(state.range(1)));
    const TTempDir folder;
    std::size_t columns = 0;
    for (auto _ : state) {
        columns = DevelopForecast(forecast, conditions, folder / "d.txt");
    }
    state.counters["columns"] = static_cast<double>(columns);
    state.SetLabel(kSetNames[state.range(1)]);
}

void BM_DevelopColumns(benchmark::State& state) {
    const TForecast forecast = Triples(static_cast<int>(state.range(0)));
    const std::vector<TCondition> conditions = ConditionSet(static_cast<int>(state.range(1)));
    std::size_t columns = 0;
    for (auto _ : state) {
        columns = DevelopColumns(forecast, conditions).size();
    }
    state.counters["columns"] = static_cast<double>(columns);
    state.SetLabel(kSetNames[state.range(1)]);
}

void BM_CountColumns(benchmark::State& state) {
    const TForecast forecast = Triples(static_cast<int>(state.range(0)));
    const std::vector<TCondition> conditions = ConditionSet(static_cast<int>(state.range(1)));
    std::uint64_t columns = 0;
    for (auto _ : state) {
        columns = CountColumns(forecast, conditions);
        benchmark::DoNotOptimize(columns);
    }
    state.counters["columns"] = static_cast<double>(columns);
    state.SetLabel(kSetNames[state.range(1)]);
}

void DevelopmentArgs(benchmark::internal::Benchmark* bench) {
    for (const int triples : {10, 14}) {
        for (int set = 0; set < 5; ++set) {
            bench->Args({triples, set});
        }
    }
    bench->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_DevelopForecast)->Apply(DevelopmentArgs)->Iterations(3);
BENCHMARK(BM_DevelopColumns)->Apply(DevelopmentArgs)->Iterations(3);
BENCHMARK(BM_CountColumns)->Apply(DevelopmentArgs);

}  // namespace

BENCHMARK_MAIN();
