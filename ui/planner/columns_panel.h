// The reduced columns scored against the week's result: the result as typed (a '-' or a blank for a
// match not yet played), how many columns have 14 down to 10 signs right or, while matches remain,
// how many can still reach and already have each, and the columns themselves with their right
// signs marked, their signs right so far and the most they can reach, and, with the week's
// chances, each one's chance, public share and value, sortable by any of these.
#pragma once

#include <QWidget>

#include <optional>
#include <vector>

#include "core/column_key.h"
#include "plan/plan.h"
#include "plan_change.h"

class QLabel;
class QLineEdit;
class QTableView;
class TColumnsModel;

class TColumnsPanel final : public QWidget {
    Q_OBJECT

public:
    explicit TColumnsPanel(QWidget* parent = nullptr);

    // Shows the plan's result and its reduction's columns, scored. Emits nothing.
    void Load(const kelvo::TPlan& plan);
    // Writes the result into `plan` as typed, in capitals, a match not yet played as typed.
    void Store(kelvo::TPlan& plan) const;
    // Shows `columns` in place of those shown, scored against the result.
    void SetColumns(std::vector<kelvo::TKey> columns);
    // Shows each column's chance, public share and value by `pool`'s chances and public
    // percentages, or, with none, leaves them out (the rows sorted by one of them then go back to
    // the reduction's order).
    void ShowShares(std::optional<kelvo::TWeekPool> pool);
    // Puts the panel's controls in Tab order after `previous`; returns the last of them.
    QWidget* ChainTabOrder(QWidget* previous) const;

signals:
    // The result was changed: always TPlanChange::Other.
    void Changed(TPlanChange change);

private:
    void ShowHits();

    QLineEdit* resultEdit_ = nullptr;
    QLabel* hitsLabel_ = nullptr;
    QTableView* columnsView_ = nullptr;
    TColumnsModel* columnsModel_ = nullptr;
};
