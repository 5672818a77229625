#include "optimise/partition_search.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <stdexcept>

#include "optimise/indexed_set.h"

namespace kelvo {

namespace {

// How often the walk looks at the clock, in moves.
constexpr std::uint64_t kClockEvery = 1024;

void CheckPartitionShape(int triples, int doubles, int radius, int parts) {
    const int length = triples + doubles;
    if (parts < 2 || parts > 3 || triples < 0 || doubles < 0 || length < 2 ||
        length > kMaxCodeLength || radius < 0 || radius > kMaxCodeRadius) {
        throw std::invalid_argument(
            "partition search needs 2 or 3 parts and a code of 2 to 14 positions and radius 0 "
            "to 3");
    }
}

// A move of the tabu search: word `Word` to `Digits` in part `Label`, leaving `Change` more bare
// words.
struct TMove {
    std::size_t Word = 0;
    std::array<std::uint8_t, kMaxCodeLength> Digits{};
    std::uint8_t Label = 0;
    std::ptrdiff_t Change = 0;
};

// A code and its labels over the space of one shape, with, for every word of the space, how many
// code words lie within the radius of it and how many words of each part within the radius plus
// one; the bare words (a count of 0) are kept in a set to draw from.
class TPartitionWalk {
public:
    TPartitionWalk(int triples, int doubles, int radius, int parts, bool movesWords,
                   std::uint64_t seed)
        : triples_(triples),
          doubles_(doubles),
          length_(triples + doubles),
          radius_(radius),
          parts_(parts),
          movesWords_(movesWords),
          random_(seed),
          bare_(0) {
        // The first position has the highest place here, not the lowest as in TMixedSpace: the
        // stored partitions were found by walks over this numbering, which the same seed would
        // not retrace over another.
        for (int p = length_; p-- > 0;) {
            place_[static_cast<std::size_t>(p)] = space_;
            signs_[static_cast<std::size_t>(p)] = p < triples ? 3 : 2;
            space_ *= signs_[static_cast<std::size_t>(p)];
        }
        cover_.assign(movesWords_ ? space_ : 0, 0);
        inner_.assign(space_, 0);
        partCover_.assign(space_ * static_cast<std::size_t>(parts_), 0);
        bare_ = TIndexedSet(space_ * static_cast<std::size_t>(parts_ + 1));
        for (std::size_t id = movesWords_ ? 0 : space_; id < space_ * (parts_ + 1U); ++id) {
            bare_.Insert(id);
        }
    }

    std::uint32_t Draw(std::size_t n) { return static_cast<std::uint32_t>(random_() % n); }
    std::size_t Bare() const { return bare_.Size(); }
    bool MovesWords() const { return movesWords_; }

    // Adds a word of the space, by its digits, with its label.
    void AddWord(const std::uint8_t* digits, std::uint8_t label) {
        words_.insert(words_.end(), digits, digits + length_);
        labels_.push_back(label);
        Count(labels_.size() - 1, +1);
    }

    // One move towards a bare word, taken or undone as the walk decides.
    void Step(double temperature) {
        const std::size_t id = bare_.At(Draw(bare_.Size()));
        const std::size_t x = id % space_;
        const std::size_t count = labels_.size();
        std::size_t word = 0;
        std::uint8_t label = 0;
        std::array<std::uint8_t, kMaxCodeLength> target{};
        if (id < space_) {
            // The code misses x: a random word moves near it.
            word = Draw(count);
            label = labels_[word];
            Near(x, radius_, target);
        } else {
            label = static_cast<std::uint8_t>(id / space_ - 1);
            if (movesWords_ && Draw(2) == 0) {
                word = Draw(count);
                Near(x, radius_ + 1, target);
            } else {
                word = RelabelCandidate(x, label);
                std::copy_n(Word(word), length_, target.begin());
            }
        }
        std::array<std::uint8_t, kMaxCodeLength> old{};
        std::copy_n(Word(word), length_, old.begin());
        const std::uint8_t oldLabel = labels_[word];
        const std::size_t before = bare_.Size();
        Replace(word, target.data(), label);
        const std::size_t after = bare_.Size();
        if (after > before) {
            const double uniform = static_cast<double>(random_() >> 11) * 0x1.0p-53;
            if (uniform >= std::exp(-static_cast<double>(after - before) / temperature)) {
                Replace(word, old.data(), oldLabel);
            }
        }
    }

    // The best move towards a bare word that moves no word moved in the last `tenure` steps:
    // a word to a neighbour (one position changed) from where it covers the bare word, or a
    // word near enough relabelled; taken even when worse, ties drawn at random.
    void TabuStep(std::uint64_t step, std::uint64_t tenure) {
        const std::size_t id = bare_.At(Draw(bare_.Size()));
        const std::size_t x = id % space_;
        const bool forCode = id < space_;
        const auto part = static_cast<std::uint8_t>(forCode ? 0 : id / space_ - 1);
        const int reach = forCode ? radius_ : radius_ + 1;
        std::array<std::uint8_t, kMaxCodeLength> target{};
        Near(x, 0, target);
        tabuUntil_.resize(labels_.size(), 0);
        TMove best;
        std::size_t ties = 0;
        const auto weigh = [&](std::size_t word, const std::uint8_t* digits, std::uint8_t label) {
            std::array<std::uint8_t, kMaxCodeLength> old{};
            std::copy_n(Word(word), length_, old.begin());
            const std::uint8_t oldLabel = labels_[word];
            const auto before = static_cast<std::ptrdiff_t>(bare_.Size());
            Replace(word, digits, label);
            const std::ptrdiff_t change = static_cast<std::ptrdiff_t>(bare_.Size()) - before;
            Replace(word, old.data(), oldLabel);
            if (ties == 0 || change < best.Change) {
                ties = 0;
            } else if (change > best.Change) {
                return;
            }
            if (Draw(++ties) == 0) {
                best = TMove{word, {}, label, change};
                std::copy_n(digits, length_, best.Digits.begin());
            }
        };
        for (std::size_t w = 0; w < labels_.size(); ++w) {
            if (tabuUntil_[w] > step) {
                continue;
            }
            std::array<std::uint8_t, kMaxCodeLength> digits{};
            std::copy_n(Word(w), length_, digits.begin());
            int distance = 0;
            for (int p = 0; p < length_; ++p) {
                distance +=
                    digits[static_cast<std::size_t>(p)] != target[static_cast<std::size_t>(p)];
            }
            const std::uint8_t label = forCode ? labels_[w] : part;
            if (!forCode && labels_[w] != part && distance <= reach) {
                weigh(w, digits.data(), part);
            }
            for (int p = 0; p < length_; ++p) {
                const auto q = static_cast<std::size_t>(p);
                const std::uint8_t own = digits[q];
                for (std::uint8_t sign = 0; sign < signs_[q]; ++sign) {
                    const int moved = distance - (own != target[q]) + (sign != target[q]);
                    if (sign != own && moved <= reach) {
                        digits[q] = sign;
                        weigh(w, digits.data(), label);
                    }
                }
                digits[q] = own;
            }
        }
        if (ties > 0) {
            Replace(best.Word, best.Digits.data(), best.Label);
            tabuUntil_[best.Word] = step + tenure + 1;
        }
    }

    void Store(TPartitionSearchResult& result) const {
        result.Code = TCode{triples_, doubles_, radius_, words_};
        result.Labels = labels_;
        result.Bare = bare_.Size();
    }

private:
    const std::uint8_t* Word(std::size_t w) const {
        return words_.data() + w * static_cast<std::size_t>(length_);
    }

    std::size_t Number(const std::uint8_t* digits) const {
        std::size_t number = 0;
        for (int p = 0; p < length_; ++p) {
            number += digits[p] * place_[static_cast<std::size_t>(p)];
        }
        return number;
    }

    // A random word within `radius` of x: x with `radius` random positions given random signs.
    void Near(std::size_t x, int radius, std::array<std::uint8_t, kMaxCodeLength>& digits) {
        for (int p = 0; p < length_; ++p) {
            const auto q = static_cast<std::size_t>(p);
            digits[q] = static_cast<std::uint8_t>(x / place_[q] % signs_[q]);
        }
        for (int k = 0; k < radius; ++k) {
            const std::size_t p = Draw(static_cast<std::size_t>(length_));
            digits[p] = static_cast<std::uint8_t>(Draw(signs_[p]));
        }
    }

    // A random word within the radius plus one of x that is not in part `label`, or any random
    // word when there is none.
    std::size_t RelabelCandidate(std::size_t x, std::uint8_t label) {
        candidates_.clear();
        std::array<std::uint8_t, kMaxCodeLength> digits{};
        Near(x, 0, digits);
        for (std::size_t w = 0; w < labels_.size(); ++w) {
            if (labels_[w] == label) {
                continue;
            }
            const std::uint8_t* word = Word(w);
            int distance = 0;
            for (int p = 0; p < length_ && distance <= radius_ + 1; ++p) {
                distance += word[p] != digits[static_cast<std::size_t>(p)] ? 1 : 0;
            }
            if (distance <= radius_ + 1) {
                candidates_.push_back(w);
            }
        }
        return candidates_.empty() ? Draw(labels_.size()) : candidates_[Draw(candidates_.size())];
    }

    void Replace(std::size_t w, const std::uint8_t* digits, std::uint8_t label) {
        Count(w, -1);
        std::copy_n(digits, length_, words_.begin() + static_cast<std::ptrdiff_t>(w * length_));
        labels_[w] = label;
        Count(w, +1);
    }

    // Adds (+1) or takes away (-1) word w from the counts of every word within the radius plus
    // one of it.
    void Count(std::size_t w, int sign) {
        const std::uint8_t* word = Word(w);
        const std::size_t part = labels_[w];
        Visit(word, Number(word), 0, 0, [&](std::size_t x, int distance) {
            if (distance < radius_) {
                inner_[x] = static_cast<std::uint16_t>(inner_[x] + sign);
                for (std::size_t s = 0; s < static_cast<std::size_t>(parts_); ++s) {
                    Refresh(s, x);
                }
            }
            if (movesWords_ && distance <= radius_) {
                cover_[x] = static_cast<std::uint16_t>(cover_[x] + sign);
                Mark(x, cover_[x] == 0);
            }
            std::uint16_t& counter = partCover_[part * space_ + x];
            counter = static_cast<std::uint16_t>(counter + sign);
            Refresh(part, x);
        });
    }

    // A part is bare at x when x lies at the radius from the code, no nearer, and farther than
    // the radius plus one from the part: nearer words are within the radius plus one of every
    // part of the partition sum through the other half.
    void Refresh(std::size_t part, std::size_t x) {
        Mark(space_ * (part + 1) + x, inner_[x] == 0 && partCover_[part * space_ + x] == 0);
    }

    void Mark(std::size_t id, bool bare) {
        if (bare != bare_.Contains(id)) {
            bare ? bare_.Insert(id) : bare_.Erase(id);
        }
    }

    // Calls visit(x, distance) for every word x within the radius plus one of `word`, once each.
    template <typename TVisit>
    void Visit(const std::uint8_t* word, std::size_t number, int from, int distance,
               const TVisit& visit) {
        visit(number, distance);
        if (distance > radius_) {
            return;
        }
        for (int p = from; p < length_; ++p) {
            const auto q = static_cast<std::size_t>(p);
            for (std::uint8_t sign = 0; sign < signs_[q]; ++sign) {
                if (sign != word[p]) {
                    Visit(word, number + sign * place_[q] - word[p] * place_[q], p + 1,
                          distance + 1, visit);
                }
            }
        }
    }

    int triples_;
    int doubles_;
    int length_;
    int radius_;
    int parts_;
    bool movesWords_;
    std::mt19937_64 random_;
    std::array<std::size_t, kMaxCodeLength> place_{};
    std::array<std::uint8_t, kMaxCodeLength> signs_{};
    std::size_t space_ = 1;
    std::vector<std::uint8_t> words_;
    std::vector<std::uint8_t> labels_;
    std::vector<std::uint16_t> cover_;
    std::vector<std::uint16_t> inner_;
    std::vector<std::uint16_t> partCover_;
    TIndexedSet bare_;
    std::vector<std::size_t> candidates_;
    std::vector<std::uint64_t> tabuUntil_;
};

TPartitionSearchResult Walk(TPartitionWalk& walk, const TPartitionSearchLimits& limits) {
    TPartitionSearchResult best;
    walk.Store(best);
    std::uint64_t step = 0;
    while (walk.Bare() > 0 && step < limits.Steps) {
        if (step % kClockEvery == 0 && TClock::now() >= limits.Deadline) {
            break;
        }
        if (walk.MovesWords()) {
            walk.TabuStep(step, limits.Tenure);
        } else {
            walk.Step(limits.Temperature);
        }
        ++step;
        if (walk.Bare() < best.Bare) {
            walk.Store(best);
        }
    }
    best.Steps = step;
    return best;
}

}  // namespace

std::size_t BareOfPartition(const TCode& code, const std::vector<std::uint8_t>& labels, int parts) {
    CheckPartitionShape(code.Triples, code.Doubles, code.Radius, parts);
    if (labels.size() != code.Size() ||
        std::any_of(labels.begin(), labels.end(),
                    [&](std::uint8_t label) { return label >= parts; })) {
        throw std::invalid_argument("partition labels do not fit");
    }
    TPartitionWalk walk(code.Triples, code.Doubles, code.Radius, parts, false, 0);
    for (std::size_t w = 0; w < code.Size(); ++w) {
        walk.AddWord(code.Words.data() + w * static_cast<std::size_t>(code.Length()), labels[w]);
    }
    return walk.Bare();
}

std::vector<int> FunctionalPartition(const TCode& code, int parts, int positions) {
    CheckPartitionShape(code.Triples, code.Doubles, code.Radius, parts);
    const int length = code.Length();
    if (positions < 1 || positions > length) {
        throw std::invalid_argument("functional positions out of range");
    }
    std::vector<int> coefficients(static_cast<std::size_t>(length), 0);
    while (true) {
        int p = length - 1;
        while (p >= length - positions && ++coefficients[static_cast<std::size_t>(p)] == parts) {
            coefficients[static_cast<std::size_t>(p--)] = 0;
        }
        if (p < length - positions) {
            return {};
        }
        if (BareOfPartition(code, FunctionalLabels(code, coefficients, parts), parts) == 0) {
            return coefficients;
        }
    }
}

TPartitionSearchResult SearchPartition(const TCode& code, int parts,
                                       const TPartitionSearchLimits& limits) {
    CheckPartitionShape(code.Triples, code.Doubles, code.Radius, parts);
    TPartitionWalk walk(code.Triples, code.Doubles, code.Radius, parts, false, limits.Seed);
    for (std::size_t w = 0; w < code.Size(); ++w) {
        walk.AddWord(code.Words.data() + w * static_cast<std::size_t>(code.Length()),
                     static_cast<std::uint8_t>(walk.Draw(static_cast<std::size_t>(parts))));
    }
    return Walk(walk, limits);
}

TPartitionSearchResult SearchPartitionedCode(int triples, int doubles, int radius, std::size_t size,
                                             int parts, const TPartitionSearchLimits& limits) {
    CheckPartitionShape(triples, doubles, radius, parts);
    if (size == 0) {
        throw std::invalid_argument("partition search needs 1 word or more");
    }
    TPartitionWalk walk(triples, doubles, radius, parts, true, limits.Seed);
    std::array<std::uint8_t, kMaxCodeLength> digits{};
    for (std::size_t w = 0; w < size; ++w) {
        for (int p = 0; p < triples + doubles; ++p) {
            digits[static_cast<std::size_t>(p)] =
                static_cast<std::uint8_t>(walk.Draw(p < triples ? 3 : 2));
        }
        walk.AddWord(digits.data(),
                     static_cast<std::uint8_t>(walk.Draw(static_cast<std::size_t>(parts))));
    }
    return Walk(walk, limits);
}

}  // namespace kelvo
