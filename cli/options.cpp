#include "options.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <memory>
#include <span>
#include <system_error>

#include "version.h"

namespace kelvo {

namespace {

constexpr std::string_view kProgram = "kelvo-reduce";

constexpr std::string_view kDescription =
    "Reduces a file of football-pool columns to fewer columns with a guarantee.";

constexpr std::string_view kUsage =
    "usage: kelvo-reduce [--guarantee G] [--no-limit]\n"
    "                    [--optimise SECONDS [--seed N] [--steps N] [--anywhere]] INPUT OUTPUT\n"
    "       kelvo-reduce --budget N | --budget-euros EUROS --chances FILE [--guarantee G]\n"
    "                    [--no-limit] [--optimise SECONDS] [--steps N] [--seed N] [--anywhere]\n"
    "                    [--public FILE --takings EUROS [--jackpot EUROS]] [--price EUROS]\n"
    "                    [--pleno HOME-AWAY[,HOME-AWAY]... [--pleno-chances FILE\n"
    "                     --pleno-public FILE]] INPUT OUTPUT\n"
    "       kelvo-reduce --check [--guarantee G] INPUT REDUCED\n"
    "       kelvo-reduce --develop FORECAST [CONDITION]... OUTPUT\n"
    "       kelvo-reduce --develop FORECAST [CONDITION]... --count\n"
    "       kelvo-reduce --score RESULT FILE\n"
    "       kelvo-reduce --prizes [--chances FILE] DEVELOPMENT REDUCED\n"
    "       kelvo-reduce --value COLUMNS --chances FILE --public FILE --takings EUROS\n"
    "                    [--jackpot EUROS] [--price EUROS] [--each FILE]\n"
    "                    [--pleno HOME-AWAY[,HOME-AWAY]... --pleno-chances FILE\n"
    "                     --pleno-public FILE]\n"
    "       kelvo-reduce --plan PLAN DEVELOPMENT\n"
    "       kelvo-reduce --plan PLAN --count\n"
    "       kelvo-reduce --plan PLAN --columns OUTPUT\n"
    "       kelvo-reduce --help | --version\n";

constexpr std::string_view kFooterBeforeConditions =
    "kelvo-reduce INPUT OUTPUT reduces the columns of INPUT (at most 7000 lines of 14 signs) to a\n"
    "set in which every input column differs from some chosen column in at most 14 - G\n"
    "positions, and writes it to OUTPUT followed by \".txt\". INPUT is rewritten with its lines\n"
    "sorted, as the window does.\n"
    "\n"
    "kelvo-reduce --check INPUT REDUCED verifies any reduction, changing neither file: it prints\n"
    "how many input columns and reduced columns there are and how many input columns have no\n"
    "reduced column within 14 - G positions, listing the first ten with their line numbers.\n"
    "\n"
    "kelvo-reduce --optimise SECONDS INPUT OUTPUT runs as above, then spends at most SECONDS\n"
    "searching for a smaller set with the same guarantee, and writes the smallest set found in\n"
    "the order of INPUT; it is never larger than the plain run's. A last line reports both sizes,\n"
    "a lower bound (no reduction can be smaller; it is usually well below the smallest one\n"
    "that exists), the gap between the result and the bound as a share of the result, and the\n"
    "time spent. Ctrl-C ends the search early and writes the best set so far; a second Ctrl-C\n"
    "ends the program at once and writes nothing. Runs differ by their timing; with --steps,\n"
    "two searches take N steps each and the same --seed gives the same set on every machine.\n"
    "\n"
    "With --anywhere the chosen columns may be any columns of 14 signs 1, X and 2, not only\n"
    "columns of INPUT: every input column still differs from some chosen column in at most\n"
    "14 - G positions, and this is checked against every input column before OUTPUT is\n"
    "written. Where INPUT is not every column of a forecast (a development with conditions,\n"
    "say) this can save columns no choice among the input columns can. Since the chosen\n"
    "columns need not be in INPUT, they are written in the order a run sorts a file. The\n"
    "search spends half its budget among the input columns and goes on from there among\n"
    "the others; with --steps, each half takes N steps.\n"
    "\n"
    "kelvo-reduce --budget N --chances FILE INPUT OUTPUT chooses at most N columns of INPUT,\n"
    "those with the most chance that the week's result is a column of INPUT and some chosen\n"
    "column has at least G signs right, the chances of each sign given as for --prizes. It\n"
    "rewrites INPUT and writes OUTPUT as a run does, the chosen columns in the order of INPUT,\n"
    "and ends with the line \"Budget: N columns, chance of at least G right C% of the\n"
    "forecast's P% (bound B%)\": P is the chance that the result is a column of INPUT, C the\n"
    "chance covered, and no N columns cover more than B (\", best possible\" when C reaches it).\n"
    "Where a reduction of INPUT fits in N columns, it is the result, and C is P. --budget-euros\n"
    "EUROS stands for the columns EUROS buy at --price, each played with every --pleno result\n"
    "given. The choice starts from the greedy by marginal chance; --optimise SECONDS (or\n"
    "--steps N, with --seed) then swaps columns while the chance grows, and Ctrl-C keeps the\n"
    "best set so far; --anywhere chooses among any columns, as for --optimise. With --public\n"
    "and --takings (and the Pleno's options) the set is chosen for the most expected winnings,\n"
    "by the model of --value, and the line also gives them, their bound and the return per\n"
    "euro. For example:\n"
    "  kelvo-reduce --budget-euros 30 --chances probabilidades.txt --optimise 10 \\\n"
    "      semana.txt presupuesto\n"
    "\n"
    "kelvo-reduce --develop FORECAST OUTPUT writes every column of a forecast to the file OUTPUT\n"
    "(named as given, replaced if it exists), one per line with CR LF, in the order a run sorts\n"
    "them. FORECAST is 14 groups of one to three different signs, separated by commas or blanks;\n"
    "each CONDITION keeps only the columns that meet it, and may be given any number of times\n"
    "(MIN-MAX: MIN to MAX, both included; matches are numbered 1 to 14):\n";

constexpr std::string_view kFooterAfterConditions =
    "With --count it only prints how many columns there are (\"N columns\") and writes\n"
    "nothing. When no column meets the conditions, it says so and writes nothing. For example:\n"
    "  kelvo-reduce --develop 1,1X,X2,1X2,2,1,X,12,1,1,1X2,2,X,1 --signs X=0-3 semana.txt\n"
    "  kelvo-reduce --develop 1X2,1X2,1X2,1X2,1,1,X,12,1,1,1X2,2,X,1 --breaks 2-8 \\\n"
    "      --run 1=0-3 --group 1-4:X=1-2 --base 11111111111111=3-9 --count\n"
    "\n"
    "kelvo-reduce --score RESULT FILE compares each column of FILE, read as a run loads it and\n"
    "left as it is, with RESULT (14 signs) and prints how many columns have 14, 13, 12, 11 and\n"
    "10 signs right, then the line numbers and columns of those with 13 or more. A match not\n"
    "yet played is a - or a blank in RESULT: the counts are then of the matches played, and\n"
    "\"can still reach N: K\" lines follow for N = 14 down to 10, K being the columns that\n"
    "would have at least N right were they right in every match not yet played. For example:\n"
    "  kelvo-reduce --score 1X21X1121X2112 reducida.txt\n"
    "  kelvo-reduce --score 1X2-1X11-X2-12 reducida.txt\n"
    "\n"
    "kelvo-reduce --prizes DEVELOPMENT REDUCED takes every column of DEVELOPMENT in turn as the\n"
    "week's result and scores every column of REDUCED against it (both read as a run loads\n"
    "them, neither changed): how many results have a best reduced column with 14, 13, 12, 11,\n"
    "10 and fewer signs right, the fewest right any result gets (the guarantee that holds),\n"
    "and for 14 down to 10 right the mean and the most reduced columns with that many right\n"
    "for one result. --chances FILE gives the chances in percent of 1, X and 2 for each match,\n"
    "one line per match (three numbers, each line adding up to 100); every possible result is\n"
    "then weighed by its chance: the chance that the result is in DEVELOPMENT, the chance of a\n"
    "best reduced column with at least 14, 13, 12, 11 and 10 right, and the expected number of\n"
    "reduced columns with each. For example:\n"
    "  kelvo-reduce --prizes --chances probabilidades.txt semana.txt reducida.txt\n"
    "\n"
    "kelvo-reduce --value COLUMNS reads COLUMNS as a run loads them, changing nothing, and prints\n"
    "what they are expected to win in euros. --chances FILE gives the chances of each sign as\n"
    "for --prizes, --public FILE the public's percentages in the same form, --takings the\n"
    "week's takings, --jackpot the jackpot added to 14 right, --price the price of a column\n"
    "(0.75 by default). The public plays takings / price bets, each drawn match by match with\n"
    "its percentages; every possible result is weighed by its chance, and each category's\n"
    "pool (16 % of the takings for 14 right, 7.5 % for 13, 12 and 11, 9 % for 10, 7.5 % for\n"
    "14 + Pleno al 15) is shared with the public's winners. Roll-downs of empty categories\n"
    "and the rule that a lower category never pays more than a higher one are left out.\n"
    "--pleno gives the Pleno al 15 results played (the home and away goals as two of 0, 1, 2\n"
    "and M, e.g. 1-M); each column is then one bet per result, and --pleno-chances and\n"
    "--pleno-public give the chances and the public's percentages of 0, 1, 2 and M goals, a\n"
    "line for the home team and one for the away team. --each FILE also writes, for every\n"
    "column in file order, its chance, its share of the public's bets, its value (chance\n"
    "over share), its expected winnings alone and its return per euro, separated by tabs.\n"
    "For example:\n"
    "  kelvo-reduce --value reducida.txt --chances probabilidades.txt --public publico.txt \\\n"
    "      --takings 2500000 --pleno 1-1,2-1 --pleno-chances pleno.txt \\\n"
    "      --pleno-public pleno-publico.txt --each valor.tsv\n"
    "\n"
    "kelvo-reduce --plan PLAN reads a plan saved by kelvo-planner (a .kelvo file), changing\n"
    "nothing in it. With DEVELOPMENT it writes the plan's development (its forecast and\n"
    "conditions) as --develop does, with --count it only prints how many columns there are,\n"
    "and with --columns OUTPUT it writes the plan's reduced columns to the file OUTPUT (named\n"
    "as given, replaced if it exists), one per line with CR LF, in the plan's order; a plan\n"
    "without a reduction is told so and nothing is written. A file that is no plan is told\n"
    "why. For example:\n"
    "  kelvo-reduce --plan semana.kelvo --columns reducida.txt\n"
    "\n"
    "Exit status: 0 reduced (or, with --check, every input column covered), 1 failed,\n"
    "2 wrong usage, 3 refused (more than 7000 lines), 4 with --check, some column not covered.\n";

// Longer budgets than this are taken for a mistake (about 115 days).
constexpr double kLongestBudget = 1e7;

// Modes that do not go together, in the order a command is told about them: one that gives Mode
// with any of Excluded is told "Mode takes no Excluded", naming all of them.
struct TExclusion {
    std::string_view Mode;
    std::span<const std::string_view> Excluded;
};

constexpr std::array<std::string_view, 3> kReductionOptions = {"--check", "--no-limit",
                                                               "--optimise"};
constexpr std::array<std::string_view, 1> kScoreOption = {"--score"};
constexpr std::array<std::string_view, 1> kNoLimitOption = {"--no-limit"};
constexpr std::array<std::string_view, 1> kOptimiseOption = {"--optimise"};

constexpr std::array<std::string_view, 1> kPrizesOption = {"--prizes"};
constexpr std::array<std::string_view, 7> kOtherModes = {
    "--develop", "--check", "--no-limit", "--optimise", "--score", "--prizes", "--value"};
constexpr std::array<std::string_view, 6> kNotWithValue = {"--develop",  "--check", "--no-limit",
                                                           "--optimise", "--score", "--prizes"};
constexpr std::array<std::string_view, 1> kCountOption = {"--count"};
constexpr std::array<std::string_view, 7> kNotWithBudget = {
    "--budget-euros", "--check", "--develop", "--score", "--prizes", "--value", "--plan"};
constexpr std::array<std::string_view, 6> kNotWithBudgetEuros = {"--check",  "--develop", "--score",
                                                                 "--prizes", "--value",   "--plan"};

constexpr std::array<TExclusion, 13> kExclusions = {{
    {"--develop", kReductionOptions},
    {"--score", kReductionOptions},
    {"--develop", kScoreOption},
    {"--check", kNoLimitOption},
    {"--check", kOptimiseOption},
    {"--prizes", kReductionOptions},
    {"--develop", kPrizesOption},
    {"--score", kPrizesOption},
    {"--plan", kOtherModes},
    {"--value", kNotWithValue},
    {"--columns", kCountOption},
    {"--budget", kNotWithBudget},
    {"--budget-euros", kNotWithBudgetEuros},
}};

// The files a mode takes, named as its usage errors name them.
constexpr std::array<std::string_view, 2> kInputAndOutput = {"INPUT", "OUTPUT"};
constexpr std::array<std::string_view, 1> kDevelopedFile = {"OUTPUT"};
constexpr std::array<std::string_view, 1> kScoredFile = {"FILE"};
constexpr std::array<std::string_view, 2> kPrizedFiles = {"DEVELOPMENT", "REDUCED"};
constexpr std::array<std::string_view, 1> kPlanDevelopment = {"DEVELOPMENT"};

// The option that chooses a mode (with Also, when it is not empty), and the files the mode takes.
struct TModeChoice {
    std::string_view Option;
    std::string_view Also;
    TMode Mode;
    std::span<const std::string_view> Files;
};

// The first of these a command gives chooses its mode; none: the plain reduction.
constexpr std::array<TModeChoice, 11> kModeChoices = {{
    {"--plan", "--count", TMode::Plan, {}},
    {"--plan", "--columns", TMode::Plan, {}},
    {"--plan", "", TMode::Plan, kPlanDevelopment},
    {"--develop", "--count", TMode::Develop, {}},
    {"--develop", "", TMode::Develop, kDevelopedFile},
    {"--score", "", TMode::Score, kScoredFile},
    {"--prizes", "", TMode::Prizes, kPrizedFiles},
    {"--value", "", TMode::Value, {}},
    {"--check", "", TMode::Check, kInputAndOutput},
    {"--budget", "", TMode::Budget, kInputAndOutput},
    {"--budget-euros", "", TMode::Budget, kInputAndOutput},
}};
constexpr TModeChoice kReduction = {"", "", TMode::Reduce, kInputAndOutput};

// The help's option lines leave out which options exclude which: the usage lines tell that.
class THelpFormatter : public CLI::Formatter {
public:
    std::string make_option_opts(const CLI::Option* option) const override {
        const std::string opts = CLI::Formatter::make_option_opts(option);
        return opts.substr(0, opts.find(" " + get_label("Excludes") + ":"));
    }
};

bool IsGuaranteeText(const std::string& value) {
    int guarantee = 0;
    const char* end = value.data() + value.size();
    const auto [stop, error] = std::from_chars(value.data(), end, guarantee);
    return error == std::errc() && stop == end && IsGuarantee(guarantee);
}

bool IsBudgetText(const std::string& value) {
    double seconds = 0;
    const char* end = value.data() + value.size();
    const auto [stop, error] = std::from_chars(value.data(), end, seconds);
    return error == std::errc() && stop == end && std::isfinite(seconds) && seconds > 0 &&
           seconds <= kLongestBudget;
}

// More columns than this are taken for a mistake: every column of 14 matches.
constexpr std::size_t kMostColumns = 4782969;

// A whole number of columns from 1 up to kMostColumns.
bool IsColumnsText(const std::string& value) {
    std::size_t columns = 0;
    const char* end = value.data() + value.size();
    const auto [stop, error] = std::from_chars(value.data(), end, columns);
    return error == std::errc() && stop == end && columns >= 1 && columns <= kMostColumns;
}

// Longer sums than this are taken for a mistake: above any week's takings.
constexpr double kMostEuros = 1e10;

// A number of euros from 0 (above 0 for a price) up to kMostEuros.
bool IsEurosText(const std::string& value, bool price) {
    double euros = 0;
    const char* end = value.data() + value.size();
    const auto [stop, error] = std::from_chars(value.data(), end, euros);
    return error == std::errc() && stop == end && std::isfinite(euros) &&
           (price ? euros > 0 : euros >= 0) && euros <= kMostEuros;
}

template <class TEuros>
CLI::Option* AddEuros(CLI::App& app, const std::string& name, TEuros& euros,
                      const std::string& help, bool price) {
    return app.add_option(name, euros, help)
        ->option_text("EUROS")
        ->check(
            [price](const std::string& value) {
                return IsEurosText(value, price)
                           ? std::string()
                           : "'" + value + "' is no sum of euros: give a number " +
                                 (price ? "above 0" : "from 0") + " and at most 10000000000";
            },
            "EUROS");
}

// The help's text below the options, with a line for each way of writing each kind of condition:
// "  --signs S=MIN-MAX           MIN to MAX signs S (1, X or 2)".
std::string Footer() {
    constexpr std::size_t kMeaningColumn = 30;
    std::string footer(kFooterBeforeConditions);
    for (const TConditionKindRule& rule : ConditionKindRules()) {
        for (const TOptionForm& form : rule.Forms) {
            std::string line = "  " + std::string(rule.Option) + " " + std::string(form.Value);
            line.resize(std::max(kMeaningColumn, line.size() + 2), ' ');
            footer += line + std::string(form.Meaning) + "\n";
        }
    }
    return footer + std::string(kFooterAfterConditions);
}

// The options of every mode, bound to `command`; the parser's help is the program's --help, in
// the order they are described here. With `budget` (a budget is given), what the options of the
// search and the week need is checked once the mode is known.
void DescribeOptions(CLI::App& app, TCommand& command, bool budget) {
    app.formatter(std::make_shared<THelpFormatter>());
    app.add_option("--guarantee", command.Guarantee,
                   "the guarantee: 13 (the default), 12 or 11 signs right in some chosen column")
        ->option_text("G")
        ->check(
            [](const std::string& value) {
                return IsGuaranteeText(value)
                           ? std::string()
                           : "'" + value + "' is no guarantee: the guarantees are 11, 12 and 13";
            },
            "11, 12 or 13");
    app.add_flag("--no-limit", command.NoLimit,
                 "reduces any number of columns, not only up to 7000");
    CLI::Option* optimise =
        app.add_option("--optimise", command.Optimise,
                       "then spends at most SECONDS on finding a smaller set (see below)")
            ->option_text("SECONDS")
            ->check(
                [](const std::string& value) {
                    return IsBudgetText(value) ? std::string()
                                               : "'" + value +
                                                     "' is no budget: give the seconds to spend, "
                                                     "a number above 0 and at most 10000000";
                },
                "SECONDS");
    // With a budget, these need no --optimise.
    const auto needsOptimise = [&](CLI::Option* option) {
        if (!budget) {
            option->needs(optimise);
        }
    };
    needsOptimise(app.add_option("--seed", command.Seed,
                                 "with --optimise or a budget: the seed of the search (default 1)")
                      ->option_text("N"));
    needsOptimise(
        app.add_option("--steps", command.Steps,
                       "with --optimise or a budget: N steps per search instead of the budget "
                       "(repeatable)")
            ->option_text("N")
            ->check(CLI::Range(std::uint64_t{1}, std::numeric_limits<std::uint64_t>::max())));
    needsOptimise(app.add_flag("--anywhere", command.Anywhere,
                               "with --optimise or a budget: chooses any columns, not only those "
                               "of INPUT (see below)"));
    app.add_flag("--check")->description(
        "verifies that REDUCED covers INPUT, changing neither file");
    app.set_help_flag("-h,--help", "prints this help and exits");
    app.set_version_flag("--version", std::string(kProgram) + " " + std::string(kVersion),
                         "prints the version and exits");
    CLI::Option* develop =
        app.add_option("--develop", command.Forecast,
                       "writes every column of FORECAST to OUTPUT, as given (see below)")
            ->option_text("FORECAST");
    for (const TConditionKindRule& rule : ConditionKindRules()) {
        app.add_option(std::string(rule.Option),
                       command.Conditions[static_cast<std::size_t>(rule.Kind)],
                       std::string(rule.OptionHelp))
            ->option_text(std::string(rule.OptionValue))
            ->allow_extra_args(false)
            ->needs(develop);
    }
    // What --count needs (--develop or --plan) is checked once the mode is known.
    app.add_flag("--count", command.Count,
                 "with --develop or --plan: prints how many columns there are and writes nothing");
    app.add_option("--score", command.Result,
                   "counts the signs right of each column of FILE against RESULT (see below)")
        ->option_text("RESULT");
    app.add_flag("--prizes")
        ->description(
            "what REDUCED wins for each result in DEVELOPMENT, changing neither (see below)");
    // What --chances and --public need is checked once the mode and the conditions are known.
    app.add_option("--chances", command.Chances,
                   "with --prizes, --value, a budget or --value-min: the chances of each sign "
                   "(see below)")
        ->option_text("FILE");
    CLI::Option* value =
        app.add_option("--value", command.Valued,
                       "what the columns of COLUMNS are expected to win, changing nothing (see "
                       "below)")
            ->option_text("COLUMNS");
    app.add_option("--public", command.Public,
                   "with --value, a budget, --value-min or --public-max: the public's "
                   "percentages of 1, X and 2 for each match, in the form of --chances")
        ->option_text("FILE");
    // With a budget, these need no --value.
    const auto needsValue = [&](CLI::Option* option) {
        if (!budget) {
            option->needs(value);
        }
        return option;
    };
    needsValue(AddEuros(app, "--takings", command.Takings,
                        "with --value or a budget: the week's takings", false));
    needsValue(AddEuros(app, "--jackpot", command.Jackpot,
                        "with --value or a budget: the jackpot added to the pool of 14 right (0 "
                        "by default)",
                        false));
    needsValue(AddEuros(app, "--price", command.Price,
                        "with --value or a budget: the price of a column (0.75 by default)", true));
    CLI::Option* pleno = needsValue(
        app.add_option("--pleno", command.Pleno,
                       "with --value or a budget: the Pleno al 15 results played, e.g. 1-M,0-0 "
                       "(see below)")
            ->option_text("HOME-AWAY[,HOME-AWAY...]"));
    app.add_option("--pleno-chances", command.PlenoChances,
                   "with --pleno: the chances of 0, 1, 2 and M goals of each team")
        ->option_text("FILE")
        ->needs(pleno);
    app.add_option("--pleno-public", command.PlenoPublic,
                   "with --pleno: the public's percentages of 0, 1, 2 and M goals of each team")
        ->option_text("FILE")
        ->needs(pleno);
    app.add_option("--each", command.Each,
                   "with --value: writes each column's chance, share and value to FILE")
        ->option_text("FILE")
        ->needs(value);
    app.add_option("--budget", command.Budget,
                   "chooses the N columns of INPUT with the most chance of G right (see below)")
        ->option_text("N")
        ->check(
            [](const std::string& text) {
                return IsColumnsText(text) ? std::string()
                                           : "'" + text +
                                                 "' is no number of columns: give a whole "
                                                 "number from 1 to 4782969";
            },
            "N");
    AddEuros(app, "--budget-euros", command.BudgetEuros,
             "as --budget, for the columns EUROS buy at --price", true);
    CLI::Option* plan =
        app.add_option("--plan", command.Plan,
                       "reads the plan PLAN and writes its development to DEVELOPMENT (see below)")
            ->option_text("PLAN");
    app.add_option("--columns", command.Columns,
                   "with --plan: writes the plan's reduced columns to OUTPUT instead")
        ->option_text("OUTPUT")
        ->needs(plan);
    // Which of the files a mode takes are there is checked once the mode is known.
    app.add_option(
        "INPUT", command.Input,
        "the column file to reduce or check (with --develop: OUTPUT; with --score: FILE; with "
        "--plan: DEVELOPMENT)");
    app.add_option("OUTPUT", command.Output,
                   "the output name, \".txt\" added (with --check: REDUCED, the reduction)");
    app.footer(Footer());
}

void ExcludeModes(CLI::App& app) {
    for (const TExclusion& exclusion : kExclusions) {
        CLI::Option* mode = app.get_option(std::string(exclusion.Mode));
        for (const std::string_view excluded : exclusion.Excluded) {
            mode->excludes(app.get_option(std::string(excluded)));
        }
    }
}

bool Given(const CLI::App& app, std::string_view option) {
    return app.count(std::string(option)) > 0;
}

bool Breaks(const CLI::App& app, const TExclusion& exclusion) {
    return Given(app, exclusion.Mode) &&
           std::any_of(exclusion.Excluded.begin(), exclusion.Excluded.end(),
                       [&app](std::string_view excluded) { return Given(app, excluded); });
}

// "--develop takes no --check, --no-limit or --optimise".
std::string ExclusionMessage(const TExclusion& exclusion) {
    std::string message = std::string(exclusion.Mode) + " takes no ";
    for (std::size_t k = 0; k < exclusion.Excluded.size(); ++k) {
        if (k > 0) {
            message += k + 1 == exclusion.Excluded.size() ? " or " : ", ";
        }
        message += exclusion.Excluded[k];
    }
    return message;
}

// The message of the first exclusion the parsed command breaks.
std::string ConflictMessage(const CLI::App& app, const CLI::ExcludesError& error) {
    for (const TExclusion& exclusion : kExclusions) {
        if (Breaks(app, exclusion)) {
            return ExclusionMessage(exclusion);
        }
    }
    return error.what();
}

void ParseArguments(CLI::App& app, const std::vector<std::string>& args) {
    // The parser takes the arguments last first.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    app.parse(reversed);
}

const TModeChoice& ModeOf(const CLI::App& app) {
    for (const TModeChoice& choice : kModeChoices) {
        if (Given(app, choice.Option) && (choice.Also.empty() || Given(app, choice.Also))) {
            return choice;
        }
    }
    return kReduction;
}

// The options that weigh the percentages of --chances and --public, as "A or B".
std::string Weighers(bool chances) {
    std::vector<std::string_view> options;
    if (chances) {
        options.push_back("--prizes");
    }
    options.push_back("--value");
    options.push_back("--budget");
    options.push_back("--budget-euros");
    for (const TConditionKindRule& rule : ConditionKindRules()) {
        if (chances ? rule.Chances : rule.Public) {
            options.push_back(rule.Option);
        }
    }
    std::string text;
    for (std::size_t k = 0; k < options.size(); ++k) {
        if (k > 0) {
            text += k + 1 == options.size() ? " or " : ", ";
        }
        text += options[k];
    }
    return text;
}

// Throws TUsageError when a condition lacks the percentages it weighs ("--value-min requires
// --chances and --public", naming only those missing), or when --chances or --public is given
// and nothing weighs it.
void CheckPercentages(const CLI::App& app, const TCommand& command) {
    const bool budget = Given(app, "--budget") || Given(app, "--budget-euros");
    bool chancesWeighed = Given(app, "--prizes") || Given(app, "--value") || budget;
    bool publicWeighed = Given(app, "--value") || budget;
    for (const TConditionKindRule& rule : ConditionKindRules()) {
        if (command.Conditions[static_cast<std::size_t>(rule.Kind)].empty()) {
            continue;
        }
        chancesWeighed = chancesWeighed || rule.Chances;
        publicWeighed = publicWeighed || rule.Public;
        std::vector<std::string_view> missing;
        if (rule.Chances && !command.Chances) {
            missing.push_back("--chances");
        }
        if (rule.Public && !command.Public) {
            missing.push_back("--public");
        }
        if (!missing.empty()) {
            throw TUsageError(std::string(rule.Option) + " requires " + std::string(missing[0]) +
                              (missing.size() > 1 ? " and " + std::string(missing[1]) : ""));
        }
    }
    if (command.Chances && !chancesWeighed) {
        throw TUsageError("--chances requires " + Weighers(true));
    }
    if (command.Public && !publicWeighed) {
        throw TUsageError("--public requires " + Weighers(false));
    }
}

// Throws TUsageError unless the command gives as many files as its mode takes.
void CheckFiles(const CLI::App& app, const TCommand& command,
                std::span<const std::string_view> files) {
    const std::size_t given = app.count("INPUT") + app.count("OUTPUT");
    if (given < files.size()) {
        throw TUsageError(std::string(files[given]) + " is required");
    }
    // The parser has refused a third file; the first file a mode does not take is told.
    if (given > files.size()) {
        throw TUsageError("The following argument was not expected: " +
                          (files.empty() ? command.Input : command.Output));
    }
}

// Throws TUsageError when --value or --pleno comes without the options they need.
void CheckValueOptions(const CLI::App& app, const TCommand& command) {
    if (command.Mode != TMode::Value) {
        return;
    }
    for (const std::string_view needed : {"--chances", "--public", "--takings"}) {
        if (!Given(app, needed)) {
            throw TUsageError("--value requires " + std::string(needed));
        }
    }
    if (Given(app, "--pleno")) {
        for (const std::string_view needed : {"--pleno-chances", "--pleno-public"}) {
            if (!Given(app, needed)) {
                throw TUsageError("--pleno requires " + std::string(needed));
            }
        }
    }
}

// Throws TUsageError when a budget comes without the chances, the seed without the search it
// seeds, or the week's options without the public's percentages they value, or the other way
// round ("--public requires --takings").
void CheckBudgetOptions(const CLI::App& app, const TCommand& command) {
    if (command.Mode != TMode::Budget) {
        return;
    }
    const std::string_view budget = Given(app, "--budget") ? "--budget" : "--budget-euros";
    if (!command.Chances) {
        throw TUsageError(std::string(budget) + " requires --chances");
    }
    if (Given(app, "--seed") && !command.Optimise && command.Steps == 0) {
        throw TUsageError("--seed requires --optimise or --steps");
    }
    if (!command.Public) {
        for (const std::string_view option :
             {"--takings", "--jackpot", "--pleno-chances", "--pleno-public"}) {
            if (Given(app, option)) {
                throw TUsageError(std::string(option) + " requires --public");
            }
        }
        return;
    }
    if (!command.Takings) {
        throw TUsageError("--public requires --takings");
    }
    if (Given(app, "--pleno")) {
        for (const std::string_view needed : {"--pleno-chances", "--pleno-public"}) {
            if (!Given(app, needed)) {
                throw TUsageError("--pleno requires " + std::string(needed));
            }
        }
    }
}

// Whether `args` give a budget: the options of the search and the week then need neither
// --optimise nor --value.
bool GivesBudget(const std::vector<std::string>& args) {
    return std::any_of(args.begin(), args.end(), [](std::string_view arg) {
        return arg == "--budget" || arg.starts_with("--budget=") || arg == "--budget-euros" ||
               arg.starts_with("--budget-euros=");
    });
}

}  // namespace

std::variant<TCommand, TInfoText> ParseCommandLine(const std::vector<std::string>& args) {
    TCommand command;
    CLI::App app{std::string(kDescription), std::string(kProgram)};
    const bool budget = GivesBudget(args);
    DescribeOptions(app, command, budget);
    ExcludeModes(app);
    try {
        try {
            ParseArguments(app, args);
        } catch (const CLI::ExcludesError& error) {
            // The parser checks the exclusions before what an option needs and before the
            // arguments left over, whose errors a command is told first: the same options without
            // the exclusions find those.
            const std::string conflict = ConflictMessage(app, error);
            TCommand unchecked;
            CLI::App permissive{std::string(kDescription), std::string(kProgram)};
            DescribeOptions(permissive, unchecked, budget);
            ParseArguments(permissive, args);
            throw TUsageError(conflict);
        }
    } catch (const CLI::CallForHelp&) {
        return TInfoText{app.help()};
    } catch (const CLI::CallForVersion& version) {
        return TInfoText{std::string(version.what()) + "\n"};
    } catch (const CLI::ParseError& error) {
        throw TUsageError(error.what());
    }
    CheckPercentages(app, command);
    if (command.Count && !Given(app, "--develop") && !Given(app, "--plan")) {
        throw TUsageError("--count requires --develop or --plan");
    }
    const TModeChoice& mode = ModeOf(app);
    command.Mode = mode.Mode;
    CheckValueOptions(app, command);
    CheckBudgetOptions(app, command);
    CheckFiles(app, command, mode.Files);
    return command;
}

std::string UsageErrorText(std::string_view message) {
    return std::string(kProgram) + ": " + std::string(message) + "\n" + std::string(kUsage);
}

}  // namespace kelvo
