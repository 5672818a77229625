#include "modes/score.h"

#include <algorithm>

#include "core/engine_error.h"
#include "files/column_file.h"

namespace kelvo {

namespace {

// The score lists one by one the columns of the two categories that pay most: 14 and 13 right.
constexpr int kFewestListed = 13;

}  // namespace

bool IsResult(std::string_view result) {
    return result.size() == kColumnLength &&
           std::all_of(result.begin(), result.end(), [](char place) {
               return IsNotPlayed(place) ||
                      SignDigit(static_cast<unsigned char>(place)) != kOtherSign;
           });
}

bool IsFinal(std::string_view result) {
    return std::none_of(result.begin(), result.end(), IsNotPlayed);
}

TStanding StandingOf(const TKey& column, const TKey& result) {
    TStanding standing;
    for (int p = 0; p < kColumnLength; ++p) {
        const unsigned sign = ByteAt(column, p);
        const char wanted = static_cast<char>(ByteAt(result, p));
        // A column's place that holds no sign (a short or damaged line) can never come right.
        if (IsNotPlayed(wanted)) {
            standing.Most += SignDigit(sign) != kOtherSign ? 1 : 0;
        } else {
            standing.Right += FoldSign(static_cast<char>(sign)) == FoldSign(wanted) ? 1 : 0;
        }
    }
    standing.Most += standing.Right;
    return standing;
}

TScore ScoreColumns(std::string_view result, std::span<const TKey> columns) {
    const TKey wanted = MakeKey(result);
    TScore score;
    for (std::size_t k = 0; k < columns.size(); ++k) {
        const TStanding standing = StandingOf(columns[k], wanted);
        if (const int category = PrizeCategoryOf(standing.Right); category < kPrizeCategories) {
            ++score.Right[static_cast<std::size_t>(category)];
        }
        for (std::size_t c = 0; c < score.CanReach.size(); ++c) {
            const int right = kColumnLength - static_cast<int>(c);
            score.CanReach[c] += standing.Most >= right ? 1 : 0;
            score.Have[c] += standing.Right >= right ? 1 : 0;
        }
        if (standing.Right >= kFewestListed) {
            score.Prized.emplace_back(k + 1, ColumnText(columns[k]));
        }
    }
    return score;
}

TScore ScoreColumns(std::string_view result, const std::string& path) {
    return ReportingOutOfMemory([&] {
        return ScoreColumns(result, ReadColumns(path, TReadMessages::CannotOpenFile).Columns);
    });
}

}  // namespace kelvo
