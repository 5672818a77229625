#include "develop_mode.h"

#include <optional>
#include <string>
#include <vector>

#include "exit_status.h"
#include "files/column_file.h"
#include "modes/condition_kinds.h"
#include "modes/conditions.h"
#include "modes/development.h"
#include "modes/prizes.h"

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

// The percentages in the file `path`, given after `option`, or none when it is not given. Throws
// TUsageError naming the option and the file when they are no percentages, TEngineError when the
// file cannot be read.
TChances ReadPercentages(std::string_view option, const std::optional<std::string>& path) {
    if (!path) {
        return {};
    }
    const std::vector<char> bytes = ReadColumnFileBytes(*path, TReadMessages::CannotOpenFile);
    try {
        return ParseChances(std::string_view(bytes.data(), bytes.size()));
    } catch (const TChancesError& error) {
        throw TUsageError(std::string(option) + ": " + *path + ": " + error.what());
    }
}

}  // namespace

int RunDevelopMode(const TCommand& command, std::ostream& out, std::ostream& err) {
    TForecast forecast;
    try {
        forecast = ParseForecast(command.Forecast);
    } catch (const TForecastError& error) {
        throw TUsageError(std::string("--develop: ") + error.what());
    }
    std::vector<TCondition> conditions = ConditionsOf(command);
    // The command line has made sure that these are given when, and only when, a condition
    // weighs them.
    SetConditionOdds(conditions, ReadPercentages("--chances", command.Chances),
                     ReadPercentages("--public", command.Public));
    return WriteDevelopment(forecast, conditions, command, out, err);
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
