#include "columns_model.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <utility>

#include "chance_text.h"
#include "value/set_value.h"

namespace {

// Right signs stand out in a dark green that reads on light and dark backgrounds alike.
const QColor kRightColour(0x1b, 0x7a, 0x2e);

}  // namespace

void TColumnsModel::SetColumns(std::vector<kelvo::TKey> columns) {
    beginResetModel();
    columns_ = std::move(columns);
    CountHits();
    WeighShares();
    Order();
    endResetModel();
}

void TColumnsModel::SetShares(std::optional<kelvo::TWeekPool> pool) {
    const bool had = pool_.has_value();
    if (!had && pool) {
        beginInsertColumns({}, kChanceColumn, kValueColumn);
    } else if (had && !pool) {
        beginRemoveColumns({}, kChanceColumn, kValueColumn);
    }
    pool_ = std::move(pool);
    WeighShares();
    if (!had && pool_) {
        endInsertColumns();
    } else if (had && !pool_) {
        endRemoveColumns();
    }
    if (sortColumn_ >= kChanceColumn) {
        sort(pool_ ? sortColumn_ : kNumberColumn, pool_ ? sortOrder_ : Qt::AscendingOrder);
    }
    if (had && pool_ && !columns_.empty()) {
        emit dataChanged(index(0, kChanceColumn), index(rowCount() - 1, kValueColumn));
    }
}

void TColumnsModel::WeighShares() {
    chances_.clear();
    publicShares_.clear();
    if (!pool_) {
        return;
    }
    chances_.reserve(columns_.size());
    publicShares_.reserve(columns_.size());
    for (const kelvo::TKey& column : columns_) {
        chances_.push_back(kelvo::ShareOfColumn(column, pool_->Chances));
        publicShares_.push_back(kelvo::ShareOfColumn(column, pool_->Public));
    }
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
    // Stable, from the reduction's order: ties keep it whichever way the rows go.
    std::stable_sort(order_.begin(), order_.end(), [this](std::size_t a, std::size_t b) {
        return sortOrder_ == Qt::AscendingOrder ? SortKey(a) < SortKey(b) : SortKey(a) > SortKey(b);
    });
    if (sortColumn_ == kNumberColumn && sortOrder_ == Qt::DescendingOrder) {
        std::reverse(order_.begin(), order_.end());
    }
}

double TColumnsModel::SortKey(std::size_t place) const {
    if (sortColumn_ >= kFirstSignColumn && sortColumn_ < kHitsColumn) {
        return kelvo::SignDigit(kelvo::ByteAt(columns_[place], sortColumn_ - kFirstSignColumn));
    }
    if (sortColumn_ == kHitsColumn || sortColumn_ == kMostColumn) {
        if (standings_.empty()) {
            return 0;
        }
        return sortColumn_ == kHitsColumn ? standings_[place].Right : standings_[place].Most;
    }
    if (sortColumn_ >= kChanceColumn && !chances_.empty()) {
        const double figure = sortColumn_ == kChanceColumn ? chances_[place]
                              : sortColumn_ == kPublicColumn
                                  ? publicShares_[place]
                                  : kelvo::ValueOfShares(chances_[place], publicShares_[place]);
        // A share of nothing (a match whose figures add up to 0) sorts below every figure, so
        // that the order stays strict.
        return std::isnan(figure) ? -std::numeric_limits<double>::infinity() : figure;
    }
    return 0;
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
    if (parent.isValid()) {
        return 0;
    }
    return pool_ ? kValueColumn + 1 : kMostColumn + 1;
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
            if (column >= kChanceColumn) {
                switch (column) {
                    case kChanceColumn:
                        return PercentText(100 * chances_[place]);
                    case kPublicColumn:
                        return PercentText(100 * publicShares_[place]);
                    default:
                        return SignificantText(
                            kelvo::ValueOfShares(chances_[place], publicShares_[place]));
                }
            }
            if (standings_.empty()) {
                return {};
            }
            return column == kHitsColumn ? standings_[place].Right : standings_[place].Most;
        case Qt::TextAlignmentRole:
            return column == kNumberColumn || column >= kChanceColumn
                       ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
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
    // A first click on the counts, the chance or the value puts the best columns on top, and on
    // the public's share the ones the public plays least.
    if (role == Qt::InitialSortOrderRole) {
        return section == kHitsColumn || section == kMostColumn || section == kChanceColumn ||
                       section == kValueColumn
                   ? Qt::DescendingOrder
                   : Qt::AscendingOrder;
    }
    if (role == Qt::ToolTipRole) {
        switch (section) {
            case kHitsColumn:
                return tr("Signos acertados en los partidos ya jugados");
            case kMostColumn:
                return tr("Lo más que puede llegar a acertar si acierta los partidos que faltan");
            case kChanceColumn:
                return tr("Probabilidad de que la columna acierte los 14 partidos");
            case kPublicColumn:
                return tr("Parte de las apuestas del público que juegan esta columna");
            case kValueColumn:
                return tr(
                    "Probabilidad entre parte del público: más de 1, el público la juega "
                    "menos de lo que puede salir");
            default:
                return {};
        }
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
    if (section == kChanceColumn) {
        return tr("Probabilidad");
    }
    if (section == kPublicColumn) {
        return tr("Público");
    }
    if (section == kValueColumn) {
        return tr("Valor");
    }
    return section;
}
