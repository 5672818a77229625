#include "optimise/orbit_search.h"

#include <algorithm>
#include <random>
#include <stdexcept>

#include "optimise/mixed_space.h"

namespace kelvo {

namespace {

// How often the search looks at the clock, in steps.
constexpr std::uint64_t kClockEvery = 256;
// The most words of a space the search cuts into orbits.
constexpr std::size_t kMaxOrbitSpace = std::size_t{1} << 20;
// Steps an orbit taken out may not come back.
constexpr std::uint64_t kTabuTenure = 2;

void CheckOrbitShape(int triples, int doubles, int radius,
                     const std::vector<std::vector<int>>& generators) {
    const int length = triples + doubles;
    bool fits = triples >= 0 && doubles >= 0 && length >= 1 && length <= kMaxCodeLength &&
                radius >= 0 && radius <= kMaxCodeRadius;
    if (fits) {
        const TMixedSpace space(triples, doubles);
        fits = space.Size() <= kMaxOrbitSpace &&
               std::all_of(generators.begin(), generators.end(),
                           [&](const std::vector<int>& permutation) {
                               return PermutesPositions(space, permutation);
                           });
    }
    if (!fits) {
        throw std::invalid_argument(
            "orbit search needs a shape of 1 to 14 positions, at most 2^20 words, a radius of 0 to "
            "3 and permutations of its positions that keep ternary ones ternary");
    }
}

// The covering problem over orbits: orbit j, of Size(j) words, reaches orbit e when a word of j
// lies within the radius of a word of e; the group maps the balls onto each other, so one word
// of e reached means every word of it is.
class TOrbitProblem {
public:
    TOrbitProblem(const TMixedSpace& space, int radius,
                  const std::vector<std::vector<int>>& generators)
        : orbitOf_(space.Size(), kNone) {
        for (std::size_t x = 0; x < space.Size(); ++x) {
            if (orbitOf_[x] != kNone) {
                continue;
            }
            const auto orbit = static_cast<std::uint32_t>(words_.size());
            words_.push_back(Orbit(space, generators, x));
            for (std::size_t y : words_.back()) {
                orbitOf_[y] = orbit;
            }
        }
        reaches_.resize(words_.size());
        reachedBy_.resize(words_.size());
        std::vector<std::uint32_t> mark(words_.size(), kNone);
        for (std::uint32_t j = 0; j < words_.size(); ++j) {
            for (std::size_t x : words_[j]) {
                space.Ball(x, radius, [&](std::size_t y) {
                    const std::uint32_t e = orbitOf_[y];
                    if (mark[e] != j) {
                        mark[e] = j;
                        reaches_[j].push_back(e);
                        reachedBy_[e].push_back(j);
                    }
                });
            }
        }
    }

    std::size_t Count() const { return words_.size(); }
    std::size_t Size(std::size_t j) const { return words_[j].size(); }
    std::size_t Smallest(std::size_t j) const {
        return *std::min_element(words_[j].begin(), words_[j].end());
    }
    const std::vector<std::uint32_t>& Reaches(std::size_t j) const { return reaches_[j]; }
    const std::vector<std::uint32_t>& ReachedBy(std::size_t e) const { return reachedBy_[e]; }

private:
    static constexpr std::uint32_t kNone = 0xffffffffU;
    std::vector<std::uint32_t> orbitOf_;
    std::vector<std::vector<std::size_t>> words_;
    std::vector<std::vector<std::uint32_t>> reaches_;
    std::vector<std::vector<std::uint32_t>> reachedBy_;
};

// A union of orbits with, for every orbit, how many chosen orbits reach it and a weight that
// grows each step it stays bare.
class TOrbitCover {
public:
    TOrbitCover(const TOrbitProblem& problem, std::uint64_t seed)
        : problem_(problem),
          random_(seed),
          chosen_(problem.Count(), false),
          reached_(problem.Count(), 0),
          weight_(problem.Count(), 1),
          tabuUntil_(problem.Count(), 0),
          bare_(problem.Count()) {
        for (std::size_t j = 0; j < problem.Count(); ++j) {
            Add(j);
        }
    }

    std::size_t Size() const { return size_; }
    std::size_t Bare() const { return bare_; }

    std::vector<std::size_t> Representatives() const {
        std::vector<std::size_t> words;
        for (std::size_t j = 0; j < chosen_.size(); ++j) {
            if (chosen_[j]) {
                words.push_back(problem_.Smallest(j));
            }
        }
        std::sort(words.begin(), words.end());
        return words;
    }

    // Takes out the chosen orbit (other than `kept`) that leaves the least weight bare for its
    // size, ties drawn at random; false when there is none.
    bool TakeOutCheapest(std::size_t kept, std::uint64_t step) {
        double best = 0;
        std::size_t pick = kNoOrbit;
        std::size_t ties = 0;
        for (std::size_t j = 0; j < chosen_.size(); ++j) {
            if (!chosen_[j] || j == kept) {
                continue;
            }
            const double loss = Loss(j) / static_cast<double>(problem_.Size(j));
            if (pick == kNoOrbit || loss < best) {
                best = loss;
                pick = j;
                ties = 1;
            } else if (loss == best && random_() % ++ties == 0) {
                pick = j;
            }
        }
        if (pick == kNoOrbit) {
            return false;
        }
        Remove(pick);
        tabuUntil_[pick] = step + kTabuTenure + 1;
        return true;
    }

    // Adds the orbit that reaches a random bare orbit and covers the most bare weight for its
    // size, among those not taken out in the last steps if there are any; returns it.
    std::size_t AddForBare(std::uint64_t step) {
        std::size_t target = random_() % bare_;
        std::size_t e = 0;
        for (;; ++e) {
            if (reached_[e] == 0 && target-- == 0) {
                break;
            }
        }
        std::size_t pick = BestAdd(e, step, false);
        if (pick == kNoOrbit) {
            pick = BestAdd(e, step, true);
        }
        Add(pick);
        return pick;
    }

    // Every bare orbit weighs one more.
    void WeighBare() {
        for (std::size_t f = 0; f < reached_.size(); ++f) {
            weight_[f] += reached_[f] == 0 ? 1 : 0;
        }
    }

    void TakeOutWhileNoSmallerThan(std::size_t size, std::size_t kept, std::uint64_t step) {
        while (size_ >= size && TakeOutCheapest(kept, step)) {
        }
    }

    static constexpr std::size_t kNoOrbit = static_cast<std::size_t>(-1);

private:
    // The orbit reaching e that covers the most bare weight for its size, ties drawn at random,
    // leaving out those taken out in the last steps unless `tabuToo`.
    std::size_t BestAdd(std::size_t e, std::uint64_t step, bool tabuToo) {
        double best = 0;
        std::size_t pick = kNoOrbit;
        std::size_t ties = 0;
        for (std::size_t j : problem_.ReachedBy(e)) {
            if (!tabuToo && tabuUntil_[j] > step) {
                continue;
            }
            double gain = 0;
            for (std::uint32_t f : problem_.Reaches(j)) {
                gain += reached_[f] == 0 ? static_cast<double>(weight_[f]) : 0;
            }
            gain /= static_cast<double>(problem_.Size(j));
            if (pick == kNoOrbit || gain > best) {
                best = gain;
                pick = j;
                ties = 1;
            } else if (gain == best && random_() % ++ties == 0) {
                pick = j;
            }
        }
        return pick;
    }

    double Loss(std::size_t j) const {
        double loss = 0;
        for (std::uint32_t f : problem_.Reaches(j)) {
            loss += reached_[f] == 1 ? static_cast<double>(weight_[f]) : 0;
        }
        return loss;
    }

    void Add(std::size_t j) {
        chosen_[j] = true;
        size_ += problem_.Size(j);
        for (std::uint32_t f : problem_.Reaches(j)) {
            bare_ -= reached_[f]++ == 0 ? 1 : 0;
        }
    }

    void Remove(std::size_t j) {
        chosen_[j] = false;
        size_ -= problem_.Size(j);
        for (std::uint32_t f : problem_.Reaches(j)) {
            bare_ += --reached_[f] == 0 ? 1 : 0;
        }
    }

    const TOrbitProblem& problem_;
    std::mt19937_64 random_;
    std::vector<bool> chosen_;
    std::vector<std::uint32_t> reached_;
    std::vector<std::uint64_t> weight_;
    std::vector<std::uint64_t> tabuUntil_;
    std::size_t size_ = 0;
    std::size_t bare_ = 0;
};

}  // namespace

TOrbitSearchResult SearchOrbitCode(int triples, int doubles, int radius,
                                   const std::vector<std::vector<int>>& generators,
                                   const TOrbitSearchLimits& limits) {
    CheckOrbitShape(triples, doubles, radius, generators);
    const TMixedSpace space(triples, doubles);
    const TOrbitProblem problem(space, radius, generators);
    TOrbitCover cover(problem, limits.Seed);
    TOrbitSearchResult best;
    best.Orbits = problem.Count();
    best.Representatives = cover.Representatives();
    best.Size = cover.Size();
    std::uint64_t step = 0;
    while (best.Size > limits.Target && step < limits.Steps) {
        if (cover.Bare() == 0) {
            if (cover.Size() < best.Size) {
                best.Representatives = cover.Representatives();
                best.Size = cover.Size();
                continue;
            }
            cover.TakeOutWhileNoSmallerThan(best.Size, TOrbitCover::kNoOrbit, step);
            continue;
        }
        if (step % kClockEvery == 0 && TClock::now() >= limits.Deadline) {
            break;
        }
        const std::size_t added = cover.AddForBare(step);
        cover.TakeOutWhileNoSmallerThan(best.Size, added, step);
        cover.WeighBare();
        ++step;
    }
    best.Steps = step;
    return best;
}

}  // namespace kelvo
