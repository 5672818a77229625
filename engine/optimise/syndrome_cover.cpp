#include "optimise/syndrome_cover.h"

#include <algorithm>
#include <random>
#include <stdexcept>

#include "optimise/mixed_space.h"

namespace kelvo {

namespace {

// Steps a syndrome taken out of the set may not come back: the next step would otherwise undo a
// swap whenever the weights tie. The weights of the uncovered syndromes lead the search out of
// longer cycles (tenures of 5 and 10 found no smaller sets on the stored matrices of 7 and 8
// triples, and larger ones on some seeds).
constexpr std::uint64_t kTabuTenure = 1;

// Steps at one size without fewer syndromes left uncovered after which the search starts that
// size again from the last covering set, without its weights and less a random syndrome: on the
// 6x9 matrices a search could stay a hundred thousand steps one syndrome short of a size that
// another seed passed at once.
constexpr std::uint64_t kStallSteps = 2000;

void CheckShape(const TMatrixCode& code) {
    if ((code.Radix != 2 && code.Radix != 3) || code.Rows < 1 ||
        code.Rows > MaxSyndromeRows(code.Radix) || code.Radius < 0) {
        throw std::invalid_argument(
            "syndrome cover needs radix 2 or 3, 1 to 8 ternary or 12 binary rows and a radius of 0 "
            "or more");
    }
}

// The syndromes of a mixed matrix code and its columns as syndromes, with the number of signs of
// each: what a word's syndrome gains when one of its digits goes up by one.
struct TSyndromeGroup {
    TMixedSpace Space;
    std::vector<std::size_t> Columns;
    std::vector<int> Orders;
    int Radius;

    explicit TSyndromeGroup(const TMixedMatrixCode& code)
        : Space(CheckedSpace(code)), Radius(code.Radius) {
        const std::size_t ternaryPart = Space.Size() >> code.BinaryRows;
        for (const bool ternary : {true, false}) {
            const std::size_t part = ternary ? ternaryPart : Space.Size() / ternaryPart;
            for (int column : ternary ? code.TernaryColumns : code.BinaryColumns) {
                if (column < 0 || static_cast<std::size_t>(column) >= part) {
                    throw std::invalid_argument("column out of range");
                }
                Columns.push_back(static_cast<std::size_t>(column) * (ternary ? 1 : ternaryPart));
                Orders.push_back(ternary ? 3 : 2);
            }
        }
    }

    static TMixedSpace CheckedSpace(const TMixedMatrixCode& code) {
        bool fits = code.TernaryRows >= 0 && code.BinaryRows >= 0 &&
                    code.TernaryRows + code.BinaryRows >= 1 && code.Radius >= 0;
        std::size_t count = 1;
        for (int i = 0; fits && i < code.TernaryRows + code.BinaryRows; ++i) {
            count *= i < code.TernaryRows ? 3 : 2;
            fits = count <= kMaxSyndromes;
        }
        if (!fits) {
            throw std::invalid_argument(
                "syndrome cover needs 1 to 6561 syndromes of ternary and binary rows and a radius "
                "of 0 or more");
        }
        return TMixedSpace(code.TernaryRows, code.BinaryRows);
    }

    // Marks in `reached` every syndrome `from` plus combinations of the columns from `first` on,
    // at most `left` of them, each times a nonzero scalar.
    void MarkBall(std::size_t from, std::size_t first, int left, std::vector<char>& reached) const {
        reached[from] = 1;
        if (left == 0) {
            return;
        }
        for (std::size_t j = first; j < Columns.size(); ++j) {
            for (int factor = 1; factor < Orders[j]; ++factor) {
                MarkBall(Space.Add(from, Columns[j], factor), j + 1, left - 1, reached);
            }
        }
    }
};

// The covering problem of one matrix: syndrome t covers Covered(t), t plus every offset of the
// ball. The ball is symmetric (c times a column is in it with -c times it), so the syndromes
// covering y are exactly the ones y's own ball lists.
class TSyndromeProblem {
public:
    explicit TSyndromeProblem(const TSyndromeGroup& group) : count_(group.Space.Size()) {
        const std::vector<int> ball = Ball(group);
        ballSize_ = ball.size();
        covered_.reserve(count_ * ballSize_);
        for (std::size_t t = 0; t < count_; ++t) {
            for (int offset : ball) {
                covered_.push_back(
                    static_cast<int>(group.Space.Add(t, static_cast<std::size_t>(offset), 1)));
            }
        }
    }

    // The ball around syndrome 0, ascending.
    static std::vector<int> Ball(const TSyndromeGroup& group) {
        std::vector<char> reached(group.Space.Size(), 0);
        group.MarkBall(0, 0, group.Radius, reached);
        std::vector<int> ball;
        for (std::size_t s = 0; s < reached.size(); ++s) {
            if (reached[s] != 0) {
                ball.push_back(static_cast<int>(s));
            }
        }
        return ball;
    }

    std::size_t Count() const { return count_; }
    std::size_t BallSize() const { return ballSize_; }
    std::span<const int> Covered(std::size_t t) const {
        return {covered_.data() + t * ballSize_, ballSize_};
    }

private:
    std::size_t count_;
    std::size_t ballSize_ = 0;
    std::vector<int> covered_;
};

std::vector<int> GreedyCover(const TSyndromeProblem& problem) {
    std::vector<int> chosen;
    std::vector<char> isCovered(problem.Count(), 0);
    std::size_t left = problem.Count();
    while (left > 0) {
        std::size_t best = 0;
        std::size_t bestGain = 0;
        for (std::size_t t = 0; t < problem.Count(); ++t) {
            std::size_t gain = 0;
            for (int y : problem.Covered(t)) {
                gain += isCovered[static_cast<std::size_t>(y)] == 0 ? 1 : 0;
            }
            if (gain > bestGain) {
                best = t;
                bestGain = gain;
            }
        }
        chosen.push_back(static_cast<int>(best));
        for (int y : problem.Covered(best)) {
            left -= isCovered[static_cast<std::size_t>(y)] == 0 ? 1 : 0;
            isCovered[static_cast<std::size_t>(y)] = 1;
        }
    }
    return chosen;
}

// A weighted tabu search over sets of a fixed size at a time, after Ostergard's for covering
// codes: each step picks a random uncovered syndrome and swaps one chosen syndrome for one
// covering it, the swap that leaves the least weight uncovered; every syndrome still uncovered
// then gains weight. A set that covers everything is kept and loses its cheapest syndrome.
class TSyndromeSearch {
public:
    TSyndromeSearch(const TSyndromeProblem& problem, const std::vector<int>& start,
                    std::uint64_t seed)
        : problem_(problem),
          count_(problem.Count(), 0),
          sum_(problem.Count(), 0),
          loss_(problem.Count(), 0),
          weight_(problem.Count(), 1),
          uncoveredAt_(problem.Count(), kAbsent),
          freeAt_(problem.Count(), 0),
          overlap_(problem.Count(), 0),
          random_(seed) {
        for (std::size_t y = 0; y < problem.Count(); ++y) {
            uncoveredAt_[y] = uncovered_.size();
            uncovered_.push_back(y);
        }
        for (int t : start) {
            Add(static_cast<std::size_t>(t));
        }
        best_ = start;
    }

    TSyndromeCover Run(std::uint64_t steps) {
        // No set smaller than the sphere bound covers every syndrome.
        const std::size_t sphereBound =
            (problem_.Count() + problem_.BallSize() - 1) / problem_.BallSize();
        std::size_t shortBy = 0;
        std::uint64_t lastGain = 0;
        for (std::uint64_t step = 0;; ++step) {
            if (uncovered_.empty()) {
                best_ = set_;
                if (set_.size() <= sphereBound) {
                    shortBy = 0;
                    break;
                }
                Remove(Cheapest());
                shortBy = uncovered_.size();
                lastGain = step;
            }
            if (step == steps) {
                break;
            }
            Step(step);
            if (uncovered_.size() < shortBy) {
                shortBy = uncovered_.size();
                lastGain = step;
            } else if (step - lastGain > kStallSteps) {
                Restart();
                lastGain = step;
            }
        }
        std::sort(best_.begin(), best_.end());
        return {best_, shortBy};
    }

private:
    static constexpr std::size_t kAbsent = static_cast<std::size_t>(-1);

    std::size_t Draw(std::size_t size) {
        return static_cast<std::size_t>(((random_() >> 32) * size) >> 32);
    }

    void Add(std::size_t t) {
        set_.push_back(static_cast<int>(t));
        loss_[t] = 0;
        for (int yy : problem_.Covered(t)) {
            const auto y = static_cast<std::size_t>(yy);
            if (count_[y] == 0) {
                DropUncovered(y);
                loss_[t] += weight_[y];
            } else if (count_[y] == 1) {
                loss_[static_cast<std::size_t>(sum_[y])] -= weight_[y];
            }
            ++count_[y];
            sum_[y] += static_cast<int>(t);
        }
    }

    void Remove(std::size_t t) {
        set_.erase(std::find(set_.begin(), set_.end(), static_cast<int>(t)));
        for (int yy : problem_.Covered(t)) {
            const auto y = static_cast<std::size_t>(yy);
            --count_[y];
            sum_[y] -= static_cast<int>(t);
            if (count_[y] == 0) {
                uncoveredAt_[y] = uncovered_.size();
                uncovered_.push_back(y);
            } else if (count_[y] == 1) {
                loss_[static_cast<std::size_t>(sum_[y])] += weight_[y];
            }
        }
    }

    // The last covering set again, every weight 1, less a random syndrome.
    void Restart() {
        while (!set_.empty()) {
            Remove(static_cast<std::size_t>(set_.back()));
        }
        std::fill(weight_.begin(), weight_.end(), 1);
        for (int t : best_) {
            Add(static_cast<std::size_t>(t));
        }
        Remove(static_cast<std::size_t>(set_[Draw(set_.size())]));
    }

    void DropUncovered(std::size_t y) {
        const std::size_t at = uncoveredAt_[y];
        uncovered_[at] = uncovered_.back();
        uncoveredAt_[uncovered_[at]] = at;
        uncovered_.pop_back();
        uncoveredAt_[y] = kAbsent;
    }

    // The chosen syndrome whose removal uncovers the least weight, the earliest in the set on a
    // tie.
    std::size_t Cheapest() const {
        int cheapest = set_.front();
        for (int t : set_) {
            if (loss_[static_cast<std::size_t>(t)] < loss_[static_cast<std::size_t>(cheapest)]) {
                cheapest = t;
            }
        }
        return static_cast<std::size_t>(cheapest);
    }

    // One swap: a syndrome covering a random uncovered one comes in, the chosen syndrome whose
    // leaving then costs least weight goes; ties are broken at random. A syndrome covering the
    // target is never chosen already, or the target would be covered.
    void Step(std::uint64_t step) {
        const std::size_t target = uncovered_[Draw(uncovered_.size())];
        std::size_t bestIn = kAbsent;
        std::size_t bestOut = kAbsent;
        std::int64_t bestDelta = 0;
        std::size_t ties = 0;
        for (int inInt : problem_.Covered(target)) {
            const auto in = static_cast<std::size_t>(inInt);
            if (freeAt_[in] > step) {
                continue;
            }
            // The weight `in` covers that nothing does, and what it would take over from each
            // chosen syndrome that alone covers it.
            std::int64_t gain = 0;
            for (int yy : problem_.Covered(in)) {
                const auto y = static_cast<std::size_t>(yy);
                if (count_[y] == 0) {
                    gain += weight_[y];
                } else if (count_[y] == 1) {
                    overlap_[static_cast<std::size_t>(sum_[y])] += weight_[y];
                }
            }
            for (int outInt : set_) {
                const auto out = static_cast<std::size_t>(outInt);
                const std::int64_t delta = loss_[out] - overlap_[out] - gain;
                if (bestIn == kAbsent || delta < bestDelta) {
                    bestIn = in;
                    bestOut = out;
                    bestDelta = delta;
                    ties = 1;
                } else if (delta == bestDelta && Draw(++ties) == 0) {
                    bestIn = in;
                    bestOut = out;
                }
            }
            for (int yy : problem_.Covered(in)) {
                const auto y = static_cast<std::size_t>(yy);
                if (count_[y] == 1) {
                    overlap_[static_cast<std::size_t>(sum_[y])] = 0;
                }
            }
        }
        for (std::size_t y : uncovered_) {
            ++weight_[y];
        }
        if (bestIn == kAbsent) {
            return;
        }
        Remove(bestOut);
        Add(bestIn);
        freeAt_[bestOut] = step + 1 + kTabuTenure;
    }

    const TSyndromeProblem& problem_;
    // For each syndrome: how many chosen syndromes cover it and the sum of their numbers, which
    // where one covers it is that one's number.
    std::vector<int> count_;
    std::vector<int> sum_;
    // For each chosen syndrome, the weight of the syndromes it alone covers.
    std::vector<std::int64_t> loss_;
    // How long each syndrome has stayed uncovered, in steps, plus one: the weight that makes
    // a search stuck on the same few uncovered syndromes cover them at last.
    std::vector<std::int64_t> weight_;
    std::vector<int> set_;
    std::vector<std::size_t> uncovered_;
    std::vector<std::size_t> uncoveredAt_;
    // The step from which a syndrome taken out may come back.
    std::vector<std::uint64_t> freeAt_;
    // Scratch of Step, zero between candidates.
    std::vector<int> overlap_;
    std::vector<int> best_;
    std::mt19937_64 random_;
};

}  // namespace

std::vector<int> SyndromeBall(const TMixedMatrixCode& code) {
    return TSyndromeProblem::Ball(TSyndromeGroup(code));
}

std::vector<int> SyndromeBall(const TMatrixCode& code) {
    CheckShape(code);
    return SyndromeBall(AsMixed(code));
}

bool CoversEverySyndrome(const TMixedMatrixCode& code) {
    const TSyndromeGroup group(code);
    std::vector<char> reached(group.Space.Size(), 0);
    for (int s : code.Syndromes) {
        if (s < 0 || static_cast<std::size_t>(s) >= group.Space.Size()) {
            throw std::invalid_argument("syndrome out of range");
        }
        group.MarkBall(static_cast<std::size_t>(s), 0, code.Radius, reached);
    }
    return std::find(reached.begin(), reached.end(), 0) == reached.end();
}

bool CoversEverySyndrome(const TMatrixCode& code) {
    CheckShape(code);
    return CoversEverySyndrome(AsMixed(code));
}

TSyndromeCover CoverSyndromes(const TMixedMatrixCode& code, const TSyndromeCoverLimits& limits) {
    const TSyndromeProblem problem{TSyndromeGroup(code)};
    TSyndromeSearch search(problem, GreedyCover(problem), limits.Seed);
    return search.Run(limits.Steps);
}

TSyndromeCover CoverSyndromes(const TMatrixCode& code, const TSyndromeCoverLimits& limits) {
    CheckShape(code);
    return CoverSyndromes(AsMixed(code), limits);
}

}  // namespace kelvo
