#include "columns_model.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include <utility>

#include "modes/score.h"

namespace {

// Right signs stand out in a dark green that reads on light and dark backgrounds alike.
const QColor kRightColour(0x1b, 0x7a, 0x2e);

}  // namespace

void TColumnsModel::SetColumns(std::vector<kelvo::TKey> columns) {
    beginResetModel();
    columns_ = std::move(columns);
    CountHits();
    endResetModel();
}

void TColumnsModel::SetResult(std::optional<std::string> result) {
    result_ = std::move(result);
    CountHits();
    if (!columns_.empty()) {
        emit dataChanged(index(0, kFirstSignColumn), index(rowCount() - 1, kHitsColumn));
    }
    emit headerDataChanged(Qt::Horizontal, kHitsColumn, kHitsColumn);
}

int TColumnsModel::Hits(int row) const {
    if (!result_) {
        return 0;
    }
    return kelvo::SignsRight(columns_[row], kelvo::MakeKey(*result_));
}

void TColumnsModel::CountHits() {
    hitCounts_ = result_ ? kelvo::ScoreColumns(*result_, columns_).Right : decltype(hitCounts_){};
}

int TColumnsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

int TColumnsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kHitsColumn + 1;
}

QVariant TColumnsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const int row = index.row();
    const int column = index.column();
    const bool isSign = column >= kFirstSignColumn && column < kHitsColumn;
    const int match = column - kFirstSignColumn;
    const bool right =
        isSign && result_ &&
        kelvo::ByteAt(columns_[row], match) == static_cast<unsigned char>((*result_)[match]);
    switch (role) {
        case Qt::DisplayRole:
            if (column == kNumberColumn) {
                return row + 1;
            }
            if (isSign) {
                return QString(
                    QChar::fromLatin1(static_cast<char>(kelvo::ByteAt(columns_[row], match))));
            }
            return result_ ? QVariant(Hits(row)) : QVariant();
        case Qt::TextAlignmentRole:
            return column == kNumberColumn ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                           : QVariant(Qt::AlignCenter);
        case Qt::FontRole:
            if (right) {
                QFont font;
                font.setBold(true);
                return font;
            }
            return {};
        case Qt::ForegroundRole:
            return right ? QVariant(QBrush(kRightColour)) : QVariant();
        default:
            return {};
    }
}

QVariant TColumnsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return {};
    }
    if (section == kNumberColumn) {
        return tr("Nº");
    }
    if (section == kHitsColumn) {
        return tr("Aciertos");
    }
    return section;
}
