#include "run_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
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

}  // namespace

TRunPanel::TRunPanel(QAction* reduce, QAction* stop, QWidget* parent)
    : QGroupBox(tr("Reducción"), parent) {
    setObjectName("ReductionBox");
    auto* form = new QGridLayout(this);
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
    form->addWidget(reduceButton_, 3, 0);
    form->addWidget(stopButton_, 3, 1);
    form->addWidget(phaseLabel_, 4, 0, 1, 2);
    form->addWidget(progress_, 5, 0, 1, 2);
    form->addWidget(bestLabel_, 6, 0, 1, 2);
    form->addWidget(boundLabel_, 7, 0, 1, 2);
    form->addWidget(timeLeftLabel_, 8, 0, 1, 2);
    form->setRowStretch(9, 1);
}

void TRunPanel::Load(const kelvo::TPlan& plan) {
    const QSignalBlocker guaranteeBlocker(guarantee_);
    const QSignalBlocker budgetBlocker(budget_);
    const QSignalBlocker anywhereBlocker(anywhere_);
    const auto guarantee = std::find(kGuarantees.begin(), kGuarantees.end(), plan.Guarantee);
    guarantee_->setCurrentIndex(static_cast<int>(guarantee - kGuarantees.begin()));
    budget_->setValue(plan.BudgetSeconds);
    anywhere_->setChecked(plan.Anywhere);
    EnableAnywhere();
}

void TRunPanel::Store(kelvo::TPlan& plan) const {
    plan.Guarantee = guarantee_->currentData().toInt();
    plan.BudgetSeconds = budget_->value();
    plan.Anywhere = anywhere_->isChecked();
}

void TRunPanel::SetWorking(bool working) {
    working_ = working;
    guarantee_->setEnabled(!working);
    budget_->setEnabled(!working);
    EnableAnywhere();
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

void TRunPanel::ShowFinished(const std::optional<kelvo::TReductionReport>& report) {
    progress_->setValue(progress_->maximum());
    phaseLabel_->setText(tr("Terminado"));
    timeLeftLabel_->clear();
    if (report) {
        best_ = report->Final;
        bestLabel_->setText(tr("Reducción: %1 columnas").arg(CountText(best_)));
        // The report's bound may be a published one, above any the search worked out.
        bound_ = std::max(bound_, report->LowerBound);
        smallest_ = report->SmallestPossible;
        if (bound_ > 0 || smallest_) {
            ShowBound();
        }
    }
}

void TRunPanel::ShowFailed() {
    ShowIdle();
}

QWidget* TRunPanel::ChainTabOrder(QWidget* previous) const {
    return ::ChainTabOrder(previous, {guarantee_, budget_, anywhere_, reduceButton_, stopButton_});
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
