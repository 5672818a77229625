#include "prize_rules_dialog.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <numeric>

#include "common/player_numbers.h"

namespace {

// A share is a percentage of the takings, given to the hundredth as the rules write them.
QDoubleSpinBox* ShareBox(QWidget* parent, const QString& name, const QString& accessible) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setAccessibleName(accessible);
    box->setRange(0, 100);
    box->setDecimals(2);
    box->setSingleStep(0.5);
    box->setSuffix(QStringLiteral(" %"));
    return box;
}

}  // namespace

TPrizeRulesDialog::TPrizeRulesDialog(const kelvo::TPrizeRules& rules, QWidget* parent)
    : QDialog(parent) {
    setObjectName("PrizeRulesDialog");
    setWindowTitle(tr("Reglas de premios"));

    auto* explanation = new QLabel(
        tr("Las cifras son las de las reglas en vigor desde 2024: cada una es el porcentaje de "
           "la recaudación de la jornada que se reparte en esa categoría. El bote se suma al "
           "premio de 14 aciertos."),
        this);
    explanation->setObjectName("PrizeRulesExplanation");
    explanation->setWordWrap(true);
    // A width of its own: a wrapped label gives the dialog a height for a width it then does not
    // get, and the shares below it were squeezed at scale 2.
    explanation->setMinimumWidth(explanation->fontMetrics().averageCharWidth() * 48);

    auto* form = new QFormLayout;
    const QString pleno = tr("14 + Pleno al 15");
    special_ = ShareBox(this, QStringLiteral("SpecialShare"), pleno);
    form->addRow(pleno + QLatin1Char(':'), special_);
    for (int category = 0; category < kelvo::kPrizeCategories; ++category) {
        const int right = kelvo::kColumnLength - category;
        const QString words = tr("%1 aciertos").arg(right);
        shares_[category] = ShareBox(this, QStringLiteral("Share%1").arg(right), words);
        form->addRow(words + QLatin1Char(':'), shares_[category]);
    }
    total_ = new QLabel(this);
    total_->setObjectName("SharesTotal");
    form->addRow(total_);
    for (QDoubleSpinBox* box : findChildren<QDoubleSpinBox*>()) {
        connect(box, &QDoubleSpinBox::valueChanged, this, &TPrizeRulesDialog::ShowTotal);
    }

    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::RestoreDefaults, this);
    buttons->setObjectName("PrizeRulesButtons");
    buttons->button(QDialogButtonBox::Ok)->setText(tr("&Aceptar"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("&Cancelar"));
    QPushButton* restore = buttons->button(QDialogButtonBox::RestoreDefaults);
    restore->setText(tr("&Restablecer"));
    restore->setObjectName("RestoreRulesButton");
    restore->setToolTip(tr("Vuelve a las reglas en vigor desde 2024"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(restore, &QPushButton::clicked, this, [this] { Show(kelvo::TPrizeRules{}); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addLayout(form);
    layout->addWidget(buttons);
    Show(rules);
}

kelvo::TPrizeRules TPrizeRulesDialog::Rules() const {
    kelvo::TPrizeRules rules;
    rules.SpecialShare = special_->value();
    for (std::size_t category = 0; category < shares_.size(); ++category) {
        rules.Shares[category] = shares_[category]->value();
    }
    return rules;
}

void TPrizeRulesDialog::Show(const kelvo::TPrizeRules& rules) {
    special_->setValue(rules.SpecialShare);
    for (std::size_t category = 0; category < shares_.size(); ++category) {
        shares_[category]->setValue(rules.Shares[category]);
    }
    ShowTotal();
}

void TPrizeRulesDialog::ShowTotal() {
    const kelvo::TPrizeRules rules = Rules();
    const double total =
        std::accumulate(rules.Shares.begin(), rules.Shares.end(), rules.SpecialShare);
    total_->setText(tr("En premios: %1 % de la recaudación").arg(NumberText(total)));
}
