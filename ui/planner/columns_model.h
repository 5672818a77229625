// The reduced columns as a table for a QTableView: a row per column, the column's number, its 14
// signs one per cell, and, once the week's result is known, how many signs it has right, with the
// right signs in bold and coloured. Holds only the keys, so it stays fast for any number of rows.
#pragma once

#include <QAbstractTableModel>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/column_key.h"
#include "core/prize_categories.h"

class TColumnsModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    // The table's columns: the number, the 14 signs, the signs right.
    static constexpr int kNumberColumn = 0;
    static constexpr int kFirstSignColumn = 1;
    static constexpr int kHitsColumn = kFirstSignColumn + kelvo::kColumnLength;

    using QAbstractTableModel::QAbstractTableModel;

    void SetColumns(std::vector<kelvo::TKey> columns);
    // The week's result (14 signs of 1, X and 2), or none to mark nothing.
    void SetResult(std::optional<std::string> result);

    // The columns of each prize category, 14 signs right first; all 0 without a result.
    std::array<std::size_t, kelvo::kPrizeCategories> HitCounts() const { return hitCounts_; }
    // The signs right of row `row` under the current result.
    int Hits(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    void CountHits();

    std::vector<kelvo::TKey> columns_;
    std::optional<std::string> result_;
    std::array<std::size_t, kelvo::kPrizeCategories> hitCounts_{};
};
