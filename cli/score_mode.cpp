#include "score_mode.h"

#include "core/column_key.h"
#include "exit_status.h"
#include "modes/score.h"

namespace kelvo {

int RunScoreMode(const TCommand& command, std::ostream& out) {
    if (!IsResult(command.Result)) {
        throw TUsageError("--score: '" + command.Result +
                          "' is no result: give 14 signs of 1, X and 2, with - or a blank for a "
                          "match not yet played");
    }
    const TScore score = ScoreColumns(command.Result, command.Input);
    for (std::size_t r = 0; r < score.Right.size(); ++r) {
        out << kColumnLength - static_cast<int>(r) << " right: " << score.Right[r] << '\n';
    }
    for (const auto& [line, column] : score.Prized) {
        out << "  line " << line << ": " << column << '\n';
    }
    // Once every match is played there is nothing left to reach: the lines above say it all, as
    // they always have.
    if (!IsFinal(command.Result)) {
        for (std::size_t r = 0; r < score.CanReach.size(); ++r) {
            out << "can still reach " << kColumnLength - static_cast<int>(r) << ": "
                << score.CanReach[r] << '\n';
        }
    }
    return kExitCompleted;
}

}  // namespace kelvo
