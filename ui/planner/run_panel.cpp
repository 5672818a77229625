#include "run_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QSpinBox>
#include <QToolButton>

#include <algorithm>
#include <array>
#include <cmath>

#include "common/player_numbers.h"
#include "panel_widgets.h"

namespace {

// The guarantees offered, strongest first.
constexpr std::array<int, 3> kGuarantees = {13, 12, 11};

// Euros are counted to the cent; columns whole.
constexpr int kEuroDecimals = 2;
// The widest budget the amount's box makes room for without scrolling its text.
constexpr double kUsualBudget = 999.99;

}  // namespace

TRunPanel::TRunPanel(QAction* reduce, QAction* stop, QWidget* parent)
    : QGroupBox(tr("Reducción"), parent) {
    setObjectName("ReductionBox");
    auto* form = new QGridLayout(this);
    // Close set, as the forecast's rows: at 1024x768 the panel's height is taken from the prizes
    // below it.
    form->setVerticalSpacing(1);
    guarantee_ = new QComboBox(this);
    guarantee_->setObjectName("Guarantee");
    guarantee_->setAccessibleName(tr("Garantía"));
    for (const int guarantee : kGuarantees) {
        guarantee_->addItem(tr("%1 aciertos").arg(guarantee), guarantee);
    }
    connect(guarantee_, &QComboBox::currentIndexChanged, this,
            [this] { emit Changed(TPlanChange::Reduction); });
    auto* guaranteeLabel = new QLabel(tr("&Garantía:"), this);
    guaranteeLabel->setBuddy(guarantee_);
    budget_ = new QSpinBox(this);
    budget_->setObjectName("Budget");
    budget_->setAccessibleName(tr("Tiempo del optimizador"));
    budget_->setRange(0, kelvo::kMostBudgetSeconds);
    budget_->setSuffix(tr(" s"));
    budget_->setSpecialValueText(tr("sin optimizar"));
    connect(budget_, &QSpinBox::valueChanged, this, [this] {
        EnableAnywhere();
        emit Changed(TPlanChange::Other);
    });
    auto* budgetLabel = new QLabel(tr("&Tiempo:"), this);
    budgetLabel->setBuddy(budget_);
    // Only the optimiser chooses columns outside the forecast, so the box waits for a budget. A
    // reduction made one way is no reduction of the plan made the other (its file would not
    // hold together), so a change clears it as the guarantee's does.
    anywhere_ = new QCheckBox(tr("usar columnas fuera del pronóstico"), this);
    anywhere_->setObjectName("Anywhere");
    connect(anywhere_, &QCheckBox::toggled, this, [this] { emit Changed(TPlanChange::Reduction); });
    // A budget weighs the player's chances: the window shows them while one is ticked.
    budgetOn_ = new QCheckBox(tr("Pre&supuesto:"), this);
    budgetOn_->setObjectName("BudgetOn");
    budgetOn_->setToolTip(
        tr("Reducir elige las mejores columnas que paga el presupuesto, en vez "
           "de cubrir todo el desarrollo"));
    budgetAmount_ = new QDoubleSpinBox(this);
    budgetAmount_->setObjectName("BudgetAmount");
    budgetAmount_->setAccessibleName(tr("Cuantía del presupuesto"));
    {
        // As wide as three digits and cents, not as the most columns or euros a budget may be:
        // the panel shares the window's width with the forecast and its chances.
        QDoubleSpinBox usual;
        usual.setDecimals(kEuroDecimals);
        usual.setRange(0, kUsualBudget);
        budgetAmount_->setMinimumWidth(usual.minimumSizeHint().width());
        budgetAmount_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    }
    budgetUnit_ = new QComboBox(this);
    budgetUnit_->setObjectName("BudgetUnit");
    budgetUnit_->setAccessibleName(tr("Unidad del presupuesto"));
    // Short, for the panel to fit beside the forecast and its chances at 1024x768; the line
    // below the budget says in words what it pays for.
    budgetUnit_->addItem(tr("col."), static_cast<int>(kelvo::TBudgetUnit::Columns));
    budgetUnit_->addItem(tr("€"), static_cast<int>(kelvo::TBudgetUnit::Euros));
    budgetUnit_->setItemData(0, tr("columnas"), Qt::ToolTipRole);
    budgetUnit_->setItemData(1, tr("euros"), Qt::ToolTipRole);
    budgetGoal_ = new QComboBox(this);
    budgetGoal_->setObjectName("BudgetGoal");
    budgetGoal_->setAccessibleName(tr("Para qué se eligen las columnas"));
    budgetGoal_->addItem(tr("probabilidad"), static_cast<int>(kelvo::TBudgetGoal::Chance));
    budgetGoal_->addItem(tr("ganancia"), static_cast<int>(kelvo::TBudgetGoal::Winnings));
    budgetGoal_->setItemData(
        0, tr("La mayor probabilidad de que alguna columna tenga los aciertos de la garantía"),
        Qt::ToolTipRole);
    budgetGoal_->setItemData(1, tr("La mayor ganancia esperada, con los porcentajes del público"),
                             Qt::ToolTipRole);
    auto* goalLabel = new QLabel(tr("Eleg&ir por:"), this);
    goalLabel->setBuddy(budgetGoal_);
    budgetBuys_ = new QLabel(this);
    budgetBuys_->setObjectName("BudgetBuys");
    budgetBuys_->setAccessibleName(tr("Lo que paga el presupuesto"));
    const auto budgetChanged = [this] {
        EnableBudget();
        emit Changed(TPlanChange::Reduction);
    };
    connect(budgetOn_, &QCheckBox::toggled, this, budgetChanged);
    connect(budgetAmount_, &QDoubleSpinBox::valueChanged, this, budgetChanged);
    connect(budgetGoal_, &QComboBox::currentIndexChanged, this, budgetChanged);
    // The amount stays as typed: 40 columns become 40 €, and the line below says what they buy.
    connect(budgetUnit_, &QComboBox::currentIndexChanged, this, [this, budgetChanged] {
        const QSignalBlocker blocker(budgetAmount_);
        SetAmountRange();
        budgetChanged();
    });
    reduceButton_ = ActionButton(this, "ReduceButton", reduce, tr("Reducir"));
    stopButton_ = ActionButton(this, "StopButton", stop, tr("Parar"));
    for (QToolButton* button : {reduceButton_, stopButton_}) {
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }
    const auto label = [this](const char* name, const QString& accessible) {
        auto* shown = new QLabel(this);
        shown->setObjectName(QString::fromLatin1(name));
        shown->setAccessibleName(accessible);
        return shown;
    };
    phaseLabel_ = label("Phase", tr("Fase"));
    bestLabel_ = label("BestSoFar", tr("Tamaño de la reducción"));
    boundLabel_ = label("LowerBound", tr("Cuánto podría ahorrarse aún"));
    boundLabel_->setWordWrap(true);
    timeLeftLabel_ = label("TimeLeft", tr("Tiempo restante"));
    progress_ = new QProgressBar(this);
    progress_->setObjectName("Progress");
    progress_->setAccessibleName(tr("Progreso"));
    progress_->setRange(0, 1000);
    progress_->setTextVisible(false);

    form->addWidget(guaranteeLabel, 0, 0);
    form->addWidget(guarantee_, 0, 1);
    form->addWidget(budgetLabel, 1, 0);
    form->addWidget(budget_, 1, 1);
    form->addWidget(anywhere_, 2, 0, 1, 2);
    auto* amount = new QHBoxLayout;
    amount->setSpacing(2);
    amount->addWidget(budgetAmount_, 1);
    amount->addWidget(budgetUnit_);
    form->addWidget(budgetOn_, 3, 0);
    form->addLayout(amount, 3, 1);
    form->addWidget(goalLabel, 4, 0);
    form->addWidget(budgetGoal_, 4, 1);
    // Under the amount, but as wide as the panel: "Da para 1.234 columnas" is wider than the box.
    form->addWidget(budgetBuys_, 5, 0, 1, 2, Qt::AlignRight);
    form->addWidget(reduceButton_, 6, 0);
    form->addWidget(stopButton_, 6, 1);
    form->addWidget(phaseLabel_, 7, 0, 1, 2);
    form->addWidget(progress_, 8, 0, 1, 2);
    form->addWidget(bestLabel_, 9, 0, 1, 2);
    form->addWidget(boundLabel_, 10, 0, 1, 2);
    form->addWidget(timeLeftLabel_, 11, 0, 1, 2);
    form->setRowStretch(12, 1);
    SetAmountRange();
    budgetAmount_->setValue(kelvo::TPlanBudget().Amount);
    EnableBudget();
}

void TRunPanel::Load(const kelvo::TPlan& plan) {
    const QSignalBlocker guaranteeBlocker(guarantee_);
    const QSignalBlocker budgetBlocker(budget_);
    const QSignalBlocker anywhereBlocker(anywhere_);
    const QSignalBlocker budgetOnBlocker(budgetOn_);
    const QSignalBlocker amountBlocker(budgetAmount_);
    const QSignalBlocker unitBlocker(budgetUnit_);
    const QSignalBlocker goalBlocker(budgetGoal_);
    const auto guarantee = std::find(kGuarantees.begin(), kGuarantees.end(), plan.Guarantee);
    guarantee_->setCurrentIndex(static_cast<int>(guarantee - kGuarantees.begin()));
    budget_->setValue(plan.BudgetSeconds);
    anywhere_->setChecked(plan.Anywhere);
    EnableAnywhere();
    budgetOn_->setChecked(plan.Budget.has_value());
    if (plan.Budget) {
        budgetUnit_->setCurrentIndex(budgetUnit_->findData(static_cast<int>(plan.Budget->Unit)));
        SetAmountRange();
        budgetAmount_->setValue(plan.Budget->Amount);
        budgetGoal_->setCurrentIndex(budgetGoal_->findData(static_cast<int>(plan.Budget->Goal)));
    }
    ShowPrice(plan);
}

void TRunPanel::Store(kelvo::TPlan& plan) const {
    plan.Guarantee = guarantee_->currentData().toInt();
    plan.BudgetSeconds = budget_->value();
    plan.Anywhere = anywhere_->isChecked();
    plan.Budget = budgetOn_->isChecked() ? std::optional(ShownBudget()) : std::nullopt;
}

void TRunPanel::ShowPrice(const kelvo::TPlan& plan) {
    price_ = plan.Price;
    pleno_ = plan.Pleno;
    EnableBudget();
}

bool TRunPanel::HasBudget() const {
    return budgetOn_->isChecked();
}

void TRunPanel::DropBudget() {
    const QSignalBlocker blocker(budgetOn_);
    budgetOn_->setChecked(false);
    EnableBudget();
}

void TRunPanel::SetWorking(bool working) {
    working_ = working;
    guarantee_->setEnabled(!working);
    budget_->setEnabled(!working);
    EnableAnywhere();
    budgetOn_->setEnabled(!working);
    EnableBudget();
    if (working) {
        ShowIdle();
    }
}

void TRunPanel::ShowIdle() {
    for (QLabel* label : {phaseLabel_, bestLabel_, boundLabel_, timeLeftLabel_}) {
        label->clear();
    }
    progress_->setValue(0);
    best_ = 0;
    bound_ = 0;
    smallest_ = false;
}

void TRunPanel::ShowProgress(const TJobProgress& progress) {
    phaseLabel_->setText(progress.Phase);
    progress_->setValue(static_cast<int>(
        std::lround(std::clamp(progress.Fraction, 0.0, 1.0) * progress_->maximum())));
    if (progress.Best > 0) {
        best_ = progress.Best;
        bestLabel_->setText(tr("Mejor hasta ahora: %1 columnas").arg(CountText(best_)));
    }
    if (progress.Bound > 0) {
        bound_ = progress.Bound;
        ShowBound();
    }
    if (progress.SecondsLeft) {
        timeLeftLabel_->setText(
            tr("Quedan %1 s")
                .arg(QLocale().toString(std::max(0.0, *progress.SecondsLeft), 'f', 0)));
    }
}

void TRunPanel::ShowStopping() {
    phaseLabel_->setText(tr("Parando..."));
}

void TRunPanel::ShowFinished(const std::optional<kelvo::TPlanReduction>& reduction) {
    progress_->setValue(progress_->maximum());
    phaseLabel_->setText(tr("Terminado"));
    timeLeftLabel_->clear();
    if (reduction && reduction->Budget) {
        bestLabel_->setText(tr("Elegidas: %1 columnas").arg(CountText(reduction->Columns.size())));
        // The sizes a reduction could come down to say nothing of the columns a budget chose.
        boundLabel_->setText(
            reduction->Budget->BestPossible
                ? tr("La mejor posible con %1 columnas").arg(CountText(reduction->Budget->Budget))
                : QString());
    } else if (reduction) {
        const kelvo::TReductionReport& report = reduction->Report;
        best_ = report.Final;
        bestLabel_->setText(tr("Reducción: %1 columnas").arg(CountText(best_)));
        // The report's bound may be a published one, above any the search worked out.
        bound_ = std::max(bound_, report.LowerBound);
        smallest_ = report.SmallestPossible;
        if (bound_ > 0 || smallest_) {
            ShowBound();
        }
    }
}

void TRunPanel::ShowFailed() {
    ShowIdle();
}

QWidget* TRunPanel::ChainTabOrder(QWidget* previous) const {
    return ::ChainTabOrder(previous, {guarantee_, budget_, anywhere_, budgetOn_, budgetAmount_,
                                      budgetUnit_, budgetGoal_, reduceButton_, stopButton_});
}

void TRunPanel::ShowBound() {
    const QString bound = CountText(bound_);
    if (best_ == 0) {
        boundLabel_->setText(tr("Ninguna reducción puede bajar de %1 columnas").arg(bound));
    } else if (smallest_ || best_ <= bound_) {
        boundLabel_->setText(tr("La más pequeña posible: ninguna reducción tiene menos columnas"));
    } else if (best_ - bound_ == 1) {
        boundLabel_->setText(
            tr("Ninguna reducción puede bajar de %1 columnas: como mucho se ahorraría 1 más")
                .arg(bound));
    } else {
        boundLabel_->setText(
            tr("Ninguna reducción puede bajar de %1 columnas: como mucho se ahorrarían %2 más")
                .arg(bound, CountText(best_ - bound_)));
    }
}

void TRunPanel::EnableAnywhere() {
    anywhere_->setEnabled(!working_ && budget_->value() > 0);
}

void TRunPanel::EnableBudget() {
    const bool editable = !working_ && budgetOn_->isChecked();
    for (QWidget* control :
         std::initializer_list<QWidget*>{budgetAmount_, budgetUnit_, budgetGoal_}) {
        control->setEnabled(editable);
    }
    if (!budgetOn_->isChecked()) {
        budgetBuys_->clear();
        return;
    }
    kelvo::TPlan plan;
    plan.Price = price_;
    plan.Pleno = pleno_;
    plan.Budget = ShownBudget();
    const std::size_t columns = kelvo::BudgetColumns(plan);
    if (plan.Budget->Unit == kelvo::TBudgetUnit::Columns) {
        budgetBuys_->setText((columns == 1 ? tr("Cuesta %1") : tr("Cuestan %1"))
                                 .arg(EurosText(kelvo::CostOf(columns, price_, pleno_))));
    } else if (columns == 0) {
        budgetBuys_->setText(tr("No da para ninguna columna"));
    } else {
        budgetBuys_->setText(columns == 1 ? tr("Da para 1 columna")
                                          : tr("Da para %1 columnas").arg(CountText(columns)));
    }
}

kelvo::TPlanBudget TRunPanel::ShownBudget() const {
    kelvo::TPlanBudget budget;
    budget.Amount = budgetAmount_->value();
    budget.Unit = static_cast<kelvo::TBudgetUnit>(budgetUnit_->currentData().toInt());
    budget.Goal = static_cast<kelvo::TBudgetGoal>(budgetGoal_->currentData().toInt());
    return budget;
}

void TRunPanel::SetAmountRange() {
    if (static_cast<kelvo::TBudgetUnit>(budgetUnit_->currentData().toInt()) ==
        kelvo::TBudgetUnit::Columns) {
        budgetAmount_->setDecimals(0);
        budgetAmount_->setRange(1, kelvo::kMostBudgetColumns);
    } else {
        budgetAmount_->setDecimals(kEuroDecimals);
        budgetAmount_->setRange(kelvo::kLeastBudgetEuros, kelvo::kMostBudgetEuros);
    }
}
