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

    // Shows the plan's guarantee, time and choice of columns, and no run. Emits nothing.
    void Load(const kelvo::TPlan& plan);
    // Writes into `plan` the guarantee, the time and whether columns may come from anywhere.
    void Store(kelvo::TPlan& plan) const;
    // While a run works, the settings are locked and its progress starts from nothing.
    void SetWorking(bool working);
    // Shows how far the run has got: its phase, progress, best size, lower bound and time left.
    void ShowProgress(const TJobProgress& progress);
    // Says that the search is being stopped.
    void ShowStopping();
    // Shows a run ended; `chosen`, the size of the reduction found by a run that reduced.
    void ShowFinished(std::optional<std::size_t> chosen);
    // Shows a run failed, no phase.
    void ShowFailed();
    // Puts the panel's controls in Tab order after `previous`; returns the last of them.
    QWidget* ChainTabOrder(QWidget* previous) const;

signals:
    // The player changed the guarantee or the choice of columns (Reduction) or the time (Other).
    void Changed(TPlanChange change);

private:
    void ClearProgress();
    void EnableAnywhere();

    bool working_ = false;
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
