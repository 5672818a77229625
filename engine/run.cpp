#include "run.h"

#include <sys/stat.h>

#include <algorithm>
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

// The columns to write: the greedy's as chosen, or the improved set in file order once it is
// checked, since a set that leaves a column uncovered would break the guarantee the user pays for.
std::vector<std::string> ReducedColumns(const TCoverage& coverage, const std::vector<TKey>& greedy,
                                        const TRunOptions& options) {
    std::vector<std::string> reduced;
    if (!options.Improve) {
        for (const TKey& column : greedy) {
            reduced.push_back(ColumnText(column));
        }
        return reduced;
    }
    std::vector<std::size_t> numbers;
    for (const TKey& column : greedy) {
        numbers.push_back(coverage.Find(column));
    }
    std::vector<std::size_t> improved = options.Improve(coverage, numbers);
    std::sort(improved.begin(), improved.end());
    improved.erase(std::unique(improved.begin(), improved.end()), improved.end());
    if (!improved.empty() && improved.back() >= coverage.Count()) {
        throw TEngineError("The optimised reduction holds a column that is not in the input");
    }
    if (improved.size() > greedy.size()) {
        throw TEngineError("The optimised reduction holds more columns than the greedy one");
    }
    if (const std::size_t missed = FirstUncovered(coverage, improved); missed != TCoverage::kNone) {
        throw TEngineError("The optimised reduction leaves column " +
                           ColumnText(coverage.Column(missed)) + " uncovered");
    }
    for (const std::size_t k : improved) {
        reduced.push_back(ColumnText(coverage.Column(k)));
    }
    return reduced;
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
    const std::vector<std::string> reduced =
        ReducedColumns(neighbourhood.Coverage, SelectCover(neighbourhood, host), options);
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
