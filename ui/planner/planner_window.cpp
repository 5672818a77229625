#include "planner_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSettings>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>

#include "column_counter.h"
#include "column_print.h"
#include "columns_model.h"
#include "condition_dialog.h"
#include "condition_text.h"
#include "core/engine_error.h"
#include "files/column_file.h"
#include "path_chooser.h"
#include "plan_file.h"

namespace {

// The guarantees offered, strongest first.
constexpr std::array<int, 3> kGuarantees = {13, 12, 11};
// The prize table's rows: 14 to 10 right, then fewer.
constexpr int kPrizeRows = kelvo::kPrizeCategories + 1;
constexpr int kMostBudgetSeconds = 3600;
// How long the chances rest before their prizes are weighed again.
constexpr int kChancesPauseMs = 300;

const char kGeometryKey[] = "window/geometry";

// A button that triggers `action`, reachable by Tab, named for tests and for screen readers.
QToolButton* ActionButton(QWidget* parent, const char* objectName, QAction* action,
                          const QString& accessibleName) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setDefaultAction(action);
    button->setAccessibleName(accessibleName);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

QString Euros(double amount) {
    return QLocale().toString(amount, 'f', 2) + QStringLiteral(" €");
}

QString Count(std::uint64_t count) {
    return QLocale().toString(static_cast<qulonglong>(count));
}

}  // namespace

TPlannerWindow::TPlannerWindow(std::unique_ptr<TPathChooser> chooser)
    : chooser_(chooser ? std::move(chooser) : std::make_unique<TQtPathChooser>()) {
    setObjectName("PlannerWindow");
    counter_ = new TColumnCounter(this);
    connect(counter_, &TColumnCounter::Counted, this, &TPlannerWindow::ShowCount);
    columnsModel_ = new TColumnsModel(this);

    BuildActions();
    BuildMenus();

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->addWidget(BuildForecast());
    auto* right = new QVBoxLayout;
    auto* top = new QHBoxLayout;
    top->addWidget(BuildConditions(), 1);
    top->addWidget(BuildReduction(), 1);
    right->addLayout(top);
    right->addWidget(BuildResults(), 1);
    layout->addLayout(right, 1);
    setCentralWidget(central);
    statusBar()->setObjectName("StatusBar");
    SetTabOrder();

    const QSettings settings;
    if (!restoreGeometry(settings.value(kGeometryKey).toByteArray())) {
        resize(1000, 700);
    }
    ShowPlan(kelvo::TPlan(), QString());
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
        make(tr("&Guardar plan"), "SaveAction", QKeySequence::Save, [this] { SavePlanFile(); });
    saveAsAction_ = make(tr("Guardar plan &como..."), "SaveAsAction",
                         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { SavePlanAs(); });
    saveColumnsAction_ = make(tr("Guardar co&lumnas..."), "SaveColumnsAction",
                              QKeySequence(Qt::CTRL | Qt::Key_E), &TPlannerWindow::SaveColumnFile);
    exportPdfAction_ =
        make(tr("E&xportar a PDF..."), "ExportPdfAction",
             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E), &TPlannerWindow::ExportPdf);
    printAction_ =
        make(tr("&Imprimir..."), "PrintAction", QKeySequence::Print, &TPlannerWindow::Print);
    quitAction_ = make(tr("&Salir"), "QuitAction", QKeySequence(Qt::CTRL | Qt::Key_Q),
                       &TPlannerWindow::close);
    addConditionAction_ = make(tr("Añadir con&dición..."), "AddConditionAction",
                               QKeySequence(Qt::CTRL | Qt::Key_K), &TPlannerWindow::AddCondition);
    removeConditionAction_ =
        make(tr("&Quitar condición"), "RemoveConditionAction",
             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K), &TPlannerWindow::RemoveCondition);
    chancesAction_ = new QAction(tr("&Probabilidades"), this);
    chancesAction_->setObjectName("ChancesAction");
    chancesAction_->setCheckable(true);
    chancesAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    connect(chancesAction_, &QAction::toggled, this, [this](bool shown) {
        ShowChances(shown);
        if (!showing_) {
            MarkModified();
            ChancesChanged();
        }
    });
    addAction(chancesAction_);
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

QWidget* TPlannerWindow::BuildForecast() {
    forecastBox_ = new QGroupBox(tr("Pronóstico"), this);
    forecastBox_->setObjectName("ForecastBox");
    auto* grid = new QGridLayout(forecastBox_);
    grid->setVerticalSpacing(2);
    grid->addWidget(new QLabel(tr("Partido"), forecastBox_), 0, 1);
    chancesHeader_ = new QLabel(tr("Probabilidades (%) de 1, X, 2"), forecastBox_);
    grid->addWidget(chancesHeader_, 0, 5, 1, 3);
    for (int match = 0; match < kelvo::kColumnLength; ++match) {
        TMatchRow& row = rows_[match];
        const int line = match + 1;
        row.Number = new QLabel(QString::number(line), forecastBox_);
        row.Number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(row.Number, line, 0);
        row.Teams = new QLineEdit(forecastBox_);
        row.Teams->setObjectName(QStringLiteral("Teams%1").arg(line));
        row.Teams->setAccessibleName(tr("Equipos del partido %1").arg(line));
        row.Teams->setPlaceholderText(tr("Local - Visitante"));
        row.Teams->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 11);
        connect(row.Teams, &QLineEdit::textEdited, this, &TPlannerWindow::MarkModified);
        grid->addWidget(row.Teams, line, 1);
        for (int sign = 0; sign < 3; ++sign) {
            auto* button = new QToolButton(forecastBox_);
            const QString text(QChar::fromLatin1(kelvo::kSigns[sign]));
            button->setText(text);
            button->setCheckable(true);
            button->setFocusPolicy(Qt::StrongFocus);
            button->setObjectName(QStringLiteral("Sign%1_%2").arg(line).arg(text));
            button->setAccessibleName(tr("Signo %1 del partido %2").arg(text).arg(line));
            button->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("XX")) * 2);
            // A sign played stands out filled, as on a marked slip.
            button->setStyleSheet(QStringLiteral(
                "QToolButton { border: 1px solid #8a8a8a; border-radius: 3px; padding: 2px; "
                "background: #ffffff; color: #303030; }"
                "QToolButton:checked { background: #1565c0; color: #ffffff; font-weight: bold; "
                "border-color: #0d47a1; }"
                "QToolButton:focus { border: 2px solid #ffb300; }"
                "QToolButton:disabled { background: #e8e8e8; color: #9a9a9a; }"
                "QToolButton:checked:disabled { background: #8fa9cc; color: #f0f0f0; }"));
            connect(button, &QToolButton::toggled, this,
                    [this, match, sign](bool on) { SignToggled(match, sign, on); });
            row.Signs[sign] = button;
            grid->addWidget(button, line, 2 + sign);

            auto* chance = new QDoubleSpinBox(forecastBox_);
            chance->setObjectName(QStringLiteral("Chance%1_%2").arg(line).arg(text));
            chance->setAccessibleName(
                tr("Probabilidad del %1 en el partido %2").arg(text).arg(line));
            chance->setRange(0, 100);
            chance->setDecimals(1);
            connect(chance, &QDoubleSpinBox::valueChanged, this, [this] {
                if (!showing_) {
                    MarkModified();
                    ChancesChanged();
                }
            });
            row.Chances[sign] = chance;
            grid->addWidget(chance, line, 5 + sign);
        }
    }
    auto* priceLabel = new QLabel(tr("P&recio por columna:"), forecastBox_);
    price_ = new QDoubleSpinBox(forecastBox_);
    price_->setObjectName("Price");
    price_->setAccessibleName(tr("Precio por columna"));
    price_->setRange(0, 1000);
    price_->setDecimals(2);
    price_->setSingleStep(0.05);
    price_->setSuffix(QStringLiteral(" €"));
    priceLabel->setBuddy(price_);
    connect(price_, &QDoubleSpinBox::valueChanged, this, [this] {
        if (!showing_) {
            MarkModified();
        }
        ShowCost();
        ShowReduction();
    });
    const int last = kelvo::kColumnLength + 1;
    grid->addWidget(priceLabel, last, 1);
    grid->addWidget(price_, last, 2, 1, 3);
    countLabel_ = new QLabel(forecastBox_);
    countLabel_->setObjectName("ColumnCount");
    countLabel_->setAccessibleName(tr("Columnas del desarrollo"));
    costLabel_ = new QLabel(forecastBox_);
    costLabel_->setObjectName("ColumnCost");
    costLabel_->setAccessibleName(tr("Coste del desarrollo"));
    QFont strong = countLabel_->font();
    strong.setBold(true);
    countLabel_->setFont(strong);
    grid->addWidget(countLabel_, last + 1, 1);
    grid->addWidget(costLabel_, last + 1, 2, 1, 6);
    grid->setRowStretch(last + 2, 1);
    return forecastBox_;
}

QWidget* TPlannerWindow::BuildConditions() {
    conditionsBox_ = new QGroupBox(tr("Condiciones"), this);
    conditionsBox_->setObjectName("ConditionsBox");
    auto* layout = new QVBoxLayout(conditionsBox_);
    conditionList_ = new QListWidget(conditionsBox_);
    conditionList_->setObjectName("ConditionList");
    conditionList_->setAccessibleName(tr("Condiciones"));
    connect(conditionList_, &QListWidget::currentRowChanged, this, &TPlannerWindow::UpdateActions);
    layout->addWidget(conditionList_);
    auto* buttons = new QHBoxLayout;
    addConditionButton_ = ActionButton(conditionsBox_, "AddConditionButton", addConditionAction_,
                                       tr("Añadir condición"));
    removeConditionButton_ = ActionButton(conditionsBox_, "RemoveConditionButton",
                                          removeConditionAction_, tr("Quitar condición"));
    buttons->addWidget(addConditionButton_);
    buttons->addWidget(removeConditionButton_);
    buttons->addStretch();
    layout->addLayout(buttons);
    return conditionsBox_;
}

QWidget* TPlannerWindow::BuildReduction() {
    auto* box = new QGroupBox(tr("Reducción"), this);
    box->setObjectName("ReductionBox");
    auto* form = new QGridLayout(box);
    guarantee_ = new QComboBox(box);
    guarantee_->setObjectName("Guarantee");
    guarantee_->setAccessibleName(tr("Garantía"));
    for (const int guarantee : kGuarantees) {
        guarantee_->addItem(tr("%1 aciertos").arg(guarantee), guarantee);
    }
    connect(guarantee_, &QComboBox::currentIndexChanged, this, [this] {
        if (!showing_) {
            ClearReduction();
            MarkModified();
        }
    });
    auto* guaranteeLabel = new QLabel(tr("&Garantía:"), box);
    guaranteeLabel->setBuddy(guarantee_);
    budget_ = new QSpinBox(box);
    budget_->setObjectName("Budget");
    budget_->setAccessibleName(tr("Tiempo del optimizador"));
    budget_->setRange(0, kMostBudgetSeconds);
    budget_->setSuffix(tr(" s"));
    budget_->setSpecialValueText(tr("sin optimizar"));
    connect(budget_, &QSpinBox::valueChanged, this, [this] {
        if (!showing_) {
            MarkModified();
        }
        UpdateActions();
    });
    auto* budgetLabel = new QLabel(tr("&Tiempo:"), box);
    budgetLabel->setBuddy(budget_);
    // Only the optimiser chooses columns outside the forecast, so the box waits for a budget. A
    // reduction made one way is no reduction of the plan made the other (its file would not
    // hold together), so a change clears it as the guarantee's does.
    anywhere_ = new QCheckBox(tr("usar columnas fuera del pronóstico"), box);
    anywhere_->setObjectName("Anywhere");
    connect(anywhere_, &QCheckBox::toggled, this, [this] {
        if (!showing_) {
            ClearReduction();
            MarkModified();
        }
    });
    reduceButton_ = ActionButton(box, "ReduceButton", reduceAction_, tr("Reducir"));
    stopButton_ = ActionButton(box, "StopButton", stopAction_, tr("Parar"));
    for (QToolButton* button : {reduceButton_, stopButton_}) {
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }
    const auto label = [box](const char* name, const QString& accessible) {
        auto* shown = new QLabel(box);
        shown->setObjectName(QString::fromLatin1(name));
        shown->setAccessibleName(accessible);
        return shown;
    };
    phaseLabel_ = label("Phase", tr("Fase"));
    bestLabel_ = label("BestSoFar", tr("Mejor tamaño hasta ahora"));
    boundLabel_ = label("LowerBound", tr("Cota inferior"));
    timeLeftLabel_ = label("TimeLeft", tr("Tiempo restante"));
    progress_ = new QProgressBar(box);
    progress_->setObjectName("Progress");
    progress_->setAccessibleName(tr("Progreso"));
    progress_->setRange(0, 1000);
    progress_->setTextVisible(false);

    form->addWidget(guaranteeLabel, 0, 0);
    form->addWidget(guarantee_, 0, 1);
    form->addWidget(budgetLabel, 1, 0);
    form->addWidget(budget_, 1, 1);
    form->addWidget(anywhere_, 2, 0, 1, 2);
    form->addWidget(reduceButton_, 3, 0);
    form->addWidget(stopButton_, 3, 1);
    form->addWidget(phaseLabel_, 4, 0, 1, 2);
    form->addWidget(progress_, 5, 0, 1, 2);
    form->addWidget(bestLabel_, 6, 0, 1, 2);
    form->addWidget(boundLabel_, 7, 0, 1, 2);
    form->addWidget(timeLeftLabel_, 8, 0, 1, 2);
    form->setRowStretch(9, 1);
    return box;
}

QWidget* TPlannerWindow::BuildResults() {
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("ResultTabs");
    tabs_->setAccessibleName(tr("Resultados de la reducción"));

    auto* prizes = new QWidget(tabs_);
    auto* prizesLayout = new QVBoxLayout(prizes);
    summaryLabel_ = new QLabel(prizes);
    summaryLabel_->setObjectName("ReductionSummary");
    summaryLabel_->setAccessibleName(tr("Resumen de la reducción"));
    summaryLabel_->setWordWrap(true);
    guaranteedLabel_ = new QLabel(prizes);
    guaranteedLabel_->setObjectName("Guaranteed");
    guaranteedLabel_->setAccessibleName(tr("Premio garantizado"));
    chancesLabel_ = new QLabel(prizes);
    chancesLabel_->setObjectName("ChancesSummary");
    chancesLabel_->setAccessibleName(tr("Probabilidades de esta semana"));
    chancesLabel_->setWordWrap(true);
    prizeTable_ = new QTableWidget(kPrizeRows, 5, prizes);
    prizeTable_->setObjectName("PrizeTable");
    prizeTable_->setAccessibleName(tr("Tabla de premios"));
    prizeTable_->setHorizontalHeaderLabels(
        {tr("Resultados"), tr("Media"), tr("Máximo"), tr("Probabilidad"), tr("Esperadas")});
    const QStringList headerTips = {
        tr("Resultados del desarrollo cuya mejor columna tiene esos aciertos"),
        tr("Media de columnas con esos aciertos por resultado"),
        tr("Máximo de columnas con esos aciertos para un resultado"),
        tr("Probabilidad de al menos esos aciertos esta semana"),
        tr("Columnas esperadas con exactamente esos aciertos")};
    for (int column = 0; column < headerTips.size(); ++column) {
        prizeTable_->horizontalHeaderItem(column)->setToolTip(headerTips[column]);
    }
    QStringList categories;
    for (int right = kelvo::kColumnLength; right > kelvo::kColumnLength - kelvo::kPrizeCategories;
         --right) {
        categories.append(tr("%1 aciertos").arg(right));
    }
    categories.append(tr("menos de 10"));
    prizeTable_->setVerticalHeaderLabels(categories);
    prizeTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    prizeTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    prizesLayout->addWidget(summaryLabel_);
    prizesLayout->addWidget(guaranteedLabel_);
    prizesLayout->addWidget(prizeTable_, 1);
    prizesLayout->addWidget(chancesLabel_);
    tabs_->addTab(prizes, tr("Pre&mios"));

    auto* columns = new QWidget(tabs_);
    auto* columnsLayout = new QVBoxLayout(columns);
    auto* resultLine = new QHBoxLayout;
    auto* resultLabel = new QLabel(tr("Resul&tado:"), columns);
    resultEdit_ = new QLineEdit(columns);
    resultEdit_->setObjectName("ResultEdit");
    resultEdit_->setAccessibleName(tr("Resultado de la jornada"));
    resultEdit_->setPlaceholderText(tr("14 signos de la jornada"));
    resultEdit_->setMaxLength(kelvo::kColumnLength);
    resultEdit_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[12Xx]{0,14}")), resultEdit_));
    resultLabel->setBuddy(resultEdit_);
    connect(resultEdit_, &QLineEdit::textChanged, this, &TPlannerWindow::ResultEdited);
    hitsLabel_ = new QLabel(columns);
    hitsLabel_->setObjectName("HitCounts");
    hitsLabel_->setAccessibleName(tr("Columnas por aciertos"));
    resultLine->addWidget(resultLabel);
    resultLine->addWidget(resultEdit_);
    resultLine->addWidget(hitsLabel_, 1);
    columnsView_ = new QTableView(columns);
    columnsView_->setObjectName("ColumnsView");
    columnsView_->setAccessibleName(tr("Columnas reducidas"));
    columnsView_->setModel(columnsModel_);
    columnsView_->verticalHeader()->hide();
    // Fixed sizes: the view then never measures its rows, however many there are.
    columnsView_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    columnsView_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    columnsView_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    columnsView_->horizontalHeader()->setDefaultSectionSize(
        fontMetrics().horizontalAdvance(QStringLiteral("XX")) + 8);
    columnsView_->horizontalHeader()->resizeSection(
        TColumnsModel::kNumberColumn, fontMetrics().horizontalAdvance(QStringLiteral("1777777")));
    columnsView_->horizontalHeader()->resizeSection(
        TColumnsModel::kHitsColumn, fontMetrics().horizontalAdvance(tr("Aciertos")) + 16);
    columnsView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    columnsLayout->addLayout(resultLine);
    columnsLayout->addWidget(columnsView_, 1);
    tabs_->addTab(columns, tr("Colum&nas"));
    return tabs_;
}

void TPlannerWindow::SetTabOrder() {
    QWidget* previous = nullptr;
    const auto next = [&previous](QWidget* widget) {
        if (previous != nullptr) {
            setTabOrder(previous, widget);
        }
        previous = widget;
    };
    for (const TMatchRow& row : rows_) {
        next(row.Teams);
        for (QToolButton* sign : row.Signs) {
            next(sign);
        }
        for (QDoubleSpinBox* chance : row.Chances) {
            next(chance);
        }
    }
    next(price_);
    next(conditionList_);
    next(addConditionButton_);
    next(removeConditionButton_);
    next(guarantee_);
    next(budget_);
    next(anywhere_);
    next(reduceButton_);
    next(stopButton_);
    next(tabs_);
    next(prizeTable_);
    next(resultEdit_);
    next(columnsView_);
}

void TPlannerWindow::ShowPlan(const kelvo::TPlan& plan, const QString& path) {
    showing_ = true;
    for (int match = 0; match < kelvo::kColumnLength; ++match) {
        TMatchRow& row = rows_[match];
        row.Teams->setText(QString::fromStdString(plan.Matches[match].Teams));
        for (int sign = 0; sign < 3; ++sign) {
            row.Signs[sign]->setChecked(plan.Matches[match].Played[sign]);
            row.Chances[sign]->setValue(plan.Matches[match].Chances[sign]);
        }
    }
    conditions_ = plan.Conditions;
    ShowConditions();
    chancesAction_->setChecked(plan.ChancesShown);
    ShowChances(plan.ChancesShown);
    price_->setValue(plan.Price);
    const auto guarantee = std::find(kGuarantees.begin(), kGuarantees.end(), plan.Guarantee);
    guarantee_->setCurrentIndex(static_cast<int>(guarantee - kGuarantees.begin()));
    budget_->setValue(plan.BudgetSeconds);
    anywhere_->setChecked(plan.Anywhere);
    resultEdit_->setText(QString::fromStdString(plan.Result));
    reduction_ = plan.Reduction;
    prizes_.reset();
    columnsModel_->SetColumns(reduction_ ? reduction_->Columns : std::vector<kelvo::TKey>());
    ResultEdited();
    for (QLabel* label : {phaseLabel_, bestLabel_, boundLabel_, timeLeftLabel_}) {
        label->clear();
    }
    progress_->setValue(0);
    planPath_ = path;
    showing_ = false;
    setWindowModified(false);
    UpdateTitle();
    ShowReduction();
    Recount();
    if (reduction_) {
        StartScoring();
    }
    UpdateActions();
}

kelvo::TPlan TPlannerWindow::CurrentPlan() const {
    kelvo::TPlan plan;
    for (int match = 0; match < kelvo::kColumnLength; ++match) {
        const TMatchRow& row = rows_[match];
        plan.Matches[match].Teams = row.Teams->text().toStdString();
        for (int sign = 0; sign < 3; ++sign) {
            plan.Matches[match].Played[sign] = row.Signs[sign]->isChecked();
            plan.Matches[match].Chances[sign] = row.Chances[sign]->value();
        }
    }
    plan.Conditions = conditions_;
    plan.ChancesShown = chancesAction_->isChecked();
    plan.Price = price_->value();
    plan.Guarantee = guarantee_->currentData().toInt();
    plan.BudgetSeconds = budget_->value();
    plan.Anywhere = anywhere_->isChecked();
    plan.Reduction = reduction_;
    plan.Result = resultEdit_->text().toUpper().toStdString();
    return plan;
}

bool TPlannerWindow::Counting() const {
    return counter_->Counting();
}

void TPlannerWindow::SetSearchSteps(std::uint64_t seed, std::uint64_t steps) {
    searchSteps_ = std::make_pair(seed, steps);
}

void TPlannerWindow::SignToggled(int match, int sign, bool on) {
    if (showing_) {
        return;
    }
    const std::array<QToolButton*, 3>& signs = rows_[match].Signs;
    if (!on && std::none_of(signs.begin(), signs.end(),
                            [](const QToolButton* button) { return button->isChecked(); })) {
        // Every match plays at least one sign: the last one stays on.
        const QSignalBlocker blocker(signs[sign]);
        signs[sign]->setChecked(true);
        return;
    }
    InputsChanged();
}

void TPlannerWindow::InputsChanged() {
    ClearReduction();
    MarkModified();
    Recount();
}

void TPlannerWindow::MarkModified() {
    if (!showing_) {
        setWindowModified(true);
    }
}

void TPlannerWindow::Recount() {
    count_.reset();
    countLabel_->setText(tr("Contando las columnas..."));
    costLabel_->clear();
    counter_->Count(ForecastOf(CurrentPlan()), conditions_);
}

void TPlannerWindow::ShowCount(quint64 columns) {
    count_ = columns;
    countLabel_->setText(tr("%1 columnas").arg(Count(columns)));
    ShowCost();
}

void TPlannerWindow::ShowCost() {
    if (count_) {
        costLabel_->setText(
            tr("Coste: %1").arg(Euros(static_cast<double>(*count_) * price_->value())));
    }
}

void TPlannerWindow::AddCondition() {
    if (Working()) {
        return;
    }
    TConditionDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    conditions_.push_back(dialog.Condition());
    ShowConditions();
    conditionList_->setCurrentRow(static_cast<int>(conditions_.size()) - 1);
    InputsChanged();
}

void TPlannerWindow::RemoveCondition() {
    const int row = conditionList_->currentRow();
    if (Working() || row < 0 || row >= static_cast<int>(conditions_.size())) {
        return;
    }
    conditions_.erase(conditions_.begin() + row);
    ShowConditions();
    conditionList_->setCurrentRow(std::min(row, static_cast<int>(conditions_.size()) - 1));
    InputsChanged();
}

void TPlannerWindow::ShowConditions() {
    const QSignalBlocker blocker(conditionList_);
    conditionList_->clear();
    for (const kelvo::TCondition& condition : conditions_) {
        conditionList_->addItem(DescribeCondition(condition));
    }
    UpdateActions();
}

void TPlannerWindow::ShowChances(bool shown) {
    chancesHeader_->setVisible(shown);
    for (const TMatchRow& row : rows_) {
        for (QDoubleSpinBox* chance : row.Chances) {
            chance->setVisible(shown);
        }
    }
}

void TPlannerWindow::ChancesChanged() {
    if (!reduction_) {
        return;
    }
    // The prizes are weighed again once the player rests, not at every step of a spin box.
    QTimer::singleShot(kChancesPauseMs, this, [this] {
        if (reduction_ && !Working()) {
            StartScoring();
        }
    });
}

std::optional<kelvo::TChances> TPlannerWindow::ValidChances() {
    if (!chancesAction_->isChecked()) {
        return std::nullopt;
    }
    std::string text;
    for (const TMatchRow& row : rows_) {
        for (QDoubleSpinBox* chance : row.Chances) {
            text += QString::number(chance->value(), 'f', 1).toStdString() + ' ';
        }
        text += '\n';
    }
    try {
        return kelvo::ParseChances(text);
    } catch (const kelvo::TChancesError& error) {
        chancesLabel_->setText(tr("Las probabilidades no se pueden usar: %1")
                                   .arg(QString::fromStdString(error.what())));
        return std::nullopt;
    }
}

void TPlannerWindow::StartReduction() {
    if (Working()) {
        return;
    }
    const kelvo::TPlan plan = CurrentPlan();
    TReductionInput input;
    input.Forecast = ForecastOf(plan);
    input.Conditions = plan.Conditions;
    input.Guarantee = plan.Guarantee;
    if (plan.BudgetSeconds > 0) {
        kelvo::TOptimiserBudget budget;
        budget.Time = std::chrono::seconds(plan.BudgetSeconds);
        if (searchSteps_) {
            budget.Seed = searchSteps_->first;
            budget.Steps = searchSteps_->second;
        }
        input.Budget = budget;
        input.Anywhere = plan.Anywhere;
    }
    ClearReduction();
    StartJob(std::move(input), true);
}

void TPlannerWindow::StopReduction() {
    if (job_ && reducing_) {
        job_->StopSearch();
        phaseLabel_->setText(tr("Parando..."));
    }
}

void TPlannerWindow::StartScoring() {
    if (!reduction_ || Working()) {
        return;
    }
    const kelvo::TPlan plan = CurrentPlan();
    TReductionInput input;
    input.Forecast = ForecastOf(plan);
    input.Conditions = plan.Conditions;
    input.Guarantee = plan.Guarantee;
    input.Reduced = reduction_->Columns;
    StartJob(std::move(input), false);
}

void TPlannerWindow::StartJob(TReductionInput input, bool reducing) {
    chancesLabel_->clear();
    input.Chances = ValidChances();
    reducing_ = reducing;
    job_ = std::make_unique<TReductionJob>(std::move(input));
    connect(job_.get(), &TReductionJob::Progressed, this, &TPlannerWindow::ShowProgress);
    connect(job_.get(), &TReductionJob::Finished, this, &TPlannerWindow::JobFinished);
    connect(job_.get(), &TReductionJob::Failed, this, &TPlannerWindow::JobFailed);
    SetWorking(true);
}

void TPlannerWindow::ShowProgress(const TJobProgress& progress) {
    phaseLabel_->setText(progress.Phase);
    progress_->setValue(static_cast<int>(
        std::lround(std::clamp(progress.Fraction, 0.0, 1.0) * progress_->maximum())));
    if (progress.Best > 0) {
        bestLabel_->setText(tr("Mejor hasta ahora: %1 columnas").arg(Count(progress.Best)));
    }
    if (progress.Bound > 0) {
        boundLabel_->setText(tr("Cota inferior: %1 columnas").arg(Count(progress.Bound)));
    }
    if (progress.SecondsLeft) {
        timeLeftLabel_->setText(
            tr("Quedan %1 s")
                .arg(QLocale().toString(std::max(0.0, *progress.SecondsLeft), 'f', 0)));
    }
}

void TPlannerWindow::JobFinished(std::shared_ptr<const TReductionResult> result) {
    const bool reduced = reducing_;
    job_.reset();
    SetWorking(false);
    progress_->setValue(progress_->maximum());
    phaseLabel_->setText(tr("Terminado"));
    timeLeftLabel_->clear();
    if (reduced) {
        bestLabel_->setText(tr("Mejor hasta ahora: %1 columnas").arg(Count(result->Chosen.size())));
        reduction_ = kelvo::TPlanReduction{result->Chosen, result->Report};
        columnsModel_->SetColumns(result->Chosen);
        ResultEdited();
        MarkModified();
    }
    prizes_ = result;
    ShowReduction();
    ShowPrizes(*result);
    UpdateActions();
}

void TPlannerWindow::JobFailed(const QString& message) {
    job_.reset();
    SetWorking(false);
    phaseLabel_->clear();
    ShowError(message);
}

void TPlannerWindow::SetWorking(bool working) {
    forecastBox_->setEnabled(!working);
    conditionsBox_->setEnabled(!working);
    guarantee_->setEnabled(!working);
    budget_->setEnabled(!working);
    if (working) {
        for (QLabel* label : {phaseLabel_, bestLabel_, boundLabel_, timeLeftLabel_}) {
            label->clear();
        }
        progress_->setValue(0);
    }
    UpdateActions();
}

void TPlannerWindow::ClearReduction() {
    if (!reduction_ && !prizes_) {
        return;
    }
    reduction_.reset();
    prizes_.reset();
    columnsModel_->SetColumns({});
    ResultEdited();
    ShowReduction();
    UpdateActions();
}

void TPlannerWindow::ShowReduction() {
    if (!reduction_) {
        summaryLabel_->setText(tr("Sin reducción: pulse Reducir."));
        guaranteedLabel_->clear();
        chancesLabel_->clear();
        for (int row = 0; row < prizeTable_->rowCount(); ++row) {
            for (int column = 0; column < prizeTable_->columnCount(); ++column) {
                delete prizeTable_->takeItem(row, column);
            }
        }
        return;
    }
    const kelvo::TReductionReport& report = reduction_->Report;
    const std::size_t size = reduction_->Columns.size();
    QString summary = tr("%1 columnas reducidas al %2 · coste %3")
                          .arg(Count(size))
                          .arg(guarantee_->currentData().toInt())
                          .arg(Euros(static_cast<double>(size) * price_->value()));
    if (report.LowerBound > 0) {
        const QString bound = report.BoundPublished
                                  ? tr("Cota inferior publicada %1: %2 columnas por encima")
                                  : tr("Cota inferior %1: %2 columnas por encima");
        summary += QLatin1Char('\n') + bound.arg(Count(report.LowerBound))
                                           .arg(Count(size - std::min(size, report.LowerBound)));
    }
    if (report.SmallestPossible) {
        summary += QLatin1Char('\n') +
                   tr("La más pequeña posible: ninguna reducción tiene menos columnas");
    }
    summary += QLatin1Char('\n') + tr("La voraz eligió %1 columnas").arg(Count(report.Greedy));
    if (report.Stopped) {
        summary += tr(" · búsqueda parada");
    }
    summaryLabel_->setText(summary);
}

void TPlannerWindow::ShowPrizes(const TReductionResult& result) {
    const kelvo::TPrizeTable& table = result.Prizes;
    guaranteedLabel_->setText(tr("%1 resultados del desarrollo · garantizados %2 aciertos")
                                  .arg(Count(table.Results))
                                  .arg(table.Guaranteed));
    const auto put = [this](int row, int column, const QString& text) {
        auto* item = new QTableWidgetItem(text);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        prizeTable_->setItem(row, column, item);
    };
    for (int row = 0; row < kPrizeRows; ++row) {
        put(row, 0, Count(table.Best[row]));
        const bool category = row < kelvo::kPrizeCategories;
        put(row, 1, category ? QLocale().toString(table.MeanColumns[row], 'f', 2) : QString());
        put(row, 2, category ? Count(table.MostColumns[row]) : QString());
        put(row, 3,
            category && result.Chances
                ? QLocale().toString(result.Chances->AtLeast[row], 'f', 4) + QStringLiteral(" %")
                : QString());
        put(row, 4,
            category && result.Chances ? QLocale().toString(result.Chances->Expected[row], 'f', 4)
                                       : QString());
    }
    if (result.Chances) {
        chancesLabel_->setText(tr("Probabilidad de que el resultado esté en el desarrollo: %1 %")
                                   .arg(QLocale().toString(result.Chances->InDevelopment, 'f', 4)));
    }
}

void TPlannerWindow::ResultEdited() {
    const QString text = resultEdit_->text().toUpper();
    if (!showing_ && sender() == resultEdit_) {
        MarkModified();
    }
    if (text.size() == kelvo::kColumnLength) {
        columnsModel_->SetResult(text.toStdString());
        const std::array<std::size_t, 5> hits = columnsModel_->HitCounts();
        hitsLabel_->setText(tr("14: %1 · 13: %2 · 12: %3 · 11: %4 · 10: %5")
                                .arg(Count(hits[0]))
                                .arg(Count(hits[1]))
                                .arg(Count(hits[2]))
                                .arg(Count(hits[3]))
                                .arg(Count(hits[4])));
    } else {
        columnsModel_->SetResult(std::nullopt);
        hitsLabel_->clear();
    }
}

void TPlannerWindow::NewPlan() {
    if (Working() || !MaySetPlanAside()) {
        return;
    }
    ShowPlan(kelvo::TPlan(), QString());
}

void TPlannerWindow::OpenPlan() {
    if (Working() || !MaySetPlanAside()) {
        return;
    }
    const QString path =
        chooser_->OpenPath(this, tr("Abrir plan"), tr("Planes de Kelvo (*.kelvo)"));
    if (!path.isEmpty()) {
        OpenPlanFile(path);
    }
}

bool TPlannerWindow::OpenPlanFile(const QString& path) {
    if (Working()) {
        return false;
    }
    try {
        const kelvo::TPlan plan = ::OpenPlan(path);
        ShowPlan(plan, QFileInfo(path).absoluteFilePath());
        return true;
    } catch (const kelvo::TPlanFileError& error) {
        ShowError(PlanRefusalText(error.Refusal(), QFileInfo(path).fileName()));
        return false;
    }
}

bool TPlannerWindow::SavePlanFile() {
    if (planPath_.isEmpty()) {
        return SavePlanAs();
    }
    return WritePlan(planPath_);
}

bool TPlannerWindow::SavePlanAs() {
    QString path = chooser_->SavePath(this, tr("Guardar plan"), tr("Planes de Kelvo (*.kelvo)"),
                                      planPath_.isEmpty() ? tr("plan.kelvo") : planPath_);
    if (path.isEmpty()) {
        return false;
    }
    const QLatin1String extension(kelvo::kPlanExtension.data(), kelvo::kPlanExtension.size());
    if (!path.endsWith(extension)) {
        path += extension;
    }
    return WritePlan(path);
}

bool TPlannerWindow::WritePlan(const QString& path) {
    try {
        SavePlan(CurrentPlan(), path);
    } catch (const kelvo::TEngineError& error) {
        ShowError(tr("No se pudo guardar el plan: %1")
                      .arg(QString::fromStdString(kelvo::ErrorBoxText(error.what()))));
        return false;
    }
    planPath_ = QFileInfo(path).absoluteFilePath();
    setWindowModified(false);
    UpdateTitle();
    statusBar()->showMessage(tr("Plan guardado en %1").arg(planPath_));
    return true;
}

QString TPlannerWindow::ChooseExportPath(const QString& title, const QString& filter,
                                         const QString& suffix) {
    if (!reduction_ || Working()) {
        return {};
    }
    return chooser_->SavePath(this, title, filter,
                              QFileInfo(PlanName()).completeBaseName() + suffix);
}

TPrintHeading TPlannerWindow::PrintHeading() const {
    return {PlanName(), guarantee_->currentData().toInt(), QDate::currentDate()};
}

void TPlannerWindow::SaveColumnFile() {
    const QString path = ChooseExportPath(
        tr("Guardar columnas"), tr("Archivos de columnas (*.txt)"), QStringLiteral(".txt"));
    if (path.isEmpty()) {
        return;
    }
    std::vector<std::string> lines;
    lines.reserve(reduction_->Columns.size());
    for (const kelvo::TKey& column : reduction_->Columns) {
        lines.push_back(kelvo::ColumnText(column));
    }
    try {
        kelvo::SaveColumns(lines, QFile::encodeName(path).toStdString());
    } catch (const kelvo::TEngineError& error) {
        ShowError(tr("No se pudieron guardar las columnas: %1")
                      .arg(QString::fromStdString(kelvo::ErrorBoxText(error.what()))));
        return;
    }
    statusBar()->showMessage(tr("Columnas guardadas en %1").arg(path));
}

void TPlannerWindow::ExportPdf() {
    const QString path = ChooseExportPath(tr("Exportar a PDF"), tr("Documentos PDF (*.pdf)"),
                                          QStringLiteral(".pdf"));
    if (path.isEmpty()) {
        return;
    }
    QPdfWriter writer(path);
    writer.setTitle(PlanName());
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    if (!PrintColumns(writer, PrintHeading(), reduction_->Columns)) {
        ShowError(tr("No se pudo escribir %1.").arg(path));
        return;
    }
    statusBar()->showMessage(tr("Columnas exportadas a %1").arg(path));
}

void TPlannerWindow::Print() {
    if (!reduction_ || Working()) {
        return;
    }
    QPrinter printer;
    printer.setDocName(PlanName());
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName("PrintDialog");
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    if (!PrintColumns(printer, PrintHeading(), reduction_->Columns)) {
        ShowError(tr("No se pudo imprimir."));
    }
}

bool TPlannerWindow::MaySetPlanAside() {
    if (!isWindowModified()) {
        return true;
    }
    QMessageBox box(QMessageBox::Question, tr("Cambios sin guardar"),
                    tr("El plan %1 tiene cambios sin guardar. ¿Quiere guardarlos?").arg(PlanName()),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setObjectName("UnsavedBox");
    box.button(QMessageBox::Save)->setText(tr("&Guardar"));
    box.button(QMessageBox::Discard)->setText(tr("&Descartar"));
    box.button(QMessageBox::Cancel)->setText(tr("&Cancelar"));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
        case QMessageBox::Save:
            return SavePlanFile();
        case QMessageBox::Discard:
            return true;
        default:
            return false;
    }
}

void TPlannerWindow::ShowError(const QString& message) {
    QMessageBox box(QMessageBox::Warning, tr("Kelvo Planner"), message, QMessageBox::Ok, this);
    box.setObjectName("ErrorBox");
    box.exec();
}

void TPlannerWindow::UpdateTitle() {
    setWindowTitle(tr("%1[*] — Kelvo Planner").arg(PlanName()));
}

QString TPlannerWindow::PlanName() const {
    return planPath_.isEmpty() ? tr("sin título") : QFileInfo(planPath_).fileName();
}

void TPlannerWindow::UpdateActions() {
    const bool working = Working();
    const bool reduced = reduction_.has_value();
    newAction_->setEnabled(!working);
    openAction_->setEnabled(!working);
    for (QAction* action : {saveColumnsAction_, exportPdfAction_, printAction_}) {
        action->setEnabled(reduced && !working);
    }
    addConditionAction_->setEnabled(!working);
    removeConditionAction_->setEnabled(!working && conditionList_->currentRow() >= 0);
    chancesAction_->setEnabled(!working);
    reduceAction_->setEnabled(!working);
    stopAction_->setEnabled(working && reducing_);
    anywhere_->setEnabled(!working && budget_->value() > 0);
}

void TPlannerWindow::closeEvent(QCloseEvent* event) {
    if (!MaySetPlanAside()) {
        event->ignore();
        return;
    }
    // The worker stops where it is and is waited for before the window goes.
    job_.reset();
    QSettings settings;
    settings.setValue(kGeometryKey, saveGeometry());
    event->accept();
}
