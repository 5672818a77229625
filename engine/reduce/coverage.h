// The coverage rule: a chosen column covers every column within a number of differing positions
// set by the guarantee. Every unit that asks which columns cover which asks this one.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <variant>
#include <vector>

#include "core/column_key.h"
#include "core/guarantee.h"
#include "core/progress.h"
#include "reduce/sign_census.h"

namespace kelvo {

// The number of positions in which `a` and `b` hold different bytes (missing positions hold 0).
int ColumnDistance(const TKey& a, const TKey& b);

// The distinct columns of a set, numbered 0..Count()-1 in the order of their first appearance,
// and for each of them the columns of the set within `radius` differing positions, found in one
// of three ways. Where every column the signs seen can make is there, in the order of their
// numbers, a column's number is its own and its covered columns are its variants (TIdentity).
// Where the numbering is not much larger than the set, a table by number tells which variants are
// columns (TTable). Otherwise the covered columns are found once, through a hash of the columns or
// by sorting the columns with positions masked, and kept (TLists).
class TCoverage {
public:
    static constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

    // The coverage among `columns` for `radius` (0 to kColumnLength). Counts its work on `progress`
    // when one is given. Throws std::bad_alloc when memory runs out.
    TCoverage(std::span<const TKey> columns, int radius, TPacedProgress* progress = nullptr);

    std::size_t Count() const { return columns_.size(); }
    // How many positions a covered column may differ in.
    int Radius() const { return radius_; }
    const TKey& Column(std::size_t k) const { return columns_[k]; }
    // How many of the columns the coverage was made from are equal to column k.
    std::int32_t Occurrences(std::size_t k) const { return occurrences_[k]; }
    // How many columns the coverage was made from, equal ones each counted.
    std::size_t Given() const { return given_; }
    // Whether every column the coverage was made from differs from the others.
    bool AllDistinct() const { return given_ == columns_.size(); }
    // The number of the column equal to `key`, or kNone.
    std::size_t Find(const TKey& key) const;
    // The signs the columns show at each position.
    const TSignCensus& Census() const { return census_; }

    // Whether every variant of every column is a column too, numbered so that ForEachCovered
    // enumerates them without a look-up: the case of a sorted full development.
    bool EveryVariantIsAColumn() const { return std::holds_alternative<TIdentity>(kind_); }

    // The number of columns within the radius of column k, k itself included.
    std::size_t CoveredCount(std::size_t k) const {
        if (const auto* identity = std::get_if<TIdentity>(&kind_)) {
            return identity->CoveredCount;
        }
        std::size_t covered = 0;
        ForEachCovered(k, [&covered](std::size_t) { ++covered; });
        return covered;
    }

    // Calls visit(j) for every column j within the radius of column k, k itself included, each
    // once, in no particular order.
    template <class Visit>
    void ForEachCovered(std::size_t k, Visit&& visit) const {
        visit(k);
        if (radius_ == 0) {
            return;
        }
        if (const auto* identity = std::get_if<TIdentity>(&kind_)) {
            identity->ForEachOther(k, census_, radius_, visit);
        } else if (const auto* table = std::get_if<TTable>(&kind_)) {
            table->ForEachOther(columns_[k], census_, radius_, visit);
        } else {
            std::get_if<TLists>(&kind_)->ForEachOther(k, visit);
        }
    }

private:
    static constexpr std::uint32_t kEmpty = 0;

    // Every number of the census is a column, and each column's number is its own: the case of a
    // full development, whose sorted file lists the columns in the order of their numbers.
    struct TIdentity {
        // The number of columns within the radius of every column.
        std::size_t CoveredCount = 0;

        // Column k is number k: its digits come from k itself, without reading the column.
        template <class Visit>
        void ForEachOther(std::size_t k, const TSignCensus& census, int radius,
                          Visit& visit) const {
            TSignCensus::TDigits digits;
            census.DigitsOfNumber(k, digits);
            census.ForEachVariant(k, digits, radius, [&visit](std::uint64_t number) {
                visit(static_cast<std::size_t>(number));
            });
        }
        std::size_t Find(const TKey& key, const TSignCensus& census) const {
            return census.Holds(key) ? static_cast<std::size_t>(census.NumberOf(key)) : kNone;
        }
    };

    // The variants of a column that are columns, told by a table of every number.
    struct TTable {
        // Column + 1 by number, kEmpty where no column is.
        std::vector<std::uint32_t> Entries;

        template <class Visit>
        void ForEachOther(const TKey& column, const TSignCensus& census, int radius,
                          Visit& visit) const {
            TSignCensus::TDigits digits;
            const std::uint64_t number = census.DigitsOf(column, digits);
            census.ForEachVariant(number, digits, radius, [&](std::uint64_t varied) {
                if (const std::uint32_t entry = Entries[varied]; entry != kEmpty) {
                    visit(static_cast<std::size_t>(entry - 1));
                }
            });
        }
        std::size_t Find(const TKey& key, const TSignCensus& census) const;
    };

    // The covered columns of every column, found once and kept.
    struct TLists {
        // Column + 1 by hash slot, kEmpty where no column is.
        std::vector<std::uint32_t> Hash;
        // The covered columns of column k other than itself: Adjacent[Start[k]..Start[k + 1]).
        std::vector<std::size_t> Start;
        std::vector<std::uint32_t> Adjacent;

        template <class Visit>
        void ForEachOther(std::size_t k, Visit& visit) const {
            for (std::size_t e = Start[k]; e < Start[k + 1]; ++e) {
                visit(static_cast<std::size_t>(Adjacent[e]));
            }
        }
        std::size_t Find(const TKey& key, std::span<const TKey> columns) const;
    };

    void Number(std::span<const TKey> columns);
    TLists Distinguish(std::span<const TKey> columns);
    void Add(const TKey& key);
    void FindByVariants(TLists& lists, TPacedProgress* progress);
    void FindByMasking(TLists& lists, TPacedProgress* progress);

    int radius_;
    std::size_t given_;
    TSignCensus census_;
    std::vector<TKey> columns_;
    std::vector<std::int32_t> occurrences_;
    std::variant<TTable, TIdentity, TLists> kind_;
};

// The number of the first column of `coverage` that no column numbered in `chosen` covers, or
// TCoverage::kNone when they cover every column. Every number in `chosen` must be below Count().
std::size_t FirstUncovered(const TCoverage& coverage, std::span<const std::size_t> chosen);

}  // namespace kelvo
