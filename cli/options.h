// The command line of kelvo-reduce: its options, its usage and its help.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/guarantee.h"
#include "modes/condition_kinds.h"
#include "value/week_pool.h"

namespace kelvo {

// A command line that cannot be run; what() is the line that tells why, before the usage.
class TUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class TMode { Reduce, Check, Develop, Score, Prizes, Plan, Value, Budget };

// What the command line asks for.
struct TCommand {
    TMode Mode = TMode::Reduce;
    bool NoLimit = false;
    int Guarantee = kStrongestGuarantee;
    // The optimiser's budget in seconds; none: the plain run.
    std::optional<double> Optimise;
    std::uint64_t Seed = 1;
    std::uint64_t Steps = 0;
    // With Optimise or a budget: the chosen columns may be any columns, not only the input's.
    bool Anywhere = false;
    // With TMode::Budget: the most columns to choose, or the euros that buy them (one is given).
    std::optional<std::size_t> Budget;
    std::optional<double> BudgetEuros;
    // With TMode::Develop: the forecast, the conditions as written after each kind's option (by
    // TConditionKind), and whether only the columns are counted.
    std::string Forecast;
    std::array<std::vector<std::string>, kConditionKindCount> Conditions;
    bool Count = false;
    // With TMode::Plan: the plan file, as given, and the file its reduced columns go to, if any
    // (with neither Columns nor Count, the development goes to Input).
    std::string Plan;
    std::optional<std::string> Columns;
    // With TMode::Prizes: the chances file, if any. With TMode::Value, or TMode::Develop and a
    // condition that weighs them: the chances file and the public's percentages. With
    // TMode::Budget: the chances file and, when the set is chosen for its winnings, the public's.
    std::optional<std::string> Chances;
    std::optional<std::string> Public;
    // With TMode::Value: the columns valued, the week's takings, jackpot and price, the Pleno
    // results chosen as given ("1-M,0-0"; empty: none) with the files of the Pleno's chances and
    // public, and the file each column's value goes to, if any. With TMode::Budget: the same week
    // (the price and Pleno results also price BudgetEuros).
    std::string Valued;
    std::optional<double> Takings;
    double Jackpot = 0;
    double Price = kDefaultPrice;
    std::string Pleno;
    std::optional<std::string> PlenoChances;
    std::optional<std::string> PlenoPublic;
    std::optional<std::string> Each;
    // With TMode::Score, as given.
    std::string Result;
    // The files in the order given: INPUT and OUTPUT, REDUCED with --check, OUTPUT only with
    // --develop (none with --count), FILE only with --score, DEVELOPMENT and REDUCED with
    // --prizes, DEVELOPMENT only with --plan (none with --count or --columns).
    std::string Input;
    std::string Output;
};

// What --help or --version prints.
struct TInfoText {
    std::string Text;
};

// The command `args` (the program name not included) ask for, or the text of --help or --version.
// Throws TUsageError with the parser's message when an option or its value is wrong, when modes
// that do not go together are given, when a condition lacks the percentages it weighs or
// percentages are given that nothing weighs, or when the mode's files are missing or too many.
std::variant<TCommand, TInfoText> ParseCommandLine(const std::vector<std::string>& args);

// What standard error shows for a usage error with `message`: the message after the program's
// name, then the usage.
std::string UsageErrorText(std::string_view message);

}  // namespace kelvo
