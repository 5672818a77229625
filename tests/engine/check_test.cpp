#include "check.h"

#include <random>

#include "column_file.h"
#include "neighbours.h"
#include "test_support.h"

namespace {

// Checks random reductions of random columns, which take `signs` at the first `varying`
// positions and are sometimes cut short, against a comparison of every pair.
void ExpectCheckMatchesPairs(const std::string& signs, int varying, bool cutShort,
                             std::uint32_t seed) {
    std::mt19937 random(seed);
    TTempDir dir;
    for (int round = 0; round < 20; ++round) {
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
        WriteBytes(dir / "in.txt", CrLfLines(input));
        WriteBytes(dir / "reduced.txt", CrLfLines(reduced));
        const TCheckResult result = CheckReduction(dir / "in.txt", dir / "reduced.txt");

        std::size_t uncovered = 0;
        for (const auto& column : input) {
            bool covered = false;
            for (const auto& chosen : reduced) {
                covered = covered || ColumnDistance(column, chosen) < 2;
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
}

TEST(check, counts_what_every_pair_compared_counts_for_any_bytes) {
    std::string everyByte;
    for (int b = 1; b < 256; ++b) {
        everyByte += b == '\r' || b == '\n' ? 'a' : static_cast<char>(b);
    }
    ExpectCheckMatchesPairs(everyByte, 14, true, 4);
}

TEST(check, reads_files_as_they_are_and_refuses_zero_bytes) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", "");
    WriteBytes(dir / "reduced.txt", std::string("1\0", 2));
    EXPECT_THROW_MSG(CheckReduction(dir / "in.txt", dir / "reduced.txt"), TEngineError,
                     "File " + dir / "reduced.txt" + " holds zero bytes and is not a column file");
    WriteBytes(dir / "reduced.txt", "");
    const TCheckResult result = CheckReduction(dir / "in.txt", dir / "reduced.txt");
    EXPECT_EQ(result.InputColumns, 0u);
    EXPECT_EQ(result.Uncovered, 0u);
}
