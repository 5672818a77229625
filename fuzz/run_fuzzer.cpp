// Fuzzes a whole run on a temporary file: line cutting, the sort, loading, the neighbour
// analysis and the cover selection, checking what must hold whatever the bytes.
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "column_file.h"
#include "neighbours.h"
#include "run.h"

namespace {

class TQuietHost : public TRunHost {
public:
    void AddLogLine(const std::string&) override {}
    void ShowInfo(const std::string&) override {}
    void PumpEvents() override {}
};

// A folder for one input, removed afterwards.
class TScratchFolder {
public:
    TScratchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kelvo-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        path_ = pattern;
    }
    ~TScratchFolder() { std::filesystem::remove_all(path_); }
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    std::string operator/(const char* name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string original(reinterpret_cast<const char*>(data), size);
    TScratchFolder folder;
    const std::string input = folder / "in.txt";
    std::ofstream(input, std::ios::binary) << original;

    TQuietHost host;
    TRunOutcome outcome{};
    try {
        outcome = ReduceColumns(input, folder / "out", host);
    } catch (const TEngineError&) {
        Require(original.find('\0') != std::string::npos, "only a file with zero bytes fails");
        Require(ReadBytes(input) == original, "a refused file is untouched");
        return 0;
    }

    const std::string rewritten = ReadBytes(input);
    std::vector<std::string> before = CutLines(original);
    const std::vector<std::string> after = CutLines(rewritten);
    std::string expectedBytes;
    for (const auto& line : after) {
        expectedBytes += line + "\r\n";
    }
    Require(rewritten == expectedBytes, "every rewritten line ends in CR LF");
    Require(std::is_sorted(
                after.begin(), after.end(),
                [](const std::string& a, const std::string& b) { return CompareLines(a, b) < 0; }),
            "the rewritten lines are in order");
    std::vector<std::string> sortedAfter = after;
    std::sort(before.begin(), before.end());
    std::sort(sortedAfter.begin(), sortedAfter.end());
    Require(before == sortedAfter, "the rewrite keeps the same lines");
    if (outcome == TRunOutcome::Refused) {
        Require(after.size() > kMaxColumns, "only a long file is refused");
        return 0;
    }

    const TColumnList list = LoadColumns(input);
    const std::vector<std::string> chosen = CutLines(ReadBytes(folder / "out.txt"));
    std::set<std::string> columns;
    for (const auto& record : list.Records) {
        columns.insert(record.Column);
    }
    for (const auto& column : chosen) {
        Require(columns.count(column) == 1, "the output holds only input columns");
    }
    for (const auto& record : list.Records) {
        Require(std::any_of(chosen.begin(), chosen.end(),
                            [&](const std::string& column) {
                                return ColumnDistance(record.Column, column) < 2;
                            }),
                "every record is covered");
    }
    return 0;
}
