#include "modes/prizes.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace kelvo {

namespace {

// Every column of 14 signs has a number from 0 to kResults - 1: its signs (1, X, 2 as 0, 1, 2)
// read as a number in base 3, match 1 the most significant digit.
constexpr std::uint32_t kResults = 4782969;
// The fewest differences of a result no reduced column reaches: above every real distance,
// with room to add the 14 differences of a spread without overflowing a byte.
constexpr std::uint8_t kFar = 64;
// The last kBlockMatches matches vary within kBlock consecutive numbers: a block's spread over
// them is done while the block sits in the cache.
constexpr int kBlockMatches = 9;
constexpr std::uint32_t kBlock = 19683;

constexpr std::uint32_t Stride(int position) {
    std::uint32_t stride = 1;
    for (int p = position + 1; p < kColumnLength; ++p) {
        stride *= 3;
    }
    return stride;
}

using TSigns = std::array<int, kColumnLength>;

TSigns SignsOf(const TKey& key) {
    TSigns signs{};
    for (int p = 0; p < kColumnLength; ++p) {
        signs[static_cast<std::size_t>(p)] = SignDigit(ByteAt(key, p));
    }
    return signs;
}

// The number of a column of 14 signs, or nothing.
std::optional<std::uint32_t> ResultNumber(const TKey& key) {
    std::uint32_t number = 0;
    for (int p = 0; p < kColumnLength; ++p) {
        const int sign = SignDigit(ByteAt(key, p));
        if (sign == kOtherSign) {
            return std::nullopt;
        }
        number = number * 3 + static_cast<std::uint32_t>(sign);
    }
    return number;
}

// Reports the share of the work done and tells whether to go on.
class TWorkPace {
public:
    TWorkPace(TProgressSink* progress, std::stop_token stop, double total)
        : paced_(progress, kPrizesPhase), stop_(std::move(stop)), total_(total) {
        if (progress != nullptr) {
            progress->BeginPhase(kPrizesPhase);
        }
    }
    bool Done(std::uint64_t units) {
        done_ += static_cast<double>(units);
        paced_.SetProgress(std::min(1.0, done_ / total_));
        paced_.Work(units);
        return !stop_.stop_requested();
    }
    void Finish() {
        paced_.SetProgress(1);
        paced_.Now();
    }

private:
    TPacedProgress paced_;
    std::stop_token stop_;
    double total_;
    double done_ = 0;
};

// For every result, the fewest differences from a reduced column and, when asked, how many
// reduced columns differ from it in exactly 0 to 4 matches. Both are spread out from the reduced
// columns one match at a time: a result's fewest differences is the least of its own and one more
// than those of the two results that differ from it only at that match, and the counts at d
// differences gain the counts at d - 1 of those two. After every match a result's figures cover
// the reduced columns that differ from it only at the matches spread so far.
struct TSpread {
    std::vector<std::uint8_t> Fewest;
    std::array<std::vector<std::uint32_t>, kPrizeCategories> Counts;
};

void SpreadFewest(std::uint8_t* fewest, std::uint32_t stride, std::uint32_t begin,
                  std::uint32_t end) {
    for (std::uint32_t block = begin; block < end; block += 3 * stride) {
        std::uint8_t* a = fewest + block;
        std::uint8_t* b = a + stride;
        std::uint8_t* c = b + stride;
        for (std::uint32_t k = 0; k < stride; ++k) {
            const std::uint8_t x = a[k];
            const std::uint8_t y = b[k];
            const std::uint8_t z = c[k];
            a[k] = std::min<std::uint8_t>(x, std::min(y, z) + 1);
            b[k] = std::min<std::uint8_t>(y, std::min(x, z) + 1);
            c[k] = std::min<std::uint8_t>(z, std::min(x, y) + 1);
        }
    }
}

void SpreadCounts(TSpread& spread, std::uint32_t stride, std::uint32_t begin, std::uint32_t end) {
    // From the most differences down, so that the counts at d - 1 are still those before this
    // match when the counts at d take them.
    for (int d = kPrizeCategories - 1; d > 0; --d) {
        std::uint32_t* to = spread.Counts[static_cast<std::size_t>(d)].data();
        const std::uint32_t* from = spread.Counts[static_cast<std::size_t>(d - 1)].data();
        for (std::uint32_t block = begin; block < end; block += 3 * stride) {
            for (std::uint32_t k = block; k < block + stride; ++k) {
                const std::uint32_t x = from[k];
                const std::uint32_t y = from[k + stride];
                const std::uint32_t z = from[k + 2 * stride];
                to[k] += y + z;
                to[k + stride] += x + z;
                to[k + 2 * stride] += x + y;
            }
        }
    }
}

void SpreadMatch(TSpread& spread, bool counts, int position, std::uint32_t begin,
                 std::uint32_t end) {
    SpreadFewest(spread.Fewest.data(), Stride(position), begin, end);
    if (counts) {
        SpreadCounts(spread, Stride(position), begin, end);
    }
}

// Calls `visit(number)` for every result that has the signs of `signs` where they are signs and
// any sign elsewhere, and at most `changes` other signs among the first.
template <class Visit>
void VisitAround(const TSigns& signs, int changes, int position, std::uint32_t number, int changed,
                 Visit& visit) {
    if (position == kColumnLength) {
        visit(number, changed);
        return;
    }
    const int own = signs[static_cast<std::size_t>(position)];
    for (int s = 0; s < 3; ++s) {
        const bool change = own != kOtherSign && s != own;
        if (change && changed == changes) {
            continue;
        }
        VisitAround(signs, changes, position + 1, number * 3 + static_cast<std::uint32_t>(s),
                    changed + (change ? 1 : 0), visit);
    }
}

// The spread of `reduced`, or nothing once a stop is requested. A reduced column with positions
// that hold no sign differs there from every result: it seeds every result that has its signs
// elsewhere with that many differences, and its counts are added result by result.
std::optional<TSpread> Spread(std::span<const TKey> reduced, bool counts, TWorkPace& pace) {
    TSpread spread;
    spread.Fewest.assign(kResults, kFar);
    if (counts) {
        for (auto& at : spread.Counts) {
            at.assign(kResults, 0);
        }
    }
    std::vector<TSigns> partial;
    for (const TKey& key : reduced) {
        if (const auto number = ResultNumber(key)) {
            spread.Fewest[*number] = 0;
            if (counts) {
                ++spread.Counts[0][*number];
            }
            continue;
        }
        const TSigns signs = SignsOf(key);
        const int missing = static_cast<int>(std::count(signs.begin(), signs.end(), kOtherSign));
        auto seed = [&](std::uint32_t number, int) {
            std::uint8_t& fewest = spread.Fewest[number];
            fewest = std::min<std::uint8_t>(fewest, static_cast<std::uint8_t>(missing));
        };
        VisitAround(signs, 0, 0, 0, 0, seed);
        if (counts && missing < kPrizeCategories) {
            partial.push_back(signs);
        }
    }
    for (std::uint32_t block = 0; block < kResults; block += kBlock) {
        for (int p = kColumnLength - 1; p >= kColumnLength - kBlockMatches; --p) {
            SpreadMatch(spread, counts, p, block, block + kBlock);
        }
        if (!pace.Done(kBlock)) {
            return std::nullopt;
        }
    }
    for (int p = kColumnLength - kBlockMatches - 1; p >= 0; --p) {
        SpreadMatch(spread, counts, p, 0, kResults);
        if (!pace.Done(kResults)) {
            return std::nullopt;
        }
    }
    for (const TSigns& signs : partial) {
        const int missing = static_cast<int>(std::count(signs.begin(), signs.end(), kOtherSign));
        auto count = [&](std::uint32_t number, int changed) {
            ++spread.Counts[static_cast<std::size_t>(missing + changed)][number];
        };
        VisitAround(signs, kPrizeCategories - 1 - missing, 0, 0, 0, count);
    }
    return spread;
}

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

// Each match's chances as shares of their sum.
std::array<std::array<double, 3>, kColumnLength> Shares(const TChances& chances) {
    std::array<std::array<double, 3>, kColumnLength> shares{};
    for (std::size_t p = 0; p < kColumnLength; ++p) {
        const double sum = chances[p][0] + chances[p][1] + chances[p][2];
        for (std::size_t s = 0; s < 3; ++s) {
            shares[p][s] = sum > 0 ? chances[p][s] / sum : 0;
        }
    }
    return shares;
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
    TWorkPace pace(progress, std::move(stop),
                   static_cast<double>(kResults) * (kColumnLength - kBlockMatches + 1) +
                       static_cast<double>(development.size()));
    TPrizeTable table;
    const std::optional<TSpread> spread = Spread(reduced, true, pace);
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
    const auto shares = Shares(chances);
    TWorkPace pace(progress, std::move(stop),
                   static_cast<double>(kResults) * (kColumnLength - kBlockMatches + 2) +
                       static_cast<double>(development.size() + reduced.size()));
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
        // The chances of 0, 1, ... differences from this column, match by match.
        std::array<double, kPrizeCategories> differences{1};
        for (int p = 0; p < kColumnLength; ++p) {
            const int sign = SignDigit(ByteAt(column, p));
            const double right = sign == kOtherSign ? 0 : shares[static_cast<std::size_t>(p)][sign];
            for (std::size_t d = kPrizeCategories; d-- > 0;) {
                differences[d] =
                    differences[d] * right + (d > 0 ? differences[d - 1] : 0) * (1 - right);
            }
        }
        for (std::size_t c = 0; c < kPrizeCategories; ++c) {
            prizes.Expected[c] += differences[c];
        }
        if (!pace.Done(1)) {
            return prizes;
        }
    }
    const std::optional<TSpread> spread = Spread(reduced, false, pace);
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
