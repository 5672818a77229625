#include "check.h"

#include <algorithm>
#include <array>
#include <new>

#include "column_file.h"
#include "column_key.h"

namespace {

std::vector<TKey> KeysOf(const std::vector<std::string>& lines) {
    std::vector<TKey> keys;
    keys.reserve(lines.size());
    for (const auto& line : lines) {
        keys.push_back(MakeKey(TrimColumn(line)));
    }
    return keys;
}

// Marks every column within one position of a reduced column in a table over the numbering of
// both files' signs; each input column is then one lookup.
std::vector<bool> CoveredByTable(const std::vector<TKey>& input, const std::vector<TKey>& reduced,
                                 const TDenseIndex& index) {
    std::vector<std::uint8_t> covered(index.Size(), 0);
    for (const TKey& key : reduced) {
        covered[index.IndexOf(key)] = 1;
        index.ForEachNeighbour(key, [&covered](std::uint64_t number) { covered[number] = 1; });
    }
    std::vector<bool> result(input.size());
    for (std::size_t k = 0; k < input.size(); ++k) {
        result[k] = covered[index.IndexOf(input[k])] != 0;
    }
    return result;
}

// For signs too varied for a table: a column is covered when, with some one position masked, it
// equals a reduced column masked the same way.
std::vector<bool> CoveredBySearch(const std::vector<TKey>& input,
                                  const std::vector<TKey>& reduced) {
    std::array<std::vector<TKey>, kColumnLength> masked;
    for (int p = 0; p < kColumnLength; ++p) {
        for (const TKey& key : reduced) {
            masked[p].push_back(MaskKey(key, p));
        }
        std::sort(masked[p].begin(), masked[p].end());
    }
    std::vector<bool> result(input.size());
    for (std::size_t k = 0; k < input.size(); ++k) {
        for (int p = 0; p < kColumnLength && !result[k]; ++p) {
            result[k] =
                std::binary_search(masked[p].begin(), masked[p].end(), MaskKey(input[k], p));
        }
    }
    return result;
}

TCheckResult Check(const std::string& inputPath, const std::string& reducedPath) {
    const std::vector<std::string> inputLines = ReadLines(inputPath);
    const std::vector<TKey> input = KeysOf(inputLines);
    const std::vector<TKey> reduced = KeysOf(ReadLines(reducedPath));

    TAlphabet alphabet;
    for (const auto* keys : {&input, &reduced}) {
        for (const TKey& key : *keys) {
            alphabet.Add(key);
        }
    }
    constexpr std::uint64_t kSlotsPerColumn = 16;
    constexpr std::uint64_t kMinimumSlots = 1 << 20;
    const auto index = TDenseIndex::Make(
        alphabet,
        std::max<std::uint64_t>(kSlotsPerColumn * (input.size() + reduced.size()), kMinimumSlots));
    const std::vector<bool> covered =
        index ? CoveredByTable(input, reduced, *index) : CoveredBySearch(input, reduced);

    TCheckResult result;
    result.InputColumns = input.size();
    result.ReducedColumns = reduced.size();
    for (std::size_t k = 0; k < input.size(); ++k) {
        if (covered[k]) {
            continue;
        }
        ++result.Uncovered;
        if (result.FirstUncovered.size() < kListedUncovered) {
            result.FirstUncovered.emplace_back(k + 1, TrimColumn(inputLines[k]));
        }
    }
    return result;
}

}  // namespace

TCheckResult CheckReduction(const std::string& inputPath, const std::string& reducedPath) {
    try {
        return Check(inputPath, reducedPath);
    } catch (const std::bad_alloc&) {
        throw TEngineError("Out of memory");
    }
}
