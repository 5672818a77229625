// The planner's one window: the week's forecast with its teams and chances, the conditions, the
// live count and cost, the reduction with its progress, what it wins, the reduced columns scored
// against the result, and the plan file. A thin layer over the engine: every count, reduction and
// prize table is the engine's, worked out off this thread.
//
// The window owns the actions, menus, toolbar, layout and status bar, and composes one panel per
// part of the plan; each panel owns its controls and maps them to and from the plan. The run, the
// plan's file and the export of the columns are objects of their own that the window drives.
#pragma once

#include <QMainWindow>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "column_print.h"
#include "common/file_dialog.h"
#include "common/message_box.h"
#include "plan/plan.h"
#include "plan_change.h"
#include "reduction_job.h"

class QAction;
class QCloseEvent;
class QTabWidget;
class QTimer;
class TColumnExport;
class TColumnsPanel;
class TConditionsPanel;
class TForecastPanel;
class TPlanDocument;
class TPrizesPanel;
class TReductionRun;
class TRunPanel;
class TWeekPanel;
class TValueWorker;

class TPlannerWindow final : public QMainWindow {
    Q_OBJECT

public:
    // The window with Qt's file dialogs and message boxes, or with `files` and `messages` (a test's
    // fakes, or ones given their next answers) in their place.
    explicit TPlannerWindow(std::unique_ptr<TFileDialog> files = nullptr,
                            std::unique_ptr<TMessageBox> messages = nullptr);
    // Stops any work still running and waits for it.
    ~TPlannerWindow() override;

    // Opens the plan file at `path` in place of the plan shown. A file that is no plan is refused
    // in an error box, the plan shown staying as it was. Returns whether it was opened.
    bool OpenPlanFile(const QString& path);
    // The plan as the window holds it now.
    kelvo::TPlan CurrentPlan() const;
    // The plan file shown, empty while the plan has none.
    QString PlanPath() const;
    // Whether a reduction or a scoring is running.
    bool Working() const;
    // Whether the live count is still being worked out.
    bool Counting() const;
    // The optimiser then takes exactly `steps` steps from `seed` instead of the time budget, so
    // that a reduction is the same on every machine.
    void SetSearchSteps(std::uint64_t seed, std::uint64_t steps);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildActions();
    void BuildMenus();
    void BuildPanels();
    void SetTabOrder();

    void ShowPlan(const kelvo::TPlan& plan);
    // Takes in a change the player made in a panel. A change that would discard the reduction in
    // force is asked about first; refused, `undo` shows the plan as it stood and nothing else
    // changes.
    void PlanChanged(TPlanChange change, const std::function<void()>& undo = {});
    // Whether the player lets the reduction in force go for the change they made.
    bool MayDiscardReduction();
    // Whether the player lets a new reduction replace the one in force once it completes.
    bool MayReplaceReduction();
    // Whether the player lets the reduction running be stopped for the window to close.
    bool MayStopReduction();
    void Recount();
    void ChancesChanged();
    void ClearReduction();
    // Asks the player for the prize rules; changed, they are the plan's.
    void EditPrizeRules();
    // Works out again, from the plan as it stands, what the reduction in force is expected to win
    // and the columns' shares; without a reduction or usable chances, leaves them out.
    void Revalue();
    // Revalues once the player rests, not at every step of a spin box.
    void RevalueSoon();

    void StartReduction();
    void StopReduction();
    void StartScoring();
    void StartRun(TReductionInput input, bool reducing);
    void RunFinished(std::shared_ptr<const TReductionResult> result, bool reduced);
    void RunFailed(const QString& message);
    void SetWorking(bool working);
    std::optional<kelvo::TChances> ValidChances(const kelvo::TPlan& plan);
    // Why the plan's budget cannot choose columns, in the player's words: it buys none, or the
    // chances it weighs cannot be used; none when it can, or there is no budget.
    std::optional<QString> BudgetRefusal(const kelvo::TPlan& plan) const;
    // Shows or hides the chances, the action checked to match, as a change taken in or undone.
    void ShowChancesShown(bool shown);

    void NewPlan();
    void OpenPlan();
    // Whether there are reduced columns to export, and no run working on them.
    bool MayExport() const;
    // The plan's name, guarantee and today's date, over exported columns.
    TPrintHeading PrintHeading() const;
    void ShowError(const QString& message);
    void ShowStatus(const QString& message);
    void UpdateTitle();
    void UpdateActions();

    std::unique_ptr<TFileDialog> files_;
    std::unique_ptr<TMessageBox> messages_;
    TPlanDocument* document_ = nullptr;
    TColumnExport* export_ = nullptr;
    std::optional<kelvo::TPlanReduction> reduction_;
    // The plan as it stood after the last change taken in: a change refused is undone from it.
    kelvo::TPlan accepted_;
    // The prize rules, which no panel shows: the prize rules dialog changes them.
    kelvo::TPrizeRules rules_;
    // A chance changed while a run worked: the prizes are weighed again once it ends.
    bool rescore_ = false;

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
    QAction* prizeRulesAction_ = nullptr;
    QAction* reduceAction_ = nullptr;
    QAction* stopAction_ = nullptr;

    TForecastPanel* forecastPanel_ = nullptr;
    TConditionsPanel* conditionsPanel_ = nullptr;
    TRunPanel* runPanel_ = nullptr;
    TWeekPanel* weekPanel_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    TPrizesPanel* prizesPanel_ = nullptr;
    TColumnsPanel* columnsPanel_ = nullptr;
    TValueWorker* valueWorker_ = nullptr;
    QTimer* valueTimer_ = nullptr;
    // Declared last: destroyed first, stopping and joining its worker before the rest goes.
    std::unique_ptr<TReductionRun> run_;
};
