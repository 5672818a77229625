#include "reduce/greedy.h"

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "files/column_file.h"
#include "literal_reduction.h"
#include "modes/run.h"
#include "reduce/neighbours.h"
#include "test_support.h"

namespace kelvo {

namespace {

using Columns = std::vector<std::string>;

// The reduction of a file holding `bytes` (rewritten sorted as in.txt), with its log.
std::string Reduce(const TTempDir& dir, const std::string& bytes, TRecordingHost& host,
                   int guarantee = kStrongestGuarantee) {
    WriteBytes(dir / "in.txt", bytes);
    TRunOptions options;
    options.Guarantee = guarantee;
    EXPECT_EQ(ReduceColumns(dir / "in.txt", dir / "out", host, options).Outcome,
              TRunOutcome::Completed);
    return ReadBytes(dir / "out.txt");
}

// A forecast: at each of the 14 positions one, two or three signs; its development is every
// column that takes one of them at each position.
Columns Development(std::mt19937& random) {
    Columns columns{""};
    const std::string signs = "1X2";
    for (int position = 0; position < kColumnLength; ++position) {
        const unsigned roll = random() % 10;
        const std::size_t width = columns.size() > 300 ? 1 : (roll < 6 ? 1 : (roll < 9 ? 2 : 3));
        const std::size_t first = random() % 3;
        Columns next;
        for (const auto& column : columns) {
            for (std::size_t k = 0; k < width; ++k) {
                next.push_back(column + signs[(first + k) % 3]);
            }
        }
        columns = std::move(next);
    }
    return columns;
}

// A development, thinned out at random, with duplicates, lower-case x, short and blank lines.
Columns Mangled(std::mt19937& random) {
    Columns columns;
    for (auto& column : Development(random)) {
        if (random() % 4 == 0) {
            continue;
        }
        if (random() % 15 == 0) {
            std::replace(column.begin(), column.end(), 'X', 'x');
        }
        if (random() % 30 == 0) {
            column.resize(random() % 15);
        }
        if (random() % 20 == 0) {
            columns.push_back(column);
        }
        columns.push_back(" " + column + "\t");
    }
    if (columns.empty() || random() % 5 == 0) {
        columns.push_back("   ");
    }
    std::shuffle(columns.begin(), columns.end(), random);
    return columns;
}

Columns LoadedColumns(const std::string& path) {
    Columns columns;
    for (const TKey& column : ReadColumns(path, TReadMessages::LineReader).Columns) {
        columns.push_back(ColumnText(column));
    }
    return columns;
}

// The full development of `signs` (one string of signs per match) in the order a run sorts it,
// with the columns at every `repeatEvery`-th place held by a second record.
std::vector<TKey> SortedDevelopment(const std::vector<std::string>& signs,
                                    std::size_t repeatEvery) {
    const Columns columns = SortedForecastProduct(ForecastOf(signs));
    std::vector<TKey> keys;
    for (std::size_t k = 0; k < columns.size(); ++k) {
        keys.push_back(MakeKey(columns[k]));
        if (repeatEvery > 0 && k % repeatEvery == 0) {
            keys.push_back(keys.back());
        }
    }
    return keys;
}

// The greedy rule stated plainly: while a record is uncovered, choose the distinct column, first
// in file order, whose radius holds the most uncovered records, counted pair by pair.
std::vector<TKey> PlainGreedy(const std::vector<TKey>& records, int radius) {
    std::vector<TKey> columns;
    std::vector<std::int64_t> weight;
    std::map<std::string, std::size_t> numbers;
    for (const TKey& record : records) {
        const auto [at, added] = numbers.emplace(ColumnText(record), columns.size());
        if (added) {
            columns.push_back(record);
            weight.push_back(0);
        }
        ++weight[at->second];
    }
    const std::size_t n = columns.size();
    std::vector<std::vector<std::size_t>> within(n);
    for (std::size_t a = 0; a < n; ++a) {
        for (std::size_t b = 0; b < n; ++b) {
            if (ColumnDistance(columns[a], columns[b]) <= radius) {
                within[a].push_back(b);
            }
        }
    }
    std::vector<std::int64_t> uncovered(n, 0);
    for (std::size_t a = 0; a < n; ++a) {
        for (const std::size_t b : within[a]) {
            uncovered[a] += weight[b];
        }
    }
    std::vector<bool> covered(n, false);
    std::vector<TKey> chosen;
    for (;;) {
        const std::size_t best = static_cast<std::size_t>(
            std::max_element(uncovered.begin(), uncovered.end()) - uncovered.begin());
        if (uncovered[best] == 0) {
            return chosen;
        }
        chosen.push_back(columns[best]);
        for (const std::size_t b : within[best]) {
            if (!covered[b]) {
                covered[b] = true;
                for (const std::size_t a : within[b]) {
                    uncovered[a] -= weight[b];
                }
            }
        }
    }
}

Columns Strings(const std::vector<std::string_view>& views) {
    return Columns(views.begin(), views.end());
}

}  // namespace

TEST(cover, first_worked_example) {
    TTempDir dir;
    TRecordingHost host;
    EXPECT_EQ(Reduce(dir, "11111111111122\n1111111111111X\n11111111111111\n", host),
              CrLfLines({"11111111111111", "11111111111122"}));
    EXPECT_EQ(host.Log, CompletedLog(3, 2));
}

TEST(cover, ties_go_to_file_order) {
    TTempDir dir;
    TRecordingHost host;
    EXPECT_EQ(Reduce(dir,
                     "1111111111111X\n11111111111111\n11111111111112\n2111111111111X\n"
                     "X1111111111111\n",
                     host),
              CrLfLines({"11111111111111", "1111111111111X"}));
    EXPECT_EQ(host.Log, CompletedLog(5, 2));
}

TEST(cover, one_record_is_chosen) {
    TTempDir dir;
    TRecordingHost host;
    EXPECT_EQ(Reduce(dir, "1X21X21X21X21X", host), CrLfLines({"1X21X21X21X21X"}));
}

TEST(cover, identical_columns_are_chosen_once) {
    TTempDir dir;
    TRecordingHost host;
    EXPECT_EQ(Reduce(dir, "1X21X21X21X21X\n1X21X21X21X21X\n", host), CrLfLines({"1X21X21X21X21X"}));
    EXPECT_EQ(host.Log, CompletedLog(2, 1));
}

TEST(cover, far_columns_give_the_prepared_input_trimmed_and_cut) {
    TTempDir dir;
    TRecordingHost host;
    EXPECT_EQ(Reduce(dir, "XX111111111111\n  11111111111111222\n22111111111111 \n", host),
              CrLfLines({"11111111111111", "22111111111111", "XX111111111111"}));
}

TEST(cover, case_only_difference_is_covered_by_one_column) {
    TTempDir dir;
    TRecordingHost host;
    // The sort exchanges the two equal lines, so the upper-case one comes first and is chosen.
    EXPECT_EQ(Reduce(dir, "1111111111111x\n1111111111111X\n", host), CrLfLines({"1111111111111X"}));
    EXPECT_EQ(host.Log, CompletedLog(2, 1));
}

TEST(cover, empty_and_short_columns_are_columns_of_missing_signs) {
    TTempDir dir;
    TRecordingHost host;
    // "" and "11" differ in two positions, "1" in one from each.
    EXPECT_EQ(Reduce(dir, "\n1\n\n11\n", host), CrLfLines({"1"}));
    EXPECT_EQ(host.Log, CompletedLog(4, 1));
    EXPECT_EQ(Reduce(dir, "", host), CrLfLines({""}));
}

TEST(cover, existing_output_is_replaced) {
    TTempDir dir;
    WriteBytes(dir / "out.txt", "old content that is longer than the new one\r\n");
    TRecordingHost host;
    EXPECT_EQ(Reduce(dir, "1\n", host), CrLfLines({"1"}));
}

TEST(cover, both_phases_pump_events) {
    // A host that counts the pumps made while each phase's log line is the last one.
    class TPhaseHost : public TRecordingHost {
    public:
        void PumpEvents() override { ++PumpsAfter[Log.empty() ? std::string() : Log.back()]; }
        std::map<std::string, long long> PumpsAfter;
    } host;
    std::mt19937 random(5);
    Columns columns;
    for (int k = 0; k < 7000; ++k) {
        std::string column(kColumnLength, '1');
        for (auto& sign : column) {
            sign = "1X2"[random() % 3];
        }
        columns.push_back(column);
    }
    TTempDir dir;
    Reduce(dir, CrLfLines(columns), host);
    EXPECT_GE(host.PumpsAfter["Analizando columnas..."], 1);
    EXPECT_GE(host.PumpsAfter["Buscando las reductoras..."], 2);
    EXPECT_EQ(host.PumpsAfter.count(""), 0u);
    EXPECT_LT(
        host.PumpsAfter["Analizando columnas..."] + host.PumpsAfter["Buscando las reductoras..."],
        7000);
}

TEST(cover, generated_inputs_are_reduced_exactly_as_the_literal_reduction_at_every_guarantee) {
    std::mt19937 random(2026);
    for (int round = 0; round < 60; ++round) {
        const int guarantee = kStrongestGuarantee - round % 3;
        SCOPED_TRACE("round " + std::to_string(round) + ", guarantee " + std::to_string(guarantee));
        const Columns lines = Mangled(random);
        TTempDir dir;
        TRecordingHost host;
        const std::string output = Reduce(dir, CrLfLines(lines), host, guarantee);
        const Columns records = LoadedColumns(dir / "in.txt");
        const Columns chosen = Strings(CutLines(output));
        EXPECT_EQ(host.Log.back(), "*****----HECHO--------*****");
        ASSERT_EQ(host.Log[8], "Columnas en la reducida: " + std::to_string(chosen.size()));

        if (records.size() <= 600) {
            ASSERT_EQ(chosen, LiteralReduction(records, guarantee));
            continue;
        }
        // Larger inputs: at least a true reduction of input columns.
        const std::set<std::string> inputColumns(records.begin(), records.end());
        for (const auto& column : chosen) {
            ASSERT_TRUE(inputColumns.count(column)) << column;
        }
        for (const auto& record : records) {
            ASSERT_TRUE(std::any_of(chosen.begin(), chosen.end(), [&](const std::string& column) {
                return ColumnDistance(MakeKey(record), MakeKey(column)) <= RadiusOf(guarantee);
            })) << record;
        }
    }
}

TEST(cover, full_developments_are_reduced_as_the_plain_greedy_rule_at_every_guarantee) {
    // Shapes larger than the blocks the selection works in (up to 2187 columns), so that they
    // leave high positions of three signs and of two, and one that fits in a block; the records
    // of some columns repeated.
    const std::vector<std::vector<std::string>> shapes = {
        {"1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X"},
        {"1", "1X2", "1X", "12", "1X2", "2", "1", "X2", "1X2", "1", "1X", "X", "1X2", "1"},
        {"1X", "1X", "1X", "1X", "1X", "1X", "1X", "1X", "1X", "1X", "1X", "1X"},
        {"1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2"},
    };
    for (std::size_t shape = 0; shape < shapes.size(); ++shape) {
        for (const std::size_t repeatEvery : {0, 7}) {
            const std::vector<TKey> records = SortedDevelopment(shapes[shape], repeatEvery);
            for (int radius = 1; radius <= 3; ++radius) {
                SCOPED_TRACE("shape " + std::to_string(shape) + ", repeated every " +
                             std::to_string(repeatEvery) + ", radius " + std::to_string(radius));
                const TNeighbourhood neighbourhood = AnalyseNeighbours(records, radius, nullptr);
                ASSERT_TRUE(neighbourhood.Coverage.EveryVariantIsAColumn());
                EXPECT_EQ(SelectGreedyCover(neighbourhood, nullptr), PlainGreedy(records, radius));
            }
        }
    }
}

}  // namespace kelvo
