#include "modes/prizes.h"

#include <algorithm>
#include <cmath>

#include "modes/reduction.h"
#include "test_support.h"

namespace kelvo {

namespace {

// A match is right where both columns hold the same sign of 1, X and 2 (x read as X).
int LiteralRight(const std::string& result, const std::string& column) {
    const auto sign = [](const std::string& text, std::size_t p) -> char {
        const char byte = p < text.size() ? text[p] : '\0';
        return byte == 'x' ? 'X' : byte;
    };
    int right = 0;
    for (std::size_t p = 0; p < kColumnLength; ++p) {
        const char a = sign(result, p);
        right += (a == '1' || a == 'X' || a == '2') && a == sign(column, p) ? 1 : 0;
    }
    return right;
}

// The table counted over every pair of a result and a reduced column.
TPrizeTable LiteralTable(const std::vector<std::string>& development,
                         const std::vector<std::string>& reduced) {
    TPrizeTable table;
    table.Guaranteed = development.empty() ? 0 : kColumnLength;
    std::array<double, kPrizeCategories> sums{};
    for (const std::string& result : development) {
        int best = 0;
        std::array<std::size_t, kPrizeCategories> counts{};
        for (const std::string& column : reduced) {
            const int right = LiteralRight(result, column);
            best = std::max(best, right);
            if (right > kColumnLength - kPrizeCategories) {
                ++counts[static_cast<std::size_t>(kColumnLength - right)];
            }
        }
        ++table.Results;
        ++table.Best[static_cast<std::size_t>(std::min(kColumnLength - best, kPrizeCategories))];
        table.Guaranteed = std::min(table.Guaranteed, best);
        for (std::size_t c = 0; c < kPrizeCategories; ++c) {
            sums[c] += static_cast<double>(counts[c]);
            table.MostColumns[c] = std::max(table.MostColumns[c], counts[c]);
        }
    }
    for (std::size_t c = 0; c < kPrizeCategories; ++c) {
        table.MeanColumns[c] = table.Results == 0 ? 0 : sums[c] / table.Results;
    }
    return table;
}

void ExpectTable(const TPrizeTable& table, const TPrizeTable& expected) {
    EXPECT_EQ(table.Results, expected.Results);
    EXPECT_EQ(table.Best, expected.Best);
    EXPECT_EQ(table.Guaranteed, expected.Guaranteed);
    EXPECT_EQ(table.MostColumns, expected.MostColumns);
    for (std::size_t c = 0; c < kPrizeCategories; ++c) {
        EXPECT_DOUBLE_EQ(table.MeanColumns[c], expected.MeanColumns[c]) << c;
    }
}

// Every column with one of `signsAt[p]` at each match p.
std::vector<std::string> Product(const std::vector<std::string>& signsAt) {
    std::vector<std::string> columns{""};
    for (const std::string& signs : signsAt) {
        std::vector<std::string> next;
        for (const std::string& column : columns) {
            for (const char sign : signs) {
                next.push_back(column + sign);
            }
        }
        columns = std::move(next);
    }
    return columns;
}

// Chances of 100 % on the sign of `certain` at each match, but at the matches of `open`.
TChances MostlyCertain(const std::string& certain,
                       const std::vector<std::pair<int, std::array<double, 3>>>& open) {
    TChances chances{};
    for (std::size_t p = 0; p < kColumnLength; ++p) {
        chances[p][std::string("1X2").find(certain[p])] = 100;
    }
    for (const auto& [match, shares] : open) {
        chances[static_cast<std::size_t>(match)] = shares;
    }
    return chances;
}

}  // namespace

TEST(prizes, a_small_table_counts_what_every_pair_counts) {
    std::mt19937 random(7);
    const std::vector<std::string> development = Development(7);
    std::vector<std::string> reduced = RandomColumns(random, 30, "1X2", 7);
    const std::vector<std::string> far = RandomColumns(random, 10, "1X2", 14);
    reduced.insert(reduced.end(), far.begin(), far.end());
    reduced.push_back(reduced[0]);
    ExpectTable(TablePrizes(KeysOf(development), KeysOf(reduced)),
                LiteralTable(development, reduced));
    const TPrizeTable few = TablePrizes(KeysOf(development), KeysOf({development[100]}));
    ExpectTable(few, LiteralTable(development, {development[100]}));
    EXPECT_EQ(few.Guaranteed, 7);
    EXPECT_EQ(few.Best[0], 1u);
    EXPECT_EQ(few.Best[1], 14u);
    EXPECT_EQ(few.MostColumns[0], 1u);
}

TEST(prizes, columns_that_are_not_fourteen_signs_are_wrong_where_they_hold_no_sign) {
    const std::vector<std::string> development = {
        "11X1211X21X112",
        "11x1211x21x112",
        "11X1211X21X11",
        "11X1211X21X11?",
        "1?X?211X21X112",
        "22222222222222",
        "",
    };
    const std::vector<std::vector<std::string>> reductions = {
        {"11X1211X21X11?", "11X1211X21X1", "?1X1211X21X112"},
        {"11X1211X21X112", "??????????????", "11X12"},
        {"1?X?211X21X112", "1?X?211X21X112", "22222222222222"},
        {},
    };
    for (const auto& reduced : reductions) {
        ExpectTable(TablePrizes(KeysOf(development), KeysOf(reduced)),
                    LiteralTable(development, reduced));
    }
    const TPrizeTable table =
        TablePrizes(KeysOf({"11X1211X21X112", "11X1211X21X1"}), KeysOf({"11X1211X21X11?"}));
    EXPECT_EQ(table.Best[1], 1u);
    EXPECT_EQ(table.Best[2], 1u);
    EXPECT_EQ(table.Guaranteed, 12);
}

TEST(prizes, a_true_reduction_guarantees_its_guarantee) {
    const std::vector<std::string> columns = Development(7);
    for (const int guarantee : {13, 12, 11}) {
        TReductionRequest request;
        request.Guarantee = guarantee;
        const std::vector<TKey> keys = KeysOf(columns);
        request.Columns = keys;
        const TReduction reduction = Reduce(request);
        const TPrizeTable table = TablePrizes(keys, reduction.Chosen);
        EXPECT_EQ(table.Guaranteed, guarantee);
        EXPECT_EQ(table.Results, columns.size());
        EXPECT_EQ(table.Best[0], reduction.Chosen.size());
        std::vector<std::string> chosen;
        for (const TKey& key : reduction.Chosen) {
            chosen.push_back(ColumnText(key));
        }
        ExpectTable(table, LiteralTable(columns, chosen));
    }
}

TEST(prizes, chances_sum_what_every_possible_result_sums) {
    // Four matches open, the rest certain: 81 results with a chance.
    const std::string certain = "1X21X1121X2112";
    const TChances chances = MostlyCertain(
        certain,
        {{0, {50, 30, 20}}, {4, {10, 10, 80}}, {9, {33.4, 33.3, 33.3}}, {13, {0, 60, 40}}});
    std::vector<std::string> open(kColumnLength);
    for (std::size_t p = 0; p < kColumnLength; ++p) {
        open[p] = std::string(1, certain[p]);
    }
    open[0] = open[4] = open[9] = open[13] = "1X2";
    const std::vector<std::string> results = Product(open);
    const std::vector<std::string> development = {results[0], results[7], results[7], results[40],
                                                  "1X21X1121X211?"};
    const std::vector<std::string> reduced = {certain, "2X212112XX2111", "1X21X1121X211",
                                              "XX21X1121X2112", "1X22X1122X2112"};
    TPrizeChances expected;
    const auto chanceOf = [&](const std::string& result) {
        double chance = 1;
        for (std::size_t p = 0; p < kColumnLength; ++p) {
            chance *= chances[p][std::string("1X2").find(result[p])] / 100;
        }
        return chance;
    };
    for (const std::string& result : results) {
        const double chance = chanceOf(result);
        int best = 0;
        for (const std::string& column : reduced) {
            const int right = LiteralRight(result, column);
            best = std::max(best, right);
            if (right > kColumnLength - kPrizeCategories) {
                expected.Expected[static_cast<std::size_t>(kColumnLength - right)] += chance;
            }
        }
        for (std::size_t c = 0; c < kPrizeCategories; ++c) {
            expected.AtLeast[c] += best >= kColumnLength - static_cast<int>(c) ? 100 * chance : 0;
        }
    }
    expected.InDevelopment =
        100 * (chanceOf(results[0]) + chanceOf(results[7]) + chanceOf(results[40]));
    const TPrizeChances prizes = ChancesOfPrizes(KeysOf(development), KeysOf(reduced), chances);
    EXPECT_NEAR(prizes.InDevelopment, expected.InDevelopment, 1e-9);
    for (std::size_t c = 0; c < kPrizeCategories; ++c) {
        EXPECT_NEAR(prizes.AtLeast[c], expected.AtLeast[c], 1e-9) << c;
        EXPECT_NEAR(prizes.Expected[c], expected.Expected[c], 1e-12) << c;
    }
    EXPECT_GT(expected.AtLeast[0], 0);
    EXPECT_LT(expected.AtLeast[0], expected.AtLeast[1]);
    // Chances whose lines add up to a little less than 100 are taken as shares of their sum.
    TChances low = chances;
    low[4] = {9.9, 9.9, 79.7};
    EXPECT_NEAR(
        ChancesOfPrizes(KeysOf(development), KeysOf(reduced), low).AtLeast[4],
        ChancesOfPrizes(KeysOf(development), KeysOf(reduced),
                        MostlyCertain(certain, {{0, {50, 30, 20}},
                                                {4, {9.9 / 0.995, 9.9 / 0.995, 79.7 / 0.995}},
                                                {9, {33.4, 33.3, 33.3}},
                                                {13, {0, 60, 40}}}))
            .AtLeast[4],
        1e-9);
}

TEST(prizes, chances_are_read_line_by_line) {
    std::string text;
    for (int line = 0; line < kColumnLength; ++line) {
        text += line == 2 ? " 45.5 ,\t30  24.5\r\n" : "50,30,20\n";
    }
    const TChances chances = ParseChances(text);
    EXPECT_EQ(chances[2], (std::array<double, 3>{45.5, 30, 24.5}));
    EXPECT_EQ(chances[13], (std::array<double, 3>{50, 30, 20}));
    text.pop_back();
    EXPECT_EQ(ParseChances(text)[13], (std::array<double, 3>{50, 30, 20}));
    EXPECT_EQ(ParseChances(text + "\n")[0], (std::array<double, 3>{50, 30, 20}));

    const auto with = [](int index, const std::string& line) {
        std::string lines;
        for (int i = 0; i < kColumnLength; ++i) {
            lines += (i == index ? line : "0 100 0") + "\n";
        }
        return lines;
    };
    const std::vector<std::pair<std::string, std::string>> cases = {
        {with(2, "50 30"), "line 3: it holds 2 numbers; it needs 3, the chances of 1, X and 2"},
        {with(0, "50,,30,20"), "line 1: it holds 4 numbers; it needs 3, the chances of 1, X and 2"},
        {with(13, ""), "line 14: it holds 0 numbers; it needs 3, the chances of 1, X and 2"},
        {with(4, "50 30 2O"), "line 5: '2O' is no number"},
        {with(4, "50 30 1.2.3"), "line 5: '1.2.3' is no number"},
        {with(4, "50 . 50"), "line 5: '.' is no number"},
        {with(6, "60 -10 50"), "line 7: '-10' is negative"},
        {with(3, "50 30 19.4"), "line 4: the chances add up to 99.4; they must add up to 100"},
        {with(3, "50 30 20.6"), "line 4: the chances add up to 100.6; they must add up to 100"},
        {"50 30 20\n", "the chances have 1 lines; they need 14, one per match"},
        {with(0, "50 30 20") + "50 30 20\n",
         "the chances have 15 lines; they need 14, one per match"},
    };
    for (const auto& [input, message] : cases) {
        EXPECT_THROW_MSG(ParseChances(input), TChancesError, message);
    }
    EXPECT_EQ(ParseChances(with(3, "50 30 19.5"))[3][2], 19.5);
    EXPECT_EQ(ParseChances(with(3, "50 30 20.5"))[3][2], 20.5);
}

TEST(prizes, a_stop_before_the_results_are_scored_scores_none) {
    std::stop_source source;
    source.request_stop();
    const std::vector<TKey> keys = KeysOf(Development(5));
    EXPECT_EQ(TablePrizes(keys, keys, nullptr, source.get_token()).Results, 0u);
    EXPECT_EQ(TablePrizes(keys, keys).Results, 243u);
}

}  // namespace kelvo
