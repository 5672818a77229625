#include "modes/score.h"

#include <algorithm>

#include "core/engine_error.h"
#include "files/column_file.h"

namespace kelvo {

namespace {

constexpr int kFewestCounted = 10;
constexpr int kFewestPrized = 13;

}  // namespace

bool IsResult(std::string_view result) {
    return result.size() == kColumnLength &&
           std::all_of(result.begin(), result.end(), [](char sign) {
               return sign == '1' || sign == '2' || FoldSign(sign) == 'X';
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
        if (right >= kFewestCounted) {
            ++score.Right[static_cast<std::size_t>(kColumnLength - right)];
        }
        if (right >= kFewestPrized) {
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
