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
#include "value/week_pool.h"

namespace {

// A sign or a goal played stands out filled, as on a marked slip.
const char kToggleStyle[] =
    "QToolButton { border: 1px solid #8a8a8a; border-radius: 3px; padding: 2px; "
    "background: #ffffff; color: #303030; }"
    "QToolButton:checked { background: #1565c0; color: #ffffff; font-weight: bold; "
    "border-color: #0d47a1; }"
    "QToolButton:focus { border: 2px solid #ffb300; }"
    "QToolButton:disabled { background: #e8e8e8; color: #9a9a9a; }"
    "QToolButton:checked:disabled { background: #8fa9cc; color: #f0f0f0; }";

constexpr int kHome = 0;
constexpr int kAway = 1;

// The goals of the Pleno as the player reads them, each team's heading, and the accessible names
// of its controls.
constexpr std::array<const char*, kelvo::kPlenoGoals> kGoalsWords = {
    QT_TRANSLATE_NOOP("TForecastPanel", "0 goles"), QT_TRANSLATE_NOOP("TForecastPanel", "1 gol"),
    QT_TRANSLATE_NOOP("TForecastPanel", "2 goles"),
    QT_TRANSLATE_NOOP("TForecastPanel", "3 o más goles")};
constexpr std::array<const char*, 2> kTeamHeading = {
    QT_TRANSLATE_NOOP("TForecastPanel", "Local"), QT_TRANSLATE_NOOP("TForecastPanel", "Visitante")};
constexpr std::array<const char*, 2> kGoalsPlayed = {
    QT_TRANSLATE_NOOP("TForecastPanel", "%1 del local en el Pleno al 15"),
    QT_TRANSLATE_NOOP("TForecastPanel", "%1 del visitante en el Pleno al 15")};
constexpr std::array<const char*, 2> kGoalsChance = {
    QT_TRANSLATE_NOOP("TForecastPanel", "Probabilidad de %1 del local en el Pleno al 15"),
    QT_TRANSLATE_NOOP("TForecastPanel", "Probabilidad de %1 del visitante en el Pleno al 15")};
constexpr std::array<const char*, 2> kGoalsPublic = {
    QT_TRANSLATE_NOOP("TForecastPanel", "Porcentaje del público de %1 del local en el Pleno al 15"),
    QT_TRANSLATE_NOOP("TForecastPanel",
                      "Porcentaje del público de %1 del visitante en el Pleno al 15")};
// The objectNames of each team's controls: PlenoHome0, PlenoChanceAwayM, ...
constexpr std::array<const char*, 2> kTeamName = {"Home", "Away"};

QToolButton* Toggle(QWidget* parent, const QString& text, const QString& objectName,
                    const QString& accessibleName, int minimumWidth) {
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setCheckable(true);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setObjectName(objectName);
    button->setAccessibleName(accessibleName);
    button->setMinimumWidth(minimumWidth);
    button->setStyleSheet(QString::fromLatin1(kToggleStyle));
    return button;
}

// A percentage as typed, with the decimal only when it has one ("50", "35,5", "100"): six of them
// a match, beside its signs, fit in a window of 1024 pixels.
class TPercentBox final : public QDoubleSpinBox {
public:
    using QDoubleSpinBox::QDoubleSpinBox;

    QString textFromValue(double value) const override { return NumberText(value); }
};

}  // namespace

TForecastPanel::TForecastPanel(QWidget* parent)
    : QGroupBox(tr("Pronóstico"), parent),
      signWidth_(fontMetrics().horizontalAdvance(QStringLiteral("XX")) * 2),
      counter_(new TColumnCounter(this)) {
    setObjectName("ForecastBox");
    connect(counter_, &TColumnCounter::Counted, this, &TForecastPanel::ShowCount);
    auto* box = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    box->addLayout(grid);
    grid->setVerticalSpacing(1);
    grid->setHorizontalSpacing(2);
    grid->addWidget(new QLabel(tr("Partido"), this), 0, 1);
    auto* chancesHeader = new QLabel(tr("Probabilidades (%)"), this);
    grid->addWidget(chancesHeader, 0, 5, 1, 3);
    auto* publicHeader = new QLabel(tr("Público"), this);
    grid->addWidget(publicHeader, 0, 8, 1, 3);
    chanceWidgets_ = {chancesHeader, publicHeader};
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
        row.Teams->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 10);
        connect(row.Teams, &QLineEdit::textEdited, this,
                [this] { emit Changed(TPlanChange::Other); });
        grid->addWidget(row.Teams, line, 1);
        for (int sign = 0; sign < 3; ++sign) {
            const QString text(QChar::fromLatin1(kelvo::kSignOfDigit[sign]));
            auto* button = Toggle(this, text, QStringLiteral("Sign%1_%2").arg(line).arg(text),
                                  tr("Signo %1 del partido %2").arg(text).arg(line), signWidth_);
            connect(button, &QToolButton::toggled, this,
                    [this, match, sign](bool on) { SignToggled(match, sign, on); });
            row.Signs[sign] = button;
            grid->addWidget(button, line, 2 + sign);

            row.Chances[sign] =
                PercentBox(QStringLiteral("Chance%1_%2").arg(line).arg(text),
                           tr("Probabilidad del %1 en el partido %2").arg(text).arg(line),
                           TPlanChange::Chances);
            grid->addWidget(row.Chances[sign], line, 5 + sign);
            row.Public[sign] =
                PercentBox(QStringLiteral("Public%1_%2").arg(line).arg(text),
                           tr("Porcentaje del público del %1 en el partido %2").arg(text).arg(line),
                           TPlanChange::Value);
            grid->addWidget(row.Public[sign], line, 8 + sign);
        }
    }
    BuildPleno(grid, kelvo::kColumnLength + 1);
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
    const int last = kelvo::kColumnLength + 2 + kelvo::kPlenoGoals;
    grid->addWidget(priceLabel, last, 0, 1, 2);
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

// The Pleno takes a line for its number and teams, then one for each number of goals: whether
// the home and the away team's goal is played, their chances and the public's percentages, each
// under the matches' columns of the same.
void TForecastPanel::BuildPleno(QGridLayout* grid, int line) {
    auto* number = new QLabel(QString::number(kelvo::kColumnLength + 1), this);
    number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(number, line, 0);
    pleno_.Teams = new QLineEdit(this);
    pleno_.Teams->setObjectName("PlenoTeams");
    pleno_.Teams->setAccessibleName(tr("Equipos del Pleno al 15"));
    pleno_.Teams->setPlaceholderText(tr("Pleno al 15"));
    pleno_.Teams->setToolTip(
        tr("Pleno al 15: cuenta solo para la categoría especial, 14 + Pleno al 15. Se juega cada "
           "resultado de un gol marcado del local y uno del visitante, y cada columna se apuesta "
           "una vez por resultado."));
    connect(pleno_.Teams, &QLineEdit::textEdited, this,
            [this] { emit Changed(TPlanChange::Other); });
    grid->addWidget(pleno_.Teams, line, 1);
    // Each team's heading over its toggles, its chances and the public's percentages.
    for (int group : {2, 5, 8}) {
        for (int team : {kHome, kAway}) {
            auto* heading = new QLabel(tr(kTeamHeading[team]), this);
            grid->addWidget(heading, line, group + team, 1, team == kHome ? 1 : 2);
            if (group != 2) {
                chanceWidgets_ << heading;
            }
        }
    }
    for (int goal = 0; goal < kelvo::kPlenoGoals; ++goal) {
        const int goalLine = line + 1 + goal;
        const QString text(QChar::fromLatin1(kelvo::kPlenoGoalSigns[goal]));
        const QString words = tr(kGoalsWords[goal]);
        auto* label = new QLabel(words, this);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(label, goalLine, 1);
        for (int team : {kHome, kAway}) {
            const QString name = QString::fromLatin1(kTeamName[team]) + text;
            QToolButton* button = Toggle(this, text, QStringLiteral("Pleno") + name,
                                         tr(kGoalsPlayed[team]).arg(words), signWidth_);
            connect(button, &QToolButton::toggled, this, [this] {
                ShowCost();
                emit Changed(TPlanChange::Value);
            });
            pleno_.Goals[team][goal] = button;
            grid->addWidget(button, goalLine, 2 + team);
            pleno_.Chances[team][goal] =
                PercentBox(QStringLiteral("PlenoChance") + name, tr(kGoalsChance[team]).arg(words),
                           TPlanChange::Value);
            grid->addWidget(pleno_.Chances[team][goal], goalLine, 5 + team);
            pleno_.Public[team][goal] =
                PercentBox(QStringLiteral("PlenoPublic") + name, tr(kGoalsPublic[team]).arg(words),
                           TPlanChange::Value);
            grid->addWidget(pleno_.Public[team][goal], goalLine, 8 + team);
        }
    }
}

QDoubleSpinBox* TForecastPanel::PercentBox(const QString& objectName, const QString& accessibleName,
                                           TPlanChange change) {
    auto* box = new TPercentBox(this);
    box->setObjectName(objectName);
    box->setAccessibleName(accessibleName);
    box->setRange(0, kelvo::kMostChance);
    box->setDecimals(1);
    // Typed rather than stepped: without arrows the chances and the public's percentages fit
    // beside the signs in a window of 1024 pixels.
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    // Room for the widest figure, which has a decimal, as the box reckons room for the highest.
    box->setMinimumWidth(box->minimumSizeHint().width() +
                         fontMetrics().horizontalAdvance(NumberText(99.9)) -
                         fontMetrics().horizontalAdvance(NumberText(kelvo::kMostChance)));
    connect(box, &QDoubleSpinBox::valueChanged, this, [this, change] { emit Changed(change); });
    chanceWidgets_ << box;
    return box;
}

void TForecastPanel::Load(const kelvo::TPlan& plan) {
    for (int match = 0; match < kelvo::kColumnLength; ++match) {
        TMatchRow& row = rows_[match];
        const QSignalBlocker teamsBlocker(row.Teams);
        row.Teams->setText(QString::fromStdString(plan.Matches[match].Teams));
        for (int sign = 0; sign < 3; ++sign) {
            const QSignalBlocker signBlocker(row.Signs[sign]);
            const QSignalBlocker chanceBlocker(row.Chances[sign]);
            const QSignalBlocker publicBlocker(row.Public[sign]);
            row.Signs[sign]->setChecked(plan.Matches[match].Played[sign]);
            row.Chances[sign]->setValue(plan.Matches[match].Chances[sign]);
            row.Public[sign]->setValue(plan.Matches[match].Public[sign]);
        }
    }
    const QSignalBlocker plenoTeamsBlocker(pleno_.Teams);
    pleno_.Teams->setText(QString::fromStdString(plan.Pleno.Teams));
    for (int team : {kHome, kAway}) {
        for (int goal = 0; goal < kelvo::kPlenoGoals; ++goal) {
            bool chosen = false;
            for (int other = 0; other < kelvo::kPlenoGoals; ++other) {
                const int home = team == kHome ? goal : other;
                const int away = team == kHome ? other : goal;
                chosen = chosen || plan.Pleno.Chosen[home * kelvo::kPlenoGoals + away];
            }
            const QSignalBlocker goalBlocker(pleno_.Goals[team][goal]);
            const QSignalBlocker chanceBlocker(pleno_.Chances[team][goal]);
            const QSignalBlocker publicBlocker(pleno_.Public[team][goal]);
            pleno_.Goals[team][goal]->setChecked(chosen);
            pleno_.Chances[team][goal]->setValue(plan.Pleno.Chances[team][goal]);
            pleno_.Public[team][goal]->setValue(plan.Pleno.Public[team][goal]);
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
            plan.Matches[match].Public[sign] = row.Public[sign]->value();
        }
    }
    plan.Pleno = Pleno();
    plan.ChancesShown = chancesShown_;
    plan.Price = price_->value();
}

void TForecastPanel::ShowChances(bool shown) {
    chancesShown_ = shown;
    for (QWidget* widget : chanceWidgets_) {
        widget->setVisible(shown);
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
        order.append(QList<QWidget*>(row.Signs.begin(), row.Signs.end()));
        order.append(QList<QWidget*>(row.Chances.begin(), row.Chances.end()));
        order.append(QList<QWidget*>(row.Public.begin(), row.Public.end()));
    }
    order.append(pleno_.Teams);
    // The Pleno as it is read: a number of goals a line, the home team before the away team.
    for (int goal = 0; goal < kelvo::kPlenoGoals; ++goal) {
        const auto bothTeams = [&order, goal](const auto& controls) {
            order.append(controls[kHome][goal]);
            order.append(controls[kAway][goal]);
        };
        bothTeams(pleno_.Goals);
        bothTeams(pleno_.Chances);
        bothTeams(pleno_.Public);
    }
    order.append(price_);
    return ::ChainTabOrder(previous, order);
}

QString TForecastPanel::CostText(std::size_t columns, double price, const kelvo::TPleno& pleno) {
    const QString euros = EurosText(kelvo::CostOf(columns, price, pleno));
    if (columns == 0) {
        return euros;
    }
    QStringList parts;
    const int bets = kelvo::BetsPerColumn(pleno);
    if (bets > 1) {
        parts << tr("%1 × %2 resultados del Pleno").arg(ColumnsText(columns), CountText(bets));
    }
    const std::size_t slips = kelvo::SlipsFor(columns);
    if (columns < kelvo::kFewestColumnsPerSlip) {
        parts << tr("1 boleto: un boleto lleva al menos %1 columnas")
                     .arg(kelvo::kFewestColumnsPerSlip);
    } else if (slips == 1) {
        parts << tr("1 boleto");
    } else {
        parts << tr("%1 boletos").arg(CountText(slips));
    }
    return tr("%1 (%2)").arg(euros, parts.join(QStringLiteral(", ")));
}

QString TForecastPanel::ColumnsText(std::size_t columns) {
    return columns == 1 ? tr("1 columna") : tr("%1 columnas").arg(CountText(columns));
}

kelvo::TPleno TForecastPanel::Pleno() const {
    kelvo::TPleno pleno;
    pleno.Teams = pleno_.Teams->text().toStdString();
    for (int home = 0; home < kelvo::kPlenoGoals; ++home) {
        for (int away = 0; away < kelvo::kPlenoGoals; ++away) {
            pleno.Chosen[home * kelvo::kPlenoGoals + away] =
                pleno_.Goals[kHome][home]->isChecked() && pleno_.Goals[kAway][away]->isChecked();
        }
    }
    for (int team : {kHome, kAway}) {
        for (int goal = 0; goal < kelvo::kPlenoGoals; ++goal) {
            pleno.Chances[team][goal] = pleno_.Chances[team][goal]->value();
            pleno.Public[team][goal] = pleno_.Public[team][goal]->value();
        }
    }
    return pleno;
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
    const kelvo::TPleno pleno = Pleno();
    if (count_) {
        costLabel_->setText(tr("Coste: %1").arg(CostText(*count_, price_->value(), pleno)));
    }
    if (reduced_) {
        reductionCostLabel_->setText(
            tr("Reducción: %1, %2")
                .arg(ColumnsText(*reduced_), CostText(*reduced_, price_->value(), pleno)));
    } else {
        reductionCostLabel_->clear();
    }
}
