// The week's forecast: each match's teams, the signs played, the player's chances of them and the
// public's percentages, the Pleno al 15, the price of a column, and the live count and cost of the
// development.
#pragma once

#include <QGroupBox>
#include <QList>

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "plan/plan.h"
#include "plan_change.h"

class QDoubleSpinBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QToolButton;
class TColumnCounter;

class TForecastPanel final : public QGroupBox {
    Q_OBJECT

public:
    explicit TForecastPanel(QWidget* parent = nullptr);

    // Shows the plan's matches, its Pleno, its chances and public's percentages (shown or hidden
    // as the plan has them) and its price. The Pleno's goals toggled are those of some chosen
    // result, on each side. Emits nothing.
    void Load(const kelvo::TPlan& plan);
    // Writes into `plan` the matches, the Pleno (every home goal toggled against every away goal
    // toggled; none when either side has none), whether the chances are shown, and the price.
    void Store(kelvo::TPlan& plan) const;
    // Shows or hides the chances and the public's percentages, the Pleno's with them; emits
    // nothing.
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

    // What `columns` columns cost (kelvo::CostOf) as the player reads it, with the slips the
    // columns take and, when the Pleno multiplies the bets, by how much: "54,00 € (9 boletos)",
    // "108,00 € (72 columnas × 2 resultados del Pleno, 9 boletos)"; a single column says that a
    // slip holds at least two. No columns cost "0,00 €".
    static QString CostText(std::size_t columns, double price, const kelvo::TPleno& pleno);
    // "1 columna", "72 columnas": `columns` as the player reads them.
    static QString ColumnsText(std::size_t columns);

signals:
    // The player changed the signs (Development), the chances (Chances), the price (Price), the
    // public's percentages or the Pleno's goals, chances and percentages (Value) or the teams of a
    // match or of the Pleno (Other).
    void Changed(TPlanChange change);
    // The count asked for by Recount is shown.
    void Counted();

private:
    struct TMatchRow {
        QLineEdit* Teams = nullptr;
        std::array<QToolButton*, 3> Signs{};
        std::array<QDoubleSpinBox*, 3> Chances{};
        std::array<QDoubleSpinBox*, 3> Public{};
    };
    // The Pleno's controls, by team (home, away) then goals (0, 1, 2, M).
    template <typename T>
    using TByTeam = std::array<std::array<T*, kelvo::kPlenoGoals>, 2>;
    struct TPlenoRow {
        QLineEdit* Teams = nullptr;
        TByTeam<QToolButton> Goals{};
        TByTeam<QDoubleSpinBox> Chances{};
        TByTeam<QDoubleSpinBox> Public{};
    };

    void BuildPleno(QGridLayout* grid, int line);
    QDoubleSpinBox* PercentBox(const QString& objectName, const QString& accessibleName,
                               TPlanChange change);
    // The Pleno as the toggles and the boxes have it.
    kelvo::TPleno Pleno() const;
    void SignToggled(int match, int sign, bool on);
    void ShowCount(quint64 columns, std::optional<std::size_t> emptying);
    void ShowCost();

    std::array<TMatchRow, kelvo::kColumnLength> rows_{};
    TPlenoRow pleno_;
    // What shows only with the chances: headers and every chance and percentage.
    QList<QWidget*> chanceWidgets_;
    bool chancesShown_ = false;
    std::optional<quint64> count_;
    // The conditions of the count last asked for, to name the one that leaves no column.
    std::vector<kelvo::TCondition> conditions_;
    std::optional<std::size_t> reduced_;
    const int signWidth_;
    QDoubleSpinBox* price_ = nullptr;
    QLabel* countLabel_ = nullptr;
    QLabel* costLabel_ = nullptr;
    QLabel* reductionCostLabel_ = nullptr;
    TColumnCounter* counter_ = nullptr;
};
