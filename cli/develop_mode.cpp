#include "develop_mode.h"

#include <string>
#include <vector>

#include "exit_status.h"
#include "modes/condition_kinds.h"
#include "modes/conditions.h"
#include "modes/development.h"

namespace kelvo {

namespace {

constexpr std::string_view kNoColumn = "no column of the forecast meets the conditions";

// The conditions of `command`, kind by kind. Throws TUsageError naming the option of the first
// condition that cannot be read.
std::vector<TCondition> ConditionsOf(const TCommand& command) {
    std::vector<TCondition> conditions;
    for (const TConditionKindRule& rule : ConditionKindRules()) {
        for (const std::string& text : command.Conditions[static_cast<std::size_t>(rule.Kind)]) {
            try {
                conditions.push_back(ParseCondition(rule.Kind, text));
            } catch (const TConditionError& error) {
                throw TUsageError(std::string(rule.Option) + ": " + error.what());
            }
        }
    }
    return conditions;
}

}  // namespace

int RunDevelopMode(const TCommand& command, std::ostream& out, std::ostream& err) {
    TForecast forecast;
    try {
        forecast = ParseForecast(command.Forecast);
    } catch (const TForecastError& error) {
        throw TUsageError(std::string("--develop: ") + error.what());
    }
    return WriteDevelopment(forecast, ConditionsOf(command), command, out, err);
}

int WriteDevelopment(const TForecast& forecast, std::span<const TCondition> conditions,
                     const TCommand& command, std::ostream& out, std::ostream& err) {
    if (command.Count) {
        out << CountColumns(forecast, conditions) << " columns\n";
        return kExitCompleted;
    }
    const std::size_t columns = DevelopForecast(forecast, conditions, command.Input);
    if (columns == 0) {
        err << kNoColumn << '\n';
        return kExitFailed;
    }
    out << columns << " columns written to " << command.Input << '\n';
    return kExitCompleted;
}

}  // namespace kelvo
