#include "columns_panel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTableView>
#include <QVBoxLayout>
#include <QValidator>

#include <algorithm>
#include <string>
#include <utility>

#include "columns_model.h"
#include "common/player_numbers.h"
#include "modes/score.h"
#include "panel_widgets.h"

namespace {

// Takes a sign of 1, X and 2 for each match played and a '-' or a blank for one not yet played,
// showing a typed lower-case x as the X it stands for.
class TResultValidator final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& /*pos*/) const override {
        input.replace(QLatin1Char('x'), QLatin1Char('X'));
        static const QRegularExpression kPlaces(QStringLiteral("\\A[12X -]{0,14}\\z"));
        return kPlaces.match(input).hasMatch() ? Acceptable : Invalid;
    }
};

}  // namespace

TColumnsPanel::TColumnsPanel(QWidget* parent)
    : QWidget(parent), columnsModel_(new TColumnsModel(this)) {
    auto* layout = new QVBoxLayout(this);
    auto* resultLine = new QHBoxLayout;
    auto* resultLabel = new QLabel(tr("Res&ultado:"), this);
    resultEdit_ = new QLineEdit(this);
    resultEdit_->setObjectName("ResultEdit");
    resultEdit_->setAccessibleName(tr("Resultado de la jornada"));
    resultEdit_->setPlaceholderText(tr("14 signos de la jornada"));
    resultEdit_->setMaxLength(kelvo::kColumnLength);
    resultEdit_->setToolTip(
        tr("Un signo por partido: 1, X o 2; un guion o un espacio si aún no se ha jugado"));
    resultEdit_->setValidator(new TResultValidator(resultEdit_));
    resultLabel->setBuddy(resultEdit_);
    connect(resultEdit_, &QLineEdit::textChanged, this, [this] {
        ShowHits();
        emit Changed(TPlanChange::Other);
    });
    hitsLabel_ = new QLabel(this);
    hitsLabel_->setObjectName("HitCounts");
    hitsLabel_->setAccessibleName(tr("Columnas por aciertos"));
    hitsLabel_->setToolTip(
        tr("Pueden llegar a N: columnas que aún pueden acabar con N aciertos o más.\n"
           "Ya tienen N: columnas que ya tienen N aciertos o más, pase lo que pase."));
    resultLine->addWidget(resultLabel);
    resultLine->addWidget(resultEdit_);
    resultLine->addWidget(hitsLabel_, 1);
    columnsView_ = new QTableView(this);
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
    // Room for the sort arrow beside the titles of the counts.
    const int arrow = fontMetrics().horizontalAdvance(QStringLiteral("XX"));
    columnsView_->horizontalHeader()->resizeSection(
        TColumnsModel::kHitsColumn, fontMetrics().horizontalAdvance(tr("Aciertos")) + 16 + arrow);
    columnsView_->horizontalHeader()->resizeSection(
        TColumnsModel::kMostColumn, fontMetrics().horizontalAdvance(tr("Máximo")) + 16 + arrow);
    columnsView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    // The reduction's order until the player clicks a title: the first click on a count puts the
    // columns with most right on top.
    columnsView_->horizontalHeader()->setSortIndicator(TColumnsModel::kNumberColumn,
                                                       Qt::AscendingOrder);
    columnsView_->setSortingEnabled(true);
    layout->addLayout(resultLine);
    layout->addWidget(columnsView_, 1);
}

void TColumnsPanel::ShowShares(std::optional<kelvo::TWeekPool> pool) {
    QHeaderView* header = columnsView_->horizontalHeader();
    const bool had = columnsModel_->columnCount() > TColumnsModel::kChanceColumn;
    if (!pool && header->sortIndicatorSection() >= TColumnsModel::kChanceColumn) {
        header->setSortIndicator(TColumnsModel::kNumberColumn, Qt::AscendingOrder);
    }
    columnsModel_->SetShares(std::move(pool));
    if (had || columnsModel_->columnCount() <= TColumnsModel::kChanceColumn) {
        return;
    }
    // Room for the smallest chances a column has ("0,0000012 %") and the sort arrow.
    const int arrow = fontMetrics().horizontalAdvance(QStringLiteral("XX"));
    const int figure = fontMetrics().horizontalAdvance(QStringLiteral("0,0000012 %")) + 16;
    for (const int column : {TColumnsModel::kChanceColumn, TColumnsModel::kPublicColumn,
                             TColumnsModel::kValueColumn}) {
        const QString title = columnsModel_->headerData(column, Qt::Horizontal).toString();
        header->resizeSection(
            column, std::max(figure, fontMetrics().horizontalAdvance(title) + 16 + arrow));
    }
}

void TColumnsPanel::Load(const kelvo::TPlan& plan) {
    {
        const QSignalBlocker blocker(resultEdit_);
        resultEdit_->setText(QString::fromStdString(plan.Result));
    }
    SetColumns(plan.Reduction ? plan.Reduction->Columns : std::vector<kelvo::TKey>());
}

void TColumnsPanel::Store(kelvo::TPlan& plan) const {
    plan.Result = resultEdit_->text().toUpper().toStdString();
}

void TColumnsPanel::SetColumns(std::vector<kelvo::TKey> columns) {
    columnsModel_->SetColumns(std::move(columns));
    ShowHits();
}

QWidget* TColumnsPanel::ChainTabOrder(QWidget* previous) const {
    return ::ChainTabOrder(previous, {resultEdit_, columnsView_});
}

void TColumnsPanel::ShowHits() {
    const std::string result = resultEdit_->text().toStdString();
    if (!kelvo::IsResult(result)) {
        columnsModel_->SetResult(std::nullopt);
        hitsLabel_->clear();
        return;
    }
    columnsModel_->SetResult(result);
    const kelvo::TScore& score = columnsModel_->Score();
    if (kelvo::IsFinal(result)) {
        hitsLabel_->setText(tr("14: %1 · 13: %2 · 12: %3 · 11: %4 · 10: %5")
                                .arg(CountText(score.Right[0]))
                                .arg(CountText(score.Right[1]))
                                .arg(CountText(score.Right[2]))
                                .arg(CountText(score.Right[3]))
                                .arg(CountText(score.Right[4])));
        return;
    }
    // With a match still to play no column has 14 yet: the second line starts at 13.
    hitsLabel_->setText(tr("Pueden llegar a 14: %1 · a 13: %2 · a 12: %3 · a 11: %4 · a 10: %5")
                            .arg(CountText(score.CanReach[0]))
                            .arg(CountText(score.CanReach[1]))
                            .arg(CountText(score.CanReach[2]))
                            .arg(CountText(score.CanReach[3]))
                            .arg(CountText(score.CanReach[4])) +
                        QLatin1Char('\n') +
                        tr("Ya tienen 13: %1 · 12: %2 · 11: %3 · 10: %4")
                            .arg(CountText(score.Have[1]))
                            .arg(CountText(score.Have[2]))
                            .arg(CountText(score.Have[3]))
                            .arg(CountText(score.Have[4])));
}
