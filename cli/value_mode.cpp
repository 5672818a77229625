#include "value_mode.h"

#include <string>
#include <string_view>
#include <vector>

#include "decimal_text.h"
#include "exit_status.h"
#include "files/column_file.h"
#include "value/set_value.h"
#include "week_options.h"

namespace kelvo {

namespace {

// The header of the --each file, one field per column of its lines.
constexpr std::string_view kEachHeader =
    "column\tchance\tpublic share\tvalue\texpected\treturn per euro";

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
    const TWeekPool pool = WeekOf(command);
    const TColumnList columns = ReadColumns(command.Valued, TReadMessages::CannotOpenFile);
    if (command.Each) {
        WriteEach(columns.Columns, *ValueOfEachColumn(columns.Columns, pool), *command.Each);
    }
    WriteValue(*ValueOfSet(columns.Columns, pool), out);
    return kExitCompleted;
}

}  // namespace kelvo
