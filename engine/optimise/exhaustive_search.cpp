#include "optimise/exhaustive_search.h"

#include <algorithm>
#include <array>
#include <functional>
#include <map>
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
          maxNodes_(maxNodes),
          covered_(space.Size()),
          excluded_(space.Size()),
          marks_(space.Size()),
          gains_(space.Size()) {
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
        const bool found = Extend(size - 1);
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
        if (left == 0 || fewest == 0 || BareBound() > left || !GainsSuffice(left)) {
            return false;
        }
        // Words the symmetries that fix the code so far and the bare word map onto each other
        // lead to codes of the same size: one of each class is tried, and once tried the whole
        // class is ruled out of the later branches.
        fixed_.push_back(bare);
        const std::span<const std::uint32_t> ball = BallOf(bare);
        const std::vector<std::size_t> kinds = KindsInBall(ball);
        std::vector<std::size_t> ruledOut;
        bool found = false;
        for (std::size_t k = 0; k < ball.size(); ++k) {
            if (excluded_[ball[k]]) {
                continue;
            }
            fixed_.push_back(ball[k]);
            found = TryWord(ball[k], left);
            fixed_.pop_back();
            if (found || gaveUp_) {
                break;
            }
            for (std::size_t other = k; other < ball.size(); ++other) {
                if (!excluded_[ball[other]] && kinds[other] == kinds[k]) {
                    excluded_[ball[other]] = 1;
                    ruledOut.push_back(ball[other]);
                }
            }
        }
        for (std::size_t word : ruledOut) {
            excluded_[word] = 0;
        }
        fixed_.pop_back();
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

    // The symmetries that fix 0 and every word of fixed_: they permute the positions of one
    // class among themselves, those whose digits in fixed_ are equal once 1 and 2 are swapped
    // where the first digit other than 0 is a 2 (Swapped), and they swap 1 and 2 freely where
    // every digit is 0 (Free).
    struct TPositionClasses {
        std::array<std::uint8_t, kMaxCodeLength> Class{};
        std::array<bool, kMaxCodeLength> Swapped{};
        std::array<bool, kMaxCodeLength> Free{};
    };

    // Counts of each digit in each class of positions, with 1 and 2 swapped where Swapped and
    // taken alike where Free: words with equal keys are mapped onto each other by those
    // symmetries.
    using TClassKey = std::array<std::uint8_t, 3 * kMaxCodeLength>;

    TPositionClasses ClassesOfPositions() const {
        TPositionClasses classes;
        // Each position's number of signs, then its digits in fixed_, swapped as above.
        std::vector<std::vector<int>> columns;
        for (int p = 0; p < space_.Length(); ++p) {
            std::vector<int> column{space_.Signs(p)};
            bool swapped = false;
            bool seen = false;
            for (std::size_t word : fixed_) {
                int digit = space_.Digit(word, p);
                if (!seen && digit != 0) {
                    seen = true;
                    swapped = digit == 2;
                }
                column.push_back(swapped && digit != 0 ? 3 - digit : digit);
            }
            const auto at = static_cast<std::size_t>(p);
            classes.Swapped[at] = swapped;
            classes.Free[at] = !seen && space_.Signs(p) == 3;
            const auto same = std::find(columns.begin(), columns.end(), column);
            classes.Class[at] = static_cast<std::uint8_t>(same - columns.begin());
            if (same == columns.end()) {
                columns.push_back(std::move(column));
            }
        }
        return classes;
    }

    // The class of each word of `ball` under the symmetries that fix 0 and fixed_, numbered in
    // the order the classes are first met.
    std::vector<std::size_t> KindsInBall(std::span<const std::uint32_t> ball) const {
        const TPositionClasses classes = ClassesOfPositions();
        std::map<TClassKey, std::size_t> numbers;
        std::vector<std::size_t> kinds;
        kinds.reserve(ball.size());
        for (std::size_t word : ball) {
            kinds.push_back(
                numbers.try_emplace(KeyOf(word, classes), numbers.size()).first->second);
        }
        return kinds;
    }

    TClassKey KeyOf(std::size_t word, const TPositionClasses& classes) const {
        TClassKey key{};
        for (int p = 0; p < space_.Length(); ++p) {
            const auto at = static_cast<std::size_t>(p);
            int digit = space_.Digit(word, p);
            if (classes.Free[at]) {
                digit = digit == 0 ? 0 : 1;
            } else if (classes.Swapped[at] && digit != 0) {
                digit = 3 - digit;
            }
            ++key[3 * classes.Class[at] + static_cast<std::size_t>(digit)];
        }
        return key;
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

    // Whether the `left` words that would cover the most bare words each cover, together, as
    // many as there are bare words.
    bool GainsSuffice(std::size_t left) {
        std::fill(gains_.begin(), gains_.end(), 0);
        std::size_t bare = 0;
        for (std::size_t x = 0; x < space_.Size(); ++x) {
            if (covered_[x] != 0) {
                continue;
            }
            ++bare;
            for (std::size_t y : BallOf(x)) {
                gains_[y] += excluded_[y] ? 0 : 1;
            }
        }
        if (left < gains_.size()) {
            std::nth_element(gains_.begin(), gains_.begin() + static_cast<long>(left), gains_.end(),
                             std::greater<>());
        }
        std::size_t most = 0;
        for (std::size_t k = 0; k < left && k < gains_.size(); ++k) {
            most += gains_[k];
        }
        return most >= bare;
    }

    const TMixedSpace& space_;
    std::uint64_t maxNodes_;
    std::size_t ballSize_ = 0;
    // The ball of every word, ballSize_ words each: kMaxExhaustiveWords fit 32 bits.
    std::vector<std::uint32_t> balls_;
    std::vector<std::uint32_t> covered_;
    std::vector<std::uint8_t> excluded_;
    std::vector<std::uint64_t> marks_;
    std::uint64_t stamp_ = 0;
    // How many bare words each word would cover, for GainsSuffice.
    std::vector<std::uint32_t> gains_;
    std::vector<std::size_t> code_;
    // The bare words branched on and the words chosen for them, from the root down: the
    // symmetries used at a node fix each of them.
    std::vector<std::size_t> fixed_;
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
