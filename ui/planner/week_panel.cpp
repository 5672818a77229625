#include "week_panel.h"

#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>

#include <algorithm>
#include <optional>

#include "common/player_numbers.h"
#include "panel_widgets.h"

namespace {

// A step of the arrows: takings and jackpots run to millions, and are typed more than stepped.
constexpr double kEurosStep = 10000;

// An amount of euros written as the rest of the planner writes money ("2.500.000,00 €" in
// Spanish), which Qt's own spin box does not: with its groups shown, Qt 6.4 writes 2500000 in
// Spanish as "2500.000". Typed, the groups may be left out.
class TEurosSpinBox final : public QDoubleSpinBox {
public:
    explicit TEurosSpinBox(QWidget* parent) : QDoubleSpinBox(parent) {
        setDecimals(2);
        setRange(0, kelvo::kMostTakings);
        setSingleStep(kEurosStep);
        setSuffix(QStringLiteral(" €"));
        setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

    QString textFromValue(double value) const override { return DecimalText(value, decimals()); }

    double valueFromText(const QString& text) const override {
        return Amount(text).value_or(value());
    }

    QValidator::State validate(QString& input, int& /*pos*/) const override {
        const std::optional<QString> digits = Digits(input);
        if (!digits) {
            return QValidator::Invalid;
        }
        if (digits->isEmpty() || *digits == QLatin1String(".")) {
            return QValidator::Intermediate;
        }
        const std::optional<double> amount = Amount(input);
        return amount && *amount <= maximum() ? QValidator::Acceptable : QValidator::Invalid;
    }

private:
    // `text` without the suffix and the group separators, with '.' for the decimal point; none
    // when it holds anything else, or more decimals than the box shows.
    std::optional<QString> Digits(const QString& text) const {
        const QLocale locale;
        QString plain = text;
        if (plain.endsWith(suffix())) {
            plain.chop(suffix().size());
        }
        plain = plain.trimmed().remove(locale.groupSeparator());
        plain.replace(locale.decimalPoint(), QStringLiteral("."));
        const qsizetype point = plain.indexOf(QLatin1Char('.'));
        const bool digitsOnly = std::all_of(plain.begin(), plain.end(), [](QChar c) {
            return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.');
        });
        if (!digitsOnly || (point >= 0 && (plain.indexOf(QLatin1Char('.'), point + 1) >= 0 ||
                                           plain.size() - point - 1 > decimals()))) {
            return std::nullopt;
        }
        return plain;
    }

    std::optional<double> Amount(const QString& text) const {
        const std::optional<QString> digits = Digits(text);
        bool read = false;
        const double amount = digits ? digits->toDouble(&read) : 0;
        return read ? std::optional(amount) : std::nullopt;
    }
};

}  // namespace

TWeekPanel::TWeekPanel(QWidget* parent) : QWidget(parent) {
    setObjectName("WeekPanel");
    const auto euros = [this](const char* name, const QString& accessible) {
        auto* box = new TEurosSpinBox(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setAccessibleName(accessible);
        connect(box, &QDoubleSpinBox::valueChanged, this,
                [this] { emit Changed(TPlanChange::Value); });
        return box;
    };
    takings_ = euros("Takings", tr("Recaudación de la jornada"));
    jackpot_ = euros("Jackpot", tr("Bote"));
    auto* takingsLabel = new QLabel(tr("Recau&dación:"), this);
    takingsLabel->setBuddy(takings_);
    auto* jackpotLabel = new QLabel(tr("B&ote:"), this);
    jackpotLabel->setBuddy(jackpot_);
    auto* line = new QHBoxLayout(this);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(takingsLabel);
    line->addWidget(takings_, 1);
    line->addSpacing(fontMetrics().horizontalAdvance(QStringLiteral("MM")));
    line->addWidget(jackpotLabel);
    line->addWidget(jackpot_, 1);
}

void TWeekPanel::Load(const kelvo::TPlan& plan) {
    const QSignalBlocker takingsBlocker(takings_);
    const QSignalBlocker jackpotBlocker(jackpot_);
    takings_->setValue(plan.Takings);
    jackpot_->setValue(plan.Jackpot);
}

void TWeekPanel::Store(kelvo::TPlan& plan) const {
    plan.Takings = takings_->value();
    plan.Jackpot = jackpot_->value();
}

QWidget* TWeekPanel::ChainTabOrder(QWidget* previous) const {
    return ::ChainTabOrder(previous, {takings_, jackpot_});
}
