// The planner's one window: the week's forecast with its teams and chances, the conditions, the
// live count and cost, the reduction with its progress, what it wins, the reduced columns scored
// against the result, and the plan file. A thin layer over the engine: every count, reduction and
// prize table is the engine's, worked out off this thread.
#pragma once

#include <QMainWindow>
#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "column_print.h"
#include "path_chooser.h"
#include "plan/plan.h"
#include "reduction_job.h"

class QAction;
class QCheckBox;
class QCloseEvent;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QSpinBox;
class QTableView;
class QTableWidget;
class QTabWidget;
class QToolButton;
class TColumnCounter;
class TColumnsModel;

class TPlannerWindow final : public QMainWindow {
    Q_OBJECT

public:
    // The window with Qt's file dialogs, or with `chooser` answering in their place.
    explicit TPlannerWindow(std::unique_ptr<TPathChooser> chooser = nullptr);
    // Stops any work still running and waits for it.
    ~TPlannerWindow() override;

    // Opens the plan file at `path` in place of the plan shown. A file that is no plan is refused
    // in an error box, the plan shown staying as it was. Returns whether it was opened.
    bool OpenPlanFile(const QString& path);
    // The plan as the window holds it now.
    kelvo::TPlan CurrentPlan() const;
    // The plan file shown, empty while the plan has none.
    QString PlanPath() const { return planPath_; }
    // Whether a reduction or a scoring is running.
    bool Working() const { return job_ != nullptr; }
    // Whether the live count is still being worked out.
    bool Counting() const;
    // The optimiser then takes exactly `steps` steps from `seed` instead of the time budget, so
    // that a reduction is the same on every machine.
    void SetSearchSteps(std::uint64_t seed, std::uint64_t steps);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct TMatchRow {
        QLabel* Number = nullptr;
        QLineEdit* Teams = nullptr;
        std::array<QToolButton*, 3> Signs{};
        std::array<QDoubleSpinBox*, 3> Chances{};
    };

    void BuildActions();
    void BuildMenus();
    QWidget* BuildForecast();
    QWidget* BuildConditions();
    QWidget* BuildReduction();
    QWidget* BuildResults();
    void SetTabOrder();

    void ShowPlan(const kelvo::TPlan& plan, const QString& path);
    void SignToggled(int match, int sign, bool on);
    void InputsChanged();
    void MarkModified();
    void Recount();
    void ShowCount(quint64 columns);
    void ShowCost();
    void AddCondition();
    void RemoveCondition();
    void ShowConditions();
    void ShowChances(bool shown);
    void ChancesChanged();

    void StartReduction();
    void StopReduction();
    void StartScoring();
    void StartJob(TReductionInput input, bool reducing);
    void ShowProgress(const TJobProgress& progress);
    void JobFinished(std::shared_ptr<const TReductionResult> result);
    void JobFailed(const QString& message);
    void SetWorking(bool working);
    void ClearReduction();
    void ShowReduction();
    void ShowPrizes(const TReductionResult& result);
    void ResultEdited();
    std::optional<kelvo::TChances> ValidChances();

    void NewPlan();
    void OpenPlan();
    bool SavePlanFile();
    bool SavePlanAs();
    bool WritePlan(const QString& path);
    // Where the reduced columns go, asked in a save dialog named `title` and proposing the plan's
    // name with `suffix`; empty when there is nothing to export, a run is working or the player
    // cancels.
    QString ChooseExportPath(const QString& title, const QString& filter, const QString& suffix);
    // The plan's name, guarantee and today's date, over printed columns.
    TPrintHeading PrintHeading() const;
    void SaveColumnFile();
    void ExportPdf();
    void Print();
    bool MaySetPlanAside();
    void ShowError(const QString& message);
    void UpdateTitle();
    void UpdateActions();
    QString PlanName() const;

    std::unique_ptr<TPathChooser> chooser_;
    std::array<TMatchRow, kelvo::kColumnLength> rows_{};
    std::vector<kelvo::TCondition> conditions_;
    std::optional<kelvo::TPlanReduction> reduction_;
    std::shared_ptr<const TReductionResult> prizes_;
    QString planPath_;
    std::optional<std::pair<std::uint64_t, std::uint64_t>> searchSteps_;
    std::optional<quint64> count_;
    bool showing_ = false;

    QAction* newAction_ = nullptr;
    QAction* openAction_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* saveAsAction_ = nullptr;
    QAction* saveColumnsAction_ = nullptr;
    QAction* exportPdfAction_ = nullptr;
    QAction* printAction_ = nullptr;
    QAction* quitAction_ = nullptr;
    QAction* addConditionAction_ = nullptr;
    QAction* removeConditionAction_ = nullptr;
    QAction* chancesAction_ = nullptr;
    QAction* reduceAction_ = nullptr;
    QAction* stopAction_ = nullptr;

    QGroupBox* forecastBox_ = nullptr;
    QGroupBox* conditionsBox_ = nullptr;
    QLabel* chancesHeader_ = nullptr;
    QDoubleSpinBox* price_ = nullptr;
    QLabel* countLabel_ = nullptr;
    QLabel* costLabel_ = nullptr;
    QListWidget* conditionList_ = nullptr;
    QToolButton* addConditionButton_ = nullptr;
    QToolButton* removeConditionButton_ = nullptr;
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
    QTabWidget* tabs_ = nullptr;
    QLabel* summaryLabel_ = nullptr;
    QLabel* guaranteedLabel_ = nullptr;
    QLabel* chancesLabel_ = nullptr;
    QTableWidget* prizeTable_ = nullptr;
    QLineEdit* resultEdit_ = nullptr;
    QLabel* hitsLabel_ = nullptr;
    QTableView* columnsView_ = nullptr;
    TColumnsModel* columnsModel_ = nullptr;
    TColumnCounter* counter_ = nullptr;
    // Declared last: destroyed first, stopping and joining its worker before the rest goes.
    std::unique_ptr<TReductionJob> job_;
    bool reducing_ = false;
};
