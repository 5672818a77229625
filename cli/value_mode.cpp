#include "value_mode.h"

#include <string>
#include <string_view>
#include <vector>

#include "decimal_text.h"
#include "exit_status.h"
#include "files/column_file.h"
#include "value/set_value.h"

namespace kelvo {

namespace {

// The header of the --each file, one field per column of its lines.
constexpr std::string_view kEachHeader =
    "column\tchance\tpublic share\tvalue\texpected\treturn per euro";

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

TWeekPool PoolOf(const TCommand& command) {
    TWeekPool pool;
    pool.Chances = ReadPercentages("--chances", *command.Chances, ParseChances);
    pool.Public = ReadPercentages("--public", *command.Public, ParseChances);
    pool.Takings = *command.Takings;
    pool.Jackpot = command.Jackpot;
    pool.Price = command.Price;
    if (!command.Pleno.empty()) {
        pool.Pleno.Chosen = PlenoChoice(command.Pleno);
        pool.Pleno.Chances =
            ReadPercentages("--pleno-chances", *command.PlenoChances, ParsePlenoPercentages);
        pool.Pleno.Public =
            ReadPercentages("--pleno-public", *command.PlenoPublic, ParsePlenoPercentages);
    }
    return pool;
}

void WriteEach(const std::vector<TKey>& columns, const std::vector<TColumnValue>& values,
               const std::string& path) {
    std::vector<std::string> lines = {std::string(kEachHeader)};
    for (std::size_t k = 0; k < columns.size(); ++k) {
        const TColumnValue& value = values[k];
        lines.push_back(ColumnText(columns[k]) + '\t' + DecimalText(value.Chance) + '\t' +
                        DecimalText(value.PublicShare) + '\t' + DecimalText(value.Value) + '\t' +
                        DecimalText(value.Expected) + '\t' + DecimalText(value.ReturnPerEuro));
    }
    SaveColumns(lines, path);
}

void WriteValue(const TSetValue& value, std::ostream& out) {
    out << "columns: " << value.Columns << '\n' << "cost: " << DecimalText(value.Cost) << '\n';
    if (value.Special) {
        out << "expected 14+15: " << DecimalText(*value.Special) << '\n';
    } else {
        out << "expected 14+15: not counted (no pleno)\n";
    }
    for (std::size_t c = 0; c < kPrizeCategories; ++c) {
        out << "expected " << kColumnLength - static_cast<int>(c) << ": "
            << DecimalText(value.Expected[c]) << '\n';
    }
    out << "expected total: " << DecimalText(value.Total) << '\n'
        << "return per euro: " << DecimalText(value.ReturnPerEuro) << '\n'
        << "chance of a prize: " << DecimalText(value.ChanceOfPrize) << "%\n";
}

}  // namespace

int RunValueMode(const TCommand& command, std::ostream& out) {
    const TWeekPool pool = PoolOf(command);
    const TColumnList columns = ReadColumns(command.Valued, TReadMessages::CannotOpenFile);
    if (command.Each) {
        WriteEach(columns.Columns, *ValueOfEachColumn(columns.Columns, pool), *command.Each);
    }
    WriteValue(*ValueOfSet(columns.Columns, pool), out);
    return kExitCompleted;
}

}  // namespace kelvo
