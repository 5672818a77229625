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
           std::all_of(result.begin(), result.end(), [](char sign) {
               return SignDigit(static_cast<unsigned char>(sign)) != kOtherSign;
           });
}

int SignsRight(const TKey& column, const TKey& result) {
    int right = 0;
    for (int p = 0; p < kColumnLength; ++p) {
        right += FoldSign(static_cast<char>(ByteAt(column, p))) ==
                         FoldSign(static_cast<char>(ByteAt(result, p)))
                     ? 1
                     : 0;
    }
    return right;
}

TScore ScoreColumns(std::string_view result, std::span<const TKey> columns) {
    const TKey wanted = MakeKey(result);
    TScore score;
    for (std::size_t k = 0; k < columns.size(); ++k) {
        const int right = SignsRight(columns[k], wanted);
        if (const int category = PrizeCategoryOf(right); category < kPrizeCategories) {
            ++score.Right[static_cast<std::size_t>(category)];
        }
        if (right >= kFewestListed) {
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
