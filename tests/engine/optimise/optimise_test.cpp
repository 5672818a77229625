#include "optimise/optimise.h"

#include "test_support.h"

namespace kelvo {

namespace {

struct TCase {
    std::vector<std::string> Columns;
    TCoverage Coverage;
    std::vector<std::size_t> Greedy;
};

TCase CaseOf(std::vector<std::string> columns, int radius) {
    TCoverage coverage(KeysOf(columns), radius);
    std::vector<std::size_t> greedy = GreedyNumbers(coverage, columns, radius);
    return {std::move(columns), std::move(coverage), std::move(greedy)};
}

TOptimiseSettings Steps(std::uint64_t steps, std::uint64_t seed = 1) {
    TOptimiseSettings settings;
    settings.Steps = steps;
    settings.Seed = seed;
    return settings;
}

}  // namespace

TEST(optimise, small_full_developments_reach_their_optimum_with_a_bound_below_it) {
    const std::vector<std::pair<int, std::size_t>> known = {{3, 5}, {4, 9}, {5, 27}};
    for (const auto& [varying, smallest] : known) {
        const TCase c = CaseOf(Development(varying), 1);
        const TOptimisation result = Optimise(c.Coverage, c.Greedy, 1, Steps(20000));
        EXPECT_EQ(result.Chosen.size(), smallest) << varying;
        EXPECT_LE(result.LowerBound, smallest) << varying;
        EXPECT_GT(result.LowerBound, 0u);
        EXPECT_TRUE(LiterallyCovers(c.Columns, TextsOf(c.Coverage, result.Chosen), 1));
    }
}

TEST(optimise, the_worked_examples_reach_their_smallest_reduction_at_every_guarantee) {
    // The lines of examples/small.txt.
    const std::vector<std::string> small = {"11111111111122", "1111111111111X", "X1111111111111",
                                            "11111111111111", "2111111111111X", "11111111111112",
                                            "1X2X1211X21X11", "X2121X1X21X112", "1X2X1211X21X12",
                                            "2X2X1211X21X11", "1121X211X21X11", "1X2X1211X21X1X"};
    for (int radius = 1; radius <= 3; ++radius) {
        const TCase c = CaseOf(small, radius);
        const TOptimisation result = Optimise(c.Coverage, c.Greedy, radius, Steps(2000));
        const std::size_t smallest = ExhaustiveSmallestCover(c.Coverage, radius);
        EXPECT_EQ(result.Chosen.size(), smallest) << radius;
        EXPECT_LE(result.LowerBound, smallest) << radius;
        EXPECT_TRUE(LiterallyCovers(small, TextsOf(c.Coverage, result.Chosen), radius));
    }
    EXPECT_EQ(CaseOf(small, 1).Greedy.size(), 6u);
}

TEST(optimise, a_full_development_starts_from_the_constructed_cover) {
    // The greedy gives 655 for 8 triples, where the code of 8 has 486 columns.
    const TCase c = CaseOf(Development(8), 1);
    ASSERT_EQ(c.Greedy.size(), 655u);
    const TOptimisation result = Optimise(c.Coverage, c.Greedy, 1, Steps(1));
    EXPECT_EQ(result.Chosen.size(), 486u);
    EXPECT_EQ(FirstUncovered(c.Coverage, result.Chosen), TCoverage::kNone);
    // The published bound, above the sphere-covering one (6561 columns, each covering 17: 386).
    EXPECT_EQ(result.LowerBound, 403u);
    EXPECT_TRUE(result.BoundPublished);
}

TEST(optimise, full_developments_report_the_published_bound_and_the_smallest_possible_size) {
    // 4 triples: the Hamming code is perfect, so the computed bound already meets it.
    const TCase four = CaseOf(Development(4), 1);
    const TOptimisation perfect = Optimise(four.Coverage, four.Greedy, 1, Steps(20000));
    EXPECT_EQ(perfect.Chosen.size(), 9u);
    EXPECT_EQ(perfect.LowerBound, 9u);
    EXPECT_FALSE(perfect.BoundPublished);
    EXPECT_TRUE(perfect.SmallestPossible);
    // 5 triples: the computed bound is 243 / 11, 23; 27 is published as the smallest, and the
    // search ends as soon as it starts from the code of 27.
    const TCase five = CaseOf(Development(5), 1);
    const TOptimisation smallest = Optimise(five.Coverage, five.Greedy, 1, Steps(20000));
    EXPECT_EQ(smallest.Chosen.size(), 27u);
    EXPECT_EQ(smallest.LowerBound, 27u);
    EXPECT_TRUE(smallest.BoundPublished);
    EXPECT_TRUE(smallest.SmallestPossible);
    // 9 triples: the computed bound is the sphere-covering one, 19683 / 19 = 1036; the published
    // one is 1064, and 1377 is not known to be the smallest.
    const TCase nine = CaseOf(Development(9), 1);
    const TOptimisation published = Optimise(nine.Coverage, nine.Greedy, 1, Steps(1));
    EXPECT_EQ(published.Chosen.size(), 1377u);
    EXPECT_EQ(published.LowerBound, 1064u);
    EXPECT_TRUE(published.BoundPublished);
    EXPECT_FALSE(published.SmallestPossible);
    // 9 doubles: the constructed code of 62 columns is published as the smallest; the computed
    // bound is 512 / 10, 52.
    const TCase doubles = CaseOf(Development(std::vector<std::string>(9, "1X")), 1);
    const TOptimisation binary = Optimise(doubles.Coverage, doubles.Greedy, 1, Steps(1));
    EXPECT_EQ(binary.Chosen.size(), 62u);
    EXPECT_EQ(binary.LowerBound, 62u);
    EXPECT_TRUE(binary.BoundPublished);
    EXPECT_TRUE(binary.SmallestPossible);
    EXPECT_TRUE(LiterallyCovers(doubles.Columns, TextsOf(doubles.Coverage, binary.Chosen), 1));
    // Not a full development: no published bound applies.
    std::mt19937 random(5);
    const TCase mixed = CaseOf(RandomColumns(random, 300, "1X2", 6), 1);
    const TOptimisation other = Optimise(mixed.Coverage, mixed.Greedy, 1, Steps(2000));
    EXPECT_FALSE(other.BoundPublished);
    EXPECT_EQ(other.SmallestPossible, other.Chosen.size() == other.LowerBound);
}

TEST(optimise, weaker_guarantees_give_true_covers_no_larger_than_the_greedy) {
    std::mt19937 random(23);
    for (int radius = 2; radius <= 3; ++radius) {
        const TCase c = CaseOf(RandomColumns(random, 1500, "1X2", 9), radius);
        const TOptimisation result = Optimise(c.Coverage, c.Greedy, radius, Steps(2000, 9));
        EXPECT_LE(result.Chosen.size(), c.Greedy.size());
        EXPECT_LE(result.LowerBound, result.Chosen.size());
        EXPECT_TRUE(LiterallyCovers(c.Columns, TextsOf(c.Coverage, result.Chosen), radius));
        EXPECT_EQ(Optimise(c.Coverage, c.Greedy, radius, Steps(2000, 9)).Chosen, result.Chosen);
    }
}

TEST(optimise, a_stop_before_the_search_keeps_the_greedy_set) {
    const TCase c = CaseOf(Development(6), 1);
    std::stop_source stopped;
    stopped.request_stop();
    TOptimiseSettings settings;
    settings.Budget = std::chrono::hours(1);
    settings.Stop = stopped.get_token();
    std::vector<std::size_t> greedy = c.Greedy;
    std::sort(greedy.begin(), greedy.end());
    // 6 triples: the constructed cover is the code of 6 itself, smaller than the greedy's.
    const TOptimisation result = Optimise(c.Coverage, c.Greedy, 1, settings);
    EXPECT_EQ(result.Chosen.size(), 73u);
    EXPECT_NE(result.Chosen, greedy);

    std::mt19937 seeded(3);
    const TCase random = CaseOf(RandomColumns(seeded, 500, "1X2", 7), 1);
    std::vector<std::size_t> sorted = random.Greedy;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(Optimise(random.Coverage, random.Greedy, 1, settings).Chosen, sorted);
}

TEST(optimise, anywhere_chooses_a_column_outside_the_input_and_bounds_the_wider_choice) {
    const TCase c = CaseOf(CentreNeighbours(5), 1);
    TOptimiseSettings settings = Steps(2000);
    settings.Anywhere = true;
    const TOptimisation result = Optimise(c.Coverage, c.Greedy, 1, settings);
    EXPECT_TRUE(result.Chosen.empty());
    EXPECT_EQ(result.Added, std::vector<TKey>{MakeKey("11111111111111")});
    EXPECT_EQ(result.LowerBound, 1u);
    EXPECT_TRUE(result.SmallestPossible);
    // Among the input columns alone, five are needed and the bound says so.
    const TOptimisation inside = Optimise(c.Coverage, c.Greedy, 1, Steps(2000));
    EXPECT_EQ(inside.Chosen.size(), 5u);
    EXPECT_EQ(inside.LowerBound, 5u);
    EXPECT_TRUE(inside.Added.empty());
}

TEST(optimise, anywhere_changes_nothing_on_a_full_development) {
    const TCase c = CaseOf(Development(5), 1);
    TOptimiseSettings settings = Steps(3000, 2);
    settings.Anywhere = true;
    const TOptimisation anywhere = Optimise(c.Coverage, c.Greedy, 1, settings);
    const TOptimisation inside = Optimise(c.Coverage, c.Greedy, 1, Steps(3000, 2));
    EXPECT_EQ(anywhere.Chosen, inside.Chosen);
    EXPECT_TRUE(anywhere.Added.empty());
    EXPECT_EQ(anywhere.LowerBound, inside.LowerBound);
    EXPECT_EQ(anywhere.BoundPublished, inside.BoundPublished);
}

}  // namespace kelvo
