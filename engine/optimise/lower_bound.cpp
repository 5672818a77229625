#include "optimise/lower_bound.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "core/large_buffer.h"

namespace kelvo {

namespace {

// The steps move the multipliers by lambda * (target - value) / |direction|^2 along the direction.
constexpr double kFirstLambda = 1.0;
// Lambda is halved after this many iterations in a row that find no better value.
constexpr int kPatience = 20;
// Below this lambda the steps have stopped paying: the value has failed to rise through a dozen
// halvings.
constexpr double kLeastLambda = 1.0 / 4096;
// The share of the previous direction that each direction keeps. Plain subgradients swing from
// step to step between the columns that cover a column twice and those that leave it bare; with
// the last direction kept in, the steps follow the ridge of the relaxation instead of crossing it,
// and on sets of a few thousand columns reach the linear relaxation's value in a few hundred
// iterations instead of thousands.
constexpr double kDeflection = 0.9;
// The target value lies this far above the best value found so far, in proportion to it.
constexpr double kTargetMargin = 0.1;
// Once the best value is within this proportion of a fractional cover's size, the linear
// relaxation, which lies between them, is reached: no step can raise the value by more.
constexpr double kTinyGap = 1e-9;
constexpr double kEpsilon = std::numeric_limits<double>::epsilon();

// Neumaier's compensated summation: the value adds one term per column, millions of them, and a
// plain sum could lose more to rounding than the tolerance allows.
class TCompensatedSum {
public:
    void Add(double term) {
        const double sum = sum_ + term;
        if (std::abs(sum_) >= std::abs(term)) {
            compensation_ += (sum_ - sum) + term;
        } else {
            compensation_ += (term - sum) + sum_;
        }
        sum_ = sum;
    }
    double Value() const { return sum_ + compensation_; }

private:
    double sum_ = 0;
    double compensation_ = 0;
};

// The relaxation at one set of multipliers.
struct TEvaluation {
    // L(u) = sum_j u_j + sum_i min(0, 1 - load_i), the load of column i being the sum of the
    // multipliers of the columns it covers, as computed.
    double Value = 0;
    // At least the rounding error of Value: the error of each load is below its number of terms
    // times kEpsilon times the load, and the compensated sums add little more than kEpsilon times
    // their size.
    double Error = 0;
    // The size of a fractional cover: the multipliers divided by the least load, which covers each
    // column to at least 1 since each column's load is also how much the multipliers cover it.
    // The linear relaxation is at most this. Infinite when some column has a load of 0.
    double Fractional = 0;

    // The whole number the value proves: the least one not below Value less Error.
    std::size_t Bound() const {
        const double bound = std::ceil(Value - Error);
        return bound > 0 ? static_cast<std::size_t>(bound) : 0;
    }
};

// The multipliers u of the rows, the direction of the next step and, for each row, how many of
// the candidates with a negative reduced cost at the last evaluation cover it.
template <class TCover>
class TRelaxation {
public:
    // Starts each multiplier at 1 / the size of the largest covered set among the candidates
    // covering it: no candidate's load then exceeds 1, and L(u) is the sum of the multipliers.
    explicit TRelaxation(const TCover& coverage) : coverage_(coverage) {
        const std::size_t rows = coverage.RowCount();
        ReserveLarge(multiplier_, rows);
        ReserveLarge(direction_, rows);
        ReserveLarge(chosenCovering_, std::max(rows, coverage.CandidateCount()));
        chosenCovering_.resize(coverage.CandidateCount());
        for (std::size_t k = 0; k < coverage.CandidateCount(); ++k) {
            chosenCovering_[k] = static_cast<std::uint32_t>(coverage.CoveredCount(k));
        }
        for (std::size_t j = 0; j < rows; ++j) {
            std::uint32_t largest = 0;
            coverage.ForEachCovering(
                j, [&](std::size_t i) { largest = std::max(largest, chosenCovering_[i]); });
            multiplier_.push_back(1.0 / static_cast<double>(largest));
        }
        chosenCovering_.resize(rows);
        direction_.assign(rows, 0.0);
    }

    // Evaluates the relaxation at the multipliers, and counts for each row the chosen candidates
    // covering it.
    TEvaluation Evaluate() {
        std::fill(chosenCovering_.begin(), chosenCovering_.end(), 0);
        TCompensatedSum multipliers;
        for (std::size_t j = 0; j < coverage_.RowCount(); ++j) {
            multipliers.Add(multiplier_[j]);
        }
        TCompensatedSum excess;
        double magnitude = 0;
        double least = std::numeric_limits<double>::infinity();
        for (std::size_t k = 0; k < coverage_.CandidateCount(); ++k) {
            double load = 0;
            double terms = 0;
            coverage_.ForEachCovered(k, [&](std::size_t j) {
                load += multiplier_[j];
                ++terms;
            });
            magnitude += terms * load;
            least = std::min(least, load);
            if (load > 1) {
                excess.Add(1 - load);
                coverage_.ForEachCovered(k, [&](std::size_t j) { ++chosenCovering_[j]; });
            }
        }
        TEvaluation evaluation;
        evaluation.Value = multipliers.Value() + excess.Value();
        evaluation.Error =
            4 * kEpsilon * (magnitude + multipliers.Value() + std::abs(excess.Value()));
        // Only where the candidates are the rows do the multipliers, as a choice of candidates,
        // make a fractional cover; otherwise none is known and the iterations run on.
        evaluation.Fractional = least > 0 && TCover::kSymmetric
                                    ? multipliers.Value() / least
                                    : std::numeric_limits<double>::infinity();
        return evaluation;
    }

    // Turns the direction towards the subgradient of the last evaluation, 1 less the number of
    // chosen columns covering each column, and returns its squared length. A multiplier at 0 that
    // the direction would lower stays at 0, so that part of the direction is dropped.
    double Direction() {
        double norm = 0;
        for (std::size_t j = 0; j < direction_.size(); ++j) {
            double direction = kDeflection * direction_[j] + 1 - chosenCovering_[j];
            if (multiplier_[j] == 0 && direction < 0) {
                direction = 0;
            }
            direction_[j] = direction;
            norm += direction * direction;
        }
        return norm;
    }

    // Moves the multipliers `length` times the direction, none below 0.
    void Step(double length) {
        for (std::size_t j = 0; j < multiplier_.size(); ++j) {
            multiplier_[j] = std::max(0.0, multiplier_[j] + length * direction_[j]);
        }
    }

private:
    const TCover& coverage_;
    std::vector<double> multiplier_;
    std::vector<double> direction_;
    std::vector<std::uint32_t> chosenCovering_;
};

template <class TCover>
std::size_t LowerBound(const TCover& coverage, const TBoundLimits& limits) {
    if (coverage.RowCount() == 0) {
        return 0;
    }
    // Every set of multipliers of at least 0 bounds the linear relaxation from below, so each
    // evaluation's bound holds, however poor the step that led to it.
    TRelaxation<TCover> relaxation(coverage);
    TEvaluation evaluation = relaxation.Evaluate();
    std::size_t bound = evaluation.Bound();
    double best = evaluation.Value;
    double fractional = evaluation.Fractional;
    double lambda = kFirstLambda;
    int stale = 0;
    for (int iteration = 0; iteration < limits.Iterations; ++iteration) {
        if (fractional <= best * (1 + kTinyGap) || lambda < kLeastLambda) {
            break;
        }
        if (limits.Stop && limits.Stop()) {
            break;
        }
        const double norm = relaxation.Direction();
        if (norm == 0) {
            break;
        }
        const double target = (1 + kTargetMargin) * best;
        relaxation.Step(lambda * (target - evaluation.Value) / norm);
        evaluation = relaxation.Evaluate();
        bound = std::max(bound, evaluation.Bound());
        fractional = std::min(fractional, evaluation.Fractional);
        if (evaluation.Value > best) {
            best = evaluation.Value;
            stale = 0;
        } else if (++stale == kPatience) {
            lambda /= 2;
            stale = 0;
        }
    }
    return bound;
}

}  // namespace

std::size_t CoverLowerBound(const TCoverage& coverage, const TBoundLimits& limits) {
    return LowerBound(TSymmetricCover<TCoverage>{coverage}, limits);
}

std::size_t CoverLowerBound(const TCoveredLists& lists, const TBoundLimits& limits) {
    return LowerBound(TSymmetricCover<TCoveredLists>{lists}, limits);
}

std::size_t CoverLowerBound(const TCandidateCover& candidates, const TBoundLimits& limits) {
    return LowerBound(candidates, limits);
}

}  // namespace kelvo
