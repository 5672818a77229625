// Writes one of the benchmark's column files, so that the whole program can be timed on exactly
// the columns the benchmark reduces: kelvo_columns NAME FILE. Besides the benchmark's own files,
// NAME may be "triplesN" (N from 1 to 14): the shuffled development of N triples, as the
// benchmark's growth and large inputs make it, up to all 3^14 columns.
#include <charconv>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "column_sets.h"

using namespace kelvo;

namespace {

constexpr std::string_view kDevelopmentPrefix = "triples";

// The columns called `name`, if it names any.
std::optional<std::vector<std::string>> NamedColumns(std::string_view name) {
    for (auto sets : {BenchmarkColumnSets(), OptimiserColumnSets()}) {
        for (TColumnSet& set : sets) {
            if (set.Name == name) {
                return std::move(set.Columns);
            }
        }
    }
    if (name.substr(0, kDevelopmentPrefix.size()) != kDevelopmentPrefix) {
        return std::nullopt;
    }
    const std::string_view digits = name.substr(kDevelopmentPrefix.size());
    int triples = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), triples);
    if (error != std::errc() || end != digits.data() + digits.size() || triples < 1 ||
        triples > kColumnLength) {
        return std::nullopt;
    }
    return Shuffled(Development(triples), kColumnSeed);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3) {
        if (const auto columns = NamedColumns(argv[1])) {
            const std::string bytes = ColumnFileBytes(*columns);
            std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
            file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            if (!file.flush()) {
                std::cerr << "kelvo_columns: cannot write " << argv[2] << '\n';
                return 1;
            }
            return 0;
        }
    }
    std::cerr << "usage: kelvo_columns NAME FILE, NAME one of:";
    for (const auto& sets : {BenchmarkColumnSets(), OptimiserColumnSets()}) {
        for (const TColumnSet& set : sets) {
            std::cerr << ' ' << set.Name;
        }
    }
    std::cerr << " triples1 ... triples" << kColumnLength << '\n';
    return 2;
}
