#include "prizes_mode.h"

#include <iomanip>
#include <optional>
#include <string>
#include <vector>

#include "exit_status.h"
#include "files/column_file.h"
#include "modes/prizes.h"

namespace kelvo {

namespace {

// Shares and means shown to enough significant digits to tell rare prizes apart.
constexpr int kSignificantDigits = 6;

int RightOf(std::size_t category) {
    return kColumnLength - static_cast<int>(category);
}

void WriteTable(const TPrizeTable& table, std::ostream& out) {
    out << "results: " << table.Results << '\n';
    for (std::size_t c = 0; c < kPrizeCategories; ++c) {
        out << "best " << RightOf(c) << ": " << table.Best[c] << '\n';
    }
    out << "best below 10: " << table.Best[kPrizeCategories] << '\n'
        << "guaranteed: " << table.Guaranteed << " right\n";
    for (std::size_t c = 0; c < kPrizeCategories; ++c) {
        out << "columns with " << RightOf(c) << " right per result: mean " << table.MeanColumns[c]
            << ", most " << table.MostColumns[c] << '\n';
    }
}

void WriteChances(const TPrizeChances& chances, std::ostream& out) {
    out << "chance in development: " << chances.InDevelopment << "%\n";
    for (std::size_t c = 0; c < kPrizeCategories; ++c) {
        out << "chance " << RightOf(c) << ": " << chances.AtLeast[c] << "%\n";
    }
    for (std::size_t c = 0; c < kPrizeCategories; ++c) {
        out << "expected columns with " << RightOf(c) << " right: " << chances.Expected[c] << '\n';
    }
}

}  // namespace

int RunPrizesMode(const TCommand& command, std::ostream& out) {
    std::optional<TChances> chances;
    if (command.Chances) {
        const std::vector<char> bytes =
            ReadColumnFileBytes(*command.Chances, TReadMessages::CannotOpenFile);
        try {
            chances = ParseChances(std::string_view(bytes.data(), bytes.size()));
        } catch (const TChancesError& error) {
            throw TUsageError("--chances: " + *command.Chances + ": " + error.what());
        }
    }
    const TColumnList development = ReadColumns(command.Input, TReadMessages::CannotOpenFile);
    const TColumnList reduced = ReadColumns(command.Output, TReadMessages::CannotOpenFile);
    out << std::setprecision(kSignificantDigits);
    WriteTable(TablePrizes(development.Columns, reduced.Columns), out);
    if (chances) {
        WriteChances(ChancesOfPrizes(development.Columns, reduced.Columns, *chances), out);
    }
    return kExitCompleted;
}

}  // namespace kelvo
