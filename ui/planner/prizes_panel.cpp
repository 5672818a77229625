#include "prizes_panel.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdint>

#include "chance_text.h"
#include "common/player_numbers.h"
#include "panel_widgets.h"

namespace {

// The prize table's rows: 14 to 10 right, then fewer.
constexpr int kPrizeRows = kelvo::kPrizeCategories + 1;

// The value table's columns: the special category, 14 to 10 right, then all of them.
constexpr int kSpecialColumn = 0;
constexpr int kFirstCategoryColumn = 1;
constexpr int kTotalColumn = kFirstCategoryColumn + kelvo::kPrizeCategories;

}  // namespace

QString ChancesProblemText(const kelvo::TChancesProblem& problem) {
    using kelvo::TChancesFault;
    const QString match = CountText(problem.Line);
    switch (problem.Fault) {
        case TChancesFault::LineCount:
            return TPrizesPanel::tr("Hay probabilidades de %1 partidos; deben ser de los 14")
                .arg(CountText(problem.Count));
        case TChancesFault::NumberCount:
            return TPrizesPanel::tr(
                       "Partido %1: tiene %2 probabilidades; necesita 3, las de 1, X y 2")
                .arg(match, CountText(problem.Count));
        case TChancesFault::NotNumber:
            return TPrizesPanel::tr("Partido %1: «%2» no es un número")
                .arg(match, QString::fromStdString(problem.Field));
        case TChancesFault::Negative:
            return TPrizesPanel::tr("Partido %1: la probabilidad %2 es negativa")
                .arg(match, QString::fromStdString(problem.Field));
        case TChancesFault::WrongSum:
            return TPrizesPanel::tr("Partido %1: las probabilidades suman %2; deben sumar 100")
                .arg(match, NumberText(problem.Sum));
    }
    return {};
}

TPrizesPanel::TPrizesPanel(QWidget* parent) : QWidget(parent) {
    // At 1024x768 the tab has little height for the prizes and what they are worth: they scroll
    // within it, so that the whole window need not.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName("PrizesScroll");
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    auto* content = new QWidget(scroll);
    auto* layout = new QVBoxLayout(content);
    summaryLabel_ = new QLabel(this);
    summaryLabel_->setObjectName("ReductionSummary");
    summaryLabel_->setAccessibleName(tr("Resumen de la reducción"));
    summaryLabel_->setWordWrap(true);
    budgetLabel_ = new QLabel(this);
    budgetLabel_->setObjectName("BudgetChoice");
    budgetLabel_->setAccessibleName(tr("Cómo se eligieron las columnas del presupuesto"));
    budgetLabel_->setWordWrap(true);
    budgetLabel_->hide();
    guaranteedLabel_ = new QLabel(this);
    guaranteedLabel_->setObjectName("Guaranteed");
    guaranteedLabel_->setAccessibleName(tr("Premio garantizado"));
    chancesLabel_ = new QLabel(this);
    chancesLabel_->setObjectName("ChancesSummary");
    chancesLabel_->setAccessibleName(tr("Probabilidades de esta semana"));
    chancesLabel_->setWordWrap(true);
    prizeTable_ = new QTableWidget(kPrizeRows, 5, this);
    prizeTable_->setObjectName("PrizeTable");
    prizeTable_->setAccessibleName(tr("Tabla de premios"));
    prizeTable_->setHorizontalHeaderLabels(
        {tr("Resultados\ndel desarrollo"), tr("Columnas\npremiadas por\nresultado\n(media)"),
         tr("Columnas\npremiadas por\nresultado\n(máximo)"),
         tr("Probabilidad\nesta semana de\nal menos esos\naciertos"),
         tr("Columnas\npremiadas\nesperadas\nesta semana")});
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
        categories.append(tr("%1 aciertos").arg(CountText(static_cast<std::uint64_t>(right))));
    }
    categories.append(tr("menos de 10"));
    prizeTable_->setVerticalHeaderLabels(categories);
    prizeTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    prizeTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    valueBox_ = new QGroupBox(tr("Lo que se espera ganar esta semana"), this);
    valueBox_->setObjectName("ValueBox");
    auto* valueLayout = new QVBoxLayout(valueBox_);
    // Close set: at 1024x768 the prize tab has little height to spare.
    valueLayout->setSpacing(2);
    valueStateLabel_ = new QLabel(valueBox_);
    valueStateLabel_->setObjectName("ValueState");
    valueStateLabel_->setAccessibleName(tr("Estado del cálculo"));
    valueTable_ = new QTableWidget(1, kTotalColumn + 1, valueBox_);
    valueTable_->setObjectName("ValueTable");
    valueTable_->setAccessibleName(tr("Ganancia esperada por categoría"));
    QStringList valueHeaders = {tr("14 +\nPleno al 15")};
    for (int category = 0; category < kelvo::kPrizeCategories; ++category) {
        valueHeaders.append(
            tr("%1\naciertos")
                .arg(CountText(static_cast<std::uint64_t>(kelvo::kColumnLength - category))));
    }
    valueHeaders.append(tr("Total"));
    valueTable_->setHorizontalHeaderLabels(valueHeaders);
    valueTable_->setVerticalHeaderLabels({tr("Ganancia\nesperada")});
    valueTable_->horizontalHeaderItem(kSpecialColumn)
        ->setToolTip(tr("Los 14 aciertos con el Pleno al 15 acertado"));
    valueTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    valueTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    valueTable_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    valueTable_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    valueTable_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // One row: the table is as tall as its header and that row, no taller.
    valueTable_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    // Its columns share whatever width the tab has, as the prize table's do.
    valueTable_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    returnLabel_ = new QLabel(valueBox_);
    returnLabel_->setObjectName("ReturnPerEuro");
    returnLabel_->setAccessibleName(tr("Rendimiento por euro"));
    returnLabel_->setToolTip(tr("Lo que se espera ganar por cada euro apostado"));
    prizeChanceLabel_ = new QLabel(valueBox_);
    prizeChanceLabel_->setObjectName("ChanceOfPrize");
    prizeChanceLabel_->setAccessibleName(tr("Probabilidad de premio"));
    prizeChanceLabel_->setToolTip(tr("Probabilidad de que alguna columna tenga 10 aciertos o más"));
    auto* valueNote = new QLabel(
        tr("Es una estimación: no cuenta que el premio de una categoría sin acertantes pase a "
           "otra, ni que una categoría inferior nunca pague más que una superior."),
        valueBox_);
    valueNote->setObjectName("ValueNote");
    valueNote->setWordWrap(true);
    auto* figures = new QHBoxLayout;
    // Two figures on one line, apart enough to read as two.
    figures->setSpacing(QFontMetrics(font()).horizontalAdvance(QStringLiteral("MMM")));
    figures->addWidget(returnLabel_);
    figures->addWidget(prizeChanceLabel_, 1);
    valueLayout->addWidget(valueStateLabel_);
    valueLayout->addWidget(valueTable_);
    valueLayout->addLayout(figures);
    valueLayout->addWidget(valueNote);
    valueBox_->hide();

    layout->addWidget(summaryLabel_);
    layout->addWidget(budgetLabel_);
    layout->addWidget(guaranteedLabel_);
    layout->addWidget(prizeTable_, 1);
    layout->addWidget(chancesLabel_);
    layout->addWidget(valueBox_);
    scroll->setWidget(content);
}

void TPrizesPanel::ShowReduction(const kelvo::TPlan& plan) {
    budgetLabel_->clear();
    budgetLabel_->hide();
    if (!plan.Reduction) {
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
    if (plan.Reduction->Budget) {
        ShowBudgetChoice(plan);
        return;
    }
    const kelvo::TReductionReport& report = plan.Reduction->Report;
    const std::size_t size = plan.Reduction->Columns.size();
    QString summary = tr("%1 columnas reducidas al %2 · coste %3")
                          .arg(CountText(size))
                          .arg(CountText(static_cast<std::uint64_t>(plan.Guarantee)))
                          .arg(EurosText(kelvo::CostOf(size, plan.Price, plan.Pleno)));
    if (report.LowerBound > 0) {
        const std::size_t saving = size - std::min(size, report.LowerBound);
        // A published bound comes from the tables of coverings the experts keep.
        const QString bound =
            report.BoundPublished
                ? (saving == 0 ? tr("Según las tablas publicadas, ninguna reducción puede bajar "
                                    "de %1 columnas: no se puede ahorrar ninguna más")
                               : tr("Según las tablas publicadas, ninguna reducción puede bajar "
                                    "de %1 columnas: como mucho se ahorrarían %2 más"))
                : (saving == 0 ? tr("Ninguna reducción puede bajar de %1 columnas: no se puede "
                                    "ahorrar ninguna más")
                               : tr("Ninguna reducción puede bajar de %1 columnas: como mucho se "
                                    "ahorrarían %2 más"));
        summary += QLatin1Char('\n') +
                   (saving == 0 ? bound.arg(CountText(report.LowerBound))
                                : bound.arg(CountText(report.LowerBound)).arg(CountText(saving)));
    }
    if (report.SmallestPossible) {
        summary += QLatin1Char('\n') +
                   tr("La más pequeña posible: ninguna reducción tiene menos columnas");
    }
    summary +=
        QLatin1Char('\n') + tr("Reducción rápida: %1 columnas").arg(CountText(report.Greedy));
    if (report.Stopped) {
        summary += tr(" · búsqueda parada");
    }
    summaryLabel_->setText(summary);
}

void TPrizesPanel::ShowBudgetChoice(const kelvo::TPlan& plan) {
    const kelvo::TBudgetReport& report = *plan.Reduction->Budget;
    const std::size_t size = plan.Reduction->Columns.size();
    const QString budget = CountText(report.Budget);
    QString summary =
        tr("%1 columnas elegidas con un presupuesto de %2 columnas · coste %3")
            .arg(CountText(size), budget, EurosText(kelvo::CostOf(size, plan.Price, plan.Pleno)));
    if (report.Stopped) {
        summary += tr(" · búsqueda parada");
    }
    summaryLabel_->setText(summary);
    QStringList lines = {tr("Probabilidad de %1 o más: %2 de %3 del pronóstico (cota %4)")
                             .arg(CountText(static_cast<std::uint64_t>(plan.Guarantee)),
                                  PercentText(report.Covered), PercentText(report.Forecast),
                                  PercentText(report.Bound))};
    // What the columns are expected to win and their return per euro are the value's, below:
    // here only what sets them against every other choice.
    if (report.Winnings) {
        lines.append(tr("Elegidas por la ganancia esperada: ninguna elección de %1 columnas "
                        "espera ganar más de %2; la elección rápida, %3")
                         .arg(budget, EurosText(report.Winnings->Bound),
                              EurosText(report.Winnings->Greedy)));
    } else {
        lines.append(tr("Elección rápida: %1").arg(PercentText(report.Greedy)));
    }
    if (report.BestPossible) {
        lines.append(tr("La mejor posible con %1 columnas").arg(budget));
    }
    budgetLabel_->setText(lines.join(QLatin1Char('\n')));
    budgetLabel_->show();
}

void TPrizesPanel::ShowPrizes(const TReductionResult& result) {
    const kelvo::TPrizeTable& table = result.Prizes;
    guaranteedLabel_->setText(tr("%1 resultados del desarrollo · garantizados %2 aciertos")
                                  .arg(CountText(table.Results))
                                  .arg(CountText(static_cast<std::uint64_t>(table.Guaranteed))));
    const auto put = [this](int row, int column, const QString& text) {
        auto* item = new QTableWidgetItem(text);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        prizeTable_->setItem(row, column, item);
    };
    for (int row = 0; row < kPrizeRows; ++row) {
        put(row, 0, CountText(table.Best[row]));
        const bool category = row < kelvo::kPrizeCategories;
        put(row, 1, category ? DecimalText(table.MeanColumns[row], 2) : QString());
        put(row, 2, category ? CountText(table.MostColumns[row]) : QString());
        put(row, 3,
            category && result.Chances
                ? DecimalText(result.Chances->AtLeast[row], 4) + QStringLiteral(" %")
                : QString());
        put(row, 4,
            category && result.Chances ? DecimalText(result.Chances->Expected[row], 4) : QString());
    }
    if (result.Chances) {
        chancesLabel_->setText(tr("Probabilidad de que el resultado esté en el desarrollo: %1 %")
                                   .arg(DecimalText(result.Chances->InDevelopment, 4)));
    }
}

void TPrizesPanel::ClearChances() {
    chancesLabel_->clear();
}

void TPrizesPanel::ShowChancesProblem(const kelvo::TChancesProblem& problem) {
    chancesLabel_->setText(
        tr("Las probabilidades no se pueden usar. %1.").arg(ChancesProblemText(problem)));
}

void TPrizesPanel::ShowValuing() {
    ClearValue();
    valueStateLabel_->setText(tr("Calculando lo que se espera ganar…"));
    valueStateLabel_->show();
    valueBox_->show();
}

void TPrizesPanel::ShowValue(const kelvo::TSetValue& value) {
    const auto put = [this](int column, double euros) {
        auto* item = new QTableWidgetItem(EurosText(euros));
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        valueTable_->setItem(0, column, item);
    };
    valueTable_->setColumnHidden(kSpecialColumn, !value.Special);
    if (value.Special) {
        put(kSpecialColumn, *value.Special);
    }
    for (int category = 0; category < kelvo::kPrizeCategories; ++category) {
        put(kFirstCategoryColumn + category, value.Expected[static_cast<std::size_t>(category)]);
    }
    put(kTotalColumn, value.Total);
    returnLabel_->setText(tr("Rendimiento por euro: %1").arg(DecimalText(value.ReturnPerEuro, 2)));
    prizeChanceLabel_->setText(
        tr("Probabilidad de algún premio: %1").arg(PercentText(value.ChanceOfPrize)));
    valueStateLabel_->clear();
    valueStateLabel_->hide();
    valueBox_->show();
}

void TPrizesPanel::ShowValueOutOfMemory() {
    ClearValue();
    valueStateLabel_->setText(
        tr("No hay memoria suficiente para calcular lo que se espera ganar."));
    valueStateLabel_->show();
    valueBox_->show();
}

void TPrizesPanel::HideValue() {
    ClearValue();
    valueStateLabel_->clear();
    valueBox_->hide();
}

void TPrizesPanel::ClearValue() {
    for (int column = 0; column < valueTable_->columnCount(); ++column) {
        delete valueTable_->takeItem(0, column);
    }
    returnLabel_->clear();
    prizeChanceLabel_->clear();
}

QWidget* TPrizesPanel::ChainTabOrder(QWidget* previous) const {
    return ::ChainTabOrder(previous, {prizeTable_, valueTable_});
}
