#include "optimise/local_search.h"

#include <algorithm>

#include "test_support.h"

namespace kelvo {

namespace {

TSearchLimits Fixed(std::uint64_t seed, std::uint64_t steps) {
    TSearchLimits limits;
    limits.Searches = 2;
    limits.Seed = seed;
    limits.Steps = steps;
    return limits;
}

}  // namespace

TEST(local_search, full_developments_reach_the_smallest_known_reductions) {
    // The smallest ternary covering codes of radius 1 for 3, 4 and 5 positions.
    const std::vector<std::pair<int, std::size_t>> known = {{3, 5}, {4, 9}, {5, 27}};
    for (const auto& [varying, smallest] : known) {
        const std::vector<std::string> columns = Development(varying);
        const TCoverage coverage(KeysOf(columns), 1);
        const std::vector<std::size_t> start = GreedyNumbers(coverage, columns, 1);
        const TSearchResult result = ShrinkCover(coverage, start, Fixed(1, 20000));
        EXPECT_EQ(result.Chosen.size(), smallest) << varying;
        EXPECT_TRUE(LiterallyCovers(columns, TextsOf(coverage, result.Chosen), 1)) << varying;
        EXPECT_TRUE(std::is_sorted(result.Chosen.begin(), result.Chosen.end()));
    }
}

TEST(local_search, results_cover_every_column_at_every_radius_and_never_grow) {
    std::mt19937 random(11);
    for (int radius = 1; radius <= 3; ++radius) {
        for (int round = 0; round < 4; ++round) {
            const std::vector<std::string> columns = RandomColumns(random, 300, "1X2", 8);
            const TCoverage coverage(KeysOf(columns), radius);
            const std::vector<std::size_t> start = GreedyNumbers(coverage, columns, radius);
            const TSearchResult result =
                ShrinkCover(coverage, start, Fixed(static_cast<std::uint64_t>(round), 3000));
            EXPECT_LE(result.Chosen.size(), start.size());
            EXPECT_TRUE(LiterallyCovers(columns, TextsOf(coverage, result.Chosen), radius))
                << radius << " " << round;
            EXPECT_TRUE(std::all_of(result.Chosen.begin(), result.Chosen.end(),
                                    [&](std::size_t k) { return k < coverage.Count(); }));
            EXPECT_EQ(std::adjacent_find(result.Chosen.begin(), result.Chosen.end()),
                      result.Chosen.end());
        }
    }
}

TEST(local_search, the_same_seed_and_steps_give_the_same_set_and_another_seed_searches_elsewhere) {
    std::mt19937 random(5);
    const std::vector<std::string> columns = RandomColumns(random, 2000, "1X2", 9);
    const TCoverage coverage(KeysOf(columns), 1);
    const std::vector<std::size_t> start = GreedyNumbers(coverage, columns, 1);
    const TSearchResult first = ShrinkCover(coverage, start, Fixed(3, 5000));
    EXPECT_EQ(ShrinkCover(coverage, start, Fixed(3, 5000)).Chosen, first.Chosen);
    EXPECT_NE(ShrinkCover(coverage, start, Fixed(4, 5000)).Chosen, first.Chosen);
    EXPECT_LT(first.Chosen.size(), start.size());
}

TEST(local_search, searches_stop_at_the_floor_at_an_interruption_and_at_the_deadline) {
    const std::vector<std::string> columns = Development(5);
    const TCoverage coverage(KeysOf(columns), 1);
    const std::vector<std::size_t> start = GreedyNumbers(coverage, columns, 1);
    std::vector<std::size_t> sorted = start;
    std::sort(sorted.begin(), sorted.end());

    TSearchLimits limits = Fixed(1, 0);
    limits.Floor = 29;
    EXPECT_EQ(ShrinkCover(coverage, start, limits).Chosen.size(), 29u);

    std::stop_source stopped;
    stopped.request_stop();
    limits = Fixed(1, 0);
    limits.Stop = stopped.get_token();
    EXPECT_EQ(ShrinkCover(coverage, start, limits).Chosen, sorted);

    limits = Fixed(1, 0);
    limits.Deadline = std::chrono::steady_clock::now();
    const TSearchResult result = ShrinkCover(coverage, start, limits);
    EXPECT_EQ(result.Chosen, sorted);
    EXPECT_EQ(result.Reached, std::chrono::steady_clock::duration::zero());
}

TEST(local_search, the_second_search_starts_from_the_alternative_set) {
    const std::vector<std::string> columns = Development(5);
    const TCoverage coverage(KeysOf(columns), 1);
    const std::vector<std::size_t> greedy = GreedyNumbers(coverage, columns, 1);
    std::vector<std::size_t> everything(coverage.Count());
    for (std::size_t k = 0; k < everything.size(); ++k) {
        everything[k] = k;
    }
    std::vector<std::size_t> sorted = greedy;
    std::sort(sorted.begin(), sorted.end());
    // Stopped before a step: each search returns its start, and the smaller wins.
    std::stop_source stopped;
    stopped.request_stop();
    TSearchLimits limits = Fixed(1, 0);
    limits.Stop = stopped.get_token();
    limits.Alternative = greedy;
    EXPECT_EQ(ShrinkCover(coverage, everything, limits).Chosen, sorted);
    limits.Searches = 1;
    EXPECT_EQ(ShrinkCover(coverage, everything, limits).Chosen, everything);
}

TEST(local_search, a_column_only_it_covers_stays_chosen) {
    // The last column is far from every other: no other column can stand in for it.
    std::vector<std::string> columns = Development(4);
    columns.push_back("22222222222222");
    const TCoverage coverage(KeysOf(columns), 1);
    const std::vector<std::size_t> start = GreedyNumbers(coverage, columns, 1);
    const TSearchResult result = ShrinkCover(coverage, start, Fixed(2, 4000));
    EXPECT_EQ(result.Chosen.size(), 10u);
    EXPECT_EQ(result.Chosen.back(), columns.size() - 1);
}

TEST(local_search, progress_reports_the_smallest_size_so_far_on_the_calling_thread) {
    const std::vector<std::string> columns = Development(5);
    const TCoverage coverage(KeysOf(columns), 1);
    TSearchLimits limits = Fixed(1, 20000);
    // One search, so that no other has found a smaller set before the first report.
    limits.Searches = 1;
    std::vector<std::size_t> reported;
    const std::thread::id caller = std::this_thread::get_id();
    bool elsewhere = false;
    limits.Progress = [&](std::size_t best) {
        reported.push_back(best);
        elsewhere = elsewhere || std::this_thread::get_id() != caller;
    };
    const TSearchResult result = ShrinkCover(coverage, GreedyNumbers(coverage, columns, 1), limits);
    ASSERT_FALSE(reported.empty());
    EXPECT_FALSE(elsewhere);
    EXPECT_TRUE(std::is_sorted(reported.rbegin(), reported.rend()));
    EXPECT_GE(reported.back(), result.Chosen.size());
    EXPECT_EQ(reported.front(), 31u);
}

TEST(local_search, walking_lists_searches_exactly_as_walking_the_coverage) {
    std::mt19937 random(8);
    const std::vector<std::string> columns = RandomColumns(random, 1200, "1X2", 8);
    for (int radius = 1; radius <= 2; ++radius) {
        const TCoverage coverage(KeysOf(columns), radius);
        const std::vector<std::size_t> start = GreedyNumbers(coverage, columns, radius);
        std::size_t entries = 0;
        for (std::size_t k = 0; k < coverage.Count(); ++k) {
            entries += coverage.CoveredCount(k);
        }
        const TCoveredLists lists(coverage, entries);
        EXPECT_EQ(ShrinkCover(lists, start, Fixed(6, 4000)).Chosen,
                  ShrinkCover(coverage, start, Fixed(6, 4000)).Chosen)
            << radius;
    }
}

TEST(local_search, over_candidates_a_column_outside_the_input_replaces_a_reduction_of_five) {
    const std::vector<std::string> columns = CentreNeighbours(5);
    const TCoverage coverage(KeysOf(columns), 1);
    const std::optional<TCandidateCover> candidates =
        TCandidateCover::Beyond(coverage, 1, kMostListed);
    ASSERT_TRUE(candidates);
    const std::vector<std::size_t> start = GreedyNumbers(coverage, columns, 1);
    EXPECT_EQ(start.size(), 5u);
    EXPECT_EQ(ShrinkCover(coverage, start, Fixed(1, 2000)).Chosen.size(), 5u);
    const TSearchResult result = ShrinkCover(*candidates, start, Fixed(1, 2000));
    EXPECT_EQ(CandidateTexts(*candidates, result.Chosen),
              std::vector<std::string>{"11111111111111"});
}

TEST(local_search, over_candidates_results_cover_every_input_column_and_never_grow) {
    std::mt19937 random(17);
    for (int radius = 1; radius <= 2; ++radius) {
        for (int round = 0; round < 3; ++round) {
            // A third of the columns over 1, X and 2 at eight positions, and none with 2 first.
            std::vector<std::string> columns = RandomColumns(random, 2187, "1X2", 8);
            std::erase_if(columns, [](const std::string& column) { return column[0] == '2'; });
            const TCoverage coverage(KeysOf(columns), radius);
            const std::optional<TCandidateCover> candidates =
                TCandidateCover::Beyond(coverage, radius, kMostListed);
            ASSERT_TRUE(candidates);
            const std::vector<std::size_t> start = GreedyNumbers(coverage, columns, radius);
            const TSearchResult result =
                ShrinkCover(*candidates, start, Fixed(static_cast<std::uint64_t>(round), 3000));
            EXPECT_LE(result.Chosen.size(), start.size());
            EXPECT_TRUE(
                LiterallyCovers(columns, CandidateTexts(*candidates, result.Chosen), radius))
                << radius << " " << round;
            EXPECT_TRUE(std::is_sorted(result.Chosen.begin(), result.Chosen.end()));
            EXPECT_EQ(std::adjacent_find(result.Chosen.begin(), result.Chosen.end()),
                      result.Chosen.end());
        }
    }
}

}  // namespace kelvo
