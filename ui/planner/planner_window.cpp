#include "planner_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDate>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <chrono>
#include <string>
#include <utility>

#include "column_export.h"
#include "columns_panel.h"
#include "common/player_numbers.h"
#include "common/screen_placement.h"
#include "conditions_panel.h"
#include "forecast_panel.h"
#include "plan_document.h"
#include "prize_rules_dialog.h"
#include "prizes_panel.h"
#include "reduction_run.h"
#include "run_panel.h"
#include "value_worker.h"
#include "week_panel.h"

namespace {

// The plan's chances as the engine reads them, a line a match.
std::string ChancesText(const kelvo::TPlan& plan) {
    std::string text;
    for (const kelvo::TPlanMatch& match : plan.Matches) {
        for (const double chance : match.Chances) {
            text += QString::number(chance, 'f', 1).toStdString() + ' ';
        }
        text += '\n';
    }
    return text;
}

// How long the chances, or the week's figures, rest before their prizes are weighed or valued
// again.
constexpr int kChancesPauseMs = 300;

const char kGeometryKey[] = "window/geometry";

}  // namespace

TPlannerWindow::TPlannerWindow(std::unique_ptr<TFileDialog> files,
                               std::unique_ptr<TMessageBox> messages)
    : files_(files ? std::move(files) : std::make_unique<TFileDialog>()),
      messages_(messages ? std::move(messages) : std::make_unique<TMessageBox>()),
      run_(std::make_unique<TReductionRun>()) {
    setObjectName("PlannerWindow");
    document_ = new TPlanDocument(*files_, *messages_, this, [this] { return CurrentPlan(); });
    connect(document_, &TPlanDocument::StateChanged, this, &TPlannerWindow::UpdateTitle);
    connect(document_, &TPlanDocument::Failed, this, &TPlannerWindow::ShowError);
    connect(document_, &TPlanDocument::Reported, this, &TPlannerWindow::ShowStatus);
    export_ = new TColumnExport(*files_, this);
    connect(export_, &TColumnExport::Failed, this, &TPlannerWindow::ShowError);
    connect(export_, &TColumnExport::Reported, this, &TPlannerWindow::ShowStatus);
    connect(run_.get(), &TReductionRun::Finished, this, &TPlannerWindow::RunFinished);
    connect(run_.get(), &TReductionRun::Failed, this, &TPlannerWindow::RunFailed);

    BuildActions();
    BuildMenus();
    BuildPanels();
    valueWorker_ = new TValueWorker(this);
    connect(valueWorker_, &TValueWorker::Valued, prizesPanel_, &TPrizesPanel::ShowValue);
    connect(valueWorker_, &TValueWorker::OutOfMemory, prizesPanel_,
            &TPrizesPanel::ShowValueOutOfMemory);
    valueTimer_ = new QTimer(this);
    valueTimer_->setSingleShot(true);
    valueTimer_->setInterval(kChancesPauseMs);
    connect(valueTimer_, &QTimer::timeout, this, &TPlannerWindow::Revalue);
    statusBar()->setObjectName("StatusBar");
    SetTabOrder();

    const QSettings settings;
    if (restoreGeometry(settings.value(kGeometryKey).toByteArray())) {
        // A geometry saved on a larger screen, or before a change of resolution, comes up whole.
        setGeometry(FitWithin(geometry(), screen()->availableGeometry()));
    } else {
        // Only the size: a window given no place is placed by the window manager, frame and all.
        resize(QSize(1000, 700).boundedTo(screen()->availableGeometry().size()));
    }
    ShowPlan(kelvo::StartingPlan());
}

TPlannerWindow::~TPlannerWindow() = default;

void TPlannerWindow::BuildActions() {
    const auto make = [this](const QString& text, const char* name, QKeySequence key, auto slot) {
        auto* action = new QAction(text, this);
        action->setObjectName(QString::fromLatin1(name));
        if (!key.isEmpty()) {
            action->setShortcut(key);
        }
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
        return action;
    };
    newAction_ = make(tr("&Nuevo plan"), "NewAction", QKeySequence::New, &TPlannerWindow::NewPlan);
    openAction_ =
        make(tr("&Abrir plan..."), "OpenAction", QKeySequence::Open, &TPlannerWindow::OpenPlan);
    saveAction_ =
        make(tr("&Guardar plan"), "SaveAction", QKeySequence::Save, [this] { document_->Save(); });
    saveAsAction_ =
        make(tr("Guardar plan &como..."), "SaveAsAction",
             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { document_->SaveAs(); });
    saveColumnsAction_ = make(tr("Guardar co&lumnas..."), "SaveColumnsAction",
                              QKeySequence(Qt::CTRL | Qt::Key_E), [this] {
                                  if (MayExport()) {
                                      export_->SaveColumns(PrintHeading(), reduction_->Columns);
                                  }
                              });
    exportPdfAction_ = make(tr("E&xportar a PDF..."), "ExportPdfAction",
                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E), [this] {
                                if (MayExport()) {
                                    export_->ExportPdf(PrintHeading(), reduction_->Columns);
                                }
                            });
    printAction_ = make(tr("&Imprimir..."), "PrintAction", QKeySequence::Print, [this] {
        if (MayExport()) {
            export_->Print(PrintHeading(), reduction_->Columns);
        }
    });
    quitAction_ = make(tr("&Salir"), "QuitAction", QKeySequence(Qt::CTRL | Qt::Key_Q),
                       &TPlannerWindow::close);
    addConditionAction_ = make(tr("Añadir con&dición..."), "AddConditionAction",
                               QKeySequence(Qt::CTRL | Qt::Key_K), [this] {
                                   if (!Working()) {
                                       conditionsPanel_->AddCondition();
                                   }
                               });
    removeConditionAction_ = make(tr("&Quitar condición"), "RemoveConditionAction",
                                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K), [this] {
                                      if (!Working()) {
                                          conditionsPanel_->RemoveCondition();
                                      }
                                  });
    chancesAction_ = new QAction(tr("Pro&babilidades"), this);
    chancesAction_->setObjectName("ChancesAction");
    chancesAction_->setCheckable(true);
    chancesAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    connect(chancesAction_, &QAction::toggled, this, [this](bool shown) {
        forecastPanel_->ShowChances(shown);
        // A budget weighs the chances: hiding them drops the budget, and with it the columns
        // chosen for it.
        if (!shown && runPanel_->HasBudget()) {
            runPanel_->DropBudget();
            PlanChanged(TPlanChange::Reduction, [this] {
                ShowChancesShown(accepted_.ChancesShown);
                runPanel_->Load(accepted_);
            });
            return;
        }
        PlanChanged(TPlanChange::Chances);
    });
    addAction(chancesAction_);
    prizeRulesAction_ = make(tr("Reglas de pre&mios..."), "PrizeRulesAction", QKeySequence(),
                             &TPlannerWindow::EditPrizeRules);
    reduceAction_ = make(tr("&Reducir"), "ReduceAction", QKeySequence(Qt::CTRL | Qt::Key_R),
                         &TPlannerWindow::StartReduction);
    stopAction_ = make(tr("&Parar"), "StopAction", QKeySequence(Qt::Key_Escape),
                       &TPlannerWindow::StopReduction);
    stopAction_->setShortcuts(
        {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_Period)});
}

void TPlannerWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu(tr("&Archivo"));
    file->setObjectName("FileMenu");
    file->addActions({newAction_, openAction_, saveAction_, saveAsAction_});
    file->addSeparator();
    file->addActions({saveColumnsAction_, exportPdfAction_, printAction_});
    file->addSeparator();
    file->addAction(quitAction_);
    QMenu* plan = menuBar()->addMenu(tr("&Plan"));
    plan->setObjectName("PlanMenu");
    plan->addActions({addConditionAction_, removeConditionAction_, chancesAction_});
    plan->addAction(prizeRulesAction_);
    plan->addSeparator();
    plan->addActions({reduceAction_, stopAction_});

    QToolBar* tools = addToolBar(tr("Herramientas"));
    tools->setObjectName("ToolBar");
    tools->setMovable(false);
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    tools->addActions({openAction_, saveAction_});
    tools->addSeparator();
    tools->addActions({reduceAction_, stopAction_});
    tools->addSeparator();
    tools->addActions({saveColumnsAction_, printAction_});
}

void TPlannerWindow::BuildPanels() {
    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    forecastPanel_ = new TForecastPanel(this);
    connect(forecastPanel_, &TForecastPanel::Changed, this, [this](TPlanChange change) {
        PlanChanged(change, [this] { forecastPanel_->Load(accepted_); });
    });
    connect(forecastPanel_, &TForecastPanel::Counted, this, &TPlannerWindow::UpdateActions);
    layout->addWidget(forecastPanel_);
    auto* right = new QVBoxLayout;
    auto* top = new QHBoxLayout;
    conditionsPanel_ = new TConditionsPanel(addConditionAction_, removeConditionAction_, this);
    connect(conditionsPanel_, &TConditionsPanel::Changed, this, [this](TPlanChange change) {
        PlanChanged(change, [this] { conditionsPanel_->Load(accepted_); });
    });
    connect(conditionsPanel_, &TConditionsPanel::SelectionChanged, this,
            &TPlannerWindow::UpdateActions);
    top->addWidget(conditionsPanel_, 1);
    runPanel_ = new TRunPanel(reduceAction_, stopAction_, this);
    connect(runPanel_, &TRunPanel::Changed, this, [this](TPlanChange change) {
        // A budget weighs the chances: ticking one shows them.
        if (runPanel_->HasBudget() && !chancesAction_->isChecked()) {
            ShowChancesShown(true);
        }
        PlanChanged(change, [this] {
            ShowChancesShown(accepted_.ChancesShown);
            runPanel_->Load(accepted_);
        });
    });
    connect(run_.get(), &TReductionRun::Progressed, runPanel_, &TRunPanel::ShowProgress);
    weekPanel_ = new TWeekPanel(this);
    connect(weekPanel_, &TWeekPanel::Changed, this, [this](TPlanChange change) {
        PlanChanged(change, [this] { weekPanel_->Load(accepted_); });
    });
    top->addWidget(runPanel_, 1);
    right->addLayout(top);
    right->addWidget(weekPanel_);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("ResultTabs");
    tabs_->setAccessibleName(tr("Resultados de la reducción"));
    prizesPanel_ = new TPrizesPanel(tabs_);
    tabs_->addTab(prizesPanel_, tr("Pre&mios"));
    columnsPanel_ = new TColumnsPanel(tabs_);
    connect(columnsPanel_, &TColumnsPanel::Changed, this,
            [this](TPlanChange change) { PlanChanged(change); });
    tabs_->addTab(columnsPanel_, tr("Colum&nas"));
    right->addWidget(tabs_, 1);
    layout->addLayout(right, 1);
    // On a screen too small for the panels (1024x768 at scale 2) they scroll inside the window
    // rather than push it past the screen's edges.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName("PanelsScroll");
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(central);
    setCentralWidget(scroll);
}

void TPlannerWindow::SetTabOrder() {
    QWidget* last = forecastPanel_->ChainTabOrder(nullptr);
    last = conditionsPanel_->ChainTabOrder(last);
    last = runPanel_->ChainTabOrder(last);
    last = weekPanel_->ChainTabOrder(last);
    setTabOrder(last, tabs_);
    last = prizesPanel_->ChainTabOrder(tabs_);
    columnsPanel_->ChainTabOrder(last);
}

void TPlannerWindow::ShowPlan(const kelvo::TPlan& plan) {
    forecastPanel_->Load(plan);
    conditionsPanel_->Load(plan);
    {
        const QSignalBlocker blocker(chancesAction_);
        chancesAction_->setChecked(plan.ChancesShown);
    }
    runPanel_->Load(plan);
    runPanel_->ShowIdle();
    weekPanel_->Load(plan);
    rules_ = plan.Rules;
    columnsPanel_->Load(plan);
    reduction_ = plan.Reduction;
    accepted_ = plan;
    UpdateTitle();
    prizesPanel_->ShowReduction(plan);
    Recount();
    if (reduction_) {
        StartScoring();
    }
    Revalue();
    UpdateActions();
}

kelvo::TPlan TPlannerWindow::CurrentPlan() const {
    kelvo::TPlan plan;
    forecastPanel_->Store(plan);
    conditionsPanel_->Store(plan);
    runPanel_->Store(plan);
    weekPanel_->Store(plan);
    plan.Rules = rules_;
    columnsPanel_->Store(plan);
    plan.Reduction = reduction_;
    return plan;
}

QString TPlannerWindow::PlanPath() const {
    return document_->Path();
}

bool TPlannerWindow::Working() const {
    return run_->Working();
}

bool TPlannerWindow::Counting() const {
    return forecastPanel_->Counting();
}

void TPlannerWindow::SetSearchSteps(std::uint64_t seed, std::uint64_t steps) {
    run_->SetSearchSteps(seed, steps);
}

bool TPlannerWindow::OpenPlanFile(const QString& path) {
    if (Working()) {
        return false;
    }
    const std::optional<kelvo::TPlan> plan = document_->OpenFile(path);
    if (plan) {
        ShowPlan(*plan);
    }
    return plan.has_value();
}

void TPlannerWindow::PlanChanged(TPlanChange change, const std::function<void()>& undo) {
    // A condition on a column's value or on the public's share of it weighs the chances and the
    // public's percentages it carries: when they change, so does the development.
    const bool weighed = (change == TPlanChange::Chances || change == TPlanChange::Value) &&
                         CurrentPlan().Conditions != accepted_.Conditions;
    const TPlanChange effect = weighed ? TPlanChange::Development : change;
    const bool discards = effect == TPlanChange::Development || effect == TPlanChange::Reduction;
    if (discards && reduction_ && !MayDiscardReduction()) {
        undo();
        return;
    }
    document_->MarkModified();
    if (weighed && change == TPlanChange::Chances) {
        ChancesChanged();
    }
    switch (effect) {
        case TPlanChange::Development:
            ClearReduction();
            Recount();
            break;
        case TPlanChange::Reduction:
            ClearReduction();
            break;
        case TPlanChange::Chances:
            ChancesChanged();
            RevalueSoon();
            break;
        case TPlanChange::Price:
        case TPlanChange::Value:
            runPanel_->ShowPrice(CurrentPlan());
            prizesPanel_->ShowReduction(CurrentPlan());
            RevalueSoon();
            break;
        case TPlanChange::Other:
            break;
    }
    accepted_ = CurrentPlan();
    UpdateActions();
}

bool TPlannerWindow::MayDiscardReduction() {
    TQuestion question;
    question.Caption = tr("Descartar la reducción");
    question.Text = tr("Se descartará la reducción de %1 columnas. ¿Quiere hacer el cambio?")
                        .arg(CountText(reduction_->Columns.size()));
    question.Buttons = {{QMessageBox::Yes, tr("&Sí")}, {QMessageBox::No, tr("&No")}};
    question.Default = QMessageBox::No;
    question.Name = QStringLiteral("DiscardBox");
    return messages_->Ask(this, question) == QMessageBox::Yes;
}

bool TPlannerWindow::MayReplaceReduction() {
    TQuestion question;
    question.Caption = tr("Reducir de nuevo");
    question.Text =
        tr("Cuando termine, la nueva reducción sustituirá a la de %1 columnas que está en vigor.")
            .arg(CountText(reduction_->Columns.size()));
    question.Buttons = {{QMessageBox::Ok, tr("&Reducir")}, {QMessageBox::Cancel, tr("&Cancelar")}};
    question.Default = QMessageBox::Ok;
    question.Name = QStringLiteral("ReplaceBox");
    return messages_->Ask(this, question) == QMessageBox::Ok;
}

bool TPlannerWindow::MayStopReduction() {
    TQuestion question;
    question.Caption = tr("Reducción en marcha");
    question.Text = tr("La reducción aún está en marcha. ¿Quiere pararla y salir?");
    question.Buttons = {{QMessageBox::Yes, tr("&Parar y salir")},
                        {QMessageBox::No, tr("&Seguir reduciendo")}};
    question.Default = QMessageBox::No;
    question.Name = QStringLiteral("StopRunBox");
    return messages_->Ask(this, question) == QMessageBox::Yes;
}

void TPlannerWindow::Recount() {
    forecastPanel_->Recount(CurrentPlan().Conditions);
}

void TPlannerWindow::ChancesChanged() {
    // A run weighs the chances as they were when it started: changed since, they weigh the prizes
    // again once it ends.
    if (Working()) {
        rescore_ = true;
        return;
    }
    if (!reduction_) {
        return;
    }
    // The prizes are weighed again once the player rests, not at every step of a spin box. A run
    // started meanwhile has taken the chances as they are now.
    QTimer::singleShot(kChancesPauseMs, this, [this] {
        if (!Working()) {
            StartScoring();
        }
    });
}

void TPlannerWindow::ClearReduction() {
    if (!reduction_) {
        return;
    }
    reduction_.reset();
    columnsPanel_->SetColumns({});
    prizesPanel_->ShowReduction(CurrentPlan());
    Revalue();
    // What the run panel showed was the end of the run that made it.
    runPanel_->ShowIdle();
    UpdateActions();
}

void TPlannerWindow::EditPrizeRules() {
    TPrizeRulesDialog dialog(rules_, this);
    if (dialog.exec() != QDialog::Accepted || dialog.Rules() == rules_) {
        return;
    }
    rules_ = dialog.Rules();
    PlanChanged(TPlanChange::Value);
}

void TPlannerWindow::Revalue() {
    valueTimer_->stop();
    std::optional<kelvo::TWeekPool> pool;
    // Without a reduction there is nothing to value, nor any column to weigh.
    if (reduction_) {
        const kelvo::TPlan plan = CurrentPlan();
        if (ValidChances(plan)) {
            pool = kelvo::WeekPoolOf(plan);
        }
    }
    columnsPanel_->ShowShares(pool);
    if (!pool) {
        valueWorker_->Cancel();
        prizesPanel_->HideValue();
        return;
    }
    prizesPanel_->ShowValuing();
    valueWorker_->Value(reduction_->Columns, *pool);
}

void TPlannerWindow::RevalueSoon() {
    // The figures shown are already out of date: the panel says they are being worked out.
    if (reduction_ && chancesAction_->isChecked()) {
        prizesPanel_->ShowValuing();
    }
    valueTimer_->start();
}

std::optional<kelvo::TChances> TPlannerWindow::ValidChances(const kelvo::TPlan& plan) {
    if (!plan.ChancesShown) {
        return std::nullopt;
    }
    try {
        return kelvo::ParseChances(ChancesText(plan));
    } catch (const kelvo::TChancesError& error) {
        prizesPanel_->ShowChancesProblem(error.Problem());
        return std::nullopt;
    }
}

void TPlannerWindow::StartReduction() {
    if (Working()) {
        return;
    }
    const kelvo::TPlan plan = CurrentPlan();
    const std::optional<QString> refusal = BudgetRefusal(plan);
    if (refusal) {
        ShowError(*refusal);
        return;
    }
    if (reduction_ && !MayReplaceReduction()) {
        return;
    }
    TReductionInput input;
    input.Forecast = kelvo::ForecastOf(plan);
    input.Conditions = plan.Conditions;
    input.Guarantee = plan.Guarantee;
    if (plan.BudgetSeconds > 0) {
        kelvo::TOptimiserBudget budget;
        budget.Time = std::chrono::seconds(plan.BudgetSeconds);
        input.Budget = budget;
        input.Anywhere = plan.Anywhere;
    }
    if (plan.Budget) {
        TBudgetInput spending;
        spending.Columns = kelvo::BudgetColumns(plan);
        spending.Week = kelvo::WeekPoolOf(plan);
        spending.ByWinnings = plan.Budget->Goal == kelvo::TBudgetGoal::Winnings;
        input.Spending = spending;
    }
    // The reduction in force stays shown, saved and scored until the new one completes: a save
    // during the run, or a run that fails, must not lose the columns the player may have played.
    StartRun(std::move(input), true);
}

std::optional<QString> TPlannerWindow::BudgetRefusal(const kelvo::TPlan& plan) const {
    if (!plan.Budget) {
        return std::nullopt;
    }
    if (kelvo::BudgetColumns(plan) == 0) {
        // Only euros can buy no column: a budget of columns is at least one.
        return plan.Price <= 0
                   ? tr("El precio por columna es 0 €: un presupuesto en euros no da para ninguna "
                        "columna. Ponga el precio o cuente el presupuesto en columnas.")
                   : tr("Un presupuesto de %1 no da para ninguna columna: cada una cuesta %2.")
                         .arg(EurosText(plan.Budget->Amount),
                              EurosText(kelvo::CostOf(1, plan.Price, plan.Pleno)));
    }
    try {
        kelvo::ParseChances(ChancesText(plan));
    } catch (const kelvo::TChancesError& error) {
        return tr("El presupuesto elige las columnas por sus probabilidades, que no se pueden "
                  "usar. %1.")
            .arg(ChancesProblemText(error.Problem()));
    }
    return std::nullopt;
}

void TPlannerWindow::StopReduction() {
    if (run_->Reducing()) {
        run_->Stop();
        runPanel_->ShowStopping();
    }
}

void TPlannerWindow::StartScoring() {
    if (!reduction_ || Working()) {
        return;
    }
    const kelvo::TPlan plan = CurrentPlan();
    TReductionInput input;
    input.Forecast = kelvo::ForecastOf(plan);
    input.Conditions = plan.Conditions;
    input.Guarantee = plan.Guarantee;
    input.Reduced = reduction_->Columns;
    StartRun(std::move(input), false);
}

void TPlannerWindow::StartRun(TReductionInput input, bool reducing) {
    prizesPanel_->ClearChances();
    input.Chances = ValidChances(CurrentPlan());
    if (reducing) {
        run_->Reduce(std::move(input));
    } else {
        run_->Score(std::move(input));
    }
    SetWorking(true);
}

void TPlannerWindow::RunFinished(std::shared_ptr<const TReductionResult> result, bool reduced) {
    SetWorking(false);
    if (reduced) {
        reduction_ = result->Budget ? kelvo::BudgetReduction(result->Chosen, *result->Budget)
                                    : kelvo::TPlanReduction{result->Chosen, result->Report};
        columnsPanel_->SetColumns(result->Chosen);
        document_->MarkModified();
        Revalue();
    }
    runPanel_->ShowFinished(reduced ? reduction_ : std::nullopt);
    prizesPanel_->ShowReduction(CurrentPlan());
    prizesPanel_->ShowPrizes(*result);
    UpdateActions();
    if (std::exchange(rescore_, false)) {
        StartScoring();
    }
}

void TPlannerWindow::RunFailed(const QString& message) {
    // A run that failed would fail again on the same columns: the prizes are not weighed again.
    rescore_ = false;
    SetWorking(false);
    runPanel_->ShowFailed();
    ShowError(message);
}

void TPlannerWindow::ShowChancesShown(bool shown) {
    const QSignalBlocker blocker(chancesAction_);
    chancesAction_->setChecked(shown);
    forecastPanel_->ShowChances(shown);
}

void TPlannerWindow::SetWorking(bool working) {
    forecastPanel_->setEnabled(!working);
    conditionsPanel_->setEnabled(!working);
    runPanel_->SetWorking(working);
    UpdateActions();
}

void TPlannerWindow::NewPlan() {
    if (Working()) {
        return;
    }
    if (const std::optional<kelvo::TPlan> plan = document_->New()) {
        ShowPlan(*plan);
    }
}

void TPlannerWindow::OpenPlan() {
    if (Working()) {
        return;
    }
    if (const std::optional<kelvo::TPlan> plan = document_->Open()) {
        ShowPlan(*plan);
    }
}

bool TPlannerWindow::MayExport() const {
    return reduction_ && !Working();
}

TPrintHeading TPlannerWindow::PrintHeading() const {
    return MakePrintHeading(CurrentPlan(), document_->Path(), QDate::currentDate());
}

void TPlannerWindow::ShowError(const QString& message) {
    messages_->ShowError(this, QMessageBox::Warning, tr("Kelvo Planner"), message,
                         QStringLiteral("ErrorBox"));
}

void TPlannerWindow::ShowStatus(const QString& message) {
    statusBar()->showMessage(message);
}

void TPlannerWindow::UpdateTitle() {
    setWindowTitle(tr("%1[*] — Kelvo Planner").arg(document_->Name()));
    setWindowModified(document_->Modified());
}

void TPlannerWindow::UpdateActions() {
    const bool working = Working();
    const bool reduced = reduction_.has_value();
    // Conditions that leave no column leave nothing to reduce, save, print or export.
    const bool empty = forecastPanel_->Empty();
    newAction_->setEnabled(!working);
    openAction_->setEnabled(!working);
    for (QAction* action : {saveColumnsAction_, exportPdfAction_, printAction_}) {
        action->setEnabled(reduced && !working && !empty);
    }
    addConditionAction_->setEnabled(!working);
    removeConditionAction_->setEnabled(!working && conditionsPanel_->HasSelection());
    chancesAction_->setEnabled(!working);
    reduceAction_->setEnabled(!working && !empty);
    stopAction_->setEnabled(run_->Reducing());
    // Every change of the reduction in force passes here, and so does its cost.
    forecastPanel_->ShowReduction(reduced ? std::optional(reduction_->Columns.size())
                                          : std::nullopt);
}

void TPlannerWindow::closeEvent(QCloseEvent* event) {
    // The run is asked about first, and stopped only once the unsaved changes are dealt with too:
    // a close cancelled at either question leaves it going.
    if ((run_->Reducing() && !MayStopReduction()) || !document_->MaySetAside()) {
        event->ignore();
        return;
    }
    // The worker stops where it is and is waited for before the window goes.
    run_->Abandon();
    QSettings settings;
    settings.setValue(kGeometryKey, saveGeometry());
    event->accept();
}
