#include "modes/development.h"

#include <algorithm>
#include <new>
#include <vector>

#include "core/engine_error.h"
#include "modes/conditions.h"

namespace kelvo {

namespace {

// The signs in the order of the column-file collation: digits before letters.
constexpr std::string_view kSignOrder = "12X";

std::string GroupName(std::size_t index, std::string_view group) {
    return "group " + std::to_string(index + 1) + " ('" + std::string(group) + "')";
}

// The groups of `text`: separated by commas, blanks around a comma and runs of blanks counting
// as one separator.
std::vector<std::string> SplitGroups(std::string_view text) {
    std::vector<std::string> groups;
    std::string current;
    bool pendingBlank = false;
    bool started = false;
    for (const char byte : text) {
        if (byte == ' ') {
            pendingBlank = started;
            continue;
        }
        if (byte == ',') {
            groups.push_back(current);
            current.clear();
            pendingBlank = false;
            started = false;
            continue;
        }
        if (pendingBlank) {
            groups.push_back(current);
            current.clear();
            pendingBlank = false;
        }
        current += byte;
        started = true;
    }
    groups.push_back(current);
    return groups;
}

}  // namespace

TForecast ParseForecast(std::string_view text) {
    const std::vector<std::string> groups = SplitGroups(text);
    if (groups.size() != kColumnLength) {
        throw TForecastError("the forecast has " + std::to_string(groups.size()) +
                             " groups; it needs 14");
    }
    TForecast forecast;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const std::string& group = groups[g];
        if (group.empty()) {
            throw TForecastError("group " + std::to_string(g + 1) + " is empty");
        }
        std::string signs;
        for (const char byte : group) {
            const char sign = FoldSign(byte);
            if (kSignOrder.find(sign) == std::string_view::npos) {
                throw TForecastError(GroupName(g, group) + " holds '" + std::string(1, byte) +
                                     "', which is no sign: the signs are 1, X and 2");
            }
            if (signs.find(sign) != std::string::npos) {
                throw TForecastError(GroupName(g, group) + " repeats the sign " +
                                     std::string(1, sign));
            }
            signs += sign;
        }
        std::sort(signs.begin(), signs.end(),
                  [](char a, char b) { return kSignOrder.find(a) < kSignOrder.find(b); });
        forecast[g] = signs;
    }
    return forecast;
}

std::size_t DevelopForecast(const TForecast& forecast, std::span<const TCondition> conditions,
                            const std::string& path, const TFileCalls& calls) {
    std::string bytes;
    std::size_t columns = 0;
    ReportingOutOfMemory([&] {
        std::size_t product = 1;
        for (const std::string& group : forecast) {
            product *= group.size();
        }
        bytes.reserve(product * (kColumnLength + 2));
        ForEachColumn(forecast, conditions, [&](std::span<const char, kColumnLength> signs) {
            bytes.append(signs.data(), signs.size());
            bytes.append("\r\n");
            ++columns;
        });
    });
    // An empty file in place of the player's columns would only hide the mistake.
    if (columns > 0) {
        ReplaceFileContent(path, bytes, calls);
    }
    return columns;
}

}  // namespace kelvo
