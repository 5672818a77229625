// Writes one of the benchmark's column files, so that the whole program can be timed on exactly
// the columns the benchmark reduces: kelvo_columns NAME FILE.
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "column_sets.h"

int main(int argc, char** argv) {
    const std::vector<TColumnSet> sets = BenchmarkColumnSets();
    if (argc == 3) {
        for (const TColumnSet& set : sets) {
            if (set.Name != argv[1]) {
                continue;
            }
            const std::string bytes = ColumnFileBytes(set.Columns);
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
    for (const TColumnSet& set : sets) {
        std::cerr << ' ' << set.Name;
    }
    std::cerr << '\n';
    return 2;
}
