#include "plan/plan.h"

#include <span>

namespace kelvo {

namespace {

// A forecast group lists its signs as a sorted column file does: 1, 2, X.
constexpr std::array<std::size_t, 3> kGroupOrder = {0, 2, 1};

}  // namespace

TForecast ForecastOf(const TPlan& plan) {
    TForecast forecast;
    for (std::size_t match = 0; match < forecast.size(); ++match) {
        for (const std::size_t sign : kGroupOrder) {
            if (plan.Matches[match].Played[sign]) {
                forecast[match] += kSignOfDigit[sign];
            }
        }
    }
    return forecast;
}

bool IsColumnOfPlan(const TPlan& plan, const TKey& column) {
    const std::string text = ColumnText(column);
    if (text.size() != kColumnLength) {
        return false;
    }
    const TForecast forecast = ForecastOf(plan);
    for (std::size_t match = 0; match < forecast.size(); ++match) {
        if (forecast[match].find(text[match]) == std::string::npos) {
            return false;
        }
    }
    return MeetsConditions(std::span<const char, kColumnLength>(text.data(), kColumnLength),
                           plan.Conditions);
}

}  // namespace kelvo
