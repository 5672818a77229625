#include "condition_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <limits>

#include "condition_text.h"
#include "modes/condition_kinds.h"

namespace {

using kelvo::TConditionKind;

// The kind combo's entries, in TConditionKind order.
constexpr std::array<const char*, kelvo::kConditionKindCount> kKindWords = {
    QT_TRANSLATE_NOOP("TConditionDialog", "Signos de un tipo"),
    QT_TRANSLATE_NOOP("TConditionDialog", "Variantes (X y 2)"),
    QT_TRANSLATE_NOOP("TConditionDialog", "Cambios de signo"),
    QT_TRANSLATE_NOOP("TConditionDialog", "Seguidos de un signo"),
    QT_TRANSLATE_NOOP("TConditionDialog", "Signos en un grupo de partidos"),
    QT_TRANSLATE_NOOP("TConditionDialog", "Diferencias con una columna base"),
    QT_TRANSLATE_NOOP("TConditionDialog", "Valor"),
    QT_TRANSLATE_NOOP("TConditionDialog", "Público"),
};

// The sign combo's entries: the three signs, then "any sign", offered only to a kind that takes
// one sign or none (TSignUse::Optional).
constexpr std::array<char, 4> kSignChoices = {'1', 'X', '2', 0};
constexpr int kAnySign = 3;

QSpinBox* BoundBox(QWidget* parent, const char* name, int value) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(0, kelvo::kColumnLength);
    box->setValue(value);
    return box;
}

// The number the player typed, in the player's locale or with a decimal point, or NaN: a text
// that is no number is a threshold no kind allows.
double ThresholdOf(const QString& text) {
    QLocale locale;
    // "0.001" is no thousand-and-one where the point groups thousands.
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool read = false;
    double number = locale.toDouble(text, &read);
    if (!read) {
        number = QLocale::c().toDouble(text, &read);
    }
    return read ? number : std::numeric_limits<double>::quiet_NaN();
}

}  // namespace

TConditionDialog::TConditionDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("ConditionDialog");
    setWindowTitle(tr("Añadir condición"));

    kind_ = new QComboBox(this);
    kind_->setObjectName("ConditionKind");
    for (const char* words : kKindWords) {
        kind_->addItem(tr(words));
    }
    kind_->setAccessibleName(tr("Tipo de condición"));

    sign_ = new QComboBox(this);
    sign_->setObjectName("ConditionSign");
    sign_->addItems({QStringLiteral("1"), QStringLiteral("X"), QStringLiteral("2")});
    sign_->setAccessibleName(tr("Signo"));

    first_ = new QSpinBox(this);
    first_->setObjectName("ConditionFirst");
    first_->setRange(1, kelvo::kColumnLength);
    first_->setValue(1);
    first_->setAccessibleName(tr("Primer partido"));
    last_ = new QSpinBox(this);
    last_->setObjectName("ConditionLast");
    last_->setRange(1, kelvo::kColumnLength);
    last_->setValue(4);
    last_->setAccessibleName(tr("Último partido"));

    base_ = new QLineEdit(this);
    base_->setObjectName("ConditionBase");
    base_->setMaxLength(kelvo::kColumnLength);
    base_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[12Xx]{0,14}")), base_));
    base_->setPlaceholderText(tr("14 signos, p. ej. 1X21X21X21X21X"));
    base_->setAccessibleName(tr("Columna base"));

    threshold_ = new QLineEdit(this);
    threshold_->setObjectName("ConditionThreshold");

    least_ = BoundBox(this, "ConditionLeast", 0);
    least_->setAccessibleName(tr("Mínimo"));
    most_ = BoundBox(this, "ConditionMost", 4);
    most_->setAccessibleName(tr("Máximo"));

    preview_ = new QLabel(this);
    preview_->setObjectName("ConditionPreview");
    preview_->setAccessibleName(tr("Condición"));
    problem_ = new QLabel(this);
    problem_->setObjectName("ConditionProblem");
    problem_->setAccessibleName(tr("Motivo del rechazo"));
    problem_->setStyleSheet(QStringLiteral("color: #b00020;"));
    problem_->setWordWrap(true);

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->setObjectName("ConditionButtons");
    buttons_->button(QDialogButtonBox::Ok)->setText(tr("&Añadir"));
    buttons_->button(QDialogButtonBox::Cancel)->setText(tr("&Cancelar"));

    auto* matches = new QHBoxLayout;
    matches->addWidget(first_);
    matches->addWidget(new QLabel(tr("a"), this));
    matches->addWidget(last_);
    auto* bounds = new QHBoxLayout;
    bounds->addWidget(least_);
    bounds->addWidget(new QLabel(tr("y"), this));
    bounds->addWidget(most_);

    auto* form = new QFormLayout;
    form->addRow(tr("&Tipo:"), kind_);
    signLabel_ = new QLabel(tr("&Signo:"), this);
    signLabel_->setBuddy(sign_);
    form->addRow(signLabel_, sign_);
    matchesLabel_ = new QLabel(tr("&Partidos:"), this);
    matchesLabel_->setBuddy(first_);
    form->addRow(matchesLabel_, matches);
    baseLabel_ = new QLabel(tr("Columna &base:"), this);
    baseLabel_->setBuddy(base_);
    form->addRow(baseLabel_, base_);
    thresholdLabel_ = new QLabel(this);
    thresholdLabel_->setBuddy(threshold_);
    form->addRow(thresholdLabel_, threshold_);
    boundsLabel_ = new QLabel(tr("&Entre:"), this);
    boundsLabel_->setBuddy(least_);
    form->addRow(boundsLabel_, bounds);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(preview_);
    layout->addWidget(problem_);
    layout->addWidget(buttons_);

    connect(buttons_, &QDialogButtonBox::accepted, this, &TConditionDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &TConditionDialog::reject);
    connect(kind_, &QComboBox::currentIndexChanged, this, &TConditionDialog::Refresh);
    connect(sign_, &QComboBox::currentIndexChanged, this, &TConditionDialog::Refresh);
    for (QSpinBox* box : {first_, last_, least_, most_}) {
        connect(box, &QSpinBox::valueChanged, this, &TConditionDialog::Refresh);
    }
    connect(base_, &QLineEdit::textChanged, this, &TConditionDialog::Refresh);
    connect(threshold_, &QLineEdit::textChanged, this, &TConditionDialog::Refresh);
    Refresh();
}

TConditionDialog::TConditionDialog(const kelvo::TCondition& condition, QWidget* parent)
    : TConditionDialog(parent) {
    setWindowTitle(tr("Editar condición"));
    buttons_->button(QDialogButtonBox::Ok)->setText(tr("&Aceptar"));
    Fill(condition);
}

kelvo::TCondition TConditionDialog::Condition() const {
    kelvo::TCondition condition;
    condition.Kind = static_cast<TConditionKind>(kind_->currentIndex());
    const kelvo::TConditionKindRule& rule = kelvo::ConditionKindRule(condition.Kind);
    if (rule.Sign != kelvo::TSignUse::None) {
        condition.Sign = kSignChoices[static_cast<std::size_t>(sign_->currentIndex())];
    }
    if (rule.Matches) {
        condition.First = first_->value() - 1;
        condition.Last = last_->value() - 1;
    }
    if (rule.Base) {
        const QString base = base_->text().toUpper();
        for (int match = 0; match < kelvo::kColumnLength; ++match) {
            condition.Base[match] = match < base.size() ? base[match].toLatin1() : 0;
        }
    }
    if (rule.Threshold) {
        condition.Threshold = ThresholdOf(threshold_->text());
        return condition;
    }
    condition.Least = least_->value();
    condition.Most = most_->value();
    return condition;
}

void TConditionDialog::accept() {
    if (ConditionProblem(Condition())) {
        return;
    }
    QDialog::accept();
}

void TConditionDialog::Fill(const kelvo::TCondition& condition) {
    kind_->setCurrentIndex(static_cast<int>(condition.Kind));
    const kelvo::TConditionKindRule& rule = kelvo::ConditionKindRule(condition.Kind);
    if (rule.Sign != kelvo::TSignUse::None) {
        const auto choice = std::find(kSignChoices.begin(), kSignChoices.end(), condition.Sign);
        const int index = static_cast<int>(choice - kSignChoices.begin());
        // A sign the kind does not take leaves the combo as it is rather than empty.
        if (index < sign_->count()) {
            sign_->setCurrentIndex(index);
        }
    }
    if (rule.Matches) {
        first_->setValue(condition.First + 1);
        last_->setValue(condition.Last + 1);
    }
    if (rule.Base) {
        base_->setText(QString::fromLatin1(condition.Base.data(), kelvo::kColumnLength));
    }
    if (rule.Threshold) {
        threshold_->setText(ThresholdText(condition.Threshold));
        return;
    }
    least_->setValue(condition.Least);
    most_->setValue(condition.Most);
}

void TConditionDialog::OfferSigns(kelvo::TSignUse use) {
    const bool offered = sign_->count() > kAnySign;
    const bool wanted = use == kelvo::TSignUse::Optional;
    if (offered == wanted) {
        return;
    }
    const QSignalBlocker blocker(sign_);
    if (wanted) {
        sign_->addItem(tr("cualquiera"));
        return;
    }
    if (sign_->currentIndex() == kAnySign) {
        sign_->setCurrentIndex(0);
    }
    sign_->removeItem(kAnySign);
}

void TConditionDialog::Refresh() {
    const kelvo::TConditionKindRule& rule =
        kelvo::ConditionKindRule(static_cast<TConditionKind>(kind_->currentIndex()));
    OfferSigns(rule.Sign);
    const bool takesSign = rule.Sign != kelvo::TSignUse::None;
    sign_->setEnabled(takesSign);
    signLabel_->setEnabled(takesSign);
    first_->setEnabled(rule.Matches);
    last_->setEnabled(rule.Matches);
    matchesLabel_->setEnabled(rule.Matches);
    base_->setEnabled(rule.Base);
    baseLabel_->setEnabled(rule.Base);
    threshold_->setEnabled(rule.Threshold);
    thresholdLabel_->setEnabled(rule.Threshold);
    thresholdLabel_->setText(rule.Measure == kelvo::TMeasure::PublicShare
                                 ? tr("Porcenta&je como mucho:")
                                 : tr("Va&lor al menos:"));
    threshold_->setAccessibleName(rule.Measure == kelvo::TMeasure::PublicShare
                                      ? tr("Porcentaje del público como mucho")
                                      : tr("Valor al menos"));
    for (QWidget* bound : std::initializer_list<QWidget*>{least_, most_, boundsLabel_}) {
        bound->setEnabled(!rule.Threshold);
    }
    const kelvo::TCondition condition = Condition();
    const std::optional<QString> problem = ConditionProblem(condition);
    preview_->setText(problem ? QString() : DescribeCondition(condition));
    problem_->setText(problem.value_or(QString()));
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(!problem);
}
