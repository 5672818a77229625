// The week's forecast: each match's teams, the signs played and the player's chances of them, the
// price of a column, and the live count and cost of the development.
#pragma once

#include <QGroupBox>

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "plan/plan.h"
#include "plan_change.h"

class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QToolButton;
class TColumnCounter;

class TForecastPanel final : public QGroupBox {
    Q_OBJECT

public:
    explicit TForecastPanel(QWidget* parent = nullptr);

    // Shows the plan's matches, its chances (shown or hidden as the plan has them) and its price.
    // Emits nothing.
    void Load(const kelvo::TPlan& plan);
    // Writes into `plan` the matches, whether the chances are shown, and the price.
    void Store(kelvo::TPlan& plan) const;
    // Shows or hides the chances; emits nothing.
    void ShowChances(bool shown);
    // Counts off this thread the columns of the signs played that meet `conditions`, saying so
    // until the count and its cost are shown; when none does, names the condition that leaves
    // none. Emits Counted once shown.
    void Recount(std::vector<kelvo::TCondition> conditions);
    // Whether the count is still being worked out.
    bool Counting() const;
    // Whether the count is shown and the conditions leave no column.
    bool Empty() const;
    // Shows beside the development's cost that of a reduction of `columns` columns, or none.
    // Emits nothing.
    void ShowReduction(std::optional<std::size_t> columns);
    // Puts the panel's controls in Tab order after `previous`; returns the last of them.
    QWidget* ChainTabOrder(QWidget* previous) const;

signals:
    // The player changed the signs (Development), the chances (Chances), the price (Price) or the
    // teams (Other).
    void Changed(TPlanChange change);
    // The count asked for by Recount is shown.
    void Counted();

private:
    struct TMatchRow {
        QLineEdit* Teams = nullptr;
        std::array<QToolButton*, 3> Signs{};
        std::array<QDoubleSpinBox*, 3> Chances{};
    };

    void SignToggled(int match, int sign, bool on);
    void ShowCount(quint64 columns, std::optional<std::size_t> emptying);
    void ShowCost();

    std::array<TMatchRow, kelvo::kColumnLength> rows_{};
    bool chancesShown_ = false;
    std::optional<quint64> count_;
    // The conditions of the count last asked for, to name the one that leaves no column.
    std::vector<kelvo::TCondition> conditions_;
    std::optional<std::size_t> reduced_;
    QLabel* chancesHeader_ = nullptr;
    QDoubleSpinBox* price_ = nullptr;
    QLabel* countLabel_ = nullptr;
    QLabel* costLabel_ = nullptr;
    QLabel* reductionCostLabel_ = nullptr;
    TColumnCounter* counter_ = nullptr;
};
