// How the plan is reduced and how far a run has got: the guarantee, the optimiser's time, whether
// it may use columns outside the forecast, the budget (how much, in columns or euros, and what its
// columns are chosen for) with what it buys, the Reducir and Parar buttons, and the phase,
// progress, best size, lower bound and time left of the run.
#pragma once

#include <QGroupBox>

#include <cstddef>
#include <optional>

#include "plan/plan.h"
#include "plan_change.h"
#include "reduction_job.h"

class QAction;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QSpinBox;
class QToolButton;

class TRunPanel final : public QGroupBox {
    Q_OBJECT

public:
    // The buttons trigger `reduce` and `stop`, the window's actions.
    TRunPanel(QAction* reduce, QAction* stop, QWidget* parent = nullptr);

    // Shows the plan's guarantee, time, choice of columns and budget (off: the last budget shown,
    // unticked), and what the budget buys at the plan's price and Pleno; the run shown stays.
    // Emits nothing.
    void Load(const kelvo::TPlan& plan);
    // Writes into `plan` the guarantee, the time, whether columns may come from anywhere and the
    // budget.
    void Store(kelvo::TPlan& plan) const;
    // Shows what the budget buys at the plan's price and Pleno: "Da para 40 columnas", "Cuestan
    // 30,00 €".
    void ShowPrice(const kelvo::TPlan& plan);
    // Whether a budget is ticked.
    bool HasBudget() const;
    // Unticks the budget. Emits nothing.
    void DropBudget();
    // While a run works, the settings are locked and its progress starts from nothing.
    void SetWorking(bool working);
    // Shows no run: no phase, an empty bar, no sizes.
    void ShowIdle();
    // Shows how far the run has got: its phase, progress, best size so far, how far below it a
    // reduction could go, and time left.
    void ShowProgress(const TJobProgress& progress);
    // Says that the search is being stopped.
    void ShowStopping();
    // Shows a run ended; `reduction`, the reduction a run made: its size then takes the place of
    // the best size so far, and its lower bound the run's; for columns chosen for a budget, how
    // many were chosen and whether none does better.
    void ShowFinished(const std::optional<kelvo::TPlanReduction>& reduction);
    // Shows a run failed: no run, as before it started.
    void ShowFailed();
    // Puts the panel's controls in Tab order after `previous`; returns the last of them.
    QWidget* ChainTabOrder(QWidget* previous) const;

signals:
    // The player changed the guarantee, the choice of columns or the budget (Reduction) or the
    // time (Other).
    void Changed(TPlanChange change);

private:
    // Words the run's lower bound against its best size.
    void ShowBound();
    void EnableAnywhere();
    // Enables the budget's controls while it is ticked and no run works, and words what it buys.
    void EnableBudget();
    // The budget the controls show, ticked or not.
    kelvo::TPlanBudget ShownBudget() const;
    // Columns are counted whole, euros to the cent, each within the plan's limits.
    void SetAmountRange();

    bool working_ = false;
    // The run's best size and its lower bound on any reduction's size, 0 while it has none, and
    // whether no reduction is smaller than the best, as the run proved.
    std::size_t best_ = 0;
    std::size_t bound_ = 0;
    bool smallest_ = false;
    QComboBox* guarantee_ = nullptr;
    QSpinBox* budget_ = nullptr;
    QCheckBox* anywhere_ = nullptr;
    // The plan's price and Pleno, which say what the budget buys.
    double price_ = kelvo::kDefaultPrice;
    kelvo::TPleno pleno_;
    QCheckBox* budgetOn_ = nullptr;
    QDoubleSpinBox* budgetAmount_ = nullptr;
    QComboBox* budgetUnit_ = nullptr;
    QComboBox* budgetGoal_ = nullptr;
    QLabel* budgetBuys_ = nullptr;
    QToolButton* reduceButton_ = nullptr;
    QToolButton* stopButton_ = nullptr;
    QLabel* phaseLabel_ = nullptr;
    QLabel* bestLabel_ = nullptr;
    QLabel* boundLabel_ = nullptr;
    QLabel* timeLeftLabel_ = nullptr;
    QProgressBar* progress_ = nullptr;
};
