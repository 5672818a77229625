#include "value/pool_share.h"

#include <cmath>

namespace kelvo {

namespace {

// Below this mean the Poisson series is summed term by term; above it the sums below need fewer
// terms and stay exact.
constexpr double kSeriesMeans = 40;
// A term this much smaller than the sum no longer changes it in a double.
constexpr double kNegligible = 1e-17;

// E[1 / (bets + X)] as the series sum over j of P(X = j) / (bets + j); every term is positive,
// so the sum is exact up to rounding.
double SeriesMean(double bets, double others) {
    double weight = std::exp(-others);
    double sum = 0;
    for (double j = 0;; ++j) {
        const double term = weight / (bets + j);
        sum += term;
        if (j > others && term < kNegligible * sum) {
            return sum;
        }
        weight *= others / (j + 1);
    }
}

// For others above bets - 1: E[1 / (bets + X)] is the integral over x from 0 to 1 of
// (1 - x)^(bets - 1) e^(-others x); integrated to infinity instead (an error below e^-others,
// relatively), term by term it gives (1 / others) x the sum over i of
// (-1)^i (bets - 1)! / ((bets - 1 - i)! others^i), whose terms shrink, so the alternating sum
// loses no digits.
double AlternatingMean(double bets, double others) {
    double term = 1;
    double sum = 1;
    for (double i = 1; i < bets; ++i) {
        term *= -(bets - i) / others;
        sum += term;
        if (std::abs(term) < kNegligible * sum) {
            break;
        }
    }
    return sum / others;
}

// For others below bets: the means M(b) = E[1 / (b + X)] satisfy
// M(b) = (1 - others M(b + 1)) / b, which run downwards shrinks any error by others / b at each
// step. Starts far enough above `bets` that the error of a first guess between the bounds
// 1 / (b + others) and 1 / b has shrunk below a double's precision.
double DownwardMean(double bets, double others) {
    double top = bets;
    for (double shrink = 1; shrink > kNegligible; ++top) {
        shrink *= others / top;
    }
    double mean = 1 / (top + others);
    for (double b = top - 1; b >= bets; --b) {
        mean = (1 - others * mean) / b;
    }
    return mean;
}

}  // namespace

double ShareOfPool(long long bets, double others) {
    if (bets <= 0) {
        return 0;
    }
    const auto b = static_cast<double>(bets);
    if (others <= 0) {
        return 1;
    }
    if (bets == 1) {
        return -std::expm1(-others) / others;
    }
    if (others <= kSeriesMeans) {
        return b * SeriesMean(b, others);
    }
    return b * (others >= b - 1 ? AlternatingMean(b, others) : DownwardMean(b, others));
}

}  // namespace kelvo
