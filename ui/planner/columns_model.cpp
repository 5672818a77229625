#include "columns_model.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include <algorithm>
#include <numeric>
#include <utility>

namespace {

// Right signs stand out in a dark green that reads on light and dark backgrounds alike.
const QColor kRightColour(0x1b, 0x7a, 0x2e);

}  // namespace

void TColumnsModel::SetColumns(std::vector<kelvo::TKey> columns) {
    beginResetModel();
    columns_ = std::move(columns);
    CountHits();
    Order();
    endResetModel();
}

void TColumnsModel::SetResult(std::optional<std::string> result) {
    result_ = std::move(result);
    CountHits();
    if (sortColumn_ == kHitsColumn || sortColumn_ == kMostColumn) {
        sort(sortColumn_, sortOrder_);
    }
    if (!columns_.empty()) {
        emit dataChanged(index(0, kFirstSignColumn), index(rowCount() - 1, kMostColumn));
    }
    emit headerDataChanged(Qt::Horizontal, kHitsColumn, kMostColumn);
}

void TColumnsModel::CountHits() {
    standings_.clear();
    score_ = {};
    if (!result_) {
        return;
    }
    const kelvo::TKey result = kelvo::MakeKey(*result_);
    standings_.reserve(columns_.size());
    for (const kelvo::TKey& column : columns_) {
        standings_.push_back(kelvo::StandingOf(column, result));
    }
    score_ = kelvo::ScoreColumns(*result_, columns_);
}

void TColumnsModel::Order() {
    order_.resize(columns_.size());
    std::iota(order_.begin(), order_.end(), std::size_t{0});
    const auto key = [this](std::size_t k) -> int {
        if (sortColumn_ >= kFirstSignColumn && sortColumn_ < kHitsColumn) {
            return kelvo::SignDigit(kelvo::ByteAt(columns_[k], sortColumn_ - kFirstSignColumn));
        }
        if (standings_.empty() || sortColumn_ == kNumberColumn) {
            return 0;
        }
        return sortColumn_ == kHitsColumn ? standings_[k].Right : standings_[k].Most;
    };
    // Stable, from the reduction's order: ties keep it whichever way the rows go.
    std::stable_sort(order_.begin(), order_.end(), [&](std::size_t a, std::size_t b) {
        return sortOrder_ == Qt::AscendingOrder ? key(a) < key(b) : key(a) > key(b);
    });
    if (sortColumn_ == kNumberColumn && sortOrder_ == Qt::DescendingOrder) {
        std::reverse(order_.begin(), order_.end());
    }
}

void TColumnsModel::sort(int column, Qt::SortOrder order) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<std::size_t> places;
    places.reserve(static_cast<std::size_t>(before.size()));
    for (const QModelIndex& index : before) {
        places.push_back(order_[static_cast<std::size_t>(index.row())]);
    }
    sortColumn_ = column;
    sortOrder_ = order;
    Order();
    std::vector<int> rowOf(order_.size());
    for (std::size_t row = 0; row < order_.size(); ++row) {
        rowOf[order_[row]] = static_cast<int>(row);
    }
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype k = 0; k < before.size(); ++k) {
        after.push_back(index(rowOf[places[static_cast<std::size_t>(k)]], before[k].column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int TColumnsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

int TColumnsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kMostColumn + 1;
}

QVariant TColumnsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const std::size_t place = order_[static_cast<std::size_t>(index.row())];
    const int column = index.column();
    const bool isSign = column >= kFirstSignColumn && column < kHitsColumn;
    const int match = column - kFirstSignColumn;
    const char wanted = isSign && result_ ? (*result_)[static_cast<std::size_t>(match)] : '-';
    const bool right = !kelvo::IsNotPlayed(wanted) &&
                       kelvo::FoldSign(static_cast<char>(kelvo::ByteAt(columns_[place], match))) ==
                           kelvo::FoldSign(wanted);
    switch (role) {
        case Qt::DisplayRole:
            if (column == kNumberColumn) {
                return static_cast<int>(place + 1);
            }
            if (isSign) {
                return QString(
                    QChar::fromLatin1(static_cast<char>(kelvo::ByteAt(columns_[place], match))));
            }
            if (standings_.empty()) {
                return {};
            }
            return column == kHitsColumn ? standings_[place].Right : standings_[place].Most;
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
    if (orientation == Qt::Vertical) {
        return {};
    }
    // A first click on the counts puts the best columns on top.
    if (role == Qt::InitialSortOrderRole) {
        return section == kHitsColumn || section == kMostColumn ? Qt::DescendingOrder
                                                                : Qt::AscendingOrder;
    }
    if (role == Qt::ToolTipRole) {
        if (section == kHitsColumn) {
            return tr("Signos acertados en los partidos ya jugados");
        }
        if (section == kMostColumn) {
            return tr("Lo más que puede llegar a acertar si acierta los partidos que faltan");
        }
        return {};
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (section == kNumberColumn) {
        return tr("Nº");
    }
    if (section == kHitsColumn) {
        return tr("Aciertos");
    }
    if (section == kMostColumn) {
        return tr("Máximo");
    }
    return section;
}
