#include "reduce/check.h"

#include <random>

#include "files/column_file.h"
#include "test_support.h"

namespace kelvo {

namespace {

// Checks random reductions of random columns, which take `signs` at up to `varying` positions
// and are sometimes cut short, against a comparison of every pair, at every guarantee.
void ExpectCheckMatchesPairs(const std::string& signs, int varying, bool cutShort,
                             std::uint32_t seed) {
    std::mt19937 random(seed);
    TTempDir dir;
    for (int round = 0; round < 30; ++round) {
        const int guarantee = kStrongestGuarantee - round % 3;
        std::vector<std::string> input(1 + random() % 200, "1X21X21X21X21X");
        for (auto& column : input) {
            for (int p = 0; p < 4; ++p) {
                column[random() % varying] = signs[random() % signs.size()];
            }
            if (cutShort && random() % 10 == 0) {
                column.resize(random() % 14);
            }
        }
        std::vector<std::string> reduced;
        for (const auto& column : input) {
            if (random() % 3 == 0) {
                reduced.push_back(column);
            }
        }
        reduced.push_back("1X21X21X21X21X");
        WriteBytes(dir / "in.txt", CrLfLines(input));
        WriteBytes(dir / "reduced.txt", CrLfLines(reduced));
        const TCheckResult result = CheckReduction(dir / "in.txt", dir / "reduced.txt", guarantee);

        std::size_t uncovered = 0;
        for (const std::string_view line : input) {
            const std::string_view column = TrimColumn(line);
            bool covered = false;
            for (const std::string_view chosenLine : reduced) {
                const std::string_view chosen = TrimColumn(chosenLine);
                int distance = 0;
                for (std::size_t p = 0; p < kColumnLength; ++p) {
                    distance += (p < column.size() ? column[p] : '\0') !=
                                (p < chosen.size() ? chosen[p] : '\0');
                }
                covered = covered || distance <= RadiusOf(guarantee);
            }
            uncovered += covered ? 0 : 1;
        }
        EXPECT_EQ(result.InputColumns, input.size());
        EXPECT_EQ(result.ReducedColumns, reduced.size());
        EXPECT_EQ(result.Uncovered, uncovered) << "round " << round;
        EXPECT_EQ(result.FirstUncovered.size(), std::min(uncovered, kListedUncovered));
    }
}

}  // namespace

TEST(check, counts_what_every_pair_compared_counts_for_few_signs) {
    ExpectCheckMatchesPairs("1X2", 6, false, 3);
    ExpectCheckMatchesPairs("1X2", 14, false, 5);
}

TEST(check, counts_what_every_pair_compared_counts_for_any_bytes) {
    std::string everyByte;
    for (int b = 1; b < 256; ++b) {
        everyByte += b == '\r' || b == '\n' || b == 26 ? 'a' : static_cast<char>(b);
    }
    ExpectCheckMatchesPairs(everyByte, 14, true, 4);
}

TEST(check, columns_in_memory_list_the_first_ten_uncovered_by_their_place) {
    // Twelve input columns two positions from the one reduced column, a repeated one
    // among them, and one column a position away, which is covered at 13.
    std::vector<std::string> input;
    for (int k = 0; k < 12; ++k) {
        input.push_back("2" + std::string(1, static_cast<char>('A' + k % 11)) + "111111111111");
    }
    input.insert(input.begin() + 3, "21111111111111");
    const std::vector<TKey> reduced = KeysOf({"11111111111111"});
    const TCheckResult result = CheckCover(KeysOf(input), reduced, 13);
    EXPECT_EQ(result.InputColumns, 13u);
    EXPECT_EQ(result.ReducedColumns, 1u);
    EXPECT_EQ(result.Uncovered, 12u);
    std::vector<std::pair<std::size_t, std::string>> listed;
    for (std::size_t k = 0; k < input.size() && listed.size() < kListedUncovered; ++k) {
        if (k != 3) {
            listed.emplace_back(k + 1, input[k]);
        }
    }
    EXPECT_EQ(result.FirstUncovered, listed);
    // At 12 the columns two positions away are covered too; the repeated one is counted twice.
    EXPECT_EQ(CheckCover(KeysOf(input), reduced, 12).Uncovered, 0u);
    EXPECT_EQ(CheckCover(KeysOf(input), {}, 11).Uncovered, 13u);
}

TEST(check, reads_columns_as_a_run_loads_them) {
    TTempDir dir;
    // A line that begins with byte 26 ends the columns; after it nothing counts.
    WriteBytes(dir / "in.txt", CrLfLines({"11111111111111", "\x1a", "22222222222222"}));
    WriteBytes(dir / "reduced.txt", CrLfLines({"11111111111111",
                                               "\x1a"
                                               "22222222222222"}));
    TCheckResult result = CheckReduction(dir / "in.txt", dir / "reduced.txt");
    EXPECT_EQ(result.InputColumns, 1u);
    EXPECT_EQ(result.ReducedColumns, 1u);
    EXPECT_EQ(result.Uncovered, 0u);
    // A file with no columns, as a run loads it, holds one empty column.
    WriteBytes(dir / "in.txt", "");
    WriteBytes(dir / "reduced.txt", "\r\n");
    result = CheckReduction(dir / "in.txt", dir / "reduced.txt");
    EXPECT_EQ(result.InputColumns, 1u);
    EXPECT_EQ(result.Uncovered, 0u);
}

TEST(check, refuses_files_with_zero_bytes) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", "");
    WriteBytes(dir / "reduced.txt", std::string("1\0", 2));
    EXPECT_THROW_MSG(CheckReduction(dir / "in.txt", dir / "reduced.txt"), TEngineError,
                     "File " + dir / "reduced.txt" + " holds zero bytes and is not a column file");
}

}  // namespace kelvo
