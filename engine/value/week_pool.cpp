#include "value/week_pool.h"

#include <algorithm>

namespace kelvo {

std::size_t SlipsFor(std::size_t columns) {
    return (columns + kMostColumnsPerSlip - 1) / kMostColumnsPerSlip;
}

int BetsPerColumn(const TPleno& pleno) {
    const auto chosen = std::count(pleno.Chosen.begin(), pleno.Chosen.end(), true);
    return chosen == 0 ? 1 : static_cast<int>(chosen);
}

double CostOf(std::size_t columns, double price, const TPleno& pleno) {
    return static_cast<double>(columns) * price * static_cast<double>(BetsPerColumn(pleno));
}

int ParsePlenoResult(std::string_view text) {
    if (text.size() != 3 || text[1] != '-') {
        return -1;
    }
    const std::size_t home = kPlenoGoalSigns.find(text[0]);
    const std::size_t away = kPlenoGoalSigns.find(text[2]);
    if (home == std::string_view::npos || away == std::string_view::npos) {
        return -1;
    }
    return static_cast<int>(home) * kPlenoGoals + static_cast<int>(away);
}

std::string PlenoResultText(int result) {
    return {kPlenoGoalSigns[static_cast<std::size_t>(result / kPlenoGoals)], '-',
            kPlenoGoalSigns[static_cast<std::size_t>(result % kPlenoGoals)]};
}

TPlenoPercentages ParsePlenoPercentages(std::string_view text) {
    const std::vector<std::vector<double>> lines = ParsePercentageLines(text, TChancesShape::Pleno);
    TPlenoPercentages percentages{};
    for (std::size_t team = 0; team < percentages.size(); ++team) {
        std::copy(lines[team].begin(), lines[team].end(), percentages[team].begin());
    }
    return percentages;
}

}  // namespace kelvo
