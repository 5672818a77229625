#include "run.h"

#include <new>

#include "column_file.h"
#include "cover.h"
#include "neighbours.h"

namespace {

constexpr unsigned char kFullStop = '.';

TRunOutcome Run(const std::string& inputPath, const std::string& outputPath, TRunHost& host) {
    const int lineCount = PrepareColumnFile(inputPath);
    if (lineCount > kMaxColumns) {
        host.ShowInfo(std::string(kRefusalText));
        return TRunOutcome::Refused;
    }
    TColumnList list = LoadColumns(inputPath);
    host.AddLogLine("Comienzo de la Reduccion...");
    host.AddLogLine("Analizando columnas...");
    const int longest = AnalyseNeighbours(list, host);
    host.AddLogLine("Fin de analisis de Columnas.");
    const std::vector<std::string> reduced = SelectCover(list, longest, outputPath, host);
    host.AddLogLine("Reductoras Buscadas.");
    host.AddLogLine("Fin de la Reduccion.");
    host.AddLogLine("------------------------");
    host.AddLogLine("Columnas Iniciales: " + std::to_string(list.Count()));
    host.AddLogLine("Columnas en la reducida: " + std::to_string(reduced.size()));
    host.AddLogLine("*****----HECHO--------*****");
    return TRunOutcome::Completed;
}

}  // namespace

TRunOutcome ReduceColumns(const std::string& InputPath, const std::string& OutputPath,
                          TRunHost& host) {
    try {
        return Run(InputPath, OutputPath, host);
    } catch (const std::bad_alloc&) {
        throw TEngineError("Out of memory");
    }
}

std::string ErrorBoxText(std::string_view message) {
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > kFullStop) {
        text += '.';
    }
    return text;
}
