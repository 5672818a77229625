#include "optimise/exhaustive_search.h"

#include <algorithm>
#include <array>
#include <span>
#include <stdexcept>
#include <vector>

#include "optimise/mixed_space.h"

namespace kelvo {

namespace {

// The search's state: how often each word is covered, which words are ruled out of the code, and
// the code so far. Every branch undoes what it changed, so one state serves the whole tree.
class TBranchAndBound {
public:
    TBranchAndBound(const TMixedSpace& space, int radius, std::uint64_t maxNodes)
        : space_(space),
          radius_(radius),
          maxNodes_(maxNodes),
          covered_(space.Size()),
          excluded_(space.Size()),
          marks_(space.Size()) {
        space.Ball(0, radius, [&](std::size_t) { ++ballSize_; });
        balls_.reserve(space.Size() * ballSize_);
        for (std::size_t x = 0; x < space.Size(); ++x) {
            space.Ball(x, radius,
                       [&](std::size_t y) { balls_.push_back(static_cast<std::uint32_t>(y)); });
        }
    }

    TExhaustiveAnswer Search(std::size_t size) {
        Take(0, 1);
        code_.push_back(0);
        const bool found =
            size == 1 || space_.Length() <= radius_ ? Extend(size - 1) : ExtendBySymmetry(size - 1);
        if (gaveUp_) {
            return TExhaustiveAnswer::Undecided;
        }
        return found ? TExhaustiveAnswer::Exists : TExhaustiveAnswer::None;
    }

    const std::vector<std::size_t>& Code() const { return code_; }
    std::uint64_t Nodes() const { return nodes_; }

private:
    std::span<const std::uint32_t> BallOf(std::size_t x) const {
        return {balls_.data() + x * ballSize_, ballSize_};
    }

    void Take(std::size_t word, int change) {
        for (std::size_t y : BallOf(word)) {
            covered_[y] += change;
        }
    }

    // Whether `left` more words can cover every bare word; on success the code holds them.
    bool Extend(std::size_t left) {
        if (nodes_ == maxNodes_) {
            gaveUp_ = true;
            return false;
        }
        ++nodes_;
        // The bare word with the fewest candidates left: the fewest branches.
        std::size_t bare = space_.Size();
        std::size_t fewest = ballSize_ + 1;
        for (std::size_t x = 0; x < space_.Size() && fewest > 0; ++x) {
            if (covered_[x] == 0) {
                const std::size_t candidates = Candidates(x);
                if (candidates < fewest) {
                    fewest = candidates;
                    bare = x;
                }
            }
        }
        if (bare == space_.Size()) {
            return true;
        }
        if (left == 0 || fewest == 0 || BareBound() > left) {
            return false;
        }
        std::vector<std::size_t> tried;
        bool found = false;
        for (std::size_t candidate : BallOf(bare)) {
            if (excluded_[candidate]) {
                continue;
            }
            if (TryWord(candidate, left)) {
                found = true;
                break;
            }
            if (gaveUp_) {
                break;
            }
            // Every code with this candidate has been tried: the later branches go without it.
            excluded_[candidate] = 1;
            tried.push_back(candidate);
        }
        for (std::size_t candidate : tried) {
            excluded_[candidate] = 0;
        }
        return found;
    }

    bool TryWord(std::size_t word, std::size_t left) {
        Take(word, 1);
        code_.push_back(word);
        if (Extend(left - 1)) {
            return true;
        }
        code_.pop_back();
        Take(word, -1);
        return false;
    }

    // The first step with the code {0}: the bare word w with 1 at the first radius + 1
    // positions is covered by some word of its ball. The permutations of the positions and of
    // the signs other than 0 that fix both 0 and w map a code onto another of the same size, so
    // the candidates are tried once per class, and a class tried is ruled out of the later
    // branches whole.
    bool ExtendBySymmetry(std::size_t left) {
        std::size_t bare = 0;
        for (int p = 0; p <= radius_; ++p) {
            bare += space_.Place(p);
        }
        std::vector<std::size_t> triedClasses;
        for (std::size_t candidate : BallOf(bare)) {
            const std::size_t kind = ClassOf(candidate);
            if (std::find(triedClasses.begin(), triedClasses.end(), kind) != triedClasses.end()) {
                continue;
            }
            if (TryWord(candidate, left) || gaveUp_) {
                return !gaveUp_;
            }
            triedClasses.push_back(kind);
            for (std::size_t other : BallOf(bare)) {
                if (ClassOf(other) == kind) {
                    excluded_[other] = 1;
                }
            }
        }
        return false;
    }

    // The class of a word of the ball of w (1 at the first radius + 1 positions) under the
    // symmetries that fix 0 and w: how many of each kind of position (ternary or binary, 1 or 0
    // in w) hold each sign, where at a ternary position that is 0 in w, 1 and 2 count alike.
    std::size_t ClassOf(std::size_t word) const {
        std::array<std::size_t, 9> counts{};
        for (int p = 0; p < space_.Length(); ++p) {
            const int digit = space_.Digit(word, p);
            const bool inBare = p <= radius_;
            const bool ternary = p < space_.Triples();
            const std::size_t slot =
                ternary ? (inBare ? static_cast<std::size_t>(digit) : 3 + (digit == 0 ? 0 : 1))
                        : 5 + (inBare ? 0 : 2) + static_cast<std::size_t>(digit);
            ++counts[slot];
        }
        std::size_t kind = 0;
        for (std::size_t count : counts) {
            kind = kind * (kMaxCodeLength + 1) + count;
        }
        return kind;
    }

    std::size_t Candidates(std::size_t bare) const {
        std::size_t candidates = 0;
        for (std::size_t y : BallOf(bare)) {
            candidates += excluded_[y] ? 0 : 1;
        }
        return candidates;
    }

    // Bare words whose candidates no word shares: each needs a word of its own.
    std::size_t BareBound() {
        ++stamp_;
        std::size_t apart = 0;
        for (std::size_t x = 0; x < space_.Size(); ++x) {
            if (covered_[x] != 0) {
                continue;
            }
            bool shared = false;
            for (std::size_t y : BallOf(x)) {
                if (!excluded_[y] && marks_[y] == stamp_) {
                    shared = true;
                    break;
                }
            }
            if (shared) {
                continue;
            }
            ++apart;
            for (std::size_t y : BallOf(x)) {
                if (!excluded_[y]) {
                    marks_[y] = stamp_;
                }
            }
        }
        return apart;
    }

    const TMixedSpace& space_;
    int radius_;
    std::uint64_t maxNodes_;
    std::size_t ballSize_ = 0;
    // The ball of every word, ballSize_ words each: kMaxExhaustiveWords fit 32 bits.
    std::vector<std::uint32_t> balls_;
    std::vector<std::uint32_t> covered_;
    std::vector<std::uint8_t> excluded_;
    std::vector<std::uint64_t> marks_;
    std::uint64_t stamp_ = 0;
    std::vector<std::size_t> code_;
    std::uint64_t nodes_ = 0;
    bool gaveUp_ = false;
};

}  // namespace

TExhaustiveResult SearchCodeOfSize(int triples, int doubles, int radius, std::size_t size,
                                   const TExhaustiveLimits& limits) {
    const int length = triples + doubles;
    const bool fits = triples >= 0 && doubles >= 0 && length >= 1 && length <= kMaxCodeLength &&
                      radius >= 0 && radius <= kMaxCodeRadius && size >= 1 &&
                      TMixedSpace(triples, doubles).Size() <= kMaxExhaustiveWords;
    if (!fits) {
        throw std::invalid_argument(
            "exhaustive search needs a shape of 1 to 14 positions and at most 8192 words, a "
            "radius of 0 to 3 and a size of 1 or more");
    }
    const TMixedSpace space(triples, doubles);
    TBranchAndBound search(space, radius, limits.Nodes);
    TExhaustiveResult result;
    result.Answer = search.Search(size);
    result.Nodes = search.Nodes();
    result.Code = TCode{triples, doubles, radius, {}};
    if (result.Answer == TExhaustiveAnswer::Exists) {
        for (std::size_t word : search.Code()) {
            for (int p = 0; p < length; ++p) {
                result.Code.Words.push_back(static_cast<std::uint8_t>(space.Digit(word, p)));
            }
        }
    }
    return result;
}

}  // namespace kelvo
