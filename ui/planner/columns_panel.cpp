#include "columns_panel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTableView>
#include <QVBoxLayout>

#include <array>
#include <utility>

#include "columns_model.h"
#include "common/player_numbers.h"
#include "panel_widgets.h"

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
    resultEdit_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[12Xx]{0,14}")), resultEdit_));
    resultLabel->setBuddy(resultEdit_);
    connect(resultEdit_, &QLineEdit::textChanged, this, [this] {
        ShowHits();
        emit Changed(TPlanChange::Other);
    });
    hitsLabel_ = new QLabel(this);
    hitsLabel_->setObjectName("HitCounts");
    hitsLabel_->setAccessibleName(tr("Columnas por aciertos"));
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
    columnsView_->horizontalHeader()->resizeSection(
        TColumnsModel::kHitsColumn, fontMetrics().horizontalAdvance(tr("Aciertos")) + 16);
    columnsView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    layout->addLayout(resultLine);
    layout->addWidget(columnsView_, 1);
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
    const QString text = resultEdit_->text().toUpper();
    if (text.size() == kelvo::kColumnLength) {
        columnsModel_->SetResult(text.toStdString());
        const auto hits = columnsModel_->HitCounts();
        hitsLabel_->setText(tr("14: %1 · 13: %2 · 12: %3 · 11: %4 · 10: %5")
                                .arg(CountText(hits[0]))
                                .arg(CountText(hits[1]))
                                .arg(CountText(hits[2]))
                                .arg(CountText(hits[3]))
                                .arg(CountText(hits[4])));
    } else {
        columnsModel_->SetResult(std::nullopt);
        hitsLabel_->clear();
    }
}
