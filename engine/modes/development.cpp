#include "modes/development.h"

#include <algorithm>
#include <new>
#include <vector>

#include "core/engine_error.h"

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

int ParseCount(std::string_view digits) {
    if (digits.empty() || digits.size() > 2 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return -1;
    }
    return std::stoi(std::string(digits));
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

TSignLimit ParseSignLimit(std::string_view text) {
    const auto wrong = [&] {
        return TForecastError("'" + std::string(text) +
                              "' is no sign condition: write S=MIN-MAX, S one of 1, X and 2, "
                              "0 <= MIN <= MAX <= 14");
    };
    const std::size_t dash = text.find('-');
    if (text.size() < 5 || text[1] != '=' || dash == std::string_view::npos) {
        throw wrong();
    }
    TSignLimit limit;
    limit.Sign = FoldSign(text[0]);
    limit.Least = ParseCount(text.substr(2, dash - 2));
    limit.Most = ParseCount(text.substr(dash + 1));
    if (kSignOrder.find(limit.Sign) == std::string_view::npos || limit.Least < 0 ||
        limit.Most < limit.Least || limit.Most > kColumnLength) {
        throw wrong();
    }
    return limit;
}

std::size_t DevelopForecast(const TForecast& forecast, std::span<const TSignLimit> limits,
                            const std::string& path, const TFileCalls& calls) {
    constexpr std::size_t kLineBytes = kColumnLength + 2;
    std::string bytes;
    std::size_t columns = 0;
    try {
        std::size_t all = 1;
        for (const std::string& group : forecast) {
            all *= group.size();
        }
        bytes.reserve(all * kLineBytes);
        // An odometer over the groups, the last match turning fastest: the columns come out in
        // the collation's order.
        std::array<std::size_t, kColumnLength> digit{};
        std::string line(kLineBytes, '\n');
        line[kColumnLength] = '\r';
        for (std::size_t p = 0; p < kColumnLength; ++p) {
            line[p] = forecast[p][0];
        }
        for (;;) {
            const bool kept = std::all_of(limits.begin(), limits.end(), [&](const TSignLimit& l) {
                const auto count = std::count(line.begin(), line.begin() + kColumnLength, l.Sign);
                return count >= l.Least && count <= l.Most;
            });
            if (kept) {
                bytes += line;
                ++columns;
            }
            std::size_t p = kColumnLength;
            while (p > 0 && ++digit[p - 1] == forecast[p - 1].size()) {
                digit[p - 1] = 0;
                line[p - 1] = forecast[p - 1][0];
                --p;
            }
            if (p == 0) {
                break;
            }
            line[p - 1] = forecast[p - 1][digit[p - 1]];
        }
    } catch (const std::bad_alloc&) {
        throw TEngineError("Out of memory");
    }
    ReplaceFileContent(path, bytes, calls);
    return columns;
}

}  // namespace kelvo
