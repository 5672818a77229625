// The reduced columns as a table for a QTableView: a row per column, the column's number, its 14
// signs one per cell, and, once the week's result is known (in full or in part), how many signs it
// has right so far and the most it can still reach, with the right signs in bold and coloured;
// with the week's chances, each column's chance, its share of the public's bets and its value
// (the one over the other). Holds the keys, their standings and their shares only, so it stays
// fast for any number of rows. Sorts by any of its columns, ties in the order of the reduction.
#pragma once

#include <QAbstractTableModel>

#include <optional>
#include <string>
#include <vector>

#include "core/column_key.h"
#include "modes/score.h"
#include "value/week_pool.h"

class TColumnsModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    // The table's columns: the number, the 14 signs, the signs right, the most it can reach, and,
    // with the week's chances only, the chance, the public's share and the value.
    static constexpr int kNumberColumn = 0;
    static constexpr int kFirstSignColumn = 1;
    static constexpr int kHitsColumn = kFirstSignColumn + kelvo::kColumnLength;
    static constexpr int kMostColumn = kHitsColumn + 1;
    static constexpr int kChanceColumn = kMostColumn + 1;
    static constexpr int kPublicColumn = kChanceColumn + 1;
    static constexpr int kValueColumn = kPublicColumn + 1;

    using QAbstractTableModel::QAbstractTableModel;

    // Shows `columns` in place of those shown, scored against the result and in the order chosen.
    void SetColumns(std::vector<kelvo::TKey> columns);
    // The week's result as kelvo::IsResult takes it (a '-' or a blank for a match not yet played),
    // or none to mark nothing. Sorted by signs right or by the most, the rows take their new order.
    void SetResult(std::optional<std::string> result);
    // Adds the columns of each column's chance, public share and value by `pool`'s chances and
    // public percentages (kelvo::ShareOfColumn), or updates them; none removes them. Sorted by
    // one of them, the rows take their new order.
    void SetShares(std::optional<kelvo::TWeekPool> pool);

    // The columns scored against the result; every count 0 without one.
    const kelvo::TScore& Score() const { return score_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // Orders the rows by `column` (signs by 1, X, 2), ties by the columns' numbers; keeps the order
    // for the columns and results to come. Moves the persistent indexes (the selection) along.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    void CountHits();
    void WeighShares();
    void Order();
    // The figure of column `place` that the rows are sorted by.
    double SortKey(std::size_t place) const;

    std::vector<kelvo::TKey> columns_;
    // order_[row]: the place in columns_ of the column shown in `row`.
    std::vector<std::size_t> order_;
    // standings_[k]: how columns_[k] stands against the result; empty without one.
    std::vector<kelvo::TStanding> standings_;
    std::optional<std::string> result_;
    // The chances and public percentages the shares are weighed by; none without chances.
    std::optional<kelvo::TWeekPool> pool_;
    // chances_[k], publicShares_[k]: of columns_[k], as fractions; empty without a pool.
    std::vector<double> chances_;
    std::vector<double> publicShares_;
    kelvo::TScore score_;
    int sortColumn_ = kNumberColumn;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};
