#include "modes/empty_development.h"

#include <cstdint>
#include <vector>

namespace kelvo {

std::optional<std::size_t> FindEmptyingCondition(const TForecast& forecast,
                                                 std::span<const TCondition> conditions,
                                                 std::stop_token stop) {
    std::vector<TCondition> others;
    others.reserve(conditions.size());
    for (std::size_t left = 0; left < conditions.size(); ++left) {
        others.assign(conditions.begin(), conditions.end());
        others.erase(others.begin() + static_cast<std::ptrdiff_t>(left));
        const std::uint64_t columns = CountColumns(forecast, others, stop);
        if (stop.stop_requested()) {
            return std::nullopt;
        }
        if (columns > 0) {
            return left;
        }
    }
    return std::nullopt;
}

}  // namespace kelvo
