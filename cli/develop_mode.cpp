#include "develop_mode.h"

#include <string>
#include <vector>

#include "exit_status.h"
#include "modes/development.h"

namespace kelvo {

int RunDevelopMode(const TCommand& command, std::ostream& out) {
    TForecast forecast;
    try {
        forecast = ParseForecast(command.Forecast);
    } catch (const TForecastError& error) {
        throw TUsageError(std::string("--develop: ") + error.what());
    }
    std::vector<TSignLimit> limits;
    for (const std::string& condition : command.Signs) {
        try {
            limits.push_back(ParseSignLimit(condition));
        } catch (const TForecastError& error) {
            throw TUsageError(std::string("--signs: ") + error.what());
        }
    }
    const std::size_t columns = DevelopForecast(forecast, limits, command.Input);
    out << columns << " columns written to " << command.Input << '\n';
    return kExitCompleted;
}

}  // namespace kelvo
