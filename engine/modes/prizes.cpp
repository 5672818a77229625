#include "modes/prizes.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "modes/result_spread.h"

namespace kelvo {

namespace {

// The fewest differences of a result that is not 14 signs, and how many reduced columns differ
// from it in exactly 0 to 4 matches, compared column by column: a match counts as right only
// where both hold the same sign.
struct TDirect {
    int Fewest = kFar;
    std::array<std::size_t, kPrizeCategories> Counts{};
};

TDirect CompareDirectly(const TKey& result, std::span<const TSigns> reduced) {
    const TSigns signs = SignsOf(result);
    TDirect direct;
    for (const TSigns& column : reduced) {
        int differences = 0;
        for (std::size_t p = 0; p < kColumnLength; ++p) {
            differences += signs[p] == kOtherSign || signs[p] != column[p] ? 1 : 0;
        }
        direct.Fewest = std::min(direct.Fewest, differences);
        if (differences < kPrizeCategories) {
            ++direct.Counts[static_cast<std::size_t>(differences)];
        }
    }
    return direct;
}

// ---- Reading chances.

// The fields of `line`, separated by commas or runs of blanks, blanks around a comma counting
// as part of it.
std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    std::size_t at = 0;
    while (at < line.size() && blank(line[at])) {
        ++at;
    }
    if (at == line.size()) {
        return fields;
    }
    for (;;) {
        std::size_t end = at;
        while (end < line.size() && line[end] != ',' && !blank(line[end])) {
            ++end;
        }
        fields.push_back(line.substr(at, end - at));
        at = end;
        while (at < line.size() && blank(line[at])) {
            ++at;
        }
        const bool comma = at < line.size() && line[at] == ',';
        if (comma) {
            ++at;
            while (at < line.size() && blank(line[at])) {
                ++at;
            }
        }
        if (at == line.size() && !comma) {
            return fields;
        }
    }
}

// Digits with at most one decimal point among them, or nothing.
std::optional<double> ReadNumber(std::string_view text) {
    const auto digits =
        std::count_if(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    const auto points = std::count(text.begin(), text.end(), '.');
    if (digits == 0 || points > 1 || digits + points != static_cast<std::ptrdiff_t>(text.size())) {
        return std::nullopt;
    }
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string ShortNumber(double value) {
    std::array<char, 32> text{};
    const auto written =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::general, 6);
    return std::string(text.data(), written.ptr);
}

// How many lines a percentages text of a shape holds, how many numbers each, and how the command
// line names them.
struct TPercentageShape {
    std::size_t Lines;
    std::size_t Numbers;
    std::string_view Whose;
    std::string_view LinesNeeded;
    std::string_view NumbersNeeded;
};

const TPercentageShape& ShapeOf(TChancesShape shape) {
    static constexpr TPercentageShape kMatches = {
        kColumnLength, 3, "the chances", "14, one per match", "3, the chances of 1, X and 2"};
    static constexpr TPercentageShape kPleno = {2, kPlenoGoals, "the Pleno's chances",
                                                "2, the home team's and the away team's",
                                                "4, the chances of 0, 1, 2 and M goals"};
    return shape == TChancesShape::Pleno ? kPleno : kMatches;
}

// The command line's English for `problem`.
std::string ChancesSentence(const TChancesProblem& problem) {
    const TPercentageShape& form = ShapeOf(problem.Shape);
    const std::string line = "line " + std::to_string(problem.Line) + ": ";
    switch (problem.Fault) {
        case TChancesFault::LineCount:
            return std::string(form.Whose) + " have " + std::to_string(problem.Count) +
                   " lines; they need " + std::string(form.LinesNeeded);
        case TChancesFault::NumberCount:
            return line + "it holds " + std::to_string(problem.Count) + " numbers; it needs " +
                   std::string(form.NumbersNeeded);
        case TChancesFault::NotNumber:
            return line + "'" + problem.Field + "' is no number";
        case TChancesFault::Negative:
            return line + "'" + problem.Field + "' is negative";
        case TChancesFault::WrongSum:
            return line + "the chances add up to " + ShortNumber(problem.Sum) +
                   "; they must add up to 100";
    }
    return {};
}

}  // namespace

TPrizeTable TablePrizes(std::span<const TKey> development, std::span<const TKey> reduced,
                        TProgressSink* progress, std::stop_token stop) {
    TWorkPace pace(progress, kPrizesPhase, std::move(stop),
                   kSpreadWork + static_cast<double>(development.size()));
    TPrizeTable table;
    const std::optional<TSpread> spread = SpreadColumns(reduced, true, pace);
    if (!spread) {
        return table;
    }
    std::vector<TSigns> reducedSigns;
    std::array<double, kPrizeCategories> sums{};
    int guaranteed = kColumnLength;
    for (const TKey& result : development) {
        TDirect scored;
        if (const auto number = ResultNumber(result)) {
            scored.Fewest = spread->Fewest[*number];
            for (std::size_t c = 0; c < kPrizeCategories; ++c) {
                scored.Counts[c] = spread->Counts[c][*number];
            }
        } else {
            if (reducedSigns.empty()) {
                std::transform(reduced.begin(), reduced.end(), std::back_inserter(reducedSigns),
                               SignsOf);
            }
            scored = CompareDirectly(result, reducedSigns);
        }
        const int right = std::max(0, kColumnLength - scored.Fewest);
        guaranteed = std::min(guaranteed, right);
        ++table.Best[static_cast<std::size_t>(std::min(kColumnLength - right, kPrizeCategories))];
        for (std::size_t c = 0; c < kPrizeCategories; ++c) {
            sums[c] += static_cast<double>(scored.Counts[c]);
            table.MostColumns[c] = std::max(table.MostColumns[c], scored.Counts[c]);
        }
        ++table.Results;
        if (!pace.Done(1)) {
            break;
        }
    }
    table.Guaranteed = table.Results == 0 ? 0 : guaranteed;
    for (std::size_t c = 0; c < kPrizeCategories; ++c) {
        table.MeanColumns[c] =
            table.Results == 0 ? 0 : sums[c] / static_cast<double>(table.Results);
    }
    pace.Finish();
    return table;
}

TChances SharesOf(const TChances& chances) {
    TChances shares{};
    for (std::size_t p = 0; p < kColumnLength; ++p) {
        const double sum = chances[p][0] + chances[p][1] + chances[p][2];
        for (std::size_t s = 0; s < 3; ++s) {
            shares[p][s] = sum > 0 ? chances[p][s] / sum : 0;
        }
    }
    return shares;
}

std::array<double, kPrizeCategories> ChancesOfRight(
    const std::array<double, kColumnLength>& right) {
    // wrong[w]: the chance of exactly w wrong among the matches taken so far; more than
    // kPrizeCategories - 1 wrong wins nothing and is not followed.
    std::array<double, kPrizeCategories> wrong{};
    wrong[0] = 1;
    for (const double chance : right) {
        for (std::size_t w = kPrizeCategories - 1; w > 0; --w) {
            wrong[w] = wrong[w] * chance + wrong[w - 1] * (1 - chance);
        }
        wrong[0] *= chance;
    }
    return wrong;
}

TChancesError::TChancesError(const TChancesProblem& problem)
    : std::invalid_argument(ChancesSentence(problem)), problem_(problem) {}

std::vector<std::vector<double>> ParsePercentageLines(std::string_view text, TChancesShape shape) {
    const TPercentageShape& form = ShapeOf(shape);
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    TChancesProblem problem;
    problem.Shape = shape;
    if (lines.size() != form.Lines) {
        problem.Count = lines.size();
        throw TChancesError(problem);
    }
    std::vector<std::vector<double>> percentages;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        problem.Line = i + 1;
        const std::vector<std::string_view> fields = SplitFields(lines[i]);
        if (fields.size() != form.Numbers) {
            problem.Fault = TChancesFault::NumberCount;
            problem.Count = fields.size();
            throw TChancesError(problem);
        }
        std::vector<double>& line = percentages.emplace_back();
        double sum = 0;
        for (const std::string_view field : fields) {
            const std::optional<double> value = ReadNumber(field);
            if (!value) {
                const bool negative =
                    !field.empty() && field[0] == '-' && ReadNumber(field.substr(1)).has_value();
                problem.Fault = negative ? TChancesFault::Negative : TChancesFault::NotNumber;
                problem.Field = field;
                throw TChancesError(problem);
            }
            line.push_back(*value);
            sum += *value;
        }
        if (std::abs(sum - 100) > 0.5) {
            problem.Fault = TChancesFault::WrongSum;
            problem.Sum = sum;
            throw TChancesError(problem);
        }
    }
    return percentages;
}

TChances ParseChances(std::string_view text) {
    const std::vector<std::vector<double>> lines =
        ParsePercentageLines(text, TChancesShape::Matches);
    TChances chances{};
    for (std::size_t i = 0; i < kColumnLength; ++i) {
        std::copy(lines[i].begin(), lines[i].end(), chances[i].begin());
    }
    return chances;
}

TPrizeChances ChancesOfPrizes(std::span<const TKey> development, std::span<const TKey> reduced,
                              const TChances& chances, TProgressSink* progress,
                              std::stop_token stop) {
    const TChances shares = SharesOf(chances);
    TWorkPace pace(
        progress, kPrizesPhase, std::move(stop),
        kSpreadWork + kResults + static_cast<double>(development.size() + reduced.size()));
    TPrizeChances prizes;
    // The chance of each result, the product of its signs' shares, built match by match.
    std::vector<double> chance(kResults);
    chance[0] = 1;
    std::uint32_t filled = 1;
    for (std::size_t p = 0; p < kColumnLength; ++p) {
        for (std::uint32_t k = filled; k-- > 0;) {
            const double before = chance[k];
            for (std::uint32_t s = 0; s < 3; ++s) {
                chance[k * 3 + s] = before * shares[p][s];
            }
        }
        filled *= 3;
    }
    if (!pace.Done(kResults)) {
        return prizes;
    }
    std::vector<bool> counted(kResults);
    for (const TKey& result : development) {
        const auto number = ResultNumber(result);
        if (number && !counted[*number]) {
            counted[*number] = true;
            prizes.InDevelopment += 100 * chance[*number];
        }
        if (!pace.Done(1)) {
            return prizes;
        }
    }
    for (const TKey& column : reduced) {
        std::array<double, kColumnLength> right{};
        for (int p = 0; p < kColumnLength; ++p) {
            const int sign = SignDigit(ByteAt(column, p));
            right[static_cast<std::size_t>(p)] =
                sign == kOtherSign ? 0 : shares[static_cast<std::size_t>(p)][sign];
        }
        const std::array<double, kPrizeCategories> differences = ChancesOfRight(right);
        for (std::size_t c = 0; c < kPrizeCategories; ++c) {
            prizes.Expected[c] += differences[c];
        }
        if (!pace.Done(1)) {
            return prizes;
        }
    }
    const std::optional<TSpread> spread = SpreadColumns(reduced, false, pace);
    if (!spread) {
        return prizes;
    }
    std::array<double, kPrizeCategories + 1> byFewest{};
    for (std::uint32_t k = 0; k < kResults; ++k) {
        byFewest[std::min<std::size_t>(spread->Fewest[k], kPrizeCategories)] += chance[k];
    }
    double atLeast = 0;
    for (std::size_t c = 0; c < kPrizeCategories; ++c) {
        atLeast += byFewest[c];
        prizes.AtLeast[c] = 100 * atLeast;
    }
    pace.Finish();
    return prizes;
}

}  // namespace kelvo
