#include "forecast_panel.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "column_counter.h"
#include "common/player_numbers.h"
#include "condition_text.h"
#include "panel_widgets.h"

TForecastPanel::TForecastPanel(QWidget* parent)
    : QGroupBox(tr("Pronóstico"), parent), counter_(new TColumnCounter(this)) {
    setObjectName("ForecastBox");
    connect(counter_, &TColumnCounter::Counted, this, &TForecastPanel::ShowCount);
    auto* box = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    box->addLayout(grid);
    grid->setVerticalSpacing(2);
    grid->addWidget(new QLabel(tr("Partido"), this), 0, 1);
    chancesHeader_ = new QLabel(tr("Probabilidades (%) de 1, X, 2"), this);
    grid->addWidget(chancesHeader_, 0, 5, 1, 3);
    for (int match = 0; match < kelvo::kColumnLength; ++match) {
        TMatchRow& row = rows_[match];
        const int line = match + 1;
        auto* number = new QLabel(QString::number(line), this);
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(number, line, 0);
        row.Teams = new QLineEdit(this);
        row.Teams->setObjectName(QStringLiteral("Teams%1").arg(line));
        row.Teams->setAccessibleName(tr("Equipos del partido %1").arg(line));
        row.Teams->setPlaceholderText(tr("Local - Visitante"));
        row.Teams->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 11);
        connect(row.Teams, &QLineEdit::textEdited, this,
                [this] { emit Changed(TPlanChange::Other); });
        grid->addWidget(row.Teams, line, 1);
        for (int sign = 0; sign < 3; ++sign) {
            auto* button = new QToolButton(this);
            const QString text(QChar::fromLatin1(kelvo::kSignOfDigit[sign]));
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

            auto* chance = new QDoubleSpinBox(this);
            chance->setObjectName(QStringLiteral("Chance%1_%2").arg(line).arg(text));
            chance->setAccessibleName(
                tr("Probabilidad del %1 en el partido %2").arg(text).arg(line));
            chance->setRange(0, kelvo::kMostChance);
            chance->setDecimals(1);
            // Typed rather than stepped: without arrows the three chances fit beside the signs
            // in a window of 1024 pixels.
            chance->setButtonSymbols(QAbstractSpinBox::NoButtons);
            connect(chance, &QDoubleSpinBox::valueChanged, this,
                    [this] { emit Changed(TPlanChange::Chances); });
            row.Chances[sign] = chance;
            grid->addWidget(chance, line, 5 + sign);
        }
    }
    auto* priceLabel = new QLabel(tr("P&recio por columna:"), this);
    price_ = new QDoubleSpinBox(this);
    price_->setObjectName("Price");
    price_->setAccessibleName(tr("Precio por columna"));
    price_->setRange(0, kelvo::kMostPrice);
    price_->setDecimals(2);
    price_->setSingleStep(0.05);
    price_->setSuffix(QStringLiteral(" €"));
    priceLabel->setBuddy(price_);
    connect(price_, &QDoubleSpinBox::valueChanged, this, [this] {
        ShowCost();
        emit Changed(TPlanChange::Price);
    });
    const int last = kelvo::kColumnLength + 1;
    grid->addWidget(priceLabel, last, 1);
    grid->addWidget(price_, last, 2, 1, 3);
    // The count and the costs are read below the matches, each on lines of its own that take
    // the panel's width as it is: a long count never widens the panel nor shifts the matches.
    const auto summary = [this](const char* name, const QString& accessible) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(name));
        label->setAccessibleName(accessible);
        label->setWordWrap(true);
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        return label;
    };
    countLabel_ = summary("ColumnCount", tr("Columnas del desarrollo"));
    costLabel_ = summary("ColumnCost", tr("Coste del desarrollo"));
    reductionCostLabel_ = summary("ReductionCost", tr("Coste de la reducción"));
    QFont strong = countLabel_->font();
    strong.setBold(true);
    countLabel_->setFont(strong);
    box->addWidget(countLabel_);
    box->addWidget(costLabel_);
    box->addWidget(reductionCostLabel_);
    box->addStretch(1);
}

void TForecastPanel::Load(const kelvo::TPlan& plan) {
    for (int match = 0; match < kelvo::kColumnLength; ++match) {
        TMatchRow& row = rows_[match];
        const QSignalBlocker teamsBlocker(row.Teams);
        row.Teams->setText(QString::fromStdString(plan.Matches[match].Teams));
        for (int sign = 0; sign < 3; ++sign) {
            const QSignalBlocker signBlocker(row.Signs[sign]);
            const QSignalBlocker chanceBlocker(row.Chances[sign]);
            row.Signs[sign]->setChecked(plan.Matches[match].Played[sign]);
            row.Chances[sign]->setValue(plan.Matches[match].Chances[sign]);
        }
    }
    ShowChances(plan.ChancesShown);
    const QSignalBlocker priceBlocker(price_);
    price_->setValue(plan.Price);
    ShowCost();
}

void TForecastPanel::Store(kelvo::TPlan& plan) const {
    for (int match = 0; match < kelvo::kColumnLength; ++match) {
        const TMatchRow& row = rows_[match];
        plan.Matches[match].Teams = row.Teams->text().toStdString();
        for (int sign = 0; sign < 3; ++sign) {
            plan.Matches[match].Played[sign] = row.Signs[sign]->isChecked();
            plan.Matches[match].Chances[sign] = row.Chances[sign]->value();
        }
    }
    plan.ChancesShown = chancesShown_;
    plan.Price = price_->value();
}

void TForecastPanel::ShowChances(bool shown) {
    chancesShown_ = shown;
    chancesHeader_->setVisible(shown);
    for (const TMatchRow& row : rows_) {
        for (QDoubleSpinBox* chance : row.Chances) {
            chance->setVisible(shown);
        }
    }
}

void TForecastPanel::Recount(std::vector<kelvo::TCondition> conditions) {
    kelvo::TPlan signs;
    Store(signs);
    count_.reset();
    countLabel_->setText(tr("Contando las columnas..."));
    costLabel_->clear();
    conditions_ = conditions;
    counter_->Count(kelvo::ForecastOf(signs), std::move(conditions));
}

bool TForecastPanel::Counting() const {
    return counter_->Counting();
}

bool TForecastPanel::Empty() const {
    return count_ == 0u;
}

void TForecastPanel::ShowReduction(std::optional<std::size_t> columns) {
    reduced_ = columns;
    ShowCost();
}

QWidget* TForecastPanel::ChainTabOrder(QWidget* previous) const {
    QList<QWidget*> order;
    for (const TMatchRow& row : rows_) {
        order.append(row.Teams);
        for (QToolButton* sign : row.Signs) {
            order.append(sign);
        }
        for (QDoubleSpinBox* chance : row.Chances) {
            order.append(chance);
        }
    }
    order.append(price_);
    return ::ChainTabOrder(previous, order);
}

void TForecastPanel::SignToggled(int match, int sign, bool on) {
    const std::array<QToolButton*, 3>& signs = rows_[match].Signs;
    if (!on && std::none_of(signs.begin(), signs.end(),
                            [](const QToolButton* button) { return button->isChecked(); })) {
        // Every match plays at least one sign: the last one stays on.
        const QSignalBlocker blocker(signs[sign]);
        signs[sign]->setChecked(true);
        return;
    }
    emit Changed(TPlanChange::Development);
}

void TForecastPanel::ShowCount(quint64 columns, std::optional<std::size_t> emptying) {
    count_ = columns;
    if (columns > 0) {
        countLabel_->setText(tr("%1 columnas").arg(CountText(columns)));
    } else if (emptying && *emptying < conditions_.size()) {
        countLabel_->setText(
            tr("Ninguna columna cumple «%1»").arg(DescribeCondition(conditions_[*emptying])));
    } else {
        countLabel_->setText(tr("Ninguna columna cumple todas las condiciones"));
    }
    ShowCost();
    emit Counted();
}

void TForecastPanel::ShowCost() {
    if (count_) {
        costLabel_->setText(
            tr("Coste: %1").arg(EurosText(static_cast<double>(*count_) * price_->value())));
    }
    if (reduced_) {
        reductionCostLabel_->setText(
            tr("Reducción: %1 columnas, %2")
                .arg(CountText(*reduced_),
                     EurosText(static_cast<double>(*reduced_) * price_->value())));
    } else {
        reductionCostLabel_->clear();
    }
}
