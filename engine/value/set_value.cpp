#include "value/set_value.h"

namespace kelvo {

double ShareOfColumn(const TKey& column, const TChances& percentages) {
    static_cast<void>(column);
    static_cast<void>(percentages);
    return 0;
}

std::optional<TSetValue> ValueOfSet(std::span<const TKey> columns, const TWeekPool& pool,
                                    TProgressSink* progress, std::stop_token stop) {
    static_cast<void>(pool);
    static_cast<void>(progress);
    static_cast<void>(stop);
    TSetValue value;
    value.Columns = columns.size();
    return value;
}

std::optional<std::vector<TColumnValue>> ValueOfEachColumn(std::span<const TKey> columns,
                                                           const TWeekPool& pool,
                                                           TProgressSink* progress,
                                                           std::stop_token stop) {
    static_cast<void>(pool);
    static_cast<void>(progress);
    static_cast<void>(stop);
    return std::vector<TColumnValue>(columns.size());
}

}  // namespace kelvo
