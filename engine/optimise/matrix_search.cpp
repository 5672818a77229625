#include "optimise/matrix_search.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <stdexcept>
#include <vector>

#include "optimise/syndrome_cover.h"

namespace kelvo {

namespace {

// Spreads a seed and a matrix number into the seed of that matrix's syndrome cover (splitmix64),
// so that covers of neighbouring matrices share no stretch of their random streams.
std::uint64_t MatrixSeed(std::uint64_t seed, std::uint64_t matrix) {
    std::uint64_t z = seed + (matrix + 1) * 0x9e3779b97f4a7c15ULL;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

class TMatrixWalk {
public:
    TMatrixWalk(int radix, int length, int rows, std::uint64_t seed)
        : radix_(radix), rows_(rows), random_(seed) {
        syndromes_ = 1;
        for (int i = 0; i < rows; ++i) {
            syndromes_ *= radix;
        }
        for (int i = 0, place = 1; i < rows; ++i, place *= radix) {
            columns_.push_back(place);
        }
        while (static_cast<int>(columns_.size()) < length) {
            const int column = RandomColumn();
            if (!Holds(column)) {
                columns_.push_back(column);
            }
        }
    }

    const std::vector<int>& Columns() const { return columns_; }
    int Syndromes() const { return syndromes_; }

    // Replaces one column of A by a random one or changes one of its digits; the old column, to
    // undo it with Undo.
    void Change() {
        const std::size_t freeColumns = columns_.size() - static_cast<std::size_t>(rows_);
        changed_ = static_cast<std::size_t>(rows_) + Draw(freeColumns);
        old_ = columns_[changed_];
        int column = old_;
        while (column == old_ || Holds(column)) {
            column = Draw(2) == 0 ? RandomColumn() : NearColumn(old_);
        }
        columns_[changed_] = column;
    }

    void Undo() { columns_[changed_] = old_; }

    std::size_t Draw(std::size_t size) {
        return static_cast<std::size_t>(((random_() >> 32) * size) >> 32);
    }

    // A number uniform in [0, 1).
    double Uniform() { return static_cast<double>(random_() >> 11) * 0x1.0p-53; }

private:
    bool Holds(int column) const {
        return std::find(columns_.begin(), columns_.end(), column) != columns_.end();
    }

    // `column` times the scalar that makes its highest nonzero digit 1: c and -c cover alike.
    int Normalised(int column) const {
        int top = column;
        int place = 1;
        while (top >= radix_) {
            top /= radix_;
            place *= radix_;
        }
        if (top != 2 || radix_ != 3) {
            return column;
        }
        int negated = 0;
        for (int rest = column, p = 1; p <= place; rest /= 3, p *= 3) {
            negated += ((3 - rest % 3) % 3) * p;
        }
        return negated;
    }

    int RandomColumn() {
        return Normalised(1 + static_cast<int>(Draw(static_cast<std::size_t>(syndromes_ - 1))));
    }

    // `column` with one digit changed, or a random column where that makes it zero.
    int NearColumn(int column) {
        int place = 1;
        for (std::size_t i = Draw(static_cast<std::size_t>(rows_)); i > 0; --i) {
            place *= radix_;
        }
        const int digit = column / place % radix_;
        const int changed =
            column +
            (static_cast<int>(Draw(static_cast<std::size_t>(radix_ - 1))) + 1 + digit) % radix_ *
                place -
            digit * place;
        return changed == 0 ? RandomColumn() : Normalised(changed);
    }

    int radix_;
    int rows_;
    int syndromes_;
    std::vector<int> columns_;
    std::size_t changed_ = 0;
    int old_ = 0;
    std::mt19937_64 random_;
};

// The worth of a cover: its size first, counted in syndromes, then how close the next size came.
double Cost(const TSyndromeCover& cover, int syndromes) {
    return static_cast<double>(cover.Syndromes.size()) * syndromes +
           static_cast<double>(cover.ShortBy);
}

}  // namespace

TMatrixSearchResult SearchMatrixCode(int radix, int length, int rows, int radius,
                                     const TMatrixSearchLimits& limits) {
    int points = 1;
    for (int i = 0; i < rows && i < MaxSyndromeRows(radix); ++i) {
        points *= radix;
    }
    points = (radix == 2 || radix == 3) ? (points - 1) / (radix - 1) : 0;
    if ((radix != 2 && radix != 3) || rows < 1 || rows > MaxSyndromeRows(radix) || length < rows ||
        length > kMaxCodeLength || length > points || radius < 0) {
        throw std::invalid_argument(
            "matrix search needs radix 2 or 3, 1 to 8 ternary or 12 binary rows, a length from "
            "rows "
            "to 14 that "
            "distinct columns can fill and a radius of 0 or more");
    }
    TMatrixWalk walk(radix, length, rows, limits.Seed);
    const auto cover = [&](std::uint64_t matrix) {
        return CoverSyndromes(TMatrixCode{radix, rows, radius, walk.Columns(), {}},
                              {MatrixSeed(limits.Seed, matrix), limits.StepsPerMatrix});
    };
    TSyndromeCover current = cover(0);
    TMatrixSearchResult result{{radix, rows, radius, walk.Columns(), current.Syndromes}, 0, 1};
    if (limits.Progress) {
        limits.Progress(result.Code, 0);
    }
    // A matrix with every column of the space, or only the identity, has nothing to change.
    const bool changeable = length > rows && length < points;
    for (std::uint64_t matrix = 1; changeable && matrix <= limits.Matrices; ++matrix) {
        if (result.Code.Syndromes.size() <= limits.Target || TClock::now() >= limits.Deadline) {
            break;
        }
        walk.Change();
        TSyndromeCover next = cover(matrix);
        ++result.Tried;
        const double worse = Cost(next, walk.Syndromes()) - Cost(current, walk.Syndromes());
        const bool accept = worse <= 0 || (limits.Temperature > 0 &&
                                           walk.Uniform() < std::exp(-worse / limits.Temperature));
        if (next.Syndromes.size() < result.Code.Syndromes.size()) {
            result.Code.Columns = walk.Columns();
            result.Code.Syndromes = next.Syndromes;
            result.FoundAt = matrix;
            if (limits.Progress) {
                limits.Progress(result.Code, matrix);
            }
        }
        if (accept) {
            current = std::move(next);
        } else {
            walk.Undo();
        }
    }
    return result;
}

}  // namespace kelvo
