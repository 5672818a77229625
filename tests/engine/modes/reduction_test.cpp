#include "modes/reduction.h"

#include <semaphore>
#include <thread>

#include "core/engine_error.h"
#include "files/collation.h"
#include "files/column_file.h"
#include "test_support.h"

namespace kelvo {

namespace {

// Keeps every report, and lets another thread know once the search has begun.
class TRecordingSink : public TProgressSink {
public:
    void BeginPhase(std::string_view phase) override { Phases.emplace_back(phase); }
    void Report(const TProgress& progress) override {
        if (progress.Phase == kOptimisingPhase) {
            Best.push_back(progress.Best);
            if (!searching_) {
                searching_ = true;
                Searching.release();
            }
        }
    }

    std::vector<std::string> Phases;
    std::vector<std::size_t> Best;
    std::binary_semaphore Searching{0};

private:
    bool searching_ = false;
};

// The columns of a file as a run loads them once it has sorted the file: a copy of `path`,
// prepared and loaded.
std::vector<TKey> PreparedColumns(const std::string& path) {
    TTempDir dir;
    WriteBytes(dir / "in.txt", ReadBytes(path));
    PrepareColumnFile(dir / "in.txt");
    return ReadColumns(dir / "in.txt", TReadMessages::LineReader).Columns;
}

std::vector<std::string> Texts(const std::vector<TKey>& keys) {
    std::vector<std::string> texts;
    for (const TKey& key : keys) {
        texts.push_back(ColumnText(key));
    }
    return texts;
}

// Two thirds of every column over three signs at the first eight positions: not a full
// development, so the search starts from the greedy's set and has a long way to go.
std::vector<std::string> TwoThirdsOfEightTriples() {
    std::vector<std::string> kept;
    std::size_t k = 0;
    for (const std::string& column : Development(8)) {
        if (++k % 3 != 0) {
            kept.push_back(column);
        }
    }
    return kept;
}

}  // namespace

TEST(reduction, without_a_budget_the_greedys_set_is_returned_in_the_order_it_was_chosen) {
    const std::vector<std::string> columns = Development(3);
    const std::vector<TKey> keys = KeysOf(columns);
    TReductionRequest request;
    request.Columns = keys;
    TRecordingSink sink;
    request.Progress = &sink;
    const TReduction reduction = Reduce(request);
    EXPECT_EQ(reduction.Outcome, TReductionOutcome::Completed);
    const TCoverage coverage(keys, 1);
    EXPECT_EQ(Texts(reduction.Chosen), TextsOf(coverage, GreedyNumbers(coverage, columns, 1)));
    EXPECT_EQ(reduction.Report.Greedy, reduction.Chosen.size());
    EXPECT_EQ(reduction.Report.Final, reduction.Chosen.size());
    EXPECT_EQ(reduction.Report.LowerBound, 0u);
    EXPECT_EQ(sink.Phases, (std::vector<std::string>{"analysing", "selecting"}));
}

TEST(reduction, more_columns_than_the_limit_are_refused_unless_told_otherwise) {
    std::vector<std::string> columns;
    for (std::size_t k = 0; k <= kMaxColumns; ++k) {
        columns.push_back(std::to_string(10000000000000 + k));
    }
    const std::vector<TKey> keys = KeysOf(columns);
    TReductionRequest request;
    request.Columns = keys;
    const TReduction refused = Reduce(request);
    EXPECT_EQ(refused.Outcome, TReductionOutcome::Refused);
    EXPECT_TRUE(refused.Chosen.empty());
    request.NoLimit = true;
    const TReduction reduced = Reduce(request);
    EXPECT_EQ(reduced.Outcome, TReductionOutcome::Completed);
    EXPECT_FALSE(reduced.Chosen.empty());
}

TEST(reduction, an_unknown_guarantee_is_refused_by_its_message) {
    const std::vector<TKey> keys = KeysOf(Development(2));
    TReductionRequest request;
    request.Columns = keys;
    request.Guarantee = 10;
    EXPECT_THROW_MSG(Reduce(request), TEngineError,
                     "Unknown guarantee 10: the guarantees are 11, 12 and 13");
}

TEST(reduction, a_fixed_seed_and_steps_give_the_set_the_driver_has_always_written) {
    // Written by kelvo-reduce --guarantee 12 --optimise 60 --steps 3000 --seed 7 on the example.
    const std::vector<TKey> keys = PreparedColumns(KELVO_EXAMPLES "/columns7000.txt");
    TReductionRequest request;
    request.Columns = keys;
    request.Guarantee = 12;
    request.Optimise = TOptimiserBudget{std::chrono::seconds(60), 3000, 7};
    const TReduction reduction = Reduce(request);
    EXPECT_EQ(CrLfLines(Texts(reduction.Chosen)),
              ReadBytes(KELVO_TEST_DATA "/columns7000_al12_seed7_steps3000.txt"));
    EXPECT_EQ(reduction.Report.Greedy, 250u);
    EXPECT_EQ(reduction.Report.Final, 249u);
    EXPECT_EQ(reduction.Report.LowerBound, 123u);
    EXPECT_FALSE(reduction.Report.BoundPublished);
    EXPECT_FALSE(reduction.Report.SmallestPossible);
    EXPECT_FALSE(reduction.Report.Stopped);
}

TEST(reduction, the_report_says_when_the_bound_is_published_and_the_set_smallest_possible) {
    TReductionRequest request;
    request.NoLimit = true;
    request.Optimise = TOptimiserBudget{std::chrono::seconds(60), 1, 1};
    // 6 triples at 13: the code of 73 against the published bound of 71.
    const std::vector<TKey> six = KeysOf(Development(6));
    request.Columns = six;
    const TReduction published = Reduce(request);
    EXPECT_EQ(published.Report.Final, 73u);
    EXPECT_EQ(published.Report.LowerBound, 71u);
    EXPECT_TRUE(published.Report.BoundPublished);
    EXPECT_FALSE(published.Report.SmallestPossible);
    // 4 triples at 12: the repetition code of 3 columns is the smallest.
    const std::vector<TKey> four = KeysOf(Development(4));
    request.Columns = four;
    request.Guarantee = 12;
    const TReduction smallest = Reduce(request);
    EXPECT_EQ(smallest.Report.Final, 3u);
    EXPECT_TRUE(smallest.Report.SmallestPossible);
    // 1 triple and 3 doubles at 13: no code of 5 columns exists, which the exhaustive search
    // proves and no table publishes; the computed bound is 4.
    const std::vector<TKey> mixed = KeysOf(Development({"1X2", "1X", "1X", "1X"}));
    request.Columns = mixed;
    request.Guarantee = 13;
    const TReduction proven = Reduce(request);
    EXPECT_EQ(proven.Report.Final, 6u);
    EXPECT_EQ(proven.Report.LowerBound, 6u);
    EXPECT_FALSE(proven.Report.BoundPublished);
    EXPECT_TRUE(proven.Report.SmallestPossible);
}

TEST(reduction, a_stop_from_another_thread_ends_the_search_with_a_checked_cover) {
    const std::vector<std::string> columns = TwoThirdsOfEightTriples();
    const std::vector<TKey> keys = KeysOf(columns);
    TReductionRequest request;
    request.Columns = keys;
    request.Optimise = TOptimiserBudget{std::chrono::hours(1), 0, 1};
    TRecordingSink sink;
    request.Progress = &sink;
    std::stop_source stop;
    request.Stop = stop.get_token();
    // The reduction runs on a worker, as a window runs it; this thread stops it once it searches.
    TReduction reduction;
    std::jthread worker([&] { reduction = Reduce(request); });
    sink.Searching.acquire();
    stop.request_stop();
    worker.join();
    EXPECT_TRUE(reduction.Report.Stopped);
    EXPECT_LE(reduction.Chosen.size(), reduction.Report.Greedy);
    EXPECT_EQ(reduction.Report.Final, reduction.Chosen.size());
    EXPECT_TRUE(LiterallyCovers(columns, Texts(reduction.Chosen), 1));
    EXPECT_LT(reduction.Report.Spent, std::chrono::hours(1));
}

TEST(reduction, the_best_size_reported_never_grows) {
    const std::vector<std::string> columns = TwoThirdsOfEightTriples();
    const std::vector<TKey> keys = KeysOf(columns);
    TReductionRequest request;
    request.Columns = keys;
    request.Optimise = TOptimiserBudget{std::chrono::seconds(60), 20000, 3};
    TRecordingSink sink;
    request.Progress = &sink;
    const TReduction reduction = Reduce(request);
    ASSERT_FALSE(sink.Best.empty());
    EXPECT_TRUE(std::is_sorted(sink.Best.rbegin(), sink.Best.rend()));
    EXPECT_LE(reduction.Chosen.size(), sink.Best.back());
    EXPECT_LT(reduction.Chosen.size(), reduction.Report.Greedy);
    EXPECT_EQ(sink.Phases, (std::vector<std::string>{"analysing", "selecting", "optimising"}));
}

TEST(reduction, anywhere_returns_a_true_cover_outside_the_input_in_collation_order) {
    // Two sets of neighbours of a centre each, and a column alone.
    std::vector<std::string> columns = CentreNeighbours(4);
    for (const std::string& column : CentreNeighbours(4)) {
        std::string flipped = column;
        std::replace(flipped.begin(), flipped.end(), '1', 'Y');
        std::replace(flipped.begin(), flipped.end(), '2', '1');
        std::replace(flipped.begin(), flipped.end(), 'Y', '2');
        columns.push_back(flipped);
    }
    columns.emplace_back("XXXXXXXXXXXXXX");
    std::sort(columns.begin(), columns.end(),
              [](const std::string& a, const std::string& b) { return CompareLines(a, b) < 0; });
    const std::vector<TKey> keys = KeysOf(columns);
    TReductionRequest request;
    request.Columns = keys;
    request.Optimise = TOptimiserBudget{std::chrono::seconds(60), 2000, 1};
    request.Anywhere = true;
    const TReduction reduction = Reduce(request);
    const std::vector<std::string> chosen = Texts(reduction.Chosen);
    // The column alone may give way to any column one sign from it: it covers no other.
    EXPECT_EQ(chosen,
              (std::vector<std::string>{"11111111111111", "22222222222222", "XXXXXXXXXXX1XX"}));
    EXPECT_TRUE(LiterallyCovers(columns, chosen, 1));
    EXPECT_EQ(reduction.Report.Greedy, 9u);
    EXPECT_EQ(reduction.Report.Final, 3u);
    EXPECT_EQ(reduction.Report.LowerBound, 3u);
    EXPECT_TRUE(reduction.Report.SmallestPossible);
}

TEST(reduction, anywhere_refuses_a_set_that_breaks_its_promises_by_the_exact_message) {
    const std::vector<std::string> columns = CentreNeighbours(3);
    const std::vector<TKey> keys = KeysOf(columns);
    const std::vector<std::pair<std::vector<std::string>, std::string>> broken = {
        {{"1111111111111x"},
         "The optimised reduction holds column 1111111111111x, which is not 14 signs 1, X and 2"},
        {{"1111111111111"},
         "The optimised reduction holds column 1111111111111, which is not 14 signs 1, X and 2"},
        {{"X1111111111111", "2111111111111X"},
         "The optimised reduction leaves column 1X111111111111 uncovered"},
        {{"11111111111112", "11111111111121", "11111111111211", "11111111112111"},
         "The optimised reduction holds more columns than the greedy one"},
    };
    for (const auto& entry : broken) {
        const std::vector<std::string>& added = entry.first;
        TReductionRequest request;
        request.Columns = keys;
        request.Optimise = TOptimiserBudget{};
        request.Anywhere = true;
        request.Optimiser = [&added](const TCoverage&, std::span<const std::size_t>, int,
                                     const TOptimiseSettings& settings) {
            EXPECT_TRUE(settings.Anywhere);
            TOptimisation optimisation;
            for (const std::string& column : added) {
                optimisation.Added.push_back(MakeKey(column));
            }
            return optimisation;
        };
        EXPECT_THROW_MSG(Reduce(request), TEngineError, entry.second);
    }
}

}  // namespace kelvo
