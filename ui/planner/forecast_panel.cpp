#include "forecast_panel.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include <algorithm>
#include <utility>

#include "column_counter.h"
#include "common/player_numbers.h"
#include "panel_widgets.h"

TForecastPanel::TForecastPanel(QWidget* parent)
    : QGroupBox(tr("Pronóstico"), parent), counter_(new TColumnCounter(this)) {
    setObjectName("ForecastBox");
    connect(counter_, &TColumnCounter::Counted, this, &TForecastPanel::ShowCount);
    auto* grid = new QGridLayout(this);
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
    countLabel_ = new QLabel(this);
    countLabel_->setObjectName("ColumnCount");
    countLabel_->setAccessibleName(tr("Columnas del desarrollo"));
    costLabel_ = new QLabel(this);
    costLabel_->setObjectName("ColumnCost");
    costLabel_->setAccessibleName(tr("Coste del desarrollo"));
    QFont strong = countLabel_->font();
    strong.setBold(true);
    countLabel_->setFont(strong);
    grid->addWidget(countLabel_, last + 1, 1);
    grid->addWidget(costLabel_, last + 1, 2, 1, 6);
    grid->setRowStretch(last + 2, 1);
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
    counter_->Count(kelvo::ForecastOf(signs), std::move(conditions));
}

bool TForecastPanel::Counting() const {
    return counter_->Counting();
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

void TForecastPanel::ShowCount(quint64 columns) {
    count_ = columns;
    countLabel_->setText(tr("%1 columnas").arg(CountText(columns)));
    ShowCost();
}

void TForecastPanel::ShowCost() {
    if (count_) {
        costLabel_->setText(
            tr("Coste: %1").arg(EurosText(static_cast<double>(*count_) * price_->value())));
    }
}
