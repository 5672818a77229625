// How the plan is reduced and how far a run has got: the guarantee, the optimiser's time, whether
// it may use columns outside the forecast, the Reducir and Parar buttons, and the phase, progress,
// best size, lower bound and time left of the run.
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
class QLabel;
class QProgressBar;
class QSpinBox;
class QToolButton;

class TRunPanel final : public QGroupBox {
    Q_OBJECT

public:
    // The buttons trigger `reduce` and `stop`, the window's actions.
    TRunPanel(QAction* reduce, QAction* stop, QWidget* parent = nullptr);

    // Shows the plan's guarantee, time and choice of columns; the run shown stays. Emits nothing.
    void Load(const kelvo::TPlan& plan);
    // Writes into `plan` the guarantee, the time and whether columns may come from anywhere.
    void Store(kelvo::TPlan& plan) const;
    // While a run works, the settings are locked and its progress starts from nothing.
    void SetWorking(bool working);
    // Shows no run: no phase, an empty bar, no sizes.
    void ShowIdle();
    // Shows how far the run has got: its phase, progress, best size so far, how far below it a
    // reduction could go, and time left.
    void ShowProgress(const TJobProgress& progress);
    // Says that the search is being stopped.
    void ShowStopping();
    // Shows a run ended; `report`, how the reduction went for a run that reduced: its size then
    // takes the place of the best size so far, and its lower bound the run's.
    void ShowFinished(const std::optional<kelvo::TReductionReport>& report);
    // Shows a run failed: no run, as before it started.
    void ShowFailed();
    // Puts the panel's controls in Tab order after `previous`; returns the last of them.
    QWidget* ChainTabOrder(QWidget* previous) const;

signals:
    // The player changed the guarantee or the choice of columns (Reduction) or the time (Other).
    void Changed(TPlanChange change);

private:
    // Words the run's lower bound against its best size.
    void ShowBound();
    void EnableAnywhere();

    bool working_ = false;
    // The run's best size and its lower bound on any reduction's size, 0 while it has none, and
    // whether no reduction is smaller than the best, as the run proved.
    std::size_t best_ = 0;
    std::size_t bound_ = 0;
    bool smallest_ = false;
    QComboBox* guarantee_ = nullptr;
    QSpinBox* budget_ = nullptr;
    QCheckBox* anywhere_ = nullptr;
    QToolButton* reduceButton_ = nullptr;
    QToolButton* stopButton_ = nullptr;
    QLabel* phaseLabel_ = nullptr;
    QLabel* bestLabel_ = nullptr;
    QLabel* boundLabel_ = nullptr;
    QLabel* timeLeftLabel_ = nullptr;
    QProgressBar* progress_ = nullptr;
};
