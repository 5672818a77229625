#include "plan.h"

#include <string>

namespace {

// A forecast group lists its signs as a sorted column file does: 1, 2, X.
constexpr std::array<int, 3> kGroupOrder = {0, 2, 1};

}  // namespace

kelvo::TForecast ForecastOf(const TPlan& plan) {
    kelvo::TForecast forecast;
    for (int match = 0; match < kelvo::kColumnLength; ++match) {
        for (const int sign : kGroupOrder) {
            if (plan.Matches[match].Played[sign]) {
                forecast[match] += kSigns[sign];
            }
        }
    }
    return forecast;
}

kelvo::TChances ChancesOf(const TPlan& plan) {
    kelvo::TChances chances{};
    for (int match = 0; match < kelvo::kColumnLength; ++match) {
        chances[match] = plan.Matches[match].Chances;
    }
    return chances;
}

bool IsColumnOfPlan(const TPlan& plan, const kelvo::TKey& column) {
    const std::string text = kelvo::ColumnText(column);
    if (text.size() != kelvo::kColumnLength) {
        return false;
    }
    const kelvo::TForecast forecast = ForecastOf(plan);
    for (int match = 0; match < kelvo::kColumnLength; ++match) {
        if (forecast[match].find(text[match]) == std::string::npos) {
            return false;
        }
    }
    return kelvo::MeetsConditions(
        std::span<const char, kelvo::kColumnLength>(text.data(), kelvo::kColumnLength),
        plan.Conditions);
}
