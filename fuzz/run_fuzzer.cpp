// Fuzzes a whole run on a temporary file: line cutting, the sort, loading, the neighbour
// analysis and the cover selection, checking what must hold whatever the bytes. The first byte
// picks the guarantee.
#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "file_bytes.h"
#include "files/column_file.h"
#include "fuzz_invariant.h"
#include "hosts.h"
#include "modes/run.h"
#include "reduce/check.h"
#include "temp_dir.h"

using namespace kelvo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    TRunOptions options;
    options.Guarantee = kWeakestGuarantee + data[0] % 3;
    const std::string original(reinterpret_cast<const char*>(data) + 1, size - 1);
    const TTempDir folder;
    const std::string input = folder / "in.txt";
    WriteBytes(input, original);

    TQuietHost host;
    TRunOutcome outcome{};
    try {
        outcome = ReduceColumns(input, folder / "out", host, options).Outcome;
    } catch (const TEngineError&) {
        RequireInvariant(original.find('\0') != std::string::npos,
                         "only a file with zero bytes fails");
        RequireInvariant(ReadBytes(input) == original, "a refused file is untouched");
        return 0;
    }

    const std::string rewritten = ReadBytes(input);
    const auto before = CutLines(original);
    const auto after = CutLines(rewritten);
    std::string expectedBytes;
    for (const auto line : after) {
        expectedBytes.append(line).append("\r\n");
    }
    RequireInvariant(rewritten == expectedBytes, "every rewritten line ends in CR LF");
    RequireInvariant(std::is_sorted(after.begin(), after.end(),
                                    [](std::string_view a, std::string_view b) {
                                        return CompareLines(a, b) < 0;
                                    }),
                     "the rewritten lines are in order");
    std::multiset<std::string_view> beforeSet(before.begin(), before.end());
    std::multiset<std::string_view> afterSet(after.begin(), after.end());
    RequireInvariant(beforeSet == afterSet, "the rewrite keeps the same lines");
    if (outcome == TRunOutcome::Refused) {
        RequireInvariant(after.size() > kMaxColumns, "only a long file is refused");
        return 0;
    }

    const TColumnList list = ReadColumns(input, TReadMessages::LineReader);
    const std::string output = ReadBytes(folder / "out.txt");
    const std::set<TKey> columns(list.Columns.begin(), list.Columns.end());
    std::vector<TKey> chosen;
    bool reloadsAsWritten = true;
    for (const std::string_view line : CutLines(output)) {
        chosen.push_back(MakeKey(line));
        RequireInvariant(line.size() <= kColumnLength && columns.count(chosen.back()) == 1,
                         "the output holds only input columns");
        // A column cut after a control byte loses it when read back, as every line is trimmed.
        reloadsAsWritten = reloadsAsWritten && TrimColumn(line) == line;
    }
    for (const TKey& column : list.Columns) {
        RequireInvariant(std::any_of(chosen.begin(), chosen.end(),
                                     [&](const TKey& reduced) {
                                         return ColumnDistance(column, reduced) <=
                                                RadiusOf(options.Guarantee);
                                     }),
                         "every record is covered");
    }
    if (reloadsAsWritten) {
        const TCheckResult check = CheckReduction(input, folder / "out.txt", options.Guarantee);
        RequireInvariant(check.Uncovered == 0, "the check agrees with the run");
    }
    return 0;
}
