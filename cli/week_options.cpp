#include "week_options.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "files/column_file.h"

namespace kelvo {

namespace {

// The percentages of the file at `path`, read by `parse`; a file that is not so is a usage error
// naming `option`, the file and what is wrong.
template <class Parse>
auto ReadPercentages(std::string_view option, const std::string& path, Parse parse) {
    const std::vector<char> bytes = ReadColumnFileBytes(path, TReadMessages::CannotOpenFile);
    try {
        return parse(std::string_view(bytes.data(), bytes.size()));
    } catch (const TChancesError& error) {
        throw TUsageError(std::string(option) + ": " + path + ": " + error.what());
    }
}

// The Pleno results of `list` ("1-M,0-0").
std::array<bool, kPlenoResults> PlenoChoice(const std::string& list) {
    std::array<bool, kPlenoResults> chosen{};
    std::string_view rest = list;
    for (;;) {
        const std::size_t comma = rest.find(',');
        const std::string_view text = rest.substr(0, comma);
        const int result = ParsePlenoResult(text);
        if (result < 0) {
            throw TUsageError("--pleno: '" + std::string(text) +
                              "' is no Pleno result: write the home and away goals as two of 0, "
                              "1, 2 and M, as 1-M");
        }
        if (chosen[static_cast<std::size_t>(result)]) {
            throw TUsageError("--pleno: '" + std::string(text) + "' is given twice");
        }
        chosen[static_cast<std::size_t>(result)] = true;
        if (comma == std::string_view::npos) {
            return chosen;
        }
        rest.remove_prefix(comma + 1);
    }
}

}  // namespace

TWeekPool WeekOf(const TCommand& command) {
    TWeekPool week;
    if (command.Chances) {
        week.Chances = ReadPercentages("--chances", *command.Chances, ParseChances);
    }
    if (command.Public) {
        week.Public = ReadPercentages("--public", *command.Public, ParseChances);
    }
    if (command.Takings) {
        week.Takings = *command.Takings;
    }
    week.Jackpot = command.Jackpot;
    week.Price = command.Price;
    if (!command.Pleno.empty()) {
        week.Pleno.Chosen = PlenoChoice(command.Pleno);
    }
    if (command.PlenoChances) {
        week.Pleno.Chances =
            ReadPercentages("--pleno-chances", *command.PlenoChances, ParsePlenoPercentages);
    }
    if (command.PlenoPublic) {
        week.Pleno.Public =
            ReadPercentages("--pleno-public", *command.PlenoPublic, ParsePlenoPercentages);
    }
    return week;
}

}  // namespace kelvo
