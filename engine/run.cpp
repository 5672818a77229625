#include "run.h"

#include <sys/stat.h>

#include <new>
#include <vector>

#include "column_file.h"
#include "cover.h"
#include "engine_error.h"
#include "neighbours.h"

namespace {

// Writing the reduced set over the input would destroy the full set of columns, so an output
// that is the input file itself (by another name, a link, or the same name once ".txt" is
// added) is refused. The files are compared, not their names.
void RefuseOutputOverInput(const std::string& inputPath, const std::string& outputFile) {
    struct stat input {};
    struct stat output {};
    if (::stat(inputPath.c_str(), &input) == 0 && ::stat(outputFile.c_str(), &output) == 0 &&
        input.st_dev == output.st_dev && input.st_ino == output.st_ino) {
        throw TEngineError("Output file " + outputFile + " is the input file " + inputPath +
                           "; choose another output name");
    }
}

TRunOutcome Run(const std::string& inputPath, const std::string& outputPath, TRunHost& host,
                const TRunOptions& options) {
    if (!IsGuarantee(options.Guarantee)) {
        throw TEngineError("Unknown guarantee " + std::to_string(options.Guarantee) +
                           ": the guarantees are 11, 12 and 13");
    }
    const std::string outputFile = outputPath + ".txt";
    RefuseOutputOverInput(inputPath, outputFile);
    const int lineCount = PrepareColumnFile(inputPath, options.Files, [&host](double fraction) {
        host.ShowProgress(kSortingPhase, fraction);
    });
    if (!options.NoLimit && lineCount > kMaxColumns) {
        host.ShowInfo(std::string(kRefusalText));
        return TRunOutcome::Refused;
    }
    std::int32_t columnCount = 0;
    const TNeighbourhood neighbourhood = [&] {
        const TColumnList list = LoadColumns(inputPath, options.Files);
        columnCount = list.Count();
        host.AddLogLine("Comienzo de la Reduccion...");
        host.AddLogLine("Analizando columnas...");
        return AnalyseNeighbours(list, RadiusOf(options.Guarantee), host);
    }();
    host.AddLogLine("Fin de analisis de Columnas.");
    host.AddLogLine("Buscando las reductoras...");
    std::vector<std::string> reduced;
    for (const TKey& column : SelectCover(neighbourhood, host)) {
        reduced.push_back(ColumnText(column));
    }
    SaveColumns(reduced, outputFile, options.Files);
    host.AddLogLine("Reductoras Buscadas.");
    host.AddLogLine("Fin de la Reduccion.");
    host.AddLogLine("------------------------");
    host.AddLogLine("Columnas Iniciales: " + std::to_string(columnCount));
    host.AddLogLine("Columnas en la reducida: " + std::to_string(reduced.size()));
    host.AddLogLine("*****----HECHO--------*****");
    return TRunOutcome::Completed;
}

}  // namespace

TRunOutcome ReduceColumns(const std::string& InputPath, const std::string& OutputPath,
                          TRunHost& host, const TRunOptions& options) {
    try {
        return Run(InputPath, OutputPath, host, options);
    } catch (const std::bad_alloc&) {
        throw TEngineError("Out of memory");
    }
}
