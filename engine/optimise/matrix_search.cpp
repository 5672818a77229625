#include "optimise/matrix_search.h"

#include <algorithm>
#include <array>
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

// The columns of one kind of position, ternary or binary: H = [I | A] over GF(radix).
struct TMatrixPart {
    int Radix = 3;
    int Rows = 0;
    int Length = 0;
    // radix^Rows.
    int Syndromes = 1;
    std::vector<int> Columns;

    // Distinct normalised columns of Rows digits there are.
    int Points() const { return (Syndromes - 1) / (Radix - 1); }
    // Whether a column of A can change to another one.
    bool Changeable() const { return Length > Rows && Length < Points(); }
};

// The columns of A that may change, none in a part where no column can.
std::size_t FreeColumns(const TMatrixPart& part) {
    return part.Changeable() ? static_cast<std::size_t>(part.Length - part.Rows) : 0;
}

class TMatrixWalk {
public:
    TMatrixWalk(const std::array<TMatrixPart, 2>& parts, std::uint64_t seed)
        : parts_(parts), random_(seed) {
        for (TMatrixPart& part : parts_) {
            for (int i = 0; i < part.Rows; ++i) {
                part.Columns.push_back(part.Syndromes);
                part.Syndromes *= part.Radix;
            }
            while (static_cast<int>(part.Columns.size()) < part.Length) {
                const int column = RandomColumn(part);
                if (!Holds(part, column)) {
                    part.Columns.push_back(column);
                }
            }
        }
    }

    bool Changeable() const {
        return std::any_of(parts_.begin(), parts_.end(),
                           [](const TMatrixPart& part) { return part.Changeable(); });
    }

    const TMatrixPart& Ternary() const { return parts_[0]; }
    const TMatrixPart& Binary() const { return parts_[1]; }

    // Replaces one column of A by a random one or changes one of its digits, in a part that has
    // another column to change to; the old column, to undo it with Undo.
    void Change() {
        std::size_t drawn = Draw(FreeColumns(parts_[0]) + FreeColumns(parts_[1]));
        changedPart_ = 0;
        while (drawn >= FreeColumns(parts_[changedPart_])) {
            drawn -= FreeColumns(parts_[changedPart_++]);
        }
        TMatrixPart& part = parts_[changedPart_];
        changed_ = static_cast<std::size_t>(part.Rows) + drawn;
        old_ = part.Columns[changed_];
        int column = old_;
        while (column == old_ || Holds(part, column)) {
            column = Draw(2) == 0 ? RandomColumn(part) : NearColumn(part, old_);
        }
        part.Columns[changed_] = column;
    }

    void Undo() { parts_[changedPart_].Columns[changed_] = old_; }

    std::size_t Draw(std::size_t size) {
        return static_cast<std::size_t>(((random_() >> 32) * size) >> 32);
    }

    // A number uniform in [0, 1).
    double Uniform() { return static_cast<double>(random_() >> 11) * 0x1.0p-53; }

private:
    static bool Holds(const TMatrixPart& part, int column) {
        return std::find(part.Columns.begin(), part.Columns.end(), column) != part.Columns.end();
    }

    // `column` times the scalar that makes its highest nonzero digit 1: c and -c cover alike.
    static int Normalised(const TMatrixPart& part, int column) {
        int top = column;
        int place = 1;
        while (top >= part.Radix) {
            top /= part.Radix;
            place *= part.Radix;
        }
        if (top != 2 || part.Radix != 3) {
            return column;
        }
        int negated = 0;
        for (int rest = column, p = 1; p <= place; rest /= 3, p *= 3) {
            negated += ((3 - rest % 3) % 3) * p;
        }
        return negated;
    }

    int RandomColumn(const TMatrixPart& part) {
        return Normalised(part,
                          1 + static_cast<int>(Draw(static_cast<std::size_t>(part.Syndromes - 1))));
    }

    // `column` with one digit changed, or a random column where that makes it zero.
    int NearColumn(const TMatrixPart& part, int column) {
        int place = 1;
        for (std::size_t i = Draw(static_cast<std::size_t>(part.Rows)); i > 0; --i) {
            place *= part.Radix;
        }
        const int digit = column / place % part.Radix;
        const int changed =
            column +
            (static_cast<int>(Draw(static_cast<std::size_t>(part.Radix - 1))) + 1 + digit) %
                part.Radix * place -
            digit * place;
        return changed == 0 ? RandomColumn(part) : Normalised(part, changed);
    }

    std::array<TMatrixPart, 2> parts_;
    std::size_t changedPart_ = 0;
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

TMatrixSearchResult SearchMatrixCode(int triples, int doubles, int ternaryRows, int binaryRows,
                                     int radius, const TMatrixSearchLimits& limits) {
    const std::array<TMatrixPart, 2> parts = {TMatrixPart{3, ternaryRows, triples, 1, {}},
                                              TMatrixPart{2, binaryRows, doubles, 1, {}}};
    bool fits = triples >= 0 && doubles >= 0 && triples + doubles >= 1 &&
                triples + doubles <= kMaxCodeLength && radius >= 0;
    std::size_t syndromes = 1;
    for (const TMatrixPart& part : parts) {
        // A kind of position with no row would have zero columns, and no row without a position.
        fits = fits && part.Rows >= (part.Length > 0 ? 1 : 0) && part.Rows <= part.Length;
        std::size_t own = 1;
        for (int i = 0; fits && i < part.Rows; ++i) {
            own *= static_cast<std::size_t>(part.Radix);
            fits = syndromes * own <= kMaxSyndromes;
        }
        syndromes *= own;
        fits = fits && part.Length <= static_cast<int>((own - 1) / (part.Radix - 1));
    }
    if (!fits) {
        throw std::invalid_argument(
            "matrix search needs 1 to 14 positions, 1 to 6561 syndromes, check rows for every kind "
            "of position and no more than its positions, distinct columns enough and a radius of "
            "0 or more");
    }
    TMatrixWalk walk(parts, limits.Seed);
    const auto code = [&](std::vector<int> syndromeSet) {
        return TMixedMatrixCode{ternaryRows,
                                binaryRows,
                                radius,
                                walk.Ternary().Columns,
                                walk.Binary().Columns,
                                std::move(syndromeSet)};
    };
    const auto cover = [&](std::uint64_t matrix) {
        return CoverSyndromes(code({}), {MatrixSeed(limits.Seed, matrix), limits.StepsPerMatrix});
    };
    const auto total = static_cast<int>(syndromes);
    TSyndromeCover current = cover(0);
    TMatrixSearchResult result{code(current.Syndromes), 0, 1};
    if (limits.Progress) {
        limits.Progress(result.Code, 0);
    }
    for (std::uint64_t matrix = 1; walk.Changeable() && matrix <= limits.Matrices; ++matrix) {
        if (result.Code.Syndromes.size() <= limits.Target || TClock::now() >= limits.Deadline) {
            break;
        }
        walk.Change();
        TSyndromeCover next = cover(matrix);
        ++result.Tried;
        const double worse = Cost(next, total) - Cost(current, total);
        const bool accept = worse <= 0 || (limits.Temperature > 0 &&
                                           walk.Uniform() < std::exp(-worse / limits.Temperature));
        if (next.Syndromes.size() < result.Code.Syndromes.size()) {
            result.Code = code(next.Syndromes);
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
